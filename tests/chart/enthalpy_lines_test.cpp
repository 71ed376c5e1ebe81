// Enthalpy lines: values and the symbol "h" in the three unit systems, the
// ends of the lines, and the colours on the canvas.
#include "chart/chart_driver.h"

#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <sstream>

namespace hyg {
namespace {

using test::CanvasCall;
using test::HpglLines;
using test::HpglNumbers;
using test::RecordingCanvas;
using test::StartsWith;

struct Result {
    std::vector<int> values;  // the numbers written, in order
    int hBefore = -1;         // the value whose label follows the symbol "h"
    std::vector<std::string> lines;
};

Result DrawFile(Chart& chart, const ChartFrame& f) {
    std::ostringstream os;
    ChartDevice dev("file", chart.settings, nullptr, &os);
    DrawEnthalpyLines(dev, chart, f.IdxMin, f.IdxMax, f.TopY, f.TopDewPoint);
    Result r;
    r.lines = HpglLines(os.str());
    bool h = false;
    for (const std::string& l : r.lines) {
        if (l == "LBh\x03") {
            h = true;
        } else if (StartsWith(l, "LB")) {
            r.values.push_back(static_cast<int>(HpglNumbers(l).at(0)));
            if (h) r.hBefore = r.values.back(), h = false;
        }
    }
    return r;
}

std::vector<int> Range(int first, int last, int step) {
    std::vector<int> v;
    for (int x = first; x <= last; x += step) v.push_back(x);
    return v;
}

TEST(EnthalpyLinesFile, ValuesInEachUnitSystem) {
    struct Case {
        std::int16_t unit;
        int first, last, step, h;
    };
    for (const Case& c : {Case{1, 3, 26, 1, 16}, Case{2, 15, 105, 5, -1}, Case{3, 6, 46, 2, 28}}) {
        Chart chart;
        chart.settings.EnthalpyUnit = c.unit;
        const ChartFrame f = LayoutChart(chart, nullptr);
        const Result r = DrawFile(chart, f);
        EXPECT_EQ(r.values, Range(c.first, c.last, c.step)) << "unit " << c.unit;
        EXPECT_EQ(r.hBefore, c.h) << "unit " << c.unit;
    }
}

TEST(EnthalpyLinesFile, StatementsOfTheDefaultChart) {
    Chart chart;
    const ChartFrame f = LayoutChart(chart, nullptr);
    const ChartSettings& s = chart.settings;
    const Result r = DrawFile(chart, f);
    ASSERT_GE(r.lines.size(), 5u);
    EXPECT_EQ(r.lines[0], "SP7\x03");
    // The scale line from the lowest saturation point, then the piece of top edge.
    const auto p0 = HpglNumbers(r.lines[1]);
    const auto p1 = HpglNumbers(r.lines[2]);
    const auto p2 = HpglNumbers(r.lines[4]);
    EXPECT_TRUE(StartsWith(r.lines[1], "PU") && StartsWith(r.lines[2], "PD") && StartsWith(r.lines[4], "PD"));
    EXPECT_NEAR(p0[0], f.LeftX, 1e-3);
    EXPECT_NEAR(p0[1], ChartY(s, static_cast<float>(chart.table.S(f.IdxMin))), 1e-3);
    EXPECT_NEAR(p1[1], f.TopY, 1e-3);
    EXPECT_NEAR(p2[0], ChartX(s, f.TopDewPoint, s.MaxAbsHum) + 1, 1e-3);
    // Zone jump between X and Y: the Y begins in column 15.
    EXPECT_EQ(HpglNumbers(r.lines[1].substr(0, 14)).size(), 1u);
    EXPECT_EQ(r.lines[1][13], ' ');
    EXPECT_NEAR(std::stod(r.lines[1].substr(14)), p0[1], 1e-9);

    // Every value: a line inside the chart and a label next to its upper end.
    const double tol = 0.01;
    int lines = 0;
    for (std::size_t k = 5; k + 1 < r.lines.size(); ++k) {
        if (!StartsWith(r.lines[k], "PD")) continue;
        ++lines;
        const auto a = HpglNumbers(r.lines[k - 1]);
        const auto b = HpglNumbers(r.lines[k]);
        EXPECT_GE(a[1], f.BottomY - tol);
        EXPECT_LE(b[1], f.TopY + tol);
        EXPECT_LE(a[0], ChartX(s, s.MaxDryBulb, s.MaxAbsHum) + tol);
        EXPECT_GE(b[0], ChartX(s, s.MinDryBulb, 0) - tol);
        EXPECT_GT(b[1], a[1]);
        EXPECT_LT(b[0], a[0]); // enthalpy lines run up to the left
    }
    EXPECT_EQ(lines, 24);
    // The "h" goes with its doubles before the label of 16.
    const auto h = std::find(r.lines.begin(), r.lines.end(), std::string("LBh\x03"));
    ASSERT_NE(h, r.lines.end());
    EXPECT_TRUE(StartsWith(*(h - 1), "PU"));
    EXPECT_EQ((h - 1)->back(), '\x03');
    EXPECT_EQ(*(h + 2), "LB 16 \x03");
}

TEST(EnthalpyLinesFile, LowerEndsOnTheBottomOrTheRightEdge) {
    Chart chart;
    const ChartFrame f = LayoutChart(chart, nullptr);
    const Result r = DrawFile(chart, f);
    int onRight = 0, onBottom = 0;
    for (std::size_t k = 6; k < r.lines.size(); ++k) {
        if (!StartsWith(r.lines[k], "PD")) continue;
        const auto a = HpglNumbers(r.lines[k - 1]);
        if (std::abs(a[1] - f.BottomY) < 1e-3) {
            ++onBottom;
        } else {
            ++onRight;
            EXPECT_NEAR(a[0], ChartX(chart.settings, 40, (a[1] - f.BottomY) / chart.settings.ScaleY), 0.01);
        }
    }
    EXPECT_EQ(onBottom, 7);  // 3 .. 9 kcal/kgDA meet the bottom edge below 40 deg C
    EXPECT_EQ(onRight, 17);
}

TEST(EnthalpyLinesFile, ColdAndNarrowCharts) {
    // A chart from -20 deg C (the walk must not take table entry 0 for a
    // saturation point) and narrow charts whose top-right corner lies above
    // saturation (the highest values cross it beyond the right edge).
    struct Case {
        float min, max;
        int first, last;
    };
    for (const Case& c : {Case{-20, 20, -4, 9}, Case{0, 10, 1, 7}, Case{10, 20, 3, 13}}) {
        Chart chart;
        chart.settings.MinDryBulb = c.min;
        chart.settings.MaxDryBulb = c.max;
        const ChartFrame f = LayoutChart(chart, nullptr);
        const Result r = DrawFile(chart, f);
        ASSERT_FALSE(r.values.empty()) << c.min;
        EXPECT_EQ(r.values.front(), c.first) << c.min;
        EXPECT_EQ(r.values.back(), c.last) << c.min;
        for (std::size_t k = 5; k < r.lines.size(); ++k) {
            if (!StartsWith(r.lines[k], "PD")) continue;
            const auto a = HpglNumbers(r.lines[k - 1]);
            const auto b = HpglNumbers(r.lines[k]);
            EXPECT_GE(a[1], f.BottomY - 0.01) << c.min;
            EXPECT_LE(b[1], f.TopY + 0.01) << c.min;
            EXPECT_GT(b[1], a[1]) << c.min;
        }
    }
}

TEST(EnthalpyLinesDraw, ColoursAndLabels) {
    for (bool colour : {true, false}) {
        Chart chart;
        if (!colour) chart.settings.PenColor = MonoPenTable();
        const ChartFrame f = LayoutChart(chart, nullptr);
        RecordingCanvas canvas;
        ChartDevice dev("draw", chart.settings, &canvas, nullptr);
        DrawEnthalpyLines(dev, chart, f.IdxMin, f.IdxMax, f.TopY, f.TopDewPoint);
        const Rgb want = colour ? palette::LightRed : palette::Black;
        EXPECT_EQ(canvas.count(CanvasCall::Kind::Line), 2u + 24u);
        for (const CanvasCall& c : canvas.calls) EXPECT_EQ(c.colour, want);
        const auto texts = canvas.of(CanvasCall::Kind::Text);
        ASSERT_EQ(texts.size(), 25u);
        EXPECT_EQ(texts[0]->text, "3");
        EXPECT_EQ(texts[13]->text, "h");
        EXPECT_TRUE(texts[13]->font.italic);
        EXPECT_EQ(texts[13]->font.escapement, 0);
        EXPECT_EQ(texts[14]->text, "16");
        EXPECT_LT(texts[14]->font.escapement, 0); // along its line, falling to the right
    }
}

} // namespace
} // namespace hyg
