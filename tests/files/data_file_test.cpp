// The data file: the exact records, the round trip, the refusal of files
// that do not match, which must leave every setting as it was, and files
// made at random, near and beyond the ends of every setting: each one the
// reader accepts must draw, on the screen and into a plot file.
#include "files/data_file.h"
#include "files/plot_file.h"

#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

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

std::optional<DataFileRefusal> Read(const std::string& text, ChartSettings& s, StatePointList& states) {
    std::istringstream in(text);
    return ReadDataFile(in, s, states);
}

TEST(DataFile, ExactRecordsAndTheRoundTrip) {
    EXPECT_EQ(Written(DefaultChartSettings(), StatePointList{}), kDefaultFile);
    ChartSettings saved = DefaultChartSettings();
    saved.PressureMmHg = 759.81f, saved.MaxAbsHum = 27.5f, saved.DiagramType = 0;
    SetLineOn(saved, ChartLine::WetBulb, false);
    EXPECT_EQ(Written(saved, TwoStates()), "0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n759.81,27.5\r\n10,40\r\n"
                                           "17,17\r\n8,50\r\n10,2\r\n1,1,0\r\n1,1,1,0\r\n1,1,1,1\r\n"
                                           "26,50.63\r\n0,0\r\n0,0\r\n15.5,95\r\n0,0\r\n0,0\r\n");
    // Every stored setting changed, read back into other settings.
    saved.PlotterP2X = 12500, saved.PlotterP2Y = 8750, saved.PressureUnit = PressureIn::KPa;
    saved.MinDryBulb = -5, saved.MaxDryBulb = 45, saved.ShfOriginDryBulb = 24, saved.ShfOriginAbsHum = 12;
    saved.MaxMoistureRatio = 21, saved.DryAirflowRate = 123.25f, saved.VertHorizRatio = 14;
    saved.EnthalpyUnit = UnitSystem::Imperial;
    for (const ChartLine off : {ChartLine::RelHum, ChartLine::Volume, ChartLine::MoistureRatio, ChartLine::Legend})
        SetLineOn(saved, off, false);
    SetLineOn(saved, ChartLine::WetBulb, true);
    const std::string text = Written(saved, TwoStates());
    ChartSettings s = DefaultChartSettings();
    s.ColorMode = 0; // not stored: must survive
    StatePointList states;
    const auto refusal = Read(text, s, states);
    ASSERT_FALSE(refusal) << refusal->message;
    EXPECT_EQ(Written(s, states), text); // written again, the file is the same
    EXPECT_EQ(s.ColorMode, 0);
    EXPECT_NEAR(s.Pressure, 101.3, 0.001); // in the file's pressure unit, the states too
    EXPECT_NEAR(states.pressure[2], 101.3, 0.001);
}

TEST(DataFileRead, EveryDialogListEndReadsBack) {
    // The first and last item of each list the dialogs offer: a file saved with any of them must open again.
    const struct {
        float ChartSettings::*field;
        float first, last;
    } ends[] = {
        {&ChartSettings::MinDryBulb, 20, -20},     {&ChartSettings::MaxDryBulb, 60, 10},
        {&ChartSettings::MaxAbsHum, 100, 1},       {&ChartSettings::ShfOriginDryBulb, 30, 10},
        {&ChartSettings::ShfOriginAbsHum, 30, 10}, {&ChartSettings::MaxMoistureRatio, 21, 1},
        {&ChartSettings::VertHorizRatio, 3, 14},   {&ChartSettings::PressureMmHg, 1000, 700},
    };
    for (const auto& e : ends) {
        for (float v : {e.first, e.last}) {
            ChartSettings saved = DefaultChartSettings(), s = DefaultChartSettings();
            saved.*e.field = v;
            StatePointList states;
            const auto refusal = Read(Written(saved, StatePointList{}), s, states);
            ASSERT_FALSE(refusal) << v << ": " << refusal->message;
            EXPECT_EQ(s.*e.field, v);
        }
    }
    // The pressure lists of the other units, end to end: 90.0 to 120.0 kPa,
    // 0.900 to 1.200 atm (stored in mmHg), and every unit and diagram code.
    const std::pair<PressureIn, float> pressures[] = {
        {PressureIn::KPa, 90.0f}, {PressureIn::KPa, 120.0f}, {PressureIn::Atm, 0.9f}, {PressureIn::Atm, 1.2f}};
    for (const auto& [unit, pressure] : pressures) {
        ChartSettings saved = DefaultChartSettings();
        saved.PressureUnit = unit;
        saved.PressureMmHg = static_cast<float>(pressure * (unit == PressureIn::KPa ? 760 / 101.325 : 760.0));
        for (UnitSystem code : {UnitSystem::MetricKcal, UnitSystem::Imperial})
            for (const std::int16_t type : {std::int16_t{0}, std::int16_t{1}}) {
                saved.EnthalpyUnit = code, saved.DiagramType = type;
                ChartSettings s = DefaultChartSettings();
                StatePointList states;
                const auto refusal = Read(Written(saved, StatePointList{}), s, states);
                ASSERT_FALSE(refusal) << pressure << ": " << refusal->message;
                EXPECT_NEAR(s.Pressure, pressure, pressure * 1e-4);
                EXPECT_EQ(s.EnthalpyUnit, code);
                EXPECT_EQ(s.DiagramType, type);
            }
    }
}

