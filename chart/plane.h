// The chart plane and its mapping onto screen pixels.
//
// Every chart coordinate is in plane units. The start-up window of the
// plane is -500..4500 across by -350..3150 up: the chart itself takes at
// most 3500 by 2450 of it, the rest holds the scales, the protractors and
// the legend. The zoom commands change the window in the settings; these
// are the values it starts from and returns to.
#pragma once

namespace hyg {

inline constexpr float kPlaneXMin = -500;
inline constexpr float kPlaneXMax = 4500;
inline constexpr float kPlaneYMin = -350;
inline constexpr float kPlaneYMax = 3150;
// The window's extent: 5000 across by 3500 up.
inline constexpr float kPlaneWidth = kPlaneXMax - kPlaneXMin;
inline constexpr float kPlaneHeight = kPlaneYMax - kPlaneYMin;

// Canvas sizes (PictureWidth, PictureHeight) are kept in twips, fifteen to
// a pixel of the 96-dpi screen.
inline constexpr int kTwipsPerPixel = 15;
// Pixels per twip as the labels, segments and the pointer read-out use it:
// 1/15 to six places.
inline constexpr double kPixelsPerTwip = 0.066667;
// The polyline vertices of the curves use 1/15 to five places; the curves
// have always been rounded onto pixels this way, a hair coarser than the
// other primitives.
inline constexpr double kPolylinePixelsPerTwip = 0.06667;

} // namespace hyg
