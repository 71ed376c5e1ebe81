// Figures of the plot file checked against the chart's own definitions: the
// legend's lines word for word, the partial-pressure ticks where the vapour
// pressure puts them, and the dry-bulb numbers beside their lines.
#include "files/plot_file.h"

#include "chart/chart_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace hyg {
namespace {

// One statement of the plot file: its two-letter command and the rest of the
// line without the ETX and the line end.
struct Statement {
    std::string command;
    std::string rest;
    double x = 0, y = 0; // PU and PD: the point
};

struct Plot {
    Chart chart;
    std::vector<Statement> statements;

    explicit Plot(const ChartSettings& s) {
        chart.settings = s;
        std::ostringstream out;
        WritePlotFile(out, chart, nullptr);
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);) {
            while (!line.empty() && (line.back() == '\r' || line.back() == '\x03'))
                line.pop_back();
            Statement st;
            st.command = line.substr(0, 2);
            st.rest = line.size() > 2 ? line.substr(2) : "";
            if (st.command == "PU" || st.command == "PD") {
                std::istringstream nums(st.rest);
                nums >> st.x >> st.y;
            }
            statements.push_back(st);
        }
    }
    // The texts of every label, in order.
    std::vector<std::string> labels() const {
        std::vector<std::string> out;
        for (const Statement& st : statements) {
            if (st.command == "LB")
                out.push_back(st.rest);
        }
        return out;
    }
    bool hasLabel(const std::string& text) const {
        for (const std::string& l : labels()) {
            if (l == text)
                return true;
        }
        return false;
    }
};

std::string Trim(std::string s) {
    while (!s.empty() && s.front() == ' ')
        s.erase(s.begin());
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

const std::string kDeg = "\xB0"; // the degree sign in the plot file's code page

TEST(PlotFigures, LegendLinesWordForWord) {
    const Plot defaults(DefaultChartSettings());
    for (const std::string& line :
         {"   Min. Temp. =  10 " + kDeg + "C", "   Max. Temp. =  40 " + kDeg + "C",
          std::string("   Max. Abs. Hum. = 0.027 kg/kgDA"), "   SHF Origin = 17 " + kDeg + "C, 0.017  kg/kgDA",
          std::string("   Max. Moisture R. =  800 kcal/kg"), std::string("   Atm. Pressure = 760 mmHg"),
          std::string("Phi = Relative Humidity  %"), std::string("SHF = Sensible Heat Factor (-)")}) {
        EXPECT_TRUE(defaults.hasLabel(line)) << line;
    }
    int sizes = 0;
    for (const std::string& l : defaults.labels()) {
        for (const char* head : {"   Chart Height = ", "   Chart Widhth = "}) {
            if (l.rfind(head, 0) == 0) {
                ++sizes;
                EXPECT_EQ(l.substr(l.size() - 3), " cm") << l;
            }
        }
    }
    EXPECT_EQ(sizes, 2); // both chart-size lines are in the plot file

    ChartSettings s = DefaultChartSettings();
    s.PressureUnit = PressureIn::KPa, s.Pressure = 101.3f, s.PressureMmHg = 759.81f,
    s.EnthalpyUnit = UnitSystem::Imperial;
    const Plot other(s);
    EXPECT_TRUE(other.hasLabel("   Atm. Pressure = 101.3 kPa"));
    EXPECT_TRUE(other.hasLabel("   Max. Moisture R. =  800 Btu/lbm"));
    EXPECT_TRUE(other.hasLabel(" u  = Moisture  Ratio Btu/lbm"));
}

TEST(PlotFigures, PartialPressureTicksSitAtTheirHumidity) {
    // Tick i (mmHg) at the absolute humidity the vapour pressure gives at
    // 760 mmHg: x = 622 i / (760 - i) g/kgDA, 31 ticks at the defaults.
    const Plot p(DefaultChartSettings());
    const ChartSettings& s = p.chart.settings;
    int found = 0;
    const auto& st = p.statements;
    for (std::size_t k = 0; k + 3 < st.size(); ++k) {
        if (st[k].command != "PU" || st[k + 1].command != "PD" || st[k + 2].command != "PU" ||
            st[k + 3].command != "LB" || std::fabs(st[k + 1].x - st[k].x - 135) > 0.01 || st[k + 1].y != st[k].y)
            continue;
        const std::string number = Trim(st[k + 3].rest);
        const int i = number.empty() ? 0 : std::stoi(number);
        const double x = 622.0 * i / (760.0 - i);
        EXPECT_NEAR(st[k].y, s.ScaleY * x + s.OriginY, 0.05) << "tick " << i;
        ++found;
    }
    EXPECT_EQ(found, 32); // 0 to 31 mmHg
}

TEST(PlotFigures, DryBulbNumbersBesideTheirLines) {
    // A number of two digits or a minus sign starts one text unit left of its
    // line's foot, a single digit half a unit; its base line is 1.8 units
    // below the foot.
    ChartSettings settings = DefaultChartSettings();
    settings.MinDryBulb = 5, settings.MaxDryBulb = 20;
    const Plot p(settings);
    const double u = p.chart.settings.LabelUnit;
    int checked = 0;
    const auto& st = p.statements;
    for (std::size_t k = 0; k + 3 < st.size(); ++k) {
        if (st[k].command != "PU" || st[k + 1].command != "LB" || st[k + 2].command != "PU" ||
            st[k + 3].command != "PD")
            continue;
        const std::string number = Trim(st[k + 1].rest);
        if (number.empty() || number.find_first_not_of("-0123456789") != std::string::npos)
            continue;
        const int t = std::stoi(number);
        if (t < 5 || t > 20 || std::fabs(st[k + 2].y - st[k].y - 1.8 * u) > 0.01)
            continue; // not a dry-bulb number
        const double shift = t >= 10 ? u : 0.5 * u;
        EXPECT_NEAR(st[k + 2].x - st[k].x, shift, 0.01) << "t = " << t;
        ++checked;
    }
    EXPECT_EQ(checked, 16); // 5 to 20
}

} // namespace
} // namespace hyg
