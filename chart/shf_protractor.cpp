// The sensible-heat-factor protractor: an origin mark at a chosen state and
// two fan scales, right and left of the chart. Each tick of factor s lies on
// the line through the origin along which a process of that factor runs, so
// a process line is drawn parallel to the line from the origin to a tick.
//
// A process of factor s changes the abscissa by s * dh and the humidity by
// (1 - s) * dh * 1000 / 597.3 g/kgDA, hence the plane slope
// m(s) = ((1 - s) * ScaleY * 1000 / 597.3) / (s * ScaleX).

#include "chart/chart_driver.h"
#include "chart/label_fit.h"

#include "engine/basic.h"
#include "engine/number_format.h"

#include <cmath>
#include <string>

namespace hyg {

namespace {

// The slant of the origin's symbol, 27 degrees.
constexpr double kSymbolAngle = 0.471238911151886;

// A tick's value along the tick, with the symbol "SHF" after it (right
// scale) or before it (left scale) on the symbol's tick.
void TickLabel(PenPlotter& out, double x, double y, float slope, const std::string& text, double size, bool symbol,
               double symX, double symY) {
    const double angle = std::atan(slope);
    out.move({x, y});
    out.direction({.slope = slope, .spaced = true});
    out.text({.text = text, .at = {x, y}, .angle = angle, .size = size, .plotAtPen = true});
    if (symbol)
        out.text({.text = "SHF", .at = {symX, symY}, .angle = angle, .size = size, .italic = true});
    out.resetDirection(DirectionReset::Spaced);
}

// The fan of process directions about the origin (X0, Y0).
struct Fan {
    const ChartSettings& s;
    float X0 = 0;
    float Y0 = 0;

    // The plane slope of a process of factor f.
    double slope(float f) const {
        return Div((1 - static_cast<double>(f)) * s.ScaleY * 1000 / kLatentHeat0Decimal,
                   f * static_cast<double>(s.ScaleX), "SHF direction");
    }
    // The ordinate at abscissa x of the line of factor f through the origin.
    float y(float f, float x) const { return Sgl(Y0 + slope(f) * (static_cast<double>(x) - X0), "SHF tick"); }
};

// An offset in some unit of length.
struct Offset {
    double x = 0;
    double y = 0;
};

// One of the two scales: its ticks start on the line x = base and end at
// shortEnd, or at longEnd for whole tenths, which are labelled. The label of
// a long tick stands label (in text units) from the tick's end; on the tick
// of symbolPercent the symbol stands symbol (in label sizes) from the label.
struct FanScale {
    float base = 0;
    float shortEnd = 0;
    float longEnd = 0;
    int symbolPercent = 0;
    Offset label;
    Offset symbol;
};

// What a scale drew: the number of ticks, the start of the first one and of
// the last one visited (the factor 1.0, at the origin's level).
struct ScaleTicks {
    int drawn = 0;
    float firstY = 0;
    float lastY = 0;
};

// The origin mark (a cross in a circle) and its slanted symbol.
void DrawOriginMark(PenPlotter& out, float X0, float Y0, double t) {
    out.segment({X0 - 30.0, Y0}, {X0 + 30.0, Y0});
    out.segment({X0, Y0 - 30.0}, {X0, Y0 + 30.0});
    out.circle({X0, Y0}, 30, CircleForm::Single);
    out.direction({std::tan(kSymbolAngle)});
    out.text({.text = "SHF", .at = {X0 - 8 * t, Y0 - 4 * t}, .angle = kSymbolAngle, .size = t, .italic = true});
    out.resetDirection(DirectionReset::Closed);
}

// Ticks every 0.02 from 0.30 to 1.00, long and labelled at whole tenths,
// kept only while they stay under the top of the chart (yLim).
ScaleTicks DrawFanScale(PenPlotter& out, const Fan& fan, const FanScale& scale, float yLim, double c) {
    ScaleTicks ticks;
    for (int i = 30; i <= 100; i += 2) {
        const float f = Sgl(i / 100.0);
        const float y0 = fan.y(f, scale.base);
        ticks.lastY = y0;
        const float tenths = Sgl(f * 10.0);
        const bool whole = Int(tenths) == tenths;
        const float x1 = whole ? scale.longEnd : scale.shortEnd;
        const float y1 = fan.y(f, x1);
        if (y1 > yLim)
            continue;
        if (++ticks.drawn == 1)
            ticks.firstY = y0;
        out.segment({scale.base, y0}, {x1, y1});
        if (!whole)
            continue;
        const double size = i == scale.symbolPercent ? c : 0.8 * c;
        const float slope = Sgl(Div(static_cast<double>(y1) - y0, static_cast<double>(x1) - scale.base, "SHF label"));
        const double lx = x1 + scale.label.x * c, ly = y1 + scale.label.y * c;
        TickLabel(out, lx, ly, slope, FormatNumber(f, "0.0"), size, i == scale.symbolPercent,
                  lx + scale.symbol.x * size, ly + scale.symbol.y * size);
    }
    return ticks;
}

} // namespace

static void DrawShfProtractorHeld(PenPlotter& out, const Chart& chart, float leftX, float topRightX, float shfOriginY) {
    const ChartSettings& s = chart.settings;
    const double c = s.LabelUnit;
    out.pen({PenSlot::RelHum});

    const Fan fan{
        s,
        Sgl(s.ScaleX * (kCpAir + s.DiagramType * kCpVapourDecimal * 0.001 * s.ShfOriginAbsHum) * s.ShfOriginDryBulb +
                s.OriginX,
            "SHF origin"),
        shfOriginY};
    // Right of the chart, the symbol after 0.8; left of it, below the origin,
    // the symbol before 0.4.
    const FanScale right{
        Sgl(topRightX + 420.0), Sgl(topRightX + 460.0), Sgl(topRightX + 500.0), 80, {0.5, -0.5}, {5.3, 0}};
    const FanScale left{Sgl(leftX - 220.0), Sgl(leftX - 260.0), Sgl(leftX - 300.0), 40, {-3, -1}, {-7, -1}};
    const float yLim = Sgl(static_cast<double>(s.MaxAbsHum) * s.ScaleY + s.OriginY + 2);

    DrawOriginMark(out, fan.X0, fan.Y0, 0.75 * c);
    const ScaleTicks r = DrawFanScale(out, fan, right, yLim, c);
    const ScaleTicks l = DrawFanScale(out, fan, left, yLim, c);

    // Base lines from the level of the last value (1.0, the origin's level)
    // to the first drawn tick; a scale without ticks has none.
    if (r.drawn > 0)
        out.segment({right.base, r.lastY}, {right.base, r.firstY});
    if (l.drawn > 0)
        out.segment({left.base, l.lastY}, {left.base, l.firstY});
}

// Numbers of the family that would run into each other are thinned.
// With its origin far from the chart (a cold chart at the default origin)
// the scales reach beyond the window; what lies outside is left out. On
// paper the numbers are set in the size the moisture-ratio protractor, when
// drawn, leaves in force.
void DrawShfProtractor(PenPlotter& out, const Chart& chart, float leftX, float topRightX, float shfOriginY) {
    const ChartSettings& s = chart.settings;
    DrawFitted(
        out, s, [&](PenPlotter& held) { DrawShfProtractorHeld(held, chart, leftX, topRightX, shfOriginY); },
        LineOn(s, ChartLine::MoistureRatio) ? s.PlotTextSize4 : s.PlotTextSize3);
}

} // namespace hyg
