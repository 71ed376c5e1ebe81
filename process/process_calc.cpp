#include "process/process_calc.h"

#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/units.h"

#include <string>

namespace hyg {

namespace {

std::string TwoLines(const std::string& name, const std::string& unit) {
    return name + "\r" + unit;
}

// Per-unit-system texts of the process table that have no table of their own.
// One text per unit system, in code order.
const std::string& ByUnitSystem(const std::array<std::string, 3>& texts, UnitSystem unit) {
    const int code = CodeOf(unit);
    if (code < 1 || code > 3)
        throw IndexFault("unit system " + std::to_string(code));
    return texts[static_cast<std::size_t>(code - 1)];
}

constexpr double kSecondsPerHour = 3600.0;
constexpr double kNoChangeFactor = 9999.0; // stands in for a division by a zero change

const char* const kFormatDryBulb = "#0.00";
const char* const kFormatHumidity = "0.0000";
const char* const kFormatEnthalpy = "##0.00";
const char* const kFormatWater = "#0.000";
const char* const kFormatLoad = "####0.0";
const char* const kFormatLoadKw = "##0.000";
const char* const kFormatShf = "0.000";
const char* const kFormatRatio = "###0.0";
const char* const kFormatVolume = "#####0.0";

float FlowFromText(const std::string& text) {
    return Sgl(LeadingNumber(text), "dry airflow rate");
}

// The pairs of consecutive valid states, in row order.
template <class F> void ForEachProcess(const AirStates& s, F&& f) {
    int a = 0;
    for (int i = 1; i <= kStateCount; ++i) {
        if (s.Valid[static_cast<std::size_t>(i)]) {
            a = i;
            break;
        }
    }
    if (a == 0)
        return;
    int k = 0;
    for (int b = a + 1; b <= kStateCount; ++b) {
        if (!s.Valid[static_cast<std::size_t>(b)])
            continue;
        ++k;
        f(k, a, b);
        a = b;
    }
}

} // namespace

std::vector<std::string> InputHeadings(PressureIn pressureUnit) {
    const std::string degC = std::string(kDeg) + "C";
    return {"No.", TwoLines("Press.", PressureUnitLabel(pressureUnit)), TwoLines("D.B.T.", degC),
            TwoLines("R.Hum*", "%"), TwoLines("W.B.T*", degC)};
}

std::vector<std::string> PropertyHeadings(UnitSystem u) {
    return {"No.",
            TwoLines("D.Satu.", "%"),
            TwoLines("P.Press.", "mmHg"),
            TwoLines("Abs.Hum.", HumidityLabel(u)),
            TwoLines("S.A.Hum.", HumidityLabel(u)),
            TwoLines("Enthalpy", EnthalpyLabel(u)),
            TwoLines("S.Volume", VolumeLabel(u)),
            TwoLines("Density", DensityLabel(u))};
}

std::vector<std::string> ProcessHeadings(UnitSystem u) {
    static const std::array<std::string, 3> water{"kg/hr", "kg/hr", "lbm/hr"};
    static const std::array<std::string, 3> load{"kcal/h", "kJ/h", "Btu/h"};
    static const std::array<std::string, 3> flow{std::string("m") + kCube + "/h", std::string("m") + kCube + "/h",
                                                 std::string("ft") + kCube + "/h"};
    return {TwoLines("Process", "Change"),
            TwoLines("D.B.T", std::string(kDeg) + "C"),
            TwoLines("A. Hum.", HumidityLabel(u)),
            TwoLines("Entahlpy", EnthalpyLabel(u)),
            TwoLines("S. Heat", EnthalpyLabel(u)),
            TwoLines("Water", ByUnitSystem(water, u)),
            TwoLines("H.Load", ByUnitSystem(load, u)),
            TwoLines("H.Load", "kW"),
            TwoLines("SHF", "-"),
            TwoLines("M. Ratio", SpecificEnthalpyLabel(u)),
            TwoLines("Flow Rate", ByUnitSystem(flow, u))};
}

std::string StateLabel(int i) {
    return "#" + std::to_string(i);
}

std::string PropertyCellText(float value) {
    return FormatNumber(value, "###.#####").substr(0, 6);
}

void BuildInputTable(ProcessData& d, const ChartSettings& settings) {
    for (int i = 1; i <= InputTable::kRows; ++i) {
        d.input.cell(i, 0) = StateLabel(i);
        d.input.cell(i, 1) = GeneralNumber(settings.Pressure);
        for (int j = 2; j <= InputTable::kColumns; ++j)
            d.input.cell(i, j).clear();
    }
}

void RestoreInput(ProcessData& d, const StatePointList& points) {
    for (int i = 1; i <= points.count && i <= StatePointList::kMaxStates; ++i) {
        const auto n = static_cast<std::size_t>(i);
        d.input.cell(i, 1) = FormatNumber(points.pressure[n], "##0.00");
        d.input.cell(i, 2) = FormatNumber(points.dryBulb[n], "##0.00");
        d.input.cell(i, 3) = FormatNumber(points.relHum[n], "##0.00");
    }
}

ProcessValues ComputeProcess(const AirStates& s, int a, int b, float flowRate, UnitSystem unitSystem,
                             PressureIn pressureUnit) {
    const auto ia = static_cast<std::size_t>(a), ib = static_cast<std::size_t>(b);
    const double g = flowRate;
    ProcessValues v;
    v.dT = Sgl(static_cast<double>(s.DryBulb[ib]) - s.DryBulb[ia], "process");
    v.dX = Sgl(static_cast<double>(s.AbsHum[ib]) - s.AbsHum[ia], "process");
    v.dH = Sgl(static_cast<double>(s.Enthalpy[ib]) - s.Enthalpy[ia], "process");
    // Sensible part at the mean pressure and the mean humidity of the two states.
    const float pMean = Sgl((static_cast<double>(StatePressureMmHg(s.Pressure[ia], pressureUnit)) +
                             StatePressureMmHg(s.Pressure[ib], pressureUnit)) *
                                0.5,
                            "process");
    const float xMean = Sgl((static_cast<double>(s.AbsHum[ia]) + s.AbsHum[ib]) * 0.5 * 1000.0, "process");
    v.qS = Sgl(static_cast<double>(SensibleEnthalpyChange(pMean, s.DryBulb[ia], s.DryBulb[ib], xMean)) *
                   EnthalpyFactor(unitSystem),
               "process");
    v.water = Sgl(v.dX * g, "process");
    v.load = Sgl(v.dH * g, "process");
    v.loadKw = Sgl(v.load / kSecondsPerHour * KiloJouleFactor(unitSystem), "process");
    v.shf = v.dH == 0.0f ? Sgl(v.qS * kNoChangeFactor, "process") : Sgl(static_cast<double>(v.qS) / v.dH, "process");
    v.ratio = v.dX == 0.0f ? Sgl(v.dH * kNoChangeFactor, "process") : Sgl(static_cast<double>(v.dH) / v.dX, "process");
    v.volume = Sgl((static_cast<double>(s.SpecVolume[ia]) + s.SpecVolume[ib]) * (g * 0.5), "process");
    return v;
}

void FillPropertyTable(ProcessData& d) {
    for (int i = 1; i <= PropertyTable::kRows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        d.property.cell(i, 0) = StateLabel(i);
        for (int j = 1; j <= PropertyTable::kColumns; ++j) {
            d.property.cell(i, j) = d.states.Valid[row]
                                        ? PropertyCellText(d.propertyMatrix[row][static_cast<std::size_t>(j)])
                                        : std::string();
        }
    }
}

void ProcessRows(ProcessData& d, const ChartSettings& settings) {
    if (d.StateCount < 2)
        return;
    bool any = false;
    for (int i = 1; i <= kStateCount; ++i)
        any = any || d.states.Valid[static_cast<std::size_t>(i)];
    if (!any)
        return;
    d.FlowRate = FlowFromText(d.flowText);
    ForEachProcess(d.states, [&](int k, int a, int b) {
        const ProcessValues v = ComputeProcess(d.states, a, b, d.FlowRate, d.UnitSystem, settings.PressureUnit);
        d.process.cell(k, 0) = StateLabel(a) + " -> " + StateLabel(b);
        d.process.cell(k, 1) = FormatNumber(v.dT, kFormatDryBulb);
        d.process.cell(k, 2) = FormatNumber(v.dX, kFormatHumidity);
        d.process.cell(k, 3) = FormatNumber(v.dH, kFormatEnthalpy);
        d.process.cell(k, 4) = FormatNumber(v.qS, kFormatEnthalpy);
        d.process.cell(k, 5) = FormatNumber(v.water, kFormatWater);
        d.process.cell(k, 6) = FormatNumber(v.load, kFormatLoad);
        d.process.cell(k, 7) = FormatNumber(v.loadKw, kFormatLoadKw);
        d.process.cell(k, 8) = FormatNumber(v.shf, kFormatShf);
        d.process.cell(k, 9) = FormatNumber(v.ratio, kFormatRatio);
        d.process.cell(k, 10) = FormatNumber(v.volume, kFormatVolume);
    });
}

void AirflowChange(ProcessData& d, const ChartSettings& settings) {
    if (d.StateCount < 2)
        return;
    d.UnitSystem = settings.EnthalpyUnit;
    d.FlowRate = FlowFromText(d.flowText);
    ForEachProcess(d.states, [&](int k, int a, int b) {
        const ProcessValues v = ComputeProcess(d.states, a, b, d.FlowRate, d.UnitSystem, settings.PressureUnit);
        d.process.cell(k, 3) = FormatNumber(v.dH, kFormatEnthalpy);
        d.process.cell(k, 5) = FormatNumber(v.water, kFormatWater);
        d.process.cell(k, 6) = FormatNumber(v.load, kFormatLoad);
        d.process.cell(k, 7) = FormatNumber(v.loadKw, kFormatLoadKw);
        d.process.cell(k, 10) = FormatNumber(v.volume, kFormatVolume);
    });
}

void OpenProcessData(ProcessData& d, const ChartSettings& settings, StatePointList& points, Messenger* messenger) {
    d.UnitSystem = settings.EnthalpyUnit;
    BuildInputTable(d, settings);
    d.property = PropertyTable{};
    d.process = ProcessTable{};
    for (int i = 1; i <= PropertyTable::kRows; ++i)
        d.property.cell(i, 0) = StateLabel(i);
    d.StateCount = points.count;
    if (d.StateCount <= 0)
        return;
    RestoreInput(d, points);
    StatePointList fresh = points;
    InputPass(d.input, InputTable::kRows, settings.PressureUnit, d.states, d.inputMatrix, fresh, messenger);
    points = fresh;
    PropertyPass(d.states, settings.PressureUnit, d.UnitSystem, d.propertyMatrix);
    FillPropertyTable(d);
    ProcessRows(d, settings);
}

bool Calculate(ProcessData& d, const ChartSettings& settings, StatePointList& points, Messenger* messenger) {
    d.UnitSystem = settings.EnthalpyUnit;
    try {
        d.FlowRate = FlowFromText(d.flowText);
        // The input pass writes the list entry by entry; a fault part way
        // must not leave it half old, half new.
        StatePointList fresh = points;
        d.StateCount =
            InputPass(d.input, InputTable::kRows, settings.PressureUnit, d.states, d.inputMatrix, fresh, messenger);
        points = fresh;
        PropertyPass(d.states, settings.PressureUnit, d.UnitSystem, d.propertyMatrix);
        FillPropertyTable(d);
        ProcessRows(d, settings);
        return true;
    } catch (const RunTimeFault&) {
        if (messenger != nullptr)
            messenger->showMessage(kCalculateErrorText, kTitle, MessageIcon::Critical);
        return false;
    }
}

} // namespace hyg
