// hygrana-cli driven through the shell as a script would: its output, files and exit status, that bad input
// leaves no output, and the conditions that betray a careless tool (a full disk or standard output, endless or
// hostile input, states outside the solver's ranges, no display).
#include "chart/chart_settings.h"
#include "files/data_file.h"
#include "files/plot_file.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace hyg {
namespace {

namespace fs = std::filesystem;

struct CliResult {
    int status = -1;
    std::string out, err;
};

std::string ReadFile(const fs::path& file) {
    std::stringstream s;
    s << std::ifstream(file, std::ios::binary).rdbuf();
    return s.str();
}

// The lines of an output (sep '\n') or the cells of a table row (sep '\t').
std::vector<std::string> Split(const std::string& text, char sep = '\n') {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string piece; std::getline(in, piece, sep);)
        out.push_back(piece);
    return out;
}

class Cli : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("hygrana_cli_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    // Runs `shell` (a command line where "CLI" stands for the program) in the
    // test folder; standard output and error go to files unless redirected.
    CliResult sh(std::string shell, const std::string& input = "") const {
        for (std::size_t at = shell.find("CLI"); at != std::string::npos; at = shell.find("CLI", at + 1))
            shell.replace(at, 3, std::string("'") + HYGRANA_CLI + "'");
        std::ofstream(path("stdin.txt"), std::ios::binary) << input;
        const std::string command =
            "cd '" + dir_.string() + "' && { " + shell + " ; } < stdin.txt > stdout.txt 2> stderr.txt";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(path("stdout.txt")), ReadFile(path("stderr.txt"))};
    }
    CliResult run(const std::string& args, const std::string& input = "") const { return sh("CLI " + args, input); }
    // A build without Qt has no pictures to make.
    bool withoutQt() const { return run("render probe.png").err.find("needs the Qt build") != std::string::npos; }

    std::string dataFile(const ChartSettings& s, const std::string& name = "chart.dat") const {
        WriteDataFile(path(name), s, StatePointList{});
        return name;
    }
    // Expects each command refused with status 2 and a message, and no file
    // of `outputs` written.
    void expectRefused(const std::vector<std::string>& commands, const std::vector<std::string>& outputs = {}) const {
        for (const std::string& args : commands) {
            const CliResult r = sh("timeout 10 CLI " + args, "760\t25\t50\n");
            EXPECT_EQ(r.status, 2) << args;
            EXPECT_FALSE(r.err.empty()) << args;
            EXPECT_TRUE(r.out.empty()) << args;
            for (const std::string& o : outputs)
                EXPECT_FALSE(fs::exists(path(o))) << args << ": " << o;
        }
    }
    fs::path dir_;
};
using CliFaults = Cli;

TEST_F(Cli, UsageVersionAndEveryRefusal) {
    EXPECT_NE(run("").err.find("usage: hygrana-cli"), std::string::npos); // no command: usage, refused below
    EXPECT_EQ(run("--version").out, std::string("hygrana-cli ") + HYGRANA_VERSION + "\n");
    std::ofstream(path("broken.dat")) << "0,15000\r\n0,10500\r\n";
    ChartSettings flat = DefaultChartSettings();
    flat.MinDryBulb = flat.MaxDryBulb = 20; // both on the dialogs' lists; no span to draw
    dataFile(flat, "flat.dat");
    // clang-format off
    expectRefused({"", "frobnicate", "air 760 25", "air 760 x 10", "air 760 25 10 3", "air 1e40 25 10",
                   "air 760 1e400 10", "air 760 25 10abc", "air --format xml 760 25 10",
                   "air --pressure-unit psi 14.7 25 10", "air --pressure-unit 2 10 25 10", "air --rh 760 25 101",
                   "air --rh 228 100 50", "calc --format yaml", "calc --flow", "calc --flow abc",
                   "calc --flow 1e400", "calc --unit-system 4", "calc --pressure-unit x", "calc extra",
                   "plot --colour out.pgl", "plot", "plot out.pgl other.pgl", "plot --paper A5 out.pgl",
                   "plot --data none.dat out.pgl", "plot --data broken.dat out.pgl", "plot --data flat.dat out.pgl",
                   "plot missing/dir/out.pgl", "air 760 150 10", "air -760 25 10", "air 760 25 1e6",
                   "air 760 16777216 10", "air 200 25 10", "air 4000 25 10", "air 760 -16 0", "air 760 25 -1"},
                  {"out.pgl", "other.pgl"});
    // clang-format on
    EXPECT_NE(run("plot --data broken.dat out.pgl").err.find("Line 3 of the data file"), std::string::npos);
    EXPECT_NE(run("air", "760 25 10\n760 twenty 10\n").err.find("line 2"), std::string::npos);
    EXPECT_EQ(run("calc", "1\n2\n3\n4\n5\n6\n7\n").status, 2);
    EXPECT_EQ(run("air", "760 25 10\n760 150 10\n").status, 2);
    EXPECT_EQ(run("air 228 -15 0 && CLI air 3800 99.9 0").status, 0); // the edges of the solver's ranges
    EXPECT_EQ(run("calc", "760\t25\t50\t\t9\n").status, 2);
}

