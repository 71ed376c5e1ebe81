#include "engine/number_format.h"

#include "engine/fault.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

namespace hyg {

namespace {

// Every conversion here goes through <charconv>: the window's application
// object switches the C library to the user's locale, where printf and
// strtod would write and read a decimal comma.

// v with `decimals` digits after the point ("%.*f" in the C locale).
std::string Fixed(double v, int decimals) {
    char buf[1100]; // 309 integer digits of the largest double, sign, point, decimals
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        throw FloatingPointFault(FloatingPointFault::Kind::Overflow, "formatting a number");
    return std::string(buf, r.ptr);
}

// Mantissa digits (without point) and decimal exponent of |v| rounded to
// `digits` significant digits.
void Decompose(double v, int digits, std::string& mantissa, int& exponent) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, digits - 1);
    // buf: d.dddde+xx
    mantissa.clear();
    const char* p = buf;
    for (; p != r.ptr && *p != 'e'; ++p) {
        if (std::isdigit(static_cast<unsigned char>(*p)))
            mantissa.push_back(*p);
    }
    exponent = 0;
    if (p != r.ptr) {
        ++p; // 'e'
        const bool negative = *p == '-';
        if (*p == '+' || *p == '-')
            ++p;
        std::from_chars(p, r.ptr, exponent);
        if (negative)
            exponent = -exponent;
    }
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();
}

// General form with the zero before the point (CStr-like).
std::string General(double v, int digits) {
    if (v == 0 || !std::isfinite(v))
        return v == 0 ? "0" : (std::isnan(v) ? "NaN" : (v > 0 ? "Inf" : "-Inf"));
    std::string m;
    int e = 0;
    Decompose(v, digits, m, e);
    std::string out = v < 0 ? "-" : "";
    if (e < -4 || e >= digits) {
        out += m.substr(0, 1);
        if (m.size() > 1)
            out += "." + m.substr(1);
        char eb[16];
        std::snprintf(eb, sizeof eb, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
        return out + eb;
    }
    if (e < 0) {
        out += "0." + std::string(static_cast<std::size_t>(-e - 1), '0') + m;
    } else if (static_cast<int>(m.size()) <= e + 1) {
        out += m + std::string(static_cast<std::size_t>(e + 1 - static_cast<int>(m.size())), '0');
    } else {
        out += m.substr(0, static_cast<std::size_t>(e + 1)) + "." + m.substr(static_cast<std::size_t>(e + 1));
    }
    return out;
}

// |v| (finite, not negative) with n decimals, rounded to nearest with a
// value exactly half-way rounded away from zero ("%.*f" would round it to
// even: 0.125 to two decimals gives 0.13 here, not 0.12).
std::string FixedDigits(double v, int n) {
    if (!std::isfinite(v))
        return "0";
    std::string buf = Fixed(v, n);
    // A tie has an exact decimal expansion ending in the 5 one place further.
    const std::string w = Fixed(v, n + 24);
    const std::size_t point = w.find('.');
    const std::size_t tieDigit = point + static_cast<std::size_t>(n) + 1;
    if (w[tieDigit] != '5' || w.find_first_not_of('0', tieDigit + 1) != std::string::npos)
        return buf;
    // Truncate before the 5 and add one unit in the last place.
    std::string out = w.substr(0, n == 0 ? point : tieDigit);
    int i = static_cast<int>(out.size()) - 1;
    for (; i >= 0; --i) {
        if (out[static_cast<std::size_t>(i)] == '.')
            continue;
        if (out[static_cast<std::size_t>(i)] == '9') {
            out[static_cast<std::size_t>(i)] = '0';
        } else {
            ++out[static_cast<std::size_t>(i)];
            break;
        }
    }
    if (i < 0)
        out.insert(0, "1");
    return out;
}

} // namespace

std::string FormatNumber(double v, std::string_view pattern) {
    const std::size_t dot = pattern.find('.');
    const std::string_view intPat = pattern.substr(0, dot);
    const std::string_view fracPat = dot == std::string_view::npos ? std::string_view{} : pattern.substr(dot + 1);
    const bool hasPoint = dot != std::string_view::npos;

    int minInt = 0;
    for (char c : intPat)
        minInt += c == '0';
    const int nFrac = static_cast<int>(fracPat.size());
    int minFrac = 0;
    for (int i = 0; i < nFrac; ++i) {
        if (fracPat[static_cast<std::size_t>(i)] == '0')
            minFrac = i + 1;
    }

    std::string digits = FixedDigits(std::fabs(v), nFrac);
    std::string intDigits = digits.substr(0, digits.find('.'));
    std::string fracDigits = hasPoint && nFrac > 0 ? digits.substr(digits.find('.') + 1) : "";

    bool zero = true;
    for (char c : digits) {
        if (c >= '1' && c <= '9')
            zero = false;
    }
    // Integer part: suppress leading zeros down to the '0' placeholders.
    std::size_t lead = 0;
    while (lead < intDigits.size() && intDigits[lead] == '0' && static_cast<int>(intDigits.size() - lead) > minInt) {
        ++lead;
    }
    intDigits = intDigits.substr(lead);
    while (static_cast<int>(intDigits.size()) < minInt)
        intDigits.insert(0, "0");
    // Fraction: suppress trailing zeros of the '#' placeholders.
    while (static_cast<int>(fracDigits.size()) > minFrac && fracDigits.back() == '0')
        fracDigits.pop_back();

    std::string out = (v < 0 && !zero) ? "-" : "";
    out += intDigits;
    if (hasPoint)
        out += "." + fracDigits;
    return out;
}

