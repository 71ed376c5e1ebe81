// The commands that hand the chart and the process tables to the world
// outside: File > Print... (the chart page), the process dialog's Print
// (the three tables), Chart > Save Picture... ("corvane.bmp", also PNG, SVG
// and PDF) and Edit > Copy (the chart, or the process table last clicked).
// Every question and message goes through UserDialogs. Print and Save
// Picture raise RunTimeFault when the job or the file fails (the window's
// command guard turns it into "Sorry, failed 'Print...' command." or
// "'Save Graph...'"); Copy reports its own failure as the clipboard
// commands do.
#pragma once

#include "qt_render/chart_on_screen.h"
#include "qt_render/table_printing.h"
#include "qt_window/session.h"
#include "qt_window/user_dialogs.h"

#include <functional>
#include <vector>

namespace hyg {

class ChartPicture;
class DlgProcessCalc;
class DrawCommands;
struct GridContents;

// A table of the process dialog as the printer takes it.
PrintTable PrintTableOf(const GridContents& grid, std::string title);
// The dialog's three tables: "Input Data", "Properties", "Process".
std::vector<PrintTable> ProcessPrintTables(const DlgProcessCalc& dialog);

class OutputCommands {
public:
    OutputCommands(Session& session, ChartPicture& picture, DrawCommands& draw, UserDialogs& dialogs);

    // File > Print...: the print dialog, then the chart page when the chart
    // is the active view (nothing when the process dialog is).
    void Print();
    // The process dialog's Print: the print dialog, then the tables.
    void PrintTables(const std::vector<PrintTable>& tables);
    // Chart > Save Picture...
    void SavePicture();
    // Edit > Copy: the chart picture, or the process dialog's copy routine.
    void Copy();

    // The copy routine on the process dialog's last clicked table, while the
    // dialog is open (it clears this when it closes).
    void setProcessCopy(std::function<void()> copy) { processCopy_ = std::move(copy); }
    // Wires an open process dialog: its Print button prints its tables (a
    // failed job gives "Sorry, failed 'Print' command."), and Copy runs its
    // copy routine on the table last clicked until the dialog goes.
    void attachProcessDialog(DlgProcessCalc& dialog);

    // What the chart window shows, for the outputs that draw it again.
    ChartOnScreen chartOnScreen() const;

    static FileDialogRequest SavePictureRequest();

private:
    Session& session_;
    ChartPicture& picture_;
    DrawCommands& draw_;
    UserDialogs& dialogs_;
    std::function<void()> processCopy_;
};

} // namespace hyg
