// What is painted: the canvas primitives in their colours (monochrome with none), the picture export whole or
// not at all, the chart on a printer page at the page's resolution, and the ruled tables (row heights, column
// edges, alignments, the page break with its marks) at 300 and 600 dpi. (The chart's pixels: the golden images.)
#include "qt_render/chart_printing.h"
#include "qt_render/clipboard_copy.h"
#include "qt_render/image_export.h"
#include "qt_render/painter_canvas.h"
#include "qt_render/table_printing.h"

#include "chart/chart_settings.h"
#include "engine/fault.h"

#include <QtGui>
#include <QtTest>

#include <algorithm>
#include <set>

using namespace hyg;

namespace {

bool Inked(QRgb p, int white = 245) {
    return qRed(p) <= white || qGreen(p) <= white || qBlue(p) <= white;
}

// A page that records what is printed; a character is 20 pixels wide at 300 dpi (twice at 600).
struct RecordingPage : TablePage {
    struct Text {
        int page, x, y;
        std::string s;
    };
    struct Line {
        int page, x1, y1, x2, y2, width;
    };
    double dpi = 300;
    int w = 2400, h = 3300, page = 1;
    std::vector<Text> texts;
    std::vector<Line> lines;

    double dotsPerInch() const override { return dpi; }
    int width() const override { return w; }
    int height() const override { return h; }
    int textWidth(const std::string& s) override {
        std::size_t widest = 0, run = 0;
        for (char c : s)
            widest = std::max(widest, run = c == '\r' ? 0 : run + 1);
        return static_cast<int>(widest * 20 * dpi / 300);
    }
    void text(int x, int y, const std::string& s) override { texts.push_back({page, x, y, s}); }
    void line(int x1, int y1, int x2, int y2, int width) override { lines.push_back({page, x1, y1, x2, y2, width}); }
    void newPage() override { ++page; }

    const Text* find(const std::string& s, int onPage = 0) const {
        const auto at = std::find_if(texts.begin(), texts.end(),
                                     [&](const Text& t) { return t.s == s && (onPage == 0 || t.page == onPage); });
        return at == texts.end() ? nullptr : &*at;
    }
    // The y of every horizontal rule from x1 on a page, top to bottom.
    std::vector<int> rows(int onPage, int x1) const {
        std::set<int> ys;
        for (const Line& l : lines) {
            if (l.page == onPage && l.y1 == l.y2 && l.x1 == x1 && l.x2 > l.x1)
                ys.insert(l.y1);
        }
        return {ys.begin(), ys.end()};
    }
};

// The input table of the process dialog: 7 rows by 5 columns.
PrintTable InputTable() {
    // Title, column widths, row heights, cells, column and heading alignments.
    PrintTable t{"Input Data",
                 {400, 750, 750, 750, 750},
                 {500, 250, 250, 250, 250, 250, 250},
                 {{"No.", "Press.\rmmHg", "D.B.T.\rC", "R.Hum*\r%", "W.B.T*\rC"}},
                 {1, 1, 1, 1, 1},
                 {2, 9, 9, 9, 9}};
    for (int r = 1; r <= 6; ++r)
        t.cells.push_back({"#" + std::to_string(r), "760", r == 1 ? "25.00" : "", "", ""});
    return t;
}

} // namespace

class TestPainterCanvas : public QObject {
    Q_OBJECT
private slots:
    void primitivesAndMonochrome();
    void exportsWholeOrNotAtAll();
    void chartPage();
    void tableLayoutAt300And600Dpi();
    void pageBreakWithMarks();
};

void TestPainterCanvas::primitivesAndMonochrome() {
    constexpr Rgb kRed{255, 0, 0}, kBlue{0, 0, 255};
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterCanvas c(painter, 300, 200);
        c.line(10, 20.5, 190, 20.5, kRed, kSolid, 1);
        c.circle(150, 150, 10, kRed, 1, &kBlue);
        c.point(7.4, 61.6, kRed);
        c.text(50, 100, "Hg 25", FontSpec{.height = 30, .width = 10}, kRed);
        // Arcs run counter-clockwise on the screen: 0 to pi/2 is the upper right quarter.
        c.arc(250, 100, 40, 0, 1.5707963, kRed, 1);
    }
    QCOMPARE(image.pixel(100, 20), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(150, 150), qRgb(0, 0, 255)); // filled inside the red rim
    QCOMPARE(image.pixel(7, 61), qRgb(255, 0, 0));
    // The box of the ink in a part of the picture; in monochrome, its coloured pixels.
    int coloured = 0;
    const auto ink = [&](const QImage& part) {
        QRect box;
        for (int y = 0; y < part.height(); ++y) {
            for (int x = 0; x < part.width(); ++x) {
                const QRgb p = part.pixel(x, y);
                box |= Inked(p, 250) ? QRect(x, y, 1, 1) : QRect();
                coloured += qRed(p) != qGreen(p) || qGreen(p) != qBlue(p);
            }
        }
        return box;
    };
    const QRect text = ink(image.copy(0, 90, 120, 50));
    QVERIFY(!text.isEmpty() && text.left() >= 50 && text.top() >= 10);
    const QRect quarter = ink(image.copy(200, 0, 100, 200));
    QVERIFY(quarter.left() >= 48 && quarter.bottom() <= 102 && quarter.right() >= 88 && quarter.top() <= 62);

    Chart mono;
    mono.settings.ColorMode = 0;
    mono.settings.PenColor = MonoPenTable();
    coloured = 0;
    QVERIFY(ink(RenderChartImage(mono, 800, nullptr)).width() > 700);
    QCOMPARE(coloured, 0);
}

