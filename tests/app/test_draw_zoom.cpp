// The viewport of the real window: layout on resize, the pointer (rubber
// band, drag globals, context menu), Draw/Redraw, Zoom In and Zoom Out, the
// scroll bars and the air read-out under the pointer.
#include "tests/app/window_fixture.h"

#include "app/viewport_math.h"
#include "chart/chart_settings.h"

#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>

#include <cmath>

using namespace hyg;
using namespace hyg::test;

namespace {

int Px(double twips) { return static_cast<int>(std::lround(twips / 15.0)); }

// The pixel of a plane point on the canvas (inverse of its user scale).
QPointF PixelOf(ChartPicture* p, double x, double y) {
    const UserScale& s = p->userScale();
    return {(x - s.left) * p->widthPixels() / s.width, (y - s.top) * p->heightPixels() / s.height};
}

QRgb DevicePixel(const QImage& image, QPointF logical) {
    const qreal r = image.devicePixelRatio();
    return image.pixel(static_cast<int>(logical.x() * r), static_cast<int>(logical.y() * r)) & 0xFFFFFF;
}

int CountNonWhite(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    }
    return n;
}

} // namespace

class TestDrawZoom : public QObject {
    Q_OBJECT
private slots:
    void resizePlacesTheViewport();
    void firstDrawFitsTheCanvas();
    void rubberBandLeavesNoTrace();
    void dragUpAndLeftIsNotReordered();
    void rightButtonOpensTheChartMenu();
    void clickWithoutDragZoomsByTen();
    void zoomOutReturnsToTheFittedView();
    void resizeKeepsAnEnlargedCanvas();
    void scrollingMovesTheCanvas();
    void readoutUnderThePointer();
    void drawingErrorsAreNotReported();
};

void TestDrawZoom::resizePlacesTheViewport() {
    WindowFixture f(QSize(900, 640));
    ViewportGeometry g = f.window->computeViewport();
    ChartViewport& v = f.window->viewport();
    QCOMPARE(v.shade()->geometry(), QRect(Px(g.left), Px(g.top), Px(g.w), Px(g.h)));
    QCOMPARE(v.shadeWidth(), g.w);
    // The load canvas (5000 twips) is smaller than the viewport: it takes
    // the viewport's size and its width is stored.
    QCOMPARE(f.picture()->widthTwips(), g.w);
    QCOMPARE(f.picture()->heightTwips(), g.h);
    QCOMPARE(f.settings().PictureWidth, float(g.w));
    QCOMPARE(f.settings().PictureHeight, float(g.h));
    QVERIFY(v.vertical()->isHidden());

    // The window's figures give the same layout through the pure function.
    const QSize outer = f.window->frameGeometry().size();
    const ViewportGeometry again = LayoutViewport(
        outer.width() * 15.0, (outer.height() - f.window->statusBar()->height()) * 15.0, v.verticalBarWidth(),
        v.horizontalBarHeight(), f.window->toolbar()->sizeHint().height() * 15.0);
    QCOMPARE(again.w, g.w);
    QCOMPARE(again.top, g.top);
    // Scroll bars beside and below the viewport.
    QCOMPARE(v.vertical()->geometry().left(), Px(g.left + g.w));
    QCOMPARE(v.horizontal()->geometry().top(), Px(g.top + g.h));

    // A taller, narrower window: the viewport keeps 0.7 and is centred.
    f.window->resize(500, 900);
    QTRY_COMPARE(f.window->viewport().shadeWidth(), f.window->computeViewport().w);
    g = f.window->computeViewport();
    QVERIFY(std::abs(g.h - 0.7 * g.w) <= 1);
}

