// Specific-volume and wet-bulb lines with their labels, in both modes.
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace hyg {
namespace {

using namespace test;

TEST(VolumeLinesFile, DefaultChartEveryHundredthWithSymbolAThirdThrough) {
    Laid l;
    const ChartSettings& s = l.chart.settings;
    const double c = s.LabelUnit;
    const auto lines = FileLines(l, Family::Volume);
    EXPECT_EQ(lines.at(0), "SP5\x03");
    // 0.8022 m3/kgDA at the bottom-left corner, 0.9257 at the top-right.
    EXPECT_EQ(Labels(lines), (std::vector<std::string>{"0.81", "0.82", "0.83", "v", "0.84", "0.85", "0.86", "0.87",
                                                       "0.88", "0.89", "0.90", "0.91", "0.92"}));
    int bottom = 0, directions = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (StartsWith(lines[i], "DI 1,") && lines[i] != "DI 1, 0\x03") {
            ++directions;
            EXPECT_TRUE(std::regex_match(lines[i], std::regex("DI 1,-\\d+\\.\\d{4,6}\x03"))) << lines[i];
        }
        if (!StartsWith(lines[i], "PD")) continue;
        const auto low = HpglNumbers(lines[i]);
        std::size_t k = i;
        while (!StartsWith(lines[k], "LB") || lines[k] == "LBv\x03") ++k;
        const auto at = HpglNumbers(lines[k - 1]); // where the value label goes
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

TEST(VolumeLinesFile, InchPoundLabelsAndLinesFromLeftOfTheChart) {
    Laid ip(10, 40, 1, 3);
    const auto labels = Labels(FileLines(ip, Family::Volume));
    ASSERT_GE(labels.size(), 3u);
    EXPECT_EQ(labels[0], "12.9"); // 0.8022 * 16.018 = 12.85 ft3/lbm at the corner
    EXPECT_NE(std::find(labels.begin(), labels.end(), "13.5"), labels.end());
    for (const std::string& t : labels) EXPECT_TRUE(t == "v" || std::regex_match(t, std::regex("\\d\\d\\.\\d"))) << t;

    // From 20 deg C the left edge rises to 14.7 g/kgDA: the lines of 0.84
    // and 0.85 m3/kgDA reach saturation left of it and start on the edge.
    Laid l(20, 50);
    const ChartSettings& s = l.chart.settings;
    const auto lines = FileLines(l, Family::Volume);
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

TEST(WetBulbLinesFile, DefaultChartOneLinePerDegreeFromTheSaturationCurve) {
    Laid l;
    const ChartSettings& s = l.chart.settings;
    const auto lines = FileLines(l, Family::WetBulb);
    EXPECT_EQ(lines.at(0), "SP4\x03");
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
    // Lines below the top start on the saturation curve at their own temperature.
    int drawn = 0, onCurve = 0;
    for (const std::string& line : WithPrefix(lines, "PD")) {
        ++drawn;
        const auto up = HpglNumbers(line);
        for (int j = l.frame.IdxMin; j <= l.frame.IdxMax; ++j) {
            const double t = l.chart.table.T(j), x = l.chart.table.S(j);
            onCurve += x < s.MaxAbsHum && std::abs(up[0] - ChartX(s, t, x)) < 0.01 && std::abs(up[1] - ChartY(s, x)) < 0.01;
        }
    }
    EXPECT_EQ(drawn, 32);
    EXPECT_EQ(onCurve, 20); // 10 .. 29 deg C; the saturation curve meets the top near 30
}

TEST(WetBulbLinesFile, NegativeLabelsMoveLeftAsTheyGrow) {
    Laid l(-20, 10);
    const double c = l.chart.settings.LabelUnit;
    const auto lines = FileLines(l, Family::WetBulb);
    int seen = 0;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (!StartsWith(lines[i], "PD") || !StartsWith(lines[i + 1], "DI1,")) continue;
        const auto up = HpglNumbers(lines[i]), low = HpglNumbers(lines[i - 1]);
        std::size_t lb = i + 1;
        while (!StartsWith(lines[lb], "LB") || lines[lb] == "LBt'\x03") ++lb;
        const int t = std::stoi(lines[lb].substr(2));
        EXPECT_NEAR(HpglNumbers(lines[lb - 1])[0], up[0] - (t < -9 ? 3.5 : t < 0 ? 3.0 : 2.5) * c, 0.01) << t;
        // The direction written is the line's angle (in radians) as a slope.
        EXPECT_NEAR(std::stod(lines[i + 1].substr(4)), std::atan((up[1] - low[1]) / (up[0] - low[0])), 1e-4);
        ++seen;
    }
    EXPECT_GT(seen, 20);
}

TEST(VolumeAndWetBulbDraw, LabelsLeanWithTheirLines) {
    Laid l;
    for (Family family : {Family::Volume, Family::WetBulb}) {
        RecordingCanvas canvas;
        OnCanvas(l, family, canvas);
        // Volume labels, the symbol too, run along lines falling to the
        // right; the wet-bulb numbers lean less than their lines, "t'" is upright.
        for (const CanvasCall* t : canvas.of(CanvasCall::Kind::Text)) {
            EXPECT_EQ(t->font.escapement < 0, t->text != "t'") << t->text;
        }
    }
}

} // namespace
} // namespace hyg
