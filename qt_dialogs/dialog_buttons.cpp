#include "qt_dialogs/dialog_buttons.h"

#include "engine/fault.h"

#include <QDialog>
#include <QPushButton>

#include <exception>
#include <new>
#include <utility>

namespace hyg {

namespace {

// The fault that stopped a dialog's OK, kept as a child of the dialog.
class StoreFault : public QObject {
    Q_OBJECT
public:
    StoreFault(QObject* parent, std::exception_ptr fault)
        : QObject(parent)
        , fault_(std::move(fault)) {}
    [[noreturn]] void rethrow() const { std::rethrow_exception(fault_); }

private:
    std::exception_ptr fault_;
};

} // namespace

OkCancelButtons MakeOkCancelButtons(QDialog& dialog, std::function<void()> store) {
    OkCancelButtons b;
    b.ok = new QPushButton("OK", &dialog);
    b.ok->setObjectName("Com_OK");
    b.ok->setDefault(true);
    b.cancel = new QPushButton("Cancel", &dialog);
    b.cancel->setObjectName("Com_Cancel");
    QObject::connect(b.ok, &QPushButton::clicked, &dialog, [&dialog, store = std::move(store)] {
        try {
            store();
        } catch (const RunTimeFault&) {
            new StoreFault(&dialog, std::current_exception());
            dialog.reject();
            return;
        } catch (const std::bad_alloc&) {
            new StoreFault(&dialog, std::current_exception());
            dialog.reject();
            return;
        }
        dialog.accept();
    });
    QObject::connect(b.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return b;
}

void RethrowStoreFault(const QDialog& dialog) {
    if (const auto* fault = dialog.findChild<StoreFault*>(QString(), Qt::FindDirectChildrenOnly))
        fault->rethrow();
}

} // namespace hyg

#include "dialog_buttons.moc"
