// The viewport arithmetic in twips: the window layout, fitting the canvas
// and planning a zoom, with the figures the window's behaviour is built on.
#include "app/viewport_math.h"

#include <QTest>

using namespace hyg;

class TestViewportMath : public QObject {
    Q_OBJECT
private slots:
    void layoutOfTheWideWindow();
    void layoutOfATallWindow();
    void layoutNeverBelowTheScrollBars();
    void fitKeepsTheChartProportion();
    void zoomOnAClickWidensToATenth();
    void zoomOfTheWholeChartKeepsTheSize();
    void zoomOrderDoesNotMatter();
    void zoomNearAnEdgeClampsTheScrollValues();
    void zoomEnlargesFromThePresentWidth();
    void overhangAfterResize();
};

void TestViewportMath::layoutOfTheWideWindow() {
    // 10000 x 5000 window, tool bar 420, scroll bars 240: w 9640, h 3350,
    // then w = 3350 / 0.7 = 4786; left 2427, top 525.
    const ViewportGeometry g = LayoutViewport(10000, 5000, 240, 240, 420);
    QCOMPARE(g.h, 3350);
    QCOMPARE(g.w, 4786);
    QCOMPARE(g.left, 2427);
    QCOMPARE(g.top, 525);
}

void TestViewportMath::layoutOfATallWindow() {
    // 3000 x 9000: w = 2640, h = 7350; h / w >= 0.7 so h = 0.7 w = 1848,
    // centred vertically: top = (9000 - 1848 - 600) / 2.
    const ViewportGeometry g = LayoutViewport(3000, 9000, 240, 240, 420);
    QCOMPARE(g.w, 2640);
    QCOMPARE(g.h, 1848);
    QCOMPARE(g.left, 0);
    QCOMPARE(g.top, 3276);
}

void TestViewportMath::layoutNeverBelowTheScrollBars() {
    const ViewportGeometry g = LayoutViewport(100, 100, 240, 240, 420);
    QCOMPARE(g.w, 240);
    QCOMPARE(g.h, 168); // h = max(.., 240) then 0.7 w as h / w >= 0.7
}

void TestViewportMath::fitKeepsTheChartProportion() {
    // The viewport of the wide window: h / w just below 0.7, so the width
    // follows the height (3350 / 0.7 + 0.5 rounds to 4786).
    CanvasSize c = FitCanvas(4786, 3350, 240, 240);
    QCOMPARE(c.w, 4786);
    QCOMPARE(c.h, 3350);
    // A square viewport: h = CLng(0.7 w + 0.5).
    c = FitCanvas(1001, 1001, 240, 240);
    QCOMPARE(c.w, 1001);
    QCOMPARE(c.h, 701); // 700.7 + 0.5
}

void TestViewportMath::zoomOnAClickWidensToATenth() {
    // A click at (1000, 1500): 500 x 350 plane units about it, f = 0.1; the
    // canvas would grow ten times but stops at 32000 twips.
    const ZoomPlan z = PlanZoom(1000, 1500, 1000, 1500, 4786, 3350, 4786, 3350);
    QCOMPARE(z.x1, 750.0);
    QCOMPARE(z.x2, 1250.0);
    QCOMPARE(z.y1, 1325.0);
    QCOMPARE(z.y2, 1675.0);
    QCOMPARE(z.factor, 0.1);
    QVERIFY(z.resize);
    QCOMPARE(z.canvasW, 32000);
    QCOMPARE(z.canvasH, 22400);
    // Max = 22400 - 3350; Value = Max (3150 - 1675) / (3500 - 350).
    QCOMPARE(z.vertical.max, 19050);
    QCOMPARE(z.vertical.value, 8920);
    QCOMPARE(z.vertical.largeChange, 1905);
    QCOMPARE(z.vertical.smallChange, 381);
    // Max = 32000 - 4786; Value = Max (750 + 500) / (5000 - 500).
    QCOMPARE(z.horizontal.max, 27214);
    QCOMPARE(z.horizontal.value, 7559);

    // Below the limit the canvas grows exactly ten times.
    const ZoomPlan small = PlanZoom(1000, 1500, 1000, 1500, 2000, 1400, 2000, 1400);
    QCOMPARE(small.canvasW, 20000);
    QCOMPARE(small.canvasH, 14000);
}

