#include "chart/label_fit.h"

#include "chart/plane.h"
#include "engine/basic.h"
#include "engine/number_format.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <optional>
#include <string_view>
#include <variant>

namespace hyg {

namespace {

// Plotter units to the centimetre of paper.
constexpr double kPlotterUnitsPerCm = 400;

// The steps numbers are thinned by, tried in this order.
constexpr int kThinSteps[] = {2, 5, 10};

// A label's number: the one it carries, or its text read as one.
std::optional<double> NumberOf(const Label& l) {
    if (l.number)
        return l.number;
    const std::size_t b = l.text.find_first_not_of(' ');
    if (b == std::string::npos)
        return std::nullopt;
    const std::size_t e = l.text.find_last_not_of(' ') + 1;
    double v = 0;
    auto [p, ec] = std::from_chars(l.text.data() + b, l.text.data() + e, v);
    if (ec != std::errc() || p != l.text.data() + e)
        return std::nullopt;
    return v;
}

// A text's box with its upright extents, worked out once.
struct Extent {
    TextBox box;
    double left, right, bottom, top;
};

Extent ExtentOf(const TextBox& b) {
    return {b, Left(b), Right(b), Bottom(b), Top(b)};
}

bool Clash(const Extent& a, const Extent& b, double gap) {
    if (a.right + gap <= b.left || b.right + gap <= a.left || a.top + gap <= b.bottom || b.top + gap <= a.bottom)
        return false;
    return Overlap(a.box, b.box, gap);
}

// The calls a family makes, held as values until the family is done (no
// allocation per call: a family makes thousands of them).
struct MoveCall {
    PlotPoint p;
    PlotForm form;
};
struct SegmentCall {
    PlotPoint a, b;
    SegmentForm form;
};
struct BeginCall {
    PlotPoint first;
    Dash dash;
};
struct ToCall {
    PlotPoint p;
};
struct HoldCall {};
struct EndCall {};
struct PointCall {
    PlotPoint p;
};
struct CircleCall {
    PlotPoint centre;
    double radius;
    CircleForm form;
};
struct FillCall {
    bool solid;
};
struct SizeCall {
    float plotWidth;
};
struct TextCall {
    std::size_t label;
};
using Call = std::variant<Pen, Dash, SizeCall, PlotDirection, DirectionReset, MoveCall, SegmentCall, BeginCall, ToCall,
                          HoldCall, EndCall, PointCall, CircleCall, FillCall, ArcSpec, TextCall>;

template <class... F> struct Overloaded : F... { using F::operator()...; };
// Spelled out for compilers without deduction for aggregates (clang 14, which
// clang-tidy uses).
template <class... F> Overloaded(F...) -> Overloaded<F...>;

// Holds a family's primitives back and passes them on, less the labels it
// leaves out: optionally whatever would reach outside the plot window
// (straight lines cut at its edges, labels and circles only when wholly
// inside), and the numbers thinned where they would overlap.
class FittingPlotter : public PenPlotter {
    // A number label: its value and its ink on either side.
    struct Number {
        std::size_t label;
        double value;
        std::optional<Extent> screen, plot;
    };

public:
    FittingPlotter(const ChartSettings& s, bool clip, float plotWidth)
        : s_(s)
        , clip_(clip)
        , plotWidth_(plotWidth)
        , pixel_(PixelInPlane(s)) {
        calls_.reserve(1024);
    }

