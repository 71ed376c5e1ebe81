#include "qt_window/air_readout.h"

#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/units.h"

namespace hyg {

void PlaneToAir(const ChartSettings& s, double X, double Y, double& t, double& xg) {
    xg = Div(Y - s.OriginY, s.ScaleY, "pointer humidity");
    // X = OriginX + ScaleX * t * (0.24 + DiagramType * 0.001 * x * 0.441):
    // linear in t at a given humidity.
    const double slope = static_cast<double>(s.ScaleX) *
                         (static_cast<double>(0.24f) + s.DiagramType * 0.001 * xg * static_cast<double>(0.441f));
    t = Div(X - s.OriginX, slope, "pointer temperature");
}

std::optional<AirReadout> ReadAirAt(const ChartSettings& s, const ChartFrame& frame, double X, double Y) {
    try {
        if (Y > frame.TopY)
            return std::nullopt;
        double t = 0, xg = 0;
        PlaneToAir(s, X, Y, t, xg);
        if (xg < 0 || t < s.MinDryBulb || t > s.MaxDryBulb)
            return std::nullopt;
        const float p = s.PressureMmHg;
        const float tf = Sgl(t), xf = Sgl(xg);
        if (xg > AirPropertyValue(kSatAbsHum, p, tf, 0))
            return std::nullopt;
        AirReadout a;
        a.dryBulb = t;
        a.absHum = xg;
        a.relHum = AirPropertyValue(kRelHum, p, tf, xf);
        a.wetBulb = AirPropertyValue(kWetBulb, p, tf, xf);
        a.enthalpy = AirPropertyValue(kEnthalpy, p, tf, xf);
        return a;
    } catch (const RunTimeFault&) {
        return std::nullopt;
    }
}

std::string FormatAirReadout(const AirReadout& a, const ChartSettings& s) {
    // Temperatures are shown in deg C everywhere, whatever the temperature
    // unit chosen in the settings.
    const auto temp = [](double c) { return FormatNumber(c, "0.0") + " \u00b0C"; };
    const UnitSystem unit = s.EnthalpyUnit;
    return "D.B. " + temp(a.dryBulb) +                                                     //
           "   x " + FormatNumber(a.absHum / 1000, "0.0000") + " " + HumidityLabel(unit) + //
           "   R.H. " + FormatNumber(a.relHum, "0.0") + " %" +                             //
           "   W.B. " + temp(a.wetBulb) +                                                  //
           "   h " + FormatNumber(a.enthalpy * EnthalpyFactor(unit), "0.00") + " " + EnthalpyLabel(unit);
}

} // namespace hyg
