// Absolute-humidity lines, one per whole g/kgDA from the saturation curve to
// the right edge, and the humidity scale (kg/kgDA) right of the chart.
#include "chart/chart_driver.h"
#include "chart/label_fit.h"

#include "engine/basic.h"
#include "engine/number_format.h"

namespace hyg {

void DrawAbsHumLines(PenPlotter& out, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax, float leftX,
                     float topRightX) {
    const ChartSettings& s = chart.settings;
    const SaturationTable& tab = chart.table;

    out.pen({PenSlot::AbsHum, 6});

    const int lines = CInt(s.MaxAbsHum, "MaxAbsHum") + 1;
    int found = 0; // index of the previous line's search; none before the first line
    for (int k = 1; k <= lines; ++k) {
        const double x = k - 1;
        const float y = Sgl(ChartY(s, x), "humidity line Y");

        // Saturation point of x: the first table humidity above it and the
        // entry below, interpolated.
        for (int i = idxMin; i <= idxMax; ++i) {
            if (static_cast<float>(tab.S(i)) > x) {
                found = i;
                break;
            }
        }
        float xl;
        if (found == 1) {
            // Table entry 0 is not a saturation point: below the lowest one
            // the line starts on the left boundary like the others.
            xl = leftX;
        } else {
            const double t0 = tab.T(found - 1), t1 = tab.T(found);
            const double s0 = tab.S(found - 1), s1 = tab.S(found);
            const float td = Sgl(Div(x - s0, s1 - s0, "humidity line dew point") * (t1 - t0) + t0, "dew point");
            xl = Sgl(ChartX(s, td, x), "humidity line left X");
            if (xl < leftX)
                xl = leftX;
        }
        float xr = Sgl(ChartX(s, s.MaxDryBulb, x), "humidity line right X");
        if (xr > topRightX)
            xr = topRightX;
        // A humidity that no temperature of the chart saturates (the top
        // edge of a chart whose hottest temperature saturates below it) has
        // its saturation point right of the chart: no line of it lies on the chart.
        if (xl > xr)
            continue;
        out.segment({xl, y}, {xr, y});
    }
}

static void DrawAbsHumScaleHeld(PenPlotter& out, const Chart& chart, float topRightX, float bottomY) {
    const ChartSettings& s = chart.settings;
    const double u = s.LabelUnit;
    constexpr double kTick = 115; // length of the scale ticks right of the chart, plane units

    const int top = CInt(s.MaxAbsHum, "MaxAbsHum");
    for (int k = 0; k <= top; ++k) {
        const std::string text = FormatNumber(k / 1000.0, "0.000");
        const float y = Sgl(ChartY(s, k), "scale Y");
        float x1 = Sgl(ChartX(s, s.MaxDryBulb, 0), "scale X");
        if (x1 > topRightX)
            x1 = topRightX;
        const float x2 = Sgl(topRightX + kTick);
        out.pen({PenSlot::AbsHum});
        out.segment({x1, y}, {x2, y}, {.closedMove = true});
        out.pen({PenSlot::Scale});
        out.text({.text = text, .at = {topRightX, y + 1.1 * u}, .size = u, .plotForm = {Separator::Zone}});
    }

    // The symbol "x" below the scale.
    const float sx = Sgl(topRightX + kTick - 3 * u);
    const float sy = Sgl(bottomY - 3 * u);
    out.text({.text = "x", .at = {sx, sy}, .size = 1.5 * u, .italic = true, .plotForm = {Separator::Zone, true}});
}

// Numbers of the family that would run into each other are thinned, and
// nothing goes outside the plot window.
void DrawAbsHumScale(PenPlotter& out, const Chart& chart, float topRightX, float bottomY) {
    DrawFitted(out, chart.settings, [&](PenPlotter& held) { DrawAbsHumScaleHeld(held, chart, topRightX, bottomY); });
}

} // namespace hyg
