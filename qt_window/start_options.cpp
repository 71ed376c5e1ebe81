#include "qt_window/start_options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace hyg {

namespace {

constexpr const char* kHelp = "usage: hygrana [--help | --version] [Qt options]\n"
                              "\n"
                              "Opens the psychrometric chart window (one copy per user session; a second\n"
                              "start brings the first window forward). A folder \"DATA\" beside the program\n"
                              "becomes the working folder.\n"
                              "\n"
                              "  -h, --help     lists these options\n"
                              "  -v, --version  prints the version\n"
                              "\n"
                              "The options of every Qt program (-platform NAME, -style NAME, ...) apply.\n"
                              "Without a display, 'hygrana-cli render chart.png' draws the chart to a file.\n";

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

std::optional<int> HandleStartOptions(int argc, char** argv) {
    bool platformChosen = Set("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(a, "--version") == 0 || std::strcmp(a, "-v") == 0) {
            std::printf("hygrana %s\n", HYGRANA_VERSION);
            return 0;
        }
        if (std::strcmp(a, "-platform") == 0 || std::strcmp(a, "--platform") == 0)
            platformChosen = true;
    }
    if (!platformChosen && !Set("DISPLAY") && !Set("WAYLAND_DISPLAY")) {
        std::fputs("hygrana: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): the window needs a "
                   "graphical session; 'hygrana-cli render chart.png' draws the chart without one\n",
                   stderr);
        return 1;
    }
    return std::nullopt;
}

std::optional<int> RefuseLeftoverArguments(int argc, char** argv) {
    if (argc <= 1)
        return std::nullopt;
    std::fprintf(stderr, "hygrana: unexpected argument '%s' (see 'hygrana --help')\n", argv[1]);
    return 2;
}

} // namespace hyg