    void pen(Pen p) override { calls_.emplace_back(p); }
    void lineStyle(Dash d) override { calls_.emplace_back(d); }
    void textSize(float plotWidth) override {
        plotWidth_ = plotWidth;
        calls_.emplace_back(SizeCall{plotWidth});
    }
    void direction(const PlotDirection& d) override {
        slope_ = d.slope;
        calls_.emplace_back(d);
    }
    void resetDirection(DirectionReset form) override {
        slope_ = 0;
        calls_.emplace_back(form);
    }
    void move(PlotPoint p, PlotForm form) override {
        pen_ = p;
        calls_.emplace_back(MoveCall{p, form});
    }
    void segment(PlotPoint a, PlotPoint b, SegmentForm form) override {
        // The pen ends where the line drawn ends.
        if (!clip_ || ClipToWindow(s_, a, b)) {
            pen_ = b;
            calls_.emplace_back(SegmentCall{a, b, form});
        }
    }
    void beginPolyline(PlotPoint first, Dash dash) override {
        pen_ = first;
        calls_.emplace_back(BeginCall{first, dash});
    }
    void polylineTo(PlotPoint p) override {
        pen_ = p;
        calls_.emplace_back(ToCall{p});
    }
    void polylineHold() override { calls_.emplace_back(HoldCall{}); }
    void endPolyline() override { calls_.emplace_back(EndCall{}); }
    void point(PlotPoint p) override {
        if (!clip_ || Inside(p))
            calls_.emplace_back(PointCall{p});
    }
    void circle(PlotPoint centre, double radius, CircleForm form) override {
        if (!clip_ || (Inside(PlotPoint{centre.x - radius, centre.y - radius}) &&
                       Inside(PlotPoint{centre.x + radius, centre.y + radius}))) {
            pen_ = centre;
            calls_.emplace_back(CircleCall{centre, radius, form});
        }
    }
    void fill(bool solid) override { calls_.emplace_back(FillCall{solid}); }
    void arc(const ArcSpec& a) override { calls_.emplace_back(a); }
    void text(const Label& l) override {
        const PlotPoint at = l.plotAtPen ? pen_ : l.plotAt.value_or(l.at);
        pen_ = at;
        const std::size_t index = labels_.size();
        Label& kept = labels_.emplace_back(l);
        calls_.emplace_back(TextCall{index});
        if (kept.onScreen && kept.text.empty() && kept.number) {
            // The screen's form of the number, made once for the box and the
            // writer alike.
            kept.text = kept.pattern ? FormatNumber(*kept.number, kept.pattern) : GeneralNumber(*kept.number);
        }
        if (kept.onPlot && !kept.plotText && kept.number && std::isfinite(*kept.number)) {
            // The same for paper (a number that is not finite stays one, for
            // the plot file to refuse).
            kept.plotText = PlotText(kept);
        }
        std::optional<Extent> screen, plot;
        if (kept.onScreen) {
            screen = ExtentOf(ScreenBox(s_, kept));
            // A screen text keeps two pixels from the edge, where the screen
            // rounds it.
            if (clip_ && !InsideExtent(*screen, 2 * pixel_))
                kept.onScreen = false, screen.reset();
        }
        if (kept.onPlot) {
            // Characters of no size (none set yet) are the pen's position.
            if (plotWidth_ > 0)
                plot = ExtentOf(PlotBox(s_, kept, plotWidth_, slope_, at));
            if (clip_ && !(plot ? InsideExtent(*plot, 0) : Inside(at)))
                kept.onPlot = false, plot.reset();
        }
        // A number left out still shows the family's spacing.
        if (const std::optional<double> v = NumberOf(kept))
            numbers_.push_back({index, *v, screen, plot});
    }

    // Passes everything on.
    void release(PenPlotter& out) {
        for (const Call& call : calls_) {
            std::visit(Overloaded{
                           [&](const Pen& p) { out.pen(p); },
                           [&](const Dash& d) { out.lineStyle(d); },
                           [&](const SizeCall& c) { out.textSize(c.plotWidth); },
                           [&](const PlotDirection& d) { out.direction(d); },
                           [&](const DirectionReset& r) { out.resetDirection(r); },
                           [&](const MoveCall& c) { out.move(c.p, c.form); },
                           [&](const SegmentCall& c) { out.segment(c.a, c.b, c.form); },
                           [&](const BeginCall& c) { out.beginPolyline(c.first, c.dash); },
                           [&](const ToCall& c) { out.polylineTo(c.p); },
                           [&](const HoldCall&) { out.polylineHold(); },
                           [&](const EndCall&) { out.endPolyline(); },
                           [&](const PointCall& c) { out.point(c.p); },
                           [&](const CircleCall& c) { out.circle(c.centre, c.radius, c.form); },
                           [&](const FillCall& c) { out.fill(c.solid); },
                           [&](const ArcSpec& a) { out.arc(a); },
                           [&](const TextCall& c) { out.text(labels_[c.label]); },
                       },
                       call);
        }
    }

