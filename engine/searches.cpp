// Dew-point and wet-bulb searches.
//
// Both searches step the trial temperature down from the dry bulb in steps
// of 1 deg C (each trial rounded to single), stop at the first trial whose
// vapour pressure is not above the air's, and interpolate linearly between
// that trial and the one above it. Written out step by step they cost one
// property evaluation per degree (60 or more for warm, dry air), so the
// searches here first estimate where the stop will be from an approximate
// saturation curve, then evaluate the exact trials around that point only.
// The stop is found by the same comparisons on the same trial values, and
// the interpolation is the same code, so the result is the very same single
// as the step-by-step search; DewPointStepwise and WetBulbStepwise keep the
// step-by-step form for inputs outside the range the estimate covers.
//
// Why the shortcut finds the same stop: the trials are 1 deg C apart, and
// over 1 deg C the saturation pressure always rises (the ice and water
// curves differ by less than 0.03 % at 0 deg C, far less than one degree's
// rise), so the dew-point trials fall monotonically. The wet-bulb relation
// rises monotonically on each side of 0 deg C but jumps upwards when the
// wet bulb freezes (the latent heat of fusion enters the denominator), so
// the wet-bulb search treats the trials above 0 and those at or below 0 as
// two monotonic runs and looks at the last trial above 0 before it looks
// at the ice run.
#include "engine/basic.h"
#include "engine/physics.h"
#include "engine/psychro.h"
#include "engine/psychro_internal.h"

#include <cmath>
#include <optional>

