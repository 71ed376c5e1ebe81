// The states of the last process calculation on the chart: every state a
// marked point, consecutive states joined by lines with an arrowhead in the
// middle pointing the way of the process, and with three or more states the
// last joined back to the first. No text.
//
// Drawn through the pen plotter like every family, so the window, printing
// and image export show the same lines; the chart driver calls it last when
// DrawProcessLines is 1. The plot file never carries them (its drawing
// passes no process lines).
#pragma once

#include "chart/chart_settings.h"
#include "chart/pen_plotter.h"
#include "engine/state_points.h"

namespace hyg {

// Plane position of a state point (dry bulb [deg C], relative humidity [%])
// at the chart pressure PressureMmHg, by the chart transform of `s`.
PlotPoint StatePointOnChart(const ChartSettings& s, float dryBulb, float relHum);

// Draws the process lines of `points` (nothing when the list is empty).
// Raises FloatingPointFault for a state the property functions refuse.
void DrawProcessLines(PenPlotter& out, const ChartSettings& s, const StatePointList& points);

// The arrowhead of the segment p0 -> p1 with size `size` (plane units): two
// barbs from the middle of the segment back towards p0, in the current pen.
void DrawProcessArrowhead(PenPlotter& out, PlotPoint p0, PlotPoint p1, double size);

} // namespace hyg
