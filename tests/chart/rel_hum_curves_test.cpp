// Relative-humidity and saturation-degree curves: levels and labels, the cut
// at the top edge, the polylines on the canvas and the plot statements.
#include "chart/chart_driver.h"

#include "engine/basic.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <sstream>

namespace hyg {
namespace {

using test::CanvasCall;
using test::HpglLines;
using test::HpglNumbers;
using test::RecordingCanvas;
using test::StartsWith;

const std::vector<std::string> kPercents = {"2",  "4",  "6",  "8",  "10", "12", "14", "16", "18", "20",
                                            "22", "24", "26", "28", "30", "35", "40", "45", "50", "55",
                                            "60", "65", "70", "75", "80", "85", "90", "95", "100"};

struct Laid {
    Chart chart;
    ChartFrame frame;
    explicit Laid(float min = 10, float max = 40, std::int16_t type = 1, float pressure = 760) {
        chart.settings.MinDryBulb = min;
        chart.settings.MaxDryBulb = max;
        chart.settings.DiagramType = type;
        chart.settings.PressureMmHg = pressure;
        chart.settings.PictureWidth = 15000;
        chart.settings.PictureHeight = 10500;
        frame = LayoutChart(chart, nullptr);
    }
};

std::vector<std::string> FileOf(Laid& l, bool relHum, float* last = nullptr) {
    std::ostringstream os;
    ChartDevice dev("file", l.chart.settings, nullptr, &os);
    float lastSat = 0;
    if (relHum) {
        DrawRelHumCurves(dev, l.chart, l.frame.TempCount, l.frame.IdxMin, l.frame.IdxMax);
    } else {
        DrawSatDegreeCurves(dev, l.chart, lastSat, l.frame.TempCount, l.frame.IdxMin, l.frame.IdxMax);
    }
    if (last) *last = lastSat;
    return HpglLines(os.str());
}

// The labels written ("LB" lines other than the symbols), without "LB" and ETX.
std::vector<std::string> Labels(const std::vector<std::string>& lines, const std::string& symbol, int* symbolAt) {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        if (l == "LB" + symbol + "\x03") {
            *symbolAt = static_cast<int>(out.size());
        } else if (StartsWith(l, "LB")) {
            out.push_back(l.substr(2, l.size() - 3));
        }
    }
    return out;
}

TEST(RelHumCurvesFile, DefaultChart) {
    Laid l;
    const auto lines = FileOf(l, true);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "SP2\x03");
    EXPECT_EQ(lines[1], "SI 0  0 \x03");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string("\x03")), 29);
    int phi = -1;
    EXPECT_EQ(Labels(lines, "Phi", &phi), kPercents);
    EXPECT_EQ(phi, 20); // just before the label 60
    EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string("DI 1, 0\x03")), 29);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string("LT;\x03")), 29);
    const auto lt4 = std::count(lines.begin(), lines.end(), std::string("LT4;"));
    EXPECT_EQ(lt4, std::count_if(lines.begin(), lines.end(), [](const std::string& s) { return StartsWith(s, "PD"); }));
    // Nothing above the top edge.
    for (const std::string& s : lines) {
        if (StartsWith(s, "PD")) EXPECT_LE(HpglNumbers(s).at(1), l.frame.TopY + 0.01) << s;
    }
    // The label statements: direction, then the position with a "," between X and Y.
    const auto di = std::find_if(lines.begin(), lines.end(), [](const std::string& s) { return StartsWith(s, "DI1,"); });
    ASSERT_NE(di, lines.end());
    EXPECT_EQ(di->back(), '\x03');
    EXPECT_EQ(di->find('.'), 5u); // "DI1,0.dddd": the slope with its leading zero
    EXPECT_NE((di + 1)->find(" , "), std::string::npos);
}

TEST(SatDegreeCurvesFile, DefaultChart) {
    Laid l;
    float last = -1;
    const auto lines = FileOf(l, false, &last);
    EXPECT_EQ(last, 1.0f);
    EXPECT_EQ(lines[0], "SP1\x03");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string("\x03")), 29);
    EXPECT_GT(std::count(lines.begin(), lines.end(), std::string("LT6;")), 0);
    // Labels at 33 deg C (index 54): a curve that left the chart before it has none.
    std::vector<std::string> want;
    for (std::size_t k = 0; k < kPercents.size(); ++k) {
        const float level = std::stof(kPercents[k]) / 100;
        if (static_cast<float>(level * l.chart.table.S(53)) <= l.chart.settings.MaxAbsHum) want.push_back(kPercents[k]);
    }
    ASSERT_LT(want.size(), 29u);
    int psi = -1;
    EXPECT_EQ(Labels(lines, "Psi", &psi), want);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string("DI 1,0;\x03")), static_cast<long>(want.size()));
}

struct Drawn {
    RecordingCanvas canvas{1000, 700};
    int finalStyle = -1;
};

void DrawOn(Laid& l, bool relHum, Drawn& d) {
    ChartDevice dev("draw", l.chart.settings, &d.canvas, nullptr);
    float last = 0;
    if (relHum) {
        DrawRelHumCurves(dev, l.chart, l.frame.TempCount, l.frame.IdxMin, l.frame.IdxMax);
    } else {
        DrawSatDegreeCurves(dev, l.chart, last, l.frame.TempCount, l.frame.IdxMin, l.frame.IdxMax);
    }
    d.finalStyle = dev.lineStyle();
}

