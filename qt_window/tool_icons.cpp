#include "qt_window/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace hyg {

namespace {

// Every picture is drawn on a 16 by 16 grid, at 1x and 2x.
QIcon Draw(const std::function<void(QPainter&)>& paint) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pm(16 * scale, 16 * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

const QColor kInk(40, 40, 40);

void Magnifier(QPainter& p, bool plus) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(230, 240, 255));
    p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    p.setPen(QPen(kInk, 1.4));
    p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
    if (plus)
        p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
}

} // namespace

QIcon ToolIcon(const QString& key) {
    if (key == "open") {
        return Draw([](QPainter& p) {
            p.setPen(QPen(kInk, 1));
            p.setBrush(QColor(240, 200, 90));
            QPainterPath path;
            path.moveTo(1.5, 3.5);
            path.lineTo(6, 3.5);
            path.lineTo(7.5, 5);
            path.lineTo(13.5, 5);
            path.lineTo(13.5, 13.5);
            path.lineTo(1.5, 13.5);
            path.closeSubpath();
            p.drawPath(path);
        });
    }
    if (key == "save") {
        return Draw([](QPainter& p) {
            p.setPen(QPen(kInk, 1));
            p.setBrush(QColor(70, 100, 170));
            p.drawRect(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4, 1.5, 8, 5));
            p.setBrush(QColor(200, 200, 200));
            p.drawRect(QRectF(4, 9, 8, 5.5));
        });
    }
    if (key == "print") {
        return Draw([](QPainter& p) {
            p.setPen(QPen(kInk, 1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4, 1.5, 8, 5));
            p.setBrush(QColor(160, 160, 160));
            p.drawRect(QRectF(1.5, 6.5, 13, 5));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4, 10, 8, 4.5));
        });
    }
    if (key == "copy") {
        return Draw([](QPainter& p) {
            p.setPen(QPen(kInk, 1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(1.5, 1.5, 8, 10));
            p.drawRect(QRectF(6.5, 4.5, 8, 10));
        });
    }
    if (key == "zoomin")
        return Draw([](QPainter& p) { Magnifier(p, true); });
    if (key == "zoomout")
        return Draw([](QPainter& p) { Magnifier(p, false); });
    if (key == "refresh") {
        return Draw([](QPainter& p) {
            p.setPen(QPen(QColor(30, 120, 40), 2));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 280 * 16);
            p.setBrush(QColor(30, 120, 40));
            p.setPen(Qt::NoPen);
            QPolygonF head;
            head << QPointF(9, 0.5) << QPointF(14, 3.5) << QPointF(9, 6.5);
            p.drawPolygon(head);
        });
    }
    if (key == "pencil") {
        return Draw([](QPainter& p) {
            p.setPen(QPen(kInk, 1));
            p.setBrush(QColor(240, 190, 60));
            QPolygonF body;
            body << QPointF(11, 1.5) << QPointF(14.5, 5) << QPointF(5, 14.5) << QPointF(1.5, 14.5) << QPointF(1.5, 11);
            p.drawPolygon(body);
            p.drawLine(QPointF(1.5, 11), QPointF(5, 14.5));
        });
    }
    return {};
}

} // namespace hyg
