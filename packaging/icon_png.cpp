// Build-time helper: renders the program's SVG icon to the PNG sizes of the
// icon theme, so the bitmaps always match the drawing they come from.
//   hygrana-icon-png IN.svg OUT.png SIZE
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: hygrana-icon-png IN.svg OUT.png SIZE\n");
        return 2;
    }
    const int size = std::atoi(argv[3]);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid() || size < 8 || size > 1024) {
        std::fprintf(stderr, "hygrana-icon-png: cannot render %s at %s pixels\n", argv[1], argv[3]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "hygrana-icon-png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
