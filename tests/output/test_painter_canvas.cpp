// The painter canvas and the picture export: primitives land where and in
// the colour asked for, labels have the requested cell and turn about their
// corner, the whole chart carries the pen colours, and every export format
// is written whole or not at all.
#include "output/image_export.h"
#include "output/painter_canvas.h"

#include "chart/chart_settings.h"
#include "engine/fault.h"

#include <QtGui>
#include <QtTest>

#include <memory>

using namespace hyg;

namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

bool IsWhite(QRgb p) { return qRed(p) > 250 && qGreen(p) > 250 && qBlue(p) > 250; }

// Calls `f` with every pixel of the image and its position.
template <typename F>
void EachPixel(const QImage& image, F f) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) f(image.pixel(x, y), x, y);
    }
}

// The box of every pixel that is not white.
QRect Ink(const QImage& image) {
    QRect box;
    EachPixel(image, [&](QRgb p, int x, int y) { box |= IsWhite(p) ? QRect() : QRect(x, y, 1, 1); });
    return box;
}

// Pixels close to a pure colour (antialiased edges are left out).
int CountNear(const QImage& image, Rgb c, int tolerance = 40) {
    int n = 0;
    EachPixel(image, [&](QRgb p, int, int) {
        n += std::abs(qRed(p) - c.r) <= tolerance && std::abs(qGreen(p) - c.g) <= tolerance &&
             std::abs(qBlue(p) - c.b) <= tolerance;
    });
    return n;
}

template <typename Draw>
QImage Paint(int w, int h, Draw draw) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas(painter, w, h);
    draw(canvas);
    painter.end();
    return image;
}

QString BoxText(const QRect& r) { return QString("%1,%2 %3x%4").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height()); }

} // namespace

class TestPainterCanvas : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>(); // a fresh folder for every test
        QVERIFY(dir_->isValid());
    }
    void primitives();
    void labels();
    void chartColours();
    void exportWritesEveryFormat();
    void exportFailuresLeaveNoFile();

