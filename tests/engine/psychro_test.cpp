// The property functions against published reference figures and their
// fault paths, and the searches against the search written out step by step.
#include "engine/fault.h"
#include "engine/psychro.h"
#include "engine/units.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

using namespace hyg;

TEST(PropertyFunctions, FiguresEdgeStatesAndFaults) {
    EXPECT_EQ(SatPressure(100.0f), 1.0f); // the steam point, exactly
    // To the six digits of the figures; 0 itself takes the water branch, below it the ice one.
    for (const auto& [t, p] :
         {std::pair{20.0f, 0.0230643}, {0.0f, 0.00602678}, {-0.5f, 0.00578439}, {-20.0f, 0.00101830}})
        EXPECT_NEAR(SatPressure(t), p, 5e-6 * p) << t;
    // The searches rely on it: trials one degree apart never tie or reverse.
    for (float t = -100.0f; t < 150.0f; t += 0.0625f)
        ASSERT_LT(SatPressure(t - 1.0f), SatPressure(t)) << t;
    float p = 0.0f; // zero pressure is one atmosphere, written back
    EXPECT_FLOAT_EQ(HumidityRatio(p, 0.01f), static_cast<float>(0.622 * 0.01 / 0.99));
    EXPECT_EQ(p, 1.0f);
    // The volume is a double, not rounded to a single; codes 0 and 7 are empty; at boiling the guard value, for
    // dry air the dew point's floor; saturated air has its dew point and wet bulb at the dry bulb.
    const double v = AirProperty(6, 760, 25, 10).dbl;
    EXPECT_NE(v, static_cast<double>(static_cast<float>(v)));
    EXPECT_TRUE(AirProperty(0, 760, 25, 10).empty() && AirProperty(7, 760, 25, 10).empty());
    EXPECT_EQ(AirProperty(1, 760, 100, 0).single, 1e20f * 1000.0f);
    EXPECT_EQ(AirProperty(5, 760, 25, 0).single, -100.0f);
    const float xs = AirProperty(1, 760, 20, 0).single;
    for (const auto& [code, value] : {std::pair{5, 20.0}, {2, 20.0}, {3, 100.0}})
        EXPECT_NEAR(AirProperty(static_cast<std::int16_t>(code), 760, 20, xs).value(), value, 1e-3) << code;
    EXPECT_EQ(PressureToMmHg(101.325f, PressureIn::KPa), 760.0f);

    // Faults instead of non-finite values: a non-positive absolute temperature.
    for (float t : {-273.2f, -300.0f, std::nanf("")})
        EXPECT_THROW(SatPressure(t), FloatingPointFault) << t;
    EXPECT_NO_THROW(SatPressure(-273.0f));
    EXPECT_THROW(AirProperty(1, 760, -280, 10), FloatingPointFault);
    float same = 0.5f;
    EXPECT_THROW(HumidityRatio(same, 0.5f), FloatingPointFault);      // P equal to p_w
    EXPECT_THROW(AirProperty(6, 0, 25, 10), FloatingPointFault);      // volume divides by P_atm = 0
    EXPECT_THROW(AirProperty(4, 760, 1e30f, 10), FloatingPointFault); // c_pa overflows a single
    // P_atm equal to p_s: the psychrometer relation divides by P - p_s.
    const float ps60 = SatPressure(60.0f);
    float tw = 60.0f;
    EXPECT_THROW(WetBulbVapourPressure(ps60, 60.0f, tw), FloatingPointFault);
    EXPECT_THROW(WetBulb(ps60, 60.0f, 0.01f), FloatingPointFault);
    EXPECT_THROW(ProtractorRadius(10, 0), FloatingPointFault);
    // Units come from the codes 1 to 3 only; a value cast from anything
    // else is a fault in the tables.
    for (int u : {-1, 0, 4, 32767}) {
        EXPECT_EQ(UnitSystemOfCode(u), std::nullopt) << u;
        EXPECT_EQ(PressureUnitOfCode(u), std::nullopt) << u;
        EXPECT_THROW(EnthalpyFactor(static_cast<UnitSystem>(u)), IndexFault) << u;
        EXPECT_THROW(VolumeLabel(static_cast<UnitSystem>(u)), IndexFault) << u;
        EXPECT_THROW(PressureUnitLabel(static_cast<PressureIn>(u)), IndexFault) << u;
    }
}

// The dew-point and wet-bulb searches start from an estimate; they must
// give the very same single as the search written out step by step, written
// here from the algorithm independently of the engine's own fallback.
constexpr auto Single = [](double v) { return static_cast<float>(v); };

