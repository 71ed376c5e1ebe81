// The Calculate sequence, the process rows, the airflow change and the restored state list.
#include "engine/number_format.h"
#include "process/process_calc.h"

#include "tests/engine/recording_messenger.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace hyg;

namespace {
struct Dialog {
    ChartSettings settings;
    ProcessData data;
    StatePointList points;
    test::RecordingMessenger messenger;

    Dialog() { BuildInputTable(data, settings), data.flowText = "50.00"; }
    void rows(const std::vector<std::pair<std::string, std::string>>& states) {
        int i = 0;
        for (const auto& [t, rh] : states)
            ++i, data.input.cell(i, 2) = t, data.input.cell(i, 3) = rh;
    }
    bool calculate() { return Calculate(data, settings, points, &messenger); }
    std::string cell(int k, int j) const { return data.process.cell(k, j); }
    // Cells (row k, column j) of the process table joined by "|".
    std::string cells(std::initializer_list<std::pair<int, int>> at) const {
        std::string out;
        for (const auto& [k, j] : at)
            out += (out.empty() ? "" : "|") + cell(k, j);
        return out;
    }
};
} // namespace

TEST(Calculate, PropertyRowsAndZeroRatios) {
    Dialog one; // one valid state: the property row only
    one.data.process.cell(1, 1) = "old";
    one.rows({{"25", "50.63"}});
    EXPECT_TRUE(one.calculate());
    // Saturation degree in six characters; 0.0099999... in five decimals without trailing zeros.
    const auto& p = one.data.property;
    EXPECT_EQ(p.cell(1, 1) + "|" + p.cell(1, 3) + "|" + p.cell(1, 5) + "|" + p.cell(1, 6) + "|" + p.cell(2, 1),
              "49.835|.01|12.092|.8583|");
    EXPECT_EQ(one.cell(1, 1), "old");
    Dialog same; // two identical states: zero ratios instead of a division by zero
    same.rows({{"25", "50"}, {"25", "50"}});
    EXPECT_TRUE(same.calculate());
    EXPECT_EQ(same.cells({{1, 3}, {1, 8}, {1, 9}}), "0.00|0.000|0.0");
}

TEST(Calculate, AirflowRangeMessagesFewerStatesAndAFault) {
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
            EXPECT_NEAR(now, 2 * LeadingNumber(before.cell(k, j)), 2e-3 * std::max(1.0, std::fabs(now))) << k << j;
        }
    }
    d.data.flowText = "abc"; // no number: G = 0
    AirflowChange(d.data, d.settings);
    EXPECT_EQ(d.cells({{1, 5}, {1, 6}, {1, 10}}), "0.000|0.0|0.0");

    // A row out of range beeps, shows its box and is skipped between
    // processes; fewer valid states leave the old lower process rows.
    const std::string second = d.cell(2, 0);
    d.rows({{"30", "60"}, {"120", "50"}, {"20", "50"}});
    ASSERT_TRUE(d.calculate());
    EXPECT_EQ(d.messenger.events, (std::vector<std::string>{"beep", "box"}));
    EXPECT_EQ(d.cells({{1, 0}, {2, 0}}), "#1 -> #3|" + second);
    EXPECT_EQ(d.data.StateCount, 2);

    // A fault ends the pass with a box; the cells already filled keep their
    // results and the state list keeps the last calculated states.
    const StatePointList points = d.points;
    d.rows({{"25", "50"}, {"100", "10"}}); // boiling at 1 atm: P equals p_s
    EXPECT_FALSE(d.calculate());
    ASSERT_EQ(d.messenger.shown.size(), 2u);
    EXPECT_EQ(d.messenger.shown[1].text, "Error occured !\rPlease check input data.");
    EXPECT_EQ(d.messenger.shown[1].icon, MessageIcon::Critical);
    EXPECT_EQ(d.data.input.cell(1, 4), "17.89");
    EXPECT_EQ(d.points.count, 2);
    EXPECT_EQ(d.points.dryBulb, points.dryBulb);
    EXPECT_EQ(d.points.relHum, points.relHum);
}

TEST(Calculate, EachProcessStartsWhereThePreviousEnded) {
    // Cooling with dehumidification, then reheating: 30 C / 40 % -> 20 C / 60 % -> 25 C / 50 %.
    Dialog d;
    d.rows({{"30", "40"}, {"20", "60"}, {"25", "50"}});
    ASSERT_TRUE(d.calculate());
    // The sensible heat factor is the sensible part of the enthalpy change (q_s / dh in the shown columns).
    EXPECT_EQ(d.cells({{1, 0}, {2, 0}, {1, 1}, {2, 1}, {1, 8}}), "#1 -> #2|#2 -> #3|-10.00|5.00|0.683");

    // Differences of the second process from the properties of states 2 and 3 as shown.
    const auto prop = [&](int i, int j) { return LeadingNumber(d.data.property.cell(i, j)); };
    const auto num = [&](int k, int j) { return LeadingNumber(d.cell(k, j)); };
    EXPECT_NEAR(num(2, 3), prop(3, 5) - prop(2, 5), 0.006);
    EXPECT_NEAR(num(2, 2), prop(3, 3) - prop(2, 3), 0.00006);
    for (int k = 1; k <= 2; ++k) {
        EXPECT_GT(num(k, 8), 0.0) << k;
        EXPECT_LT(num(k, 8), 1.0) << k; // a load with latent heat is never all sensible
        EXPECT_NEAR(num(k, 8), num(k, 4) / num(k, 3), 0.01) << k;
    }
    // Moisture ratio dh / dx and water dx * G (G = 50) from the property table.
    EXPECT_NEAR(num(1, 9), (prop(2, 5) - prop(1, 5)) / (prop(2, 3) - prop(1, 3)), 25.0);
    EXPECT_NEAR(num(1, 5), (prop(2, 3) - prop(1, 3)) * 50, 0.002);
}

TEST(OpenProcessData, EmptyAndRestoredLists) {
    Dialog d;
    d.data.input.cell(2, 2) = "stale";
    OpenProcessData(d.data, d.settings, d.points, &d.messenger);
    const auto& in = d.data.input;
    EXPECT_EQ(in.cell(2, 1) + "|" + in.cell(2, 2) + "|" + d.data.property.cell(1, 0) + "|" +
                  d.data.property.cell(1, 1) + "|" + std::to_string(d.data.StateCount),
              "760||#1||0");

    // Three states come back with two decimals, the wet bulb derived again
    // and the property and process tables filled.
    d.points.count = 3;
    const float t[] = {30.123f, 20, 10}, rh[] = {40, 60.555f, 80};
    for (std::size_t i = 1; i <= 3; ++i)
        d.points.dryBulb[i] = t[i - 1], d.points.relHum[i] = rh[i - 1], d.points.pressure[i] = 760;
    OpenProcessData(d.data, d.settings, d.points, &d.messenger);
    EXPECT_EQ(in.cell(1, 1) + "|" + in.cell(1, 2) + "|" + in.cell(2, 3) + "|" + in.cell(4, 2), "760.00|30.12|60.56|");
    EXPECT_FALSE(in.cell(3, 4).empty() || d.data.property.cell(3, 5).empty());
    EXPECT_EQ(d.cell(2, 0) + "|" + std::to_string(d.data.StateCount), "#2 -> #3|3");
    EXPECT_TRUE(d.messenger.shown.empty());
}
