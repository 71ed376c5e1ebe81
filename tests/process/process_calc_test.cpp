// The Calculate sequence, the process rows and the airflow change.
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "process/calc/process_calc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <string>
#include <vector>

using namespace hyg;

namespace {

class RecordingMessenger : public Messenger {
public:
    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        texts.push_back(text);
        titles.push_back(title);
        icons.push_back(icon);
    }
    void beep() override { ++beeps; }
    std::vector<std::string> texts, titles;
    std::vector<MessageIcon> icons;
    int beeps = 0;
};

struct Dialog {
    ChartSettings settings;
    ProcessData data;
    StatePointList points;
    RecordingMessenger messenger;

    Dialog() {
        BuildInputTable(data, settings);
        data.flowText = "50.00";
    }
    void row(int i, const std::string& t, const std::string& r, const std::string& w = "") {
        data.input.cell(i, 2) = t;
        data.input.cell(i, 3) = r;
        data.input.cell(i, 4) = w;
    }
    bool calculate() { return Calculate(data, settings, points, &messenger); }
    std::string cell(int k, int j) const { return data.process.cell(k, j); }
};

// A valid state with the given dry bulb and humidity, set directly.
void SetState(AirStates& s, int i, float t, float x, float h, float v) {
    const auto n = static_cast<std::size_t>(i);
    s.Valid[n] = 1;
    s.Pressure[n] = 760;
    s.DryBulb[n] = t;
    s.AbsHum[n] = x;
    s.Enthalpy[n] = h;
    s.SpecVolume[n] = v;
}

} // namespace

TEST(ProcessTables, HeadingsByUnitSystem) {
    EXPECT_EQ(InputHeadings(2)[1], "Press.\rkPa");
    EXPECT_EQ(InputHeadings(1)[2], "D.B.T.\r\u00b0C");
    const auto p3 = PropertyHeadings(3);
    EXPECT_EQ(p3[3], "Abs.Hum.\rlbm/lbmDA");
    EXPECT_EQ(p3[7], "Density\rlbm/ft\u00b3");
    const auto h1 = ProcessHeadings(1), h3 = ProcessHeadings(3);
    EXPECT_EQ(h1.size(), 11u);
    EXPECT_EQ(h1[3], "Entahlpy\rkcal/kgDA");
    EXPECT_EQ(h3[5], "Water\rlbm/hr");
    EXPECT_EQ(h3[6], "H.Load\rBtu/h");
    EXPECT_EQ(h3[9], "M. Ratio\rBtu/lbm");
    EXPECT_EQ(h3[10], "Flow Rate\rft\u00b3/h");
    EXPECT_THROW(ProcessHeadings(6), IndexFault);
}

TEST(ProcessTables, DefaultInputTableAndRestore) {
    Dialog d;
    EXPECT_EQ(d.data.input.cell(3, 1), "760");
    EXPECT_EQ(d.data.input.cell(3, 2), "");
    d.settings.Pressure = 101.325f;
    BuildInputTable(d.data, d.settings);
    EXPECT_EQ(d.data.input.cell(1, 1), "101.325");
    StatePointList pts;
    pts.count = 1;
    pts.pressure[1] = 760;
    pts.dryBulb[1] = 25;
    pts.relHum[1] = 50.63f;
    RestoreInput(d.data, pts);
    EXPECT_EQ(d.data.input.cell(1, 1), "760.00");
    EXPECT_EQ(d.data.input.cell(1, 3), "50.63");
    EXPECT_EQ(d.data.input.cell(1, 4), "");
}

TEST(Calculate, OneValidStateFillsThePropertyRowOnly) {
    Dialog d;
    d.data.process.cell(1, 1) = "old";
    d.row(1, "25", "50.63");
    EXPECT_TRUE(d.calculate());
    EXPECT_EQ(d.data.StateCount, 1);
    EXPECT_EQ(d.data.property.cell(1, 1), "49.835"); // saturation degree 49.8 %, six characters
    EXPECT_EQ(d.data.property.cell(1, 3), ".01");    // 0.0099999...: five decimals, no trailing zeros
    EXPECT_EQ(d.data.property.cell(1, 5), "12.092");
    EXPECT_EQ(d.data.property.cell(1, 6), ".8583");
    EXPECT_EQ(d.data.property.cell(2, 1), "");
    EXPECT_EQ(d.cell(1, 1), "old");
}

TEST(Calculate, InvalidRowsAreSkippedBetweenProcesses) {
    Dialog d;
    d.row(1, "25", "50");
    d.row(2, "15", "90");
    d.row(4, "30", "40");
    EXPECT_TRUE(d.calculate());
    EXPECT_EQ(d.cell(1, 0), "#1 -> #2");
    EXPECT_EQ(d.cell(2, 0), "#2 -> #4");
    EXPECT_EQ(d.cell(3, 0), "");
    EXPECT_EQ(d.points.count, 3);
}

