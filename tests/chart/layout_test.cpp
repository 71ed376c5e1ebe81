// LayoutChart: the scales and frame of the default chart, the top-humidity
// notice and the refusal of an impossible range.
#include "chart/chart_settings.h"

#include "tests/engine/recording_messenger.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
} // namespace hyg
