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
    };
    struct Question {
        std::string text;
        std::string title;
        MessageIcon icon;
        bool defaultNo;
    };

    // --- answers, consumed in order ---------------------------------------
    // A file name for the next save/open dialog; std::nullopt cancels it.
    std::deque<std::optional<std::string>> saveNames;
    std::deque<std::optional<std::string>> openNames;
    std::deque<bool> yesNoAnswers;
    std::deque<bool> printerAnswers;

    // --- what the commands asked and said ---------------------------------
    std::vector<FileDialogRequest> saveRequests;
    std::vector<FileDialogRequest> openRequests;
    std::vector<Question> questions;
    std::vector<Message> messages;
    int beeps = 0;
    int printerRequests = 0;

    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }
    void beep() override { ++beeps; }

    std::optional<std::string> askSaveFileName(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return take(saveNames);
    }
    std::optional<std::string> askOpenFileName(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return take(openNames);
    }
    bool askYesNo(const std::string& text, const std::string& title, MessageIcon icon, bool defaultNo) override {
        questions.push_back({text, title, icon, defaultNo});
        if (yesNoAnswers.empty()) return false;
        bool a = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return a;
    }
    bool askPrinter() override {
        ++printerRequests;
        if (printerAnswers.empty()) return false;
        bool a = printerAnswers.front();
        printerAnswers.pop_front();
        return a;
    }

    // The text of the last message, or "" when none was shown.
    std::string lastMessage() const { return messages.empty() ? std::string() : messages.back().text; }

    void clearRecords() {
        saveRequests.clear();
        openRequests.clear();
        questions.clear();
        messages.clear();
        beeps = 0;
        printerRequests = 0;
    }

private:
    static std::optional<std::string> take(std::deque<std::optional<std::string>>& q) {
        if (q.empty()) return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

} // namespace hyg::test