private:
    std::string path(const char* name) const { return dir_->filePath(name).toStdString(); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestPainterCanvas::primitives() {
    const QImage image = Paint(100, 100, [](Canvas& c) {
        c.clear();
        c.line(10, 20.5, 90, 20.5, kRed, kSolid, 1);
        const PixelPoint pts[] = {{10, 60}, {50, 60}, {50, 90}};
        c.polyline(pts, 3, kBlue, kSolid, 1);
        c.circle(75, 75, 10, kRed, 1, &kBlue);
        c.circle(25, 40, 8, kRed, 1, nullptr);
    });
    QCOMPARE(image.pixel(50, 20), qRgb(255, 0, 0));
    QVERIFY(qBlue(image.pixel(30, 60)) > 200 && qRed(image.pixel(30, 60)) < 128);
    QVERIFY(!IsWhite(image.pixel(50, 75)));
    QCOMPARE(image.pixel(75, 75), qRgb(0, 0, 255));                            // filled inside
    QVERIFY(IsWhite(image.pixel(25, 40)));                                     // open circle
    QVERIFY(qRed(image.pixel(17, 40)) > 128 && !IsWhite(image.pixel(17, 40))); // its rim

    // A dotted line leaves gaps; a point is one pixel.
    const QImage dotted = Paint(200, 20, [](Canvas& c) { c.line(0, 10.5, 200, 10.5, kBlue, kDot, 1); });
    int inked = 0;
    for (int x = 0; x < 200; ++x) inked += !IsWhite(dotted.pixel(x, 10));
    QVERIFY2(inked > 40 && inked < 130, qPrintable(QString::number(inked)));
    const QImage point = Paint(20, 20, [](Canvas& c) { c.point(7.4, 11.6, kRed); });
    QCOMPARE(Ink(point), QRect(7, 11, 1, 1));
    QCOMPARE(point.pixel(7, 11), qRgb(255, 0, 0));

    // Arcs run counter-clockwise on the screen: 0 to pi/2 is the upper right
    // quarter; 3/2 pi to pi/2 wraps through 0 to the right half.
    const QRect quarter = Ink(Paint(100, 100, [](Canvas& c) { c.arc(50, 50, 40, 0, 1.5707963, kRed, 1); }));
    QVERIFY2(quarter.left() >= 48 && quarter.bottom() <= 52 && quarter.right() >= 88 && quarter.top() <= 12,
             qPrintable(BoxText(quarter)));
    const QRect half = Ink(Paint(100, 100, [](Canvas& c) { c.arc(50, 50, 40, 4.712389, 1.5707963, kRed, 1); }));
    QVERIFY2(half.left() >= 48 && half.top() <= 12 && half.bottom() >= 88, qPrintable(BoxText(half)));
}

void TestPainterCanvas::labels() {
    FontSpec font;
    font.height = 30;
    font.width = 10;
    font.weight = 550;
    // Upright: the ink lies inside the cell below and right of the corner;
    // "H" and "g" together span most of the cell.
    const QRect a = Ink(Paint(200, 200, [&](Canvas& c) { c.text(50, 60, "Hg 25", font, kRed); }));
    QVERIFY2(a.top() >= 60 && a.bottom() <= 90 && a.left() >= 50 && a.height() >= 18, qPrintable(BoxText(a)));
    // A quarter turn counter-clockwise: the text runs upwards from the
    // corner and its cell lies to the right of it.
    font.escapement = 900;
    const QRect b = Ink(Paint(200, 200, [&](Canvas& c) { c.text(50, 150, "Hg 25", font, kRed); }));
    QVERIFY2(b.left() >= 50 && b.right() <= 80 && b.bottom() <= 150 && b.height() > b.width(), qPrintable(BoxText(b)));
    QVERIFY(std::abs(b.height() - a.width()) <= 2);

    // The width follows the average character width, about one per character.
    const std::string text = "Relative Humidity";
    FontSpec narrow;
    narrow.height = 24;
    narrow.width = 6;
    FontSpec wide = narrow;
    wide.width = 12;
    const QRect n = Ink(Paint(400, 60, [&](Canvas& c) { c.text(5, 5, text, narrow, kBlue); }));
    const QRect w = Ink(Paint(400, 60, [&](Canvas& c) { c.text(5, 5, text, wide, kBlue); }));
    const double ratio = static_cast<double>(w.width()) / n.width();
    QVERIFY2(ratio > 1.85 && ratio < 2.15, qPrintable(QString::number(ratio)));
    QVERIFY(std::abs(w.height() - n.height()) <= 1);
    QVERIFY2(std::abs(n.width() - 6.0 * text.size()) < 0.25 * 6 * text.size(), qPrintable(BoxText(n)));
}

void TestPainterCanvas::chartColours() {
    Chart chart;
    const QImage image = RenderChartImage(chart, 1000, nullptr);
    QCOMPARE(image.size(), QSize(1000, 700));
    QCOMPARE(QSizeF(chart.settings.PictureWidth, chart.settings.PictureHeight), QSizeF(15000, 10500));
    // Every pen of the colour table shows up.
    const std::pair<const char*, Rgb> pens[] = {
        {"light red, enthalpy", palette::LightRed},
        {"light blue, humidity and moisture ratio", palette::LightBlue},
        {"magenta, relative humidity and SHF", palette::Magenta},
        {"light green, volume", palette::LightGreen},
        {"light magenta, wet bulb and partial pressure", palette::LightMagenta},
        {"black, dry bulb and labels", palette::Black},
    };
    for (const auto& [what, colour] : pens) QVERIFY2(CountNear(image, colour) > 200, what);
    // Nothing is drawn outside the picture's white frame at the corners.
    QVERIFY(IsWhite(image.pixel(0, 0)) && IsWhite(image.pixel(999, 699)));

    // Monochrome: black on white, not one coloured pixel.
    chart.settings.ColorMode = 0;
    chart.settings.PenColor = MonoPenTable();
    const QImage mono = RenderChartImage(chart, 800, nullptr);
    int coloured = 0, inked = 0;
    EachPixel(mono, [&](QRgb p, int, int) {
        coloured += qRed(p) != qGreen(p) || qGreen(p) != qBlue(p);
        inked += !IsWhite(p);
    });
    QCOMPARE(coloured, 0);
    QVERIFY(inked > 10000);
}

void TestPainterCanvas::exportWritesEveryFormat() {
    // The format follows the extension in any case; the vector formats keep
    // one unit per pixel and the label font.
    Chart chart;
    ExportChart(path("chart.BMP"), chart, 500, nullptr);
    QCOMPARE(QImage(QString::fromStdString(path("chart.BMP")), "BMP").size(), QSize(500, 350));
    ExportChart(path("chart.svg"), chart, 1000, nullptr);
    ExportChart(path("chart.pdf"), chart, 1000, nullptr);
    QFile svg(QString::fromStdString(path("chart.svg"))), pdf(QString::fromStdString(path("chart.pdf")));
    QVERIFY(svg.open(QIODevice::ReadOnly) && pdf.open(QIODevice::ReadOnly));
    const QByteArray svgText = svg.readAll(), pdfBytes = pdf.readAll();
    QVERIFY(svgText.contains("viewBox=\"0 0 1000 700\"") && svgText.contains("Liberation Serif"));
    QVERIFY(pdfBytes.startsWith("%PDF") && pdfBytes.contains("/MediaBox [0 0 1000.000000 700.000000]"));
}

void TestPainterCanvas::exportFailuresLeaveNoFile() {
    Chart chart;
    QVERIFY_THROWS_EXCEPTION(RunTimeFault, ExportChart(path("chart.gif"), chart, 600, nullptr));
    QVERIFY_THROWS_EXCEPTION(RunTimeFault, ExportChart(path("chart.png"), chart, 0, nullptr));
    QVERIFY_THROWS_EXCEPTION(RunTimeFault, ExportChart(path("no/such/dir/chart.png"), chart, 600, nullptr));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList());

    // A refused layout keeps the picture that was there before.
    ExportChart(path("kept.png"), chart, 300, nullptr);
    QFile kept(QString::fromStdString(path("kept.png")));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    const QByteArray before = kept.readAll();
    kept.close();
    Chart bad;
    bad.settings.MinDryBulb = bad.settings.MaxDryBulb = 30;
    QVERIFY_THROWS_EXCEPTION(RunTimeFault, ExportChart(path("kept.png"), bad, 300, nullptr));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), before);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"kept.png"});

    // A family that fails part way: refused by default, kept on request.
    Chart failing;
    failing.settings.DrawProcessLines = 1;
    const ProcessLineDrawer fails = [](ChartDevice&) {
        throw FloatingPointFault(FloatingPointFault::Kind::DivisionByZero, "test family");
    };
    QVERIFY_THROWS_EXCEPTION(FloatingPointFault, ExportChart(path("partial.png"), failing, 300, nullptr, fails));
    QVERIFY(!QFile::exists(QString::fromStdString(path("partial.png"))));
    const std::string fault = ExportChart(path("partial.png"), failing, 300, nullptr, fails, PartialChart::Keep);
    QCOMPARE(QString::fromStdString(fault), QString("division by zero in test family"));
    QCOMPARE(QImage(QString::fromStdString(path("partial.png"))).size(), QSize(300, 210));
    QCOMPARE(ExportChart(path("whole.png"), chart, 300, nullptr, fails, PartialChart::Keep), std::string());
}

QTEST_MAIN(TestPainterCanvas)
#include "test_painter_canvas.moc"
