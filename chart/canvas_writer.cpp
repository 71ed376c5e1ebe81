#include "chart/canvas_writer.h"

#include "chart/plane.h"
#include "engine/basic.h"
#include "engine/number_format.h"

#include <cmath>

namespace hyg {

CanvasWriter::CanvasWriter(const ChartSettings& settings, Canvas& canvas)
    : settings_(settings)
    , canvas_(canvas) {
    polyline_.reserve(kMaxPolylinePoints);
}

void CanvasWriter::PlaneToCanvas(double x, double y, double& px, double& py) const {
    const ChartSettings& s = settings_;
    px = (x - s.PlaneXMin) * canvas_.width() / (s.PlaneXMax - s.PlaneXMin);
    py = (s.PlaneYMax - y) * canvas_.height() / (s.PlaneYMax - s.PlaneYMin);
}

PixelPoint CanvasWriter::ToPixel(double x, double y, double factor) const {
    const ChartSettings& s = settings_;
    const double px = Div((x - s.PlaneXMin) * factor * s.PictureWidth, s.PlaneXMax - s.PlaneXMin, "pixel X");
    const double py = Div((s.PlaneYMax - y) * factor * s.PictureHeight, s.PlaneYMax - s.PlaneYMin, "pixel Y");
    return {CLng(px, "pixel X"), CLng(py, "pixel Y")};
}

void CanvasWriter::pen(Pen p) {
    colour_ = p.screen ? *p.screen : PenColour(settings_.PenColor, p.slot);
}

void CanvasWriter::fill(bool solid) {
    filled_ = solid;
    fill_ = colour_;
}

void CanvasWriter::lineStyle(Dash d) {
    dash_ = d;
}

void CanvasWriter::move(PlotPoint p, PlotForm) {
    Checked(p.x, "move"), Checked(p.y, "move");
    current_ = p;
}

void CanvasWriter::segment(PlotPoint a, PlotPoint b, SegmentForm) {
    Checked(a.x, "segment"), Checked(a.y, "segment"), Checked(b.x, "segment"), Checked(b.y, "segment");
    double px1, py1, px2, py2;
    PlaneToCanvas(a.x, a.y, px1, py1);
    PlaneToCanvas(b.x, b.y, px2, py2);
    canvas_.line(px1, py1, px2, py2, colour_, dash_.screen, dash_.width);
    current_ = b;
}

void CanvasWriter::addVertex(PixelPoint p) {
    if (static_cast<int>(polyline_.size()) >= kMaxPolylinePoints)
        throw IndexFault("polyline vertex " + std::to_string(polyline_.size()));
    polyline_.push_back(p);
}

void CanvasWriter::beginPolyline(PlotPoint first, Dash dash) {
    polyline_.clear();
    polylineDash_ = dash;
    polylineColour_ = colour_;
    addVertex(ToPixel(first.x, first.y, kPolylinePixelsPerTwip));
}

void CanvasWriter::polylineTo(PlotPoint p) {
    addVertex(ToPixel(p.x, p.y, kPolylinePixelsPerTwip));
}

void CanvasWriter::polylineHold() {
    // The left-out sample repeats the last vertex, so the polyline keeps one
    // vertex per sample.
    if (!polyline_.empty())
        addVertex(polyline_.back());
}

void CanvasWriter::endPolyline() {
    if (polyline_.size() >= 2) {
        canvas_.polyline(polyline_.data(), static_cast<int>(polyline_.size()), polylineColour_, polylineDash_.screen,
                         polylineDash_.width);
    }
    polyline_.clear();
}

void CanvasWriter::point(PlotPoint p) {
    Checked(p.x, "point"), Checked(p.y, "point");
    double px, py;
    PlaneToCanvas(p.x, p.y, px, py);
    canvas_.point(px, py, colour_);
    current_ = p;
}

void CanvasWriter::circle(PlotPoint c, double r, CircleForm) {
    Checked(c.x, "circle"), Checked(c.y, "circle"), Checked(r, "circle");
    double px, py;
    PlaneToCanvas(c.x, c.y, px, py);
    const double pr = r * canvas_.width() / (settings_.PlaneXMax - settings_.PlaneXMin);
    canvas_.circle(px, py, pr, colour_, dash_.width, filled_ ? &fill_ : nullptr);
    current_ = c;
}

void CanvasWriter::arc(const ArcSpec& a) {
    Checked(a.centre.x, "arc"), Checked(a.centre.y, "arc"), Checked(a.radius, "arc");
    Checked(a.from, "arc"), Checked(a.to, "arc");
    double px, py;
    PlaneToCanvas(a.centre.x, a.centre.y, px, py);
    const double pr = a.radius * canvas_.width() / (settings_.PlaneXMax - settings_.PlaneXMin);
    canvas_.arc(px, py, pr, a.from, a.to, colour_, dash_.width);
}

void CanvasWriter::text(const Label& l) {
    if (!l.onScreen)
        return;
    const double x = l.at.x, y = l.at.y, angle = l.angle, size = l.size;
    Checked(x, "label"), Checked(y, "label"), Checked(angle, "label"), Checked(size, "label");
    const ChartSettings& s = settings_;
    // Twips per plane unit.
    const double sx = Div(std::nearbyint(s.PictureWidth), s.PlaneXMax - s.PlaneXMin, "label scale");
    const double sy = Div(std::nearbyint(s.PictureHeight), s.PlaneYMax - s.PlaneYMin, "label scale");
    FontSpec font;
    font.width = CLng(size * kPixelsPerTwip * sx + 0.5, "font width");
    font.height = 3 * font.width;
    font.weight = 550;
    font.italic = l.italic;
    font.escapement = CLng(angle * 1800 / kPi, "escapement");
    font.face = "Times";
    std::string shown = !l.text.empty() || !l.number ? l.text
                        : l.pattern                  ? FormatNumber(*l.number, l.pattern)
                                                     : GeneralNumber(*l.number);
    if (!shown.empty() && shown[0] == ' ')
        shown.erase(0, 1);
    // Anchor: the top-left corner of the text cell lies 2.2 sizes above the
    // base-line point, turned with the text.
    const double dx = -2 * std::sin(angle) * size;
    const double dy = (2 * std::cos(angle) + 0.2) * size;
    const int px = CLng((x + dx - s.PlaneXMin) * kPixelsPerTwip * sx, "label X");
    const int py = CLng((s.PlaneYMax - (y + dy)) * kPixelsPerTwip * sy, "label Y");
    canvas_.text(px, py, shown, font, colour_);
}

} // namespace hyg