// Linear between the trials lo and hi where the pressure is plo and phi.
static float Between(float pw, float lo, float plo, float hi, float phi) {
    const float f = Single((static_cast<double>(pw) - plo) / (static_cast<double>(phi) - plo));
    return Single((1.0 - f) * lo + static_cast<double>(f) * hi);
}

static float ReferenceDewPoint(float pAtm, float t, float x) {
    const float pw = Single(static_cast<double>(pAtm) * x / (x + 0.622));
    float td = t, p = SatPressure(td);
    while (p > pw) {
        if ((td -= 1.0f) < -100.0f)
            return -100.0f;
        p = SatPressure(td);
    }
    return p == pw ? td : Between(pw, td, p, td + 1.0f, SatPressure(td + 1.0f));
}

static float ReferenceWetBulb(float pAtm, float t, float x) {
    const float pw = Single(static_cast<double>(pAtm) * x / (x + 0.622));
    float tw = t, q = WetBulbVapourPressure(pAtm, t, tw);
    q = q == 0.0f ? 0.0001f : q;
    while (q > pw) // (no humidity here is negative, so this also stops at the first q <= 0)
        q = WetBulbVapourPressure(pAtm, t, tw -= 1.0f);
    if (!(q < pw))
        return tw;
    float th = tw + 1.0f;
    while (q == 0.0f) {
        const float mid = Single((static_cast<double>(tw) + th) / 2.0);
        if (mid == tw)
            break;
        tw = mid;
        q = WetBulbVapourPressure(pAtm, t, tw);
    }
    const float qh = WetBulbVapourPressure(pAtm, t, th);
    if (Single(static_cast<double>(qh) - q) == 0.0f)
        q = 0.0f;
    return qh == q ? th : Between(pw, tw, q, th, qh);
}

TEST(SearchEquivalence, SweepOfStatesAndTheLimit) {
    long mismatches = 0;
    const auto compare = [&](float pAtm, float t, float x) {
        const float wf = WetBulb(pAtm, t, x), wr = ReferenceWetBulb(pAtm, t, x);
        const float df = DewPoint(pAtm, t, x), dr = ReferenceDewPoint(pAtm, t, x);
        // The same bits, not merely equal values.
        const auto same = [](float a, float b) {
            return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
        };
        if ((!same(wf, wr) || !same(df, dr)) && ++mismatches <= 10) {
            ADD_FAILURE() << "P=" << pAtm << " t=" << t << " x=" << x << ": wet bulb " << wf << " vs " << wr
                          << ", dew point " << df << " vs " << dr;
        }
    };
    // Humidity [kg/kgDA] of air at relative humidity rh [%].
    const auto humidityAt = [](float pAtm, float t, double rh) {
        return Single(0.622 * (SatPressure(t) * rh / 100.0) / (pAtm - SatPressure(t) * rh / 100.0));
    };
    // Standard pressure, every tenth of a degree and whole percent, and dry
    // or nearly dry air.
    for (int ti = -250; ti <= 650; ++ti) {
        const float t = Single(ti / 10.0);
        for (int rh = 1; rh <= 100; ++rh)
            compare(1.0f, t, humidityAt(1.0f, t, rh));
        for (float x : {0.0f, 1e-9f, 1e-6f, 1e-4f})
            compare(1.0f, t, x);
    }
    // Random states, some supersaturated, at odd pressures.
    std::mt19937 rng(12345);
    std::uniform_real_distribution<float> temp(-60.0f, 120.0f), rh(0.0f, 130.0f), press(0.3f, 5.0f);
    for (int i = 0; i < 60000; ++i) {
        const float pAtm = press(rng), t = temp(rng);
        double r = rh(rng);
        if (SatPressure(t) * r / 100.0 >= pAtm * 0.9)
            r = 50.0;
        compare(pAtm, t, humidityAt(pAtm, t, r));
    }
    // Boiling air and temperatures beyond the estimate's range take the
    // step-by-step form.
    compare(0.5f, 95.0f, 0.3f);
    compare(1.0f, 250.0f, 0.05f);
    compare(1.0f, -120.0f, 1e-6f);
    EXPECT_EQ(mismatches, 0);
    // Beyond 2^24 a step of 1 no longer moves the trial: a fault, not a hang.
    EXPECT_THROW(WetBulb(1.0f, 3e7f, 0.0f), FloatingPointFault);
    EXPECT_THROW(DewPoint(1.0f, 3e7f, 0.0f), FloatingPointFault);
}
