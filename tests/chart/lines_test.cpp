// The line families of the chart: which lines are drawn and numbered, the
// symbol among them, lines that stay inside the chart, steady polylines and
// labels on vertical pieces.
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace hyg {
namespace {

using namespace test;

// The straight families of the default chart: first and last number, the
// symbol after the number it follows, how many labels and strokes. Dry bulb
// 10 .. 40 deg C with "t" last; absolute humidity 0 .. 27 g/kgDA, whose
// strokes are the lines and then the scale ticks; wet bulb 0 .. 31 deg C,
// numbered from 11 (those from the left edge and the corner carry none) with
// t' on the line that starts above half the height; volume 0.8022 m3/kgDA at
// the bottom-left corner to 0.9257 at the top-right, "v" a third through.
TEST(StraightLinesFile, NumbersSymbolAndStrokes) {
    struct Row {
        Family family;
        const char *first, *last, *symbol, *symbolAfter;
        std::size_t labels, strokes;
    };
    const Row rows[] = {{Family::DryBulb, "10", "t", "t", "40", 32, 31},
                        {Family::AbsHum, "0.000", "x", "x", "0.027", 29, 56},
                        {Family::WetBulb, "11", "31", "t'", "19", 22, 32},
                        {Family::Volume, "0.81", "0.92", "v", "0.83", 13, 0}};
    for (const Row& r : rows) {
        Laid l;
        const auto lines = FileLines(l, r.family);
        const auto labels = Labels(lines);
        SCOPED_TRACE(r.symbol);
        ASSERT_EQ(labels.size(), r.labels);
        EXPECT_EQ(labels.front(), r.first);
        EXPECT_EQ(labels.back(), r.last);
        const auto at = std::find(labels.begin(), labels.end(), r.symbol);
        ASSERT_NE(at, labels.begin());
        ASSERT_NE(at, labels.end());
        EXPECT_EQ(*(at - 1), r.symbolAfter);
        if (r.strokes) {
            EXPECT_EQ(WithPrefix(lines, "PD").size(), r.strokes);
        }
    }
}

TEST(EnthalpyLinesFile, ValuesSymbolAndLinesInsideTheChart) {
    // The default chart runs 3 .. 26 kcal/kgDA with "h" beside 16. The last
    // three: a chart from -20 deg C (the walk must not take table entry 0
    // for a saturation point) and narrow charts whose top-right corner lies
    // above saturation (the highest values cross it beyond the right edge).
    struct Case {
        UnitSystem unit;
        float min, max;
        int first, last, step, h; // h: the value after the symbol, -1 none
    };
    constexpr UnitSystem kcal = UnitSystem::MetricKcal, kJ = UnitSystem::MetricKJ, btu = UnitSystem::Imperial;
    for (const Case& c :
         {Case{kcal, 10, 40, 3, 26, 1, 16}, Case{kJ, 10, 40, 15, 105, 5, -1}, Case{btu, 10, 40, 6, 46, 2, 28},
          Case{kcal, -20, 20, -4, 9, 1, 4}, Case{kcal, 0, 10, 1, 7, 1, 6}, Case{kcal, 10, 20, 3, 13, 1, 10}}) {
        Laid l(c.min, c.max, 1, c.unit);
        const ChartFrame& f = l.frame;
        const auto lines = FileLines(l, Family::Enthalpy);
        std::vector<int> values, expected;
        int h = -1;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (lines[k] == "LBh\x03")
                h = static_cast<int>(HpglNumbers(lines.at(k + 2)).at(0));
            else if (StartsWith(lines[k], "LB"))
                values.push_back(static_cast<int>(HpglNumbers(lines[k])[0]));
            if (k < 5 || !StartsWith(lines[k], "PD"))
                continue;
            const auto a = HpglNumbers(lines[k - 1]), b = HpglNumbers(lines[k]);
            EXPECT_GE(a[1], f.BottomY - 0.01) << c.min;
            EXPECT_LE(b[1], f.TopY + 0.01) << c.min;
            EXPECT_GT(b[1], a[1]) << c.min;
            EXPECT_LT(b[0], a[0]) << c.min; // enthalpy lines run up to the left
        }
        for (int v = c.first; v <= c.last; v += c.step)
            expected.push_back(v);
        EXPECT_EQ(values, expected) << "unit " << CodeOf(c.unit) << " from " << c.min;
        EXPECT_EQ(h, c.h) << "unit " << CodeOf(c.unit) << " from " << c.min;
    }
}

// The levels 2, 4, ..., 30, 35, ..., 100 up to `top`, the symbol before `symbolBefore`.
std::vector<std::string> Levels(int top, const std::string& symbol, int symbolBefore) {
    std::vector<std::string> out;
    for (int p = 2; p <= top; p += p < 30 ? 2 : 5) {
        if (p == symbolBefore)
            out.push_back(symbol);
        out.push_back(std::to_string(p));
    }
    return out;
}

TEST(HumidityCurvesFile, DefaultChart) {
    for (bool relHum : {true, false}) {
        Laid l;
        const auto lines = FileLines(l, [&](PenPlotter& dev) {
            const ChartFrame& f = l.frame;
            if (relHum)
                DrawRelHumCurves(dev, l.chart, f.TempCount, f.IdxMin, f.IdxMax);
            else
                DrawSatDegreeCurves(dev, l.chart, f.TempCount, f.IdxMin, f.IdxMax);
        });
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "\x03"), 29); // one end per curve
        // Relative humidity labelled at 26 deg C, below the top for every
        // level; saturation degree at 33 deg C, where the curves above 85 %
        // have left the chart through its top.
        // On paper the lowest levels crowd at the label's temperature and
        // are thinned there; from 35 % up every level keeps its number.
        const auto all = relHum ? Levels(100, "Phi", 60) : Levels(85, "Psi", 60);
        const auto labels = Labels(lines);
        EXPECT_TRUE(IsSubsequence(labels, all));
        EXPECT_TRUE(IsSubsequence(std::vector<std::string>(std::find(all.begin(), all.end(), "35"), all.end()), labels));
        for (const std::string& s : WithPrefix(lines, "PD"))
            EXPECT_LE(HpglNumbers(s).at(1), l.frame.TopY + 0.01) << s;
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
    CanvasWriter draw(l.chart.settings, canvas);
    LabelRelHumCurve(draw, l.chart.settings, 1000, 1000, 500, 600, 50);
    LabelSatDegreeCurve(draw, l.chart.settings, 1000, 1000, 600, 500, 50);
    const auto texts = canvas.of(CanvasCall::Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->font.escapement, 900);
    EXPECT_EQ(texts[1]->font.escapement, -900);
}

} // namespace
} // namespace hyg
