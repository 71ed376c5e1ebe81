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

// The oblique scale line from the lowest saturation point up to the top edge,
// and the piece of top edge that closes the corner; the value lines end on it.
struct ScaleLine {
    Point p0;
    Point p1;
    float closeX = 0; // right end of the piece of top edge
    float m = 0;      // slope
    float b = 0;      // intercept
};

ScaleLine EnthalpyScaleLine(const Chart& chart, std::int16_t idxMin, float topDewPoint) {
    const ChartSettings& s = chart.settings;
    ScaleLine line;
    line.p0 = Plane(s, s.MinDryBulb, static_cast<float>(chart.table.S(idxMin)), "enthalpy scale line");
    // The line runs to two degrees left of the top of the saturation curve.
    // On a narrow chart that lies left of the chart: the line then ends half
    // way between the lowest temperature and the top of the saturation curve
    // (a quarter of the way across when the top dew point lies below the
    // lowest temperature).
    double p1t = static_cast<double>(topDewPoint) - 2;
    if (p1t < s.MinDryBulb) {
        p1t = topDewPoint > s.MinDryBulb ? (static_cast<double>(s.MinDryBulb) + topDewPoint) / 2
                                         : s.MinDryBulb + (static_cast<double>(s.MaxDryBulb) - s.MinDryBulb) / 4;
    }
    line.p1 = Plane(s, p1t, s.MaxAbsHum, "enthalpy scale line");
    // The closing piece of top edge runs to the top of the saturation curve,
    // or stays at the scale line's end when that lies further right.
    line.closeX =
        Sgl(ChartX(s, std::max(static_cast<double>(topDewPoint), p1t), s.MaxAbsHum) + 1, "enthalpy scale line");
    line.m = Sgl(Div(static_cast<double>(line.p1.y) - line.p0.y, static_cast<double>(line.p1.x) - line.p0.x,
                     "enthalpy scale slope"));
    line.b = Sgl(line.p0.y - static_cast<double>(line.m) * line.p0.x, "enthalpy scale intercept");
    return line;
}

// The values drawn, in the display unit: the first above the lowest
// temperature's dry air, the last below the top-right corner, and the
// middle one that carries the symbol.
struct ValueRange {
    int first = 0;
    int last = 0;
    int mid = 0;
};

ValueRange EnthalpyValues(const ChartSettings& s, double factor, int step) {
    ValueRange r;
    r.first = CInt(Int(Div(kCpAir * s.MinDryBulb * factor, step, "first enthalpy") + 1) * step, "first enthalpy");
    const float hmax =
        Sgl(kCpAir * s.MaxDryBulb + 0.001 * s.MaxAbsHum * (kLatentHeat0 + kCpVapour * s.MaxDryBulb), "hmax");
    r.last = CInt(Int(static_cast<double>(hmax) * factor), "last enthalpy");
    r.mid = CInt(Int((r.last - r.first) * 0.5) + r.first + 2, "middle enthalpy");
    return r;
}

// The ends of the enthalpy lines: the lower end on the right or bottom edge,
// the upper end on the left edge, or, for a line meeting saturation first,
// on the scale line, the saturation curve or the top edge.
class EnthalpyLineEnds {
public:
    EnthalpyLineEnds(const Chart& chart, std::int16_t idxMin, float topY, const ScaleLine& scale)
        : s_(chart.settings)
        , tab_(chart.table)
        , idxMin_(idxMin)
        , topY_(topY)
        , scale_(scale)
        , s0_(static_cast<float>(tab_.S(idxMin))) {}

    // The lower end of the line of enthalpy k [kcal/kgDA]: on the right
    // edge, or on the bottom edge left of it.
    Point lower(float k) const {
        const float xr = Sgl(Div((k - kCpAir * s_.MaxDryBulb) * 1000, hRight_, "enthalpy right edge"));
        const Point a = Plane(s_, s_.MaxDryBulb, xr, "enthalpy lower end");
        const float tb = Sgl(Div(k, kCpAir, "enthalpy bottom edge"));
        if (tb < s_.MaxDryBulb)
            return {Sgl(static_cast<double>(s_.ScaleX) * kCpAir * tb + s_.OriginX), s_.OriginY};
        return a;
    }

