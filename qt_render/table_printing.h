// The process tables on paper: each table ruled, with its title, at a fixed
// place on the page; a long table goes on over as many pages as it needs,
// each page marked "No." and its number at the top right.
//
// The layout is worked out in printer pixels against a small page interface
// (TablePage), so it can be checked without a printer; PainterTablePage
// draws it onto a QPrinter or a QPdfWriter.
#pragma once

#include <string>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace hyg {

// One table as the process dialog shows it: sizes in twips, one text per
// cell (a CR between the lines of a two-line heading) and the alignment code
// of each column (the grid's codes; CellTextX reads them).
struct PrintTable {
    std::string title;
    std::vector<int> columnWidths;               // twips, one per column
    std::vector<int> rowHeights;                 // twips, row 0 is the heading row
    std::vector<std::vector<std::string>> cells; // [row][column]; missing cells print empty
    std::vector<int> columnAlignment;            // ColAlignment(c): the data rows
    std::vector<int> fixedAlignment;             // FixedAlignment(c): the heading row
    int fixedRows = 1;                           // the heading is row 0
    int fixedCols = 1;
};

// The x of a text tw wide in a cell w wide whose right edge is `right`:
// 0 left, 2 centre, 1 and every other code right; `pad` pixels from the
// edge (10 on a 300 dpi page).
int CellTextX(int alignment, int w, int tw, int right, int pad = 10);

// A printer page in device pixels, (0, 0) at the top-left of the printable
// area. Texts are placed by the top of their first line.
class TablePage {
public:
    virtual ~TablePage() = default;
    virtual double dotsPerInch() const = 0;
    virtual int width() const = 0;                   // printable width, pixels
    virtual int height() const = 0;                  // printable height, pixels
    virtual int textWidth(const std::string& s) = 0; // widest line, whole pixels
    virtual void text(int x, int y, const std::string& s) = 0;
    // A ruling line `width` pixels wide.
    virtual void line(int x1, int y1, int x2, int y2, int width) = 0;
    virtual void newPage() = 0;
};

// The positions of the layout are given for a 300 dpi printer (a twip is
// 0.208 of its pixels at the 10-point font); the page scales them by its own
// resolution, so a 600 dpi page gets the same layout twice as fine.
class TableLayoutScale {
public:
    explicit TableLayoutScale(double dotsPerInch, double fontPoints = 10);
    // A length of the 300 dpi layout on this page, whole pixels.
    int px(double px300) const;
    // A length in twips on this page, whole pixels (rounded like px).
    int twips(double tw) const;
    double factor() const { return k_; }

private:
    double k_;    // page pixels per 300 dpi pixel
    double f300_; // 300 dpi pixels per twip at the chosen font size
};

// Prints the tables one below the other (the first three at the heights of
// the input, property and process tables) onto `page`.
void PrintTables(TablePage& page, const std::vector<PrintTable>& tables);

// The font of the table pages.
inline constexpr const char* kTableFontFamily = "Times New Roman";
inline constexpr double kTableFontPoints = 10;

// A TablePage drawing through `painter`, which is active on `device`.
class PainterTablePage : public TablePage {
public:
    PainterTablePage(QPainter& painter, QPagedPaintDevice& device);
    double dotsPerInch() const override;
    int width() const override;
    int height() const override;
    int textWidth(const std::string& s) override;
    void text(int x, int y, const std::string& s) override;
    void line(int x1, int y1, int x2, int y2, int width) override;
    void newPage() override;

private:
    QPainter& painter_;
    QPagedPaintDevice& device_;
};

// Begins a painter on `device` (a QPrinter set up by the print dialog, or a
// QPdfWriter), prints the tables and ends the document. Raises RunTimeFault
// when the device cannot be started or the job fails.
void PrintTablesTo(QPagedPaintDevice& device, const std::vector<PrintTable>& tables);

} // namespace hyg
