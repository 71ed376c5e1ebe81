// hygrana-cli plot [--data FILE] [--paper A3|B4|A4] OUT.pgl
//
// The chart of the default settings, or of the settings of a data file, as
// an HPGL plot file.
#include "cli/commands.h"

#include "cli/chart_options.h"
#include "files/plot_file.h"

#include <string>
#include <vector>

namespace hyg {

int RunPlot(const std::vector<std::string>& args) {
    ChartCommand command("plot", "usage: hygrana-cli plot [--data FILE] [--paper A3|B4|A4] OUT.pgl");
    if (const auto status = command.parse(args, {"--data", "--paper"}, {}))
        return *status;
    Chart chart;
    if (const auto status = command.loadChart(chart))
        return *status;
    if (const std::optional<std::string>& paper = command.value("--paper")) {
        if (*paper == "A3" || *paper == "a3")
            SetPlotterPaper(chart.settings, PlotterPaper::A3);
        else if (*paper == "B4" || *paper == "b4")
            SetPlotterPaper(chart.settings, PlotterPaper::B4);
        else if (*paper == "A4" || *paper == "a4")
            SetPlotterPaper(chart.settings, PlotterPaper::A4);
        else
            return command.fail("unknown paper " + *paper + " (A3, B4 or A4)");
    }

    // A chart without a temperature span is bad input, not a fault of the
    // drawing: say so before the character sizes divide by it.
    if (!(chart.settings.MaxDryBulb > chart.settings.MinDryBulb)) {
        return command.fail("the highest dry-bulb temperature must be above the lowest one; no plot file written");
    }
    return command.guard(
        [&] {
            command.noteReplacement(WritePlotFile(command.output(), chart, &command));
            return 0;
        },
        "no plot file written");
}

} // namespace hyg
