#include "qt_render/table_printing.h"

#include "engine/fault.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace hyg {

namespace {

// The layout's own resolution: its pixel figures are those of a 300 dpi
// printer, where a twip (1/1440 inch) is 0.208 pixels at the 10-point font.
constexpr double kLayoutDpi = 300;
constexpr double kPixelsPerTwipAt10Points = 0.208;

// Positions of the 300 dpi layout, pixels.
constexpr int kScaleOrigin = 10;      // the top-left of the printable area is (10, 10)
constexpr int kTableLeft = 100;       // x0 of every table
constexpr int kFirstTableTop = 400;   // y0 of the input table
constexpr int kTableSpacing = 700;    // y0 of the property and process tables: 1100, 1800
constexpr int kTitleAbove = 60;       // the title sits this far above the table
constexpr int kBottomReserve = 700;   // a row ending this close to the bottom ends the page
constexpr int kMarkFromRight = 500;   // "No." page mark: x from the right edge
constexpr int kMarkTop = 300;         //   and its top
constexpr int kContinuedTitleX = 400; // title of a table going on over a new page
constexpr int kContinuedTitleTop = 500;
constexpr int kGapBelowTable = 200; // least space between a table and the next title
constexpr int kRuleWidth = 2;
constexpr int kCellPad = 10; // text from the cell's edge

// Whole pixels, halves away from zero like the printer's own rounding.
int RoundPx(double v) {
    return static_cast<int>(std::lround(v));
}

const std::string& CellText(const PrintTable& t, std::size_t r, std::size_t c) {
    static const std::string empty;
    if (r >= t.cells.size() || c >= t.cells[r].size())
        return empty;
    return t.cells[r][c];
}

// A data cell prints on one line: control characters typed into the input
// table (a CR among them) are left out.
std::string OneLine(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char ch : s) {
        if (static_cast<unsigned char>(ch) >= 32)
            out += ch;
    }
    return out;
}

int Code(const std::vector<int>& codes, std::size_t c) {
    // The grid's general alignment (9) where a column has no code: CellTextX
    // places it right like every code other than 0 and 2.
    return c < codes.size() ? codes[c] : 9;
}

std::string PageMark(int page) {
    // "No." and the number formatted "##".
    return "No." + std::to_string(page);
}

// One print job: the page, the layout scale, the page count and the scale
// origin that every position is given in.
class TableJob {
public:
    explicit TableJob(TablePage& page)
        : page_(page)
        , s_(page.dotsPerInch(), kTableFontPoints)
        , origin_(s_.px(kScaleOrigin)) {}

    const TableLayoutScale& scale() const { return s_; }
    int pageHeight() const { return page_.height(); }
    int textWidth(const std::string& text) { return page_.textWidth(text); }

    void text(int x, int y, const std::string& t) { page_.text(x - origin_, y - origin_, t); }
    void rule(int x1, int y1, int x2, int y2) {
        page_.line(x1 - origin_, y1 - origin_, x2 - origin_, y2 - origin_, s_.px(kRuleWidth));
    }

    // Starts a new page; the first page gets its mark when the second begins.
    void newPage() {
        if (pageNo_ == 1)
            mark(1);
        page_.newPage();
        ++pageNo_;
        mark(pageNo_);
    }

private:
    void mark(int n) { text(page_.width() - s_.px(kMarkFromRight), s_.px(kMarkTop), PageMark(n)); }

    TablePage& page_;
    TableLayoutScale s_;
    int origin_;
    int pageNo_ = 1;
};

// Where a printed table ended: the bottom of its last row, and whether that
// row reached the bottom reserve (the next thing printed needs a new page).
struct TableEnd {
    int bottom = 0;
    bool pageFull = false;
};

TableEnd PrintGrid(TableJob& job, const PrintTable& t, int x0, int y0) {
    const TableLayoutScale& s = job.scale();
    const std::size_t n = t.columnWidths.size();
    const std::size_t rows = t.rowHeights.size();
    job.text(x0, y0 - s.px(kTitleAbove), t.title);
    if (rows == 0 || n == 0)
        return {y0, false};

    std::vector<int> X(n + 1);
    std::vector<int> w(n);
    X[0] = x0;
    int yTop = y0;
    int h = s.twips(t.rowHeights[0]);
    int yBot = yTop + h;

    // Heading row: two-line headings print line under line from the same x.
    for (std::size_t c = 0; c < n; ++c) {
        const std::string& text = CellText(t, 0, c);
        w[c] = s.twips(t.columnWidths[c]);
        const int tw = job.textWidth(text);
        job.rule(X[c], yTop, X[c], yBot);
        X[c + 1] = X[c] + w[c];
        job.text(CellTextX(Code(t.fixedAlignment, c), w[c], tw, X[c + 1], s.px(kCellPad)), yTop, text);
    }
    job.rule(X[0], yTop, X[n], yTop);
    job.rule(X[n], yTop, X[n], yBot);
    job.rule(X[0], yBot, X[n], yBot);
    yTop = yBot;

    bool pageFull = false;
    for (std::size_t r = 1; r < rows; ++r) {
        if (pageFull) {
            // The table goes on over a new page below its title; the heading
            // row is not repeated.
            job.newPage();
            job.text(s.px(kContinuedTitleX), s.px(kContinuedTitleTop), t.title);
            yTop = s.px(kContinuedTitleTop + kTitleAbove);
            job.rule(X[0], yTop, X[n], yTop);
            pageFull = false;
        }
        h = s.twips(t.rowHeights[r]);
        yBot = yTop + h;
        for (std::size_t c = 0; c < n; ++c) {
            const std::string text = OneLine(CellText(t, r, c));
            const int tw = job.textWidth(text);
            job.rule(X[c], yTop, X[c], yBot);
            job.text(CellTextX(Code(t.columnAlignment, c), w[c], tw, X[c + 1], s.px(kCellPad)), yTop, text);
        }
        job.rule(X[n], yTop, X[n], yBot);
        yTop = yBot;
        job.rule(X[0], yTop, X[n], yTop);
        pageFull = yBot + s.px(kBottomReserve) >= job.pageHeight();
    }
    return {yBot, pageFull};
}

} // namespace

