// Saturation vapour pressure of water (Goff-Gratch), over ice below 0 deg C
// and over liquid water from 0 deg C up.
#include "engine/basic.h"
#include "engine/physics.h"
#include "engine/psychro.h"
#include "engine/psychro_internal.h"

#include <cmath>

namespace hyg {

namespace {

// Decimal logarithm written as the natural logarithm over ln 10.
inline double Log10(double v) {
    return std::log(v) / kLn10;
}

// 10^y, through the exponential (the same value to well inside single
// precision, at a fraction of the cost of a general power).
inline double Pow10(double y) {
    return std::exp(y * kLn10);
}

// log10 of the triple-point reference pressure 0.006028 atm.
const double kLog10IceReference = std::log(0.006028) / kLn10;

} // namespace

float SatPressure(float t) {
    const double T = static_cast<double>(t) + kZeroCelsius; // K
    if (!(T > 0.0)) {
        throw FloatingPointFault(T == 0.0 ? FloatingPointFault::Kind::DivisionByZero
                                          : FloatingPointFault::Kind::Invalid,
                                 "SatPressure: absolute temperature not positive");
    }
    double sum;
    if (t < 0.0f) {
        // Over ice, referred to the triple point.
        const double r = kZeroCelsius / T;
        sum = -9.09718 * (r - 1.0) - 3.56654 * Log10(r) + 0.876793 * (1.0 - 1.0 / r) + kLog10IceReference;
    } else {
        // Over water, referred to the steam point (1 atm, so no reference term).
        const double r = 373.15 / T;
        sum = static_cast<double>(-7.90298f) * (r - 1.0) + 5.02808 * Log10(r) -
              1.3816e-7 * (Pow10(11.344 * (1.0 - 1.0 / r)) - 1.0) + 8.1328e-3 * (Pow10(-3.49149 * (r - 1.0)) - 1.0);
    }
    return Sgl(Pow10(Checked(sum, "SatPressure")), "SatPressure");
}

} // namespace hyg
