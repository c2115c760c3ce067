#include "surface/linesample.h"

#include <QPainter>

namespace kinetra {

namespace {

Qt::PenStyle penStyle(int style)
{
    switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

} // namespace

LineSample::LineSample(QWidget *parent)
    : QWidget(parent)
    , m_color(palette().color(QPalette::WindowText))
{
}

void LineSample::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void LineSample::setLineWidth(int width)
{
    m_width = std::max(1, width);
    update();
}

void LineSample::setLineStyle(int style)
{
    m_style = style;
    update();
}

void LineSample::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(m_color, m_width, penStyle(m_style), Qt::FlatCap));
    const int y = height() / 2;
    painter.drawLine(2, y, width() - 3, y);
}

} // namespace kinetra
