// hygrana-cli plot and render, driven as a user would: the files they write,
// their exit status, and that bad input leaves no output behind.
#include "app/data_file.h"
#include "chart/chart_settings.h"
#include "output/plot_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace hyg {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string err;
};

class CliTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("hygrana_cli_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    // Runs the command line with the arguments (already quoted as needed).
    Outcome run(const std::string& args) const {
        const std::string errFile = path("stderr.txt");
        const std::string command = std::string("\"") + HYGRANA_CLI + "\" " + args + " > /dev/null 2> \"" + errFile + "\"";
        const int raw = std::system(command.c_str());
        Outcome r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.err = read(errFile);
        fs::remove(errFile);
        return r;
    }

    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::string dataFile(const ChartSettings& s, const std::string& name = "chart.dat") const {
        WriteDataFile(path(name), s, StatePointList{});
        return path(name);
    }

    fs::path dir_;
};

std::string PlotOf(ChartSettings s) {
    Chart chart;
    chart.settings = s;
    std::ostringstream out;
    WritePlotFile(out, chart, nullptr);
    return out.str();
}

// Width and height from a PNG header.
std::pair<std::uint32_t, std::uint32_t> PngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
    auto be = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    return {be(16), be(20)};
}

TEST_F(CliTest, PlotOfTheDefaultChart) {
    const Outcome r = run("plot \"" + path("corvane.pgl") + "\"");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read(path("corvane.pgl")), PlotOf(DefaultChartSettings()));
}

TEST_F(CliTest, PlotOnB4PaperFromADataFile) {
    ChartSettings s = DefaultChartSettings();
    s.DiagramType = 0;
    s.MinDryBulb = 0;
    s.LineSwitch[2] = 0;
    const std::string data = dataFile(s);
    const Outcome r = run("plot --data \"" + data + "\" --paper B4 \"" + path("b4.pgl") + "\"");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = read(path("b4.pgl"));
    EXPECT_NE(text.find("IP 0 , 0 , 12500 , 8750 \x03"), std::string::npos);
    SetPlotterPaper(s, PlotterPaper::B4);
    EXPECT_EQ(text, PlotOf(s));
}

TEST_F(CliTest, TopHumidityNoticeIsANoteOnStderr) {
    ChartSettings s = DefaultChartSettings();
    s.MaxAbsHum = 40;
    const Outcome r = run("plot --data=\"" + dataFile(s) + "\" \"" + path("n.pgl") + "\"");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("note: Hum. is 27 x1000 on diagram."), std::string::npos) << r.err;
    EXPECT_TRUE(fs::exists(path("n.pgl")));
}

TEST_F(CliTest, PlotRefusesBadInputAndWritesNothing) {
    std::ofstream(path("broken.dat")) << "0,15000\r\n0,10500\r\n";
    ChartSettings flat = DefaultChartSettings();
    flat.MinDryBulb = 20;
    flat.MaxDryBulb = 20; // both on the dialogs' lists; no span to draw
    const std::string flatData = dataFile(flat, "flat.dat");
    const std::string out = "\"" + path("out.pgl") + "\"";
    const std::pair<const char*, std::string> cases[] = {
        {"unknown option", "plot --colour " + out},
        {"no output", "plot"},
        {"two outputs", "plot " + out + " \"" + path("other.pgl") + "\""},
        {"bad paper", "plot --paper A5 " + out},
        {"missing data file", "plot --data \"" + path("none.dat") + "\" " + out},
        {"malformed data file", "plot --data \"" + path("broken.dat") + "\" " + out},
        {"no temperature span", "plot --data \"" + flatData + "\" " + out},
        {"unwritable output", "plot \"" + path("missing/dir/out.pgl") + "\""},
    };
    for (const auto& [what, args] : cases) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << what;
        EXPECT_FALSE(r.err.empty()) << what;
        EXPECT_FALSE(fs::exists(path("out.pgl"))) << what;
        EXPECT_FALSE(fs::exists(path("other.pgl"))) << what;
    }
    EXPECT_NE(run("plot --data \"" + path("broken.dat") + "\" " + out).err.find("Line 3 of the data file"),
              std::string::npos);
}

class CliRenderTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        const Outcome probe = run("render \"" + path("probe.png") + "\"");
        if (probe.err.find("needs the Qt build") != std::string::npos) GTEST_SKIP() << "built without Qt";
        fs::remove(path("probe.png"));
    }
};

TEST_F(CliRenderTest, PngOfTheDefaultWidthAndAGivenOne) {
    Outcome r = run("render \"" + path("chart.png") + "\"");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(PngSize(read(path("chart.png"))), std::make_pair(1000u, 700u));
    r = run("render --width 640 --mono \"" + path("mono.png") + "\"");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(PngSize(read(path("mono.png"))), std::make_pair(640u, 448u));
}

TEST_F(CliRenderTest, VectorAndBitmapFormats) {
    ASSERT_EQ(run("render --width=800 \"" + path("chart.svg") + "\"").status, 0);
    EXPECT_NE(read(path("chart.svg")).find("<svg"), std::string::npos);
    ASSERT_EQ(run("render \"" + path("chart.pdf") + "\"").status, 0);
    EXPECT_EQ(read(path("chart.pdf")).rfind("%PDF", 0), 0u);
    ASSERT_EQ(run("render \"" + path("chart.bmp") + "\"").status, 0);
    EXPECT_EQ(read(path("chart.bmp")).rfind("BM", 0), 0u);
}

TEST_F(CliRenderTest, RefusesBadInputAndWritesNothing) {
    std::ofstream(path("broken.dat")) << "garbage\r\n";
    const std::string out = "\"" + path("out.png") + "\"";
    const std::pair<const char*, std::string> cases[] = {
        {"unknown option", "render --dpi 300 " + out},
        {"width not a number", "render --width wide " + out},
        {"width zero", "render --width 0 " + out},
        {"width too large", "render --width 100000 " + out},
        {"width without value", "render " + out + " --width"},
        {"unknown format", "render \"" + path("out.gif") + "\""},
        {"malformed data file", "render --data \"" + path("broken.dat") + "\" " + out},
        {"unwritable output", "render \"" + path("missing/dir/out.png") + "\""},
    };
    for (const auto& [what, args] : cases) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << what;
        EXPECT_NE(r.err.find("hygrana-cli render: "), std::string::npos) << what;
        EXPECT_FALSE(fs::exists(path("out.png"))) << what;
        EXPECT_FALSE(fs::exists(path("out.gif"))) << what;
    }
}

} // namespace
} // namespace hyg