    // The upper end of the line of enthalpy k whose lower end is a: where
    // the value crosses the lowest temperature, or, when it meets saturation
    // first, the scale line reached by extending the line through the
    // saturation crossing.
    Point upper(float k, Point a) {
        const float xl = Sgl(Div((k - kCpAir * s_.MinDryBulb) * 1000, hLeft_, "enthalpy left edge"));
        Point bp = Plane(s_, s_.MinDryBulb, xl, "enthalpy upper end");
        float xw = xl; // the humidity at the end, to check against the top edge
        if (s0_ < xl) {
            float xs = 0;
            const Point c = saturationCrossing(k, xs);
            xw = xs;
            bp = onScaleLine(a, c);
            // Nearly parallel to the scale line (a narrow chart) the
            // extension meets it far off the chart or behind the crossing:
            // the line then ends on the saturation curve.
            if (bp.x > c.x || bp.y < c.y || bp.x < ChartX(s_, s_.MinDryBulb, (bp.y - s_.OriginY) / s_.ScaleY) - 1) {
                bp = c;
            } else if (bp.y > topY_) {
                xw = s_.MaxAbsHum;
                bp = {Sgl(ChartX(s_, topEdge(k), s_.MaxAbsHum), "enthalpy top"), topY_};
            }
        }
        if (xw > s_.MaxAbsHum)
            bp = Plane(s_, topEdge(k), s_.MaxAbsHum, "enthalpy top");
        return keepRightOfLeftEdge(a, bp);
    }

private:
    // The temperature at which the value meets the top edge.
    float topEdge(float k) const {
        return Sgl(
            Div(k - 0.001 * s_.MaxAbsHum * kLatentHeat0, kCpAir + 0.001 * s_.MaxAbsHum * kCpVapour, "enthalpy top"));
    }

    // Where the value crosses the saturation curve, and the humidity xs
    // there. The walk starts one degree below the chart; table entry 0
    // holds no saturation point, so a chart starting at -20 starts at 1. A
    // value whose crossing lies beyond the highest temperature (a narrow
    // chart whose top-right corner is above saturation) goes on through the
    // filled table; past its end the interpolation divides by zero. The
    // lower neighbour is kept from value to value.
    Point saturationCrossing(float k, float& xs) {
        int i = std::max(idxMin_ - 1, 1);
        double hs = 0;
        for (; i <= kLastTableIndex; ++i) {
            const double ti = tab_.T(i), si = tab_.S(i);
            hs = 0.001 * si * (kLatentHeat0 + kCpVapour * ti) + kCpAir * ti;
            if (hs > k)
                break;
            low_ = {hs, si, ti};
        }
        const double r = Div(k - low_.h, hs - low_.h, "saturation crossing");
        const float ts = Sgl(low_.t + r * (tab_.T(i) - low_.t), "saturation crossing");
        xs = Sgl(low_.s + r * (tab_.S(i) - low_.s), "saturation crossing");
        return Plane(s_, ts, xs, "saturation crossing");
    }

    // Where the line from a through c meets the scale line.
    Point onScaleLine(Point a, Point c) const {
        const float m = scale_.m, b = scale_.b;
        const float m2 = Sgl(Div(static_cast<double>(c.y) - a.y, static_cast<double>(c.x) - a.x, "enthalpy slope"));
        const float b2 = Sgl(a.y - static_cast<double>(m2) * a.x);
        const double dm = static_cast<double>(m2) - m;
        return {Sgl(Div(static_cast<double>(b) - b2, dm, "scale line crossing")),
                Sgl(Div(static_cast<double>(m2) * b - static_cast<double>(m) * b2, dm, "scale line crossing"))};
    }

    // On a narrow chart the top-edge crossing can lie left of the lowest
    // temperature: the line then ends where it leaves the chart there.
    Point keepRightOfLeftEdge(Point a, Point bp) const {
        const double edgeX = ChartX(
            s_, s_.MinDryBulb,
            std::clamp((static_cast<double>(bp.y) - s_.OriginY) / s_.ScaleY, 0.0, static_cast<double>(s_.MaxAbsHum)));
        if (bp.x < edgeX - 1 && a.x > edgeX) {
            const double t = (edgeX - a.x) / (static_cast<double>(bp.x) - a.x);
            return {Sgl(edgeX), Sgl(a.y + t * (static_cast<double>(bp.y) - a.y))};
        }
        return bp;
    }

