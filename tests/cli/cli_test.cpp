// hygrana-cli driven as a script would drive it: air and calc through
// standard input and output, plot and render with the files they write;
// their exit status, and that bad input leaves no output behind.
#include "files/data_file.h"
#include "chart/chart_settings.h"
#include "files/plot_file.h"

#include "cli_fixture.h"

#include <string>
#include <vector>

namespace hyg {
namespace {

namespace fs = std::filesystem;

using Result = CliResult;
const auto Read = ReadFile;

// The lines of an output (sep '\n') or the cells of a table row (sep '\t',
// an empty last cell kept).
std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string piece; std::getline(in, piece, sep);)
        out.push_back(piece);
    if (sep == '\t' && (text.empty() || text.back() == '\t'))
        out.push_back("");
    return out;
}
std::vector<std::string> Lines(const std::string& text) {
    return Split(text, '\n');
}
std::vector<std::string> Cells(const std::string& line) {
    return Split(line, '\t');
}

std::string PlotOf(ChartSettings s) {
    Chart chart;
    chart.settings = s;
    std::ostringstream out;
    WritePlotFile(out, chart, nullptr);
    return out.str();
}

class Cli : public CliFixture {
protected:
    std::string dataFile(const ChartSettings& s, const std::string& name = "chart.dat") const {
        WriteDataFile(path(name), s, StatePointList{});
        return quoted(name);
    }

    // Expects every command to be refused with status 2 and a message, with
    // no file of `outputs` written.
    void expectRefused(const std::vector<std::pair<const char*, std::string>>& cases,
                       const std::vector<std::string>& outputs = {}) const {
        for (const auto& [what, args] : cases) {
            const Result r = run(args, "760\t25\t50\n");
            EXPECT_EQ(r.status, 2) << what;
            EXPECT_FALSE(r.err.empty()) << what;
            EXPECT_TRUE(r.out.empty()) << what;
            for (const std::string& o : outputs)
                EXPECT_FALSE(fs::exists(path(o))) << what << ": " << o;
        }
    }
};

TEST_F(Cli, UsageVersionAndUnknownCommand) {
    // No command is a mistake: the usage on stderr, nothing on stdout.
    const Result usage = run("");
    EXPECT_EQ(usage.status, 2);
    EXPECT_TRUE(usage.out.empty());
    EXPECT_NE(usage.err.find("usage: hygrana-cli"), std::string::npos);
    const Result help = run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: hygrana-cli"), std::string::npos);
    const Result version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("hygrana-cli ") + HYGRANA_VERSION + "\n");
    expectRefused({{"unknown command", "frobnicate"}});
}

TEST_F(Cli, AirFromArgumentsAndStandardInput) {
    const Result one = run("air 760 25 10");
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out, "20.0665455 17.993782 50.6279526 12.0923424 14.0544186 0.858302294\n");
    // A fault prints "error" and the next line goes on; alone, it exits with 1.
    const auto lines = Lines(run("air", "760 25 10\n760 100 0\n\n760 0 2\n").out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "error"); // saturation pressure equal to the air pressure
    EXPECT_EQ(lines[2].substr(0, lines[2].find(' ', lines[2].find(' ') + 1)), "3.77138543 -2.7879777");
    const Result fault = run("air 760 100 0");
    EXPECT_EQ(fault.status, 1);
    EXPECT_EQ(fault.out, "error\n");

    expectRefused({{"two numbers", "air 760 25"},
                   {"text", "air 760 x 10"},
                   {"four numbers", "air 760 25 10 3"},
                   {"beyond a single", "air 1e40 25 10"},
                   {"beyond a double", "air 760 1e400 10"},
                   {"trailing text", "air 760 25 10abc"}});
    const Result line = run("air", "760 25 10\n760 twenty 10\n");
    EXPECT_EQ(line.status, 2);
    EXPECT_NE(line.err.find("line 2"), std::string::npos);
}

