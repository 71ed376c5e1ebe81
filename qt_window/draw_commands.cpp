#include "qt_window/draw_commands.h"

#include "qt_window/chart_viewport.h"
#include "qt_window/wait_cursor.h"
#include "chart/chart_driver.h"

#include <QScrollBar>
#include <QSignalBlocker>

namespace hyg {

DrawCommands::DrawCommands(Session& session, ChartViewport& viewport, Messenger& messenger)
    : session_(session)
    , viewport_(viewport)
    , messenger_(messenger) {}

UserScale DrawCommands::chartScale() const {
    const ChartSettings& s = session_.chart.settings;
    // (PlaneXMin, PlaneYMax) at the top-left, (PlaneXMax, PlaneYMin) at the
    // bottom-right: y grows upwards.
    return UserScale{s.PlaneXMin, s.PlaneYMax, s.PlaneXMax - s.PlaneXMin, s.PlaneYMin - s.PlaneYMax};
}

void DrawCommands::FitView() {
    viewport_.setScrollBarsVisible(false);
    {
        const QSignalBlocker bv(viewport_.vertical());
        const QSignalBlocker bh(viewport_.horizontal());
        viewport_.vertical()->setValue(0);
        viewport_.horizontal()->setValue(0);
    }
    try {
        const CanvasSize c = FitCanvas(viewport_.shadeWidth(), viewport_.shadeHeight(), viewport_.verticalBarWidth(),
                                       viewport_.horizontalBarHeight());
        viewport_.setCanvasSize(c.w, c.h);
    } catch (const RunTimeFault&) {
        // The canvas keeps its size.
    }
    viewport_.setUserScale(chartScale());
    viewport_.placeCanvas(0, 0);
}

void DrawCommands::DrawRedraw() {
    ChartSettings& s = session_.chart.settings;
    if (s.DrawCount == 0)
        FitView();
    WaitCursor wait;
    ChartPicture* picture = viewport_.picture();
    picture->clear();
    s.PictureWidth = static_cast<float>(picture->widthTwips());
    s.PictureHeight = static_cast<float>(picture->heightTwips());
    viewport_.setUserScale(chartScale());
    layoutAndDraw();
}

void DrawCommands::ZoomIn() {
    WaitCursor wait;
    ChartSettings& s = session_.chart.settings;
    ChartPicture* picture = viewport_.picture();
    try {
        const ZoomPlan plan =
            PlanZoom(session_.DragStartX, session_.DragStartY, session_.DragEndX, session_.DragEndY,
                     picture->widthTwips(), picture->heightTwips(), viewport_.shadeWidth(), viewport_.shadeHeight());
        picture->clear();
        if (plan.resize) {
            viewport_.setCanvasSize(plan.canvasW, plan.canvasH);
            s.PictureWidth = static_cast<float>(plan.canvasW);
            s.PictureHeight = static_cast<float>(plan.canvasH);
        }
        viewport_.setScroll(viewport_.vertical(), plan.vertical);
        viewport_.setScroll(viewport_.horizontal(), plan.horizontal);
        viewport_.placeCanvas(-plan.horizontal.value, -plan.vertical.value);
        viewport_.setScrollBarsVisible(true);
    } catch (const RunTimeFault&) {
        // Errors are ignored; the chart is drawn at whatever size it has.
    }
    viewport_.setUserScale(chartScale());
    layoutAndDraw();
}

void DrawCommands::ZoomOut() {
    FitView();
    DrawRedraw();
}

void DrawCommands::layoutAndDraw() {
    ChartFrame frame;
    try {
        frame = LayoutChart(session_.chart, &messenger_);
    } catch (const RunTimeFault&) {
        // A refused layout has shown its own message; the canvas stays blank.
        return;
    }
    drawn_ = true;
    drawnSettings_ = session_.chart.settings;
    drawnFrame_ = frame;
    drawnStates_ = session_.statePoints;
    // The picture keeps the chart as laid out and draws the part in view,
    // now and whenever the view moves.
    viewport_.picture()->drawScene(ChartScene{session_.chart, frame, processLines_}, session_.chart);
}

} // namespace hyg
