// The moisture-ratio and sensible-heat-factor protractors, in both modes.
#include "engine/basic.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hyg {
namespace {

using namespace test;

std::vector<int> Range(int from, int to, int step) {
    std::vector<int> v;
    for (int x = from; x <= to; x += step) v.push_back(x);
    return v;
}

// The moisture-ratio labels of a plot file, as numbers ("LB-400 ", "LB 800 ").
std::vector<int> ValueLabels(const std::vector<std::string>& lines) {
    std::vector<int> out;
    for (const std::string& t : Labels(lines)) {
        if (t != "u") out.push_back(std::stoi(t));
    }
    return out;
}

TEST(MoistureRatioFile, DefaultScaleBothSides) {
    Laid l;
    const auto lines = FileLines(l, Family::MoistureRatio);
    ASSERT_GT(lines.size(), 12u);
    // Pen 8 once, the centre cross, the circle, "u" and the label size.
    EXPECT_EQ(lines[0], "SP8\x03");
    EXPECT_EQ(lines[6], "CI, 30 , 0 \x03");
    EXPECT_EQ(lines[8], "LBu\x03");
    EXPECT_EQ(lines[9], "SI .14  .28 \x03");
    EXPECT_EQ(WithPrefix(lines, "SP").size(), 1u);
    // Upper side: -400 .. 800 by 100, then -1000, -600, -10000, -4000,
    // -2000; lower side: 800 .. 1500 by 100, 2000, 4000, 10000.
    std::vector<int> expected = Range(-400, 800, 100);
    for (int v : {-1000, -600, -10000, -4000, -2000}) expected.push_back(v);
    for (int v : Range(800, 1500, 100)) expected.push_back(v);
    for (int v : {2000, 4000, 10000}) expected.push_back(v);
    EXPECT_EQ(ValueLabels(lines), expected);
    // Two ticks per value and two plotter arcs of half a turn about the centre.
    int ticks = 0, arcs = 0;
    for (const std::string& line : lines) {
        arcs += StartsWith(line, "PDAA") && HpglNumbers(line.substr(2)).back() == 180;
        ticks += StartsWith(line, "PD ");
    }
    EXPECT_EQ(ticks, 2 + 2 * static_cast<int>(expected.size()));
    EXPECT_EQ(arcs, 2);
}

TEST(MoistureRatioFile, KilojouleUnitsStepByFiveCounters) {
    Laid l(10, 40, 1, 2);
    const ChartSettings& s = l.chart.settings;
    const auto lines = FileLines(l, Family::MoistureRatio);
    const auto labels = ValueLabels(lines);
    ASSERT_GE(labels.size(), 12u);
    // Counters -15, -10, ... 40 labelled (k - 4) * 100 kJ/kg.
    EXPECT_EQ(std::vector<int>(labels.begin(), labels.begin() + 12), Range(-1900, 3600, 500));
    // The first tick's direction is that of (-15 / 4.186 - 1) * 100 kcal/kg.
    const double d = ((-15 / static_cast<double>(4.186f) - 1) * s.ScaleX / 1000) * 100 + s.ScaleX * (-597.3) / 1000;
    EXPECT_NEAR(std::stod(WithPrefix(lines, "DI1,").at(0).substr(4)), s.ScaleY / d, 1e-5);
}

TEST(MoistureRatioScreen, LabelsPaddedAndSizedByLength) {
    Laid l([](ChartSettings& s) { s.PictureWidth = 150000, s.PictureHeight = 105000; }); // sizes to the pixel
    RecordingCanvas canvas(10000, 7000);
    OnCanvas(l, Family::MoistureRatio, canvas);
    const double c = l.chart.settings.LabelUnit;
    auto fontWidth = [](double size) { return CLng(size * 0.066667 * 30 + 0.5); };
    int seen = 0;
    for (const CanvasCall* t : canvas.of(CanvasCall::Kind::Text)) {
        // The field is one wider than the number; the screen drops one blank.
        const bool three = t->text == "100" || t->text == "800", five = t->text == "10000" || t->text == " -400";
        if (three || five) {
            EXPECT_EQ(t->font.width, fontWidth((three ? 2.0 / 3 : 2.0 / 5) * c)) << t->text;
        }
        seen += three || five || t->text == "  0";
    }
    EXPECT_EQ(seen, 6); // 100, 800 twice, 10000, -400, 0
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
            EXPECT_NEAR(arcs[0]->a2 - arcs[0]->a1, kPi, 1e-6);
            if (unit == 1 && range == 8) {
                // From the direction of 800 kcal/kg, radii r2 - 30 and r4.
                const ChartSettings& s = l.chart.settings;
                EXPECT_NEAR(arcs[0]->a1, std::atan(s.ScaleY / (s.ScaleX * (0.8 - 0.5973))), 1e-4);
                EXPECT_NEAR(arcs[0]->r, (490 - 30) * canvas.width() / 5000, 1e-6);
                EXPECT_NEAR(arcs[1]->r, (490 + 160) * canvas.width() / 5000, 1e-6);
                EXPECT_EQ(canvas.count(CanvasCall::Kind::Line), 2u + 2u * 29u);
            }
        }
    }
}