TEST_F(Cli, AirInEveryUnitAndFormat) {
    // The same state in mmHg, kPa, atm and by its relative humidity.
    for (const char* args : {"760 25 10", "--pressure-unit kPa 101.325 25 10", "--pressure-unit 3 1 25 10"})
        EXPECT_EQ(run(std::string("air ") + args).out,
                  "20.0665455 17.993782 50.6279526 12.0923424 14.0544186 0.858302294\n");
    EXPECT_NEAR(std::stod(Split(run("air --rh 760 25 50.6279526").out, ' ').at(2)), 10, 1e-5);
    // A fault prints "error" and the next line goes on; alone, it exits with 1.
    const auto lines = Split(run("air", "760 25 10\n760 100 0\n\n760 0 2\n").out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "error"); // saturation pressure equal to the air pressure
    EXPECT_EQ(lines[2].substr(0, 22), "3.77138543 -2.7879777 ");
    const CliResult fault = run("air 760 100 0");
    EXPECT_EQ(fault.status, 1);
    EXPECT_EQ(fault.out, "error\n");
    const std::string header = "pressure [mmHg]\tdry_bulb [deg C]\tabs_humidity [g/kgDA]\trel_humidity [%]\t"
                               "sat_abs_humidity [g/kgDA]\twet_bulb [deg C]\tenthalpy [kcal/kgDA]\t"
                               "dew_point [deg C]\tspecific_volume [m3/kgDA]\n";
    const std::string row = "760\t25\t10\t50.6279526\t20.0665455\t17.993782\t12.0923424\t14.0544186\t0.858302294\n";
    EXPECT_EQ(run("air --format tsv", "760 25 10\n\n760 25 10\n").out, header + row + row);
    const std::string json = run("air --format json 760 25 10").out;
    EXPECT_EQ(json.rfind("{\n  \"air\": {\"units\": {\"pressure\": \"mmHg\", \"dry_bulb\": \"deg C\"", 0), 0u);
    EXPECT_NE(json.find("{\"pressure\": 760, \"dry_bulb\": 25, \"abs_humidity\": 10, \"rel_humidity\": 50.6279526"),
              std::string::npos);
    EXPECT_EQ(json.substr(json.size() - 9), "}\n  ]}\n}\n");
}

TEST_F(Cli, CalcTablesFormatsAndMessages) {
    const std::string input = "760\t25\t50.63\n760\t15\t\t12\n";
    const auto lines = Split(run("calc", input).out);
    ASSERT_EQ(lines.size(), 7u + 1 + 7 + 1 + 6);
    EXPECT_EQ(lines[1], "#1\t760\t25\t50.63\t17.99");
    EXPECT_EQ(Split(lines[2], '\t')[3], "70.71"); // derived from the wet bulb
    EXPECT_EQ(lines[9], "#1\t49.835\t12.025\t.01\t.02007\t12.092\t.8583\t1.1767");
    const auto p = Split(lines.at(17), '\t');
    EXPECT_EQ(p.at(0) + "|" + p.at(1) + "|" + p.at(5), "#1 -> #2|-10.00|-0.126");
    // The options reach the tables.
    EXPECT_NE(Split(Split(run("calc --flow 100", input).out)[17], '\t')[6], p[6]);
    EXPECT_NE(Split(run("calc --unit-system 3", input).out)[16].find("Btu/h"), std::string::npos);
    // For scripts: numbers as shown, with a zero before a bare point.
    const auto csv = Split(run("calc --format csv", input).out);
    EXPECT_EQ(csv.at(5) + "|" + csv.at(9).substr(0, 16),
              "#1,49.835,12.025,0.01,0.02007,12.092,0.8583,1.1767|#1 -> #2,-10.00,");
    EXPECT_EQ(Split(run("calc --format csv", "760\t25\t0\n").out)[4].substr(0, 12), "#1,0,0,0,0.0");
    const std::string json = run("calc --format json --unit-system 2", input).out;
    for (const char* part : {"\"enthalpy\": \"kJ/kgDA\"", "{\"process\": \"#1 -> #2\", \"dry_bulb_change\": -10,"})
        EXPECT_NE(json.find(part), std::string::npos) << part;

    // Rows out of range are skipped with their message, the others go on.
    const CliResult skipped = run("calc", "760\t25\t50\n760\t120\t50\n\t20\t50\n760\t20\t50\n");
    EXPECT_EQ(skipped.status, 0);
    EXPECT_EQ(Split(skipped.err),
              (std::vector<std::string>{
                  "D.B.Temp.   The value should be from -15  to   99.9 . Please change this value.",
                  "Atm. Press.   The value should be from  228  to   3800 . Please change this value."}));
    EXPECT_EQ(Split(Split(skipped.out)[17], '\t')[0], "#1 -> #4");
    const CliResult fault = run("calc", "760\t100\t10\n");
    EXPECT_EQ(fault.status, 1);
    EXPECT_EQ(fault.err, "Error occured ! Please check input data.\n");
    // Blank lines are not rows: six rows and blank lines are six, a seventh is refused.
    const std::string six = "760\t20\t50\n760\t21\t50\n760\t22\t50\n760\t23\t50\n760\t24\t50\n760\t25\t50\n";
    const CliResult blank = run("calc", "\n" + six + "\n  \n\r\n");
    EXPECT_EQ(blank.status, 0) << blank.err;
    EXPECT_EQ(blank.err, "");
    EXPECT_EQ(run("calc", six + "760\t30\t50\n").status, 2);
}

