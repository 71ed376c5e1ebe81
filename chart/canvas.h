// The screen sink of the chart device: the few drawing primitives the chart
// drawers use, in canvas pixels (x to the right, y downwards), free of any
// window-system type. The Qt painter implementation lives in output/.
#pragma once

#include "chart/chart_settings.h"

#include <cstdint>
#include <string>

namespace hyg {

struct PixelPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Line styles of the canvas (DrawStyle).
enum LineStyle : int { kSolid = 0, kDash = 1, kDot = 2, kDashDot = 3, kDashDotDot = 4 };

// A font for one screen label: cell height and average character width in
// pixels, escapement in tenths of a degree (counter-clockwise), weight
// (400 normal, 700 bold), italic flag and face name.
struct FontSpec {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int weight = 400;
    bool italic = false;
    std::string face = "Times";
};

class Canvas {
public:
    virtual ~Canvas() = default;
    // Canvas size in pixels.
    virtual double width() const = 0;
    virtual double height() const = 0;
    // Fill the whole canvas with the background colour (white).
    virtual void clear() = 0;
    virtual void line(double x1, double y1, double x2, double y2, Rgb colour, int style, int width) = 0;
    virtual void polyline(const PixelPoint* points, int count, Rgb colour, int style, int width) = 0;
    virtual void point(double x, double y, Rgb colour) = 0;
    // Circle of radius r; when `fill` is non-null the inside is filled with it.
    virtual void circle(double cx, double cy, double r, Rgb colour, int width, const Rgb* fill) = 0;
    // Arc of radius r from angle a1 to a2 (radians, counter-clockwise from
    // the positive x axis as seen on the screen).
    virtual void arc(double cx, double cy, double r, double a1, double a2, Rgb colour, int width) = 0;
    // Text whose unrotated cell has its top-left corner at (x, y), turned
    // counter-clockwise about that corner by the font's escapement.
    virtual void text(int x, int y, const std::string& utf8, const FontSpec& font, Rgb colour) = 0;
};

} // namespace hyg
