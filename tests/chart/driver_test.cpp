// The chart driver: the gates of the families, the draw count and the
// process-line step; each switch against its family in both modes; the
// colour tables on the canvas; and a sweep of ranges, pressures, diagram
// types and unit systems through every family and the whole chart.
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace hyg {
namespace {

using namespace test;

std::vector<std::string> Pens(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : WithPrefix(lines, "SP"))
        out.push_back(l.substr(0, 3));
    return out;
}

std::vector<std::string> WholeChart(Laid& l, const std::function<void(PenPlotter&)>& process = {}) {
    return FileLines(l, [&](PenPlotter& dev) { DrawChart(dev, l.chart, l.frame, process); });
}

TEST(DrawChart, GatesDrawCountAndProcessStep) {
    Laid l([](ChartSettings& s) { s.LineSwitch.setAll(false); });
    // Only 1 opens the process gate: the frame families alone, no process lines.
    l.chart.settings.DrawProcessLines = 2;
    int processCalls = 0;
    const auto count = [&](PenPlotter&) { ++processCalls; };
    EXPECT_EQ(Pens(WholeChart(l, count)), (std::vector<std::string>{"SP3", "SP6", "SP7"}));
    EXPECT_EQ(processCalls, 0);
    // Drawing leaves the count to its caller, which stops at the 16-bit
    // limit instead of failing.
    EXPECT_EQ(l.chart.settings.DrawCount, 0);
    CountDrawing(l.chart.settings);
    EXPECT_EQ(l.chart.settings.DrawCount, 1);
    l.chart.settings.DrawCount = INT16_MAX;
    CountDrawing(l.chart.settings);
    EXPECT_EQ(l.chart.settings.DrawCount, INT16_MAX);

    // Switched on, the process lines come last, on the same device; without
    // a callback the step is simply empty.
    l.chart.settings.DrawProcessLines = 1;
    const auto process = [](PenPlotter& d) { d.text({.text = "PROCESS", .plotAtPen = true}); };
    EXPECT_EQ(WholeChart(l, process).back(), "LBPROCESS\x03");
    EXPECT_NE(WholeChart(l).back(), "LBPROCESS\x03");
}

// One canvas call as text, for comparing call sequences.
std::string Describe(const CanvasCall& c) {
    std::ostringstream os;
    os << static_cast<int>(c.kind) << ' ' << c.x1 << ' ' << c.y1 << ' ' << c.x2 << ' ' << c.y2 << ' ' << c.r << ' '
       << c.a1 << ' ' << c.a2 << ' ' << int(c.colour.r) << ',' << int(c.colour.g) << ',' << int(c.colour.b) << ' '
       << c.style << ' ' << c.text << ' ' << c.font.width << ' ' << c.font.escapement << ' ' << c.points.size() << '\n';
    return os.str();
}

// The whole chart (family < 0) or one family alone, as text in either mode.
std::string Render(Laid& l, bool file, int family = -1) {
    std::ostringstream os;
    RecordingCanvas canvas;
    PlotFileWriter plot(os);
    CanvasWriter screen(l.chart.settings, canvas);
    PenPlotter& dev = file ? static_cast<PenPlotter&>(plot) : screen;
    if (family < 0)
        DrawChart(dev, l.chart, l.frame);
    else
        DrawFamily(static_cast<Family>(family), dev, l);
    for (const CanvasCall& c : canvas.calls)
        os << Describe(c);
    return os.str();
}

TEST(DrawChart, EachSwitchRemovesExactlyItsFamily) {
    for (bool file : {true, false}) {
        Laid l;
        const std::string all = Render(l, file);
        for (int sw = 0; sw <= 7; ++sw) {
            const std::string family = Render(l, file, sw);
            ASSERT_FALSE(family.empty()) << sw;
            const std::size_t at = all.find(family);
            ASSERT_NE(at, std::string::npos) << "family " << sw << " not found in the whole chart";
            std::string without = all;
            without.erase(at, family.size());
            SetLineOn(l.chart.settings, static_cast<ChartLine>(sw), false);
            EXPECT_EQ(Render(l, file), without) << "switch " << sw << (file ? " file" : " draw");
            SetLineOn(l.chart.settings, static_cast<ChartLine>(sw), true);
        }
    }
}

// Every family on the canvas in the pens of its slots (nine distinct
// colours make the slots tell): strokes, texts with their label points, and
// the italic symbols.
TEST(DrawChart, EachFamilyOnTheCanvasWithItsPens) {
    struct Row {
        Family family;
        int strokePen, textPen, symbolPen;
    };
    const Row rows[] = {
        {Family::RelHum, 3, 3, 3},  {Family::SatDegree, 1, 0, 0},       {Family::Volume, 4, 0, 0},
        {Family::WetBulb, 8, 8, 8}, {Family::PartialPressure, 8, 8, 8}, {Family::MoistureRatio, 6, 3, 6},
        {Family::Shf, 3, 3, 3},     {Family::Legend, 0, 0, 0},          {Family::DryBulb, 1, 1, 1},
        {Family::AbsHum, 2, 0, 0},  {Family::Enthalpy, 7, 7, 7}};
    for (const Row& r : rows) {
        Laid l([](ChartSettings& s) {
            for (std::size_t i = 0; i < s.PenColor.size(); ++i)
                s.PenColor[i] = Rgb{static_cast<std::uint8_t>(20 * i), 100, 200};
        });
        RecordingCanvas canvas;
        OnCanvas(l, r.family, canvas);
        ASSERT_FALSE(canvas.calls.empty());
        for (const CanvasCall& c : canvas.calls) {
            const bool label = c.kind == CanvasCall::Kind::Text || c.kind == CanvasCall::Kind::Point;
            const int want = !label ? r.strokePen : c.font.italic ? r.symbolPen : r.textPen;
            EXPECT_EQ(c.colour, l.chart.settings.PenColor[static_cast<std::size_t>(want)])
                << static_cast<int>(r.family) << " " << c.text;
        }
    }
    // The colour table holds black, light blue, magenta and light red; the
    // monochrome one draws the whole chart in one colour.
    for (bool colour : {true, false}) {
        Laid l([&](ChartSettings& s) { s.PenColor = colour ? ColourPenTable() : MonoPenTable(); });
        RecordingCanvas canvas;
        CanvasWriter dev(l.chart.settings, canvas);
        DrawChart(dev, l.chart, l.frame);
        std::set<std::tuple<int, int, int>> used;
        for (const CanvasCall& c : canvas.calls)
            used.insert({c.colour.r, c.colour.g, c.colour.b});
        EXPECT_TRUE(colour || used.size() == 1u);
        for (const Rgb& c : {palette::Black, palette::LightBlue, palette::Magenta, palette::LightRed}) {
            EXPECT_TRUE(!colour || used.count({c.r, c.g, c.b}));
        }
    }
}

// The whole chart and every family alone over the ranges, pressures, types
// and unit systems the dialogs allow, in both modes: a family raises no
// fault, the whole chart only typed ones, and nothing that is not finite
// reaches either sink.
TEST(ChartSweep, RangesPressuresTypesAndUnits) {
    int charts = 0;
    for (float min : {-20.f, -10.f, 0.f, 10.f, 20.f}) {
        for (float max : {10.f, 20.f, 30.f, 35.f, 40.f, 60.f}) {
            for (float p : {700.f, 760.f, 1000.f}) {
                for (std::int16_t type : {0, 1}) {
                    for (UnitSystem unit : {UnitSystem::MetricKcal, UnitSystem::MetricKJ, UnitSystem::Imperial}) {
                        const auto set = [&](ChartSettings& s) {
                            s.MinDryBulb = min, s.MaxDryBulb = max, s.Pressure = s.PressureMmHg = p;
                            s.DiagramType = type, s.EnthalpyUnit = unit;
                        };
                        if (max <= min) {
                            EXPECT_THROW(Laid{set}, LayoutRefused) << min << " to " << max;
                            continue;
                        }
                        Laid l(set);
                        SCOPED_TRACE(testing::Message() << min << ".." << max << " at " << p << " type " << type
                                                        << " unit " << CodeOf(unit));
                        for (bool file : {true, false}) {
                            for (int family = -1; family <= static_cast<int>(Family::Enthalpy); ++family) {
                                std::ostringstream os;
                                RecordingCanvas canvas;
                                PlotFileWriter plot(os);
                                CanvasWriter screen(l.chart.settings, canvas);
                                PenPlotter& dev = file ? static_cast<PenPlotter&>(plot) : screen;
                                try {
                                    if (family < 0)
                                        DrawChart(dev, l.chart, l.frame);
                                    else
                                        DrawFamily(static_cast<Family>(family), dev, l);
                                } catch (const RunTimeFault& e) {
                                    EXPECT_LT(family, 0) << "family " << family << ": " << e.what();
                                } catch (const std::exception& e) {
                                    ADD_FAILURE() << "untyped " << e.what();
                                }
                                std::string text = os.str();
                                for (char& ch : text)
                                    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
                                EXPECT_EQ(text.find("nan"), std::string::npos);
                                EXPECT_EQ(text.find("inf"), std::string::npos);
                                for (const CanvasCall& c : canvas.calls)
                                    ASSERT_TRUE(c.finite());
                            }
                        }
                        ++charts;
                    }
                }
            }
        }
    }
    EXPECT_EQ(charts, 27 * 3 * 2 * 3); // 27 of the 30 ranges have max above min
}

} // namespace
} // namespace hyg
