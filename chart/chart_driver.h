// The chart driver and the family drawers. Each drawer takes the pen
// plotter it draws through (the output is the plotter's business), the
// chart (settings and saturation table) and the frame values it needs.
//
// A floating-point fault or a table index out of range raises a RunTimeFault
// and ends the drawing where it happened.
#pragma once

#include "chart/chart_settings.h"
#include "chart/pen_plotter.h"

#include <array>
#include <cstdint>
#include <functional>

namespace hyg {

// Draws one complete chart. `processLines`, when set, is called last if
// DrawProcessLines is 1. `onFamily`, when set, hears the name of each family
// just before it draws (a reader of the output can tell the families
// apart). Drawing reads the chart only; the caller counts the drawing
// (CountDrawing) when it shows or writes one.
void DrawChart(PenPlotter& out, const Chart& chart, const ChartFrame& frame,
               const std::function<void(PenPlotter&)>& processLines = {},
               const std::function<void(const char* family)>& onFamily = {});

// Notes in the settings that a chart has been drawn. The count only tells
// whether anything was drawn yet; it stops at the largest 16-bit value
// rather than failing every later drawing.
void CountDrawing(ChartSettings& s);

// Dry-bulb lines with their numbers and the symbol "t".
void DrawDryBulbLines(PenPlotter& out, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax, float bottomY);
// Absolute-humidity lines and the humidity scale with the symbol "x".
void DrawAbsHumLines(PenPlotter& out, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax, float leftX,
                     float topRightX);
void DrawAbsHumScale(PenPlotter& out, const Chart& chart, float topRightX, float bottomY);

// Enthalpy lines, their scale line and the symbol "h".
void DrawEnthalpyLines(PenPlotter& out, const Chart& chart, std::int16_t idxMin, float topY, float topDewPoint);
// The corners of the enthalpy scale line: its lower end, its top, and the
// end of the piece of top edge that closes the corner.
std::array<PlotPoint, 3> EnthalpyScaleCorners(const Chart& chart, std::int16_t idxMin, float topDewPoint);

// Relative-humidity and saturation-degree curves (the 100 % curve of either
// is the saturation curve).
void DrawRelHumCurves(PenPlotter& out, const Chart& chart, std::int16_t tempCount, std::int16_t idxMin,
                      std::int16_t idxMax);
void DrawSatDegreeCurves(PenPlotter& out, const Chart& chart, std::int16_t tempCount, std::int16_t idxMin,
                         std::int16_t idxMax);
// The level of a curve in per cent along its piece from (x1, y1) to (x2, y2).
void LabelRelHumCurve(PenPlotter& out, const ChartSettings& s, double x1, double x2, double y1, double y2,
                      std::int16_t p);
void LabelSatDegreeCurve(PenPlotter& out, const ChartSettings& s, double x1, double x2, double y1, double y2,
                         std::int16_t p);

// Specific-volume and wet-bulb lines.
void DrawVolumeLines(PenPlotter& out, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax, float bottomRightX,
                     float bottomY);
void DrawWetBulbLines(PenPlotter& out, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax, float leftX);

// Moisture-ratio protractor.
void DrawMoistureRatioProtractor(PenPlotter& out, const Chart& chart, float leftX, float topY, float chartHeight);

// Sensible-heat-factor protractor.
void DrawShfProtractor(PenPlotter& out, const Chart& chart, float leftX, float topRightX, float shfOriginY);

// Partial-pressure scale and the legend block.
void DrawPartialPressureScale(PenPlotter& out, const Chart& chart, float topRightX, float bottomY);
void DrawLegend(PenPlotter& out, const Chart& chart, float topRightX, float chartHeight, float chartWidth, float leftX,
                float topY, float shfOriginY);

} // namespace hyg
