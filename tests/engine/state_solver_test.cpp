// The input and property passes over the text cells of the input table.
#include "engine/fault.h"
#include "engine/state_solver.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace hyg;

namespace {

class RecordingMessenger : public Messenger {
public:
    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        events.push_back("box");
        texts.push_back(text);
        titles.push_back(title);
        icons.push_back(icon);
    }
    void beep() override { events.push_back("beep"); }
    std::vector<std::string> events, texts, titles;
    std::vector<MessageIcon> icons;
};

struct Solver {
    InputTable table;
    AirStates states;
    StateMatrix input{}, properties{};
    StatePointList points;
    RecordingMessenger messenger;

    void row(int i, std::string p, std::string t, std::string r, std::string w) {
        table.cell(i, 1) = std::move(p);
        table.cell(i, 2) = std::move(t);
        table.cell(i, 3) = std::move(r);
        table.cell(i, 4) = std::move(w);
    }
    int run(std::int16_t pressureUnit = 1, std::int16_t unitSystem = 1) {
        const int n = InputPass(table, 6, pressureUnit, states, input, points, &messenger);
        PropertyPass(states, pressureUnit, unitSystem, properties);
        return n;
    }
};

std::string Message(const char* name, const char* lower, const char* upper) {
    return std::string(name) + "\r\r The value should be from " + lower + "  to  " + upper + " .\rPlease change this value.";
}

} // namespace

TEST(RangeMessage, TextBeepAndBox) {
    EXPECT_EQ(RangeMessageText(-15, 99.9f, "D.B.Temp."),
              "D.B.Temp.\r\r The value should be from -15  to   99.9 .\rPlease change this value.");
    RecordingMessenger m;
    ShowRangeMessage(&m, 0, 100, "Rel.Hum.");
    ASSERT_EQ(m.events, (std::vector<std::string>{"beep", "box"}));
    EXPECT_EQ(m.titles[0], "Hygrana");
    EXPECT_EQ(m.icons[0], MessageIcon::Exclamation);
    EXPECT_EQ(m.texts[0], Message("Rel.Hum.", " 0", " 100"));
    ShowRangeMessage(nullptr, 0, 100, "Rel.Hum."); // nowhere to show it: nothing happens
}

TEST(InputPass, StandardStateFromRelativeHumidity) {
    Solver s;
    s.row(1, "760", "25", "50.63", "");
    EXPECT_EQ(s.run(), 1);
    EXPECT_EQ(s.table.cell(1, 4), "17.99");
    EXPECT_NEAR(s.states.WetBulb[1], 17.99, 0.005);
    EXPECT_NEAR(s.states.AbsHum[1], 0.0100, 5e-5);
    EXPECT_NEAR(s.states.SatAbsHum[1], 0.02007, 5e-6);
    EXPECT_NEAR(s.states.SatDegree[1], 49.8, 0.05);
    EXPECT_NEAR(s.states.Enthalpy[1], 12.09, 0.005);
    EXPECT_NEAR(s.states.SpecVolume[1], 0.8583, 5e-5);
    EXPECT_NEAR(s.states.Density[1], 1.177, 5e-4);
    EXPECT_NEAR(s.properties[1][2], 760 * s.states.VapourPressure[1], 1e-4);
    EXPECT_EQ(s.properties[1][7], s.states.Density[1]);
    EXPECT_TRUE(s.messenger.events.empty());
    EXPECT_EQ(s.points.count, 1);
    EXPECT_EQ(s.points.dryBulb[1], 25.0f);
    EXPECT_EQ(s.points.relHum[1], 50.63f);
    EXPECT_EQ(s.points.pressure[1], 760.0f);
}

TEST(InputPass, InchPoundUnitSystem) {
    Solver s;
    s.row(1, "760", "25", "50.63", "");
    s.run(1, 3);
    EXPECT_NEAR(s.states.Density[1], 0.0735, 5e-5);
    EXPECT_NEAR(s.states.SpecVolume[1], 13.75, 5e-3);
    EXPECT_NEAR(s.states.Enthalpy[1], 21.76, 5e-3);
}

TEST(InputPass, PressureInKilopascalAndAtmospheres) {
    Solver kpa, atm;
    kpa.row(1, "101.325", "25", "50.63", "");
    atm.row(1, "1", "25", "50.63", "");
    EXPECT_EQ(kpa.run(2), 1);
    EXPECT_EQ(atm.run(3), 1);
    EXPECT_EQ(kpa.states.WetBulb[1], atm.states.WetBulb[1]);
    EXPECT_EQ(kpa.points.pressure[1], 101.325f); // the list keeps the pressure as entered
}

