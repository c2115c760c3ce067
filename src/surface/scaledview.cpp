#include "surface/scaledview.h"

#include "surface/surface.h"

#include <QPainter>

#include <cstring>

namespace kinetra {

namespace {

void mapToDevice(QPainter &painter, const Surface &surface, QSize deviceSize)
{
    painter.scale(qreal(deviceSize.width()) / surface.width(),
                  qreal(deviceSize.height()) / surface.height());
}

} // namespace

const QImage &ScaledView::image(const Surface &surface, QSize deviceSize)
{
    if (surface.image().isNull() || deviceSize.isEmpty()) {
        m_view = QImage();
        return m_view;
    }
    const bool newField =
        m_field.size() != deviceSize || m_fieldKey != surface.picture().cacheKey();
    if (newField) {
        m_field = QImage(deviceSize, QImage::Format_RGB32);
        m_field.fill(Qt::black);
        QPainter painter(&m_field);
        mapToDevice(painter, surface, deviceSize);
        surface.renderField(painter);
        m_fieldKey = surface.picture().cacheKey();
    }
    if (newField || m_wipe != surface.wipeCount() || m_drawn > surface.drawingCount()) {
        // Into the view's own memory: a fresh image of this size for every wiped frame would
        // cost the system more than the copy.
        if (m_view.size() != m_field.size() || m_view.format() != m_field.format())
            m_view = QImage(m_field.size(), m_field.format());
        std::memcpy(m_view.bits(), m_field.constBits(), size_t(m_field.sizeInBytes()));
        m_wipe = surface.wipeCount();
        m_drawn = 0;
    }
    if (m_drawn < surface.drawingCount()) {
        QPainter painter(&m_view);
        mapToDevice(painter, surface, deviceSize);
        surface.renderDrawings(painter, m_drawn, surface.drawingCount(), true);
        m_drawn = surface.drawingCount();
    }
    return m_view;
}

} // namespace kinetra
