// Relative-humidity and saturation-degree curves: levels and labels, the cut
// at the top edge, steady polylines and labels on vertical pieces.
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace hyg {
namespace {

using namespace test;

// The levels 2, 4, ..., 30, 35, ..., 100 up to `top`, the symbol before `symbolBefore`.
std::vector<std::string> Levels(int top, const std::string& symbol, int symbolBefore) {
    std::vector<std::string> out;
    for (int p = 2; p <= top; p += p < 30 ? 2 : 5) {
        if (p == symbolBefore) out.push_back(symbol);
        out.push_back(std::to_string(p));
    }
    return out;
}

TEST(HumidityCurvesFile, DefaultChart) {
    for (bool relHum : {true, false}) {
        Laid l;
        float last = -1;
        const auto lines = FileLines(l, [&](ChartDevice& dev) {
            const ChartFrame& f = l.frame;
            if (relHum) DrawRelHumCurves(dev, l.chart, f.TempCount, f.IdxMin, f.IdxMax);
            else DrawSatDegreeCurves(dev, l.chart, last, f.TempCount, f.IdxMin, f.IdxMax);
        });
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "\x03"), 29); // one end per curve
        // Relative humidity labelled at 26 deg C, below the top for every
        // level; saturation degree at 33 deg C, where the curves above 85 %
        // have left the chart through its top.
        EXPECT_EQ(Labels(lines), relHum ? Levels(100, "Phi", 60) : Levels(85, "Psi", 60));
        for (const std::string& s : WithPrefix(lines, "PD")) EXPECT_LE(HpglNumbers(s).at(1), l.frame.TopY + 0.01) << s;
        EXPECT_TRUE(relHum || last == 1.0f);
    }
}

TEST(HumidityCurvesDraw, PolylinesRiseSteadilyWithoutSpikes) {
    // At the lowest temperatures the 10 % and 20 % curves skip points near
    // the bottom edge; the polyline must not pick up points of other curves.
    for (const auto& [min, max, type] : {std::tuple{10.f, 40.f, 0}, {-20.f, 20.f, 1}, {0.f, 35.f, 1}}) {
        for (Family family : {Family::RelHum, Family::SatDegree}) {
            Laid l(min, max, static_cast<std::int16_t>(type));
            RecordingCanvas canvas;
            OnCanvas(l, family, canvas);
            for (const CanvasCall* p : canvas.of(CanvasCall::Kind::Polyline)) {
                for (std::size_t k = 1; k < p->points.size(); ++k) {
                    EXPECT_LE(p->points[k].y, p->points[k - 1].y) << min << " point " << k;
                    EXPECT_GE(p->points[k].x, p->points[k - 1].x) << min << " point " << k;
                }
            }
        }
    }
}

TEST(CurveLabels, VerticalPieceOfCurve) {
    // A label on a vertical piece turns a right angle instead of dividing by zero.
    Laid l;
    RecordingCanvas canvas;
    ChartDevice draw("draw", l.chart.settings, &canvas, nullptr);
    LabelRelHumCurve(draw, l.chart, 1000, 1000, 500, 600, 50);
    LabelSatDegreeCurve(draw, l.chart, 1000, 1000, 600, 500, 50);
    const auto texts = canvas.of(CanvasCall::Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->font.escapement, 900);
    EXPECT_EQ(texts[1]->font.escapement, -900);
    const auto lines = FileLines(l, [&](ChartDevice& file) { LabelSatDegreeCurve(file, l.chart, 1000, 1000, 500, 600, 60); });
    EXPECT_EQ(WithPrefix(lines, "DI1,"), std::vector<std::string>{"DI1,0.0000\x03"});
}

} // namespace
} // namespace hyg
