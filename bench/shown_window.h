// Shared set-up of the window benchmarks: one application object on the
// offscreen platform (unless one is set) and a main window of 1280 x 800
// shown and exposed, with scripted answers to its dialogs.
#pragma once

#include "qt_window/main_window.h"
#include "tests/qt_window/scripted_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

namespace hyg::bench {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "hygrana-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

struct ShownWindow {
    QApplication& app = App(); // first: the widgets need it
    test::ScriptedDialogs dialogs;
    MdiDiagram window{&dialogs};
    ShownWindow() {
        window.resize(1280, 800);
        window.show();
        QElapsedTimer t;
        t.start();
        do {
            QApplication::processEvents();
        } while (!(window.windowHandle() && window.windowHandle()->isExposed()) && t.elapsed() < 2000);
    }
};

} // namespace hyg::bench
