// LayoutChart: the scales and frame of the default chart, the top-humidity
// notice, the refusal of an impossible range and the top of every range; and
// the lists every setting may hold, with the item an arbitrary value selects.
#include "chart/chart_settings.h"
#include "chart/setting_ranges.h"
#include "engine/number_format.h"

#include "tests/engine/recording_messenger.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

namespace hyg {
namespace {

using test::RecordingMessenger;

TEST(LayoutChart, DefaultChartAndTheTopHumidityNotice) {
    Chart chart;
    RecordingMessenger ui;
    const ChartFrame f = LayoutChart(chart, &ui);
    const ChartSettings& s = chart.settings;
    EXPECT_TRUE(ui.shown.empty()); // the start-up top humidity is the computed one
    EXPECT_EQ(std::vector<double>({f.ChartWidth, f.ChartHeight, s.ScaleX, s.MaxAbsHum}),
              std::vector<double>({2450, 2450, 340, 27}));
    EXPECT_EQ(std::vector<int>({s.LabelUnit, f.TempCount, f.IdxMin, f.IdxMax}), std::vector<int>({25, 31, 31, 61}));
    // Origin and vertical scale; top edge, SHF origin, the left edge at one
    // thirty-fifth of the window width and the bottom-right corner.
    const double got[] = {s.OriginX,     s.OriginY, s.ScaleY, f.TopY, f.ShfOriginY, ChartX(s, s.MinDryBulb, 0),
                          f.BottomRightX};
    const double want[] = {
        -673.14, 269.23, 90.74, 2450 + 269.23, 17 * 2450.0 / 27 + 269.23, 5000.0 / 35, 340 * 0.24 * 40 - 673.14 + 1};
    for (std::size_t i = 0; i < std::size(got); ++i)
        EXPECT_NEAR(got[i], want[i], i < 3 ? 0.005 : 0.01) << i;
    EXPECT_EQ(f.BottomY, s.OriginY);
    // The table: -20 .. 99 deg C in entries 1 .. 120, entries 0 and 121 left empty.
    const auto& t = chart.table;
    EXPECT_EQ(std::vector<double>({t.T(1), t.T(120), t.T(0), t.S(0), t.S(121)}),
              std::vector<double>({-20, 99, 0, 0, 0}));
    EXPECT_NEAR(chart.table.S(46), 20.0665, 0.002); // 25 deg C at 760 mmHg

    // A top humidity the chart cannot show is noted once, and set to the computed one.
    chart.settings.MaxAbsHum = 30;
    LayoutChart(chart, &ui);
    LayoutChart(chart, &ui); // unchanged settings: no second notice
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text + "|" + ui.shown[0].title, "Hum. is 27 x1000 on diagram.|Ventaro");
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(chart.settings.MaxAbsHum, 27);
}

TEST(LayoutChart, ImpossibleRangeIsRefusedWithAMessage) {
    for (const auto& [min, max] : {std::pair{20.f, 20.f}, {20.f, 10.f}, {-25.f, 10.f}, {10.f, 105.f}, {10.f, 10.f}}) {
        Chart chart;
        chart.settings.MinDryBulb = min, chart.settings.MaxDryBulb = max, chart.settings.MaxAbsHum = 33;
        RecordingMessenger ui;
        EXPECT_THROW(LayoutChart(chart, &ui), LayoutRefused) << min << " to " << max;
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_TRUE(ui.shown[0].title == "Hygrana" && ui.shown[0].icon == MessageIcon::Exclamation);
        if (min == 10 && max == 10) {
            EXPECT_EQ(ui.shown[0].text, "The highest dry-bulb temperature must be above the lowest one.");
        }
        EXPECT_EQ(std::make_pair(chart.settings.MaxAbsHum, chart.settings.ScaleX),
                  std::make_pair(33.f, 0.f)); // untouched
    }
}

// Every range of the range dialog at four pressures in both types: the top edge stays within one g/kgDA of
// where the saturation curve leaves the chart, the top dew point lies on the chart, and neighbouring ranges
// have neighbouring tops (a chart from -20 deg C once collapsed to 1 g/kgDA). The ranges users found wrong:
// from -20 to 10 or 11 deg C the chart is as high as from -19; a narrow range ends its top below 1 g/kgDA
// above the saturation humidity of its hottest temperature.
TEST(LayoutChart, TopHumidityOfEveryDialogRange) {
    for (float p : {700.f, 760.f, 850.f, 1000.f}) {
        for (const std::int16_t type : {std::int16_t{0}, std::int16_t{1}}) {
            std::map<std::pair<int, int>, float> top;
            for (int min = -20; min <= 20; ++min) {
                for (int max = std::max(10, min + 1); max <= 60; ++max) {
                    Chart chart;
                    ChartSettings& s = chart.settings;
                    s.Pressure = s.PressureMmHg = p, s.DiagramType = type;
                    s.MinDryBulb = static_cast<float>(min), s.MaxDryBulb = static_cast<float>(max);
                    const ChartFrame f = LayoutChart(chart, nullptr);
                    SCOPED_TRACE(testing::Message() << min << ".." << max << " at " << p << " type " << type);
                    EXPECT_LT(s.MaxAbsHum - 1, chart.table.S(f.IdxMax));
                    EXPECT_LE(f.TopDewPoint, s.MaxDryBulb);
                    EXPECT_GE(f.TopDewPoint, s.MinDryBulb - 5);
                    top[{min, max}] = s.MaxAbsHum;
                }
            }
            for (const auto& [range, value] : top) {
                for (const auto& n : {std::pair{range.first + 1, range.second}, {range.first, range.second - 1}}) {
                    if (auto it = top.find(n); it != top.end()) {
                        EXPECT_GE(value, 0.75 * it->second) << range.first << ".." << range.second << " at " << p;
                    }
                }
            }
            if (p == 760.f && type == 1) {
                const auto topOf = [&](int min, int max) { return top.at({min, max}); };
                EXPECT_EQ(topOf(-20, 10), topOf(-19, 10));
                EXPECT_EQ(topOf(-20, 11), topOf(-19, 11));
                // (Saturation at 18 deg C is 12.96 g/kgDA, at 21 15.79, at 11 8.18.)
                for (const auto& [min, max, want] :
                     {std::tuple{-20, 10, 5}, {15, 18, 13}, {20, 21, 16}, {10, 11, 9}, {10, 40, 27}, {0, 50, 27}})
                    EXPECT_EQ(topOf(min, max), want) << min << ".." << max;
            }
        }
    }
}

TEST(SettingRanges, ListEndsAndTheNearestItem) {
    std::string ends;
    for (const ValueList* list : {&PressureList(PressureIn::MmHg), &PressureList(PressureIn::KPa),
                                  &PressureList(PressureIn::Atm), &kMinDryBulbList, &kMaxDryBulbList, &kMaxAbsHumList,
                                  &kShfOriginDryBulbList, &kMaxMoistureRatioList, &kVertHorizRatioList}) {
        ends += FormatNumber(list->item(0), list->pattern) + ".." +
                FormatNumber(list->item(list->count() - 1), list->pattern) + " (" + std::to_string(list->count()) +
                ") ";
    }
    EXPECT_EQ(ends, "1000..700 (301) 120.0..90.0 (301) 1.200..0.900 (301) 20..-20 (41) 60..10 (51) 100..1 (100) "
                    "30..10 (21) 21..1 (21) 3..14 (12) ");
    // Counted in whole items: the 201st kPa item is exactly 100.0, the 240th atm item 0.961.
    const ValueList& kpa = PressureList(PressureIn::KPa);
    EXPECT_EQ(FormatNumber(kpa.item(200), "0.0000000"), "100.0000000");
    EXPECT_EQ(FormatNumber(PressureList(PressureIn::Atm).item(239), "0.0000000"), "0.9610000");
    // A value selects the nearest item; a half goes to the even tenth.
    // 101.325 is 101.3, 101.35 101.4; beyond the ends (and NaN) the nearest end.
    EXPECT_EQ(
        std::vector<int>({kpa.nearestItem(101.325), kpa.nearestItem(101.35), kpa.nearestItem(130),
                          kpa.nearestItem(-std::numeric_limits<double>::infinity()), kpa.nearestItem(std::nan(""))}),
        std::vector<int>({187, 186, 0, 300, 0}));
    EXPECT_TRUE(kpa.holds(89.96) && kpa.holds(120.04));
    EXPECT_FALSE(kpa.holds(89.94) || kpa.holds(120.06) || kpa.holds(std::nan("")));
    const ValueList& ratio = kVertHorizRatioList; // smallest first: 10 is 1.0
    EXPECT_EQ(std::vector<int>({ratio.nearestItem(10), ratio.nearestItem(2), ratio.nearestItem(99)}),
              std::vector<int>({7, 0, 11}));
}

} // namespace
} // namespace hyg
