// Enthalpy lines: the oblique scale line in the upper left, then one straight
// line per value from the bottom (or right) edge across the saturation curve
// to the scale line, where the value is written along the line.
#include "chart/chart_driver.h"
#include "chart/label_fit.h"

#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/units.h"

#include <algorithm>
#include <cmath>

namespace hyg {

namespace {

struct Point {
    float x = 0;
    float y = 0;
};

// A point of the table as remembered by the saturation walk.
struct SatPoint {
    double h = 0; // saturation enthalpy, kcal/kgDA
    double s = 0; // saturation humidity, g/kgDA
    double t = 0; // dry-bulb temperature, deg C
};

constexpr int kLastTableIndex = 120; // the last filled entry of the saturation table (99 deg C)

Point Plane(const ChartSettings& s, double t, double x, const char* where) {
    return {Sgl(ChartX(s, t, x), where), Sgl(ChartY(s, x), where)};
}

} // namespace

// The saturation walk may run past IdxMax (to the end of the filled table),
// so the highest index of the chart is not needed here.
static void DrawEnthalpyLinesHeld(PenPlotter& out, const Chart& chart, std::int16_t idxMin, float topY,
                                  float topDewPoint) {
    const ChartSettings& s = chart.settings;
    const SaturationTable& tab = chart.table;
    const double u = s.LabelUnit;
    const double factor = EnthalpyFactor(s.EnthalpyUnit);
    const int step = EnthalpyStep(s.EnthalpyUnit);

    out.pen({PenSlot::Enthalpy, 7});
    constexpr SegmentForm kZoned{Separator::Zone};

    // The scale line, from the lowest saturation point to the top edge two
    // degrees left of the top of the saturation curve, and the piece of top
    // edge that closes the corner.
    const float s0 = static_cast<float>(tab.S(idxMin));
    const Point p0 = Plane(s, s.MinDryBulb, s0, "enthalpy scale line");
    // On a narrow chart two degrees left of the top of the saturation curve
    // lie left of the chart: the scale line then ends half way between the
    // lowest temperature and the top of the saturation curve.
    double p1t = static_cast<double>(topDewPoint) - 2;
    // (A top dew point below the lowest temperature puts it a quarter of the
    // way across.)
    if (p1t < s.MinDryBulb) {
        p1t = topDewPoint > s.MinDryBulb ? (static_cast<double>(s.MinDryBulb) + topDewPoint) / 2
                                         : s.MinDryBulb + (static_cast<double>(s.MaxDryBulb) - s.MinDryBulb) / 4;
    }
    const Point p1 = Plane(s, p1t, s.MaxAbsHum, "enthalpy scale line");
    // The closing piece of top edge runs to the top of the saturation curve,
    // or stays at the scale line's end when that lies further right.
    const float p2x =
        Sgl(ChartX(s, std::max(static_cast<double>(topDewPoint), p1t), s.MaxAbsHum) + 1, "enthalpy scale line");
    out.segment({p0.x, p0.y}, {p1.x, p1.y}, kZoned);
    out.segment({p1.x, p1.y}, {p2x, p1.y}, kZoned);
    const float m =
        Sgl(Div(static_cast<double>(p1.y) - p0.y, static_cast<double>(p1.x) - p0.x, "enthalpy scale slope"));
    const float b = Sgl(p0.y - static_cast<double>(m) * p0.x, "enthalpy scale intercept");

    // Range of values in the display unit.
    const int first =
        CInt(Int(Div(kCpAir * s.MinDryBulb * factor, step, "first enthalpy") + 1) * step, "first enthalpy");
    const float hmax =
        Sgl(kCpAir * s.MaxDryBulb + 0.001 * s.MaxAbsHum * (kLatentHeat0 + kCpVapour * s.MaxDryBulb), "hmax");
    const int last = CInt(Int(static_cast<double>(hmax) * factor), "last enthalpy");
    const int mid = CInt(Int((last - first) * 0.5) + first + 2, "middle enthalpy");

    const double hLeft = kLatentHeat0 + kCpVapour * s.MinDryBulb;  // latent part per g/kgDA at the left edge, x1000
    const double hRight = kLatentHeat0 + kCpVapour * s.MaxDryBulb; // the same at the right edge
    SatPoint low; // the lower neighbour of the saturation walk, kept from value to value
    for (int v = first; v <= last; v = Add16(v, step, "enthalpy value")) {
        const float k = Sgl(Div(v, factor, "enthalpy value"), "enthalpy value");

        // Lower end: on the right edge, or on the bottom edge left of it.
        const float xr = Sgl(Div((k - kCpAir * s.MaxDryBulb) * 1000, hRight, "enthalpy right edge"));
        Point a = Plane(s, s.MaxDryBulb, xr, "enthalpy lower end");
        const float tb = Sgl(Div(k, kCpAir, "enthalpy bottom edge"));
        if (tb < s.MaxDryBulb)
            a = {Sgl(static_cast<double>(s.ScaleX) * kCpAir * tb + s.OriginX), s.OriginY};

        // Upper end: where the value crosses the lowest temperature ...
        const float xl = Sgl(Div((k - kCpAir * s.MinDryBulb) * 1000, hLeft, "enthalpy left edge"));
        Point bp = Plane(s, s.MinDryBulb, xl, "enthalpy upper end");
        float xw = xl;
        auto topEdge = [&]() -> float {
            return Sgl(
                Div(k - 0.001 * s.MaxAbsHum * kLatentHeat0, kCpAir + 0.001 * s.MaxAbsHum * kCpVapour, "enthalpy top"));
        };
        if (s0 < xl) {
            // ... or, when it meets saturation first, the scale line reached
            // by extending the line through the saturation crossing.
            // The walk starts one degree below the chart; table entry 0 holds
            // no saturation point, so a chart starting at -20 starts at 1.
            int i = std::max(idxMin - 1, 1);
            double hs = 0;
            // A value whose crossing lies beyond the highest temperature (a
            // narrow chart whose top-right corner is above saturation) goes on
            // through the filled table; past its end the interpolation below
            // divides by zero.
            for (; i <= kLastTableIndex; ++i) {
                const double ti = tab.T(i), si = tab.S(i);
                hs = 0.001 * si * (kLatentHeat0 + kCpVapour * ti) + kCpAir * ti;
                if (hs > k)
                    break;
                low = {hs, si, ti};
            }
            const double r = Div(k - low.h, hs - low.h, "saturation crossing");
            const float ts = Sgl(low.t + r * (tab.T(i) - low.t), "saturation crossing");
            const float xs = Sgl(low.s + r * (tab.S(i) - low.s), "saturation crossing");
            const Point c = Plane(s, ts, xs, "saturation crossing");
            xw = xs;
            const float m2 = Sgl(Div(static_cast<double>(c.y) - a.y, static_cast<double>(c.x) - a.x, "enthalpy slope"));
            const float b2 = Sgl(a.y - static_cast<double>(m2) * a.x);
            const double dm = static_cast<double>(m2) - m;
            bp = {Sgl(Div(static_cast<double>(b) - b2, dm, "scale line crossing")),
                  Sgl(Div(static_cast<double>(m2) * b - static_cast<double>(m) * b2, dm, "scale line crossing"))};
            // Nearly parallel to the scale line (a narrow chart) the
            // extension meets it far off the chart or behind the crossing:
            // the line then ends on the saturation curve.
            if (bp.x > c.x || bp.y < c.y || bp.x < ChartX(s, s.MinDryBulb, (bp.y - s.OriginY) / s.ScaleY) - 1) {
                bp = c;
            } else if (bp.y > topY) {
                xw = s.MaxAbsHum;
                bp = {Sgl(ChartX(s, topEdge(), s.MaxAbsHum), "enthalpy top"), topY};
            }
        }
        if (xw > s.MaxAbsHum)
            bp = Plane(s, topEdge(), s.MaxAbsHum, "enthalpy top");
        // On a narrow chart the top-edge crossing can lie left of the lowest
        // temperature: the line then ends where it leaves the chart there.
        const double edgeX = ChartX(
            s, s.MinDryBulb,
            std::clamp((static_cast<double>(bp.y) - s.OriginY) / s.ScaleY, 0.0, static_cast<double>(s.MaxAbsHum)));
        if (bp.x < edgeX - 1 && a.x > edgeX) {
            const double t = (edgeX - a.x) / (static_cast<double>(bp.x) - a.x);
            bp = {Sgl(edgeX), Sgl(a.y + t * (static_cast<double>(bp.y) - a.y))};
        }

        const float angle = Sgl(
            std::atan(Div(static_cast<double>(bp.y) - a.y, static_cast<double>(bp.x) - a.x, "enthalpy label angle")));
        out.segment({a.x, a.y}, {bp.x, bp.y}, kZoned);

        // The value, along its line near the upper end; the middle one also
        // carries the symbol "h".
        const float lx = Sgl(bp.x - 3 * u), ly = Sgl(bp.y + u);
        if (v == mid) {
            out.text({.text = "h",
                      .at = {lx - 2.25 * u, ly + 3.75 * u},
                      .size = 1.5 * u,
                      .italic = true,
                      .plotForm = {Separator::Zone, true, true}});
        }
        out.text({.at = {lx, ly}, .angle = angle, .size = 0.9 * u, .number = v, .plotForm = {Separator::Zone}});
    }
}

// Numbers of the family that would run into each other are thinned, and
// nothing goes outside the plot window.
void DrawEnthalpyLines(PenPlotter& out, const Chart& chart, std::int16_t idxMin, float topY, float topDewPoint) {
    DrawFitted(out, chart.settings,
               [&](PenPlotter& held) { DrawEnthalpyLinesHeld(held, chart, idxMin, topY, topDewPoint); });
}

} // namespace hyg
