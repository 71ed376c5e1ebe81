#include "qt_window/command_guard.h"

#include "engine/fault.h"
#include "qt_window/user_dialogs.h"

#include <cstdio>
#include <new>

namespace hyg {

bool RunCommand(Messenger& ui, const std::string& name, const std::function<void()>& command) noexcept {
    const char* what = nullptr;
    try {
        command();
        return true;
    } catch (const RunTimeFault& fault) {
        what = fault.what();
        std::fprintf(stderr, "hygrana: %s failed: %s\n", name.c_str(), what);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "hygrana: %s failed: out of memory\n", name.c_str());
    }
    // The hourglass of the command is gone with its scope; the message box
    // shows the arrow.
    ShowCommandFailure(ui, name);
    return false;
}

} // namespace hyg
