// What the program settles before it opens a display: --help and --version,
// and a one-line explanation instead of Qt's platform-plugin failure when it
// is started where there is no display (over ssh, from a cron job).
#pragma once

#include <optional>

namespace hyg {

// Returns the exit status when the program ends here (0 after --help or
// --version, 1 without a display), otherwise nothing.
std::optional<int> HandleStartOptions(int argc, char** argv);

// After Qt has taken its own options (-platform, -style, ...) out of argv:
// any argument left is one the program does not take. Returns 2 after
// saying so, otherwise nothing.
std::optional<int> RefuseLeftoverArguments(int argc, char** argv);

} // namespace hyg