    // Thins the numbers of each side, the screen and the paper, on their own:
    // the paper does not change with the size of the window.
    void thin() {
        thinSide(&Number::screen, 3 * pixel_, &Label::onScreen);
        thinSide(&Number::plot, 0.5, &Label::onPlot);
    }

private:
    // Numbers that overlap others, directly or through a chain, form a group;
    // in each group only the values that are multiples of two, five or ten
    // steps of the family's spacing stay, the first of these that leaves a
    // gap. Where even every tenth value runs together (the ends of a
    // protractor scale crowd), a value that would cover one already kept
    // goes as well.
    void thinSide(std::optional<Extent> Number::*box, double gap, bool Label::*shown) {
        const auto clash = [&](const Number& a, const Number& b) {
            return (a.*box) && (b.*box) && Clash(*(a.*box), *(b.*box), gap);
        };
        const std::size_t n = numbers_.size();
        if (n < 2)
            return;
        std::vector<std::size_t> group(n);
        for (std::size_t i = 0; i < n; ++i)
            group[i] = i;
        const auto root = [&group](std::size_t i) {
            while (group[i] != i)
                i = group[i] = group[group[i]];
            return i;
        };
        bool any = false;
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = i + 1; j < n; ++j) {
                if (clash(numbers_[i], numbers_[j])) {
                    group[root(i)] = root(j);
                    any = true;
                }
            }
        }
        if (!any)
            return;
        const double spacing = Spacing();
        std::vector<std::vector<const Number*>> groups(n);
        for (std::size_t i = 0; i < n; ++i)
            groups[root(i)].push_back(&numbers_[i]);
        const auto clearAt = [&](const std::vector<const Number*>& g, double unit) {
            std::vector<const Number*> kept;
            for (const Number* m : g) {
                if (MultipleOf(m->value, unit))
                    kept.push_back(m);
            }
            for (std::size_t i = 0; i < kept.size(); ++i) {
                for (std::size_t j = i + 1; j < kept.size(); ++j) {
                    if (clash(*kept[i], *kept[j]))
                        return false;
                }
            }
            return true;
        };
        for (const std::vector<const Number*>& g : groups) {
            if (g.size() < 2)
                continue;
            int chosen = 0;
            for (int step : kThinSteps) {
                chosen = step;
                if (clearAt(g, step * spacing))
                    break;
            }
            std::vector<const Number*> kept;
            for (const Number* m : g) {
                bool drop = !MultipleOf(m->value, chosen * spacing);
                for (std::size_t k = 0; k < kept.size() && !drop; ++k)
                    drop = clash(*kept[k], *m);
                if (drop)
                    labels_[m->label].*shown = false;
                else
                    kept.push_back(m);
            }
        }
    }

    static bool MultipleOf(double v, double unit) {
        if (unit <= 0)
            return true;
        const double q = v / unit;
        return std::fabs(q - std::nearbyint(q)) < 1e-6;
    }

    // The spacing of the family's values: their smallest difference.
    double Spacing() const {
        std::vector<double> values;
        for (const Number& m : numbers_)
            values.push_back(m.value);
        std::sort(values.begin(), values.end());
        double spacing = 0;
        for (std::size_t i = 1; i < values.size(); ++i) {
            const double d = values[i] - values[i - 1];
            if (d > 1e-9 && (spacing == 0 || d < spacing))
                spacing = d;
        }
        return spacing;
    }

    bool Inside(PlotPoint p) const {
        return p.x >= s_.PlaneXMin && p.x <= s_.PlaneXMax && p.y >= s_.PlaneYMin && p.y <= s_.PlaneYMax;
    }
    bool InsideExtent(const Extent& e, double m) const {
        return Inside(PlotPoint{e.left - m, e.bottom - m}) && Inside(PlotPoint{e.right + m, e.top + m});
    }

    const ChartSettings& s_;
    bool clip_;
    std::vector<Call> calls_;
    std::vector<Label> labels_;
    std::vector<Number> numbers_;
    float plotWidth_;
    double pixel_;
    double slope_ = 0;
    PlotPoint pen_;
};

} // namespace

namespace {

TextBox TurnedBox(PlotPoint start, double c, double s, double length, double height) {
    const auto at = [&](double u, double v) { return PlotPoint{start.x + u * c - v * s, start.y + u * s + v * c}; };
    return {{at(0, 0), at(length, 0), at(length, height), at(0, height)}};
}

// Width in character widths of the text after its leading blanks, and of
// those blanks.
double WidthInChars(std::string_view text) {
    double w = 0;
    for (const char c : text) {
        if (c == ' ' || c == '.' || c == ',' || c == '\'')
            w += 0.6;
        else if (c == '-')
            w += 0.8;
        else if (c >= '0' && c <= '9')
            w += 1.25;
        else if (c >= 'A' && c <= 'Z')
            w += 1.6;
        else
            w += 1.1;
    }
    return w;
}

} // namespace

TextBox TurnedBox(PlotPoint start, double angle, double length, double height) {
    return TurnedBox(start, std::cos(angle), std::sin(angle), length, height);
}

