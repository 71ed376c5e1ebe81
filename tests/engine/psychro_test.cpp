// The property functions against the figures they are specified with, and
// their fault paths.
#include "engine/fault.h"
#include "engine/psychro.h"

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

TEST(SatPressure, GoffGratchFiguresOverWaterAndIce) {
    EXPECT_EQ(SatPressure(100.0f), 1.0f); // the steam point, exactly
    EXPECT_TRUE(Near6(SatPressure(20.0f), 0.0230643));
    EXPECT_NEAR(SatPressure(20.0f) * 760.0, 17.529, 5e-4);
    EXPECT_TRUE(Near6(SatPressure(0.0f), 0.00602678));  // 0 itself takes the water branch
    EXPECT_TRUE(Near6(SatPressure(-0.5f), 0.00578439)); // ice
    EXPECT_TRUE(Near6(SatPressure(-20.0f), 0.00101830));
}

TEST(SatPressure, RisesOverEveryDegreeAcrossTheIcePoint) {
    // The searches rely on it: trials one degree apart never tie or reverse.
    for (float t = -100.0f; t < 150.0f; t += 0.0625f) {
        ASSERT_LT(SatPressure(t - 1.0f), SatPressure(t)) << t;
    }
}

TEST(SatPressure, NonPositiveAbsoluteTemperatureIsAFault) {
    EXPECT_THROW(SatPressure(-273.2f), FloatingPointFault);
    EXPECT_THROW(SatPressure(-300.0f), FloatingPointFault);
    EXPECT_THROW(SatPressure(std::nanf("")), FloatingPointFault);
    EXPECT_NO_THROW(SatPressure(-273.0f));
}

TEST(HumidityRatio, ZeroPressureIsOneAtmosphereAndWrittenBack) {
    float p = 0.0f;
    const float x = HumidityRatio(p, 0.01f);
    EXPECT_EQ(p, 1.0f);
    EXPECT_FLOAT_EQ(x, static_cast<float>(0.622 * 0.01 / 0.99));
    float same = 0.5f;
    EXPECT_THROW(HumidityRatio(same, 0.5f), FloatingPointFault); // P equal to p_w
}

TEST(DryAirSpecificHeat, AtStandardPressureAndTwentyDegrees) {
    EXPECT_TRUE(Near6(DryAirSpecificHeat(760.0f, 20.0f), 0.240358));
    EXPECT_GT(DryAirSpecificHeat(1520.0f, 20.0f), DryAirSpecificHeat(760.0f, 20.0f));
}

TEST(WetBulbVapourPressure, WetBulbAboveDryBulbIsClampedInTheCaller) {
    float tw = 30.0f;
    const float pw = WetBulbVapourPressure(1.0f, 25.0f, tw);
    EXPECT_EQ(tw, 25.0f);
    // Saturated air: the vapour pressure is the saturation pressure.
    EXPECT_TRUE(Near6(pw, SatPressure(25.0f)));
    float tw2 = 10.0f;
    WetBulbVapourPressure(1.0f, 25.0f, tw2);
    EXPECT_EQ(tw2, 10.0f); // a wet bulb below the dry bulb is left alone
}

TEST(WetBulbVapourPressure, VeryDryWetBulbClampsTheHumidityAtZero) {
    float tw = -15.0f;
    EXPECT_EQ(WetBulbVapourPressure(1.0f, 60.0f, tw), 0.0f);
}

TEST(AirProperty, StandardStateAt25DegreesAnd10Grams) {
    EXPECT_TRUE(Near6(AirProperty(1, 760, 25, 10).value(), 20.0665));
    EXPECT_NEAR(AirProperty(2, 760, 25, 10).value(), 17.994, 5e-4);
    EXPECT_NEAR(AirProperty(3, 760, 25, 10).value(), 50.628, 5e-4);
    EXPECT_TRUE(Near6(AirProperty(4, 760, 25, 10).value(), 12.0923));
    EXPECT_NEAR(AirProperty(5, 760, 25, 10).value(), 14.054, 5e-4);
    EXPECT_NEAR(AirProperty(6, 760, 25, 10).value(), 0.85830, 5e-6);
}

TEST(AirProperty, ResultKindsByCode) {
    for (std::int16_t code = 1; code <= 5; ++code) {
        EXPECT_EQ(AirProperty(code, 760, 25, 10).kind, PropertyValue::Kind::Single) << code;
    }
    EXPECT_EQ(AirProperty(6, 760, 25, 10).kind, PropertyValue::Kind::Double);
    EXPECT_TRUE(AirProperty(0, 760, 25, 10).empty());
    EXPECT_TRUE(AirProperty(7, 760, 25, 10).empty());
    EXPECT_EQ(AirPropertyValue(7, 760, 25, 10), 0.0);
    // The volume is not rounded to single.
    const double v = AirProperty(6, 760, 25, 10).dbl;
    EXPECT_NE(v, static_cast<double>(static_cast<float>(v)));
}

