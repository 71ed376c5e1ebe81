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

} // namespace

static void DrawShfProtractorHeld(PenPlotter& out, const Chart& chart, float leftX, float topRightX, float shfOriginY) {
    const ChartSettings& s = chart.settings;
    const double c = s.LabelUnit;
    out.pen({PenSlot::RelHum});
    const double t = 0.75 * c;

    const float X0 =
        Sgl(s.ScaleX * (kCpAir + s.DiagramType * kCpVapourDecimal * 0.001 * s.ShfOriginAbsHum) * s.ShfOriginDryBulb +
                s.OriginX,
            "SHF origin");
    const float Y0 = shfOriginY;
    const float XA = Sgl(topRightX + 420.0), XB = Sgl(topRightX + 460.0), XC = Sgl(topRightX + 500.0);
    const float XD = Sgl(leftX - 220.0), XE = Sgl(leftX - 260.0), XF = Sgl(leftX - 300.0);
    const float yLim = Sgl(static_cast<double>(s.MaxAbsHum) * s.ScaleY + s.OriginY + 2);

    auto slopeOf = [&](float f) {
        return Div((1 - static_cast<double>(f)) * s.ScaleY * 1000 / kLatentHeat0Decimal,
                   f * static_cast<double>(s.ScaleX), "SHF direction");
    };
    auto fanY = [&](float f, float x) { return Sgl(Y0 + slopeOf(f) * (static_cast<double>(x) - X0), "SHF tick"); };
    auto factor = [](int i) { return Sgl(i / 100.0); };

    // Origin mark and its symbol.
    out.segment({X0 - 30.0, Y0}, {X0 + 30.0, Y0});
    out.segment({X0, Y0 - 30.0}, {X0, Y0 + 30.0});
    out.circle({X0, Y0}, 30, CircleForm::Single);
    out.direction({std::tan(kSymbolAngle)});
    out.text({.text = "SHF", .at = {X0 - 8 * t, Y0 - 4 * t}, .angle = kSymbolAngle, .size = t, .italic = true});
    out.resetDirection(DirectionReset::Closed);

    // Right scale: ticks every 0.02 from 0.30 to 1.00, long and labelled at
    // whole tenths, kept only while they stay under the top of the chart.
    int drawn = 0;
    float firstYA = 0, YA = 0;
    for (int i = 30; i <= 100; i += 2) {
        const float f = factor(i);
        YA = fanY(f, XA);
        const float tenths = Sgl(f * 10.0);
        if (std::fabs(tenths - Int(tenths)) > 0.00001) {
            const float YB = fanY(f, XB);
            if (YB > yLim)
                continue;
            if (++drawn == 1)
                firstYA = YA;
            out.segment({XA, YA}, {XB, YB});
        } else {
            const float YC = fanY(f, XC);
            if (YC > yLim)
                continue;
            if (++drawn == 1)
                firstYA = YA;
            out.segment({XA, YA}, {XC, YC});
            const double size = i == 80 ? c : 0.8 * c;
            const float slope = Sgl(Div(static_cast<double>(YC) - YA, static_cast<double>(XC) - XA, "SHF label"));
            const double lx = XC + 0.5 * c, ly = YC - 0.5 * c;
            TickLabel(out, lx, ly, slope, FormatNumber(f, "0.0"), size, i == 80, lx + 5.3 * size, ly);
        }
    }
    const int drawnRight = drawn;
    const float lastYA = YA;

    // Left scale, below the origin.
    drawn = 0;
    float firstYD = 0, YD = 0;
    for (int i = 30; i <= 100; i += 2) {
        const float f = factor(i);
        YD = fanY(f, XD);
        const float tenths = Sgl(f * 10.0);
        if (Int(tenths) != tenths) {
            const float YE = fanY(f, XE);
            if (YE > yLim)
                continue;
            if (++drawn == 1)
                firstYD = YD;
            out.segment({XD, YD}, {XE, YE});
        } else {
            const float YF = fanY(f, XF);
            if (YF > yLim)
                continue;
            if (++drawn == 1)
                firstYD = YD;
            out.segment({XD, YD}, {XF, YF});
            const double size = i == 40 ? c : 0.8 * c;
            const float slope = Sgl(Div(static_cast<double>(YF) - YD, static_cast<double>(XF) - XD, "SHF label"));
            const double lx = XF - 3 * c, ly = YF - c;
            TickLabel(out, lx, ly, slope, FormatNumber(f, "0.0"), size, i == 40, lx - 7 * size, ly - size);
        }
    }

    // Base lines from the level of the last value (1.0, the origin's level)
    // to the first drawn tick; a scale without ticks has none.
    if (drawnRight > 0)
        out.segment({XA, lastYA}, {XA, firstYA});
    if (drawn > 0)
        out.segment({XD, YD}, {XD, firstYD});
}

// Numbers of the family that would run into each other are thinned.
// With its origin far from the chart (a cold chart at the default origin)
// the scales reach beyond the window; what lies outside is left out.
void DrawShfProtractor(PenPlotter& out, const Chart& chart, float leftX, float topRightX, float shfOriginY) {
    DrawFitted(out, chart.settings,
               [&](PenPlotter& held) { DrawShfProtractorHeld(held, chart, leftX, topRightX, shfOriginY); });
}

} // namespace hyg
