// Data files made at random, near and beyond the ends of every setting: each
// one the reader accepts must draw, on the screen and into a plot file,
// without a fault. The only refusal left to the drawing is a chart range
// whose highest temperature is not above the lowest, which the layout
// reports to the user.
#include "files/data_file.h"
#include "files/plot_file.h"

#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

namespace hyg {
namespace {

class FileMaker {
public:
    explicit FileMaker(unsigned seed)
        : rng_(seed) {}

    std::string make() {
        const int paper = whole(0, 2);
        const char* widths[] = {"0,15000", "0,12500", "0,10000"};
        const char* heights[] = {"0,10500", "0,8750", "0,7000"};
        const int states = whole(0, 6);
        std::string f;
        f += std::string(widths[paper]) + "\r\n" + heights[paper] + "\r\n-500,4500\r\n-350,3150\r\n";
        f += pick({num(whole(700, 1000)), "982", num(uniform(650, 1050), 2), "675.06", "759.81"}) + "," +
             pick({num(whole(1, 100)), num(uniform(0.5, 101), 1), "27.5"}) + "\r\n";
        f += pick({num(whole(-20, 20)), num(whole(-20, 20)), num(uniform(-21, 21), 1), "19", "20"}) + "," +
             pick({num(whole(10, 60)), num(whole(10, 60)), num(uniform(9, 61), 1), "59", "20.3", "25.2"}) + "\r\n";
        f += pick({num(whole(10, 30)), num(uniform(10, 30), 2)}) + "," + pick({num(whole(10, 30)), "12.5"}) + "\r\n";
        f += pick({num(whole(1, 21)), num(uniform(1, 21), 1)}) + "," + num(uniform(0, 1e5), 1) + "\r\n";
        f += pick({num(whole(3, 14)), num(uniform(3, 14), 1)}) + "," + num(states) + "\r\n";
        f += num(whole(1, 3)) + "," + num(whole(1, 3)) + "," + num(whole(0, 1)) + "\r\n";
        for (int line = 0; line < 2; ++line) {
            f += num(whole(0, 1)) + "," + num(whole(0, 1)) + "," + num(whole(0, 1)) + "," + num(whole(0, 1)) + "\r\n";
        }
        for (int i = 0; i < states; ++i)
            f += num(uniform(-15, 100), 1) + "," + num(uniform(0, 100), 1) + "\r\n0,0\r\n0,0\r\n";
        return f;
    }

private:
    int whole(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
    std::string pick(std::initializer_list<std::string> options) {
        return *(options.begin() + whole(0, static_cast<int>(options.size()) - 1));
    }
    static std::string num(double v, int decimals = 0) {
        std::ostringstream s;
        s.precision(decimals);
        s << std::fixed << v;
        return s.str();
    }
    std::mt19937 rng_;
};

// The settings of a file and whether its chart draws on the screen and into
// a plot file; the fault that stopped it otherwise.
std::string Draws(const ChartSettings& s) {
    try {
        Chart screen;
        screen.settings = s;
        screen.settings.PictureWidth = 15000, screen.settings.PictureHeight = 10500;
        test::RecordingCanvas canvas;
        const ChartFrame frame = LayoutChart(screen, nullptr);
        CanvasWriter dev(screen.settings, canvas);
        DrawChart(dev, screen, frame);
        Chart file;
        file.settings = s;
        std::ostringstream out;
        WritePlotFile(out, file, nullptr);
    } catch (const RunTimeFault& e) {
        return e.what();
    }
    return "";
}

std::string File(const std::string& pressureAndHum, const std::string& range, const std::string& type) {
    return "0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n" + pressureAndHum + "\r\n" + range +
           "\r\n17,17\r\n8,50\r\n10,0\r\n1,1," + type + "\r\n1,1,1,1\r\n1,1,1,1\r\n";
}

// A chart the dialogs offer whose corner wet-bulb line has no width draws
// without that label; fractional ranges the dialogs never offer are refused
// by their line.
TEST(DataFileSweep, ChartsFoundToStopTheDrawing) {
    for (const char* type : {"0", "1"}) {
        ChartSettings s = DefaultChartSettings();
        StatePointList states;
        std::istringstream in(File("982,27", "19,59", type));
        ASSERT_FALSE(ReadDataFile(in, s, states));
        EXPECT_EQ(Draws(s), "") << "type " << type;
    }
    for (const char* range : {"20,20.3", "12,25.2", "12.5,30"}) {
        ChartSettings s = DefaultChartSettings();
        StatePointList states;
        std::istringstream in(File("760,27", range, "1"));
        const auto refusal = ReadDataFile(in, s, states);
        ASSERT_TRUE(refusal) << range;
        EXPECT_EQ(refusal->line, 6) << range;
    }
}

TEST(DataFileSweep, EveryAcceptedFileDraws) {
    FileMaker maker(20240607);
    int accepted = 0, tried = 0;
    // Sized to run in seconds: six hundred accepted charts, each drawn twice.
    while (accepted < 600 && tried < 60000) {
        ++tried;
        const std::string text = maker.make();
        ChartSettings s = DefaultChartSettings();
        StatePointList states;
        std::istringstream in(text);
        if (ReadDataFile(in, s, states))
            continue;
        ++accepted;
        SCOPED_TRACE(text);
        const std::string fault = Draws(s);
        // The layout refuses a range whose top is not above its bottom, with
        // a message to the user; nothing else may stop an accepted chart.
        if (!(s.MaxDryBulb > s.MinDryBulb))
            EXPECT_NE(fault, "");
        else
            EXPECT_EQ(fault, "");
    }
    EXPECT_EQ(accepted, 600) << "of " << tried;
}

} // namespace
} // namespace hyg
