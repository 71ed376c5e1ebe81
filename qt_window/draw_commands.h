// Draw/Redraw, Zoom In, Zoom Out and FitView: putting the chart on the
// canvas and changing how much of it the viewport shows. The plane window
// never changes; the canvas grows and the chart is drawn again into it.
#pragma once

#include "qt_window/chart_picture.h"
#include "qt_window/session.h"
#include "chart/pen_plotter.h"

#include <functional>

namespace hyg {

class ChartViewport;

class DrawCommands {
public:
    using ProcessLines = std::function<void(PenPlotter&)>;

    DrawCommands(Session& session, ChartViewport& viewport, Messenger& messenger);

    // The process lines drawer the chart driver calls last (when the process
    // lines are switched on).
    void setProcessLines(ProcessLines drawer) { processLines_ = std::move(drawer); }
    const ProcessLines& processLines() const { return processLines_; }

    // Canvas back to the viewport's size at the chart's proportion, scroll
    // bars hidden, canvas at the viewport's top-left.
    void FitView();
    // Clears the canvas and draws the whole chart at its present size.
    void DrawRedraw();
    // Enlarges the canvas so that the last dragged rectangle fills the
    // viewport, scrolls to it and draws again.
    void ZoomIn();
    // FitView, then DrawRedraw.
    void ZoomOut();

    // The settings as of the last completed layout (what the canvas shows),
    // or null before the first drawing.
    const ChartSettings* drawnSettings() const { return drawn_ ? &drawnSettings_ : nullptr; }
    const ChartFrame& drawnFrame() const { return drawnFrame_; }
    // The state-point list as of the last completed layout.
    const StatePointList& drawnStates() const { return drawnStates_; }

private:
    UserScale chartScale() const;
    void layoutAndDraw();

    Session& session_;
    ChartViewport& viewport_;
    Messenger& messenger_;
    ProcessLines processLines_;
    bool drawn_ = false;
    ChartSettings drawnSettings_;
    ChartFrame drawnFrame_;
    StatePointList drawnStates_;
};

} // namespace hyg
