// The global state of one run of the program: the chart (settings and
// saturation table), the state-point list of the last process calculation,
// the window the user worked in last and the last dragged rectangle.
#pragma once

#include "chart/chart_settings.h"
#include "engine/state_points.h"

#include <cstdint>
#include <string>

namespace hyg {

// The window the user worked in last; Copy and Print act on it.
enum class View { Chart, Process };

// Its name in messages ("Copy command in chart"): "chart" or "Process".
inline const char* ViewName(View v) {
    return v == View::Process ? "Process" : "chart";
}

struct Session {
    Chart chart;
    StatePointList statePoints;
    View ActiveView = View::Chart;
    // The process table clicked last: 1 input, 2 property, 3 process (0 none yet).
    std::int16_t ActiveGrid = 0;
    // The last completed left-button drag on the chart, plane units; start
    // and end are not ordered.
    float DragStartX = 0;
    float DragStartY = 0;
    float DragEndX = 0;
    float DragEndY = 0;
};

} // namespace hyg
