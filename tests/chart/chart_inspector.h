// Test support: where a chart drawing put its strokes and texts, in plane
// units, read back from the recording canvas or from the plot statements,
// and the three measures the sweep test takes of it: points off the chart,
// texts outside the plot window, numbers of one family that overlap.
//
// Text boxes are estimates of the ink: on the canvas a character is about
// as wide as the font's average width (digits a quarter wider, blanks and
// points about half), its ink between a fifth and four fifths of the cell
// height; on the plotter a character advances 1.5 widths and stands one
// character height above the base line.
#pragma once

#include "tests/chart/recording_canvas.h"

#include "engine/physics.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace hyg::test {

struct PlanePoint {
    double x = 0, y = 0;
};

struct PlaneSegment {
    PlanePoint a, b;
};

// A text's ink as a turned rectangle: corner 0 at the start of the base
// line, then along the text, then up.
struct TextBox {
    std::string text;
    std::array<PlanePoint, 4> corner{};
    bool isNumber() const {
        std::size_t b = text.find_first_not_of(' ');
        if (b == std::string::npos)
            return false;
        double v = 0;
        const char* first = text.data() + b;
        const char* last = text.data() + text.find_last_not_of(' ') + 1;
        auto [p, ec] = std::from_chars(first, last, v);
        return ec == std::errc() && p == last;
    }
};

struct Drawn {
    std::vector<PlaneSegment> segments; // lines and the pieces of polylines
    std::vector<TextBox> texts;
};

// Width of a character in units of the average character width.
inline double CharAdvance(char c) {
    if (c == ' ' || c == '.' || c == ',' || c == '\'')
        return 0.6;
    if (c == '-')
        return 0.8;
    if (c >= '0' && c <= '9')
        return 1.25;
    if (c >= 'A' && c <= 'Z')
        return 1.6;
    return 1.1;
}

inline TextBox Box(const std::string& text, PlanePoint origin, double angle, double lead, double length, double v0,
                   double v1) {
    TextBox b;
    b.text = text;
    const double c = std::cos(angle), s = std::sin(angle);
    const auto at = [&](double u, double v) { return PlanePoint{origin.x + u * c - v * s, origin.y + u * s + v * c}; };
    b.corner = {at(lead, v0), at(lead + length, v0), at(lead + length, v1), at(lead, v1)};
    return b;
}

