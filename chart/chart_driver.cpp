// The chart driver: every family of the chart in a fixed order, each gated
// by its switch, then the process lines.
#include "chart/chart_driver.h"

#include <cstdint>

namespace hyg {

void CountDrawing(ChartSettings& s) {
    if (s.DrawCount < INT16_MAX)
        ++s.DrawCount;
}

void DrawChart(PenPlotter& out, const Chart& chart, const ChartFrame& f,
               const std::function<void(PenPlotter&)>& processLines) {
    const ChartSettings& s = chart.settings;
    const auto on = [&s](ChartLine line) { return LineOn(s, line); };

    if (on(ChartLine::RelHum))
        DrawRelHumCurves(out, chart, f.TempCount, f.IdxMin, f.IdxMax);
    if (on(ChartLine::SatDegree))
        DrawSatDegreeCurves(out, chart, f.TempCount, f.IdxMin, f.IdxMax);
    DrawDryBulbLines(out, chart, f.IdxMin, f.IdxMax, f.BottomY);
    DrawAbsHumLines(out, chart, f.IdxMin, f.IdxMax, f.LeftX, f.TopRightX);
    DrawAbsHumScale(out, chart, f.TopRightX, f.BottomY);
    DrawEnthalpyLines(out, chart, f.IdxMin, f.TopY, f.TopDewPoint);
    if (on(ChartLine::Volume))
        DrawVolumeLines(out, chart, f.IdxMin, f.IdxMax, f.BottomRightX, f.BottomY);
    if (on(ChartLine::WetBulb))
        DrawWetBulbLines(out, chart, f.IdxMin, f.IdxMax, f.LeftX);
    if (on(ChartLine::PartialPressure))
        DrawPartialPressureScale(out, chart, f.TopRightX, f.BottomY);
    if (on(ChartLine::MoistureRatio))
        DrawMoistureRatioProtractor(out, chart, f.LeftX, f.TopY, f.ChartHeight);
    if (on(ChartLine::Shf))
        DrawShfProtractor(out, chart, f.LeftX, f.TopRightX, f.ShfOriginY);
    if (on(ChartLine::Legend))
        DrawLegend(out, chart, f.TopRightX, f.ChartHeight, f.ChartWidth, f.LeftX, f.TopY, f.ShfOriginY);
    if (s.DrawProcessLines == 1 && processLines)
        processLines(out);
}

} // namespace hyg
