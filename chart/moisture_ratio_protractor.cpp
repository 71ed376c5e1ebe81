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

#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/units.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace hyg {

namespace {

void PenUp(ChartDevice& dev, double x, double y) {
    dev.PlotLine({"PU", F(x), F(y)});
}
void PenDown(ChartDevice& dev, double x, double y) {
    dev.PlotLine({"PD", F(x), F(y), ETX});
}

struct Protractor {
    const ChartSettings& s;
    double ef = 1;         // EnthalpyFactor
    std::int16_t step = 1; // EnthalpyStep
    float cx = 0, cy = 0;  // centre
};

// The plane slope of a process of counter k: the oblique chart moves
// ScaleX * (u - 597.3) / 1000 across per g/kgDA and ScaleY up.
double CounterSlope(const Protractor& p, int k) {
    const double d = ((Div(k, p.ef, "moisture ratio") - 1) * p.s.ScaleX / 1000) * 100 + p.s.ScaleX * (-597.3) / 1000;
    return Div(p.s.ScaleY, d, "moisture-ratio direction");
}

// Rs(v): v rounded to a whole number of steps.
std::int16_t RoundToStep(const Protractor& p, double v) {
    const std::int16_t steps = CInt(Div(v, p.step, "moisture-ratio step"), "moisture-ratio counter");
    return CInt(static_cast<double>(steps) * p.step, "moisture-ratio counter");
}

// Works out the direction of counter k (turned into the opposite half-plane
// unless it lies at or beyond the reference angle and is not negative) and
// writes its value on the label ring. Returns the direction in radians.
float LabelMoistureRatio(ChartDevice& dev, const Protractor& p, float labelRadius, std::int16_t k, float angleOffset,
                         float referenceAngle, float textUnit) {
    const ChartSettings& s = p.s;
    const float slope = Sgl(CounterSlope(p, k), "moisture-ratio slope");
    float theta = Sgl(std::atan(slope));
    if (!(theta >= referenceAngle && theta >= 0))
        theta = Sgl(theta + kPi);

    const double x = p.cx + 0.98 * labelRadius * std::cos(angleOffset + theta);
    const double y = p.cy + 0.98 * labelRadius * std::sin(angleOffset + theta);
    const double textAngle = angleOffset + theta + kPi;

    const std::int32_t value = CLng((k - static_cast<double>(CInt(p.ef))) * 100, "moisture-ratio label");
    if (dev.isDraw()) {
        // Right-aligned in a field one wider than the number; longer numbers
        // are set smaller.
        const std::string text = GeneralNumber(value);
        int w = std::max<int>(static_cast<int>(text.size()), 3);
        if (value < 0)
            ++w;
        const std::string padded = std::string(static_cast<std::size_t>(w + 1) - text.size(), ' ') + text;
        dev.DrawLabel(x, y, textAngle, padded, s.PenColor[3], (2.0 / w) * textUnit, false);
    } else if (dev.isFile()) {
        PenUp(dev, x, y);
        dev.PlotLine({"DI", "1,", FormatNumber(slope, "0.0000##"), ETX});
        dev.PlotLine({"LB", N(value), ETX});
        dev.PlotLine({"DI 1, 0", ETX});
    }
    return theta;
}

struct Tick {
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// A tick along direction theta from 0.95 r to r about the centre.
Tick DrawRadialTick(ChartDevice& dev, const Protractor& p, float r, float theta) {
    Tick t;
    t.x1 = Sgl(p.cx + 0.95 * r * std::cos(theta));
    t.y1 = Sgl(p.cy + 0.95 * r * std::sin(theta));
    t.x2 = Sgl(p.cx + r * std::cos(theta));
    t.y2 = Sgl(p.cy + r * std::sin(theta));
    if (dev.isDraw()) {
        dev.DrawSegment(t.x1, t.y1, t.x2, t.y2, p.s.PenColor[6]);
    } else if (dev.isFile()) {
        PenUp(dev, t.x1, t.y1);
        PenDown(dev, t.x2, t.y2);
    }
    return t;
}

// Angle of a tick's outer end about the centre, in degrees, within -90..90.
double TickDegrees(const Protractor& p, const Tick& t) {
    return std::atan(Div(static_cast<double>(t.y2) - p.cy, static_cast<double>(t.x2) - p.cx, "protractor arc")) * 180 /
           kPi;
}

} // namespace

void DrawMoistureRatioProtractor(ChartDevice& dev, const Chart& chart, float leftX, float topY, float /*bottomRightX*/,
                                 float chartHeight) {
    const ChartSettings& s = chart.settings;
    const double c = s.LabelUnit;
    Protractor p{s};
    p.ef = EnthalpyFactor(s.EnthalpyUnit);
    p.step = EnthalpyStep(s.EnthalpyUnit);

    const float R = Sgl(chartHeight / 5.0);
    const float r2 = R;
    const float r3 = Sgl(R + 120.0);
    const float r4 = Sgl(R + 160.0);
    p.cx = Sgl(leftX + static_cast<double>(r4));
    p.cy = Sgl(topY - static_cast<double>(r4));
    const float cx = p.cx, cy = p.cy;

    // Centre mark and the symbol "u".
    if (dev.isDraw()) {
        dev.DrawSegment(cx - 30.0, cy, cx + 30.0, cy, s.PenColor[6]);
        dev.DrawSegment(cx, cy - 30.0, cx, cy + 30.0, s.PenColor[6]);
        dev.DrawCircle(cx, cy, 30, s.PenColor[6]);
        dev.DrawLabel(cx - 1.5 * c, cy + 2.25 * c, 0, "u", s.PenColor[6], 1.5 * c, true);
    } else if (dev.isFile()) {
        dev.PlotLine({"SP8", ETX});
        PenUp(dev, cx - 30.0, cy);
        PenDown(dev, cx + 30.0, cy);
        PenUp(dev, cx, cy - 30.0);
        PenDown(dev, cx, cy + 30.0);
        PenUp(dev, cx, cy);
        dev.PlotLine({"CI", ",", N(30), ",", N(0), ETX});
        PenUp(dev, cx - 15.0, cy + 50.0);
        dev.PlotLine({"LB", "u", ETX});
        dev.PlotLine({"SI", F(s.PlotTextSize4), F(2.0 * s.PlotTextSize4), ETX});
    }

    // The top counter. A range below the latent heat of the water (597.3
    // kcal/kg) would put the top direction below the horizontal and fold the
    // scale over itself; the top is then raised step by step to the first
    // counter above it, so the two sides still meet half a turn apart.
    std::int16_t kTop = RoundToStep(p, (CInt(s.MaxMoistureRatio) + 1) * p.ef);
    while (CounterSlope(p, kTop) <= 0)
        kTop = Add16(kTop, p.step, "moisture-ratio counter");
    const float thetaTop = Sgl(std::atan(CounterSlope(p, kTop)));

    double a1 = 0, a2 = 0;
    auto mark = [&](std::int16_t k, float reference) {
        const float theta = LabelMoistureRatio(dev, p, r3, k, 0.01f, reference, static_cast<float>(c));
        DrawRadialTick(dev, p, r2, theta);
        return DrawRadialTick(dev, p, r4, theta);
    };

    // Upper side: from -300 up to the top value, then the wider values.
    const float upperRef = Sgl(thetaTop - 0.01);
    for (std::int16_t k = RoundToStep(p, -3 * p.ef); k <= kTop; k = Add16(k, p.step, "moisture-ratio counter")) {
        const Tick outer = mark(k, upperRef);
        if (k == kTop)
            a1 = TickDegrees(p, outer);
    }
    for (double m : {-9.0, -5.0, -99.0, -39.0, -19.0})
        mark(RoundToStep(p, m * p.ef), upperRef);

    // Lower side: from the top value (again) up to 1500, then the wider values.
    // A range of 16 or more puts the top value beyond 1500; it is still drawn
    // once here, so the arcs end half a turn from where they start.
    const float lowerRef = Sgl(thetaTop + 0.01);
    const std::int16_t lowerEnd = std::max(kTop, RoundToStep(p, 16 * p.ef));
    for (std::int16_t k = kTop; k <= lowerEnd; k = Add16(k, p.step, "moisture-ratio counter")) {
        const Tick outer = mark(k, lowerRef);
        if (k == kTop)
            a2 = TickDegrees(p, outer) + 180;
    }
    for (double m : {21.0, 41.0, 101.0})
        mark(RoundToStep(p, m * p.ef), lowerRef);

    // The two arcs between the top value's ticks on either side.
    if (dev.isDraw()) {
        const double toRad = kPi / 180;
        dev.DrawArc(cx, cy, r2 - 30.0, a1 * toRad, a2 * toRad, s.PenColor[6]);
        dev.DrawArc(cx, cy, r4, a1 * toRad, a2 * toRad, s.PenColor[6]);
    } else if (dev.isFile()) {
        // The plotter arc starts in the direction of the range itself and
        // sweeps half a turn counter-clockwise.
        const double den = s.ScaleX * (CInt(s.MaxMoistureRatio) * 100 / 1000.0 - 597.3 / 1000);
        const double thetaMax = den > 0 ? std::atan(Div(s.ScaleY, den, "protractor arc")) : thetaTop;
        for (double r : {r2 - 25.0, static_cast<double>(r4)}) {
            PenUp(dev, cx + r * std::cos(thetaMax), cy + r * std::sin(thetaMax));
            dev.PlotLine({"PD", "AA", F(cx), ",", F(cy), N(180)});
        }
    }
}

} // namespace hyg
