// The legend block: the setting lines (chart size, range, pressure and the
// protractor settings) and the table of symbols with their meanings and
// units. The screen shows the range and protractor lines in three columns
// above the chart and the symbol table right of it; the plot file has all
// eight setting lines above the chart and the table right of the chart.

#include "chart/chart_driver.h"
#include "chart/plane.h"

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

// A legend text that only one side shows.
Label ScreenText(double x, double y, const std::string& text, double size) {
    return {.text = text, .at = {x, y}, .size = size, .onPlot = false};
}
Label PlotText(double x, double y, const std::string& text) {
    return {.text = text, .at = {x, y}, .onScreen = false};
}

// The screen: the range, humidity and protractor settings in three columns
// of two rows near the top of the window (the chart size is not shown), the
// symbol table in two columns right of the chart.
void ScreenLegend(PenPlotter& out, const ChartSettings& s, const std::array<std::string, 8>& lines,
                  const std::array<std::pair<std::string, std::string>, 10>& rows, float topRightX) {
    const double c = s.LabelUnit;
    const double size = 1.2 * c;
    const double k = 3 * c;
    const double x1 = Int(topRightX + 250.0 - 1);
    const double y1 = Int(16.0 * s.ScaleY);
    // Placed in the start-up window whatever the zoom.
    const double row1 = kPlaneYMax - 2.5 * k, row2 = kPlaneYMax - 3.5 * k;
    const double col1 = k + kPlaneXMin;
    const double col2 = ((x1 - 2 * k) + (k + kPlaneXMin)) / 2 - 2 * k;
    const double col3 = x1 - 2 * k;
    out.text(ScreenText(col1, row1, lines[2], size));
    out.text(ScreenText(col1, row2, lines[3], size));
    out.text(ScreenText(col2, row1, lines[4], size));
    out.text(ScreenText(col2, row2, lines[5], size));
    out.text(ScreenText(col3, row1, lines[6], size));
    out.text(ScreenText(col3, row2, lines[7], size));
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const double y = y1 - k - static_cast<double>(j) * k;
        out.text(ScreenText(x1 + 3 * k, y, rows[j].first, size));
        out.text(ScreenText(x1 + 3 * k + 2.4 * k, y, rows[j].second, size));
    }
}

// The paper: all eight setting lines above the chart in two columns, the
// symbol table in one column right of the chart.
void PlotLegend(PenPlotter& out, const ChartSettings& s, const std::array<std::string, 8>& lines,
                const std::array<std::pair<std::string, std::string>, 10>& rows, float topRightX, float leftX,
                float topY, float shfOriginY) {
    const double sz = 1.2 * s.LabelUnit;
    out.textSize(s.PlotTextSize2);
    const double xr = leftX + 200 * sz;
    out.text(PlotText(leftX, topY + 100 * sz, lines[0]));
    out.text(PlotText(leftX, topY + 80 * sz, lines[1]));
    out.text(PlotText(leftX, topY + 60 * sz, lines[2]));
    out.text(PlotText(leftX, topY + 40 * sz, lines[3]));
    out.text(PlotText(xr, topY + 100.0 * s.PlotTextSize1, lines[4]));
    out.text(PlotText(xr, topY + 80.0 * s.PlotTextSize1, lines[5]));
    out.text(PlotText(xr, topY + 60.0 * s.PlotTextSize1, lines[7]));
    out.text(PlotText(xr, topY + 40 * sz, lines[6]));
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const double y = shfOriginY - (20.0 + 15 * static_cast<double>(j)) * sz;
        out.text(PlotText(topRightX + 600.0, y, rows[j].first + rows[j].second));
    }
}

} // namespace

// The two sides lay the legend out differently (the window has room above
// the chart, the paper beside it), so each text is meant for one side.
void DrawLegend(PenPlotter& out, const Chart& chart, float topRightX, float chartHeight, float chartWidth, float leftX,
                float topY, float shfOriginY) {
    const ChartSettings& s = chart.settings;
    out.pen({PenSlot::Scale});
    const auto lines = SettingLines(s, chartHeight, chartWidth);
    const auto rows = SymbolRows(s);
    ScreenLegend(out, s, lines, rows, topRightX);
    PlotLegend(out, s, lines, rows, topRightX, leftX, topY, shfOriginY);
}

} // namespace hyg
