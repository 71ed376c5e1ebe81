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

TEST(PlotStatement, Numbers) {
    EXPECT_EQ(Written({F(0.16)}), " .16 \r\n");
    EXPECT_EQ(Written({F(-350)}), "-350 \r\n");
    EXPECT_EQ(Written({N(15000)}), " 15000 \r\n");
    EXPECT_EQ(Written({F(-0.35)}), "-.35 \r\n");
    EXPECT_EQ(Written({F(0.00001)}), " 1E-05 \r\n");
    EXPECT_EQ(Written({F(0)}), " 0 \r\n");
    // A single keeps 7 significant digits, a double 15.
    EXPECT_EQ(Written({F(1.0 / 3)}), " .3333333 \r\n");
    EXPECT_EQ(Written({D(1.0 / 3)}), " .333333333333333 \r\n");
    EXPECT_EQ(Written({F(-673.142857)}), "-673.1429 \r\n");
}

TEST(PlotStatement, ZonesEtxAndContinuation) {
    // "PU", 12.5, zone jump, 30: blanks up to column 15, then the number.
    EXPECT_EQ(Written({"PU", F(12.5), Zone, F(30)}), "PU 12.5 " + std::string(6, ' ') + " 30 \r\n");
    EXPECT_EQ(Written({"SP3", ETX}), "SP3\x03\r\n");
    EXPECT_EQ(Written({"PU", F(1), ",", F(2), ETX}), "PU 1 , 2 \x03\r\n");
    // Two zone jumps from column 1 land on column 29.
    EXPECT_EQ(Written({"A", Zone, "B", Zone, "C"}), std::string("A") + std::string(13, ' ') + "B" +
                                                        std::string(13, ' ') + "C\r\n");

    ChartSettings s;
    std::ostringstream os;
    ChartDevice dev("file", s, nullptr, &os);
    dev.PlotLine({"PU", F(1), F(2), Continue});
    dev.PlotLine({"PD", Zone, F(3)}); // the zone counts from the start of the shared line
    dev.PlotLine({"LB", "x", ETX});
    EXPECT_EQ(os.str(), "PU 1  2 PD" + std::string(4, ' ') + " 3 \r\nLB" "x\x03\r\n");
}

TEST(PlotStatement, TextIsWrittenInTheFileCodePage) {
    EXPECT_EQ(Written({"m\u00b3/kgDA"}), "m\xb3/kgDA\r\n");
    EXPECT_EQ(Written({" 25"}), " 25\r\n"); // unchanged, leading blank kept
}

