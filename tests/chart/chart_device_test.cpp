// The chart device: the print-statement rules of the plot file, the mode
// test, and what reaches the canvas in "draw" mode.
#include "chart/chart_device.h"
#include "engine/basic.h"

#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

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
    for (const auto& [got, want] : cases)
        EXPECT_EQ(got, want + "\r\n");

    ChartSettings s;
    std::ostringstream os;
    ChartDevice dev("file", s, nullptr, &os);
    dev.PlotLine({"PU", F(1), F(2), Continue});
    dev.PlotLine({"PD", Zone, F(3)}); // the zone counts from the start of the shared line
    dev.PlotLine({"LB", "x", ETX});
    EXPECT_EQ(os.str(), "PU 1  2 PD" + std::string(4, ' ') +
                            " 3 \r\nLB"
                            "x\x03\r\n");
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

TEST(ChartDeviceCanvas, PlaneWindowColoursAndPointBuffer) {
    ChartSettings s;
    s.PictureWidth = 15000, s.PictureHeight = 10500; // 3 twips per plane unit
    RecordingCanvas canvas(1000, 700);
    ChartDevice dev("draw", s, &canvas, nullptr);
    dev.SetLineStyle(kDot);
    dev.DrawSegment(-500, 3150, 4500, -350, palette::LightRed);
    const CanvasCall& line = canvas.calls.at(0);
    EXPECT_EQ(std::vector<double>({line.x1, line.y1, line.x2, line.y2}), std::vector<double>({0, 0, 1000, 700}));
    EXPECT_EQ(line.colour, palette::LightRed);
    EXPECT_EQ(line.style, kDot);
    double x, y;
    dev.CanvasToPlane(250, 350, x, y); // the inverse, for the pointer read-out
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(750.0, 1400.0));
    dev.DrawLabel(1000, 1000, 0, " 25", palette::LightBlue, 25, false);
    const CanvasCall& label = *canvas.of(CanvasCall::Kind::Text).at(0);
    EXPECT_EQ(label.text, "25"); // the screen drops the leading blank
    EXPECT_EQ(label.colour, palette::LightBlue);

    canvas.calls.clear();
    PointBuffer& b = dev.pointBuffer();
    EXPECT_THROW(b.at(101), IndexFault);
    EXPECT_THROW(b.at(-1), IndexFault);
    b.at(0) = {1, 2}, b.at(1) = {3, 4}, b.at(2) = {5, 6};
    dev.SetPenColor(palette::Magenta);
    dev.DrawPolyline(b, 3);
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].points.size(), 3u);
    EXPECT_EQ(canvas.calls[0].colour, palette::Magenta);
    EXPECT_THROW(dev.DrawPolyline(b, 102), IndexFault);
}

} // namespace
} // namespace hyg
