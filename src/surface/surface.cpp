#include "surface/surface.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kinetra {

namespace {

// The box with corners (x1, y1) and (x2, y2), both included, in any order.
QRect boxRect(int x1, int y1, int x2, int y2)
{
    return QRect(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
}

// Surface pixels are logical pixels at 96 DPI, whatever resolution a picture file claims,
// so a label font has the same pixel size on every field picture.
constexpr int kDotsPerMeter = 3780;

const QImage &measuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(kDotsPerMeter);
        image.setDotsPerMeterY(kDotsPerMeter);
        return image;
    }();
    return device;
}

} // namespace

Surface::Surface(QObject *parent)
    : QObject(parent)
{
    setFont(m_font);
}

void Surface::setPicture(const QImage &picture)
{
    // The surface never loses its field: an empty picture leaves the one it has.
    if (picture.isNull())
        return;
    const QSize oldSize = m_image.size();
    m_picture = picture.convertToFormat(QImage::Format_RGB32);
    m_picture.setDotsPerMeterX(kDotsPerMeter);
    m_picture.setDotsPerMeterY(kDotsPerMeter);
    m_image = m_picture;
    if (m_image.size() != oldSize)
        emit sizeChanged(m_image.size());
    emit changed();
}

void Surface::clear()
{
    m_image = m_picture;
    emit changed();
}

QRgb Surface::pixel(int x, int y) const
{
    if (!m_image.valid(x, y))
        return qRgb(0, 0, 0);
    return m_image.pixel(x, y) | 0xFF000000u;
}

void Surface::setFont(const QFont &font)
{
    m_font = font;
    m_font.setStyleStrategy(QFont::StyleStrategy(m_font.styleStrategy() | QFont::NoAntialias));
}

bool Surface::begin(QPainter &painter)
{
    if (m_image.isNull() || !painter.begin(&m_image))
        return false;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    if (m_drawMode == DrawMode::Invert)
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    return true;
}

QPen Surface::pen(const QColor &color) const
{
    QPen pen(color);
    pen.setStyle(penStyleOf(m_lineStyle));
    if (m_lineWidth <= 1) {
        // One-pixel lines include their last pixel, like the end points the user placed.
        pen.setWidth(1);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::SquareCap);
    } else {
        pen.setWidth(m_lineWidth);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

QFontMetrics Surface::metrics() const
{
    const QPaintDevice *device = m_image.isNull() ? &measuringDevice() : &m_image;
    return QFontMetrics(m_font, device);
}

void Surface::line(int x1, int y1, int x2, int y2, const QColor &color)
{
    QPainter painter;
    if (!begin(painter))
        return;
    painter.setPen(pen(color));
    if (x1 == x2 && y1 == y2)
        painter.drawPoint(x1, y1);
    else
        painter.drawLine(x1, y1, x2, y2);
    painter.end();
    emit changed();
}

void Surface::line(int x1, int y1, int x2, int y2)
{
    line(x1, y1, x2, y2, m_foreColor);
}

void Surface::box(int x1, int y1, int x2, int y2, const QColor &color)
{
    QPainter painter;
    if (!begin(painter))
        return;
    painter.setPen(pen(color));
    painter.setBrush(Qt::NoBrush);
    const QRect r = boxRect(x1, y1, x2, y2);
    // An aliased outline of a w x h rectangle covers w + 1 by h + 1 pixels: corner to corner.
    painter.drawRect(r.x(), r.y(), r.width() - 1, r.height() - 1);
    painter.end();
    emit changed();
}

void Surface::box(int x1, int y1, int x2, int y2)
{
    box(x1, y1, x2, y2, m_foreColor);
}

void Surface::fillBox(int x1, int y1, int x2, int y2, const QColor &color)
{
    QPainter painter;
    if (!begin(painter))
        return;
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRect(boxRect(x1, y1, x2, y2));
    painter.end();
    emit changed();
}

void Surface::circle(int cx, int cy, int r, const QColor &outline)
{
    QPainter painter;
    if (!begin(painter))
        return;
    painter.setPen(pen(outline));
    painter.setBrush(m_fillColor);
    painter.drawEllipse(QPoint(cx, cy), r, r);
    painter.end();
    emit changed();
}

void Surface::circle(int cx, int cy, int r)
{
    circle(cx, cy, r, m_foreColor);
}

bool Surface::polygon(std::span<const QPoint> points)
{
    if (points.size() < 3)
        return false;
    QPainter painter;
    if (!begin(painter))
        return false;
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_fillColor);
    painter.drawPolygon(points.data(), int(points.size()));
    // Edge by edge, so that every corner gets its pixel (a closed aliased outline can miss one,
    // and an arrowhead without its tip looks blunt).
    painter.setPen(pen(m_foreColor));
    for (size_t i = 0; i < points.size(); ++i)
        painter.drawLine(points[i], points[(i + 1) % points.size()]);
    painter.end();
    emit changed();
    return true;
}

void Surface::print(const QString &text)
{
    const QFontMetrics fm = metrics();
    if (!text.isEmpty() && std::isfinite(m_textPosition.x()) && std::isfinite(m_textPosition.y())) {
        QPainter painter;
        if (begin(painter)) {
            painter.setFont(m_font);
            painter.setPen(m_foreColor);
            painter.drawText(QPointF(m_textPosition.x(), m_textPosition.y() + fm.ascent()), text);
            painter.end();
            emit changed();
        }
    }
    m_textPosition = QPointF(0, m_textPosition.y() + fm.height());
}

int Surface::textWidth(const QString &text) const
{
    return metrics().horizontalAdvance(text);
}

int Surface::textHeight(const QString &) const
{
    return metrics().height();
}

Qt::PenStyle penStyleOf(int lineStyle)
{
    switch (lineStyle) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

} // namespace kinetra