std::string GeneralNumber(double v, int digits) {
    return General(v, digits);
}

std::string Str(double v, int digits) {
    std::string g = General(v, digits);
    if (g.rfind("0.", 0) == 0)
        g.erase(0, 1);
    else if (g.rfind("-0.", 0) == 0)
        g.erase(1, 1);
    return v < 0 ? g : " " + g;
}

std::string PrintNumber(double v, int digits) {
    return Str(v, digits) + " ";
}

std::string DataFileNumber(float value) {
    const double v = value;
    if (v == 0)
        return "0";
    std::string m;
    int e = 0;
    Decompose(v, 7, m, e);
    std::string out = v < 0 ? "-" : "";
    if (e < 0) {
        out += "0." + std::string(static_cast<std::size_t>(-e - 1), '0') + m;
    } else if (static_cast<int>(m.size()) <= e + 1) {
        out += m + std::string(static_cast<std::size_t>(e + 1 - static_cast<int>(m.size())), '0');
    } else {
        out += m.substr(0, static_cast<std::size_t>(e + 1)) + "." + m.substr(static_cast<std::size_t>(e + 1));
    }
    return out;
}

namespace {

// Length of the longest number at the start of s (after `start`): sign,
// digits, one point, an exponent with optional sign. 0 when none.
std::size_t ScanNumber(std::string_view s, std::size_t start) {
    std::size_t i = start;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        std::size_t ed = 0;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
            ++j, ++ed;
        if (ed > 0)
            i = j;
    }
    return i - start;
}

// Roughly where the first significant digit of a scanned number stands: its
// power of ten (positive far above 1, negative far below); only its sign
// matters, to tell an overflow from an underflow.
long DecimalOrder(std::string_view s) {
    long order = 0;
    bool significant = false, afterPoint = false;
    std::size_t i = 0;
    for (; i < s.size() && s[i] != 'E' && s[i] != 'e'; ++i) {
        const char c = s[i];
        if (c == '.') {
            afterPoint = true;
        } else if (c >= '1' && c <= '9') {
            significant = true;
        }
        if (c >= '0' && c <= '9') {
            if (!afterPoint && significant)
                ++order;
            else if (afterPoint && !significant)
                --order;
        }
    }
    if (i < s.size()) {
        long exponent = 0;
        const std::size_t at = i + 1 < s.size() && s[i + 1] == '+' ? i + 2 : i + 1;
        const auto r = std::from_chars(s.data() + at, s.data() + s.size(), exponent);
        if (r.ec == std::errc::result_out_of_range)
            exponent = s[at] == '-' ? -1000000 : 1000000;
        // Only the sign of the order counts: an exponent at the ends of a long
        // must not overflow when the digits before it are added.
        order += std::clamp(exponent, -1000000L, 1000000L);
    }
    return order;
}

double Parse(std::string_view s) {
    std::string t(s);
    for (char& c : t) {
        if (c == 'd' || c == 'D')
            c = 'E';
    }
    // from_chars takes no plus sign.
    const std::size_t start = !t.empty() && t[0] == '+' ? 1 : 0;
    double v = 0;
    const auto r = std::from_chars(t.data() + start, t.data() + t.size(), v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // A number too large for a double overflows, as reading it into a
        // variable would; one too small reads as 0.
        if (DecimalOrder(t) > 0)
            throw FloatingPointFault(FloatingPointFault::Kind::Overflow, "reading a number");
        return 0.0;
    }
    if (r.ec != std::errc())
        return 0.0;
    return v;
}

} // namespace

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const std::size_t n = ScanNumber(text, i);
    return n == 0 ? 0.0 : Parse(text.substr(i, n));
}

bool IsNumeric(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const std::size_t n = ScanNumber(text, i);
    if (n == 0)
        return false;
    std::size_t j = i + n;
    while (j < text.size() && (text[j] == ' ' || text[j] == '\t'))
        ++j;
    return j == text.size();
}

} // namespace hyg
