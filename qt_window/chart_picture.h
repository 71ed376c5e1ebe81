// The chart canvas Pic_Graph. The canvas is virtual: it has a size in twips
// (as large as a deep zoom makes it) and a user scale that maps the plane
// window onto the whole of it, but only the part in view exists as an
// image. That part is drawn again from the chart whenever the view moves,
// so memory does not grow with the magnification.
//
// The left button drags a rectangle (a rubber band shown over the image, a
// solid outline that marks the selection at the release until the chart is
// drawn again), the right button asks for the chart's context menu.
#pragma once

#include "chart/chart_settings.h"
#include "chart/plane.h"

#include <QImage>
#include <QPointF>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

namespace hyg {

class PenPlotter;

// A picture's user scale: the coordinates of its top-left corner and its
// extent (negative height: y grows upwards). By default the plane window
// with y downwards, as a canvas shows it before the first drawing.
struct UserScale {
    double left = kPlaneXMin;
    double top = kPlaneYMin;
    double width = kPlaneWidth;
    double height = kPlaneHeight;
};

// How the visible image maps onto the chart plane: the whole canvas is
// canvasW x canvasH pixels and shows `scale`; the image starts at
// (offsetX, offsetY) on it. Pixels are the image's logical pixels.
struct ViewMapping {
    UserScale scale;
    double canvasW = 1;
    double canvasH = 1;
    double offsetX = 0;
    double offsetY = 0;

    QPointF toPixel(QPointF plane) const;
    QPointF toPlane(QPointF pixel) const;
};

// What the canvas shows: the chart as the last drawing command laid it out,
// drawn again for every view.
struct ChartScene {
    Chart chart; // settings (PictureWidth: the canvas it was drawn for) and table as laid out
    ChartFrame frame;
    std::function<void(PenPlotter&)> processLines;
};

class ChartPicture : public QWidget {
    Q_OBJECT
public:
    // `settings` gives the rubber band's colour (pen slot 7).
    ChartPicture(const ChartSettings& settings, QWidget* parent);

    // Size of the whole (virtual) canvas in twips; its pixels are twips / 15
    // (not rounded).
    void setSizeTwips(std::int32_t w, std::int32_t h);
    std::int32_t widthTwips() const { return widthTw_; }
    std::int32_t heightTwips() const { return heightTw_; }
    double widthPixels() const;
    double heightPixels() const;

    // The canvas position (pixels) at the widget's top-left corner.
    void setOffset(QPoint offset);
    QPoint offset() const { return offset_; }

    void setUserScale(const UserScale& s) { scale_ = s; }
    // The mapping between the visible image and the plane: that of the
    // drawn chart, or of the canvas's user scale before any drawing.
    ViewMapping mapping() const;
    QPointF toScale(QPointF px) const { return mapping().toPlane(px); }

    // The chart as drawn on the screen: the part in view (device pixels,
    // with the ratio set, so a painter on it works in logical pixels).
    const QImage& image() const;

    // Blank canvas: the chart and the selection mark are gone.
    void clear();
    // Shows `scene` and draws it now, counting the drawing in `live` (the
    // session's chart); later views redraw the scene's own chart.
    void drawScene(ChartScene scene, Chart& live);
    bool hasScene() const { return scene_.has_value(); }

signals:
    // A left-button drag ended: start and end in the user scale.
    void dragFinished(QPointF start, QPointF end);
    // Any button released or clicked on the canvas: the chart is the active view.
    void activated();
    void contextMenuRequested(QPoint globalPos);
    // The pointer moved over the canvas (user scale), or left it.
    void pointerMoved(QPointF scalePos);
    void pointerLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void drawOutline(QPainter& painter, QPointF a, QPointF b) const;
    void invalidate();
    void render(Chart* live) const;

    const ChartSettings& settings_;
    std::int32_t widthTw_ = 0;
    std::int32_t heightTw_ = 0;
    QPoint offset_{0, 0};
    UserScale scale_;
    std::optional<ChartScene> scene_;
    // The canvas the scene was drawn for: a resize that widens the canvas
    // leaves the chart at the size it was drawn until the next drawing.
    UserScale sceneScale_;
    double sceneW_ = 1;
    double sceneH_ = 1;
    // The selection outline drawn at the last release: its corners (plane units).
    std::optional<std::pair<QPointF, QPointF>> mark_;
    mutable QImage image_;
    mutable bool stale_ = true;
    QPointF dragStart_{0, 0};
    QPointF current_{0, 0};
    bool dragging_ = false;
};

} // namespace hyg
