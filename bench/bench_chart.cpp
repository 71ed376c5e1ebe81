// The chart into the HPGL sink: LayoutChart and DrawChart of the default
// chart through the plot-file writer, writing to memory.
#include "chart/plot_file_writer.h"
#include "chart/chart_driver.h"
#include "chart/chart_settings.h"
#include "files/plot_file.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

using namespace hyg;

void BM_LayoutAndDrawChartToHpgl(benchmark::State& state) {
    Chart chart;
    chart.settings = DefaultChartSettings();
    PlotCharacterSizes(chart.settings);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        const ChartFrame frame = LayoutChart(chart, nullptr);
        PlotFileWriter writer(out);
        DrawChart(writer, chart, frame);
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_LayoutAndDrawChartToHpgl)->Unit(benchmark::kMillisecond);

// The whole plot file: character sizes, header, chart and closing line.
void BM_WritePlotFileToMemory(benchmark::State& state) {
    Chart chart;
    chart.settings = DefaultChartSettings();
    for (auto _ : state) {
        std::ostringstream out;
        WritePlotFile(out, chart, nullptr);
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_WritePlotFileToMemory)->Unit(benchmark::kMillisecond);

// The layout alone (saturation table and top search), for comparison.
void BM_LayoutChart(benchmark::State& state) {
    Chart chart;
    chart.settings = DefaultChartSettings();
    for (auto _ : state)
        benchmark::DoNotOptimize(LayoutChart(chart, nullptr));
}
BENCHMARK(BM_LayoutChart)->Unit(benchmark::kMicrosecond);

} // namespace
