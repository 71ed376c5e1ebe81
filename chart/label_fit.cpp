#include "chart/label_fit.h"

#include "chart/plane.h"
#include "engine/basic.h"
#include "engine/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

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

// Holds a family's primitives back and passes them on, less the labels it
// is told to leave out.
class HeldPlotter : public PenPlotter {
    // A number label: its value and its ink on either side.
    struct Number {
        std::size_t label;
        double value;
        std::optional<TextBox> screen, plot;
    };

public:
    explicit HeldPlotter(const ChartSettings& s)
        : s_(s) {}

    void pen(Pen p) override {
        calls_.push_back([p](PenPlotter& o) { o.pen(p); });
    }
    void lineStyle(Dash d) override {
        calls_.push_back([d](PenPlotter& o) { o.lineStyle(d); });
    }
    void textSize(float plotWidth) override {
        plotWidth_ = plotWidth;
        calls_.push_back([plotWidth](PenPlotter& o) { o.textSize(plotWidth); });
    }
    void direction(const PlotDirection& d) override {
        slope_ = d.slope;
        calls_.push_back([d](PenPlotter& o) { o.direction(d); });
    }
    void resetDirection(DirectionReset form) override {
        slope_ = 0;
        calls_.push_back([form](PenPlotter& o) { o.resetDirection(form); });
    }
    void move(PlotPoint p, PlotForm form) override {
        pen_ = p;
        calls_.push_back([p, form](PenPlotter& o) { o.move(p, form); });
    }
    void segment(PlotPoint a, PlotPoint b, SegmentForm form) override {
        pen_ = b;
        calls_.push_back([a, b, form](PenPlotter& o) { o.segment(a, b, form); });
    }
    void beginPolyline(PlotPoint first, Dash dash) override {
        pen_ = first;
        calls_.push_back([first, dash](PenPlotter& o) { o.beginPolyline(first, dash); });
    }
    void polylineTo(PlotPoint p) override {
        pen_ = p;
        calls_.push_back([p](PenPlotter& o) { o.polylineTo(p); });
    }
    void polylineHold() override {
        calls_.push_back([](PenPlotter& o) { o.polylineHold(); });
    }
    void endPolyline() override {
        calls_.push_back([](PenPlotter& o) { o.endPolyline(); });
    }
    void point(PlotPoint p) override {
        calls_.push_back([p](PenPlotter& o) { o.point(p); });
    }
    void circle(PlotPoint centre, double radius, CircleForm form) override {
        pen_ = centre;
        calls_.push_back([centre, radius, form](PenPlotter& o) { o.circle(centre, radius, form); });
    }
    void fill(bool solid) override {
        calls_.push_back([solid](PenPlotter& o) { o.fill(solid); });
    }
    void arc(const ArcSpec& a) override {
        calls_.push_back([a](PenPlotter& o) { o.arc(a); });
    }
    void text(const Label& l) override {
        const std::size_t index = labels_.size();
        labels_.push_back(l);
        calls_.push_back([this, index](PenPlotter& o) { o.text(labels_[index]); });
        const PlotPoint at = l.plotAtPen ? pen_ : l.plotAt.value_or(l.at);
        if (const std::optional<double> v = NumberOf(l)) {
            numbers_.push_back({index, *v, l.onScreen ? ScreenBox(s_, l) : std::optional<TextBox>{},
                                l.onPlot ? PlotBox(s_, l, plotWidth_, slope_, at) : std::optional<TextBox>{}});
        }
        pen_ = at;
    }

    // Passes everything on, the numbers thinned where they would overlap.
    void release(PenPlotter& out) {
        for (const auto& call : calls_)
            call(out);
    }

    // Thins the numbers of each side, the screen and the paper, on their own:
    // the paper does not change with the size of the window.
    void thin() {
        thinSide(&Number::screen, 3 * PixelInPlane(s_), &Label::onScreen);
        thinSide(&Number::plot, 0.5, &Label::onPlot);
    }

