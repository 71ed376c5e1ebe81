// A main window for the tests: scripted dialogs, a fixed size, shown
// headless; whole files; mouse events sent straight to a widget.
#pragma once

#include "qt_window/main_window.h"
#include "tests/qt_window/scripted_dialogs.h"
#include "tests/qt_window/settings_text.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace hyg::test {

struct WindowFixture {
    ScriptedDialogs dialogs;
    std::unique_ptr<MdiDiagram> window = std::make_unique<MdiDiagram>(&dialogs);

    explicit WindowFixture(QSize size = QSize(1000, 700), bool show = true) {
        window->resize(size);
        if (show && (window->show(), !QTest::qWaitForWindowExposed(window.get())))
            qWarning("the test window was not exposed");
    }
    ChartSettings& settings() { return window->settings(); }
    Session& session() { return window->session(); }
    ChartPicture* picture() { return window->viewport().picture(); }
    // The menu action of a control name ("MnuGraphComIn"), or null.
    QAction* action(const QString& name) const { return window->findChild<QAction*>(name); }
    void trigger(const char* name) { QVERIFY2(action(name), name); action(name)->trigger(); }
};

// The whole file, or nothing if it cannot be read; and a whole file written.
inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
inline bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A mouse event of `button` with `buttons` held (none after a release; a move has no button of its own).
inline void Mouse(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButton button = Qt::LeftButton,
                  Qt::MouseButtons buttons = Qt::LeftButton) {
    QMouseEvent e(type, pos, w->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace hyg::test
