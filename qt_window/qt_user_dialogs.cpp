#include "qt_window/qt_user_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace hyg {

namespace {

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QString Q(const std::string& s) {
    return QString::fromUtf8(s.c_str(), static_cast<int>(s.size()));
}

// Runs a message box with the arrow pointer: a message shown in the middle of
// a command (the top-humidity notice during a drawing) would otherwise wear
// the command's hourglass while it waits for the user.
int ExecWithArrow(QMessageBox& box) {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    QApplication::restoreOverrideCursor();
    return answer;
}

// Runs a file dialog with the proposed name in the working folder.
std::optional<std::string> AskFile(QWidget* parent, const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent, Q(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile
                            : (request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    dialog.setDirectory(QDir::current());
    const QStringList filters = NameFiltersOf(request.filter);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
    if (!request.proposedName.empty())
        dialog.selectFile(Q(request.proposedName));
    if (!request.promptOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    return files.first().toStdString();
}

} // namespace

QStringList NameFiltersOf(const std::string& filter) {
    // Pairs of description and pattern separated by "|". "*.*" means every
    // file; here it would pass only names with a dot, so it becomes "*".
    const QStringList parts = Q(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = parts[i + 1].trimmed();
        out << parts[i].trimmed() + " (" + (pattern == "*.*" ? QStringLiteral("*") : pattern) + ")";
    }
    if (out.isEmpty() && !parts.isEmpty() && !parts.first().trimmed().isEmpty())
        out << parts.first().trimmed();
    return out;
}

void QtUserDialogs::showMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    QMessageBox box(QtIcon(icon), Q(title), Q(text), QMessageBox::Ok, parent_);
    ExecWithArrow(box);
}

void QtUserDialogs::beep() {
    QApplication::beep();
}

std::optional<std::string> QtUserDialogs::askSaveFileName(const FileDialogRequest& request) {
    return AskFile(parent_, request, true);
}

std::optional<std::string> QtUserDialogs::askOpenFileName(const FileDialogRequest& request) {
    return AskFile(parent_, request, false);
}

bool QtUserDialogs::askYesNo(const std::string& text, const std::string& title, MessageIcon icon, bool defaultNo) {
    QMessageBox box(QtIcon(icon), Q(title), Q(text), QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return ExecWithArrow(box) == QMessageBox::Yes;
}

bool QtUserDialogs::askPrinter(QPrinter& printer) {
    // Every printer the system knows, and printing to a PDF file; the job is
    // always the whole document, so no selection and no page range.
    QPrintDialog dialog(&printer, parent_);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = dialog.exec();
    QApplication::restoreOverrideCursor();
    return answer == QDialog::Accepted;
}

} // namespace hyg
