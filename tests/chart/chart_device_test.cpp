// The chart device: the print-statement rules of the plot file, the mode
// test, and what reaches the canvas in "draw" mode.
#include "chart/chart_device.h"
#include "engine/basic.h"

#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

namespace hyg {
namespace {

using test::CanvasCall;
using test::RecordingCanvas;

std::string Written(std::initializer_list<PlotItem> items) {
    ChartSettings s;
    std::ostringstream os;
    ChartDevice dev("file", s, nullptr, &os);
    dev.PlotLine(items);
    return os.str();
}

TEST(PlotStatement, NumbersZonesEtxAndText) {
    const std::pair<std::string, std::string> cases[] = {
        {Written({F(0.16)}), " .16 "},
        {Written({F(-350)}), "-350 "},
        {Written({N(15000)}), " 15000 "},
        {Written({F(-0.35)}), "-.35 "},
        {Written({F(0.00001)}), " 1E-05 "},
        {Written({F(0)}), " 0 "},
        {Written({F(1.0 / 3)}), " .3333333 "}, // a single keeps 7 significant digits, a double 15
        {Written({D(1.0 / 3)}), " .333333333333333 "},
        {Written({F(-673.142857)}), "-673.1429 "},
        // "PU", 12.5, zone jump, 30: blanks up to column 15, then the number.
        {Written({"PU", F(12.5), Zone, F(30)}), "PU 12.5 " + std::string(6, ' ') + " 30 "},
        {Written({"SP3", ETX}), "SP3\x03"},
        {Written({"PU", F(1), ",", F(2), ETX}), "PU 1 , 2 \x03"},
        {Written({"A", Zone, "B", Zone, "C"}), "A" + std::string(13, ' ') + "B" + std::string(13, ' ') + "C"},
        {Written({"m\u00b3/kgDA"}), "m\xb3/kgDA"}, // the file's code page
        {Written({" 25"}), " 25"},                 // unchanged, leading blank kept
    };
    for (const auto& [got, want] : cases) EXPECT_EQ(got, want + "\r\n");

    ChartSettings s;
    std::ostringstream os;
    ChartDevice dev("file", s, nullptr, &os);
    dev.PlotLine({"PU", F(1), F(2), Continue});
    dev.PlotLine({"PD", Zone, F(3)}); // the zone counts from the start of the shared line
    dev.PlotLine({"LB", "x", ETX});
    EXPECT_EQ(os.str(), "PU 1  2 PD" + std::string(4, ' ') + " 3 \r\nLB" "x\x03\r\n");
}

TEST(ChartDeviceMode, OnlyExactModesDrawOrWriteAndNonFiniteRaises) {
    ChartSettings s;
    RecordingCanvas canvas;
    std::ostringstream os;
    for (const char* mode : {"Draw", "FILE", "", "draw ", "screen"}) {
        ChartDevice dev(mode, s, &canvas, &os);
        EXPECT_FALSE(dev.isDraw() || dev.isFile()) << mode;
        dev.DrawSegment(0, 0, 100, 100, palette::Black);
        dev.DrawLabel(0, 0, 0, "x", palette::Black, 25, false);
        dev.SetPoint(1, 1);
        dev.DrawCircle(0, 0, 10, palette::Black);
        dev.PlotLine({"SP1", ETX});
    }
    ChartDevice draw("draw", s, &canvas, &os);
    draw.PlotLine({"SP1", ETX});
    ChartDevice file("file", s, &canvas, &os);
    file.DrawSegment(0, 0, 1, 1, palette::Black);
    file.DrawLabel(0, 0, 0, "x", palette::Black, 25, false);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(draw.DrawSegment(0, nan, 1, 1, palette::Black), FloatingPointFault);
    EXPECT_THROW(draw.DrawLabel(inf, 0, 0, "x", palette::Black, 25, false), FloatingPointFault);
    EXPECT_THROW(file.PlotLine({"PU", F(nan), F(0)}), FloatingPointFault);
    EXPECT_THROW(file.PlotLine({"PU", D(inf), F(0)}), FloatingPointFault);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_TRUE(os.str().empty());
}

TEST(ChartDeviceCanvas, PlaneWindowLabelsAndPolylines) {
    ChartSettings s;
    s.PictureWidth = 15000; // 3 twips per plane unit
    s.PictureHeight = 10500;
    RecordingCanvas canvas(1000, 700);
    ChartDevice dev("draw", s, &canvas, nullptr);
    dev.SetLineStyle(kDot);
    dev.DrawSegment(-500, 3150, 4500, -350, palette::LightRed);
    const CanvasCall& line = canvas.calls.at(0);
    EXPECT_EQ(std::vector<double>({line.x1, line.y1, line.x2, line.y2}), std::vector<double>({0, 0, 1000, 700}));
    EXPECT_EQ(line.colour, palette::LightRed);
    EXPECT_EQ(line.style, kDot);
    double x, y;
    dev.CanvasToPlane(250, 350, x, y);
    EXPECT_NEAR(x, 750, 1e-9);
    EXPECT_NEAR(y, 1400, 1e-9);
    const PixelPoint p = dev.ToPixel(2000, 1400, 0.06667); // 15 twips per pixel
    EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(500, 350));

    dev.DrawLabel(1000, 1000, 0, " 25", palette::LightBlue, 25, false);
    dev.DrawLabel(1000, 1000, kPi / 2, "Phi", palette::Magenta, 20, true);
    const auto texts = canvas.of(CanvasCall::Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->text, "25");
    EXPECT_EQ(texts[0]->colour, palette::LightBlue);
    const FontSpec& f = texts[0]->font;
    EXPECT_EQ(std::vector<int>({f.width, f.height, f.weight, f.escapement, f.italic}),
              std::vector<int>({6, 18, 550, 0, 0})); // width CLng(25 * 0.066667 * 3 + 0.5)
    EXPECT_EQ(f.face, "Times");
    // The cell's top-left corner lies 2.2 sizes above the base-line point;
    // turned a right angle, it moves two sizes to the left.
    EXPECT_EQ(texts[0]->x1, 300);
    EXPECT_EQ(texts[0]->y1, std::lround((3150 - 1055) * 0.066667 * 3));
    EXPECT_EQ(texts[1]->font.escapement, 900);
    EXPECT_TRUE(texts[1]->font.italic);
    EXPECT_EQ(texts[1]->x1, std::lround((1000 - 40 + 500) * 0.066667 * 3));
    EXPECT_EQ(dev.foreColor(), palette::Magenta); // the label sets ForeColor

    canvas.calls.clear();
    PointBuffer& b = dev.pointBuffer();
    EXPECT_THROW(b.at(101), IndexFault);
    EXPECT_THROW(b.at(-1), IndexFault);
    b.at(0) = {1, 2}, b.at(1) = {3, 4}, b.at(2) = {5, 6};
    dev.DrawPolyline(b, 1); // one point: nothing
    EXPECT_TRUE(canvas.calls.empty());
    dev.SetPenColor(palette::Magenta);
    dev.DrawPolyline(b, 3);
    const auto polys = canvas.of(CanvasCall::Kind::Polyline);
    ASSERT_EQ(polys.size(), 1u);
    ASSERT_EQ(polys[0]->points.size(), 3u);
    EXPECT_EQ(polys[0]->points[2].y, 6);
    EXPECT_EQ(polys[0]->colour, palette::Magenta);
    EXPECT_EQ(polys[0]->style, kDot);
    EXPECT_THROW(dev.DrawPolyline(b, 102), IndexFault);
}

} // namespace
} // namespace hyg
