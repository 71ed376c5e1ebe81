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

// A scroll value computed from the zoom rectangle. A rectangle near an edge
// of the plane gives a value outside 0..Max, and a rectangle as tall (or as
// wide) as the plane gives 0/0; both are brought to the nearest end of the
// range (0 for a division by zero).
std::int16_t ScrollValue(double max, double num, double den) {
    if (den == 0.0)
        return 0;
    const double v = max * num / den;
    if (!std::isfinite(v))
        return 0;
    return CInt(std::clamp(v, 0.0, max), "scroll value");
}

ScrollSetting Scroll(double max, double num, double den) {
    ScrollSetting s;
    max = std::max(0.0, max);
    s.max = CInt(max, "scroll maximum");
    s.value = ScrollValue(s.max, num, den);
    // Steps of a tenth and a fiftieth of the range, at least one twip each.
    s.largeChange = std::max<std::int16_t>(1, CInt(s.max * 0.1, "scroll step"));
    s.smallChange = std::max<std::int16_t>(1, CInt(s.max * 0.02, "scroll step"));
    return s;
}

} // namespace

ViewportGeometry LayoutViewport(double W, double H, double Wv, double Hh, double Ht) {
    ViewportGeometry g;
    g.w = Store(std::max(W - 1.5 * Wv, Wv));
    g.h = Store(std::max(H - 2.5 * (Ht + Hh), Hh));
    if (static_cast<double>(g.h) / g.w >= kChartProportion) {
        g.h = Store(kChartProportion * g.w);
    } else {
        g.w = Store(g.h / kChartProportion);
    }
    g.left = Store((W - g.w - 1.5 * Wv) / 2);
    g.top = Store((H - g.h - 2.5 * Hh) / 2);
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

    // A rectangle smaller than a tenth of the plane is widened to a tenth.
    if ((x2 - x1) / kPlaneExtentX < kMinZoomShare) {
        x1 = cx - kMinZoomShare / 2 * kPlaneExtentX;
        x2 = cx + kMinZoomShare / 2 * kPlaneExtentX;
    }
    if ((y2 - y1) / kPlaneExtentY < kMinZoomShare) {
        y1 = cy - kMinZoomShare / 2 * kPlaneExtentY;
        y2 = cy + kMinZoomShare / 2 * kPlaneExtentY;
    }

    // The chart's proportion about the centre.
    double w = x2 - x1;
    double h = y2 - y1;
    if (kChartProportion * h < w) {
        z.factor = w / kPlaneExtentX;
        h = kChartProportion * w;
        y1 = cy - h / 2;
        y2 = cy + h / 2;
    } else {
        z.factor = h / kPlaneExtentY;
        w = h / kChartProportion;
        x1 = cx - w / 2;
        x2 = cx + w / 2;
    }
    z.x1 = x1, z.y1 = y1, z.x2 = x2, z.y2 = y2;

    z.resize = z.factor < 1;
    if (z.resize) {
        const double wide = std::min(canvasW / z.factor, static_cast<double>(kMaxCanvasTwips));
        z.canvasW = CLng(wide, "zoom width");
        z.canvasH = CLng(z.canvasW * kChartProportion, "zoom height");
    } else {
        z.canvasW = CLng(canvasW, "canvas width");
        z.canvasH = CLng(canvasH, "canvas height");
    }

    // The scroll bars bring the rectangle's top-left corner to the viewport's.
    z.vertical = Scroll(z.canvasH - shadeH, 3150.0 - y2, kPlaneExtentY - h);
    z.horizontal = Scroll(z.canvasW - shadeW, x1 - (-500.0), kPlaneExtentX - w);
    return z;
}

ScrollSetting OverhangScroll(double canvasLength, double viewLength, int value) {
    ScrollSetting s;
    s.max = CInt(std::max(0.0, canvasLength - viewLength), "scroll maximum");
    s.value = static_cast<std::int16_t>(std::clamp<int>(value, 0, s.max));
    s.largeChange = std::max<std::int16_t>(1, CInt(s.max * 0.1, "scroll step"));
    s.smallChange = std::max<std::int16_t>(1, CInt(s.max * 0.02, "scroll step"));
    return s;
}

} // namespace hyg
