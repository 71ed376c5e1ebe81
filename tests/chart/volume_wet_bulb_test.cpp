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

// Runs the volume (true) or wet-bulb family into a plot file or a canvas.
std::vector<std::string> Hpgl(Laid& l, bool volume) {
    std::ostringstream os;
    ChartDevice dev("file", l.chart.settings, nullptr, &os);
    const ChartFrame& f = l.frame;
    if (volume) DrawVolumeLines(dev, l.chart, f.IdxMin, f.IdxMax, f.BottomRightX, f.BottomY);
    else DrawWetBulbLines(dev, l.chart, f.IdxMin, f.IdxMax, f.LeftX);
    return HpglLines(os.str());
}

void Screen(Laid& l, bool volume, RecordingCanvas& canvas) {
    ChartDevice dev("draw", l.chart.settings, &canvas, nullptr);
    const ChartFrame& f = l.frame;
    if (volume) DrawVolumeLines(dev, l.chart, f.IdxMin, f.IdxMax, f.BottomRightX, f.BottomY);
    else DrawWetBulbLines(dev, l.chart, f.IdxMin, f.IdxMax, f.LeftX);
}

std::vector<std::string> Labels(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        if (StartsWith(l, "LB")) out.push_back(l.substr(2, l.size() - 3));
    }
    return out;
}

// The pen-up point before the first value label after line k.
std::vector<double> LabelPoint(const std::vector<std::string>& lines, std::size_t k, const std::string& skip) {
    while (!StartsWith(lines[k], "LB") || lines[k] == skip) ++k;
    return HpglNumbers(lines[k - 1]);
}

TEST(VolumeLinesFile, DefaultChartEveryHundredthWithSymbolAThirdThrough) {
    Laid l = Layout();
    const ChartSettings& s = l.chart.settings;
    const double c = s.LabelUnit;
    const auto lines = Hpgl(l, true);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "SP5\x03");
    // 0.8022 m3/kgDA at the bottom-left corner, 0.9257 at the top-right.
    const std::vector<std::string> expected = {"0.81", "0.82", "0.83", "v",    "0.84", "0.85", "0.86",
                                               "0.87", "0.88", "0.89", "0.90", "0.91", "0.92"};
    EXPECT_EQ(Labels(lines), expected);

    int bottom = 0, directions = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (StartsWith(lines[i], "DI 1,") && lines[i] != "DI 1, 0\x03") {
            ++directions;
            EXPECT_TRUE(std::regex_match(lines[i], std::regex("DI 1,-\\d+\\.\\d{4,6}\x03"))) << lines[i];
        }
        if (!StartsWith(lines[i], "PD")) continue;
        const auto low = HpglNumbers(lines[i]);
        const auto at = LabelPoint(lines, i, "LBv\x03");
        if (std::abs(low[1] - (s.OriginY - 70)) < 0.01) {
            // Met the bottom: drawn 70 units past it, the value 20 lower still.
            ++bottom;
            EXPECT_NEAR(at[0], low[0] + 0.5 * c, 0.01);
            EXPECT_NEAR(at[1], low[1] - 20, 0.01);
        } else {
            // Met the right edge: the value sits left of and above the end.
            EXPECT_GE(low[0], 0.95 * l.frame.BottomRightX);
            EXPECT_NEAR(at[0], low[0] - 0.5 * c, 0.01);
            EXPECT_NEAR(at[1], low[1] + c, 0.01);
        }
    }
    EXPECT_EQ(bottom, 8); // 0.81 .. 0.88
    EXPECT_EQ(directions, 12);
}

TEST(VolumeLinesFile, InchPoundUnitsEveryTenthWithTwoIntegerDigits) {
    Laid l = Layout(10, 40, 3);
    const auto labels = Labels(Hpgl(l, true));
    ASSERT_GE(labels.size(), 3u);
    EXPECT_EQ(labels[0], "12.9"); // 0.8022 * 16.018 = 12.85 ft3/lbm at the corner
    EXPECT_NE(std::find(labels.begin(), labels.end(), "13.5"), labels.end());
    for (const std::string& t : labels) {
        if (t != "v") {
            EXPECT_TRUE(std::regex_match(t, std::regex("\\d\\d\\.\\d"))) << t;
        }
    }
}

TEST(VolumeLinesFile, LinesFromLeftOfTheChartStartOnTheLeftEdge) {
    // From 20 deg C the left edge rises to 14.7 g/kgDA: the lines of 0.84
    // and 0.85 m3/kgDA reach saturation left of it and start on the edge.
    Laid l = Layout(20, 50);
    const ChartSettings& s = l.chart.settings;
    const auto lines = Hpgl(l, true);
    int onEdge = 0;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (!StartsWith(lines[i], "PU") || !StartsWith(lines[i + 1], "PD")) continue;
        const auto up = HpglNumbers(lines[i]);
        const double x = (up[1] - s.OriginY) / s.ScaleY;
        EXPECT_GT(x, 0) << "an upper end at or below the bottom edge";
        EXPECT_GE(up[0], ChartX(s, s.MinDryBulb, x) - 0.02) << "an upper end left of the chart";
        onEdge += std::abs(up[0] - ChartX(s, s.MinDryBulb, x)) < 0.02 && x < l.chart.table.S(l.frame.IdxMin) - 0.01;
    }
    EXPECT_EQ(onEdge, 2);
}

