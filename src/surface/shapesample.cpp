#include "surface/shapesample.h"

#include <QPainter>
#include <QPixmap>

namespace kinetra {

ShapeSample::ShapeSample(QWidget *parent)
    : QWidget(parent)
{
}

void ShapeSample::setShape(int16_t shape)
{
    m_shape = shape;
    update();
}

void ShapeSample::setBorderColor(const QColor &color)
{
    m_border = color;
    update();
}

void ShapeSample::setFillColor(const QColor &color)
{
    m_fill = color;
    update();
}

void ShapeSample::paintShape(QPainter &painter, const QRect &area) const
{
    painter.setPen(QPen(m_border, 1));
    painter.setBrush(m_fill);
    const int side = std::min(area.width(), area.height());
    const QRect square(area.x() + (area.width() - side) / 2, area.y() + (area.height() - side) / 2,
                       side, side);
    const QRect wide(area.x(), area.y() + area.height() / 4, area.width(), area.height() / 2);
    const int round = std::max(2, side / 5);
    switch (m_shape) {
    case 0: painter.drawRect(wide); break;
    case 1: painter.drawRect(square); break;
    case 2: painter.drawEllipse(wide); break;
    case 3: painter.drawEllipse(square); break;
    case 4: painter.drawRoundedRect(wide, round, round); break;
    case 5: painter.drawRoundedRect(square, round, round); break;
    default: break;
    }
}

void ShapeSample::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintShape(painter, rect().adjusted(1, 1, -2, -2));
}

QPixmap ShapeSample::figureWithLabel(const QString &label, const QColor &textColor,
                                     const QFont &font) const
{
    constexpr int kSize = 25; // a player of radius 12 with its outline
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintShape(painter, QRect(0, 0, kSize - 1, kSize - 1));
    painter.setPen(textColor);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, label.trimmed());
    return pixmap;
}

} // namespace kinetra
