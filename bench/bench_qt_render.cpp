// The screen chart through the painter canvas: LayoutChart and DrawChart of
// the default chart in "draw" mode into images of the fitted canvas
// (1000 x 700) and of the largest zoomed canvas (32000 twips: 2133 x 1493).
#include "chart/chart_settings.h"
#include "qt_render/image_export.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <memory>

namespace {

using namespace hyg;

void EnsureApplication() {
    static std::unique_ptr<QGuiApplication> app;
    if (app || QCoreApplication::instance())
        return;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_qt_render";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
}

// The image is made once, as the window keeps its canvas; every run clears
// it, lays the chart out and draws it.
void BM_DrawChartToImage(benchmark::State& state) {
    EnsureApplication();
    const int w = static_cast<int>(state.range(0));
    const int h = ChartImageHeight(w);
    QImage image(w, h, QImage::Format_RGB32);
    Chart chart;
    chart.settings = DefaultChartSettings();
    for (auto _ : state) {
        QPainter painter(&image);
        PaintChart(painter, chart, w, h, nullptr);
        painter.end();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawChartToImage)->Arg(1000)->Arg(2133)->Unit(benchmark::kMillisecond);

// The same with a new image per run (the picture export).
void BM_RenderChartImage(benchmark::State& state) {
    EnsureApplication();
    Chart chart;
    chart.settings = DefaultChartSettings();
    for (auto _ : state) {
        const QImage image = RenderChartImage(chart, static_cast<int>(state.range(0)), nullptr);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderChartImage)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
