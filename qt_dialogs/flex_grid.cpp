#include "qt_dialogs/flex_grid.h"

#include "chart/plane.h"
#include "engine/fault.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <string>

namespace hyg {

namespace {

int ToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

Qt::Alignment QtAlignment(int code, const QString& text) {
    if (code == kAlignGeneral) {
        bool number = false;
        text.trimmed().toDouble(&number);
        return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    if (code < 0 || code > 8)
        return Qt::AlignLeft | Qt::AlignVCenter;
    static constexpr Qt::AlignmentFlag across[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr Qt::AlignmentFlag down[3] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return across[code / 3] | down[code % 3];
}

} // namespace

// The cell texts and alignments behind the view.
class GridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void reshape(int rows, int cols, int fixedRows, int fixedCols) {
        beginResetModel();
        rows_ = rows, cols_ = cols, fixedRows_ = fixedRows, fixedCols_ = fixedCols;
        text_.assign(static_cast<std::size_t>(rows), std::vector<QString>(static_cast<std::size_t>(cols)));
        colAlign_.assign(static_cast<std::size_t>(cols), kAlignGeneral);
        fixedAlign_.assign(static_cast<std::size_t>(cols), kAlignGeneral);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : cols_; }

    bool fixed(int r, int c) const { return r < fixedRows_ || c < fixedCols_; }
    const QString& text(int r, int c) const { return text_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]; }
    void setText(int r, int c, const QString& t) {
        QString& cell = text_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
        if (cell == t)
            return;
        cell = t;
        emit dataChanged(index(r, c), index(r, c));
    }
    int& colAlign(int c) { return colAlign_[static_cast<std::size_t>(c)]; }
    int& fixedAlign(int c) { return fixedAlign_[static_cast<std::size_t>(c)]; }
    void alignmentsChanged() { emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1)); }

    QVariant data(const QModelIndex& i, int role) const override {
        if (!i.isValid())
            return {};
        const int r = i.row(), c = i.column();
        switch (role) {
        case Qt::DisplayRole: {
            // A CR inside a cell (the two-line headings) breaks the line.
            QString shown = text(r, c);
            shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
            return shown;
        }
        case Qt::TextAlignmentRole: {
            const int code = fixed(r, c) ? fixedAlign_[static_cast<std::size_t>(c)] : colAlign_[static_cast<std::size_t>(c)];
            return QVariant::fromValue(QtAlignment(code, text(r, c)));
        }
        case Qt::BackgroundRole:
            if (fixed(r, c))
                return QPalette().color(QPalette::Button);
            return {};
        default:
            return {};
        }
    }
    Qt::ItemFlags flags(const QModelIndex& i) const override {
        if (!i.isValid())
            return Qt::NoItemFlags;
        return fixed(i.row(), i.column()) ? Qt::ItemIsEnabled : (Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }

private:
    int rows_ = 0, cols_ = 0, fixedRows_ = 0, fixedCols_ = 0;
    std::vector<std::vector<QString>> text_;
    std::vector<int> colAlign_, fixedAlign_;
};

