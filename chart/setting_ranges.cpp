#include "chart/setting_ranges.h"

#include "engine/basic.h"

#include <cmath>

namespace hyg {

namespace {

constexpr ValueList kPressureMmHg{1000, 700, 1, "0"};
constexpr ValueList kPressureKPa{120, 90, 10, "0.0"};
constexpr ValueList kPressureAtm{1.2, 0.9, 1000, "0.000"};

// first and last in whole items.
double Items(double v, int perUnit) {
    return std::round(v * perUnit);
}

} // namespace

int ValueList::count() const {
    return static_cast<int>(std::fabs(Items(first, perUnit) - Items(last, perUnit))) + 1;
}

double ValueList::item(int k) const {
    const double step = first < last ? k : -k;
    if (perUnit == 1)
        return first + step;
    return (Items(first, perUnit) + step) / perUnit;
}

int ValueList::nearestItem(double v) const {
    const double scaled = perUnit * v;
    if (std::isnan(scaled))
        return 0;
    const double offset = RoundHalfEven(scaled) - Items(first, perUnit);
    const double k = first < last ? offset : -offset;
    if (k < 0)
        return 0;
    if (k > count() - 1)
        return count() - 1;
    return static_cast<int>(k);
}

bool ValueList::holds(double v) const {
    const double scaled = perUnit * v;
    if (!std::isfinite(scaled))
        return false;
    const double offset = RoundHalfEven(scaled) - Items(first, perUnit);
    const double k = first < last ? offset : -offset;
    return k >= 0 && k <= count() - 1;
}

const ValueList& PressureList(PressureIn unit) {
    switch (unit) {
    case PressureIn::KPa:
        return kPressureKPa;
    case PressureIn::Atm:
        return kPressureAtm;
    default:
        return kPressureMmHg;
    }
}

} // namespace hyg
