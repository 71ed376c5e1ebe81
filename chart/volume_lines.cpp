// Lines of constant specific volume, one every VolumeStep of the display
// volume unit, each a straight segment from its upper end (saturation curve,
// left edge or top edge) to its lower end (just below the bottom edge, or
// on the right edge), labelled with its value; the symbol "v" goes on the
// line a third of the way through the range.
//
// The ends are found by walking an edge of the chart and interpolating
// linearly between the last sample at or below the value and the first one
// above it. The lines are visited in increasing value, so every walk resumes
// near where the previous line's walk stopped.

#include "chart/chart_driver.h"
#include "chart/label_fit.h"

#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/units.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace hyg {

namespace {

// How far a line end may pass an edge of the chart, plane units.
constexpr double kLineEndOverhang = 15;

// The inverse of the volume formula's gas factor (1000 / 0.004555 to six
// figures): volume [m3/kgDA] times standard atmospheres over (x + 622)
// gives the absolute temperature.
constexpr double kVolumeToKelvin = 2195.39 * 100;

// Specific volume [m3/kgDA] at the chart pressure, t deg C, x g/kgDA.
double Volume(const ChartSettings& s, double t, double x) {
    return AirPropertyValue(kSpecVolume, s.PressureMmHg, static_cast<float>(t), static_cast<float>(x));
}

// The coordinate at which `target` falls between two samples (a0, g0) and
// (a1, g1); equal sample values are a division by zero.
double Lerp(double a0, double g0, double a1, double g1, double target, const char* where) {
    return a0 + (a1 - a0) * Div(target - g0, g1 - g0, where);
}

// Abscissa of the chart plane for (t, x): ChartX, stored as a single.
float PlaneX(const ChartSettings& s, double t, double x) {
    return Sgl(ChartX(s, t, x), "volume line X");
}
float PlaneY(const ChartSettings& s, double x) {
    return Sgl(ChartY(s, x), "volume line Y");
}

// The value of a volume line along its line, below its lower end (or left of
// it when the line ends far right on the bottom edge); on the symbol line the
// symbol "v" below the chart first.
void LabelVolumeLine(PenPlotter& out, const Chart& chart, float lowX, float lowY, float upX, float upY,
                     float bottomRightX, float bottomY, int lineIndex, int symbolIndex, const std::string& text) {
    const ChartSettings& s = chart.settings;
    const double c = s.LabelUnit;
    const float slope =
        Sgl(Div(static_cast<double>(lowY) - upY, static_cast<double>(lowX) - upX, "volume label slope"));
    const double angle = std::atan(slope);

    const double symX = lowX + 4.5 * c;
    const double symY = bottomY - 6 * c;
    double valX = lowX + 0.5 * c;
    double valY = lowY - 20.0;
    if (lowX >= 0.95 * bottomRightX) {
        valX = lowX - 0.5 * c;
        valY = lowY + c;
    }
    const bool symbol = lineIndex == symbolIndex;

    out.pen({PenSlot::Scale});
    out.direction({.slope = slope, .spaced = true});
    if (symbol)
        out.text({.text = "v", .at = {symX, symY}, .angle = angle, .size = 1.5 * c, .italic = true});
    out.text({.text = text, .at = {valX, valY}, .angle = angle, .size = 0.8 * c});
    out.resetDirection(DirectionReset::Spaced);
}

} // namespace

