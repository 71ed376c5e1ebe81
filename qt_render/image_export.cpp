#include "qt_render/image_export.h"

#include "chart/canvas_writer.h"
#include "chart/chart_driver.h"
#include "chart/plane.h"
#include "engine/basic.h"
#include "files/atomic_file.h"
#include "qt_render/painter_canvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace hyg {

namespace {

// Largest picture drawn: the zoomed canvas stops at 32000 twips (2133
// pixels); a little over twice that still fits an image in memory.
constexpr int kMaxWidth = 5000;

void CheckWidth(int widthPx) {
    if (widthPx < 1 || widthPx > kMaxWidth) {
        throw RunTimeFault("the picture width must be 1 to " + std::to_string(kMaxWidth) + " pixels");
    }
}

// QSaveFile would do the same, but loses the system's reason on a full disk
// ("Unknown error"); the plain writer says it.
void WriteAtomically(const std::string& path, const QByteArray& bytes) {
    WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// Paints the chart; with Keep, a fault of a family ends the drawing and is
// returned instead of raised (a refused layout is always raised).
std::optional<DrawingStopped> PaintKeeping(QPainter& painter, Chart& chart, int widthPx, int heightPx,
                                           Messenger* messenger, const ProcessLineDrawer& processLines,
                                           PartialChart partial) {
    try {
        PaintChart(painter, chart, widthPx, heightPx, messenger, processLines);
    } catch (const LayoutRefused&) {
        throw;
    } catch (const RunTimeFault& fault) {
        if (partial == PartialChart::Refuse)
            throw;
        return DrawingStopped{fault.what()};
    }
    return std::nullopt;
}

} // namespace

int ChartImageHeight(int widthPx) {
    return static_cast<int>(std::lround(widthPx * 0.7));
}

void PaintChart(QPainter& painter, Chart& chart, int widthPx, int heightPx, Messenger* messenger,
                const ProcessLineDrawer& processLines) {
    ChartSettings& s = chart.settings;
    s.PictureWidth = Sgl(static_cast<double>(widthPx) * kTwipsPerPixel);
    s.PictureHeight = Sgl(static_cast<double>(heightPx) * kTwipsPerPixel);
    PainterCanvas canvas(painter, widthPx, heightPx);
    canvas.clear();
    const ChartFrame frame = LayoutChart(chart, messenger);
    CanvasWriter out(s, canvas);
    CountDrawing(s);
    DrawChart(out, chart, frame, processLines);
}

QImage RenderChartImage(Chart& chart, int widthPx, Messenger* messenger, const ProcessLineDrawer& processLines) {
    CheckWidth(widthPx);
    const int heightPx = ChartImageHeight(widthPx);
    QImage image(widthPx, heightPx, QImage::Format_RGB32);
    if (image.isNull())
        throw RunTimeFault("no memory for a picture of " + std::to_string(widthPx) + " pixels");
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintChart(painter, chart, widthPx, heightPx, messenger, processLines);
    painter.end();
    return image;
}

ChartFileFormat ChartFileFormatOf(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return ChartFileFormat::Unknown;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == "png")
        return ChartFileFormat::Png;
    if (ext == "bmp")
        return ChartFileFormat::Bmp;
    if (ext == "svg")
        return ChartFileFormat::Svg;
    if (ext == "pdf")
        return ChartFileFormat::Pdf;
    return ChartFileFormat::Unknown;
}

std::optional<DrawingStopped> ExportChart(const std::string& path, Chart& chart, int widthPx, Messenger* messenger,
                                          const ProcessLineDrawer& processLines, PartialChart partial) {
    const ChartFileFormat format = ChartFileFormatOf(path);
    if (format == ChartFileFormat::Unknown) {
        throw RunTimeFault("unknown picture format of " + path + " (use .png, .bmp, .svg or .pdf)");
    }
    CheckWidth(widthPx);
    const int heightPx = ChartImageHeight(widthPx);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::optional<DrawingStopped> stopped;

    // Ends the painter whatever happens inside the drawing.
    const auto paintOn = [&](QPaintDevice& device) {
        QPainter painter;
        if (!painter.begin(&device))
            throw RunTimeFault("cannot start the drawing " + path);
        try {
            stopped = PaintKeeping(painter, chart, widthPx, heightPx, messenger, processLines, partial);
        } catch (...) {
            painter.end();
            throw;
        }
        painter.end();
    };

    switch (format) {
    case ChartFileFormat::Png:
    case ChartFileFormat::Bmp: {
        QImage image(widthPx, heightPx, QImage::Format_RGB32);
        if (image.isNull())
            throw RunTimeFault("no memory for a picture of " + std::to_string(widthPx) + " pixels");
        image.fill(Qt::white);
        paintOn(image);
        if (!image.save(&buffer, format == ChartFileFormat::Png ? "PNG" : "BMP")) {
            throw RunTimeFault("cannot encode the picture " + path);
        }
        break;
    }
    case ChartFileFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(widthPx, heightPx));
        svg.setViewBox(QRect(0, 0, widthPx, heightPx));
        svg.setTitle(QStringLiteral("Psychrometric chart"));
        paintOn(svg);
        break;
    }
    case ChartFileFormat::Pdf: {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(72); // one chart pixel to one point
        pdf.setPageLayout(
            QPageLayout(QPageSize(QSizeF(widthPx, heightPx), QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        pdf.setTitle(QStringLiteral("Psychrometric chart"));
        paintOn(pdf);
        break;
    }
    case ChartFileFormat::Unknown:
        break;
    }
    buffer.close();
    WriteAtomically(path, bytes);
    return stopped;
}

void ExportPicture(const std::string& path, const QImage& picture) {
    if (picture.isNull())
        throw RunTimeFault("no picture to write to " + path);
    QImage image = picture;
    image.setDevicePixelRatio(1); // one image pixel to one point in the vector formats
    const QSize size = image.size();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const auto drawOn = [&](QPaintDevice& device) {
        QPainter painter;
        if (!painter.begin(&device))
            throw RunTimeFault("cannot start the drawing " + path);
        painter.drawImage(0, 0, image);
        painter.end();
    };
    switch (ChartFileFormatOf(path)) {
    case ChartFileFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("Psychrometric chart"));
        drawOn(svg);
        break;
    }
    case ChartFileFormat::Pdf: {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(72);
        pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        pdf.setTitle(QStringLiteral("Psychrometric chart"));
        drawOn(pdf);
        break;
    }
    case ChartFileFormat::Png:
        if (!image.save(&buffer, "PNG"))
            throw RunTimeFault("cannot encode the picture " + path);
        break;
    default:
        if (!image.save(&buffer, "BMP"))
            throw RunTimeFault("cannot encode the picture " + path);
        break;
    }
    buffer.close();
    WriteAtomically(path, bytes);
}

} // namespace hyg
