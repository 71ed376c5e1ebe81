// Tables for scripts: the --format option of air and calc. Each table has
// named columns with their units; the writer streams its rows as
//   tsv   a header row "name [unit]", then tab-separated rows
//   csv   the same, comma-separated, cells quoted where they need it
//   json  {"TABLE": {"units": {"name": "unit", ...}, "rows": [{...}, ...]}, ...}
// Several tables follow each other (tsv and csv: a blank line between them).
// A cell that reads as a number is written as one ("0.5", never ".5"); an
// empty cell is empty (json: null); any other text is a string.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace hyg {

enum class OutputFormat { Tsv, Csv, Json };

// "tsv", "csv" or "json"; nothing for any other text.
std::optional<OutputFormat> ParseOutputFormat(std::string_view text);

struct TableColumn {
    std::string name; // e.g. "dry_bulb"
    std::string unit; // e.g. "deg C"; empty for a label column
};

class TableWriter {
public:
    TableWriter(std::ostream& out, OutputFormat format);

    // Starts a table: its header (tsv, csv) or its units (json).
    void begin(const std::string& table, const std::vector<TableColumn>& columns);
    // One row, a cell per column.
    void row(const std::vector<std::string>& cells);
    // Ends the output (json: closes the document).
    void finish();

private:
    void endTable();

    std::ostream& out_;
    OutputFormat format_;
    std::vector<TableColumn> columns_;
    int tables_ = 0;
    int rows_ = 0;
    bool finished_ = false;
};

// A number as a script reads it: a leading zero before a bare point
// (".5" -> "0.5", "-.5" -> "-0.5"), a zero shown as a bare point "0";
// other text unchanged.
std::string ScriptNumber(const std::string& cell);

} // namespace hyg
