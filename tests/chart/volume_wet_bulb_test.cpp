// Specific-volume and wet-bulb lines with their labels, in both modes.
#include "chart/chart_driver.h"

#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace hyg {
namespace {

using test::CanvasCall;
using test::HpglLines;
using test::HpglNumbers;
using test::RecordingCanvas;
using test::StartsWith;

struct Laid {
    Chart chart;
    ChartFrame frame;
};

Laid Layout(float min = 10, float max = 40, std::int16_t unit = 1) {
    Laid l;
    l.chart.settings.MinDryBulb = min;
    l.chart.settings.MaxDryBulb = max;
    l.chart.settings.EnthalpyUnit = unit;
    l.frame = LayoutChart(l.chart, nullptr);
    return l;
}

std::vector<std::string> VolumeHpgl(Laid& l) {
    std::ostringstream os;
    ChartDevice dev("file", l.chart.settings, nullptr, &os);
    DrawVolumeLines(dev, l.chart, l.frame.IdxMin, l.frame.IdxMax, l.frame.BottomRightX, l.frame.BottomY);
    return HpglLines(os.str());
}

std::vector<std::string> WetBulbHpgl(Laid& l) {
    std::ostringstream os;
    ChartDevice dev("file", l.chart.settings, nullptr, &os);
    DrawWetBulbLines(dev, l.chart, l.frame.IdxMin, l.frame.IdxMax, l.frame.LeftX);
    return HpglLines(os.str());
}

// The label texts of a plot file, without "LB" and ETX.
std::vector<std::string> Labels(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        if (StartsWith(l, "LB")) out.push_back(l.substr(2, l.size() - 3));
    }
    return out;
}

std::size_t CountStarting(const std::vector<std::string>& lines, const std::string& prefix) {
    std::size_t n = 0;
    for (const std::string& l : lines) n += StartsWith(l, prefix);
    return n;
}

// --- specific volume ---------------------------------------------------------

TEST(VolumeLinesFile, DefaultChartEveryHundredthWithSymbolAThirdThrough) {
    Laid l = Layout();
    const auto lines = VolumeHpgl(l);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "SP5\x03");
    // 0.80224 m3/kgDA at the bottom-left corner, 0.9257 at the top-right.
    const std::vector<std::string> expected = {"0.81", "0.82", "0.83", "v",    "0.84", "0.85", "0.86",
                                               "0.87", "0.88", "0.89", "0.90", "0.91", "0.92"};
    EXPECT_EQ(Labels(lines), expected);
    EXPECT_EQ(CountStarting(lines, "PD"), 12u);
    // Every label is turned along its line and the direction reset after it.
    EXPECT_EQ(CountStarting(lines, "DI 1,"), 24u);
    EXPECT_EQ(CountStarting(lines, "DI 1, 0\x03"), 12u);
    for (const std::string& line : lines) {
        if (StartsWith(line, "DI 1,") && line != "DI 1, 0\x03") {
            EXPECT_TRUE(std::regex_match(line, std::regex("DI 1,-?\\d+\\.\\d{4,6}\x03"))) << line;
        }
    }
}

TEST(VolumeLinesFile, LinesMeetingTheBottomAreExtendedBelowIt) {
    Laid l = Layout();
    const ChartSettings& s = l.chart.settings;
    const double c = s.LabelUnit;
    const auto lines = VolumeHpgl(l);
    int bottomLines = 0;
    for (std::size_t i = 0; i + 4 < lines.size(); ++i) {
        if (!StartsWith(lines[i], "PD")) continue;
        const auto low = HpglNumbers(lines[i]);
        ASSERT_EQ(low.size(), 2u);
        // The value label: the pen-up move before the value's LB.
        std::size_t lb = i + 1;
        while (lb < lines.size() && !(StartsWith(lines[lb], "LB0."))) ++lb;
        ASSERT_LT(lb, lines.size());
        const auto at = HpglNumbers(lines[lb - 1]);
        if (std::abs(low[1] - (s.OriginY - 70)) < 0.01) {
            ++bottomLines;
            EXPECT_NEAR(at[0], low[0] + 0.5 * c, 0.01);
            EXPECT_NEAR(at[1], low[1] - 20, 0.01) << "the value sits 20 units below the extended foot";
        } else {
            // Ends on the right edge: the value sits left of and above the end.
            EXPECT_GE(low[0], 0.95 * l.frame.BottomRightX);
            EXPECT_NEAR(at[0], low[0] - 0.5 * c, 0.01);
            EXPECT_NEAR(at[1], low[1] + c, 0.01);
        }
    }
    EXPECT_EQ(bottomLines, 8); // 0.81 .. 0.88
}

