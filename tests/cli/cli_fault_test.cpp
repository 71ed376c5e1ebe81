// hygrana-cli under the conditions that betray a careless tool: a full disk,
// a closed or full standard output, endless or hostile input, states outside
// the solver's ranges and a display that cannot start. Each case runs the
// real program through the shell, as a script would.
#include "cli_fixture.h"

#include <string>

namespace hyg {
namespace {

namespace fs = std::filesystem;
using Result = CliResult;
const auto Read = ReadFile;

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

using CliFaults = CliFixture;

// A write that fails half-way (a 4 KiB file-size limit stands for a full
// disk) leaves the earlier file of that name as it was.
TEST_F(CliFaults, AFailedWriteKeepsTheEarlierFile) {
    std::ofstream(path("k.pgl")) << "EARLIER\n";
    const Result r = sh("ulimit -f 4; trap '' XFSZ; CLI plot k.pgl");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(Read(path("k.pgl")), "EARLIER\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 4); // k.pgl and the three std files
}

// The system's reason, said once.
TEST_F(CliFaults, AFailedWriteSaysTheSystemsReasonOnce) {
    const Result plot = sh("ulimit -f 4; trap '' XFSZ; CLI plot k.pgl");
    EXPECT_EQ(plot.err, "hygrana-cli plot: cannot write k.pgl: File too large; no plot file written\n");
    const Result render = sh("ulimit -f 4; trap '' XFSZ; CLI render --width 1000 k.png");
    if (render.err.find("needs the Qt build") != std::string::npos)
        return;
    EXPECT_EQ(render.status, 2);
    EXPECT_EQ(Count(render.err, "cannot write"), 1u) << render.err;
    EXPECT_NE(render.err.find("cannot write k.png: File too large"), std::string::npos) << render.err;
}

// A platform named for the desktop cannot start without a display (a
// script over ssh or cron): render never needs one.
TEST_F(CliFaults, RenderNeedsNoDisplay) {
    for (const char* platform : {"xcb", "wayland", "bogus"}) {
        const Result r =
            sh(std::string("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=") + platform + " CLI render --width 200 q.png");
        if (r.err.find("needs the Qt build") != std::string::npos)
            return;
        EXPECT_EQ(r.status, 0) << platform << ": " << r.err;
        EXPECT_EQ(Read(path("q.png")).substr(1, 3), "PNG") << platform;
        fs::remove(path("q.png"));
    }
}

// Standard output that cannot be written is a failure with its reason.
TEST_F(CliFaults, AFullStandardOutputIsAFailure) {
    for (const char* command : {"CLI air 760 25 10 > /dev/full", "printf '760\\t25\\t50\\n' | CLI calc > /dev/full"}) {
        const Result r = sh(command);
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_NE(r.err.find("cannot write standard output: No space left on device"), std::string::npos)
            << command << ": " << r.err;
    }
}

// Endless input is refused early with a clear message, and what is quoted
// from it is short and escaped. The memory limit (256 MB) stops a reader
// that would keep everything.
TEST_F(CliFaults, InputIsBoundedAndQuotedSafely) {
    const std::string limit = "ulimit -v 262144; ";
    const Result data = sh(limit + "timeout 20 CLI plot --data /dev/zero k.pgl");
    EXPECT_EQ(data.status, 2);
    EXPECT_NE(data.err.find("Line 1 of the data file is not valid: it is longer than"), std::string::npos) << data.err;
    EXPECT_LT(data.err.size(), 400u);
    for (const char* command : {"air", "calc"}) {
        const Result r = sh(limit + "timeout 20 CLI " + command + " < /dev/zero");
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_NE(r.err.find("line 1 is longer than"), std::string::npos) << command << ": " << r.err;
    }
    // Endless lines in a data file: refused at the first line too many.
    std::ofstream many(path("many.dat"), std::ios::binary);
    many << "0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n760,27\r\n10,40\r\n17,17\r\n8,50\r\n10,6\r\n"
            "1,1,1\r\n1,1,1,1\r\n1,1,1,1\r\n";
    for (int i = 0; i < 1000000; ++i)
        many << (i % 3 == 0 ? "20,50\r\n" : "0,0\r\n");
    many.close();
    const Result lines = sh(limit + "CLI plot --data many.dat k.pgl");
    EXPECT_NE(lines.err.find("Line 31 of the data file is not valid"), std::string::npos) << lines.err;

    const std::string hostile = "\x1b]0;owned\x07\x1b[2J" + std::string(1000000, '7') + "x";
    std::ofstream(path("field.txt"), std::ios::binary) << "760 " << hostile << " 10\n";
    const Result air = sh("CLI air < field.txt");
    EXPECT_EQ(air.status, 2);
    EXPECT_EQ(air.err.find('\x1b'), std::string::npos);
    EXPECT_LT(air.err.size(), 300u) << air.err.substr(0, 300);
    const Result arg = sh("CLI air 760 \"$(printf '\\033[31mred')\" 10");
    EXPECT_EQ(arg.status, 2);
    EXPECT_NE(arg.err.find("'\\x1b[31mred'"), std::string::npos) << arg.err;
}

// States outside the solver's ranges are bad input, not numbers.
TEST_F(CliFaults, AirRefusesStatesOutsideTheSolversRanges) {
    for (const char* state : {"760 150 10", "-760 25 10", "760 25 1e6", "760 16777216 10", "200 25 10",
                              "4000 25 10", "760 -16 0", "760 25 -1"}) {
        const Result r = sh(std::string("timeout 10 CLI air ") + state);
        EXPECT_EQ(r.status, 2) << state;
        EXPECT_EQ(r.out, "") << state;
    }
    EXPECT_EQ(sh("CLI air", "760 25 10\n760 150 10\n").status, 2);
    const Result edge = sh("CLI air 228 -15 0 && CLI air 3800 99.9 0");
    EXPECT_EQ(edge.status, 0) << edge.err;
    const std::string help = sh("CLI air --help").out;
    EXPECT_NE(help.find("228 to 3800"), std::string::npos);
    EXPECT_NE(help.find("-15 to 100"), std::string::npos);
}

// Blank lines are not rows: six rows and a blank line are six rows.
TEST_F(CliFaults, CalcSkipsBlankLines) {
    std::string six;
    for (int i = 0; i < 6; ++i)
        six += "760\t" + std::to_string(20 + i) + "\t50\n";
    const Result r = sh("CLI calc", "\n" + six + "\n  \n\r\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(sh("CLI calc", six + "760\t30\t50\n").status, 2);
}

// A picture export that fails half-way over an earlier picture leaves that
// picture whole, in every format.
TEST_F(CliFaults, AFailedPictureKeepsTheEarlierPicture) {
    if (withoutQt())
        GTEST_SKIP() << "built without Qt";
    for (const char* name : {"k.png", "k.bmp", "k.svg", "k.pdf"}) {
        std::ofstream(path(name)) << "EARLIER\n";
        const Result r = sh(std::string("ulimit -f 4; trap '' XFSZ; CLI render --width 1000 ") + name);
        EXPECT_NE(r.status, 0) << name;
        EXPECT_TRUE(Read(path(name)) == "EARLIER\n") << name << " was changed";
    }
}

} // namespace
} // namespace hyg
