#include "chart/process_lines.h"

#include "engine/basic.h"
#include "engine/psychro.h"

#include <cmath>

namespace hyg {

namespace {

// Circle radii around a state point, plane units: the outer ring in the
// relative-humidity pen, the inner dot in dark yellow.
constexpr double kOuterRing = 10;
constexpr double kInnerDot = 4;
constexpr int kProcessLineWidth = 2; // pixels

// The angle constants as the arrow formula states them (not the exact
// multiples of pi: the barbs land where they always have).
constexpr double kHalfTurn = 3.141592;
constexpr double kQuarterTurn = 1.570796;

// The barbs end 0.8 sizes short of the middle, 0.15 sizes to either side.
constexpr double kBarbBack = 0.8;
constexpr double kBarbSpread = 0.15;

// The segment length carries a tiny addend so that a zero-length segment
// still has a (tiny) length to divide by.
constexpr double kLengthEpsilon = 1e-7;

} // namespace

PlotPoint StatePointOnChart(const ChartSettings& s, float dryBulb, float relHum) {
    const float ps = SatPressure(dryBulb);                                                  // atm
    const float pw = Sgl(static_cast<double>(ps) * relHum / 100.0 * 760.0, "state point"); // mmHg
    const float xg = Sgl(Div(622.0 * pw, static_cast<double>(s.PressureMmHg) - pw, "state point"), "state point");
    return {Checked(ChartX(s, dryBulb, xg), "state point X"), Checked(ChartY(s, xg), "state point Y")};
}

void DrawProcessArrowhead(PenPlotter& out, PlotPoint p0, PlotPoint p1, double size) {
    const double mx = (p0.x + p1.x) / 2, my = (p0.y + p1.y) / 2;
    const double dx = p1.x - p0.x, dy = p1.y - p0.y;
    const double half = std::sqrt(dx * dx + dy * dy + kLengthEpsilon) * 0.5;
    double theta = 0;
    if (dx == 0) {
        // Vertical: straight up or down without dividing by dx.
        theta = dy == 0 ? 0.0 : (dy < 0 ? kQuarterTurn : -kQuarterTurn);
    } else {
        theta = std::atan(-dy / dx);
        if (dx < 0)
            theta += kHalfTurn;
    }
    const double r = half - kBarbBack * size;
    // A half length of exactly 0.8 sizes leaves no room for the barbs and
    // no angle between them: such a segment gets no arrowhead. A shorter
    // one (negative r) turns the barbs to the far side of the middle.
    if (r == 0)
        return;
    const double phi = kBarbSpread * size / r;
    out.segment({mx, my}, {p0.x + r * std::cos(theta - phi), p0.y - r * std::sin(theta - phi)});
    out.segment({mx, my}, {p0.x + r * std::cos(theta + phi), p0.y - r * std::sin(theta + phi)});
}

void DrawProcessLines(PenPlotter& out, const ChartSettings& s, const StatePointList& points) {
    const int count = points.count;
    if (count < 1)
        return;
    if (count > StatePointList::kMaxStates)
        throw IndexFault("state point " + std::to_string(count));

    // The circles are filled with the colour the picture was drawing in when
    // the process lines began.
    out.fill(true);
    out.lineStyle(Dash{kSolid, kProcessLineWidth, 0});

    const double size = ProtractorRadius(s.PlaneXMin, s.PlaneXMax);
    const Pen linePen{PenSlot::Process, 0, std::nullopt};
    const Pen ringPen{PenSlot::RelHum, 0, std::nullopt};
    const Pen dotPen{PenSlot::Process, 0, palette::DarkYellow};
    const auto mark = [&](PlotPoint p) {
        out.pen(ringPen);
        out.circle(p, kOuterRing, CircleForm::Whole);
        out.pen(dotPen);
        out.circle(p, kInnerDot, CircleForm::Whole);
    };

    PlotPoint first, previous;
    for (int i = 1; i <= count; ++i) {
        const auto n = static_cast<std::size_t>(i);
        const PlotPoint p = StatePointOnChart(s, points.dryBulb[n], points.relHum[n]);
        out.pen(linePen);
        if (i == 1) {
            first = previous = p;
            continue;
        }
        out.segment(previous, p);
        DrawProcessArrowhead(out, previous, p, size);
        previous = p;
        mark(p);
    }
    if (count > 2) {
        out.pen(linePen);
        out.segment(previous, first);
        DrawProcessArrowhead(out, previous, first, size);
    }
    // The first state last, on top of the closing line.
    mark(first);

    out.fill(false);
    out.lineStyle(Dash{});
}

} // namespace hyg