TEST(VolumeLinesScreen, DefaultChart) {
    Laid l = Layout();
    RecordingCanvas canvas;
    Screen(l, true, canvas);
    const auto lines = canvas.of(CanvasCall::Kind::Line);
    ASSERT_EQ(lines.size(), 12u);
    for (const CanvasCall* c : lines) EXPECT_EQ(c->colour, l.chart.settings.PenColor[4]);
    const auto texts = canvas.of(CanvasCall::Kind::Text);
    ASSERT_EQ(texts.size(), 13u);
    EXPECT_EQ(texts[3]->text, "v");
    EXPECT_TRUE(texts[3]->font.italic);
    EXPECT_EQ(texts[4]->text, "0.84");
    for (const CanvasCall* t : texts) {
        EXPECT_EQ(t->colour, l.chart.settings.PenColor[0]);
        EXPECT_LT(t->font.escapement, 0); // along lines that fall to the right
    }
}

TEST(WetBulbLinesFile, DefaultChartOneLinePerDegreeFromTheSaturationCurve) {
    Laid l = Layout();
    const ChartSettings& s = l.chart.settings;
    const auto lines = Hpgl(l, false);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "SP4\x03");

    // Lines 0 .. 31 deg C (the wet bulbs of dry air at 10 deg C and of the
    // top-right corner). Those from the left edge (0 .. 9) and the one from
    // the corner (10) carry no number; t' goes on the line that starts above
    // half the height.
    std::vector<std::string> expected;
    for (int t = 11; t <= 31; ++t) {
        if (t == 20) expected.push_back("t'");
        expected.push_back(std::to_string(t));
    }
    EXPECT_EQ(Labels(lines), expected);

    // Lines below the top start on the saturation curve at their own
    // temperature; the numbers sit 2.5 units left of the upper end.
    int drawn = 0, onCurve = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (!StartsWith(lines[i], "PD")) continue;
        ++drawn;
        const auto up = HpglNumbers(lines[i]);
        for (int j = l.frame.IdxMin; j <= l.frame.IdxMax; ++j) {
            const double t = l.chart.table.T(j), x = l.chart.table.S(j);
            onCurve += x < s.MaxAbsHum && std::abs(up[0] - ChartX(s, t, x)) < 0.01 && std::abs(up[1] - ChartY(s, x)) < 0.01;
        }
    }
    EXPECT_EQ(drawn, 32);
    EXPECT_EQ(onCurve, 20); // 10 .. 29 deg C; the saturation curve meets the top near 30
}

TEST(WetBulbLinesFile, NegativeLabelsMoveLeftAsTheyGrow) {
    Laid l = Layout(-20, 10);
    const double c = l.chart.settings.LabelUnit;
    const auto lines = Hpgl(l, false);
    int seen = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!StartsWith(lines[i], "PD") || i + 1 >= lines.size() || !StartsWith(lines[i + 1], "DI1,")) continue;
        const auto up = HpglNumbers(lines[i]);
        std::size_t lb = i + 1;
        while (!StartsWith(lines[lb], "LB") || lines[lb] == "LBt'\x03") ++lb;
        const int t = std::stoi(lines[lb].substr(2));
        const double m = t < -9 ? 3.5 : (t < 0 ? 3.0 : 2.5);
        EXPECT_NEAR(HpglNumbers(lines[lb - 1])[0], up[0] - m * c, 0.01) << t;
        // The direction written is the line's angle (in radians) as a slope.
        const auto low = HpglNumbers(lines[i - 1]);
        EXPECT_NEAR(std::stod(lines[i + 1].substr(4)), std::atan((up[1] - low[1]) / (up[0] - low[0])), 1e-4);
        ++seen;
    }
    EXPECT_GT(seen, 20);
}

TEST(WetBulbLinesScreen, DefaultChart) {
    Laid l = Layout();
    RecordingCanvas canvas;
    Screen(l, false, canvas);
    EXPECT_EQ(canvas.count(CanvasCall::Kind::Line), 32u);
    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 22u);
    const auto sym = std::find(texts.begin(), texts.end(), "t'");
    ASSERT_NE(sym, texts.end());
    EXPECT_EQ(*(sym + 1), "20");
    for (const CanvasCall& c : canvas.calls) {
        EXPECT_EQ(c.colour, l.chart.settings.PenColor[8]);
        // The symbol is upright; the numbers lean less than their lines.
        if (c.kind == CanvasCall::Kind::Text) {
            EXPECT_EQ(c.font.escapement < 0, c.text != "t'") << c.text;
        }
    }
}

} // namespace
} // namespace hyg