bool Overlap(const TextBox& a, const TextBox& b, double gap) {
    // Quick test on the upright extents first.
    if (Right(a) + gap <= Left(b) || Right(b) + gap <= Left(a) || Top(a) + gap <= Bottom(b) ||
        Top(b) + gap <= Bottom(a))
        return false;
    // Separating axes: the edge directions of either box.
    const auto separated = [gap](const TextBox& p, const TextBox& q) {
        for (int e = 0; e < 2; ++e) {
            const PlotPoint& c0 = p.corner[static_cast<std::size_t>(e)];
            const PlotPoint& c1 = p.corner[static_cast<std::size_t>(e + 1)];
            const double nx = -(c1.y - c0.y), ny = c1.x - c0.x;
            const double len = std::hypot(nx, ny);
            if (len == 0)
                return true;
            double pmin = 1e300, pmax = -1e300, qmin = 1e300, qmax = -1e300;
            for (const PlotPoint& c : p.corner) {
                const double v = (c.x * nx + c.y * ny) / len;
                pmin = std::min(pmin, v), pmax = std::max(pmax, v);
            }
            for (const PlotPoint& c : q.corner) {
                const double v = (c.x * nx + c.y * ny) / len;
                qmin = std::min(qmin, v), qmax = std::max(qmax, v);
            }
            if (pmax + gap <= qmin || qmax + gap <= pmin)
                return true;
        }
        return false;
    };
    return !separated(a, b) && !separated(b, a);
}

double Left(const TextBox& b) {
    return std::min({b.corner[0].x, b.corner[1].x, b.corner[2].x, b.corner[3].x});
}
double Right(const TextBox& b) {
    return std::max({b.corner[0].x, b.corner[1].x, b.corner[2].x, b.corner[3].x});
}
double Bottom(const TextBox& b) {
    return std::min({b.corner[0].y, b.corner[1].y, b.corner[2].y, b.corner[3].y});
}
double Top(const TextBox& b) {
    return std::max({b.corner[0].y, b.corner[1].y, b.corner[2].y, b.corner[3].y});
}

double TextWidthInChars(const std::string& text) {
    return WidthInChars(text);
}

double PlaneUnitsPerCm(const ChartSettings& s) {
    const double plotterWidth = static_cast<double>(s.PlotterP2X) - s.PlotterP1X;
    return plotterWidth > 0 ? kPlotterUnitsPerCm * (static_cast<double>(s.PlaneXMax) - s.PlaneXMin) / plotterWidth : 0;
}

std::string ScreenText(const Label& l) {
    std::string shown = !l.text.empty() || !l.number ? l.text
                        : l.pattern                  ? FormatNumber(*l.number, l.pattern)
                                                     : GeneralNumber(*l.number);
    if (!shown.empty() && shown[0] == ' ')
        shown.erase(0, 1);
    return shown;
}

std::string PlotText(const Label& l) {
    if (l.plotText)
        return *l.plotText;
    if (l.number && l.plotPattern)
        return FormatNumber(*l.number, l.plotPattern);
    if (l.number)
        return PrintNumber(*l.number, 15); // the statement form: blank, number, blank
    return l.text;
}

double PixelInPlane(const ChartSettings& s) {
    return s.PictureWidth > 0 ? (static_cast<double>(s.PlaneXMax) - s.PlaneXMin) * kTwipsPerPixel / s.PictureWidth : 0;
}

TextBox ScreenBox(const ChartSettings& s, const Label& l) {
    // The font is rounded to whole pixels: allow one more.
    const double w = l.size + PixelInPlane(s);
    std::string formatted;
    std::string_view text = l.text;
    if (text.empty() && l.number) {
        formatted = ScreenText(l);
        text = formatted;
    } else if (!text.empty() && text[0] == ' ') {
        text.remove_prefix(1); // the screen drops one leading blank
    }
    const std::size_t lead = std::min(text.find_first_not_of(' '), text.size());
    const double c = l.angle == 0 ? 1 : std::cos(l.angle), sn = l.angle == 0 ? 0 : std::sin(l.angle);
    const double u0 = WidthInChars(text.substr(0, lead)) * w;
    // The cell's top-left corner stands 2 sizes above the anchor, turned,
    // and a fifth of a size higher; the base line 2.4 sizes below that corner.
    const PlotPoint start{l.at.x + u0 * c + 0.4 * l.size * sn, l.at.y + u0 * sn + (0.2 - 0.4 * c) * l.size};
    return TurnedBox(start, c, sn, WidthInChars(text.substr(lead)) * w, 2 * l.size);
}

TextBox PlotBox(const ChartSettings& s, const Label& l, float plotWidth, double slope, PlotPoint pen) {
    const double w = plotWidth * PlaneUnitsPerCm(s);
    std::string formatted;
    std::string_view text;
    if (l.plotText) {
        text = *l.plotText;
    } else if (l.number) {
        formatted = PlotText(l);
        text = formatted;
    } else {
        text = l.text;
    }
    const std::size_t lead = std::min(text.find_first_not_of(' '), text.size());
    const std::size_t shown = text.size() - lead;
    // The direction (1, slope) made a unit vector.
    const double norm = std::sqrt(1 + slope * slope);
    const double c = 1 / norm, sn = slope / norm;
    const PlotPoint start{pen.x + 1.5 * w * static_cast<double>(lead) * c,
                          pen.y + 1.5 * w * static_cast<double>(lead) * sn};
    return TurnedBox(start, c, sn, shown ? (1.5 * static_cast<double>(shown) - 0.5) * w : 0, 2 * w);
}

