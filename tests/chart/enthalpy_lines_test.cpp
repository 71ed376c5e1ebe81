// Enthalpy lines: values and the symbol "h" in the three unit systems, and
// lines that stay inside the chart.
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

namespace hyg {
namespace {

using namespace test;

TEST(EnthalpyLinesFile, ValuesSymbolAndLinesInsideTheChart) {
    // The default chart runs 3 .. 26 kcal/kgDA with "h" beside 16. The last
    // three: a chart from -20 deg C (the walk must not take table entry 0
    // for a saturation point) and narrow charts whose top-right corner lies
    // above saturation (the highest values cross it beyond the right edge).
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

} // namespace
} // namespace hyg
