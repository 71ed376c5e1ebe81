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

// The pixel of a plane point in the visible image.
QPointF PixelOf(ChartPicture* p, double x, double y) {
    return p->mapping().toPixel(QPointF(x, y));
}

QRgb DevicePixel(const QImage& image, QPointF logical) {
    const qreal r = image.devicePixelRatio();
    return image.pixel(static_cast<int>(logical.x() * r), static_cast<int>(logical.y() * r)) & 0xFFFFFF;
}

QString Text(const ScrollSetting& s) {
    return QString("%1 %2 %3 %4").arg(s.max).arg(s.value).arg(s.largeChange).arg(s.smallChange);
}

void Wheel(QWidget* w, QPoint angle, Qt::KeyboardModifiers mods = Qt::NoModifier, QPoint pixels = QPoint()) {
    const QPointF at(10, 10);
    QWheelEvent e(at, w->mapToGlobal(at), pixels, angle, Qt::NoButton, mods, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

} // namespace

class TestDrawZoom : public QObject {
    Q_OBJECT
private slots:
    void viewportArithmetic();
    void drawZoomScrollAndResize();
    void deepZoomDrawsWhatIsThere();
    void pointerOnTheChart();
    void drawingErrors();
};

void TestDrawZoom::viewportArithmetic() {
    // Client areas with scroll bars 240 thick. 10000 x 5000: h 4640, so
    // w = 4640 / 0.7 = 6629, and viewport plus bar are centred: left =
    // (10000 - 6629 - 240) / 2 = 1565.5, to even 1566. A tall one: h =
    // 0.7 w, centred vertically. A tiny one: never below the bars.
    const struct {
        double W, H;
        const char* geometry;
    } clients[] = {
        {10000, 5000, "6629 4640 1566 60"}, {3000, 9000, "2640 1848 60 3456"}, {100, 100, "240 168 -190 -154"}};
    for (const auto& r : clients) {
        const ViewportGeometry g = LayoutViewport(r.W, r.H, 240, 240);
        QCOMPARE(QString("%1 %2 %3 %4").arg(g.w).arg(g.h).arg(g.left).arg(g.top), QString(r.geometry));
    }
    // Zoom plans for a viewport of 4786 x 3350 twips (319.07 x 223.33 pixels).
    const struct {
        double x1, y1, x2, y2, canvasW, canvasH;
        const char* plan;
    } rows[] = {
        // A click on the fitted chart: 100 x 70 plane units about it (a
        // fiftieth), f = 0.02, the canvas 50 times the viewport. Scroll
        // pixels: H max 15953.3 - 319.1, value 1450 / 5000 of 15953.3; V max
        // 11167.3 - 223.3, value 1615 / 3500 of 11167.3; a page is the
        // view, a line a tenth of it.
        {1000, 1500, 1000, 1500, 4786, 3350,
         "f 0.02 x 950..1050 y 1465..1535 canvas 239300x167510 resized | v 10944 5153 223 22 | h 15634 4626 319 32"},
        // The whole plane: the size stays, both ranges 0, steps at least 1.
        {-500, -350, 4500, 3150, 4786, 3350, "f 1 x -500..4500 y -350..3150 canvas 4786x3350 | v 0 0 1 1 | h 0 0 1 1"},
        // Zoomed 20 times, a rectangle of 100 plane units dragged up and to
        // the left goes 2.5 times deeper: the canvas is the viewport / 0.02.
        {1100, 1600, 1000, 1500, 95720, 67004,
         "f 0.02 x 1000..1100 y 1515..1585 canvas 239300x167510 resized | v 10944 4993 223 22 | h 15634 4786 319 32"},
        // A click near the top-right corner: the values come to the ends of the ranges.
        {4490, 3140, 4490, 3140, 4786, 3350,
         "f 0.02 x 4440..4540 y 3105..3175 canvas 239300x167510 resized | v 10944 0 223 22 | h 15634 15634 319 32"},
        // A click on the deepest view stops at 1000 times the viewport.
        {4490, 3140, 4490, 3140, 4786000, 3350200,
         "f 0.001 x 4487.5..4492.5 y 3138.25..3141.75 canvas 4786000x3350200 resized | v 223123 526 223 22 | h 318748 "
         "318269 319 32"},
    };
    for (const auto& r : rows) {
        const ZoomPlan z = PlanZoom(r.x1, r.y1, r.x2, r.y2, r.canvasW, r.canvasH, 4786, 3350);
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
    QWidget* client = f.window->centralWidget();
    const auto canvas = [p] { return QSize(p->widthTwips(), p->heightTwips()); };
    const auto geometry = [&] {
        return QList<QRect>({v.shade()->geometry(), v.vertical()->geometry(), v.horizontal()->geometry()});
    };
    const auto resize = [&](int w, int h) {
        f.window->resize(w, h);
        QTRY_COMPARE(f.window->size(), QSize(w, h));
        // Both bars lie inside the client area, whatever the window's history.
        for (QScrollBar* bar : {v.vertical(), v.horizontal()})
            QVERIFY(client->rect().contains(bar->geometry()));
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

    // Zoom In by fifty: the rectangle fills the viewport, its top-left
    // corner at the viewport's; only the part in view is an image.
    const ZoomPlan z = PlanZoom(s.DragStartX, s.DragStartY, s.DragEndX, s.DragEndY, fitted.width(), fitted.height(),
                                v.shadeWidth(), v.shadeHeight());
    f.trigger("MnuGraphComIn");
    const int zoomedWide = canvas().width();
    QCOMPARE(zoomedWide, 50 * v.shadeWidth());
    QCOMPARE(f.settings().DrawCount, 2);
    QCOMPARE(QPoint(v.horizontal()->value(), v.vertical()->value()), QPoint(z.horizontal.value, z.vertical.value));
    const QSizeF view = v.shade()->size();
    const double planePerPixel = 5000.0 / p->widthPixels();
    const QPointF topLeft = p->toScale(QPointF(0, 0)), bottomRight = p->toScale(QPointF(view.width(), view.height()));
    QVERIFY(std::abs(topLeft.x() - 1950) < planePerPixel && std::abs(topLeft.y() - 1535) < planePerPixel);
    QVERIFY(std::abs(bottomRight.x() - 2050) < 2 * planePerPixel &&
            std::abs(bottomRight.y() - 1465) < 2 * planePerPixel);
    QCOMPARE(p->image().size(), (view * p->image().devicePixelRatio()).toSize());

    // Scrolling moves the canvas; the vertical bar makes the chart the active view.
    s.ActiveView = View::Process;
    v.vertical()->setValue(v.vertical()->maximum());
    QCOMPARE(v.canvasTop(), -v.vertical()->maximum());
    QVERIFY(s.ActiveView == View::Chart);
    QVERIFY(std::abs(p->toScale(QPointF(0, view.height())).y() - -350) < 2 * planePerPixel);
    // The wheel: a notch towards the user scrolls three lines down, Shift
    // turns it sideways, a touch pad scrolls by its pixels; all within the ranges.
    v.vertical()->setValue(0);
    Wheel(p, QPoint(0, -120));
    QCOMPARE(v.vertical()->value(), 3 * v.vertical()->singleStep());
    Wheel(p, QPoint(0, 240));
    QCOMPARE(v.vertical()->value(), 0);
    const int h0 = v.horizontal()->value();
    Wheel(p, QPoint(0, -120), Qt::ShiftModifier);
    QCOMPARE(v.horizontal()->value(), h0 + 3 * v.horizontal()->singleStep());
    Wheel(p, QPoint(0, -120), Qt::NoModifier, QPoint(-25, -40));
    QCOMPARE(QPoint(v.horizontal()->value(), v.vertical()->value()),
             QPoint(h0 + 3 * v.horizontal()->singleStep() + 25, 40));
    QCOMPARE(v.canvasLeft(), -v.horizontal()->value());

    // An enlarged canvas stays through a resize; the scroll ranges follow.
    const QList<QRect> at1000 = geometry();
    resize(1100, 760);
    QCOMPARE(canvas().width(), zoomedWide);
    QCOMPARE(v.horizontal()->maximum(), static_cast<int>(std::lround(p->widthPixels() - v.shadeWidth() / 15.0)));
    QVERIFY(v.horizontal()->isVisible() && v.vertical()->isVisible());
    // The same window size gives the same layout, whatever came before.
    resize(1000, 700);
    QCOMPARE(geometry(), at1000);

    // Zoom Out returns to the fitted view; a larger window then widens the
    // canvas to the viewport without drawing; a tall one keeps 0.7.
    f.trigger("MnuGraphComOut");
    QCOMPARE(QPoint(v.canvasLeft(), v.canvasTop()), QPoint(0, 0));
    QVERIFY(v.vertical()->isHidden() && v.horizontal()->isHidden());
    QCOMPARE(f.settings().DrawCount, 3);
    resize(1200, 840);
    QCOMPARE(canvas(), QSize(v.shadeWidth(), v.shadeHeight()));
    QCOMPARE(f.settings().DrawCount, 3);
    resize(500, 900);
    QVERIFY(std::abs(v.shadeHeight() - 0.7 * v.shadeWidth()) <= 1);
    // The tool bar's room goes to the viewport too.
    resize(1000, 700);
    const int shadeHigh = v.shade()->height();
    f.trigger("MnuOptionComTool");
    QTRY_VERIFY(v.shade()->height() > shadeHigh);
}

void TestDrawZoom::deepZoomDrawsWhatIsThere() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    ChartPicture* p = f.picture();
    Session& s = f.session();
    // Clicks on the absolute-humidity line of 10 g/kgDA, Zoom In after each,
    // down to the deepest view: the line still runs across the middle.
    const double lineY = ChartY(f.settings(), 10);
    for (int i = 0; i < 3; ++i) {
        s.DragStartX = s.DragEndX = 2000;
        s.DragStartY = s.DragEndY = static_cast<float>(lineY);
        f.trigger("MnuGraphComIn");
    }
    QCOMPARE(p->widthPixels(), kMaxMagnification * f.window->viewport().shadeWidth() / 15);
    const QImage image = p->image();
    const QPointF at = p->mapping().toPixel(QPointF(2000, lineY));
    int inked = 0;
    for (int x = 0; x < image.width(); x += 10)
        inked += DevicePixel(image, QPointF(x, at.y())) != 0xFFFFFF;
    QVERIFY2(inked > image.width() / 20, qPrintable(QString::number(inked)));

    // The whole chart still goes into a vector picture, no wider than the view.
    QTemporaryDir dir;
    const QString svg = dir.filePath("deep.svg");
    f.dialogs.saveNames.push_back(svg.toStdString());
    f.trigger("MnuGraphComSave");
    QVERIFY(f.dialogs.messages.empty());
    QVERIFY(ReadAll(svg).contains(QByteArray("width=\"") + QByteArray::number(p->width())));
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
    cs.EnthalpyUnit = UnitSystem::Imperial;
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

    // The right button opens the context menu; its drag leaves the stored
    // rectangle alone, and its release makes the chart active.
    f.session().ActiveView = View::Process;
    Press(p, QPointF(200, 150), Qt::RightButton);
    QTRY_VERIFY(f.window->menus().contextMenu->isVisible());
    MoveHeld(p, QPointF(250, 180), Qt::RightButton);
    Release(p, QPointF(250, 180), Qt::RightButton);
    f.window->menus().contextMenu->hide();
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
