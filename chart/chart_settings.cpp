#include "chart/chart_settings.h"

#include <string>

namespace hyg {

PenTable ColourPenTable() {
    using namespace palette;
    return {Black, Black, LightBlue, Magenta, LightGreen, Black, LightBlue, LightRed, LightMagenta};
}

PenTable MonoPenTable() {
    PenTable t;
    t.fill(palette::Black);
    return t;
}

namespace {
void CheckIndex(int i) {
    if (i < 0 || i >= SaturationTable::kSize)
        throw IndexFault("saturation table index " + std::to_string(i));
}
} // namespace

float SaturationTable::T(int i) const {
    CheckIndex(i);
    return dryBulb_[static_cast<std::size_t>(i)];
}

double SaturationTable::S(int i) const {
    CheckIndex(i);
    return satAbsHum_[static_cast<std::size_t>(i)];
}

float& SaturationTable::dryBulb(int i) {
    CheckIndex(i);
    return dryBulb_[static_cast<std::size_t>(i)];
}

double& SaturationTable::satAbsHum(int i) {
    CheckIndex(i);
    return satAbsHum_[static_cast<std::size_t>(i)];
}

void SaturationTable::clear() {
    dryBulb_.fill(0);
    satAbsHum_.fill(0);
}

double ChartX(const ChartSettings& s, double t, double x) {
    return s.OriginX + static_cast<double>(s.ScaleX) * (static_cast<double>(0.24f) * t +
                                                        s.DiagramType * 0.001 * x * static_cast<double>(0.441f) * t);
}

double ChartY(const ChartSettings& s, double x) {
    return s.OriginY + static_cast<double>(s.ScaleY) * x;
}

} // namespace hyg
