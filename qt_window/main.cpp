// Start-up: one copy per user session, the "DATA" folder beside the program
// as the working folder, then the main window.
//
// HYGRANA_QUIT_AFTER_SHOW=1 ends the program as soon as the first window is
// shown and prints the time from entering main to that moment (start-up
// measurements). HYGRANA_VIEW_LOG=file logs what the chart view shows,
// for tests that drive the program from outside.

#include "qt_window/main_window.h"
#include "qt_window/single_instance.h"
#include "qt_window/start_options.h"
#include "qt_window/view_log.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    if (const auto status = hyg::HandleStartOptions(argc, argv))
        return *status;
    QApplication app(argc, argv);
    if (const auto status = hyg::RefuseLeftoverArguments(argc, argv))
        return *status;
    QApplication::setApplicationVersion(HYGRANA_VERSION);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName("org.hygrana.Hygrana");
    // The application title, as message boxes that give no title of their
    // own would show it; the window keeps its own title.
    QApplication::setApplicationName("Ventaro");

    // A second start brings the first window forward and ends.
    hyg::SingleInstance instance(hyg::SingleInstance::DefaultKey());
    if (instance.claimOrNotify())
        return 0;

    // The working folder: "DATA" inside the program's folder, when it exists.
    const QDir data(QDir(QCoreApplication::applicationDirPath()).filePath("DATA"));
    if (data.exists())
        QDir::setCurrent(data.absolutePath());

    hyg::MdiDiagram window;
    QObject::connect(&instance, &hyg::SingleInstance::activationRequested, &window, &hyg::MdiDiagram::bringToFront);
    if (const QString log = qEnvironmentVariable("HYGRANA_VIEW_LOG"); !log.isEmpty())
        new hyg::ViewLog(window, log);
    window.show();

    if (qEnvironmentVariableIntValue("HYGRANA_QUIT_AFTER_SHOW") != 0) {
        QTimer::singleShot(0, &app, [&] {
            std::fprintf(stderr, "first window shown after %.1f ms\n", clock.nsecsElapsed() / 1e6);
            QApplication::exit(0);
        });
    }
    return QApplication::exec();
}