TEST(VolumeLinesFile, InchPoundUnitsEveryTenthWithTwoIntegerDigits) {
    Laid l = Layout(10, 40, 3);
    const auto labels = Labels(VolumeHpgl(l));
    ASSERT_GE(labels.size(), 3u);
    // 0.80224 * 16.018 = 12.85 ft3/lbm at the corner: the first line is 12.9.
    EXPECT_EQ(labels[0], "12.9");
    for (const std::string& t : labels) {
        if (t != "v") {
            EXPECT_TRUE(std::regex_match(t, std::regex("\\d\\d\\.\\d"))) << t;
        }
    }
    EXPECT_NE(std::find(labels.begin(), labels.end(), "13.5"), labels.end());
}

TEST(VolumeLinesFile, LinesFromLeftOfTheChartStartOnTheLeftEdge) {
    // From 20 deg C the left edge rises to 14.7 g/kgDA: the lines of 0.84
    // and 0.85 m3/kgDA reach saturation left of it and start on the edge.
    Laid l = Layout(20, 50);
    const ChartSettings& s = l.chart.settings;
    const auto lines = VolumeHpgl(l);
    int onEdge = 0;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (!StartsWith(lines[i], "PU") || !StartsWith(lines[i + 1], "PD")) continue;
        const auto up = HpglNumbers(lines[i]);
        const double x = (up[1] - s.OriginY) / s.ScaleY;
        EXPECT_GT(x, 0) << "an upper end at or below the bottom edge";
        EXPECT_GE(up[0], ChartX(s, s.MinDryBulb, x) - 0.02) << "an upper end left of the chart";
        if (std::abs(up[0] - ChartX(s, s.MinDryBulb, x)) < 0.02 && x < l.chart.table.S(l.frame.IdxMin) - 0.01) {
            ++onEdge;
        }
    }
    EXPECT_EQ(onEdge, 2);
}

TEST(VolumeLinesScreen, DefaultChartColoursAndTexts) {
    Laid l = Layout();
    RecordingCanvas canvas;
    ChartDevice dev("draw", l.chart.settings, &canvas, nullptr);
    DrawVolumeLines(dev, l.chart, l.frame.IdxMin, l.frame.IdxMax, l.frame.BottomRightX, l.frame.BottomY);
    const auto lines = canvas.of(CanvasCall::Kind::Line);
    ASSERT_EQ(lines.size(), 12u);
    for (const CanvasCall* c : lines) EXPECT_EQ(c->colour, l.chart.settings.PenColor[4]);
    const auto texts = canvas.of(CanvasCall::Kind::Text);
    ASSERT_EQ(texts.size(), 13u);
    EXPECT_EQ(texts[0]->text, "0.81");
    EXPECT_EQ(texts[3]->text, "v");
    EXPECT_TRUE(texts[3]->font.italic);
    EXPECT_EQ(texts[4]->text, "0.84");
    EXPECT_FALSE(texts[4]->font.italic);
    // The labels lie along their lines, which fall to the right.
    for (const CanvasCall* t : texts) {
        EXPECT_EQ(t->colour, l.chart.settings.PenColor[0]);
        EXPECT_LT(t->font.escapement, 0);
    }
}

TEST(VolumeLines, OtherModesDrawNothing) {
    Laid l = Layout();
    RecordingCanvas canvas;
    std::ostringstream os;
    ChartDevice dev("Draw", l.chart.settings, &canvas, &os);
    DrawVolumeLines(dev, l.chart, l.frame.IdxMin, l.frame.IdxMax, l.frame.BottomRightX, l.frame.BottomY);
    DrawWetBulbLines(dev, l.chart, l.frame.IdxMin, l.frame.IdxMax, l.frame.LeftX);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_TRUE(os.str().empty());
}

// --- wet bulb ---------------------------------------------------------------

