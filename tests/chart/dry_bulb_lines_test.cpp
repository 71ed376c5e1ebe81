// The frame families: dry-bulb lines with their numbers, absolute-humidity
// lines and the humidity scale, in both modes.
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace hyg {
namespace {

using namespace test;

TEST(DryBulbLinesFile, NumbersShiftsAndUpperEnds) {
    for (const auto& [min, max] : {std::pair{10.f, 40.f}, {-5.f, 30.f}}) {
        Laid l(min, max);
        const ChartSettings& s = l.chart.settings;
        const auto lines = FileLines(l, Family::DryBulb);
        const int n = static_cast<int>(max - min) + 1;
        ASSERT_EQ(lines.size(), 3u + 4u * n + 2u);
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
                  (std::vector<std::string>{"SP3\x03", "LT;\x03", "SI .16  .32 \x03"}));
        EXPECT_EQ(Labels(lines).back(), "t");
        // Each line: label "PU", "LB", foot "PU", "PD" to the upper end.
        for (int k = 0; k < n; ++k) {
            const std::size_t at = 3 + 4 * static_cast<std::size_t>(k);
            const int t = static_cast<int>(min) + k;
            ASSERT_EQ(lines[at + 1], "LB" + std::to_string(t) + "\x03");
            const auto label = HpglNumbers(lines[at]), foot = HpglNumbers(lines[at + 2]);
            const auto end = HpglNumbers(lines[at + 3]);
            // One unit left of the line; one-digit numbers half a unit.
            EXPECT_NEAR(foot[0] - label[0], t >= 0 && t <= 9 ? 12.5 : 25, 1e-3) << t;
            EXPECT_NEAR(foot[1], s.OriginY - 12.5, 1e-3);
            EXPECT_NEAR(label[1], s.OriginY - 12.5 - 25 - 20, 1e-3);
            // Ends on the saturation curve below the top edge, else on the top edge.
            const double sat = l.chart.table.S(l.frame.IdxMin + k);
            EXPECT_NEAR(end[1], sat < s.MaxAbsHum ? ChartY(s, sat) : l.frame.TopY, 1e-3) << t;
        }
    }
}

TEST(AbsHumLinesFile, LinesAndScaleOfEachType) {
    for (std::int16_t type : {1, 0}) {
        for (const auto& [min, max] : {std::pair{10.f, 40.f}, {-20.f, 20.f}}) {
            Laid l(min, max, type);
            const auto lines = FileLines(l, Family::AbsHum);
            const int n = static_cast<int>(l.chart.settings.MaxAbsHum) + 1;
            EXPECT_EQ(lines[0], "SP6\x03");
            std::vector<std::size_t> pd; // the PD statements: the lines, then the scale ticks
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (StartsWith(lines[i], "PD")) pd.push_back(i);
            }
            ASSERT_EQ(pd.size(), 2u * n);
            const auto labels = Labels(lines);
            ASSERT_EQ(labels.size(), n + 1u);
            EXPECT_EQ(labels.back(), "x");
            const double right = l.frame.BottomRightX - 1;
            for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) {
                char want[8];
                std::snprintf(want, sizeof want, "0.%03d", static_cast<int>(k));
                EXPECT_EQ(labels[k], want);
                const auto from = HpglNumbers(lines[pd[k] - 1]), to = HpglNumbers(lines[pd[k]]);
                EXPECT_NEAR(from[1], ChartY(l.chart.settings, static_cast<double>(k)), 1e-3);
                EXPECT_NEAR(to[1], from[1], 1e-3);
                EXPECT_GE(from[0], l.frame.LeftX - 1e-3);
                EXPECT_LT(from[0], to[0]);
                EXPECT_LE(to[0], l.frame.TopRightX + 1e-3);
                // The dry-bulb type ends every line at one X, where its tick starts.
                if (type == 0) {
                    EXPECT_NEAR(to[0], right, 1e-3) << k;
                    EXPECT_NEAR(HpglNumbers(lines[pd[n + k] - 1])[0], right, 1e-3) << k;
                }
            }
            // The line 0 starts at the left boundary, also from -20 deg C.
            EXPECT_NEAR(HpglNumbers(lines[1])[0], l.frame.LeftX, 1e-3);
            EXPECT_NEAR(HpglNumbers(lines[1])[1], l.frame.BottomY, 1e-3);
            if (type == 1) {
                EXPECT_NEAR(HpglNumbers(lines[pd[n - 1]])[0], l.frame.TopRightX, 1e-3);
            }
        }
    }
}

TEST(DryBulbLinesDraw, TheFamilySetsTheSolidStyle) {
    Laid l;
    RecordingCanvas canvas;
    ChartDevice dev("draw", l.chart.settings, &canvas, nullptr);
    dev.SetLineStyle(kDot);
    DrawFamily(Family::DryBulb, dev, l);
    for (const CanvasCall* c : canvas.of(CanvasCall::Kind::Line)) EXPECT_EQ(c->style, kSolid);
}

} // namespace
} // namespace hyg
