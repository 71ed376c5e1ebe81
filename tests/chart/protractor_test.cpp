// The moisture-ratio and sensible-heat-factor protractors.
#include "engine/basic.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

namespace hyg {
namespace {

using namespace test;

TEST(MoistureRatioFile, DefaultScaleBothSides) {
    Laid l;
    const auto lines = FileLines(l, Family::MoistureRatio);
    // Upper side: -400 .. 800 by 100, then -1000, -600, -10000, -4000,
    // -2000; lower side: 800 .. 1500 by 100, 2000, 4000, 10000.
    std::vector<int> expected;
    for (int v = -400; v <= 800; v += 100) expected.push_back(v);
    for (int v : {-1000, -600, -10000, -4000, -2000}) expected.push_back(v);
    for (int v = 800; v <= 1500; v += 100) expected.push_back(v);
    for (int v : {2000, 4000, 10000}) expected.push_back(v);
    std::vector<int> values;
    for (const std::string& t : Labels(lines)) {
        if (t != "u") values.push_back(std::stoi(t));
    }
    EXPECT_EQ(values, expected);
    // Two plotter arcs of half a turn about the centre.
    int arcs = 0;
    for (const std::string& line : lines) arcs += StartsWith(line, "PDAA") && HpglNumbers(line.substr(2)).back() == 180;
    EXPECT_EQ(arcs, 2);
}

TEST(MoistureRatioScreen, EveryRangeOfTheDialogKeepsAHalfRing) {
    // Below 6 the top value would lie under the latent heat of water (597.3
    // kcal/kg) and fold the scale over; from 16 up the lower side holds only
    // the top value. Either way the arcs span half a turn above the centre.
    for (std::int16_t unit = 1; unit <= 3; ++unit) {
        for (int range = 1; range <= 21; ++range) {
            Laid l([=](ChartSettings& s) { s.EnthalpyUnit = unit, s.MaxMoistureRatio = static_cast<float>(range); });
            RecordingCanvas canvas;
            OnCanvas(l, Family::MoistureRatio, canvas);
            const auto arcs = canvas.of(CanvasCall::Kind::Arc);
            ASSERT_EQ(arcs.size(), 2u);
            EXPECT_GT(arcs[0]->a1, 0) << unit << " " << range;
            EXPECT_LT(arcs[0]->a1, kPi / 2) << unit << " " << range;
            EXPECT_NEAR(arcs[0]->a2 - arcs[0]->a1, kPi, 1e-6) << unit << " " << range;
        }
    }
}

TEST(ShfProtractorFile, DefaultScales) {
    Laid l;
    const auto lines = FileLines(l, Family::Shf);
    EXPECT_TRUE(WithPrefix(lines, "SP").empty()) << "draws with the pen in use";
    // Right scale: only the factors whose ticks stay under the top (0.3 ..
    // 0.5 would rise above it), "SHF" after 0.8; left scale: all, "SHF"
    // before 0.4; the first "SHF" marks the origin.
    EXPECT_EQ(Labels(lines), (std::vector<std::string>{"SHF", "0.6", "0.7", "0.8", "SHF", "0.9", "1.0", "0.3", "0.4",
                                                       "SHF", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0"}));
}

} // namespace
} // namespace hyg
