// The screen chart ("draw" mode) as a picture: into any QPainter, into a
// QImage of a given width, or into a PNG, BMP, SVG or PDF file.
#pragma once

#include "chart/pen_plotter.h"
#include "chart/chart_settings.h"
#include "engine/messages.h"

#include <functional>
#include <optional>
#include <string>

class QImage;
class QPainter;

namespace hyg {

// Called after the chart when DrawProcessLines is 1 (the process lines).
using ProcessLineDrawer = std::function<void(PenPlotter&)>;

// Height of the chart picture for a width: 0.7 of it, rounded.
int ChartImageHeight(int widthPx);

// Lays the chart out and draws it onto `painter`, whose target is taken to
// be widthPx by heightPx chart pixels: clears to white, stores PictureWidth
// and PictureHeight (15 twips per pixel), runs LayoutChart (its notice goes
// to `messenger`) and DrawChart through a CanvasWriter. Raises LayoutRefused or any
// other RunTimeFault of the drawing; what was drawn before stays drawn.
void PaintChart(QPainter& painter, Chart& chart, int widthPx, int heightPx, Messenger* messenger,
                const ProcessLineDrawer& processLines = {});

// The chart as an image widthPx wide and ChartImageHeight(widthPx) high on
// white. Raises RunTimeFault like PaintChart, and for a width below 1 or
// too large for an image.
QImage RenderChartImage(Chart& chart, int widthPx, Messenger* messenger, const ProcessLineDrawer& processLines = {});

// The file formats of ExportChart, chosen by the file name's extension
// (case does not matter): .png, .bmp, .svg, .pdf.
enum class ChartFileFormat { Unknown, Png, Bmp, Svg, Pdf };
ChartFileFormat ChartFileFormatOf(const std::string& path);

// What ExportChart does when a family of the chart raises a fault part way
// through the drawing (the layout itself succeeded).
enum class PartialChart {
    Refuse, // write nothing and raise the fault
    Keep,   // write the chart as far as it was drawn, as the window shows it
};

// A chart written only as far as it was drawn (PartialChart::Keep): the
// message of the fault that ended the drawing.
struct DrawingStopped {
    std::string fault;
};

// Draws the chart widthPx wide and writes it to `path` in the format of its
// extension (PNG and BMP as images, SVG and PDF as vector drawings of the
// same size, one chart pixel to one point). The file is written atomically:
// a failure leaves no file behind (an existing file keeps its old content).
// Raises RunTimeFault on an unknown extension, a refused layout, a failed
// write, and a drawing fault unless `partial` is Keep. Returns nothing for a
// complete chart, or why a kept partial drawing stopped.
[[nodiscard]] std::optional<DrawingStopped> ExportChart(const std::string& path, Chart& chart, int widthPx,
                                                        Messenger* messenger,
                                                        const ProcessLineDrawer& processLines = {},
                                                        PartialChart partial = PartialChart::Refuse);

// Writes a picture already drawn (the screen's chart) to `path` in the
// format of its extension, atomically like ExportChart: PNG and BMP as the
// image, SVG and PDF with the image inside, one pixel to one point. A name
// without a known extension is written as BMP. Raises RunTimeFault on an
// empty image or a failed write.
void ExportPicture(const std::string& path, const QImage& picture);

} // namespace hyg
