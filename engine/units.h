// Unit systems and their display tables, indexed by the unit system
// (ChartSettings.EnthalpyUnit): 1 kcal-based metric, 2 kJ-based metric,
// 3 inch-pound. Entries 0, 4 and 5 exist and hold 0 / empty text (the chart
// code may read them); an index outside 0..5 raises IndexFault.
#pragma once

#include <cstdint>
#include <string>

namespace hyg {

// "\u00b0" and "\u00b3" are the degree and superscript-three characters
// (codes 176 and 179 of the Windows-1252 code page); texts are UTF-8 inside
// the program and converted where a file is written.
inline constexpr const char* kDeg = "\u00b0";
inline constexpr const char* kCube = "\u00b3";

float EnthalpyFactor(int unit);      // kcal/kgDA -> display enthalpy: 1, 4.186, 1.7996
float VolumeFactor(int unit);        // m3/kgDA -> display volume: 1, 1, 16.018
float VolumeStep(int unit);          // spacing of volume lines: 0.01, 0.01, 0.1
std::int16_t EnthalpyStep(int unit); // spacing of enthalpy lines: 1, 5, 2
float KiloJouleFactor(int unit);     // kJ per display energy unit: 4.186, 1, 1.0551
float FlowFactor(int unit);          // display mass unit per kg: 1, 1, 2.2046

const std::string& EnthalpyLabel(int unit);         // "kcal/kgDA" "kJ/kgDA" "Btu/lbmDA"
const std::string& SpecificEnthalpyLabel(int unit); // "kcal/kg" "kJ/kg" "Btu/lbm"
const std::string& HumidityLabel(int unit);         // "kg/kgDA" "kg/kgDA" "lbm/lbmDA"
const std::string& VolumeLabel(int unit);           // "m3/kgDA" "m3/kgDA" "ft3/lbmDA" (superscript 3)
const std::string& DensityLabel(int unit);          // "kg/m3" "kg/m3" "lbm/ft3" (superscript 3)

// Pressure unit names: 1 "mmHg", 2 "kPa", 3 "atm".
const std::string& PressureUnitLabel(int unit);

} // namespace hyg
