#include "surface/scaledview.h"

#include "surface/surface.h"

#include <QPainter>

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
        m_view = m_field;
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