TEST_F(Cli, PlotOfTheDefaultChartAndOfADataFile) {
    auto plotOf = [](const ChartSettings& s) {
        Chart chart;
        chart.settings = s;
        std::ostringstream out;
        WritePlotFile(out, chart, nullptr);
        return out.str();
    };
    ASSERT_EQ(run("plot corvane.pgl").status, 0);
    EXPECT_EQ(ReadFile(path("corvane.pgl")), plotOf(DefaultChartSettings()));
    ChartSettings s = DefaultChartSettings();
    s.DiagramType = 0, s.MinDryBulb = 0, SetLineOn(s, ChartLine::Volume, false), s.MaxAbsHum = 40;
    const CliResult r = run("plot --data=" + dataFile(s) + " --paper B4 b4.pgl");
    ASSERT_EQ(r.status, 0) << r.err;
    s.PlotterP2X = 12500, s.PlotterP2Y = 8750;
    EXPECT_EQ(ReadFile(path("b4.pgl")), plotOf(s));
    EXPECT_NE(r.err.find("note: Hum. is "), std::string::npos) << r.err; // the top-humidity notice
}

TEST_F(Cli, RenderSizeAndARefusedRange) {
    if (withoutQt())
        GTEST_SKIP() << "built without Qt";
    // The PNG signature, then the width and height in the header chunk: the
    // height is 0.7 of the width, rounded (1001 gives 700.7, so 701).
    ASSERT_EQ(run("render --width 1001 --mono odd.png").status, 0);
    const std::string png = ReadFile(path("odd.png"));
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x03\xe9\0\0\x02\xbd", 8));
    // 200 pixels is the narrowest picture, 199 is refused.
    EXPECT_EQ(run("render --width 200 narrow.png").status, 0);
    // A range the layout refuses (highest temperature below the lowest) is bad
    // input like the others: status 2, and the line saying no picture came out.
    std::ofstream(path("broken.dat")) << "garbage\r\n";
    ChartSettings s = DefaultChartSettings();
    s.MinDryBulb = 20, s.MaxDryBulb = 10;
    dataFile(s, "refused.dat");
    expectRefused({"render --width 199 out.png", "render --dpi 300 out.png", "render --width wide out.png",
                   "render --width 0 out.png", "render --width 100000 out.png", "render out.png --width",
                   "render out.gif", "render --data broken.dat out.png", "render missing/dir/out.png",
                   "render --process-lines out.png", "render --data refused.dat out.png"},
                  {"out.png", "out.gif"});
    EXPECT_NE(run("render --data refused.dat out.png").err.find("no picture written"), std::string::npos);

    // The dark yellow of the state marks appears only with the process lines;
    // without states the chart comes alone, with a note.
    std::ofstream(path("states.dat"))
        << "0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n760,27\r\n10,40\r\n17,17\r\n"
           "8,50\r\n10,2\r\n1,1,1\r\n1,1,1,1\r\n1,1,1,1\r\n25,50\r\n0,0\r\n0,0\r\n15,90\r\n0,0\r\n0,0\r\n";
    const CliResult lines = run("render --data states.dat --process-lines lines.svg && CLI render --data states.dat "
                                "plain.svg && CLI render --data " +
                                dataFile(ChartSettings{}) + " --process-lines e.svg");
    EXPECT_EQ(lines.status, 0) << lines.err;
    EXPECT_NE(ReadFile(path("lines.svg")).find("#808000"), std::string::npos);
    EXPECT_EQ(ReadFile(path("plain.svg")).find("#808000"), std::string::npos);
    EXPECT_NE(lines.err.find("holds no states"), std::string::npos);
}

