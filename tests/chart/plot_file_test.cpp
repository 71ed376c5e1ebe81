// The HPGL plot file: header, character sizes, the families in driver order
// and the refusal of a chart without a temperature span.
#include "output/plot_file.h"

#include "chart/chart_settings.h"
#include "engine/fault.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace hyg {
namespace {

class SilentMessenger : public Messenger {
public:
    void showMessage(const std::string& text, const std::string& title, MessageIcon) override {
        shown.push_back(title + ": " + text);
    }
    void beep() override {}
    std::vector<std::string> shown;
};

std::string Plot(Chart& chart, Messenger* messenger = nullptr) {
    std::ostringstream out;
    WritePlotFile(out, chart, messenger);
    return out.str();
}

Chart DefaultChart() {
    Chart chart;
    chart.settings = DefaultChartSettings();
    return chart;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            if (start < text.size()) lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The file cut into the stretches of its pens: for every "SP" line the pen
// and the lines up to the next one.
struct PenBlock {
    std::string pen;
    std::vector<std::string> lines;
    // Texts of the labels ("LB" ... ETX), without the ETX.
    std::vector<std::string> labels() const {
        std::vector<std::string> out;
        for (const std::string& l : lines) {
            if (l.rfind("LB", 0) == 0) out.push_back(l.substr(2, l.find('\x03') - 2));
        }
        return out;
    }
    int count(const std::string& prefix) const {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                              [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
    }
};

std::vector<PenBlock> PenBlocks(const std::string& text) {
    std::vector<PenBlock> blocks;
    for (const std::string& l : Lines(text)) {
        if (l.rfind("SP", 0) == 0) blocks.push_back({l.substr(0, l.find('\x03')), {}});
        else if (!blocks.empty()) blocks.back().lines.push_back(l);
    }
    return blocks;
}

std::vector<std::string> Pens(const std::vector<PenBlock>& blocks) {
    std::vector<std::string> pens;
    for (const PenBlock& b : blocks) pens.push_back(b.pen);
    return pens;
}

TEST(PlotCharacterSizes, FollowThePaperAndTheRange) {
    ChartSettings s = DefaultChartSettings();
    EXPECT_FLOAT_EQ(PlotCharacterSizes(s), 0.4f);
    EXPECT_FLOAT_EQ(s.PlotTextSize1, 20);
    EXPECT_FLOAT_EQ(s.PlotTextSize2, 0.28f);
    EXPECT_FLOAT_EQ(s.PlotTextSize3, 0.16f);
    EXPECT_FLOAT_EQ(s.PlotTextSize4, 0.14f);

    SetPlotterPaper(s, PlotterPaper::B4);
    EXPECT_EQ(s.PlotterP2X, 12500);
    EXPECT_EQ(s.PlotterP2Y, 8750);
    PlotCharacterSizes(s);
    EXPECT_NEAR(s.PlotTextSize3, 0.1333, 1e-4);

    SetPlotterPaper(s, PlotterPaper::A4);
    EXPECT_EQ(s.PlotterP2X, 10000);
    EXPECT_EQ(s.PlotterP2Y, 7000);
    SetPlotterPaper(s, PlotterPaper::A3);
    EXPECT_EQ(s.PlotterP2Y, 10500);
}

TEST(PlotCharacterSizes, NoTemperatureSpanIsAFaultNotAnInfinity) {
    ChartSettings s = DefaultChartSettings();
    s.MinDryBulb = s.MaxDryBulb = 25;
    EXPECT_THROW(PlotCharacterSizes(s), FloatingPointFault);
    EXPECT_EQ(s.PlotTextSize3, 0); // unchanged
}

TEST(PlotFile, HeaderAndLastLineOfTheDefaultChart) {
    Chart chart = DefaultChart();
    const std::vector<std::string> lines = Lines(Plot(chart));
    ASSERT_GT(lines.size(), 6u);
    EXPECT_EQ(lines[0], "IN\x03");
    EXPECT_EQ(lines[1], "IP 0 , 0 , 15000 , 10500 \x03");
    EXPECT_EQ(lines[2], "SC-500 , 4500 ,-350 , 3150 \x03");
    EXPECT_EQ(lines[3], "VS20\x03");
    EXPECT_EQ(lines[4], "SP1\x03");
    EXPECT_EQ(lines.back(), "\x03");
}

TEST(PlotFile, PensInDriverOrder) {
    Chart chart = DefaultChart();
    EXPECT_EQ(Pens(PenBlocks(Plot(chart))),
              (std::vector<std::string>{"SP1", "SP2", "SP1", "SP3", "SP6", "SP7", "SP5", "SP4", "SP8"}));
}

TEST(PlotFile, DryBulbLinesNumberedTenToForty) {
    Chart chart = DefaultChart();
    const std::vector<PenBlock> blocks = PenBlocks(Plot(chart));
    ASSERT_GE(blocks.size(), 4u);
    const PenBlock& dry = blocks[3];
    ASSERT_EQ(dry.pen, "SP3");
    std::vector<std::string> expected;
    for (int t = 10; t <= 40; ++t) expected.push_back(std::to_string(t));
    expected.push_back("t");
    EXPECT_EQ(dry.labels(), expected);
    EXPECT_EQ(dry.count("PD"), 31);
    EXPECT_EQ(dry.lines.at(0), "LT;\x03");
    EXPECT_EQ(dry.lines.at(1), "SI .16  .32 \x03");
}

TEST(PlotFile, AbsoluteHumidityLinesAndScale) {
    Chart chart = DefaultChart();
    const std::vector<PenBlock> blocks = PenBlocks(Plot(chart));
    ASSERT_GE(blocks.size(), 5u);
    const PenBlock& hum = blocks[4];
    ASSERT_EQ(hum.pen, "SP6");
    std::vector<std::string> expected;
    for (int k = 0; k <= 27; ++k) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "0.%03d", k);
        expected.push_back(buf);
    }
    expected.push_back("x");
    EXPECT_EQ(hum.labels(), expected);
    EXPECT_EQ(hum.count("PD"), 28 + 28); // the lines, then the scale ticks
}

TEST(PlotFile, EnthalpyLinesThreeToTwentySixWithTheSymbol) {
    Chart chart = DefaultChart();
    const std::vector<PenBlock> blocks = PenBlocks(Plot(chart));
    ASSERT_GE(blocks.size(), 6u);
    const PenBlock& h = blocks[5];
    ASSERT_EQ(h.pen, "SP7");
    std::vector<std::string> expected;
    for (int v = 3; v <= 26; ++v) {
        if (v == 16) expected.push_back("h");
        expected.push_back(" " + std::to_string(v) + " ");
    }
    EXPECT_EQ(h.labels(), expected);
    EXPECT_EQ(h.count("PD"), 2 + 24); // the scale line and its corner, then the lines
}

TEST(PlotFile, CurvesCarryTheirLabelsAndLineTypes) {
    Chart chart = DefaultChart();
    const std::vector<PenBlock> blocks = PenBlocks(Plot(chart));
    ASSERT_GE(blocks.size(), 3u);
    // Relative humidity: labelled at 26 deg C, below the top for every level.
    std::vector<std::string> expected;
    for (int p = 2; p <= 30; p += 2) expected.push_back(std::to_string(p));
    for (int p = 35; p <= 100; p += 5) {
        if (p == 60) expected.push_back("Phi");
        expected.push_back(std::to_string(p));
    }
    EXPECT_EQ(blocks[1].labels(), expected);
    // Saturation degree: labelled at 33 deg C, where the curves above 85 %
    // have already left the chart through its top.
    const std::vector<std::string> psi = blocks[2].labels();
    ASSERT_FALSE(psi.empty());
    EXPECT_NE(std::find(psi.begin(), psi.end(), "Psi"), psi.end());
    EXPECT_EQ(psi.back(), "85");
    EXPECT_EQ(blocks[1].count("LT4;"), blocks[1].count("PD"));
    EXPECT_EQ(blocks[2].count("LT6;"), blocks[2].count("PD"));
}

TEST(PlotFile, SwitchesRemoveExactlyTheirFamily) {
    struct Case {
        int line;
        std::string pen;      // the pen block that must disappear ("" none)
        std::string label;    // a label that must disappear
    };
    const Case cases[] = {
        {0, "SP2", "Phi"}, {1, "SP1", "Psi"}, {2, "SP5", "v"},  {3, "SP4", "t'"},
        {4, "", "Pw"},     {5, "SP8", "u"},   {6, "", "SHF"},
    };
    Chart all = DefaultChart();
    const std::string full = Plot(all);
    const std::vector<std::string> fullPens = Pens(PenBlocks(full));
    for (const Case& c : cases) {
        Chart chart = DefaultChart();
        chart.settings.LineSwitch[static_cast<std::size_t>(c.line)] = 0;
        const std::string text = Plot(chart);
        std::vector<std::string> pens = fullPens;
        if (!c.pen.empty()) {
            // The first of its kind after the header's SP1.
            pens.erase(std::find(pens.begin() + 1, pens.end(), c.pen));
        }
        EXPECT_EQ(Pens(PenBlocks(text)), pens) << "switch " << c.line;
        EXPECT_LT(text.size(), full.size()) << "switch " << c.line;
        EXPECT_NE(full.find("LB" + c.label + "\x03"), std::string::npos) << "switch " << c.line;
        EXPECT_EQ(text.find("LB" + c.label + "\x03"), std::string::npos) << "switch " << c.line;
    }
}

TEST(PlotFile, LegendLinesOnlyWithTheCharacterSwitch) {
    Chart on = DefaultChart();
    const std::string withLegend = Plot(on);
    EXPECT_NE(withLegend.find("Chart Widhth = "), std::string::npos);
    Chart off = DefaultChart();
    off.settings.LineSwitch[7] = 0;
    const std::string without = Plot(off);
    EXPECT_EQ(without.find("Chart Widhth = "), std::string::npos);
    EXPECT_EQ(without.find("Sensible Heat Factor"), std::string::npos);
}

TEST(PlotFile, TopHumidityNoticeGoesToTheMessenger) {
    Chart chart = DefaultChart();
    chart.settings.MaxAbsHum = 40;
    SilentMessenger messenger;
    Plot(chart, &messenger);
    ASSERT_EQ(messenger.shown.size(), 1u);
    EXPECT_EQ(messenger.shown[0], "Ventaro: Hum. is 27 x1000 on diagram.");
}

TEST(PlotFile, ZoomDoesNotChangeTheFile) {
    Chart a = DefaultChart();
    Chart b = DefaultChart();
    b.settings.PictureWidth = 32000, b.settings.PictureHeight = 22400;
    EXPECT_EQ(Plot(a), Plot(b));
}

TEST(PlotFileOnDisk, NoSpanLeavesNoFile) {
    const auto dir = std::filesystem::temp_directory_path() / "hygrana_plot_file_test";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "corvane.pgl").string();
    Chart chart = DefaultChart();
    chart.settings.MinDryBulb = chart.settings.MaxDryBulb = 30;
    EXPECT_THROW(WritePlotFile(path, chart, nullptr), RunTimeFault);
    EXPECT_FALSE(std::filesystem::exists(path));

    // A range the layout refuses: the file that was started is removed.
    chart.settings.MinDryBulb = 40;
    chart.settings.MaxDryBulb = 10;
    EXPECT_THROW(WritePlotFile(path, chart, nullptr), RunTimeFault);
    EXPECT_FALSE(std::filesystem::exists(path));

    Chart good = DefaultChart();
    WritePlotFile(path, good, nullptr);
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    Chart again = DefaultChart();
    EXPECT_EQ(text.str(), Plot(again));
    EXPECT_THROW(WritePlotFile((dir / "missing" / "x.pgl").string(), good, nullptr), RunTimeFault);
    std::filesystem::remove_all(dir);
}

TEST(PlotFileStream, FailedStreamIsAFault) {
    Chart chart = DefaultChart();
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    EXPECT_THROW(WritePlotFile(out, chart, nullptr), RunTimeFault);
}

} // namespace
} // namespace hyg
