#include "qt_render/clipboard_copy.h"

#include "engine/fault.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>

#include <memory>

namespace hyg {

QByteArray ChartSvg(const ChartOnScreen& screen) {
    QByteArray bytes;
    if (!screen.chart || screen.widthPx < 1 || screen.heightPx < 1)
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(screen.widthPx, screen.heightPx));
    svg.setViewBox(QRect(0, 0, screen.widthPx, screen.heightPx));
    svg.setTitle(QStringLiteral("Psychrometric chart"));
    Chart chart = *screen.chart; // the drawing sets its picture size; the screen's stays
    QPainter painter;
    if (!painter.begin(&svg))
        return {};
    try {
        PaintChart(painter, chart, screen.widthPx, screen.heightPx, nullptr, screen.processLines);
    } catch (const RunTimeFault&) {
        // Kept as far as it was drawn, like the screen picture.
    }
    painter.end();
    buffer.close();
    return bytes;
}

QMimeData* ChartMimeData(const QImage& picture, const ChartOnScreen& screen) {
    if (picture.isNull())
        throw RunTimeFault("there is no chart picture to copy");
    QImage image = picture.convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    auto data = std::make_unique<QMimeData>();
    data->setImageData(image);
    const QByteArray svg = ChartSvg(screen);
    if (!svg.isEmpty())
        data->setData(QString::fromLatin1(kSvgMimeType), svg);
    return data.release();
}

} // namespace hyg
