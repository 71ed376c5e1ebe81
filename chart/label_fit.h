// Keeping the texts of a chart apart and inside the plot window.
//
// Text extents here are estimates in plane units, for both outputs: on the
// screen a label of size s has characters about s wide (digits a quarter
// wider, blanks and points half) and ink about two sizes high from a fifth of
// a size below its anchor; on paper a character advances one and a half
// character widths and stands two widths high (the "SI" height the families
// set) above the pen.
#pragma once

#include "chart/chart_settings.h"
#include "chart/pen_plotter.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace hyg {

// A text's ink as a turned rectangle: corner 0 at the start of its base
// line, corner 1 at its end, then the two corners above them.
struct TextBox {
    std::array<PlotPoint, 4> corner{};
};

// The box of `length` by `height` plane units whose base line starts at
// `start`, turned by `angle` radians.
TextBox TurnedBox(PlotPoint start, double angle, double length, double height);
// Whether two boxes overlap or come closer than `gap` plane units.
bool Overlap(const TextBox& a, const TextBox& b, double gap);
// The box's extremes.
double Left(const TextBox& b);
double Right(const TextBox& b);
double Bottom(const TextBox& b);
double Top(const TextBox& b);

// Width of a text in units of the character width.
double TextWidthInChars(const std::string& text);
// The width of a screen pixel in plane units.
double PixelInPlane(const ChartSettings& s);
// Plane units per centimetre of paper (400 plotter units to the centimetre).
double PlaneUnitsPerCm(const ChartSettings& s);
// A label's ink on the screen and, with the plotter character width
// `plotWidth` (cm) and direction slope in force and the pen at `pen`, on
// paper.
TextBox ScreenBox(const ChartSettings& s, const Label& l);
TextBox PlotBox(const ChartSettings& s, const Label& l, float plotWidth, double slope, PlotPoint pen);
// The text a label shows on the screen and on paper.
std::string ScreenText(const Label& l);
std::string PlotText(const Label& l);

// Draws `family` through a plotter that holds its output back until the
// family is done, then passes it on, leaving out numbers that would run
// into each other: when two number labels of the family overlap on the
// screen or on paper, only every second, fifth or tenth value is written,
// the first of these that leaves a gap between all that remain. A family
// whose numbers keep apart loses none.
void DrawThinned(PenPlotter& out, const ChartSettings& s, const std::function<void(PenPlotter&)>& family);

// Draws `family` thinned as above and kept to the plot window: a straight
// line is cut at the window's edges, a label or circle that would reach
// outside is left out. `plotWidthInForce` is the plotter character width
// (cm) that an earlier family set and this one writes its texts in until it
// sets its own: by default the small text size (PlotTextSize3), which the
// dry-bulb numbers, drawn on every chart before the families that do not
// set a size, leave in force.
void DrawFitted(PenPlotter& out, const ChartSettings& s, const std::function<void(PenPlotter&)>& family,
                std::optional<float> plotWidthInForce = std::nullopt);
// Cuts the line from a to b to its part inside the plot window; false when
// none of it is inside.
bool ClipToWindow(const ChartSettings& s, PlotPoint& a, PlotPoint& b);

// The smallest move (dx, dy) that brings the extent [left, right] x
// [bottom, top] inside the plot window; a block wider or higher than the
// window is put at its left or bottom edge.
PlotPoint IntoWindow(const ChartSettings& s, double left, double right, double bottom, double top);

// Keeps the texts of different families off each other. Everything drawn
// passes through to `out`; a text that would cover a text of an earlier
// family, where either of the two is a number, is left out on the side
// (screen or paper) where they would meet. A family starts with
// `nextFamily`. Texts reserved beforehand (a block placed where it must
// stand, drawn later) count as drawn: a number that would cover them gives
// way, and the block itself is then drawn whole.
class LabelSpace : public PenPlotter {
public:
    LabelSpace(PenPlotter& out, const ChartSettings& s);

    void nextFamily();
    // Draws `block` into the space without output, so that the families
    // drawn after keep off its texts; `drawReserved` later draws it for real.
    void reserve(const std::function<void(PenPlotter&)>& block);
    void drawReserved(const std::function<void(PenPlotter&)>& block);
    // Draws `block`, which draws itself moved by the offset it is given, at
    // the least of some offsets up and to the left that keeps its texts off
    // those drawn before without losing any at the window's edge; where
    // none does, where it stands.
    // Where the block draws a ring (arcs about one centre), the ring also
    // keeps off the line pieces given to `keepRingOff` and the numbers of
    // the family drawing them, as far as a place with the ring inside the
    // plot window allows; a block whose ring clears them already is drawn
    // as the texts alone place it.
    void drawMovable(const std::function<void(PenPlotter&, PlotPoint)>& block);
    // A line piece of the family being drawn (a scale line) that the rings
    // of movable blocks keep off, together with the family's numbers.
    void keepRingOff(PlotPoint a, PlotPoint b);

    void pen(Pen p) override;
    void lineStyle(Dash d) override;
    void textSize(float plotWidth) override;
    void direction(const PlotDirection& d) override;
    void resetDirection(DirectionReset form) override;
    void move(PlotPoint p, PlotForm form) override;
    void segment(PlotPoint a, PlotPoint b, SegmentForm form) override;
    void beginPolyline(PlotPoint first, Dash dash) override;
    void polylineTo(PlotPoint p) override;
    void polylineHold() override;
    void endPolyline() override;
    void point(PlotPoint p) override;
    void circle(PlotPoint centre, double radius, CircleForm form) override;
    void fill(bool solid) override;
    void arc(const ArcSpec& a) override;
    void text(const Label& l) override;

private:
    struct Placed {
        TextBox box;
        double left, right, bottom, top;
        int family;
        bool number;
    };
    // The texts placed on one side, found by the cells of a coarse grid
    // over the plot window that they touch.
    struct Side {
        std::vector<Placed> placed;
        // Per cell the last of its entries, and per entry the text and the
        // cell's entry before it (-1 ends a cell's chain): no allocation
        // per cell.
        std::vector<int> last;
        std::vector<std::pair<std::size_t, int>> entries;
        double gap = 0; // the least room between texts, plane units
    };
    bool free(const Side& side, const Placed& p) const;
    void place(Side& side, Placed p);
    // Calls f with each grid cell that the text, widened by `margin`, touches.
    template <typename F> void forCells(const Placed& p, double margin, F f) const;

    PenPlotter* out_;
    const ChartSettings& s_;
    Side screen_, paper_;
    int family_ = 0;
    bool checking_ = true;
    // While trying an offset: texts arrived and texts that met another.
    bool probing_ = false;
    int probeTexts_ = 0, probeClashes_ = 0;
    std::vector<ArcSpec> probeArcs_;
    // What rings keep off: line pieces, and the numbers of one family (-1 none).
    std::vector<std::pair<PlotPoint, PlotPoint>> ringBarrier_;
    int ringFamily_ = -1;
    float plotWidth_ = 0;
    double slope_ = 0;
    PlotPoint pen_;
};

} // namespace hyg
