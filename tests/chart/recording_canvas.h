// Test support for the chart: a canvas that records every call, readers of plot-file statements, and a laid-out
// chart with a runner for each family.
#pragma once

#include "chart/canvas.h"
#include "chart/canvas_writer.h"
#include "chart/chart_driver.h"
#include "chart/plot_file_writer.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <sstream>
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
    std::optional<Rgb> fill; // circle
    int width = 1;           // line, circle
    int style = 0;
    std::string text;
    FontSpec font;

    bool finite() const {
        return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2) && std::isfinite(r) &&
               std::isfinite(a1) && std::isfinite(a2);
    }
};

class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(double widthPx = 1000, double heightPx = 700)
        : width_(widthPx)
        , height_(heightPx) {}
    double width() const override { return width_; }
    double height() const override { return height_; }
    void clear() override { calls.push_back({}); }
    void line(double x1, double y1, double x2, double y2, Rgb colour, int style, int) override {
        CanvasCall& c = add(CanvasCall::Kind::Line, colour, x1, y1);
        c.x2 = x2, c.y2 = y2, c.style = style;
    }
    void polyline(const PixelPoint* points, int count, Rgb colour, int style, int) override {
        CanvasCall& c = add(CanvasCall::Kind::Polyline, colour);
        c.points.assign(points, points + count), c.style = style;
    }
    void point(double x, double y, Rgb colour) override { add(CanvasCall::Kind::Point, colour, x, y); }
    void circle(double cx, double cy, double r, Rgb colour, int width, const Rgb* fill) override {
        CanvasCall& c = add(CanvasCall::Kind::Circle, colour, cx, cy);
        c.r = r, c.width = width, c.fill = fill ? std::optional<Rgb>(*fill) : std::nullopt;
    }
    void arc(double cx, double cy, double r, double a1, double a2, Rgb colour, int) override {
        CanvasCall& c = add(CanvasCall::Kind::Arc, colour, cx, cy);
        c.r = r, c.a1 = a1, c.a2 = a2;
    }
    void text(int x, int y, const std::string& utf8, const FontSpec& font, Rgb colour) override {
        CanvasCall& c = add(CanvasCall::Kind::Text, colour, x, y);
        c.text = utf8, c.font = font;
    }

    // The recorded calls of one kind.
    std::vector<const CanvasCall*> of(CanvasCall::Kind kind) const {
        std::vector<const CanvasCall*> out;
        for (const CanvasCall& c : calls)
            if (c.kind == kind)
                out.push_back(&c);
        return out;
    }

    std::vector<CanvasCall> calls;

private:
    CanvasCall& add(CanvasCall::Kind kind, Rgb colour, double x = 0, double y = 0) {
        CanvasCall& c = calls.emplace_back();
        c.kind = kind, c.colour = colour, c.x1 = x, c.y1 = y;
        return c;
    }
    double width_, height_;
};

// The statements of a plot file, split at CR LF (a continued statement
// shares its line with the next).
inline std::vector<std::string> HpglLines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    if (start < text.size())
        out.push_back(text.substr(start));
    return out;
}

inline bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.rfind(prefix, 0) == 0;
}

// The texts of the "LB" statements, without "LB" and the ETX.
inline std::vector<std::string> Labels(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (StartsWith(l, "LB"))
            out.push_back(l.substr(2, l.find('\x03') - 2));
    return out;
}

// The numbers of an HPGL line after its two-letter command ("PU 12.5  30 "),
// whatever separates them (blanks, zone padding, "," and ETX).
inline std::vector<double> HpglNumbers(const std::string& line) {
    std::string text = line.substr(std::min<std::size_t>(2, line.size()));
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == ',' || c == '\x03'; }, ' ');
    std::istringstream in(text);
    std::vector<double> out;
    for (double v; in >> v;)
        out.push_back(v);
    return out;
}

// A chart laid out from the start-up settings (with `set` applied), on a
// canvas of 15 twips per pixel and with the plot text sizes of A3 paper.
struct Laid {
    Chart chart;
    ChartFrame frame;
    explicit Laid(const std::function<void(ChartSettings&)>& set = nullptr) {
        ChartSettings& s = chart.settings;
        s.PictureWidth = 15000, s.PictureHeight = 10500;
        s.PlotTextSize1 = 20, s.PlotTextSize2 = 0.28f, s.PlotTextSize3 = 0.16f, s.PlotTextSize4 = 0.14f;
        if (set)
            set(s);
        frame = LayoutChart(chart, nullptr);
    }
    Laid(float min, float max, std::int16_t type = 1, UnitSystem unit = UnitSystem::MetricKcal)
        : Laid([=](ChartSettings& s) {
            s.MinDryBulb = min, s.MaxDryBulb = max, s.DiagramType = type, s.EnthalpyUnit = unit;
        }) {}
};

// The families in the order of their switches; the frame families last.
// clang-format off
enum class Family { RelHum, SatDegree, Volume, WetBulb, PartialPressure, MoistureRatio, Shf, Legend, DryBulb, AbsHum, Enthalpy };

inline void DrawFamily(Family family, PenPlotter& dev, Laid& l) {
    const ChartFrame& f = l.frame;
    const Chart& c = l.chart;
    switch (family) {
    case Family::RelHum: return DrawRelHumCurves(dev, c, f.TempCount, f.IdxMin, f.IdxMax);
    case Family::SatDegree: return DrawSatDegreeCurves(dev, c, f.TempCount, f.IdxMin, f.IdxMax);
    case Family::Volume: return DrawVolumeLines(dev, c, f.IdxMin, f.IdxMax, f.BottomRightX, f.BottomY);
    case Family::WetBulb: return DrawWetBulbLines(dev, c, f.IdxMin, f.IdxMax, f.LeftX);
    case Family::PartialPressure: return DrawPartialPressureScale(dev, c, f.TopRightX, f.BottomY);
    case Family::MoistureRatio: return DrawMoistureRatioProtractor(dev, c, f.LeftX, f.TopY, f.ChartHeight);
    case Family::Shf: return DrawShfProtractor(dev, c, f.LeftX, f.TopRightX, f.ShfOriginY);
    case Family::Legend: return DrawLegend(dev, c, f.TopRightX, f.ChartHeight, f.ChartWidth, f.LeftX, f.TopY, f.ShfOriginY);
    case Family::DryBulb: return DrawDryBulbLines(dev, c, f.IdxMin, f.IdxMax, f.BottomY);
    case Family::AbsHum: return DrawAbsHumLines(dev, c, f.IdxMin, f.IdxMax, f.LeftX, f.TopRightX), DrawAbsHumScale(dev, c, f.TopRightX, f.BottomY);
    case Family::Enthalpy: return DrawEnthalpyLines(dev, c, f.IdxMin, f.TopY, f.TopDewPoint);
    }
}
// clang-format on

// The plot statements of one family.
inline std::vector<std::string> FileLines(Laid& l, Family family) {
    std::ostringstream os;
    PlotFileWriter dev(os);
    DrawFamily(family, dev, l);
    return HpglLines(os.str());
}
inline void OnCanvas(Laid& l, Family family, RecordingCanvas& canvas) {
    CanvasWriter dev(l.chart.settings, canvas);
    DrawFamily(family, dev, l);
}

} // namespace hyg::test
