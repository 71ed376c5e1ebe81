// The unit-system tables, one entry per unit system in code order. A value
// that is no enumerator (only a cast can make one) is an index fault.
#include "engine/units.h"

#include "engine/fault.h"

#include <array>
#include <string>

namespace hyg {

namespace {

constexpr int kUnits = 3;

template <class T, class Unit> const T& Entry(const std::array<T, kUnits>& table, Unit unit, const char* name) {
    const int code = static_cast<int>(unit);
    if (code < 1 || code > kUnits)
        throw IndexFault(std::string(name) + "(" + std::to_string(code) + ")");
    return table[static_cast<std::size_t>(code - 1)];
}

using Numbers = std::array<float, kUnits>;
using Texts = std::array<std::string, kUnits>;

const Numbers kEnthalpyFactor{1.0f, 4.186f, 1.7996f};
const Numbers kVolumeFactor{1.0f, 1.0f, 16.018f};
const Numbers kVolumeStep{0.01f, 0.01f, 0.1f};
const std::array<std::int16_t, kUnits> kEnthalpyStep{1, 5, 2};
const Numbers kKiloJouleFactor{4.186f, 1.0f, 1.0551f};
const Numbers kFlowFactor{1.0f, 1.0f, 2.2046f};

const Texts& EnthalpyLabels() {
    static const Texts t{"kcal/kgDA", "kJ/kgDA", "Btu/lbmDA"};
    return t;
}
const Texts& SpecificEnthalpyLabels() {
    static const Texts t{"kcal/kg", "kJ/kg", "Btu/lbm"};
    return t;
}
const Texts& HumidityLabels() {
    static const Texts t{"kg/kgDA", "kg/kgDA", "lbm/lbmDA"};
    return t;
}
const Texts& VolumeLabels() {
    static const Texts t{std::string("m") + kCube + "/kgDA", std::string("m") + kCube + "/kgDA",
                         std::string("ft") + kCube + "/lbmDA"};
    return t;
}
const Texts& DensityLabels() {
    static const Texts t{std::string("kg/m") + kCube, std::string("kg/m") + kCube, std::string("lbm/ft") + kCube};
    return t;
}
const Texts& PressureLabels() {
    static const Texts t{"mmHg", "kPa", "atm"};
    return t;
}

} // namespace

std::optional<PressureIn> PressureUnitOfCode(long long code) {
    if (code < 1 || code > kUnits)
        return std::nullopt;
    return static_cast<PressureIn>(code);
}

std::optional<UnitSystem> UnitSystemOfCode(long long code) {
    if (code < 1 || code > kUnits)
        return std::nullopt;
    return static_cast<UnitSystem>(code);
}

float EnthalpyFactor(UnitSystem unit) {
    return Entry(kEnthalpyFactor, unit, "EnthalpyFactor");
}
float VolumeFactor(UnitSystem unit) {
    return Entry(kVolumeFactor, unit, "VolumeFactor");
}
float VolumeStep(UnitSystem unit) {
    return Entry(kVolumeStep, unit, "VolumeStep");
}
std::int16_t EnthalpyStep(UnitSystem unit) {
    return Entry(kEnthalpyStep, unit, "EnthalpyStep");
}
float KiloJouleFactor(UnitSystem unit) {
    return Entry(kKiloJouleFactor, unit, "KiloJouleFactor");
}
float FlowFactor(UnitSystem unit) {
    return Entry(kFlowFactor, unit, "FlowFactor");
}

const std::string& EnthalpyLabel(UnitSystem unit) {
    return Entry(EnthalpyLabels(), unit, "EnthalpyLabel");
}
const std::string& SpecificEnthalpyLabel(UnitSystem unit) {
    return Entry(SpecificEnthalpyLabels(), unit, "SpecificEnthalpyLabel");
}
const std::string& HumidityLabel(UnitSystem unit) {
    return Entry(HumidityLabels(), unit, "HumidityLabel");
}
const std::string& VolumeLabel(UnitSystem unit) {
    return Entry(VolumeLabels(), unit, "VolumeLabel");
}
const std::string& DensityLabel(UnitSystem unit) {
    return Entry(DensityLabels(), unit, "DensityLabel");
}
const std::string& PressureUnitLabel(PressureIn unit) {
    return Entry(PressureLabels(), unit, "PressureUnitLabel");
}

} // namespace hyg
