// The two writers of the pen-primitive interface: the statements and number
// forms of the plot file, and what reaches the canvas for the screen.
#include "engine/basic.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <limits>

namespace hyg {
namespace {

using namespace test;

std::string Written(const std::function<void(PenPlotter&)>& draw) {
    std::ostringstream os;
    PlotFileWriter writer(os);
    draw(writer);
    return os.str();
}

TEST(PlotFileWriter, StatementsAndNumberForms) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {Written([](PenPlotter& p) { p.move({0.16, -350}); }), "PU .16 -350 "},
        {Written([](PenPlotter& p) { p.move({-0.35, 0.00001}); }), "PU-.35  1E-05 "},
        // a single keeps 7 significant digits, a double 15
        {Written([](PenPlotter& p) { p.move({1.0 / 3, -673.142857}); }), "PU .3333333 -673.1429 "},
        {Written([](PenPlotter& p) { p.move({1.0 / 3, 0}, {.wide = true}); }), "PU .333333333333333  0 "},
        // a zone jump pads with blanks up to column 14
        {Written([](PenPlotter& p) { p.move({12.5, 30}, {Separator::Zone}); }), "PU 12.5 " + std::string(6, ' ') + " 30 "},
        {Written([](PenPlotter& p) { p.move({1, 2}, {Separator::Comma, true}); }), "PU 1 , 2 \x03"},
        {Written([](PenPlotter& p) { p.segment({1, 2}, {3, 4}); }), "PU 1  2 \r\nPD 3  4 \x03"},
        {Written([](PenPlotter& p) { p.segment({1, 2}, {3, 4}, {.closedMove = true}); }), "PU 1  2 \x03\r\nPD 3  4 \x03"},
        {Written([](PenPlotter& p) { p.pen({PenSlot::DryBulb, 3}); }), "SP3\x03"},
        {Written([](PenPlotter& p) { p.pen({PenSlot::Scale}); }), ""}, // a colour change only
        {Written([](PenPlotter& p) { p.lineStyle({}); }), "LT;\x03"},
        {Written([](PenPlotter& p) { p.textSize(0.16f); }), "SI .16  .32 \x03"},
        {Written([](PenPlotter& p) { p.direction({0.5}); }), "DI1,0.5000\x03"},
        {Written([](PenPlotter& p) { p.direction({.slope = 0.123456, .pattern = "0.000##", .spaced = true}); }), "DI 1,0.12346\x03"},
        {Written([](PenPlotter& p) { p.resetDirection(DirectionReset::Spaced); }), "DI 1, 0\x03"},
        {Written([](PenPlotter& p) { p.resetDirection(DirectionReset::Closed); }), "DI 1,0;\x03"},
        {Written([](PenPlotter& p) { p.circle({5, 6}, 30, CircleForm::Whole); }), "PU 5  6 \r\nCI, 30 , 0 \x03"},
        {Written([](PenPlotter& p) { p.circle({5, 6}, 30, CircleForm::Single); }), "PU 5  6 \r\nCI, 30 , 0\x03"},
        {Written([](PenPlotter& p) { p.arc({.centre = {1, 2}, .plotStart = {3, 4}, .plotSweep = 180}); }), "PU 3  4 \r\nPDAA 1 , 2  180 "},
        // a text: the file's code page, its own anchor and number form, or at the pen
        {Written([](PenPlotter& p) { p.text({.text = "m\u00b3/kgDA", .at = {1, 2}}); }), "PU 1  2 \r\nLBm\xb3/kgDA\x03"},
        {Written([](PenPlotter& p) { p.text({.number = 25, .plotAt = PlotPoint{3, 4}}); }), "PU 3  4 \r\nLB 25 \x03"},
        {Written([](PenPlotter& p) { p.text({.text = " 25", .plotAtPen = true}); }), "LB 25\x03"},
        {Written([](PenPlotter& p) { p.text({.number = 7, .plotPattern = "00"}); }), "PU 0  0 \r\nLB07\x03"},
        {Written([](PenPlotter& p) { p.text({.text = "x", .onPlot = false}); }), ""},
        // the pattern of a curve is stated again at every vertex; a left-out sample writes nothing
        {Written([](PenPlotter& p) { p.beginPolyline({0, 0}, {kDot, 1, 4}); p.polylineTo({1, 1}); p.polylineHold(); p.polylineTo({2, 2}); p.endPolyline(); }), "PU 0  0 \r\nLT4;\r\nPD 1  1 \r\nLT4;\r\nPD 2  2 \r\n\x03"},
    };
    // clang-format on
    for (const auto& [got, want] : cases)
        EXPECT_EQ(got, want.empty() ? want : want + "\r\n");
}

