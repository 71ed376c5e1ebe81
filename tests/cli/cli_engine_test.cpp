// hygrana-cli air and calc, driven as a script would drive them.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs hygrana-cli with the arguments (already quoted for the shell) and the
// given standard input.
Result RunCli(const std::string& args, const std::string& input = "") {
    const std::string base = ::testing::TempDir() + "/hyg_cli_" + std::to_string(::getpid());
    {
        std::ofstream in(base + ".in", std::ios::binary);
        in << input;
    }
    const std::string cmd = std::string("\"") + HYGRANA_CLI + "\" " + args + " < \"" + base + ".in\" > \"" + base +
                            ".out\" 2> \"" + base + ".err\"";
    const int raw = std::system(cmd.c_str());
    Result r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadFile(base + ".out");
    r.err = ReadFile(base + ".err");
    return r;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    for (char c : line) {
        if (c == '\t') {
            cells.push_back(cell);
            cell.clear();
        } else {
            cell.push_back(c);
        }
    }
    cells.push_back(cell);
    return cells;
}

} // namespace

TEST(CliUsage, NoArgumentsPrintsUsage) {
    const Result r = RunCli("");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("usage: hygrana-cli"), std::string::npos);
}

TEST(CliUsage, UnknownCommandIsRefused) {
    const Result r = RunCli("frobnicate");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown command"), std::string::npos);
    EXPECT_TRUE(r.out.empty());
}

TEST(CliAir, OneStateFromArguments) {
    const Result r = RunCli("air 760 25 10");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "20.0665455 17.993782 50.6279526 12.0923424 14.0544186 0.858302294\n");
}

TEST(CliAir, StatesFromStandardInputWithAFaultInBetween) {
    const Result r = RunCli("air", "760 25 10\n760 -300 1\n\n760 0 2\n");
    EXPECT_EQ(r.status, 0);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "error"); // below absolute zero
    EXPECT_EQ(lines[2].substr(0, lines[2].find(' ', lines[2].find(' ') + 1)), "3.77138543 -2.7879777");
}

TEST(CliAir, BadInputIsRefused) {
    for (const char* args : {"air 760 25", "air 760 x 10", "air 760 25 10 3", "air 1e40 25 10", "air 760 25 10abc"}) {
        const Result r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_FALSE(r.err.empty()) << args;
        EXPECT_TRUE(r.out.empty()) << args;
    }
    const Result line = RunCli("air", "760 25 10\n760 twenty 10\n");
    EXPECT_EQ(line.status, 2);
    EXPECT_NE(line.err.find("line 2"), std::string::npos);
}

TEST(CliAir, FaultOfTheArgumentStatePrintsError) {
    const Result r = RunCli("air 760 -300 1");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "error\n");
}

TEST(CliCalc, ThreeBlocksWithHeadingsAndRows) {
    const Result r = RunCli("calc", "760\t25\t50.63\n760\t15\t\t12\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 7u + 1 + 7 + 1 + 6);
    EXPECT_EQ(lines[0], "No.\tPress. mmHg\tD.B.T. \u00b0C\tR.Hum* %\tW.B.T* \u00b0C");
    EXPECT_EQ(lines[1], "#1\t760\t25\t50.63\t17.99");
    EXPECT_EQ(Cells(lines[2])[3], "70.71"); // derived from the wet bulb
    EXPECT_EQ(lines[6], "#6\t760\t\t\t");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(Cells(lines[8])[6], "S.Volume m\u00b3/kgDA");
    EXPECT_EQ(lines[9], "#1\t49.835\t12.025\t.01\t.02007\t12.092\t.8583\t1.1767");
    EXPECT_EQ(lines[11], "#3\t\t\t\t\t\t\t");
    EXPECT_EQ(lines[15], "");
    EXPECT_EQ(Cells(lines[16])[3], "Entahlpy kcal/kgDA");
    const auto p = Cells(lines[17]);
    ASSERT_EQ(p.size(), 11u);
    EXPECT_EQ(p[0], "#1 -> #2");
    EXPECT_EQ(p[1], "-10.00");
    EXPECT_EQ(p[5], "-0.126");
    EXPECT_EQ(Cells(lines[18])[0], "");
}

TEST(CliCalc, FlowAndUnitSystem) {
    const std::string input = "760\t25\t50\n760\t15\t90\n";
    const auto base = Cells(Lines(RunCli("calc", input).out)[17]);
    const auto twice = Cells(Lines(RunCli("calc --flow 100", input).out)[17]);
    EXPECT_EQ(base[1], twice[1]);
    EXPECT_NE(base[6], twice[6]);
    const Result ip = RunCli("calc --unit-system 3", input);
    EXPECT_NE(Lines(ip.out)[16].find("Btu/h"), std::string::npos);
    const Result kpa = RunCli("calc --pressure-unit 2", "101.325\t25\t50\n");
    EXPECT_EQ(Lines(kpa.out)[0].substr(0, 15), "No.\tPress. kPa\t");
    EXPECT_EQ(Cells(Lines(kpa.out)[2])[1], "101.325"); // the default pressure in kPa
    EXPECT_EQ(Cells(Lines(kpa.out)[1])[4], "17.89");
}

TEST(CliCalc, RangeMessagesOnStandardErrorOneLineEach) {
    const Result r = RunCli("calc", "760\t25\t50\n760\t120\t50\n\t20\t50\n760\t20\t50\n");
    EXPECT_EQ(r.status, 0);
    const auto err = Lines(r.err);
    ASSERT_EQ(err.size(), 2u);
    EXPECT_EQ(err[0], "D.B.Temp.   The value should be from -15  to   99.9 . Please change this value.");
    EXPECT_EQ(err[1], "Atm. Press.   The value should be from  228  to   3800 . Please change this value.");
    EXPECT_EQ(Cells(Lines(r.out)[17])[0], "#1 -> #4");
}

TEST(CliCalc, FaultReportsTheCalculateMessage) {
    const Result r = RunCli("calc", "760\t100\t10\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error occured ! Please check input data.\n");
    EXPECT_FALSE(r.out.empty());
}

TEST(CliCalc, BadCommandLineOrInputIsRefused) {
    for (const char* args : {"calc --flow", "calc --flow abc", "calc --unit-system 4", "calc --pressure-unit x",
                             "calc --bogus 1", "calc extra"}) {
        const Result r = RunCli(args, "760\t25\t50\n");
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_FALSE(r.err.empty()) << args;
        EXPECT_TRUE(r.out.empty()) << args;
    }
    EXPECT_EQ(RunCli("calc", "1\n2\n3\n4\n5\n6\n7\n").status, 2);
    EXPECT_EQ(RunCli("calc", "760\t25\t50\t\t9\n").status, 2);
}
