#include "engine/state_solver.h"

#include "engine/basic.h"
#include "engine/physics.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/units.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace hyg {

namespace {

void CheckCell(int row, int column) {
    if (row < 0 || row > InputTable::kRows || column < 0 || column > InputTable::kColumns) {
        throw IndexFault("input table cell (" + std::to_string(row) + ", " + std::to_string(column) + ")");
    }
}

// Limits and names of the range messages.
constexpr float kMinPressureAtm = 0.3f, kMaxPressureAtm = 5.0f;
constexpr float kPressureLowMmHg = 228.0f, kPressureHighMmHg = 3800.0f; // named in the message
constexpr float kMinDryBulb = -15.0f, kMaxDryBulb = 100.0f;
constexpr float kDryBulbHighNamed = 99.9f; // the message names 99.9; 100 itself is accepted
constexpr float kMinWetBulb = -20.0f;
const char* const kPressureName = "Atm. Press.";
const char* const kDryBulbName = "D.B.Temp.";
const char* const kWetBulbName = "W.B.T.";
const char* const kRelHumName = "Rel.Hum.";

constexpr const char* kDerivedFormat = "##0.00";

} // namespace

std::string& InputTable::cell(int row, int column) {
    CheckCell(row, column);
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

const std::string& InputTable::cell(int row, int column) const {
    CheckCell(row, column);
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

float ReadCell(const std::string& text) {
    if (!IsNumeric(text))
        return kMissing;
    // Read the digits the same way in every locale: a number beyond the
    // range of a double overflows here just as one beyond a single does,
    // rather than reading as 0.
    double v = 0;
    try {
        v = LeadingNumber(text);
    } catch (const FloatingPointFault&) {
        throw FloatingPointFault(FloatingPointFault::Kind::Overflow, "input table cell");
    }
    return Sgl(v, "input table cell");
}

std::string RangeMessageText(float lower, float upper, const std::string& name) {
    return name + "\r\r" + " The value should be from " + Str(lower) + "  to  " + Str(upper) + " ." + "\r" +
           "Please change this value.";
}

void ShowRangeMessage(Messenger* messenger, float lower, float upper, const std::string& name) {
    if (messenger == nullptr)
        return;
    messenger->beep();
    messenger->showMessage(RangeMessageText(lower, upper, name), kTitle, MessageIcon::Exclamation);
}

float StatePressureAtm(float pressure, PressureIn pressureUnit) {
    return Sgl(Div(pressure, OneAtm(pressureUnit), "state pressure"), "state pressure");
}

float StatePressureMmHg(float pressure, PressureIn pressureUnit) {
    return Sgl(760.0 * StatePressureAtm(pressure, pressureUnit), "state pressure");
}

namespace {

// The cells of rows 1 to `rows` as numbers (kMissing where a cell holds none).
void ReadInputCells(const InputTable& table, int rows, StateMatrix& input) {
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= InputTable::kColumns; ++j) {
            input[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = ReadCell(table.cell(i, j));
        }
    }
}

// The humidity of row i at dry bulb t: the relative humidity when it is given
// (it wins when both are) with the wet bulb derived from it, or else the wet
// bulb with the relative humidity derived from it; the derived value goes
// into the table in its place. False when neither is usable (with a range
// message when one is given out of range).
bool CompleteHumidity(InputTable& table, int i, float pAtm, float pMmHg, float t, AirStates& states, StateMatrix& input,
                      Messenger* messenger) {
    const auto row = static_cast<std::size_t>(i);
    const float r = input[row][3], w = input[row][4];
    states.RelHum[row] = r;
    states.WetBulb[row] = w;
    if (r >= 0.0f && r <= 100.0f) {
        const float ps = SatPressure(t);
        const float pw = Sgl(static_cast<double>(ps) * r / 100.0, "input pass");
        const float xg =
            Sgl(Div(1000.0 * kMolarRatio * pw, static_cast<double>(pAtm) - pw, "input pass"), "input pass");
        states.WetBulb[row] = AirProperty(kWetBulb, pMmHg, t, xg).single;
        input[row][4] = states.WetBulb[row];
        table.cell(i, 4) = FormatNumber(states.WetBulb[row], kDerivedFormat);
        return true;
    }
    if (w >= kMinWetBulb && w <= t) {
        const float ps = SatPressure(t);
        float tw = w;
        const float pw = WetBulbVapourPressure(pAtm, t, tw);
        states.RelHum[row] = Sgl(Div(100.0 * pw, ps, "input pass"), "input pass");
        input[row][3] = states.RelHum[row];
        table.cell(i, 3) = FormatNumber(states.RelHum[row], kDerivedFormat);
        return true;
    }
    if (r == kMissing && w == kMissing)
        return false;
    if (r == kMissing) {
        ShowRangeMessage(messenger, kMinWetBulb, t, kWetBulbName);
    } else {
        ShowRangeMessage(messenger, 0.0f, 100.0f, kRelHumName);
    }
    return false;
}

// Row i as a state: its pressure and dry bulb checked against their ranges
// and its humidity completed. False when the row is left out: without a word
// when it has no dry bulb or no humidity input, with a range message when a
// value is out of range.
bool SolveRow(InputTable& table, int i, PressureIn pressureUnit, AirStates& states, StateMatrix& input,
              Messenger* messenger) {
    const auto row = static_cast<std::size_t>(i);
    const float p = input[row][1], t = input[row][2], r = input[row][3], w = input[row][4];

    // No dry bulb, or neither humidity input.
    const double td = t, rd = r, wd = w;
    if (std::fabs((td + 999.0) * (wd + 999.0)) + std::fabs((rd + 999.0) * (td + 999.0)) == 0.0)
        return false;

    states.Pressure[row] = p;
    const float pAtm = StatePressureAtm(p, pressureUnit);
    if (!(pAtm >= kMinPressureAtm && pAtm <= kMaxPressureAtm)) {
        ShowRangeMessage(messenger, kPressureLowMmHg, kPressureHighMmHg, kPressureName);
        return false;
    }
    const float pMmHg = Sgl(760.0 * pAtm, "state pressure");

    states.DryBulb[row] = t;
    if (!(t >= kMinDryBulb && t <= kMaxDryBulb)) {
        ShowRangeMessage(messenger, kMinDryBulb, kDryBulbHighNamed, kDryBulbName);
        return false;
    }
    return CompleteHumidity(table, i, pAtm, pMmHg, t, states, input, messenger);
}

} // namespace

std::int16_t InputPass(InputTable& table, int rowCount, PressureIn pressureUnit, AirStates& states, StateMatrix& input,
                       StatePointList& points, Messenger* messenger) {
    const int rows = rowCount < InputTable::kRows ? rowCount : InputTable::kRows;
    ReadInputCells(table, rows, input);

    std::int16_t count = 0;
    for (int i = 1; i <= rows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        states.Valid[row] = false;
        if (!SolveRow(table, i, pressureUnit, states, input, messenger))
            continue;
        states.Valid[row] = true;
        count = Add16(count, 1, "StatePointCount");
        const auto n = static_cast<std::size_t>(count);
        points.dryBulb[n] = states.DryBulb[row];
        points.relHum[n] = states.RelHum[row];
        points.pressure[n] = states.Pressure[row];
    }
    points.count = count;
    return count;
}

void PropertyPass(AirStates& s, PressureIn pressureUnit, UnitSystem unitSystem, StateMatrix& properties) {
    const float enthalpyFactor = EnthalpyFactor(unitSystem);
    const float volumeFactor = VolumeFactor(unitSystem);
    for (std::size_t i = 1; i <= kStateCount; ++i) {
        if (!s.Valid[i])
            continue;
        float pAtm = StatePressureAtm(s.Pressure[i], pressureUnit);
        const float pMmHg = Sgl(760.0 * pAtm, "property pass");
        const float t = s.DryBulb[i];
        s.VapourPressure[i] = WetBulbVapourPressure(pAtm, t, s.WetBulb[i]);
        const float ps = SatPressure(t);
        s.AbsHum[i] = HumidityRatio(pAtm, s.VapourPressure[i]);
        const float xg = Sgl(1000.0 * s.AbsHum[i], "property pass");
        s.SatAbsHum[i] = HumidityRatio(pAtm, ps);
        s.SatDegree[i] = Sgl(Div(100.0 * s.AbsHum[i], s.SatAbsHum[i], "property pass"), "property pass");
        s.Enthalpy[i] = Sgl(static_cast<double>(EnthalpyOf(pMmHg, t, xg)) * enthalpyFactor, "property pass");
        const float v = Sgl(AirProperty(kSpecVolume, pMmHg, t, xg).dbl, "property pass");
        s.SpecVolume[i] = Sgl(static_cast<double>(v) * volumeFactor, "property pass");
        s.Density[i] = Sgl(Div(1.0 + s.AbsHum[i], s.SpecVolume[i], "property pass"), "property pass");
    }
    for (std::size_t i = 1; i <= kStateCount; ++i) {
        if (!s.Valid[i])
            continue;
        auto& row = properties[i];
        row[1] = s.SatDegree[i];
        row[2] = Sgl(760.0 * s.VapourPressure[i], "property pass");
        row[3] = s.AbsHum[i];
        row[4] = s.SatAbsHum[i];
        row[5] = s.Enthalpy[i];
        row[6] = s.SpecVolume[i];
        row[7] = s.Density[i];
    }
}

} // namespace hyg
