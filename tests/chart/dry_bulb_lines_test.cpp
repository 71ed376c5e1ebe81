// The frame families: dry-bulb lines with their numbers, absolute-humidity
// lines and the humidity scale, in both modes.
#include "chart/chart_driver.h"

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

struct Laid {
    Chart chart;
    ChartFrame frame;
};

Laid Layout(float min = 10, float max = 40, std::int16_t type = 1) {
    Laid l;
    l.chart.settings.MinDryBulb = min;
    l.chart.settings.MaxDryBulb = max;
    l.chart.settings.DiagramType = type;
    l.frame = LayoutChart(l.chart, nullptr);
    return l;
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        if (StartsWith(l, prefix)) out.push_back(l);
    }
    return out;
}

std::vector<std::string> DryBulbHpgl(Laid& l) {
    std::ostringstream os;
    ChartDevice dev("file", l.chart.settings, nullptr, &os);
    DrawDryBulbLines(dev, l.chart, l.frame.IdxMin, l.frame.IdxMax, l.frame.BottomY);
    return HpglLines(os.str());
}

TEST(DryBulbLinesFile, DefaultChart) {
    Laid l = Layout();
    l.chart.settings.PlotTextSize3 = 0.16f;
    const auto lines = DryBulbHpgl(l);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "SP3\x03");
    EXPECT_EQ(lines[1], "LT;\x03");
    EXPECT_EQ(lines[2], "SI .16  .32 \x03");

    const auto labels = LinesStartingWith(lines, "LB");
    ASSERT_EQ(labels.size(), 32u); // 31 numbers and the symbol
    for (int t = 10; t <= 40; ++t) EXPECT_EQ(labels[static_cast<std::size_t>(t - 10)], "LB" + std::to_string(t) + "\x03");
    EXPECT_EQ(labels.back(), "LBt\x03");
    EXPECT_EQ(LinesStartingWith(lines, "PD").size(), 31u);

    // Each line: label "PU", "LB", foot "PU", "PD" to the upper end.
    const ChartSettings& s = l.chart.settings;
    for (std::size_t k = 0; k < 31; ++k) {
        const std::size_t at = 3 + 4 * k;
        const auto label = HpglNumbers(lines[at]);
        const auto foot = HpglNumbers(lines[at + 2]);
        const auto end = HpglNumbers(lines[at + 3]);
        ASSERT_EQ(label.size(), 2u);
        ASSERT_EQ(foot.size(), 2u);
        ASSERT_EQ(end.size(), 2u);
        EXPECT_NEAR(foot[0] - label[0], 25, 1e-3) << "numbers 10..40 sit one unit left";
        EXPECT_NEAR(foot[1], s.OriginY - 12.5, 1e-3);
        EXPECT_NEAR(label[1], s.OriginY - 12.5 - 25 - 20, 1e-3);
        // Ends on the saturation curve below the top edge, else on the top edge.
        const int i = l.frame.IdxMin + static_cast<int>(k);
        const double sat = l.chart.table.S(i);
        if (sat < s.MaxAbsHum) {
            EXPECT_NEAR(end[1], ChartY(s, sat), 1e-3) << "line " << i - 21;
            EXPECT_LT(end[1], l.frame.TopY);
        } else {
            EXPECT_NEAR(end[1], l.frame.TopY, 1e-3) << "line " << i - 21;
        }
    }
}

TEST(DryBulbLinesFile, OneDigitNumbersShiftHalfAUnit) {
    Laid l = Layout(-5, 30);
    const auto lines = DryBulbHpgl(l);
    for (std::size_t k = 0; k < 36; ++k) {
        const std::size_t at = 3 + 4 * k;
        const int t = -5 + static_cast<int>(k);
        ASSERT_EQ(lines[at + 1], "LB" + std::to_string(t) + "\x03");
        const double shift = HpglNumbers(lines[at + 2])[0] - HpglNumbers(lines[at])[0];
        EXPECT_NEAR(shift, t >= 0 && t <= 9 ? 12.5 : 25, 1e-3) << t;
    }
}

TEST(DryBulbLinesDraw, ColoursAndSymbol) {
    Laid l = Layout();
    RecordingCanvas canvas;
    ChartDevice dev("draw", l.chart.settings, &canvas, nullptr);
    dev.SetLineStyle(kDot);
    DrawDryBulbLines(dev, l.chart, l.frame.IdxMin, l.frame.IdxMax, l.frame.BottomY);
    const auto lines = canvas.of(CanvasCall::Kind::Line);
    ASSERT_EQ(lines.size(), 31u);
    for (const CanvasCall* c : lines) {
        EXPECT_EQ(c->colour, l.chart.settings.PenColor[1]);
        EXPECT_EQ(c->style, kSolid); // the family sets the solid style
    }
    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 32u);
    EXPECT_EQ(texts.front(), "10");
    EXPECT_EQ(texts[30], "40");
    EXPECT_EQ(texts.back(), "t");
    EXPECT_TRUE(canvas.of(CanvasCall::Kind::Text).back()->font.italic);
}

