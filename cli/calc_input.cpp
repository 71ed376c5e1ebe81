#include "cli/calc_input.h"

#include "files/text_input.h"

#include <vector>

namespace hyg {

namespace {

// Standard input is a handful of short rows; anything far beyond is refused
// before it is held.
constexpr std::size_t kMaxLineLength = 1024;
constexpr int kMaxLines = 1000;

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

std::optional<std::string> ReadCalcRows(std::istream& in, ProcessData& data, int& rows) {
    rows = 0;
    std::string line;
    for (int lineNo = 1;; ++lineNo) {
        const LineRead got = ReadBoundedLine(in, line, kMaxLineLength);
        if (got == LineRead::End)
            break;
        if (got == LineRead::TooLong)
            return "line " + std::to_string(lineNo) + " is longer than " + std::to_string(kMaxLineLength) + " characters";
        if (lineNo > kMaxLines)
            return "more than " + std::to_string(kMaxLines) + " lines on standard input";
        // A blank line is no row (a row of empty cells has its tabs).
        if (line.find_first_not_of(' ') == std::string::npos)
            continue;
        if (++rows > InputTable::kRows)
            return std::string("more than six rows on standard input");
        const std::vector<std::string> cells = SplitTabs(line);
        if (cells.size() > static_cast<std::size_t>(InputTable::kColumns)) {
            return "row " + std::to_string(rows) + " has " + std::to_string(cells.size()) +
                   " cells; at most four (pressure, dry bulb, rel. humidity, wet bulb)";
        }
        for (int j = 1; j <= InputTable::kColumns; ++j) {
            data.input.cell(rows, j) =
                static_cast<std::size_t>(j) <= cells.size() ? cells[static_cast<std::size_t>(j - 1)] : "";
        }
    }
    return std::nullopt;
}

} // namespace hyg