void TestDrawZoom::firstDrawFitsTheCanvas() {
    WindowFixture f;
    ChartViewport& v = f.window->viewport();
    f.trigger("MnuGraphComDraw");
    QCOMPARE(f.settings().DrawCount, 1);
    const CanvasSize c = FitCanvas(v.shadeWidth(), v.shadeHeight(), v.verticalBarWidth(), v.horizontalBarHeight());
    QCOMPARE(f.picture()->widthTwips(), c.w);
    QCOMPARE(f.picture()->heightTwips(), c.h);
    QCOMPARE(f.settings().PictureWidth, float(c.w));
    QCOMPARE(f.picture()->pos(), QPoint(0, 0));
    QVERIFY(v.vertical()->isHidden());
    // The chart's scale: y grows upwards over the plane window.
    QCOMPARE(f.picture()->userScale().top, 3150.0);
    QCOMPARE(f.picture()->userScale().height, -3500.0);
    QCOMPARE(v.savedScale().height, -3500.0);
    QCOMPARE(v.saved().size(), f.picture()->image().size());
    // Something was drawn, at the screen's resolution.
    QVERIFY(CountNonWhite(f.picture()->image()) > 10000);
    QCOMPARE(f.picture()->image().devicePixelRatio(), f.picture()->devicePixelRatioF());
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestDrawZoom::rubberBandLeavesNoTrace() {
    WindowFixture f;
    ChartPicture* p = f.picture();
    const QImage before = p->image();
    const QPointF a(100, 80), b(300, 200);
    Press(p, a);
    QCOMPARE(p->cursor().shape(), Qt::SizeFDiagCursor);
    for (int i = 1; i <= 5; ++i) MoveHeld(p, a + (b - a) * (i / 5.0) + QPointF(i % 2 ? 40 : -40, 0));
    MoveHeld(p, b);
    // While dragging the band lies over the image: the image is untouched.
    QCOMPARE(p->image(), before);
    QCOMPARE(p->currentPosition(), p->toScale(b));
    // A move with another button combination does nothing.
    MoveHeld(p, QPointF(350, 250), Qt::LeftButton | Qt::RightButton);
    QCOMPARE(p->currentPosition(), p->toScale(b));
    Release(p, b);

    // At the release a solid outline in pen colour 7 (light red) marks the
    // rectangle, and only that rectangle.
    const QRgb red = 0xFF0000;
    QCOMPARE(DevicePixel(p->image(), QPointF(200, 80)), red);
    QCOMPARE(DevicePixel(p->image(), QPointF(100, 140)), red);
    QCOMPARE(DevicePixel(p->image(), QPointF(200, 140)), QRgb(0xFFFFFF));
    QCOMPARE(DevicePixel(p->image(), QPointF(200, 40)), QRgb(0xFFFFFF));
    QVERIFY(p->cursor().shape() == Qt::ArrowCursor);

    const QPointF s = p->toScale(a), e = p->toScale(b);
    QCOMPARE(f.session().DragStartX, float(s.x()));
    QCOMPARE(f.session().DragStartY, float(s.y()));
    QCOMPARE(f.session().DragEndX, float(e.x()));
    QCOMPARE(f.session().DragEndY, float(e.y()));
    QCOMPARE(f.session().ActiveView, std::string("chart"));
}

void TestDrawZoom::dragUpAndLeftIsNotReordered() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    ChartPicture* p = f.picture();
    // In the chart's scale (y upwards) a drag up and to the left ends at a
    // smaller x and a larger y than it started.
    Press(p, QPointF(300, 250));
    MoveHeld(p, QPointF(120, 60));
    Release(p, QPointF(120, 60));
    QVERIFY(f.session().DragEndX < f.session().DragStartX);
    QVERIFY(f.session().DragEndY > f.session().DragStartY);
    QCOMPARE(f.session().DragEndX, float(p->toScale(QPointF(120, 60)).x()));
}

void TestDrawZoom::rightButtonOpensTheChartMenu() {
    WindowFixture f;
    ChartPicture* p = f.picture();
    f.session().ActiveView = "Process";
    Press(p, QPointF(50, 50));
    Release(p, QPointF(50, 50));
    const float sx = f.session().DragStartX, ex = f.session().DragEndX;
    Press(p, QPointF(200, 150), Qt::RightButton);
    QTRY_VERIFY(f.window->chartMenu()->isVisible());
    QCOMPARE(f.window->chartMenu()->objectName(), QString("MnuGraphCom"));
    MoveHeld(p, QPointF(250, 180), Qt::RightButton);
    Release(p, QPointF(250, 180), Qt::RightButton);
    f.window->chartMenu()->hide();
    // A right-button drag leaves the stored rectangle alone.
    QCOMPARE(f.session().DragStartX, sx);
    QCOMPARE(f.session().DragEndX, ex);
    QCOMPARE(f.session().ActiveView, std::string("chart"));
}

