// The scales of the chart: the partial-pressure scale, the legend block and
// the moisture-ratio and sensible-heat-factor protractors.
#include "engine/basic.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace hyg {
namespace {

using namespace test;

TEST(PartialPressureScale, DefaultScaleZeroToThirtyOne) {
    Laid l;
    // 27 g/kgDA at 760 mmHg is 31.6 mmHg: ticks 0 .. 31, the first unnumbered.
    const auto labels = Labels(FileLines(l, Family::PartialPressure));
    ASSERT_EQ(labels.size(), 33u);
    EXPECT_EQ(std::vector<std::string>(labels.begin(), labels.begin() + 2), (std::vector<std::string>{"", "1"}));
    EXPECT_EQ(std::vector<std::string>(labels.end() - 2, labels.end()), (std::vector<std::string>{"31", "Pw"}));
}

TEST(LegendFile, DefaultTextsAndOtherUnits) {
    Laid l;
    const auto lines = FileLines(l, Family::Legend);
    // Characters no wider than the screen's (1.2 text units, 30 plane units,
    // in one and a half plotter widths of 400 / 3 plane units per cm).
    EXPECT_EQ(lines.at(0), "SI .15  .3 \x03");
    const auto metric = Labels(lines);
    l.chart.settings.EnthalpyUnit = UnitSystem::Imperial, l.chart.settings.PressureUnit = PressureIn::KPa,
    l.chart.settings.Pressure = 101.3f;
    const auto other = Labels(FileLines(l, Family::Legend));
    ASSERT_EQ(metric.size(), 18u);
    ASSERT_EQ(other.size(), 18u);
    // The chart size under the range, and the volume unit in the file's
    // code page (0xB3 superscript three) in both unit systems.
    EXPECT_EQ(metric[3], "   Chart Widhth =  2450 cm");
    EXPECT_EQ(metric[15], " v  = Specific Volume m\xb3/kgDA");
    EXPECT_EQ(other[15], " v  = Specific Volume ft\xb3/lbmDA");
    // Every text inside the plot window, no two on one spot.
    std::set<std::pair<double, double>> spots;
    for (const std::string& pu : WithPrefix(lines, "PU")) {
        const auto n = HpglNumbers(pu);
        EXPECT_GE(n.at(0), -500);
        EXPECT_LE(n.at(0), 4500);
        EXPECT_GE(n.at(1), -350);
        EXPECT_LE(n.at(1), 3150);
        EXPECT_TRUE(spots.insert({n[0], n[1]}).second) << pu;
    }
}

TEST(MoistureRatioFile, DefaultScaleBothSides) {
    Laid l;
    const auto lines = FileLines(l, Family::MoistureRatio);
    // Upper side: -400 .. 800 by 100, then -1000, -600, -10000, -4000,
    // -2000; lower side: 800 .. 1500 by 100, 2000, 4000, 10000.
    std::vector<int> expected;
    for (int v = -400; v <= 800; v += 100)
        expected.push_back(v);
    for (int v : {-1000, -600, -10000, -4000, -2000})
        expected.push_back(v);
    for (int v = 800; v <= 1500; v += 100)
        expected.push_back(v);
    for (int v : {2000, 4000, 10000})
        expected.push_back(v);
    std::vector<int> values;
    for (const std::string& t : Labels(lines)) {
        if (t != "u")
            values.push_back(std::stoi(t));
    }
    // The ends of both sides crowd and are thinned there; the middle of the
    // upper side and the top value on both sides keep their numbers.
    EXPECT_TRUE(IsSubsequence(values, expected));
    EXPECT_TRUE(IsSubsequence(std::vector<int>{300, 400, 500, 600, 700, 800, 800, 900}, values));
    // Two plotter arcs of half a turn about the centre.
    int arcs = 0;
    for (const std::string& line : lines)
        arcs += StartsWith(line, "PDAA") && HpglNumbers(line.substr(2)).back() == 180;
    EXPECT_EQ(arcs, 2);
}

TEST(MoistureRatioScreen, EveryRangeOfTheDialogKeepsAHalfRing) {
    // The scale ends at the range the user chose, also below 6, where the
    // top value lies under the latent heat of water (597.3 kcal/kg) and
    // points up and to the left; from 16 up the lower side holds only the
    // top value. Either way the arcs span half a turn above the centre.
    for (UnitSystem unit : {UnitSystem::MetricKcal, UnitSystem::MetricKJ, UnitSystem::Imperial}) {
        for (int range = 1; range <= 21; ++range) {
            Laid l([=](ChartSettings& s) { s.EnthalpyUnit = unit, s.MaxMoistureRatio = static_cast<float>(range); });
            RecordingCanvas canvas;
            OnCanvas(l, Family::MoistureRatio, canvas);
            const auto arcs = canvas.of(CanvasCall::Kind::Arc);
            ASSERT_EQ(arcs.size(), 2u);
            EXPECT_GT(arcs[0]->a1, 0) << CodeOf(unit) << " " << range;
            EXPECT_LT(arcs[0]->a1, kPi) << CodeOf(unit) << " " << range;
            EXPECT_NEAR(arcs[0]->a2 - arcs[0]->a1, kPi, 1e-6) << CodeOf(unit) << " " << range;
        }
    }
    // Range 4 in kcal: the top value is 400, on both sides of the ring (the
    // lower side goes on from it to 1500); it points up and to the left.
    Laid l([](ChartSettings& s) { s.MaxMoistureRatio = 4; });
    const auto labels = Labels(FileLines(l, Family::MoistureRatio));
    EXPECT_EQ(std::count(labels.begin(), labels.end(), " 400 "), 2);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), " 500 "), 1);
    RecordingCanvas canvas;
    OnCanvas(l, Family::MoistureRatio, canvas);
    EXPECT_GT(canvas.of(CanvasCall::Kind::Arc).at(0)->a1, kPi / 2);
}

TEST(ShfProtractorFile, DefaultScales) {
    Laid l;
    const auto lines = FileLines(l, Family::Shf);
    EXPECT_TRUE(WithPrefix(lines, "SP").empty()) << "draws with the pen in use";
    // Right scale: only the factors whose ticks stay under the top (0.3 ..
    // 0.5 would rise above it), "SHF" after 0.8; left scale: all, "SHF"
    // before 0.4; the first "SHF" marks the origin.
    // On paper 0.9 and 1.0 of the left scale, near the origin's level, run
    // together: only there a number goes.
    const std::vector<std::string> all = {"SHF", "0.6", "0.7", "0.8", "SHF", "0.9", "1.0", "0.3",
                                          "0.4", "SHF", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0"};
    const auto labels = Labels(lines);
    EXPECT_TRUE(IsSubsequence(labels, all));
    EXPECT_EQ(std::vector<std::string>(labels.begin(), labels.begin() + 14),
              std::vector<std::string>(all.begin(), all.begin() + 14));
}

} // namespace
} // namespace hyg
