// The chart for the clipboard: the picture as the screen shows it, as a
// bitmap, and the same chart drawn again as SVG (image/svg+xml) for the
// programs that paste vector drawings sharp.
#pragma once

#include "qt_render/chart_on_screen.h"

#include <QByteArray>

class QImage;
class QMimeData;

namespace hyg {

inline constexpr const char* kSvgMimeType = "image/svg+xml";

// The chart as SVG, screen.widthPx by screen.heightPx; empty when nothing is
// drawn. A family that fails ends the drawing there, as on the screen.
QByteArray ChartSvg(const ChartOnScreen& screen);

// The clipboard data of the chart: `picture` (device pixels, one to one) as
// the image and, when a chart is drawn, its SVG. Raises RunTimeFault for an
// empty picture. The caller owns the result (the clipboard takes it).
QMimeData* ChartMimeData(const QImage& picture, const ChartOnScreen& screen);

} // namespace hyg
