#include "qt_window/chart_viewport.h"

#include <QEvent>
#include <QScrollBar>

#include <cmath>

namespace hyg {

namespace {
int Px(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
} // namespace

ChartViewport::ChartViewport(const ChartSettings& settings, QWidget* host)
    : QObject(host)
    , host_(host) {
    shade_ = new QWidget(host);
    shade_->setObjectName("Pic_Shade");
    shade_->setAutoFillBackground(true);
    QPalette pal = shade_->palette();
    pal.setColor(QPalette::Window, Qt::white);
    shade_->setPalette(pal);
    shade_->installEventFilter(this);

    picture_ = new ChartPicture(settings, shade_);

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

    // Load: a canvas of 5000 by 3500 twips with the scale -500, -350, 5000,
    // 3500 (y downwards until the first drawing sets the chart's scale).
    setCanvasSize(5000, 3500);
    setUserScale(UserScale{-500, -350, 5000, 3500});
    shadeGeom_ = {5000, 3500, 0, 0};
    placeShade(shadeGeom_);
}

std::int32_t ChartViewport::verticalBarWidth() const {
    return vsb_->sizeHint().width() * kTwipsPerPixel;
}
std::int32_t ChartViewport::horizontalBarHeight() const {
    return hsb_->sizeHint().height() * kTwipsPerPixel;
}

void ChartViewport::placeShade(const ViewportGeometry& g) {
    shadeGeom_ = g;
    shade_->setGeometry(Px(g.left), Px(g.top), Px(g.w), Px(g.h));
    vsb_->setGeometry(Px(g.left + g.w), Px(g.top), vsb_->sizeHint().width(), Px(g.h));
    hsb_->setGeometry(Px(g.left), Px(g.top + g.h), Px(g.w), hsb_->sizeHint().height());
}

void ChartViewport::applyLayout(const ViewportGeometry& g, ChartSettings& settings) {
    placeShade(g);
    const std::int32_t wc = picture_->widthTwips();
    const std::int32_t hc = picture_->heightTwips();
    settings.PictureWidth = static_cast<float>(wc);
    if (wc == g.w)
        return;
    if (wc > g.w) {
        // The canvas is enlarged by a zoom: scroll over it.
        setScroll(vsb_, OverhangScroll(hc, g.h, vsb_->value()));
        setScroll(hsb_, OverhangScroll(wc, g.w, hsb_->value()));
        setScrollBarsVisible(true);
        return;
    }
    setCanvasSize(g.w, g.h);
    settings.PictureWidth = static_cast<float>(g.w);
    settings.PictureHeight = static_cast<float>(g.h);
    setScrollBarsVisible(false);
    placeShade(g);
    placeCanvas(0, 0);
}

void ChartViewport::setCanvasSize(std::int32_t w, std::int32_t h) {
    picture_->setSizeTwips(w, h);
    const QImage& shown = picture_->image();
    if (saved_.size() != shown.size()) {
        saved_ = QImage(shown.size(), QImage::Format_RGB32);
        saved_.fill(Qt::white);
    }
    saved_.setDevicePixelRatio(shown.devicePixelRatio());
}

void ChartViewport::placeCanvas(std::int32_t left, std::int32_t top) {
    canvasLeft_ = left;
    canvasTop_ = top;
    picture_->move(Px(left), Px(top));
}

void ChartViewport::setUserScale(const UserScale& s) {
    picture_->setUserScale(s);
    savedScale_ = s;
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

bool ChartViewport::eventFilter(QObject* watched, QEvent* event) {
    if (watched == shade_ && event->type() == QEvent::MouseButtonPress)
        emit activated();
    return QObject::eventFilter(watched, event);
}

} // namespace hyg