// A write that fails half-way (a 4 KiB file-size limit stands for a full
// disk) leaves the earlier file of that name as it was, and says the
// system's reason once.
TEST_F(CliFaults, AFailedWriteKeepsTheEarlierFileAndSaysWhyOnce) {
    std::ofstream(path("k.pgl")) << "EARLIER\n";
    const CliResult r = sh("ulimit -f 4; trap '' XFSZ; CLI plot k.pgl");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "hygrana-cli plot: cannot write k.pgl: File too large; no plot file written\n");
    EXPECT_EQ(ReadFile(path("k.pgl")), "EARLIER\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 4); // k.pgl and the three std files
    // Standard output that cannot be written is a failure with its reason.
    for (const char* command : {"CLI air 760 25 10 > /dev/full", "printf '760\\t25\\t50\\n' | CLI calc > /dev/full"}) {
        const CliResult full = sh(command);
        EXPECT_EQ(full.status, 2) << command;
        EXPECT_NE(full.err.find("cannot write standard output: No space left on device"), std::string::npos)
            << command << ": " << full.err;
    }
}

// A picture export that fails half-way over an earlier picture leaves that
// picture whole, in every format, and says why once; no display is needed.
TEST_F(CliFaults, AFailedPictureKeepsTheEarlierPicture) {
    if (withoutQt())
        GTEST_SKIP() << "built without Qt";
    for (const char* name : {"k.png", "k.bmp", "k.svg", "k.pdf"}) {
        std::ofstream(path(name)) << "EARLIER\n";
        const CliResult r = sh(std::string("ulimit -f 4; trap '' XFSZ; CLI render --width 1000 ") + name);
        EXPECT_NE(r.status, 0) << name;
        EXPECT_TRUE(ReadFile(path(name)) == "EARLIER\n") << name << " was changed";
        EXPECT_EQ(r.err.find("cannot write"), r.err.rfind("cannot write")) << r.err;
        EXPECT_NE(r.err.find(std::string("cannot write ") + name + ": File too large"), std::string::npos) << r.err;
    }
    // A platform named for the desktop cannot start without a display (a
    // script over ssh or cron): render never needs one.
    for (const char* platform : {"xcb", "wayland", "bogus"}) {
        const CliResult r = sh(std::string("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=") + platform +
                               " CLI render --width 200 q.png");
        EXPECT_EQ(r.status, 0) << platform << ": " << r.err;
        EXPECT_EQ(ReadFile(path("q.png")).substr(1, 3), "PNG") << platform;
        fs::remove(path("q.png"));
    }
}

// Endless input is refused early with a clear message, and what is quoted
// from it is short and escaped. The memory limit (256 MB) stops a reader
// that would keep everything.
TEST_F(CliFaults, InputIsBoundedAndQuotedSafely) {
    const std::string limit = "ulimit -v 262144; timeout 20 ";
    const CliResult data = sh(limit + "CLI plot --data /dev/zero k.pgl");
    EXPECT_EQ(data.status, 2);
    EXPECT_NE(data.err.find("Line 1 of the data file is not valid: it is longer than"), std::string::npos) << data.err;
    EXPECT_LT(data.err.size(), 400u);
    for (const char* command : {"air", "calc"}) {
        const CliResult r = sh(limit + "CLI " + command + " < /dev/zero");
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_NE(r.err.find("line 1 is longer than"), std::string::npos) << command << ": " << r.err;
    }
    // Endless lines in a data file: refused at the first line too many.
    std::string many = "0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n760,27\r\n10,40\r\n17,17\r\n8,50\r\n10,6\r\n"
                       "1,1,1\r\n1,1,1,1\r\n1,1,1,1\r\n";
    for (int i = 0; i < 1000000; ++i)
        many += i % 3 == 0 ? "20,50\r\n" : "0,0\r\n";
    std::ofstream(path("many.dat"), std::ios::binary) << many;
    EXPECT_NE(sh(limit + "CLI plot --data many.dat k.pgl").err.find("Line 31 of the data file is not valid"),
              std::string::npos);

    std::ofstream(path("field.txt"), std::ios::binary)
        << "760 \x1b]0;owned\x07\x1b[2J" << std::string(1000000, '7') << "x 10\n";
    const CliResult air = sh("CLI air < field.txt");
    EXPECT_EQ(air.status, 2);
    EXPECT_EQ(air.err.find('\x1b'), std::string::npos);
    EXPECT_LT(air.err.size(), 300u) << air.err.substr(0, 300);
    const CliResult arg = sh("CLI air 760 \"$(printf '\\033[31mred')\" 10");
    EXPECT_EQ(arg.status, 2);
    EXPECT_NE(arg.err.find("'\\x1b[31mred'"), std::string::npos) << arg.err;
}

} // namespace
} // namespace hyg
