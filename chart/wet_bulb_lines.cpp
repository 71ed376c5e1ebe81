// Lines of constant wet-bulb temperature, one per whole degree, each a
// straight segment from the saturation curve (or where the line leaves the
// chart through its left or top edge) down to the line x = 0.05 g/kgDA near
// the bottom edge (or to the right edge). Lines whose upper end lies inside
// the chart carry their temperature; one of them also carries the symbol t'.

#include "chart/chart_driver.h"
#include "chart/edge_walk.h"
#include "chart/label_fit.h"

#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/psychro.h"

#include <cmath>
#include <optional>
#include <string>

namespace hyg {

namespace {

// Wet-bulb temperature [deg C] at the chart pressure, t deg C, x g/kgDA.
double WetBulbAt(const ChartSettings& s, double t, double x) {
    return AirPropertyValue(kWetBulb, s.PressureMmHg, static_cast<float>(t), static_cast<float>(x));
}

// The temperature of a wet-bulb line at its upper end, set left of the end
// (further left as a negative number gains characters), and on the symbol
// line the symbol t' before it.
void LabelWetBulbLine(PenPlotter& out, const Chart& chart, float upX, float upY, float lowX, float lowY, int tableIndex,
                      int symbolValue) {
    const ChartSettings& s = chart.settings;
    const double c = s.LabelUnit;
    const float t = chart.table.T(tableIndex);
    const std::string text = GeneralNumber(t);
    // A line without width (its upper end on its lower one, as in a corner
    // of some charts) gives no slope to lean the label on: it goes without.
    if (upX == lowX)
        return;

    const float slope =
        Sgl(Div(static_cast<double>(upY) - lowY, static_cast<double>(upX) - lowX, "wet-bulb label slope"));
    // The angle of the line, and the label turned by the arctangent of that
    // angle again, so that it leans less than the line.
    const float a1 = Sgl(std::atan(slope));
    const double angle = std::atan(a1);

    const int whole = CInt(t);
    const double m = whole < -9 ? 3.5 : (whole < 0 ? 3.0 : 2.5);
    const double valX = upX - m * c;
    const double valY = upY + 0.5 * c;
    const bool symbol = whole == symbolValue;
    const double symX = upX - 5 * c;
    const double symY = upY;

    out.direction({.slope = a1, .pattern = "0.000##"});
    if (symbol)
        out.text({.text = "t'", .at = {symX, symY}, .size = 1.25 * c, .italic = true});
    out.text({.text = text, .at = {valX, valY}, .angle = angle, .size = 0.9 * c});
    out.resetDirection(DirectionReset::Spaced);
}

// The symbol goes on the line that starts where the saturation curve passes
// a little above half the chart's height (0 deg C when none does).
int SymbolLineValue(const Chart& chart, std::int16_t idxMax) {
    for (int i = 1; i <= idxMax; ++i) {
        if (chart.table.S(i) >= chart.settings.MaxAbsHum * 0.5 + 1)
            return CInt(chart.table.T(i));
    }
    return 0;
}

// Table indices of the first and the last line: the first is the wet bulb of
// nearly dry air at the lowest temperature, the last the wet bulb of the
// top-right corner.
struct LineRange {
    int first = 1;
    int last = 0;
};
LineRange WetBulbLineRange(const Chart& chart, std::int16_t idxMax) {
    const ChartSettings& s = chart.settings;
    const SaturationTable& tab = chart.table;
    LineRange r{1, idxMax - 1};
    const double twMin = WetBulbAt(s, s.MinDryBulb, 0.02);
    while (tab.T(r.first) < twMin)
        ++r.first;
    const double twMax = WetBulbAt(s, s.MaxDryBulb, s.MaxAbsHum);
    while (tab.T(r.last) > twMax)
        --r.last;
    return r;
}

// The ends of the wet-bulb lines, found by walking the chart's edges: the
// upper end on the saturation curve, the top edge or the left edge, the
// lower end on the line x = 0.05 near the bottom or on the right edge.
class WetBulbLineEnds {
public:
    WetBulbLineEnds(const Chart& chart, std::int16_t idxMin, std::int16_t idxMax)
        : s_(chart.settings)
        , tab_(chart.table)
        , top_(
              1, idxMax, [this](int i) { return tab_.T(i); },
              [this](int i) { return WetBulbAt(s_, tab_.T(i), s_.MaxAbsHum); })
        , left_(
              0, CInt(tab_.S(idxMin)), [](int x) { return x; },
              [this](int x) { return WetBulbAt(s_, s_.MinDryBulb, x); })
        , foot_(
              1, idxMax, [this](int i) { return tab_.T(i); }, [this](int i) { return WetBulbAt(s_, tab_.T(i), 0.05); })
        , right_(
              0, CInt(s_.MaxAbsHum), [](int x) { return x; }, [this](int x) { return WetBulbAt(s_, s_.MaxDryBulb, x); })
        , lowStart_(idxMin) {}
    // The edges' samples refer back to this object.
    WetBulbLineEnds(const WetBulbLineEnds&) = delete;
    WetBulbLineEnds& operator=(const WetBulbLineEnds&) = delete;

