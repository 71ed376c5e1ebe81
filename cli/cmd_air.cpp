// hygrana-cli air [--pressure-unit U] [--rh] [--format tsv|csv|json] [P t x_g|rh]
//
// AirProperty codes 1 to 6 of one state, on one line separated by blanks,
// each with nine significant digits: saturated absolute humidity [g/kgDA],
// wet bulb [deg C], relative humidity [%], enthalpy [kcal/kgDA], dew point
// [deg C], specific volume [m3/kgDA]; or, with --format, the whole state
// under a header naming each value and its unit.
#include "cli/commands.h"
#include "cli/table_output.h"

#include "engine/basic.h"
#include "engine/fault.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/state_solver.h"
#include "engine/units.h"
#include "files/text_input.h"

#include <array>
#include <charconv>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace hyg {

namespace {

constexpr const char* kAirHelp = "usage: hygrana-cli air [--pressure-unit U] [--rh] [--format tsv|csv|json] [P t x_g]\n"
                                 "\n"
                                 "Prints AirProperty codes 1 to 6 of air at the pressure P [mmHg], dry bulb\n"
                                 "t [deg C] and absolute humidity x_g [g/kgDA], separated by single blanks, each\n"
                                 "with 9 significant digits:\n"
                                 "  saturated absolute humidity [g/kgDA], wet bulb [deg C], relative humidity [%],\n"
                                 "  enthalpy [kcal/kgDA], dew point [deg C], specific volume [m3/kgDA].\n"
                                 "Without numbers, reads one triple per line from standard input (blank lines are\n"
                                 "skipped) and prints one line per triple. A state whose evaluation raises a\n"
                                 "floating-point fault prints 'error'; the tool goes on with the next line.\n"
                                 "\n"
                                 "  --pressure-unit U  the unit of P: 1 or mmHg (default), 2 or kPa, 3 or atm\n"
                                 "  --rh               the third number is the relative humidity [%] instead of\n"
                                 "                     x_g; the line then shows the absolute humidity [g/kgDA]\n"
                                 "                     where it shows the relative humidity otherwise\n"
                                 "  --format F         tsv, csv or json: a header naming each value and its unit,\n"
                                 "                     then one row per state with the whole state: pressure,\n"
                                 "                     dry_bulb, abs_humidity, rel_humidity, sat_abs_humidity,\n"
                                 "                     wet_bulb, enthalpy, dew_point, specific_volume (json: an\n"
                                 "                     object \"air\" with its units and rows); a fault shows\n"
                                 "                     'error' in place of the values it prevented\n"
                                 "\n"
                                 "Accepted, as by the process calculation: P 228 to 3800 mmHg (30.4 to 506.6 kPa,\n"
                                 "0.3 to 5 atm), t -15 to 100, x_g from 0 up to the saturated absolute humidity\n"
                                 "at P and t (relative humidity 0 to 100 %). A state outside these is bad input;\n"
                                 "so is a line longer than 1024 characters.\n"
                                 "Exit status: 0 done, 1 the state given as arguments raised a fault, 2 bad input\n"
                                 "or standard output could not be written.\n";

// The ranges of the state solver: pressure 0.3 to 5 atm, dry bulb -15 to
// 100 deg C, relative humidity 0 to 100 %.
constexpr float kMinPressureMmHg = 228, kMaxPressureMmHg = 3800;
constexpr float kMinDryBulb = -15, kMaxDryBulb = 100;
// Standard input lines longer than this are refused (a triple needs ~40).
constexpr std::size_t kMaxLineLength = 1024;

// A number that fits a single, or nothing.
std::optional<float> ParseSingle(const std::string& text) {
    if (!IsNumeric(text))
        return std::nullopt;
    try {
        return ReadCell(text);
    } catch (const RunTimeFault&) {
        return std::nullopt;
    }
}

// "%.9g", in every locale.
std::string Nine(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 9);
    return std::string(buf, r.ptr);
}

struct AirOptions {
    PressureIn pressureUnit = PressureIn::MmHg; // of the first number
    bool relHum = false;                        // the third number is the relative humidity
    std::optional<OutputFormat> format;
};

// One state as given: pressure in its unit, dry bulb, and the absolute or
// the relative humidity.
struct GivenState {
    float p = 0, t = 0, humidity = 0;
};

std::string PressureText(float mmHg, PressureIn unit) {
    return GeneralNumber(PressureFromMmHg(mmHg, unit)) + " " + PressureUnitLabel(unit);
}

