// The frame families of the default chart in the plot file: dry-bulb lines
// with their numbers, absolute-humidity lines with the humidity scale.
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace hyg {
namespace {

using namespace test;

TEST(DryBulbLinesFile, ThirtyOneLinesNumberedTenToForty) {
    Laid l;
    const auto lines = FileLines(l, Family::DryBulb);
    std::vector<std::string> expected;
    for (int t = 10; t <= 40; ++t) expected.push_back(std::to_string(t));
    expected.push_back("t");
    EXPECT_EQ(Labels(lines), expected);
    EXPECT_EQ(WithPrefix(lines, "PD").size(), 31u);
}

TEST(AbsHumLinesFile, TwentyEightLinesAndScaleOfEachType) {
    for (std::int16_t type : {1, 0}) {
        Laid l(10, 40, type);
        const auto lines = FileLines(l, Family::AbsHum);
        std::vector<std::string> expected;
        for (int k = 0; k <= 27; ++k) {
            char number[8];
            std::snprintf(number, sizeof number, "0.%03d", k);
            expected.push_back(number);
        }
        expected.push_back("x");
        EXPECT_EQ(Labels(lines), expected) << "type " << type;
        EXPECT_EQ(WithPrefix(lines, "PD").size(), 2u * 28u) << "type " << type; // the lines, then the scale ticks
    }
}

} // namespace
} // namespace hyg
