// hygrana-cli plot [--data FILE] [--paper A3|B4|A4] OUT.pgl
//
// The chart of the default settings, or of the settings of a data file, as
// an HPGL plot file.
#include "cli/commands.h"

#include "app/data_file.h"
#include "chart/chart_settings.h"
#include "engine/fault.h"
#include "engine/messages.h"
#include "engine/state_points.h"
#include "output/plot_file.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace hyg {

namespace {

constexpr const char* kUsage = "usage: hygrana-cli plot [--data FILE] [--paper A3|B4|A4] OUT.pgl";

// Message boxes of the chart become lines on stderr: the top-humidity
// notice is a note, not an error.
class StderrMessenger : public Messenger {
public:
    void showMessage(const std::string& text, const std::string& title, MessageIcon) override {
        std::cerr << "hygrana-cli plot: " << (title == kAppTitle ? "note: " : "") << text << '\n';
    }
    void beep() override {}
};

int Fail(const std::string& text) {
    std::cerr << "hygrana-cli plot: " << text << '\n';
    return 2;
}

// A fault raised inside the drawing of a family: status 1, as for any
// calculation fault; the partial file has been removed.
int DrawingFault(const RunTimeFault& e) {
    std::cerr << "hygrana-cli plot: the chart drawing stopped: " << e.what() << "; no plot file written\n";
    return 1;
}

// The value of an option given as "--name VALUE" or "--name=VALUE".
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::optional<std::string>& value, std::string& error) {
    const std::string& a = args[i];
    if (a == name) {
        if (i + 1 >= args.size()) {
            error = name + " needs a value";
            return true;
        }
        value = args[++i];
        return true;
    }
    if (a.rfind(name + "=", 0) == 0) {
        value = a.substr(name.size() + 1);
        return true;
    }
    return false;
}

} // namespace

int RunPlot(const std::vector<std::string>& args) {
    std::optional<std::string> data, paper, out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string error;
        if (TakeValue(args, i, "--data", data, error) || TakeValue(args, i, "--paper", paper, error)) {
            if (!error.empty()) return Fail(error + "\n" + kUsage);
            continue;
        }
        const std::string& a = args[i];
        if (a == "-h" || a == "--help") {
            std::cout << kUsage << '\n';
            return 0;
        }
        if (a.size() > 1 && a[0] == '-') return Fail("unknown option " + a + "\n" + kUsage);
        if (out) return Fail("more than one output file given\n" + std::string(kUsage));
        out = a;
    }
    if (!out || out->empty()) return Fail(std::string("no output file given\n") + kUsage);

    Chart chart;
    chart.settings = DefaultChartSettings();
    StatePointList states;
    if (data) {
        const std::string problem = ReadDataFile(*data, chart.settings, states);
        if (!problem.empty()) return Fail(*data + ": " + problem);
    }
    if (paper) {
        if (*paper == "A3" || *paper == "a3") SetPlotterPaper(chart.settings, PlotterPaper::A3);
        else if (*paper == "B4" || *paper == "b4") SetPlotterPaper(chart.settings, PlotterPaper::B4);
        else if (*paper == "A4" || *paper == "a4") SetPlotterPaper(chart.settings, PlotterPaper::A4);
        else return Fail("unknown paper " + *paper + " (A3, B4 or A4)");
    }

    // A chart without a temperature span is bad input, not a fault of the
    // drawing: say so before the character sizes divide by it.
    if (!(chart.settings.MaxDryBulb > chart.settings.MinDryBulb)) {
        return Fail("the highest dry-bulb temperature must be above the lowest one; no plot file written");
    }

    StderrMessenger messenger;
    try {
        WritePlotFile(*out, chart, &messenger);
    } catch (const LayoutRefused&) {
        // The reason has been shown through the messenger.
        return Fail("no plot file written");
    } catch (const FloatingPointFault& e) {
        return DrawingFault(e);
    } catch (const IndexFault& e) {
        return DrawingFault(e);
    } catch (const IntegerOverflowFault& e) {
        return DrawingFault(e);
    } catch (const RunTimeFault& e) {
        return Fail("cannot write " + *out + ": " + e.what());
    }
    return 0;
}

} // namespace hyg
