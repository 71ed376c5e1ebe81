// A display grid for the process tables: a fixed heading row and column, a
// current cell with a selected block running from it to a corner, column
// widths and row heights in twips, an alignment code per column, and the
// text of a cell, of the current cell and of the selected block.
//
// The grid has no edit box: keys that produce characters are handed to the
// owner (characterTyped), which decides what they do. The pointer and the
// arrow keys move the current cell and the block as in any table; a click
// on a heading selects its whole column, row or (the corner) every cell.
//
// Row and column numbers count the fixed ones: row 0 is the heading row.
// Setting the current cell or the corner outside the grid raises
// IndexFault and changes nothing.
#pragma once

#include <QString>
#include <QTableView>

#include <vector>

namespace hyg {

class GridModel;

// Alignment codes of a column: horizontal third (left, centre, right) times
// three plus the vertical third (top, centre, bottom); 9 is general (text
// left, numbers right, both vertically centred).
enum GridAlignment : int {
    kAlignLeftTop = 0,
    kAlignLeftCentre = 1,
    kAlignLeftBottom = 2,
    kAlignCentreTop = 3,
    kAlignCentreCentre = 4,
    kAlignCentreBottom = 5,
    kAlignRightTop = 6,
    kAlignRightCentre = 7,
    kAlignRightBottom = 8,
    kAlignGeneral = 9,
};

// Everything a printer or an exporter needs to draw a grid as shown.
struct GridContents {
    int rows = 0;
    int cols = 0;
    int fixedRows = 0;
    int fixedCols = 0;
    std::vector<int> colWidthTwips;  // per column
    std::vector<int> rowHeightTwips; // per row
    std::vector<int> colAlignment;   // per column, the code of its data cells
    std::vector<int> fixedAlignment; // per column, the code of its fixed cells
    std::vector<std::vector<QString>> text; // [row][col]; a two-line heading has "\r" between its lines
};

class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    // Shape: every cell empty, current cell and corner at the first data cell.
    void setShape(int rows, int cols, int fixedRows, int fixedCols);
    int rows() const;
    int cols() const;
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }

    // Sizes in twips (shown at 15 twips to a logical pixel).
    void setColWidthTwips(int col, int twips);
    int colWidthTwips(int col) const;
    void setRowHeightTwips(int row, int twips);
    int rowHeightTwips(int row) const;
    // The whole control, frame included.
    void setControlSize(int widthTwips, int heightTwips);

    // Alignment code of a column's data cells and of its fixed cells.
    void setColAlignment(int col, int code);
    int colAlignment(int col) const;
    void setFixedAlignment(int col, int code);
    int fixedAlignment(int col) const;

    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // The current cell; setting it also brings the corner onto it.
    int row() const { return row_; }
    int col() const { return col_; }
    void setRow(int row);
    void setCol(int col);
    // The corner of the selected block.
    int rowSel() const { return rowSel_; }
    int colSel() const { return colSel_; }
    void setRowSel(int row);
    void setColSel(int col);

    // Text of the current cell.
    QString text() const;
    void setText(const QString& text);
    // Text of the selected block (its rows and columns in order, whichever
    // corner the selection runs to). Setting it fills the block from its
    // top-left cell: CR-separated lines into consecutive rows, tab-separated
    // pieces into consecutive columns; pieces beyond the block are dropped,
    // cells without a piece keep their text.
    QString clip() const;
    void setClip(const QString& text);

    // The first data row and column in view.
    int topRow() const;
    int leftCol() const;
    void setTopRow(int row);
    void setLeftCol(int col);

    GridContents contents() const;

signals:
    // A mouse button was released over the grid after a press in it.
    void clicked();
    // A key press produced this character (backspace is '\b', Enter '\r').
    void characterTyped(QChar c);
    // The Delete key.
    void deletePressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void checkCell(int row, int col, const char* what) const;
    void showSelection();
    // The data cell nearest a point of the viewport.
    std::pair<int, int> dataCellAt(QPoint pos) const;

    GridModel* model_ = nullptr;
    int fixedRows_ = 0;
    int fixedCols_ = 0;
    int row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
    std::vector<int> widths_, heights_;
    bool pressed_ = false;
};

} // namespace hyg
