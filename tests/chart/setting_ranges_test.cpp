// The lists every setting may hold: their items as the dialogs show them and
// the item an arbitrary value selects.
#include "chart/setting_ranges.h"

#include "engine/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace hyg {
namespace {

std::string Ends(const ValueList& list) {
    return FormatNumber(list.item(0), list.pattern) + ".." + FormatNumber(list.item(list.count() - 1), list.pattern) +
           " (" + std::to_string(list.count()) + ")";
}

TEST(SettingRanges, ListsRunBetweenTheirEnds) {
    EXPECT_EQ(Ends(PressureList(PressureIn::MmHg)), "1000..700 (301)");
    EXPECT_EQ(Ends(PressureList(PressureIn::KPa)), "120.0..90.0 (301)");
    EXPECT_EQ(Ends(PressureList(PressureIn::Atm)), "1.200..0.900 (301)");
    EXPECT_EQ(Ends(kMinDryBulbList), "20..-20 (41)");
    EXPECT_EQ(Ends(kMaxDryBulbList), "60..10 (51)");
    EXPECT_EQ(Ends(kMaxAbsHumList), "100..1 (100)");
    EXPECT_EQ(Ends(kShfOriginDryBulbList), "30..10 (21)");
    EXPECT_EQ(Ends(kMaxMoistureRatioList), "21..1 (21)");
    EXPECT_EQ(Ends(kVertHorizRatioList), "3..14 (12)");
    // Counted in whole items: the 201st kPa item is exactly 100.0, the 240th atm item 0.961.
    EXPECT_EQ(FormatNumber(PressureList(PressureIn::KPa).item(200), "0.0000000"), "100.0000000");
    EXPECT_EQ(FormatNumber(PressureList(PressureIn::Atm).item(239), "0.0000000"), "0.9610000");
}

TEST(SettingRanges, ValuesSelectTheNearestItemOnTheList) {
    const ValueList& kpa = PressureList(PressureIn::KPa);
    EXPECT_EQ(kpa.nearestItem(101.325), 187); // 101.3
    EXPECT_EQ(kpa.nearestItem(101.35), 186);  // a half goes to the even tenth, 101.4
    EXPECT_EQ(kpa.nearestItem(130), 0);
    EXPECT_EQ(kpa.nearestItem(-std::numeric_limits<double>::infinity()), 300);
    EXPECT_EQ(kpa.nearestItem(std::nan("")), 0);
    EXPECT_TRUE(kpa.holds(89.96) && kpa.holds(120.04));
    EXPECT_FALSE(kpa.holds(89.94) || kpa.holds(120.06) || kpa.holds(std::nan("")));
    EXPECT_EQ(kVertHorizRatioList.nearestItem(10), 7); // 1.0, smallest first
    EXPECT_EQ(kVertHorizRatioList.nearestItem(2), 0);
    EXPECT_EQ(kVertHorizRatioList.nearestItem(99), 11);
}

} // namespace
} // namespace hyg
