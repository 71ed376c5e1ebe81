// The dew-point and wet-bulb searches start from an estimate; they must
// give the very same single as the search written out step by step. The
// step-by-step searches below are written from the algorithm, independently
// of the engine's own fallback, and compared bit for bit over dense sweeps.
#include "engine/fault.h"
#include "engine/psychro.h"
#include "engine/psychro_internal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

using namespace hyg;

namespace {

float Single(double v) { return static_cast<float>(v); }

float ReferenceDewPoint(float pAtm, float t, float x) {
    const float pw = Single(static_cast<double>(pAtm) * x / (x + 0.622));
    float td = t;
    float p = SatPressure(td);
    if (p == pw) return td;
    while (p > pw) {
        td = td - 1.0f;
        if (td < -100.0f) return -100.0f;
        p = SatPressure(td);
        if (p == pw) return td;
    }
    const float th = td + 1.0f;
    const float ph = SatPressure(th);
    const float f = Single((static_cast<double>(pw) - p) / (static_cast<double>(ph) - p));
    return Single((1.0 - f) * td + static_cast<double>(f) * th);
}

float ReferenceWetBulb(float pAtm, float t, float x) {
    const float pw = Single(static_cast<double>(pAtm) * x / (x + 0.622));
    float tw = t;
    float q = WetBulbVapourPressure(pAtm, t, tw);
    if (q == 0.0f) q = 0.0001f;
    if (q >= 0.0f) {
        while (q > pw) {
            tw = tw - 1.0f;
            q = WetBulbVapourPressure(pAtm, t, tw);
            if (q <= 0.0f) break;
        }
    }
    if (!(q < pw)) return tw;
    float th = tw + 1.0f;
    while (q == 0.0f) {
        const float mid = Single((static_cast<double>(tw) + th) / 2.0);
        if (mid == tw) break;
        tw = mid;
        q = WetBulbVapourPressure(pAtm, t, tw);
    }
    const float qh = WetBulbVapourPressure(pAtm, t, th);
    if (Single(static_cast<double>(qh) - q) == 0.0f) q = 0.0f;
    if (qh == q) return th;
    const float f = Single((static_cast<double>(pw) - q) / (static_cast<double>(qh) - q));
    return Single((1.0 - f) * tw + static_cast<double>(f) * th);
}

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Humidity [kg/kgDA] of air at relative humidity rh [%].
float HumidityAt(float pAtm, float t, double rh) {
    const double pw = SatPressure(t) * rh / 100.0;
    return Single(0.622 * pw / (pAtm - pw));
}

struct Sweep {
    long states = 0;
    long mismatches = 0;
};

void Compare(Sweep& s, float pAtm, float t, float x) {
    ++s.states;
    const float wf = WetBulb(pAtm, t, x), wr = ReferenceWetBulb(pAtm, t, x);
    const float df = DewPoint(pAtm, t, x), dr = ReferenceDewPoint(pAtm, t, x);
    if (!SameBits(wf, wr) || !SameBits(df, dr)) {
        if (++s.mismatches <= 10) {
            ADD_FAILURE() << "P=" << pAtm << " t=" << t << " x=" << x << ": wet bulb " << wf << " vs " << wr
                          << ", dew point " << df << " vs " << dr;
        }
    }
}

} // namespace

TEST(SearchEquivalence, TrialTemperaturesStepAsSinglesDo) {
    std::vector<float> starts{25.0f, 25.3f, 0.3f, 0.7f, 0.5f, 0.49999997f, -0.3f, -7.77f, 59.99f,
                              1e-7f, -1e-7f, -15.3f, 199.9f, -1.0f, -1.9999999f, -3.3f, -0.50000006f};
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> any(-120.0f, 200.0f);
    for (int i = 0; i < 2000; ++i) starts.push_back(any(rng));
    for (float t : starts) {
        float a = t;
        for (int k = 0; k < 320; ++k) {
            ASSERT_TRUE(SameBits(detail::TrialAfterSteps(t, k), a)) << "t=" << t << " k=" << k;
            a = a - 1.0f;
        }
    }
}

TEST(SearchEquivalence, DenseSweepsOfStates) {
    Sweep s;
    // Standard pressure, every tenth of a degree and whole percent.
    for (int ti = -250; ti <= 650; ++ti) {
        const float t = Single(ti / 10.0);
        for (int rh = 1; rh <= 100; ++rh) Compare(s, 1.0f, t, HumidityAt(1.0f, t, rh));
    }
    // Around the ice point at other pressures.
    for (float pMmHg : {228.0f, 500.0f, 700.0f, 760.0f, 1013.0f, 2000.0f, 3800.0f}) {
        const float pAtm = Single(pMmHg / 760.0);
        for (int ti = -300; ti <= 300; ti += 3) {
            const float t = Single(ti / 100.0);
            for (double rh = 0.5; rh <= 100.0; rh += 1.5) Compare(s, pAtm, t, HumidityAt(pAtm, t, rh));
        }
    }
    // The chart drawers ask for whole degrees and whole or half grams.
    for (int t = -20; t <= 60; ++t) {
        for (int xh = 0; xh <= 80; ++xh) Compare(s, 1.0f, static_cast<float>(t), Single(xh * 0.5 / 1000.0));
    }
    // Dry and nearly dry air.
    for (int ti = -200; ti <= 800; ti += 7) {
        for (float x : {0.0f, 1e-9f, 1e-7f, 1e-6f, 1e-5f, 5e-5f, 1e-4f}) Compare(s, 1.0f, Single(ti / 10.0), x);
    }
    // Random states, some supersaturated, at odd pressures.
    std::mt19937 rng(12345);
    std::uniform_real_distribution<float> temp(-60.0f, 120.0f), rh(0.0f, 130.0f), press(0.3f, 5.0f);
    for (int i = 0; i < 60000; ++i) {
        const float pAtm = press(rng), t = temp(rng);
        double r = rh(rng);
        if (SatPressure(t) * r / 100.0 >= pAtm * 0.9) r = 50.0;
        Compare(s, pAtm, t, HumidityAt(pAtm, t, r));
    }
    EXPECT_EQ(s.mismatches, 0) << "of " << s.states;
}

TEST(SearchEquivalence, OutsideTheEstimatedRangeTheStepwiseFormRuns) {
    // Boiling air and temperatures beyond the estimate's range give the
    // step-by-step result (or its fault).
    Sweep s;
    Compare(s, 0.5f, 95.0f, 0.3f);
    Compare(s, 1.0f, 250.0f, 0.05f);
    Compare(s, 1.0f, -120.0f, 1e-6f);
    EXPECT_EQ(s.mismatches, 0);
    // Beyond 2^24 a step of 1 no longer moves the trial: a fault, not a hang.
    EXPECT_THROW(WetBulb(1.0f, 3e7f, 0.0f), FloatingPointFault);
    EXPECT_THROW(DewPoint(1.0f, 3e7f, 0.0f), FloatingPointFault);
}
