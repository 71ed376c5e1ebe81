// Pressure-unit conversions and the two chart-geometry helpers kept with
// the property functions.
#include "engine/basic.h"
#include "engine/psychro.h"

#include <cmath>

namespace hyg {

float PressureToMmHg(float p, std::int16_t unit) {
    switch (unit) {
    case 1:
        return p; // mmHg
    case 2:
        return Sgl(static_cast<double>(p) * 760.0 / 101.325, "PressureToMmHg"); // kPa
    case 3:
        return Sgl(static_cast<double>(p) * 760.0, "PressureToMmHg"); // atm
    default:
        return 0.0f;
    }
}

float PressureFromMmHg(float pMmHg, std::int16_t unit) {
    switch (unit) {
    case 1:
        return pMmHg;
    case 2:
        return Sgl(static_cast<double>(pMmHg) / 760.0 * 101.325, "PressureFromMmHg");
    case 3:
        return Sgl(static_cast<double>(pMmHg) / 760.0, "PressureFromMmHg");
    default:
        return 0.0f;
    }
}

float OneAtm(std::int16_t unit) {
    switch (unit) {
    case 1:
        return 760.0f;
    case 2:
        return 101.325f;
    case 3:
        return 1.0f;
    default:
        return 0.0f;
    }
}

float ChartLabelUnit(float planeXMin, float planeXMax) {
    return Sgl((static_cast<double>(planeXMax) - planeXMin) / 200.0, "ChartLabelUnit");
}

float ProtractorRadius(float planeXMin, float planeXMax) {
    // The radius for the default 5000 by 3500 plane, grown with a wider window.
    float r = Sgl(std::sqrt(5000.0) * std::sqrt(3500.0) / 80.0, "ProtractorRadius");
    const double width = static_cast<double>(planeXMax) - planeXMin;
    if (width < 0.0)
        throw FloatingPointFault(FloatingPointFault::Kind::Invalid, "ProtractorRadius: square root");
    const double wide = std::sqrt(width) / 20.0;
    if (wide > r)
        r = Sgl(wide, "ProtractorRadius");
    return r;
}

} // namespace hyg
