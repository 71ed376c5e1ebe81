#include "qt_window/chart_viewport.h"

#include "engine/fault.h"

#include <QApplication>
#include <QEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace hyg {

namespace {
int Px(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
// One notch of a mouse wheel, in eighths of a degree.
constexpr double kWheelNotch = 120;
} // namespace

ChartViewport::ChartViewport(ChartSettings& settings, QWidget* host)
    : QObject(host)
    , settings_(settings)
    , host_(host) {
    shade_ = new QWidget(host);
    shade_->setObjectName("Pic_Shade");
    shade_->setAutoFillBackground(true);
    QPalette pal = shade_->palette();
    pal.setColor(QPalette::Window, Qt::white);
    shade_->setPalette(pal);
    shade_->installEventFilter(this);

    picture_ = new ChartPicture(settings, shade_);
    picture_->installEventFilter(this);

    vsb_ = new QScrollBar(Qt::Vertical, host);
    vsb_->setObjectName("vsbControl");
    hsb_ = new QScrollBar(Qt::Horizontal, host);
    hsb_->setObjectName("hsbControl");
    vsb_->hide();
    hsb_->hide();

    connect(hsb_, &QScrollBar::valueChanged, this, [this](int v) { placeCanvas(-v, canvasTop_); });
    connect(vsb_, &QScrollBar::valueChanged, this, [this](int v) {
        placeCanvas(canvasLeft_, -v);
        emit activated();
    });

    // Load: a canvas of 5000 by 3500 twips showing the plane window, y
    // downwards until the first drawing sets the chart's scale.
    setCanvasSize(5000, 3500);
    setUserScale(UserScale{});
    placeShade(ViewportGeometry{5000, 3500, 0, 0});
    host_->installEventFilter(this);
}

std::int32_t ChartViewport::verticalBarWidth() const {
    return vsb_->sizeHint().width() * kTwipsPerPixel;
}
std::int32_t ChartViewport::horizontalBarHeight() const {
    return hsb_->sizeHint().height() * kTwipsPerPixel;
}

ViewportGeometry ChartViewport::computeLayout() const {
    return LayoutViewport(host_->width() * kTwipsPerPixel, host_->height() * kTwipsPerPixel, verticalBarWidth(),
                          horizontalBarHeight());
}

void ChartViewport::placeShade(const ViewportGeometry& g) {
    shadeGeom_ = g;
    shade_->setGeometry(Px(g.left), Px(g.top), Px(g.w), Px(g.h));
    picture_->setGeometry(0, 0, Px(g.w), Px(g.h));
    vsb_->setGeometry(Px(g.left + g.w), Px(g.top), vsb_->sizeHint().width(), Px(g.h));
    hsb_->setGeometry(Px(g.left), Px(g.top + g.h), Px(g.w), hsb_->sizeHint().height());
}

void ChartViewport::applyLayout(const ViewportGeometry& g) {
    placeShade(g);
    const std::int32_t wc = picture_->widthTwips();
    settings_.PictureWidth = static_cast<float>(wc);
    if (wc == g.w)
        return;
    if (wc > g.w) {
        // The canvas is enlarged by a zoom (or the window shrank): scroll over it.
        setScroll(vsb_, OverhangScroll(picture_->heightPixels(), g.h / double(kTwipsPerPixel), vsb_->value()));
        setScroll(hsb_, OverhangScroll(picture_->widthPixels(), g.w / double(kTwipsPerPixel), hsb_->value()));
        setScrollBarsVisible(true);
        return;
    }
    setCanvasSize(g.w, g.h);
    settings_.PictureWidth = static_cast<float>(g.w);
    settings_.PictureHeight = static_cast<float>(g.h);
    setScrollBarsVisible(false);
    placeCanvas(0, 0);
}

void ChartViewport::setCanvasSize(std::int32_t w, std::int32_t h) {
    picture_->setSizeTwips(w, h);
}

void ChartViewport::placeCanvas(std::int32_t left, std::int32_t top) {
    canvasLeft_ = left;
    canvasTop_ = top;
    picture_->setOffset(QPoint(-left, -top));
}

void ChartViewport::setScrollBarsVisible(bool visible) {
    vsb_->setVisible(visible);
    hsb_->setVisible(visible);
}

void ChartViewport::setScroll(QScrollBar* bar, const ScrollSetting& s) {
    bar->setRange(0, s.max);
    bar->setPageStep(s.largeChange);
    bar->setSingleStep(s.smallChange);
    bar->setValue(s.value);
    // The canvas follows the value even when it did not change.
    if (bar == hsb_)
        placeCanvas(-bar->value(), canvasTop_);
    else
        placeCanvas(canvasLeft_, -bar->value());
}

bool ChartViewport::scrollByWheel(const QWheelEvent& wheel) {
    if (vsb_->isHidden() && hsb_->isHidden())
        return false;
    // Shift turns the wheel sideways.
    const bool sideways = (wheel.modifiers() & Qt::ShiftModifier) != 0;
    const auto turned = [sideways](QPoint d) { return sideways && d.x() == 0 ? QPoint(d.y(), 0) : d; };
    // A touch pad tells pixels; a wheel tells its turn, three lines (small
    // changes) a notch as everywhere else on the desktop.
    QPointF delta;
    if (!wheel.pixelDelta().isNull()) {
        delta = turned(wheel.pixelDelta());
    } else {
        const QPoint turn = turned(wheel.angleDelta());
        const int lines = QApplication::wheelScrollLines();
        delta = QPointF(turn.x() / kWheelNotch * lines * hsb_->singleStep(),
                        turn.y() / kWheelNotch * lines * vsb_->singleStep());
    }
    delta += wheelRest_;
    const QPoint whole(static_cast<int>(delta.x()), static_cast<int>(delta.y()));
    wheelRest_ = delta - QPointF(whole);
    // Turning the wheel away from the user moves the view up (and left).
    if (whole.x() != 0)
        hsb_->setValue(hsb_->value() - whole.x());
    if (whole.y() != 0)
        vsb_->setValue(vsb_->value() - whole.y());
    return true;
}

bool ChartViewport::eventFilter(QObject* watched, QEvent* event) {
    if (watched == host_ && event->type() == QEvent::Resize) {
        // The layout follows the client area alone: its size, whatever the
        // window's frame, menus, tool bar and status bar take.
        if (host_->width() > 0 && host_->height() > 0) {
            try {
                applyLayout(computeLayout());
            } catch (const RunTimeFault&) {
                // A client area too small to lay out keeps the last layout.
            }
        }
    } else if (watched == shade_ && event->type() == QEvent::MouseButtonPress) {
        emit activated();
    } else if ((watched == shade_ || watched == picture_) && event->type() == QEvent::Wheel) {
        if (scrollByWheel(*static_cast<QWheelEvent*>(event)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace hyg
