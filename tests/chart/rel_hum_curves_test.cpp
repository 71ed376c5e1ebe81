// Relative-humidity and saturation-degree curves: levels and labels, the cut
// at the top edge, the polylines on the canvas and the plot statements.
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
        const auto count = [&](const std::string& s) { return std::count(lines.begin(), lines.end(), s); };
        EXPECT_EQ(lines[0], relHum ? "SP2\x03" : "SP1\x03");
        EXPECT_EQ(lines[1], "SI .16  .32 \x03");
        EXPECT_EQ(count("\x03"), 29); // one end per curve
        // Relative humidity labelled at 26 deg C, below the top for every
        // level; saturation degree at 33 deg C, where the curves above 85 %
        // have left the chart through its top.
        const auto labels = relHum ? Levels(100, "Phi", 60) : Levels(85, "Psi", 60);
        EXPECT_EQ(Labels(lines), labels);
        EXPECT_EQ(count(relHum ? "DI 1, 0\x03" : "DI 1,0;\x03"), static_cast<long>(labels.size()) - 1);
        EXPECT_EQ(count("LT;\x03"), static_cast<long>(labels.size()) - 1);
        EXPECT_EQ(count(relHum ? "LT4;" : "LT6;"), static_cast<long>(WithPrefix(lines, "PD").size()));
        for (const std::string& s : WithPrefix(lines, "PD")) EXPECT_LE(HpglNumbers(s).at(1), l.frame.TopY + 0.01) << s;
        EXPECT_TRUE(relHum || last == 1.0f);
        // The label statements: direction with the slope's leading zero,
        // then the position with a "," between X and Y.
        const auto di = std::find_if(lines.begin(), lines.end(), [](const std::string& s) { return StartsWith(s, "DI1,"); });
        ASSERT_NE(di, lines.end());
        EXPECT_EQ(di->find('.'), 5u);
        EXPECT_TRUE(!relHum || (di + 1)->find(" , ") != std::string::npos);
    }
}

TEST(HumidityCurvesDraw, PolylinesAndLabelPoints) {
    for (bool relHum : {true, false}) {
        Laid l(10, 40, 0);
        RecordingCanvas canvas;
        ChartDevice dev("draw", l.chart.settings, &canvas, nullptr);
        DrawFamily(relHum ? Family::RelHum : Family::SatDegree, dev, l);
        EXPECT_EQ(dev.lineStyle(), kSolid);
        const ChartSettings& s = l.chart.settings;
        const auto polys = canvas.of(CanvasCall::Kind::Polyline);
        ASSERT_EQ(polys.size(), 29u);
        // Every full-height curve has one point per temperature plus the start.
        EXPECT_EQ(polys.front()->points.size(), 32u);
        const double topPx = (s.PlaneYMax - l.frame.TopY) * 700 / 3500;
        for (const CanvasCall* p : polys) {
            EXPECT_EQ(p->style, relHum ? kDot : kSolid);
            for (std::size_t k = 1; k < p->points.size(); ++k) EXPECT_GE(p->points[k].y, topPx - 1); // cut at the top
        }
        // The label points sit on the label temperature (26 or 33 deg C).
        const double px = (ChartX(s, relHum ? 26 : 33, 0) - s.PlaneXMin) * 1000 / 5000;
        const auto points = canvas.of(CanvasCall::Kind::Point);
        ASSERT_FALSE(points.empty());
        for (const CanvasCall* p : points) EXPECT_NEAR(p->x1, px, 1e-3);
        EXPECT_EQ(canvas.count(CanvasCall::Kind::Text), points.size() + 1); // a label per point and the symbol
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

TEST(HumidityCurvesDraw, HundredPercentIsTheSaturationCurveAtAnyPressure) {
    for (float pressure : {700.0f, 760.0f, 1000.0f}) {
        Laid l([=](ChartSettings& s) { s.MinDryBulb = 0, s.MaxDryBulb = 35, s.PressureMmHg = pressure; });
        RecordingCanvas rh, sd;
        OnCanvas(l, Family::RelHum, rh);
        OnCanvas(l, Family::SatDegree, sd);
        const auto a = rh.of(CanvasCall::Kind::Polyline).back()->points;
        const auto b = sd.of(CanvasCall::Kind::Polyline).back()->points;
        ASSERT_EQ(a.size(), b.size()) << pressure;
        for (std::size_t k = 0; k < a.size(); ++k) {
            EXPECT_NEAR(a[k].x, b[k].x, 1) << pressure;
            EXPECT_NEAR(a[k].y, b[k].y, 1) << pressure;
        }
        // The saturation curve starts at the chart's left end.
        const ChartDevice dev("draw", l.chart.settings, &rh, nullptr);
        const PixelPoint left = dev.ToPixel(l.frame.LeftX, ChartY(l.chart.settings, l.chart.table.S(l.frame.IdxMin)), 0.06667);
        EXPECT_NEAR(a[0].x, left.x, 1);
        EXPECT_NEAR(a[0].y, left.y, 1);
    }
}

TEST(CurveLabels, VerticalPieceOfCurve) {
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
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "LT;\x03");
    EXPECT_EQ(lines[1], "DI1,0.0000\x03");
    EXPECT_EQ(lines[3], "LBPsi\x03");
    EXPECT_EQ(lines[5], "LB60\x03");
    EXPECT_EQ(lines[6], "DI 1,0;\x03");
}

} // namespace
} // namespace hyg
