// LayoutChart: the scales and frame of the default chart, the top-humidity
// notice and the refusal of an impossible range.
#include "chart/chart_settings.h"

#include "tests/engine/recording_messenger.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

namespace hyg {
namespace {

using test::RecordingMessenger;

TEST(LayoutChart, DefaultChart) {
    Chart chart;
    RecordingMessenger ui;
    const ChartFrame f = LayoutChart(chart, &ui);
    const ChartSettings& s = chart.settings;
    EXPECT_TRUE(ui.shown.empty()); // the start-up top humidity is the computed one
    EXPECT_EQ(s.LabelUnit, 25);
    EXPECT_EQ(std::vector<double>({f.ChartWidth, f.ChartHeight, s.ScaleX, s.MaxAbsHum}),
              std::vector<double>({2450, 2450, 340, 27}));
    EXPECT_EQ(std::vector<int>({f.TempCount, f.IdxMin, f.IdxMax}), std::vector<int>({31, 31, 61}));
    EXPECT_NEAR(s.OriginX, -673.14, 0.005);
    EXPECT_NEAR(s.OriginY, 269.23, 0.005);
    EXPECT_EQ(f.BottomY, s.OriginY);
    EXPECT_NEAR(s.ScaleY, 90.74, 0.005);
    EXPECT_NEAR(f.TopY, 2450 + 269.23, 0.01);
    EXPECT_NEAR(f.ShfOriginY, 17 * 2450.0 / 27 + 269.23, 0.01);
    EXPECT_NEAR(ChartX(s, s.MinDryBulb, 0), 5000.0 / 35, 0.01); // one thirty-fifth of the window width
    EXPECT_NEAR(f.BottomRightX, 340 * 0.24 * 40 - 673.14 + 1, 0.01);
    // The table: -20 .. 99 deg C in entries 1 .. 120, entries 0 and 121 left empty.
    EXPECT_EQ(chart.table.T(1) + chart.table.T(120), -20 + 99);
    EXPECT_EQ(chart.table.T(0) + chart.table.S(0) + chart.table.S(121), 0);
    EXPECT_NEAR(chart.table.S(46), 20.0665, 0.002); // 25 deg C at 760 mmHg
}

TEST(LayoutChart, ChangedTopHumidityIsNotedOnce) {
    Chart chart;
    chart.settings.MaxAbsHum = 30;
    RecordingMessenger ui;
    LayoutChart(chart, &ui);
    LayoutChart(chart, &ui); // unchanged settings: no second notice
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Hum. is 27 x1000 on diagram.");
    EXPECT_EQ(ui.shown[0].title, "Ventaro");
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(chart.settings.MaxAbsHum, 27);
}

TEST(LayoutChart, ImpossibleRangeIsRefusedWithAMessage) {
    for (const auto& [min, max] : {std::pair{20.f, 20.f}, {20.f, 10.f}, {-25.f, 10.f}, {10.f, 105.f}, {10.f, 10.f}}) {
        Chart chart;
        chart.settings.MinDryBulb = min;
        chart.settings.MaxDryBulb = max;
        chart.settings.MaxAbsHum = 33;
        RecordingMessenger ui;
        EXPECT_THROW(LayoutChart(chart, &ui), LayoutRefused) << min << " to " << max;
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].title, "Hygrana");
        EXPECT_EQ(ui.shown[0].icon, MessageIcon::Exclamation);
        if (min == 10 && max == 10) {
            EXPECT_EQ(ui.shown[0].text, "The highest dry-bulb temperature must be above the lowest one.");
        }
        // Nothing of the settings was touched.
        EXPECT_EQ(chart.settings.MaxAbsHum, 33);
        EXPECT_EQ(chart.settings.ScaleX, 0);
    }
}

// The top humidity of every range of the range dialog, at the ends and the
// middle of the pressure list, in both diagram types: the last pass of the
// search lies below saturation at the hottest temperature, so the top edge
// stays within one g/kgDA of where the saturation curve leaves the chart and
// the top dew point lies on the chart; and neighbouring ranges have
// neighbouring tops (a chart from -20 deg C once collapsed to 1 g/kgDA).
TEST(LayoutChart, TopHumidityOfEveryDialogRange) {
    for (float p : {700.f, 850.f, 1000.f}) {
        for (std::int16_t type : {0, 1}) {
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
        }
    }
}

// The ranges users found wrong: from -20 to 10 or 11 deg C the chart is as
// high as from -19; a narrow range ends its top below 1 g/kgDA above the
// saturation humidity of its hottest temperature (15..18 went to 16 g/kgDA,
// 20..21 to 20, 10..11 to 12).
TEST(LayoutChart, ColdAndNarrowRanges) {
    const auto topOf = [](float min, float max) {
        Chart chart;
        chart.settings.MinDryBulb = min, chart.settings.MaxDryBulb = max;
        LayoutChart(chart, nullptr);
        return chart.settings.MaxAbsHum;
    };
    EXPECT_EQ(topOf(-20, 10), topOf(-19, 10));
    EXPECT_EQ(topOf(-20, 11), topOf(-19, 11));
    EXPECT_EQ(topOf(-20, 10), 5);
    EXPECT_EQ(topOf(15, 18), 13); // 12.96 g/kgDA saturate 18 deg C
    EXPECT_EQ(topOf(20, 21), 16); // 15.79 at 21 deg C
    EXPECT_EQ(topOf(10, 11), 9);  // 8.18 at 11 deg C
    EXPECT_EQ(topOf(10, 40), 27);
    EXPECT_EQ(topOf(0, 50), 27);
}

} // namespace
} // namespace hyg
