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
                                 "Exit status: 0 done, 1 the state given as arguments raised a fault, 2 bad input.\n";

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

// The six properties, or "error" when a floating-point fault is raised.
std::string PropertyLine(float p, float t, float xg, bool& fault) {
    try {
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
            problem = "not a number: '" + w + "'";
            return std::nullopt;
        }
        v.push_back(*f);
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
        std::cout << PropertyLine((*v)[0], (*v)[1], (*v)[2], fault) << '\n';
        return fault ? 1 : 0;
    }
    std::string line;
    long number = 0;
    while (std::getline(std::cin, line)) {
        ++number;
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string w; in >> w;)
            words.push_back(w);
        if (words.empty())
            continue;
        const auto v = ParseTriple(words, problem);
        if (!v) {
            std::cerr << "hygrana-cli air: line " << number << ": " << problem << '\n';
            return 2;
        }
        bool fault = false;
        std::cout << PropertyLine((*v)[0], (*v)[1], (*v)[2], fault) << '\n';
    }
    return 0;
}

} // namespace hyg
