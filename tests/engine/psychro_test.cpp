// The property functions against the figures they are specified with, and
// their fault paths.
#include "engine/fault.h"
#include "engine/psychro.h"
#include "engine/units.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace hyg;

namespace {
// Relative agreement to the six significant digits the figures carry.
::testing::AssertionResult Near6(double actual, double expected) {
    if (std::fabs(actual - expected) <= 5e-6 * std::fabs(expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " is not " << expected << " to six digits";
}
} // namespace

TEST(SatPressure, FiguresOverWaterAndIceAndFaults) {
    EXPECT_EQ(SatPressure(100.0f), 1.0f); // the steam point, exactly
    EXPECT_TRUE(Near6(SatPressure(20.0f), 0.0230643));
    EXPECT_NEAR(SatPressure(20.0f) * 760.0, 17.529, 5e-4);
    EXPECT_TRUE(Near6(SatPressure(0.0f), 0.00602678));  // 0 itself takes the water branch
    EXPECT_TRUE(Near6(SatPressure(-0.5f), 0.00578439)); // ice
    EXPECT_TRUE(Near6(SatPressure(-20.0f), 0.00101830));
    // The searches rely on it: trials one degree apart never tie or reverse.
    for (float t = -100.0f; t < 150.0f; t += 0.0625f) ASSERT_LT(SatPressure(t - 1.0f), SatPressure(t)) << t;
    // A non-positive absolute temperature is a fault.
    for (float t : {-273.2f, -300.0f, std::nanf("")}) EXPECT_THROW(SatPressure(t), FloatingPointFault) << t;
    EXPECT_NO_THROW(SatPressure(-273.0f));
}

TEST(Companions, HumidityRatioSpecificHeatAndWetBulbPressure) {
    float p = 0.0f; // zero pressure is one atmosphere, written back
    EXPECT_FLOAT_EQ(HumidityRatio(p, 0.01f), static_cast<float>(0.622 * 0.01 / 0.99));
    EXPECT_EQ(p, 1.0f);
    float same = 0.5f;
    EXPECT_THROW(HumidityRatio(same, 0.5f), FloatingPointFault); // P equal to p_w
    EXPECT_TRUE(Near6(DryAirSpecificHeat(760.0f, 20.0f), 0.240358));

    // A wet bulb above the dry bulb is clamped in the caller: saturated air.
    float tw = 30.0f;
    EXPECT_TRUE(Near6(WetBulbVapourPressure(1.0f, 25.0f, tw), SatPressure(25.0f)));
    EXPECT_EQ(tw, 25.0f);
    float below = 10.0f;
    WetBulbVapourPressure(1.0f, 25.0f, below);
    EXPECT_EQ(below, 10.0f);
    float dry = -15.0f; // a very dry wet bulb clamps the humidity at zero
    EXPECT_EQ(WetBulbVapourPressure(1.0f, 60.0f, dry), 0.0f);
}

TEST(AirProperty, StandardStateAt25DegreesAnd10Grams) {
    EXPECT_TRUE(Near6(AirProperty(1, 760, 25, 10).value(), 20.0665));
    EXPECT_NEAR(AirProperty(2, 760, 25, 10).value(), 17.994, 5e-4);
    EXPECT_NEAR(AirProperty(3, 760, 25, 10).value(), 50.628, 5e-4);
    EXPECT_TRUE(Near6(AirProperty(4, 760, 25, 10).value(), 12.0923));
    EXPECT_NEAR(AirProperty(5, 760, 25, 10).value(), 14.054, 5e-4);
    EXPECT_NEAR(AirProperty(6, 760, 25, 10).value(), 0.85830, 5e-6);
    for (std::int16_t code = 1; code <= 5; ++code) {
        EXPECT_EQ(AirProperty(code, 760, 25, 10).kind, PropertyValue::Kind::Single) << code;
    }
    // The volume is a double, not rounded to single; codes 0 and 7 are empty.
    const double v = AirProperty(6, 760, 25, 10).dbl;
    EXPECT_NE(v, static_cast<double>(static_cast<float>(v)));
    EXPECT_TRUE(AirProperty(0, 760, 25, 10).empty());
    EXPECT_TRUE(AirProperty(7, 760, 25, 10).empty());
    EXPECT_EQ(AirPropertyValue(7, 760, 25, 10), 0.0);
    EXPECT_EQ(EnthalpyOf(760, 25, 10), AirProperty(4, 760, 25, 10).single);
    EXPECT_LT(SensibleEnthalpyChange(760, 25, 15, 10), 0.0f);
}

TEST(AirProperty, EdgeStates) {
    EXPECT_NEAR(AirProperty(2, 760, 0, 2).value(), -2.788, 5e-4); // the ice denominator at and below 0
    EXPECT_EQ(AirProperty(1, 760, 100, 0).single, 1e20f * 1000.0f); // the guard value at boiling
    EXPECT_EQ(AirProperty(1, 300, 100, 5).single, 1e20f * 1000.0f); // whatever the pressure
    // The dew point of dry air is the floor.
    EXPECT_EQ(DewPoint(1.0f, 25.0f, 0.0f), -100.0f);
    EXPECT_EQ(AirProperty(5, 760, 25, 0).single, -100.0f);
    EXPECT_EQ(AirProperty(5, 760, 25, -3).single, -100.0f);
    // Saturated air has its dew point and wet bulb at the dry bulb.
    const float xs = AirProperty(1, 760, 20, 0).single;
    EXPECT_NEAR(AirProperty(5, 760, 20, xs).value(), 20.0, 1e-3);
    EXPECT_NEAR(AirProperty(2, 760, 20, xs).value(), 20.0, 1e-3);
    EXPECT_NEAR(AirProperty(3, 760, 20, xs).value(), 100.0, 1e-3);
}

TEST(AirProperty, FaultsRaiseInsteadOfReturningNonFiniteValues) {
    EXPECT_THROW(AirProperty(6, 0, 25, 10), FloatingPointFault);      // volume divides by P_atm = 0
    EXPECT_THROW(AirProperty(4, 760, 1e30f, 10), FloatingPointFault); // c_pa overflows a single
    EXPECT_THROW(AirProperty(1, 760, -280, 10), FloatingPointFault);  // below absolute zero
    // P_atm equal to p_s: the psychrometer relation divides by P - p_s.
    const float ps60 = SatPressure(60.0f);
    float tw = 60.0f;
    EXPECT_THROW(WetBulbVapourPressure(ps60, 60.0f, tw), FloatingPointFault);
    EXPECT_THROW(WetBulb(ps60, 60.0f, 0.01f), FloatingPointFault);
    EXPECT_THROW(ProtractorRadius(10, 0), FloatingPointFault);
}

TEST(PressureUnitsAndGeometry, RoundTripsLabelUnitAndRadius) {
    const float inUnit[] = {0, 760.0f, 101.325f, 1.0f};
    for (std::int16_t u = 1; u <= 3; ++u) {
        EXPECT_FLOAT_EQ(PressureFromMmHg(760, u), inUnit[u]) << u;
        EXPECT_EQ(OneAtm(u), inUnit[u]) << u;
        EXPECT_EQ(PressureToMmHg(inUnit[u], u), 760.0f) << u;
    }
    EXPECT_EQ(PressureFromMmHg(760, 4), 0.0f);
    EXPECT_EQ(PressureToMmHg(1.0f, 0), 0.0f);
    EXPECT_EQ(ChartLabelUnit(-500, 4500), 25.0f);
    EXPECT_NEAR(ProtractorRadius(-500, 4500), 52.29, 5e-3);
    EXPECT_FLOAT_EQ(ProtractorRadius(0, 4e6f), 100.0f); // sqrt(width)/20 beyond 52.29 from 1.09e6
}

TEST(UnitTables, EntriesSpareEntriesAndFaults) {
    EXPECT_EQ(EnthalpyFactor(2), 4.186f);
    EXPECT_EQ(EnthalpyFactor(3), 1.7996f);
    EXPECT_EQ(VolumeFactor(3), 16.018f);
    EXPECT_EQ(KiloJouleFactor(1), 4.186f);
    EXPECT_EQ(KiloJouleFactor(3), 1.0551f);
    EXPECT_EQ(FlowFactor(3), 2.2046f);
    EXPECT_EQ(VolumeStep(3), 0.1f);
    EXPECT_EQ(EnthalpyStep(2), 5);
    EXPECT_NEAR(12.09 * EnthalpyFactor(3), 21.76, 5e-3); // the standard state shown in unit system 3
    EXPECT_NEAR(0.8583 * VolumeFactor(3), 13.75, 5e-3);
    const std::pair<std::string, std::string> labels[] = {
        {HumidityLabel(2), "kg/kgDA"}, // the same as unit system 1
        {HumidityLabel(3), "lbm/lbmDA"}, {EnthalpyLabel(3), "Btu/lbmDA"}, {SpecificEnthalpyLabel(2), "kJ/kg"},
        {VolumeLabel(1), "m\u00b3/kgDA"}, {VolumeLabel(3), "ft\u00b3/lbmDA"}, {DensityLabel(3), "lbm/ft\u00b3"},
        {PressureUnitLabel(2), "kPa"},
    };
    for (const auto& [got, want] : labels) EXPECT_EQ(got, want);
    for (int u : {0, 4, 5}) {
        EXPECT_EQ(EnthalpyFactor(u), 0.0f) << u;
        EXPECT_EQ(EnthalpyStep(u), 0) << u;
        EXPECT_EQ(EnthalpyLabel(u) + DensityLabel(u), "") << u;
    }
    for (int u : {-1, 6, 32767}) {
        EXPECT_THROW(EnthalpyFactor(u), IndexFault) << u;
        EXPECT_THROW(VolumeLabel(u), IndexFault) << u;
        EXPECT_THROW(PressureUnitLabel(u), IndexFault) << u;
    }
}
