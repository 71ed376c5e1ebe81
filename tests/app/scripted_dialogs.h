// A UserDialogs that answers from queues filled by the test and records every
// message, question and beep, so the commands run headless without a modal
// loop. An empty answer queue means "cancel" for file names and printers and
// "No" for questions.
#pragma once

#include "app/user_dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace hyg::test {

class ScriptedDialogs : public UserDialogs {
public:
    struct Message {
        std::string text;
        std::string title;
        MessageIcon icon;
        bool defaultNo = false; // questions only
    };

    // Answers, consumed in order; std::nullopt cancels a file dialog.
    std::deque<std::optional<std::string>> saveNames;
    std::deque<std::optional<std::string>> openNames;
    std::deque<bool> yesNoAnswers;
    std::deque<bool> printerAnswers;

    // What the commands asked and said.
    std::vector<FileDialogRequest> saveRequests;
    std::vector<FileDialogRequest> openRequests;
    std::vector<Message> questions;
    std::vector<Message> messages;
    int beeps = 0;
    int printerRequests = 0;

    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }
    void beep() override { ++beeps; }
    std::optional<std::string> askSaveFileName(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return Take(saveNames, std::optional<std::string>());
    }
    std::optional<std::string> askOpenFileName(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return Take(openNames, std::optional<std::string>());
    }
    bool askYesNo(const std::string& text, const std::string& title, MessageIcon icon, bool defaultNo) override {
        questions.push_back({text, title, icon, defaultNo});
        return Take(yesNoAnswers, false);
    }
    bool askPrinter() override {
        ++printerRequests;
        return Take(printerAnswers, false);
    }

    // The text of the last message, or "" when none was shown.
    std::string lastMessage() const { return messages.empty() ? std::string() : messages.back().text; }

private:
    template <class T>
    static T Take(std::deque<T>& answers, T none) {
        if (answers.empty()) return none;
        T a = std::move(answers.front());
        answers.pop_front();
        return a;
    }
};

} // namespace hyg::test
