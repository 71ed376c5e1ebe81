// Process lines: points, lines, arrowheads and the closing line for 0 to 3
// states; arrows point the process way (also on a vertical segment); the
// zero-length segment draws without a fault.
#include "chart/process_lines.h"
#include "engine/psychro.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hyg {
namespace {

using namespace test;

StatePointList States(std::initializer_list<std::pair<float, float>> list) {
    StatePointList p;
    for (const auto& [t, rh] : list) {
        ++p.count;
        p.dryBulb[static_cast<std::size_t>(p.count)] = t;
        p.relHum[static_cast<std::size_t>(p.count)] = rh;
        p.pressure[static_cast<std::size_t>(p.count)] = 760;
    }
    return p;
}

struct Drawn {
    RecordingCanvas canvas;
    std::vector<const CanvasCall*> lines, circles;
    Drawn(Laid& l, const StatePointList& points) {
        CanvasWriter out(l.chart.settings, canvas);
        out.pen(Pen{PenSlot::AbsHum, 0, std::nullopt}); // whatever the chart drew last
        DrawProcessLines(out, l.chart.settings, points);
        lines = canvas.of(CanvasCall::Kind::Line);
        circles = canvas.of(CanvasCall::Kind::Circle);
    }
};

// Pixel position of a state on the recorded canvas.
std::pair<double, double> Pixel(Laid& l, const RecordingCanvas& canvas, float t, float rh) {
    CanvasWriter out(l.chart.settings, const_cast<RecordingCanvas&>(canvas));
    const PlotPoint p = StatePointOnChart(l.chart.settings, t, rh);
    double px, py;
    out.PlaneToCanvas(p.x, p.y, px, py);
    return {px, py};
}

// Every barb (lines 1 and 2 after a segment) starts at the segment's middle
// and runs back towards its start: the tip points the process way.
void ExpectArrowOf(const std::vector<const CanvasCall*>& lines, std::size_t segment) {
    const CanvasCall& s = *lines[segment];
    const double mx = (s.x1 + s.x2) / 2, my = (s.y1 + s.y2) / 2;
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    for (std::size_t b = segment + 1; b <= segment + 2; ++b) {
        const CanvasCall& barb = *lines[b];
        EXPECT_NEAR(barb.x1, mx, 1e-6);
        EXPECT_NEAR(barb.y1, my, 1e-6);
        EXPECT_LT((barb.x2 - mx) * dx + (barb.y2 - my) * dy, 0) << "barb " << b << " points forward";
    }
}

TEST(ProcessLines, ZeroToThreeStates) {
    Laid l;
    const ChartSettings& s = l.chart.settings;
    {
        Drawn d(l, States({}));
        EXPECT_TRUE(d.canvas.calls.empty());
    }
    {
        // One state: its two circles, the ring in pen 3 and the dot in dark
        // yellow, and no line.
        Drawn d(l, States({{25, 50}}));
        ASSERT_EQ(d.circles.size(), 2u);
        EXPECT_TRUE(d.lines.empty());
        const auto [px, py] = Pixel(l, d.canvas, 25, 50);
        EXPECT_NEAR(d.circles[0]->x1, px, 1e-6);
        EXPECT_NEAR(d.circles[0]->y1, py, 1e-6);
        EXPECT_EQ(d.circles[0]->colour, s.PenColor[3]);
        EXPECT_EQ(d.circles[1]->colour, palette::DarkYellow);
        EXPECT_NEAR(d.circles[0]->r / d.circles[1]->r, 10.0 / 4.0, 1e-9);
        // Both filled with the colour drawn in before, two pixels wide.
        for (const CanvasCall* c : d.circles) {
            EXPECT_EQ(c->fill, std::optional<Rgb>(palette::LightBlue));
            EXPECT_EQ(c->width, 2);
        }
    }
    {
        // Two states: one line and its arrowhead, no closing line.
        Drawn d(l, States({{25, 50}, {15, 90}}));
        ASSERT_EQ(d.lines.size(), 3u);
        EXPECT_EQ(d.circles.size(), 4u);
        for (const CanvasCall* c : d.lines)
            EXPECT_EQ(c->colour, s.PenColor[5]);
        ExpectArrowOf(d.lines, 0);
        const auto [x1, y1] = Pixel(l, d.canvas, 25, 50);
        const auto [x2, y2] = Pixel(l, d.canvas, 15, 90);
        EXPECT_NEAR(d.lines[0]->x1, x1, 1e-6);
        EXPECT_NEAR(d.lines[0]->y2, y2, 1e-6);
        (void)y1, (void)x2;
    }
    {
        // Three states: 1 -> 2, 2 -> 3 and the closing 3 -> 1, each with its
        // arrowhead; the first state's circles come last, over the closing line.
        Drawn d(l, States({{25, 50}, {15, 90}, {30, 30}}));
        ASSERT_EQ(d.lines.size(), 9u);
        ASSERT_EQ(d.circles.size(), 6u);
        for (std::size_t seg : {0u, 3u, 6u})
            ExpectArrowOf(d.lines, seg);
        const auto [fx, fy] = Pixel(l, d.canvas, 25, 50);
        EXPECT_NEAR(d.lines[6]->x2, fx, 1e-6);
        EXPECT_NEAR(d.lines[6]->y2, fy, 1e-6);
        EXPECT_NEAR(d.circles[4]->x1, fx, 1e-6);
        EXPECT_NEAR(d.circles[5]->y1, fy, 1e-6);
        EXPECT_EQ(d.canvas.calls.back().kind, CanvasCall::Kind::Circle);
    }
}

TEST(ProcessLines, VerticalAndZeroLengthSegments) {
    // Equal dry bulbs on the "D.B.Temp.- Abs.Hum." chart: a vertical segment,
    // in both directions, with the barbs symmetric about it.
    Laid l([](ChartSettings& s) { s.DiagramType = 0; });
    for (const auto& states : {States({{20, 30}, {20, 80}}), States({{20, 80}, {20, 30}})}) {
        Drawn d(l, states);
        ASSERT_EQ(d.lines.size(), 3u);
        EXPECT_NEAR(d.lines[0]->x1, d.lines[0]->x2, 1e-9);
        ExpectArrowOf(d.lines, 0);
        // (1.570796 is not quite a quarter turn: nearly symmetric.)
        EXPECT_NEAR(d.lines[1]->x2 - d.lines[0]->x1, d.lines[0]->x1 - d.lines[2]->x2, 1e-3);
    }
    // Two identical states: a segment of no length still draws its (tiny,
    // turned) barbs without a fault.
    Drawn same(l, States({{20, 50}, {20, 50}}));
    ASSERT_EQ(same.lines.size(), 3u);
    for (const CanvasCall* c : same.lines)
        EXPECT_TRUE(c->finite());
}

} // namespace
} // namespace hyg