TEST(DataFileRead, ValuesJustOffTheListsAndAFlatPlotterFrame) {
    // Every refusal names its line (0: none) and changes nothing. One line replaced: a step beyond each
    // temperature end, a plotter frame without width or height (P2 on P1), fractional ranges the dialogs
    // never offer, a kPa list value in mmHg, another plane window, seven states, too many fields, text
    // and an overflowing number.
    const std::pair<int, const char*> lines[] = {
        {6, "-21,40"},  {6, "21,40"},     {6, "10,61"},   {6, "10,9"},      {7, "9,17"},   {7, "17,31"},
        {8, "0,50"},    {8, "22,50"},     {9, "2,0"},     {9, "15,0"},      {1, "0,0"},    {2, "10500,10500"},
        {6, "20,20.3"}, {6, "12,25.2"},   {6, "12.5,30"}, {5, "675.06,27"}, {5, "650,27"}, {5, "760,0"},
        {10, "4,1,1"},  {3, "-400,4500"}, {9, "10,7"},    {6, "10,40,1"},   {7, "17,abc"}, {8, "8,1e999"},
    };
    const std::string two = Written(DefaultChartSettings(), TwoStates());
    std::vector<std::pair<int, std::string>> files = {
        {0, ""},
        {12, kDefaultFile.substr(0, kDefaultFile.rfind("1,1,1,1"))}, // eleven lines
        {18, two.substr(0, two.size() - 5)},                         // a state line missing
        {13, WithLine(two, 13, "120,50")},
        {16, WithLine(two, 16, "20,101")},
        {14, WithLine(two, 14, "0,1")}, // a reserved line not 0
    };
    for (const auto& [line, text] : lines)
        files.emplace_back(line, WithLine(kDefaultFile, line, text));
    for (const auto& [line, text] : files) {
        ChartSettings s = DefaultChartSettings();
        s.MinDryBulb = 5, SetLineOn(s, ChartLine::Volume, false);
        const std::string before = Written(s, TwoStates());
        StatePointList states = TwoStates();
        const auto refusal = Read(text, s, states);
        ASSERT_TRUE(refusal) << text;
        EXPECT_EQ(refusal->line, line) << text;
        if (line > 0) {
            EXPECT_EQ(refusal->message.rfind("Line " + std::to_string(line) + " of the data file is not valid: ", 0),
                      0u)
                << refusal->message;
        }
        EXPECT_EQ(Written(s, states), before) << text;
    }
}

TEST(DataFileSweep, EveryAcceptedFileDraws) {
    std::mt19937 rng(20240607);
    auto whole = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto num = [&](double lo, double hi, int decimals = 0) {
        std::ostringstream s;
        s.precision(decimals);
        s << std::fixed << (decimals ? std::uniform_real_distribution<double>(lo, hi)(rng) : whole(int(lo), int(hi)));
        return s.str();
    };
    auto pick = [&](const std::vector<std::string>& options) { return options[whole(0, int(options.size()) - 1)]; };
    // First the charts once found to stop the drawing (types 0 and 1: the corner wet-bulb line of 982 mmHg from 19
    // to 59 degrees has no width); six hundred accepted charts in all, each drawn twice, run in seconds.
    int accepted = 0, tried = 0;
    while (accepted < 602 && tried < 60000) {
        std::string f =
            WithLine(WithLine(WithLine(kDefaultFile, 5, "982,27"), 6, "19,59"), 10, "1,1," + std::to_string(tried));
        if (++tried > 2) {
            const int paper = whole(0, 2), states = whole(0, 6);
            f = std::vector<std::string>{"0,15000\r\n0,10500", "0,12500\r\n0,8750", "0,10000\r\n0,7000"}[paper] +
                "\r\n-500,4500\r\n-350,3150\r\n";
            f += pick({num(700, 1000), "982", num(650, 1050, 2), "675.06", "759.81"}) + "," +
                 pick({num(1, 100), num(0.5, 101, 1), "27.5"}) + "\r\n";
            f += pick({num(-20, 20), num(-20, 20), num(-21, 21, 1), "19", "20"}) + "," +
                 pick({num(10, 60), num(10, 60), num(9, 61, 1), "59", "20.3", "25.2"}) + "\r\n";
            f += pick({num(10, 30), num(10, 30, 2)}) + "," + pick({num(10, 30), "12.5"}) + "\r\n";
            f += pick({num(1, 21), num(1, 21, 1)}) + "," + num(0, 1e5, 1) + "\r\n";
            f += pick({num(3, 14), num(3, 14, 1)}) + "," + std::to_string(states) + "\r\n";
            f += num(1, 3) + "," + num(1, 3) + "," + num(0, 1) + "\r\n";
            for (int line = 0; line < 2; ++line)
                f += num(0, 1) + "," + num(0, 1) + "," + num(0, 1) + "," + num(0, 1) + "\r\n";
            for (int i = 0; i < states; ++i)
                f += num(-15, 100, 1) + "," + num(0, 100, 1) + "\r\n0,0\r\n0,0\r\n";
        }
        ChartSettings s = DefaultChartSettings();
        StatePointList states;
        if (Read(f, s, states)) {
            EXPECT_GT(tried, 2) << "refused: " << f;
            continue;
        }
        ++accepted;
        std::string fault;
        try {
            test::Laid screen([&](ChartSettings& c) { c = s, c.PictureWidth = 15000, c.PictureHeight = 10500; });
            test::RecordingCanvas canvas;
            CanvasWriter dev(screen.chart.settings, canvas);
            DrawChart(dev, screen.chart, screen.frame);
            Chart file;
            file.settings = s;
            std::ostringstream out;
            WritePlotFile(out, file, nullptr);
        } catch (const RunTimeFault& e) {
            fault = e.what();
        }
        EXPECT_EQ(fault.empty(), s.MaxDryBulb > s.MinDryBulb) << f << "\n" << fault;
    }
    EXPECT_EQ(accepted, 602) << "of " << tried;
}

} // namespace
} // namespace hyg
