// The air state under the pointer: the inverse of the chart transform and
// the properties of that state, for the status bar. Plain C++.
#pragma once

#include "chart/chart_settings.h"

#include <optional>
#include <string>

namespace hyg {

struct AirReadout {
    double dryBulb = 0;  // deg C
    double absHum = 0;   // g/kgDA
    double relHum = 0;   // %
    double wetBulb = 0;  // deg C
    double enthalpy = 0; // kcal/kgDA
};

// Dry-bulb temperature and absolute humidity of the plane point (X, Y): the
// inverse of ChartX/ChartY with the scales of `s` (as laid out).
void PlaneToAir(const ChartSettings& s, double X, double Y, double& t, double& xg);

// The state at the plane point (X, Y) of a chart laid out with `s` and
// `frame`, or nothing outside the chart area: below x = 0, above the top
// edge, left of the saturation curve (or of the lowest dry-bulb line), right
// of the highest dry-bulb line.
std::optional<AirReadout> ReadAirAt(const ChartSettings& s, const ChartFrame& frame, double X, double Y);

// One line for the status bar in the units of `s`: temperatures in deg C
// (as every display shows them), humidity as a ratio, enthalpy in the unit
// system's energy unit.
std::string FormatAirReadout(const AirReadout& a, const ChartSettings& s);

} // namespace hyg