void TestViewportMath::zoomOfTheWholeChartKeepsTheSize() {
    // f >= 1: the canvas keeps its size; with the canvas equal to the
    // viewport both ranges are 0, and the steps stay at least 1.
    const ZoomPlan z = PlanZoom(-500, -350, 4500, 3150, 4786, 3350, 4786, 3350);
    QCOMPARE(z.factor, 1.0);
    QVERIFY(!z.resize);
    QCOMPARE(z.canvasW, 4786);
    QCOMPARE(z.canvasH, 3350);
    QCOMPARE(z.vertical.max, 0);
    QCOMPARE(z.vertical.value, 0);
    QCOMPARE(z.vertical.largeChange, 1);
    QCOMPARE(z.vertical.smallChange, 1);
    QCOMPARE(z.horizontal.max, 0);

    // A rectangle beyond the plane: f > 1, nothing grows, values in range.
    const ZoomPlan big = PlanZoom(-1500, -1000, 6000, 4000, 4786, 3351, 4786, 3350);
    QVERIFY(big.factor > 1);
    QCOMPARE(big.canvasW, 4786);
    QCOMPARE(big.vertical.max, 1);
    QVERIFY(big.vertical.value >= 0 && big.vertical.value <= 1);
}

void TestViewportMath::zoomOrderDoesNotMatter() {
    const ZoomPlan a = PlanZoom(200, 300, 1200, 1000, 6000, 4200, 6000, 4200);
    const ZoomPlan b = PlanZoom(1200, 1000, 200, 300, 6000, 4200, 6000, 4200);
    QCOMPARE(a.canvasW, b.canvasW);
    QCOMPARE(a.vertical.value, b.vertical.value);
    QCOMPARE(a.horizontal.value, b.horizontal.value);
    // 1000 x 700 exactly at the proportion: f = 0.2 by the height branch.
    QCOMPARE(a.factor, 0.2);
    QCOMPARE(a.canvasW, 30000);
}

void TestViewportMath::zoomNearAnEdgeClampsTheScrollValues() {
    // A click at the far right and top of the plane gives values beyond Max.
    const ZoomPlan z = PlanZoom(4490, 3140, 4490, 3140, 3000, 2100, 3000, 2100);
    QCOMPARE(z.horizontal.value, z.horizontal.max);
    QCOMPARE(z.vertical.value, 0);
    // And at the far left and bottom, below 0.
    const ZoomPlan w = PlanZoom(-490, -340, -490, -340, 3000, 2100, 3000, 2100);
    QCOMPARE(w.horizontal.value, 0);
    QCOMPARE(w.vertical.value, w.vertical.max);
}

void TestViewportMath::zoomEnlargesFromThePresentWidth() {
    // An enlarged canvas (10000 wide) zoomed with f = 0.5 doubles again.
    const ZoomPlan z = PlanZoom(0, 0, 2500, 1750, 10000, 7000, 4000, 2800);
    QCOMPARE(z.factor, 0.5);
    QCOMPARE(z.canvasW, 20000);
    QCOMPARE(z.canvasH, 14000);
}

void TestViewportMath::overhangAfterResize() {
    ScrollSetting s = OverhangScroll(20000, 5000, 18000);
    QCOMPARE(s.max, 15000);
    QCOMPARE(s.value, 15000);
    s = OverhangScroll(4000, 5000, 10);
    QCOMPARE(s.max, 0);
    QCOMPARE(s.value, 0);
    QVERIFY(s.smallChange >= 1);
}

QTEST_APPLESS_MAIN(TestViewportMath)
#include "test_viewport_math.moc"
