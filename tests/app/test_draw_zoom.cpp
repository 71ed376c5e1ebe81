// The chart viewport: its arithmetic in twips (layout, canvas fit, zoom
// plan) and the air read-out under the pointer as plain functions, then the
// real window: layout on resize, the pointer (rubber band, drag globals,
// context menu), Draw/Redraw, Zoom In and Zoom Out, the scroll bars.
#include "tests/app/window_fixture.h"

#include "app/air_readout.h"
#include "app/viewport_math.h"

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

QString Text(const ScrollSetting& s) {
    return QString("%1 %2 %3 %4").arg(s.max).arg(s.value).arg(s.largeChange).arg(s.smallChange);
}

QString Text(const ZoomPlan& z) {
    return QString("f %1 x %2..%3 y %4..%5 canvas %6x%7%8 | v %9 | h %10")
        .arg(z.factor).arg(z.x1).arg(z.x2).arg(z.y1).arg(z.y2).arg(z.canvasW).arg(z.canvasH)
        .arg(z.resize ? " resized" : "", Text(z.vertical), Text(z.horizontal));
}

} // namespace

class TestDrawZoom : public QObject {
    Q_OBJECT
private slots:
    void viewportArithmetic();
    void zoomPlans();
    void airUnderThePointer();
    void viewportFollowsTheWindow();
    void leftDragAndRightButton();
    void zoomInScrollAndOut();
    void readoutInTheWindow();
    void drawingErrorsAreNotReported();
};

void TestDrawZoom::viewportArithmetic() {
    // Tool bar 420, scroll bars 240. 10000 x 5000: w 9640, h 3350, then
    // w = 3350 / 0.7 = 4786. A tall window: h = 0.7 w, centred vertically.
    // A tiny one: never below the scroll bars.
    const struct {
        double W, H;
        const char* geometry;
    } windows[] = {{10000, 5000, "4786 3350 2427 525"}, {3000, 9000, "2640 1848 0 3276"}, {100, 100, "240 168 -250 -334"}};
    for (const auto& r : windows) {
        const ViewportGeometry g = LayoutViewport(r.W, r.H, 240, 240, 420);
        QCOMPARE(QString("%1 %2 %3 %4").arg(g.w).arg(g.h).arg(g.left).arg(g.top), QString(r.geometry));
    }
    // h / w just below 0.7: the width follows the height; a square: h = CLng(0.7 w + 0.5).
    CanvasSize c = FitCanvas(4786, 3350, 240, 240);
    QCOMPARE(QSize(c.w, c.h), QSize(4786, 3350));
    c = FitCanvas(1001, 1001, 240, 240);
    QCOMPARE(QSize(c.w, c.h), QSize(1001, 701));
    // Overhang after a resize: Max never below 0, Value clamped into it.
    QCOMPARE(Text(OverhangScroll(20000, 5000, 18000)), QString("15000 15000 1500 300"));
    QCOMPARE(Text(OverhangScroll(4000, 5000, 10)), QString("0 0 1 1"));
}

void TestDrawZoom::zoomPlans() {
    const struct {
        double x1, y1, x2, y2, canvasW, canvasH, shadeW, shadeH;
        const char* plan;
    } rows[] = {
        // A click: 500 x 350 plane units about it, f = 0.1; the canvas would
        // grow ten times but stops at 32000 twips. V: Max = 22400 - 3350,
        // Value = Max (3150 - 1675) / (3500 - 350); H: Value = Max (750 + 500) / (5000 - 500).
        {1000, 1500, 1000, 1500, 4786, 3350, 4786, 3350,
         "f 0.1 x 750..1250 y 1325..1675 canvas 32000x22400 resized | v 19050 8920 1905 381 | h 27214 7559 2721 544"},
        // Below the limit the canvas grows exactly ten times.
        {1000, 1500, 1000, 1500, 2000, 1400, 2000, 1400,
         "f 0.1 x 750..1250 y 1325..1675 canvas 20000x14000 resized | v 12600 5900 1260 252 | h 18000 5000 1800 360"},
        // The whole plane: the size stays, both ranges 0, steps at least 1.
        {-500, -350, 4500, 3150, 4786, 3350, 4786, 3350,
         "f 1 x -500..4500 y -350..3150 canvas 4786x3350 | v 0 0 1 1 | h 0 0 1 1"},
        // Beyond the plane: f > 1, nothing grows, values in range.
        {-1500, -1000, 6000, 4000, 4786, 3351, 4786, 3350,
         "f 1.5 x -1500..6000 y -1125..4125 canvas 4786x3351 | v 1 1 1 1 | h 0 0 1 1"},
        // A rectangle at the proportion, dragged either way.
        {200, 300, 1200, 1000, 6000, 4200, 6000, 4200,
         "f 0.2 x 200..1200 y 300..1000 canvas 30000x21000 resized | v 16800 12900 1680 336 | h 24000 4200 2400 480"},
        {1200, 1000, 200, 300, 6000, 4200, 6000, 4200,
         "f 0.2 x 200..1200 y 300..1000 canvas 30000x21000 resized | v 16800 12900 1680 336 | h 24000 4200 2400 480"},
        // Near the edges the values fall outside 0..Max and are clamped.
        {4490, 3140, 4490, 3140, 3000, 2100, 3000, 2100,
         "f 0.1 x 4240..4740 y 2965..3315 canvas 30000x21000 resized | v 18900 0 1890 378 | h 27000 27000 2700 540"},
        {-490, -340, -490, -340, 3000, 2100, 3000, 2100,
         "f 0.1 x -740..-240 y -515..-165 canvas 30000x21000 resized | v 18900 18900 1890 378 | h 27000 0 2700 540"},
        // An enlarged canvas enlarges again from its present width.
        {0, 0, 2500, 1750, 10000, 7000, 4000, 2800,
         "f 0.5 x 0..2500 y 0..1750 canvas 20000x14000 resized | v 11200 8960 1120 224 | h 16000 3200 1600 320"},
    };
    for (const auto& r : rows) {
        QCOMPARE(Text(PlanZoom(r.x1, r.y1, r.x2, r.y2, r.canvasW, r.canvasH, r.shadeW, r.shadeH)), QString(r.plan));
    }
}