    // The upper end of the line of table index j, temperature tw; none when
    // the line lies below the chart.
    std::optional<ChartState> upper(int j, float tw) {
        const ChartState end = tw >= s_.MinDryBulb ? saturationEnd(j, tw) : leftEnd(tw);
        if (end.x == 0 && tw <= s_.MinDryBulb)
            return std::nullopt;
        return end;
    }

    // The lower end of the line of temperature tw in plane units: on
    // x = 0.05, or on the right edge when the line gets there first.
    PlotPoint lower(float tw) {
        const int i = foot_.walk(lowStart_, tw, Stop::AtOrAbove);
        if (i <= foot_.last()) {
            float tL = Sgl(foot_.meet(i, tw, "wet-bulb foot"));
            // A line already dry at the lowest temperature would find its
            // foot left of the chart: it ends on the chart's corner.
            if (tL < s_.MinDryBulb)
                tL = s_.MinDryBulb;
            lowStart_ = foot_.resumeBefore(i);
            // The foot's abscissa leaves out the humidity term.
            return {Sgl(s_.ScaleX * (kCpAir * tL) + s_.OriginX, "wet-bulb foot X"),
                    Sgl(ChartY(s_, 0.05), "wet-bulb foot Y")};
        }
        lowStart_ = foot_.last();
        const int x = right_.walk(0, tw);
        // Past the last sample the line reaches the right edge at the corner.
        const float xL = x > right_.last() ? s_.MaxAbsHum : Sgl(right_.meet(x, tw, "wet-bulb right end"));
        return {Sgl(ChartX(s_, s_.MaxDryBulb, xL), "wet-bulb right X"), Sgl(ChartY(s_, xL), "wet-bulb right Y")};
    }

private:
    // On the saturation curve, or where the line leaves through the top edge.
    ChartState saturationEnd(int j, float tw) {
        const auto xs = static_cast<float>(tab_.S(j));
        if (xs <= s_.MaxAbsHum)
            return {tw, xs};
        const int i = top_.walk(j, tw);
        // Past the last sample the line reaches the top edge at the corner.
        const float tU = i > top_.last() ? s_.MaxDryBulb : Sgl(top_.meet(i, tw, "wet-bulb top end"));
        return {tU, s_.MaxAbsHum};
    }

    // Where the line leaves through the left edge; a hit on dry air (or no
    // hit) means it crosses the edge below the chart.
    ChartState leftEnd(float tw) {
        const int x = left_.walk(leftStart_, tw);
        if (x > left_.last()) {
            leftStart_ = left_.last();
            return {s_.MinDryBulb, 0};
        }
        leftStart_ = left_.resumeBefore(x);
        return {s_.MinDryBulb, Sgl(left_.meet(x, tw, "wet-bulb left end"))};
    }

    const ChartSettings& s_;
    const SaturationTable& tab_;
    ChartEdge top_, left_, foot_, right_;
    int leftStart_ = 0; // humidity walk along the left edge
    int lowStart_;      // table walk along x = 0.05
};

} // namespace

static void DrawWetBulbLinesHeld(PenPlotter& out, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax,
                                 float leftX) {
    const ChartSettings& s = chart.settings;
    out.pen({PenSlot::WetBulb, 4});

    const int symbolValue = SymbolLineValue(chart, idxMax);
    const LineRange lines = WetBulbLineRange(chart, idxMax);
    WetBulbLineEnds ends(chart, idxMin, idxMax);
    for (int j = lines.first; j <= lines.last; j = Add16(j, 1, "wet-bulb line index")) {
        const float tw = chart.table.T(j);
        const std::optional<ChartState> up = ends.upper(j, tw);
        if (!up)
            continue;
        const PlotPoint low = ends.lower(tw);
        const auto lowX = static_cast<float>(low.x);
        const auto lowY = static_cast<float>(low.y);
        const float upX = Sgl(ChartX(s, up->t, up->x), "wet-bulb top X");
        const float upY = Sgl(ChartY(s, up->x), "wet-bulb top Y");
        out.segment({lowX, lowY}, {upX, upY});
        if (leftX + 1 < upX)
            LabelWetBulbLine(out, chart, upX, upY, lowX, lowY, j, symbolValue);
    }
}

// Numbers of the family that would run into each other are thinned, and
// nothing goes outside the plot window.
void DrawWetBulbLines(PenPlotter& out, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax, float leftX) {
    DrawFitted(out, chart.settings,
               [&](PenPlotter& held) { DrawWetBulbLinesHeld(held, chart, idxMin, idxMax, leftX); });
}

} // namespace hyg
