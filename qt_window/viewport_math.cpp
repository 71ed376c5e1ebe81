#include "qt_window/viewport_math.h"

#include "engine/basic.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace hyg {

namespace {

// A length stored in a whole-twip field: nearest, halves to even.
std::int32_t Store(double v) {
    return CLng(v, "viewport length");
}

// Steps of a tenth and a fiftieth of the range, as the bars have always
// had; on a deep zoom those would jump past the whole view, so a page is at
// most the view and a line at most a tenth of it. Each is at least a pixel.
ScrollSetting WithSteps(ScrollSetting s, double view) {
    const double page = std::max(1.0, view);
    s.largeChange = CLng(std::clamp(s.max * 0.1, 1.0, page), "scroll step");
    s.smallChange = CLng(std::clamp(s.max * 0.02, 1.0, std::max(1.0, page / 10)), "scroll step");
    return s;
}

// The bar over a canvas of `canvas` pixels seen through `view` pixels,
// placed so that the canvas position `start` (pixels) is at the view's
// edge; a rectangle near the canvas's end brings the bar to its end.
ScrollSetting ScrollTo(double canvas, double view, double start) {
    ScrollSetting s;
    s.max = CLng(std::max(0.0, canvas - view), "scroll maximum");
    s.value = std::isfinite(start) ? CLng(std::clamp(start, 0.0, static_cast<double>(s.max)), "scroll value") : 0;
    return WithSteps(s, view);
}

} // namespace

ViewportGeometry LayoutViewport(double clientW, double clientH, double Wv, double Hh) {
    ViewportGeometry g;
    g.w = Store(std::max(clientW - 1.5 * Wv, Wv));
    g.h = Store(std::max(clientH - 1.5 * Hh, Hh));
    if (static_cast<double>(g.h) / g.w >= kChartProportion) {
        g.h = Store(kChartProportion * g.w);
    } else {
        g.w = Store(g.h / kChartProportion);
    }
    g.left = Store((clientW - g.w - Wv) / 2);
    g.top = Store((clientH - g.h - Hh) / 2);
    return g;
}

CanvasSize FitCanvas(double shadeW, double shadeH, double minW, double minH) {
    CanvasSize c;
    c.w = std::max(CLng(shadeW, "fit width"), CLng(minW, "fit width"));
    c.h = std::max(CLng(shadeH, "fit height"), CLng(minH, "fit height"));
    if (static_cast<double>(c.h) / c.w >= kChartProportion) {
        c.h = CLng(c.w * kChartProportion + 0.5, "fit height");
    } else {
        c.w = CLng(c.h / kChartProportion + 0.5, "fit width");
    }
    return c;
}

ZoomPlan PlanZoom(double dragStartX, double dragStartY, double dragEndX, double dragEndY, double canvasW,
                  double canvasH, double shadeW, double shadeH) {
    ZoomPlan z;
    double x1 = dragStartX, y1 = dragStartY, x2 = dragEndX, y2 = dragEndY;
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    const double cx = (x1 + x2) / 2;
    const double cy = (y1 + y2) / 2;

    // A rectangle smaller than a fiftieth of the part in view is widened to
    // it (the whole plane is in view until the canvas outgrows the viewport).
    const double inViewX = kPlaneExtentX * std::min(1.0, shadeW / canvasW);
    const double inViewY = kPlaneExtentY * std::min(1.0, shadeH / canvasH);
    if (x2 - x1 < kMinZoomShare * inViewX) {
        x1 = cx - kMinZoomShare / 2 * inViewX;
        x2 = cx + kMinZoomShare / 2 * inViewX;
    }
    if (y2 - y1 < kMinZoomShare * inViewY) {
        y1 = cy - kMinZoomShare / 2 * inViewY;
        y2 = cy + kMinZoomShare / 2 * inViewY;
    }

    // The chart's proportion about the centre.
    double w = x2 - x1;
    double h = y2 - y1;
    if (kChartProportion * h < w) {
        z.factor = w / kPlaneExtentX;
    } else {
        z.factor = h / kPlaneExtentY;
    }
    z.resize = z.factor < 1;
    if (z.resize) {
        // The rectangle fills the viewport: the canvas is the viewport
        // divided by the rectangle's share of the plane, whatever its
        // present size, down to the deepest view.
        double wide = shadeW / z.factor;
        if (wide > kMaxMagnification * shadeW) {
            wide = kMaxMagnification * shadeW;
            z.factor = shadeW / wide;
        }
        z.canvasW = CLng(wide, "zoom width");
        z.canvasH = CLng(z.canvasW * kChartProportion, "zoom height");
    } else {
        z.canvasW = CLng(canvasW, "canvas width");
        z.canvasH = CLng(canvasH, "canvas height");
    }
    w = z.factor * kPlaneExtentX;
    h = kChartProportion * w;
    z.x1 = cx - w / 2, z.x2 = cx + w / 2;
    z.y1 = cy - h / 2, z.y2 = cy + h / 2;

    // The scroll bars bring the rectangle's top-left corner to the viewport's.
    const double cwPx = static_cast<double>(z.canvasW) / kTwipsPerPixel;
    const double chPx = static_cast<double>(z.canvasH) / kTwipsPerPixel;
    z.horizontal = ScrollTo(cwPx, shadeW / kTwipsPerPixel, (z.x1 - kPlaneLeft) / kPlaneExtentX * cwPx);
    z.vertical = ScrollTo(chPx, shadeH / kTwipsPerPixel, (kPlaneTop - z.y2) / kPlaneExtentY * chPx);
    return z;
}

ScrollSetting OverhangScroll(double canvasLength, double viewLength, int value) {
    ScrollSetting s;
    s.max = CLng(std::max(0.0, canvasLength - viewLength), "scroll maximum");
    s.value = std::clamp(value, 0, s.max);
    return WithSteps(s, viewLength);
}

} // namespace hyg
