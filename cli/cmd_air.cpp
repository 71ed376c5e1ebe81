// hygrana-cli air [P_mmHg t x_g]
//
// AirProperty codes 1 to 6 of one state, on one line separated by blanks,
// each with nine significant digits: saturated absolute humidity [g/kgDA],
// wet bulb [deg C], relative humidity [%], enthalpy [kcal/kgDA], dew point
// [deg C], specific volume [m3/kgDA].
#include "cli/commands.h"

#include "engine/fault.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/state_solver.h"
#include "files/text_input.h"

#include <charconv>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace hyg {

namespace {

constexpr const char* kAirHelp = "usage: hygrana-cli air [P_mmHg t x_g]\n"
                                 "\n"
                                 "Prints AirProperty codes 1 to 6 of air at the pressure P_mmHg [mmHg], dry bulb\n"
                                 "t [deg C] and absolute humidity x_g [g/kgDA], separated by single blanks, each\n"
                                 "with 9 significant digits:\n"
                                 "  saturated absolute humidity [g/kgDA], wet bulb [deg C], relative humidity [%],\n"
                                 "  enthalpy [kcal/kgDA], dew point [deg C], specific volume [m3/kgDA].\n"
                                 "Without numbers, reads one triple per line from standard input (blank lines are\n"
                                 "skipped) and prints one line per triple. A state whose evaluation raises a\n"
                                 "floating-point fault prints 'error'; the tool goes on with the next line.\n"
                                 "\n"
                                 "Accepted, as by the process calculation: P_mmHg 228 to 3800, t -15 to 100,\n"
                                 "x_g from 0 up to the saturated absolute humidity at P_mmHg and t (relative\n"
                                 "humidity 0 to 100 %). A state outside these is bad input; so is a line longer\n"
                                 "than 1024 characters.\n"
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

// Above saturation (relative humidity over 100 %) is out of range too; the
// saturated humidity itself may raise a fault, which is the caller's "error".
bool AboveSaturation(float p, float t, float xg, std::string& problem) {
    const float xs = AirProperty(1, p, t, xg).single;
    if (xg <= xs)
        return false;
    problem = "the absolute humidity " + GeneralNumber(xg) + " g/kgDA is above the saturated " +
              GeneralNumber(xs) + " at this pressure and dry bulb";
    return true;
}

// The six properties, or "error" when a floating-point fault is raised;
// nothing when the state is above saturation (`problem` says so).
std::optional<std::string> PropertyLine(float p, float t, float xg, bool& fault, std::string& problem) {
    try {
        if (AboveSaturation(p, t, xg, problem))
            return std::nullopt;
        std::string line;
        for (std::int16_t code = 1; code <= 6; ++code) {
            if (code > 1)
                line += ' ';
            line += Nine(AirProperty(code, p, t, xg).value());
        }
        fault = false;
        return line;
    } catch (const FloatingPointFault&) {
        fault = true;
        return "error";
    }
}

std::optional<std::vector<float>> ParseTriple(const std::vector<std::string>& words, std::string& problem) {
    if (words.size() != 3) {
        problem = "expected three numbers (P_mmHg t x_g), got " + std::to_string(words.size());
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
    const float p = v[0], t = v[1], xg = v[2];
    if (!(p >= kMinPressureMmHg && p <= kMaxPressureMmHg)) {
        problem = "the pressure " + GeneralNumber(p) + " mmHg is outside 228 to 3800";
        return std::nullopt;
    }
    if (!(t >= kMinDryBulb && t <= kMaxDryBulb)) {
        problem = "the dry bulb " + GeneralNumber(t) + " deg C is outside -15 to 100";
        return std::nullopt;
    }
    if (!(xg >= 0)) {
        problem = "the absolute humidity " + GeneralNumber(xg) + " g/kgDA is below 0";
        return std::nullopt;
    }
    return v;
}


} // namespace

int RunAir(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kAirHelp;
        return 0;
    }
    std::string problem;
    if (!args.empty()) {
        const auto v = ParseTriple(args, problem);
        if (!v) {
            std::cerr << "hygrana-cli air: " << problem << "\n(see 'hygrana-cli air --help')\n";
            return 2;
        }
        bool fault = false;
        const auto line = PropertyLine((*v)[0], (*v)[1], (*v)[2], fault, problem);
        if (!line) {
            std::cerr << "hygrana-cli air: " << problem << "\n(see 'hygrana-cli air --help')\n";
            return 2;
        }
        std::cout << *line << '\n';
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
            std::cerr << "hygrana-cli air: line " << number << " is longer than " << kMaxLineLength
                      << " characters\n";
            return 2;
        }
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string w; in >> w;)
            words.push_back(w);
        if (words.empty())
            continue;
        auto v = ParseTriple(words, problem);
        bool fault = false;
        std::optional<std::string> out;
        if (v)
            out = PropertyLine((*v)[0], (*v)[1], (*v)[2], fault, problem);
        if (!out) {
            std::cerr << "hygrana-cli air: line " << number << ": " << problem << '\n';
            return 2;
        }
        std::cout << *out << '\n';
        if (!std::cout)
            return 2; // said by the caller, which checks standard output
    }
    return 0;
}

} // namespace hyg
