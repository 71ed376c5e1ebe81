// hygrana-cli calc [--pressure-unit 1|2|3] [--unit-system 1|2|3] [--flow G]
//
// The process dialog's Calculate without the dialog: up to six rows of the
// input table from standard input, then the three tables as tab-separated
// text on standard output.
#include "cli/commands.h"

#include "chart/chart_settings.h"
#include "engine/fault.h"
#include "engine/messages.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/state_points.h"
#include "files/text_input.h"
#include "process/process_calc.h"

#include <iostream>
#include <string>
#include <vector>

namespace hyg {

namespace {

constexpr const char* kCalcHelp = "usage: hygrana-cli calc [--pressure-unit 1|2|3] [--unit-system 1|2|3] [--flow G]\n"
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
                                  "\n"
                                  "Prints three tab-separated blocks with a blank line between them: the input\n"
                                  "table after Calculate, the property table and the process table, each with its\n"
                                  "heading row (the two heading lines of a column joined by a blank) and its rows.\n"
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

bool ParseUnit(const std::string& text, std::int16_t& unit) {
    if (text == "1" || text == "2" || text == "3") {
        unit = static_cast<std::int16_t>(text[0] - '0');
        return true;
    }
    return false;
}

// Standard input is a handful of short rows; anything far beyond is refused
// before it is held.
constexpr std::size_t kMaxLineLength = 1024;
constexpr int kMaxLines = 1000;

int Refuse(const std::string& problem) {
    std::cerr << "hygrana-cli calc: " << problem << "\n(see 'hygrana-cli calc --help')\n";
    return 2;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    for (char c : line) {
        if (c == '\t') {
            cells.push_back(cell);
            cell.clear();
        } else {
            cell.push_back(c);
        }
    }
    cells.push_back(cell);
    return cells;
}

} // namespace

int RunCalc(const std::vector<std::string>& args) {
    ChartSettings settings = DefaultChartSettings();
    std::string flow = "50";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::cout << kCalcHelp;
            return 0;
        }
        if (a != "--pressure-unit" && a != "--unit-system" && a != "--flow")
            return Refuse("unknown option '" + Excerpt(a) + "'");
        if (i + 1 >= args.size())
            return Refuse("missing value after " + a);
        const std::string& value = args[++i];
        if (a == "--pressure-unit") {
            if (!ParseUnit(value, settings.PressureUnit))
                return Refuse("--pressure-unit must be 1, 2 or 3, not '" + Excerpt(value) + "'");
        } else if (a == "--unit-system") {
            if (!ParseUnit(value, settings.EnthalpyUnit))
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

    ProcessData data;
    BuildInputTable(data, settings);
    data.UnitSystem = settings.EnthalpyUnit;
    data.flowText = flow;
    for (int i = 1; i <= PropertyTable::kRows; ++i)
        data.property.cell(i, 0) = StateLabel(i);

    std::string line;
    int row = 0;
    for (int lineNo = 1;; ++lineNo) {
        const LineRead got = ReadBoundedLine(std::cin, line, kMaxLineLength);
        if (got == LineRead::End)
            break;
        if (got == LineRead::TooLong) {
            return Refuse("line " + std::to_string(lineNo) + " is longer than " + std::to_string(kMaxLineLength) +
                          " characters");
        }
        if (lineNo > kMaxLines)
            return Refuse("more than " + std::to_string(kMaxLines) + " lines on standard input");
        // A blank line is no row (a row of empty cells has its tabs).
        if (line.find_first_not_of(" ") == std::string::npos)
            continue;
        if (++row > InputTable::kRows)
            return Refuse("more than six rows on standard input");
        const std::vector<std::string> cells = SplitTabs(line);
        if (cells.size() > static_cast<std::size_t>(InputTable::kColumns)) {
            return Refuse("row " + std::to_string(row) + " has " + std::to_string(cells.size()) +
                          " cells; at most four (pressure, dry bulb, rel. humidity, wet bulb)");
        }
        for (int j = 1; j <= InputTable::kColumns; ++j) {
            data.input.cell(row, j) =
                static_cast<std::size_t>(j) <= cells.size() ? cells[static_cast<std::size_t>(j - 1)] : "";
        }
    }

    StderrMessenger messenger;
    StatePointList points;
    const bool ok = Calculate(data, settings, points, &messenger);

    PrintTable(InputHeadings(settings.PressureUnit), data.input, InputTable::kRows, InputTable::kColumns);
    std::cout << '\n';
    PrintTable(PropertyHeadings(data.UnitSystem), data.property, PropertyTable::kRows, PropertyTable::kColumns);
    std::cout << '\n';
    PrintTable(ProcessHeadings(data.UnitSystem), data.process, ProcessTable::kRows, ProcessTable::kColumns);
    return ok ? 0 : 1;
}

} // namespace hyg
