// The data-file reader on any input. A file it accepts must be drawable as
// the window would draw it after opening it: laid out and drawn on the
// screen canvas (every coordinate finite) and into a plot file, without any
// fault (a range the layout refuses with its message, as it refuses the
// same range from the dialog, is an answer, not a fault); written back, it
// must read again to the same records.
#include "fuzz/fuzz_check.h"
#include "tests/chart/recording_canvas.h"

#include "chart/plane.h"
#include "engine/fault.h"
#include "files/data_file.h"
#include "files/plot_file.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

// A real data file is a few hundred bytes; longer inputs only slow the search.
constexpr std::size_t kMaxInput = 4096;

void DrawOnCanvas(const hyg::ChartSettings& settings) {
    hyg::Chart chart;
    chart.settings = settings;
    // The canvas of the picture size in the settings, as the window gives it.
    hyg::test::RecordingCanvas canvas(static_cast<double>(settings.PictureWidth) / hyg::kTwipsPerPixel,
                                      static_cast<double>(settings.PictureHeight) / hyg::kTwipsPerPixel);
    const hyg::ChartFrame frame = hyg::LayoutChart(chart, nullptr);
    hyg::CanvasWriter dev(chart.settings, canvas);
    hyg::DrawChart(dev, chart, frame);
    FUZZ_EXPECT(!canvas.calls.empty(), "the chart draws something");
    for (const hyg::test::CanvasCall& c : canvas.calls)
        FUZZ_EXPECT(c.finite(), "every canvas coordinate is finite");
}

void DrawPlotFile(const hyg::ChartSettings& settings) {
    hyg::Chart chart;
    chart.settings = settings;
    std::ostringstream out;
    hyg::WritePlotFile(out, chart, nullptr);
    FUZZ_EXPECT(out.str().find("nan") == std::string::npos && out.str().find("inf") == std::string::npos,
                "the plot file holds only numbers");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput)
        return 0;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    hyg::ChartSettings settings = hyg::DefaultChartSettings();
    hyg::StatePointList states;
    if (hyg::ReadDataFile(in, settings, states))
        return 0;

    try {
        DrawOnCanvas(settings);
        DrawPlotFile(settings);
    } catch (const hyg::LayoutRefused&) {
        // Refused with a message, nothing drawn: what the window does too.
    } catch (const hyg::RunTimeFault& fault) {
        std::fprintf(stderr, "an accepted data file fails to draw: %s\n", fault.what());
        std::abort();
    }

    std::ostringstream written;
    hyg::WriteDataFile(written, settings, states);
    std::istringstream again(written.str());
    hyg::ChartSettings reread = hyg::DefaultChartSettings();
    hyg::StatePointList rereadStates;
    if (const auto refusal = hyg::ReadDataFile(again, reread, rereadStates)) {
        std::fprintf(stderr, "a data file written from accepted settings is refused: %s\n", refusal->message.c_str());
        std::abort();
    }
    std::ostringstream rewritten;
    hyg::WriteDataFile(rewritten, reread, rereadStates);
    FUZZ_EXPECT(rewritten.str() == written.str(), "writing, reading and writing again gives the same file");
    return 0;
}
