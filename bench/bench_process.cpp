// Speed of the process workflow in the window: opening the process dialog
// with six states, Calculate with six states, and Draw/Redraw with the
// process lines on at the fitted canvas of a 1280 x 800 window. Headless
// (offscreen platform unless one is set).
#include "qt_dialogs/process_dialog.h"
#include "bench/shown_window.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using hyg::bench::App;

hyg::StatePointList SixStates() {
    const float t[] = {30, 16, 22, 26, 18, 32}, rh[] = {60, 90, 25, 50, 70, 40};
    hyg::StatePointList p;
    p.count = 6;
    for (std::size_t i = 1; i <= 6; ++i)
        p.dryBulb[i] = t[i - 1], p.relHum[i] = rh[i - 1], p.pressure[i] = 760;
    return p;
}

struct Context {
    hyg::ChartSettings settings;
    hyg::StatePointList points = SixStates();
    std::int16_t grid = 0;
    hyg::test::ScriptedDialogs dialogs;
    hyg::ProcessDialogContext make() { return {settings, points, grid, dialogs, [] {}}; }
};

void BM_OpenDialogSixStates(benchmark::State& state) {
    App();
    Context c;
    for (auto _ : state) {
        hyg::DlgProcessCalc dialog(c.make());
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.grid(hyg::kGridProcess)->textMatrix(5, 10));
    }
}
BENCHMARK(BM_OpenDialogSixStates)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CalculateSixStates(benchmark::State& state) {
    App();
    Context c;
    hyg::DlgProcessCalc dialog(c.make());
    for (auto _ : state) {
        dialog.Calculate();
        benchmark::DoNotOptimize(dialog.grid(hyg::kGridProcess)->textMatrix(5, 10));
    }
}
BENCHMARK(BM_CalculateSixStates)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DrawRedrawWithProcessLines(benchmark::State& state) {
    hyg::bench::ShownWindow shown;
    hyg::MdiDiagram& window = shown.window;
    window.session().statePoints = SixStates();
    window.settings().DrawProcessLines = 1;
    window.drawCommands().DrawRedraw(); // the first drawing fits the canvas
    for (auto _ : state) {
        window.drawCommands().DrawRedraw();
        benchmark::DoNotOptimize(window.viewport().picture()->image().constBits());
    }
    state.counters["canvas_w_px"] = window.viewport().picture()->widthPixels();
}
BENCHMARK(BM_DrawRedrawWithProcessLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
