// The legend block: the setting lines (chart size, range, pressure and the
// protractor settings) and the table of symbols with their meanings and
// units. The screen shows the range and protractor lines in three columns
// above the chart and the symbol table right of it; the plot file has all
// eight setting lines above the chart and the table right of the chart.

#include "chart/chart_driver.h"
#include "chart/label_fit.h"
#include "chart/plane.h"

#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/units.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace hyg {

namespace {

// The eight setting lines, L1 to L8, each beginning with three blanks.
std::array<std::string, 8> SettingLines(const ChartSettings& s, float chartHeight, float chartWidth) {
    const std::string degC = std::string(" ") + kDeg + "C";
    const UnitSystem unit = s.EnthalpyUnit;
    std::string pressure;
    switch (s.PressureUnit) {
    case PressureIn::MmHg:
        pressure = FormatNumber(s.Pressure, "###0") + " mmHg";
        break;
    case PressureIn::KPa:
        pressure = FormatNumber(s.Pressure, "##0.0") + " kPa";
        break;
    case PressureIn::Atm:
        pressure = FormatNumber(s.Pressure, "0.000") + " atm";
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
    const UnitSystem unit = s.EnthalpyUnit;
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

// The ink of a block of texts: left, right, bottom and top.
using BlockBox = std::function<TextBox(const Label&)>;
std::array<double, 4> ExtentOf(const std::vector<Label>& block, const BlockBox& box) {
    std::array<double, 4> e{1e300, -1e300, 1e300, -1e300};
    for (const Label& l : block) {
        const TextBox b = box(l);
        e = {std::min(e[0], Left(b)), std::max(e[1], Right(b)), std::min(e[2], Bottom(b)), std::max(e[3], Top(b))};
    }
    return e;
}

void Shift(std::vector<Label>& block, PlotPoint d) {
    for (Label& l : block)
        l.at = {l.at.x + d.x, l.at.y + d.y};
}

// Moves a block of texts inside the plot window by the least amount, four
// pixels clear of its edges (where the screen rounds them); `box` gives each text's ink.
void ShiftInside(std::vector<Label>& block, const ChartSettings& s, const BlockBox& box) {
    if (block.empty())
        return;
    const auto [left, right, bottom, top] = ExtentOf(block, box);
    const double m = 4 * PixelInPlane(s);
    Shift(block, IntoWindow(s, left - m, right + m, bottom - m, top + m));
}

// Moves the symbol table down, by the least amount, clear of the setting
// lines it would cover (a narrow chart puts it under the last column), as
// far as the plot window lets it.
void ShiftBelow(std::vector<Label>& table, const std::vector<std::array<double, 4>>& settings, const ChartSettings& s,
                const BlockBox& box) {
    const auto [left, right, bottom, top] = ExtentOf(table, box);
    const double m = 4 * PixelInPlane(s);
    double down = 0;
    for (const auto& [l, r, b, t] : settings) {
        if (left < r + m && l < right + m && bottom < t + m && b < top + m)
            down = std::max(down, top - (b - m));
    }
    down = std::min(down, std::max(0.0, bottom - m - s.PlaneYMin));
    Shift(table, {0, -down});
}

// Where the screen puts the legend: the range, humidity and protractor
// settings in three columns of two rows near the top of the start-up window,
// the symbol table right of the chart.
struct LegendPlaces {
    double k; // the row pitch, three text units
    double row1, row2;
    std::array<double, 3> column;
    double tableX, tableY; // the first symbol
};

LegendPlaces Places(const ChartSettings& s, float topRightX) {
    LegendPlaces p;
    const double c = s.LabelUnit;
    p.k = 3 * c;
    const double x1 = Int(topRightX + 250.0 - 1);
    const double y1 = Int(16.0 * s.ScaleY);
    // Placed in the start-up window whatever the zoom.
    p.row1 = kPlaneYMax - 2.5 * p.k, p.row2 = kPlaneYMax - 3.5 * p.k;
    p.column = {p.k + kPlaneXMin, ((x1 - 2 * p.k) + (p.k + kPlaneXMin)) / 2 - 2 * p.k, x1 - 2 * p.k};
    p.tableX = x1 + 3 * p.k, p.tableY = y1 - p.k;
    return p;
}

// The screen shows the range, humidity and protractor settings (not the
// chart size) and the symbol table in two columns; a block that would leave
// the window (a wide chart, a low height-to-width ratio) moves in.
void ScreenLegend(PenPlotter& out, const ChartSettings& s, const std::array<std::string, 8>& lines,
                  const std::array<std::pair<std::string, std::string>, 10>& rows, float topRightX) {
    const double size = 1.2 * s.LabelUnit;
    const LegendPlaces p = Places(s, topRightX);
    const auto box = [&s](const Label& l) { return ScreenBox(s, l); };
    std::vector<std::array<double, 4>> settings;
    for (std::size_t col = 0; col < 3; ++col) {
        std::vector<Label> block = {ScreenText(p.column[col], p.row1, lines[2 + 2 * col], size),
                                    ScreenText(p.column[col], p.row2, lines[3 + 2 * col], size)};
        ShiftInside(block, s, box);
        settings.push_back(ExtentOf(block, box));
        for (const Label& l : block)
            out.text(l);
    }
    std::vector<Label> table;
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const double y = p.tableY - static_cast<double>(j) * p.k;
        table.push_back(ScreenText(p.tableX, y, rows[j].first, size));
        table.push_back(ScreenText(p.tableX + 2.4 * p.k, y, rows[j].second, size));
    }
    ShiftInside(table, s, box);
    ShiftBelow(table, settings, s, box);
    for (const Label& l : table)
        out.text(l);
}

// The paper shows the legend where the screen does, one line under another:
// the first column adds the chart size under the range, and each symbol
// row is one text. Its characters are no wider than the screen's, so the
// blocks take the room they take there, and a block that would leave the
// window moves in.
void PlotLegend(PenPlotter& out, const ChartSettings& s, const std::array<std::string, 8>& lines,
                const std::array<std::pair<std::string, std::string>, 10>& rows, float topRightX) {
    const LegendPlaces p = Places(s, topRightX);
    const double perCm = PlaneUnitsPerCm(s);
    // A plotted character advances one and a half widths; the screen's is
    // about 1.2 text units wide.
    const float screenWidth = perCm > 0 ? Sgl(1.2 * s.LabelUnit / 1.5 / perCm) : s.PlotTextSize2;
    const float width = std::min(s.PlotTextSize2, screenWidth);
    out.textSize(width);
    const auto box = [&](const Label& l) { return PlotBox(s, l, width, 0, l.at); };
    const std::array<std::vector<std::size_t>, 3> columns = {{{2, 3, 0, 1}, {4, 5}, {6, 7}}};
    std::vector<std::array<double, 4>> settings;
    for (std::size_t col = 0; col < 3; ++col) {
        std::vector<Label> block;
        for (std::size_t r = 0; r < columns[col].size(); ++r)
            block.push_back(PlotText(p.column[col], p.row1 - static_cast<double>(r) * p.k, lines[columns[col][r]]));
        ShiftInside(block, s, box);
        settings.push_back(ExtentOf(block, box));
        for (const Label& l : block)
            out.text(l);
    }
    std::vector<Label> table;
    for (std::size_t j = 0; j < rows.size(); ++j)
        table.push_back(PlotText(p.tableX, p.tableY - static_cast<double>(j) * p.k, rows[j].first + rows[j].second));
    ShiftInside(table, s, box);
    ShiftBelow(table, settings, s, box);
    for (const Label& l : table)
        out.text(l);
}

} // namespace

// The two sides lay the legend out differently (the window has room above
// the chart, the paper beside it), so each text is meant for one side.
void DrawLegend(PenPlotter& out, const Chart& chart, float topRightX, float chartHeight, float chartWidth,
                float /*leftX*/, float /*topY*/, float /*shfOriginY*/) {
    const ChartSettings& s = chart.settings;
    out.pen({PenSlot::Scale});
    const auto lines = SettingLines(s, chartHeight, chartWidth);
    const auto rows = SymbolRows(s);
    ScreenLegend(out, s, lines, rows, topRightX);
    PlotLegend(out, s, lines, rows, topRightX);
}

} // namespace hyg
