#include "files/data_file.h"

#include "chart/plane.h"

#include "chart/setting_ranges.h"
#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/units.h"
#include "files/text_input.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <vector>

namespace hyg {

namespace {

constexpr int kSettingLines = 12;
constexpr int kLinesPerState = 3;
constexpr int kMaxRecords = kSettingLines + kLinesPerState * StatePointList::kMaxStates;
// The longest record the program writes has four short fields; room to spare.
constexpr std::size_t kMaxLineLength = 200;
// Lines read at most, blank ones after the records included.
constexpr int kMaxPhysicalLines = 1000;

// The plane window is fixed for the whole run; the zoom relies on it.
// (kPlaneXMin .. kPlaneYMax, chart/plane.h)

std::string Whole(long long v) {
    return std::to_string(v);
}
std::string Num(float v) {
    return DataFileNumber(v);
}

void Record(std::ostream& out, std::initializer_list<std::string> fields) {
    bool first = true;
    for (const std::string& f : fields) {
        if (!first)
            out << ',';
        out << f;
        first = false;
    }
    out << "\r\n";
}

// ---- reading ----

// "1 value", "2 values": a count with its noun as a person writes it.
std::string Counted(std::size_t n, const std::string& noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

// One line that failed a check: its 1-based number and the reason.
struct Refusal {
    int line;
    std::string reason;
};

std::string Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return std::string(s.substr(b, e - b));
}

// The numbers of one record, checked for their count and form.
class RecordReader {
public:
    RecordReader(int lineNo, const std::string& text, std::size_t expected)
        : line_(lineNo) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = text.find(',', start);
            fields.push_back(Trim(
                std::string_view(text).substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        if (fields.size() != expected) {
            fail("it holds " + Counted(fields.size(), "value") + " where " + std::to_string(expected) +
                 (expected == 1 ? " is expected" : " are expected"));
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (!IsNumeric(fields[i]))
                fail("value " + std::to_string(i + 1) + " (\"" + Excerpt(fields[i]) + "\") is not a number");
            double v = 0;
            try {
                v = LeadingNumber(fields[i]);
            } catch (const FloatingPointFault&) {
                v = HUGE_VAL; // beyond a double
            }
            if (std::fabs(v) > std::numeric_limits<float>::max()) {
                fail("value " + std::to_string(i + 1) + " is out of range");
            }
            values_.push_back(v);
        }
    }

    // A single-precision field within [lo, hi].
    float single(std::size_t i, const char* name, double lo, double hi) const {
        const double v = values_[i];
        if (v < lo || v > hi) {
            fail(std::string(name) + " " + GeneralNumber(v) + " is outside " + GeneralNumber(lo) + " to " +
                 GeneralNumber(hi));
        }
        return static_cast<float>(v);
    }
    // A single-precision field within the range of a setting's list.
    float single(std::size_t i, const char* name, const ValueList& list) const {
        return single(i, name, list.lowest(), list.highest());
    }
    // A field that must be an item of a setting's list, not only within its
    // range: a chart range of fractional degrees (12 to 25.2, 20 to 20.3) is
    // one the dialogs never offer and the drawing cannot divide into degrees.
    float listed(std::size_t i, const char* name, const ValueList& list) const {
        const float v = single(i, name, list);
        const double scaled = static_cast<double>(list.perUnit) * values_[i];
        if (scaled != std::floor(scaled)) {
            fail(std::string(name) + " " + GeneralNumber(values_[i]) + " is not on the list of " +
                 GeneralNumber(list.highest()) + " to " + GeneralNumber(list.lowest()) + " in steps of " +
                 GeneralNumber(1.0 / list.perUnit));
        }
        return v;
    }
    // A single-precision field with any finite value.
    float single(std::size_t i) const { return static_cast<float>(values_[i]); }

    // A whole-number field within [lo, hi].
    long long whole(std::size_t i, const char* name, long long lo, long long hi) const {
        const double v = values_[i];
        if (v != std::floor(v))
            fail(std::string(name) + " " + GeneralNumber(v) + " is not a whole number");
        if (v < static_cast<double>(lo) || v > static_cast<double>(hi)) {
            fail(std::string(name) + " " + GeneralNumber(v) + " is outside " + std::to_string(lo) + " to " +
                 std::to_string(hi));
        }
        return static_cast<long long>(v);
    }

    // A unit code (the file's only form of a unit) as the unit it stands for.
    template <class Unit> Unit unit(std::size_t i, const char* name, std::optional<Unit> (*ofCode)(long long)) const {
        const long long code =
            whole(i, name, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
        const std::optional<Unit> u = ofCode(code);
        if (!u)
            fail(std::string(name) + " " + std::to_string(code) + " is not a unit code (1, 2 or 3)");
        return *u;
    }

    [[noreturn]] void fail(const std::string& reason) const { throw Refusal{line_, reason}; }

private:
    int line_;
    std::vector<double> values_;
};

// Record `no` (1-based) of the file, checked for its count and form.
RecordReader RecordAt(const std::vector<std::string>& lines, int no, std::size_t fields) {
    if (no > static_cast<int>(lines.size()))
        throw Refusal{no, "the line is missing"};
    return RecordReader(no, lines[static_cast<std::size_t>(no - 1)], fields);
}

// The twelve setting records, checked for structure and form before any
// value, so that the pressure can be checked against the unit given on
// line 10. Record n is at index n - 1.
std::vector<RecordReader> SettingRecords(const std::vector<std::string>& lines) {
    constexpr std::size_t kFields[kSettingLines] = {2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 4, 4};
    std::vector<RecordReader> records;
    records.reserve(kSettingLines);
    for (int no = 1; no <= kSettingLines; ++no)
        records.push_back(RecordAt(lines, no, kFields[no - 1]));
    return records;
}

// Lines 1 to 4: the plotter's corners and the plane window.
void ReadPlotterAndPlane(const RecordReader& l1, const RecordReader& l2, const RecordReader& l3, const RecordReader& l4,
                         ChartSettings& s) {
    constexpr long long kInt32Max = 2147483647LL;
    s.PlotterP1X = static_cast<std::int32_t>(l1.whole(0, "PlotterP1X", 0, kInt32Max));
    s.PlotterP2X = static_cast<std::int32_t>(l1.whole(1, "PlotterP2X", 0, kInt32Max));
    if (s.PlotterP2X <= s.PlotterP1X)
        l1.fail("PlotterP2X must be larger than PlotterP1X");
    s.PlotterP1Y = static_cast<std::int32_t>(l2.whole(0, "PlotterP1Y", 0, kInt32Max));
    s.PlotterP2Y = static_cast<std::int32_t>(l2.whole(1, "PlotterP2Y", 0, kInt32Max));
    if (s.PlotterP2Y <= s.PlotterP1Y)
        l2.fail("PlotterP2Y must be larger than PlotterP1Y");

    s.PlaneXMin = l3.single(0, "PlaneXMin", kPlaneXMin, kPlaneXMin);
    s.PlaneXMax = l3.single(1, "PlaneXMax", kPlaneXMax, kPlaneXMax);
    s.PlaneYMin = l4.single(0, "PlaneYMin", kPlaneYMin, kPlaneYMin);
    s.PlaneYMax = l4.single(1, "PlaneYMax", kPlaneYMax, kPlaneYMax);
}

// Line 10 (the units and the diagram type), then the pressure of line 5,
// which depends on the unit: in the file's unit it must select an item of
// that unit's list, as the chart range dialog would show it.
void ReadUnitsAndPressure(const RecordReader& l10, const RecordReader& l5, ChartSettings& s) {
    const PressureIn pressureUnit = l10.unit(0, "PressureUnit", PressureUnitOfCode);
    s.EnthalpyUnit = l10.unit(1, "EnthalpyUnit", UnitSystemOfCode);
    s.DiagramType = static_cast<std::int16_t>(l10.whole(2, "DiagramType", 0, kDiagramTypes - 1));

    s.PressureMmHg = l5.single(0, "PressureMmHg", 1, 1e6);
    const ValueList& list = PressureList(pressureUnit);
    const float p = PressureFromMmHg(s.PressureMmHg, pressureUnit);
    if (!list.holds(p)) {
        const std::string unit = " " + PressureUnitLabel(pressureUnit);
        l5.fail("the pressure " + GeneralNumber(p) + unit + " is not on the list of " + GeneralNumber(list.lowest()) +
                " to " + GeneralNumber(list.highest()) + unit);
    }
    s.PressureUnit = pressureUnit;
    s.Pressure = p;
}

// Lines 5 to 9 after the pressure: the chart's ranges, the protractors'
// settings, the airflow and the height-to-width ratio.
void ReadChartRanges(const std::vector<RecordReader>& r, ChartSettings& s) {
    s.MaxAbsHum = r[4].single(1, "MaxAbsHum", kMaxAbsHumList);
    s.MinDryBulb = r[5].listed(0, "MinDryBulb", kMinDryBulbList);
    s.MaxDryBulb = r[5].listed(1, "MaxDryBulb", kMaxDryBulbList);
    s.ShfOriginDryBulb = r[6].single(0, "ShfOriginDryBulb", kShfOriginDryBulbList);
    s.ShfOriginAbsHum = r[6].single(1, "ShfOriginAbsHum", kShfOriginAbsHumList);
    s.MaxMoistureRatio = r[7].single(0, "MaxMoistureRatio", kMaxMoistureRatioList);
    s.DryAirflowRate = r[7].single(1);
    s.VertHorizRatio = r[8].single(0, "VertHorizRatio", kVertHorizRatioList);
}

// Lines 11 and 12: the eight line switches, four a line.
void ReadLineSwitches(const RecordReader& l11, const RecordReader& l12, ChartSettings& s) {
    for (std::size_t k = 0; k < 4; ++k) {
        SetLineOn(s, static_cast<ChartLine>(k), l11.whole(k, "LineSwitch", 0, 1) == 1);
        SetLineOn(s, static_cast<ChartLine>(k + 4), l12.whole(k, "LineSwitch", 0, 1) == 1);
    }
}

// The states after the settings, three lines each: dry bulb and relative
// humidity, then two lines of reserved zeros. Every state takes the chart's
// pressure.
void ReadStates(const std::vector<std::string>& lines, float pressure, StatePointList& states) {
    for (int i = 1; i <= states.count; ++i) {
        const int first = kSettingLines + kLinesPerState * (i - 1) + 1;
        const RecordReader state = RecordAt(lines, first, 2);
        const auto u = static_cast<std::size_t>(i);
        states.dryBulb[u] = state.single(0, "StatePointDryBulb", -15, 100);
        states.relHum[u] = state.single(1, "StatePointRelHum", 0, 100);
        states.pressure[u] = pressure;
        for (int r = 1; r <= 2; ++r) {
            const RecordReader reserved = RecordAt(lines, first + r, 2);
            reserved.single(0, "reserved value", 0, 0);
            reserved.single(1, "reserved value", 0, 0);
        }
    }
}

void Read(const std::vector<std::string>& lines, ChartSettings& target, StatePointList& targetStates) {
    // Work on copies: nothing changes unless every record passes.
    ChartSettings s = target;
    StatePointList states;

    const std::vector<RecordReader> r = SettingRecords(lines);
    ReadPlotterAndPlane(r[0], r[1], r[2], r[3], s);
    ReadUnitsAndPressure(r[9], r[4], s);
    ReadChartRanges(r, s);
    states.count = static_cast<std::int16_t>(r[8].whole(1, "StatePointCount", 0, StatePointList::kMaxStates));
    ReadLineSwitches(r[10], r[11], s);
    ReadStates(lines, s.Pressure, states);

    const int used = kSettingLines + kLinesPerState * states.count;
    if (static_cast<int>(lines.size()) > used) {
        throw Refusal{used + 1, "the file holds " + Counted(static_cast<std::size_t>(states.count), "state") +
                                    ", so it should end after line " + std::to_string(used)};
    }

    target = s;
    targetStates = states;
}

} // namespace

void WriteDataFile(std::ostream& out, const ChartSettings& s, const StatePointList& states) {
    if (states.count < 0 || states.count > StatePointList::kMaxStates) {
        throw IndexFault("state-point count " + std::to_string(states.count));
    }
    Record(out, {Whole(s.PlotterP1X), Whole(s.PlotterP2X)});
    Record(out, {Whole(s.PlotterP1Y), Whole(s.PlotterP2Y)});
    Record(out, {Num(s.PlaneXMin), Num(s.PlaneXMax)});
    Record(out, {Num(s.PlaneYMin), Num(s.PlaneYMax)});
    Record(out, {Num(s.PressureMmHg), Num(s.MaxAbsHum)});
    Record(out, {Num(s.MinDryBulb), Num(s.MaxDryBulb)});
    Record(out, {Num(s.ShfOriginDryBulb), Num(s.ShfOriginAbsHum)});
    Record(out, {Num(s.MaxMoistureRatio), Num(s.DryAirflowRate)});
    Record(out, {Num(s.VertHorizRatio), Whole(states.count)});
    Record(out, {Whole(CodeOf(s.PressureUnit)), Whole(CodeOf(s.EnthalpyUnit)), Whole(s.DiagramType)});
    const auto sw = [&s](ChartLine line) { return Whole(LineOn(s, line) ? 1 : 0); };
    Record(out, {sw(ChartLine::RelHum), sw(ChartLine::SatDegree), sw(ChartLine::Volume), sw(ChartLine::WetBulb)});
    Record(out,
           {sw(ChartLine::PartialPressure), sw(ChartLine::MoistureRatio), sw(ChartLine::Shf), sw(ChartLine::Legend)});
    for (int i = 1; i <= states.count; ++i) {
        const auto u = static_cast<std::size_t>(i);
        Record(out, {Num(states.dryBulb[u]), Num(states.relHum[u])});
        Record(out, {"0", "0"});
        Record(out, {"0", "0"});
    }
    out.flush();
    if (!out)
        throw RunTimeFault("data file write failed");
}

FileReplacement WriteDataFile(const std::string& path, const ChartSettings& s, const StatePointList& states) {
    std::ostringstream out(std::ios::binary);
    WriteDataFile(out, s, states);
    return WriteFileAtomically(path, out.str());
}

std::optional<DataFileRefusal> ReadDataFile(std::istream& in, ChartSettings& s, StatePointList& states) {
    // Whatever the input (a device, a huge file), only what a data file can
    // hold is kept: lines of at most kMaxLineLength characters, and no more
    // than one record past the last one a file can have (which the checks
    // below refuse, naming it). Blank lines after the records are harmless,
    // up to a bound.
    std::vector<std::string> lines;
    std::string text;
    int physical = 0;
    for (;;) {
        const LineRead got = ReadBoundedLine(in, text, kMaxLineLength);
        if (got == LineRead::End)
            break;
        ++physical;
        if (got == LineRead::TooLong) {
            return DataFileRefusal{
                physical, "Line " + std::to_string(physical) + " of the data file is not valid: it is longer than " +
                              std::to_string(kMaxLineLength) + " characters (\"" + Excerpt(text) + "\")."};
        }
        if (physical > kMaxPhysicalLines) {
            return DataFileRefusal{physical, "Line " + std::to_string(physical) +
                                                 " of the data file is not valid: a data file has at most " +
                                                 std::to_string(kMaxRecords) + " lines."};
        }
        if (static_cast<int>(lines.size()) >= kMaxRecords && Trim(text).empty())
            continue;
        lines.push_back(text);
        if (static_cast<int>(lines.size()) > kMaxRecords)
            break;
    }
    if (in.bad())
        return DataFileRefusal{0, "The data file cannot be read."};
    // Blank lines after the last record are harmless.
    while (!lines.empty() && Trim(lines.back()).empty())
        lines.pop_back();
    if (lines.empty())
        return DataFileRefusal{0, "The data file is empty."};
    try {
        Read(lines, s, states);
        return std::nullopt;
    } catch (const Refusal& r) {
        return DataFileRefusal{r.line,
                               "Line " + std::to_string(r.line) + " of the data file is not valid: " + r.reason + "."};
    } catch (const RunTimeFault& f) {
        return DataFileRefusal{0, std::string("The data file is not valid: ") + f.what() + "."};
    }
}

std::optional<DataFileRefusal> ReadDataFile(const std::string& path, ChartSettings& s, StatePointList& states) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return DataFileRefusal{0, "The data file " + path + " cannot be opened."};
    return ReadDataFile(in, s, states);
}

} // namespace hyg
