// The process data file ("corvane.dat"): the chart settings that define the
// chart, the dry airflow rate and the state-point list, one comma-separated
// record per line, CR LF line ends.
//
//   1  PlotterP1X,PlotterP2X            7  ShfOriginDryBulb,ShfOriginAbsHum
//   2  PlotterP1Y,PlotterP2Y            8  MaxMoistureRatio,DryAirflowRate
//   3  PlaneXMin,PlaneXMax              9  VertHorizRatio,StatePointCount
//   4  PlaneYMin,PlaneYMax             10  PressureUnit,EnthalpyUnit,DiagramType
//   5  PressureMmHg,MaxAbsHum          11  LineSwitch(0..3)
//   6  MinDryBulb,MaxDryBulb           12  LineSwitch(4..7)
//   then three lines per state: DryBulb,RelHum / 0,0 / 0,0
//
// Plain C++ (no window system).
#pragma once

#include "chart/chart_settings.h"
#include "engine/state_points.h"
#include "files/atomic_file.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>

namespace hyg {

// Writes the records to `out`. Raises RunTimeFault when the stream fails or
// the state count is outside 0..6.
void WriteDataFile(std::ostream& out, const ChartSettings& s, const StatePointList& states);

// Writes the records to the file `path` (created or replaced as a whole, see
// WriteFileAtomically). On failure IoFault is raised and an earlier file of
// that name is left as it was; the caller reports "'Save...'".
FileReplacement WriteDataFile(const std::string& path, const ChartSettings& s, const StatePointList& states);

// Reads a data file back into the settings and the state-point list. Every
// record is checked: the number of lines and of fields, that each field is a
// number (a whole one for the integer fields), the unit codes, diagram type
// and switches, the values within the lists of the settings dialogs
// (chart/setting_ranges.h; the pressure must select an item of the list of
// its unit), the plane window of the program, plotter points with P2 beyond
// P1, at most six states with a dry bulb of -15..100 deg C and a relative
// humidity of 0..100 %, and the reserved lines 0,0.
//
// Why a data file was not loaded: the message for the user, naming the line
// that failed ("Line 6 of the data file is not valid: ..."), and that line
// (0 when the refusal concerns the whole file: empty, unreadable).
struct DataFileRefusal {
    int line = 0;
    std::string message;
};

// On success returns nothing: the fields are set, Pressure is PressureMmHg in
// the file's PressureUnit and every StatePointPressure is that pressure (the
// file does not hold it). Otherwise returns the refusal and changes nothing.
[[nodiscard]] std::optional<DataFileRefusal> ReadDataFile(std::istream& in, ChartSettings& s, StatePointList& states);
[[nodiscard]] std::optional<DataFileRefusal> ReadDataFile(const std::string& path, ChartSettings& s,
                                                          StatePointList& states);

} // namespace hyg
