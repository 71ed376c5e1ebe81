// What the chart window shows, for the outputs that draw it again (printer
// page, vector clipboard and picture files): the settings of the last
// drawing and the size of the chart picture in its pixels.
#pragma once

#include "qt_render/image_export.h"

#include <optional>

namespace hyg {

struct ChartOnScreen {
    std::optional<Chart> chart; // nothing: not drawn yet, the picture is blank
    int widthPx = 0;
    int heightPx = 0;
    ProcessLineDrawer processLines;
};

} // namespace hyg
