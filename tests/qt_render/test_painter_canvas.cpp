// The painter canvas and the picture export: the primitives draw in their
// colours and styles, the whole chart carries the pen table, and every
// export is written whole or not at all.
#include "qt_render/image_export.h"
#include "qt_render/painter_canvas.h"

#include "chart/chart_settings.h"
#include "engine/fault.h"

#include <QtGui>
#include <QtTest>

#include <memory>

using namespace hyg;

namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

bool IsWhite(QRgb p) {
    return qRed(p) > 250 && qGreen(p) > 250 && qBlue(p) > 250;
}

// The box of every pixel that is not white, and how many are coloured.
QRect Ink(const QImage& image, int* coloured = nullptr) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (!IsWhite(p))
                box |= QRect(x, y, 1, 1);
            if (coloured)
                *coloured += qRed(p) != qGreen(p) || qGreen(p) != qBlue(p);
        }
    }
    return box;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <typename Draw> QImage Paint(int w, int h, Draw draw) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas(painter, w, h);
    draw(canvas);
    painter.end();
    return image;
}

} // namespace

class TestPainterCanvas : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>(); // a fresh folder for every test
        QVERIFY(dir_->isValid());
    }
    void primitives();
    void chartAndExports();
    void exportFailuresLeaveNoFile();

private:
    QString file(const char* name) const { return dir_->filePath(name); }
    std::string path(const char* name) const { return file(name).toStdString(); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestPainterCanvas::primitives() {
    FontSpec font;
    font.height = 30;
    font.width = 10;
    const QImage image = Paint(200, 200, [&](Canvas& c) {
        c.clear();
        c.line(10, 20.5, 190, 20.5, kRed, kSolid, 1);
        c.line(0, 40.5, 200, 40.5, kBlue, kDot, 1);
        c.circle(150, 150, 10, kRed, 1, &kBlue);
        c.point(7.4, 61.6, kRed);
        c.text(50, 100, "Hg 25", font, kRed);
    });
    QCOMPARE(image.pixel(100, 20), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(150, 150), qRgb(0, 0, 255)); // filled inside the red rim
    QCOMPARE(image.pixel(7, 61), qRgb(255, 0, 0));
    int dots = 0;
    for (int x = 0; x < 200; ++x)
        dots += !IsWhite(image.pixel(x, 40));
    QVERIFY2(dots > 40 && dots < 130, qPrintable(QString::number(dots))); // a dotted line leaves gaps
    const QRect text = Ink(image.copy(0, 90, 120, 50));
    QVERIFY(!text.isEmpty() && text.left() >= 50 && text.top() >= 10);

    // Arcs run counter-clockwise on the screen: 0 to pi/2 is the upper right quarter.
    const QRect quarter = Ink(Paint(100, 100, [](Canvas& c) { c.arc(50, 50, 40, 0, 1.5707963, kRed, 1); }));
    QVERIFY(quarter.left() >= 48 && quarter.bottom() <= 52 && quarter.right() >= 88 && quarter.top() <= 12);
}

void TestPainterCanvas::chartAndExports() {
    // In colour the pens show; in monochrome not one pixel is coloured.
    Chart chart;
    int coloured = 0;
    QVERIFY(Ink(RenderChartImage(chart, 1000, nullptr), &coloured).width() > 900 && coloured > 2000);
    chart.settings.ColorMode = 0;
    chart.settings.PenColor = MonoPenTable();
    coloured = 0;
    QVERIFY(Ink(RenderChartImage(chart, 800, nullptr), &coloured).width() > 700);
    QCOMPARE(coloured, 0);
    // The format follows the extension in any case; SVG keeps one unit per pixel.
    ExportChart(path("chart.BMP"), chart, 500, nullptr);
    QCOMPARE(QImage(file("chart.BMP"), "BMP").size(), QSize(500, 350));
    ExportChart(path("chart.svg"), chart, 1000, nullptr);
    QVERIFY(ReadAll(file("chart.svg")).contains("viewBox=\"0 0 1000 700\""));
}

void TestPainterCanvas::exportFailuresLeaveNoFile() {
    Chart chart;
    QVERIFY_THROWS_EXCEPTION(RunTimeFault, ExportChart(path("chart.gif"), chart, 600, nullptr));
    QVERIFY_THROWS_EXCEPTION(RunTimeFault, ExportChart(path("chart.png"), chart, 0, nullptr));
    QVERIFY_THROWS_EXCEPTION(RunTimeFault, ExportChart(path("no/such/dir/chart.png"), chart, 600, nullptr));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList());
    // A refused layout keeps the picture that was there before.
    ExportChart(path("kept.png"), chart, 300, nullptr);
    const QByteArray before = ReadAll(file("kept.png"));
    Chart bad;
    bad.settings.MinDryBulb = bad.settings.MaxDryBulb = 30;
    QVERIFY_THROWS_EXCEPTION(RunTimeFault, ExportChart(path("kept.png"), bad, 300, nullptr));
    QCOMPARE(ReadAll(file("kept.png")), before);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"kept.png"});

    // A family that fails part way: refused by default, kept on request.
    Chart failing;
    failing.settings.DrawProcessLines = 1;
    const ProcessLineDrawer fails = [](PenPlotter&) {
        throw FloatingPointFault(FloatingPointFault::Kind::DivisionByZero, "test family");
    };
    QVERIFY_THROWS_EXCEPTION(FloatingPointFault, ExportChart(path("partial.png"), failing, 300, nullptr, fails));
    QVERIFY(!QFile::exists(file("partial.png")));
    const std::string fault = ExportChart(path("partial.png"), failing, 300, nullptr, fails, PartialChart::Keep);
    QCOMPARE(QString::fromStdString(fault), QString("division by zero in test family"));
    QCOMPARE(QImage(file("partial.png")).size(), QSize(300, 210));
}

QTEST_MAIN(TestPainterCanvas)
#include "test_painter_canvas.moc"
