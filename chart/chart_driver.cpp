// The chart driver: every family of the chart in a fixed order, each gated
// by its switch, then the process lines.
#include "chart/chart_driver.h"
#include "chart/label_fit.h"
#include "engine/basic.h"

#include <cstdint>

namespace hyg {

void CountDrawing(ChartSettings& s) {
    if (s.DrawCount < INT16_MAX)
        ++s.DrawCount;
}

void DrawChart(PenPlotter& out, const Chart& chart, const ChartFrame& f,
               const std::function<void(PenPlotter&)>& processLines,
               const std::function<void(const char* family)>& onFamily) {
    const ChartSettings& s = chart.settings;
    const auto on = [&s](ChartLine line) { return LineOn(s, line); };
    // The families keep their texts off each other's; the legend stands
    // where it is placed, so it is reserved first and the chart's numbers
    // that would cover it give way.
    PenPlotter& direct = out;
    LabelSpace space(direct, s);
    const auto legend = [&](PenPlotter& to) {
        DrawLegend(to, chart, f.TopRightX, f.ChartHeight, f.ChartWidth, f.LeftX, f.TopY, f.ShfOriginY);
    };
    if (on(ChartLine::Legend))
        space.reserve(legend);
    const auto family = [&](const char* name) {
        space.nextFamily();
        if (onFamily)
            onFamily(name);
    };

    if (on(ChartLine::RelHum)) {
        family("relative humidity");
        DrawRelHumCurves(space, chart, f.TempCount, f.IdxMin, f.IdxMax);
    }
    if (on(ChartLine::SatDegree)) {
        family("saturation degree");
        DrawSatDegreeCurves(space, chart, f.TempCount, f.IdxMin, f.IdxMax);
    }
    family("dry bulb");
    DrawDryBulbLines(space, chart, f.IdxMin, f.IdxMax, f.BottomY);
    family("absolute humidity");
    DrawAbsHumLines(space, chart, f.IdxMin, f.IdxMax, f.LeftX, f.TopRightX);
    family("humidity scale");
    DrawAbsHumScale(space, chart, f.TopRightX, f.BottomY);
    family("enthalpy");
    DrawEnthalpyLines(space, chart, f.IdxMin, f.TopY, f.TopDewPoint);
    // The protractor's ring keeps off the scale line and its numbers.
    const auto scale = EnthalpyScaleCorners(chart, f.IdxMin, f.TopDewPoint);
    space.keepRingOff(scale[0], scale[1]);
    space.keepRingOff(scale[1], scale[2]);
    if (on(ChartLine::Volume)) {
        family("volume");
        DrawVolumeLines(space, chart, f.IdxMin, f.IdxMax, f.BottomRightX, f.BottomY);
    }
    if (on(ChartLine::WetBulb)) {
        family("wet bulb");
        DrawWetBulbLines(space, chart, f.IdxMin, f.IdxMax, f.LeftX);
    }
    if (on(ChartLine::PartialPressure)) {
        family("partial pressure");
        DrawPartialPressureScale(space, chart, f.TopRightX, f.BottomY);
    }
    if (on(ChartLine::MoistureRatio)) {
        family("moisture ratio");
        // A block of its own: moved clear of the scales drawn before it.
        space.drawMovable([&](PenPlotter& to, PlotPoint d) {
            DrawMoistureRatioProtractor(to, chart, Sgl(f.LeftX + d.x), Sgl(f.TopY + d.y), f.ChartHeight);
        });
    }
    if (on(ChartLine::Shf)) {
        family("SHF");
        DrawShfProtractor(space, chart, f.LeftX, f.TopRightX, f.ShfOriginY);
    }
    if (on(ChartLine::Legend)) {
        family("legend");
        space.drawReserved(legend);
    }
    if (s.DrawProcessLines == 1 && processLines) {
        family("process lines");
        processLines(direct);
    }
}

} // namespace hyg
