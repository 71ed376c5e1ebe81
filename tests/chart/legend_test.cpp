// The partial-pressure scale and the legend block in both modes; the
// switches of the optional families; a sweep of chart ranges through the
// whole driver.
#include "chart/chart_driver.h"

#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
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

Laid Layout(std::int16_t unit = 1) {
    Laid l;
    l.chart.settings.EnthalpyUnit = unit;
    l.chart.settings.PlotTextSize1 = 20;
    l.chart.settings.PlotTextSize2 = 0.28f;
    l.chart.settings.PlotTextSize3 = 0.16f;
    l.chart.settings.PlotTextSize4 = 0.14f;
    l.frame = LayoutChart(l.chart, nullptr);
    return l;
}

std::vector<std::string> Labels(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        if (StartsWith(l, "LB")) out.push_back(l.substr(2, l.size() - 3));
    }
    return out;
}

// --- partial-pressure scale ------------------------------------------------

TEST(PartialPressureFile, DefaultScaleZeroToThirtyOne) {
    Laid l = Layout();
    const ChartSettings& s = l.chart.settings;
    std::ostringstream os;
    ChartDevice dev("file", s, nullptr, &os);
    DrawPartialPressureScale(dev, l.chart, l.frame.TopRightX, l.frame.BottomY);
    const auto lines = HpglLines(os.str());

    // 27 g/kgDA at 760 mmHg is 31.6 mmHg: ticks 0 .. 31, the first unnumbered.
    std::vector<std::string> expected = {""};
    for (int i = 1; i <= 31; ++i) expected.push_back(std::to_string(i));
    expected.push_back("Pw");
    EXPECT_EQ(Labels(lines), expected);

    const double xs = l.frame.TopRightX + 140;
    int ticks = 0;
    for (std::size_t k = 0; k + 1 < lines.size(); ++k) {
        if (!StartsWith(lines[k], "PU") || !StartsWith(lines[k + 1], "PD")) continue;
        const auto a = HpglNumbers(lines[k]), b = HpglNumbers(lines[k + 1]);
        if (a[1] != b[1]) continue; // the axis
        // Tick i at the humidity of i mmHg at standard pressure.
        EXPECT_NEAR(a[0], xs, 1e-3);
        EXPECT_NEAR(b[0], xs + 135, 1e-3);
        EXPECT_NEAR(a[1], s.ScaleY * (ticks * 622.0 / (760 - ticks)) + s.OriginY, 2e-3);
        ++ticks;
    }
    EXPECT_EQ(ticks, 32);
}

TEST(PartialPressureScreen, DefaultScale) {
    Laid l = Layout();
    RecordingCanvas canvas;
    ChartDevice dev("draw", l.chart.settings, &canvas, nullptr);
    DrawPartialPressureScale(dev, l.chart, l.frame.TopRightX, l.frame.BottomY);
    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 33u);
    EXPECT_EQ(texts[0], "0");
    EXPECT_EQ(texts[31], "31");
    EXPECT_EQ(texts[32], "Pw");
    EXPECT_EQ(canvas.count(CanvasCall::Kind::Line), 33u);
    for (const CanvasCall& c : canvas.calls) EXPECT_EQ(c.colour, l.chart.settings.PenColor[8]);
    EXPECT_TRUE(canvas.of(CanvasCall::Kind::Text).back()->font.italic);
}

// --- legend ----------------------------------------------------------------

std::vector<std::string> LegendHpgl(Laid& l) {
    std::ostringstream os;
    ChartDevice dev("file", l.chart.settings, nullptr, &os);
    DrawLegend(dev, l.chart, l.frame.TopRightX, l.frame.ChartHeight, l.frame.ChartWidth, l.frame.LeftX, l.frame.TopY,
               l.frame.ShfOriginY);
    return HpglLines(os.str());
}