namespace {

void Fit(PenPlotter& out, const ChartSettings& s, bool clip, float plotWidth,
         const std::function<void(PenPlotter&)>& family) {
    FittingPlotter held(s, clip, plotWidth);
    try {
        family(held);
    } catch (...) {
        // What was drawn before a fault still goes out, as it did unheld.
        held.release(out);
        throw;
    }
    held.thin();
    held.release(out);
}

} // namespace

void DrawThinned(PenPlotter& out, const ChartSettings& s, const std::function<void(PenPlotter&)>& family) {
    Fit(out, s, false, 0, family);
}

bool ClipToWindow(const ChartSettings& s, PlotPoint& a, PlotPoint& b) {
    // Liang and Barsky: the part of a + t (b - a), 0 <= t <= 1, inside.
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const auto edge = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        const double r = q / p;
        if (p < 0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    if (!edge(-dx, a.x - s.PlaneXMin) || !edge(dx, s.PlaneXMax - a.x) || !edge(-dy, a.y - s.PlaneYMin) ||
        !edge(dy, s.PlaneYMax - a.y))
        return false;
    const PlotPoint from = a;
    if (t1 < 1)
        b = {from.x + t1 * dx, from.y + t1 * dy};
    if (t0 > 0)
        a = {from.x + t0 * dx, from.y + t0 * dy};
    return true;
}

void DrawFitted(PenPlotter& out, const ChartSettings& s, const std::function<void(PenPlotter&)>& family,
                std::optional<float> plotWidthInForce) {
    // Left-out labels take no part in the thinning.
    Fit(out, s, true, plotWidthInForce.value_or(s.PlotTextSize3), family);
}

PlotPoint IntoWindow(const ChartSettings& s, double left, double right, double bottom, double top) {
    const auto shift = [](double lo, double hi, double min, double max) {
        if (hi - lo > max - min || lo < min)
            return min - lo;
        if (hi > max)
            return max - hi;
        return 0.0;
    };
    return {shift(left, right, s.PlaneXMin, s.PlaneXMax), shift(bottom, top, s.PlaneYMin, s.PlaneYMax)};
}

namespace {

// The grid over the plot window that finds nearby texts: cells of about
// two hundred plane units.
constexpr int kCellsX = 25, kCellsY = 18;

// The moves a symbol tries, in steps of its height: the nearest first.
constexpr int kSteps = 24;
constexpr double kMoves[kSteps][2] = {{0, -0.5},  {0, 0.5},    {0.5, 0}, {-0.5, 0}, {0.5, -0.5}, {-0.5, -0.5},
                                      {0.5, 0.5}, {-0.5, 0.5}, {0, -1},  {0, 1},    {1, 0},      {-1, 0},
                                      {1, -1},    {-1, -1},    {1, 1},   {-1, 1},   {0, -1.5},   {0, 1.5},
                                      {1.5, 0},   {-1.5, 0},   {0, -2},  {0, 2},    {2, 0},      {-2, 0}};

// A plotter that draws nothing.
class NoOutput : public PenPlotter {
public:
    void pen(Pen) override {}
    void lineStyle(Dash) override {}
    void textSize(float) override {}
    void direction(const PlotDirection&) override {}
    void resetDirection(DirectionReset) override {}
    void move(PlotPoint, PlotForm) override {}
    void segment(PlotPoint, PlotPoint, SegmentForm) override {}
    void beginPolyline(PlotPoint, Dash) override {}
    void polylineTo(PlotPoint) override {}
    void polylineHold() override {}
    void endPolyline() override {}
    void point(PlotPoint) override {}
    void circle(PlotPoint, double, CircleForm) override {}
    void fill(bool) override {}
    void arc(const ArcSpec&) override {}
    void text(const Label&) override {}
};

} // namespace

LabelSpace::LabelSpace(PenPlotter& out, const ChartSettings& s)
    : out_(&out)
    , s_(s) {
    for (Side* side : {&screen_, &paper_}) {
        side->last.assign(static_cast<std::size_t>(kCellsX) * kCellsY, -1);
        side->placed.reserve(320);
        side->entries.reserve(640);
    }
    // The screen places texts to whole pixels.
    screen_.gap = 4 * PixelInPlane(s);
    paper_.gap = 0.5;
}

void LabelSpace::nextFamily() {
    ++family_;
}

void LabelSpace::reserve(const std::function<void(PenPlotter&)>& block) {
    NoOutput none;
    PenPlotter* out = out_;
    const float width = plotWidth_;
    const double slope = slope_;
    const PlotPoint pen = pen_;
    out_ = &none;
    ++family_; // the block is a family of its own
    try {
        block(*this);
    } catch (const RunTimeFault&) {
        // The block raises it again where it is drawn, after what comes
        // before it, as an unreserved block would.
    }
    ++family_;
    out_ = out, plotWidth_ = width, slope_ = slope, pen_ = pen;
}

void LabelSpace::drawReserved(const std::function<void(PenPlotter&)>& block) {
    // Its texts are placed already; they are drawn as they are.
    checking_ = false;
    block(*this);
    checking_ = true;
    ++family_;
}

namespace {

// The ring of a movable block: the band between its smallest and largest
// arc, from the first arc's start round its sweep.
struct RingBand {
    PlotPoint c;
    double inner = 0, outer = 0, from = 0, sweep = 0;
};

RingBand BandOf(const std::vector<ArcSpec>& arcs) {
    RingBand r{arcs.front().centre, arcs.front().radius, arcs.front().radius, arcs.front().from,
               arcs.front().to - arcs.front().from};
    for (const ArcSpec& a : arcs) {
        r.inner = std::min(r.inner, a.radius);
        r.outer = std::max(r.outer, a.radius);
    }
    return r;
}

// Whether p lies on the band, widened by `margin` plane units.
bool OnBand(const RingBand& r, PlotPoint p, double margin) {
    const double dx = p.x - r.c.x, dy = p.y - r.c.y;
    const double d = std::hypot(dx, dy);
    if (d < r.inner - margin || d > r.outer + margin)
        return false;
    const double turn = 2 * kPi;
    double a = std::atan2(dy, dx) - r.from;
    a -= turn * std::floor(a / turn);
    const double slack = margin / std::max(d, 1.0);
    return a <= r.sweep + slack || a >= turn - slack;
}

// Whether the piece from a to b meets the band, tried every few units.
bool PieceMeetsBand(const RingBand& r, PlotPoint a, PlotPoint b, double margin) {
    const int n = std::max(1, static_cast<int>(std::ceil(std::hypot(b.x - a.x, b.y - a.y) / 4)));
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        if (OnBand(r, {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}, margin))
            return true;
    }
    return false;
}

// Whether the band's outer edge lies inside the plot window.
bool BandInWindow(const ChartSettings& s, const RingBand& r) {
    for (int i = 0; i <= 64; ++i) {
        const double a = r.from + r.sweep * i / 64;
        const double x = r.c.x + r.outer * std::cos(a), y = r.c.y + r.outer * std::sin(a);
        if (x < s.PlaneXMin || x > s.PlaneXMax || y < s.PlaneYMin || y > s.PlaneYMax)
            return false;
    }
    return true;
}

} // namespace