struct Stroke {
    double x1, y1, x2, y2;
};

// Pen-up / pen-down pairs of a plot file.
std::vector<Stroke> Strokes(const std::vector<std::string>& lines) {
    std::vector<Stroke> out;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (StartsWith(lines[i], "PU") && StartsWith(lines[i + 1], "PD")) {
            const auto a = HpglNumbers(lines[i]), b = HpglNumbers(lines[i + 1]);
            out.push_back({a[0], a[1], b[0], b[1]});
        }
    }
    return out;
}

TEST(ShfProtractorFile, DefaultScales) {
    Laid l;
    const auto lines = FileLines(l, Family::Shf);
    EXPECT_TRUE(WithPrefix(lines, "SP").empty()) << "draws with the pen in use";
    // Origin mark: cross, circle, the slanted symbol and the reset.
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[5], "CI, 30 , 0\x03");
    EXPECT_EQ(lines[6], "DI1,0.509525\x03");
    EXPECT_EQ(lines[8], "LBSHF\x03");
    EXPECT_EQ(lines[9], "DI 1,0;\x03");
    // Right scale: only the factors whose ticks stay under the top (0.3 ..
    // 0.5 would rise above it), "SHF" after 0.8; left scale: all, "SHF" before 0.4.
    EXPECT_EQ(Labels(lines), (std::vector<std::string>{"SHF", "0.6", "0.7", "0.8", "SHF", "0.9", "1.0", "0.3", "0.4",
                                                       "SHF", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0"}));
    // Left ticks: long (80 units) at whole tenths, short (40) at the others;
    // then the two base lines from the origin's level (factor 1.0).
    const double xd = l.frame.LeftX - 220;
    const auto strokes = Strokes(lines);
    int leftLong = 0, leftShort = 0;
    for (const Stroke& st : strokes) {
        if (std::abs(st.x1 - xd) > 1e-3 || st.x2 == st.x1) continue;
        leftLong += std::abs(st.x2 - (xd - 80)) < 1e-3;
        leftShort += std::abs(st.x2 - (xd - 40)) < 1e-3;
    }
    EXPECT_EQ(leftLong, 8);
    EXPECT_EQ(leftShort, 28);
    ASSERT_GE(strokes.size(), 2u);
    for (const Stroke* b : {&strokes[strokes.size() - 2], &strokes.back()}) {
        EXPECT_EQ(b->x1, b->x2);
        EXPECT_NEAR(b->y1, l.frame.ShfOriginY, 1e-3);
    }
    // The symbols: after 0.8 on the right, before (left of) 0.4 on the left.
    for (const char* value : {"LB0.8\x03", "LB0.4\x03"}) {
        const auto at = std::find(lines.begin() + 10, lines.end(), std::string(value));
        ASSERT_LT(at + 2, lines.end());
        EXPECT_EQ(*(at + 2), "LBSHF\x03");
        EXPECT_EQ(HpglNumbers(*(at + 1))[0] > HpglNumbers(*(at - 2))[0], value[4] == '8') << value;
    }

    // An origin above the top leaves the right scale empty; the left scale
    // and its base line are still there.
    l.chart.settings.ShfOriginAbsHum = 30;
    l.frame.ShfOriginY = Sgl(30 * l.chart.settings.ScaleY + l.chart.settings.OriginY);
    const auto high = Strokes(FileLines(l, Family::Shf));
    for (const Stroke& st : high) EXPECT_GT(std::abs(st.x1 - (l.frame.TopRightX + 420)), 1e-3);
    EXPECT_FALSE(high.empty());
}

TEST(ShfProtractorScreen, OriginSymbolSlanted) {
    Laid l;
    RecordingCanvas canvas;
    OnCanvas(l, Family::Shf, canvas);
    EXPECT_EQ(canvas.count(CanvasCall::Kind::Circle), 1u);
    const CanvasCall* first = canvas.of(CanvasCall::Kind::Text).at(0);
    EXPECT_EQ(first->text, "SHF");
    EXPECT_EQ(first->font.escapement, 270); // 27 degrees
}

TEST(Protractors, FilePenIsThatOfTheFamilyBefore) {
    for (int mr : {1, 0}) {
        Laid l([=](ChartSettings& s) { s.LineSwitch[5] = static_cast<std::int16_t>(mr); });
        std::string pen;
        for (const std::string& line : FileLines(l, [&](ChartDevice& dev) { DrawChart(dev, l.chart, l.frame); })) {
            if (StartsWith(line, "SP")) pen = line;
            if (line == "DI1,0.509525\x03") break;
        }
        EXPECT_EQ(pen, mr ? "SP8\x03" : "SP4\x03");
    }
}

} // namespace
} // namespace hyg
