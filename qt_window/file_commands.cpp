#include "qt_window/file_commands.h"

#include "files/data_file.h"
#include "qt_window/wait_cursor.h"
#include "files/plot_file.h"

#include <exception>

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
    std::optional<std::string> name;
    try {
        name = dialogs_.askSaveFileName(SaveRequest());
    } catch (const std::exception&) {
        ShowCommandFailure(dialogs_, "'Save...'");
        return;
    }
    if (!name)
        return; // cancelled: silent
    WaitCursor wait;
    try {
        WriteDataFile(*name, session_.chart.settings, session_.statePoints);
    } catch (const std::exception&) {
        wait.release();
        ShowCommandFailure(dialogs_, "'Save...'");
    }
}

bool FileCommands::OpenFile() {
    std::optional<std::string> name;
    try {
        name = dialogs_.askOpenFileName(OpenRequest());
    } catch (const std::exception&) {
        ShowCommandFailure(dialogs_, "'Open...'");
        return false;
    }
    if (!name)
        return false;
    WaitCursor wait;
    std::string error;
    try {
        error = ReadDataFile(*name, session_.chart.settings, session_.statePoints);
    } catch (const std::exception&) {
        wait.release();
        ShowCommandFailure(dialogs_, "'Open...'");
        return false;
    }
    wait.release();
    if (!error.empty()) {
        dialogs_.showMessage(error, kTitle, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void FileCommands::PlotOutput() {
    std::optional<std::string> name;
    try {
        name = dialogs_.askSaveFileName(PlotRequest());
    } catch (const std::exception&) {
        ShowCommandFailure(dialogs_, "'Save...'");
        return;
    }
    if (!name)
        return;
    WaitCursor wait;
    try {
        WritePlotFile(*name, session_.chart, &dialogs_);
    } catch (const std::exception&) {
        wait.release();
        ShowCommandFailure(dialogs_, "'Save...'");
    }
}

} // namespace hyg
