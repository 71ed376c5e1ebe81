// The scale of water-vapour partial pressure right of the chart: one tick
// per whole mmHg, each at the height of the absolute humidity that the
// partial pressure gives at standard pressure (760 mmHg, whatever the
// chart's pressure), with the symbol "Pw" below.

#include "chart/chart_driver.h"
#include "chart/label_fit.h"

#include "engine/basic.h"
#include "engine/number_format.h"

#include <algorithm>

namespace hyg {

static void DrawPartialPressureScaleHeld(PenPlotter& out, const Chart& chart, float topRightX, float bottomY) {
    const ChartSettings& s = chart.settings;
    const double c = s.LabelUnit;
    out.pen({PenSlot::WetBulb});

    const float pwTop = Sgl(Div(s.MaxAbsHum * kStandardMmHg, s.MaxAbsHum + kMolarRatioGrams, "partial-pressure top"));
    const std::int16_t nTop = CInt(Int(pwTop + 0.1), "partial-pressure ticks");
    // The column stands right of the chart; a chart that reaches the right
    // of the window (a narrow range) moves it in by the least amount, the
    // numbers and ticks ending within 150 plane units of it.
    constexpr double kScaleWidth = 150;
    const float xs = Sgl(std::min(topRightX + 140.0, static_cast<double>(s.PlaneXMax) - kScaleWidth));

    for (int i = 0; i <= nTop; i = Add16(i, 1, "partial-pressure tick")) {
        // 62.2 * 10 is the molar ratio in g/kg, kept in the form whose
        // rounding the scale has always had.
        const float x = Sgl(Div(i * 62.2 * 10, kStandardMmHg - i, "partial-pressure tick"));
        const float y = Sgl(static_cast<double>(s.ScaleY) * x + s.OriginY, "partial-pressure tick");
        out.segment({xs, y}, {xs + 135.0, y});
        out.text({.at = {xs + 2 * c, y + 0.9 * c}, .size = c, .number = i, .plotPattern = "##"});
    }

    // The axis, from the bottom edge to a little above the top edge.
    const double axisX = xs + 135.0;
    const double axisTop = s.OriginY + static_cast<double>(s.ScaleY) * s.MaxAbsHum + 20;
    out.segment({axisX, s.OriginY}, {axisX, axisTop});
    out.text({.text = "Pw", .at = {xs, bottomY - 2.5 * 1.2 * c}, .size = 1.2 * c, .italic = true});
}

// Numbers of the family that would run into each other are thinned, and
// nothing goes outside the plot window. On paper the numbers are set in the
// small text size that the dry-bulb numbers, drawn on every chart before
// this scale, leave in force; it is named here so that the paper's thinning
// measures them in it, without writing the size a second time.
void DrawPartialPressureScale(PenPlotter& out, const Chart& chart, float topRightX, float bottomY) {
    DrawFitted(
        out, chart.settings, [&](PenPlotter& held) { DrawPartialPressureScaleHeld(held, chart, topRightX, bottomY); },
        chart.settings.PlotTextSize3);
}

} // namespace hyg
