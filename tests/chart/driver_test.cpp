// The chart driver: the gates of the families, the draw count and the
// process-line step; each switch against its family in both modes. The process lines: points, lines, arrowheads
// and the closing line for 0 to 3 states; arrows point the process way (also
// on a vertical segment); the zero-length segment draws without a fault.
#include "chart/process_lines.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

namespace hyg {
namespace {

using namespace test;

// The whole chart (family < 0) or one family alone, as plot statements or as
// the canvas calls in text.
std::string Render(Laid& l, bool file, int family = -1, const std::function<void(PenPlotter&)>& process = {}) {
    std::ostringstream os;
    RecordingCanvas canvas;
    PlotFileWriter plot(os);
    CanvasWriter screen(l.chart.settings, canvas);
    PenPlotter& dev = file ? static_cast<PenPlotter&>(plot) : screen;
    if (family < 0)
        DrawChart(dev, l.chart, l.frame, process);
    else
        DrawFamily(static_cast<Family>(family), dev, l);
    for (const CanvasCall& c : canvas.calls) {
        os << static_cast<int>(c.kind) << ' ' << c.x1 << ' ' << c.y1 << ' ' << c.x2 << ' ' << c.y2 << ' ' << c.r << ' '
           << c.a1 << ' ' << c.a2 << ' ' << int(c.colour.r) << ',' << int(c.colour.g) << ',' << int(c.colour.b) << ' '
           << c.style << ' ' << c.text << ' ' << c.font.width << ' ' << c.font.escapement << ' ' << c.points.size()
           << '\n';
    }
    return os.str();
}

TEST(DrawChart, GatesDrawCountAndProcessStep) {
    // Only 1 opens the process gate: the frame families alone, no process lines.
    Laid l([](ChartSettings& s) { s.LineSwitch.setAll(false), s.DrawProcessLines = 2; });
    int processCalls = 0;
    std::vector<std::string> pens;
    for (const std::string& line : HpglLines(Render(l, true, -1, [&](PenPlotter&) { ++processCalls; })))
        if (StartsWith(line, "SP"))
            pens.push_back(line.substr(0, 3));
    EXPECT_EQ(pens, (std::vector<std::string>{"SP3", "SP6", "SP7"}));
    EXPECT_EQ(processCalls, 0);
    // Drawing leaves the count to its caller, which stops at the 16-bit limit instead of failing.
    EXPECT_EQ(l.chart.settings.DrawCount, 0);
    CountDrawing(l.chart.settings);
    EXPECT_EQ(l.chart.settings.DrawCount, 1);
    l.chart.settings.DrawCount = INT16_MAX;
    CountDrawing(l.chart.settings);
    EXPECT_EQ(l.chart.settings.DrawCount, INT16_MAX);
    // Switched on, the process lines come last, on the same device; without a callback the step is empty.
    l.chart.settings.DrawProcessLines = 1;
    const auto process = [](PenPlotter& d) { d.text({.text = "PROCESS", .plotAtPen = true}); };
    EXPECT_EQ(HpglLines(Render(l, true, -1, process)).back(), "LBPROCESS\x03");
    EXPECT_NE(HpglLines(Render(l, true)).back(), "LBPROCESS\x03");
}

// What Render gives less the texts (a label is its move and its LB
// statement, or a text call): a family's numbers give way to another
// family's texts, so those depend on what else is drawn.
std::string Strokes(const std::string& rendered) {
    std::vector<std::string> lines;
    std::istringstream in(rendered);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find('\r')));
    const std::string textCall = std::to_string(static_cast<int>(CanvasCall::Kind::Text)) + ' ';
    std::string strokes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool moveToLabel = StartsWith(lines[i], "PU") && i + 1 < lines.size() && StartsWith(lines[i + 1], "LB");
        if (!moveToLabel && !StartsWith(lines[i], "LB") && !StartsWith(lines[i], textCall))
            strokes += lines[i] + '\n';
    }
    return strokes;
}

TEST(DrawChart, EachSwitchRemovesExactlyItsFamilysStrokes) {
    for (bool file : {true, false}) {
        Laid l;
        const std::string all = Strokes(Render(l, file));
        for (std::size_t sw = 0; sw <= 7; ++sw) {
            const std::string family = Strokes(Render(l, file, static_cast<int>(sw)));
            const std::size_t at = all.find(family);
            ASSERT_NE(at, std::string::npos) << "family " << sw << " not found in the whole chart";
            SetLineOn(l.chart.settings, static_cast<ChartLine>(sw), false);
            EXPECT_EQ(Strokes(Render(l, file)), std::string(all).erase(at, family.size()))
                << sw << (file ? " file" : " draw");
            SetLineOn(l.chart.settings, static_cast<ChartLine>(sw), true);
        }
    }
}

