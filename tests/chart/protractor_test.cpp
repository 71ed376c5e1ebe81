// The moisture-ratio and sensible-heat-factor protractors, in both modes.
#include "chart/chart_driver.h"

#include "engine/basic.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace hyg {
namespace {

using test::CanvasCall;
using test::HpglLines;
using test::HpglNumbers;
using test::RecordingCanvas;
using test::StartsWith;

struct Laid {
    Chart chart;
    ChartFrame frame;
};

Laid Layout(std::int16_t unit = 1, float maxMoistureRatio = 8) {
    Laid l;
    l.chart.settings.EnthalpyUnit = unit;
    l.chart.settings.MaxMoistureRatio = maxMoistureRatio;
    l.chart.settings.PlotTextSize4 = 0.14f;
    l.frame = LayoutChart(l.chart, nullptr);
    return l;
}

std::vector<std::string> MoistureRatioHpgl(Laid& l) {
    std::ostringstream os;
    ChartDevice dev("file", l.chart.settings, nullptr, &os);
    DrawMoistureRatioProtractor(dev, l.chart, l.frame.LeftX, l.frame.TopY, l.frame.BottomRightX, l.frame.ChartHeight);
    return HpglLines(os.str());
}

std::vector<std::string> ShfHpgl(Laid& l) {
    std::ostringstream os;
    ChartDevice dev("file", l.chart.settings, nullptr, &os);
    DrawShfProtractor(dev, l.chart, l.frame.LeftX, l.frame.TopRightX, l.frame.ShfOriginY);
    return HpglLines(os.str());
}

// The moisture-ratio labels of a plot file, as numbers ("LB-400 ", "LB 800 ").
std::vector<int> ValueLabels(const std::vector<std::string>& lines) {
    std::vector<int> out;
    for (const std::string& l : lines) {
        if (StartsWith(l, "LB") && l != "LBu\x03") out.push_back(std::stoi(l.substr(2)));
    }
    return out;
}

std::vector<int> Range(int from, int to, int step) {
    std::vector<int> v;
    for (int x = from; x <= to; x += step) v.push_back(x);
    return v;
}

// --- moisture-ratio protractor ------------------------------------------------

TEST(MoistureRatioFile, DefaultScaleBothSides) {
    Laid l = Layout();
    const auto lines = MoistureRatioHpgl(l);
    ASSERT_GT(lines.size(), 12u);
    // Pen 8 once, the centre cross, the circle, "u" and the label size.
    EXPECT_EQ(lines[0], "SP8\x03");
    EXPECT_EQ(lines[6], "CI, 30 , 0 \x03");
    EXPECT_EQ(lines[8], "LBu\x03");
    EXPECT_EQ(lines[9], "SI .14  .28 \x03");
    int pens = 0;
    for (const std::string& line : lines) pens += StartsWith(line, "SP");
    EXPECT_EQ(pens, 1);

    // Upper side: -400 .. 800 by 100, then -1000, -600, -10000, -4000,
    // -2000; lower side: 800 .. 1500 by 100, 2000, 4000, 10000.
    std::vector<int> expected = Range(-400, 800, 100);
    for (int v : {-1000, -600, -10000, -4000, -2000}) expected.push_back(v);
    for (int v : Range(800, 1500, 100)) expected.push_back(v);
    for (int v : {2000, 4000, 10000}) expected.push_back(v);
    EXPECT_EQ(ValueLabels(lines), expected);

    // Two ticks per value and two plotter arcs of half a turn about the centre.
    int ticks = 0, arcs = 0;
    for (const std::string& line : lines) {
        arcs += StartsWith(line, "PDAA") && HpglNumbers(line.substr(2)).back() == 180;
        ticks += StartsWith(line, "PD ");
    }
    EXPECT_EQ(ticks, 2 + 2 * static_cast<int>(expected.size()));
    EXPECT_EQ(arcs, 2);
}

TEST(MoistureRatioFile, KilojouleUnitsStepByFiveCounters) {
    Laid l = Layout(2);
    const ChartSettings& s = l.chart.settings;
    const auto lines = MoistureRatioHpgl(l);
    const auto labels = ValueLabels(lines);
    ASSERT_FALSE(labels.empty());
    // Counters -15, -10, ... 40 labelled (k - 4) * 100 kJ/kg.
    EXPECT_EQ(labels[0], -1900);
    EXPECT_EQ(std::vector<int>(labels.begin(), labels.begin() + 12), Range(-1900, 3600, 500));

    // The first tick's direction is that of (-15 / 4.186 - 1) * 100 kcal/kg.
    std::size_t di = 0;
    while (!StartsWith(lines[di], "DI1,")) ++di;
    const double ef = 4.186f;
    const double d = ((-15 / ef - 1) * s.ScaleX / 1000) * 100 + s.ScaleX * (-597.3) / 1000;
    EXPECT_NEAR(std::stod(lines[di].substr(4)), s.ScaleY / d, 1e-5);
}

TEST(MoistureRatioScreen, LabelsPaddedAndSizedByLength) {
    Laid l = Layout();
    l.chart.settings.PictureWidth = 150000; // 30 twips per plane unit: sizes to the pixel
    l.chart.settings.PictureHeight = 105000;
    RecordingCanvas canvas(10000, 7000);
    ChartDevice dev("draw", l.chart.settings, &canvas, nullptr);
    DrawMoistureRatioProtractor(dev, l.chart, l.frame.LeftX, l.frame.TopY, l.frame.BottomRightX, l.frame.ChartHeight);

    const double c = l.chart.settings.LabelUnit;
    auto fontWidth = [](double size) { return CLng(size * 0.066667 * 30 + 0.5); };
    int seen = 0;
    for (const CanvasCall* t : canvas.of(CanvasCall::Kind::Text)) {
        if (t->text == "u") {
            EXPECT_TRUE(t->font.italic);
            EXPECT_EQ(t->colour, l.chart.settings.PenColor[6]);
            continue;
        }
        EXPECT_EQ(t->colour, l.chart.settings.PenColor[3]);
        EXPECT_FALSE(t->font.italic);
        // The field is one wider than the number; the screen drops one blank.
        if (t->text == "100" || t->text == "800") {
            EXPECT_EQ(t->font.width, fontWidth(2.0 / 3 * c));
            ++seen;
        }
        if (t->text == "10000" || t->text == " -400") {
            EXPECT_EQ(t->font.width, fontWidth(2.0 / 5 * c));
            ++seen;
        }
        if (t->text == "  0") ++seen;
    }
    EXPECT_EQ(seen, 6); // 100, 800 twice, 10000, -400, 0
}

TEST(MoistureRatioScreen, EveryRangeOfTheDialogKeepsAHalfRing) {
    // Below 6 the top value would lie under the latent heat of water (597.3
    // kcal/kg) and fold the scale over; from 16 up the lower side holds only
    // the top value. Either way the arcs span half a turn above the centre.
    for (std::int16_t unit = 1; unit <= 3; ++unit) {
        for (int range = 1; range <= 21; ++range) {
            Laid l = Layout(unit, static_cast<float>(range));
            RecordingCanvas canvas;
            ChartDevice dev("draw", l.chart.settings, &canvas, nullptr);
            DrawMoistureRatioProtractor(dev, l.chart, l.frame.LeftX, l.frame.TopY, l.frame.BottomRightX,
                                        l.frame.ChartHeight);
            const auto arcs = canvas.of(CanvasCall::Kind::Arc);
            ASSERT_EQ(arcs.size(), 2u);
            EXPECT_GT(arcs[0]->a1, 0) << unit << " " << range;
            EXPECT_LT(arcs[0]->a1, kPi / 2) << unit << " " << range;
            EXPECT_NEAR(arcs[0]->a2 - arcs[0]->a1, kPi, 1e-6);
            if (unit == 1 && range == 8) {
                // From the direction of 800 kcal/kg, radii r2 - 30 and r4.
                const ChartSettings& s = l.chart.settings;
                EXPECT_NEAR(arcs[0]->a1, std::atan(s.ScaleY / (s.ScaleX * (0.8 - 0.5973))), 1e-4);
                EXPECT_NEAR(arcs[0]->r, (490 - 30) * canvas.width() / 5000, 1e-6);
                EXPECT_NEAR(arcs[1]->r, (490 + 160) * canvas.width() / 5000, 1e-6);
                EXPECT_EQ(canvas.count(CanvasCall::Kind::Line), 2u + 2u * 29u);
            }
        }
    }
}

// --- sensible-heat-factor protractor -----------------------------------------

struct Stroke {
    double x1, y1, x2, y2;
};

// Pen-up / pen-down pairs of a plot file.
std::vector<Stroke> Strokes(const std::vector<std::string>& lines) {
    std::vector<Stroke> out;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (StartsWith(lines[i], "PU") && StartsWith(lines[i + 1], "PD")) {
            const auto a = HpglNumbers(lines[i]), b = HpglNumbers(lines[i + 1]);
            out.push_back({a[0], a[1], b[0], b[1]});
        }
    }
    return out;
}

