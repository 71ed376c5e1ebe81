// The chart canvas Pic_Graph: a widget that keeps a persistent image of the
// chart and shows it. Its size is kept in twips; its user scale maps the
// plane window onto the whole picture. The left button drags a rectangle
// (a rubber band shown over the image, a solid outline drawn into it at the
// release), the right button asks for the chart's context menu.
#pragma once

#include "chart/chart_settings.h"

#include <QImage>
#include <QPointF>
#include <QWidget>

#include <cstdint>

namespace hyg {

// A picture's user scale: the coordinates of its top-left corner and its
// extent (negative height: y grows upwards).
struct UserScale {
    double left = -500;
    double top = -350;
    double width = 5000;
    double height = 3500;
};

class ChartPicture : public QWidget {
    Q_OBJECT
public:
    // `settings` gives the rubber band's colour (pen slot 7).
    ChartPicture(const ChartSettings& settings, QWidget* parent);

    // Size in twips; the widget is twips / 15 pixels, its image that many
    // device pixels times the screen's ratio. Keeps the image's content at
    // the top-left; new area is white.
    void setSizeTwips(std::int32_t w, std::int32_t h);
    std::int32_t widthTwips() const { return widthTw_; }
    std::int32_t heightTwips() const { return heightTw_; }
    // The chart's pixels: twips / 15 (not rounded).
    double widthPixels() const;
    double heightPixels() const;

    void setUserScale(const UserScale& s) { scale_ = s; }
    const UserScale& userScale() const { return scale_; }
    QPointF toScale(QPointF px) const;

    // The persistent image (device pixels, with the ratio set: a painter on
    // it works in the chart's pixels).
    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    void clear();

    // Drag state: the last kept start and the current drawing position.
    QPointF dragStart() const { return dragStart_; }
    QPointF currentPosition() const { return current_; }
    bool dragging() const { return dragging_; }

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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPointF toPixels(QPointF scalePos) const;
    void drawOutline(QPainter& painter, QPointF a, QPointF b) const;
    void remakeImage();

    const ChartSettings& settings_;
    std::int32_t widthTw_ = 0;
    std::int32_t heightTw_ = 0;
    UserScale scale_;
    QImage image_;
    QPointF dragStart_{0, 0};
    QPointF current_{0, 0};
    bool dragging_ = false;
};

} // namespace hyg
