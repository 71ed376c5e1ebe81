// The process calculation behind the process dialog, on plain data: the
// three tables as text cells, the air states, the Calculate sequence, the
// process rows between consecutive valid states and the airflow change.
//
// A process runs from one valid state to the next valid state in row order;
// for the dry airflow rate G it gives the changes of dry bulb, humidity and
// enthalpy, the sensible heat, the water, the heat load in the display unit
// and in kW, the sensible heat factor, the moisture ratio and the volume flow.
#pragma once

#include "chart/chart_settings.h"
#include "engine/fault.h"
#include "engine/messages.h"
#include "engine/state_points.h"
#include "engine/state_solver.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace hyg {

// Text cells of a table with `Rows` data rows and `Columns` data columns
// (row 0 and column 0 are the headings and labels). IndexFault outside.
template <int Rows, int Columns> class TextTable {
public:
    static constexpr int kRows = Rows;
    static constexpr int kColumns = Columns;
    std::string& cell(int row, int column) {
        Check(row, column);
        return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    const std::string& cell(int row, int column) const {
        Check(row, column);
        return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }

private:
    static void Check(int row, int column) {
        if (row < 0 || row > Rows || column < 0 || column > Columns) {
            throw IndexFault("table cell (" + std::to_string(row) + ", " + std::to_string(column) + ")");
        }
    }
    std::array<std::array<std::string, Columns + 1>, Rows + 1> cells_{};
};

using PropertyTable = TextTable<6, 7>; // states 1..6, columns 1..7
using ProcessTable = TextTable<5, 10>; // processes 1..5, columns 1..10

// Headings of the three tables; a two-line heading has "\r" between the
// name and the unit. Unit systems and pressure units outside 1..3 give
// empty unit texts (0, 4, 5) or IndexFault.
std::vector<std::string> InputHeadings(PressureIn pressureUnit);
std::vector<std::string> PropertyHeadings(UnitSystem unitSystem);
std::vector<std::string> ProcessHeadings(UnitSystem unitSystem);

// Label of state row i: "#" and the number.
std::string StateLabel(int i);

// The text of a property cell: "###.#####" cut to its first six characters.
std::string PropertyCellText(float value);

// The Calculate error message (critical-stop icon, title "Hygrana").
inline constexpr const char* kCalculateErrorText = "Error occured !\rPlease check input data.";

// One process from state a to state b (all singles, display units).
struct ProcessValues {
    float dT = 0;     // deg C
    float dX = 0;     // kg/kgDA (lbm/lbmDA)
    float dH = 0;     // display enthalpy unit
    float qS = 0;     // sensible heat, display enthalpy unit
    float water = 0;  // kg/h (lbm/h)
    float load = 0;   // heat load, display energy unit per hour
    float loadKw = 0; // kW
    float shf = 0;    // sensible heat factor
    float ratio = 0;  // moisture ratio, display energy unit per kg (lbm)
    float volume = 0; // volume flow, m3/h (ft3/h)
};

// Everything the process dialog keeps while it is open.
struct ProcessData {
    InputTable input;
    PropertyTable property;
    ProcessTable process;
    AirStates states;
    StateMatrix inputMatrix{};
    StateMatrix propertyMatrix{};
    std::int16_t StateCount = 0;
    float FlowRate = 0;                                       // kgDA/h, lbmDA/h for unit system 3
    hyg::UnitSystem UnitSystem = hyg::UnitSystem::MetricKcal; // copy of ChartSettings.EnthalpyUnit
    std::string flowText;                                     // the text of the airflow field
};

// Builds the input table: every state row gets the chart pressure in
// column 1 as plain text, the other cells are emptied.
void BuildInputTable(ProcessData& d, const ChartSettings& settings);

// Writes the state-point list back into columns 1 to 3 ("##0.00").
void RestoreInput(ProcessData& d, const StatePointList& points);

// Computes one process from state a to state b with the flow rate G.
ProcessValues ComputeProcess(const AirStates& s, int a, int b, float flowRate, UnitSystem unitSystem,
                             PressureIn pressureUnit);

// Fills the property table from the property matrix (empty for invalid rows).
void FillPropertyTable(ProcessData& d);

// The process rows: writes the eleven cells of every process between
// consecutive valid states; rows after the last process keep their text.
void ProcessRows(ProcessData& d, const ChartSettings& settings);

// The airflow field changed: recomputes columns 3, 5, 6, 7 and 10 of every
// process row with the new flow rate. No trap of its own.
void AirflowChange(ProcessData& d, const ChartSettings& settings);

// Opening the process dialog: builds the tables (state labels, default
// pressures), takes StateCount from the list and, when it holds states,
// restores them into the input table and runs the input pass, the property
// pass and the process rows (with the flow text as it is then). Range
// messages go through `messenger`; a run-time fault is raised to the caller
// and leaves the list as it was.
void OpenProcessData(ProcessData& d, const ChartSettings& settings, StatePointList& points, Messenger* messenger);

// The Calculate command: input pass, property pass, property table, process
// rows. Range messages go through `messenger` and the pass goes on. A
// run-time fault stops the sequence where it is, shows kCalculateErrorText
// and returns false; the cells filled before the fault keep their values.
bool Calculate(ProcessData& d, const ChartSettings& settings, StatePointList& points, Messenger* messenger);

} // namespace hyg
