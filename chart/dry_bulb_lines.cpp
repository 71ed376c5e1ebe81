// Dry-bulb lines: one per whole degree from half a unit below the bottom edge
// up to the saturation curve or the top edge, each numbered below its foot,
// and the symbol "t".
#include "chart/chart_driver.h"

#include "engine/basic.h"
#include "engine/number_format.h"

namespace hyg {

void LabelDryBulbLine(ChartDevice& dev, const Chart& chart, double x, double y, std::int16_t index) {
    const ChartSettings& s = chart.settings;
    const double u = s.LabelUnit;
    const int t = index - 21;
    // One-digit numbers are shifted half as far left as the others.
    const float lx = Sgl(t < 0 || t >= 10 ? x - u : x - 0.5 * u, "dry-bulb label X");
    if (dev.isDraw()) {
        dev.DrawLabel(lx, y, 0, GeneralNumber(t), s.PenColor[1], 0.8 * u, false);
    } else if (dev.isFile()) {
        dev.PlotLine({"PU", F(lx), F(y - 0.8 * u)});
        dev.PlotLine({"LB", FormatNumber(t, "##0"), ETX});
    }
}

void DrawDryBulbLines(ChartDevice& dev, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax, float bottomY) {
    const ChartSettings& s = chart.settings;
    const SaturationTable& tab = chart.table;
    const double u = s.LabelUnit;

    if (dev.isFile()) {
        dev.PlotLine({"SP3", ETX});
        dev.PlotLine({"LT;", ETX});
        dev.PlotLine({"SI", F(s.PlotTextSize3), F(2.0f * s.PlotTextSize3), ETX});
    }
    dev.SetLineStyle(kSolid);

    const float yb = Sgl(s.OriginY - 0.5 * u); // feet: half a unit below the bottom edge
    const float yl = Sgl(yb - u);              // numbers one unit lower
    for (int i = idxMin; i <= idxMax; ++i) {
        const double t = tab.T(i);
        const float xb = Sgl(static_cast<double>(s.ScaleX) * kF024 * t + s.OriginX, "dry-bulb foot");
        LabelDryBulbLine(dev, chart, xb, yl, static_cast<std::int16_t>(i));

        // Upper end: on the saturation curve, or on the top edge above it.
        const double x = static_cast<float>(tab.S(i)) < s.MaxAbsHum ? tab.S(i) : static_cast<double>(s.MaxAbsHum);
        const float xe = Sgl(ChartX(s, t, x), "dry-bulb end X");
        const float ye = Sgl(ChartY(s, x), "dry-bulb end Y");
        if (dev.isDraw()) {
            dev.DrawSegment(xb, yb, xe, ye, s.PenColor[1]);
        } else if (dev.isFile()) {
            dev.PlotLine({"PU", F(xb), F(yb)});
            dev.PlotLine({"PD", F(xe), F(ye), ETX});
        }
    }

    // The symbol "t" below the numbers at the lowest temperature.
    const float sx = Sgl(static_cast<double>(s.ScaleX) * kF024 * tab.T(idxMin) + s.OriginX, "symbol t");
    const float sy = Sgl(bottomY - 6 * u);
    if (dev.isDraw()) {
        dev.DrawLabel(sx, sy, 0, "t", s.PenColor[1], 1.5 * u, true);
    } else if (dev.isFile()) {
        dev.PlotLine({"PU", F(sx), F(sy)});
        dev.PlotLine({"LB", "t", ETX});
    }
}

} // namespace hyg
