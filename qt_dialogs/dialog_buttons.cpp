#include "qt_dialogs/dialog_buttons.h"

#include <QDialog>
#include <QPushButton>

#include <utility>

namespace hyg {

OkCancelButtons MakeOkCancelButtons(QDialog& dialog, std::function<void()> store) {
    OkCancelButtons b;
    b.ok = new QPushButton("OK", &dialog);
    b.ok->setObjectName("Com_OK");
    b.ok->setDefault(true);
    b.cancel = new QPushButton("Cancel", &dialog);
    b.cancel->setObjectName("Com_Cancel");
    QObject::connect(b.ok, &QPushButton::clicked, &dialog, [&dialog, store = std::move(store)] {
        store();
        dialog.accept();
    });
    QObject::connect(b.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return b;
}

} // namespace hyg
