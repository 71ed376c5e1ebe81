// Pressure-unit conversions and the two chart-geometry helpers kept with
// the property functions.
#include "engine/basic.h"
#include "engine/psychro.h"

#include <cmath>

namespace hyg {

float PressureToMmHg(float p, PressureIn unit) {
    switch (unit) {
    case PressureIn::MmHg:
        return p; // mmHg
    case PressureIn::KPa:
        return Sgl(static_cast<double>(p) * 760.0 / 101.325, "PressureToMmHg"); // kPa
    case PressureIn::Atm:
        return Sgl(static_cast<double>(p) * 760.0, "PressureToMmHg"); // atm
    }
    return 0.0f; // no unit: only a cast makes one
}

float PressureFromMmHg(float pMmHg, PressureIn unit) {
    switch (unit) {
    case PressureIn::MmHg:
        return pMmHg;
    case PressureIn::KPa:
        return Sgl(static_cast<double>(pMmHg) / 760.0 * 101.325, "PressureFromMmHg");
    case PressureIn::Atm:
        return Sgl(static_cast<double>(pMmHg) / 760.0, "PressureFromMmHg");
    }
    return 0.0f; // no unit: only a cast makes one
}

float OneAtm(PressureIn unit) {
    switch (unit) {
    case PressureIn::MmHg:
        return 760.0f;
    case PressureIn::KPa:
        return 101.325f;
    case PressureIn::Atm:
        return 1.0f;
    }
    return 0.0f; // no unit: only a cast makes one
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
