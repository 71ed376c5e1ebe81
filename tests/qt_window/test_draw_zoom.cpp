// The chart viewport: its arithmetic in twips (layout and zoom plan),
// then the real window: draw, zoom, scroll and resize, the pointer
// (rubber band, drag globals, right button), the air read-out, and the
// messages of a refused drawing.
#include "tests/qt_window/window_fixture.h"

#include "qt_window/air_readout.h"
#include "qt_window/viewport_math.h"

#include <cmath>

using namespace hyg;
using namespace hyg::test;

namespace {

// The pixel of a plane point on the canvas (inverse of its user scale).
QPointF PixelOf(ChartPicture* p, double x, double y) {
    const UserScale& s = p->userScale();
    return {(x - s.left) * p->widthPixels() / s.width, (y - s.top) * p->heightPixels() / s.height};
}

QRgb DevicePixel(const QImage& image, QPointF logical) {
    const qreal r = image.devicePixelRatio();
    return image.pixel(static_cast<int>(logical.x() * r), static_cast<int>(logical.y() * r)) & 0xFFFFFF;
}

QString Text(const ScrollSetting& s) {
    return QString("%1 %2 %3 %4").arg(s.max).arg(s.value).arg(s.largeChange).arg(s.smallChange);
}

} // namespace

class TestDrawZoom : public QObject {
    Q_OBJECT
private slots:
    void viewportArithmetic();
    void drawZoomScrollAndResize();
    void pointerOnTheChart();
    void drawingErrors();
};

void TestDrawZoom::viewportArithmetic() {
    // Tool bar 420, scroll bars 240. 10000 x 5000: w 9640, h 3350, then
    // w = 3350 / 0.7 = 4786. A tall window: h = 0.7 w, centred vertically.
    // A tiny one: never below the scroll bars.
    const struct {
        double W, H;
        const char* geometry;
    } windows[] = {
        {10000, 5000, "4786 3350 2427 525"}, {3000, 9000, "2640 1848 0 3276"}, {100, 100, "240 168 -250 -334"}};
    for (const auto& r : windows) {
        const ViewportGeometry g = LayoutViewport(r.W, r.H, 240, 240, 420);
        QCOMPARE(QString("%1 %2 %3 %4").arg(g.w).arg(g.h).arg(g.left).arg(g.top), QString(r.geometry));
    }
    const struct {
        double x1, y1, x2, y2, canvasW, canvasH;
        const char* plan;
    } rows[] = {
        // A click: 500 x 350 plane units about it, f = 0.1; the canvas would
        // grow ten times but stops at 32000 twips. V: Max = 22400 - 3350,
        // Value = Max (3150 - 1675) / (3500 - 350); H: Value = Max (750 + 500) / (5000 - 500).
        {1000, 1500, 1000, 1500, 4786, 3350,
         "f 0.1 x 750..1250 y 1325..1675 canvas 32000x22400 resized | v 19050 8920 1905 381 | h 27214 7559 2721 544"},
        // The whole plane: the size stays, both ranges 0, steps at least 1.
        {-500, -350, 4500, 3150, 4786, 3350, "f 1 x -500..4500 y -350..3150 canvas 4786x3350 | v 0 0 1 1 | h 0 0 1 1"},
        // A rectangle dragged up and to the left; a click near an edge, its values clamped.
        {1200, 1000, 200, 300, 6000, 4200,
         "f 0.2 x 200..1200 y 300..1000 canvas 30000x21000 resized | v 16800 12900 1680 336 | h 24000 4200 2400 480"},
        {4490, 3140, 4490, 3140, 3000, 2100,
         "f 0.1 x 4240..4740 y 2965..3315 canvas 30000x21000 resized | v 18900 0 1890 378 | h 27000 27000 2700 540"},
    };
    for (const auto& r : rows) {
        const ZoomPlan z = PlanZoom(r.x1, r.y1, r.x2, r.y2, r.canvasW, r.canvasH, r.canvasW, r.canvasH);
        QCOMPARE(QString("f %1 x %2..%3 y %4..%5 canvas %6x%7%8 | v %9 | h %10")
                     .arg(z.factor)
                     .arg(z.x1)
                     .arg(z.x2)
                     .arg(z.y1)
                     .arg(z.y2)
                     .arg(z.canvasW)
                     .arg(z.canvasH)
                     .arg(z.resize ? " resized" : "", Text(z.vertical), Text(z.horizontal)),
                 QString(r.plan));
    }
}