TEST(RelHumCurvesDraw, PolylinesLabelsAndColours) {
    for (bool relHum : {true, false}) {
        Laid l(10, 40, 0);
        Drawn d;
        DrawOn(l, relHum, d);
        const ChartSettings& s = l.chart.settings;
        const auto polys = d.canvas.of(CanvasCall::Kind::Polyline);
        ASSERT_EQ(polys.size(), 29u);
        const double topPx = (s.PlaneYMax - l.frame.TopY) * 700 / 3500;
        for (const CanvasCall* p : polys) {
            EXPECT_EQ(p->colour, relHum ? palette::Magenta : palette::Black);
            EXPECT_EQ(p->style, relHum ? kDot : kSolid);
            for (std::size_t k = 1; k < p->points.size(); ++k) {
                EXPECT_GE(p->points[k].y, topPx - 1);            // cut at the top edge
                EXPECT_LE(p->points[k].y, p->points[k - 1].y);   // rising with the temperature
                EXPECT_GE(p->points[k].x, p->points[k - 1].x);
            }
        }
        // Every full-height curve has one point per temperature plus the start.
        EXPECT_EQ(polys.front()->points.size(), 32u);
        EXPECT_EQ(d.finalStyle, kSolid);

        // The label points sit on the label temperature (26 or 33 deg C).
        const double labelT = relHum ? 26 : 33;
        const double px = (ChartX(s, labelT, 0) - s.PlaneXMin) * 1000 / 5000;
        const auto points = d.canvas.of(CanvasCall::Kind::Point);
        ASSERT_FALSE(points.empty());
        for (const CanvasCall* p : points) EXPECT_NEAR(p->x1, px, 1e-3);

        const auto texts = d.canvas.of(CanvasCall::Kind::Text);
        ASSERT_EQ(texts.size(), points.size() + 1); // one symbol
        const std::string symbol = relHum ? "Phi" : "Psi";
        int symbols = 0;
        for (const CanvasCall* t : texts) {
            EXPECT_EQ(t->colour, relHum ? palette::Magenta : palette::Black);
            if (t->text == symbol) {
                ++symbols;
                EXPECT_TRUE(t->font.italic);
            }
        }
        EXPECT_EQ(symbols, 1);
    }
}

TEST(RelHumCurvesDraw, HundredPercentIsTheSaturationCurveAtAnyPressure) {
    for (float pressure : {700.0f, 760.0f, 1000.0f}) {
        Laid l(0, 35, 1, pressure);
        Drawn rh, sd;
        DrawOn(l, true, rh);
        DrawOn(l, false, sd);
        const auto a = rh.canvas.of(CanvasCall::Kind::Polyline).back()->points;
        const auto b = sd.canvas.of(CanvasCall::Kind::Polyline).back()->points;
        ASSERT_EQ(a.size(), b.size()) << pressure;
        for (std::size_t k = 0; k < a.size(); ++k) {
            EXPECT_NEAR(a[k].x, b[k].x, 1) << pressure;
            EXPECT_NEAR(a[k].y, b[k].y, 1) << pressure;
        }
        // The saturation curve starts at the chart's left end.
        const ChartDevice dev("draw", l.chart.settings, &rh.canvas, nullptr);
        const PixelPoint left = dev.ToPixel(l.frame.LeftX, ChartY(l.chart.settings, l.chart.table.S(l.frame.IdxMin)), 0.06667);
        EXPECT_NEAR(a[0].x, left.x, 1);
        EXPECT_NEAR(a[0].y, left.y, 1);
    }
}

TEST(RelHumCurvesDraw, SkippedPointsNearTheBottomKeepTheCurveWhole) {
    // At the lowest temperatures the 10 % and 20 % curves skip points near
    // the bottom edge; the polyline must not pick up points of other curves.
    Laid l(-20, 20);
    Drawn d;
    DrawOn(l, true, d);
    for (const CanvasCall* p : d.canvas.of(CanvasCall::Kind::Polyline)) {
        for (std::size_t k = 1; k < p->points.size(); ++k) {
            EXPECT_LE(p->points[k].y, p->points[k - 1].y) << k;
            EXPECT_GE(p->points[k].x, p->points[k - 1].x) << k;
        }
    }
}

TEST(CurveLabels, VerticalPieceOfCurve) {
    Chart chart;
    LayoutChart(chart, nullptr);
    RecordingCanvas canvas(1000, 700);
    ChartDevice draw("draw", chart.settings, &canvas, nullptr);
    LabelRelHumCurve(draw, chart, 1000, 1000, 500, 600, 50);
    LabelSatDegreeCurve(draw, chart, 1000, 1000, 600, 500, 50);
    const auto texts = canvas.of(CanvasCall::Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->font.escapement, 900);
    EXPECT_EQ(texts[1]->font.escapement, -900);

    std::ostringstream os;
    ChartDevice file("file", chart.settings, nullptr, &os);
    LabelSatDegreeCurve(file, chart, 1000, 1000, 500, 600, 60);
    const auto lines = HpglLines(os.str());
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "LT;\x03");
    EXPECT_EQ(lines[1], "DI1,0.0000\x03");
    EXPECT_EQ(lines[3], "LBPsi\x03");
    EXPECT_EQ(lines[5], "LB60\x03");
    EXPECT_EQ(lines[6], "DI 1,0;\x03");
}

} // namespace
} // namespace hyg
