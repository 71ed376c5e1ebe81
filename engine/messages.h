// The one way the engine and the chart speak to the user: a modal message
// box, and the system beep. The window gives a Qt implementation; tests and
// the command line give their own.
#pragma once

#include <string>

namespace hyg {

enum class MessageIcon { None, Exclamation, Question, Critical, Information };

class Messenger {
public:
    virtual ~Messenger() = default;
    // A modal message box with one OK button.
    virtual void showMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // The system beep.
    virtual void beep() = 0;
};

// Titles of the message boxes.
inline constexpr const char* kTitle = "Hygrana";    // most boxes
inline constexpr const char* kAppTitle = "Ventaro"; // boxes that give no title of their own

} // namespace hyg
