// Relative-humidity and saturation-degree curves: 29 levels from 2 % to
// 100 %, one point per whole degree, cut at the top edge and labelled once
// along the curve. The 100 % curve of either family is the saturation curve.
#include "chart/chart_driver.h"
#include "chart/label_fit.h"

#include "engine/basic.h"
#include "engine/number_format.h"

#include <cmath>

namespace hyg {

namespace {

enum class Family { RelHum, SatDegree };

// Direction of a label along the piece of curve from (x1, y1) to (x2, y2):
// the slope for the plotter and the angle for the screen. A vertical piece
// keeps slope 0 and turns the screen label by a right angle.
struct Direction {
    float slope = 0;
    float angle = 0;
};

Direction LabelDirection(double x1, double x2, double y1, double y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    Direction d;
    if (std::fabs(dx) >= 0.00001) {
        d.slope = Sgl(dy / dx, "label slope");
        d.angle = Sgl(std::atan(d.slope));
    } else {
        d.angle = Sgl((dy > 0 ? 1 : dy < 0 ? -1 : 0) * kPi / 2);
    }
    return d;
}

// Humidity [g/kgDA] of the curve `level` at table index i. The relative
// humidity converts with 760 and 622 whatever the chart pressure.
float CurveHumidity(Family family, const SaturationTable& tab, float level, int i) {
    const double si = tab.S(i);
    if (family == Family::SatDegree)
        return Sgl(level * si, "saturation degree humidity");
    const float pws = Sgl(Div(kStandardMmHg * si, si + kMolarRatioGrams, "vapour pressure"), "vapour pressure");
    const float pw = Sgl(static_cast<double>(level) * pws, "vapour pressure");
    return Sgl(Div(kMolarRatioGrams * pw, kStandardMmHg - pw, "relative humidity humidity"),
               "relative humidity humidity");
}

struct CurvePoint {
    float X = 0, Y = 0, x = 0;
};

CurvePoint CurveAt(Family family, const Chart& chart, float level, int i) {
    const ChartSettings& s = chart.settings;
    CurvePoint p;
    p.x = CurveHumidity(family, chart.table, level, i);
    double t = chart.table.T(i);
    if (family == Family::RelHum)
        t = CInt(t, "curve temperature");
    p.X = Sgl(ChartX(s, t, p.x), "curve X");
    p.Y = Sgl(ChartY(s, p.x), "curve Y");
    return p;
}

// The per-cent level of curve kk of group j: ten groups of a tenth each,
// the first three in five steps, the others in two.
float CurveLevel(int j, int kk, int m) {
    return Sgl(static_cast<double>(Sgl(static_cast<double>(kk) / (m * 10))) + (j - 1) / 10.0, "level");
}

// Whether the relative-humidity sample is left out: near the bottom edge
// the curve would run along the humidity it rounds to.
bool SkippedNearBottom(const ChartSettings& s, float level, const CurvePoint& cur) {
    return Sgl(static_cast<double>(level) * 500) >= Sgl(static_cast<double>(cur.Y) - s.OriginY) &&
           Sgl(static_cast<double>(level) * 10) == Sgl(Int(static_cast<double>(cur.x) * 10));
}

// One curve of the family at `level`, one sample per table index, cut where
// it reaches the top edge and labelled at `labelIdx`.
void DrawCurve(Family family, PenPlotter& out, const Chart& chart, float level, int labelIdx, std::int16_t idxMin,
               std::int16_t idxMax) {
    const ChartSettings& s = chart.settings;
    const bool rh = family == Family::RelHum;
    const std::int16_t p = CInt(static_cast<double>(level) * 100, "level percentage");

    CurvePoint prev = CurveAt(family, chart, level, idxMin);
    out.pen({rh ? PenSlot::RelHum : PenSlot::DryBulb});
    out.beginPolyline({prev.X, prev.Y}, rh ? Dash{kDot, 1, 4} : Dash{kSolid, 1, 6});
    for (int i = idxMin; i <= idxMax; ++i) {
        const CurvePoint cur = CurveAt(family, chart, level, i);
        if (rh && SkippedNearBottom(s, level, cur)) {
            out.polylineHold();
            continue;
        }
        // End point: the point itself, or where the piece from the previous
        // point reaches the top edge.
        float ex = cur.X, ey = cur.Y;
        if (!(cur.x < s.MaxAbsHum)) {
            const double f = Div(static_cast<double>(s.MaxAbsHum) - prev.x, static_cast<double>(cur.x) - prev.x,
                                 "curve top crossing");
            ex = Sgl(prev.X + f * (static_cast<double>(cur.X) - prev.X), "curve top crossing");
            ey = Sgl(prev.Y + f * (static_cast<double>(cur.Y) - prev.Y), "curve top crossing");
        }
        out.polylineTo({ex, ey});
        if (i == labelIdx) {
            if (rh)
                LabelRelHumCurve(out, s, prev.X, cur.X, prev.Y, cur.Y, p);
            else
                LabelSatDegreeCurve(out, s, prev.X, cur.X, prev.Y, cur.Y, p);
            // A dot in the label's colour marks the labelled sample.
            out.point({cur.X, cur.Y});
        }
        if (cur.x > s.MaxAbsHum)
            break;
        prev = cur;
    }
    out.endPolyline();
}

void DrawCurves(Family family, PenPlotter& out, const Chart& chart, std::int16_t tempCount, std::int16_t idxMin,
                std::int16_t idxMax) {
    const ChartSettings& s = chart.settings;
    const bool rh = family == Family::RelHum;
    out.pen({rh ? PenSlot::RelHum : PenSlot::DryBulb, rh ? 2 : 1});
    out.textSize(s.PlotTextSize3);
    const int labelIdx =
        rh ? idxMin + CInt(tempCount * 0.5, "label index") : CInt(tempCount * 3.0 / 4 + idxMin, "label index");
    for (int j = 1; j <= 10; ++j) {
        const int m = j < 4 ? 5 : 2;
        for (int kk = 1; kk <= m; ++kk)
            DrawCurve(family, out, chart, CurveLevel(j, kk, m), labelIdx, idxMin, idxMax);
    }
}

} // namespace

// The label of a curve where it crosses the label temperature: the level in
// per cent along the piece of curve from (x1, y1) to (x2, y2), and on the
// 60 % curve the family's symbol.
void LabelRelHumCurve(PenPlotter& out, const ChartSettings& s, double x1, double x2, double y1, double y2,
                      std::int16_t p) {
    const double u = s.LabelUnit;
    const Direction d = LabelDirection(x1, x2, y1, y2);
    const float lx = Sgl(x1 - (std::cos(d.angle) - 1) * u, "label X");
    const float ly = Sgl(y1 - (std::sin(d.angle) + 1) * u, "label Y");
    const double size = (p / 100.0 + 3) * u / 6;
    constexpr PlotForm kCommaClosed{Separator::Comma, true};
    out.pen({PenSlot::RelHum});
    out.lineStyle({});
    out.direction({d.slope});
    if (p == 60) {
        out.text({.text = "Phi",
                  .at = {lx - 4 * 0.8 * u, ly - 2.5 * 0.8 * u},
                  .angle = d.angle,
                  .size = 0.8 * u,
                  .italic = true,
                  .plotAt = PlotPoint{lx - 3.2 * u, ly - 2 * u},
                  .plotForm = kCommaClosed});
    }
    out.text(
        {.at = {lx, ly}, .angle = d.angle, .size = size, .number = p, .plotPattern = "##0", .plotForm = kCommaClosed});
    out.resetDirection(DirectionReset::Spaced);
}

void LabelSatDegreeCurve(PenPlotter& out, const ChartSettings& s, double x1, double x2, double y1, double y2,
                         std::int16_t p) {
    const double u = s.LabelUnit;
    const Direction d = LabelDirection(x1, x2, y1, y2);
    const double c = std::cos(d.angle), sn = std::sin(d.angle);
    // The anchor moves back by the width of the number.
    const double back = p < 10 ? 0.5 : p < 100 ? 1.0 : 1.5;
    const double down = p < 10 ? 0.2 : p < 100 ? 0.6 : 1.1;
    const float lx = Sgl(x1 - back * u * c, "label X");
    const float ly = Sgl(y1 - down * u * sn, "label Y");
    const double size = (p / 100.0 + 2) * u / 3.5;
    out.pen({PenSlot::Scale});
    out.lineStyle({});
    out.direction({d.slope});
    if (p == 60) {
        out.text({.text = "Psi",
                  .at = {x1 - 4.5 * u, y1 - 4 * u},
                  .angle = d.angle,
                  .size = u,
                  .italic = true,
                  .plotAt = PlotPoint{lx - 20 * u * c, ly - 15 * u * sn},
                  .plotForm = {Separator::Zone, true, true}});
    }
    out.text({.at = {lx, ly},
              .angle = d.angle,
              .size = size,
              .number = p,
              .pattern = "###",
              .plotPattern = "##0",
              .plotForm = {.closed = true}});
    out.resetDirection(DirectionReset::Closed);
}

static void DrawRelHumCurvesHeld(PenPlotter& out, const Chart& chart, std::int16_t tempCount, std::int16_t idxMin,
                                 std::int16_t idxMax) {
    DrawCurves(Family::RelHum, out, chart, tempCount, idxMin, idxMax);
}

static void DrawSatDegreeCurvesHeld(PenPlotter& out, const Chart& chart, std::int16_t tempCount, std::int16_t idxMin,
                                    std::int16_t idxMax) {
    DrawCurves(Family::SatDegree, out, chart, tempCount, idxMin, idxMax);
}

// Numbers of the family that would run into each other are thinned, and
// nothing goes outside the plot window.
void DrawRelHumCurves(PenPlotter& out, const Chart& chart, std::int16_t tempCount, std::int16_t idxMin,
                      std::int16_t idxMax) {
    DrawFitted(out, chart.settings,
               [&](PenPlotter& held) { DrawRelHumCurvesHeld(held, chart, tempCount, idxMin, idxMax); });
}

// Numbers of the family that would run into each other are thinned, and
// nothing goes outside the plot window.
void DrawSatDegreeCurves(PenPlotter& out, const Chart& chart, std::int16_t tempCount, std::int16_t idxMin,
                         std::int16_t idxMax) {
    DrawFitted(out, chart.settings,
               [&](PenPlotter& held) { DrawSatDegreeCurvesHeld(held, chart, tempCount, idxMin, idxMax); });
}

} // namespace hyg
