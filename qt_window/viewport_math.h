// The arithmetic of the chart viewport: laying the viewport out in the main
// window's client area, fitting the canvas to it and planning a zoom into
// the dragged rectangle. Sizes are twips (15 twips to a pixel); scroll
// positions are pixels. Pure functions, so the window and the tests use the
// same numbers.
#pragma once

#include "chart/plane.h"

#include <cstdint>

namespace hyg {

// Chart proportion (height / width) and the default plane window the zoom
// works on: its extent and its top-left corner.
inline constexpr double kChartProportion = 0.7;
inline constexpr auto kPlaneExtentX = static_cast<std::int16_t>(kPlaneWidth);
inline constexpr auto kPlaneExtentY = static_cast<std::int16_t>(kPlaneHeight);
inline constexpr double kPlaneLeft = kPlaneXMin;
inline constexpr double kPlaneTop = kPlaneYMax;

// A zoom rectangle smaller than this share of the part in view is widened
// to it, so one Zoom In magnifies up to 50 times and a click zooms by 50
// about the clicked point; a further Zoom In goes deeper again. Fifty lets
// a rectangle of two degrees fill even a maximised view of the whole chart.
inline constexpr double kMinZoomShare = 1.0 / 50;
// The deepest view, as the canvas width over the viewport width. The canvas
// is virtual (only the part in view is ever drawn), so this bounds the
// pixel coordinates, not memory: at 1000 times a 4000-pixel viewport the
// chart spans 4 million pixels, well inside the 32-bit coordinates of the
// drawing and the exact range of the single-precision canvas size in twips.
inline constexpr double kMaxMagnification = 1000;

// Placement of the viewport inside the main window's client area (twips).
struct ViewportGeometry {
    std::int32_t w = 0;
    std::int32_t h = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
};

// Viewport for a client area of clientW x clientH (the window less its
// title bar, menu bar, tool bar and status bar) with a vertical scroll bar
// Wv wide and a horizontal one Hh high beside it. The viewport keeps the
// chart's proportion; viewport and bars together are centred with a margin
// of at least a quarter of a bar's thickness, so both bars always lie
// inside the client area. Lengths are rounded to whole twips (halves to
// even) as they are stored.
ViewportGeometry LayoutViewport(double clientW, double clientH, double Wv, double Hh);

// The canvas size that fits a viewport of shadeW x shadeH at the chart's
// proportion; minW, minH are the scroll-bar thicknesses the viewport is at
// least as large as.
struct CanvasSize {
    std::int32_t w = 0;
    std::int32_t h = 0;
};
CanvasSize FitCanvas(double shadeW, double shadeH, double minW, double minH);

// A scroll bar's range and steps in pixels. Value lies in 0..Max, the steps
// are at least 1.
struct ScrollSetting {
    std::int32_t max = 0;
    std::int32_t value = 0;
    std::int32_t largeChange = 1;
    std::int32_t smallChange = 1;
};

// Everything a zoom into the drag rectangle changes.
struct ZoomPlan {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // rectangle after widening and proportion (plane units)
    double factor = 1;                     // f: share of the plane the rectangle covers
    bool resize = false;                   // f < 1: the canvas takes the new size
    std::int32_t canvasW = 0;              // canvas size after the zoom (twips)
    std::int32_t canvasH = 0;
    ScrollSetting vertical;
    ScrollSetting horizontal;
};

// Plans the zoom of a canvas of canvasW x canvasH twips, seen through a
// viewport of shadeW x shadeH twips, into the rectangle (x1, y1)-(x2, y2) in
// plane units (any order): the rectangle, at the chart's proportion, fills
// the viewport and its top-left corner comes to the viewport's.
ZoomPlan PlanZoom(double dragStartX, double dragStartY, double dragEndX, double dragEndY, double canvasW,
                  double canvasH, double shadeW, double shadeH);

// Scroll range over a canvas length seen through a view length (pixels):
// Max is the overhang, never below 0; Value is clamped into it.
ScrollSetting OverhangScroll(double canvasLength, double viewLength, int value);

} // namespace hyg
