// The chart picture in the colours of the fixed 16-colour palette, and the
// dotted pen's pattern, measured on the pixels.
#include "qt_render/image_export.h"
#include "qt_render/painter_canvas.h"

#include "chart/chart_settings.h"

#include <QtGui>
#include <QtTest>

using namespace hyg;

namespace {

// Pixels of light green (palette colour 10: 0, 255, 0) blended with the white
// background by the anti-aliasing: full green, equal red and blue.
int LightGreenPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            n += qGreen(p) == 255 && qRed(p) == qBlue(p) && qRed(p) < 200;
        }
    }
    return n;
}

} // namespace

class TestChartColours : public QObject {
    Q_OBJECT
private slots:
    void volumeLinesAreLightGreen();
    void dottedPenIsOneOnTwoOff();
};

void TestChartColours::volumeLinesAreLightGreen() {
    // Light green is the specific-volume pen's colour and no other family's:
    // the chart shows it with the volume lines and not without them.
    Chart chart;
    const int with = LightGreenPixels(RenderChartImage(chart, 1000, nullptr));
    QVERIFY2(with > 300, qPrintable(QString::number(with)));
    Chart without;
    without.settings.LineSwitch[2] = 0;
    QCOMPARE(LightGreenPixels(RenderChartImage(without, 1000, nullptr)), 0);
}

void TestChartColours::dottedPenIsOneOnTwoOff() {
    QImage image(300, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterCanvas canvas(painter, 300, 20);
        canvas.line(0, 10.5, 300, 10.5, Rgb{0, 0, 0}, 2, 1); // line style 2: dotted
    }
    // Runs along the row: every inked run is one pixel and every gap two.
    std::vector<int> runs;
    bool ink = false;
    int length = 0;
    for (int x = 0; x < 300; ++x) {
        const bool now = qGray(image.pixel(x, 10)) < 128;
        if (x > 0 && now != ink) {
            runs.push_back(ink ? length : -length);
            length = 0;
        }
        ink = now, ++length;
    }
    QVERIFY(runs.size() > 150);
    for (std::size_t i = 1; i + 1 < runs.size(); ++i) // the ends may be cut
        QVERIFY2(runs[i] == 1 || runs[i] == -2, qPrintable(QString("run %1 is %2").arg(i).arg(runs[i])));
}

QTEST_MAIN(TestChartColours)
#include "test_chart_colours.moc"
