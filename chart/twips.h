// Twips, the unit the window layout, the chart canvas and the process tables
// are given in: 1440 to the inch, 15 to a pixel of the 96-dpi screen (Qt's
// logical pixels scale that to the real screen).
#pragma once

namespace hyg {

inline constexpr int kTwipsPerPixel = 15;

} // namespace hyg
