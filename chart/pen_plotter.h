// The pen-primitive interface every chart family draws through, and the
// small values it takes. A family works out its geometry once, in plane
// units, and hands it to a PenPlotter; one class per output turns the
// primitives into that output: CanvasWriter (chart/canvas_writer.h) onto a
// Canvas for the screen, images and printing, PlotFileWriter
// (chart/plot_file_writer.h) into the statements of the HPGL plot file.
//
// Where the screen and the plot file really differ (a label's anchor, the
// form a number takes, a size) the value carries both sides; each writer
// reads its own and leaves the other alone. A new output is a new writer;
// no family changes.
#pragma once

#include "chart/canvas.h"
#include "chart/chart_settings.h"

#include <cstdint>
#include <optional>
#include <string>

namespace hyg {

// A point of the chart plane.
struct PlotPoint {
    double x = 0;
    double y = 0;
};

// A pen: the colour slot of the chart's pen table the screen draws with,
// and the plotter's pen number (1 to 8) to put in the holder; 0 keeps the
// plotter's pen, so a family changes its screen colour without a pen change
// on paper.
struct Pen {
    PenSlot slot = PenSlot::Scale;
    int plotter = 0;
    // A fixed screen colour instead of the slot's: a palette colour that no
    // slot of the pen table holds (the dot of a process state).
    std::optional<Rgb> screen;
};

// A line pattern: the screen style and width, and the plotter's pattern
// number (0 solid).
struct Dash {
    LineStyle screen = kSolid;
    int width = 1;
    int plotter = 0;
};

// How a position is written in the plot file: what stands between x and y
// (a blank, a comma or a jump to the next 14-column zone), whether the
// statement is closed, and whether the numbers keep double precision
// (single otherwise).
enum class Separator { Blank, Comma, Zone };
struct PlotForm {
    Separator separator = Separator::Blank;
    bool closed = false;
    bool wide = false;
};

// How a straight line is written: its pen-up move in `move`, the pen-down
// end in the same separator and always closed.
struct SegmentForm {
    Separator separator = Separator::Blank;
    bool closedMove = false;
};

// A text. The screen sets it with its base line starting near `at`, turned
// by `angle` radians, `size` plane units high, in the serif face. The plot
// file sets it at `plotAt` (or `at`) in the character size and direction in
// force; with `plotAtPen` it writes at the pen's position without a move.
//
// The words are `text`. A number label leaves `text` empty (or holds the
// screen's own form of it) and gives `number`: the screen writes it by
// `pattern` (FormatNumber) or in general form, the plot file by
// `plotPattern` or in its statement number form. Each side formats only
// what it shows. `plotText` replaces the words on paper. A text meant for
// one side only (where the two lay a block out differently) turns the other
// side off.
struct Label {
    std::string text;
    PlotPoint at;
    double angle = 0;
    double size = 0;
    bool italic = false;
    std::optional<double> number;
    const char* pattern = nullptr;
    const char* plotPattern = nullptr;
    std::optional<std::string> plotText;
    std::optional<PlotPoint> plotAt;
    PlotForm plotForm;
    bool plotAtPen = false;
    bool onScreen = true;
    bool onPlot = true;
};

// The plotter's text direction as a slope (rise per run) with the pattern
// its number is written in. `spaced` writes a blank before the run; the
// plot file has kept both forms.
struct PlotDirection {
    double slope = 0;
    const char* pattern = "0.0000##";
    bool spaced = false;
};
// The two forms of the reset to horizontal text.
enum class DirectionReset { Spaced, Closed };

// The radius of a plotted circle as a whole number or as a single.
enum class CircleForm { Whole, Single };

// An arc. The screen draws `radius` from angle `from` to `to` (radians,
// counter-clockwise); the plotter starts at `plotStart` and sweeps
// `plotSweep` degrees counter-clockwise about the same centre.
struct ArcSpec {
    PlotPoint centre;
    double radius = 0;
    double from = 0;
    double to = 0;
    PlotPoint plotStart;
    int plotSweep = 0;
};

class PenPlotter {
public:
    virtual ~PenPlotter() = default;

    // --- state ---
    virtual void pen(Pen p) = 0;
    virtual void lineStyle(Dash d) = 0;
    // Plot character width in centimetres (the height is twice); screen
    // labels carry their own size.
    virtual void textSize(float plotWidth) = 0;
    // Plot text direction; screen labels carry their own angle.
    virtual void direction(const PlotDirection& d) = 0;
    virtual void resetDirection(DirectionReset form) = 0;

    // --- drawing ---
    // Pen up to p.
    virtual void move(PlotPoint p, PlotForm form = {}) = 0;
    // A straight line from a to b in the current pen and line style.
    virtual void segment(PlotPoint a, PlotPoint b, SegmentForm form = {}) = 0;
    // A polyline in the current pen and `dash` (the pattern is its own and
    // leaves the line style alone): its first point, each next point, and
    // its end. `polylineHold` stands for a point left out: the curve stays
    // where it is for that sample.
    virtual void beginPolyline(PlotPoint first, Dash dash) = 0;
    virtual void polylineTo(PlotPoint p) = 0;
    virtual void polylineHold() = 0;
    virtual void endPolyline() = 0;
    // One dot at p in the current pen.
    virtual void point(PlotPoint p) = 0;
    virtual void circle(PlotPoint centre, double radius, CircleForm form) = 0;
    // Solid circles from here on, filled with the screen colour of the pen
    // in force now; false makes them outlines again. Paper gets outlines.
    virtual void fill(bool solid) = 0;
    virtual void arc(const ArcSpec& a) = 0;
    virtual void text(const Label& label) = 0;
};

} // namespace hyg
