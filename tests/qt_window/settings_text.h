// The settings the dialogs and commands change, as one line of text: one
// comparison then names every field that differs. Floats are written with
// nine digits so that no rounding hides a change.
#pragma once

#include "chart/chart_settings.h"

#include <QStringList>

namespace hyg::test {

inline QString SettingsText(const ChartSettings& s) {
    const auto n = [](double v) { return QString::number(v, 'g', 9); };
    const auto text = [](QString format, auto... v) { return ((format = format.arg(v)), ...); };
    QString lines = "lines ";
    for (std::size_t k = 0; k < kChartLines; ++k)
        lines += LineOn(s, static_cast<ChartLine>(k)) ? "1" : "0";
    return QStringList{
        "P " + n(s.Pressure) + " " + n(s.PressureMmHg) + " mmHg", "T " + n(s.MinDryBulb) + ".." + n(s.MaxDryBulb),
        "x " + n(s.MaxAbsHum), "shf " + n(s.ShfOriginDryBulb) + "," + n(s.ShfOriginAbsHum),
        "mr " + n(s.MaxMoistureRatio), "vh " + n(s.VertHorizRatio), "flow " + n(s.DryAirflowRate),
        text("units %1%2%3 type %4", CodeOf(s.PressureUnit), CodeOf(s.EnthalpyUnit), s.TemperatureUnit, s.DiagramType),
        lines, text("drawn %1 process %2 colour %3", s.DrawCount, s.DrawProcessLines, s.ColorMode),
        "plane " + n(s.PlaneXMin) + " " + n(s.PlaneXMax) + " " + n(s.PlaneYMin) + " " + n(s.PlaneYMax),
        text("plotter %1 %2 %3 %4", s.PlotterP1X, s.PlotterP1Y, s.PlotterP2X, s.PlotterP2Y)}
        .join(" | ");
}

} // namespace hyg::test
