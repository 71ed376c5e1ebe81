// The one guard every user command runs under: menu items, tool-bar buttons
// and the settings dialogs they open. Qt does not let an exception pass
// through its event loop, so nothing a command throws may leave it.
//
// - One of our typed faults (RunTimeFault and its kinds: a floating-point,
//   index, overflow or I/O fault) ends the command with the failure message
//   "Sorry, failed <name> command.".
// - Running out of memory ends it with the same message; the command's work
//   is abandoned, the program goes on.
// - Anything else is a programming error. The guard is noexcept, so such an
//   exception stops the program at once with its type and text on standard
//   error, at the point where it was thrown (a core dump shows the cause),
//   instead of being reported as if the user's input were to blame.
#pragma once

#include "engine/messages.h"

#include <functional>
#include <string>

namespace hyg {

// Runs `command`; returns true when it ran to its end.
bool RunCommand(Messenger& ui, const std::string& name, const std::function<void()>& command) noexcept;

} // namespace hyg
