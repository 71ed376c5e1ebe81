// A UserDialogs that answers from queues filled by the test and records every
// message and question, so the commands run headless without a modal loop.
// An empty queue cancels a file or print dialog and answers "No".
#pragma once

#include "qt_window/user_dialogs.h"

#include <QPrinter>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace hyg::test {

class ScriptedDialogs : public UserDialogs {
public:
    struct Message { // defaultNo for questions only
        std::string text, title;
        MessageIcon icon;
        bool defaultNo = false;
    };
    // Answers, taken in order: std::nullopt cancels a file dialog; a printer answer sets the printer up as
    // the user would in the print dialog (PrintToPdf), false cancels.
    std::deque<std::optional<std::string>> saveNames, openNames;
    std::deque<bool> yesNoAnswers;
    std::deque<std::function<bool(QPrinter&)>> printerAnswers;
    // What the commands asked and said.
    int printerRequests = 0;
    std::vector<FileDialogRequest> saveRequests, openRequests;
    std::vector<Message> questions, messages;

    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }
    void beep() override {}
    std::optional<std::string> askSaveFileName(const FileDialogRequest& r) override {
        return saveRequests.push_back(r), Take(saveNames);
    }
    std::optional<std::string> askOpenFileName(const FileDialogRequest& r) override {
        return openRequests.push_back(r), Take(openNames);
    }
    bool askYesNo(const std::string& text, const std::string& title, MessageIcon icon, bool defaultNo) override {
        return questions.push_back({text, title, icon, defaultNo}), Take(yesNoAnswers);
    }
    bool askPrinter(QPrinter& printer) override {
        const auto answer = (++printerRequests, Take(printerAnswers));
        return answer && answer(printer);
    }
    // An answer that prints to the PDF file `path` at `dpi`.
    static std::function<bool(QPrinter&)> PrintToPdf(std::string path, int dpi = 600) {
        return [path = std::move(path), dpi](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(QString::fromStdString(path));
            p.setResolution(dpi);
            return true;
        };
    }

private:
    template <class T> static T Take(std::deque<T>& answers) {
        T a = answers.empty() ? T{} : std::move(answers.front());
        return answers.empty() ? a : (answers.pop_front(), a);
    }
};

} // namespace hyg::test
