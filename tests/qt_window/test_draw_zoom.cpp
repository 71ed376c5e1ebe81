// The chart viewport: its arithmetic in twips (layout and zoom plan), then
// the real window: draw, zoom, scroll and resize down to the deepest view,
// the pointer (rubber band, right button) and the air read-out.
#include "tests/qt_window/window_fixture.h"

#include "qt_window/air_readout.h"
#include "qt_window/viewport_math.h"

#include <cmath>

using namespace hyg;
using namespace hyg::test;

namespace {

QRgb DevicePixel(const QImage& image, QPointF logical) {
    const qreal r = image.devicePixelRatio();
    return image.pixel(static_cast<int>(logical.x() * r), static_cast<int>(logical.y() * r)) & 0xFFFFFF;
}

} // namespace

class TestDrawZoom : public QObject {
    Q_OBJECT
private slots:
    void viewportArithmetic();
    void drawZoomScrollResizeToTheDeepest();
    void pointerOnTheChart();
};

void TestDrawZoom::viewportArithmetic() {
    // Bars 240 thick. 10000 x 5000: h 4640, w = 4640 / 0.7 = 6629, centred with the bar at (10000 - 6629 -
    // 240) / 2 = 1565.5, to even 1566. A tall one centres vertically; a tiny one keeps the bars.
    const struct { double W, H; const char* geometry; } clients[] = {
        {10000, 5000, "6629 4640 1566 60"}, {3000, 9000, "2640 1848 60 3456"}, {100, 100, "240 168 -190 -154"}};
    for (const auto& r : clients) {
        const ViewportGeometry g = LayoutViewport(r.W, r.H, 240, 240);
        QCOMPARE(QString("%1 %2 %3 %4").arg(g.w).arg(g.h).arg(g.left).arg(g.top), QString(r.geometry));
    }
    // Zoom plans for a viewport of 4786 x 3350 twips (319.07 x 223.33 pixels); a bar as "max value page line".
    const struct { double x1, y1, x2, y2, canvasW, canvasH; const char* plan; } plans[] = {
        // A click on the fitted chart: a fiftieth of the plane about it, the canvas 50 times the viewport.
        {1000, 1500, 1000, 1500, 4786, 3350,
         "f 0.02 x 950..1050 y 1465..1535 canvas 239300x167510 resized | v 10944 5153 223 22 | h 15634 4626 319 32"},
        // The whole plane: the size stays, both ranges 0, steps at least 1.
        {-500, -350, 4500, 3150, 4786, 3350, "f 1 x -500..4500 y -350..3150 canvas 4786x3350 | v 0 0 1 1 | h 0 0 1 1"},
        // Zoomed 20 times, 100 plane units dragged up and to the left go 2.5 times deeper.
        {1100, 1600, 1000, 1500, 95720, 67004,
         "f 0.02 x 1000..1100 y 1515..1585 canvas 239300x167510 resized | v 10944 4993 223 22 | h 15634 4786 319 32"},
        // Near the top-right corner the values come to the ends of the ranges.
        {4490, 3140, 4490, 3140, 4786, 3350,
         "f 0.02 x 4440..4540 y 3105..3175 canvas 239300x167510 resized | v 10944 0 223 22 | h 15634 15634 319 32"},
        // The deepest view stops at 1000 times the viewport.
        {4490, 3140, 4490, 3140, 4786000, 3350200,
         "f 0.001 x 4487.5..4492.5 y 3138.25..3141.75 canvas 4786000x3350200 resized | v 223123 526 223 22 | "
         "h 318748 318269 319 32"},
    };
    for (const auto& r : plans) {
        const auto bar = [](const ScrollSetting& b) {
            return QString("%1 %2 %3 %4").arg(b.max).arg(b.value).arg(b.largeChange).arg(b.smallChange);
        };
        const ZoomPlan z = PlanZoom(r.x1, r.y1, r.x2, r.y2, r.canvasW, r.canvasH, 4786, 3350);
        QCOMPARE(QString("f %1 x %2..%3 y %4..%5 canvas %6x%7%8 | v %9 | h %10")
                     .arg(z.factor).arg(z.x1).arg(z.x2).arg(z.y1).arg(z.y2).arg(z.canvasW).arg(z.canvasH)
                     .arg(z.resize ? " resized" : "", bar(z.vertical), bar(z.horizontal)),
                 QString(r.plan));
    }
}