void TestDrawZoom::airUnderThePointer() {
    for (std::int16_t type : {1, 0}) {
        Chart chart;
        chart.settings.DiagramType = type;
        const ChartFrame frame = LayoutChart(chart, nullptr);
        const ChartSettings& s = chart.settings;
        // The round trip through the plane gives the state back to well
        // within a pixel (ScaleX ~ 340 units per kcal).
        for (double t = 10; t <= 40; t += 2.5) {
            for (double x = 0; x <= 26; x += 1.3) {
                double tt = 0, xx = 0;
                PlaneToAir(s, ChartX(s, t, x), ChartY(s, x), tt, xx);
                QVERIFY2(std::abs(tt - t) < 1e-6 && std::abs(xx - x) < 1e-6, qPrintable(QString("%1 %2").arg(t).arg(x)));
            }
        }
        // Blank above the top edge, below x = 0, right of the highest and
        // left of the lowest dry bulb, and left of the saturation curve
        // (20 deg C holds at most about 14.7 g/kgDA).
        const auto at = [&](double t, double x) { return ReadAirAt(s, frame, ChartX(s, t, x), ChartY(s, x)); };
        QVERIFY(at(30, 10) && at(20, 14) && !ReadAirAt(s, frame, ChartX(s, 30, 10), frame.TopY + 1));
        QVERIFY(!at(30, -0.5) && !at(41, 5) && !at(9, 2) && !at(20, 16));
    }
    AirReadout a{25, 10, 50.04, 17.9, 12.25};
    ChartSettings s;
    QCOMPARE(QString::fromStdString(FormatAirReadout(a, s)),
             QString("D.B. 25.0 \u00b0C   x 0.0100 kg/kgDA   R.H. 50.0 %   W.B. 17.9 \u00b0C   h 12.25 kcal/kgDA"));
    s.EnthalpyUnit = 3;
    s.TemperatureUnit = 2; // temperatures stay in deg C
    QVERIFY(QString::fromStdString(FormatAirReadout(a, s)).startsWith("D.B. 25.0 \u00b0C   x 0.0100 lbm/lbmDA"));
}

