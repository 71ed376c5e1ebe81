// The chart canvas over a QPainter: draws the chart device's primitives onto
// an image, an SVG or a PDF. Coordinates are canvas pixels; a painter with a
// scale transform (device pixel ratio, print resolution) draws sharper.
#pragma once

#include "chart/canvas.h"

class QPainter;

namespace hyg {

class PainterCanvas : public Canvas {
public:
    // `widthPx` by `heightPx` is the canvas size in the chart's pixels
    // (PictureWidth / 15 by PictureHeight / 15).
    PainterCanvas(QPainter& painter, double widthPx, double heightPx);

    double width() const override { return width_; }
    double height() const override { return height_; }
    void clear() override;
    void line(double x1, double y1, double x2, double y2, Rgb colour, int style, int width) override;
    void polyline(const PixelPoint* points, int count, Rgb colour, int style, int width) override;
    void point(double x, double y, Rgb colour) override;
    void circle(double cx, double cy, double r, Rgb colour, int width, const Rgb* fill) override;
    void arc(double cx, double cy, double r, double a1, double a2, Rgb colour, int width) override;
    void text(int x, int y, const std::string& utf8, const FontSpec& font, Rgb colour) override;

private:
    QPainter& painter_;
    double width_;
    double height_;
};

} // namespace hyg
