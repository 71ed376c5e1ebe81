// hygrana-cli calc [--pressure-unit 1|2|3] [--unit-system 1|2|3] [--flow G] [--format tsv|csv|json]
//
// The process dialog's Calculate without the dialog: up to six rows of the
// input table from standard input, then the three tables as tab-separated
// text on standard output, or in a format for scripts.
#include "cli/calc_input.h"
#include "cli/calc_tables.h"
#include "cli/commands.h"
#include "cli/table_output.h"

#include "chart/chart_settings.h"
#include "engine/fault.h"
#include "engine/messages.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/state_points.h"
#include "files/text_input.h"
#include "process/process_calc.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace hyg {

namespace {

constexpr const char* kCalcHelp = "usage: hygrana-cli calc [--pressure-unit 1|2|3] [--unit-system 1|2|3] [--flow G]\n"
                                  "                        [--format tsv|csv|json]\n"
                                  "\n"
                                  "Reads up to six rows of the input table from standard input, one state per\n"
                                  "line, cells separated by tabs: pressure, dry bulb [deg C], relative humidity [%],\n"
                                  "wet bulb [deg C]. Give the relative humidity or the wet bulb; an empty cell is\n"
                                  "empty, missing cells at the end of a line are empty, and rows not given keep\n"
                                  "the default pressure only.\n"
                                  "\n"
                                  "  --pressure-unit  1 mmHg (default), 2 kPa, 3 atm: the unit of the pressure cells\n"
                                  "  --unit-system    1 kcal (default), 2 kJ, 3 Btu/lbm/ft: the units of the tables\n"
                                  "  --flow G         dry airflow rate as typed into the airflow field (default 50),\n"
                                  "                   in kgDA/h, or lbmDA/h with unit system 3\n"
                                  "  --format F       tsv, csv or json: the tables 'input', 'properties' and\n"
                                  "                   'processes' with a header naming each value and its unit\n"
                                  "                   (json: an object per table with its units and rows), one\n"
                                  "                   row per state given and per process between them; numbers\n"
                                  "                   as shown, with a zero before a bare point\n"
                                  "\n"
                                  "Without --format, prints three tab-separated blocks with a blank line between\n"
                                  "them: the input table after Calculate, the property table and the process\n"
                                  "table, each with its heading row (the two heading lines of a column joined by a\n"
                                  "blank) and all its rows.\n"
                                  "Range messages go to standard error, one line per failing row.\n"
                                  "Blank lines are skipped; a line longer than 1024 characters is bad input.\n"
                                  "Exit status: 0 done, 1 the calculation raised a fault (the message goes to\n"
                                  "standard error and the tables show what was computed before it), 2 bad input\n"
                                  "or standard output could not be written.\n";

// Message boxes become lines on stderr, the line breaks blanks.
class StderrMessenger : public Messenger {
public:
    void showMessage(const std::string& text, const std::string&, MessageIcon) override {
        std::string line = text;
        for (char& c : line) {
            if (c == '\r' || c == '\n')
                c = ' ';
        }
        std::cerr << line << '\n';
    }
    void beep() override {}
};

std::string OneLine(std::string heading) {
    for (char& c : heading) {
        if (c == '\r')
            c = ' ';
    }
    return heading;
}

void PrintRow(const std::vector<std::string>& cells) {
    for (std::size_t j = 0; j < cells.size(); ++j) {
        if (j > 0)
            std::cout << '\t';
        std::cout << cells[j];
    }
    std::cout << '\n';
}

void PrintHeadings(const std::vector<std::string>& headings) {
    std::vector<std::string> cells;
    cells.reserve(headings.size());
    for (const std::string& h : headings)
        cells.push_back(OneLine(h));
    PrintRow(cells);
}

template <class Table>
void PrintTable(const std::vector<std::string>& headings, const Table& table, int rows, int columns) {
    PrintHeadings(headings);
    for (int i = 1; i <= rows; ++i) {
        std::vector<std::string> cells;
        for (int j = 0; j <= columns; ++j)
            cells.push_back(table.cell(i, j));
        PrintRow(cells);
    }
}

// A unit code on the command line ("1", "2" or "3") as its unit.
template <class Unit> bool ParseUnit(const std::string& text, Unit& unit, std::optional<Unit> (*ofCode)(long long)) {
    if (text.size() != 1)
        return false;
    const std::optional<Unit> u = ofCode(text[0] - '0');
    if (u)
        unit = *u;
    return u.has_value();
}

int Refuse(const std::string& problem) {
    std::cerr << "hygrana-cli calc: " << problem << "\n(see 'hygrana-cli calc --help')\n";
    return 2;
}

} // namespace

int RunCalc(const std::vector<std::string>& args) {
    ChartSettings settings = DefaultChartSettings();
    std::string flow = "50";
    std::optional<OutputFormat> format;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::cout << kCalcHelp;
            return 0;
        }
        if (a != "--pressure-unit" && a != "--unit-system" && a != "--flow" && a != "--format")
            return Refuse("unknown option '" + Excerpt(a) + "'");
        if (i + 1 >= args.size())
            return Refuse("missing value after " + a);
        const std::string& value = args[++i];
        if (a == "--pressure-unit") {
            if (!ParseUnit(value, settings.PressureUnit, PressureUnitOfCode))
                return Refuse("--pressure-unit must be 1, 2 or 3, not '" + Excerpt(value) + "'");
        } else if (a == "--format") {
            format = ParseOutputFormat(value);
            if (!format)
                return Refuse("--format must be tsv, csv or json, not '" + Excerpt(value) + "'");
        } else if (a == "--unit-system") {
            if (!ParseUnit(value, settings.EnthalpyUnit, UnitSystemOfCode))
                return Refuse("--unit-system must be 1, 2 or 3, not '" + Excerpt(value) + "'");
        } else {
            bool fits = IsNumeric(value);
            try {
                if (fits)
                    ReadCell(value);
            } catch (const RunTimeFault&) {
                fits = false;
            }
            if (!fits)
                return Refuse("--flow needs a number that fits a single, not '" + Excerpt(value) + "'");
            flow = value;
        }
    }
    settings.Pressure = PressureFromMmHg(settings.PressureMmHg, settings.PressureUnit);

    ProcessData data{};
    BuildInputTable(data, settings);
    data.UnitSystem = settings.EnthalpyUnit;
    data.flowText = flow;
    for (int i = 1; i <= PropertyTable::kRows; ++i)
        data.property.cell(i, 0) = StateLabel(i);

    int rows = 0;
    if (const auto problem = ReadCalcRows(std::cin, data, rows))
        return Refuse(*problem);

    StderrMessenger messenger;
    StatePointList points;
    const bool ok = Calculate(data, settings, points, &messenger);

    if (format) {
        TableWriter writer(std::cout, *format);
        WriteCalcTables(writer, data, settings.PressureUnit, rows);
        return ok ? 0 : 1;
    }
    PrintTable(InputHeadings(settings.PressureUnit), data.input, InputTable::kRows, InputTable::kColumns);
    std::cout << '\n';
    PrintTable(PropertyHeadings(data.UnitSystem), data.property, PropertyTable::kRows, PropertyTable::kColumns);
    std::cout << '\n';
    PrintTable(ProcessHeadings(data.UnitSystem), data.process, ProcessTable::kRows, ProcessTable::kColumns);
    return ok ? 0 : 1;
}

} // namespace hyg