TEST(Calculate, CoolingAtConstantHumidity) {
    // 25 C / 50 % to 15 C with the same absolute humidity, set on the states.
    Dialog d;
    const float x = 0.00988f;
    const float h1 = EnthalpyOf(760, 25, x * 1000), h2 = EnthalpyOf(760, 15, x * 1000);
    SetState(d.data.states, 1, 25, x, h1, 0.858f);
    SetState(d.data.states, 2, 15, x, h2, 0.829f);
    d.data.StateCount = 2;
    ProcessRows(d.data, d.settings);
    EXPECT_EQ(d.cell(1, 1), "-10.00");
    EXPECT_EQ(d.cell(1, 2), "0.0000");
    EXPECT_EQ(d.cell(1, 5), "0.000"); // no water
    const float dh = static_cast<float>(static_cast<double>(h2) - h1);
    const float load = static_cast<float>(dh * 50.0);
    EXPECT_LT(load, 0.0f);
    EXPECT_EQ(d.cell(1, 6), FormatNumber(load, "####0.0"));
    EXPECT_EQ(d.cell(1, 7), FormatNumber(static_cast<float>(load / 3600.0 * static_cast<double>(4.186f)), "##0.000"));
    EXPECT_EQ(d.cell(1, 8), "1.000");                                   // all sensible
    EXPECT_EQ(d.cell(1, 9), FormatNumber(static_cast<float>(dh * 9999.0), "###0.0")); // dx = 0 guard
    EXPECT_EQ(d.cell(1, 10), FormatNumber(static_cast<float>((0.858 + 0.829) * 25.0), "#####0.0"));
}

TEST(Calculate, IdenticalStatesGiveZeroRatios) {
    Dialog d;
    d.row(1, "25", "50");
    d.row(2, "25", "50");
    EXPECT_TRUE(d.calculate());
    EXPECT_EQ(d.cell(1, 3), "0.00");
    EXPECT_EQ(d.cell(1, 8), "0.000");
    EXPECT_EQ(d.cell(1, 9), "0.0");
}

TEST(Calculate, AirflowChangeScalesOnlyTheFlowColumns) {
    Dialog d;
    d.row(1, "30", "60");
    d.row(2, "16", "90");
    d.row(3, "20", "50");
    ASSERT_TRUE(d.calculate());
    const auto before = d.data.process;
    d.data.flowText = "100.00";
    AirflowChange(d.data, d.settings);
    for (int k = 1; k <= 2; ++k) {
        for (int j : {1, 2, 3, 4, 8, 9}) EXPECT_EQ(d.cell(k, j), before.cell(k, j)) << k << "," << j;
        for (int j : {5, 6, 7, 10}) {
            EXPECT_NEAR(LeadingNumber(d.cell(k, j)), 2 * LeadingNumber(before.cell(k, j)),
                        2e-3 * std::max(1.0, std::fabs(LeadingNumber(d.cell(k, j)))))
                << k << "," << j;
        }
    }
    d.data.flowText = "abc"; // no number: G = 0
    AirflowChange(d.data, d.settings);
    EXPECT_EQ(d.cell(1, 5), "0.000");
    EXPECT_EQ(d.cell(1, 6), "0.0");
    EXPECT_EQ(d.cell(1, 10), "0.0");
}

TEST(Calculate, FewerStatesLeaveOldProcessRows) {
    Dialog d;
    d.row(1, "30", "60");
    d.row(2, "16", "90");
    d.row(3, "20", "50");
    ASSERT_TRUE(d.calculate());
    const std::string second = d.cell(2, 0);
    d.row(3, "", "");
    ASSERT_TRUE(d.calculate());
    EXPECT_EQ(d.cell(2, 0), second);
    EXPECT_EQ(d.data.StateCount, 2);
}

TEST(Calculate, FaultIsTrappedWithItsMessage) {
    Dialog d;
    d.row(1, "25", "50");
    d.row(2, "100", "10"); // boiling at 1 atm: P equals p_s
    EXPECT_FALSE(d.calculate());
    ASSERT_EQ(d.messenger.texts.size(), 1u);
    EXPECT_EQ(d.messenger.texts[0], "Error occured !\rPlease check input data.");
    EXPECT_EQ(d.messenger.titles[0], "Hygrana");
    EXPECT_EQ(d.messenger.icons[0], MessageIcon::Critical);
    EXPECT_EQ(d.data.input.cell(1, 4), "17.89"); // written before the fault: stays
}

TEST(Calculate, RangeMessagesDoNotStopTheCalculation) {
    Dialog d;
    d.row(1, "25", "50");
    d.row(2, "120", "50");
    d.row(3, "20", "50");
    EXPECT_TRUE(d.calculate());
    EXPECT_EQ(d.messenger.beeps, 1);
    EXPECT_EQ(d.cell(1, 0), "#1 -> #3");
}
