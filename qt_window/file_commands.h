// The file commands of the main window: Save File... and Open File... (the
// data file "corvane.dat") and Ou&tPut... (the HPGL plot file
// "corvane.pgl"). Every question and message goes through UserDialogs.
// A fault (a failed write, a failed dialog) leaves the command and is
// reported by the window's command guard ("Sorry, failed 'Save...' command.").
#pragma once

#include "qt_window/session.h"
#include "qt_window/user_dialogs.h"

namespace hyg {

class FileCommands {
public:
    FileCommands(Session& session, UserDialogs& dialogs)
        : session_(session)
        , dialogs_(dialogs) {}

    // Writes the settings and the state points to a data file the user names.
    void SaveFile();
    // Reads a data file back; a file that does not match is refused with a
    // message naming its line, and nothing changes. True when a file was loaded.
    bool OpenFile();
    // Writes the chart as an HPGL plot file the user names.
    void PlotOutput();

    // The dialog requests, as the commands make them.
    static FileDialogRequest SaveRequest();
    static FileDialogRequest OpenRequest();
    static FileDialogRequest PlotRequest();

private:
    Session& session_;
    UserDialogs& dialogs_;
};

} // namespace hyg
