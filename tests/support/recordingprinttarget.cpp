#include "support/recordingprinttarget.h"

#include <algorithm>

#include <QFontMetrics>

#include <stdexcept>

namespace kinetra {

RecordingPrintTarget::RecordingPrintTarget(QSize page, int lineHeight, int dpi)
    : m_page(page)
    , m_lineHeight(lineHeight)
    , m_dpi(dpi)
    , m_device(8, 8, QImage::Format_RGB32)
{
    const int dotsPerMeter = qRound(dpi / 0.0254);
    m_device.setDotsPerMeterX(dotsPerMeter);
    m_device.setDotsPerMeterY(dotsPerMeter);
}

void RecordingPrintTarget::begin()
{
    if (begun)
        throw std::logic_error("document begun twice");
    begun = true;
    pages.append(Page());
}

int RecordingPrintTarget::textWidth(const QString &text) const
{
    return QFontMetrics(m_font, &m_device).horizontalAdvance(text);
}

int RecordingPrintTarget::textHeight(const QString &) const
{
    if (m_lineHeight > 0)
        return m_lineHeight;
    return QFontMetrics(m_font, &m_device).height();
}

void RecordingPrintTarget::drawText(const QPoint &topLeft, const QString &text)
{
    if (!begun || finished)
        throw std::logic_error("text outside the document");
    pages.last().append({Item::Text, QRect(topLeft, QSize(textWidth(text), textHeight(text))),
                         text, QPen(), QImage(), QColor(), QPainterPath()});
}

void RecordingPrintTarget::drawLine(const QPoint &from, const QPoint &to, const QPen &pen)
{
    pages.last().append(
        {Item::Line, QRect(from, to), QString(), pen, QImage(), QColor(), QPainterPath()});
}

void RecordingPrintTarget::drawBox(const QPoint &corner1, const QPoint &corner2, const QPen &pen)
{
    pages.last().append({Item::Box, QRect(corner1, corner2), QString(), pen, QImage(), QColor(),
                         QPainterPath()});
}

void RecordingPrintTarget::drawImage(const QRect &target, const QImage &image)
{
    pages.last().append({Item::Image, target, QString(), QPen(), image, QColor(),
                         QPainterPath()});
}

void RecordingPrintTarget::drawShape(const QPainterPath &shape, const QPen &outline,
                                     const QBrush &fill)
{
    pages.last().append({Item::Shape, shape.boundingRect().toAlignedRect(), QString(), outline,
                         QImage(), fill.color(), shape});
}

void RecordingPrintTarget::newPage()
{
    if (!begun || finished)
        throw std::logic_error("new page outside the document");
    pages.append(Page());
}

void RecordingPrintTarget::finish()
{
    finished = true;
}

QList<QStringList> RecordingPrintTarget::texts() const
{
    QList<QStringList> out;
    for (const Page &page : pages) {
        QStringList t;
        for (const Item &item : page)
            if (item.kind == Item::Text)
                t << item.text;
        out << t;
    }
    return out;
}

QList<RecordingPrintTarget::Item> RecordingPrintTarget::pictures(int page) const
{
    QList<Item> out;
    QList<QRect> boxes;
    for (const Item &item : pages.value(page))
        if (item.kind == Item::Box)
            boxes << QRect(item.rect.topLeft(), item.rect.bottomRight());
    for (const Item &item : pages.value(page)) {
        const bool inBox = std::any_of(boxes.begin(), boxes.end(),
                                       [&](const QRect &b) { return b.contains(item.rect); });
        if (item.kind == Item::Image && item.rect.size() != QSize(64, 64) && !inBox)
            out << item;
    }
    return out;
}

} // namespace kinetra
