// The chart in the colours of the fixed 16-colour palette, and the dotted pen's pattern, on the pixels.
#include "qt_render/image_export.h"
#include "qt_render/painter_canvas.h"

#include "chart/chart_settings.h"

#include <QtGui>
#include <QtTest>

using namespace hyg;

class TestChartColours : public QObject {
    Q_OBJECT
private slots:
    void volumeLinesAreLightGreen();
    void dottedPenIsOneOnTwoOff();
};

void TestChartColours::volumeLinesAreLightGreen() {
    // Light green (palette colour 10: 0, 255, 0) is the specific-volume pen's colour and no other family's:
    // the chart shows it, blended with the white (full green, equal red and blue), only with the volume lines.
    const auto lightGreen = [](Chart chart) {
        const QImage image = RenderChartImage(chart, 1000, nullptr);
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                n += qGreen(p) == 255 && qRed(p) == qBlue(p) && qRed(p) < 200;
            }
        }
        return n;
    };
    const int with = lightGreen(Chart{});
    QVERIFY2(with > 300, qPrintable(QString::number(with)));
    Chart without;
    SetLineOn(without.settings, ChartLine::Volume, false);
    QCOMPARE(lightGreen(without), 0);
}

void TestChartColours::dottedPenIsOneOnTwoOff() {
    QImage image(300, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterCanvas(painter, 300, 20).line(0, 10.5, 300, 10.5, Rgb{0, 0, 0}, 2, 1); // line style 2: dotted
    }
    // Runs along the row: every inked run is one pixel and every gap two (the ends may be cut).
    std::vector<int> runs{0};
    for (int x = 0; x < 300; ++x) {
        const bool ink = qGray(image.pixel(x, 10)) < 128;
        if (x > 0 && ink != (runs.back() > 0))
            runs.push_back(0);
        runs.back() += ink ? 1 : -1;
    }
    QVERIFY(runs.size() > 150);
    for (std::size_t i = 1; i + 1 < runs.size(); ++i)
        QVERIFY2(runs[i] == 1 || runs[i] == -2, qPrintable(QString("run %1 is %2").arg(i).arg(runs[i])));
}

QTEST_MAIN(TestChartColours)
#include "test_chart_colours.moc"
