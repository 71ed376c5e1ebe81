// The HPGL plot file: character sizes, header, the families in driver order,
// the notice, and what a failure leaves in the file.
#include "files/plot_file.h"

#include "chart/chart_settings.h"
#include "engine/fault.h"
#include "tests/chart/recording_canvas.h"
#include "tests/engine/recording_messenger.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace hyg {
namespace {

std::string Plot(const ChartSettings& s, Messenger* messenger = nullptr) {
    Chart chart;
    chart.settings = s;
    std::ostringstream out;
    WritePlotFile(out, chart, messenger);
    return out.str();
}

TEST(PlotCharacterSizes, FollowThePaperAndTheRange) {
    ChartSettings s = DefaultChartSettings();
    EXPECT_FLOAT_EQ(PlotCharacterSizes(s), 0.4f);
    EXPECT_FLOAT_EQ(s.PlotTextSize3, 0.16f);
    SetPlotterPaper(s, PlotterPaper::B4);
    EXPECT_EQ(std::make_pair(s.PlotterP2X, s.PlotterP2Y), std::make_pair(12500, 8750));
    // No temperature span is a fault, not an infinity.
    ChartSettings flat = DefaultChartSettings();
    flat.MinDryBulb = flat.MaxDryBulb = 25;
    EXPECT_THROW(PlotCharacterSizes(flat), FloatingPointFault);
    EXPECT_EQ(flat.PlotTextSize3, 0); // unchanged
}

TEST(PlotFile, HeaderPensInDriverOrderAndLastLine) {
    const auto lines = test::HpglLines(Plot(DefaultChartSettings()));
    ASSERT_GT(lines.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5),
              (std::vector<std::string>{"IN\x03", "IP 0 , 0 , 15000 , 10500 \x03", "SC-500 , 4500 ,-350 , 3150 \x03",
                                        "VS20\x03", "SP1\x03"}));
    EXPECT_EQ(lines.back(), "\x03");
    std::vector<std::string> pens;
    for (const std::string& l : test::WithPrefix(lines, "SP"))
        pens.push_back(l.substr(0, 3));
    EXPECT_EQ(pens, (std::vector<std::string>{"SP1", "SP2", "SP1", "SP3", "SP6", "SP7", "SP5", "SP4", "SP8"}));
}

TEST(PlotFile, NoticeGoesToTheMessengerAndZoomChangesNothing) {
    ChartSettings s = DefaultChartSettings();
    s.MaxAbsHum = 40;
    test::RecordingMessenger messenger;
    Plot(s, &messenger);
    ASSERT_EQ(messenger.shown.size(), 1u);
    EXPECT_EQ(messenger.shown[0].text, "Hum. is 27 x1000 on diagram.");
    s = DefaultChartSettings();
    s.PictureWidth = 32000, s.PictureHeight = 22400;
    EXPECT_EQ(Plot(DefaultChartSettings()), Plot(s));
}

TEST(PlotFile, AFailureLeavesTheEarlierFileAsItWas) {
    const auto dir = std::filesystem::temp_directory_path() / "hygrana_plot_file_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "corvane.pgl").string();
    auto read = [&] {
        std::stringstream t;
        t << std::ifstream(path, std::ios::binary).rdbuf();
        return t.str();
    };
    // A range the layout refuses fails after the header was drawn, no span
    // fails before it: neither creates the file nor touches an earlier one.
    Chart refused, flat, good;
    refused.settings.MinDryBulb = 40, refused.settings.MaxDryBulb = 10;
    flat.settings.MinDryBulb = flat.settings.MaxDryBulb = 30;
    EXPECT_THROW(WritePlotFile(path, refused, nullptr), LayoutRefused);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(WritePlotFile(path, good, nullptr), FileReplacement::Renamed);
    EXPECT_EQ(read(), Plot(DefaultChartSettings()));
    EXPECT_THROW(WritePlotFile(path, refused, nullptr), LayoutRefused);
    EXPECT_THROW(WritePlotFile(path, flat, nullptr), FloatingPointFault);
    EXPECT_EQ(read(), Plot(DefaultChartSettings()));
    EXPECT_THROW(WritePlotFile((dir / "missing" / "x.pgl").string(), good, nullptr), IoFault);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1); // no temporary file left
    std::filesystem::remove_all(dir);

    std::ostringstream failed;
    failed.setstate(std::ios::badbit);
    EXPECT_THROW(WritePlotFile(failed, good, nullptr), RunTimeFault);
}

} // namespace
} // namespace hyg
