// The chart driver: every family of the chart in a fixed order, each gated
// by its switch, then the process lines.
#include "chart/chart_driver.h"

#include <cstdint>

namespace hyg {

void DrawChart(ChartDevice& dev, Chart& chart, const ChartFrame& f,
               const std::function<void(ChartDevice&)>& processLines) {
    ChartSettings& s = chart.settings;
    const auto on = [&s](int n) { return s.LineSwitch[static_cast<std::size_t>(n)] == 1; };

    // The count only tells whether anything was drawn yet; it stops at the
    // largest 16-bit value rather than failing every later drawing.
    if (s.DrawCount < INT16_MAX)
        ++s.DrawCount;
    // The last saturation degree drawn (1.0 after a complete run, 0 when the
    // family is switched off).
    float lastSatDegree = 0;

    if (on(0))
        DrawRelHumCurves(dev, chart, f.TempCount, f.IdxMin, f.IdxMax);
    if (on(1))
        DrawSatDegreeCurves(dev, chart, lastSatDegree, f.TempCount, f.IdxMin, f.IdxMax);
    DrawDryBulbLines(dev, chart, f.IdxMin, f.IdxMax, f.BottomY);
    DrawAbsHumLines(dev, chart, lastSatDegree, f.IdxMin, f.IdxMax, f.LeftX, f.TopRightX);
    DrawAbsHumScale(dev, chart, f.TopRightX, f.BottomY);
    DrawEnthalpyLines(dev, chart, f.IdxMin, f.IdxMax, f.TopY, f.TopDewPoint);
    if (on(2))
        DrawVolumeLines(dev, chart, f.IdxMin, f.IdxMax, f.BottomRightX, f.BottomY);
    if (on(3))
        DrawWetBulbLines(dev, chart, f.IdxMin, f.IdxMax, f.LeftX);
    if (on(4))
        DrawPartialPressureScale(dev, chart, f.TopRightX, f.BottomY);
    if (on(5))
        DrawMoistureRatioProtractor(dev, chart, f.LeftX, f.TopY, f.BottomRightX, f.ChartHeight);
    if (on(6))
        DrawShfProtractor(dev, chart, f.LeftX, f.TopRightX, f.ShfOriginY);
    if (on(7))
        DrawLegend(dev, chart, f.TopRightX, f.ChartHeight, f.ChartWidth, f.LeftX, f.TopY, f.ShfOriginY);
    if (s.DrawProcessLines == 1 && processLines)
        processLines(dev);
}

} // namespace hyg
