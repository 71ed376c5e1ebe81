// The hourglass pointer for the length of a command.
#pragma once

#include <QApplication>
#include <QCursor>

namespace hyg {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { release(); }
    // Back to the default pointer before the end of the scope.
    void release() {
        if (active_)
            QApplication::restoreOverrideCursor();
        active_ = false;
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool active_ = true;
};

} // namespace hyg
