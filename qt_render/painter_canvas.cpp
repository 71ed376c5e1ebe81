#include "qt_render/painter_canvas.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QPolygon>
#include <QString>
#include <QTransform>

#include <cmath>
#include <memory>

namespace hyg {

namespace {

QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Dotted lines: one pixel on, two off, like the dotted pen of the screen.
const QList<qreal> kDotPattern{1.0, 2.0};

QPen MakePen(Rgb colour, int style, int width) {
    QPen pen(ToQColor(colour));
    pen.setWidthF(width < 1 ? 1.0 : static_cast<qreal>(width));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    switch (style) {
    case kDot:
        pen.setDashPattern(kDotPattern);
        break;
    case kDash:
        pen.setStyle(Qt::DashLine);
        break;
    case kDashDot:
        pen.setStyle(Qt::DashDotLine);
        break;
    case kDashDotDot:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    default:
        pen.setStyle(Qt::SolidLine);
        break;
    }
    return pen;
}

// The face names of the chart map onto fonts that are sure to be installed:
// "Times" onto Liberation Serif, which has the same metrics.
QString FamilyOf(const std::string& face) {
    if (face.empty() || face == "Times" || face == "Times New Roman")
        return QStringLiteral("Liberation Serif");
    return QString::fromStdString(face);
}

// A font made for one FontSpec: its cell height and average character width,
// and the ascent that puts the top of the cell at y.
struct PreparedFont {
    QFont font;
    double xScale = 1; // horizontal scale giving the requested average width
    double yScale = 1; // vertical scale from the whole-pixel font to the cell
    double ascent = 0; // top of the cell to the base line, unscaled pixels
};

struct FontKey {
    int height, width, weight;
    bool italic;
    std::string face;
    bool operator==(const FontKey&) const = default;
};

size_t qHash(const FontKey& k, size_t seed = 0) {
    return qHashMulti(seed, k.height, k.width, k.weight, k.italic, QString::fromStdString(k.face));
}

// Size of the probe font whose metrics are scaled to every other size.
constexpr int kProbePixels = 100;

// Builds the font a label asks for. The cell height is ascent plus descent, as for
// a font asked for by a positive cell height; the average character width is
// met by scaling the glyphs horizontally. Qt sizes fonts in whole pixels, so
// what is left of the cell height goes into a small vertical scale.
PreparedFont Prepare(const FontSpec& wanted) {
    PreparedFont p;
    p.font.setFamily(FamilyOf(wanted.face));
    p.font.setStyleHint(QFont::Serif);
    p.font.setKerning(false);
    p.font.setHintingPreference(QFont::PreferNoHinting);
    // 550 lies between normal and bold; the regular face keeps labels light
    // and the same on every platform.
    p.font.setWeight(wanted.weight >= 600 ? QFont::Bold : QFont::Normal);
    p.font.setItalic(wanted.italic);
    p.font.setPixelSize(kProbePixels);
    const QFontMetricsF probe(p.font);
    const double probeCell = probe.ascent() + probe.descent();
    const double cell = wanted.height > 0 ? wanted.height : 1;
    const double em = probeCell > 0 ? kProbePixels * cell / probeCell : cell;
    const int pixels = std::max(1, static_cast<int>(std::lround(em)));
    p.font.setPixelSize(pixels);
    const double ratio = static_cast<double>(pixels) / kProbePixels;
    p.ascent = probe.ascent() * ratio;
    p.yScale = em / pixels;
    const double avg = probe.averageCharWidth() * ratio;
    if (wanted.width > 0 && avg > 0)
        p.xScale = wanted.width / avg;
    return p;
}

class PainterCanvasFonts {
public:
    const PreparedFont& get(const FontSpec& wanted) {
        FontKey key{wanted.height, wanted.width, wanted.weight, wanted.italic, wanted.face};
        auto it = cache_.find(key);
        if (it == cache_.end())
            it = cache_.insert(key, Prepare(wanted));
        return it.value();
    }

private:
    QHash<FontKey, PreparedFont> cache_;
};

// One cache for the whole program (fonts depend on what is asked for only),
// owned here and emptied when the application object goes, so that no font
// outlives the font database.
std::unique_ptr<PainterCanvasFonts>& FontCache() {
    static std::unique_ptr<PainterCanvasFonts> cache;
    return cache;
}

void DropFonts() {
    FontCache().reset();
}

PainterCanvasFonts& Fonts() {
    std::unique_ptr<PainterCanvasFonts>& cache = FontCache();
    if (!cache) {
        cache = std::make_unique<PainterCanvasFonts>();
        qAddPostRoutine(DropFonts);
    }
    return *cache;
}
} // namespace

PainterCanvas::PainterCanvas(QPainter& painter, double widthPx, double heightPx)
    : painter_(painter)
    , width_(widthPx)
    , height_(heightPx) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void PainterCanvas::clear() {
    painter_.fillRect(QRectF(0, 0, width_, height_), Qt::white);
}

void PainterCanvas::line(double x1, double y1, double x2, double y2, Rgb colour, int style, int width) {
    painter_.setPen(MakePen(colour, style, width));
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterCanvas::polyline(const PixelPoint* points, int count, Rgb colour, int style, int width) {
    if (!points || count < 2)
        return;
    painter_.setPen(MakePen(colour, style, width));
    QPolygon poly(count);
    for (int i = 0; i < count; ++i)
        poly.setPoint(i, points[i].x, points[i].y);
    painter_.drawPolyline(poly);
}

void PainterCanvas::point(double x, double y, Rgb colour) {
    // One pixel, the one whose area holds the point.
    painter_.fillRect(QRectF(std::floor(x), std::floor(y), 1, 1), ToQColor(colour));
}

void PainterCanvas::circle(double cx, double cy, double r, Rgb colour, int width, const Rgb* fill) {
    painter_.setPen(MakePen(colour, kSolid, width));
    if (fill)
        painter_.setBrush(ToQColor(*fill));
    else
        painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(QPointF(cx, cy), r, r);
    painter_.setBrush(Qt::NoBrush);
}

void PainterCanvas::arc(double cx, double cy, double r, double a1, double a2, Rgb colour, int width) {
    constexpr double kTwoPi = 2 * 3.14159265358979323846;
    double span = std::fmod(a2 - a1, kTwoPi);
    if (span < 0)
        span += kTwoPi;
    if (span == 0)
        return;
    painter_.setPen(MakePen(colour, kSolid, width));
    painter_.setBrush(Qt::NoBrush);
    const QRectF box(cx - r, cy - r, 2 * r, 2 * r);
    // Qt angles: sixteenths of a degree, counter-clockwise on the screen.
    const double toSixteenths = 180.0 / 3.14159265358979323846 * 16;
    painter_.drawArc(box, static_cast<int>(std::lround(a1 * toSixteenths)),
                     static_cast<int>(std::lround(span * toSixteenths)));
}

void PainterCanvas::text(int x, int y, const std::string& utf8, const FontSpec& font, Rgb colour) {
    if (utf8.empty() || font.height <= 0)
        return;
    const PreparedFont& f = Fonts().get(font);
    const QTransform base = painter_.transform();
    QTransform t = base;
    t.translate(x, y);
    if (font.escapement != 0)
        t.rotate(-font.escapement / 10.0);
    t.scale(f.xScale, f.yScale);
    painter_.setTransform(t);
    painter_.setFont(f.font);
    painter_.setPen(ToQColor(colour));
    painter_.drawText(QPointF(0, f.ascent), QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    painter_.setTransform(base);
}

} // namespace hyg
