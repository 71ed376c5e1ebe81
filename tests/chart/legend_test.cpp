// The partial-pressure scale and the legend block in both modes.
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

namespace hyg {
namespace {

using namespace test;

TEST(PartialPressureScale, DefaultScaleZeroToThirtyOne) {
    Laid l;
    const ChartSettings& s = l.chart.settings;
    const auto lines = FileLines(l, Family::PartialPressure);
    // 27 g/kgDA at 760 mmHg is 31.6 mmHg: ticks 0 .. 31, the first unnumbered.
    std::vector<std::string> expected = {""};
    for (int i = 1; i <= 31; ++i) expected.push_back(std::to_string(i));
    expected.push_back("Pw");
    EXPECT_EQ(Labels(lines), expected);
    int ticks = 0;
    for (std::size_t k = 0; k + 1 < lines.size(); ++k) {
        if (!StartsWith(lines[k], "PU") || !StartsWith(lines[k + 1], "PD")) continue;
        const auto a = HpglNumbers(lines[k]), b = HpglNumbers(lines[k + 1]);
        if (a[1] != b[1]) continue; // the axis
        // Tick i at the humidity of i mmHg at standard pressure.
        EXPECT_NEAR(a[0], l.frame.TopRightX + 140, 1e-3);
        EXPECT_NEAR(b[0], l.frame.TopRightX + 140 + 135, 1e-3);
        EXPECT_NEAR(a[1], s.ScaleY * (ticks * 622.0 / (760 - ticks)) + s.OriginY, 2e-3);
        ++ticks;
    }
    EXPECT_EQ(ticks, 32);

    // The screen numbers the first tick too.
    RecordingCanvas canvas;
    OnCanvas(l, Family::PartialPressure, canvas);
    EXPECT_EQ(canvas.texts().at(0) + " " + canvas.texts().at(31), "0 31");
}

TEST(LegendFile, DefaultTextsAndPlaces) {
    Laid l;
    const auto lines = FileLines(l, Family::Legend);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "SI .28  .56 \x03");
    // Windows-1252 in the file: 0xB0 degree, 0xB3 superscript three.
    const std::vector<std::string> expected = {
        "   Chart Height =  2455 cm",
        "   Chart Widhth =  2450 cm",
        "   Min. Temp. =  10 \xb0" "C",
        "   Max. Temp. =  40 \xb0" "C",
        "   Max. Abs. Hum. = 0.027 kg/kgDA",
        "   SHF Origin = 17 \xb0" "C, 0.017  kg/kgDA",
        "   Atm. Pressure = 760 mmHg",
        "   Max. Moisture R. =  800 kcal/kg",
        " t  = Dry B.Temp. \xb0" "C",
        " t' = Wet B.Temp. \xb0" "C",
        "Psi = Saturation Degree  %",
        "Phi = Relative Humidity  %",
        " x  = Absolute Humidity  kg/kgDA",
        "Pw  = Partial Pressure  mmHg",
        " h  = Enthalpy  kcal/kgDA",
        " v  = Specific Volume m\xb3/kgDA",
        " u  = Moisture  Ratio kcal/kg",
        "SHF = Sensible Heat Factor (-)",
    };
    EXPECT_EQ(Labels(lines), expected);

    // Places: the chart-size and range lines over the left end, 20 text
    // sizes apart; the table right of the chart, 15 sizes a row.
    const double s = 1.2 * l.chart.settings.LabelUnit;
    std::vector<std::vector<double>> at;
    for (std::size_t k = 1; k < lines.size(); k += 2) at.push_back(HpglNumbers(lines[k]));
    ASSERT_EQ(at.size(), 18u);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(at[k][0], l.frame.LeftX, 1e-3);
        EXPECT_NEAR(at[k][1], l.frame.TopY + (100.0 - 20 * k) * s, 2e-3);
    }
    EXPECT_NEAR(at[4][1], l.frame.TopY + 100 * 20, 2e-3);
    EXPECT_NEAR(at[7][1], l.frame.TopY + 40 * s, 2e-3);
    for (std::size_t j = 0; j < 10; ++j) {
        EXPECT_NEAR(at[8 + j][0], l.frame.TopRightX + 600, 1e-3);
        EXPECT_NEAR(at[8 + j][1], l.frame.ShfOriginY - (20.0 + 15 * j) * s, 2e-3);
    }
}

TEST(LegendFile, PressureUnitsAndInchPoundMeanings) {
    Laid l([](ChartSettings& s) { s.EnthalpyUnit = 3, s.PressureUnit = 2, s.Pressure = 101.3f; });
    auto labels = Labels(FileLines(l, Family::Legend));
    ASSERT_EQ(labels.size(), 18u);
    EXPECT_EQ(labels[6], "   Atm. Pressure = 101.3 kPa");
    EXPECT_EQ(labels[4], "   Max. Abs. Hum. = 0.027 lbm/lbmDA");
    EXPECT_EQ(labels[7], "   Max. Moisture R. =  800 Btu/lbm");
    EXPECT_EQ(labels[12], " x  = Absolute Humidity  lbm/lbmDA");
    EXPECT_EQ(labels[14], " h  = Enthalpy  Btu/lbmDA");
    EXPECT_EQ(labels[15], " v  = Specific Volume ft\xb3/lbmDA");
    EXPECT_EQ(labels[16], " u  = Moisture  Ratio Btu/lbm");
    l.chart.settings.PressureUnit = 3;
    l.chart.settings.Pressure = 1;
    EXPECT_EQ(Labels(FileLines(l, Family::Legend))[6], "   Atm. Pressure = 1.000 atm");
}

TEST(LegendScreen, RangeAndTableWithoutTheChartSize) {
    Laid l;
    l.chart.settings.LabelUnit = 7; // refreshed from the window by the legend
    RecordingCanvas canvas;
    OnCanvas(l, Family::Legend, canvas);
    EXPECT_EQ(l.chart.settings.LabelUnit, 25);
    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 26u);
    // The screen drops the leading blank of each text.
    EXPECT_EQ(texts[0], "  Min. Temp. =  10 \u00b0C");
    EXPECT_EQ(texts[1], "  Max. Temp. =  40 \u00b0C");
    EXPECT_EQ(texts[5], "  Atm. Pressure = 760 mmHg");
    for (const std::string& t : texts) EXPECT_EQ(t.find("Chart"), std::string::npos) << t;
    EXPECT_EQ(texts[6] + texts[7], "t = Dry B.Temp. \u00b0C");
    EXPECT_EQ(texts[20] + texts[21], "v = Specific Volume m\u00b3/kgDA");
    EXPECT_EQ(texts[24], "SHF");
}

} // namespace
} // namespace hyg
