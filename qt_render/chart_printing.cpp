#include "qt_render/chart_printing.h"

#include "engine/fault.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

namespace hyg {

namespace {

// Height of the chart for a width of 1.
constexpr double kChartShape = 0.7;

int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

QRect ChartPageRect(int printableW, int printableH) {
    int w = printableW;
    int h = printableH;
    if (w < h)
        h = RoundHalfEven(w * kChartShape);
    else if (w > h)
        w = RoundHalfEven(h / kChartShape);
    return QRect(0, 0, w, h);
}

void PaintChartPage(QPainter& painter, int pageW, int pageH, const ChartOnScreen& screen) {
    const QRect target = ChartPageRect(pageW, pageH);
    // The dot opens the page even when no chart has been drawn.
    painter.fillRect(QRect(target.topLeft(), QSize(1, 1)), Qt::black);
    if (!screen.chart || screen.widthPx < 1 || screen.heightPx < 1 || target.isEmpty())
        return;
    Chart chart = *screen.chart; // the drawing sets its picture size; the screen's stays
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(static_cast<double>(target.width()) / screen.widthPx,
                  static_cast<double>(target.height()) / screen.heightPx);
    painter.setClipRect(QRect(0, 0, screen.widthPx, screen.heightPx));
    try {
        // No messenger: the screen drawing has already said what the layout
        // has to say.
        PaintChart(painter, chart, screen.widthPx, screen.heightPx, nullptr, screen.processLines);
    } catch (const RunTimeFault&) {
        // As on the screen, a family that fails ends the drawing there.
    }
    painter.restore();
}

void PrintChartTo(QPagedPaintDevice& device, const ChartOnScreen& screen) {
    QPainter painter;
    if (!painter.begin(&device))
        throw RunTimeFault("the print job could not be started");
    PaintChartPage(painter, device.width(), device.height(), screen);
    if (!painter.end())
        throw RunTimeFault("the print job could not be finished");
}

} // namespace hyg