void TestDrawZoom::drawZoomScrollResizeToTheDeepest() {
    WindowFixture f;
    ChartViewport& v = f.window->viewport();
    ChartPicture* p = f.picture();
    Session& s = f.session();
    const auto canvas = [p] { return QSize(p->widthTwips(), p->heightTwips()); };
    const auto bars = [&] { return QPoint(v.horizontal()->value(), v.vertical()->value()); };
    // (Scroll bars inside the client area at every size, and the wheel, are checked end to end.)
    const auto resize = [&](int w, int h) {
        f.window->resize(w, h);
        QTRY_COMPARE(f.window->size(), QSize(w, h));
    };
    f.trigger("MnuGraphComDraw");
    const CanvasSize c = FitCanvas(v.shadeWidth(), v.shadeHeight(), v.verticalBarWidth(), v.horizontalBarHeight());
    QCOMPARE(canvas(), QSize(c.w, c.h));
    // A click without a drag: a zero-size rectangle and a dot-sized mark.
    const QPointF at = p->mapping().toPixel(QPointF(2000, 1500));
    Press(p, at);
    Release(p, at);
    QCOMPARE(QPointF(s.DragStartX, s.DragStartY), QPointF(s.DragEndX, s.DragEndY));
    QCOMPARE(DevicePixel(p->image(), at), QRgb(0xFF0000));

    // Zoom In by fifty from the rectangle's top-left corner; only the part in view is an image.
    const ZoomPlan z = PlanZoom(s.DragStartX, s.DragStartY, s.DragEndX, s.DragEndY, c.w, c.h, v.shadeWidth(),
                                v.shadeHeight());
    f.trigger("MnuGraphComIn");
    const int zoomedWide = canvas().width();
    QCOMPARE(zoomedWide, 50 * v.shadeWidth());
    QCOMPARE(f.settings().DrawCount, 2);
    QCOMPARE(bars(), QPoint(z.horizontal.value, z.vertical.value));
    const double px = 5000.0 / p->widthPixels(); // plane units a pixel
    const QPointF topLeft = p->toScale(QPointF(0, 0));
    QVERIFY(std::abs(topLeft.x() - 1950) < px && std::abs(topLeft.y() - 1535) < px);
    QCOMPARE(p->image().size(), (QSizeF(v.shade()->size()) * p->image().devicePixelRatio()).toSize());

    // The scroll bars move the canvas and make the chart the active view; a touch pad scrolls by its pixels.
    s.ActiveView = View::Process;
    v.vertical()->setValue(v.vertical()->maximum());
    QCOMPARE(v.canvasTop(), -v.vertical()->maximum());
    QVERIFY(s.ActiveView == View::Chart);
    QVERIFY(std::abs(p->toScale(QPointF(0, v.shade()->height())).y() - -350) < 2 * px);
    v.vertical()->setValue(0);
    const int h0 = v.horizontal()->value();
    QWheelEvent e({10, 10}, p->mapToGlobal(QPointF(10, 10)), {-25, -40}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(p, &e);
    QCOMPARE(bars(), QPoint(h0 + 25, 40));
    QCOMPARE(v.canvasLeft(), -v.horizontal()->value());

    // An enlarged canvas stays through a resize; the ranges follow.
    resize(1100, 760);
    QCOMPARE(canvas().width(), zoomedWide);
    QCOMPARE(v.horizontal()->maximum(), static_cast<int>(std::lround(p->widthPixels() - v.shadeWidth() / 15.0)));
    QVERIFY(v.horizontal()->isVisible() && v.vertical()->isVisible());
    // Zoom Out fits again; a larger window then widens the canvas without drawing.
    f.trigger("MnuGraphComOut");
    QCOMPARE(QPoint(v.canvasLeft(), v.canvasTop()), QPoint(0, 0));
    QVERIFY(v.vertical()->isHidden() && v.horizontal()->isHidden());
    resize(1200, 840);
    QCOMPARE(canvas(), QSize(v.shadeWidth(), v.shadeHeight()));
    QCOMPARE(f.settings().DrawCount, 3);
    // The tool bar's room goes to the viewport too.
    const int shadeHigh = v.shade()->height();
    f.trigger("MnuOptionComTool");
    QTRY_VERIFY(v.shade()->height() > shadeHigh);

    // Zoom In on the line of 10 g/kgDA down to the deepest view: the line still runs across the middle.
    const double lineY = ChartY(f.settings(), 10);
    for (int i = 0; i < 3; ++i) {
        s.DragStartX = s.DragEndX = 2000;
        s.DragStartY = s.DragEndY = static_cast<float>(lineY);
        f.trigger("MnuGraphComIn");
    }
    QCOMPARE(p->widthPixels(), kMaxMagnification * v.shadeWidth() / 15);
    const QImage image = p->image();
    const double y = p->mapping().toPixel(QPointF(2000, lineY)).y();
    int inked = 0;
    for (int x = 0; x < image.width(); x += 10)
        inked += DevicePixel(image, QPointF(x, y)) != 0xFFFFFF;
    QVERIFY2(inked > image.width() / 20, qPrintable(QString::number(inked)));

    // The whole chart still goes into a vector picture, no wider than the view.
    QTemporaryDir dir;
    f.dialogs.saveNames.push_back(dir.filePath("deep.svg").toStdString());
    f.trigger("MnuGraphComSave");
    QVERIFY(f.dialogs.messages.empty() &&
            ReadAll(dir.filePath("deep.svg")).contains("width=\"" + QByteArray::number(p->width())));
}

void TestDrawZoom::pointerOnTheChart() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    ChartPicture* p = f.picture();
    ChartSettings& cs = f.settings();
    // The read-out under the pointer; blank above the top edge and left of the saturation curve.
    const auto hover = [&](double X, double Y) {
        SendMouse(p, QEvent::MouseMove, p->mapping().toPixel(QPointF(X, Y)), Qt::NoButton, Qt::NoButton);
        return f.window->readout()->text();
    };
    const QString text = hover(ChartX(cs, 25, 10), ChartY(cs, 10));
    QVERIFY2(QRegularExpression("^D\\.B\\. 2(4\\.9|5\\.0|5\\.1) \u00b0C   x 0\\.010.*kcal/kgDA$").match(text).hasMatch(),
             qPrintable(text));
    QCOMPARE(hover(ChartX(cs, 25, 10), 3100) + hover(ChartX(cs, 12, 20), ChartY(cs, 20)), QString());
    // Temperatures stay in deg C whatever the temperature unit.
    cs.EnthalpyUnit = UnitSystem::Imperial;
    cs.TemperatureUnit = 2;
    QVERIFY(QString::fromStdString(FormatAirReadout(AirReadout{25, 10, 50.04, 17.9, 12.25}, cs))
                .startsWith("D.B. 25.0 \u00b0C   x 0.0100 lbm/lbmDA"));

    // A drag up and to the left, back and forth on the way: the band lies over the image, which stays.
    const QImage before = p->image();
    const QPointF a(300, 200), b(100, 80);
    Press(p, a);
    for (int i = 1; i <= 5; ++i)
        MoveHeld(p, a + (b - a) * (i / 5.0) + QPointF(i % 2 ? 40 : -40, 0));
    MoveHeld(p, b);
    QCOMPARE(p->image(), before);
    Release(p, b);
    // At the release a light red outline marks the rectangle, and only that.
    for (QPointF edge : {QPointF(200, 80), QPointF(100, 140)})
        QCOMPARE(DevicePixel(p->image(), edge), QRgb(0xFF0000));
    for (QPointF inOrOut : {QPointF(200, 140), QPointF(200, 40), QPointF(330, 220)})
        QCOMPARE(DevicePixel(p->image(), inOrOut), DevicePixel(before, inOrOut));
    // The chart's y grows upwards: the end lies left of and above the start, not reordered.
    const Session& s = f.session();
    const QPointF start = p->toScale(a), end = p->toScale(b);
    const auto dragged = [&s] { return QList<float>({s.DragStartX, s.DragStartY, s.DragEndX, s.DragEndY}); };
    QCOMPARE(dragged(), QList<float>({float(start.x()), float(start.y()), float(end.x()), float(end.y())}));
    QVERIFY(s.DragEndX < s.DragStartX && s.DragEndY > s.DragStartY);
    const QList<float> band = dragged();

    // The right button opens the context menu, leaves the rectangle alone and makes the chart active.
    f.session().ActiveView = View::Process;
    Press(p, QPointF(200, 150), Qt::RightButton);
    QTRY_VERIFY(f.window->menus().contextMenu->isVisible());
    MoveHeld(p, QPointF(250, 180), Qt::RightButton);
    Release(p, QPointF(250, 180), Qt::RightButton);
    f.window->menus().contextMenu->hide();
    QCOMPARE(dragged(), band);
    QVERIFY(s.ActiveView == View::Chart);
}

QTEST_MAIN(TestDrawZoom)
#include "test_draw_zoom.moc"
