// Humidity ratio, specific heat of dry air and the psychrometer relation.
#include "engine/basic.h"
#include "engine/physics.h"
#include "engine/psychro.h"
#include "engine/psychro_internal.h"

namespace hyg {

namespace {} // namespace

float HumidityRatio(float& pAtm, float pw) {
    if (pAtm == 0.0f)
        pAtm = 1.0f; // a zero pressure is taken as one standard atmosphere
    return Sgl(Div(kMolarRatio * pw, static_cast<double>(pAtm) - pw, "HumidityRatio"), "HumidityRatio");
}

float DryAirSpecificHeat(float pMmHg, float t) {
    const float pAtm = Sgl(Div(pMmHg, kStandardMmHg, "DryAirSpecificHeat"));
    const double td = t;
    const float product =
        Sgl((1.0061 + 4e-7 * td * td / 4.0) * (1.0 + 0.0015 * (static_cast<double>(pAtm) - 1.0)), "DryAirSpecificHeat");
    return Sgl(product / 4.186, "DryAirSpecificHeat");
}

namespace detail {

float WetBulbVapourPressureWith(float pAtm, float t, float tw, float cpa) {
    return WetBulbVapourPressureFrom(pAtm, t, tw, cpa, SatPressure(tw));
}

float WetBulbVapourPressureFrom(float pAtm, float t, float tw, float cpa, float psw) {
    const float xsw =
        Sgl(Div(kMolarRatio * psw, static_cast<double>(pAtm) - psw, "WetBulbVapourPressure"), "WetBulbVapourPressure");
    const float num = Sgl((kCpVapour * xsw + cpa) * (static_cast<double>(t) - tw), "WetBulbVapourPressure");
    float den = Sgl(kLatentHeat0 + kCpVapour * t - tw, "WetBulbVapourPressure");
    if (tw <= 0.0f)
        den = Sgl(den + kFusionHeat - kCpIce * tw, "WetBulbVapourPressure"); // ice on the wet bulb
    float x = Sgl(xsw - Div(num, den, "WetBulbVapourPressure"), "WetBulbVapourPressure");
    if (x < 0.0f)
        x = 0.0f;
    return Sgl(Div(static_cast<double>(x) * pAtm, x + kMolarRatio, "WetBulbVapourPressure"), "WetBulbVapourPressure");
}

} // namespace detail

float WetBulbVapourPressure(float pAtm, float t, float& tw) {
    if (tw > t)
        tw = t;
    const float cpa = DryAirSpecificHeat(Sgl(kStandardMmHg * pAtm, "WetBulbVapourPressure"), t);
    return detail::WetBulbVapourPressureWith(pAtm, t, tw, cpa);
}

} // namespace hyg
