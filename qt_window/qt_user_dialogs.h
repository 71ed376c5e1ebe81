// The user dialogs of the desktop: Qt file dialogs, message boxes, the
// printer dialog and the system beep.
#pragma once

#include "qt_window/user_dialogs.h"

#include <QStringList>

class QWidget;

namespace hyg {

class QtUserDialogs : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* parent = nullptr)
        : parent_(parent) {}

    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    void beep() override;
    std::optional<std::string> askSaveFileName(const FileDialogRequest& request) override;
    std::optional<std::string> askOpenFileName(const FileDialogRequest& request) override;
    bool askYesNo(const std::string& text, const std::string& title, MessageIcon icon, bool defaultNo) override;
    bool askPrinter(QPrinter& printer) override;

private:
    QWidget* parent_;
};

// "Data Files | *.dat" or "All Files | *.*|Data Files | *.dat" (the common
// dialog's description|pattern pairs) as a Qt name filter list, the first
// entry first.
QStringList NameFiltersOf(const std::string& filter);

} // namespace hyg
