// The pressure units and unit systems, and the display tables of the unit
// systems. In the program they are enums; their numeric codes (1, 2, 3) are
// what the data file and the command line hold, converted only there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace hyg {

// The unit of the atmospheric pressure (ChartSettings.PressureUnit).
enum class PressureIn : std::int16_t { MmHg = 1, KPa = 2, Atm = 3 };
// The unit system of enthalpy, humidity, volume, density and flow
// (ChartSettings.EnthalpyUnit): kcal-based metric, kJ-based metric,
// inch-pound.
enum class UnitSystem : std::int16_t { MetricKcal = 1, MetricKJ = 2, Imperial = 3 };

// The stored code of a unit, and the unit of a stored code (nothing for a
// code no unit has).
constexpr int CodeOf(PressureIn u) {
    return static_cast<int>(u);
}
constexpr int CodeOf(UnitSystem u) {
    return static_cast<int>(u);
}
std::optional<PressureIn> PressureUnitOfCode(long long code);
std::optional<UnitSystem> UnitSystemOfCode(long long code);

// "\u00b0" and "\u00b3" are the degree and superscript-three characters
// (codes 176 and 179 of the Windows-1252 code page); texts are UTF-8 inside
// the program and converted where a file is written.
inline constexpr const char* kDeg = "\u00b0";
inline constexpr const char* kCube = "\u00b3";

float EnthalpyFactor(UnitSystem unit);      // kcal/kgDA -> display enthalpy: 1, 4.186, 1.7996
float VolumeFactor(UnitSystem unit);        // m3/kgDA -> display volume: 1, 1, 16.018
float VolumeStep(UnitSystem unit);          // spacing of volume lines: 0.01, 0.01, 0.1
std::int16_t EnthalpyStep(UnitSystem unit); // spacing of enthalpy lines: 1, 5, 2
float KiloJouleFactor(UnitSystem unit);     // kJ per display energy unit: 4.186, 1, 1.0551
float FlowFactor(UnitSystem unit);          // display mass unit per kg: 1, 1, 2.2046

const std::string& EnthalpyLabel(UnitSystem unit);         // "kcal/kgDA" "kJ/kgDA" "Btu/lbmDA"
const std::string& SpecificEnthalpyLabel(UnitSystem unit); // "kcal/kg" "kJ/kg" "Btu/lbm"
const std::string& HumidityLabel(UnitSystem unit);         // "kg/kgDA" "kg/kgDA" "lbm/lbmDA"
const std::string& VolumeLabel(UnitSystem unit);           // "m3/kgDA" "m3/kgDA" "ft3/lbmDA" (superscript 3)
const std::string& DensityLabel(UnitSystem unit);          // "kg/m3" "kg/m3" "lbm/ft3" (superscript 3)

// Pressure unit names: "mmHg", "kPa", "atm".
const std::string& PressureUnitLabel(PressureIn unit);

} // namespace hyg
