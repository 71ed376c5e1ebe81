// Pieces of the property functions shared between their source files and
// the searches: not part of the engine's public interface.
#pragma once

#include <cstdint>

namespace hyg {

inline constexpr double kLn10 = 2.302585092994046; // natural logarithm of 10

namespace detail {

// The psychrometer relation with the specific heat of dry air already known
// (it depends on the pressure and the dry bulb only, not on the wet bulb):
// vapour pressure [atm] for a trial wet bulb tw <= t.
float WetBulbVapourPressureWith(float pAtm, float t, float tw, float cpa);
// The same with the saturation pressure at tw already known.
float WetBulbVapourPressureFrom(float pAtm, float t, float tw, float cpa, float psw);

// The step-by-step searches, one trial after the other: the reference the
// fast searches must match bit for bit, and their fallback for inputs
// outside the range they handle.
float DewPointStepwise(float pAtm, float t, float x);
float WetBulbStepwise(float pAtm, float t, float x);

// Trial temperature after k downward steps of 1 deg C from t, each step
// rounded to single as the stepwise search stores it.
float TrialAfterSteps(float t, int k);

} // namespace detail
} // namespace hyg
