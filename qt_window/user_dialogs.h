// Every modal question the commands ask the user goes through this one
// interface: a file name to save or open, a printer, yes or no, a message.
// The window gives a Qt implementation (qt_window/qt_user_dialogs.h); tests give a
// scripted one (tests/qt_window/scripted_dialogs.h) so every command runs headless
// and every message text can be checked.
#pragma once

#include "engine/messages.h"

#include <optional>
#include <string>

class QPrinter;

namespace hyg {

struct FileDialogRequest {
    std::string title;           // dialog caption
    std::string proposedName;    // e.g. "corvane.dat"
    std::string filter;          // e.g. "Data Files | *.dat"
    bool promptOverwrite = true; // ask before replacing an existing file (save)
    bool mustExist = false;      // the file must exist (open)
};

class UserDialogs : public Messenger {
public:
    // The chosen file name, or nothing when the user cancels.
    virtual std::optional<std::string> askSaveFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> askOpenFileName(const FileDialogRequest& request) = 0;
    // Yes or No; `defaultNo` makes No the default button.
    virtual bool askYesNo(const std::string& text, const std::string& title, MessageIcon icon, bool defaultNo) = 0;
    // The print dialog over `printer`: true when the user chose a printer
    // (or a file) and pressed Print; `printer` is then set up for the job.
    virtual bool askPrinter(QPrinter& printer) = 0;
};

// "Sorry, failed " + name + " command." with the exclamation icon, title "Hygrana".
inline void ShowCommandFailure(Messenger& ui, const std::string& commandName) {
    ui.showMessage("Sorry, failed " + commandName + " command.", kTitle, MessageIcon::Exclamation);
}

} // namespace hyg
