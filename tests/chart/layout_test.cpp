// LayoutChart: the scales and frame of the default chart, the chart size by
// ratio, the top-humidity notice and the refusal of an impossible range.
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

    EXPECT_EQ(s.LabelUnit, 25);
    EXPECT_EQ(f.ChartWidth, 2450);
    EXPECT_EQ(f.ChartHeight, 2450);
    EXPECT_EQ(f.TempCount, 31);
    EXPECT_EQ(f.IdxMin, 31);
    EXPECT_EQ(f.IdxMax, 61);
    EXPECT_EQ(s.ScaleX, 340);
    EXPECT_NEAR(s.OriginX, -673.14, 0.005);
    EXPECT_NEAR(s.OriginY, 269.23, 0.005);
    EXPECT_EQ(f.BottomY, s.OriginY);
    EXPECT_EQ(s.MaxAbsHum, 27);
    EXPECT_NEAR(s.ScaleY, 90.74, 0.005);
    EXPECT_NEAR(f.TopY, 2450 + 269.23, 0.01);
    EXPECT_NEAR(f.ShfOriginY, 17 * 2450.0 / 27 + 269.23, 0.01);
    EXPECT_TRUE(ui.shown.empty()); // the start-up value is the computed one
    // The bottom-left corner sits at one thirty-fifth of the window width.
    EXPECT_NEAR(ChartX(s, s.MinDryBulb, 0), 5000.0 / 35, 0.01);
    // The table: -20 .. 99 deg C in entries 1 .. 120, entries 0 and 121 up empty.
    EXPECT_EQ(chart.table.T(1), -20);
    EXPECT_EQ(chart.table.T(120), 99);
    EXPECT_EQ(chart.table.T(0) + chart.table.S(0) + chart.table.S(121), 0);
    EXPECT_NEAR(chart.table.S(46), 20.0665, 0.002); // 25 deg C at 760 mmHg
    EXPECT_GT(f.TopDewPoint, 25);
    EXPECT_LT(f.TopDewPoint, 30);
    EXPECT_GT(f.TopRightX, f.BottomRightX);
    EXPECT_NEAR(f.BottomRightX, 340 * 0.24 * 40 - 673.14 + 1, 0.01);
}

TEST(LayoutChart, ChartSizeRatioAndTableEdges) {
    struct Case {
        float ratio, min, max, width, height;
        int idxMin, idxMax;
    };
    for (const Case& c : {Case{5, 10, 40, 3500, 1750, 31, 61}, Case{15, 10, 40, 1633.33f, 2450, 31, 61},
                          Case{7, 10, 40, 3500, 2450, 31, 61}, Case{10, -20, 60, 2450, 2450, 1, 81}}) {
        Chart chart;
        chart.settings.VertHorizRatio = c.ratio;
        chart.settings.MinDryBulb = c.min, chart.settings.MaxDryBulb = c.max;
        const ChartFrame f = LayoutChart(chart, nullptr);
        EXPECT_NEAR(f.ChartWidth, c.width, 0.01) << "ratio " << c.ratio;
        EXPECT_NEAR(f.ChartHeight, c.height, 0.01) << "ratio " << c.ratio;
        EXPECT_NEAR(f.TopY - f.BottomY, c.height, 0.01) << "ratio " << c.ratio;
        EXPECT_EQ(f.IdxMin, c.idxMin);
        EXPECT_EQ(f.IdxMax, c.idxMax);
        EXPECT_EQ(f.TempCount, c.idxMax - c.idxMin + 1);
    }
    // The dry-bulb type has vertical edges.
    for (float min : {-20.0f, 0.0f, 10.0f, 20.0f}) {
        Chart chart;
        chart.settings.DiagramType = 0;
        chart.settings.MinDryBulb = min, chart.settings.MaxDryBulb = min + 30;
        const ChartFrame f = LayoutChart(chart, nullptr);
        EXPECT_FLOAT_EQ(f.LeftX, static_cast<float>(ChartX(chart.settings, min, 0))) << min;
        EXPECT_FLOAT_EQ(f.TopRightX, f.BottomRightX) << min;
    }
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
    // Another range moves the top edge and says so.
    chart.settings.MaxDryBulb = 50;
    LayoutChart(chart, &ui);
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_NE(chart.settings.MaxAbsHum, 27);
    EXPECT_EQ(ui.shown[1].text, "Hum. is " + std::to_string(static_cast<int>(chart.settings.MaxAbsHum)) +
                                    " x1000 on diagram.");
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
