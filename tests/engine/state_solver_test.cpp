// The input and property passes over the text cells of the input table.
#include "engine/fault.h"
#include "engine/number_format.h"
#include "engine/state_solver.h"

#include "tests/engine/recording_messenger.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace hyg;

namespace {

struct Solver {
    InputTable table;
    AirStates states;
    StateMatrix input{}, properties{};
    StatePointList points;
    test::RecordingMessenger messenger;

    void row(int i, const std::vector<std::string>& cells) {
        for (int j = 1; j <= 4; ++j)
            table.cell(i, j) = cells[static_cast<std::size_t>(j - 1)];
    }
    int run(PressureIn pressureUnit = PressureIn::MmHg, UnitSystem unitSystem = UnitSystem::MetricKcal) {
        const int n = InputPass(table, 6, pressureUnit, states, input, points, &messenger);
        PropertyPass(states, pressureUnit, unitSystem, properties);
        return n;
    }
};

std::string Message(const char* name, const char* lower, const char* upper) {
    return std::string(name) + "\r\r The value should be from " + lower + "  to  " + upper +
           " .\rPlease change this value.";
}

} // namespace

TEST(InputPass, StandardStateInEachUnit) {
    Solver s;
    s.row(1, {"760", "25", "50.63", ""});
    EXPECT_EQ(s.run(), 1);
    EXPECT_EQ(s.table.cell(1, 4), "17.99");
    EXPECT_NEAR(s.states.AbsHum[1], 0.0100, 5e-5);
    EXPECT_NEAR(s.states.Enthalpy[1], 12.09, 0.005);
    EXPECT_NEAR(s.states.SpecVolume[1], 0.8583, 5e-5);
    EXPECT_NEAR(s.states.Density[1], 1.177, 5e-4);
    EXPECT_TRUE(s.messenger.events.empty());

    s.run(PressureIn::MmHg, UnitSystem::Imperial); // inch-pound units
    EXPECT_NEAR(s.states.Density[1], 0.0735, 5e-5);
    EXPECT_NEAR(s.states.SpecVolume[1], 13.75, 5e-3);
    EXPECT_NEAR(s.states.Enthalpy[1], 21.76, 5e-3);
}

TEST(InputPass, WhichHumidityInputIsUsed) {
    // Relative humidity, wet bulb, the cells afterwards.
    const std::vector<std::vector<std::string>> cases = {
        {"", "17.99", "50.60", "17.99"},    // the wet bulb (a little below 17.994) gives the humidity
        {"50.63", "10", "50.63", "17.99"},  // both given: the relative humidity wins
        {"120", "17.99", "50.60", "17.99"}, // out of range: the wet bulb is used, no message
    };
    for (const auto& c : cases) {
        Solver s;
        s.row(1, {"760", "25", c[0], c[1]});
        EXPECT_EQ(s.run(), 1) << c[0] << "/" << c[1];
        EXPECT_EQ(s.table.cell(1, 3) + "|" + s.table.cell(1, 4), c[2] + "|" + c[3]) << c[0] << "/" << c[1];
        EXPECT_TRUE(s.messenger.events.empty());
    }
}

TEST(InputPass, SaturatedAirByItsWetBulb) {
    // A wet bulb equal to the dry bulb is saturated air, not an error.
    Solver s;
    s.row(1, {"760", "25", "", "25"});
    EXPECT_EQ(s.run(), 1);
    EXPECT_TRUE(s.messenger.events.empty());
    EXPECT_NEAR(LeadingNumber(s.table.cell(1, 3)), 100.0, 0.05);
}

TEST(PropertyPass, UnitSystemsScaleTheKcalValues) {
    // The same state in the three unit systems: enthalpy in kJ is 4.186 times,
    // in Btu/lbm 1.7996 times the kcal value (to single precision).
    Solver s;
    s.row(1, {"760", "25", "50.63", ""});
    ASSERT_EQ(s.run(PressureIn::MmHg, UnitSystem::MetricKcal), 1);
    const double kcal = s.states.Enthalpy[1];
    s.run(PressureIn::MmHg, UnitSystem::MetricKJ);
    EXPECT_NEAR(s.states.Enthalpy[1] / kcal, 4.186, 4.186 * 2e-6);
    s.run(PressureIn::MmHg, UnitSystem::Imperial);
    EXPECT_NEAR(s.states.Enthalpy[1] / kcal, 1.7996, 1.7996 * 2e-6);
}

TEST(InputPass, SkippedRowsAndRangeMessages) {
    EXPECT_EQ(RangeMessageText(-15, 99.9f, "D.B.Temp."), Message("D.B.Temp.", "-15", " 99.9"));
    Solver quiet;
    quiet.row(1, {"760", "", "", ""});     // only a pressure
    quiet.row(2, {"760", "25", "", ""});   // dry bulb but no humidity input
    quiet.row(3, {"760", "", "50", ""});   // no dry bulb
    quiet.row(4, {"760", "abc", "x", ""}); // text reads as missing
    EXPECT_EQ(quiet.run(), 0);
    EXPECT_TRUE(quiet.messenger.events.empty());

    Solver s;
    s.row(1, {"", "25", "50", ""});        // empty pressure reads as -999
    s.row(2, {"760", "120", "50", ""});    // dry bulb too high
    s.row(3, {"760", "25", "120", ""});    // relative humidity out of range, no wet bulb
    s.row(4, {"760", "25.5", "", "30"});   // wet bulb above the dry bulb
    s.row(5, {"1520", "100", "10", ""});   // 100 itself is accepted
    s.row(6, {"1520", "100.1", "10", ""}); // just above
    EXPECT_EQ(s.run(), 1);
    std::vector<std::string> texts;
    for (const auto& box : s.messenger.shown) {
        texts.push_back(box.text);
        EXPECT_EQ(box.title, "Hygrana");
        EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    }
    EXPECT_EQ(texts,
              (std::vector<std::string>{Message("Atm. Press.", " 228", " 3800"), Message("D.B.Temp.", "-15", " 99.9"),
                                        Message("Rel.Hum.", " 0", " 100"), Message("W.B.T.", "-20", " 25.5"),
                                        Message("D.B.Temp.", "-15", " 99.9")}));
    // Each message is preceded by the beep.
    EXPECT_EQ(s.messenger.events,
              (std::vector<std::string>{"beep", "box", "beep", "box", "beep", "box", "beep", "box", "beep", "box"}));
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(s.states.Valid[static_cast<std::size_t>(i)], i == 5) << i;

    // Valid is reset at every pass; the list follows the valid rows in order.
    Solver again;
    again.row(1, {"760", "25", "50", ""});
    again.row(2, {"760", "30", "40", ""});
    EXPECT_EQ(again.run(), 2);
    again.row(1, {"760", "25", "150", ""});
    EXPECT_EQ(again.run(), 1);
    EXPECT_FALSE(again.states.Valid[1]);
    EXPECT_EQ(again.points.dryBulb[1], 30.0f);
}

TEST(InputPass, FaultsEndThePass) {
    // 100 C passes the check, but at 1 atm p_s equals P.
    Solver boiling, huge;
    boiling.row(1, {"760", "100", "10", ""});
    EXPECT_THROW(boiling.run(), FloatingPointFault);
    for (const char* big : {"1e39", "1e400"}) { // too large for a single, for a double
        huge.row(1, {big, "25", "50", ""});
        EXPECT_THROW(huge.run(), FloatingPointFault) << big;
    }
    EXPECT_THROW(huge.table.cell(7, 1), IndexFault);
}
