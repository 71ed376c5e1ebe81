#include "qt_window/chart_picture.h"

#include "qt_window/viewport_math.h"
#include "chart/canvas_writer.h"
#include "chart/chart_driver.h"
#include "qt_render/painter_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace hyg {

namespace {
QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}
double NonZero(double v) {
    return v != 0 ? v : 1;
}
} // namespace

QPointF ViewMapping::toPixel(QPointF plane) const {
    return {(plane.x() - scale.left) * canvasW / NonZero(scale.width) - offsetX,
            (plane.y() - scale.top) * canvasH / NonZero(scale.height) - offsetY};
}

QPointF ViewMapping::toPlane(QPointF pixel) const {
    return {scale.left + (pixel.x() + offsetX) * scale.width / NonZero(canvasW),
            scale.top + (pixel.y() + offsetY) * scale.height / NonZero(canvasH)};
}

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
    invalidate();
}

void ChartPicture::setOffset(QPoint offset) {
    if (offset == offset_)
        return;
    offset_ = offset;
    invalidate();
}

ViewMapping ChartPicture::mapping() const {
    ViewMapping m;
    if (scene_) {
        m.scale = sceneScale_;
        m.canvasW = sceneW_;
        m.canvasH = sceneH_;
    } else {
        m.scale = scale_;
        m.canvasW = widthPixels() > 0 ? widthPixels() : 1;
        m.canvasH = heightPixels() > 0 ? heightPixels() : 1;
    }
    m.offsetX = offset_.x();
    m.offsetY = offset_.y();
    return m;
}

void ChartPicture::invalidate() {
    stale_ = true;
    update();
}

void ChartPicture::clear() {
    scene_.reset();
    mark_.reset();
    invalidate();
}

void ChartPicture::drawScene(ChartScene scene, Chart& live) {
    sceneScale_ = scale_;
    sceneW_ = scene.chart.settings.PictureWidth / kTwipsPerPixel;
    sceneH_ = scene.chart.settings.PictureHeight / kTwipsPerPixel;
    scene_ = std::move(scene);
    mark_.reset();
    render(&live);
    update();
}

const QImage& ChartPicture::image() const {
    if (stale_)
        render(nullptr);
    return image_;
}

void ChartPicture::render(Chart* live) const {
    const qreal ratio = devicePixelRatioF();
    const QSize device(std::max(1, static_cast<int>(std::ceil(width() * ratio))),
                       std::max(1, static_cast<int>(std::ceil(height() * ratio))));
    if (image_.size() != device || image_.devicePixelRatio() != ratio) {
        image_ = QImage(device, QImage::Format_RGB32);
        image_.setDevicePixelRatio(ratio);
    }
    image_.fill(Qt::white);
    stale_ = false;
    QPainter painter(&image_);
    if (scene_) {
        // The whole chart is drawn at the canvas's scale, shifted so that the
        // part in view lands on the image; the painter clips the rest.
        painter.save();
        painter.setClipRect(QRectF(0, 0, width(), height()));
        painter.translate(-offset_.x(), -offset_.y());
        PainterCanvas canvas(painter, sceneW_, sceneH_);
        const Chart& chart = live ? *live : scene_->chart;
        CanvasWriter out(chart.settings, canvas);
        try {
            // Only a new scene counts as a drawing, not a repaint of it.
            if (live)
                CountDrawing(live->settings);
            DrawChart(out, chart, scene_->frame, scene_->processLines);
        } catch (const RunTimeFault&) {
            // A fault in the middle of the drawing leaves the partial chart,
            // the same one on every view; the commands report nothing.
        }
        painter.restore();
    }
    if (mark_)
        drawOutline(painter, mark_->first, mark_->second);
}

void ChartPicture::drawOutline(QPainter& painter, QPointF a, QPointF b) const {
    // Each corner on the centre of the pixel that holds it (a hair's
    // breadth of rounding in the mapping must not move it to the next one).
    const auto centre = [m = mapping()](QPointF plane) {
        const QPointF px = m.toPixel(plane);
        return QPointF(std::floor(px.x() + 1e-6) + 0.5, std::floor(px.y() + 1e-6) + 0.5);
    };
    const QPointF p = centre(a);
    const QPointF q = centre(b);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ToQColor(settings_.PenColor[7]), 1));
    painter.setBrush(Qt::NoBrush);
    if (p == q) {
        painter.fillRect(QRectF(p - QPointF(0.5, 0.5), QSizeF(1, 1)), ToQColor(settings_.PenColor[7]));
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
    painter.drawImage(0, 0, image());
    // The rubber band lies over the image and never touches it, so moving
    // it leaves no trace.
    if (dragging_)
        drawOutline(painter, dragStart_, current_);
}

void ChartPicture::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    invalidate();
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
    // The last rubber band becomes a solid outline on the chart; it marks
    // the selection until the chart is drawn again.
    mark_ = std::make_pair(dragStart_, pos);
    current_ = pos;
    dragging_ = false;
    unsetCursor();
    invalidate();
    emit dragFinished(dragStart_, pos);
}

void ChartPicture::leaveEvent(QEvent* event) {
    emit pointerLeft();
    QWidget::leaveEvent(event);
}

} // namespace hyg
