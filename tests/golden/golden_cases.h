// The charts whose output is pinned byte for byte (plot files) and pixel for
// pixel (1000-pixel images): the start-up chart, the other diagram type,
// the other two unit systems, three ranges, two pressures and each line
// switch turned off once, and the monochrome pens. Changes to the drawing code must leave every one
// of them as it is; a deliberate change of output regenerates them with
// HYGRANA_UPDATE_GOLDEN=1 and says so in its commit.
#pragma once

#include "chart/chart_settings.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace hyg::test {

struct GoldenCase {
    std::string name;
    std::function<void(ChartSettings&)> set;
};

inline std::vector<GoldenCase> GoldenCases() {
    std::vector<GoldenCase> cases = {
        {"default", [](ChartSettings&) {}},
        {"type0", [](ChartSettings& s) { s.DiagramType = 0; }},
        {"unit2", [](ChartSettings& s) { s.EnthalpyUnit = UnitSystem::MetricKJ; }},
        {"unit3", [](ChartSettings& s) { s.EnthalpyUnit = UnitSystem::Imperial; }},
        {"range_m20_20", [](ChartSettings& s) { s.MinDryBulb = -20, s.MaxDryBulb = 20; }},
        {"range_20_60", [](ChartSettings& s) { s.MinDryBulb = 20, s.MaxDryBulb = 60; }},
        {"range_5_25", [](ChartSettings& s) { s.MinDryBulb = 5, s.MaxDryBulb = 25; }},
        {"p700", [](ChartSettings& s) { s.Pressure = s.PressureMmHg = 700; }},
        {"p1000", [](ChartSettings& s) { s.Pressure = s.PressureMmHg = 1000; }},
        {"mono", [](ChartSettings& s) { s.ColorMode = 0, s.PenColor = MonoPenTable(); }},
    };
    for (std::size_t sw = 0; sw < 8; ++sw) {
        cases.push_back({"switch" + std::to_string(sw) + "_off",
                         [sw](ChartSettings& s) { SetLineOn(s, static_cast<ChartLine>(sw), false); }});
    }
    return cases;
}

inline std::string GoldenDir() {
    return std::string(HYGRANA_SOURCE_DIR) + "/tests/golden";
}

// Set to 1 to write the golden files from the code as it is instead of
// comparing against them.
inline bool UpdatingGoldens() {
    const char* v = std::getenv("HYGRANA_UPDATE_GOLDEN");
    return v && std::string(v) == "1";
}

} // namespace hyg::test
