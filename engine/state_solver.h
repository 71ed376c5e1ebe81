// The state solver: checks the air states typed into the process dialog's
// input table, derives the missing one of relative humidity and wet-bulb
// temperature, completes every valid state with its properties and records
// it in the state-point list.
//
// It runs in two passes, both started by the Calculate command: the input
// pass (row by row over the text cells) and the property pass (state by
// state over the AirState arrays). An out-of-range entry shows the range
// message and leaves its row out; the other rows are still computed. A
// floating-point fault inside a property function ends the pass (the
// Calculate command traps it).
#pragma once

#include "engine/messages.h"
#include "engine/state_points.h"
#include "engine/units.h"

#include <array>
#include <cstdint>
#include <string>

namespace hyg {

inline constexpr int kStateCount = 6;   // states 1 to 6 (index 0 unused)
inline constexpr float kMissing = -999; // a cell whose text is not a number

// The text cells of the input table: rows 1 to 6 are the states, columns
// 1 pressure (in ChartSettings.PressureUnit), 2 dry bulb [deg C], 3 relative
// humidity [%], 4 wet bulb [deg C]. Row 0 and column 0 are the headings and
// are not read.
class InputTable {
public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 4;
    // Raises IndexFault outside rows 0..6, columns 0..4.
    std::string& cell(int row, int column);
    const std::string& cell(int row, int column) const;

private:
    std::array<std::array<std::string, kColumns + 1>, kRows + 1> cells_{};
};

// One air state per state number 1 to 6, held as parallel arrays.
struct AirStates {
    using Column = std::array<float, kStateCount + 1>;
    Column Pressure{};                         // as entered, in the pressure unit
    Column DryBulb{};                          // deg C
    Column RelHum{};                           // %
    Column WetBulb{};                          // deg C
    Column VapourPressure{};                   // atm
    Column AbsHum{};                           // kg/kgDA
    Column SatAbsHum{};                        // kg/kgDA
    Column SatDegree{};                        // %
    Column Enthalpy{};                         // display enthalpy unit of the unit system
    Column SpecVolume{};                       // display volume unit of the unit system
    Column Density{};                          // display density unit of the unit system
    std::array<bool, kStateCount + 1> Valid{}; // passed the input pass
};

// 8 by 8 singles: the input matrix (row = state, columns 1..4 as the input
// table) and the property matrix (row = state, columns 1..7 as the property
// table: saturation degree, partial pressure in mmHg, absolute humidity,
// saturated absolute humidity, enthalpy, specific volume, density).
using StateMatrix = std::array<std::array<float, 8>, 8>;

// Reads a cell: a numeric text gives its number (raising FloatingPointFault
// when it does not fit a single), any other text the missing-value marker.
float ReadCell(const std::string& text);

// The text of the range message; CR is "\r".
std::string RangeMessageText(float lower, float upper, const std::string& name);

// Sounds the beep, then shows the range message (exclamation icon, title
// "Hygrana"). A null messenger shows nothing.
void ShowRangeMessage(Messenger* messenger, float lower, float upper, const std::string& name);

// The input pass over rows 1..rowCount (at most 6) of the table. Writes the
// derived humidity input back into the table ("##0.00") and the matrix,
// fills `states` (Pressure, DryBulb, RelHum, WetBulb, Valid) and the
// state-point list, and returns the number of valid states (also left in
// points.count).
std::int16_t InputPass(InputTable& table, int rowCount, PressureIn pressureUnit, AirStates& states, StateMatrix& input,
                       StatePointList& points, Messenger* messenger);

// The property pass over the valid states: fills the property
// fields of `states` and the rows of the property matrix.
void PropertyPass(AirStates& states, PressureIn pressureUnit, UnitSystem unitSystem, StateMatrix& properties);

// Pressure of a state, as entered in `pressureUnit`, in atm and in mmHg
// (each rounded to single), as the solver and the process rows convert it.
float StatePressureAtm(float pressure, PressureIn pressureUnit);
float StatePressureMmHg(float pressure, PressureIn pressureUnit);

} // namespace hyg
