// The unit-system tables. Entries 1 to 3 are the unit systems; entries 0,
// 4 and 5 exist and hold 0 or empty text; any other index is a fault.
#include "engine/units.h"

#include "engine/fault.h"

#include <array>
#include <string>

namespace hyg {

namespace {

constexpr int kTableSize = 6;

void CheckUnit(int unit, const char* table) {
    if (unit < 0 || unit >= kTableSize)
        throw IndexFault(std::string(table) + "(" + std::to_string(unit) + ")");
}

template <class T> const T& Entry(const std::array<T, kTableSize>& table, int unit, const char* name) {
    CheckUnit(unit, name);
    return table[static_cast<std::size_t>(unit)];
}

using Numbers = std::array<float, kTableSize>;
using Texts = std::array<std::string, kTableSize>;

const Numbers kEnthalpyFactor{0.0f, 1.0f, 4.186f, 1.7996f, 0.0f, 0.0f};
const Numbers kVolumeFactor{0.0f, 1.0f, 1.0f, 16.018f, 0.0f, 0.0f};
const Numbers kVolumeStep{0.0f, 0.01f, 0.01f, 0.1f, 0.0f, 0.0f};
const std::array<std::int16_t, kTableSize> kEnthalpyStep{0, 1, 5, 2, 0, 0};
const Numbers kKiloJouleFactor{0.0f, 4.186f, 1.0f, 1.0551f, 0.0f, 0.0f};
const Numbers kFlowFactor{0.0f, 1.0f, 1.0f, 2.2046f, 0.0f, 0.0f};

const Texts& EnthalpyLabels() {
    static const Texts t{"", "kcal/kgDA", "kJ/kgDA", "Btu/lbmDA", "", ""};
    return t;
}
const Texts& SpecificEnthalpyLabels() {
    static const Texts t{"", "kcal/kg", "kJ/kg", "Btu/lbm", "", ""};
    return t;
}
const Texts& HumidityLabels() {
    static const Texts t{"", "kg/kgDA", "kg/kgDA", "lbm/lbmDA", "", ""};
    return t;
}
const Texts& VolumeLabels() {
    static const Texts t{"",
                         std::string("m") + kCube + "/kgDA",
                         std::string("m") + kCube + "/kgDA",
                         std::string("ft") + kCube + "/lbmDA",
                         "",
                         ""};
    return t;
}
const Texts& DensityLabels() {
    static const Texts t{
        "", std::string("kg/m") + kCube, std::string("kg/m") + kCube, std::string("lbm/ft") + kCube, "", ""};
    return t;
}
const Texts& PressureLabels() {
    static const Texts t{"", "mmHg", "kPa", "atm", "", ""};
    return t;
}

} // namespace

float EnthalpyFactor(int unit) {
    return Entry(kEnthalpyFactor, unit, "EnthalpyFactor");
}
float VolumeFactor(int unit) {
    return Entry(kVolumeFactor, unit, "VolumeFactor");
}
float VolumeStep(int unit) {
    return Entry(kVolumeStep, unit, "VolumeStep");
}
std::int16_t EnthalpyStep(int unit) {
    return Entry(kEnthalpyStep, unit, "EnthalpyStep");
}
float KiloJouleFactor(int unit) {
    return Entry(kKiloJouleFactor, unit, "KiloJouleFactor");
}
float FlowFactor(int unit) {
    return Entry(kFlowFactor, unit, "FlowFactor");
}

const std::string& EnthalpyLabel(int unit) {
    return Entry(EnthalpyLabels(), unit, "EnthalpyLabel");
}
const std::string& SpecificEnthalpyLabel(int unit) {
    return Entry(SpecificEnthalpyLabels(), unit, "SpecificEnthalpyLabel");
}
const std::string& HumidityLabel(int unit) {
    return Entry(HumidityLabels(), unit, "HumidityLabel");
}
const std::string& VolumeLabel(int unit) {
    return Entry(VolumeLabels(), unit, "VolumeLabel");
}
const std::string& DensityLabel(int unit) {
    return Entry(DensityLabels(), unit, "DensityLabel");
}
const std::string& PressureUnitLabel(int unit) {
    return Entry(PressureLabels(), unit, "PressureUnitLabel");
}

} // namespace hyg
