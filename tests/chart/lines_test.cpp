// The line families of the chart: the enthalpy lines numbered in each unit system, steady polylines, labels on
// vertical pieces, the moisture-ratio ring of every range, and the symbols on the screen where the plot file puts them.
#include "engine/basic.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace hyg {
namespace {

using namespace test;

TEST(EnthalpyLinesFile, ValuesAndSymbol) {
    // The default chart runs 3 .. 26 kcal/kgDA with "h" beside 16. The last
    // three: a chart from -20 deg C (the walk must not take table entry 0
    // for a saturation point) and narrow charts whose top-right corner lies
    // above saturation (the highest values cross it beyond the right edge).
    constexpr UnitSystem kcal = UnitSystem::MetricKcal, kJ = UnitSystem::MetricKJ, btu = UnitSystem::Imperial;
    // Unit, range, first, last and step of the values, the value after the symbol (-1 none).
    for (const auto& [unit, min, max, first, last, step, symbolAfter] : {std::tuple{kcal, 10.f, 40.f, 3, 26, 1, 16},
                                                                         {kJ, 10.f, 40.f, 15, 105, 5, -1},
                                                                         {btu, 10.f, 40.f, 6, 46, 2, 28},
                                                                         {kcal, -20.f, 20.f, -4, 9, 1, 4},
                                                                         {kcal, 0.f, 10.f, 1, 7, 1, 6},
                                                                         {kcal, 10.f, 20.f, 3, 13, 1, 10}}) {
        Laid l(min, max, 1, unit);
        const auto lines = FileLines(l, Family::Enthalpy);
        std::vector<int> values, expected;
        int h = -1;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (lines[k] == "LBh\x03")
                h = static_cast<int>(HpglNumbers(lines.at(k + 2)).at(0));
            else if (StartsWith(lines[k], "LB"))
                values.push_back(static_cast<int>(HpglNumbers(lines[k])[0]));
            else if (k >= 5 && StartsWith(lines[k], "PD")) {
                const auto a = HpglNumbers(lines[k - 1]), b = HpglNumbers(lines[k]);
                EXPECT_TRUE(b.at(0) < a.at(0) && b.at(1) > a.at(1)) << lines[k]; // the lines run up to the left
            }
        }
        for (int v = first; v <= last; v += step)
            expected.push_back(v);
        EXPECT_EQ(values, expected) << "unit " << CodeOf(unit) << " from " << min;
        EXPECT_EQ(h, symbolAfter) << "unit " << CodeOf(unit) << " from " << min;
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

TEST(MoistureRatioScreen, EveryRangeOfTheDialogKeepsAHalfRing) {
    // The scale ends at the range the user chose, also below 6, where the
    // top value lies under the latent heat of water (597.3 kcal/kg) and
    // points up and to the left; from 16 up the lower side holds only the
    // top value. Either way the arcs span half a turn above the centre.
    for (UnitSystem unit : {UnitSystem::MetricKcal, UnitSystem::MetricKJ, UnitSystem::Imperial}) {
        for (int range = 1; range <= 21; ++range) {
            Laid l([=](ChartSettings& s) { s.EnthalpyUnit = unit, s.MaxMoistureRatio = static_cast<float>(range); });
            RecordingCanvas canvas;
            OnCanvas(l, Family::MoistureRatio, canvas);
            const auto arcs = canvas.of(CanvasCall::Kind::Arc);
            ASSERT_EQ(arcs.size(), 2u);
            EXPECT_GT(arcs[0]->a1, range == 4 && unit == UnitSystem::MetricKcal ? kPi / 2 : 0) << range;
            EXPECT_LT(arcs[0]->a1, kPi) << CodeOf(unit) << " " << range;
            EXPECT_NEAR(arcs[0]->a2 - arcs[0]->a1, kPi, 1e-6) << CodeOf(unit) << " " << range;
        }
    }
    // Range 4 in kcal: the top value is 400, on both sides of the ring (the
    // lower side goes on from it to 1500).
    Laid l([](ChartSettings& s) { s.MaxMoistureRatio = 4; });
    const auto lines = FileLines(l, Family::MoistureRatio);
    const auto count = [&](const char* label) {
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& s) { return StartsWith(s, label); });
    };
    EXPECT_EQ(count("LB 400 \x03"), 2);
    EXPECT_EQ(count("LB 500 \x03"), 1);
}

TEST(SymbolsOnScreen, PhiAndPsiLabelTheSixtyPercentCurves) {
    // The symbol comes right before the curve's number, close beside it, as in the plot file.
    for (const auto& [family, symbol] : {std::pair{Family::RelHum, "Phi"}, std::pair{Family::SatDegree, "Psi"}}) {
        for (const std::int16_t type : {std::int16_t{0}, std::int16_t{1}}) {
            Laid l(10, 40, type);
            RecordingCanvas canvas;
            OnCanvas(l, family, canvas);
            const auto texts = canvas.of(CanvasCall::Kind::Text);
            int symbols = 0;
            for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
                if (texts[i]->text != symbol)
                    continue;
                ++symbols;
                EXPECT_EQ(texts[i + 1]->text, "60") << symbol << " type " << type;
                EXPECT_LT(std::hypot(texts[i + 1]->x1 - texts[i]->x1, texts[i + 1]->y1 - texts[i]->y1), 40.0) << symbol;
            }
            EXPECT_EQ(symbols, 1) << symbol << " type " << type;
        }
    }
}

} // namespace
} // namespace hyg
