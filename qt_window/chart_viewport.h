// The chart viewport of the main window: the clipping picture Pic_Shade
// with the canvas Pic_Graph inside, and the scroll bars vsbControl and
// hsbControl beside it. The viewport lays itself out in the client area of
// its host whenever that changes size. Sizes are twips (the widgets are
// placed at twips / 15 pixels); the scroll bars and the canvas position
// are pixels.
#pragma once

#include "qt_window/chart_picture.h"
#include "qt_window/viewport_math.h"

#include <QObject>

class QScrollBar;
class QWheelEvent;

namespace hyg {

class ChartViewport : public QObject {
    Q_OBJECT
public:
    // The widgets become children of `host` (the main window's client
    // area); the canvas size is stored into `settings` as it changes.
    ChartViewport(ChartSettings& settings, QWidget* host);

    ChartPicture* picture() const { return picture_; }
    QWidget* shade() const { return shade_; }
    QScrollBar* vertical() const { return vsb_; }
    QScrollBar* horizontal() const { return hsb_; }

    // Sizes in twips.
    std::int32_t shadeWidth() const { return shadeGeom_.w; }
    std::int32_t shadeHeight() const { return shadeGeom_.h; }
    std::int32_t verticalBarWidth() const;
    std::int32_t horizontalBarHeight() const;
    // The canvas's top-left corner inside the viewport (pixels, 0 or negative).
    std::int32_t canvasLeft() const { return canvasLeft_; }
    std::int32_t canvasTop() const { return canvasTop_; }

    // The viewport for the host's present client area.
    ViewportGeometry computeLayout() const;
    // Place the viewport and the scroll bars, then keep the enlarged canvas
    // (scroll ranges) or widen a smaller one to the viewport. Stores the
    // canvas size into the settings.
    void applyLayout(const ViewportGeometry& g);

    // Resizes the canvas Pic_Graph (twips).
    void setCanvasSize(std::int32_t w, std::int32_t h);
    // Places the canvas inside the viewport (pixels, usually 0 or negative).
    void placeCanvas(std::int32_t left, std::int32_t top);
    void setUserScale(const UserScale& s) { picture_->setUserScale(s); }

    void setScrollBarsVisible(bool visible);
    void setScroll(QScrollBar* bar, const ScrollSetting& s);

signals:
    // A press on the viewport or a vertical scroll: the chart is the active view.
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeShade(const ViewportGeometry& g);
    bool scrollByWheel(const QWheelEvent& wheel);

    ChartSettings& settings_;
    QWidget* host_;
    QWidget* shade_;
    ChartPicture* picture_;
    QScrollBar* vsb_;
    QScrollBar* hsb_;
    ViewportGeometry shadeGeom_;
    std::int32_t canvasLeft_ = 0;
    std::int32_t canvasTop_ = 0;
    // Wheel turns smaller than a step, kept until they add up to one (pixels).
    QPointF wheelRest_;
};

} // namespace hyg
