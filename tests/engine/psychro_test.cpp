// The property functions against published reference figures, and
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
    if (std::fabs(actual - expected) <= 5e-6 * std::fabs(expected))
        return ::testing::AssertionSuccess();
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
    for (float t = -100.0f; t < 150.0f; t += 0.0625f)
        ASSERT_LT(SatPressure(t - 1.0f), SatPressure(t)) << t;
    // A non-positive absolute temperature is a fault.
    for (float t : {-273.2f, -300.0f, std::nanf("")})
        EXPECT_THROW(SatPressure(t), FloatingPointFault) << t;
    EXPECT_NO_THROW(SatPressure(-273.0f));
}

TEST(HumidityRatio, ZeroPressureIsOneAtmosphere) {
    float p = 0.0f; // zero pressure is one atmosphere, written back
    EXPECT_FLOAT_EQ(HumidityRatio(p, 0.01f), static_cast<float>(0.622 * 0.01 / 0.99));
    EXPECT_EQ(p, 1.0f);
    float same = 0.5f;
    EXPECT_THROW(HumidityRatio(same, 0.5f), FloatingPointFault); // P equal to p_w
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
}

TEST(AirProperty, EdgeStates) {
    EXPECT_NEAR(AirProperty(2, 760, 0, 2).value(), -2.788, 5e-4);   // the ice denominator at and below 0
    EXPECT_EQ(AirProperty(1, 760, 100, 0).single, 1e20f * 1000.0f); // the guard value at boiling
    EXPECT_EQ(AirProperty(5, 760, 25, 0).single, -100.0f);          // the dew point of dry air is the floor
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

TEST(UnitsAndGeometry, PressureRoundTripTablesAndRadius) {
    EXPECT_FLOAT_EQ(PressureFromMmHg(760, PressureIn::KPa), 101.325f);
    EXPECT_EQ(PressureToMmHg(101.325f, PressureIn::KPa), 760.0f);
    EXPECT_EQ(ChartLabelUnit(-500, 4500), 25.0f);
    EXPECT_NEAR(ProtractorRadius(-500, 4500), 52.29, 5e-3);
    // Units come from the codes 1 to 3 only; a value cast from anything
    // else is a fault in the tables.
    EXPECT_EQ(UnitSystemOfCode(3), UnitSystem::Imperial);
    EXPECT_EQ(PressureUnitOfCode(2), PressureIn::KPa);
    for (int u : {-1, 0, 4, 32767}) {
        EXPECT_EQ(UnitSystemOfCode(u), std::nullopt) << u;
        EXPECT_EQ(PressureUnitOfCode(u), std::nullopt) << u;
        EXPECT_THROW(EnthalpyFactor(static_cast<UnitSystem>(u)), IndexFault) << u;
        EXPECT_THROW(VolumeLabel(static_cast<UnitSystem>(u)), IndexFault) << u;
        EXPECT_THROW(PressureUnitLabel(static_cast<PressureIn>(u)), IndexFault) << u;
    }
}
