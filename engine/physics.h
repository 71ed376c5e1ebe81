// Physical constants of moist air, in the kcal units the program works in.
//
// The heats are held as the single-precision values the charts and the
// property formulas have always used, widened to double: computing with
// the double nearest to 0.24 (not the single) would move chart lines and
// printed numbers in their last digit, and the stored results are singles
// anyway.
#pragma once

namespace hyg {

// Specific heat of dry air, kcal/(kg K).
inline constexpr double kCpAir = static_cast<double>(0.24f);
// Specific heat of water vapour, kcal/(kg K).
inline constexpr double kCpVapour = static_cast<double>(0.441f);
// Latent heat of evaporation of water at 0 deg C, kcal/kg.
inline constexpr double kLatentHeat0 = static_cast<double>(597.3f);
// The same two heats as the double nearest the decimal value. The
// protractors (the directions of processes) have always been worked out
// with these; the single values above would move their ticks and printed
// slopes in the last digit.
inline constexpr double kCpVapourDecimal = 0.441;
inline constexpr double kLatentHeat0Decimal = 597.3;
// Ratio of the molar masses of water and dry air (18.015 / 28.96): the
// humidity ratio is kMolarRatio * p_w / (P - p_w). Used in double.
inline constexpr double kMolarRatio = 0.622;
// The same in g/kg, as the chart scales use it.
inline constexpr double kMolarRatioGrams = 622;
// Latent heat of fusion of ice, kcal/kg, and specific heat of ice,
// kcal/(kg K): below 0 deg C the wet bulb is an ice bulb.
inline constexpr double kFusionHeat = 79.7;
inline constexpr double kCpIce = 0.5;
// Standard atmosphere, mmHg.
inline constexpr double kStandardMmHg = 760;
// 0 deg C in kelvin.
inline constexpr double kZeroCelsius = 273.15;

} // namespace hyg