TEST_F(Cli, CalcPrintsTheThreeTables) {
    const Result r = run("calc", "760\t25\t50.63\n760\t15\t\t12\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 7u + 1 + 7 + 1 + 6);
    EXPECT_EQ(lines[0], "No.\tPress. mmHg\tD.B.T. \u00b0C\tR.Hum* %\tW.B.T* \u00b0C");
    EXPECT_EQ(lines[1], "#1\t760\t25\t50.63\t17.99");
    EXPECT_EQ(Cells(lines[2])[3], "70.71"); // derived from the wet bulb
    EXPECT_EQ(lines[9], "#1\t49.835\t12.025\t.01\t.02007\t12.092\t.8583\t1.1767");
    const auto p = Cells(lines[17]);
    ASSERT_EQ(p.size(), 11u);
    EXPECT_EQ(p[0] + "|" + p[1] + "|" + p[5], "#1 -> #2|-10.00|-0.126");
    // The options reach the tables.
    const std::string input = "760\t25\t50\n760\t15\t90\n";
    EXPECT_NE(Cells(Lines(run("calc --flow 100", input).out)[17])[6], Cells(Lines(run("calc", input).out)[17])[6]);
    EXPECT_NE(Lines(run("calc --unit-system 3", input).out)[16].find("Btu/h"), std::string::npos);
}

TEST_F(Cli, AirInOtherUnitsAndFormatsForScripts) {
    // The state of the first air test, given in kPa, in atm and by its
    // relative humidity: the same six values (the humidity in place of the
    // relative humidity with --rh).
    const std::string six = "20.0665455 17.993782 50.6279526 12.0923424 14.0544186 0.858302294\n";
    EXPECT_EQ(run("air --pressure-unit kPa 101.325 25 10").out, six);
    EXPECT_EQ(run("air --pressure-unit 3 1 25 10").out, six);
    const auto rh = Split(run("air --rh 760 25 50.6279526").out, ' ');
    ASSERT_EQ(rh.size(), 6u);
    EXPECT_NEAR(std::stod(rh[2]), 10, 1e-5);

    const std::string header = "pressure [mmHg]\tdry_bulb [deg C]\tabs_humidity [g/kgDA]\trel_humidity [%]\t"
                               "sat_abs_humidity [g/kgDA]\twet_bulb [deg C]\tenthalpy [kcal/kgDA]\t"
                               "dew_point [deg C]\tspecific_volume [m3/kgDA]\n";
    const std::string row = "760\t25\t10\t50.6279526\t20.0665455\t17.993782\t12.0923424\t14.0544186\t0.858302294\n";
    EXPECT_EQ(run("air --format tsv 760 25 10").out, header + row);
    EXPECT_EQ(run("air --format tsv", "760 25 10\n\n760 25 10\n").out, header + row + row);
    const auto csv = Lines(run("air --format csv --rh --pressure-unit atm 1 25 50").out);
    ASSERT_EQ(csv.size(), 2u);
    EXPECT_EQ(csv[0].substr(0, 33), "pressure [atm],dry_bulb [deg C],a");
    EXPECT_EQ(csv[1].substr(0, 5), "1,25,");
    EXPECT_EQ(Split(csv[1], ',')[3], "50");
    const Result json = run("air --format json 760 25 10");
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out.rfind("{\n  \"air\": {\"units\": {\"pressure\": \"mmHg\", \"dry_bulb\": \"deg C\"", 0), 0u);
    EXPECT_NE(json.out.find("{\"pressure\": 760, \"dry_bulb\": 25, \"abs_humidity\": 10, \"rel_humidity\": 50.6279526"),
              std::string::npos);
    const std::string end = "}\n  ]}\n}\n";
    EXPECT_EQ(json.out.substr(json.out.size() - end.size()), end);

    expectRefused({{"unknown format", "air --format xml 760 25 10"},
                   {"unknown pressure unit", "air --pressure-unit psi 14.7 25 10"},
                   {"pressure outside in its unit", "air --pressure-unit 2 10 25 10"},
                   {"humidity above 100 %", "air --rh 760 25 101"},
                   {"vapour pressure reaching the pressure", "air --rh 228 100 50"}});
}

