// Speed of the main window: Draw/Redraw of the default chart at the fitted
// size of a 1280 x 800 window, a zoom by ten, and building and showing the
// main window. Headless (offscreen platform unless one is set).
#include "qt_window/main_window.h"
#include "tests/qt_window/scripted_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "bench_qt_app";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

struct Shown {
    hyg::test::ScriptedDialogs dialogs;
    hyg::MdiDiagram window{&dialogs};
    Shown() {
        window.resize(1280, 800);
        window.show();
        QElapsedTimer t;
        t.start();
        do {
            QApplication::processEvents();
        } while (!(window.windowHandle() && window.windowHandle()->isExposed()) && t.elapsed() < 2000);
    }
};

void BM_DrawRedraw(benchmark::State& state) {
    App();
    Shown s;
    s.window.drawCommands().DrawRedraw(); // the first drawing fits the canvas
    for (auto _ : state) {
        s.window.drawCommands().DrawRedraw();
        benchmark::DoNotOptimize(s.window.viewport().picture()->image().constBits());
    }
    state.counters["canvas_w_px"] = s.window.viewport().picture()->widthPixels();
    state.counters["canvas_h_px"] = s.window.viewport().picture()->heightPixels();
}
BENCHMARK(BM_DrawRedraw)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ZoomInByTen(benchmark::State& state) {
    App();
    Shown s;
    s.window.drawCommands().DrawRedraw();
    for (auto _ : state) {
        state.PauseTiming();
        s.window.drawCommands().FitView();
        auto& ses = s.window.session();
        ses.DragStartX = ses.DragEndX = 2000;
        ses.DragStartY = ses.DragEndY = 1500;
        state.ResumeTiming();
        s.window.drawCommands().ZoomIn();
    }
    state.counters["canvas_w_px"] = s.window.viewport().picture()->widthPixels();
}
BENCHMARK(BM_ZoomInByTen)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_BuildAndShowWindow(benchmark::State& state) {
    App();
    for (auto _ : state) {
        Shown s;
        benchmark::DoNotOptimize(&s);
    }
}
BENCHMARK(BM_BuildAndShowWindow)->Unit(benchmark::kMillisecond);

} // namespace
