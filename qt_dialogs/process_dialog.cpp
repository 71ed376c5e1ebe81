#include "qt_dialogs/process_dialog.h"

#include "qt_dialogs/about_dialog.h"
#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/units.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <array>
#include <utility>

namespace hyg {

namespace {

// Sizes of the three tables in twips: the control, the heading row, the
// data rows and the column widths.
constexpr int kHeadingRowTwips = 500;
constexpr int kDataRowTwips = 250;
constexpr std::array<int, 5> kInputWidths{400, 750, 750, 750, 750};
constexpr std::array<int, 8> kPropertyWidths{400, 800, 900, 1000, 1000, 1000, 900, 800};
constexpr std::array<int, 11> kProcessWidths{1000, 800, 1000, 1000, 1000, 1000, 750, 750, 750, 1000, 1000};

// Where the controls sit, in logical pixels. Fixed positions keep the
// dialog the same on every screen (and let a test find a control).
constexpr QPoint kGridInFrame{10, 22}; // the table's place inside its frame
constexpr QRect kFrameInput{8, 8, 251, 188};
constexpr QRect kFrameProperty{267, 8, 479, 188};
constexpr QRect kFrameProcess{8, 204, 696, 154};
constexpr QRect kLabel1{10, 164, 231, 16}; // inside Frame_Input
constexpr QRect kInfoAQ{8, 370, 104, 24};
constexpr QRect kAflow{114, 368, 80, 26};
constexpr QRect kFlowUnit{200, 370, 62, 24};
constexpr int kButtonTop = 366, kButtonHeight = 28, kButtonWidth = 72, kButtonGap = 6;
constexpr int kCalcButtonLeft = 266, kCalcButtonWidth = 90;
constexpr QSize kDialogSize{754, 404};

// The grids' text: small enough for a two-line heading in 500 twips and a
// value in 250.
constexpr int kGridFontPixels = 11;

const char* const kAirflowFormat = "###0.00";

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The hourglass while Calculate works (its message boxes show the arrow).
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

void ShapeGrid(FlexGrid& g, int rows, const int* widths, int cols, int controlW, int controlH) {
    g.setShape(rows, cols, 1, 1);
    for (int c = 0; c < cols; ++c)
        g.setColWidthTwips(c, widths[c]);
    g.setRowHeightTwips(0, kHeadingRowTwips);
    for (int r = 1; r < rows; ++r)
        g.setRowHeightTwips(r, kDataRowTwips);
    g.setControlSize(controlW, controlH);
}

void SetHeadings(FlexGrid& g, const std::vector<std::string>& headings) {
    for (int c = 0; c < static_cast<int>(headings.size()) && c < g.cols(); ++c)
        g.setTextMatrix(0, c, Q(headings[static_cast<std::size_t>(c)]));
}

template <class Table> void ShowTable(FlexGrid& g, const Table& t) {
    for (int r = 1; r <= Table::kRows; ++r) {
        for (int c = 0; c <= Table::kColumns; ++c)
            g.setTextMatrix(r, c, Q(t.cell(r, c)));
    }
}

// The dry airflow rate as the field shows it: the number its text starts with.
float FlowOf(const QString& text) {
    return Sgl(LeadingNumber(text.toStdString()), "dry airflow rate");
}

// Removes the line feeds of a pasted text as the scan meets them and counts
// the block: columns from the tabs of the first line, rows from the CRs.
// The character that moves into the place of a removed line feed is not
// looked at, so a CR right after a CR LF counts no row.
struct PasteShape {
    int cols = 0;
    int rows = 0;
};
PasteShape ScanPasteText(QString& s) {
    PasteShape shape;
    const qsizetype length = s.size();
    for (qsizetype i = 0; i < length && i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('\r')) {
            if (shape.rows == 0)
                ++shape.cols;
            ++shape.rows;
        } else if (c == QLatin1Char('\t') && shape.rows == 0) {
            ++shape.cols;
        } else if (c == QLatin1Char('\n')) {
            s.remove(i, 1);
        }
    }
    return shape;
}

// Text from other programs on this system ends its lines with a bare line
// feed; those ends count as the CR a block's lines end with. A CR LF pair
// stays as it is.
QString WithCrLineEnds(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n') && (i == 0 || text[i - 1] != QLatin1Char('\r')))
            out += QLatin1Char('\r');
        else
            out += c;
    }
    return out;
}

} // namespace

