#include "qt_window/chart_picture.h"

#include "qt_window/viewport_math.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace hyg {

namespace {
QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}
} // namespace

ChartPicture::ChartPicture(const ChartSettings& settings, QWidget* parent)
    : QWidget(parent)
    , settings_(settings) {
    setObjectName("Pic_Graph");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

double ChartPicture::widthPixels() const {
    return static_cast<double>(widthTw_) / kTwipsPerPixel;
}
double ChartPicture::heightPixels() const {
    return static_cast<double>(heightTw_) / kTwipsPerPixel;
}

void ChartPicture::setSizeTwips(std::int32_t w, std::int32_t h) {
    widthTw_ = w;
    heightTw_ = h;
    resize(static_cast<int>(std::lround(widthPixels())), static_cast<int>(std::lround(heightPixels())));
    remakeImage();
}

void ChartPicture::remakeImage() {
    const qreal ratio = devicePixelRatioF();
    const QSize device(std::max(1, static_cast<int>(std::ceil(width() * ratio))),
                       std::max(1, static_cast<int>(std::ceil(height() * ratio))));
    if (image_.size() == device && image_.devicePixelRatio() == ratio)
        return;
    QImage next(device, QImage::Format_RGB32);
    next.setDevicePixelRatio(ratio);
    next.fill(Qt::white);
    if (!image_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(next);
    update();
}

void ChartPicture::clear() {
    remakeImage();
    image_.fill(Qt::white);
    update();
}

QPointF ChartPicture::toScale(QPointF px) const {
    const double wpx = widthPixels() > 0 ? widthPixels() : 1;
    const double hpx = heightPixels() > 0 ? heightPixels() : 1;
    return {scale_.left + px.x() * scale_.width / wpx, scale_.top + px.y() * scale_.height / hpx};
}

QPointF ChartPicture::toPixels(QPointF s) const {
    const double sw = scale_.width != 0 ? scale_.width : 1;
    const double sh = scale_.height != 0 ? scale_.height : 1;
    return {(s.x() - scale_.left) * widthPixels() / sw, (s.y() - scale_.top) * heightPixels() / sh};
}

void ChartPicture::drawOutline(QPainter& painter, QPointF a, QPointF b) const {
    const QPointF p = toPixels(a);
    const QPointF q = toPixels(b);
    painter.setPen(QPen(ToQColor(settings_.PenColor[7]), 1));
    painter.setBrush(Qt::NoBrush);
    if (p == q) {
        painter.drawPoint(p);
        return;
    }
    const QPointF c1(q.x(), p.y());
    const QPointF c2(p.x(), q.y());
    painter.drawLine(p, c1);
    painter.drawLine(c1, q);
    painter.drawLine(q, c2);
    painter.drawLine(c2, p);
}

void ChartPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, image_);
    // The rubber band lies over the image and never touches it, so moving
    // it leaves no trace.
    if (dragging_)
        drawOutline(painter, dragStart_, current_);
}

void ChartPicture::mousePressEvent(QMouseEvent* event) {
    const QPointF pos = toScale(event->position());
    if (event->button() == Qt::LeftButton) {
        dragStart_ = pos;
        current_ = pos;
        dragging_ = true;
        setCursor(Qt::SizeFDiagCursor);
        update();
    } else if (event->button() == Qt::RightButton) {
        emit contextMenuRequested(event->globalPosition().toPoint());
    }
}

void ChartPicture::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = toScale(event->position());
    emit pointerMoved(pos);
    // Only the left button alone moves the rubber band.
    if (event->buttons() != Qt::LeftButton)
        return;
    current_ = pos;
    update();
}

void ChartPicture::mouseReleaseEvent(QMouseEvent* event) {
    emit activated();
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF pos = toScale(event->position());
    {
        // The last rubber band becomes a solid outline in the picture; it
        // marks the selection until the chart is drawn again.
        QPainter painter(&image_);
        drawOutline(painter, dragStart_, pos);
    }
    current_ = pos;
    dragging_ = false;
    unsetCursor();
    update();
    emit dragFinished(dragStart_, pos);
}

void ChartPicture::leaveEvent(QEvent* event) {
    emit pointerLeft();
    QWidget::leaveEvent(event);
}

} // namespace hyg
