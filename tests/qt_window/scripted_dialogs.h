// A UserDialogs that answers from queues filled by the test and records every
// message and question, so the commands run headless without a modal loop.
// An empty queue means "cancel" for file names and the print dialog, and
// "No" for questions.
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
    struct Message {
        std::string text, title;
        MessageIcon icon;
        bool defaultNo = false; // questions only
    };

    // Answers, consumed in order; std::nullopt cancels a file dialog. A printer answer sets up the
    // printer as the user would in the print dialog (PrintToPdf below); false cancels.
    std::deque<std::optional<std::string>> saveNames, openNames;
    std::deque<bool> yesNoAnswers;
    std::deque<std::function<bool(QPrinter&)>> printerAnswers;
    int printerRequests = 0;

    // What the commands asked and said.
    std::vector<FileDialogRequest> saveRequests, openRequests;
    std::vector<Message> questions, messages;

    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }
    void beep() override {}
    std::optional<std::string> askSaveFileName(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return Take(saveNames);
    }
    std::optional<std::string> askOpenFileName(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return Take(openNames);
    }
    bool askYesNo(const std::string& text, const std::string& title, MessageIcon icon, bool defaultNo) override {
        questions.push_back({text, title, icon, defaultNo});
        return Take(yesNoAnswers);
    }
    bool askPrinter(QPrinter& printer) override {
        ++printerRequests;
        auto answer = Take(printerAnswers);
        return answer ? answer(printer) : false;
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
        if (answers.empty())
            return T{};
        T a = std::move(answers.front());
        answers.pop_front();
        return a;
    }
};

} // namespace hyg::test
