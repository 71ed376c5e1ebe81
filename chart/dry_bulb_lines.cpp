// Dry-bulb lines: one per whole degree from half a unit below the bottom edge
// up to the saturation curve or the top edge, each numbered below its foot,
// and the symbol "t".
#include "chart/chart_driver.h"
#include "chart/label_fit.h"

#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/physics.h"

namespace hyg {

namespace {

void LabelDryBulbLine(PenPlotter& out, const ChartSettings& s, double x, double y, int t) {
    const double u = s.LabelUnit;
    // One-digit numbers are shifted half as far left as the others.
    const float lx = Sgl(t < 0 || t >= 10 ? x - u : x - 0.5 * u, "dry-bulb label X");
    // On paper the number hangs from the point rather than standing on it.
    out.text({.at = {lx, y}, .size = 0.8 * u, .number = t, .plotPattern = "##0", .plotAt = PlotPoint{lx, y - 0.8 * u}});
}

} // namespace

static void DrawDryBulbLinesHeld(PenPlotter& out, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax,
                                 float bottomY) {
    const ChartSettings& s = chart.settings;
    const SaturationTable& tab = chart.table;
    const double u = s.LabelUnit;

    out.pen({PenSlot::DryBulb, 3});
    out.lineStyle({});
    out.textSize(s.PlotTextSize3);

    const float yb = Sgl(s.OriginY - 0.5 * u); // feet: half a unit below the bottom edge
    const float yl = Sgl(yb - u);              // numbers one unit lower
    for (int i = idxMin; i <= idxMax; ++i) {
        const double t = tab.T(i);
        const float xb = Sgl(static_cast<double>(s.ScaleX) * kCpAir * t + s.OriginX, "dry-bulb foot");
        LabelDryBulbLine(out, s, xb, yl, i - SaturationTable::kIndexOfZero);

        // Upper end: on the saturation curve, or on the top edge above it.
        const double x = static_cast<float>(tab.S(i)) < s.MaxAbsHum ? tab.S(i) : static_cast<double>(s.MaxAbsHum);
        const float xe = Sgl(ChartX(s, t, x), "dry-bulb end X");
        const float ye = Sgl(ChartY(s, x), "dry-bulb end Y");
        out.segment({xb, yb}, {xe, ye});
    }

    // The symbol "t" below the numbers at the lowest temperature.
    const float sx = Sgl(static_cast<double>(s.ScaleX) * kCpAir * tab.T(idxMin) + s.OriginX, "symbol t");
    const float sy = Sgl(bottomY - 6 * u);
    out.text({.text = "t", .at = {sx, sy}, .size = 1.5 * u, .italic = true});
}

// Numbers of the family that would run into each other are thinned, and
// nothing goes outside the plot window.
void DrawDryBulbLines(PenPlotter& out, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax, float bottomY) {
    DrawFitted(out, chart.settings,
               [&](PenPlotter& held) { DrawDryBulbLinesHeld(held, chart, idxMin, idxMax, bottomY); });
}

} // namespace hyg
