// The chart driver and the family drawers. Each drawer takes the device (its
// mode decides the sink), the chart (settings and saturation table) and the
// frame values it needs, and handles both modes itself.
//
// A floating-point fault or a table index out of range raises a RunTimeFault
// and ends the drawing where it happened.
#pragma once

#include "chart/chart_device.h"
#include "chart/chart_settings.h"

#include <cstdint>
#include <functional>

namespace hyg {

// Draws one complete chart. `processLines`, when set, is called last if
// DrawProcessLines is 1 (the process lines go to the screen only).
void DrawChart(ChartDevice& dev, Chart& chart, const ChartFrame& frame,
               const std::function<void(ChartDevice&)>& processLines = {});

// Dry-bulb lines with their numbers and the symbol "t".
void DrawDryBulbLines(ChartDevice& dev, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax, float bottomY);
void LabelDryBulbLine(ChartDevice& dev, const Chart& chart, double x, double y, std::int16_t index);
// Absolute-humidity lines and the humidity scale with the symbol "x".
void DrawAbsHumLines(ChartDevice& dev, const Chart& chart, float& lastSatDegree, std::int16_t idxMin,
                     std::int16_t idxMax, float leftX, float topRightX);
void DrawAbsHumScale(ChartDevice& dev, const Chart& chart, float topRightX, float bottomY);

// Enthalpy lines, their scale line and the symbol "h".
void DrawEnthalpyLines(ChartDevice& dev, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax, float topY,
                       float topDewPoint);

// Relative-humidity and saturation-degree curves (the 100 % curve of either
// is the saturation curve).
void DrawRelHumCurves(ChartDevice& dev, const Chart& chart, std::int16_t tempCount, std::int16_t idxMin,
                      std::int16_t idxMax);
void LabelRelHumCurve(ChartDevice& dev, const Chart& chart, double x1, double x2, double y1, double y2, std::int16_t p);
void DrawSatDegreeCurves(ChartDevice& dev, const Chart& chart, float& lastSatDegree, std::int16_t tempCount,
                         std::int16_t idxMin, std::int16_t idxMax);
void LabelSatDegreeCurve(ChartDevice& dev, const Chart& chart, double x1, double x2, double y1, double y2,
                         std::int16_t p);

// Specific-volume and wet-bulb lines.
void DrawVolumeLines(ChartDevice& dev, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax, float bottomRightX,
                     float bottomY);
void DrawWetBulbLines(ChartDevice& dev, const Chart& chart, std::int16_t idxMin, std::int16_t idxMax, float leftX);

// Moisture-ratio protractor.
void DrawMoistureRatioProtractor(ChartDevice& dev, const Chart& chart, float leftX, float topY, float bottomRightX,
                                 float chartHeight);

// Sensible-heat-factor protractor.
void DrawShfProtractor(ChartDevice& dev, const Chart& chart, float leftX, float topRightX, float shfOriginY);

// Partial-pressure scale and the legend block.
void DrawPartialPressureScale(ChartDevice& dev, const Chart& chart, float topRightX, float bottomY);
void DrawLegend(ChartDevice& dev, Chart& chart, float topRightX, float chartHeight, float chartWidth, float leftX,
                float topY, float shfOriginY);

} // namespace hyg
