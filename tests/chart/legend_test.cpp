// The partial-pressure scale and the legend block in both modes.
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

namespace hyg {
namespace {

using namespace test;

TEST(PartialPressureScale, DefaultScaleZeroToThirtyOne) {
    Laid l;
    // 27 g/kgDA at 760 mmHg is 31.6 mmHg: ticks 0 .. 31, the first unnumbered
    // in the file and numbered on the screen.
    std::vector<std::string> expected = {""};
    for (int i = 1; i <= 31; ++i) expected.push_back(std::to_string(i));
    expected.push_back("Pw");
    EXPECT_EQ(Labels(FileLines(l, Family::PartialPressure)), expected);
    RecordingCanvas canvas;
    OnCanvas(l, Family::PartialPressure, canvas);
    EXPECT_EQ(canvas.texts().at(0), "0");
}

TEST(LegendFile, DefaultTextsAndOtherUnits) {
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

    l.chart.settings.EnthalpyUnit = 3, l.chart.settings.PressureUnit = 2, l.chart.settings.Pressure = 101.3f;
    const auto labels = Labels(FileLines(l, Family::Legend));
    ASSERT_EQ(labels.size(), 18u);
    EXPECT_EQ(labels[6], "   Atm. Pressure = 101.3 kPa");
    EXPECT_EQ(labels[7], "   Max. Moisture R. =  800 Btu/lbm");
    EXPECT_EQ(labels[15], " v  = Specific Volume ft\xb3/lbmDA");
}

TEST(LegendScreen, RangeAndTableWithoutTheChartSize) {
    Laid l;
    l.chart.settings.LabelUnit = 7; // refreshed from the window by the legend
    RecordingCanvas canvas;
    OnCanvas(l, Family::Legend, canvas);
    EXPECT_EQ(l.chart.settings.LabelUnit, 25);
    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 26u);
    // The screen drops the leading blank of each text and writes UTF-8.
    EXPECT_EQ(texts[0], "  Min. Temp. =  10 \u00b0C");
    for (const std::string& t : texts) EXPECT_EQ(t.find("Chart"), std::string::npos) << t;
    EXPECT_EQ(texts[20] + texts[21], "v = Specific Volume m\u00b3/kgDA");
}

} // namespace
} // namespace hyg