TEST(Writers, NonFiniteRaisesBeforeAnythingIsWritten) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    ChartSettings s;
    s.PictureWidth = 15000, s.PictureHeight = 10500;
    RecordingCanvas canvas;
    CanvasWriter screen(s, canvas);
    std::ostringstream os;
    PlotFileWriter plot(os);
    for (PenPlotter* out : {static_cast<PenPlotter*>(&screen), static_cast<PenPlotter*>(&plot)}) {
        EXPECT_THROW(out->segment({0, nan}, {1, 1}), FloatingPointFault);
        EXPECT_THROW(out->text({.text = "x", .at = {inf, 0}, .size = 25}), FloatingPointFault);
    }
    EXPECT_THROW(plot.move({1e300, 0}), FloatingPointFault); // too large for a single
    EXPECT_TRUE(canvas.calls.empty() && os.str().empty());
}

TEST(CanvasWriter, PlaneWindowColoursTextsAndPolylines) {
    ChartSettings s;
    s.PictureWidth = 15000, s.PictureHeight = 10500; // 3 twips per plane unit on 1000 x 700 pixels
    for (std::size_t i = 0; i < s.PenColor.size(); ++i)
        s.PenColor[i] = Rgb{static_cast<std::uint8_t>(20 * i), 100, 200};
    RecordingCanvas canvas;
    CanvasWriter out(s, canvas);
    out.pen({PenSlot::Enthalpy, 7});
    out.lineStyle({kDot});
    out.segment({-500, 3150}, {4500, -350});
    const CanvasCall& line = canvas.calls.at(0);
    EXPECT_EQ(std::vector<double>({line.x1, line.y1, line.x2, line.y2}), std::vector<double>({0, 0, 1000, 700}));
    EXPECT_EQ(line.colour, PenColour(s.PenColor, PenSlot::Enthalpy));
    EXPECT_EQ(line.style, kDot);

    // The screen drops a leading blank, leaves out paper-only texts and formats a number in its own pattern.
    out.pen({PenSlot::WetBulb});
    out.text({.text = " 25", .at = {1000, 1000}, .size = 25, .plotText = "x"});
    out.text({.text = "paper only", .onScreen = false});
    out.text({.size = 25, .number = 5, .plotPattern = "00"});
    out.text({.size = 25, .number = 5, .pattern = "00"});
    const auto texts = canvas.of(CanvasCall::Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->text + "|" + texts[1]->text + "|" + texts[2]->text, "25|5|05");
    EXPECT_EQ(texts[0]->colour, PenColour(s.PenColor, PenSlot::WetBulb));

    // A polyline keeps the pen and pattern it began with; a left-out sample
    // repeats the last vertex; more than 101 vertices is an index fault.
    canvas.calls.clear();
    out.pen({PenSlot::RelHum});
    out.beginPolyline({0, 0}, {kDash});
    out.pen({PenSlot::Scale});
    out.polylineTo({100, 100});
    out.polylineHold();
    out.endPolyline();
    ASSERT_EQ(canvas.calls.size(), 1u);
    const CanvasCall& p = canvas.calls[0];
    EXPECT_EQ(p.points.size(), 3u);
    EXPECT_EQ(p.points[2].x, p.points[1].x);
    EXPECT_EQ(p.colour, PenColour(s.PenColor, PenSlot::RelHum));
    EXPECT_EQ(p.style, kDash);
    out.beginPolyline({0, 0}, {});
    for (int i = 1; i < CanvasWriter::kMaxPolylinePoints; ++i)
        out.polylineTo({1.0 * i, 0});
    EXPECT_THROW(out.polylineTo({0, 0}), IndexFault);
}

} // namespace
} // namespace hyg
