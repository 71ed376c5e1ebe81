// Moist-air property functions.
//
// Internal units: deg C, atm (mmHg where named), kg/kgDA (g/kgDA where named
// x_g), kcal/kgDA, m3/kgDA. Every argument and result is a single; arithmetic
// inside an expression runs in double and every named intermediate quantity
// is rounded to single when stored, so results agree with a single-precision
// reference to about six significant digits.
//
// Faults (overflow, division by zero, invalid operation such as P equal to
// p_s or the logarithm of a non-positive absolute temperature) raise
// hyg::FloatingPointFault; nothing returns NaN or infinity.
#pragma once

#include "engine/units.h"

#include <cstdint>

namespace hyg {

// Saturation vapour pressure (Goff-Gratch) [atm] at t [deg C]; over ice for
// t < 0, over water for t >= 0. SatPressure(100) is exactly 1.
float SatPressure(float t);

// Humidity ratio x [kg/kgDA] = 0.622 p_w / (P - p_w), P and p_w in atm.
// A zero P is replaced by 1 atm and written back into pAtm.
float HumidityRatio(float& pAtm, float pw);

// Specific heat of dry air [kcal/(kg K)] at pMmHg [mmHg], t [deg C].
float DryAirSpecificHeat(float pMmHg, float t);

// Psychrometer relation: vapour pressure [atm] of air at pAtm [atm], dry bulb
// t [deg C] whose thermodynamic wet bulb is tw [deg C]. A tw above t is set
// to t, and the caller's variable changes too.
float WetBulbVapourPressure(float pAtm, float t, float& tw);

// Dew point [deg C] of air at pAtm [atm], t [deg C], x [kg/kgDA]; floor -100.
float DewPoint(float pAtm, float t, float x);

// Thermodynamic wet bulb [deg C] of air at pAtm [atm], t [deg C], x [kg/kgDA].
float WetBulb(float pAtm, float t, float x);

// Result of AirProperty: a single for codes 1 to 5, a double for code 6,
// empty for any other code (callers treat empty as 0).
struct PropertyValue {
    enum class Kind { Empty, Single, Double };
    Kind kind = Kind::Empty;
    float single = 0.0f;
    double dbl = 0.0;

    static PropertyValue Empty() { return {}; }
    static PropertyValue OfSingle(float v) { return {Kind::Single, v, v}; }
    static PropertyValue OfDouble(double v) { return {Kind::Double, static_cast<float>(v), v}; }
    bool empty() const { return kind == Kind::Empty; }
    // The value as a double (0 when empty).
    double value() const { return kind == Kind::Empty ? 0.0 : (kind == Kind::Single ? single : dbl); }
};

// Property codes of AirProperty.
enum PropertyCode : std::int16_t {
    kSatAbsHum = 1,  // saturated absolute humidity at t [g/kgDA]
    kWetBulb = 2,    // wet-bulb temperature [deg C]
    kRelHum = 3,     // relative humidity [%]
    kEnthalpy = 4,   // specific enthalpy [kcal/kgDA]
    kDewPoint = 5,   // dew-point temperature [deg C]
    kSpecVolume = 6, // specific volume [m3/kgDA], double
};

// One property of air at pMmHg [mmHg], t [deg C], xg [g/kgDA].
PropertyValue AirProperty(std::int16_t code, float pMmHg, float t, float xg);

// Same as AirProperty but returning the value as a double (0 for empty):
// the form the chart drawers use.
inline double AirPropertyValue(std::int16_t code, float pMmHg, float t, float xg) {
    return AirProperty(code, pMmHg, t, xg).value();
}

// AirProperty code 4 [kcal/kgDA] as a single.
float EnthalpyOf(float pMmHg, float t, float xg);

// h(t2) - h(t1) at the same pressure and humidity [kcal/kgDA].
float SensibleEnthalpyChange(float pMmHg, float t1, float t2, float xg);

// Pressure in the unit `unit` to mmHg.
float PressureToMmHg(float p, PressureIn unit);
// The inverse: mmHg to the unit `unit`.
float PressureFromMmHg(float pMmHg, PressureIn unit);
// One standard atmosphere in the unit (760, 101.325, 1).
float OneAtm(PressureIn unit);

// Chart geometry kept with the property functions: the text unit of the
// chart, (PlaneXMax - PlaneXMin) / 200, and the radius of the process arrows.
float ChartLabelUnit(float planeXMin, float planeXMax);
float ProtractorRadius(float planeXMin, float planeXMax);

} // namespace hyg
