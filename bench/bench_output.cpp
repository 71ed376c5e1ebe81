// Speed of the output commands on the default chart drawn in a 1280 x 800
// window: File > Print... to a PDF file at 600 dpi (the whole job, dialog
// answer to closed file), Chart > Save Picture... as BMP, and Edit > Copy of
// the chart (bitmap and SVG onto the clipboard). Headless (offscreen
// platform unless one is set).
#include "bench/shown_window.h"

#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Drawn : hyg::bench::ShownWindow {
    QTemporaryDir dir;
    Drawn() {
        window.DrawRedraw();
    }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
};

void BM_PrintChartPdf600(benchmark::State& state) {
    Drawn d;
    for (auto _ : state) {
        d.dialogs.printerAnswers.push_back(hyg::test::ScriptedDialogs::PrintToPdf(d.path("chart.pdf"), 600));
        d.window.Print();
    }
    if (!d.dialogs.messages.empty())
        state.SkipWithError("the print failed");
}
BENCHMARK(BM_PrintChartPdf600)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SavePictureBmp(benchmark::State& state) {
    Drawn d;
    for (auto _ : state) {
        d.dialogs.saveNames.push_back(d.path("corvane.bmp"));
        d.window.SavePicture();
    }
    if (!d.dialogs.messages.empty())
        state.SkipWithError("the save failed");
}
BENCHMARK(BM_SavePictureBmp)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CopyChart(benchmark::State& state) {
    Drawn d;
    for (auto _ : state) {
        d.window.Copy();
        benchmark::DoNotOptimize(QGuiApplication::clipboard()->mimeData());
    }
    state.counters["canvas_w_px"] = d.window.viewport().picture()->widthPixels();
}
BENCHMARK(BM_CopyChart)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
