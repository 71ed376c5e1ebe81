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
#include "chart/edge_walk.h"
#include "chart/label_fit.h"

#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/units.h"

#include <algorithm>
#include <cmath>
#include <optional>
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

// The ends of the volume lines, found by walking the chart's edges: the
// upper end on the saturation curve, the top edge or the left edge, the
// lower end on the right edge or below the bottom edge.
class VolumeLineEnds {
public:
    VolumeLineEnds(const Chart& chart, std::int16_t idxMin, std::int16_t idxMax)
        : s_(chart.settings)
        , tab_(chart.table)
        , f_(VolumeFactor(s_.EnthalpyUnit))
        , xBelow_(Sgl(Div(-70.0, s_.ScaleY, "volume line foot")))
        // The table walks skip entry 0, which is not a temperature of the
        // table (it holds 0 deg C out of sequence).
        , saturation_(
              1, idxMax, [this](int i) { return tab_.T(i); },
              [this](int i) { return f_ * Volume(s_, tab_.T(i), tab_.S(i)); })
        , top_(
              1, idxMax, [this](int i) { return tab_.T(i); },
              [this](int i) { return f_ * Volume(s_, tab_.T(i), s_.MaxAbsHum); })
        // Humidity 0 is sampled at 0.05 on the left edge; the crossing below
        // that sample starts from dry air.
        , left_(
              0, static_cast<int>(Int(tab_.S(idxMin))) + 1, [](int x) { return x < 0 ? 0.0 : (x == 0 ? 0.05 : x); },
              [this](int x) { return f_ * Volume(s_, s_.MinDryBulb, left_.position(x)); })
        // Humidity 0 is sampled at 0.04 on the right edge.
        , right_(
              0, CInt(s_.MaxAbsHum), [](int x) { return x == 0 ? 0.04 : x; },
              [this](int x) { return f_ * Volume(s_, s_.MaxDryBulb, right_.position(x)); }) {}
    // The edges' samples refer back to this object.
    VolumeLineEnds(const VolumeLineEnds&) = delete;
    VolumeLineEnds& operator=(const VolumeLineEnds&) = delete;

    // The upper end of the line of volume V (display unit); none when the
    // line misses the chart.
    std::optional<ChartState> upper(double V) {
        std::optional<ChartState> end = saturationEnd(V);
        if (!end)
            return end; // the value lies beyond the chart's saturation curve
        if (end->t >= s_.MinDryBulb && end->x > s_.MaxAbsHum)
            return topEnd(V);
        if (end->t < s_.MinDryBulb)
            return leftEnd(V);
        return end;
    }

    // The lower end of the line of volume V in plane units, for the upper
    // end at (upX, upY).
    PlotPoint lower(double V, float upX, float upY) {
        const int x = right_.walk(bottomStart_, V);
        if (x <= right_.last())
            bottomStart_ = x;
        if (x == 0)
            return foot(V);
        if (x <= right_.last() && x <= s_.MaxAbsHum) {
            const float xL = Sgl(right_.crossing(x, V, "volume right end"));
            return {PlaneX(s_, s_.MaxDryBulb, xL), PlaneY(s_, xL)};
        }
        return {Sgl(upX - 0.1), Sgl(upY + 0.1)};
    }

private:
    std::optional<ChartState> saturationEnd(double V) {
        const int i = saturation_.walk(satStart_, V);
        if (i > saturation_.last())
            return std::nullopt;
        satStart_ = saturation_.resumeBefore(i);
        if (i == saturation_.first())
            return ChartState{tab_.T(i), static_cast<float>(tab_.S(i))};
        const double r = saturation_.fraction(i, V, "volume saturation end");
        return ChartState{Sgl(tab_.T(i - 1) + r * (tab_.T(i) - tab_.T(i - 1))),
                          Sgl(tab_.S(i - 1) + r * (tab_.S(i) - tab_.S(i - 1)))};
    }

    // The line leaves through the top edge.
    std::optional<ChartState> topEnd(double V) {
        const int j = top_.walk(topStart_, V);
        if (j > top_.last())
            return std::nullopt;
        topStart_ = top_.resumeBefore(j);
        return ChartState{Sgl(top_.meet(j, V, "volume top end")), s_.MaxAbsHum};
    }

    // The line leaves through the left edge; crossing it at or below the
    // bottom leaves nothing to draw.
    std::optional<ChartState> leftEnd(double V) {
        const int x = left_.walk(leftStart_, V);
        if (x > left_.last())
            return std::nullopt;
        leftStart_ = left_.resumeBefore(x);
        const float xU = Sgl(left_.crossing(x, V, "volume left end"));
        if (xU <= 0)
            return std::nullopt;
        return ChartState{s_.MinDryBulb, xU};
    }

    // A line meeting the bottom edge is extended 70 plane units below it,
    // with the temperature from the inverse of the volume formula.
    PlotPoint foot(double V) const {
        const double tL = Div((V / f_) * kVolumeToKelvin * (s_.PressureMmHg / kStandardMmHg),
                              xBelow_ + kMolarRatioGrams, "volume foot temperature") -
                          kZeroCelsius;
        float lowX = PlaneX(s_, Sgl(tL), xBelow_);
        // Near the right corner the extension can pass the right edge; more
        // than a line end's overhang, it keeps to the edge.
        const double edge = s_.ScaleX * kCpAir * s_.MaxDryBulb + s_.OriginX;
        if (lowX > edge + kLineEndOverhang)
            lowX = Sgl(edge);
        return {lowX, PlaneY(s_, xBelow_)};
    }

    const ChartSettings& s_;
    const SaturationTable& tab_;
    double f_;     // volume display factor
    float xBelow_; // humidity 70 plane units below the bottom edge
    ChartEdge saturation_, top_, left_, right_;
    // Where each walk resumes.
    int satStart_ = 1;
    int topStart_ = 1;
    int leftStart_ = 0;
    int bottomStart_ = 0;
};

} // namespace

static void DrawVolumeLinesHeld(PenPlotter& out, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax,
                                float bottomRightX, float bottomY) {
    const ChartSettings& s = chart.settings;
    const double f = VolumeFactor(s.EnthalpyUnit);
    const double step = VolumeStep(s.EnthalpyUnit);

    out.pen({PenSlot::Volume, 5});

    const double vmin = Volume(s, s.MinDryBulb, 0);
    const double vmax = Volume(s, s.MaxDryBulb, s.MaxAbsHum);
    const std::int16_t nFirst = CInt(Int(Div(vmin * f, step, "volume range")) + 1, "volume line index");
    const std::int16_t nLast = CInt(Int(Div(vmax * f, step, "volume range")), "volume line index");
    const std::int16_t nSym = CInt(nFirst + Int((nLast - nFirst) / 3.0), "volume symbol index");

    VolumeLineEnds ends(chart, idxMin, idxMax);
    for (int n = nFirst; n <= nLast; n = Add16(n, 1, "volume line index")) {
        const float V = Sgl(n * step, "volume line value");
        const std::optional<ChartState> up = ends.upper(V);
        if (!up)
            continue;
        const float upX = PlaneX(s, up->t, up->x);
        const float upY = PlaneY(s, up->x);
        const PlotPoint low = ends.lower(V, upX, upY);
        const auto lowX = static_cast<float>(low.x);
        const auto lowY = static_cast<float>(low.y);

        out.pen({PenSlot::Volume});
        out.segment({upX, upY}, {lowX, lowY});
        const std::string text = FormatNumber(V, V < 5 ? "0.00" : "00.0");
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