void LabelSpace::keepRingOff(PlotPoint a, PlotPoint b) {
    ringBarrier_.emplace_back(a, b);
    ringFamily_ = family_;
}

void LabelSpace::drawMovable(const std::function<void(PenPlotter&, PlotPoint)>& block) {
    // The block tried at an offset without output.
    struct Trial {
        bool textsFree = false; // drawn whole, no text on another's
        int clashes = 0;        // texts on another's
        int texts = 0;          // texts arrived (those outside the window do not)
        bool ringFree = true;   // no ring, or one off the scale kept clear
        bool ringInside = true; // no ring, or one inside the plot window
    };
    const auto probe = [&](PlotPoint d) {
        NoOutput none;
        PenPlotter* out = out_;
        const float width = plotWidth_;
        const double slope = slope_;
        const PlotPoint pen = pen_;
        out_ = &none, probing_ = true, probeTexts_ = 0, probeClashes_ = 0;
        probeArcs_.clear();
        bool done = true;
        try {
            block(*this, d);
        } catch (const RunTimeFault&) {
            done = false; // raised again where it is drawn
        }
        out_ = out, probing_ = false, plotWidth_ = width, slope_ = slope, pen_ = pen;
        Trial t{done && probeClashes_ == 0, done ? probeClashes_ : INT_MAX, probeTexts_};
        if (!probeArcs_.empty()) {
            const RingBand band = BandOf(probeArcs_);
            // Touching counts, nearness not: a ring close beside the scale
            // stays where the texts put it.
            const double margin = paper_.gap;
            for (const auto& [a, b] : ringBarrier_)
                t.ringFree = t.ringFree && !PieceMeetsBand(band, a, b, margin);
            for (const Side* side : {&screen_, &paper_}) {
                for (const Placed& p : side->placed) {
                    if (!t.ringFree || p.family != ringFamily_ || !p.number)
                        continue;
                    for (std::size_t i = 0; i < 4 && t.ringFree; ++i)
                        t.ringFree = !PieceMeetsBand(band, p.box.corner[i], p.box.corner[(i + 1) % 4], margin);
                }
            }
            t.ringInside = BandInWindow(s_, band);
        }
        return t;
    };
    // Up, left and up-left, twenty plane units a step, the nearest first:
    // the first offset that `fits`, with what was found there.
    struct Found {
        PlotPoint offset;
        Trial trial;
    };
    const auto search = [&](int steps, const std::function<bool(const Trial&)>& fits) -> std::optional<Found> {
        constexpr double kStep = 20, kDiagonal = 0.70710678;
        const PlotPoint ways[] = {{-1, 0}, {0, 1}, {-kDiagonal, kDiagonal}};
        for (int k = 1; k <= steps; ++k) {
            for (const PlotPoint& w : ways) {
                const PlotPoint d{w.x * kStep * k, w.y * kStep * k};
                if (const Trial t = probe(d); fits(t))
                    return Found{d, t};
            }
        }
        return std::nullopt;
    };
    const Trial here = probe({0, 0});
    PlotPoint chosen;
    Trial at = here;
    if (!here.textsFree) {
        if (const auto f = search(30, [&](const Trial& t) { return t.textsFree && t.texts >= here.texts; }))
            chosen = f->offset, at = f->trial;
    }
    // A ring across the scale moves on to where it clears it too, losing
    // no text and meeting no more texts than where the texts put it; the
    // ring is the size of a quarter of the chart, so the search goes on as
    // far as the window lets it.
    if (!at.ringFree) {
        const auto fits = [&](const Trial& t) {
            return t.ringFree && t.ringInside && t.texts >= here.texts && t.clashes <= at.clashes;
        };
        if (const auto f = search(100, fits))
            chosen = f->offset;
    }
    block(*this, chosen);
}