void TestPainterCanvas::exportsWholeOrNotAtAll() {
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
    const auto read = [&](const char* name) {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    // The format follows the extension in any case; SVG keeps one unit per pixel.
    Chart chart;
    QVERIFY(!ExportChart(path("chart.BMP"), chart, 500, nullptr));
    QCOMPARE(QImage(dir.filePath("chart.BMP"), "BMP").size(), QSize(500, 350));
    QVERIFY(!ExportChart(path("chart.svg"), chart, 1000, nullptr));
    const QByteArray svg = read("chart.svg");
    QVERIFY(svg.contains("viewBox=\"0 0 1000 700\""));
    // Refusals leave no file; a refused layout keeps the picture that was there.
    Chart bad;
    bad.settings.MinDryBulb = bad.settings.MaxDryBulb = 30;
    QVERIFY_THROWS_EXCEPTION(RunTimeFault, (void)ExportChart(path("chart.gif"), chart, 600, nullptr));
    QVERIFY_THROWS_EXCEPTION(RunTimeFault, (void)ExportChart(path("chart.png"), chart, 0, nullptr));
    QVERIFY_THROWS_EXCEPTION(RunTimeFault, (void)ExportChart(path("no/such/dir/chart.png"), chart, 600, nullptr));
    QVERIFY_THROWS_EXCEPTION(RunTimeFault, (void)ExportChart(path("chart.svg"), bad, 300, nullptr));
    QCOMPARE(read("chart.svg"), svg);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"chart.BMP", "chart.svg"}));
    // A family that fails part way: refused by default, kept on request.
    Chart failing;
    failing.settings.DrawProcessLines = 1;
    const ProcessLineDrawer fails = [](PenPlotter&) {
        throw FloatingPointFault(FloatingPointFault::Kind::DivisionByZero, "test family");
    };
    QVERIFY_THROWS_EXCEPTION(FloatingPointFault, (void)ExportChart(path("partial.png"), failing, 300, nullptr, fails));
    QVERIFY(!QFile::exists(dir.filePath("partial.png")));
    const std::optional<DrawingStopped> stopped =
        ExportChart(path("partial.png"), failing, 300, nullptr, fails, PartialChart::Keep);
    QVERIFY(stopped);
    QCOMPARE(QString::fromStdString(stopped->fault), QString("division by zero in test family"));
    QCOMPARE(QImage(dir.filePath("partial.png")).size(), QSize(300, 210));
}

