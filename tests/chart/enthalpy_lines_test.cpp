// Enthalpy lines: values and the symbol "h" in the three unit systems, the
// ends of the lines, and the colours on the canvas.
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace hyg {
namespace {

using namespace test;

TEST(EnthalpyLinesFile, ValuesSymbolAndLinesInsideTheChart) {
    // The last three: a chart from -20 deg C (the walk must not take table
    // entry 0 for a saturation point) and narrow charts whose top-right
    // corner lies above saturation (the highest values cross it beyond the
    // right edge).
    struct Case {
        std::int16_t unit;
        float min, max;
        int first, last, step, h; // h: the value after the symbol, -1 none
    };
    for (const Case& c : {Case{1, 10, 40, 3, 26, 1, 16}, Case{2, 10, 40, 15, 105, 5, -1}, Case{3, 10, 40, 6, 46, 2, 28},
                          Case{1, -20, 20, -4, 9, 1, 4}, Case{1, 0, 10, 1, 7, 1, 6}, Case{1, 10, 20, 3, 13, 1, 10}}) {
        Laid l(c.min, c.max, 1, c.unit);
        const ChartFrame& f = l.frame;
        const auto lines = FileLines(l, Family::Enthalpy);
        std::vector<int> values, expected;
        int h = -1;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (lines[k] == "LBh\x03") h = static_cast<int>(HpglNumbers(lines.at(k + 2)).at(0));
            else if (StartsWith(lines[k], "LB")) values.push_back(static_cast<int>(HpglNumbers(lines[k])[0]));
            if (k < 5 || !StartsWith(lines[k], "PD")) continue;
            const auto a = HpglNumbers(lines[k - 1]), b = HpglNumbers(lines[k]);
            EXPECT_GE(a[1], f.BottomY - 0.01) << c.min;
            EXPECT_LE(b[1], f.TopY + 0.01) << c.min;
            EXPECT_GT(b[1], a[1]) << c.min;
            EXPECT_LT(b[0], a[0]) << c.min; // enthalpy lines run up to the left
        }
        for (int v = c.first; v <= c.last; v += c.step) expected.push_back(v);
        EXPECT_EQ(values, expected) << "unit " << c.unit << " from " << c.min;
        EXPECT_EQ(h, c.h) << "unit " << c.unit << " from " << c.min;
    }
}

TEST(EnthalpyLinesFile, StatementsAndEndsOfTheDefaultChart) {
    Laid l;
    const ChartFrame& f = l.frame;
    const ChartSettings& s = l.chart.settings;
    const auto lines = FileLines(l, Family::Enthalpy);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "SP7\x03");
    // The scale line from the lowest saturation point, then the piece of top edge.
    EXPECT_TRUE(StartsWith(lines[1], "PU") && StartsWith(lines[2], "PD") && StartsWith(lines[4], "PD"));
    const auto p0 = HpglNumbers(lines[1]);
    EXPECT_NEAR(p0[0], f.LeftX, 1e-3);
    EXPECT_NEAR(p0[1], ChartY(s, static_cast<float>(l.chart.table.S(f.IdxMin))), 1e-3);
    EXPECT_NEAR(HpglNumbers(lines[2])[1], f.TopY, 1e-3);
    EXPECT_NEAR(HpglNumbers(lines[4])[0], ChartX(s, f.TopDewPoint, s.MaxAbsHum) + 1, 1e-3);
    // The "h" goes with its own position before the label " 16 ".
    const auto h = std::find(lines.begin(), lines.end(), std::string("LBh\x03"));
    ASSERT_NE(h, lines.end());
    EXPECT_TRUE(StartsWith(*(h - 1), "PU") && (h - 1)->back() == '\x03');
    EXPECT_EQ(*(h + 2), "LB 16 \x03");
    // Lower ends: 3 .. 9 kcal/kgDA meet the bottom edge, the rest the right one.
    int onRight = 0, onBottom = 0;
    for (std::size_t k = 6; k < lines.size(); ++k) {
        if (!StartsWith(lines[k], "PD")) continue;
        const auto a = HpglNumbers(lines[k - 1]);
        if (std::abs(a[1] - f.BottomY) < 1e-3) {
            ++onBottom;
        } else {
            ++onRight;
            EXPECT_NEAR(a[0], ChartX(s, 40, (a[1] - f.BottomY) / s.ScaleY), 0.01);
        }
    }
    EXPECT_EQ(onBottom, 7);
    EXPECT_EQ(onRight, 17);
}

TEST(EnthalpyLinesDraw, SymbolUprightValuesAlongTheirLines) {
    Laid l;
    RecordingCanvas canvas;
    OnCanvas(l, Family::Enthalpy, canvas);
    const auto texts = canvas.of(CanvasCall::Kind::Text);
    ASSERT_EQ(texts.size(), 25u);
    EXPECT_EQ(texts[0]->text + " " + texts[13]->text + " " + texts[14]->text, "3 h 16");
    EXPECT_EQ(texts[13]->font.escapement, 0);
    EXPECT_LT(texts[14]->font.escapement, 0); // falling to the right
}

} // namespace
} // namespace hyg