TEST(WetBulbLinesFile, DefaultChartOneLinePerDegreeFromTheSaturationCurve) {
    Laid l = Layout();
    const ChartSettings& s = l.chart.settings;
    const auto lines = WetBulbHpgl(l);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "SP4\x03");

    // Lines 0 .. 31 deg C: the wet bulb of dry air at 10 deg C is just below
    // 0, that of the top-right corner (40 deg C, 27 g/kgDA) just above 31.
    EXPECT_EQ(CountStarting(lines, "PD"), 32u);

    // Lines from the left edge (0 .. 9) and the one from the corner (10)
    // carry no label; t' goes on the line that starts above half the height.
    std::vector<std::string> expected;
    for (int t = 11; t <= 31; ++t) {
        if (t == 20) expected.push_back("t'");
        expected.push_back(std::to_string(t));
    }
    EXPECT_EQ(Labels(lines), expected);

    // Each line starts on the saturation curve at its own temperature, or on
    // the top edge; its foot lies on x = 0.05 g/kgDA or on the right edge.
    int onCurve = 0;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        if (!StartsWith(lines[i], "PU") || !StartsWith(lines[i + 1], "PD")) continue;
        const auto low = HpglNumbers(lines[i]);
        const auto up = HpglNumbers(lines[i + 1]);
        const double yFoot = ChartY(s, 0.05);
        if (std::abs(low[1] - yFoot) > 0.01) {
            EXPECT_NEAR(low[0], ChartX(s, s.MaxDryBulb, (low[1] - s.OriginY) / s.ScaleY), 0.01);
        }
        for (int j = l.frame.IdxMin; j <= l.frame.IdxMax; ++j) {
            const double t = l.chart.table.T(j), x = l.chart.table.S(j);
            if (x < s.MaxAbsHum && std::abs(up[0] - ChartX(s, t, x)) < 0.01 && std::abs(up[1] - ChartY(s, x)) < 0.01) {
                ++onCurve;
            }
        }
    }
    int belowTop = 0;
    for (int j = l.frame.IdxMin; l.chart.table.T(j) <= 31; ++j) belowTop += l.chart.table.S(j) < s.MaxAbsHum;
    EXPECT_EQ(belowTop, 20); // 10 .. 29 deg C; the saturation curve meets the top edge near 30
    EXPECT_EQ(onCurve, belowTop);
}

TEST(WetBulbLinesFile, NegativeLabelsMoveLeftAsTheyGrow) {
    Laid l = Layout(-20, 10);
    const double c = l.chart.settings.LabelUnit;
    const auto lines = WetBulbHpgl(l);
    int seen = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!StartsWith(lines[i], "PD")) continue;
        const auto up = HpglNumbers(lines[i]);
        std::size_t lb = i + 1;
        while (lb < lines.size() && !StartsWith(lines[lb], "PD") &&
               (!StartsWith(lines[lb], "LB") || lines[lb] == "LBt'\x03")) {
            ++lb;
        }
        if (lb >= lines.size() || !StartsWith(lines[lb], "LB")) continue;
        const int t = std::stoi(lines[lb].substr(2));
        const double m = t < -9 ? 3.5 : (t < 0 ? 3.0 : 2.5);
        EXPECT_NEAR(HpglNumbers(lines[lb - 1])[0], up[0] - m * c, 0.01) << t;
        ++seen;
    }
    EXPECT_GT(seen, 20);
}

TEST(WetBulbLinesFile, DirectionIsTheLineAngleWrittenAsASlope) {
    Laid l = Layout();
    const auto lines = WetBulbHpgl(l);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (!StartsWith(lines[i], "PU") || !StartsWith(lines[i + 1], "PD") || i + 2 >= lines.size() ||
            !StartsWith(lines[i + 2], "DI1,")) {
            continue;
        }
        const auto low = HpglNumbers(lines[i]);
        const auto up = HpglNumbers(lines[i + 1]);
        const double angle = std::atan((up[1] - low[1]) / (up[0] - low[0]));
        EXPECT_NEAR(std::stod(lines[i + 2].substr(4)), angle, 1e-4);
        EXPECT_TRUE(std::regex_match(lines[i + 2], std::regex("DI1,-?\\d+\\.\\d{3,5}\x03"))) << lines[i + 2];
    }
}

TEST(WetBulbLinesScreen, DefaultChart) {
    Laid l = Layout();
    RecordingCanvas canvas;
    ChartDevice dev("draw", l.chart.settings, &canvas, nullptr);
    DrawWetBulbLines(dev, l.chart, l.frame.IdxMin, l.frame.IdxMax, l.frame.LeftX);
    const auto lines = canvas.of(CanvasCall::Kind::Line);
    EXPECT_EQ(lines.size(), 32u);
    for (const CanvasCall* c : lines) EXPECT_EQ(c->colour, l.chart.settings.PenColor[8]);
    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 22u);
    EXPECT_EQ(texts[0], "11");
    const auto sym = std::find(texts.begin(), texts.end(), "t'");
    ASSERT_NE(sym, texts.end());
    EXPECT_EQ(*(sym + 1), "20");
    for (const CanvasCall* t : canvas.of(CanvasCall::Kind::Text)) {
        EXPECT_EQ(t->colour, l.chart.settings.PenColor[8]);
        // The symbol is upright; the numbers lean less than their lines.
        if (t->text == "t'") {
            EXPECT_EQ(t->font.escapement, 0);
        } else {
            EXPECT_LT(t->font.escapement, 0);
        }
    }
}

} // namespace
} // namespace hyg
