// The chart viewport of the main window: the clipping picture Pic_Shade
// with the canvas Pic_Graph inside, the scroll bars vsbControl and
// hsbControl beside it, and the off-screen twin Pic_Save. All lengths are
// twips; the widgets are placed at twips / 15 pixels.
#pragma once

#include "qt_window/chart_picture.h"
#include "qt_window/viewport_math.h"

#include <QImage>
#include <QObject>

class QScrollBar;

namespace hyg {

class ChartViewport : public QObject {
    Q_OBJECT
public:
    // The widgets become children of `host` (the main window's client area).
    ChartViewport(const ChartSettings& settings, QWidget* host);

    ChartPicture* picture() const { return picture_; }
    QWidget* shade() const { return shade_; }
    QScrollBar* vertical() const { return vsb_; }
    QScrollBar* horizontal() const { return hsb_; }
    // Pic_Save: the off-screen twin of the canvas, kept at the same size.
    QImage& saved() { return saved_; }
    const QImage& saved() const { return saved_; }

    // Sizes in twips.
    std::int32_t shadeWidth() const { return shadeGeom_.w; }
    std::int32_t shadeHeight() const { return shadeGeom_.h; }
    std::int32_t verticalBarWidth() const;
    std::int32_t horizontalBarHeight() const;
    std::int32_t canvasLeft() const { return canvasLeft_; }
    std::int32_t canvasTop() const { return canvasTop_; }

    // The window changed size: place the viewport and the scroll bars, then
    // keep the enlarged canvas (scroll ranges) or widen a smaller one to the
    // viewport. Stores the canvas size into `settings`.
    void applyLayout(const ViewportGeometry& g, ChartSettings& settings);

    // Resizes Pic_Graph and Pic_Save (twips).
    void setCanvasSize(std::int32_t w, std::int32_t h);
    // Places the canvas inside the viewport (twips, usually 0 or negative).
    void placeCanvas(std::int32_t left, std::int32_t top);
    // Gives Pic_Graph and Pic_Save the user scale.
    void setUserScale(const UserScale& s);
    const UserScale& savedScale() const { return savedScale_; }

    void setScrollBarsVisible(bool visible);
    void setScroll(QScrollBar* bar, const ScrollSetting& s);

signals:
    // A press on the viewport or a vertical scroll: the chart is the active view.
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeShade(const ViewportGeometry& g);

    QWidget* host_;
    QWidget* shade_;
    ChartPicture* picture_;
    QScrollBar* vsb_;
    QScrollBar* hsb_;
    QImage saved_;
    UserScale savedScale_;
    ViewportGeometry shadeGeom_;
    std::int32_t canvasLeft_ = 0;
    std::int32_t canvasTop_ = 0;
};

} // namespace hyg