    // Numbers that overlap others, directly or through a chain, form a group;
    // in each group only the values that are multiples of two, five or ten
    // steps of the family's spacing stay, the first of these that leaves a
    // gap. Where even every tenth value runs together (the ends of a
    // protractor scale crowd), a value that would cover one already kept
    // goes as well.
    void thinSide(std::optional<TextBox> Number::*box, double gap, bool Label::*shown) {
        const auto clash = [&](const Number& a, const Number& b) {
            return (a.*box) && (b.*box) && Overlap(*(a.*box), *(b.*box), gap);
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

private:
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

    const ChartSettings& s_;
    std::vector<std::function<void(PenPlotter&)>> calls_;
    std::vector<Label> labels_;
    std::vector<Number> numbers_;
    float plotWidth_ = 0;
    double slope_ = 0;
    PlotPoint pen_;
};

// Passes on what lies inside the plot window: straight lines cut at its
// edges, labels and circles only when wholly inside.
class WindowClip : public PenPlotter {
public:
    WindowClip(PenPlotter& out, const ChartSettings& s)
        : out_(out)
        , s_(s) {}

    void pen(Pen p) override { out_.pen(p); }
    void lineStyle(Dash d) override { out_.lineStyle(d); }
    void textSize(float plotWidth) override {
        plotWidth_ = plotWidth;
        out_.textSize(plotWidth);
    }
    void direction(const PlotDirection& d) override {
        slope_ = d.slope;
        out_.direction(d);
    }
    void resetDirection(DirectionReset form) override {
        slope_ = 0;
        out_.resetDirection(form);
    }
    void move(PlotPoint p, PlotForm form) override {
        pen_ = p;
        out_.move(p, form);
    }
    void segment(PlotPoint a, PlotPoint b, SegmentForm form) override {
        pen_ = b;
        if (ClipToWindow(s_, a, b))
            out_.segment(a, b, form);
    }
    void beginPolyline(PlotPoint first, Dash dash) override { out_.beginPolyline(first, dash); }
    void polylineTo(PlotPoint p) override { out_.polylineTo(p); }
    void polylineHold() override { out_.polylineHold(); }
    void endPolyline() override { out_.endPolyline(); }
    void point(PlotPoint p) override {
        if (Inside(p))
            out_.point(p);
    }
    void circle(PlotPoint centre, double radius, CircleForm form) override {
        pen_ = centre;
        if (Inside(PlotPoint{centre.x - radius, centre.y - radius}) &&
            Inside(PlotPoint{centre.x + radius, centre.y + radius}))
            out_.circle(centre, radius, form);
    }
    void fill(bool solid) override { out_.fill(solid); }
    void arc(const ArcSpec& a) override { out_.arc(a); }
    // Each side leaves out what would reach outside on that side.
    void text(const Label& l) override {
        const PlotPoint at = l.plotAtPen ? pen_ : l.plotAt.value_or(l.at);
        pen_ = at;
        Label kept = l;
        if (kept.onScreen && !InsideBox(ScreenBox(s_, l)))
            kept.onScreen = false;
        if (kept.onPlot && !InsideBox(PlotBox(s_, l, plotWidth_, slope_, at), 0))
            kept.onPlot = false;
        out_.text(kept);
    }

private:
    bool Inside(PlotPoint p) const {
        return p.x >= s_.PlaneXMin && p.x <= s_.PlaneXMax && p.y >= s_.PlaneYMin && p.y <= s_.PlaneYMax;
    }
    // A screen text keeps two pixels from the edge, where the screen rounds it.
    bool InsideBox(const TextBox& b) const { return InsideBox(b, 2 * PixelInPlane(s_)); }
    bool InsideBox(const TextBox& b, double m) const {
        return Inside(PlotPoint{Left(b) - m, Bottom(b) - m}) && Inside(PlotPoint{Right(b) + m, Top(b) + m});
    }

    PenPlotter& out_;
    const ChartSettings& s_;
    float plotWidth_ = 0;
    double slope_ = 0;
    PlotPoint pen_;
};

} // namespace

TextBox TurnedBox(PlotPoint start, double angle, double length, double height) {
    const double c = std::cos(angle), s = std::sin(angle);
    const auto at = [&](double u, double v) { return PlotPoint{start.x + u * c - v * s, start.y + u * s + v * c}; };
    return {{at(0, 0), at(length, 0), at(length, height), at(0, height)}};
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
    const std::string text = ScreenText(l);
    const std::size_t lead = std::min(text.find_first_not_of(' '), text.size());
    const double c = std::cos(l.angle), sn = std::sin(l.angle);
    const double u0 = TextWidthInChars(text.substr(0, lead)) * w;
    // The cell's top-left corner stands 2 sizes above the anchor, turned,
    // and a fifth of a size higher; the base line 2.4 sizes below that corner.
    const PlotPoint start{l.at.x + u0 * c + 0.4 * l.size * sn, l.at.y + u0 * sn + (0.2 - 0.4 * c) * l.size};
    return TurnedBox(start, l.angle, TextWidthInChars(text.substr(lead)) * w, 2 * l.size);
}

TextBox PlotBox(const ChartSettings& s, const Label& l, float plotWidth, double slope, PlotPoint pen) {
    const double w = plotWidth * PlaneUnitsPerCm(s);
    const std::string text = PlotText(l);
    const std::size_t lead = std::min(text.find_first_not_of(' '), text.size());
    const std::size_t shown = text.size() - lead;
    const double angle = std::atan(slope);
    const PlotPoint start{pen.x + 1.5 * w * lead * std::cos(angle), pen.y + 1.5 * w * lead * std::sin(angle)};
    return TurnedBox(start, angle, shown ? (1.5 * static_cast<double>(shown) - 0.5) * w : 0, 2 * w);
}

void DrawThinned(PenPlotter& out, const ChartSettings& s, const std::function<void(PenPlotter&)>& family) {
    HeldPlotter held(s);
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

void DrawInWindow(PenPlotter& out, const ChartSettings& s, const std::function<void(PenPlotter&)>& family) {
    WindowClip clip(out, s);
    family(clip);
}

void DrawFitted(PenPlotter& out, const ChartSettings& s, const std::function<void(PenPlotter&)>& family) {
    // Left-out labels take no part in the thinning.
    DrawThinned(out, s, [&](PenPlotter& held) { DrawInWindow(held, s, family); });
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

} // namespace hyg
