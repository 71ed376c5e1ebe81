// The plot file: the paper, what a failure leaves, and its figures against
// the chart's own definitions: the legend word for word, the partial-pressure
// ticks at their humidity, the dry-bulb numbers beside their lines.
#include "files/plot_file.h"

#include "chart/chart_settings.h"
#include "engine/fault.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace hyg {
namespace {

// The plot file of `s` and the settings the layout left.
std::string PlotText(ChartSettings& s) {
    Chart chart;
    chart.settings = s;
    std::ostringstream out;
    WritePlotFile(out, chart, nullptr);
    s = chart.settings;
    return out.str();
}

// One statement of the plot file: its command, the rest without the ETX, and for PU and PD the point.
struct Statement {
    std::string command, rest;
    double x = 0, y = 0;
};

std::vector<Statement> Statements(ChartSettings& s) {
    std::vector<Statement> all;
    for (const std::string& l : test::HpglLines(PlotText(s))) {
        const auto n = test::HpglNumbers(l);
        all.push_back({l.substr(0, 2), l.size() > 2 ? l.substr(2, l.find('\x03') - 2) : "", n.size() > 1 ? n[0] : 0,
                       n.size() > 1 ? n[1] : 0});
    }
    return all;
}

// Expects a label of each text of `lines` in the plot file of `s`.
void ExpectLabels(ChartSettings s, const std::vector<std::string>& lines) {
    const auto labels = test::Labels(test::HpglLines(PlotText(s)));
    for (const std::string& line : lines)
        EXPECT_NE(std::find(labels.begin(), labels.end(), line), labels.end()) << line;
}

TEST(PlotFile, PaperZoomAndWhatAFailureLeaves) {
    ChartSettings s = DefaultChartSettings(), zoomed = DefaultChartSettings();
    zoomed.PictureWidth = 32000, zoomed.PictureHeight = 22400; // the screen's zoom is not the plotter's
    const std::string plot = PlotText(s);
    EXPECT_EQ(PlotText(zoomed), plot);
    SetPlotterPaper(s, PlotterPaper::B4);
    EXPECT_EQ(std::make_pair(s.PlotterP2X, s.PlotterP2Y), std::make_pair(12500, 8750));

    // A range the layout refuses fails after the header was drawn: the
    // earlier file stays as it was, and no temporary file is left.
    const auto dir = std::filesystem::temp_directory_path() / "hygrana_plot_file_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "corvane.pgl").string();
    Chart refused, good;
    refused.settings.MinDryBulb = 40, refused.settings.MaxDryBulb = 10;
    EXPECT_EQ(WritePlotFile(path, good, nullptr), FileReplacement::Renamed);
    EXPECT_THROW(WritePlotFile(path, refused, nullptr), LayoutRefused);
    std::stringstream kept;
    kept << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(kept.str(), plot);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    std::filesystem::remove_all(dir);
    std::ostringstream failed;
    failed.setstate(std::ios::badbit);
    EXPECT_THROW(WritePlotFile(failed, good, nullptr), RunTimeFault);
}

TEST(PlotFigures, LegendLinesWordForWord) {
    const std::string deg = "\xB0"; // the degree sign in the plot file's code page
    ExpectLabels(DefaultChartSettings(),
                 {"   Min. Temp. =  10 " + deg + "C", "   Max. Temp. =  40 " + deg + "C",
                  "   Max. Abs. Hum. = 0.027 kg/kgDA", "   SHF Origin = 17 " + deg + "C, 0.017  kg/kgDA",
                  "   Max. Moisture R. =  800 kcal/kg", "   Atm. Pressure = 760 mmHg", "Phi = Relative Humidity  %",
                  "SHF = Sensible Heat Factor (-)", "   Chart Height =  2455 cm", "   Chart Widhth =  2450 cm"});
    ChartSettings s = DefaultChartSettings();
    s.PressureUnit = PressureIn::KPa, s.Pressure = 101.3f, s.PressureMmHg = 759.81f,
    s.EnthalpyUnit = UnitSystem::Imperial;
    ExpectLabels(
        s, {"   Atm. Pressure = 101.3 kPa", "   Max. Moisture R. =  800 Btu/lbm", " u  = Moisture  Ratio Btu/lbm"});
}

TEST(PlotFigures, PartialPressureTicksSitAtTheirHumidity) {
    // Tick i (mmHg) at the absolute humidity the vapour pressure gives at
    // 760 mmHg: x = 622 i / (760 - i) g/kgDA, 31 ticks at the defaults.
    ChartSettings s = DefaultChartSettings();
    const auto st = Statements(s);
    int found = 0;
    for (std::size_t k = 0; k + 3 < st.size(); ++k) {
        if (st[k].command != "PU" || st[k + 1].command != "PD" || st[k + 2].command != "PU" ||
            st[k + 3].command != "LB" || std::fabs(st[k + 1].x - st[k].x - 135) > 0.01 || st[k + 1].y != st[k].y)
            continue;
        int i = 0; // the label of tick 0 may be blank
        std::istringstream(st[k + 3].rest) >> i;
        EXPECT_NEAR(st[k].y, s.ScaleY * 622.0 * i / (760.0 - i) + s.OriginY, 0.05) << "tick " << i;
        ++found;
    }
    EXPECT_EQ(found, 32); // 0 to 31 mmHg
}

TEST(PlotFigures, DryBulbNumbersBesideTheirLines) {
    // A number of two digits or a minus sign starts one text unit left of its
    // line's foot, a single digit half a unit; its base line is 1.8 units
    // below the foot.
    ChartSettings s = DefaultChartSettings();
    s.MinDryBulb = 5, s.MaxDryBulb = 20;
    const auto st = Statements(s);
    const double u = s.LabelUnit;
    int checked = 0;
    for (std::size_t k = 0; k + 3 < st.size(); ++k) {
        std::istringstream number(st[k + 1].rest);
        int t = 0;
        if (st[k].command != "PU" || st[k + 1].command != "LB" || st[k + 2].command != "PU" ||
            st[k + 3].command != "PD" || !(number >> t) || !(number >> std::ws).eof() || t < 5 || t > 20 ||
            std::fabs(st[k + 2].y - st[k].y - 1.8 * u) > 0.01)
            continue; // not a dry-bulb number
        EXPECT_NEAR(st[k + 2].x - st[k].x, t >= 10 ? u : 0.5 * u, 0.01) << "t = " << t;
        ++checked;
    }
    EXPECT_EQ(checked, 16); // 5 to 20
}

} // namespace
} // namespace hyg
