// Number formats against the forms the displays show (worked examples), and
// the readers of typed numbers.
#include "engine/fault.h"
#include "engine/number_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace hyg;

TEST(FormatNumber, PatternsRoundingAndSign) {
    struct Case {
        const char* pattern;
        double value;
        const char* text;
    };
    const std::vector<Case> cases{
        {"0", 760, "760"},
        {"0.0", 1.2, "1.2"},
        {"0.000", 1.0133, "1.013"},
        {"#0", 5, "5"},
        {"#0", 0, "0"},
        {"##0", 40, "40"},
        {"##0.00", 17.994, "17.99"},
        {"##0.00", 0.5, "0.50"},
        {"##0.00", -3.14159, "-3.14"},
        {"0.0000##", 0.25, "0.2500"},
        {"0.0000##", 0.1234567, "0.123457"},
        {"###.#####", 49.8f, "49.8"},
        {"###.#####", 0.010023f, ".01002"},
        {"###.#####", 100, "100."},
        {"###.#####", 0, "."},
        {"###.#####", 12.09341f, "12.09341"},
        {"###0.00", 50 * 2.2046f, "110.23"},
        {"##", 0, ""},
        {"#0.00", -10, "-10.00"},
        {"####0.0", -1234.56, "-1234.6"},
        {"##0.000", 0.0123, "0.012"},
        {"0.000##", 2.5, "2.500"},
        {"0.00", 99.999, "100.00"},
        {"00.0", 5.25, "05.3"},
        {"##0.0", 1234.5, "1234.5"}, // the integer part grows beyond the placeholders
        // Half-way values round away from zero; 99.995 is 99.99499... in binary.
        {"0.00", 0.125, "0.13"},
        {"0.00", -0.125, "-0.13"},
        {"0", 2.5, "3"},
        {"#0", 9.5, "10"},
        {"##", 0.5, "1"},
        {"0.00", 99.995, "100.00"},
        // Negative values that round to zero lose the sign.
        {"0.00", -0.001, "0.00"},
        {"#0", -0.0, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatNumber(c.value, c.pattern), c.text) << c.pattern << " " << c.value;
}

TEST(NumberText, StrGeneralNumberAndLeadingNumber) {
    const std::pair<std::string, std::string> texts[] = {
        {Str(99.9f), " 99.9"},
        {Str(-15.0f), "-15"},
        {Str(0.0f), " 0"},
        {Str(0.35f), " .35"},
        {Str(-0.35f), "-.35"},
        {Str(1e-5), " 1E-05"}, // a leading blank when not negative
        {GeneralNumber(101.325f), "101.325"},
        {GeneralNumber(760.0f), "760"},
        {GeneralNumber(0.35f), "0.35"},
        {GeneralNumber(-5), "-5"},
    };
    for (const auto& [got, want] : texts)
        EXPECT_EQ(got, want);
    const std::pair<const char*, double> leading[] = {{"50.00", 50}, {"  12.5kg", 12.5}, {"abc", 0},
                                                      {"", 0},       {"1e3", 1000},      {"1e", 1},
                                                      {".5", 0.5},   {"-3.25x", -3.25},  {"1.2.3", 1.2}};
    for (const auto& [text, value] : leading)
        EXPECT_EQ(LeadingNumber(text), value) << text;
    EXPECT_THROW(LeadingNumber("1e400"), FloatingPointFault); // overflows rather than reading as 0
    for (const char* yes : {"760", " 25.5 ", "-15", "1e2", "12."})
        EXPECT_TRUE(IsNumeric(yes)) << yes;
    for (const char* no : {"", ".", "abc", "12abc", "-"})
        EXPECT_FALSE(IsNumeric(no)) << no;
}
