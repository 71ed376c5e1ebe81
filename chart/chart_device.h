// The chart device: the two sinks of a chart drawing and the operations the
// family drawers use. Mode "draw" goes to a Canvas, mode "file" writes HPGL
// print statements to a stream. The mode is compared as exact text; with
// any other mode nothing is drawn and nothing is written.
#pragma once

#include "chart/canvas.h"
#include "chart/chart_settings.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>

namespace hyg {

// ETX, the character with code 3 that ends most HPGL statements.
inline constexpr const char* ETX = "\x03";

// One item of a print statement to the plot file.
struct PlotItem {
    enum class Kind { Text, Single, Double, Integer, Zone, Continue };
    Kind kind = Kind::Text;
    std::string text;
    double number = 0;

    PlotItem(const char* s)
        : kind(Kind::Text)
        , text(s) {}
    PlotItem(std::string s)
        : kind(Kind::Text)
        , text(std::move(s)) {}
    static PlotItem Single(float v) {
        PlotItem p("");
        p.kind = Kind::Single;
        p.number = v;
        return p;
    }
    static PlotItem Double(double v) {
        PlotItem p("");
        p.kind = Kind::Double;
        p.number = v;
        return p;
    }
    static PlotItem Integer(std::int32_t v) {
        PlotItem p("");
        p.kind = Kind::Integer;
        p.number = v;
        return p;
    }
    static PlotItem Marker(Kind k) {
        PlotItem p("");
        p.kind = k;
        return p;
    }
};

// Shorthands: a single, a double, an integer; a jump to the next print zone
// (the "," separator); a statement that continues on the same line (";" after
// the last item).
inline PlotItem F(double v) {
    return PlotItem::Single(static_cast<float>(v));
}
inline PlotItem D(double v) {
    return PlotItem::Double(v);
}
inline PlotItem N(std::int32_t v) {
    return PlotItem::Integer(v);
}
inline const PlotItem Zone = PlotItem::Marker(PlotItem::Kind::Zone);
inline const PlotItem Continue = PlotItem::Marker(PlotItem::Kind::Continue);

// Writes print statements by the rules of the plot file: a text unchanged
// (UTF-8 turned into Windows-1252), a number as Str(v) plus one blank, a zone
// jump pads with blanks to the next multiple of 14 columns, the statement
// ends with CR LF unless it ends with Continue.
class PlotWriter {
public:
    explicit PlotWriter(std::ostream& os)
        : os_(os) {}
    void statement(std::initializer_list<PlotItem> items);
    std::ostream& stream() { return os_; }

private:
    void write(const std::string& s);
    std::ostream& os_;
    int column_ = 0;
};

// The global point buffer of the polyline families: 101 pixel points,
// indices 0 to 100; an index outside raises IndexFault.
class PointBuffer {
public:
    static constexpr int kSize = 101;
    PixelPoint& at(int i);
    const PixelPoint* data() const { return points_.data(); }

private:
    std::array<PixelPoint, kSize> points_{};
};

class ChartDevice {
public:
    // `canvas` may be null outside "draw" mode, `out` null outside "file" mode.
    ChartDevice(std::string mode, const ChartSettings& settings, Canvas* canvas, std::ostream* out);

    const std::string& mode() const { return mode_; }
    bool isDraw() const { return draw_; }
    bool isFile() const { return file_; }

    // --- screen operations (nothing happens outside "draw" mode) ---
    void SetPenColor(Rgb c) { foreColor_ = c; }
    void SetLineStyle(int style) { drawStyle_ = style; }
    void SetLineWidth(int width) { drawWidth_ = width; }
    Rgb foreColor() const { return foreColor_; }
    int lineStyle() const { return drawStyle_; }
    int lineWidth() const { return drawWidth_; }
    // Straight line in plane units with the current style and width; leaves
    // the current position at the end point.
    void DrawSegment(double x1, double y1, double x2, double y2, Rgb colour);
    // Polyline through buffer points 0 .. count-1 with ForeColor and style.
    void DrawPolyline(const PointBuffer& buffer, int count);
    // One pixel in ForeColor at a plane point; moves the current position.
    void SetPoint(double x, double y);
    // Circle (radius in plane units), optionally filled.
    void DrawCircle(double cx, double cy, double r, Rgb colour, const Rgb* fill = nullptr);
    // Arc from a1 to a2 (radians, counter-clockwise on the chart).
    void DrawArc(double cx, double cy, double r, double a1, double a2, Rgb colour);
    // A label whose base line starts near (x, y) (plane), turned by `angle`
    // radians, of `size` plane units, in the "Times" serif.
    void DrawLabel(double x, double y, double angle, const std::string& text, Rgb colour, double size, bool italic);
    double currentX() const { return curX_; }
    double currentY() const { return curY_; }

    // Pixel position of a plane point by the chart's mapping (rounded with
    // CLng; factor 0.066667 twips to pixels, the polyline path 0.06667).
    PixelPoint ToPixel(double x, double y, double factor = 0.066667) const;
    // Continuous pixel position of a plane point on the canvas and its inverse.
    void PlaneToCanvas(double x, double y, double& px, double& py) const;
    void CanvasToPlane(double px, double py, double& x, double& y) const;

    // --- file operations (nothing is written outside "file" mode) ---
    void PlotLine(std::initializer_list<PlotItem> items);

    Canvas* canvas() const { return canvas_; }
    const ChartSettings& settings() const { return settings_; }
    // The point buffer of the polyline families; it keeps its points from
    // curve to curve for the whole drawing.
    PointBuffer& pointBuffer() { return buffer_; }

private:
    std::string mode_;
    bool draw_ = false;
    bool file_ = false;
    const ChartSettings& settings_;
    Canvas* canvas_ = nullptr;
    std::ostream* out_ = nullptr;
    std::unique_ptr<PlotWriter> writer_;
    PointBuffer buffer_;
    Rgb foreColor_{};
    int drawStyle_ = kSolid;
    int drawWidth_ = 1;
    double curX_ = 0, curY_ = 0;
};

} // namespace hyg