TEST(ChartDeviceMode, OnlyExactModesDrawOrWrite) {
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
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_TRUE(os.str().empty());

    ChartDevice draw("draw", s, &canvas, &os);
    draw.PlotLine({"SP1", ETX});
    EXPECT_TRUE(os.str().empty());
    ChartDevice file("file", s, &canvas, &os);
    file.DrawSegment(0, 0, 1, 1, palette::Black);
    file.DrawLabel(0, 0, 0, "x", palette::Black, 25, false);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST(ChartDeviceMode, NonFiniteCoordinatesRaiseInEitherMode) {
    ChartSettings s;
    RecordingCanvas canvas;
    std::ostringstream os;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ChartDevice draw("draw", s, &canvas, nullptr);
    EXPECT_THROW(draw.DrawSegment(0, nan, 1, 1, palette::Black), FloatingPointFault);
    EXPECT_THROW(draw.DrawLabel(inf, 0, 0, "x", palette::Black, 25, false), FloatingPointFault);
    ChartDevice file("file", s, nullptr, &os);
    EXPECT_THROW(file.PlotLine({"PU", F(nan), F(0)}), FloatingPointFault);
    EXPECT_THROW(file.PlotLine({"PU", D(inf), F(0)}), FloatingPointFault);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_TRUE(os.str().empty());
}

TEST(ChartDeviceCanvas, PlaneWindowMapsOntoTheCanvas) {
    ChartSettings s;
    s.PictureWidth = 15000;
    s.PictureHeight = 10500;
    RecordingCanvas canvas(1000, 700);
    ChartDevice dev("draw", s, &canvas, nullptr);
    dev.SetLineStyle(kDot);
    dev.DrawSegment(-500, 3150, 4500, -350, palette::LightRed);
    const auto lines = canvas.of(CanvasCall::Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_DOUBLE_EQ(lines[0]->x1, 0);
    EXPECT_DOUBLE_EQ(lines[0]->y1, 0);
    EXPECT_DOUBLE_EQ(lines[0]->x2, 1000);
    EXPECT_DOUBLE_EQ(lines[0]->y2, 700);
    EXPECT_EQ(lines[0]->colour, palette::LightRed);
    EXPECT_EQ(lines[0]->style, kDot);

    double x, y;
    dev.CanvasToPlane(250, 350, x, y);
    EXPECT_NEAR(x, 750, 1e-9);
    EXPECT_NEAR(y, 1400, 1e-9);

    // The pixel mapping of labels and polylines (15 twips per pixel).
    const PixelPoint p = dev.ToPixel(2000, 1400, 0.06667);
    EXPECT_EQ(p.x, 500);
    EXPECT_EQ(p.y, 350);
}

TEST(ChartDeviceCanvas, LabelFontAnchorAndLeadingBlank) {
    ChartSettings s;
    s.PictureWidth = 15000; // 3 twips per plane unit
    s.PictureHeight = 10500;
    RecordingCanvas canvas(1000, 700);
    ChartDevice dev("draw", s, &canvas, nullptr);
    dev.DrawLabel(1000, 1000, 0, " 25", palette::LightBlue, 25, false);
    dev.DrawLabel(1000, 1000, kPi / 2, "Phi", palette::Magenta, 20, true);
    const auto texts = canvas.of(CanvasCall::Kind::Text);
    ASSERT_EQ(texts.size(), 2u);

    EXPECT_EQ(texts[0]->text, "25");
    EXPECT_EQ(texts[0]->colour, palette::LightBlue);
    EXPECT_EQ(texts[0]->font.width, 6); // CLng(25 * 0.066667 * 3 + 0.5)
    EXPECT_EQ(texts[0]->font.height, 18);
    EXPECT_EQ(texts[0]->font.weight, 550);
    EXPECT_EQ(texts[0]->font.escapement, 0);
    EXPECT_EQ(texts[0]->font.face, "Times");
    EXPECT_FALSE(texts[0]->font.italic);
    // The cell's top-left corner lies 2.2 sizes above the base-line point.
    EXPECT_EQ(texts[0]->x1, 300);                                   // (1000 + 500) * 0.066667 * 3
    EXPECT_EQ(texts[0]->y1, std::lround((3150 - 1055) * 0.066667 * 3)); // 419

    EXPECT_EQ(texts[1]->font.escapement, 900);
    EXPECT_TRUE(texts[1]->font.italic);
    // Turned a right angle, the corner moves two sizes to the left.
    EXPECT_EQ(texts[1]->x1, std::lround((1000 - 40 + 500) * 0.066667 * 3));
    EXPECT_EQ(dev.foreColor(), palette::Magenta); // the label sets ForeColor
}

TEST(ChartDeviceCanvas, PolylineAndPointBuffer) {
    ChartSettings s;
    RecordingCanvas canvas;
    ChartDevice dev("draw", s, &canvas, nullptr);
    PointBuffer& b = dev.pointBuffer();
    EXPECT_THROW(b.at(101), IndexFault);
    EXPECT_THROW(b.at(-1), IndexFault);
    b.at(0) = {1, 2};
    b.at(1) = {3, 4};
    b.at(2) = {5, 6};
    dev.DrawPolyline(b, 1); // one point: nothing
    EXPECT_TRUE(canvas.calls.empty());
    dev.SetPenColor(palette::Magenta);
    dev.SetLineStyle(kDot);
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
