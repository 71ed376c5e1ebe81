// Test support: the strokes and texts of a chart drawing in plane units,
// read back from the recording canvas or the plot statements, and what the
// sweep test measures of them. Text boxes estimate the ink: on the canvas a
// character is about the font's average width (digits a quarter wider,
// blanks and points about half), its ink between a fifth and four fifths of
// the cell height; on the plotter a character advances 1.5 widths and stands
// one character height above the base line.
#pragma once

#include "tests/chart/recording_canvas.h"

#include "engine/physics.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace hyg::test {

struct PlaneSegment {
    PlotPoint a, b;
};

// A text's ink as a turned rectangle: corner 0 at the start of the base
// line, then along the text, then up.
struct TextBox {
    std::string text;
    std::array<PlotPoint, 4> corner{};
    bool isNumber() const {
        const std::size_t b = text.find_first_not_of(' ');
        const char* last = text.data() + text.find_last_not_of(' ') + 1;
        double v = 0;
        return b != std::string::npos && std::from_chars(text.data() + b, last, v).ptr == last;
    }
};

struct Drawn {
    std::vector<PlaneSegment> segments; // lines and the pieces of polylines
    std::vector<TextBox> texts;
};

// Width of a character in units of the average character width.
inline double CharAdvance(char c) {
    return c == ' ' || c == '.' || c == ',' || c == '\'' ? 0.6
           : c == '-'                                    ? 0.8
           : c >= '0' && c <= '9'                        ? 1.25
           : c >= 'A' && c <= 'Z'                        ? 1.6
                                                         : 1.1;
}

// The box `lead` along from `origin` in direction `angle`, `length` long
// and `height` high.
inline TextBox Box(const std::string& text, PlotPoint origin, double angle, double lead, double length, double height) {
    const double c = std::cos(angle), s = std::sin(angle);
    const auto at = [&](double u, double v) { return PlotPoint{origin.x + u * c - v * s, origin.y + u * s + v * c}; };
    return {text, {at(lead, 0), at(lead + length, 0), at(lead + length, height), at(lead, height)}};
}

// The canvas calls [from, to) in plane units (the canvas shows the plane
// window).
inline Drawn FromCanvas(const RecordingCanvas& canvas, const ChartSettings& s, std::size_t from, std::size_t to) {
    const double kx = (s.PlaneXMax - s.PlaneXMin) / canvas.width();
    const double ky = (s.PlaneYMax - s.PlaneYMin) / canvas.height();
    const auto plane = [&](double px, double py) { return PlotPoint{s.PlaneXMin + px * kx, s.PlaneYMax - py * ky}; };
    Drawn d;
    for (std::size_t k = from; k < to; ++k) {
        const CanvasCall& c = canvas.calls[k];
        if (c.kind == CanvasCall::Kind::Line) {
            d.segments.push_back({plane(c.x1, c.y1), plane(c.x2, c.y2)});
        } else if (c.kind == CanvasCall::Kind::Polyline) {
            for (std::size_t i = 1; i < c.points.size(); ++i) {
                d.segments.push_back(
                    {plane(c.points[i - 1].x, c.points[i - 1].y), plane(c.points[i].x, c.points[i].y)});
            }
        } else if (c.kind == CanvasCall::Kind::Text) {
            const double w = c.font.width * kx, cell = c.font.height * ky;
            double lead = 0, length = 0;
            std::size_t i = 0;
            for (; i < c.text.size() && c.text[i] == ' '; ++i)
                lead += CharAdvance(' ') * w;
            for (; i < c.text.size(); ++i)
                length += CharAdvance(c.text[i]) * w;
            const double angle = c.font.escapement * 3.14159265358979 / 1800;
            // From the cell's top-left corner down to the base line (four
            // fifths of the cell), turned with the text.
            const PlotPoint top = plane(c.x1, c.y1);
            const PlotPoint base{top.x + 0.8 * cell * std::sin(angle), top.y - 0.8 * cell * std::cos(angle)};
            d.texts.push_back(Box(c.text, base, angle, lead, length, 0.6 * cell));
        }
    }
    return d;
}

// The numbers of a plot statement after its two-letter command, read from
// the statement text itself (blanks, zone padding, "," and ETX between them).
inline std::vector<double> PlotNumbers(const std::string& line, std::size_t from = 2) {
    std::vector<double> out;
    const char* p = line.data() + std::min(from, line.size());
    const char* end = line.data() + line.size();
    for (double v = 0; p < end;) {
        const auto [q, ec] = std::from_chars(p, end, v);
        if (ec == std::errc())
            out.push_back(v), p = q;
        else
            ++p;
    }
    return out;
}

// Reads plot statements in plane units: pen moves, labels with the size and
// direction in force. The pen, size and direction carry over from one call
// to the next, as they do from one family to the next in a file.
struct PlotReader {
    const ChartSettings& s;
    PlotPoint pen;
    double w = 0, h = 0, angle = 0;

