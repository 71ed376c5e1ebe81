// AirProperty, the one entry the chart drawers and the process calculation
// call with a property code, and its two enthalpy companions.
#include "engine/basic.h"
#include "engine/physics.h"
#include "engine/psychro.h"

namespace hyg {

namespace {
constexpr double kGasConstantOverP0 = 0.004555; // R_w / p0, m3 atm/(kg K)
constexpr float kSaturatedAtBoiling = 1e20f;    // x_s when p_s is 1 atm exactly
} // namespace

PropertyValue AirProperty(std::int16_t code, float pMmHg, float t, float xg) {
    const float pAtm = Sgl(Div(pMmHg, kStandardMmHg, "AirProperty"), "AirProperty");
    const float x = Sgl(xg / 1000.0, "AirProperty");
    switch (code) {
    case kSatAbsHum: {
        const float ps = SatPressure(t);
        const float xs = ps == 1.0f
                             ? kSaturatedAtBoiling
                             : Sgl(Div(kMolarRatio * ps, static_cast<double>(pAtm) - ps, "AirProperty"), "AirProperty");
        return PropertyValue::OfSingle(Sgl(static_cast<double>(xs) * 1000.0, "AirProperty"));
    }
    case kWetBulb:
        return PropertyValue::OfSingle(WetBulb(pAtm, t, x));
    case kRelHum: {
        const float pw = Sgl(Div(static_cast<double>(x) * pAtm, x + kMolarRatio, "AirProperty"), "AirProperty");
        return PropertyValue::OfSingle(Sgl(Div(100.0 * pw, SatPressure(t), "AirProperty"), "AirProperty"));
    }
    case kEnthalpy: {
        const float cpa = DryAirSpecificHeat(pMmHg, t);
        return PropertyValue::OfSingle(
            Sgl((kCpVapour * t + kLatentHeat0) * x + static_cast<double>(cpa) * t, "AirProperty"));
    }
    case kDewPoint:
        return PropertyValue::OfSingle(DewPoint(pAtm, t, x));
    case kSpecVolume:
        return PropertyValue::OfDouble(
            Div((x + kMolarRatio) * kGasConstantOverP0 * (static_cast<double>(t) + kZeroCelsius), pAtm, "AirProperty"));
    default:
        return PropertyValue::Empty();
    }
}

float EnthalpyOf(float pMmHg, float t, float xg) {
    return AirProperty(kEnthalpy, pMmHg, t, xg).single;
}

float SensibleEnthalpyChange(float pMmHg, float t1, float t2, float xg) {
    const float h1 = EnthalpyOf(pMmHg, t1, xg);
    const float h2 = EnthalpyOf(pMmHg, t2, xg);
    return Sgl(static_cast<double>(h2) - h1, "SensibleEnthalpyChange");
}

} // namespace hyg
