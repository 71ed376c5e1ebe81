// A canvas for tests: records every call with its arguments, draws nothing.
#pragma once

#include "chart/canvas.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace hyg::test {

struct CanvasCall {
    enum class Kind { Clear, Line, Polyline, Point, Circle, Arc, Text };
    Kind kind = Kind::Clear;
    // Line: (x1, y1) to (x2, y2). Point, circle, arc: centre in (x1, y1),
    // radius in r, angles in a1, a2. Text: top-left corner in (x1, y1).
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0, r = 0, a1 = 0, a2 = 0;
    std::vector<PixelPoint> points; // polyline
    Rgb colour{};
    int style = 0;
    int width = 0;
    bool filled = false;
    Rgb fill{};
    std::string text;
    FontSpec font;

    // Whether every coordinate of the call is finite.
    bool finite() const {
        return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2) &&
               std::isfinite(r) && std::isfinite(a1) && std::isfinite(a2);
    }
};

class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(double widthPx = 1000, double heightPx = 700) : width_(widthPx), height_(heightPx) {}

    double width() const override { return width_; }
    double height() const override { return height_; }

    void clear() override { calls.push_back({}); }

    void line(double x1, double y1, double x2, double y2, Rgb colour, int style, int width) override {
        CanvasCall c;
        c.kind = CanvasCall::Kind::Line;
        c.x1 = x1, c.y1 = y1, c.x2 = x2, c.y2 = y2;
        c.colour = colour, c.style = style, c.width = width;
        calls.push_back(std::move(c));
    }

    void polyline(const PixelPoint* points, int count, Rgb colour, int style, int width) override {
        CanvasCall c;
        c.kind = CanvasCall::Kind::Polyline;
        c.points.assign(points, points + count);
        c.colour = colour, c.style = style, c.width = width;
        calls.push_back(std::move(c));
    }

    void point(double x, double y, Rgb colour) override {
        CanvasCall c;
        c.kind = CanvasCall::Kind::Point;
        c.x1 = x, c.y1 = y, c.colour = colour;
        calls.push_back(std::move(c));
    }

    void circle(double cx, double cy, double r, Rgb colour, int width, const Rgb* fill) override {
        CanvasCall c;
        c.kind = CanvasCall::Kind::Circle;
        c.x1 = cx, c.y1 = cy, c.r = r, c.colour = colour, c.width = width;
        if (fill) c.filled = true, c.fill = *fill;
        calls.push_back(std::move(c));
    }

    void arc(double cx, double cy, double r, double a1, double a2, Rgb colour, int width) override {
        CanvasCall c;
        c.kind = CanvasCall::Kind::Arc;
        c.x1 = cx, c.y1 = cy, c.r = r, c.a1 = a1, c.a2 = a2, c.colour = colour, c.width = width;
        calls.push_back(std::move(c));
    }

    void text(int x, int y, const std::string& utf8, const FontSpec& font, Rgb colour) override {
        CanvasCall c;
        c.kind = CanvasCall::Kind::Text;
        c.x1 = x, c.y1 = y, c.text = utf8, c.font = font, c.colour = colour;
        calls.push_back(std::move(c));
    }

    // The recorded calls of one kind.
    std::vector<const CanvasCall*> of(CanvasCall::Kind kind) const {
        std::vector<const CanvasCall*> out;
        for (const CanvasCall& c : calls) {
            if (c.kind == kind) out.push_back(&c);
        }
        return out;
    }
    // The texts written, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const CanvasCall& c : calls) {
            if (c.kind == CanvasCall::Kind::Text) out.push_back(c.text);
        }
        return out;
    }
    std::size_t count(CanvasCall::Kind kind) const { return of(kind).size(); }

    std::vector<CanvasCall> calls;

private:
    double width_;
    double height_;
};

// The statements of a plot file, split at CR LF (a continued statement
// shares its line with the next).
inline std::vector<std::string> HpglLines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            if (start < text.size()) out.push_back(text.substr(start));
            return out;
        }
        out.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

inline bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// The numbers of an HPGL line after its two-letter command ("PU 12.5  30 "),
// read as written (blanks, zone padding, "," and ETX between them).
inline std::vector<double> HpglNumbers(const std::string& line) {
    std::vector<double> out;
    const char* p = line.c_str() + (line.size() >= 2 ? 2 : line.size());
    while (*p) {
        if (*p == ' ' || *p == ',' || *p == '\x03') {
            ++p;
            continue;
        }
        char* end = nullptr;
        const double v = std::strtod(p, &end);
        if (end == p) break;
        out.push_back(v);
        p = end;
    }
    return out;
}

} // namespace hyg::test