std::vector<std::string> LegendScreen(Laid& l, RecordingCanvas& canvas) {
    ChartDevice dev("draw", l.chart.settings, &canvas, nullptr);
    DrawLegend(dev, l.chart, l.frame.TopRightX, l.frame.ChartHeight, l.frame.ChartWidth, l.frame.LeftX, l.frame.TopY,
               l.frame.ShfOriginY);
    return canvas.texts();
}

TEST(LegendFile, DefaultTextsAndPlaces) {
    Laid l = Layout();
    const auto lines = LegendHpgl(l);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "SI .28  .56 \x03");
    // Windows-1252 in the file: 0xB0 degree, 0xB3 superscript three.
    const std::vector<std::string> expected = {
        "   Chart Height =  2455 cm",
        "   Chart Widhth =  2450 cm",
        "   Min. Temp. =  10 \xb0" "C",
        "   Max. Temp. =  40 \xb0" "C",
        "   Max. Abs. Hum. = 0.027 kg/kgDA",
        "   SHF Origin = 17 \xb0" "C, 0.017  kg/kgDA",
        "   Atm. Pressure = 760 mmHg",
        "   Max. Moisture R. =  800 kcal/kg",
        " t  = Dry B.Temp. \xb0" "C",
        " t' = Wet B.Temp. \xb0" "C",
        "Psi = Saturation Degree  %",
        "Phi = Relative Humidity  %",
        " x  = Absolute Humidity  kg/kgDA",
        "Pw  = Partial Pressure  mmHg",
        " h  = Enthalpy  kcal/kgDA",
        " v  = Specific Volume m\xb3/kgDA",
        " u  = Moisture  Ratio kcal/kg",
        "SHF = Sensible Heat Factor (-)",
    };
    EXPECT_EQ(Labels(lines), expected);

    // Places: the chart-size and range lines over the left end, 20 text
    // sizes apart; the table right of the chart, 15 sizes a row.
    const double s = 1.2 * l.chart.settings.LabelUnit;
    std::vector<std::vector<double>> at;
    for (std::size_t k = 1; k < lines.size(); k += 2) at.push_back(HpglNumbers(lines[k]));
    ASSERT_EQ(at.size(), 18u);
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(at[static_cast<std::size_t>(k)][0], l.frame.LeftX, 1e-3);
        EXPECT_NEAR(at[static_cast<std::size_t>(k)][1], l.frame.TopY + (100 - 20 * k) * s, 2e-3);
    }
    EXPECT_NEAR(at[4][1], l.frame.TopY + 100 * 20, 2e-3);
    EXPECT_NEAR(at[7][1], l.frame.TopY + 40 * s, 2e-3);
    for (int j = 0; j < 10; ++j) {
        EXPECT_NEAR(at[static_cast<std::size_t>(8 + j)][0], l.frame.TopRightX + 600, 1e-3);
        EXPECT_NEAR(at[static_cast<std::size_t>(8 + j)][1], l.frame.ShfOriginY - (20 + 15 * j) * s, 2e-3);
    }
}

TEST(LegendFile, PressureUnitsAndInchPoundMeanings) {
    Laid l = Layout(3);
    l.chart.settings.PressureUnit = 2;
    l.chart.settings.Pressure = 101.3f;
    auto labels = Labels(LegendHpgl(l));
    ASSERT_EQ(labels.size(), 18u);
    EXPECT_EQ(labels[6], "   Atm. Pressure = 101.3 kPa");
    EXPECT_EQ(labels[4], "   Max. Abs. Hum. = 0.027 lbm/lbmDA");
    EXPECT_EQ(labels[7], "   Max. Moisture R. =  800 Btu/lbm");
    EXPECT_EQ(labels[12], " x  = Absolute Humidity  lbm/lbmDA");
    EXPECT_EQ(labels[14], " h  = Enthalpy  Btu/lbmDA");
    EXPECT_EQ(labels[15], " v  = Specific Volume ft\xb3/lbmDA");
    EXPECT_EQ(labels[16], " u  = Moisture  Ratio Btu/lbm");

    l.chart.settings.PressureUnit = 3;
    l.chart.settings.Pressure = 1;
    EXPECT_EQ(Labels(LegendHpgl(l))[6], "   Atm. Pressure = 1.000 atm");
}