void TestDrawZoom::viewportFollowsTheWindow() {
    WindowFixture f(QSize(900, 640));
    ChartViewport& v = f.window->viewport();
    ChartPicture* p = f.picture();
    const auto canvas = [p] { return QSize(p->widthTwips(), p->heightTwips()); };
    const auto resize = [&](int w, int h) {
        f.window->resize(w, h);
        QTRY_COMPARE(v.shadeWidth(), f.window->computeViewport().w);
    };
    // At load: the viewport with its scroll bars beside and below it; the
    // 5000-twip canvas widens to the viewport and its size is stored.
    const ViewportGeometry g = f.window->computeViewport();
    QCOMPARE(v.shade()->geometry(), QRect(Px(g.left), Px(g.top), Px(g.w), Px(g.h)));
    QCOMPARE(QPoint(v.vertical()->geometry().left(), v.horizontal()->geometry().top()),
             QPoint(Px(g.left + g.w), Px(g.top + g.h)));
    QCOMPARE(canvas(), QSize(g.w, g.h));
    QCOMPARE(QSizeF(f.settings().PictureWidth, f.settings().PictureHeight), QSizeF(g.w, g.h));
    QVERIFY(v.vertical()->isHidden());

    // The first drawing fits the canvas at 0.7 with the chart's scale (y
    // upwards) on both pictures, at the screen's resolution.
    f.trigger("MnuGraphComDraw");
    QCOMPARE(f.settings().DrawCount, 1);
    const CanvasSize c = FitCanvas(v.shadeWidth(), v.shadeHeight(), v.verticalBarWidth(), v.horizontalBarHeight());
    QCOMPARE(canvas(), QSize(c.w, c.h));
    QCOMPARE(p->pos(), QPoint(0, 0));
    QCOMPARE(QList<double>({p->userScale().top, p->userScale().height, v.savedScale().height}),
             QList<double>({3150, -3500, -3500}));
    QCOMPARE(v.saved().size(), p->image().size());
    QCOMPARE(p->image().devicePixelRatio(), p->devicePixelRatioF());
    int inked = 0;
    for (int y = 0; y < p->image().height(); ++y) {
        for (int x = 0; x < p->image().width(); ++x) inked += (p->image().pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    }
    QVERIFY(inked > 10000);
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // An enlarged canvas stays through a resize; the scroll ranges follow.
    Click(p, QPointF(150, 120));
    f.trigger("MnuGraphComIn");
    const QSize wide = canvas();
    resize(1000, 720);
    QCOMPARE(canvas(), wide);
    QCOMPARE(QPoint(v.horizontal()->maximum(), v.vertical()->maximum()),
             QPoint(wide.width() - v.shadeWidth(), wide.height() - v.shadeHeight()));
    QVERIFY(!v.vertical()->isHidden());
    // Back to the fitted view, a larger window widens the canvas to the
    // viewport without drawing.
    f.trigger("MnuGraphComOut");
    const int drawn = f.settings().DrawCount;
    resize(1100, 800);
    QCOMPARE(canvas(), QSize(v.shadeWidth(), v.shadeHeight()));
    QCOMPARE(f.settings().PictureWidth, float(v.shadeWidth()));
    QCOMPARE(f.settings().DrawCount, drawn);
    QVERIFY(v.vertical()->isHidden());
    // A taller, narrower window: the viewport keeps 0.7.
    resize(500, 900);
    QVERIFY(std::abs(v.shadeHeight() - 0.7 * v.shadeWidth()) <= 1);
}

void TestDrawZoom::leftDragAndRightButton() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    ChartPicture* p = f.picture();
    const QImage before = p->image();
    // A drag up and to the left, back and forth on the way.
    const QPointF a(300, 200), b(100, 80);
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
    QCOMPARE(DevicePixel(p->image(), QPointF(200, 80)), QRgb(0xFF0000));
    QCOMPARE(DevicePixel(p->image(), QPointF(100, 140)), QRgb(0xFF0000));
    for (QPointF inOrOut : {QPointF(200, 140), QPointF(200, 40), QPointF(330, 220)}) {
        QCOMPARE(DevicePixel(p->image(), inOrOut), DevicePixel(before, inOrOut));
    }
    QVERIFY(p->cursor().shape() == Qt::ArrowCursor);
    // The chart's y grows upwards: the end lies left of and above the start,
    // not reordered.
    const Session& s = f.session();
    const QPointF start = p->toScale(a), end = p->toScale(b);
    QCOMPARE(QList<float>({s.DragStartX, s.DragStartY, s.DragEndX, s.DragEndY}),
             QList<float>({float(start.x()), float(start.y()), float(end.x()), float(end.y())}));
    QVERIFY(s.DragEndX < s.DragStartX && s.DragEndY > s.DragStartY);
    QCOMPARE(s.ActiveView, std::string("chart"));

    // The right button opens the chart menu; its drag leaves the stored
    // rectangle alone, and its release makes the chart active.
    f.session().ActiveView = "Process";
    const QList<float> dragged{s.DragStartX, s.DragStartY, s.DragEndX, s.DragEndY};
    Press(p, QPointF(200, 150), Qt::RightButton);
    QTRY_VERIFY(f.window->chartMenu()->isVisible());
    QCOMPARE(f.window->chartMenu()->objectName(), QString("MnuGraphCom"));
    MoveHeld(p, QPointF(250, 180), Qt::RightButton);
    Release(p, QPointF(250, 180), Qt::RightButton);
    f.window->chartMenu()->hide();
    QCOMPARE(QList<float>({s.DragStartX, s.DragStartY, s.DragEndX, s.DragEndY}), dragged);
    QCOMPARE(s.ActiveView, std::string("chart"));
}

