// The calc command's tables for scripts: "input", "properties" and
// "processes", each column named for scripts with the unit its heading
// shows.
#pragma once

#include "cli/table_output.h"
#include "process/process_calc.h"

namespace hyg {

// Writes rows 1..rows of the input and property tables and the rows - 1
// processes between them, then ends the output.
void WriteCalcTables(TableWriter& writer, const ProcessData& data, PressureIn pressureUnit, int rows);

} // namespace hyg