std::optional<GivenState> ParseTriple(const std::vector<std::string>& words, const AirOptions& o,
                                      std::string& problem) {
    if (words.size() != 3) {
        problem = std::string("expected three numbers (P t ") + (o.relHum ? "rh" : "x_g") + "), got " +
                  std::to_string(words.size());
        return std::nullopt;
    }
    std::vector<float> v;
    for (const std::string& w : words) {
        const auto f = ParseSingle(w);
        if (!f) {
            problem = "not a number: '" + Excerpt(w) + "'";
            return std::nullopt;
        }
        v.push_back(*f);
    }
    const GivenState s{v[0], v[1], v[2]};
    const double mmHg = static_cast<double>(s.p) * 760.0 / OneAtm(o.pressureUnit);
    if (!(mmHg >= kMinPressureMmHg && mmHg <= kMaxPressureMmHg)) {
        problem = "the pressure " + GeneralNumber(s.p) + " " + PressureUnitLabel(o.pressureUnit) + " is outside " +
                  PressureText(kMinPressureMmHg, o.pressureUnit) + " to " +
                  PressureText(kMaxPressureMmHg, o.pressureUnit);
        return std::nullopt;
    }
    if (!(s.t >= kMinDryBulb && s.t <= kMaxDryBulb)) {
        problem = "the dry bulb " + GeneralNumber(s.t) + " deg C is outside -15 to 100";
        return std::nullopt;
    }
    if (o.relHum && !(s.humidity >= 0 && s.humidity <= 100)) {
        problem = "the relative humidity " + GeneralNumber(s.humidity) + " % is outside 0 to 100";
        return std::nullopt;
    }
    if (!o.relHum && !(s.humidity >= 0)) {
        problem = "the absolute humidity " + GeneralNumber(s.humidity) + " g/kgDA is below 0";
        return std::nullopt;
    }
    return s;
}

// The evaluated state: absolute humidity [g/kgDA] and AirProperty codes 1
// to 6 (index 1..6), or a fault.
struct AirResult {
    float xg = 0;
    std::array<double, 7> codes{};
    bool fault = false;
};

// Nothing when the state cannot exist (`problem` says why): above saturation,
// or a vapour pressure that reaches the pressure.
std::optional<AirResult> Evaluate(const GivenState& s, const AirOptions& o, std::string& problem) {
    AirResult r;
    try {
        const float pMmHg = PressureToMmHg(s.p, o.pressureUnit);
        if (o.relHum) {
            // As the process calculation derives it from a relative humidity.
            const float pAtm = Sgl(pMmHg / 760.0, "air");
            const float pw = Sgl(static_cast<double>(SatPressure(s.t)) * s.humidity / 100.0, "air");
            if (!(pw < pAtm)) {
                problem = "at " + PressureText(pMmHg, o.pressureUnit) + " and " + GeneralNumber(s.t) +
                          " deg C the vapour pressure of " + GeneralNumber(s.humidity) + " % reaches the pressure";
                return std::nullopt;
            }
            r.xg = Sgl(Div(1000.0 * 0.622 * pw, static_cast<double>(pAtm) - pw, "air"), "air");
        } else {
            r.xg = s.humidity;
            const float xs = AirProperty(kSatAbsHum, pMmHg, s.t, r.xg).single;
            if (r.xg > xs) {
                problem = "the absolute humidity " + GeneralNumber(r.xg) + " g/kgDA is above the saturated " +
                          GeneralNumber(xs) + " at this pressure and dry bulb";
                return std::nullopt;
            }
        }
        for (std::int16_t code = 1; code <= 6; ++code)
            r.codes[static_cast<std::size_t>(code)] = AirProperty(code, pMmHg, s.t, r.xg).value();
    } catch (const FloatingPointFault&) {
        r.fault = true;
    }
    return r;
}

// The line of the default output: the six codes, the absolute humidity in
// place of the relative humidity when that was given.
std::string PlainLine(const AirResult& r, const AirOptions& o) {
    if (r.fault)
        return "error";
    std::string line;
    for (std::size_t code = 1; code <= 6; ++code) {
        if (code > 1)
            line += ' ';
        line += code == kRelHum && o.relHum ? Nine(r.xg) : Nine(r.codes[code]);
    }
    return line;
}

