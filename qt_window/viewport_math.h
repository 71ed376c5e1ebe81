// The arithmetic of the chart viewport, in twips (15 twips to a pixel):
// laying the viewport out in the main window, fitting the canvas to it and
// planning a zoom into the dragged rectangle. Pure functions, so the window
// and the tests use the same numbers.
#pragma once

#include <cstdint>

namespace hyg {

inline constexpr int kTwipsPerPixel = 15;

// Chart proportion (height / width) and the plane extent the zoom works on.
inline constexpr double kChartProportion = 0.7;
inline constexpr std::int16_t kPlaneExtentX = 5000;
inline constexpr std::int16_t kPlaneExtentY = 3500;
// Largest canvas width after a zoom, and the smallest zoom rectangle as a
// share of the plane extent.
inline constexpr std::int32_t kMaxCanvasTwips = 32000;
inline constexpr double kMinZoomShare = 0.1;

// Placement of the viewport inside the main window's client area (twips).
struct ViewportGeometry {
    std::int32_t w = 0;
    std::int32_t h = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
};

// Viewport for a window of outer size W x H with a vertical scroll bar Wv
// wide, a horizontal one Hh high and a tool bar Ht high. Lengths are rounded
// to whole twips (halves to even) as they are stored.
ViewportGeometry LayoutViewport(double W, double H, double Wv, double Hh, double Ht);

// The canvas size that fits a viewport of shadeW x shadeH at the chart's
// proportion; minW, minH are the scroll-bar thicknesses the viewport is at
// least as large as.
struct CanvasSize {
    std::int32_t w = 0;
    std::int32_t h = 0;
};
CanvasSize FitCanvas(double shadeW, double shadeH, double minW, double minH);

// A scroll bar's range and steps. Value lies in 0..Max, the steps are at
// least 1.
struct ScrollSetting {
    std::int16_t max = 0;
    std::int16_t value = 0;
    std::int16_t largeChange = 1;
    std::int16_t smallChange = 1;
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
// plane units (any order). The canvas width is limited to kMaxCanvasTwips.
ZoomPlan PlanZoom(double dragStartX, double dragStartY, double dragEndX, double dragEndY, double canvasW,
                  double canvasH, double shadeW, double shadeH);

// Scroll range when the canvas is larger than the viewport (resize): Max is
// the overhang, never below 0; Value clamped into it.
ScrollSetting OverhangScroll(double canvasLength, double viewLength, int value);

} // namespace hyg
