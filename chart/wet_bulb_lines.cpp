// Lines of constant wet-bulb temperature, one per whole degree, each a
// straight segment from the saturation curve (or where the line leaves the
// chart through its left or top edge) down to the line x = 0.05 g/kgDA near
// the bottom edge (or to the right edge). Lines whose upper end lies inside
// the chart carry their temperature; one of them also carries the symbol t'.

#include "chart/chart_driver.h"
#include "chart/label_fit.h"

#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/psychro.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace hyg {

namespace {

// Wet-bulb temperature [deg C] at the chart pressure, t deg C, x g/kgDA.
double WetBulbAt(const ChartSettings& s, double t, double x) {
    return AirPropertyValue(kWetBulb, s.PressureMmHg, static_cast<float>(t), static_cast<float>(x));
}

// The wet-bulb temperatures along one edge of the chart by sample number
// (table index or whole humidity), each computed once: the walks of
// successive lines go over the same samples again.
class EdgeSamples {
public:
    explicit EdgeSamples(std::function<double(int)> at)
        : at_(std::move(at)) {}
    double operator()(int k) {
        if (k < 0)
            return at_(k);
        const auto n = static_cast<std::size_t>(k);
        if (n >= known_.size()) {
            known_.resize(n + 1, false);
            values_.resize(n + 1, 0.0);
        }
        if (!known_[n]) {
            values_[n] = at_(k);
            known_[n] = true;
        }
        return values_[n];
    }

private:
    std::function<double(int)> at_;
    std::vector<bool> known_;
    std::vector<double> values_;
};

double Lerp(double a0, double g0, double a1, double g1, double target, const char* where) {
    return a0 + (a1 - a0) * Div(target - g0, g1 - g0, where);
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

} // namespace

static void DrawWetBulbLinesHeld(PenPlotter& out, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax,
                                 float leftX) {
    const ChartSettings& s = chart.settings;
    const SaturationTable& tab = chart.table;

    out.pen({PenSlot::WetBulb, 4});

    // The symbol goes on the line that starts where the saturation curve
    // passes a little above half the chart's height (0 deg C when none does).
    int symbolValue = 0;
    for (int i = 1; i <= idxMax; ++i) {
        if (tab.S(i) >= s.MaxAbsHum * 0.5 + 1) {
            symbolValue = CInt(tab.T(i));
            break;
        }
    }

    // First line: the wet bulb of nearly dry air at the lowest temperature;
    // last line: the wet bulb of the top-right corner.
    const double twMin = WetBulbAt(s, s.MinDryBulb, 0.02);
    int j1 = 1;
    while (tab.T(j1) < twMin)
        ++j1;
    const double twMax = WetBulbAt(s, s.MaxDryBulb, s.MaxAbsHum);
    int j2 = idxMax - 1;
    while (tab.T(j2) > twMax)
        --j2;

    int leftStart = 0;     // humidity walk along the left edge
    int lowStart = idxMin; // table walk along x = 0.05
    const int leftBound = CInt(tab.S(idxMin));
    const int rightBound = CInt(s.MaxAbsHum);

    EdgeSamples top([&](int i) { return WetBulbAt(s, tab.T(i), s.MaxAbsHum); });
    EdgeSamples left([&](int x) { return WetBulbAt(s, s.MinDryBulb, x); });
    EdgeSamples foot([&](int i) { return WetBulbAt(s, tab.T(i), 0.05); });
    EdgeSamples right([&](int x) { return WetBulbAt(s, s.MaxDryBulb, x); });

    for (int j = j1; j <= j2; j = Add16(j, 1, "wet-bulb line index")) {
        const float tw = tab.T(j);
        float tU = 0, xU = 0;

        if (tw >= s.MinDryBulb) {
            tU = tw;
            xU = static_cast<float>(tab.S(j));
            if (xU > s.MaxAbsHum) {
                // Leaves through the top edge.
                int i = j;
                while (i <= idxMax && top(i) <= tw)
                    ++i;
                if (i > idxMax) {
                    tU = s.MaxDryBulb; // reaches the top edge at the corner
                } else if (i - 1 >= 1) {
                    tU = Sgl(Lerp(tab.T(i - 1), top(i - 1), tab.T(i), top(i), tw, "wet-bulb top end"));
                } else {
                    tU = tab.T(i);
                }
                xU = s.MaxAbsHum;
            }
        } else {
            // Leaves through the left edge.
            int x = leftStart;
            while (x <= leftBound && left(x) <= tw)
                ++x;
            if (x > leftBound) {
                xU = 0;
                leftStart = leftBound;
            } else {
                leftStart = x - 1 >= 0 ? x - 1 : 0;
                // A hit on dry air means the line crosses the edge below the chart.
                xU = x == 0 ? 0.0f : Sgl(Lerp(x - 1, left(x - 1), x, left(x), tw, "wet-bulb left end"));
            }
            tU = s.MinDryBulb;
        }
        if (xU == 0 && tw <= s.MinDryBulb)
            continue;

        // Lower end on x = 0.05, or on the right edge when the line gets
        // there first.
        float lowX = 0, lowY = 0;
        int i = lowStart;
        while (i <= idxMax && foot(i) < tw)
            ++i;
        if (i <= idxMax) {
            float tL = tab.T(i);
            if (i - 1 >= 1)
                tL = Sgl(Lerp(tab.T(i - 1), foot(i - 1), tab.T(i), foot(i), tw, "wet-bulb foot"));
            // A line already dry at the lowest temperature would find its
            // foot left of the chart: it ends on the chart's corner.
            if (tL < s.MinDryBulb)
                tL = s.MinDryBulb;
            lowStart = i - 1 >= 1 ? i - 1 : 1;
            // The foot's abscissa leaves out the humidity term.
            lowX = Sgl(s.ScaleX * (kCpAir * tL) + s.OriginX, "wet-bulb foot X");
            lowY = Sgl(ChartY(s, 0.05), "wet-bulb foot Y");
        } else {
            lowStart = idxMax;
            int x = 0;
            while (x <= rightBound && right(x) <= tw)
                ++x;
            float xL = 0;
            if (x > rightBound) {
                xL = s.MaxAbsHum; // reaches the right edge at the corner
            } else if (x > 0) {
                xL = Sgl(Lerp(x - 1, right(x - 1), x, right(x), tw, "wet-bulb right end"));
            }
            lowX = Sgl(ChartX(s, s.MaxDryBulb, xL), "wet-bulb right X");
            lowY = Sgl(ChartY(s, xL), "wet-bulb right Y");
        }

        const float upX = Sgl(ChartX(s, tU, xU), "wet-bulb top X");
        const float upY = Sgl(ChartY(s, xU), "wet-bulb top Y");
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