void TestDrawZoom::drawZoomScrollAndResize() {
    WindowFixture f;
    ChartViewport& v = f.window->viewport();
    ChartPicture* p = f.picture();
    Session& s = f.session();
    const auto canvas = [p] { return QSize(p->widthTwips(), p->heightTwips()); };
    const auto resize = [&](int w, int h) {
        f.window->resize(w, h);
        QTRY_COMPARE(v.shadeWidth(), f.window->computeViewport().w);
    };
    // The first drawing fits the canvas at 0.7.
    f.trigger("MnuGraphComDraw");
    const CanvasSize c = FitCanvas(v.shadeWidth(), v.shadeHeight(), v.verticalBarWidth(), v.horizontalBarHeight());
    const QSize fitted(c.w, c.h);
    QCOMPARE(canvas(), fitted);

    // A click without a drag: a zero-size rectangle and a dot-sized mark.
    const QPointF at = PixelOf(p, 2000, 1500);
    Press(p, at);
    Release(p, at);
    QCOMPARE(QPointF(s.DragStartX, s.DragStartY), QPointF(s.DragEndX, s.DragEndY));
    QCOMPARE(DevicePixel(p->image(), at), QRgb(0xFF0000));

    // Zoom In by ten, at most 32000 twips, the scroll bars as planned.
    f.trigger("MnuGraphComIn");
    const int wide = std::min(32000, fitted.width() * 10);
    QCOMPARE(canvas(), QSize(wide, static_cast<int>(std::nearbyint(wide * 0.7))));
    QCOMPARE(f.settings().DrawCount, 2);
    const ZoomPlan z = PlanZoom(s.DragStartX, s.DragStartY, s.DragEndX, s.DragEndY, fitted.width(), fitted.height(),
                                v.shadeWidth(), v.shadeHeight());
    QCOMPARE(QPoint(v.horizontal()->value(), v.vertical()->value()), QPoint(z.horizontal.value, z.vertical.value));

    // Scrolling moves the canvas; the vertical bar makes the chart the active view.
    s.ActiveView = View::Process;
    v.vertical()->setValue(v.vertical()->maximum());
    QCOMPARE(v.canvasTop(), -v.vertical()->maximum());
    QVERIFY(s.ActiveView == View::Chart);

    // An enlarged canvas stays through a resize; the scroll ranges follow.
    resize(1100, 760);
    QCOMPARE(canvas().width(), wide);
    QCOMPARE(v.horizontal()->maximum(), wide - v.shadeWidth());
    // Zoom Out returns to the fitted view; a larger window then widens the
    // canvas to the viewport without drawing; a tall one keeps 0.7.
    f.trigger("MnuGraphComOut");
    QCOMPARE(p->pos(), QPoint(0, 0));
    QVERIFY(v.vertical()->isHidden() && v.horizontal()->isHidden());
    QCOMPARE(f.settings().DrawCount, 3);
    resize(1200, 840);
    QCOMPARE(canvas(), QSize(v.shadeWidth(), v.shadeHeight()));
    QCOMPARE(f.settings().DrawCount, 3);
    resize(500, 900);
    QVERIFY(std::abs(v.shadeHeight() - 0.7 * v.shadeWidth()) <= 1);
}

