#include "cli/calc_tables.h"

#include <string>
#include <vector>

namespace hyg {

namespace {

// The names of the columns for scripts, in the order of the headings.
const std::vector<std::string> kInputNames = {"state", "pressure", "dry_bulb", "rel_humidity", "wet_bulb"};
const std::vector<std::string> kPropertyNames = {"state",           "sat_degree",       "partial_pressure",
                                                 "abs_humidity",    "sat_abs_humidity", "enthalpy",
                                                 "specific_volume", "density"};
const std::vector<std::string> kProcessNames = {"process",         "dry_bulb_change", "abs_humidity_change",
                                                "enthalpy_change", "sensible_heat",   "water",
                                                "heat_load",       "heat_load_kw",    "shf",
                                                "moisture_ratio",  "flow_rate"};

// Each column's name with the unit its heading shows (the heading's second
// line; the label column, "-" and a one-line heading have none).
std::vector<TableColumn> Columns(const std::vector<std::string>& names, const std::vector<std::string>& headings) {
    std::vector<TableColumn> columns;
    for (std::size_t j = 0; j < names.size(); ++j) {
        std::string unit;
        if (j > 0 && j < headings.size()) {
            const std::size_t cr = headings[j].find('\r');
            if (cr != std::string::npos)
                unit = headings[j].substr(cr + 1);
        }
        columns.push_back({names[j], unit == "-" ? "" : unit});
    }
    return columns;
}

template <class Table> void WriteRows(TableWriter& writer, const Table& table, int rows) {
    for (int i = 1; i <= rows; ++i) {
        std::vector<std::string> cells;
        for (int j = 0; j <= Table::kColumns; ++j)
            cells.push_back(table.cell(i, j));
        writer.row(cells);
    }
}

} // namespace

void WriteCalcTables(TableWriter& writer, const ProcessData& data, PressureIn pressureUnit, int rows) {
    writer.begin("input", Columns(kInputNames, InputHeadings(pressureUnit)));
    WriteRows(writer, data.input, rows);
    writer.begin("properties", Columns(kPropertyNames, PropertyHeadings(data.UnitSystem)));
    WriteRows(writer, data.property, rows);
    writer.begin("processes", Columns(kProcessNames, ProcessHeadings(data.UnitSystem)));
    WriteRows(writer, data.process, rows - 1);
    writer.finish();
}

} // namespace hyg