    const ChartSettings& s_;
    const SaturationTable& tab_;
    std::int16_t idxMin_;
    float topY_;
    const ScaleLine& scale_;
    float s0_; // saturation humidity at the lowest temperature
    // The latent part per g/kgDA (x1000) at the left and the right edge.
    double hLeft_ = kLatentHeat0 + kCpVapour * s_.MinDryBulb;
    double hRight_ = kLatentHeat0 + kCpVapour * s_.MaxDryBulb;
    SatPoint low_; // the lower neighbour of the saturation walk
};

// The value along its line near the upper end; the middle one also carries
// the symbol "h".
void LabelEnthalpyLine(PenPlotter& out, double u, Point end, float angle, int value, bool symbol) {
    const float lx = Sgl(end.x - 3 * u), ly = Sgl(end.y + u);
    if (symbol) {
        out.text({.text = "h",
                  .at = {lx - 2.25 * u, ly + 3.75 * u},
                  .size = 1.5 * u,
                  .italic = true,
                  .plotForm = {Separator::Zone, true, true}});
    }
    out.text({.at = {lx, ly}, .angle = angle, .size = 0.9 * u, .number = value, .plotForm = {Separator::Zone}});
}

} // namespace

// The saturation walk may run past IdxMax (to the end of the filled table),
// so the highest index of the chart is not needed here.
static void DrawEnthalpyLinesHeld(PenPlotter& out, const Chart& chart, std::int16_t idxMin, float topY,
                                  float topDewPoint) {
    const ChartSettings& s = chart.settings;
    const double factor = EnthalpyFactor(s.EnthalpyUnit);
    const int step = EnthalpyStep(s.EnthalpyUnit);

    out.pen({PenSlot::Enthalpy, 7});
    constexpr SegmentForm kZoned{Separator::Zone};

    const ScaleLine scale = EnthalpyScaleLine(chart, idxMin, topDewPoint);
    out.segment({scale.p0.x, scale.p0.y}, {scale.p1.x, scale.p1.y}, kZoned);
    out.segment({scale.p1.x, scale.p1.y}, {scale.closeX, scale.p1.y}, kZoned);

    const ValueRange values = EnthalpyValues(s, factor, step);
    EnthalpyLineEnds ends(chart, idxMin, topY, scale);
    for (int v = values.first; v <= values.last; v = Add16(v, step, "enthalpy value")) {
        const float k = Sgl(Div(v, factor, "enthalpy value"), "enthalpy value");
        const Point a = ends.lower(k);
        const Point bp = ends.upper(k, a);
        const float angle = Sgl(
            std::atan(Div(static_cast<double>(bp.y) - a.y, static_cast<double>(bp.x) - a.x, "enthalpy label angle")));
        out.segment({a.x, a.y}, {bp.x, bp.y}, kZoned);
        LabelEnthalpyLine(out, s.LabelUnit, bp, angle, v, v == values.mid);
    }
}

std::array<PlotPoint, 3> EnthalpyScaleCorners(const Chart& chart, std::int16_t idxMin, float topDewPoint) {
    const ScaleLine line = EnthalpyScaleLine(chart, idxMin, topDewPoint);
    return {PlotPoint{line.p0.x, line.p0.y}, PlotPoint{line.p1.x, line.p1.y}, PlotPoint{line.closeX, line.p1.y}};
}

// Numbers of the family that would run into each other are thinned, and
// nothing goes outside the plot window.
void DrawEnthalpyLines(PenPlotter& out, const Chart& chart, std::int16_t idxMin, float topY, float topDewPoint) {
    DrawFitted(out, chart.settings,
               [&](PenPlotter& held) { DrawEnthalpyLinesHeld(held, chart, idxMin, topY, topDewPoint); });
}

} // namespace hyg