TEST(AirProperty, WetBulbUsesTheIceDenominatorAtAndBelowZero) {
    EXPECT_NEAR(AirProperty(2, 760, 0, 2).value(), -2.788, 5e-4);
}

TEST(AirProperty, SaturatedHumidityAtBoilingIsTheGuardValue) {
    EXPECT_EQ(AirProperty(1, 760, 100, 0).single, 1e20f * 1000.0f);
    EXPECT_EQ(AirProperty(1, 300, 100, 5).single, 1e20f * 1000.0f); // whatever the pressure
}

TEST(AirProperty, DewPointOfDryAirIsTheFloor) {
    EXPECT_EQ(DewPoint(1.0f, 25.0f, 0.0f), -100.0f);
    EXPECT_EQ(AirProperty(5, 760, 25, 0).single, -100.0f);
    EXPECT_EQ(AirProperty(5, 760, 25, -3).single, -100.0f);
}

TEST(AirProperty, SaturatedAirHasDewPointAndWetBulbAtTheDryBulb) {
    const float xs = AirProperty(1, 760, 20, 0).single;
    EXPECT_NEAR(AirProperty(5, 760, 20, xs).value(), 20.0, 1e-3);
    EXPECT_NEAR(AirProperty(2, 760, 20, xs).value(), 20.0, 1e-3);
    EXPECT_NEAR(AirProperty(3, 760, 20, xs).value(), 100.0, 1e-3);
}

TEST(AirProperty, FaultsRaiseInsteadOfReturningNonFiniteValues) {
    EXPECT_THROW(AirProperty(6, 0, 25, 10), FloatingPointFault);        // volume divides by P_atm = 0
    EXPECT_THROW(AirProperty(4, 760, 1e30f, 10), FloatingPointFault);   // c_pa overflows a single
    EXPECT_THROW(AirProperty(1, 760, -280, 10), FloatingPointFault);    // below absolute zero
    // P_atm equal to p_s: the psychrometer relation divides by P - p_s.
    const float ps60 = SatPressure(60.0f);
    float tw = 60.0f;
    EXPECT_THROW(WetBulbVapourPressure(ps60, 60.0f, tw), FloatingPointFault);
    EXPECT_THROW(WetBulb(ps60, 60.0f, 0.01f), FloatingPointFault);
}

TEST(EnthalpyCompanions, EnthalpyOfAndSensibleChange) {
    EXPECT_EQ(EnthalpyOf(760, 25, 10), AirProperty(4, 760, 25, 10).single);
    EXPECT_EQ(SensibleEnthalpyChange(760, 15, 25, 10),
              static_cast<float>(static_cast<double>(EnthalpyOf(760, 25, 10)) - EnthalpyOf(760, 15, 10)));
    EXPECT_LT(SensibleEnthalpyChange(760, 25, 15, 10), 0.0f);
}

TEST(PressureUnits, RoundTripsThroughEveryUnit) {
    EXPECT_EQ(PressureFromMmHg(760, 1), 760.0f);
    EXPECT_FLOAT_EQ(PressureFromMmHg(760, 2), 101.325f);
    EXPECT_EQ(PressureFromMmHg(760, 3), 1.0f);
    EXPECT_EQ(PressureFromMmHg(760, 4), 0.0f);
    for (std::int16_t u = 1; u <= 3; ++u) EXPECT_FLOAT_EQ(PressureToMmHg(PressureFromMmHg(760, u), u), 760.0f) << u;
    EXPECT_EQ(PressureToMmHg(101.325f, 2), 760.0f);
    EXPECT_EQ(PressureToMmHg(1.0f, 3), 760.0f);
    EXPECT_EQ(PressureToMmHg(1.0f, 0), 0.0f);
    EXPECT_EQ(OneAtm(1), 760.0f);
    EXPECT_EQ(OneAtm(2), 101.325f);
    EXPECT_EQ(OneAtm(3), 1.0f);
}

TEST(ChartGeometry, LabelUnitAndProtractorRadius) {
    EXPECT_EQ(ChartLabelUnit(-500, 4500), 25.0f);
    EXPECT_NEAR(ProtractorRadius(-500, 4500), 52.29, 5e-3);
    // A plane wide enough that sqrt(width)/20 exceeds 52.29: width above 1.09e6.
    EXPECT_FLOAT_EQ(ProtractorRadius(0, 4e6f), 100.0f);
    EXPECT_THROW(ProtractorRadius(10, 0), FloatingPointFault);
}