void ShowClipboardFailure(Messenger& messenger, const std::string& commandName) {
    messenger.showMessage("Sorry !\rError occured on " + commandName + ".", kTitle, MessageIcon::Exclamation);
}

void CopyGridToClipboard(FlexGrid& grid) {
    const int top = grid.topRow(), left = grid.leftCol();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(grid.clip() + QLatin1Char('\r'));
    grid.setTopRow(top);
    grid.setLeftCol(left);
}

void CutGridToClipboard(FlexGrid& grid) {
    CopyGridToClipboard(grid);
    // The whole block is emptied, whichever way the selection was dragged.
    const int r0 = std::min(grid.row(), grid.rowSel()), r1 = std::max(grid.row(), grid.rowSel());
    const int c0 = std::min(grid.col(), grid.colSel()), c1 = std::max(grid.col(), grid.colSel());
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c)
            grid.setTextMatrix(r, c, QString());
    }
}

void PasteClipboardIntoGrid(FlexGrid& grid) {
    QString s = WithCrLineEnds(QGuiApplication::clipboard()->text());
    const PasteShape shape = ScanPasteText(s);
    if (shape.rows == 0)
        return;
    const int colSel = grid.col() + shape.cols - 1;
    const int rowSel = grid.row() + shape.rows - 1;
    if (colSel >= grid.cols() || rowSel >= grid.rows())
        throw IndexFault("pasted block of " + std::to_string(shape.rows) + " by " + std::to_string(shape.cols));
    grid.setColSel(colSel);
    grid.setRowSel(rowSel);
    grid.setClip(s);
}

DlgProcessCalc::DlgProcessCalc(ProcessDialogContext context, QWidget* parent)
    : QDialog(parent)
    , context_(std::move(context)) {
    setObjectName("DlgProcessCalc");
    setModal(true);
    setWindowTitle(kProcessDialogCaption);
    buildControls();
    setFixedSize(kDialogSize);
    CentreOnScreen(*this);

    ChartSettings& s = context_.settings;
    markActive();
    data_.UnitSystem = s.EnthalpyUnit;
    buildTables();
    try {
        OpenProcessData(data_, s, context_.points, &context_.messenger);
    } catch (const RunTimeFault&) {
        // The states of the list no longer compute (their pressure unit
        // changed, say): the dialog opens with what was filled.
        context_.messenger.showMessage(kCalculateErrorText, kTitle, MessageIcon::Critical);
    }
    showTables();

    data_.FlowRate = Sgl(static_cast<double>(s.DryAirflowRate) * FlowFactor(data_.UnitSystem), "dry airflow rate");
    aflow_->setText(Q(FormatNumber(data_.FlowRate, kAirflowFormat))); // runs the airflow change
    if (data_.UnitSystem == UnitSystem::MetricKcal || data_.UnitSystem == UnitSystem::MetricKJ)
        flowUnit_->setText("kgDA/h");
    else if (data_.UnitSystem == UnitSystem::Imperial)
        flowUnit_->setText("lbmDA/h");
    input_->setFocus();
}

DlgProcessCalc::~DlgProcessCalc() = default;

