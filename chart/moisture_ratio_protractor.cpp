// The moisture-ratio protractor: a half ring near the top-left corner of the
// chart whose ticks show the direction a process of a given moisture ratio
// u (enthalpy change per humidity change) takes on the chart.
//
// The scale values are 16-bit counters k; counter k stands for the moisture
// ratio (k / EF - 1) * 100 kcal/kg and is labelled (k - CInt(EF)) * 100 in
// the display unit. Values up to the top counter are drawn on the upper side
// of the centre; from the top counter on, the lower side carries them turned
// by half a turn, so that the two sides together span exactly half a turn.

#include "chart/chart_driver.h"
#include "chart/label_fit.h"

#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/units.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace hyg {

namespace {

struct Protractor {
    const ChartSettings& s;
    double ef = 1;         // EnthalpyFactor
    std::int16_t step = 1; // EnthalpyStep
    float cx = 0, cy = 0;  // centre
};

// The plane slope of a process of counter k: the oblique chart moves
// ScaleX * (u - 597.3) / 1000 across per g/kgDA and ScaleY up.
double CounterSlope(const Protractor& p, int k) {
    const double d =
        ((Div(k, p.ef, "moisture ratio") - 1) * p.s.ScaleX / 1000) * 100 + p.s.ScaleX * (-kLatentHeat0Decimal) / 1000;
    return Div(p.s.ScaleY, d, "moisture-ratio direction");
}

// Rs(v): v rounded to a whole number of steps.
std::int16_t RoundToStep(const Protractor& p, double v) {
    const std::int16_t steps = CInt(Div(v, p.step, "moisture-ratio step"), "moisture-ratio counter");
    return CInt(static_cast<double>(steps) * p.step, "moisture-ratio counter");
}

// Works out the direction of counter k and writes its value on the label
// ring. Returns the direction in radians. A process runs up the chart, so
// on the upper side of the ring a direction lies in the upper half-plane;
// the lower side holds the opposite directions.
float LabelMoistureRatio(PenPlotter& out, const Protractor& p, float labelRadius, std::int16_t k, float angleOffset,
                         bool lowerSide, float textUnit) {
    const float slope = Sgl(CounterSlope(p, k), "moisture-ratio slope");
    float theta = Sgl(std::atan(slope));
    if ((theta < 0) != lowerSide)
        theta = Sgl(theta + kPi);

    const double x = p.cx + 0.98 * labelRadius * std::cos(angleOffset + theta);
    const double y = p.cy + 0.98 * labelRadius * std::sin(angleOffset + theta);
    const double textAngle = angleOffset + theta + kPi;

    const std::int32_t value = CLng((k - static_cast<double>(CInt(p.ef))) * 100, "moisture-ratio label");
    // Right-aligned in a field one wider than the number; longer numbers
    // are set smaller. The plotter writes the bare number.
    const std::string text = GeneralNumber(value);
    int w = std::max<int>(static_cast<int>(text.size()), 3);
    if (value < 0)
        ++w;
    const std::string padded = std::string(static_cast<std::size_t>(w + 1) - text.size(), ' ') + text;
    out.pen({PenSlot::RelHum});
    out.move({x, y});
    out.direction({slope});
    out.text({.text = padded,
              .at = {x, y},
              .angle = textAngle,
              .size = (2.0 / w) * textUnit,
              .number = value,
              .plotAtPen = true});
    out.resetDirection(DirectionReset::Spaced);
    return theta;
}

struct Tick {
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// A tick along direction theta from 0.95 r to r about the centre.
Tick DrawRadialTick(PenPlotter& out, const Protractor& p, float r, float theta) {
    Tick t;
    t.x1 = Sgl(p.cx + 0.95 * r * std::cos(theta));
    t.y1 = Sgl(p.cy + 0.95 * r * std::sin(theta));
    t.x2 = Sgl(p.cx + r * std::cos(theta));
    t.y2 = Sgl(p.cy + r * std::sin(theta));
    out.pen({PenSlot::MoistureRatio});
    out.segment({t.x1, t.y1}, {t.x2, t.y2});
    return t;
}

// Angle of a tick's outer end about the centre, in degrees, within -90..90.
double TickDegrees(const Protractor& p, const Tick& t) {
    return std::atan(Div(static_cast<double>(t.y2) - p.cy, static_cast<double>(t.x2) - p.cx, "protractor arc")) * 180 /
           kPi;
}

// The radii of the protractor: the inner ticks, the labels, the outer ticks.
struct Rings {
    float ticks = 0;
    float labels = 0;
    float outer = 0;
};

// The centre mark (a cross in a circle) and the symbol "u"; the plotter
// keeps the protractor's text size from here on.
void DrawCentreMark(PenPlotter& out, const ChartSettings& s, float cx, float cy) {
    const double c = s.LabelUnit;
    out.pen({PenSlot::MoistureRatio, 8});
    out.segment({cx - 30.0, cy}, {cx + 30.0, cy});
    out.segment({cx, cy - 30.0}, {cx, cy + 30.0});
    out.circle({cx, cy}, 30, CircleForm::Whole);
    out.text({.text = "u",
              .at = {cx - 1.5 * c, cy + 2.25 * c},
              .size = 1.5 * c,
              .italic = true,
              .plotAt = PlotPoint{cx - 15.0, cy + 50.0}});
    out.textSize(s.PlotTextSize4);
}

// Counter k on one side of the ring: its label and its inner and outer
// ticks. Returns the outer tick.
Tick MarkCounter(PenPlotter& out, const Protractor& p, const Rings& rings, std::int16_t k, bool lowerSide) {
    const float theta =
        LabelMoistureRatio(out, p, rings.labels, k, 0.01f, lowerSide, static_cast<float>(p.s.LabelUnit));
    DrawRadialTick(out, p, rings.ticks, theta);
    return DrawRadialTick(out, p, rings.outer, theta);
}

// Upper side: from -300 up to the top value, then the wider values. Returns
// the angle [degrees] of the top value's tick, 0 to 180.
double DrawUpperSide(PenPlotter& out, const Protractor& p, const Rings& rings, std::int16_t kTop) {
    double a1 = 0;
    for (std::int16_t k = RoundToStep(p, -3 * p.ef); k <= kTop; k = Add16(k, p.step, "moisture-ratio counter")) {
        const Tick outer = MarkCounter(out, p, rings, k, false);
        if (k == kTop) {
            a1 = TickDegrees(p, outer);
            if (a1 < 0) // pointing up and to the left
                a1 += 180;
        }
    }
    for (double m : {-9.0, -5.0, -99.0, -39.0, -19.0})
        MarkCounter(out, p, rings, RoundToStep(p, m * p.ef), false);
    return a1;
}

// Lower side: from the top value (again) up to 1500, then the wider values.
// A range of 16 or more puts the top value beyond 1500; it is still drawn
// once here, so the arcs end half a turn from where they start. Returns the
// angle [degrees] of the top value's tick on this side, at least a quarter
// turn past a1.
double DrawLowerSide(PenPlotter& out, const Protractor& p, const Rings& rings, std::int16_t kTop, double a1) {
    double a2 = 0;
    const std::int16_t lowerEnd = std::max(kTop, RoundToStep(p, 16 * p.ef));
    for (std::int16_t k = kTop; k <= lowerEnd; k = Add16(k, p.step, "moisture-ratio counter")) {
        const Tick outer = MarkCounter(out, p, rings, k, true);
        if (k == kTop) {
            a2 = TickDegrees(p, outer) + 180;
            if (a2 < a1 + 90)
                a2 += 180;
        }
    }
    for (double m : {21.0, 41.0, 101.0})
        MarkCounter(out, p, rings, RoundToStep(p, m * p.ef), true);
    return a2;
}

// The two arcs between the top value's ticks on either side, a1 to a2
// degrees. The plotter's arc starts in the direction of the range itself and
// sweeps half a turn counter-clockwise, a little further in than the
// screen's inner arc.
void DrawArcs(PenPlotter& out, const Protractor& p, const Rings& rings, double a1, double a2) {
    const ChartSettings& s = p.s;
    const double den = s.ScaleX * (CInt(s.MaxMoistureRatio) * 100 / 1000.0 - kLatentHeat0Decimal / 1000);
    const double thetaMax = den > 0 ? std::atan(Div(s.ScaleY, den, "protractor arc")) : std::atan2(s.ScaleY, den);
    const double toRad = kPi / 180;
    out.pen({PenSlot::MoistureRatio});
    const auto arc = [&](double screenRadius, double plotRadius) {
        out.arc({.centre = {p.cx, p.cy},
                 .radius = screenRadius,
                 .from = a1 * toRad,
                 .to = a2 * toRad,
                 .plotStart = {p.cx + plotRadius * std::cos(thetaMax), p.cy + plotRadius * std::sin(thetaMax)},
                 .plotSweep = 180});
    };
    arc(rings.ticks - 30.0, rings.ticks - 25.0);
    arc(rings.outer, rings.outer);
}

} // namespace

static void DrawMoistureRatioProtractorHeld(PenPlotter& out, const Chart& chart, float leftX, float topY,
                                            float chartHeight) {
    const ChartSettings& s = chart.settings;
    Protractor p{s};
    p.ef = EnthalpyFactor(s.EnthalpyUnit);
    p.step = EnthalpyStep(s.EnthalpyUnit);

    const float R = Sgl(chartHeight / 5.0);
    const Rings rings{R, Sgl(R + 120.0), Sgl(R + 160.0)};
    p.cx = Sgl(leftX + static_cast<double>(rings.outer));
    p.cy = Sgl(topY - static_cast<double>(rings.outer));

    DrawCentreMark(out, s, p.cx, p.cy);

    // The top counter: the range the user chose. A range below the latent
    // heat of the water (597.3 kcal/kg) points up and to the left; the ring
    // then lies further round, still half a turn from the top value's tick
    // on the one side to its tick on the other.
    const std::int16_t kTop = RoundToStep(p, (CInt(s.MaxMoistureRatio) + 1) * p.ef);
    const double a1 = DrawUpperSide(out, p, rings, kTop);
    const double a2 = DrawLowerSide(out, p, rings, kTop, a1);
    DrawArcs(out, p, rings, a1, a2);
}

// Numbers of the family that would run into each other are thinned, and
// nothing goes outside the plot window.
void DrawMoistureRatioProtractor(PenPlotter& out, const Chart& chart, float leftX, float topY, float chartHeight) {
    DrawFitted(out, chart.settings,
               [&](PenPlotter& held) { DrawMoistureRatioProtractorHeld(held, chart, leftX, topY, chartHeight); });
}

} // namespace hyg
