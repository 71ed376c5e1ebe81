// The calc command's standard input: up to six rows of the input table, one
// state per line, cells separated by tabs (pressure, dry bulb, relative
// humidity, wet bulb). Blank lines are skipped; lines are bounded in length
// and number, so any stream can be offered.
#pragma once

#include "process/process_calc.h"

#include <istream>
#include <optional>
#include <string>

namespace hyg {

// Fills rows 1.. of data.input with the cells read and sets `rows` to their
// number. Returns why the input was refused ("line 3 is longer than ..."),
// or nothing.
std::optional<std::string> ReadCalcRows(std::istream& in, ProcessData& data, int& rows);

} // namespace hyg