void TestDrawZoom::clickWithoutDragZoomsByTen() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    ChartPicture* p = f.picture();
    ChartViewport& v = f.window->viewport();
    const std::int32_t fitted = p->widthTwips();
    const QPointF at = PixelOf(p, 2000, 1500);
    Press(p, at);
    Release(p, at);
    QCOMPARE(f.session().DragStartX, f.session().DragEndX);
    QCOMPARE(f.session().DragStartY, f.session().DragEndY);
    // A dot-sized mark at the click.
    QCOMPARE(DevicePixel(p->image(), at), QRgb(0xFF0000));

    f.trigger("MnuGraphComIn");
    const std::int32_t wide = std::min<std::int32_t>(32000, fitted * 10);
    QCOMPARE(p->widthTwips(), wide);
    QCOMPARE(p->heightTwips(), static_cast<std::int32_t>(std::nearbyint(wide * 0.7)));
    QCOMPARE(f.settings().PictureWidth, float(wide));
    QCOMPARE(f.settings().DrawCount, 2);
    QVERIFY(!v.vertical()->isHidden());
    QVERIFY(!v.horizontal()->isHidden());
    QCOMPARE(v.vertical()->maximum(), p->heightTwips() - v.shadeHeight());
    QCOMPARE(v.horizontal()->maximum(), p->widthTwips() - v.shadeWidth());
    QVERIFY(v.vertical()->pageStep() >= 1 && v.vertical()->singleStep() >= 1);
    const ZoomPlan z = PlanZoom(f.session().DragStartX, f.session().DragStartY, f.session().DragEndX,
                                f.session().DragEndY, fitted, 0, v.shadeWidth(), v.shadeHeight());
    QCOMPARE(v.horizontal()->value(), int(z.horizontal.value));
    QCOMPARE(v.canvasLeft(), -v.horizontal()->value());
    QCOMPARE(v.canvasTop(), -v.vertical()->value());
    QCOMPARE(p->pos(), QPoint(Px(v.canvasLeft()), Px(v.canvasTop())));
    // The clicked point sits inside the viewport after the zoom.
    const QPointF seen = p->mapTo(v.shade(), PixelOf(p, 2000, 1500).toPoint());
    QVERIFY(v.shade()->rect().contains(seen.toPoint()));
}

void TestDrawZoom::zoomOutReturnsToTheFittedView() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    const std::int32_t fitted = f.picture()->widthTwips();
    Press(f.picture(), QPointF(100, 100));
    Release(f.picture(), QPointF(100, 100));
    f.trigger("MnuGraphComIn");
    QVERIFY(f.picture()->widthTwips() > fitted);
    f.trigger("MnuGraphComOut");
    QCOMPARE(f.picture()->widthTwips(), fitted);
    QCOMPARE(f.picture()->pos(), QPoint(0, 0));
    QVERIFY(f.window->viewport().vertical()->isHidden());
    QVERIFY(f.window->viewport().horizontal()->isHidden());
    QCOMPARE(f.settings().DrawCount, 3);

    // Zooming into the whole plane keeps the size and shows empty ranges.
    f.session().DragStartX = -500, f.session().DragStartY = -350;
    f.session().DragEndX = 4500, f.session().DragEndY = 3150;
    f.trigger("MnuGraphComIn");
    QCOMPARE(f.picture()->widthTwips(), fitted);
    QVERIFY(!f.window->viewport().horizontal()->isHidden());
    QCOMPARE(f.window->viewport().horizontal()->maximum(), 0);
}

void TestDrawZoom::resizeKeepsAnEnlargedCanvas() {
    WindowFixture f(QSize(900, 640));
    f.trigger("MnuGraphComDraw");
    Press(f.picture(), QPointF(150, 120));
    Release(f.picture(), QPointF(150, 120));
    f.trigger("MnuGraphComIn");
    const std::int32_t wide = f.picture()->widthTwips();
    f.window->resize(1000, 720);
    QTRY_COMPARE(f.window->viewport().shadeWidth(), f.window->computeViewport().w);
    ChartViewport& v = f.window->viewport();
    // The enlarged canvas stays; the scroll ranges follow the new viewport.
    QCOMPARE(f.picture()->widthTwips(), wide);
    QCOMPARE(v.horizontal()->maximum(), wide - v.shadeWidth());
    QCOMPARE(v.vertical()->maximum(), f.picture()->heightTwips() - v.shadeHeight());
    QVERIFY(!v.vertical()->isHidden());
    const int drawn = f.settings().DrawCount;

    // Back to the fitted view, then a larger window widens the canvas to
    // the viewport without drawing.
    f.trigger("MnuGraphComOut");
    f.window->resize(1100, 800);
    QTRY_COMPARE(v.shadeWidth(), f.window->computeViewport().w);
    QCOMPARE(f.picture()->widthTwips(), v.shadeWidth());
    QCOMPARE(f.picture()->heightTwips(), v.shadeHeight());
    QCOMPARE(f.settings().PictureWidth, float(v.shadeWidth()));
    QCOMPARE(f.settings().DrawCount, drawn + 1);
    QVERIFY(v.vertical()->isHidden());
}

