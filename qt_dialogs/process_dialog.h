// The process dialog DlgProcessCalc "Calcurate Air Conditioning": up to six
// air states typed or pasted into the input table, their properties, the
// processes between consecutive states for a dry airflow rate, and the
// exchange of table blocks with other programs through the text clipboard.
//
// The calculation itself is the plain-data one of process/process_calc.h;
// the dialog shows its tables in three grids and passes the user's cells in.
//
// Controls (object names): Grid_Input, Grid_Property, Grid_Process (in the
// frames Frame_Input, Frame_Property, Frame_Process), Label1, Info_AQ,
// AFLOW, Info_Flow_Unit, Com_TP_Calc, Com_Print, ComCut, ComCopy, ComPast,
// Com_Close.
#pragma once

#include "chart/chart_settings.h"
#include "engine/messages.h"
#include "engine/state_points.h"
#include "process/process_calc.h"
#include "qt_dialogs/flex_grid.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace hyg {

// The window caption.
inline constexpr const char* kProcessDialogCaption = "Calcurate Air Conditioning";
// ActiveGrid values: the table last clicked.
inline constexpr std::int16_t kGridInput = 1;
inline constexpr std::int16_t kGridProperty = 2;
inline constexpr std::int16_t kGridProcess = 3;

// What the dialog shares with the rest of the program; all of it outlives
// the dialog.
struct ProcessDialogContext {
    ChartSettings& settings;  // DryAirflowRate is stored at Close
    StatePointList& points;   // restored at opening, replaced by Calculate
    std::int16_t& activeGrid; // ActiveGrid
    Messenger& messenger;     // range and error messages, the beep
    // Called whenever the user works in the dialog (opening, Calculate,
    // typing, a click in a table or on the dialog): ActiveView becomes "Process".
    std::function<void()> activated;
};

// "Sorry !", CR, "Error occured on " + command name + "." (exclamation icon,
// title "Hygrana"): the failure message of the clipboard commands.
void ShowClipboardFailure(Messenger& messenger, const std::string& commandName);
// The command name the dialog's Cut, Copy and Past report.
inline constexpr const char* kGridCopyCommand = "Copy command in Grid Copy";

// The copy routine: the selected block of `grid` and one CR after it on the
// clipboard as plain text; the grid's scroll position stays.
void CopyGridToClipboard(FlexGrid& grid);
// The cut routine: the copy routine, then every cell of the block emptied.
void CutGridToClipboard(FlexGrid& grid);
// The paste routine: the clipboard text into `grid` from its current cell.
// A text without CR pastes nothing; line feeds are dropped (a CR LF line end
// counts once). Raises IndexFault, changing nothing, when the block would
// reach beyond the grid.
void PasteClipboardIntoGrid(FlexGrid& grid);

class DlgProcessCalc : public QDialog {
    Q_OBJECT
public:
    // Opens: builds the tables, restores the state-point list into them and
    // computes them again, shows the airflow rate. Range messages may appear.
    DlgProcessCalc(ProcessDialogContext context, QWidget* parent = nullptr);
    ~DlgProcessCalc() override;

    // The table of an ActiveGrid value (1 input, 2 property, 3 process), or
    // null for any other value.
    FlexGrid* grid(int n) const;
    // Everything shown in table n, for printing and export (empty for any
    // other n).
    GridContents tableContents(int n) const;
    // The table last clicked (ActiveGrid) and its grid, or null.
    std::int16_t activeGrid() const { return context_.activeGrid; }
    FlexGrid* activeGridControl() const { return grid(context_.activeGrid); }

    QLineEdit* airflowField() const { return aflow_; }
    QLabel* flowUnitLabel() const { return flowUnit_; }
    QPushButton* printButton() const { return print_; }
    const ProcessData& data() const { return data_; }

    // The buttons' commands.
    void Calculate();
    void Cut();
    void Copy();
    void Paste();
    void CloseDialog();

signals:
    // The Print button (the printing of the tables connects here).
    void printRequested();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void buildTables();
    void showTables();
    void readInputTable();
    void airflowChanged(const QString& text);
    void typed(QChar c);
    void deleteSelection();
    void markActive() const;

    ProcessDialogContext context_;
    ProcessData data_;
    FlexGrid* input_ = nullptr;
    FlexGrid* property_ = nullptr;
    FlexGrid* process_ = nullptr;
    QLabel* flowUnit_ = nullptr;
    QLineEdit* aflow_ = nullptr;
    QPushButton* print_ = nullptr;
};

} // namespace hyg