// The plane Y of the fan line of factor f at column x.
double FanY(const Laid& l, double f, double x) {
    const ChartSettings& s = l.chart.settings;
    const double x0 = ChartX(s, s.ShfOriginDryBulb, s.ShfOriginAbsHum);
    const double m = ((1 - f) * s.ScaleY * 1000 / 597.3) / (f * s.ScaleX);
    return l.frame.ShfOriginY + m * (x - x0);
}

TEST(ShfProtractorFile, DefaultScales) {
    Laid l = Layout();
    const ChartSettings& s = l.chart.settings;
    const double c = s.LabelUnit;
    const auto lines = ShfHpgl(l);
    for (const std::string& line : lines) EXPECT_FALSE(StartsWith(line, "SP")) << "draws with the pen in use";

    // Origin mark: cross, circle, the slanted symbol and the reset.
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[5], "CI, 30 , 0\x03");
    EXPECT_EQ(lines[6], "DI1,0.509525\x03");
    EXPECT_EQ(lines[8], "LBSHF\x03");
    EXPECT_EQ(lines[9], "DI 1,0;\x03");

    // Right scale: only the factors whose ticks stay under the top.
    const double xa = l.frame.TopRightX + 420, xd = l.frame.LeftX - 220;
    const double yLim = s.MaxAbsHum * s.ScaleY + s.OriginY + 2;
    std::vector<std::string> right, left;
    for (int i = 30; i <= 100; i += 10) {
        if (FanY(l, i / 100.0, xa + 80) <= yLim) right.push_back(i == 100 ? "1.0" : "0." + std::to_string(i / 10));
        left.push_back(i == 100 ? "1.0" : "0." + std::to_string(i / 10));
    }
    ASSERT_FALSE(right.empty());
    EXPECT_EQ(right.back(), "1.0");
    EXPECT_EQ(right.front(), "0.6"); // 0.3 .. 0.5 would rise above the top edge

    std::vector<std::string> labels;
    for (const std::string& line : lines) {
        if (StartsWith(line, "LB")) labels.push_back(line.substr(2, line.size() - 3));
    }
    std::vector<std::string> expected = {"SHF"};
    for (const auto& t : right) {
        expected.push_back(t);
        if (t == "0.8") expected.push_back("SHF");
    }
    for (const auto& t : left) {
        expected.push_back(t);
        if (t == "0.4") expected.push_back("SHF");
    }
    EXPECT_EQ(labels, expected);

    // Left ticks: long (80 units) at whole tenths, short (40) at the others;
    // then the two base lines from the origin's level (factor 1.0).
    const auto strokes = Strokes(lines);
    int leftLong = 0, leftShort = 0;
    for (const Stroke& st : strokes) {
        if (std::abs(st.x1 - xd) > 1e-3 || st.x2 == st.x1) continue;
        leftLong += std::abs(st.x2 - (xd - 80)) < 1e-3;
        leftShort += std::abs(st.x2 - (xd - 40)) < 1e-3;
    }
    EXPECT_EQ(leftLong, 8);
    EXPECT_EQ(leftShort, 28);
    ASSERT_GE(strokes.size(), 2u);
    for (const Stroke* b : {&strokes[strokes.size() - 2], &strokes.back()}) {
        EXPECT_EQ(b->x1, b->x2);
        EXPECT_NEAR(b->y1, l.frame.ShfOriginY, 1e-3);
    }
    EXPECT_NEAR(strokes.back().y2, FanY(l, 0.3, xd), 0.05);

    // The symbols: after 0.8 on the right (size c), before 0.4 on the left.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "LB0.8\x03" && lines[i + 2] == "LBSHF\x03") {
            const auto at = HpglNumbers(lines[i - 2]), sym = HpglNumbers(lines[i + 1]);
            EXPECT_NEAR(sym[0], at[0] + 5.3 * c, 1e-3);
            EXPECT_NEAR(sym[1], at[1], 1e-3);
        }
        if (lines[i] == "LB0.4\x03") {
            ASSERT_EQ(lines[i + 2], "LBSHF\x03");
            const auto at = HpglNumbers(lines[i - 2]), sym = HpglNumbers(lines[i + 1]);
            EXPECT_NEAR(sym[0], at[0] - 7 * c, 1e-3);
            EXPECT_NEAR(sym[1], at[1] - c, 1e-3);
        }
    }
}

