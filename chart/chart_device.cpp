#include "chart/chart_device.h"

#include "engine/basic.h"
#include "engine/number_format.h"

#include <cmath>

namespace hyg {

namespace {

// UTF-8 text of the program to the Windows-1252 bytes of the plot file. Only
// characters of Latin-1 occur in chart texts (the degree sign, superscript
// three); anything else becomes '?'.
std::string ToCp1252(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if ((c & 0xE0) == 0xC0 && i + 1 < s.size()) {
            const unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
            out.push_back(cp < 0x100 ? static_cast<char>(cp) : '?');
            ++i;
        } else {
            out.push_back('?');
            while (i + 1 < s.size() && (static_cast<unsigned char>(s[i + 1]) & 0xC0) == 0x80)
                ++i;
        }
    }
    return out;
}

} // namespace

void PlotWriter::write(const std::string& s) {
    os_ << s;
    column_ += static_cast<int>(s.size());
}

void PlotWriter::statement(std::initializer_list<PlotItem> items) {
    bool continues = false;
    for (const PlotItem& item : items) {
        continues = false;
        switch (item.kind) {
        case PlotItem::Kind::Text:
            write(ToCp1252(item.text));
            break;
        case PlotItem::Kind::Single:
            write(PrintNumber(item.number, 7));
            break;
        case PlotItem::Kind::Double:
            write(PrintNumber(item.number, 15));
            break;
        case PlotItem::Kind::Integer:
            write(PrintNumber(item.number, 15));
            break;
        case PlotItem::Kind::Zone: {
            const int next = (column_ / 14 + 1) * 14;
            write(std::string(static_cast<std::size_t>(next - column_), ' '));
            break;
        }
        case PlotItem::Kind::Continue:
            continues = true;
            break;
        }
    }
    if (!continues) {
        os_ << "\r\n";
        column_ = 0;
    }
    if (!os_)
        throw RunTimeFault("plot file write failed");
}

PixelPoint& PointBuffer::at(int i) {
    if (i < 0 || i >= kSize)
        throw IndexFault("point buffer index " + std::to_string(i));
    return points_[static_cast<std::size_t>(i)];
}

ChartDevice::ChartDevice(std::string mode, const ChartSettings& settings, Canvas* canvas, std::ostream* out)
    : mode_(std::move(mode))
    , settings_(settings)
    , canvas_(canvas)
    , out_(out) {
    draw_ = mode_ == "draw" && canvas_ != nullptr;
    file_ = mode_ == "file" && out_ != nullptr;
    if (file_)
        writer_ = std::make_unique<PlotWriter>(*out_);
}

void ChartDevice::PlaneToCanvas(double x, double y, double& px, double& py) const {
    const ChartSettings& s = settings_;
    const double w = canvas_ ? canvas_->width() : s.PictureWidth / 15.0;
    const double h = canvas_ ? canvas_->height() : s.PictureHeight / 15.0;
    px = (x - s.PlaneXMin) * w / (s.PlaneXMax - s.PlaneXMin);
    py = (s.PlaneYMax - y) * h / (s.PlaneYMax - s.PlaneYMin);
}

void ChartDevice::CanvasToPlane(double px, double py, double& x, double& y) const {
    const ChartSettings& s = settings_;
    const double w = canvas_ ? canvas_->width() : s.PictureWidth / 15.0;
    const double h = canvas_ ? canvas_->height() : s.PictureHeight / 15.0;
    x = s.PlaneXMin + px * (s.PlaneXMax - s.PlaneXMin) / w;
    y = s.PlaneYMax - py * (s.PlaneYMax - s.PlaneYMin) / h;
}

PixelPoint ChartDevice::ToPixel(double x, double y, double factor) const {
    const ChartSettings& s = settings_;
    const double px = Div((x - s.PlaneXMin) * factor * s.PictureWidth, s.PlaneXMax - s.PlaneXMin, "pixel X");
    const double py = Div((s.PlaneYMax - y) * factor * s.PictureHeight, s.PlaneYMax - s.PlaneYMin, "pixel Y");
    return {CLng(px, "pixel X"), CLng(py, "pixel Y")};
}

