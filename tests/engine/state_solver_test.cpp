// The number formats of the tables (worked examples), the readers of typed
// numbers, and the input and property passes over the text cells of the input table.
#include "engine/fault.h"
#include "engine/number_format.h"
#include "engine/state_solver.h"

#include "tests/engine/recording_messenger.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

using namespace hyg;

namespace {
struct Solver {
    InputTable table;
    AirStates states;
    StateMatrix input{}, properties{};
    StatePointList points;
    test::RecordingMessenger messenger;

    // Rows "pressure|dry bulb|relative humidity|wet bulb" from row 1 on.
    Solver(std::initializer_list<std::string> rows) {
        int i = 0;
        for (const std::string& row : rows) {
            std::istringstream in(row);
            for (int j = 1, k = ++i; j <= 4; ++j)
                std::getline(in, table.cell(k, j), '|');
        }
    }
    int run(UnitSystem unitSystem = UnitSystem::MetricKcal) {
        const int n = InputPass(table, 6, PressureIn::MmHg, states, input, points, &messenger);
        PropertyPass(states, PressureIn::MmHg, unitSystem, properties);
        return n;
    }
};
} // namespace

TEST(PropertyPass, UnitSystemsScaleTheKcalValues) {
    // Enthalpy in kJ is 4.186 times, in Btu/lbm 1.7996 times the kcal value (to single precision).
    Solver s({"760|25|50.63|"});
    ASSERT_EQ(s.run(UnitSystem::MetricKcal), 1);
    const double kcal = s.states.Enthalpy[1];
    s.run(UnitSystem::MetricKJ);
    EXPECT_NEAR(s.states.Enthalpy[1] / kcal, 4.186, 4.186 * 2e-6);
    s.run(UnitSystem::Imperial);
    EXPECT_NEAR(s.states.Enthalpy[1] / kcal, 1.7996, 1.7996 * 2e-6);
    EXPECT_NEAR(s.states.Density[1], 0.0735, 5e-5);
    EXPECT_NEAR(s.states.SpecVolume[1], 13.75, 5e-3);
}

TEST(InputPass, SaturatedAirByItsWetBulb) {
    // The wet bulb alone gives the humidity (17.99 is a little below 17.994); given both, the relative humidity
    // wins; out of range, it gives way to the wet bulb without a message; a wet bulb equal to the dry bulb is
    // saturated air, not an error.
    Solver s({"760|25||17.99", "760|25|50.63|10", "760|25|120|17.99", "760|25||25"});
    EXPECT_EQ(s.run(), 4);
    const auto row = [&](int i) { return s.table.cell(i, 3) + "|" + s.table.cell(i, 4); };
    EXPECT_EQ(row(1) + " " + row(2) + " " + row(3), "50.60|17.99 50.63|17.99 50.60|17.99");
    EXPECT_NEAR(LeadingNumber(s.table.cell(4, 3)), 100.0, 0.05);
    EXPECT_TRUE(s.messenger.events.empty());
}

TEST(InputPass, SkippedRowsRangeMessagesAndFaults) {
    // No humidity input, text for numbers: quietly skipped. Out of range: a
    // beep, then the box; 100 deg C itself is accepted.
    Solver s({"760|25||", "760|abc|x|", "760|25|120|", "760|25.5||30", "1520|100|10|", "1520|100.1|10|"});
    EXPECT_EQ(s.run(), 1);
    std::string texts, events;
    for (const auto& box : s.messenger.shown)
        texts += box.text + (box.title == "Hygrana" && box.icon == MessageIcon::Exclamation ? "\n" : " (other)\n");
    for (const std::string& e : s.messenger.events)
        events += e + " ";
    const std::string tail = " .\rPlease change this value.\n";
    EXPECT_EQ(texts, "Rel.Hum.\r\r The value should be from  0  to   100" + tail +
                         "W.B.T.\r\r The value should be from -20  to   25.5" + tail +
                         "D.B.Temp.\r\r The value should be from -15  to   99.9" + tail);
    EXPECT_EQ(events, "beep box beep box beep box ");
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(s.states.Valid[static_cast<std::size_t>(i)], i == 5) << i;
    // Valid is reset at every pass; the list follows the valid rows in order.
    s.table.cell(4, 4) = "20", s.table.cell(5, 2) = "";
    EXPECT_EQ(s.run(), 1);
    EXPECT_FALSE(s.states.Valid[5]);
    EXPECT_EQ(s.points.dryBulb[1], 25.5f);

    // Faults end the pass: at 100 deg C and 1 atm p_s equals P; numbers too
    // large for a single, for a double; a row past the table.
    Solver boiling({"760|100|10|"}), huge({"1e39|25|50|"}), huger({"1e400|25|50|"});
    for (Solver* f : {&boiling, &huge, &huger})
        EXPECT_THROW(f->run(), FloatingPointFault);
    EXPECT_THROW(huge.table.cell(7, 1), IndexFault);
}

TEST(FormatNumber, PatternsRoundingAndSign) {
    // Half-way values round away from zero (99.995 is 99.99499... in binary), negative values that round to zero
    // lose the sign, and the integer part grows beyond its placeholders.
    // clang-format off
    const std::tuple<const char*, double, const char*> cases[] = {
        {"0", 760, "760"}, {"0.000", 1.0133, "1.013"}, {"#0", 0, "0"}, {"##0.00", 0.5, "0.50"},
        {"##0.00", -3.14159, "-3.14"}, {"0.0000##", 0.25, "0.2500"}, {"0.0000##", 0.1234567, "0.123457"},
        {"###.#####", 49.8f, "49.8"}, {"###.#####", 0.010023f, ".01002"}, {"###.#####", 100, "100."},
        {"###.#####", 0, "."}, {"##", 0, ""}, {"0.00", 99.999, "100.00"}, {"00.0", 5.25, "05.3"},
        {"##0.0", 1234.5, "1234.5"}, {"0.00", 0.125, "0.13"}, {"0.00", -0.125, "-0.13"}, {"0", 2.5, "3"},
        {"##", 0.5, "1"}, {"0.00", 99.995, "100.00"}, {"0.00", -0.001, "0.00"}, {"#0", -0.0, "0"}};
    // clang-format on
    for (const auto& [pattern, value, text] : cases)
        EXPECT_EQ(FormatNumber(value, pattern), text) << pattern << " " << value;
}

TEST(NumberText, LeadingNumberAndIsNumeric) {
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
