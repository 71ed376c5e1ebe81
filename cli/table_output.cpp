#include "cli/table_output.h"

#include "engine/fault.h"
#include "engine/number_format.h"

#include <charconv>
#include <cstdio>

namespace hyg {

namespace {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

// A JSON number has a strict form (digits on both sides of a point, no
// leading zeros, blank or plus) that the number readers do not demand; the
// value written back in its shortest exact form has it. A number beyond a
// double stays a string.
std::string JsonNumber(const std::string& cell) {
    try {
        const double v = LeadingNumber(cell);
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        return std::string(buf, r.ptr);
    } catch (const FloatingPointFault&) {
        return JsonString(cell);
    }
}

std::string CsvCell(const std::string& cell) {
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
        return cell;
    std::string out = "\"";
    for (const char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

} // namespace

std::optional<OutputFormat> ParseOutputFormat(std::string_view text) {
    if (text == "tsv")
        return OutputFormat::Tsv;
    if (text == "csv")
        return OutputFormat::Csv;
    if (text == "json")
        return OutputFormat::Json;
    return std::nullopt;
}

std::string ScriptNumber(const std::string& cell) {
    // The tables' "###.#####" pattern shows a zero as a bare point.
    if (cell == "." || cell == "-.")
        return "0";
    if (!IsNumeric(cell))
        return cell;
    const std::size_t point = cell.find('.');
    if (point == std::string::npos)
        return cell;
    if (point == 0 || cell[point - 1] == '-' || cell[point - 1] == '+' || cell[point - 1] == ' ')
        return cell.substr(0, point) + "0" + cell.substr(point);
    return cell;
}

TableWriter::TableWriter(std::ostream& out, OutputFormat format)
    : out_(out)
    , format_(format) {}

void TableWriter::begin(const std::string& table, const std::vector<TableColumn>& columns) {
    endTable();
    columns_ = columns;
    rows_ = 0;
    if (format_ == OutputFormat::Json) {
        out_ << (tables_ == 0 ? "{\n  " : ",\n  ") << JsonString(table) << ": {\"units\": {";
        bool first = true;
        for (const TableColumn& c : columns_) {
            if (c.unit.empty())
                continue;
            out_ << (first ? "" : ", ") << JsonString(c.name) << ": " << JsonString(c.unit);
            first = false;
        }
        out_ << "}, \"rows\": [";
    } else {
        if (tables_ > 0)
            out_ << '\n';
        const char sep = format_ == OutputFormat::Tsv ? '\t' : ',';
        for (std::size_t j = 0; j < columns_.size(); ++j) {
            const TableColumn& c = columns_[j];
            const std::string head = c.unit.empty() ? c.name : c.name + " [" + c.unit + "]";
            out_ << (j > 0 ? std::string(1, sep) : "") << (format_ == OutputFormat::Csv ? CsvCell(head) : head);
        }
        out_ << '\n';
    }
    ++tables_;
}

void TableWriter::row(const std::vector<std::string>& cells) {
    if (format_ == OutputFormat::Json) {
        out_ << (rows_ == 0 ? "\n    {" : ",\n    {");
        for (std::size_t j = 0; j < columns_.size(); ++j) {
            const std::string cell = j < cells.size() ? cells[j] : "";
            out_ << (j > 0 ? ", " : "") << JsonString(columns_[j].name) << ": ";
            if (cell.empty())
                out_ << "null";
            else if (IsNumeric(ScriptNumber(cell)))
                out_ << JsonNumber(ScriptNumber(cell));
            else
                out_ << JsonString(cell);
        }
        out_ << '}';
    } else {
        const char sep = format_ == OutputFormat::Tsv ? '\t' : ',';
        for (std::size_t j = 0; j < columns_.size(); ++j) {
            const std::string cell = ScriptNumber(j < cells.size() ? cells[j] : "");
            out_ << (j > 0 ? std::string(1, sep) : "") << (format_ == OutputFormat::Csv ? CsvCell(cell) : cell);
        }
        out_ << '\n';
    }
    ++rows_;
}

void TableWriter::endTable() {
    if (format_ == OutputFormat::Json && tables_ > 0)
        out_ << (rows_ > 0 ? "\n  ]}" : "]}");
}

void TableWriter::finish() {
    if (finished_)
        return;
    finished_ = true;
    endTable();
    if (format_ == OutputFormat::Json)
        out_ << (tables_ > 0 ? "\n}\n" : "{}\n");
}

} // namespace hyg