FlexGrid::FlexGrid(QWidget* parent)
    : QTableView(parent) {
    model_ = new GridModel(this);
    setModel(model_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection); // the grid selects, not the view
    setTabKeyNavigation(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCornerButtonEnabled(false);
    setFocusPolicy(Qt::StrongFocus);
    // Selected cells keep their highlight when the focus is elsewhere, so
    // the block that Copy will take is always visible.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
}

FlexGrid::~FlexGrid() = default;

void FlexGrid::setShape(int rows, int cols, int fixedRows, int fixedCols) {
    if (rows < 1 || cols < 1 || fixedRows < 0 || fixedCols < 0 || fixedRows >= rows || fixedCols >= cols)
        throw IndexFault("grid shape");
    fixedRows_ = fixedRows;
    fixedCols_ = fixedCols;
    model_->reshape(rows, cols, fixedRows, fixedCols);
    widths_.assign(static_cast<std::size_t>(cols), 0);
    heights_.assign(static_cast<std::size_t>(rows), 0);
    row_ = rowSel_ = fixedRows;
    col_ = colSel_ = fixedCols;
    showSelection();
}

int FlexGrid::rows() const {
    return model_->rowCount();
}

int FlexGrid::cols() const {
    return model_->columnCount();
}

void FlexGrid::checkCell(int row, int col, const char* what) const {
    if (row < 0 || row >= rows() || col < 0 || col >= cols())
        throw IndexFault(std::string(what) + " (" + std::to_string(row) + ", " + std::to_string(col) + ")");
}

void FlexGrid::setColWidthTwips(int col, int twips) {
    checkCell(0, col, "column width");
    widths_[static_cast<std::size_t>(col)] = twips;
    horizontalHeader()->resizeSection(col, ToPixels(twips));
}

int FlexGrid::colWidthTwips(int col) const {
    checkCell(0, col, "column width");
    return widths_[static_cast<std::size_t>(col)];
}

void FlexGrid::setRowHeightTwips(int row, int twips) {
    checkCell(row, 0, "row height");
    heights_[static_cast<std::size_t>(row)] = twips;
    verticalHeader()->resizeSection(row, ToPixels(twips));
}

int FlexGrid::rowHeightTwips(int row) const {
    checkCell(row, 0, "row height");
    return heights_[static_cast<std::size_t>(row)];
}

void FlexGrid::setControlSize(int widthTwips, int heightTwips) {
    setFixedSize(ToPixels(widthTwips), ToPixels(heightTwips));
}

void FlexGrid::setColAlignment(int col, int code) {
    checkCell(0, col, "column alignment");
    model_->colAlign(col) = code;
    model_->alignmentsChanged();
}

int FlexGrid::colAlignment(int col) const {
    checkCell(0, col, "column alignment");
    return model_->colAlign(col);
}

void FlexGrid::setFixedAlignment(int col, int code) {
    checkCell(0, col, "fixed alignment");
    model_->fixedAlign(col) = code;
    model_->alignmentsChanged();
}

int FlexGrid::fixedAlignment(int col) const {
    checkCell(0, col, "fixed alignment");
    return model_->fixedAlign(col);
}

QString FlexGrid::textMatrix(int row, int col) const {
    checkCell(row, col, "cell");
    return model_->text(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    checkCell(row, col, "cell");
    model_->setText(row, col, text);
}

void FlexGrid::setRow(int row) {
    checkCell(row, col_, "current row");
    row_ = rowSel_ = row;
    showSelection();
}

void FlexGrid::setCol(int col) {
    checkCell(row_, col, "current column");
    col_ = colSel_ = col;
    showSelection();
}

void FlexGrid::setRowSel(int row) {
    checkCell(row, colSel_, "selection row");
    rowSel_ = row;
    showSelection();
}

void FlexGrid::setColSel(int col) {
    checkCell(rowSel_, col, "selection column");
    colSel_ = col;
    showSelection();
}

QString FlexGrid::text() const {
    return model_->text(row_, col_);
}

void FlexGrid::setText(const QString& text) {
    model_->setText(row_, col_, text);
}

QString FlexGrid::clip() const {
    const int r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    QString out;
    for (int r = r0; r <= r1; ++r) {
        if (r > r0)
            out += QLatin1Char('\r');
        for (int c = c0; c <= c1; ++c) {
            if (c > c0)
                out += QLatin1Char('\t');
            out += model_->text(r, c);
        }
    }
    return out;
}

void FlexGrid::setClip(const QString& text) {
    const int r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    const QStringList lines = text.split(QLatin1Char('\r'));
    for (int i = 0; i < lines.size() && r0 + i <= r1; ++i) {
        const QStringList pieces = lines[i].split(QLatin1Char('\t'));
        for (int j = 0; j < pieces.size() && c0 + j <= c1; ++j)
            model_->setText(r0 + i, c0 + j, pieces[j]);
    }
}

int FlexGrid::topRow() const {
    const int r = rowAt(0);
    return r < fixedRows_ ? fixedRows_ : r;
}

int FlexGrid::leftCol() const {
    const int c = columnAt(0);
    return c < fixedCols_ ? fixedCols_ : c;
}

void FlexGrid::setTopRow(int row) {
    checkCell(row, 0, "top row");
    scrollTo(model_->index(row, leftCol()), QAbstractItemView::PositionAtTop);
}

void FlexGrid::setLeftCol(int col) {
    checkCell(0, col, "left column");
    scrollTo(model_->index(topRow(), col), QAbstractItemView::PositionAtTop);
}

GridContents FlexGrid::contents() const {
    GridContents g;
    g.rows = rows();
    g.cols = cols();
    g.fixedRows = fixedRows_;
    g.fixedCols = fixedCols_;
    g.colWidthTwips = widths_;
    g.rowHeightTwips = heights_;
    for (int c = 0; c < g.cols; ++c) {
        g.colAlignment.push_back(model_->colAlign(c));
        g.fixedAlignment.push_back(model_->fixedAlign(c));
    }
    g.text.resize(static_cast<std::size_t>(g.rows));
    for (int r = 0; r < g.rows; ++r) {
        for (int c = 0; c < g.cols; ++c)
            g.text[static_cast<std::size_t>(r)].push_back(model_->text(r, c));
    }
    return g;
}

void FlexGrid::showSelection() {
    QItemSelectionModel* sel = selectionModel();
    if (sel == nullptr || rows() == 0)
        return;
    const QModelIndex current = model_->index(row_, col_);
    const QItemSelection block(model_->index(std::min(row_, rowSel_), std::min(col_, colSel_)),
                               model_->index(std::max(row_, rowSel_), std::max(col_, colSel_)));
    sel->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    sel->select(block, QItemSelectionModel::ClearAndSelect);
    viewport()->update();
}

std::pair<int, int> FlexGrid::dataCellAt(QPoint pos) const {
    int r = rowAt(pos.y()), c = columnAt(pos.x());
    if (r < 0)
        r = pos.y() < 0 ? fixedRows_ : rows() - 1;
    if (c < 0)
        c = pos.x() < 0 ? fixedCols_ : cols() - 1;
    return {std::max(r, fixedRows_), std::max(c, fixedCols_)};
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    pressed_ = true;
    const QPoint pos = event->position().toPoint();
    const int r = rowAt(pos.y()), c = columnAt(pos.x());
    if (r < 0 || c < 0) {
        event->accept();
        return;
    }
    const int lastRow = rows() - 1, lastCol = cols() - 1;
    if (r < fixedRows_ && c < fixedCols_) {
        // The corner: every data cell.
        row_ = fixedRows_, col_ = fixedCols_, rowSel_ = lastRow, colSel_ = lastCol;
    } else if (r < fixedRows_) {
        // A heading: its whole column.
        row_ = fixedRows_, col_ = c, rowSel_ = lastRow, colSel_ = c;
    } else if (c < fixedCols_) {
        // A row label: its whole row.
        row_ = r, col_ = fixedCols_, rowSel_ = r, colSel_ = lastCol;
    } else if (event->modifiers() & Qt::ShiftModifier) {
        rowSel_ = r, colSel_ = c;
    } else {
        row_ = rowSel_ = r;
        col_ = colSel_ = c;
    }
    showSelection();
    event->accept();
}

void FlexGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || !(event->buttons() & Qt::LeftButton)) {
        event->accept();
        return;
    }
    const auto [r, c] = dataCellAt(event->position().toPoint());
    if (r != rowSel_ || c != colSel_) {
        rowSel_ = r, colSel_ = c;
        showSelection();
    }
    event->accept();
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (!pressed_)
        return;
    pressed_ = false;
    emit clicked();
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    // A second press, nothing more: no edit box opens.
    mousePressEvent(event);
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    int r = extend ? rowSel_ : row_, c = extend ? colSel_ : col_;
    const int firstRow = fixedRows_, lastRow = rows() - 1, firstCol = fixedCols_, lastCol = cols() - 1;
    bool move = true;
    switch (event->key()) {
    case Qt::Key_Up:
        r = std::max(firstRow, r - 1);
        break;
    case Qt::Key_Down:
        r = std::min(lastRow, r + 1);
        break;
    case Qt::Key_Left:
        c = std::max(firstCol, c - 1);
        break;
    case Qt::Key_Right:
        c = std::min(lastCol, c + 1);
        break;
    case Qt::Key_Home:
        c = firstCol;
        break;
    case Qt::Key_End:
        c = lastCol;
        break;
    case Qt::Key_PageUp:
        r = firstRow;
        break;
    case Qt::Key_PageDown:
        r = lastRow;
        break;
    default:
        move = false;
        break;
    }
    if (move) {
        // From a fixed cell (put there by the program) the keys bring the
        // current cell into the data cells.
        r = std::clamp(r, firstRow, lastRow);
        c = std::clamp(c, firstCol, lastCol);
        if (extend) {
            rowSel_ = r, colSel_ = c;
        } else {
            row_ = rowSel_ = r;
            col_ = colSel_ = c;
        }
        showSelection();
        scrollTo(model_->index(rowSel_, colSel_));
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        emit deletePressed();
        event->accept();
        return;
    }
    QString typed = event->text();
    if (typed.isEmpty() && event->key() == Qt::Key_Backspace)
        typed = QStringLiteral("\b");
    if (typed.isEmpty()) {
        event->ignore();
        return;
    }
    for (const QChar ch : typed)
        emit characterTyped(ch);
    event->accept();
}

} // namespace hyg
