// Number to text, the ways the displays, the plot file and the data file need.
#pragma once

#include <string>
#include <string_view>

namespace hyg {

// Renders v by a pattern of digit placeholders with at most one decimal
// point: "0" is always shown, "#" only when significant; the value is
// rounded to the last placeholder (halves away from zero); a negative value
// gets a leading minus; the integer part grows beyond the placeholders.
// Examples: ("##0.00", 0.5) "0.50"; ("###.#####", 0.010023) ".01002";
// ("0.0000##", 0.1234567) "0.123457"; ("##", 0) "".
std::string FormatNumber(double v, std::string_view pattern);

// General number format (no pattern): shortest decimal text with at most
// `digits` significant digits (7 for a single, 15 for a double); a leading
// zero before the point, exponent form for very large or small values.
// 25 -> "25", -5 -> "-5", 0.35 -> "0.35", 1e-5 -> "1E-05".
std::string GeneralNumber(double v, int digits = 7);

// Str(v): like GeneralNumber but without the zero before the point and with
// a leading blank when v is not negative: 25 -> " 25", 0.35 -> " .35",
// -0.35 -> "-.35".
std::string Str(double v, int digits = 7);

// The form a number takes in a print statement of the plot file: Str(v)
// followed by one blank.
std::string PrintNumber(double v, int digits = 7);

// The plain form of the data file: at most seven significant digits, no
// trailing zeros, no point for a whole value, a leading zero before the point.
std::string DataFileNumber(float v);

// Reads the number at the start of a text (leading blanks skipped; digits,
// one decimal point and an exponent as far as they form a number); a text
// without a leading number gives 0; a number too large for a double raises
// FloatingPointFault (overflow).
double LeadingNumber(std::string_view text);

// Whether the whole text (blanks around it allowed) is a number.
bool IsNumeric(std::string_view text);

} // namespace hyg
