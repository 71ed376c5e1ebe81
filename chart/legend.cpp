// The legend block: the setting lines (chart size, range, pressure and the
// protractor settings) and the table of symbols with their meanings and
// units. The screen shows the range and protractor lines in three columns
// above the chart and the symbol table right of it; the plot file has all
// eight setting lines above the chart and the table right of the chart.

#include "chart/chart_driver.h"

#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/units.h"

#include <array>
#include <string>
#include <utility>

namespace hyg {

namespace {

// The eight setting lines, L1 to L8, each beginning with three blanks.
std::array<std::string, 8> SettingLines(const ChartSettings& s, float chartHeight, float chartWidth) {
    const std::string degC = std::string(" ") + kDeg + "C";
    const int unit = s.EnthalpyUnit;
    std::string pressure;
    switch (s.PressureUnit) {
    case 1:
        pressure = FormatNumber(s.Pressure, "###0") + " mmHg";
        break;
    case 2:
        pressure = FormatNumber(s.Pressure, "##0.0") + " kPa";
        break;
    case 3:
        pressure = FormatNumber(s.Pressure, "0.000") + " atm";
        break;
    default:
        break;
    }
    return {
        "   Chart Height = " + Str(Sgl(chartHeight + 5.0)) + " cm",
        "   Chart Widhth = " + Str(chartWidth) + " cm",
        "   Min. Temp. = " + Str(s.MinDryBulb) + degC,
        "   Max. Temp. = " + Str(s.MaxDryBulb) + degC,
        "   Max. Abs. Hum. = " + FormatNumber(s.MaxAbsHum / 1000.0, "0.000") + " " + HumidityLabel(unit),
        "   SHF Origin = " + FormatNumber(s.ShfOriginDryBulb, "##0") + degC + ", " +
            FormatNumber(s.ShfOriginAbsHum * 0.001, "0.000") + "  " + HumidityLabel(unit),
        "   Max. Moisture R. = " + Str(CLng(s.MaxMoistureRatio * 100.0)) + " " + SpecificEnthalpyLabel(unit),
        "   Atm. Pressure = " + pressure,
    };
}

// The symbol table: symbol and meaning, ten rows.
std::array<std::pair<std::string, std::string>, 10> SymbolRows(const ChartSettings& s) {
    const int unit = s.EnthalpyUnit;
    const std::string degC = std::string(kDeg) + "C";
    return {{
        {" t ", " = Dry B.Temp. " + degC},
        {" t'", " = Wet B.Temp. " + degC},
        {"Psi", " = Saturation Degree  %"},
        {"Phi", " = Relative Humidity  %"},
        {" x ", " = Absolute Humidity  " + HumidityLabel(unit)},
        {"Pw ", " = Partial Pressure  mmHg"},
        {" h ", " = Enthalpy  " + EnthalpyLabel(unit)},
        {" v ", " = Specific Volume " + VolumeLabel(unit)},
        {" u ", " = Moisture  Ratio " + SpecificEnthalpyLabel(unit)},
        {"SHF", " = Sensible Heat Factor (-)"},
    }};
}

void PlotText(ChartDevice& dev, double x, double y, const std::string& text) {
    dev.PlotLine({"PU", F(x), F(y)});
    dev.PlotLine({"LB", text, ETX});
}

} // namespace

void DrawLegend(ChartDevice& dev, Chart& chart, float topRightX, float chartHeight, float chartWidth, float leftX,
                float topY, float shfOriginY) {
    ChartSettings& s = chart.settings;
    s.LabelUnit = CLng(ChartLabelUnit(s.PlaneXMin, s.PlaneXMax), "text unit");
    const double c = s.LabelUnit;
    const Rgb pen = s.PenColor[0];
    if (dev.isDraw())
        dev.SetPenColor(pen);

    const auto lines = SettingLines(s, chartHeight, chartWidth);
    const auto rows = SymbolRows(s);

    if (dev.isDraw()) {
        const double size = 1.2 * c;
        const double k = 3 * c;
        const double x1 = Int(topRightX + 250.0 - 1);
        const double y1 = Int(16.0 * s.ScaleY);
        auto text = [&](double x, double y, const std::string& t) { dev.DrawLabel(x, y, 0, t, pen, size, false); };

        // Range, humidity and protractor settings in three columns of two
        // rows near the top of the window; the chart size is not shown.
        const double row1 = 3150 - 2.5 * k, row2 = 3150 - 3.5 * k;
        const double col1 = k - 500;
        const double col2 = ((x1 - 2 * k) + (k - 500)) / 2 - 2 * k;
        const double col3 = x1 - 2 * k;
        text(col1, row1, lines[2]);
        text(col1, row2, lines[3]);
        text(col2, row1, lines[4]);
        text(col2, row2, lines[5]);
        text(col3, row1, lines[6]);
        text(col3, row2, lines[7]);

        for (int j = 0; j < 10; ++j) {
            const double y = y1 - k - j * k;
            text(x1 + 3 * k, y, rows[static_cast<std::size_t>(j)].first);
            text(x1 + 3 * k + 2.4 * k, y, rows[static_cast<std::size_t>(j)].second);
        }
    } else if (dev.isFile()) {
        const double sz = 1.2 * c;
        dev.PlotLine({"SI", F(s.PlotTextSize2), F(2.0 * s.PlotTextSize2), ETX});
        const double xr = leftX + 200 * sz;
        PlotText(dev, leftX, topY + 100 * sz, lines[0]);
        PlotText(dev, leftX, topY + 80 * sz, lines[1]);
        PlotText(dev, leftX, topY + 60 * sz, lines[2]);
        PlotText(dev, leftX, topY + 40 * sz, lines[3]);
        PlotText(dev, xr, topY + 100.0 * s.PlotTextSize1, lines[4]);
        PlotText(dev, xr, topY + 80.0 * s.PlotTextSize1, lines[5]);
        PlotText(dev, xr, topY + 60.0 * s.PlotTextSize1, lines[7]);
        PlotText(dev, xr, topY + 40 * sz, lines[6]);
        for (int j = 0; j < 10; ++j) {
            const auto& row = rows[static_cast<std::size_t>(j)];
            PlotText(dev, topRightX + 600.0, shfOriginY - (20.0 + 15 * j) * sz, row.first + row.second);
        }
    }
}

} // namespace hyg
