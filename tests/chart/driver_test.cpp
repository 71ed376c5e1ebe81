// The chart driver: order and gates of the families, the draw count and the
// process-line step; the colour tables on the canvas; and a sweep of ranges,
// pressures, diagram types and unit systems through the core families.
#include "chart/chart_driver.h"

#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace hyg {
namespace {

using test::CanvasCall;
using test::HpglLines;
using test::RecordingCanvas;
using test::StartsWith;

std::string PlotOf(Chart& chart, const std::function<void(ChartDevice&)>& process = {}) {
    const ChartFrame f = LayoutChart(chart, nullptr);
    std::ostringstream os;
    ChartDevice dev("file", chart.settings, nullptr, &os);
    DrawChart(dev, chart, f, process);
    return os.str();
}

std::vector<std::string> Pens(const std::string& plot) {
    std::vector<std::string> out;
    for (const std::string& l : HpglLines(plot)) {
        if (StartsWith(l, "SP")) out.push_back(l.substr(0, 3));
    }
    return out;
}

TEST(DrawChart, FamiliesInDriverOrder) {
    Chart chart;
    const auto pens = Pens(PlotOf(chart));
    ASSERT_GE(pens.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(pens.begin(), pens.begin() + 5),
              (std::vector<std::string>{"SP2", "SP1", "SP3", "SP6", "SP7"}));
    EXPECT_EQ(chart.settings.DrawCount, 1);
}

TEST(DrawChart, AllSwitchesOffLeavesTheFrameFamilies) {
    Chart chart;
    chart.settings.LineSwitch.fill(0);
    int processCalls = 0;
    const std::string plot = PlotOf(chart, [&](ChartDevice&) { ++processCalls; });
    EXPECT_EQ(Pens(plot), (std::vector<std::string>{"SP3", "SP6", "SP7"}));
    EXPECT_EQ(processCalls, 0);
    EXPECT_EQ(chart.settings.DrawCount, 1);

    // Only 1 opens a gate.
    chart.settings.LineSwitch[0] = 2;
    chart.settings.DrawProcessLines = 2;
    EXPECT_EQ(Pens(PlotOf(chart, [&](ChartDevice&) { ++processCalls; })),
              (std::vector<std::string>{"SP3", "SP6", "SP7"}));
    EXPECT_EQ(processCalls, 0);
    EXPECT_EQ(chart.settings.DrawCount, 2);
}

TEST(DrawChart, ProcessLinesComeLastWhenSwitchedOn) {
    Chart chart;
    chart.settings.DrawProcessLines = 1;
    std::string before;
    const ChartFrame f = LayoutChart(chart, nullptr);
    std::ostringstream os;
    ChartDevice dev("file", chart.settings, nullptr, &os);
    int calls = 0;
    DrawChart(dev, chart, f, [&](ChartDevice& d) {
        ++calls;
        EXPECT_EQ(&d, &dev);
        before = os.str();
        d.PlotLine({"PROCESS"});
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(os.str(), before + "PROCESS\r\n");
    // Without a callback the step is simply empty.
    EXPECT_NO_THROW(DrawChart(dev, chart, f));
}

// Whether `off` is `full` with one non-empty block of lines taken out.
::testing::AssertionResult OneBlockRemoved(const std::vector<std::string>& full, const std::vector<std::string>& off,
                                           std::vector<std::string>* block) {
    std::size_t pre = 0;
    while (pre < off.size() && pre < full.size() && off[pre] == full[pre]) ++pre;
    std::size_t suf = 0;
    while (suf < off.size() - pre && suf < full.size() - pre &&
           off[off.size() - 1 - suf] == full[full.size() - 1 - suf]) {
        ++suf;
    }
    if (pre + suf != off.size() || full.size() <= off.size()) {
        return ::testing::AssertionFailure() << "differs beyond one block (prefix " << pre << ", suffix " << suf << ")";
    }
    block->assign(full.begin() + static_cast<long>(pre), full.end() - static_cast<long>(suf));
    return ::testing::AssertionSuccess();
}

TEST(DrawChart, EachSwitchRemovesExactlyItsFamily) {
    Chart base;
    base.settings.LineSwitch[7] = 0; // the notes name the switched families; compare without them
    Chart fullChart = base;
    const auto full = HpglLines(PlotOf(fullChart));
    for (int n = 0; n <= 6; ++n) {
        Chart chart = base;
        chart.settings.LineSwitch[static_cast<std::size_t>(n)] = 0;
        const auto off = HpglLines(PlotOf(chart));
        std::vector<std::string> block;
        ASSERT_TRUE(OneBlockRemoved(full, off, &block)) << "switch " << n;
        if (n == 0) EXPECT_EQ(block.front(), "SP2\x03");
        if (n == 1) EXPECT_EQ(block.front(), "SP1\x03");
        if (n <= 1) EXPECT_EQ(std::count(block.begin(), block.end(), std::string("\x03")), 29) << n;
    }
    // The notes come last: switching them off only shortens the plot.
    Chart withNotes;
    const auto all = HpglLines(PlotOf(withNotes));
    ASSERT_GT(all.size(), full.size());
    EXPECT_TRUE(std::equal(full.begin(), full.end(), all.begin()));
}

std::set<std::tuple<int, int, int>> ColoursOf(const RecordingCanvas& canvas) {
    std::set<std::tuple<int, int, int>> out;
    for (const CanvasCall& c : canvas.calls) out.insert({c.colour.r, c.colour.g, c.colour.b});
    return out;
}

TEST(DrawChart, CanvasColoursFollowThePenTable) {
    for (bool colour : {true, false}) {
        Chart chart;
        chart.settings.ColorMode = colour ? 1 : 0;
        chart.settings.PenColor = colour ? ColourPenTable() : MonoPenTable();
        chart.settings.PictureWidth = 15000;
        chart.settings.PictureHeight = 10500;
        const ChartFrame f = LayoutChart(chart, nullptr);
        RecordingCanvas canvas(1000, 700);
        ChartDevice dev("draw", chart.settings, &canvas, nullptr);
        DrawChart(dev, chart, f);
        std::set<std::tuple<int, int, int>> table;
        for (const Rgb& c : chart.settings.PenColor) table.insert({c.r, c.g, c.b});
        const auto used = ColoursOf(canvas);
        for (const auto& c : used) EXPECT_TRUE(table.count(c)) << "a colour outside the pen table";
        if (colour) {
            // Black, light blue, magenta, light red at least (the core families).
            for (const Rgb& c : {palette::Black, palette::LightBlue, palette::Magenta, palette::LightRed}) {
                EXPECT_TRUE(used.count({c.r, c.g, c.b}));
            }
        } else {
            EXPECT_EQ(used.size(), 1u);
        }
    }
}

// Every core family over the ranges, pressures, types and unit systems the
// dialogs allow, in both modes: no fault, no non-finite coordinate, and
// the strokes stay on the plane window.
TEST(CoreFamilies, SurviveASweepOfSettings) {
    int charts = 0;
    for (float min : {-20.0f, -10.0f, 0.0f, 10.0f, 20.0f}) {
        for (float max : {10.0f, 20.0f, 35.0f, 45.0f, 60.0f}) {
            for (float pressure : {700.0f, 760.0f, 1000.0f}) {
                for (std::int16_t type : {0, 1}) {
                    for (std::int16_t unit : {1, 2, 3}) {
                        for (const char* mode : {"draw", "file"}) {
                            Chart chart;
                            ChartSettings& s = chart.settings;
                            s.MinDryBulb = min, s.MaxDryBulb = max;
                            s.Pressure = s.PressureMmHg = pressure;
                            s.DiagramType = type, s.EnthalpyUnit = unit;
                            s.PictureWidth = 15000, s.PictureHeight = 10500;
                            const std::string what = std::to_string(min) + ".." + std::to_string(max) + " at " +
                                                     std::to_string(pressure) + " type " + std::to_string(type) +
                                                     " unit " + std::to_string(unit) + " " + mode;
                            if (max <= min) {
                                EXPECT_THROW(LayoutChart(chart, nullptr), LayoutRefused) << what;
                                continue;
                            }
                            RecordingCanvas canvas(1000, 700);
                            std::ostringstream os;
                            ChartDevice dev(mode, s, &canvas, &os);
                            try {
                                const ChartFrame f = LayoutChart(chart, nullptr);
                                float last = 0;
                                DrawRelHumCurves(dev, chart, f.TempCount, f.IdxMin, f.IdxMax);
                                DrawSatDegreeCurves(dev, chart, last, f.TempCount, f.IdxMin, f.IdxMax);
                                DrawDryBulbLines(dev, chart, f.IdxMin, f.IdxMax, f.BottomY);
                                DrawAbsHumLines(dev, chart, last, f.IdxMin, f.IdxMax, f.LeftX, f.TopRightX);
                                DrawAbsHumScale(dev, chart, f.TopRightX, f.BottomY);
                                DrawEnthalpyLines(dev, chart, f.IdxMin, f.IdxMax, f.TopY, f.TopDewPoint);
                            } catch (const std::exception& e) {
                                ADD_FAILURE() << what << ": " << e.what();
                                continue;
                            }
                            ++charts;
                            for (const CanvasCall& c : canvas.calls) {
                                ASSERT_TRUE(c.finite()) << what;
                                if (c.kind == CanvasCall::Kind::Line) {
                                    for (double x : {c.x1, c.x2}) EXPECT_TRUE(x >= 0 && x <= 1000) << what << " x " << x;
                                    for (double y : {c.y1, c.y2}) EXPECT_TRUE(y >= 0 && y <= 700) << what << " y " << y;
                                }
                                if (c.kind == CanvasCall::Kind::Text || c.kind == CanvasCall::Kind::Point) {
                                    EXPECT_TRUE(c.x1 >= 0 && c.x1 <= 1000 && c.y1 >= 0 && c.y1 <= 700)
                                        << what << " " << c.text << " at " << c.x1 << ", " << c.y1;
                                }
                                for (const PixelPoint& p : c.points) {
                                    EXPECT_TRUE(p.x >= 0 && p.x <= 1000 && p.y >= 0 && p.y <= 700) << what;
                                }
                            }
                            if (std::string(mode) == "file") {
                                EXPECT_EQ(os.str().find("nan"), std::string::npos) << what;
                                EXPECT_EQ(os.str().find("inf"), std::string::npos) << what;
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(charts, 22 * 3 * 2 * 3 * 2); // 22 of the 25 ranges have max above min
}

} // namespace
} // namespace hyg
