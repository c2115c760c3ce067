#include "surface/palettepictures.h"

#include <QFont>
#include <QPainter>

namespace kinetra {

namespace {

constexpr int kSize = 24;

QImage blankPicture()
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

QImage activeMarkerPicture()
{
    QImage image = blankPicture();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(255, 230, 120));
    p.drawEllipse(QRectF(3.5, 3.5, 17, 17));
    p.setPen(QPen(QColor(200, 0, 0), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(20, 20));
    p.drawLine(QPointF(4, 20), QPointF(20, 4));
    return image;
}

QImage textLabelPicture(int index)
{
    QImage image = blankPicture();
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    QFont big("DejaVu Serif");
    big.setPixelSize(18);
    big.setBold(true);
    p.setFont(big);
    p.setPen(QColor(20, 40, 140));
    p.drawText(QRect(0, 0, 17, kSize), Qt::AlignCenter, "T");
    QFont small("DejaVu Sans");
    small.setPixelSize(10);
    small.setBold(true);
    p.setFont(small);
    p.setPen(Qt::black);
    p.drawText(QRect(14, 10, 10, 14), Qt::AlignCenter, QString::number(index + 1));
    return image;
}

} // namespace kinetra
