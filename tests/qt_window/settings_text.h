// The settings the dialogs and commands change, as one line of text: one
// comparison then names every field that differs. Floats are written with
// nine digits so that no rounding hides a change.
#pragma once

#include "chart/chart_settings.h"

#include <QString>
#include <QStringList>

namespace hyg::test {

inline QString SettingsText(const ChartSettings& s) {
    const auto n = [](double v) { return QString::number(v, 'g', 9); };
    QStringList t{"P " + n(s.Pressure) + " " + n(s.PressureMmHg) + " mmHg",
                  "T " + n(s.MinDryBulb) + ".." + n(s.MaxDryBulb),
                  "x " + n(s.MaxAbsHum),
                  "shf " + n(s.ShfOriginDryBulb) + "," + n(s.ShfOriginAbsHum),
                  "mr " + n(s.MaxMoistureRatio),
                  "vh " + n(s.VertHorizRatio),
                  "flow " + n(s.DryAirflowRate),
                  QString("units %1%2%3 type %4")
                      .arg(CodeOf(s.PressureUnit))
                      .arg(CodeOf(s.EnthalpyUnit))
                      .arg(s.TemperatureUnit)
                      .arg(s.DiagramType)};
    QString lines = "lines ";
    for (auto sw : s.LineSwitch)
        lines += QString::number(sw);
    t << lines << QString("drawn %1 process %2 colour %3").arg(s.DrawCount).arg(s.DrawProcessLines).arg(s.ColorMode)
      << "plane " + n(s.PlaneXMin) + " " + n(s.PlaneXMax) + " " + n(s.PlaneYMin) + " " + n(s.PlaneYMax)
      << QString("plotter %1 %2 %3 %4").arg(s.PlotterP1X).arg(s.PlotterP1Y).arg(s.PlotterP2X).arg(s.PlotterP2Y);
    return t.join(" | ");
}

} // namespace hyg::test
