// The scale of water-vapour partial pressure right of the chart: one tick
// per whole mmHg, each at the height of the absolute humidity that the
// partial pressure gives at standard pressure (760 mmHg, whatever the
// chart's pressure), with the symbol "Pw" below.

#include "chart/chart_driver.h"

#include "engine/basic.h"
#include "engine/number_format.h"

namespace hyg {

namespace {

void PenUp(ChartDevice& dev, double x, double y) {
    dev.PlotLine({"PU", F(x), F(y)});
}
void PenDown(ChartDevice& dev, double x, double y) {
    dev.PlotLine({"PD", F(x), F(y), ETX});
}

} // namespace

void DrawPartialPressureScale(ChartDevice& dev, const Chart& chart, float topRightX, float bottomY) {
    const ChartSettings& s = chart.settings;
    const double c = s.LabelUnit;
    const Rgb pen = s.PenColor[8];

    const float pwTop = Sgl(Div(s.MaxAbsHum * 760.0, s.MaxAbsHum + 622.0, "partial-pressure top"));
    const std::int16_t nTop = CInt(Int(pwTop + 0.1), "partial-pressure ticks");
    const float xs = Sgl(topRightX + 140.0);

    for (int i = 0; i <= nTop; i = Add16(i, 1, "partial-pressure tick")) {
        const float x = Sgl(Div(i * 62.2 * 10, 760.0 - i, "partial-pressure tick"));
        const float y = Sgl(static_cast<double>(s.ScaleY) * x + s.OriginY, "partial-pressure tick");
        if (dev.isDraw()) {
            dev.DrawSegment(xs, y, xs + 135.0, y, pen);
            dev.DrawLabel(xs + 2 * c, y + 0.9 * c, 0, GeneralNumber(i), pen, c, false);
        } else if (dev.isFile()) {
            PenUp(dev, xs, y);
            PenDown(dev, xs + 135.0, y);
            PenUp(dev, xs + 2 * c, y + 0.9 * c);
            dev.PlotLine({"LB", FormatNumber(i, "##"), ETX});
        }
    }

    // The axis, from the bottom edge to a little above the top edge.
    const double axisX = xs + 135.0;
    const double axisTop = s.OriginY + static_cast<double>(s.ScaleY) * s.MaxAbsHum + 20;
    const double symX = xs, symY = bottomY - 2.5 * 1.2 * c;
    if (dev.isDraw()) {
        dev.DrawSegment(axisX, s.OriginY, axisX, axisTop, pen);
        dev.DrawLabel(symX, symY, 0, "Pw", pen, 1.2 * c, true);
    } else if (dev.isFile()) {
        PenUp(dev, axisX, s.OriginY);
        PenDown(dev, axisX, axisTop);
        PenUp(dev, symX, symY);
        dev.PlotLine({"LB", "Pw", ETX});
    }
}

} // namespace hyg
