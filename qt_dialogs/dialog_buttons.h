// The OK and Cancel buttons the settings dialogs end with.
#pragma once

#include <functional>

class QDialog;
class QPushButton;

namespace hyg {

struct OkCancelButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

// Makes "OK" (Com_OK, the default button) and "Cancel" (Com_Cancel) on
// `dialog`: OK runs `store` and accepts; Cancel rejects and stores nothing.
//
// `store` runs inside the dialog's event loop, which no exception may pass.
// When one of our faults (or running out of memory) stops it, the dialog
// closes as rejected and keeps the fault; the command that ran the dialog
// raises it again with RethrowStoreFault, under its own guard.
OkCancelButtons MakeOkCancelButtons(QDialog& dialog, std::function<void()> store);

// Raises the fault that stopped OK's `store`, if any.
void RethrowStoreFault(const QDialog& dialog);

} // namespace hyg