TEST(ShfProtractorFile, OriginAboveTheTopLeavesTheRightScaleEmpty) {
    Laid l = Layout();
    l.chart.settings.ShfOriginAbsHum = 30;
    l.frame.ShfOriginY = Sgl(30 * l.chart.settings.ScaleY + l.chart.settings.OriginY);
    const auto strokes = Strokes(ShfHpgl(l));
    for (const Stroke& st : strokes) EXPECT_GT(std::abs(st.x1 - (l.frame.TopRightX + 420)), 1e-3);
    EXPECT_FALSE(strokes.empty()); // the left scale and its base line are still there
}

TEST(ShfProtractorScreen, DefaultColoursAndSymbols) {
    Laid l = Layout();
    RecordingCanvas canvas;
    ChartDevice dev("draw", l.chart.settings, &canvas, nullptr);
    DrawShfProtractor(dev, l.chart, l.frame.LeftX, l.frame.TopRightX, l.frame.ShfOriginY);
    const Rgb pen = l.chart.settings.PenColor[3];
    for (const CanvasCall& c : canvas.calls) EXPECT_EQ(c.colour, pen);
    EXPECT_EQ(canvas.count(CanvasCall::Kind::Circle), 1u);
    const auto texts = canvas.of(CanvasCall::Kind::Text);
    ASSERT_FALSE(texts.empty());
    // The origin's symbol, slanted 27 degrees.
    EXPECT_EQ(texts[0]->text, "SHF");
    EXPECT_TRUE(texts[0]->font.italic);
    EXPECT_EQ(texts[0]->font.escapement, 270);
    int symbols = 0;
    for (const CanvasCall* t : texts) symbols += t->text == "SHF";
    EXPECT_EQ(symbols, 3);
}

TEST(Protractors, FilePenIsThatOfTheFamilyBefore) {
    for (int mr : {1, 0}) {
        Laid l = Layout();
        l.chart.settings.LineSwitch[5] = static_cast<std::int16_t>(mr);
        std::ostringstream os;
        ChartDevice dev("file", l.chart.settings, nullptr, &os);
        DrawChart(dev, l.chart, l.frame);
        const auto lines = HpglLines(os.str());
        std::string pen;
        for (const std::string& line : lines) {
            if (StartsWith(line, "SP")) pen = line;
            if (line == "DI1,0.509525\x03") break;
        }
        EXPECT_EQ(pen, mr ? "SP8\x03" : "SP4\x03");
    }
}

} // namespace
} // namespace hyg
