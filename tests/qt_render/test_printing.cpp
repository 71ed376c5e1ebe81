// The printer pages: where the chart goes on a portrait and a landscape
// page, and the ruled tables (row heights, column edges, alignments, the
// page break with its marks) on a 300 and a 600 dpi page.
#include "qt_render/chart_printing.h"
#include "qt_render/clipboard_copy.h"
#include "qt_render/table_printing.h"

#include <QtGui>
#include <QtTest>

#include <algorithm>
#include <set>

using namespace hyg;

namespace {

// A page that records what is printed on it. Every character is 20 pixels
// wide at 300 dpi (twice at 600), so text positions can be worked out by hand.
struct RecordingPage : TablePage {
    struct Text {
        int page, x, y;
        std::string s;
    };
    struct Line {
        int page, x1, y1, x2, y2, width;
    };
    double dpi = 300;
    int w = 2400, h = 3300;
    int page = 1;
    std::vector<Text> texts;
    std::vector<Line> lines;

    double dotsPerInch() const override { return dpi; }
    int width() const override { return w; }
    int height() const override { return h; }
    int textWidth(const std::string& s) override {
        std::size_t widest = 0, run = 0;
        for (char c : s) {
            run = c == '\r' ? 0 : run + 1;
            widest = std::max(widest, run);
        }
        return static_cast<int>(widest) * static_cast<int>(20 * dpi / 300);
    }
    void text(int x, int y, const std::string& s) override { texts.push_back({page, x, y, s}); }
    void line(int x1, int y1, int x2, int y2, int width) override { lines.push_back({page, x1, y1, x2, y2, width}); }
    void newPage() override { ++page; }

