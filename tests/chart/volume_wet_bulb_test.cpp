// Specific-volume and wet-bulb lines: which lines are numbered, and the
// symbol among them.
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <regex>

namespace hyg {
namespace {

using namespace test;

TEST(VolumeLinesFile, EveryHundredthWithTheSymbolAThirdThrough) {
    Laid l;
    // 0.8022 m3/kgDA at the bottom-left corner, 0.9257 at the top-right.
    EXPECT_EQ(Labels(FileLines(l, Family::Volume)),
              (std::vector<std::string>{"0.81", "0.82", "0.83", "v", "0.84", "0.85", "0.86", "0.87", "0.88", "0.89",
                                        "0.90", "0.91", "0.92"}));
    // In ft3/lbm: 0.8022 * 16.018 = 12.85 at the corner, a tenth apart.
    Laid ip(10, 40, 1, 3);
    const auto labels = Labels(FileLines(ip, Family::Volume));
    ASSERT_GE(labels.size(), 3u);
    EXPECT_EQ(labels[0], "12.9");
    for (const std::string& t : labels) EXPECT_TRUE(t == "v" || std::regex_match(t, std::regex("\\d\\d\\.\\d"))) << t;
}

TEST(WetBulbLinesFile, NumberedFromElevenToThirtyOne) {
    Laid l;
    // Lines 0 .. 31 deg C (the wet bulbs of dry air at 10 deg C and of the
    // top-right corner). Those from the left edge (0 .. 9) and the one from
    // the corner (10) carry no number; t' goes on the line that starts above
    // half the height.
    std::vector<std::string> expected;
    for (int t = 11; t <= 31; ++t) {
        if (t == 20) expected.push_back("t'");
        expected.push_back(std::to_string(t));
    }
    const auto lines = FileLines(l, Family::WetBulb);
    EXPECT_EQ(Labels(lines), expected);
    EXPECT_EQ(WithPrefix(lines, "PD").size(), 32u);
}

} // namespace
} // namespace hyg
