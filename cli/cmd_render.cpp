// hygrana-cli render [--data FILE] [--width PX] [--mono] OUT.png|OUT.bmp|OUT.svg|OUT.pdf
//
// The screen chart as a picture, the same one the window shows, drawn
// without a display. Needs the Qt build.
#include "cli/commands.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef HYGRANA_WITH_QT

#include "app/data_file.h"
#include "chart/chart_settings.h"
#include "engine/fault.h"
#include "engine/messages.h"
#include "engine/state_points.h"
#include "output/image_export.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>

namespace hyg {

namespace {

constexpr const char* kUsage =
    "usage: hygrana-cli render [--data FILE] [--width PX] [--mono] [--partial] OUT.png|OUT.bmp|OUT.svg|OUT.pdf\n"
    "  --partial  when a family of lines fails, write the chart as far as it was drawn (as the\n"
    "             window shows it) and exit with status 1 instead of writing nothing";

// Picture widths accepted: a readable chart needs a few hundred pixels; the
// largest zoomed canvas is 2133 pixels wide.
constexpr long kMinWidth = 200;
constexpr long kMaxWidth = 5000;
constexpr int kDefaultWidth = 1000;

class StderrMessenger : public Messenger {
public:
    void showMessage(const std::string& text, const std::string& title, MessageIcon) override {
        std::cerr << "hygrana-cli render: " << (title == kAppTitle ? "note: " : "") << text << '\n';
    }
    void beep() override {}
};

int Fail(const std::string& text) {
    std::cerr << "hygrana-cli render: " << text << '\n';
    return 2;
}

// A fault raised inside the drawing of a family: status 1, as for any
// calculation fault, and no picture.
int DrawingFault(const RunTimeFault& e) {
    std::cerr << "hygrana-cli render: the chart drawing stopped: " << e.what()
              << "; no picture written (--partial writes the chart as far as it was drawn)\n";
    return 1;
}

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

// The application object the painter needs; off screen unless the caller
// chose a platform.
std::unique_ptr<QGuiApplication> EnsureApplication() {
    if (QCoreApplication::instance()) return nullptr;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "hygrana-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int RunRender(const std::vector<std::string>& args) {
    std::optional<std::string> data, width, out;
    bool mono = false;
    bool partial = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string error;
        if (TakeValue(args, i, "--data", data, error) || TakeValue(args, i, "--width", width, error)) {
            if (!error.empty()) return Fail(error + "\n" + kUsage);
            continue;
        }
        const std::string& a = args[i];
        if (a == "--mono") {
            mono = true;
            continue;
        }
        if (a == "--partial") {
            partial = true;
            continue;
        }
        if (a == "-h" || a == "--help") {
            std::cout << kUsage << '\n';
            return 0;
        }
        if (a.size() > 1 && a[0] == '-') return Fail("unknown option " + a + "\n" + kUsage);
        if (out) return Fail(std::string("more than one output file given\n") + kUsage);
        out = a;
    }
    if (!out || out->empty()) return Fail(std::string("no output file given\n") + kUsage);
    if (ChartFileFormatOf(*out) == ChartFileFormat::Unknown) {
        return Fail("cannot tell the picture format of " + *out + " (use .png, .bmp, .svg or .pdf)");
    }

    int widthPx = kDefaultWidth;
    if (width) {
        errno = 0;
        char* end = nullptr;
        const long w = std::strtol(width->c_str(), &end, 10);
        if (width->empty() || *end != '\0' || errno != 0 || w < kMinWidth || w > kMaxWidth) {
            return Fail("the width must be a whole number of pixels from " + std::to_string(kMinWidth) + " to " +
                        std::to_string(kMaxWidth) + ", not " + *width);
        }
        widthPx = static_cast<int>(w);
    }

    Chart chart;
    chart.settings = DefaultChartSettings();
    StatePointList states;
    if (data) {
        const std::string problem = ReadDataFile(*data, chart.settings, states);
        if (!problem.empty()) return Fail(*data + ": " + problem);
    }
    if (mono) {
        chart.settings.ColorMode = 0;
        chart.settings.PenColor = MonoPenTable();
    }

    const auto app = EnsureApplication();
    StderrMessenger messenger;
    try {
        const std::string fault =
            ExportChart(*out, chart, widthPx, &messenger, {}, partial ? PartialChart::Keep : PartialChart::Refuse);
        if (!fault.empty()) {
            std::cerr << "hygrana-cli render: warning: the drawing stopped early (" << fault << "); " << *out
                      << " holds the chart as far as it was drawn\n";
            return 1;
        }
    } catch (const LayoutRefused&) {
        return Fail("no picture written");
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

#else // no Qt: the painter canvas is not built

namespace hyg {

int RunRender(const std::vector<std::string>&) {
    std::cerr << "hygrana-cli render: image export needs the Qt build of hygrana-cli\n";
    return 2;
}

} // namespace hyg

#endif