TEST_F(Cli, CalcFormatsForScripts) {
    const std::string input = "760\t25\t50.63\n760\t15\t\t12\n";
    const auto csv = Lines(run("calc --format csv", input).out);
    ASSERT_EQ(csv.size(), 3u + 1 + 3 + 1 + 2);
    EXPECT_EQ(csv[0], "state,pressure [mmHg],dry_bulb [\u00b0C],rel_humidity [%],wet_bulb [\u00b0C]");
    EXPECT_EQ(csv[1], "#1,760,25,50.63,17.99");
    // Numbers as shown, with a zero before a bare point.
    EXPECT_EQ(csv[5], "#1,49.835,12.025,0.01,0.02007,12.092,0.8583,1.1767");
    EXPECT_EQ(csv[8].substr(0, 45), "process,dry_bulb_change [\u00b0C],abs_humidity_ch");
    EXPECT_EQ(csv[9].substr(0, 16), "#1 -> #2,-10.00,");
    const std::string json = run("calc --format json --unit-system 2", input).out;
    for (const char* part : {"\"input\": {\"units\": {\"pressure\": \"mmHg\"", "\"enthalpy\": \"kJ/kgDA\"",
                             "{\"state\": \"#1\", \"pressure\": 760, \"dry_bulb\": 25, \"rel_humidity\": 50.63",
                             "\"abs_humidity\": 0.01,", "\"processes\": {", "{\"process\": \"#1 -> #2\", \"dry_bulb_change\": -10,"})
        EXPECT_NE(json.find(part), std::string::npos) << part;
    // Dry air: the tables show its zeros as a bare point, scripts get 0.
    EXPECT_EQ(Lines(run("calc --format csv", "760\t25\t0\n").out)[4].substr(0, 12), "#1,0,0,0,0.0");
    expectRefused({{"unknown format", "calc --format yaml"}});
}

TEST_F(Cli, CalcMessagesFaultAndRefusals) {
    const Result r = run("calc", "760\t25\t50\n760\t120\t50\n\t20\t50\n760\t20\t50\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Lines(r.err), (std::vector<std::string>{
                                "D.B.Temp.   The value should be from -15  to   99.9 . Please change this value.",
                                "Atm. Press.   The value should be from  228  to   3800 . Please change this value."}));
    EXPECT_EQ(Cells(Lines(r.out)[17])[0], "#1 -> #4");

    const Result fault = run("calc", "760\t100\t10\n");
    EXPECT_EQ(fault.status, 1);
    EXPECT_EQ(fault.err, "Error occured ! Please check input data.\n");

    expectRefused({{"flow without value", "calc --flow"},
                   {"flow not a number", "calc --flow abc"},
                   {"flow beyond a double", "calc --flow 1e400"},
                   {"unit system 4", "calc --unit-system 4"},
                   {"pressure unit x", "calc --pressure-unit x"},
                   {"argument", "calc extra"}});
    EXPECT_EQ(run("calc", "1\n2\n3\n4\n5\n6\n7\n").status, 2);
    EXPECT_EQ(run("calc", "760\t25\t50\t\t9\n").status, 2);
}

