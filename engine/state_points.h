// The state-point list: the valid states of the last process calculation,
// read by the process lines on the chart, the data file and the process
// dialog when it opens again. Entries 1 to 6 (index 0 unused).
#pragma once

#include <array>
#include <cstdint>

namespace hyg {

struct StatePointList {
    static constexpr int kMaxStates = 6;
    std::array<float, 7> dryBulb{};  // StatePointDryBulb(i) [deg C]
    std::array<float, 7> relHum{};   // StatePointRelHum(i) [%]
    std::array<float, 7> pressure{}; // StatePointPressure(i), as entered
    std::int16_t count = 0;          // StatePointCount
};

} // namespace hyg