void LabelSpace::pen(Pen p) {
    out_->pen(p);
}
void LabelSpace::lineStyle(Dash d) {
    out_->lineStyle(d);
}
void LabelSpace::textSize(float plotWidth) {
    plotWidth_ = plotWidth;
    out_->textSize(plotWidth);
}
void LabelSpace::direction(const PlotDirection& d) {
    slope_ = d.slope;
    out_->direction(d);
}
void LabelSpace::resetDirection(DirectionReset form) {
    slope_ = 0;
    out_->resetDirection(form);
}
void LabelSpace::move(PlotPoint p, PlotForm form) {
    pen_ = p;
    out_->move(p, form);
}
void LabelSpace::segment(PlotPoint a, PlotPoint b, SegmentForm form) {
    pen_ = b;
    out_->segment(a, b, form);
}
void LabelSpace::beginPolyline(PlotPoint first, Dash dash) {
    pen_ = first;
    out_->beginPolyline(first, dash);
}
void LabelSpace::polylineTo(PlotPoint p) {
    pen_ = p;
    out_->polylineTo(p);
}
void LabelSpace::polylineHold() {
    out_->polylineHold();
}
void LabelSpace::endPolyline() {
    out_->endPolyline();
}
void LabelSpace::point(PlotPoint p) {
    out_->point(p);
}
void LabelSpace::circle(PlotPoint centre, double radius, CircleForm form) {
    pen_ = centre;
    out_->circle(centre, radius, form);
}
void LabelSpace::fill(bool solid) {
    out_->fill(solid);
}
void LabelSpace::arc(const ArcSpec& a) {
    if (probing_)
        probeArcs_.push_back(a);
    out_->arc(a);
}