void DlgProcessCalc::buildControls() {
    const auto frame = [this](const char* name, const char* caption, QRect where) {
        auto* box = new QGroupBox(caption, this);
        box->setObjectName(name);
        box->setGeometry(where);
        return box;
    };
    QGroupBox* frameInput = frame("Frame_Input", "Input Data", kFrameInput);
    QGroupBox* frameProperty = frame("Frame_Property", "Calculated Thermal Property", kFrameProperty);
    QGroupBox* frameProcess = frame("Frame_Process", "Calculated Process Characteristics", kFrameProcess);

    QFont gridFont = font();
    gridFont.setPixelSize(kGridFontPixels);
    const auto makeGrid = [&](QGroupBox* box, const char* name, std::int16_t n) {
        auto* g = new FlexGrid(box);
        g->setObjectName(name);
        g->setFont(gridFont);
        g->move(kGridInFrame);
        connect(g, &FlexGrid::clicked, this, [this, n] {
            context_.activeGrid = n;
            markActive();
        });
        return g;
    };
    input_ = makeGrid(frameInput, "Grid_Input", kGridInput);
    property_ = makeGrid(frameProperty, "Grid_Property", kGridProperty);
    process_ = makeGrid(frameProcess, "Grid_Process", kGridProcess);
    connect(input_, &FlexGrid::characterTyped, this, &DlgProcessCalc::typed);
    connect(input_, &FlexGrid::deletePressed, this, &DlgProcessCalc::deleteSelection);

    auto* label1 = new QLabel("*: Input R. Hum. or W.B.T.", frameInput);
    label1->setObjectName("Label1");
    label1->setGeometry(kLabel1);

    auto* infoAQ = new QLabel("Dry Airflow Rate", this);
    infoAQ->setObjectName("Info_AQ");
    infoAQ->setGeometry(kInfoAQ);
    aflow_ = new QLineEdit(this);
    aflow_->setObjectName("AFLOW");
    aflow_->setGeometry(kAflow);
    connect(aflow_, &QLineEdit::textChanged, this, &DlgProcessCalc::airflowChanged);
    flowUnit_ = new QLabel(this);
    flowUnit_->setObjectName("Info_Flow_Unit");
    flowUnit_->setGeometry(kFlowUnit);

    const auto button = [this](const char* name, const char* caption, int left, int width) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setGeometry(left, kButtonTop, width, kButtonHeight);
        return b;
    };
    QPushButton* calc = button("Com_TP_Calc", "Calculate ->", kCalcButtonLeft, kCalcButtonWidth);
    int left = kCalcButtonLeft + kCalcButtonWidth + kButtonGap;
    const auto next = [&](const char* name, const char* caption) {
        QPushButton* b = button(name, caption, left, kButtonWidth);
        left += kButtonWidth + kButtonGap;
        return b;
    };
    print_ = next("Com_Print", "Print");
    QPushButton* cut = next("ComCut", "Cut");
    QPushButton* copy = next("ComCopy", "Copy");
    QPushButton* paste = next("ComPast", "Past");
    QPushButton* close = next("Com_Close", "Cl&ose");
    connect(calc, &QPushButton::clicked, this, &DlgProcessCalc::Calculate);
    connect(print_, &QPushButton::clicked, this, &DlgProcessCalc::printRequested);
    connect(cut, &QPushButton::clicked, this, &DlgProcessCalc::Cut);
    connect(copy, &QPushButton::clicked, this, &DlgProcessCalc::Copy);
    connect(paste, &QPushButton::clicked, this, &DlgProcessCalc::Paste);
    connect(close, &QPushButton::clicked, this, &DlgProcessCalc::CloseDialog);
    // Printing the tables is not connected yet.
    print_->setEnabled(false);

    // Tab order: the input table first (the keys type into it at once),
    // then Calculate, the results, the airflow and the other buttons.
    setTabOrder(input_, calc);
    setTabOrder(calc, property_);
    setTabOrder(property_, process_);
    setTabOrder(process_, aflow_);
    setTabOrder(aflow_, print_);
    setTabOrder(print_, cut);
    setTabOrder(cut, copy);
    setTabOrder(copy, paste);
    setTabOrder(paste, close);
}

void DlgProcessCalc::buildTables() {
    const UnitSystem u = data_.UnitSystem;
    ShapeGrid(*input_, 7, kInputWidths.data(), 5, 3470, 2070);
    ShapeGrid(*property_, 7, kPropertyWidths.data(), 8, 6880, 2070);
    ShapeGrid(*process_, 6, kProcessWidths.data(), 11, 10140, 1830);
    SetHeadings(*input_, InputHeadings(context_.settings.PressureUnit));
    SetHeadings(*property_, PropertyHeadings(u));
    SetHeadings(*process_, ProcessHeadings(u));
    for (int c = 0; c < input_->cols(); ++c)
        input_->setColAlignment(c, kAlignLeftCentre);
    input_->setFixedAlignment(0, kAlignLeftBottom);
    property_->setFixedAlignment(0, kAlignLeftBottom);
    for (int c = 1; c < property_->cols(); ++c)
        property_->setColAlignment(c, kAlignLeftBottom);
}

