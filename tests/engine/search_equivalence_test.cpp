// The dew-point and wet-bulb searches start from an estimate; they must
// give the very same single as the search written out step by step. The
// step-by-step searches below are written from the algorithm, independently
// of the engine's own fallback, and compared bit for bit over a dense sweep.
#include "engine/fault.h"
#include "engine/psychro.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

using namespace hyg;

namespace {

float Single(double v) {
    return static_cast<float>(v);
}

float ReferenceDewPoint(float pAtm, float t, float x) {
    const float pw = Single(static_cast<double>(pAtm) * x / (x + 0.622));
    float td = t;
    float p = SatPressure(td);
    if (p == pw)
        return td;
    while (p > pw) {
        td = td - 1.0f;
        if (td < -100.0f)
            return -100.0f;
        p = SatPressure(td);
        if (p == pw)
            return td;
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
    if (q == 0.0f)
        q = 0.0001f;
    if (q >= 0.0f) {
        while (q > pw) {
            tw = tw - 1.0f;
            q = WetBulbVapourPressure(pAtm, t, tw);
            if (q <= 0.0f)
                break;
        }
    }
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
    if (qh == q)
        return th;
    const float f = Single((static_cast<double>(pw) - q) / (static_cast<double>(qh) - q));
    return Single((1.0 - f) * tw + static_cast<double>(f) * th);
}

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

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

TEST(SearchEquivalence, SweepOfStatesAndTheLimit) {
    Sweep s;
    // Standard pressure, every tenth of a degree and whole percent, and dry
    // or nearly dry air.
    for (int ti = -250; ti <= 650; ++ti) {
        const float t = Single(ti / 10.0);
        for (int rh = 1; rh <= 100; ++rh)
            Compare(s, 1.0f, t, HumidityAt(1.0f, t, rh));
        for (float x : {0.0f, 1e-9f, 1e-6f, 1e-4f})
            Compare(s, 1.0f, t, x);
    }
    // Random states, some supersaturated, at odd pressures.
    std::mt19937 rng(12345);
    std::uniform_real_distribution<float> temp(-60.0f, 120.0f), rh(0.0f, 130.0f), press(0.3f, 5.0f);
    for (int i = 0; i < 60000; ++i) {
        const float pAtm = press(rng), t = temp(rng);
        double r = rh(rng);
        if (SatPressure(t) * r / 100.0 >= pAtm * 0.9)
            r = 50.0;
        Compare(s, pAtm, t, HumidityAt(pAtm, t, r));
    }
    // Boiling air and temperatures beyond the estimate's range take the
    // step-by-step form.
    Compare(s, 0.5f, 95.0f, 0.3f);
    Compare(s, 1.0f, 250.0f, 0.05f);
    Compare(s, 1.0f, -120.0f, 1e-6f);
    EXPECT_EQ(s.mismatches, 0) << "of " << s.states;
    // Beyond 2^24 a step of 1 no longer moves the trial: a fault, not a hang.
    EXPECT_THROW(WetBulb(1.0f, 3e7f, 0.0f), FloatingPointFault);
    EXPECT_THROW(DewPoint(1.0f, 3e7f, 0.0f), FloatingPointFault);
}