static void DrawVolumeLinesHeld(PenPlotter& out, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax,
                                float bottomRightX, float bottomY) {
    const ChartSettings& s = chart.settings;
    const SaturationTable& tab = chart.table;
    const UnitSystem unit = s.EnthalpyUnit;
    const double f = VolumeFactor(unit);
    const double step = VolumeStep(unit);

    out.pen({PenSlot::Volume, 5});

    const double vmin = Volume(s, s.MinDryBulb, 0);
    const double vmax = Volume(s, s.MaxDryBulb, s.MaxAbsHum);
    const std::int16_t nFirst = CInt(Int(Div(vmin * f, step, "volume range")) + 1, "volume line index");
    const std::int16_t nLast = CInt(Int(Div(vmax * f, step, "volume range")), "volume line index");
    const std::int16_t nSym = CInt(nFirst + Int((nLast - nFirst) / 3.0), "volume symbol index");

    const float xBelow = Sgl(Div(-70.0, s.ScaleY, "volume line foot"));

    // Where each walk resumes. The table walks skip entry 0, which is not a
    // temperature of the table (it holds 0 deg C out of sequence).
    int satStart = 1;
    int topStart = 1;
    int leftStart = 0;
    int bottomStart = 0;

    const int leftBound = static_cast<int>(Int(tab.S(idxMin))) + 1;
    const int bottomBound = CInt(s.MaxAbsHum);

    for (int n = nFirst; n <= nLast; n = Add16(n, 1, "volume line index")) {
        const float V = Sgl(n * step, "volume line value");
        const std::string text = FormatNumber(V, V < 5 ? "0.00" : "00.0");

        // Saturation end.
        int i = satStart;
        while (i <= idxMax && f * Volume(s, tab.T(i), tab.S(i)) <= V)
            ++i;
        if (i > idxMax)
            continue; // the value lies beyond the chart's saturation curve
        satStart = i - 1 >= 1 ? i - 1 : 1;
        float tU = tab.T(i);
        float xU = static_cast<float>(tab.S(i));
        if (i - 1 >= 1) {
            const double g0 = f * Volume(s, tab.T(i - 1), tab.S(i - 1));
            const double g1 = f * Volume(s, tab.T(i), tab.S(i));
            const double r = Div(V - g0, g1 - g0, "volume saturation end");
            tU = Sgl(tab.T(i - 1) + r * (tab.T(i) - tab.T(i - 1)));
            xU = Sgl(tab.S(i - 1) + r * (tab.S(i) - tab.S(i - 1)));
        }

        if (tU >= s.MinDryBulb && xU > s.MaxAbsHum) {
            // Leaves through the top edge.
            int j = topStart;
            while (j <= idxMax && f * Volume(s, tab.T(j), s.MaxAbsHum) <= V)
                ++j;
            if (j > idxMax)
                continue;
            topStart = j - 1 >= 1 ? j - 1 : 1;
            tU = tab.T(j);
            if (j - 1 >= 1) {
                tU = Sgl(Lerp(tab.T(j - 1), f * Volume(s, tab.T(j - 1), s.MaxAbsHum), tab.T(j),
                              f * Volume(s, tab.T(j), s.MaxAbsHum), V, "volume top end"));
            }
            xU = s.MaxAbsHum;
        } else if (tU < s.MinDryBulb) {
            // Leaves through the left edge; humidity 0 is sampled at 0.05.
            auto sample = [&](int x) { return f * Volume(s, s.MinDryBulb, x == 0 ? 0.05 : x); };
            int x = leftStart;
            while (x <= leftBound && sample(x) <= V)
                ++x;
            if (x > leftBound)
                continue;
            leftStart = x - 1 >= 0 ? x - 1 : 0;
            const double x1 = x == 0 ? 0.05 : x;
            if (x == 0) {
                // Crosses below the first sample: between dry air and 0.05.
                xU = Sgl(Lerp(0, f * Volume(s, s.MinDryBulb, 0), x1, sample(0), V, "volume left end"));
            } else {
                const double x0 = x - 1 == 0 ? 0.05 : x - 1;
                xU = Sgl(Lerp(x0, sample(x - 1), x1, sample(x), V, "volume left end"));
            }
            tU = s.MinDryBulb;
            if (xU <= 0)
                continue; // crosses the left edge at or below the bottom: nothing to draw
        }

        // Lower end along the right edge; humidity 0 is sampled at 0.04.
        auto sampleRight = [&](int x) { return f * Volume(s, s.MaxDryBulb, x == 0 ? 0.04 : x); };
        int x = bottomStart;
        while (x <= bottomBound && sampleRight(x) <= V)
            ++x;
        const float upX = PlaneX(s, tU, xU);
        const float upY = PlaneY(s, xU);
        float lowX = 0, lowY = 0;
        if (x <= bottomBound)
            bottomStart = x;
        if (x == 0) {
            // Meets the bottom edge: extended 70 plane units below it, with
            // the temperature from the inverse of the volume formula.
            const double tL = Div((V / f) * kVolumeToKelvin * (s.PressureMmHg / kStandardMmHg),
                                  xBelow + kMolarRatioGrams, "volume foot temperature") -
                              kZeroCelsius;
            lowX = PlaneX(s, Sgl(tL), xBelow);
            // Near the right corner the extension can pass the right edge;
            // more than a line end's overhang, it keeps to the edge.
            const double edge = s.ScaleX * kCpAir * s.MaxDryBulb + s.OriginX;
            if (lowX > edge + kLineEndOverhang)
                lowX = Sgl(edge);
            lowY = PlaneY(s, xBelow);
        } else if (x <= bottomBound && x <= s.MaxAbsHum) {
            const double x0 = x - 1 == 0 ? 0.04 : x - 1;
            const float xL = Sgl(Lerp(x0, sampleRight(x - 1), x, sampleRight(x), V, "volume right end"));
            lowX = PlaneX(s, s.MaxDryBulb, xL);
            lowY = PlaneY(s, xL);
        } else {
            lowX = Sgl(upX - 0.1);
            lowY = Sgl(upY + 0.1);
        }

        out.pen({PenSlot::Volume});
        out.segment({upX, upY}, {lowX, lowY});
        LabelVolumeLine(out, chart, lowX, lowY, upX, upY, bottomRightX, bottomY, n, nSym, text);
    }
}

// Numbers of the family that would run into each other are thinned, and
// nothing goes outside the plot window.
void DrawVolumeLines(PenPlotter& out, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax, float bottomRightX,
                     float bottomY) {
    DrawFitted(out, chart.settings,
               [&](PenPlotter& held) { DrawVolumeLinesHeld(held, chart, idxMin, idxMax, bottomRightX, bottomY); });
}

} // namespace hyg
