// The Calculate sequence, the process rows and the airflow change.
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "process/process_calc.h"

#include "tests/engine/recording_messenger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

using namespace hyg;

namespace {

struct Dialog {
    ChartSettings settings;
    ProcessData data;
    StatePointList points;
    test::RecordingMessenger messenger;

    Dialog() {
        BuildInputTable(data, settings);
        data.flowText = "50.00";
    }
    void rows(const std::vector<std::pair<std::string, std::string>>& states) {
        for (int i = 1; i <= static_cast<int>(states.size()); ++i) {
            std::tie(data.input.cell(i, 2), data.input.cell(i, 3)) = states[static_cast<std::size_t>(i - 1)];
        }
    }
    bool calculate() { return Calculate(data, settings, points, &messenger); }
    std::string cell(int k, int j) const { return data.process.cell(k, j); }
};

} // namespace

TEST(ProcessTables, HeadingsDefaultInputAndRestore) {
    EXPECT_EQ(InputHeadings(PressureIn::KPa)[1], "Press.\rkPa");
    EXPECT_EQ(ProcessHeadings(UnitSystem::MetricKcal)[3], "Entahlpy\rkcal/kgDA");
    EXPECT_EQ(ProcessHeadings(UnitSystem::Imperial)[6], "H.Load\rBtu/h");

    Dialog d;
    EXPECT_EQ(d.data.input.cell(3, 1) + "|" + d.data.input.cell(3, 2), "760|");
    StatePointList pts;
    pts.count = 1;
    pts.pressure[1] = 760, pts.dryBulb[1] = 25, pts.relHum[1] = 50.63f;
    RestoreInput(d.data, pts);
    EXPECT_EQ(d.data.input.cell(1, 1) + "|" + d.data.input.cell(1, 3) + "|" + d.data.input.cell(1, 4), "760.00|50.63|");
}

TEST(Calculate, PropertyRowsAndProcessRows) {
    Dialog one; // one valid state: the property row only
    one.data.process.cell(1, 1) = "old";
    one.rows({{"25", "50.63"}});
    EXPECT_TRUE(one.calculate());
    EXPECT_EQ(one.data.property.cell(1, 1), "49.835"); // saturation degree 49.8 %, six characters
    EXPECT_EQ(one.data.property.cell(1, 3), ".01");    // 0.0099999...: five decimals, no trailing zeros
    EXPECT_EQ(one.data.property.cell(1, 5), "12.092");
    EXPECT_EQ(one.data.property.cell(1, 6), ".8583");
    EXPECT_EQ(one.data.property.cell(2, 1), "");
    EXPECT_EQ(one.cell(1, 1), "old");

    Dialog same; // two identical states: zero ratios
    same.rows({{"25", "50"}, {"25", "50"}});
    EXPECT_TRUE(same.calculate());
    EXPECT_EQ(same.cell(1, 3) + "|" + same.cell(1, 8) + "|" + same.cell(1, 9), "0.00|0.000|0.0");
}

TEST(Calculate, CoolingAtConstantHumidity) {
    // 25 C / 50 % to 15 C with the same absolute humidity, set on the states.
    Dialog d;
    const float x = 0.00988f;
    const float t[] = {0, 25, 15}, h[] = {0, EnthalpyOf(760, 25, x * 1000), EnthalpyOf(760, 15, x * 1000)};
    for (std::size_t i : {1u, 2u}) {
        AirStates& s = d.data.states;
        s.Valid[i] = true, s.Pressure[i] = 760, s.DryBulb[i] = t[i], s.AbsHum[i] = x, s.Enthalpy[i] = h[i];
        s.SpecVolume[i] = 0.85f;
    }
    d.data.StateCount = 2;
    ProcessRows(d.data, d.settings);
    EXPECT_EQ(d.cell(1, 1) + "|" + d.cell(1, 2) + "|" + d.cell(1, 5) + "|" + d.cell(1, 8), "-10.00|0.0000|0.000|1.000");
    const double load = LeadingNumber(d.cell(1, 6)); // negative: cooling
    EXPECT_LT(load, 0);
    EXPECT_NEAR(LeadingNumber(d.cell(1, 7)), load / 3600 * 4.186, 1e-3);
    // No water: the moisture ratio is the enthalpy change times 9999.
    EXPECT_EQ(d.cell(1, 9), FormatNumber(static_cast<float>((static_cast<double>(h[2]) - h[1]) * 9999.0), "###0.0"));
}

TEST(Calculate, AirflowChangeAndFewerStates) {
    Dialog d;
    d.rows({{"30", "60"}, {"16", "90"}, {"20", "50"}});
    ASSERT_TRUE(d.calculate());
    const auto before = d.data.process;
    d.data.flowText = "100.00";
    AirflowChange(d.data, d.settings);
    for (int k = 1; k <= 2; ++k) {
        for (int j : {1, 2, 3, 4, 8, 9})
            EXPECT_EQ(d.cell(k, j), before.cell(k, j)) << k << "," << j;
        for (int j : {5, 6, 7, 10}) {
            const double now = LeadingNumber(d.cell(k, j));
            EXPECT_NEAR(now, 2 * LeadingNumber(before.cell(k, j)), 2e-3 * std::max(1.0, std::fabs(now)))
                << k << "," << j;
        }
    }
    d.data.flowText = "abc"; // no number: G = 0
    AirflowChange(d.data, d.settings);
    EXPECT_EQ(d.cell(1, 5) + "|" + d.cell(1, 6) + "|" + d.cell(1, 10), "0.000|0.0|0.0");

    // Fewer valid states leave the old lower process rows.
    const std::string second = d.cell(2, 0);
    d.rows({{"30", "60"}, {"16", "90"}, {"", ""}});
    ASSERT_TRUE(d.calculate());
    EXPECT_EQ(d.cell(2, 0), second);
    EXPECT_EQ(d.data.StateCount, 2);
}