std::vector<TableColumn> AirColumns(const AirOptions& o) {
    return {{"pressure", PressureUnitLabel(o.pressureUnit)},
            {"dry_bulb", "deg C"},
            {"abs_humidity", "g/kgDA"},
            {"rel_humidity", "%"},
            {"sat_abs_humidity", "g/kgDA"},
            {"wet_bulb", "deg C"},
            {"enthalpy", "kcal/kgDA"},
            {"dew_point", "deg C"},
            {"specific_volume", "m3/kgDA"}};
}

std::vector<std::string> AirRow(const GivenState& s, const AirResult& r, const AirOptions& o) {
    const auto computed = [&](double v) { return r.fault ? std::string("error") : Nine(v); };
    const std::string given = Nine(s.humidity);
    return {Nine(s.p),
            Nine(s.t),
            o.relHum ? computed(r.xg) : given,
            o.relHum ? given : computed(r.codes[kRelHum]),
            computed(r.codes[kSatAbsHum]),
            computed(r.codes[kWetBulb]),
            computed(r.codes[kEnthalpy]),
            computed(r.codes[kDewPoint]),
            computed(r.codes[kSpecVolume])};
}

// A pressure unit by its code (1, 2, 3) or its name (mmHg, kPa, atm).
bool ParseUnit(const std::string& text, PressureIn& unit) {
    for (const PressureIn u : {PressureIn::MmHg, PressureIn::KPa, PressureIn::Atm}) {
        if (text == std::to_string(CodeOf(u)) || text == PressureUnitLabel(u)) {
            unit = u;
            return true;
        }
    }
    return false;
}

int Refuse(const std::string& problem) {
    std::cerr << "hygrana-cli air: " << problem << "\n(see 'hygrana-cli air --help')\n";
    return 2;
}

} // namespace

int RunAir(const std::vector<std::string>& args) {
    AirOptions options;
    std::vector<std::string> numbers;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::cout << kAirHelp;
            return 0;
        }
        // Negative numbers start with one '-': only "--" starts an option.
        if (a.rfind("--", 0) != 0) {
            numbers.push_back(a);
            continue;
        }
        if (a == "--rh") {
            options.relHum = true;
            continue;
        }
        if (a != "--pressure-unit" && a != "--format")
            return Refuse("unknown option '" + Excerpt(a) + "'");
        if (i + 1 >= args.size())
            return Refuse("missing value after " + a);
        const std::string& value = args[++i];
        if (a == "--pressure-unit" && !ParseUnit(value, options.pressureUnit))
            return Refuse("--pressure-unit must be 1, 2, 3, mmHg, kPa or atm, not '" + Excerpt(value) + "'");
        if (a == "--format" && !(options.format = ParseOutputFormat(value)))
            return Refuse("--format must be tsv, csv or json, not '" + Excerpt(value) + "'");
    }

    std::optional<TableWriter> table;
    if (options.format) {
        table.emplace(std::cout, *options.format);
        table->begin("air", AirColumns(options));
    }
    // Prints one evaluated state; false (with `problem`) when it cannot exist.
    std::string problem;
    const auto print = [&](const GivenState& s, bool& fault) {
        const auto r = Evaluate(s, options, problem);
        if (!r)
            return false;
        fault = r->fault;
        if (table)
            table->row(AirRow(s, *r, options));
        else
            std::cout << PlainLine(*r, options) << '\n';
        return true;
    };

    if (!numbers.empty()) {
        const auto s = ParseTriple(numbers, options, problem);
        bool fault = false;
        if (!s || !print(*s, fault))
            return Refuse(problem);
        if (table)
            table->finish();
        return fault ? 1 : 0;
    }
    std::string line;
    long number = 0;
    for (;;) {
        const LineRead got = ReadBoundedLine(std::cin, line, kMaxLineLength);
        if (got == LineRead::End)
            break;
        ++number;
        if (got == LineRead::TooLong) {
            std::cerr << "hygrana-cli air: line " << number << " is longer than " << kMaxLineLength << " characters\n";
            return 2;
        }
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string w; in >> w;)
            words.push_back(w);
        if (words.empty())
            continue;
        const auto s = ParseTriple(words, options, problem);
        bool fault = false;
        if (!s || !print(*s, fault)) {
            std::cerr << "hygrana-cli air: line " << number << ": " << problem << '\n';
            return 2;
        }
        if (!std::cout)
            return 2; // said by the caller, which checks standard output
    }
    if (table)
        table->finish();
    return 0;
}

} // namespace hyg