std::vector<std::string> AbsHumHpgl(Laid& l) {
    std::ostringstream os;
    ChartDevice dev("file", l.chart.settings, nullptr, &os);
    float last = 0;
    DrawAbsHumLines(dev, l.chart, last, l.frame.IdxMin, l.frame.IdxMax, l.frame.LeftX, l.frame.TopRightX);
    DrawAbsHumScale(dev, l.chart, l.frame.TopRightX, l.frame.BottomY);
    return HpglLines(os.str());
}

TEST(AbsHumLinesFile, DefaultChartLinesAndScale) {
    Laid l = Layout();
    const auto lines = AbsHumHpgl(l);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "SP6\x03");
    const auto pd = LinesStartingWith(lines, "PD");
    ASSERT_EQ(pd.size(), 28u + 28u); // 28 lines, 28 ticks
    const auto labels = LinesStartingWith(lines, "LB");
    ASSERT_EQ(labels.size(), 29u);
    for (int k = 0; k <= 27; ++k) {
        char want[16];
        std::snprintf(want, sizeof want, "LB0.%03d\x03", k);
        EXPECT_EQ(labels[static_cast<std::size_t>(k)], want);
    }
    EXPECT_EQ(labels.back(), "LBx\x03");

    const ChartSettings& s = l.chart.settings;
    for (int k = 0; k < 28; ++k) {
        const auto from = HpglNumbers(lines[1 + 2 * static_cast<std::size_t>(k)]);
        const auto to = HpglNumbers(pd[static_cast<std::size_t>(k)]);
        EXPECT_NEAR(from[1], ChartY(s, k), 1e-3);
        EXPECT_NEAR(to[1], ChartY(s, k), 1e-3);
        EXPECT_GE(from[0], l.frame.LeftX - 1e-3);
        EXPECT_LE(to[0], l.frame.TopRightX + 1e-3);
        EXPECT_LT(from[0], to[0]);
    }
    // The line 0 starts at the left boundary; the top edge ends at the corner.
    EXPECT_NEAR(HpglNumbers(lines[1])[0], l.frame.LeftX, 1e-3);
    EXPECT_NEAR(HpglNumbers(pd[27])[0], l.frame.TopRightX, 1e-3);
}

TEST(AbsHumLinesFile, DryBulbTypeEndsEveryLineOnTheRightEdge) {
    Laid l = Layout(10, 40, 0);
    const auto lines = AbsHumHpgl(l);
    const auto pd = LinesStartingWith(lines, "PD");
    const int n = static_cast<int>(l.chart.settings.MaxAbsHum) + 1;
    ASSERT_EQ(pd.size(), 2u * static_cast<std::size_t>(n));
    const double right = l.frame.BottomRightX - 1;
    for (int k = 0; k < n; ++k) EXPECT_NEAR(HpglNumbers(pd[static_cast<std::size_t>(k)])[0], right, 1e-3) << k;
    // Every tick starts there.
    for (const std::string& line : lines) {
        if (StartsWith(line, "PU") && line.back() == '\x03' && line.find("PU", 0) == 0) {
            const auto v = HpglNumbers(line);
            if (v.size() == 2 && v[0] < l.frame.TopRightX) EXPECT_NEAR(v[0], right, 1e-3);
        }
    }
}

TEST(AbsHumLinesFile, LowestRangeStartsTheLineZeroAtTheLeftEdge) {
    Laid l = Layout(-20, 20);
    const auto lines = AbsHumHpgl(l);
    EXPECT_NEAR(HpglNumbers(lines[1])[0], l.frame.LeftX, 1e-3);
    EXPECT_NEAR(HpglNumbers(lines[1])[1], l.frame.BottomY, 1e-3);
}

TEST(AbsHumLinesDraw, Colours) {
    Laid l = Layout();
    RecordingCanvas canvas;
    ChartDevice dev("draw", l.chart.settings, &canvas, nullptr);
    float last = 0;
    DrawAbsHumLines(dev, l.chart, last, l.frame.IdxMin, l.frame.IdxMax, l.frame.LeftX, l.frame.TopRightX);
    DrawAbsHumScale(dev, l.chart, l.frame.TopRightX, l.frame.BottomY);
    const auto lines = canvas.of(CanvasCall::Kind::Line);
    ASSERT_EQ(lines.size(), 56u);
    for (const CanvasCall* c : lines) EXPECT_EQ(c->colour, palette::LightBlue);
    const auto texts = canvas.of(CanvasCall::Kind::Text);
    ASSERT_EQ(texts.size(), 29u);
    for (const CanvasCall* c : texts) EXPECT_EQ(c->colour, palette::Black);
    EXPECT_EQ(texts[12]->text, "0.012");
    EXPECT_EQ(texts.back()->text, "x");
}

} // namespace
} // namespace hyg
