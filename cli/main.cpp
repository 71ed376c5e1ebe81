// hygrana-cli: the moist-air engine, the process calculation and the chart
// output without a window, for scripts and tests.
#include "cli/commands.h"

#include "files/text_input.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = "usage: hygrana-cli <command> [arguments]\n"
                               "\n"
                               "commands:\n"
                               "  air [options] [P t x_g]\n"
                               "                       properties of moist air (AirProperty codes 1 to 6);\n"
                               "                       without numbers, one triple per line from standard input\n"
                               "  calc [options]       the process calculation of up to six states read from\n"
                               "                       standard input\n"
                               "  plot ...             the chart as an HPGL plot file\n"
                               "  render ...           the chart as an image file\n"
                               "\n"
                               "'hygrana-cli <command> --help' describes a command;\n"
                               "'hygrana-cli --version' prints the version.\n"
                               "Exit status: 0 done, 1 a calculation fault, 2 bad command line or input.\n";

// Output that never reached its reader is a failure, not a success: flushes
// standard output and says why it failed ("No space left on device").
int Finished(const std::string& command, int status) {
    errno = 0;
    std::cout.flush();
    if (std::cout)
        return status;
    const int reason = errno;
    std::cerr << "hygrana-cli " << command << ": cannot write standard output"
              << (reason != 0 ? std::string(": ") + std::strerror(reason) : std::string()) << '\n';
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // Without a command the call is a mistake, as for other Unix tools: the
    // usage goes to stderr so a pipeline does not read it as output.
    if (argc < 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    try {
        if (command == "air")
            return Finished(command, hyg::RunAir(args));
        if (command == "calc")
            return Finished(command, hyg::RunCalc(args));
        if (command == "plot")
            return hyg::RunPlot(args);
        if (command == "render")
            return hyg::RunRender(args);
        if (command == "--version") {
            std::cout << "hygrana-cli " << HYGRANA_VERSION << '\n';
            return 0;
        }
        if (command == "help" || command == "--help" || command == "-h") {
            std::cout << kUsage;
            return 0;
        }
        std::cerr << "hygrana-cli: unknown command '" << hyg::Excerpt(command) << "'\n" << kUsage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "hygrana-cli " << command << ": " << e.what() << '\n';
        return 2;
    }
}
