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
OkCancelButtons MakeOkCancelButtons(QDialog& dialog, std::function<void()> store);

} // namespace hyg
