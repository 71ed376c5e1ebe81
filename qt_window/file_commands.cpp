#include "qt_window/file_commands.h"

#include "files/data_file.h"
#include "files/plot_file.h"
#include "qt_window/wait_cursor.h"

namespace hyg {

FileDialogRequest FileCommands::SaveRequest() {
    return FileDialogRequest{"Save File", "corvane.dat", "Data Files | *.dat", true, false};
}

FileDialogRequest FileCommands::OpenRequest() {
    return FileDialogRequest{"Open File", "", "All Files | *.*|Data Files | *.dat", false, true};
}

FileDialogRequest FileCommands::PlotRequest() {
    return FileDialogRequest{"OutPut", "corvane.pgl", "HPGL Files | *.pgl", true, false};
}

void FileCommands::SaveFile() {
    const std::optional<std::string> name = dialogs_.askSaveFileName(SaveRequest());
    if (!name)
        return; // cancelled: silent
    WaitCursor wait;
    WriteDataFile(*name, session_.chart.settings, session_.statePoints);
}

bool FileCommands::OpenFile() {
    const std::optional<std::string> name = dialogs_.askOpenFileName(OpenRequest());
    if (!name)
        return false;
    WaitCursor wait;
    const std::optional<DataFileRefusal> refusal = ReadDataFile(*name, session_.chart.settings, session_.statePoints);
    wait.release();
    if (refusal) {
        dialogs_.showMessage(refusal->message, kTitle, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void FileCommands::PlotOutput() {
    const std::optional<std::string> name = dialogs_.askSaveFileName(PlotRequest());
    if (!name)
        return;
    WaitCursor wait;
    WritePlotFile(*name, session_.chart, &dialogs_);
}

} // namespace hyg