TEST_F(Cli, PlotOfTheDefaultChartAndOfADataFile) {
    Result r = run("plot " + quoted("corvane.pgl"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Read(path("corvane.pgl")), PlotOf(DefaultChartSettings()));

    ChartSettings s = DefaultChartSettings();
    s.DiagramType = 0, s.MinDryBulb = 0, s.LineSwitch[2] = 0, s.MaxAbsHum = 40;
    r = run("plot --data=" + dataFile(s) + " --paper B4 " + quoted("b4.pgl"));
    ASSERT_EQ(r.status, 0) << r.err;
    SetPlotterPaper(s, PlotterPaper::B4);
    EXPECT_EQ(Read(path("b4.pgl")), PlotOf(s));
    // The top-humidity notice is a note on standard error.
    EXPECT_NE(r.err.find("note: Hum. is "), std::string::npos) << r.err;
}

TEST_F(Cli, PlotRefusesBadInputAndWritesNothing) {
    std::ofstream(path("broken.dat")) << "0,15000\r\n0,10500\r\n";
    ChartSettings flat = DefaultChartSettings();
    flat.MinDryBulb = flat.MaxDryBulb = 20; // both on the dialogs' lists; no span to draw
    const std::string out = quoted("out.pgl");
    expectRefused({{"unknown option", "plot --colour " + out},
                   {"no output", "plot"},
                   {"two outputs", "plot " + out + " " + quoted("other.pgl")},
                   {"bad paper", "plot --paper A5 " + out},
                   {"missing data file", "plot --data " + quoted("none.dat") + " " + out},
                   {"malformed data file", "plot --data " + quoted("broken.dat") + " " + out},
                   {"no temperature span", "plot --data " + dataFile(flat, "flat.dat") + " " + out},
                   {"unwritable output", "plot " + quoted("missing/dir/out.pgl")}},
                  {"out.pgl", "other.pgl"});
    EXPECT_NE(run("plot --data " + quoted("broken.dat") + " " + out).err.find("Line 3 of the data file"),
              std::string::npos);
}

TEST_F(Cli, RenderPicturesAndRefusals) {
    if (withoutQt())
        GTEST_SKIP() << "built without Qt";
    ASSERT_EQ(run("render --width 640 --mono " + quoted("mono.png")).status, 0);
    // The PNG signature, then width 640 and height 448 in the header chunk.
    const std::string png = Read(path("mono.png"));
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x02\x80\0\0\x01\xc0", 8));

    std::ofstream(path("broken.dat")) << "garbage\r\n";
    const std::string out = quoted("out.png");
    expectRefused({{"unknown option", "render --dpi 300 " + out},
                   {"width not a number", "render --width wide " + out},
                   {"width zero", "render --width 0 " + out},
                   {"width too large", "render --width 100000 " + out},
                   {"width without value", "render " + out + " --width"},
                   {"unknown format", "render " + quoted("out.gif")},
                   {"malformed data file", "render --data " + quoted("broken.dat") + " " + out},
                   {"unwritable output", "render " + quoted("missing/dir/out.png")}},
                  {"out.png", "out.gif"});
}

TEST_F(Cli, RenderSizeAndARefusedRange) {
    if (withoutQt())
        GTEST_SKIP() << "built without Qt";
    // The height is 0.7 of the width, rounded: 1001 gives 700.7, so 701.
    ASSERT_EQ(run("render --width 1001 " + quoted("odd.png")).status, 0);
    EXPECT_EQ(Read(path("odd.png")).substr(16, 8), std::string("\0\0\x03\xe9\0\0\x02\xbd", 8));
    // 200 pixels is the narrowest picture, 199 is refused.
    EXPECT_EQ(run("render --width 200 " + quoted("narrow.png")).status, 0);
    expectRefused({{"width 199", "render --width 199 " + quoted("tiny.png")}}, {"tiny.png"});

    // A range the layout refuses (highest temperature below the lowest) is
    // bad input: status 2 and the line saying that no picture came out.
    ChartSettings s = DefaultChartSettings();
    s.MinDryBulb = 20, s.MaxDryBulb = 10;
    const Result r = run("render --data " + dataFile(s) + " " + quoted("refused.png"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("no picture written"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("refused.png")));
}

TEST_F(Cli, RenderProcessLinesOfADataFile) {
    if (withoutQt())
        GTEST_SKIP() << "built without Qt";
    StatePointList states;
    states.count = 3;
    const float t[] = {25, 15, 30}, rh[] = {50, 90, 30};
    for (std::size_t i = 1; i <= 3; ++i)
        states.dryBulb[i] = t[i - 1], states.relHum[i] = rh[i - 1], states.pressure[i] = 760;
    WriteDataFile(path("states.dat"), ChartSettings{}, states);
    // The dark yellow of the state marks appears only with the process lines.
    const std::string darkYellow = "#808000";
    ASSERT_EQ(run("render --data " + quoted("states.dat") + " --process-lines " + quoted("lines.svg")).status, 0);
    EXPECT_NE(Read(path("lines.svg")).find(darkYellow), std::string::npos);
    ASSERT_EQ(run("render --data " + quoted("states.dat") + " " + quoted("plain.svg")).status, 0);
    EXPECT_EQ(Read(path("plain.svg")).find(darkYellow), std::string::npos);
    // Without states: the chart alone and a note; without a data file: refused.
    const Result empty = run("render --data " + dataFile(ChartSettings{}) + " --process-lines " + quoted("e.svg"));
    EXPECT_EQ(empty.status, 0);
    EXPECT_NE(empty.err.find("holds no states"), std::string::npos);
    expectRefused({{"no data file", "render --process-lines " + quoted("x.png")}}, {"x.png"});
}

} // namespace
} // namespace hyg