// The states (dry bulb, relative humidity) at 760 mmHg drawn after a pen of
// another colour, and the pixel position of each state.
struct Drawn {
    RecordingCanvas canvas;
    std::vector<const CanvasCall*> lines, circles;
    std::vector<std::pair<double, double>> at;
    Drawn(Laid& l, const std::vector<std::pair<float, float>>& states) {
        StatePointList p;
        CanvasWriter out(l.chart.settings, canvas);
        for (const auto& [t, rh] : states) {
            const auto i = static_cast<std::size_t>(++p.count);
            p.dryBulb[i] = t, p.relHum[i] = rh, p.pressure[i] = 760;
            const PlotPoint plane = StatePointOnChart(l.chart.settings, t, rh);
            auto& [px, py] = at.emplace_back();
            out.PlaneToCanvas(plane.x, plane.y, px, py);
        }
        out.pen(Pen{PenSlot::AbsHum, 0, std::nullopt}); // whatever the chart drew last
        DrawProcessLines(out, l.chart.settings, p);
        lines = canvas.of(CanvasCall::Kind::Line), circles = canvas.of(CanvasCall::Kind::Circle);
    }
    // Every barb (lines 1 and 2 after a segment) starts at the segment's
    // middle and runs back towards its start: the tip points the process way.
    void expectArrowOf(std::size_t segment) const {
        const CanvasCall& s = *lines.at(segment);
        const double mx = (s.x1 + s.x2) / 2, my = (s.y1 + s.y2) / 2;
        for (const CanvasCall* barb : {lines.at(segment + 1), lines.at(segment + 2)}) {
            EXPECT_NEAR(barb->x1, mx, 1e-6);
            EXPECT_NEAR(barb->y1, my, 1e-6);
            EXPECT_LT((barb->x2 - mx) * (s.x2 - s.x1) + (barb->y2 - my) * (s.y2 - s.y1), 0) << "barb points forward";
        }
    }
};

TEST(ProcessLines, ZeroToThreeStates) {
    // Each state has two circles, the ring in pen 3 and the dot (of 4 / 10 of
    // its radius) in dark yellow, both filled with the colour drawn in before
    // and two pixels wide. Two states and more are joined in order by lines in
    // pen 5, each with its arrowhead; three are closed by a line back to the
    // first, whose circles come last, over the closing line.
    Laid l;
    const std::vector<std::pair<float, float>> states = {{25, 50}, {15, 90}, {30, 30}};
    for (std::size_t n = 0; n <= 3; ++n) {
        const Drawn d(l, {states.begin(), states.begin() + static_cast<std::ptrdiff_t>(n)});
        SCOPED_TRACE(n);
        ASSERT_EQ(d.circles.size(), 2 * n);
        ASSERT_EQ(d.lines.size(), std::vector<std::size_t>({0, 0, 3, 9})[n]);
        EXPECT_EQ(d.canvas.calls.size(), d.circles.size() + d.lines.size());
        for (std::size_t i = 0; i < d.circles.size(); ++i) {
            EXPECT_EQ(d.circles[i]->colour, i % 2 ? palette::DarkYellow : l.chart.settings.PenColor[3]);
            EXPECT_EQ(d.circles[i]->fill, std::optional<Rgb>(palette::LightBlue));
            EXPECT_EQ(d.circles[i]->width, 2);
            EXPECT_NEAR(d.circles[i]->r, d.circles[i - i % 2]->r * (i % 2 ? 0.4 : 1), 1e-9);
        }
        for (std::size_t seg = 0; seg < d.lines.size(); seg += 3) {
            const auto from = d.at[seg / 3], to = d.at[(seg / 3 + 1) % n];
            EXPECT_NEAR(d.lines[seg]->x1, from.first, 1e-6);
            EXPECT_NEAR(d.lines[seg]->y1, from.second, 1e-6);
            EXPECT_NEAR(d.lines[seg]->x2, to.first, 1e-6);
            EXPECT_NEAR(d.lines[seg]->y2, to.second, 1e-6);
            d.expectArrowOf(seg);
        }
        for (const CanvasCall* c : d.lines)
            EXPECT_EQ(c->colour, l.chart.settings.PenColor[5]);
        for (std::size_t i = 2 * n - 2; (n == 1 || n == 3) && i < 2 * n; ++i) {
            EXPECT_NEAR(d.circles[i]->x1, d.at[0].first, 1e-6);
            EXPECT_NEAR(d.circles[i]->y1, d.at[0].second, 1e-6);
            EXPECT_EQ(d.canvas.calls.back().kind, CanvasCall::Kind::Circle);
        }
    }
}

TEST(ProcessLines, VerticalAndZeroLengthSegments) {
    // Equal dry bulbs on the "D.B.Temp.- Abs.Hum." chart: a vertical segment,
    // in both directions, with the barbs (nearly) symmetric about it.
    Laid l([](ChartSettings& s) { s.DiagramType = 0; });
    for (float rh : {30, 80}) {
        const Drawn d(l, {{20, rh}, {20, 110 - rh}});
        ASSERT_EQ(d.lines.size(), 3u);
        EXPECT_NEAR(d.lines[0]->x1, d.lines[0]->x2, 1e-9);
        d.expectArrowOf(0);
        EXPECT_NEAR(d.lines[1]->x2 - d.lines[0]->x1, d.lines[0]->x1 - d.lines[2]->x2, 1e-3);
    }
    // Two identical states: a segment of no length still draws its (tiny,
    // turned) barbs without a fault.
    const Drawn same(l, {{20, 50}, {20, 50}});
    ASSERT_EQ(same.lines.size(), 3u);
    for (const CanvasCall* c : same.lines)
        EXPECT_TRUE(c->finite());
}

} // namespace
} // namespace hyg