void TestDrawZoom::scrollingMovesTheCanvas() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    Press(f.picture(), QPointF(150, 120));
    Release(f.picture(), QPointF(150, 120));
    f.trigger("MnuGraphComIn");
    ChartViewport& v = f.window->viewport();
    f.session().ActiveView = "Process";
    v.horizontal()->setValue(1500);
    QCOMPARE(v.canvasLeft(), -1500);
    QCOMPARE(f.picture()->x(), -100);
    QCOMPARE(f.session().ActiveView, std::string("Process")); // horizontal: no change
    v.vertical()->setValue(v.vertical()->maximum());
    QCOMPARE(v.canvasTop(), -v.vertical()->maximum());
    QCOMPARE(f.session().ActiveView, std::string("chart"));
    // A press on the viewport makes the chart active too.
    f.session().ActiveView = "Process";
    Press(v.shade(), QPointF(1, 1));
    QCOMPARE(f.session().ActiveView, std::string("chart"));
}

void TestDrawZoom::readoutUnderThePointer() {
    WindowFixture f;
    ChartPicture* p = f.picture();
    QLabel* readout = f.window->readout();
    SendMouse(p, QEvent::MouseMove, QPointF(200, 200), Qt::NoButton, Qt::NoButton);
    QVERIFY(readout->text().isEmpty()); // nothing drawn yet

    f.trigger("MnuGraphComDraw");
    const ChartSettings& s = f.settings();
    const QPointF at = PixelOf(p, ChartX(s, 25, 10), ChartY(s, 10));
    SendMouse(p, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    const QString text = readout->text();
    QVERIFY2(text.contains("D.B. 25.0 \u00b0C") || text.contains("D.B. 24.9") || text.contains("D.B. 25.1"),
             qPrintable(text));
    QVERIFY2(text.contains("x 0.010"), qPrintable(text));
    QVERIFY2(text.contains("kcal/kgDA"), qPrintable(text));

    // Above the top edge and left of the saturation curve: blank.
    SendMouse(p, QEvent::MouseMove, PixelOf(p, ChartX(s, 25, 10), 3100), Qt::NoButton, Qt::NoButton);
    QVERIFY(readout->text().isEmpty());
    SendMouse(p, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    QVERIFY(!readout->text().isEmpty());
    SendMouse(p, QEvent::MouseMove, PixelOf(p, ChartX(s, 12, 20), ChartY(s, 20)), Qt::NoButton, Qt::NoButton);
    QVERIFY(readout->text().isEmpty());
}

void TestDrawZoom::drawingErrorsAreNotReported() {
    WindowFixture f;
    // A refused layout shows its own message once; the command adds none.
    f.settings().MaxDryBulb = f.settings().MinDryBulb;
    f.trigger("MnuGraphComDraw");
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QVERIFY(f.dialogs.lastMessage().find("Sorry") == std::string::npos);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    // A changed top humidity gives the notice with the application's title.
    f.settings().MaxDryBulb = 40;
    f.settings().MaxAbsHum = 20;
    f.trigger("MnuGraphComDraw");
    QCOMPARE(f.dialogs.messages.size(), size_t(2));
    QCOMPARE(f.dialogs.messages.back().text, std::string("Hum. is 27 x1000 on diagram."));
    QCOMPARE(f.dialogs.messages.back().title, std::string("Ventaro"));
    QCOMPARE(f.settings().DrawCount, 1);
}

QTEST_MAIN(TestDrawZoom)
#include "test_draw_zoom.moc"
