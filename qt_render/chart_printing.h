// The chart on a printer page: the whole chart picture in the largest
// rectangle of the chart's shape (0.7 high for 1 wide) at the top-left of the
// printable area, drawn again at the printer's resolution so that the page
// is as sharp as the printer allows.
#pragma once

#include "qt_render/chart_on_screen.h"

#include <QRect>

class QPagedPaintDevice;
class QPainter;

namespace hyg {

// The chart's rectangle on a page whose printable area is W by H pixels:
// a portrait page keeps W and takes H = W x 0.7, a landscape page keeps H
// and takes W = H / 0.7 (whole pixels, halves to even); a square page keeps
// both. Top-left at (0, 0), the corner of the printable area.
QRect ChartPageRect(int printableW, int printableH);

// Paints the chart page with `painter` (active on a page pageW by pageH
// pixels): a black dot at the top-left, then the chart scaled from its
// screen size into ChartPageRect. A fault of the drawing ends the chart
// where it stopped; the page is printed as far as it was drawn.
void PaintChartPage(QPainter& painter, int pageW, int pageH, const ChartOnScreen& screen);

// Prints the chart page on `device` (a QPrinter from the print dialog, or a
// QPdfWriter) and ends the document. Raises RunTimeFault when the job
// cannot be started or finished.
void PrintChartTo(QPagedPaintDevice& device, const ChartOnScreen& screen);

} // namespace hyg