// The canvas calls in plane units (the canvas shows the plane window).
inline Drawn FromCanvas(const RecordingCanvas& canvas, const ChartSettings& s) {
    const double kx = (s.PlaneXMax - s.PlaneXMin) / canvas.width();
    const double ky = (s.PlaneYMax - s.PlaneYMin) / canvas.height();
    const auto plane = [&](double px, double py) { return PlanePoint{s.PlaneXMin + px * kx, s.PlaneYMax - py * ky}; };
    Drawn d;
    for (const CanvasCall& c : canvas.calls) {
        if (c.kind == CanvasCall::Kind::Line) {
            d.segments.push_back({plane(c.x1, c.y1), plane(c.x2, c.y2)});
        } else if (c.kind == CanvasCall::Kind::Polyline) {
            for (std::size_t i = 1; i < c.points.size(); ++i) {
                d.segments.push_back({plane(c.points[i - 1].x, c.points[i - 1].y), plane(c.points[i].x, c.points[i].y)});
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
            const PlanePoint top = plane(c.x1, c.y1);
            const PlanePoint base{top.x + 0.8 * cell * std::sin(angle), top.y - 0.8 * cell * std::cos(angle)};
            d.texts.push_back(Box(c.text, base, angle, lead, length, 0, 0.6 * cell));
        }
    }
    return d;
}

// The numbers of a plot statement after its two-letter command, read as
// written (blanks, zone padding, "," and ETX between them).
inline std::vector<double> PlotNumbers(const std::string& line, std::size_t from = 2) {
    std::vector<double> out;
    const char* p = line.data() + std::min(from, line.size());
    const char* end = line.data() + line.size();
    while (p < end) {
        if (*p == '-' || *p == '.' || (*p >= '0' && *p <= '9')) {
            double v = 0;
            auto [q, ec] = std::from_chars(p, end, v);
            if (ec != std::errc())
                break;
            out.push_back(v);
            p = q;
        } else {
            ++p;
        }
    }
    return out;
}

// The plot statements in plane units: pen moves, labels with the size and
// direction in force.
inline Drawn FromPlot(const std::vector<std::string>& lines, const ChartSettings& s) {
    // Plane units per centimetre of paper: 400 plotter units per cm.
    const double perCm = 400.0 * (s.PlaneXMax - s.PlaneXMin) / (s.PlotterP2X - s.PlotterP1X);
    Drawn d;
    PlanePoint pen;
    double w = 0, h = 0, angle = 0;
    for (const std::string& line : lines) {
        if (StartsWith(line, "PDAA") || StartsWith(line, "CI"))
            continue; // arcs and circles of the protractors
        if (StartsWith(line, "PU") || StartsWith(line, "PD")) {
            const std::vector<double> n = PlotNumbers(line);
            if (n.size() < 2)
                continue;
            const PlanePoint to{n[0], n[1]};
            if (line[1] == 'D')
                d.segments.push_back({pen, to});
            pen = to;
        } else if (StartsWith(line, "SI")) {
            const std::vector<double> n = PlotNumbers(line);
            if (n.size() >= 2)
                w = n[0] * perCm, h = n[1] * perCm;
        } else if (StartsWith(line, "DI")) {
            const std::vector<double> n = PlotNumbers(line.substr(0, line.find(';')));
            angle = n.size() >= 2 ? std::atan2(n[1], n[0]) : 0;
        } else if (StartsWith(line, "LB")) {
            const std::string text = line.substr(2, line.find('\x03') - 2);
            // Blanks before the text move it; blanks after it leave no ink.
            const std::size_t lead = std::min(text.find_first_not_of(' '), text.size());
            const std::size_t end = text.find_last_not_of(' ');
            const std::size_t shown = end == std::string::npos ? 0 : end + 1 - lead;
            d.texts.push_back(Box(text, pen, angle, 1.5 * w * lead, shown ? 1.5 * w * shown - 0.5 * w : 0, 0, h));
        }
    }
    return d;
}

// Two turned rectangles overlap when no edge direction of either separates them.
inline bool Overlap(const TextBox& a, const TextBox& b, double gap = 0.5) {
    const auto separated = [&](const TextBox& p, const TextBox& q) {
        for (int e = 0; e < 2; ++e) {
            const PlanePoint& c0 = p.corner[static_cast<std::size_t>(e)];
            const PlanePoint& c1 = p.corner[static_cast<std::size_t>(e + 1)];
            const double nx = -(c1.y - c0.y), ny = c1.x - c0.x;
            const double len = std::hypot(nx, ny);
            if (len == 0)
                return true;
            double pmin = 1e300, pmax = -1e300, qmin = 1e300, qmax = -1e300;
            for (const PlanePoint& c : p.corner) {
                const double v = (c.x * nx + c.y * ny) / len;
                pmin = std::min(pmin, v), pmax = std::max(pmax, v);
            }
            for (const PlanePoint& c : q.corner) {
                const double v = (c.x * nx + c.y * ny) / len;
                qmin = std::min(qmin, v), qmax = std::max(qmax, v);
            }
            if (pmax - gap <= qmin || qmax - gap <= pmin)
                return true;
        }
        return false;
    };
    return !separated(a, b) && !separated(b, a);
}

// The chart area of a laid-out chart: between the bottom and top edges,
// left of the right edge and right of the saturation curve, as air states.
class ChartArea {
public:
    ChartArea(const Chart& chart, const ChartFrame& frame)
        : chart_(chart)
        , frame_(frame) {}

    // Humidity [g/kgDA] and dry-bulb temperature of a plane point.
    double humidity(PlanePoint p) const { return (p.y - chart_.settings.OriginY) / chart_.settings.ScaleY; }
    double dryBulb(PlanePoint p) const {
        const ChartSettings& s = chart_.settings;
        const double x = humidity(p);
        return (p.x - s.OriginX) / s.ScaleX / (kCpAir + s.DiagramType * 0.001 * x * kCpVapour);
    }
    // Saturation humidity at t by the table, extended linearly below -20.
    double saturation(double t) const {
        const SaturationTable& tab = chart_.table;
        const int i = std::clamp(static_cast<int>(std::floor(t)) + 21, 1, 119);
        const double f = t - tab.T(i);
        return tab.S(i) + f * (tab.S(i + 1) - tab.S(i));
    }

    // How far (plane units) a point lies outside the chart area; 0 inside.
    // `leftOpen` accepts points left of the saturation curve (the enthalpy
    // lines end on their scale line there).
    double outside(PlanePoint p, bool leftOpen = false) const {
        const ChartSettings& s = chart_.settings;
        const double x = humidity(p), t = dryBulb(p);
        double worst = 0;
        worst = std::max(worst, frame_.BottomY - p.y);
        worst = std::max(worst, p.y - frame_.TopY);
        worst = std::max(worst, p.x - ChartX(s, s.MaxDryBulb, std::clamp(x, 0.0, static_cast<double>(s.MaxAbsHum))));
        worst = std::max(worst, ChartX(s, s.MinDryBulb, std::max(x, 0.0)) - p.x);
        if (!leftOpen)
            worst = std::max(worst, (x - saturation(t)) * s.ScaleY);
        return worst;
    }

private:
    const Chart& chart_;
    const ChartFrame& frame_;
};

// How far (plane units) a text box reaches outside the plot window.
inline double OutsideWindow(const TextBox& b, const ChartSettings& s) {
    double worst = 0;
    for (const PlanePoint& c : b.corner) {
        worst = std::max({worst, s.PlaneXMin - c.x, c.x - s.PlaneXMax, s.PlaneYMin - c.y, c.y - s.PlaneYMax});
    }
    return worst;
}

} // namespace hyg::test
