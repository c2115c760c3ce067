#include "surface/pointers.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace kinetra {

namespace {

constexpr int kSize = 32;

QPixmap blankPointer()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A line drawn dark over a light halo stays visible on grass, dirt and chalk alike.
void haloLine(QPainter& p, QPointF a, QPointF b)
{
    p.setPen(QPen(QColor(255, 255, 255, 220), 3.0, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(a, b);
    p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
}

} // namespace

QCursor actionCursor()
{
    QPixmap pixmap = blankPointer();
    QPainter p(&pixmap);
    const QPointF hot(10.5, 10.5);
    // The crosshair leaves its centre open so the pixel being aimed at stays visible.
    haloLine(p, QPointF(hot.x(), 1.5), QPointF(hot.x(), 7.5));
    haloLine(p, QPointF(hot.x(), 13.5), QPointF(hot.x(), 19.5));
    haloLine(p, QPointF(1.5, hot.y()), QPointF(7.5, hot.y()));
    haloLine(p, QPointF(13.5, hot.y()), QPointF(19.5, hot.y()));

    // The arrow: the kind of line this mode draws.
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF head({QPointF(29, 29), QPointF(21.5, 27), QPointF(27, 21.5)});
    p.setPen(QPen(QColor(255, 255, 255, 220), 4.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(26, 26));
    p.setPen(QPen(QColor(255, 255, 255, 220), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawPolygon(head);
    p.setPen(QPen(QColor(200, 30, 30), 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(16, 16), QPointF(25, 25));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    p.drawPolygon(head);
    p.end();
    return QCursor(pixmap, static_cast<int>(hot.x()), static_cast<int>(hot.y()));
}

QCursor chalkCursor()
{
    QPixmap pixmap = blankPointer();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A short round stick lying from the upper right down to its worn, blunt tip at the
    // lower left, where the hot spot is.
    p.translate(3, 28);
    p.rotate(-45);
    const QColor outline(80, 80, 80);
    QPainterPath stick;
    stick.moveTo(0, -1.8);
    stick.quadTo(1.5, -3.5, 4, -3.5);
    stick.lineTo(27, -3.5);
    stick.lineTo(27, 3.5);
    stick.lineTo(4, 3.5);
    stick.quadTo(1.5, 3.5, 0, 1.8);
    stick.closeSubpath();
    p.setPen(QPen(outline, 1.2));
    p.setBrush(QColor(248, 246, 236));
    p.drawPath(stick);
    // The far end, seen slightly from the side.
    p.setBrush(QColor(226, 222, 206));
    p.drawEllipse(QPointF(27, 0), 1.8, 3.5);
    // A soft shading line along the stick so it reads round.
    p.setPen(QPen(QColor(214, 210, 194), 1.4));
    p.drawLine(QPointF(5, 1.8), QPointF(25, 1.8));
    p.end();
    return QCursor(pixmap, 3, 28);
}

} // namespace kinetra