void LabelSpace::text(const Label& l) {
    const PlotPoint at = l.plotAtPen ? pen_ : l.plotAt.value_or(l.at);
    pen_ = at;
    if (!checking_) {
        out_->text(l);
        return;
    }
    if (probing_) {
        ++probeTexts_;
        const bool number = NumberOf(l).has_value();
        const auto clashes = [&](const Side& side, const TextBox& b) {
            return !free(side, Placed{b, Left(b), Right(b), Bottom(b), Top(b), family_, number});
        };
        if ((l.onScreen && clashes(screen_, ScreenBox(s_, l))) ||
            (l.onPlot && plotWidth_ > 0 && clashes(paper_, PlotBox(s_, l, plotWidth_, slope_, at))))
            ++probeClashes_;
        return;
    }
    const bool number = NumberOf(l).has_value();
    const auto placed = [&](const TextBox& b) {
        return Placed{b, Left(b), Right(b), Bottom(b), Top(b), family_, number};
    };
    // A symbol (a text that is no number) that would cover a number moves
    // instead, by the least of some steps of its own height, staying in the
    // window; a number, or a symbol that finds no room, is left out.
    const auto settle = [&](Side& side, double step, double margin, const std::function<TextBox(PlotPoint)>& box,
                            PlotPoint& moved) {
        const Placed p = placed(box({0, 0}));
        if (free(side, p)) {
            place(side, p);
            return true;
        }
        for (int k = 0; !number && step > 0 && k < kSteps; ++k) {
            const PlotPoint d{kMoves[k][0] * step, kMoves[k][1] * step};
            const Placed q = placed(box(d));
            if (q.left - margin >= s_.PlaneXMin && q.right + margin <= s_.PlaneXMax &&
                q.bottom - margin >= s_.PlaneYMin && q.top + margin <= s_.PlaneYMax && free(side, q)) {
                place(side, q);
                moved = d;
                return true;
            }
        }
        return false;
    };
    bool onScreen = l.onScreen, onPlot = l.onPlot;
    PlotPoint screenMove, paperMove;
    if (onScreen) {
        onScreen = settle(
            screen_, 2 * l.size, 2 * PixelInPlane(s_),
            [&](PlotPoint d) {
                Label moved = l;
                moved.at = {l.at.x + d.x, l.at.y + d.y};
                return ScreenBox(s_, moved);
            },
            screenMove);
    }
    // Characters of no size (none set yet) leave no ink to keep apart; a
    // text written at the pen stays there.
    if (onPlot && plotWidth_ > 0) {
        onPlot = settle(
            paper_, l.plotAtPen ? 0 : 2 * plotWidth_ * PlaneUnitsPerCm(s_), 0,
            [&](PlotPoint d) {
                return PlotBox(s_, l, plotWidth_, slope_, {at.x + d.x, at.y + d.y});
            },
            paperMove);
    }
    const bool moved = screenMove.x != 0 || screenMove.y != 0 || paperMove.x != 0 || paperMove.y != 0;
    if (onScreen == l.onScreen && onPlot == l.onPlot && !moved) {
        out_->text(l);
    } else if (onScreen || onPlot) {
        Label kept = l;
        kept.onScreen = onScreen, kept.onPlot = onPlot;
        if (moved && !l.plotAtPen)
            kept.plotAt = PlotPoint{at.x + paperMove.x, at.y + paperMove.y};
        kept.at = {l.at.x + screenMove.x, l.at.y + screenMove.y};
        if (moved)
            pen_ = kept.plotAtPen ? pen_ : *kept.plotAt;
        out_->text(kept);
    }
}

template <typename F> void LabelSpace::forCells(const Placed& p, double margin, F f) const {
    const double cw = (static_cast<double>(s_.PlaneXMax) - s_.PlaneXMin) / kCellsX;
    const double ch = (static_cast<double>(s_.PlaneYMax) - s_.PlaneYMin) / kCellsY;
    if (!(cw > 0 && ch > 0))
        return;
    const auto cell = [](double v, double lo, double size, int n) {
        return std::clamp(static_cast<int>(std::floor((v - lo) / size)), 0, n - 1);
    };
    const int x0 = cell(p.left - margin, s_.PlaneXMin, cw, kCellsX);
    const int x1 = cell(p.right + margin, s_.PlaneXMin, cw, kCellsX);
    const int y0 = cell(p.bottom - margin, s_.PlaneYMin, ch, kCellsY);
    const int y1 = cell(p.top + margin, s_.PlaneYMin, ch, kCellsY);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x)
            f(static_cast<std::size_t>(y * kCellsX + x));
    }
}

bool LabelSpace::free(const Side& side, const Placed& p) const {
    bool clear = true;
    // Texts within the gap of it may lie in the next cells.
    forCells(p, side.gap, [&](std::size_t c) {
        for (int e = side.last[c]; e >= 0 && clear; e = side.entries[static_cast<std::size_t>(e)].second) {
            const Placed& q = side.placed[side.entries[static_cast<std::size_t>(e)].first];
            if (q.family == p.family || !(q.number || p.number))
                continue;
            if (p.right + side.gap <= q.left || q.right + side.gap <= p.left || p.top + side.gap <= q.bottom ||
                q.top + side.gap <= p.bottom)
                continue;
            clear = !Overlap(p.box, q.box, side.gap);
        }
    });
    return clear;
}

void LabelSpace::place(Side& side, Placed p) {
    const std::size_t index = side.placed.size();
    side.placed.push_back(p);
    forCells(p, 0, [&](std::size_t c) {
        side.entries.emplace_back(index, side.last[c]);
        side.last[c] = static_cast<int>(side.entries.size() - 1);
    });
}

} // namespace hyg
