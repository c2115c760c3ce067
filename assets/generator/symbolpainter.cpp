#include "symbolpainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

namespace kinetra {

namespace {

// "White" parts of a drawing stay just off pure white, which would show the field through.
const QColor kOffWhite(248, 248, 242);
const QColor kOutline(96, 96, 96);
const QColor kRed(208, 32, 32);
const QColor kDarkRed(128, 16, 16);

// Makes the painter draw in picture pixels on a picture `density` times as large. A one-pixel
// line drawn without smoothing covers the pixels right of and below its mathematical place;
// half a picture pixel's shift puts a denser picture's lines on those same pixels.
void drawInPicturePixels(QPainter& p, int density)
{
    p.scale(density, density);
    if (density > 1)
        p.translate(0.5, 0.5);
}

// Clips to a region traced in device pixels, so that its edge is as fine as the drawing.
void clipTo(QPainter& p, const QRegion& deviceRegion, int density)
{
    p.resetTransform();
    p.setClipRegion(deviceRegion);
    drawInPicturePixels(p, density);
}

void paintBall(QPainter& p, int d)
{
    p.setPen(kOutline);
    p.setBrush(kOffWhite);
    p.drawEllipse(QRect(2, 2, 19, 19));
    // Two curved seams with their stitches, as the ball is usually drawn.
    clipTo(p, QRegion(3 * d, 3 * d, 18 * d, 18 * d, QRegion::Ellipse), d);
    p.setPen(QPen(kRed, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(-10, 3, 19, 18));
    p.drawEllipse(QRect(15, 3, 19, 18));
    for (int y : {6, 10, 14, 18}) {
        const int x = y == 6 || y == 18 ? 6 : 8;
        p.drawLine(x - 1, y - 1, x + 1, y);
        p.drawLine(23 - x + 1, y - 1, 23 - x - 1, y);
    }
    p.setClipping(false);
}

void paintBat(QPainter& p)
{
    // Drawn along a line, then turned so the barrel points up to the right.
    p.save();
    p.translate(12, 12);
    p.rotate(-45);
    QPainterPath bat;
    bat.moveTo(-9, -1.2);
    bat.lineTo(-2, -1.2);
    bat.cubicTo(1, -1.5, 3, -3, 6, -3);
    bat.lineTo(10, -3);
    bat.arcTo(QRectF(8, -3, 4, 6), 90, -180);
    bat.lineTo(6, 3);
    bat.cubicTo(3, 3, 1, 1.5, -2, 1.2);
    bat.lineTo(-9, 1.2);
    bat.closeSubpath();
    p.setPen(QColor(104, 64, 24));
    p.setBrush(QColor(202, 148, 80));
    p.drawPath(bat);
    p.setBrush(QColor(52, 44, 40));
    p.setPen(QColor(52, 44, 40));
    p.drawRect(QRectF(-9, -1.2, 5, 2.4)); // grip tape
    p.drawEllipse(QRectF(-11.5, -2.2, 2.5, 4.4)); // knob
    p.restore();
}

void paintBase(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(176, 176, 168));
    p.drawRect(5, 5, 16, 16); // side of the bag, seen from above at a slant
    p.setPen(kOutline);
    p.setBrush(kOffWhite);
    p.drawRect(3, 3, 15, 15);
}

void paintHomePlate(QPainter& p)
{
    p.setPen(kOutline);
    p.setBrush(kOffWhite);
    p.drawPolygon(QPolygon({QPoint(3, 4), QPoint(20, 4), QPoint(20, 11), QPoint(12, 19),
                            QPoint(11, 19), QPoint(3, 11)}));
}

void paintGlove(QPainter& p)
{
    const QColor leather(176, 104, 44);
    const QColor dark(96, 52, 20);
    p.setPen(dark);
    p.setBrush(leather);
    // Fingers, then the palm over their roots, then the thumb.
    const int tops[4] = {4, 2, 3, 5};
    for (int i = 0; i < 4; ++i)
        p.drawRoundedRect(QRect(8 + i * 3, tops[i], 3, 14), 1.5, 1.5);
    p.drawEllipse(QRect(6, 10, 14, 11));
    p.save();
    p.translate(7, 13);
    p.rotate(-30);
    p.drawRoundedRect(QRect(-3, -7, 5, 11), 2, 2);
    p.restore();
    // Webbing between thumb and first finger.
    p.setBrush(dark);
    p.drawPolygon(QPolygon({QPoint(4, 7), QPoint(8, 5), QPoint(8, 11), QPoint(6, 12)}));
    // The pocket, a little darker, and the strap across the wrist.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(154, 88, 36));
    p.drawEllipse(QRect(9, 11, 8, 6));
    p.setBrush(dark);
    p.drawRect(8, 18, 10, 2);
}

void paintCone(QPainter& p, int d)
{
    const QColor orange(242, 122, 22);
    const QColor dark(156, 72, 8);
    p.setPen(dark);
    p.setBrush(QColor(204, 94, 12));
    p.drawRect(3, 18, 17, 3);
    p.setBrush(orange);
    const QPolygon body({QPoint(11, 2), QPoint(12, 2), QPoint(18, 18), QPoint(5, 18)});
    p.drawPolygon(body);
    QTransform toDevice;
    toDevice.scale(d, d);
    clipTo(p, QRegion(toDevice.map(body)), d);
    p.setPen(Qt::NoPen);
    p.setBrush(kOffWhite);
    p.drawRect(0, 8, 24, 2);
    p.drawRect(0, 13, 24, 2);
    p.setClipping(false);
    p.setPen(dark);
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(body);
}

void paintCross(QPainter& p)
{
    p.setPen(QPen(kDarkRed, 6, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(5, 5, 18, 18);
    p.drawLine(18, 5, 5, 18);
    p.setPen(QPen(kRed, 4, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(5, 5, 18, 18);
    p.drawLine(18, 5, 5, 18);
}

void paintTarget(QPainter& p)
{
    p.setPen(kDarkRed);
    p.setBrush(kRed);
    p.drawEllipse(QRect(1, 1, 21, 21));
    p.setPen(Qt::NoPen);
    p.setBrush(kOffWhite);
    p.drawEllipse(QRect(4, 4, 16, 16));
    p.setBrush(kRed);
    p.drawEllipse(QRect(7, 7, 10, 10));
    p.setBrush(kOffWhite);
    p.drawEllipse(QRect(9, 9, 6, 6));
    p.setBrush(kRed);
    p.drawEllipse(QRect(10, 10, 4, 4));
}

} // namespace

QImage SymbolPainter::paint(int number, int density)
{
    density = std::max(1, density);
    QImage img(kSize * density, kSize * density, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    // Hard edges: a smoothed edge would blend toward the white background and leave a pale
    // fringe around the symbol on the field. A denser picture is as hard-edged, only finer.
    p.setRenderHint(QPainter::Antialiasing, false);
    drawInPicturePixels(p, density);
    switch (number) {
    case 1: paintBall(p, density); break;
    case 2: paintBat(p); break;
    case 3: paintBase(p); break;
    case 4: paintHomePlate(p); break;
    case 5: paintGlove(p); break;
    case 6: paintCone(p, density); break;
    case 7: paintCross(p); break;
    case 8: paintTarget(p); break;
    default: break;
    }
    return img;
}

} // namespace kinetra