    Drawn read(const std::vector<std::string>& lines) {
        Drawn d;
        for (const std::string& line : lines) {
            if (StartsWith(line, "PDAA") || StartsWith(line, "CI"))
                continue; // arcs and circles of the protractors
            const std::vector<double> n = PlotNumbers(line);
            if ((StartsWith(line, "PU") || StartsWith(line, "PD")) && n.size() >= 2) {
                if (line[1] == 'D')
                    d.segments.push_back({pen, {n[0], n[1]}});
                pen = {n[0], n[1]};
            } else if (StartsWith(line, "SI") && n.size() >= 2) {
                // Plane units per centimetre of paper: 400 plotter units per cm.
                const double perCm = 400.0 * (s.PlaneXMax - s.PlaneXMin) / (s.PlotterP2X - s.PlotterP1X);
                w = n[0] * perCm, h = n[1] * perCm;
            } else if (StartsWith(line, "DI")) {
                const std::vector<double> di = PlotNumbers(line.substr(0, line.find(';')));
                angle = di.size() >= 2 ? std::atan2(di[1], di[0]) : 0;
            } else if (StartsWith(line, "LB")) {
                const std::string text = line.substr(2, line.find('\x03') - 2);
                // Blanks before the text move it; blanks after it leave no ink.
                const std::size_t lead = std::min(text.find_first_not_of(' '), text.size());
                const std::size_t end = text.find_last_not_of(' ');
                const std::size_t shown = end == std::string::npos ? 0 : end + 1 - lead;
                d.texts.push_back(Box(text, pen, angle, 1.5 * w * lead, shown ? 1.5 * w * shown - 0.5 * w : 0, h));
            }
        }
        return d;
    }
};

// Whether two texts' ink covers more than `inset` plane units deep into
// each other: each rectangle drawn in by `inset` on every side, the two
// cover each other when an edge of one crosses an edge of the other or one
// lies wholly within the other.
inline bool Covers(const TextBox& a, const TextBox& b, double inset = 0.25) {
    const auto drawnIn = [inset](const TextBox& t, std::array<PlotPoint, 4>& c) {
        const PlotPoint o = t.corner[0], u{t.corner[1].x - o.x, t.corner[1].y - o.y},
                        v{t.corner[3].x - o.x, t.corner[3].y - o.y};
        const double du = inset / std::hypot(u.x, u.y), dv = inset / std::hypot(v.x, v.y);
        for (std::size_t k = 0; k < 4; ++k) {
            const double su = k == 1 || k == 2 ? 1 - du : du, sv = k >= 2 ? 1 - dv : dv;
            c[k] = {o.x + su * u.x + sv * v.x, o.y + su * u.y + sv * v.y};
        }
        return du < 0.5 && dv < 0.5; // some ink left
    };
    std::array<PlotPoint, 4> p, q;
    if (!drawnIn(a, p) || !drawnIn(b, q))
        return false;
    // Which side of the line from o through d the point x lies on.
    const auto side = [](PlotPoint o, PlotPoint d, PlotPoint x) {
        return (d.x - o.x) * (x.y - o.y) - (d.y - o.y) * (x.x - o.x);
    };
    // A point within a rectangle lies on the same side of all four edges.
    const auto within = [&](PlotPoint x, const std::array<PlotPoint, 4>& r) {
        int pos = 0, neg = 0;
        for (std::size_t k = 0; k < 4; ++k)
            (side(r[k], r[(k + 1) % 4], x) > 0 ? pos : neg)++;
        return pos == 0 || neg == 0;
    };
    for (std::size_t i = 0; i < 4; ++i) {
        for (std::size_t j = 0; j < 4; ++j) {
            const PlotPoint a0 = p[i], a1 = p[(i + 1) % 4], b0 = q[j], b1 = q[(j + 1) % 4];
            if (side(a0, a1, b0) * side(a0, a1, b1) < 0 && side(b0, b1, a0) * side(b0, b1, a1) < 0)
                return true;
        }
    }
    return within(p[0], q) || within(q[0], p);
}

// The chart area of a laid-out chart: between the bottom and top edges,
// left of the right edge and right of the saturation curve.
struct ChartArea {
    const Chart& chart;
    const ChartFrame& frame;

    // How far (plane units) a point lies outside the chart area; 0 inside.
    // `leftOpen` accepts points left of the saturation curve (the enthalpy
    // lines end on their scale line there).
    double outside(PlotPoint p, bool leftOpen = false) const {
        const ChartSettings& s = chart.settings;
        const SaturationTable& tab = chart.table;
        const double x = (p.y - s.OriginY) / s.ScaleY; // g/kgDA
        const double t = (p.x - s.OriginX) / s.ScaleX / (kCpAir + s.DiagramType * 0.001 * x * kCpVapour);
        // Saturation humidity at t by the table, extended linearly below -20.
        const int i = std::clamp(static_cast<int>(std::floor(t)) + 21, 1, 119);
        const double saturation = tab.S(i) + (t - tab.T(i)) * (tab.S(i + 1) - tab.S(i));
        double worst = std::max({0.0, frame.BottomY - p.y, p.y - frame.TopY,
                                 p.x - ChartX(s, s.MaxDryBulb, std::clamp(x, 0.0, static_cast<double>(s.MaxAbsHum))),
                                 ChartX(s, s.MinDryBulb, std::max(x, 0.0)) - p.x});
        return leftOpen ? worst : std::max(worst, (x - saturation) * s.ScaleY);
    }
};

// How far (plane units) a text box reaches outside the plot window.
inline double OutsideWindow(const TextBox& b, const ChartSettings& s) {
    double worst = 0;
    for (const PlotPoint& c : b.corner)
        worst = std::max({worst, s.PlaneXMin - c.x, c.x - s.PlaneXMax, s.PlaneYMin - c.y, c.y - s.PlaneYMax});
    return worst;
}

} // namespace hyg::test
