// The data file: the exact records, the round trip and the refusal of files
// that do not match, which must leave every setting as it was.
#include "app/data_file.h"

#include "chart/chart_settings.h"
#include "engine/state_points.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace hyg {
namespace {

const char* const kDefaultFile =
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
    for (int i = 1; std::getline(in, line); ++i) out += (i == no ? text + "\r" : line) + "\n";
    return out;
}

TEST(DataFileWrite, StartUpSettingsGiveTheTwelveLines) {
    EXPECT_EQ(Written(DefaultChartSettings(), StatePointList{}), kDefaultFile);
}

TEST(DataFileWrite, StatesFollowWithTwoReservedLinesEach) {
    ChartSettings s = DefaultChartSettings();
    s.PressureMmHg = 759.81f;
    s.MaxAbsHum = 27.5f;
    s.DiagramType = 0;
    s.LineSwitch[3] = 0;
    const std::string text = Written(s, TwoStates());
    EXPECT_NE(text.find("\r\n759.81,27.5\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n1,1,0\r\n1,1,1,0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n10,2\r\n"), std::string::npos) << text;
    const std::string tail = "26,50.63\r\n0,0\r\n0,0\r\n15.5,95\r\n0,0\r\n0,0\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    int lines = 0;
    for (char c : text) lines += c == '\n';
    EXPECT_EQ(lines, 18);
}

TEST(DataFileWrite, FileOnDiskAndUnwritablePath) {
    const auto dir = std::filesystem::temp_directory_path() / "hygrana_data_file_test";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "corvane.dat").string();
    WriteDataFile(path, DefaultChartSettings(), StatePointList{});
    std::ifstream in(path, std::ios::binary);
    std::stringstream got;
    got << in.rdbuf();
    EXPECT_EQ(got.str(), kDefaultFile);
    EXPECT_THROW(WriteDataFile((dir / "no such dir" / "x.dat").string(), DefaultChartSettings(), StatePointList{}),
                 RunTimeFault);
    std::filesystem::remove_all(dir);
}

TEST(DataFileRead, RoundTripRestoresSettingsAndStates) {
    ChartSettings saved = DefaultChartSettings();
    saved.PlotterP2X = 12500, saved.PlotterP2Y = 8750;
    saved.PressureUnit = 2;
    saved.PressureMmHg = 759.81f;
    saved.MinDryBulb = -5, saved.MaxDryBulb = 45;
    saved.ShfOriginDryBulb = 24, saved.ShfOriginAbsHum = 12;
    saved.MaxMoistureRatio = 21, saved.DryAirflowRate = 123.25f;
    saved.VertHorizRatio = 14;
    saved.EnthalpyUnit = 3, saved.DiagramType = 0;
    saved.LineSwitch = {0, 1, 0, 1, 1, 0, 1, 0};
    const std::string text = Written(saved, TwoStates());

    ChartSettings s = DefaultChartSettings();
    s.ColorMode = 0; // not stored: must survive
    StatePointList states;
    std::istringstream in(text);
    ASSERT_EQ(ReadDataFile(in, s, states), "");
    EXPECT_EQ(s.PlotterP2X, 12500);
    EXPECT_EQ(s.PlotterP2Y, 8750);
    EXPECT_EQ(s.PressureUnit, 2);
    EXPECT_FLOAT_EQ(s.PressureMmHg, 759.81f);
    EXPECT_NEAR(s.Pressure, 101.3, 0.001); // in the file's pressure unit
    EXPECT_EQ(s.MinDryBulb, -5);
    EXPECT_EQ(s.MaxDryBulb, 45);
    EXPECT_EQ(s.ShfOriginDryBulb, 24);
    EXPECT_EQ(s.ShfOriginAbsHum, 12);
    EXPECT_EQ(s.MaxMoistureRatio, 21);
    EXPECT_EQ(s.DryAirflowRate, 123.25f);
    EXPECT_EQ(s.VertHorizRatio, 14);
    EXPECT_EQ(s.EnthalpyUnit, 3);
    EXPECT_EQ(s.DiagramType, 0);
    EXPECT_EQ(s.LineSwitch, saved.LineSwitch);
    EXPECT_EQ(s.ColorMode, 0);
    ASSERT_EQ(states.count, 2);
    EXPECT_EQ(states.dryBulb[1], 26);
    EXPECT_EQ(states.relHum[1], 50.63f);
    EXPECT_EQ(states.dryBulb[2], 15.5f);
    EXPECT_EQ(states.relHum[2], 95);
    EXPECT_NEAR(states.pressure[1], 101.3, 0.001);
    EXPECT_EQ(states.pressure[1], states.pressure[2]);
    // Written again, the file is the same.
    EXPECT_EQ(Written(s, states), text);
}

TEST(DataFileRead, AcceptsLfLineEndsAndTrailingBlankLines) {
    std::string text = kDefaultFile;
    std::string lf;
    for (char c : text) {
        if (c != '\r') lf += c;
    }
    lf += "\n\n";
    ChartSettings s = DefaultChartSettings();
    StatePointList states;
    std::istringstream in(lf);
    EXPECT_EQ(ReadDataFile(in, s, states), "");
}

