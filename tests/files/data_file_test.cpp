// The data file: the exact records, the round trip and the refusal of files
// that do not match, which must leave every setting as it was.
#include "files/data_file.h"

#include "chart/chart_settings.h"
#include "engine/state_points.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace hyg {
namespace {

const std::string kDefaultFile =
    "0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n760,27\r\n10,40\r\n17,17\r\n8,50\r\n10,0\r\n1,1,1\r\n"
    "1,1,1,1\r\n1,1,1,1\r\n";

std::string Written(const ChartSettings& s, const StatePointList& states) {
    std::ostringstream out;
    WriteDataFile(out, s, states);
    return out.str();
}

StatePointList TwoStates() {
    StatePointList states;
    states.count = 2;
    states.dryBulb[1] = 26, states.relHum[1] = 50.63f, states.pressure[1] = 760;
    states.dryBulb[2] = 15.5f, states.relHum[2] = 95, states.pressure[2] = 760;
    return states;
}

// Replaces line `no` (1-based) of a file text with `text`.
std::string WithLine(const std::string& file, int no, const std::string& text) {
    std::istringstream in(file);
    std::string line, out;
    for (int i = 1; std::getline(in, line); ++i)
        out += (i == no ? text + "\r" : line) + "\n";
    return out;
}

TEST(DataFileWrite, TwelveLinesThenTwoStatesWithTheirReservedLines) {
    EXPECT_EQ(Written(DefaultChartSettings(), StatePointList{}), kDefaultFile);
    ChartSettings s = DefaultChartSettings();
    s.PressureMmHg = 759.81f;
    s.MaxAbsHum = 27.5f;
    s.DiagramType = 0;
    s.LineSwitch[3] = 0;
    EXPECT_EQ(Written(s, TwoStates()), "0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n759.81,27.5\r\n10,40\r\n"
                                       "17,17\r\n8,50\r\n10,2\r\n1,1,0\r\n1,1,1,0\r\n1,1,1,1\r\n"
                                       "26,50.63\r\n0,0\r\n0,0\r\n15.5,95\r\n0,0\r\n0,0\r\n");
    EXPECT_THROW(WriteDataFile("/nonexistent/dir/x.dat", DefaultChartSettings(), StatePointList{}), RunTimeFault);
}

TEST(DataFileWrite, ToAPathAndAFailureOnADevice) {
    const auto dir = std::filesystem::temp_directory_path() / ("hygrana_data_file_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string plain = (dir / "corvane.dat").string();
    WriteDataFile(plain, DefaultChartSettings(), StatePointList{});
    std::stringstream got;
    got << std::ifstream(plain, std::ios::binary).rdbuf();
    EXPECT_EQ(got.str(), kDefaultFile);
    // A device node like /dev/full refuses every byte: the write fails, and
    // the node, not being a plain file, is not removed.
    const std::string full = (dir / "full").string();
    if (::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        std::filesystem::remove_all(dir);
        GTEST_SKIP() << "cannot make a device node here";
    }
    EXPECT_THROW(WriteDataFile(full, DefaultChartSettings(), StatePointList{}), RunTimeFault);
    EXPECT_TRUE(std::filesystem::is_character_file(full));
    std::filesystem::remove_all(dir);
}

TEST(DataFileRead, RoundTripRestoresSettingsAndStates) {
    ChartSettings saved = DefaultChartSettings();
    saved.PlotterP2X = 12500, saved.PlotterP2Y = 8750, saved.PressureUnit = PressureIn::KPa,
    saved.PressureMmHg = 759.81f;
    saved.MinDryBulb = -5, saved.MaxDryBulb = 45, saved.ShfOriginDryBulb = 24, saved.ShfOriginAbsHum = 12;
    saved.MaxMoistureRatio = 21, saved.DryAirflowRate = 123.25f, saved.VertHorizRatio = 14;
    saved.EnthalpyUnit = UnitSystem::Imperial, saved.DiagramType = 0, saved.LineSwitch = {0, 1, 0, 1, 1, 0, 1, 0};
    const std::string text = Written(saved, TwoStates());

    ChartSettings s = DefaultChartSettings();
    s.ColorMode = 0; // not stored: must survive
    StatePointList states;
    std::istringstream in(text);
    const auto refusal = ReadDataFile(in, s, states);
    ASSERT_FALSE(refusal) << refusal->message;
    EXPECT_EQ(Written(s, states), text); // written again, the file is the same
    EXPECT_EQ(s.ColorMode, 0);
    EXPECT_NEAR(s.Pressure, 101.3, 0.001); // in the file's pressure unit, the states too
    EXPECT_NEAR(states.pressure[2], 101.3, 0.001);
    // 675.06 mmHg is 90.0 kPa: on the kPa list, not on the mmHg one.
    std::istringstream kpa(WithLine(WithLine(kDefaultFile, 5, "675.06,27"), 10, "2,1,1"));
    const auto kpaRefusal = ReadDataFile(kpa, s, states);
    ASSERT_FALSE(kpaRefusal) << kpaRefusal->message;
    EXPECT_NEAR(s.Pressure, 90.0, 0.01);
}

TEST(DataFileRead, EveryDialogListEndReadsBack) {
    // The first and last item of each list the range and unit dialogs offer:
    // a file the window saves with any of them must open again.
    struct End {
        const char* what;
        void (*set)(ChartSettings&, float);
        float (*get)(const ChartSettings&);
        float first, last;
    };
    const End ends[] = {
        {"lowest temperature", [](ChartSettings& s, float v) { s.MinDryBulb = v; },
         [](const ChartSettings& s) { return s.MinDryBulb; }, 20, -20},
        {"highest temperature", [](ChartSettings& s, float v) { s.MaxDryBulb = v; },
         [](const ChartSettings& s) { return s.MaxDryBulb; }, 60, 10},
        {"top humidity", [](ChartSettings& s, float v) { s.MaxAbsHum = v; },
         [](const ChartSettings& s) { return s.MaxAbsHum; }, 100, 1},
        {"SHF origin temperature", [](ChartSettings& s, float v) { s.ShfOriginDryBulb = v; },
         [](const ChartSettings& s) { return s.ShfOriginDryBulb; }, 30, 10},
        {"SHF origin humidity", [](ChartSettings& s, float v) { s.ShfOriginAbsHum = v; },
         [](const ChartSettings& s) { return s.ShfOriginAbsHum; }, 30, 10},
        {"moisture-ratio range", [](ChartSettings& s, float v) { s.MaxMoistureRatio = v; },
         [](const ChartSettings& s) { return s.MaxMoistureRatio; }, 21, 1},
        {"height-to-width ratio", [](ChartSettings& s, float v) { s.VertHorizRatio = v; },
         [](const ChartSettings& s) { return s.VertHorizRatio; }, 3, 14},
        {"pressure in mmHg", [](ChartSettings& s, float v) { s.PressureMmHg = v; },
         [](const ChartSettings& s) { return s.PressureMmHg; }, 1000, 700},
    };
    for (const End& e : ends) {
        for (float v : {e.first, e.last}) {
            ChartSettings saved = DefaultChartSettings();
            e.set(saved, v);
            ChartSettings s = DefaultChartSettings();
            StatePointList states;
            std::istringstream in(Written(saved, StatePointList{}));
            const auto refusal = ReadDataFile(in, s, states);
            ASSERT_FALSE(refusal) << e.what << " " << v << ": " << refusal->message;
            EXPECT_EQ(e.get(s), v) << e.what;
        }
    }
    // The pressure lists of the other units, end to end: 90.0 to 120.0 kPa,
    // 0.900 to 1.200 atm (stored in mmHg), and every unit and diagram code.
    const struct {
        PressureIn unit;
        float pressure;
    } pressures[] = {
        {PressureIn::KPa, 90.0f}, {PressureIn::KPa, 120.0f}, {PressureIn::Atm, 0.9f}, {PressureIn::Atm, 1.2f}};
    for (const auto& p : pressures) {
        ChartSettings saved = DefaultChartSettings();
        saved.PressureUnit = p.unit;
        saved.PressureMmHg = static_cast<float>(p.pressure * (p.unit == PressureIn::KPa ? 760 / 101.325 : 760.0));
        for (UnitSystem code : {UnitSystem::MetricKcal, UnitSystem::Imperial})
            for (std::int16_t type : {0, 1}) {
                saved.EnthalpyUnit = code, saved.DiagramType = type;
                ChartSettings s = DefaultChartSettings();
                StatePointList states;
                std::istringstream in(Written(saved, StatePointList{}));
                const auto refusal = ReadDataFile(in, s, states);
                ASSERT_FALSE(refusal) << p.pressure << ": " << refusal->message;
                EXPECT_NEAR(s.Pressure, p.pressure, p.pressure * 1e-4);
                EXPECT_EQ(s.EnthalpyUnit, code);
                EXPECT_EQ(s.DiagramType, type);
            }
    }
}

TEST(DataFileRead, ValuesJustOffTheListsAndAFlatPlotterFrame) {
    // One step beyond each temperature end, and a plotter frame without width
    // or height (P2 on P1), are refused by the line that holds them.
    const std::pair<int, std::string> bad[] = {
        {6, "-21,40"}, {6, "21,40"}, {6, "10,61"}, {6, "10,9"}, {7, "9,17"}, {7, "17,31"},
        {8, "0,50"},   {8, "22,50"}, {9, "2,0"},   {9, "15,0"}, {1, "0,0"},  {2, "10500,10500"},
    };
    for (const auto& [line, text] : bad) {
        ChartSettings s = DefaultChartSettings();
        StatePointList states;
        std::istringstream in(WithLine(kDefaultFile, line, text));
        const auto refusal = ReadDataFile(in, s, states);
        ASSERT_TRUE(refusal) << text;
        EXPECT_EQ(refusal->line, line) << text;
    }
}

TEST(DataFileRead, RefusalNamesTheLineAndChangesNothing) {
    const std::string two = Written(DefaultChartSettings(), TwoStates());
    struct Bad {
        const char* what;
        int line; // the line the message must name (0: no line)
        std::string text;
    };
    const Bad cases[] = {
        {"empty file", 0, ""},
        {"eleven lines", 12, kDefaultFile.substr(0, kDefaultFile.rfind("1,1,1,1"))},
        {"a state line missing", 18, two.substr(0, two.size() - 5)},
        {"three fields on line 6", 6, WithLine(kDefaultFile, 6, "10,40,1")},
        {"text instead of a number", 7, WithLine(kDefaultFile, 7, "17,abc")},
        {"pressure unit 4", 10, WithLine(kDefaultFile, 10, "4,1,1")},
        {"pressure below the list", 5, WithLine(kDefaultFile, 5, "650,27")},
        {"pressure of the kPa list in mmHg", 5, WithLine(kDefaultFile, 5, "675.06,27")},
        {"top humidity 0", 5, WithLine(kDefaultFile, 5, "760,0")},
        {"seven states", 9, WithLine(kDefaultFile, 9, "10,7")},
        {"other plane window", 3, WithLine(kDefaultFile, 3, "-400,4500")},
        {"state dry bulb 120", 13, WithLine(two, 13, "120,50")},
        {"state humidity 101", 16, WithLine(two, 16, "20,101")},
        {"reserved line not 0", 14, WithLine(two, 14, "0,1")},
        {"overflowing number", 8, WithLine(kDefaultFile, 8, "8,1e999")},
    };
    for (const Bad& bad : cases) {
        ChartSettings s = DefaultChartSettings();
        s.MinDryBulb = 5, s.LineSwitch[2] = 0;
        const std::string before = Written(s, TwoStates());
        StatePointList states = TwoStates();
        std::istringstream in(bad.text);
        const auto refusal = ReadDataFile(in, s, states);
        ASSERT_TRUE(refusal) << bad.what;
        EXPECT_EQ(refusal->line, bad.line) << bad.what;
        const std::string& message = refusal->message;
        if (bad.line > 0) {
            EXPECT_EQ(message.rfind("Line " + std::to_string(bad.line) + " of the data file is not valid: ", 0), 0u)
                << bad.what << ": " << message;
        }
        EXPECT_EQ(Written(s, states), before) << bad.what;
    }
    ChartSettings s = DefaultChartSettings();
    StatePointList states;
    const auto missing = ReadDataFile("/nonexistent/corvane.dat", s, states);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->line, 0);
    // Counts of one read in the singular.
    const std::pair<std::string, const char*> counted[] = {
        {WithLine(kDefaultFile, 6, "10"), "it holds 1 value where 2 are expected"},
        {WithLine(kDefaultFile, 9, "10,1") + "20,50\r\n0,0\r\n0,0\r\n0,0\r\n",
         "the file holds 1 state, so it should end after line 15"},
    };
    for (const auto& [text, reason] : counted) {
        std::istringstream in(text);
        const auto refusal = ReadDataFile(in, s, states);
        ASSERT_TRUE(refusal) << reason;
        EXPECT_NE(refusal->message.find(reason), std::string::npos) << refusal->message;
    }
}

} // namespace
} // namespace hyg