void TestPainterCanvas::chartPage() {
    // Portrait keeps the width, landscape the height (2400 / 0.7 = 3428.57), halves go to even.
    const QSize cases[][2] = {{{2400, 3300}, {2400, 1680}}, {{3300, 2400}, {3429, 2400}}, {{1000, 7}, {10, 7}},
                              {{1000, 1000}, {1000, 1000}}, {{5, 100}, {5, 4}},           {{25, 100}, {25, 18}},
                              {{15, 100}, {15, 10}}};
    for (const auto& c : cases)
        QCOMPARE(ChartPageRect(c[0].width(), c[0].height()), QRect(QPoint(0, 0), c[1]));

    // Drawn again at page resolution, not a screen picture stretched: a cut crosses many thin runs of ink.
    QImage page(2400, 3300, QImage::Format_RGB32);
    const auto paint = [&](const ChartOnScreen& screen, int w, int h) {
        page.fill(Qt::white);
        QPainter painter(&page);
        PaintChartPage(painter, w, h, screen);
    };
    paint(ChartOnScreen{Chart{}, 900, 630}, 2400, 3300);
    int runs = 0;
    for (int x = 0; x < 2400; ++x)
        runs += Inked(page.pixel(x, 800)) && (x == 0 || !Inked(page.pixel(x - 1, 800)));
    QVERIFY2(runs > 30, qPrintable(QString::number(runs)));
    // Nothing drawn on the screen: only the dot that opens the page.
    paint(ChartOnScreen{}, 600, 800);
    QCOMPARE(page.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(page.pixel(300, 200), qRgb(255, 255, 255));
    QVERIFY(ChartSvg(ChartOnScreen{}).isEmpty());
}

void TestPainterCanvas::tableLayoutAt300And600Dpi() {
    // A cell 156 wide with its right edge at 339, a text 50 wide: left (code 0) right - w + 10, right (1)
    // right - tw - 10, centre (2) right - Int(206 / 2), also for 51 (Int(207 / 2) = 103), any other code
    // right; a 600 dpi page pads 20.
    QCOMPARE(QList<int>({CellTextX(0, 156, 50, 339), CellTextX(1, 156, 50, 339), CellTextX(2, 156, 50, 339),
                         CellTextX(2, 156, 51, 339), CellTextX(9, 156, 50, 339), CellTextX(1, 312, 100, 678, 20)}),
             QList<int>({193, 279, 236, 236, 279, 558}));
    for (const int k : {1, 2}) {
        RecordingPage page;
        page.dpi = 300 * k, page.w = 2400 * k, page.h = 3300 * k;
        PrintTables(page, {InputTable()});
        QCOMPARE(page.page, 1);
        QVERIFY(!page.find("No.1")); // one page: no page marks
        // The scale origin (10, 10) is the top-left of the printable area: the table given at (100, 400)
        // starts at (90, 390). The heading row is 500 twips (104 pixels), the state rows 250 (52).
        const std::vector<int> rows = page.rows(1, 90 * k);
        QCOMPARE(rows, (std::vector<int>{390 * k, 494 * k, 546 * k, 598 * k, 650 * k, 702 * k, 754 * k, 806 * k}));
        // Column edges: 400 twips (83.2) and 750 twips (156) at 300 dpi.
        std::set<int> edges;
        for (const auto& l : page.lines) {
            if (l.x1 == l.x2)
                edges.insert(l.x1);
            QCOMPARE(l.width, 2 * k);
        }
        const std::set<int> at300{90, 173, 329, 485, 641, 797}, at600{180, 346, 658, 970, 1282, 1594};
        QCOMPARE(edges, k == 1 ? at300 : at600);
        // Title 60 above the table; texts from the top of their cells. "No." centred in column 0 (code 2):
        // 173 - Int((83 + 60) / 2); "25.00" right-aligned (code 1) ends 10 before 485; a two-line heading whole.
        const auto *title = page.find("Input Data"), *no = page.find("No."), *value = page.find("25.00");
        QVERIFY(title && no && value && page.find("Press.\rmmHg"));
        QCOMPARE(QPoint(title->x, title->y), QPoint(90 * k, 330 * k));
        QCOMPARE(QPoint(no->x, no->y), QPoint(k == 1 ? 173 - 71 : 346 - 143, 390 * k));
        QCOMPARE(QPoint(value->x, value->y), QPoint((485 - 100 - 10) * k, (390 + 104) * k));
    }
}

void TestPainterCanvas::pageBreakWithMarks() {
    // A short page: the row ending at 660 (650 on the page) is within 700 of the bottom at 1340, so the
    // next row goes on over a new page; there two rows fit, the last one goes on over a third.
    RecordingPage page;
    page.h = 1340;
    PrintTables(page, {InputTable()});
    QCOMPARE(page.page, 3);
    const auto *mark1 = page.find("No.1"), *mark2 = page.find("No.2");
    QVERIFY(mark1 && mark2 && page.find("No.3", 3));
    QCOMPARE(QList<int>({mark1->page, mark1->x, mark1->y, mark2->page, mark2->x}),
             QList<int>({1, 2400 - 500 - 10, 300 - 10, 2, 2400 - 500 - 10}));
    // Page 1: heading and states #1 to #3; page 2: the title, #4 and #5 below it, no heading row.
    QCOMPARE(QList<int>({page.find("#3")->page, page.find("#4")->page, page.find("#5")->page, page.find("#6")->page}),
             QList<int>({1, 2, 2, 3}));
    const auto* title2 = page.find("Input Data", 2);
    QVERIFY(title2 && !page.find("No.", 2));
    QCOMPARE(QPoint(title2->x, title2->y), QPoint(390, 490));
    QCOMPARE(page.find("#4")->y, 550);                             // below the title, not over it
    QCOMPARE(page.rows(2, 90), (std::vector<int>{550, 602, 654})); // top rule and two state rows

    // Three tables on that page: each one that would start below the break line begins its own page; the
    // pages are numbered through the job.
    RecordingPage three;
    three.h = 1300;
    PrintTables(three, {InputTable(), InputTable(), InputTable()});
    QVERIFY(three.page >= 4);
    for (int p = 1; p <= three.page; ++p)
        QVERIFY2(three.find("No." + std::to_string(p), p), qPrintable(QString::number(p)));
    QVERIFY(std::all_of(three.texts.begin(), three.texts.end(), [&](const auto& t) { return t.y < three.h; }));
}

QTEST_MAIN(TestPainterCanvas)
#include "test_painter_canvas.moc"
