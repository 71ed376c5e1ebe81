// Number formats against every example the displays are specified with.
#include "engine/number_format.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace hyg;

namespace {
struct Case {
    const char* pattern;
    double value;
    const char* text;
};
} // namespace

TEST(FormatNumber, ExamplesOfTheUnitAndTablePatterns) {
    const std::vector<Case> cases{
        {"0", 760, "760"},
        {"0.0", 1.2, "1.2"},
        {"0.000", 1.0133, "1.013"},
        {"#0", 5, "5"},
        {"#0", 0, "0"},
        {"##0", 40, "40"},
        {"###0", 27, "27"},
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
        {"###", 7, "7"},
        {"#0.00", -10, "-10.00"},
        {"0.0000", 0, "0.0000"},
        {"####0.0", -1234.56, "-1234.6"},
        {"##0.000", 0.0123, "0.012"},
        {"#####0.0", 85.83, "85.8"},
        {"0.000##", 2.5, "2.500"},
        {"0.00", 99.999, "100.00"},
        {"00.0", 5.25, "05.3"},
        {"##0.0", 1234.5, "1234.5"}, // the integer part grows beyond the placeholders
        {"#0.000", 0.0, "0.000"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatNumber(c.value, c.pattern), c.text) << c.pattern << " " << c.value;
}

TEST(FormatNumber, HalfWayValuesRoundAwayFromZero) {
    EXPECT_EQ(FormatNumber(0.125, "0.00"), "0.13");
    EXPECT_EQ(FormatNumber(-0.125, "0.00"), "-0.13");
    EXPECT_EQ(FormatNumber(2.5, "0"), "3");
    EXPECT_EQ(FormatNumber(9.5, "#0"), "10");
    EXPECT_EQ(FormatNumber(0.5, "##"), "1");
    EXPECT_EQ(FormatNumber(99.995, "0.00"), "100.00"); // 99.99499... in binary: not a tie
}

TEST(FormatNumber, NegativeValuesThatRoundToZeroLoseTheSign) {
    EXPECT_EQ(FormatNumber(-0.001, "0.00"), "0.00");
    EXPECT_EQ(FormatNumber(-0.0, "#0"), "0");
}

TEST(FormatNumber, PropertyCellCutToSixCharacters) {
    EXPECT_EQ(FormatNumber(12.09341f, "###.#####").substr(0, 6), "12.093");
    EXPECT_EQ(FormatNumber(0.8583f, "###.#####").substr(0, 6), ".8583");
}

TEST(Str, LeadingBlankForNumbersNotNegative) {
    EXPECT_EQ(Str(99.9f), " 99.9");
    EXPECT_EQ(Str(-15.0f), "-15");
    EXPECT_EQ(Str(228.0f), " 228");
    EXPECT_EQ(Str(0.0f), " 0");
    EXPECT_EQ(Str(0.35f), " .35");
    EXPECT_EQ(Str(-0.35f), "-.35");
    EXPECT_EQ(Str(25.3f), " 25.3");
    EXPECT_EQ(Str(1e-5), " 1E-05");
}

TEST(GeneralNumber, ShortestTextOfASingle) {
    EXPECT_EQ(GeneralNumber(101.325f), "101.325");
    EXPECT_EQ(GeneralNumber(760.0f), "760");
    EXPECT_EQ(GeneralNumber(0.35f), "0.35");
    EXPECT_EQ(GeneralNumber(-5), "-5");
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfAText) {
    EXPECT_EQ(LeadingNumber("50.00"), 50.0);
    EXPECT_EQ(LeadingNumber("  12.5kg"), 12.5);
    EXPECT_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(LeadingNumber("1e3"), 1000.0);
    EXPECT_EQ(LeadingNumber("1e"), 1.0);
    EXPECT_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_EQ(LeadingNumber("-3.25x"), -3.25);
    EXPECT_EQ(LeadingNumber("1.2.3"), 1.2);
}

TEST(IsNumeric, WholeTextMustBeANumber) {
    EXPECT_TRUE(IsNumeric("760"));
    EXPECT_TRUE(IsNumeric(" 25.5 "));
    EXPECT_TRUE(IsNumeric("-15"));
    EXPECT_TRUE(IsNumeric("1e2"));
    EXPECT_TRUE(IsNumeric("12."));
    EXPECT_FALSE(IsNumeric(""));
    EXPECT_FALSE(IsNumeric("."));
    EXPECT_FALSE(IsNumeric("abc"));
    EXPECT_FALSE(IsNumeric("12abc"));
    EXPECT_FALSE(IsNumeric("-"));
}