TEST(LegendScreen, RangeAndTableWithoutTheChartSize) {
    Laid l = Layout();
    l.chart.settings.LabelUnit = 7; // refreshed from the window by the legend
    RecordingCanvas canvas;
    const auto texts = LegendScreen(l, canvas);
    EXPECT_EQ(l.chart.settings.LabelUnit, 25);
    ASSERT_EQ(texts.size(), 26u);
    // The screen drops the leading blank of each text.
    EXPECT_EQ(texts[0], "  Min. Temp. =  10 \u00b0C");
    EXPECT_EQ(texts[1], "  Max. Temp. =  40 \u00b0C");
    EXPECT_EQ(texts[5], "  Atm. Pressure = 760 mmHg");
    for (const std::string& t : texts) EXPECT_EQ(t.find("Chart"), std::string::npos) << t;
    EXPECT_EQ(texts[6], "t ");
    EXPECT_EQ(texts[7], "= Dry B.Temp. \u00b0C");
    EXPECT_EQ(texts[20], "v ");
    EXPECT_EQ(texts[21], "= Specific Volume m\u00b3/kgDA");
    EXPECT_EQ(texts[24], "SHF");

    for (const CanvasCall& c : canvas.calls) {
        EXPECT_EQ(c.colour, l.chart.settings.PenColor[0]);
        EXPECT_FALSE(c.font.italic);
    }
}

// --- switches ----------------------------------------------------------------

// One canvas call as text, for comparing call sequences.
std::string Describe(const CanvasCall& c) {
    std::ostringstream os;
    os << static_cast<int>(c.kind) << ' ' << c.x1 << ' ' << c.y1 << ' ' << c.x2 << ' ' << c.y2 << ' ' << c.r << ' '
       << c.a1 << ' ' << c.a2 << ' ' << int(c.colour.r) << ',' << int(c.colour.g) << ',' << int(c.colour.b) << ' '
       << c.style << ' ' << c.text << ' ' << c.font.width << ' ' << c.font.escapement << ' ' << c.points.size();
    return os.str() + "\n";
}

std::string ScreenText(const RecordingCanvas& canvas) {
    std::string out;
    for (const CanvasCall& c : canvas.calls) out += Describe(c);
    return out;
}

// Runs one family alone on a laid-out chart.
void DrawFamily(int sw, ChartDevice& dev, Laid& l) {
    const ChartFrame& f = l.frame;
    Chart& ch = l.chart;
    switch (sw) {
    case 2: DrawVolumeLines(dev, ch, f.IdxMin, f.IdxMax, f.BottomRightX, f.BottomY); break;
    case 3: DrawWetBulbLines(dev, ch, f.IdxMin, f.IdxMax, f.LeftX); break;
    case 4: DrawPartialPressureScale(dev, ch, f.TopRightX, f.BottomY); break;
    case 5: DrawMoistureRatioProtractor(dev, ch, f.LeftX, f.TopY, f.BottomRightX, f.ChartHeight); break;
    case 6: DrawShfProtractor(dev, ch, f.LeftX, f.TopRightX, f.ShfOriginY); break;
    case 7: DrawLegend(dev, ch, f.TopRightX, f.ChartHeight, f.ChartWidth, f.LeftX, f.TopY, f.ShfOriginY); break;
    default: break;
    }
}

std::string Render(Laid& l, bool file, int family = -1) {
    std::ostringstream os;
    RecordingCanvas canvas;
    ChartDevice dev(file ? "file" : "draw", l.chart.settings, file ? nullptr : &canvas, file ? &os : nullptr);
    if (family < 0) {
        DrawChart(dev, l.chart, l.frame);
    } else {
        DrawFamily(family, dev, l);
    }
    return file ? os.str() : ScreenText(canvas);
}