TEST(Calculate, RangeMessagesGoOnAndAFaultIsTrapped) {
    Dialog d;
    d.rows({{"25", "50"}, {"120", "50"}, {"20", "50"}});
    EXPECT_TRUE(d.calculate());
    EXPECT_EQ(d.messenger.events, (std::vector<std::string>{"beep", "box"}));
    EXPECT_EQ(d.cell(1, 0), "#1 -> #3"); // the invalid row is skipped between processes

    Dialog f;
    f.rows({{"25", "50"}, {"100", "10"}}); // boiling at 1 atm: P equals p_s
    EXPECT_FALSE(f.calculate());
    ASSERT_EQ(f.messenger.shown.size(), 1u);
    EXPECT_EQ(f.messenger.shown[0].text, "Error occured !\rPlease check input data.");
    EXPECT_EQ(f.messenger.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(f.data.input.cell(1, 4), "17.89"); // written before the fault: stays
}

TEST(Calculate, EachProcessStartsWhereThePreviousEnded) {
    // Cooling with dehumidification, then reheating: 30 C / 40 % -> 20 C / 60 % -> 25 C / 50 %.
    Dialog d;
    d.rows({{"30", "40"}, {"20", "60"}, {"25", "50"}});
    ASSERT_TRUE(d.calculate());
    EXPECT_EQ(d.cell(1, 0), "#1 -> #2");
    EXPECT_EQ(d.cell(2, 0), "#2 -> #3");
    EXPECT_EQ(d.cell(1, 1) + "|" + d.cell(2, 1), "-10.00|5.00");

    // Differences of the second process from the properties of states 2 and 3 as shown.
    const auto prop = [&](int i, int j) { return LeadingNumber(d.data.property.cell(i, j)); };
    EXPECT_NEAR(LeadingNumber(d.cell(2, 3)), prop(3, 5) - prop(2, 5), 0.006);
    EXPECT_NEAR(LeadingNumber(d.cell(2, 2)), prop(3, 3) - prop(2, 3), 0.00006);

    // The sensible heat factor is the sensible part of the enthalpy change:
    // 0.683 for the cooling coil, and q_s / dh from the shown columns for both.
    EXPECT_EQ(d.cell(1, 8), "0.683");
    for (int k = 1; k <= 2; ++k) {
        const double shf = LeadingNumber(d.cell(k, 8));
        EXPECT_GT(shf, 0.0) << k;
        EXPECT_LT(shf, 1.0) << k; // a load with latent heat is never all sensible
        EXPECT_NEAR(shf, LeadingNumber(d.cell(k, 4)) / LeadingNumber(d.cell(k, 3)), 0.01) << k;
    }
    // Moisture ratio dh / dx and water dx * G (G = 50) from the property table.
    EXPECT_NEAR(LeadingNumber(d.cell(1, 9)), (prop(2, 5) - prop(1, 5)) / (prop(2, 3) - prop(1, 3)), 25.0);
    EXPECT_NEAR(LeadingNumber(d.cell(1, 5)), (prop(2, 3) - prop(1, 3)) * 50, 0.002);
}

TEST(Calculate, AFaultLeavesTheStateListWhole) {
    Dialog d;
    d.rows({{"30", "40"}, {"20", "60"}, {"10", "80"}});
    ASSERT_TRUE(d.calculate());
    const StatePointList before = d.points;
    ASSERT_EQ(before.count, 3);
    d.rows({{"25", "50"}, {"100", "10"}}); // row 1 passes, row 2 faults
    EXPECT_FALSE(d.calculate());
    EXPECT_EQ(d.points.count, 3);
    EXPECT_EQ(d.points.dryBulb, before.dryBulb);
    EXPECT_EQ(d.points.relHum, before.relHum);
}

TEST(OpenProcessData, EmptyAndRestoredLists) {
    Dialog d;
    d.data.input.cell(2, 2) = "stale";
    OpenProcessData(d.data, d.settings, d.points, &d.messenger);
    EXPECT_EQ(d.data.input.cell(2, 1) + "|" + d.data.input.cell(2, 2), "760|");
    EXPECT_EQ(d.data.property.cell(1, 0) + "|" + d.data.property.cell(1, 1), "#1|");
    EXPECT_EQ(d.data.StateCount, 0);

    // Three states come back with two decimals, the wet bulb derived again
    // and the property and process tables filled.
    d.points.count = 3;
    const float t[] = {30.123f, 20, 10}, rh[] = {40, 60.555f, 80};
    for (std::size_t i = 1; i <= 3; ++i)
        d.points.dryBulb[i] = t[i - 1], d.points.relHum[i] = rh[i - 1], d.points.pressure[i] = 760;
    d.data.flowText = "50.00";
    OpenProcessData(d.data, d.settings, d.points, &d.messenger);
    EXPECT_EQ(d.data.input.cell(1, 2), "30.12");
    EXPECT_EQ(d.data.input.cell(2, 3), "60.56");
    EXPECT_FALSE(d.data.input.cell(3, 4).empty());
    EXPECT_EQ(d.data.input.cell(4, 2), "");
    EXPECT_FALSE(d.data.property.cell(3, 5).empty());
    EXPECT_EQ(d.data.process.cell(2, 0), "#2 -> #3");
    EXPECT_EQ(d.data.StateCount, 3);
    EXPECT_TRUE(d.messenger.shown.empty());
}