int CellTextX(int alignment, int w, int tw, int right, int pad) {
    switch (alignment) {
    case 0:
        return right - w + pad;
    case 2:
        return right - static_cast<int>(std::floor((w + tw) / 2.0));
    default:
        return right - tw - pad;
    }
}

TableLayoutScale::TableLayoutScale(double dotsPerInch, double fontPoints)
    : k_(dotsPerInch / kLayoutDpi)
    , f300_(fontPoints / 10 * kPixelsPerTwipAt10Points) {}

int TableLayoutScale::px(double px300) const {
    return RoundPx(px300 * k_);
}

int TableLayoutScale::twips(double tw) const {
    return RoundPx(tw * f300_ * k_);
}

void PrintTables(TablePage& page, const std::vector<PrintTable>& tables) {
    TableJob job(page);
    const TableLayoutScale& s = job.scale();
    TableEnd previous;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const PrintTable& t = tables[i];
        int y0 = s.px(kFirstTableTop + kTableSpacing * static_cast<double>(i));
        if (i > 0) {
            // A table that went on over a new page has pushed the next one
            // down; one that would not reach the page with its heading and
            // first row begins a page of its own.
            y0 = std::max(y0, previous.bottom + s.px(kGapBelowTable + kTitleAbove));
            int firstRows = 0;
            for (std::size_t r = 0; r < std::min<std::size_t>(2, t.rowHeights.size()); ++r)
                firstRows += s.twips(t.rowHeights[r]);
            if (previous.pageFull || y0 + firstRows + s.px(kBottomReserve) >= page.height()) {
                job.newPage();
                y0 = s.px(kContinuedTitleTop + kTitleAbove);
            }
        }
        previous = PrintGrid(job, t, s.px(kTableLeft), y0);
    }
}

// ---- the painter page ----

namespace {

QString Q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QFont TableFont() {
    // Liberation Serif has the metrics of the Times face the layout was made
    // for, and is installed with the program's fonts.
    QFont f(QStringLiteral("Liberation Serif"));
    f.setStyleHint(QFont::Serif);
    f.setPointSizeF(kTableFontPoints);
    return f;
}

} // namespace

PainterTablePage::PainterTablePage(QPainter& painter, QPagedPaintDevice& device)
    : painter_(painter)
    , device_(device) {
    painter_.setFont(QFont(TableFont(), &device_));
    painter_.setPen(QPen(Qt::black, 1));
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

double PainterTablePage::dotsPerInch() const {
    return device_.logicalDpiY();
}

int PainterTablePage::width() const {
    return device_.width();
}

int PainterTablePage::height() const {
    return device_.height();
}

int PainterTablePage::textWidth(const std::string& s) {
    const QFontMetricsF m(painter_.font(), &device_);
    double widest = 0;
    for (const QString& line : Q(s).split(QLatin1Char('\r')))
        widest = std::max(widest, m.horizontalAdvance(line));
    return RoundPx(widest);
}

void PainterTablePage::text(int x, int y, const std::string& s) {
    const QFontMetricsF m(painter_.font(), &device_);
    painter_.setPen(QPen(Qt::black, 1));
    double top = y;
    for (const QString& line : Q(s).split(QLatin1Char('\r'))) {
        painter_.drawText(QPointF(x, top + m.ascent()), line);
        top += m.height();
    }
}

void PainterTablePage::line(int x1, int y1, int x2, int y2, int width) {
    QPen pen(Qt::black, std::max(1, width));
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
    painter_.drawLine(x1, y1, x2, y2);
}

void PainterTablePage::newPage() {
    if (!device_.newPage())
        throw RunTimeFault("the printer did not take a new page");
}

void PrintTablesTo(QPagedPaintDevice& device, const std::vector<PrintTable>& tables) {
    QPainter painter;
    if (!painter.begin(&device))
        throw RunTimeFault("the print job could not be started");
    try {
        PainterTablePage page(painter, device);
        PrintTables(page, tables);
    } catch (...) {
        painter.end();
        throw;
    }
    if (!painter.end())
        throw RunTimeFault("the print job could not be finished");
}

} // namespace hyg
