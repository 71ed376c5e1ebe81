// The plot-file side of the pen-primitive interface: every primitive as the
// HPGL statements of the plot file. This class owns the statement rules
// (pen select, pen up and down, labels, character size, direction, line
// type, circles and arcs, the ETX that closes a statement, the number
// forms); the families never write a statement themselves.
#pragma once

#include "chart/pen_plotter.h"

#include <memory>
#include <ostream>
#include <string>

namespace hyg {

class PlotStatements; // the statement writer behind the primitives

class PlotFileWriter : public PenPlotter {
public:
    explicit PlotFileWriter(std::ostream& out);
    ~PlotFileWriter() override;

    void pen(Pen p) override;
    void lineStyle(Dash d) override;
    void textSize(float plotWidth) override;
    void direction(const PlotDirection& d) override;
    void resetDirection(DirectionReset form) override;
    void move(PlotPoint p, PlotForm form = {}) override;
    void segment(PlotPoint a, PlotPoint b, SegmentForm form = {}) override;
    void beginPolyline(PlotPoint first, Dash dash) override;
    void polylineTo(PlotPoint p) override;
    void polylineHold() override {}
    void endPolyline() override;
    void point(PlotPoint) override {}
    void circle(PlotPoint centre, double radius, CircleForm form) override;
    void fill(bool) override {}
    void arc(const ArcSpec& a) override;
    void text(const Label& label) override;

    // The statements around the chart: initialise, map the plane onto the
    // paper, the starting pen; and the last line holding only ETX.
    void header(const ChartSettings& s);
    void closing();

private:
    void position(const char* command, PlotPoint p, PlotForm form);

    std::ostream& out_;
    std::unique_ptr<PlotStatements> statements_;
    int polylinePattern_ = 0;
};

} // namespace hyg