void TestDrawZoom::zoomInScrollAndOut() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    ChartPicture* p = f.picture();
    ChartViewport& v = f.window->viewport();
    Session& s = f.session();
    const QSize fitted(p->widthTwips(), p->heightTwips());
    // A click without a drag: a zero-size rectangle and a dot-sized mark.
    const QPointF at = PixelOf(p, 2000, 1500);
    Click(p, at);
    QCOMPARE(QPointF(s.DragStartX, s.DragStartY), QPointF(s.DragEndX, s.DragEndY));
    QCOMPARE(DevicePixel(p->image(), at), QRgb(0xFF0000));

    // Zoom In by ten, at most 32000 twips, the scroll bars as planned.
    f.trigger("MnuGraphComIn");
    const int wide = std::min(32000, fitted.width() * 10);
    QCOMPARE(QSize(p->widthTwips(), p->heightTwips()), QSize(wide, static_cast<int>(std::nearbyint(wide * 0.7))));
    QCOMPARE(f.settings().PictureWidth, float(wide));
    QCOMPARE(f.settings().DrawCount, 2);
    QVERIFY(!v.vertical()->isHidden() && !v.horizontal()->isHidden());
    const ZoomPlan z = PlanZoom(s.DragStartX, s.DragStartY, s.DragEndX, s.DragEndY, fitted.width(), fitted.height(),
                                v.shadeWidth(), v.shadeHeight());
    QCOMPARE(v.vertical()->maximum(), p->heightTwips() - v.shadeHeight());
    QCOMPARE(v.horizontal()->maximum(), p->widthTwips() - v.shadeWidth());
    QCOMPARE(QPoint(v.horizontal()->value(), v.vertical()->value()), QPoint(z.horizontal.value, z.vertical.value));
    QVERIFY(v.vertical()->pageStep() >= 1 && v.vertical()->singleStep() >= 1);
    QCOMPARE(p->pos(), QPoint(Px(-v.horizontal()->value()), Px(-v.vertical()->value())));
    // The clicked point sits inside the viewport after the zoom.
    QVERIFY(v.shade()->rect().contains(p->mapTo(v.shade(), PixelOf(p, 2000, 1500).toPoint())));

    // Scrolling moves the canvas; only the vertical bar and a press on the
    // viewport make the chart the active view.
    s.ActiveView = "Process";
    v.horizontal()->setValue(1500);
    QCOMPARE(v.canvasLeft(), -1500);
    QCOMPARE(p->x(), -100);
    QCOMPARE(s.ActiveView, std::string("Process"));
    v.vertical()->setValue(v.vertical()->maximum());
    QCOMPARE(v.canvasTop(), -v.vertical()->maximum());
    QCOMPARE(s.ActiveView, std::string("chart"));
    s.ActiveView = "Process";
    Press(v.shade(), QPointF(1, 1));
    QCOMPARE(s.ActiveView, std::string("chart"));

    // Zoom Out returns to the fitted view.
    f.trigger("MnuGraphComOut");
    QCOMPARE(p->widthTwips(), fitted.width());
    QCOMPARE(p->pos(), QPoint(0, 0));
    QVERIFY(v.vertical()->isHidden() && v.horizontal()->isHidden());
    QCOMPARE(f.settings().DrawCount, 3);
    // Zooming into the whole plane keeps the size and shows empty ranges.
    s.DragStartX = -500, s.DragStartY = -350, s.DragEndX = 4500, s.DragEndY = 3150;
    f.trigger("MnuGraphComIn");
    QCOMPARE(p->widthTwips(), fitted.width());
    QVERIFY(!v.horizontal()->isHidden());
    QCOMPARE(v.horizontal()->maximum(), 0);
}

void TestDrawZoom::readoutInTheWindow() {
    WindowFixture f;
    const auto hover = [&](double X, double Y) {
        SendMouse(f.picture(), QEvent::MouseMove, PixelOf(f.picture(), X, Y), Qt::NoButton, Qt::NoButton);
        return f.window->readout()->text();
    };
    const ChartSettings& s = f.settings();
    QCOMPARE(hover(2000, 1500), QString()); // nothing drawn yet
    f.trigger("MnuGraphComDraw");
    const QString text = hover(ChartX(s, 25, 10), ChartY(s, 10));
    QVERIFY2(QRegularExpression("^D\\.B\\. 2(4\\.9|5\\.0|5\\.1) \u00b0C   x 0\\.010.*kcal/kgDA$").match(text).hasMatch(),
             qPrintable(text));
    // Above the top edge and left of the saturation curve: blank.
    QCOMPARE(hover(ChartX(s, 25, 10), 3100) + hover(ChartX(s, 12, 20), ChartY(s, 20)), QString());
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