void DlgProcessCalc::showTables() {
    ShowTable(*input_, data_.input);
    ShowTable(*property_, data_.property);
    ShowTable(*process_, data_.process);
}

void DlgProcessCalc::readInputTable() {
    for (int r = 1; r <= InputTable::kRows; ++r) {
        for (int c = 1; c <= InputTable::kColumns; ++c)
            data_.input.cell(r, c) = input_->textMatrix(r, c).toStdString();
    }
}

FlexGrid* DlgProcessCalc::grid(int n) const {
    switch (n) {
    case kGridInput:
        return input_;
    case kGridProperty:
        return property_;
    case kGridProcess:
        return process_;
    default:
        return nullptr;
    }
}

GridContents DlgProcessCalc::tableContents(int n) const {
    const FlexGrid* g = grid(n);
    return g ? g->contents() : GridContents{};
}

void DlgProcessCalc::Calculate() {
    markActive();
    readInputTable();
    data_.flowText = aflow_->text().toStdString();
    bool done = false;
    {
        BusyPointer busy;
        done = hyg::Calculate(data_, context_.settings, context_.points, &context_.messenger);
    }
    showTables();
    if (done) {
        process_->setCol(0);
        process_->setRow(0);
    }
}

void DlgProcessCalc::airflowChanged(const QString& text) {
    data_.flowText = text.toStdString();
    try {
        AirflowChange(data_, context_.settings);
    } catch (const RunTimeFault&) {
        // A rate beyond the range of a single: the rows keep their values.
        context_.messenger.showMessage(kCalculateErrorText, kTitle, MessageIcon::Critical);
    }
    ShowTable(*process_, data_.process);
}

void DlgProcessCalc::typed(QChar c) {
    markActive();
    QString text = input_->text();
    if (c == QLatin1Char('\b')) {
        if (!text.isEmpty())
            text.chop(1);
    } else {
        text += c;
    }
    input_->setText(text);
}

void DlgProcessCalc::deleteSelection() {
    markActive();
    const int r0 = std::min(input_->row(), input_->rowSel()), r1 = std::max(input_->row(), input_->rowSel());
    const int c0 = std::min(input_->col(), input_->colSel()), c1 = std::max(input_->col(), input_->colSel());
    for (int r = std::max(r0, input_->fixedRows()); r <= r1; ++r) {
        for (int c = std::max(c0, input_->fixedCols()); c <= c1; ++c)
            input_->setTextMatrix(r, c, QString());
    }
}

void DlgProcessCalc::Cut() {
    try {
        if (context_.activeGrid != kGridInput) {
            context_.messenger.beep();
            return;
        }
        CutGridToClipboard(*input_);
    } catch (const RunTimeFault&) {
        ShowClipboardFailure(context_.messenger, kGridCopyCommand);
    }
}

void DlgProcessCalc::Paste() {
    try {
        if (context_.activeGrid != kGridInput) {
            context_.messenger.beep();
            return;
        }
        PasteClipboardIntoGrid(*input_);
    } catch (const RunTimeFault&) {
        ShowClipboardFailure(context_.messenger, kGridCopyCommand);
    }
}

void DlgProcessCalc::Copy() {
    try {
        if (FlexGrid* g = activeGridControl())
            CopyGridToClipboard(*g);
    } catch (const RunTimeFault&) {
        ShowClipboardFailure(context_.messenger, kGridCopyCommand);
    }
}

void DlgProcessCalc::CloseDialog() {
    // The rate as the field shows it, also when fewer than two states left
    // the airflow change idle (a typed rate is not lost); a text beyond the
    // range of a single keeps the last rate.
    try {
        data_.FlowRate = FlowOf(aflow_->text());
    } catch (const RunTimeFault&) {
    }
    try {
        context_.settings.DryAirflowRate = Sgl(
            Div(data_.FlowRate, FlowFactor(data_.UnitSystem), "dry airflow rate"), "dry airflow rate");
    } catch (const RunTimeFault&) {
        // No unit system to convert with: the stored rate stays.
    }
    accept();
}

void DlgProcessCalc::markActive() const {
    if (context_.activated)
        context_.activated();
}

void DlgProcessCalc::mouseReleaseEvent(QMouseEvent* event) {
    markActive();
    QDialog::mouseReleaseEvent(event);
}

} // namespace hyg