void ChartDevice::DrawSegment(double x1, double y1, double x2, double y2, Rgb colour) {
    Checked(x1, "segment"), Checked(y1, "segment"), Checked(x2, "segment"), Checked(y2, "segment");
    if (!draw_)
        return;
    double px1, py1, px2, py2;
    PlaneToCanvas(x1, y1, px1, py1);
    PlaneToCanvas(x2, y2, px2, py2);
    canvas_->line(px1, py1, px2, py2, colour, drawStyle_, drawWidth_);
    curX_ = x2;
    curY_ = y2;
}

void ChartDevice::DrawPolyline(const PointBuffer& buffer, int count) {
    if (!draw_ || count < 2)
        return;
    if (count > PointBuffer::kSize)
        throw IndexFault("polyline count " + std::to_string(count));
    canvas_->polyline(buffer.data(), count, foreColor_, drawStyle_, drawWidth_);
}

void ChartDevice::SetPoint(double x, double y) {
    Checked(x, "point"), Checked(y, "point");
    if (!draw_)
        return;
    double px, py;
    PlaneToCanvas(x, y, px, py);
    canvas_->point(px, py, foreColor_);
    curX_ = x;
    curY_ = y;
}

void ChartDevice::DrawCircle(double cx, double cy, double r, Rgb colour, const Rgb* fill) {
    Checked(cx, "circle"), Checked(cy, "circle"), Checked(r, "circle");
    if (!draw_)
        return;
    double px, py;
    PlaneToCanvas(cx, cy, px, py);
    const double pr = r * canvas_->width() / (settings_.PlaneXMax - settings_.PlaneXMin);
    canvas_->circle(px, py, pr, colour, drawWidth_, fill);
    curX_ = cx;
    curY_ = cy;
}

void ChartDevice::DrawArc(double cx, double cy, double r, double a1, double a2, Rgb colour) {
    Checked(cx, "arc"), Checked(cy, "arc"), Checked(r, "arc"), Checked(a1, "arc"), Checked(a2, "arc");
    if (!draw_)
        return;
    double px, py;
    PlaneToCanvas(cx, cy, px, py);
    const double pr = r * canvas_->width() / (settings_.PlaneXMax - settings_.PlaneXMin);
    canvas_->arc(px, py, pr, a1, a2, colour, drawWidth_);
}

void ChartDevice::DrawLabel(double x, double y, double angle, const std::string& text, Rgb colour, double size,
                            bool italic) {
    Checked(x, "label"), Checked(y, "label"), Checked(angle, "label"), Checked(size, "label");
    if (!draw_)
        return;
    const ChartSettings& s = settings_;
    // Twips per plane unit.
    const double sx = Div(std::nearbyint(s.PictureWidth), s.PlaneXMax - s.PlaneXMin, "label scale");
    const double sy = Div(std::nearbyint(s.PictureHeight), s.PlaneYMax - s.PlaneYMin, "label scale");
    FontSpec font;
    font.width = CLng(size * 0.066667 * sx + 0.5, "font width");
    font.height = 3 * font.width;
    font.weight = 550;
    font.italic = italic;
    font.escapement = CLng(angle * 1800 / kPi, "escapement");
    font.face = "Times";
    foreColor_ = colour;
    const std::string shown = (!text.empty() && text[0] == ' ') ? text.substr(1) : text;
    // Anchor: the top-left corner of the text cell lies 2.2 sizes above the
    // base-line point, turned with the text.
    const double dx = -2 * std::sin(angle) * size;
    const double dy = (2 * std::cos(angle) + 0.2) * size;
    const int px = CLng((x + dx - s.PlaneXMin) * 0.066667 * sx, "label X");
    const int py = CLng((s.PlaneYMax - (y + dy)) * 0.066667 * sy, "label Y");
    canvas_->text(px, py, shown, font, colour);
}

void ChartDevice::PlotLine(std::initializer_list<PlotItem> items) {
    for (const PlotItem& item : items) {
        if (item.kind == PlotItem::Kind::Single || item.kind == PlotItem::Kind::Double ||
            item.kind == PlotItem::Kind::Integer) {
            Checked(item.number, "plot number");
        }
    }
    if (!file_)
        return;
    writer_->statement(items);
}

} // namespace hyg
