// Speed of the main window: Draw/Redraw of the default chart at the fitted
// size of a 1280 x 800 window, Zoom In by twenty, a scroll step at that
// zoom (the part in view drawn again), and building and showing the main
// window. Headless (offscreen platform unless one is set).
#include "bench/shown_window.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

namespace {

using hyg::bench::App;

using Shown = hyg::bench::ShownWindow;

void BM_DrawRedraw(benchmark::State& state) {
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

// A rectangle of a twentieth of the part in view about (2000, 1500) on the
// plane: Zoom In magnifies twenty times; nested, 400 times, then it stops
// at the deepest view.
void DragTwentieth(hyg::MdiDiagram& w) {
    hyg::Session& ses = w.session();
    const hyg::ChartPicture* p = w.viewport().picture();
    const double half = 0.5 / 20 * 5000 * w.viewport().shadeWidth() / p->widthTwips();
    ses.DragStartX = static_cast<float>(2000 - half);
    ses.DragEndX = static_cast<float>(2000 + half);
    ses.DragStartY = static_cast<float>(1500 - 0.7 * half);
    ses.DragEndY = static_cast<float>(1500 + 0.7 * half);
}

void BM_ZoomInByTwenty(benchmark::State& state) {
    Shown s;
    s.window.drawCommands().DrawRedraw();
    for (auto _ : state) {
        state.PauseTiming();
        s.window.drawCommands().FitView();
        DragTwentieth(s.window);
        state.ResumeTiming();
        s.window.drawCommands().ZoomIn();
        benchmark::DoNotOptimize(s.window.viewport().picture()->image().constBits());
    }
    state.counters["canvas_w_px"] = s.window.viewport().picture()->widthPixels();
}
BENCHMARK(BM_ZoomInByTwenty)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One small step of the scroll bars on a zoomed chart (a line of the bar or a
// wheel turn's worth), down and right in turn, drawing the part in view.
// Argument: how many nested Zoom Ins by twenty (1: twenty times, 3: the
// deepest view).
void BM_ScrollStep(benchmark::State& state) {
    Shown s;
    auto& draw = s.window.drawCommands();
    draw.DrawRedraw();
    for (int i = 0; i < state.range(0); ++i) {
        DragTwentieth(s.window);
        draw.ZoomIn();
    }
    QScrollBar* v = s.window.viewport().vertical();
    QScrollBar* h = s.window.viewport().horizontal();
    int step = 0;
    for (auto _ : state) {
        QScrollBar* bar = (step++ % 2) ? h : v;
        const int next = bar->value() + bar->singleStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        benchmark::DoNotOptimize(s.window.viewport().picture()->image().constBits());
    }
    state.counters["canvas_w_px"] = s.window.viewport().picture()->widthPixels();
    state.counters["step_px"] = v->singleStep();
}
BENCHMARK(BM_ScrollStep)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_BuildAndShowWindow(benchmark::State& state) {
    App();
    for (auto _ : state) {
        Shown s;
        benchmark::DoNotOptimize(&s);
    }
}
BENCHMARK(BM_BuildAndShowWindow)->Unit(benchmark::kMillisecond);

} // namespace
