// Numeric conversions with the rounding rules the chart and the tables are
// defined with, each checked so that a value that does not fit raises a
// typed fault instead of wrapping or becoming undefined.
//
//   CInt  -> 16-bit integer, nearest, halves to even
//   CLng  -> 32-bit integer, nearest, halves to even
//   Int   -> largest whole number not above the argument
//   Sgl   -> rounded to single precision (a value stored in a Single field)
#pragma once

#include "engine/fault.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace hyg {

// Raises FloatingPointFault when v is not finite; returns v otherwise.
inline double Checked(double v, const char* where) {
    if (std::isfinite(v))
        return v;
    throw FloatingPointFault(std::isnan(v) ? FloatingPointFault::Kind::Invalid : FloatingPointFault::Kind::Overflow,
                             where);
}

// Division that raises on a zero divisor (x / 0 is a run-time error, not inf).
inline double Div(double num, double den, const char* where) {
    if (den == 0.0) {
        throw FloatingPointFault(
            num == 0.0 ? FloatingPointFault::Kind::Invalid : FloatingPointFault::Kind::DivisionByZero, where);
    }
    return Checked(num / den, where);
}

// Stores a double into a Single: rounds to float, raises on overflow.
inline float Sgl(double v, const char* where = "single") {
    Checked(v, where);
    if (std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max())) {
        // Values that round to FLT_MAX are still representable.
        const float f = static_cast<float>(v);
        if (!std::isfinite(f))
            throw FloatingPointFault(FloatingPointFault::Kind::Overflow, where);
        return f;
    }
    return static_cast<float>(v);
}

// Nearest whole number with halves to even (the rounding of CInt and CLng).
inline double RoundHalfEven(double v) {
    return std::nearbyint(v); // default rounding mode: to nearest, ties to even
}

inline std::int16_t CInt(double v, const char* where = "CInt") {
    Checked(v, where);
    const double r = RoundHalfEven(v);
    if (r < -32768.0 || r > 32767.0)
        throw IntegerOverflowFault(where);
    return static_cast<std::int16_t>(r);
}

inline std::int32_t CLng(double v, const char* where = "CLng") {
    Checked(v, where);
    const double r = RoundHalfEven(v);
    if (r < -2147483648.0 || r > 2147483647.0)
        throw IntegerOverflowFault(where);
    return static_cast<std::int32_t>(r);
}

// Int(): floor, kept as a floating value (callers convert where they store).
inline double Int(double v, const char* where = "Int") {
    return std::floor(Checked(v, where));
}

// Addition and subtraction of the 16-bit counters (switches, counts and
// indices are 16-bit): a result beyond that range raises a typed fault.
inline std::int16_t Add16(int a, int b, const char* where = "16-bit counter") {
    const int r = a + b;
    if (r < -32768 || r > 32767)
        throw IntegerOverflowFault(where);
    return static_cast<std::int16_t>(r);
}

constexpr double kPi = 3.1415927; // the constant the chart code writes

} // namespace hyg