TEST(FamilySwitches, EachSwitchRemovesExactlyItsFamily) {
    for (bool file : {true, false}) {
        Laid l = Layout();
        const std::string all = Render(l, file);
        for (int sw = 2; sw <= 7; ++sw) {
            const std::string family = Render(l, file, sw);
            ASSERT_FALSE(family.empty()) << sw;
            const std::size_t at = all.find(family);
            ASSERT_NE(at, std::string::npos) << "family " << sw << " not found in the whole chart";
            std::string without = all;
            without.erase(at, family.size());

            l.chart.settings.LineSwitch[static_cast<std::size_t>(sw)] = 0;
            EXPECT_EQ(Render(l, file), without) << "switch " << sw << (file ? " file" : " draw");
            l.chart.settings.LineSwitch[static_cast<std::size_t>(sw)] = 1;
        }
    }
}

// --- a sweep of ranges through the whole driver ---------------------------------

bool HasNonFinite(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

// Runs `draw` on a fresh device of the mode; a typed fault is counted under
// its text, anything else fails the test. Nothing that is not finite may
// reach either sink.
template <typename Draw>
void Sweep(Laid& l, bool file, const std::string& what, std::map<std::string, int>& faults, Draw draw) {
    std::ostringstream os;
    RecordingCanvas canvas;
    ChartDevice dev(file ? "file" : "draw", l.chart.settings, file ? nullptr : &canvas, file ? &os : nullptr);
    try {
        draw(dev);
    } catch (const RunTimeFault& e) {
        ++faults[e.what()];
    } catch (const std::exception& e) {
        ADD_FAILURE() << what << ": untyped " << e.what();
    }
    EXPECT_FALSE(HasNonFinite(os.str())) << what;
    for (const CanvasCall& c : canvas.calls) ASSERT_TRUE(c.finite()) << what;
}

TEST(ChartSweep, RangesPressuresTypesAndUnitsRaiseOnlyTypedFaults) {
    std::map<std::string, int> chartFaults, familyFaults;
    int charts = 0;
    for (float min : {-20.f, -10.f, 0.f, 10.f, 20.f}) {
        for (float max : {10.f, 20.f, 30.f, 40.f, 50.f, 60.f}) {
            if (max <= min) continue;
            for (float p : {700.f, 760.f, 1000.f}) {
                for (std::int16_t type : {0, 1}) {
                    for (std::int16_t unit : {1, 2, 3}) {
                        Laid l;
                        ChartSettings& s = l.chart.settings;
                        s.MinDryBulb = min, s.MaxDryBulb = max;
                        s.Pressure = p, s.PressureMmHg = p;
                        s.DiagramType = type, s.EnthalpyUnit = unit;
                        s.PlotTextSize1 = 20, s.PlotTextSize2 = 0.28f, s.PlotTextSize3 = 0.16f,
                        s.PlotTextSize4 = 0.14f;
                        ASSERT_NO_THROW(l.frame = LayoutChart(l.chart, nullptr));
                        const std::string what = std::to_string(min) + ".." + std::to_string(max) + " at " +
                                                 std::to_string(p) + " type " + std::to_string(type) + " unit " +
                                                 std::to_string(unit);
                        for (bool file : {true, false}) {
                            // The whole chart; a fault ends it where it happens.
                            Sweep(l, file, what, chartFaults, [&](ChartDevice& dev) { DrawChart(dev, l.chart, l.frame); });
                            ++charts;
                            // Each family of this file on its own, so that a
                            // fault in an earlier family hides nothing.
                            for (int sw = 2; sw <= 7; ++sw) {
                                Sweep(l, file, what + " family " + std::to_string(sw), familyFaults,
                                      [&](ChartDevice& dev) { DrawFamily(sw, dev, l); });
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(charts, 27 * 3 * 2 * 3 * 2);
    for (const auto& [what, n] : chartFaults) std::cout << "  whole chart, fault x" << n << ": " << what << "\n";
    for (const auto& [what, n] : familyFaults) ADD_FAILURE() << "family fault x" << n << ": " << what;
}

} // namespace
} // namespace hyg
