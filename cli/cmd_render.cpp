// hygrana-cli render [--data FILE [--process-lines]] [--width PX] [--mono] OUT.png|OUT.bmp|OUT.svg|OUT.pdf
//
// The screen chart as a picture, the same one the window shows, drawn
// without a display. Needs the Qt build.
#include "cli/commands.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef HYGRANA_WITH_QT

#include "chart/process_lines.h"
#include "cli/chart_options.h"
#include "qt_render/image_export.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

namespace hyg {

namespace {

constexpr const char* kUsage =
    "usage: hygrana-cli render [--data FILE [--process-lines]] [--width PX] [--mono] [--partial]\n"
    "                          OUT.png|OUT.bmp|OUT.svg|OUT.pdf\n"
    "  --process-lines  draw the states of the data file as process lines\n"
    "  --partial  when a family of lines fails, write the chart as far as it was drawn (as the\n"
    "             window shows it) and exit with status 1 instead of writing nothing";

// Picture widths accepted: a readable chart needs a few hundred pixels; the
// largest zoomed canvas is 2133 pixels wide.
constexpr long kMinWidth = 200;
constexpr long kMaxWidth = 5000;
constexpr int kDefaultWidth = 1000;

// A private runtime folder for Qt outside a desktop session (a script, a
// build machine), made under an unpredictable name and removed at the end.
class RuntimeFolder {
public:
    RuntimeFolder() {
        if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
            return;
        std::string pattern = QDir::tempPath().toStdString() + "/hygrana-render-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            return; // Qt then says it has none; the picture does not need it
        path_ = pattern;
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(path_));
    }
    ~RuntimeFolder() {
        if (!path_.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(path_, ec);
        }
    }
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

private:
    std::string path_;
};

// The application object the painter needs. Always off screen: a picture
// needs no display, and a platform named for the desktop (xcb, wayland)
// cannot start in a script run over ssh or from cron.
std::unique_ptr<QGuiApplication> EnsureApplication() {
    if (QCoreApplication::instance())
        return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "hygrana-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int RunRender(const std::vector<std::string>& args) {
    ChartCommand command("render", kUsage);
    if (const auto status = command.parse(args, {"--data", "--width"}, {"--mono", "--partial", "--process-lines"}))
        return *status;
    const std::string& out = command.output();
    if (ChartFileFormatOf(out) == ChartFileFormat::Unknown) {
        return command.fail("cannot tell the picture format of " + out + " (use .png, .bmp, .svg or .pdf)");
    }

    int widthPx = kDefaultWidth;
    if (const std::optional<std::string>& width = command.value("--width")) {
        errno = 0;
        char* end = nullptr;
        const long w = std::strtol(width->c_str(), &end, 10);
        if (width->empty() || *end != '\0' || errno != 0 || w < kMinWidth || w > kMaxWidth) {
            return command.fail("the width must be a whole number of pixels from " + std::to_string(kMinWidth) +
                                " to " + std::to_string(kMaxWidth) + ", not " + *width);
        }
        widthPx = static_cast<int>(w);
    }

    const bool processLines = command.on("--process-lines");
    if (processLines && !command.value("--data"))
        return command.fail("--process-lines draws the states of a data file: give it with --data FILE");
    Chart chart;
    StatePointList states;
    if (const auto status = command.loadChart(chart, &states))
        return *status;
    ProcessLineDrawer drawer;
    if (processLines) {
        if (states.count < 1)
            std::cerr << "hygrana-cli render: note: " << *command.value("--data") << " holds no states to draw\n";
        chart.settings.DrawProcessLines = 1;
        drawer = [&states, &chart](PenPlotter& out) { DrawProcessLines(out, chart.settings, states); };
    }
    if (command.on("--mono")) {
        chart.settings.ColorMode = 0;
        chart.settings.PenColor = MonoPenTable();
    }

    const RuntimeFolder runtime;
    const auto app = EnsureApplication();
    const bool partial = command.on("--partial");
    return command.guard(
        [&] {
            const std::optional<DrawingStopped> stopped =
                ExportChart(out, chart, widthPx, &command, drawer, partial ? PartialChart::Keep : PartialChart::Refuse);
            if (!stopped)
                return 0;
            std::cerr << "hygrana-cli render: warning: the drawing stopped early (" << stopped->fault << "); " << out
                      << " holds the chart as far as it was drawn\n";
            return 1;
        },
        "no picture written", " (--partial writes the chart as far as it was drawn)");
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