namespace hyg {

namespace {

// Vapour pressure [atm] of air of humidity x [kg/kgDA] at pAtm [atm].
float PartialPressure(float pAtm, float x, const char* where) {
    return Sgl(Div(static_cast<double>(pAtm) * x, x + kMolarRatio, where), where);
}

// A step that cannot move the trial (|t| of 2^24 or more) would never end.
float StepDown(float trial, const char* where) {
    const float next = trial - 1.0f;
    if (next == trial)
        throw FloatingPointFault(FloatingPointFault::Kind::Overflow, where);
    return next;
}

// Range in which the estimates are used; outside it the step-by-step form runs.
constexpr float kFastMin = -100.0f;
constexpr float kFastMax = 200.0f;
constexpr float kDewFloor = -100.0f;

// Approximate saturation pressure [atm] (Magnus form over water and ice) and
// its inverse: used only to guess where the exact search will stop.
constexpr double kMagnusP0 = 6.112 / 1013.25; // atm
inline double ApproxSatPressure(double t, double& dlnp) {
    const double a = t > 0.0 ? 17.62 : 22.46;
    const double b = t > 0.0 ? 243.12 : 272.62;
    const double d = b + t;
    dlnp = a * b / (d * d);
    return kMagnusP0 * std::exp(a * t / d);
}
inline double ApproxDewPoint(double pw) {
    const double l = std::log(pw / kMagnusP0);
    const double tw = 243.12 * l / (17.62 - l);
    return tw >= 0.0 ? tw : 272.62 * l / (22.46 - l);
}

// First index k with ceil semantics: the trial t - k lies at or below `at`.
inline int StepsTo(double t, double at, int lo) {
    const double k = std::ceil(t - at);
    if (!(k >= lo))
        return lo;
    return k > 1000.0 ? 1000 : static_cast<int>(k);
}

// The end of the wet-bulb search: the trial tw where the downward steps stopped
// with the pressure q, then the bisection and the interpolation. qAt(tw)
// gives the psychrometer pressure for a trial (clamping it to t as the
// relation does); `known` holds one already evaluated trial to reuse.
template <class QAt> float WetBulbFinish(float pw, float tw, float q, QAt&& qAt) {
    if (!(q < pw))
        return tw;
    float th = tw + 1.0f; // the last trial with q above p_w
    // Bisection towards th while the wet-bulb humidity is clamped to 0. A
    // midpoint that no longer moves ends it (it would otherwise never end).
    for (int guard = 0; q == 0.0f && guard < 400; ++guard) {
        const float mid = Sgl((static_cast<double>(tw) + th) / 2.0, "WetBulb");
        if (mid == tw)
            break;
        tw = mid;
        q = qAt(tw);
    }
    const float qh = qAt(th);
    if (Sgl(static_cast<double>(qh) - q, "WetBulb") == 0.0f)
        q = 0.0f;
    if (qh == q)
        return th;
    const float f = Sgl(Div(static_cast<double>(pw) - q, static_cast<double>(qh) - q, "WetBulb"), "WetBulb");
    return Sgl((1.0 - f) * tw + static_cast<double>(f) * th, "WetBulb");
}

float DewPointInterpolate(float pw, float td, float p, float ph, float th) {
    const float f = Sgl(Div(static_cast<double>(pw) - p, static_cast<double>(ph) - p, "DewPoint"), "DewPoint");
    return Sgl((1.0 - f) * td + static_cast<double>(f) * th, "DewPoint");
}

} // namespace

namespace detail {

float TrialAfterSteps(float t, int k) {
    // Runs of steps that need no rounding are taken at once: a step from a
    // trial at or above 0.5 is exact, and so is a step that keeps a negative
    // trial inside its binade (1 is a multiple of its spacing there). Only
    // the steps that cross into the next binade are taken one at a time.
    float a = t;
    int j = 0;
    while (j < k) {
        const int left = k - j;
        if (!(std::fabs(a) < 8388608.0f)) { // 2^23: no exact runs to take
            a = a - 1.0f;
            ++j;
            continue;
        }
        int run;
        if (a >= 0.5f) {
            run = static_cast<int>(std::floor(static_cast<double>(a) - 0.5)) + 1;
        } else if (a <= -1.0f) {
            int e;
            std::frexp(-a, &e); // -a in [2^(e-1), 2^e)
            run = static_cast<int>(std::ceil(std::ldexp(1.0, e) + static_cast<double>(a))) - 1;
        } else {
            run = 0;
        }
        if (run > 0) {
            const int n = run < left ? run : left;
            a = static_cast<float>(static_cast<double>(a) - n);
            j += n;
        } else {
            a = a - 1.0f;
            ++j;
        }
    }
    return a;
}

float DewPointStepwise(float pAtm, float t, float x) {
    const float pw = PartialPressure(pAtm, x, "DewPoint");
    float td = t;
    float p = SatPressure(td);
    if (p == pw)
        return td;
    while (p > pw) {
        td = StepDown(td, "DewPoint");
        if (td < kDewFloor)
            return kDewFloor;
        p = SatPressure(td);
        if (p == pw)
            return td;
    }
    const float th = td + 1.0f;
    return DewPointInterpolate(pw, td, p, SatPressure(th), th);
}

float WetBulbStepwise(float pAtm, float t, float x) {
    const float pw = PartialPressure(pAtm, x, "WetBulb");
    auto qAt = [&](float& tw) { return WetBulbVapourPressure(pAtm, t, tw); };
    float tw = t;
    float q = qAt(tw);
    if (q == 0.0f)
        q = 0.0001f;
    if (q >= 0.0f) {
        while (q > pw) {
            tw = StepDown(tw, "WetBulb");
            q = qAt(tw);
            if (q <= 0.0f)
                break;
        }
    }
    return WetBulbFinish(pw, tw, q, [&](float& v) { return qAt(v); });
}

} // namespace detail

namespace {

// A trial temperature [deg C] of a search and the pressure [atm] it gives:
// the saturation pressure for the dew point, the psychrometer pressure for
// the wet bulb.
struct Trial {
    float t = 0;
    float p = 0;
};

// Where the dew-point search stopped: the first trial below the dry bulb
// whose saturation pressure is not above p_w, and the trial above it.
struct DewStop {
    Trial at;
    Trial above;
};

// The dew-point search from the estimate for the dry bulb t, knowing that
// t itself has the saturation pressure p0 > pw. None when the trials pass
// the floor first.
std::optional<DewStop> DewPointStop(float t, float pw, float p0) {
    auto trial = [&](int k) { return detail::TrialAfterSteps(t, k); };
    int k = StepsTo(t, ApproxDewPoint(pw), 1);
    float tk = trial(k);
    while (k > 1 && tk < kDewFloor)
        tk = trial(--k);
    if (tk < kDewFloor)
        return std::nullopt; // the first step already passes the floor
    DewStop stop{{tk, SatPressure(tk)}, {t, p0}};
    if (stop.at.p > pw) {
        do {
            stop.above = stop.at;
            stop.at.t = stop.at.t - 1.0f;
            if (stop.at.t < kDewFloor)
                return std::nullopt;
            stop.at.p = SatPressure(stop.at.t);
        } while (stop.at.p > pw);
        return stop;
    }
    while (k > 1) {
        const float tp = trial(k - 1);
        const float pp = SatPressure(tp);
        if (pp > pw) {
            stop.above = {tp, pp};
            break;
        }
        k = k - 1;
        stop.at = {tp, pp};
    }
    return stop;
}

} // namespace

float DewPoint(float pAtm, float t, float x) {
    if (!(t >= kFastMin && t <= kFastMax))
        return detail::DewPointStepwise(pAtm, t, x);
    const float pw = PartialPressure(pAtm, x, "DewPoint");
    // Every trial from t down to the floor has a positive saturation
    // pressure, so dry air (or a negative humidity) steps to the floor.
    if (!(pw > 0.0f))
        return kDewFloor;

    const float p0 = SatPressure(t);
    if (p0 == pw)
        return t;
    if (p0 < pw) { // supersaturated: no step, extrapolate above t
        const float th = t + 1.0f;
        return DewPointInterpolate(pw, t, p0, SatPressure(th), th);
    }
    const std::optional<DewStop> stop = DewPointStop(t, pw, p0);
    if (!stop)
        return kDewFloor;
    if (stop->at.p == pw)
        return stop->at.t;
    const float th = stop->at.t + 1.0f;
    const float ph = th == stop->above.t ? stop->above.p : SatPressure(th);
    return DewPointInterpolate(pw, stop->at.t, stop->at.p, ph, th);
}

namespace {

// The wet bulb estimated from the approximate saturation curve: Newton
// steps on x_s'(tw) - (0.441 x_s' + c_pa)(t - tw) / L(tw) = x, for air at
// P [atm], t [deg C], x [kg/kgDA] with dry-air specific heat cpa. Four steps
// are enough for a guess that only picks where the exact search starts; a
// pressure the curve cannot reach stops the steps early.
double WetBulbEstimate(double P, double td, double xd, double cpa) {
    double est = td;
    for (int it = 0; it < 4; ++it) {
        double dlnp;
        const double ps = ApproxSatPressure(est, dlnp);
        if (!(ps < P))
            break;
        const double xs = kMolarRatio * ps / (P - ps);
        const double dxs = kMolarRatio * P * ps * dlnp / ((P - ps) * (P - ps));
        const bool ice = est <= 0.0;
        const double L = kLatentHeat0Decimal + kCpVapourDecimal * td - est + (ice ? kFusionHeat - kCpIce * est : 0.0);
        const double g = xs - (kCpVapourDecimal * xs + cpa) * (td - est) / L - xd;
        const double dg = dxs + (kCpVapourDecimal * xs + cpa) / L;
        const double step = g / dg;
        est -= step;
        if (std::fabs(step) < 0.02)
            break;
    }
    return est;
}

// Where a search of the wet-bulb trials stopped: trial number k, the trial
// itself, and the trial above it (the last one seen with q above p_w).
struct TrialStop {
    bool found = false;
    int k = 0;
    Trial at;
    Trial above;
};

// Searches one monotonic run [lo, hi] of the trials below the dry bulb t,
// starting at trial `start`, for the first k with q_k <= pw, knowing
// q_{lo-1} > pw; `above` is what is known of the trial above the run. Not
// found when every trial of the run is above pw (then `above` is trial hi),
// or when the trials pass -200 deg C.
template <class QAt> TrialStop SearchRun(float t, float pw, int lo, int hi, int start, Trial above, QAt& qAt) {
    TrialStop stop{.found = true, .k = start < lo ? lo : (start > hi ? hi : start), .above = above};
    stop.at.t = detail::TrialAfterSteps(t, stop.k);
    stop.at.p = qAt(stop.at.t);
    if (stop.at.p > pw) {
        do {
            stop.above = stop.at;
            if (stop.k == hi) {
                stop.found = false;
                return stop;
            }
            ++stop.k;
            stop.at.t = stop.at.t - 1.0f;
            if (stop.at.t < -200.0f) {
                stop.found = false;
                return stop;
            }
            stop.at.p = qAt(stop.at.t);
        } while (stop.at.p > pw);
        return stop;
    }
    while (stop.k > lo) {
        float tp = detail::TrialAfterSteps(t, stop.k - 1);
        const float qp = qAt(tp);
        if (qp > pw) {
            stop.above = {tp, qp};
            return stop;
        }
        --stop.k;
        stop.at = {tp, qp};
    }
    return stop; // k == lo: q_{lo-1} > p_w is known
}

// The first wet-bulb trial below the dry bulb t whose pressure is not above
// pw, searched from the estimate `est`: first among the trials above 0 deg C
// (trials 0 .. water-1), looking at the last of them before the jump, then
// in the ice run. None when the search leaves the range it covers.
template <class QAt> std::optional<TrialStop> WetBulbStop(float t, float pw, float q0, double est, QAt& qAt) {
    const int water = t > 0.0f ? static_cast<int>(std::ceil(static_cast<double>(t))) : 0;
    constexpr int kOpen = 1 << 20; // the ice run has no end of its own
    const int start = StepsTo(t, est, 1);
    Trial above{t, q0};
    if (water >= 2) {
        // The stop may be the last trial above 0, before the jump.
        const TrialStop stop = SearchRun(t, pw, 1, water - 1, start <= water - 2 ? start : water - 1, above, qAt);
        if (stop.found)
            return stop;
        above = stop.above;
    }
    const TrialStop stop = SearchRun(t, pw, water >= 1 ? water : 1, kOpen, start, above, qAt);
    if (!stop.found)
        return std::nullopt;
    return stop;
}

} // namespace

float WetBulb(float pAtm, float t, float x) {
    if (!(t >= kFastMin && t <= kFastMax) || !(pAtm >= 0.01f && pAtm <= 100.0f)) {
        return detail::WetBulbStepwise(pAtm, t, x);
    }
    const float pw = PartialPressure(pAtm, x, "WetBulb");
    // Dry air and boiling air (p_s at t not below P, where a trial could
    // meet P = p_s) take the step-by-step form.
    const float pst = SatPressure(t);
    if (!(pw > 0.0f) || !(pst < pAtm))
        return detail::WetBulbStepwise(pAtm, t, x);
    const float cpa = DryAirSpecificHeat(Sgl(kStandardMmHg * pAtm, "WetBulb"), t);
    const float q0 = detail::WetBulbVapourPressureFrom(pAtm, t, t, cpa, pst);
    if (!(q0 > 0.0f))
        return detail::WetBulbStepwise(pAtm, t, x);
    auto qAt = [&](float& tw) {
        if (tw > t)
            tw = t;
        return detail::WetBulbVapourPressureWith(pAtm, t, tw, cpa);
    };
    if (q0 <= pw)
        return WetBulbFinish(pw, t, q0, qAt);

    const double est = WetBulbEstimate(pAtm, t, x, cpa);
    if (!std::isfinite(est) || est < -150.0)
        return detail::WetBulbStepwise(pAtm, t, x);
    const std::optional<TrialStop> stop = WetBulbStop(t, pw, q0, est, qAt);
    if (!stop)
        return detail::WetBulbStepwise(pAtm, t, x);
    // The search stopped at trial k with q_k <= p_w (q_k is never negative
    // here); the trial above it is known already.
    const Trial above = stop->above;
    auto qFinish = [&](float& v) {
        if (v == above.t && v <= t)
            return above.p;
        return qAt(v);
    };
    return WetBulbFinish(pw, stop->at.t, stop->at.p, qFinish);
}

} // namespace hyg