    const Text* find(const std::string& s, int onPage = 0) const {
        for (const Text& t : texts) {
            if (t.s == s && (onPage == 0 || t.page == onPage))
                return &t;
        }
        return nullptr;
    }
    // The y of every full-width horizontal rule on a page, top to bottom.
    std::vector<int> rows(int onPage, int x1) const {
        std::vector<int> ys;
        for (const Line& l : lines) {
            if (l.page == onPage && l.y1 == l.y2 && l.x1 == x1 && l.x2 > l.x1 &&
                !std::count(ys.begin(), ys.end(), l.y1))
                ys.push_back(l.y1);
        }
        std::sort(ys.begin(), ys.end());
        return ys;
    }
};

// The input table of the process dialog: 7 rows by 5 columns.
PrintTable InputTable() {
    PrintTable t;
    t.title = "Input Data";
    t.columnWidths = {400, 750, 750, 750, 750};
    t.rowHeights = {500, 250, 250, 250, 250, 250, 250};
    t.cells.push_back({"No.", "Press.\rmmHg",
                       "D.B.T.\r\xC2\xB0"
                       "C",
                       "R.Hum*\r%",
                       "W.B.T*\r\xC2\xB0"
                       "C"});
    for (int r = 1; r <= 6; ++r)
        t.cells.push_back({"#" + std::to_string(r), "760", r == 1 ? "25.00" : "", "", ""});
    t.columnAlignment = {1, 1, 1, 1, 1};
    t.fixedAlignment = {2, 9, 9, 9, 9};
    return t;
}

PrintTable ProcessTable() {
    PrintTable t;
    t.title = "Process";
    t.columnWidths = {1000, 800, 1000, 1000, 1000, 1000, 750, 750, 750, 1000, 1000};
    t.rowHeights = {500, 250, 250, 250, 250, 250};
    t.cells.push_back({"Process\rChange"});
    for (int c = 1; c < 11; ++c)
        t.cells[0].push_back("Head " + std::to_string(c) + "\runit");
    for (int r = 1; r <= 5; ++r) {
        std::vector<std::string> row{"#" + std::to_string(r) + " -> #" + std::to_string(r + 1)};
        for (int c = 1; c < 11; ++c)
            row.push_back(std::to_string(c) + ".0");
        t.cells.push_back(row);
    }
    return t;
}

bool IsWhite(QRgb p) {
    return qRed(p) > 245 && qGreen(p) > 245 && qBlue(p) > 245;
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void chartPageRect_data();
    void chartPageRect();
    void chartPageDrawnAtPageResolution();
    void cellTextX();
    void tableLayoutAt300And600Dpi();
    void pageBreakWithMarks();
    void processTableColumnsAndRows();
    void tablesThroughAPdfWriter();
};

void TestPrinting::chartPageRect_data() {
    QTest::addColumn<QSize>("printable");
    QTest::addColumn<QSize>("chart");
    QTest::newRow("portrait 2400") << QSize(2400, 3300) << QSize(2400, 1680);
    QTest::newRow("landscape") << QSize(3300, 2400) << QSize(3429, 2400); // 2400 / 0.7 = 3428.57
    QTest::newRow("landscape half") << QSize(1000, 7) << QSize(10, 7);
    QTest::newRow("square") << QSize(1000, 1000) << QSize(1000, 1000);
    QTest::newRow("half to even") << QSize(5, 100) << QSize(5, 4);         // 3.5 -> 4
    QTest::newRow("half to even down") << QSize(25, 100) << QSize(25, 18); // 17.5 -> 18
    QTest::newRow("portrait 15") << QSize(15, 100) << QSize(15, 10);       // 10.5 -> 10
}

void TestPrinting::chartPageRect() {
    QFETCH(QSize, printable);
    QFETCH(QSize, chart);
    QCOMPARE(ChartPageRect(printable.width(), printable.height()), QRect(QPoint(0, 0), chart));
}

void TestPrinting::chartPageDrawnAtPageResolution() {
    // A portrait page of 2400 by 3300 pixels: the chart fills 2400 x 1680 at
    // the top-left; below it the page is white.
    ChartOnScreen screen;
    screen.chart.emplace();
    screen.widthPx = 900;
    screen.heightPx = 630;
    QImage page(2400, 3300, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        PaintChartPage(painter, page.width(), page.height(), screen);
    }
    int inkBelow = 0, inkInside = 0, rightmost = 0, lowest = 0;
    for (int y = 0; y < page.height(); y += 2) {
        for (int x = 0; x < page.width(); x += 2) {
            if (IsWhite(page.pixel(x, y)))
                continue;
            if (y >= 1680) {
                ++inkBelow;
            } else {
                ++inkInside;
                rightmost = std::max(rightmost, x);
                lowest = std::max(lowest, y);
            }
        }
    }
    QCOMPARE(inkBelow, 0);
    QVERIFY2(inkInside > 20000, qPrintable(QString::number(inkInside)));
    // The chart spreads over the whole rectangle, not a screen-sized corner.
    QVERIFY2(rightmost > 2000 && lowest > 1400, qPrintable(QString("%1 %2").arg(rightmost).arg(lowest)));

    // Drawn again at page resolution, not a screen picture stretched: a cut
    // through the chart crosses many thin runs of ink.
    int runs = 0;
    bool inInk = false;
    for (int x = 0; x < 2400; ++x) {
        const bool ink = !IsWhite(page.pixel(x, 800));
        runs += ink && !inInk;
        inInk = ink;
    }
    QVERIFY2(runs > 30, qPrintable(QString::number(runs)));

    // Nothing drawn on the screen: only the dot.
    ChartOnScreen blank;
    QImage empty(600, 800, QImage::Format_RGB32);
    empty.fill(Qt::white);
    {
        QPainter painter(&empty);
        PaintChartPage(painter, empty.width(), empty.height(), blank);
    }
    QCOMPARE(empty.pixel(0, 0), qRgb(0, 0, 0)); // the dot that opens the page
    QCOMPARE(empty.pixel(300, 200), qRgb(255, 255, 255));
    QVERIFY(ChartSvg(blank).isEmpty());
}

void TestPrinting::cellTextX() {
    // Cell 156 wide with its right edge at 339, a text 50 wide.
    QCOMPARE(CellTextX(0, 156, 50, 339), 193);      // left: right - w + 10
    QCOMPARE(CellTextX(1, 156, 50, 339), 279);      // right: right - tw - 10
    QCOMPARE(CellTextX(2, 156, 50, 339), 236);      // centre: right - Int(206 / 2)
    QCOMPARE(CellTextX(2, 156, 51, 339), 236);      // Int(207 / 2) = 103
    QCOMPARE(CellTextX(9, 156, 50, 339), 279);      // any other code: right
    QCOMPARE(CellTextX(1, 312, 100, 678, 20), 558); // a 600 dpi page pads 20
}

void TestPrinting::tableLayoutAt300And600Dpi() {
    for (const int dpi : {300, 600}) {
        const int k = dpi / 300;
        RecordingPage page;
        page.dpi = dpi;
        page.w = 2400 * k;
        page.h = 3300 * k;
        PrintTables(page, {InputTable()});
        QCOMPARE(page.page, 1);
        // The scale origin (10, 10) is the top-left of the printable area:
        // the table given at (100, 400) starts at (90, 390).
        const int x0 = 90 * k;
        const std::vector<int> rows = page.rows(1, x0);
        QCOMPARE(static_cast<int>(rows.size()), 8);
        QCOMPARE(rows[0], 390 * k);
        QCOMPARE(rows[1] - rows[0], 104 * k); // heading row, 500 twips
        for (std::size_t r = 2; r < rows.size(); ++r)
            QCOMPARE(rows[r] - rows[r - 1], 52 * k); // state rows, 250 twips
        // Column edges: 400 twips (83.2) and 750 twips (156) at 300 dpi.
        std::set<int> edges;
        for (const auto& l : page.lines) {
            if (l.x1 == l.x2)
                edges.insert(l.x1);
            QCOMPARE(l.width, 2 * k);
        }
        const std::set<int> expected =
            dpi == 300 ? std::set<int>{90, 173, 329, 485, 641, 797} : std::set<int>{180, 346, 658, 970, 1282, 1594};
        QCOMPARE(edges, expected);

        // Title 60 above the table; texts from the top of their cells.
        const auto* title = page.find("Input Data");
        QVERIFY(title);
        QCOMPARE(title->x, x0);
        QCOMPARE(title->y, 330 * k);
        // "No." heading centred in column 0 (code 2): 173 - Int((83 + 60) / 2).
        const auto* no = page.find("No.");
        QVERIFY(no);
        QCOMPARE(no->x, dpi == 300 ? 173 - 71 : 346 - 143);
        QCOMPARE(no->y, 390 * k);
        // A data cell right-aligned (code 1): "25.00" ends 10 before 485.
        const auto* value = page.find("25.00");
        QVERIFY(value);
        QCOMPARE(value->x, (485 - 100 - 10) * k);
        QCOMPARE(value->y, (390 + 104) * k);
        // A two-line heading goes to the page whole; the page prints its lines.
        QVERIFY(page.find("Press.\rmmHg"));
        QVERIFY(!page.find("No.1")); // one page: no page marks
    }
}

void TestPrinting::pageBreakWithMarks() {
    // A short page: the row ending at 660 (650 on the page) is within 700 of
    // the bottom at 1340, so the next row goes on over a new page; there two
    // rows fit, the last one goes on over a third.
    RecordingPage page;
    page.h = 1340;
    PrintTables(page, {InputTable()});
    QCOMPARE(page.page, 3);
    const auto* mark1 = page.find("No.1");
    const auto* mark2 = page.find("No.2");
    QVERIFY(mark1 && mark2);
    QCOMPARE(mark1->page, 1);
    QCOMPARE(mark2->page, 2);
    QCOMPARE(mark1->x, 2400 - 500 - 10);
    QCOMPARE(mark1->y, 300 - 10);
    QCOMPARE(mark2->x, mark1->x);
    // Page 1: heading and states #1 to #3; page 2: the title, then #4 and
    // #5 below it, no heading row.
    QCOMPARE(page.find("#3")->page, 1);
    QCOMPARE(page.find("#4")->page, 2);
    QCOMPARE(page.find("#5")->page, 2);
    QCOMPARE(page.find("#6")->page, 3);
    QVERIFY(page.find("No.3", 3));
    const auto* title2 = page.find("Input Data", 2);
    QVERIFY(title2);
    QCOMPARE(title2->x, 390);
    QCOMPARE(title2->y, 490);
    QVERIFY(!page.find("No.", 2));
    QCOMPARE(page.find("#4")->y, 550); // below the title, not over it
    const std::vector<int> rows2 = page.rows(2, 90);
    QCOMPARE(static_cast<int>(rows2.size()), 3); // top rule and two state rows
    QCOMPARE(rows2.front(), 550);

    // Three tables on that page: each one that would start below the break
    // line begins its own page; the pages are numbered through the job.
    RecordingPage three;
    three.h = 1300;
    PrintTables(three, {InputTable(), InputTable(), ProcessTable()});
    QVERIFY(three.page >= 4);
    for (int p = 1; p <= three.page; ++p) {
        QVERIFY2(three.find("No." + std::to_string(p), p), qPrintable(QString::number(p)));
        for (const auto& t : three.texts)
            QVERIFY(t.page != p || t.y < three.h); // nothing printed below the page
    }
    QVERIFY(three.find("Process\rChange"));
}

void TestPrinting::processTableColumnsAndRows() {
    RecordingPage page;
    PrintTables(page, {InputTable(), InputTable(), ProcessTable()});
    QCOMPARE(page.page, 1);
    // The process table at (100, 1800): eleven columns, twelve edges, and
    // all five process rows.
    std::set<int> edges;
    for (const auto& l : page.lines) {
        if (l.x1 == l.x2 && l.y1 >= 1790)
            edges.insert(l.x1);
    }
    QCOMPARE(static_cast<int>(edges.size()), 12);
    QCOMPARE(*edges.begin(), 90);
    // 10140 twips in all, each column rounded on its own.
    QCOMPARE(*edges.rbegin(), 90 + 208 + 166 + 208 + 208 + 208 + 208 + 156 + 156 + 156 + 208 + 208);
    for (int r = 1; r <= 5; ++r)
        QVERIFY(page.find("#" + std::to_string(r) + " -> #" + std::to_string(r + 1)));
    QCOMPARE(page.find("Process")->y, 1800 - 60 - 10);
    QCOMPARE(page.rows(1, 90).size(), std::size_t(8 + 8 + 7));
}

void TestPrinting::tablesThroughAPdfWriter() {
    // The painter page on a real paged device: one page at 600 dpi, text
    // measured with the printer's font.
    QTemporaryDir dir;
    const QString path = dir.filePath("tables.pdf");
    {
        QPdfWriter pdf(path);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        PrintTablesTo(pdf, {InputTable(), InputTable(), ProcessTable()});
    }
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page[^s]")), 1);

    QPdfWriter probe(dir.filePath("probe.pdf"));
    probe.setResolution(300);
    QPainter pp(&probe);
    PainterTablePage real(pp, probe);
    QCOMPARE(real.dotsPerInch(), 300.0);
    // Times at 10 points is about 42 pixels at 300 dpi; "Input Data" about 160 wide.
    const int tw = real.textWidth("Input Data");
    QVERIFY2(tw > 100 && tw < 250, qPrintable(QString::number(tw)));
    QCOMPARE(real.textWidth("Press.\rmmHg"), std::max(real.textWidth("Press."), real.textWidth("mmHg")));
    pp.end();
}

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
