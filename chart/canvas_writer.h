// The screen side of the pen-primitive interface: plane units onto a Canvas
// (pixels), in the colours of the chart's pen table. The window, image
// export and printing all draw the chart through this writer.
#pragma once

#include "chart/canvas.h"
#include "chart/chart_settings.h"
#include "chart/pen_plotter.h"

#include <vector>

namespace hyg {

class CanvasWriter : public PenPlotter {
public:
    CanvasWriter(const ChartSettings& settings, Canvas& canvas);

    void pen(Pen p) override;
    void lineStyle(Dash d) override;
    void textSize(float) override {}
    void direction(const PlotDirection&) override {}
    void resetDirection(DirectionReset) override {}
    void move(PlotPoint p, PlotForm form = {}) override;
    void segment(PlotPoint a, PlotPoint b, SegmentForm form = {}) override;
    void beginPolyline(PlotPoint first, Dash dash) override;
    void polylineTo(PlotPoint p) override;
    void polylineHold() override;
    void endPolyline() override;
    void point(PlotPoint p) override;
    void circle(PlotPoint centre, double radius, CircleForm form) override;
    void fill(bool solid) override;
    void arc(const ArcSpec& a) override;
    void text(const Label& label) override;

    // Continuous canvas position of a plane point.
    void PlaneToCanvas(double x, double y, double& px, double& py) const;
    // Whole-pixel position of a plane point, rounded like the polyline
    // vertices (`factor` pixels per twip).
    PixelPoint ToPixel(double x, double y, double factor) const;

    // Where the pen stands, plane units.
    PlotPoint current() const { return current_; }

    // The most vertices a polyline may have; one more raises IndexFault.
    static constexpr int kMaxPolylinePoints = 101;

private:
    void addVertex(PixelPoint p);

    const ChartSettings& settings_;
    Canvas& canvas_;
    Rgb colour_{};
    Dash dash_{};
    bool filled_ = false;
    Rgb fill_{};
    PlotPoint current_{};
    std::vector<PixelPoint> polyline_;
    Dash polylineDash_{};
    Rgb polylineColour_{};
};

} // namespace hyg