struct BadFile {
    const char* what;
    int line;           // the line the message must name (0: no line)
    std::string text;
};

class DataFileRefusal : public testing::TestWithParam<BadFile> {};

TEST_P(DataFileRefusal, NamesTheLineAndChangesNothing) {
    const BadFile& bad = GetParam();
    ChartSettings s = DefaultChartSettings();
    s.MinDryBulb = 5, s.PressureUnit = 1, s.LineSwitch[2] = 0;
    const ChartSettings before = s;
    StatePointList states = TwoStates();
    std::istringstream in(bad.text);
    const std::string message = ReadDataFile(in, s, states);
    ASSERT_FALSE(message.empty()) << bad.what;
    if (bad.line > 0) {
        EXPECT_EQ(message.rfind("Line " + std::to_string(bad.line) + " of the data file is not valid: ", 0), 0u)
            << bad.what << ": " << message;
    }
    EXPECT_EQ(s.MinDryBulb, before.MinDryBulb) << bad.what;
    EXPECT_EQ(s.PressureMmHg, before.PressureMmHg) << bad.what;
    EXPECT_EQ(s.LineSwitch, before.LineSwitch) << bad.what;
    EXPECT_EQ(s.PlotterP2X, before.PlotterP2X) << bad.what;
    EXPECT_EQ(states.count, 2) << bad.what;
    EXPECT_EQ(states.dryBulb[1], 26) << bad.what;
}

const std::string kWithTwoStates = [] {
    std::ostringstream out;
    WriteDataFile(out, DefaultChartSettings(), TwoStates());
    return out.str();
}();

INSTANTIATE_TEST_SUITE_P(
    BadFiles, DataFileRefusal,
    testing::Values(
        BadFile{"empty file", 0, ""},
        BadFile{"eleven lines", 12, std::string(kDefaultFile).substr(0, std::string(kDefaultFile).rfind("1,1,1,1"))},
        BadFile{"a state line missing", 18, kWithTwoStates.substr(0, kWithTwoStates.size() - 5)},
        BadFile{"a line too many", 13, std::string(kDefaultFile) + "0,0\r\n"},
        BadFile{"three fields on line 6", 6, WithLine(kDefaultFile, 6, "10,40,1")},
        BadFile{"text instead of a number", 7, WithLine(kDefaultFile, 7, "17,abc")},
        BadFile{"empty field", 8, WithLine(kDefaultFile, 8, "8,")},
        BadFile{"pressure unit 4", 10, WithLine(kDefaultFile, 10, "4,1,1")},
        BadFile{"diagram type 2", 10, WithLine(kDefaultFile, 10, "1,1,2")},
        BadFile{"switch 2", 11, WithLine(kDefaultFile, 11, "1,2,1,1")},
        BadFile{"pressure below the list", 5, WithLine(kDefaultFile, 5, "650,27")},
        BadFile{"pressure above the list", 5, WithLine(kDefaultFile, 5, "1001,27")},
        BadFile{"lowest temperature -21", 6, WithLine(kDefaultFile, 6, "-21,40")},
        BadFile{"top humidity 0", 5, WithLine(kDefaultFile, 5, "760,0")},
        BadFile{"SHF origin 31", 7, WithLine(kDefaultFile, 7, "31,17")},
        BadFile{"ratio 2", 9, WithLine(kDefaultFile, 9, "2,0")},
        BadFile{"seven states", 9, WithLine(kDefaultFile, 9, "10,7")},
        BadFile{"other plane window", 3, WithLine(kDefaultFile, 3, "-400,4500")},
        BadFile{"plotter P2 not beyond P1", 1, WithLine(kDefaultFile, 1, "15000,15000")},
        BadFile{"state dry bulb 120", 13, WithLine(kWithTwoStates, 13, "120,50")},
        BadFile{"state humidity 101", 16, WithLine(kWithTwoStates, 16, "20,101")},
        BadFile{"reserved line not 0", 14, WithLine(kWithTwoStates, 14, "0,1")},
        BadFile{"overflowing number", 8, WithLine(kDefaultFile, 8, "8,1e999")}),
    [](const testing::TestParamInfo<BadFile>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST(DataFileRead, PressureListFollowsTheFilesUnit) {
    // 675.06 mmHg is 90.0 kPa: on the kPa list, not on the mmHg one.
    ChartSettings s = DefaultChartSettings();
    StatePointList states;
    std::istringstream kpa(WithLine(WithLine(kDefaultFile, 5, "675.06,27"), 10, "2,1,1"));
    EXPECT_EQ(ReadDataFile(kpa, s, states), "");
    EXPECT_NEAR(s.Pressure, 90.0, 0.01);
    std::istringstream mmhg(WithLine(kDefaultFile, 5, "675.06,27"));
    EXPECT_NE(ReadDataFile(mmhg, s, states), "");
}

TEST(DataFileRead, MissingFileIsRefused) {
    ChartSettings s = DefaultChartSettings();
    StatePointList states;
    EXPECT_NE(ReadDataFile("/nonexistent/corvane.dat", s, states), "");
}

} // namespace
} // namespace hyg