void TestDrawZoom::pointerOnTheChart() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    ChartPicture* p = f.picture();
    ChartSettings& cs = f.settings();
    // The read-out under the pointer; blank above the top edge and left of the saturation curve.
    const auto hover = [&](double X, double Y) {
        SendMouse(p, QEvent::MouseMove, PixelOf(p, X, Y), Qt::NoButton, Qt::NoButton);
        return f.window->readout()->text();
    };
    const QString text = hover(ChartX(cs, 25, 10), ChartY(cs, 10));
    QVERIFY2(
        QRegularExpression("^D\\.B\\. 2(4\\.9|5\\.0|5\\.1) \u00b0C   x 0\\.010.*kcal/kgDA$").match(text).hasMatch(),
        qPrintable(text));
    QCOMPARE(hover(ChartX(cs, 25, 10), 3100) + hover(ChartX(cs, 12, 20), ChartY(cs, 20)), QString());
    // Temperatures stay in deg C whatever the temperature unit.
    cs.EnthalpyUnit = 3;
    cs.TemperatureUnit = 2;
    QVERIFY(QString::fromStdString(FormatAirReadout(AirReadout{25, 10, 50.04, 17.9, 12.25}, cs))
                .startsWith("D.B. 25.0 \u00b0C   x 0.0100 lbm/lbmDA"));

    const QImage before = p->image();
    // A drag up and to the left, back and forth on the way: while dragging
    // the band lies over the image, which stays untouched.
    const QPointF a(300, 200), b(100, 80);
    Press(p, a);
    for (int i = 1; i <= 5; ++i)
        MoveHeld(p, a + (b - a) * (i / 5.0) + QPointF(i % 2 ? 40 : -40, 0));
    MoveHeld(p, b);
    QCOMPARE(p->image(), before);
    Release(p, b);
    // At the release a light red outline marks the rectangle, and only that.
    QCOMPARE(DevicePixel(p->image(), QPointF(200, 80)), QRgb(0xFF0000));
    QCOMPARE(DevicePixel(p->image(), QPointF(100, 140)), QRgb(0xFF0000));
    for (QPointF inOrOut : {QPointF(200, 140), QPointF(200, 40), QPointF(330, 220)}) {
        QCOMPARE(DevicePixel(p->image(), inOrOut), DevicePixel(before, inOrOut));
    }
    // The chart's y grows upwards: the end lies left of and above the start, not reordered.
    const Session& s = f.session();
    const QPointF start = p->toScale(a), end = p->toScale(b);
    const QList<float> dragged{s.DragStartX, s.DragStartY, s.DragEndX, s.DragEndY};
    QCOMPARE(dragged, QList<float>({float(start.x()), float(start.y()), float(end.x()), float(end.y())}));
    QVERIFY(s.DragEndX < s.DragStartX && s.DragEndY > s.DragStartY);

    // The right button opens the chart menu; its drag leaves the stored
    // rectangle alone, and its release makes the chart active.
    f.session().ActiveView = View::Process;
    Press(p, QPointF(200, 150), Qt::RightButton);
    QTRY_VERIFY(f.window->chartMenu()->isVisible());
    MoveHeld(p, QPointF(250, 180), Qt::RightButton);
    Release(p, QPointF(250, 180), Qt::RightButton);
    f.window->chartMenu()->hide();
    QCOMPARE(QList<float>({s.DragStartX, s.DragStartY, s.DragEndX, s.DragEndY}), dragged);
    QVERIFY(s.ActiveView == View::Chart);
}

void TestDrawZoom::drawingErrors() {
    WindowFixture f;
    // A refused layout shows its own message once; the command adds none.
    f.settings().MaxDryBulb = f.settings().MinDryBulb;
    f.trigger("MnuGraphComDraw");
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QVERIFY(f.dialogs.messages[0].text.find("Sorry") == std::string::npos);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    // A changed top humidity gives the notice with the application's title.
    f.settings().MaxDryBulb = 40;
    f.settings().MaxAbsHum = 20;
    f.trigger("MnuGraphComDraw");
    QCOMPARE(f.dialogs.messages.size(), size_t(2));
    QCOMPARE(f.dialogs.messages[1].text + " / " + f.dialogs.messages[1].title,
             std::string("Hum. is 27 x1000 on diagram. / Ventaro"));
    QCOMPARE(f.settings().DrawCount, 1);
}

QTEST_MAIN(TestDrawZoom)
#include "test_draw_zoom.moc"