TEST(InputPass, WetBulbGivenDerivesTheRelativeHumidity) {
    Solver s;
    s.row(1, "760", "25", "", "17.99");
    EXPECT_EQ(s.run(), 1);
    EXPECT_EQ(s.table.cell(1, 3), "50.60"); // 17.99 is a little below 17.994
    EXPECT_EQ(s.table.cell(1, 4), "17.99"); // typed, not rewritten
}

TEST(InputPass, BothGivenTheRelativeHumidityWins) {
    Solver s;
    s.row(1, "760", "25", "50.63", "10");
    s.run();
    EXPECT_EQ(s.table.cell(1, 4), "17.99");
    EXPECT_EQ(s.input[1][4], s.states.WetBulb[1]);
}

TEST(InputPass, RelativeHumidityOutOfRangeFallsBackOnTheWetBulb) {
    Solver s;
    s.row(1, "760", "25", "120", "17.99");
    EXPECT_EQ(s.run(), 1);
    EXPECT_EQ(s.table.cell(1, 3), "50.60"); // 17.99 is a little below 17.994
    EXPECT_TRUE(s.messenger.events.empty());
}

TEST(InputPass, RowsSkippedWithoutAMessage) {
    Solver s;
    s.row(1, "760", "", "", "");     // only a pressure
    s.row(2, "760", "25", "", "");   // dry bulb but no humidity input
    s.row(3, "760", "", "50", "");   // no dry bulb
    s.row(4, "760", "abc", "x", ""); // text reads as missing
    EXPECT_EQ(s.run(), 0);
    EXPECT_TRUE(s.messenger.events.empty());
    EXPECT_EQ(s.points.count, 0);
}

TEST(InputPass, RangeMessagesOnePerFailingRowAndTheOthersStillRun) {
    Solver s;
    s.row(1, "", "25", "50", "");       // empty pressure reads as -999
    s.row(2, "760", "120", "50", "");   // dry bulb too high
    s.row(3, "760", "25", "120", "");   // relative humidity out of range, no wet bulb
    s.row(4, "760", "25.5", "", "30");  // wet bulb above the dry bulb
    s.row(5, "1520", "100", "10", "");   // 100 itself is accepted
    s.row(6, "1520", "100.1", "10", ""); // just above
    EXPECT_EQ(s.run(), 1);
    ASSERT_EQ(s.messenger.texts.size(), 5u);
    EXPECT_EQ(s.messenger.texts[0], Message("Atm. Press.", " 228", " 3800"));
    EXPECT_EQ(s.messenger.texts[1], Message("D.B.Temp.", "-15", " 99.9"));
    EXPECT_EQ(s.messenger.texts[2], Message("Rel.Hum.", " 0", " 100"));
    EXPECT_EQ(s.messenger.texts[3], Message("W.B.T.", "-20", " 25.5"));
    EXPECT_EQ(s.messenger.texts[4], Message("D.B.Temp.", "-15", " 99.9"));
    EXPECT_EQ(s.states.Valid[5], 1);
    EXPECT_EQ(s.points.dryBulb[1], 100.0f);
    for (int i : {1, 2, 3, 4, 6}) EXPECT_EQ(s.states.Valid[static_cast<std::size_t>(i)], 0) << i;
}

TEST(InputPass, ValidIsResetAtEveryPass) {
    Solver s;
    s.row(1, "760", "25", "50", "");
    s.row(2, "760", "30", "40", "");
    EXPECT_EQ(s.run(), 2);
    s.row(1, "760", "25", "150", "");
    EXPECT_EQ(s.run(), 1);
    EXPECT_EQ(s.states.Valid[1], 0);
    EXPECT_EQ(s.points.count, 1);
    EXPECT_EQ(s.points.dryBulb[1], 30.0f); // the list is filled in row order of the valid states
}

TEST(InputPass, BoilingAtTheStatePressureIsAFault) {
    // 100 C passes the check, but at 1 atm p_s equals P: the fault ends the pass.
    Solver s;
    s.row(1, "760", "100", "10", "");
    EXPECT_THROW(s.run(), FloatingPointFault);
}

TEST(InputPass, NumberTooLargeForASingleIsAFault) {
    Solver s;
    s.row(1, "1e39", "25", "50", "");
    EXPECT_THROW(s.run(), FloatingPointFault);
    EXPECT_THROW(s.table.cell(7, 1), IndexFault);
}
