// A messenger for tests: keeps every box and beep in the order they came.
#pragma once

#include "engine/messages.h"

#include <string>
#include <vector>

namespace hyg::test {

struct Shown {
    std::string text, title;
    MessageIcon icon;
};

struct RecordingMessenger : Messenger {
    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        shown.push_back({text, title, icon}), events.push_back("box");
    }
    void beep() override { events.push_back("beep"); }
    std::vector<Shown> shown;
    std::vector<std::string> events; // "beep" and "box"
};

} // namespace hyg::test
