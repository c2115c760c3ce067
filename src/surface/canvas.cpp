#include "surface/canvas.h"

#include "model/rounding.h"
#include "surface/paletteitem.h"
#include "surface/surface.h"
#include "surface/zoom.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace kinetra {

Canvas::Canvas(QWidget *parent)
    : QWidget(parent)
{
    setToolTip("Use Left mouse button to select / drag and right button to delete object.");
    setMouseTracking(true);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(0, 0);
}

void Canvas::setSurface(Surface *surface)
{
    if (m_surface)
        disconnect(m_surface, nullptr, this, nullptr);
    m_surface = surface;
    if (m_surface) {
        connect(m_surface, &Surface::changed, this, &Canvas::refresh);
        connect(m_surface, &Surface::sizeChanged, this, &Canvas::followSize);
    }
    followSize();
    refresh();
}

void Canvas::followSize()
{
    setFixedSize(m_surface ? zoomedSize(m_surface->size(), m_zoom) : QSize(0, 0));
}

void Canvas::setZoom(int percent)
{
    if (percent == m_zoom || percent <= 0)
        return;
    m_zoom = percent;
    followSize();
    refresh();
}

QPointF Canvas::imagePosition(QPointF canvasPosition) const
{
    return fieldPixel(canvasPosition, m_zoom, devicePixelRatioF());
}

QPointF Canvas::fieldPixel(QPointF position, int percent, qreal dpr)
{
    // The pointer stands on a screen pixel (its top-left corner, in the canvas's units), and
    // the view shows there what lies under that pixel's centre.
    const double scale = percent / 100.0;
    const double halfScreenPixel = 0.5 / (dpr > 0 ? dpr : 1.0);
    const auto under = [&](double at) {
        return toInt32(std::floor((at + halfScreenPixel) / scale));
    };
    return QPointF(under(position.x()), under(position.y()));
}

void Canvas::refresh()
{
    update();
}

void Canvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (!m_surface || m_surface->image().isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    const qreal dpr = devicePixelRatioF();
    if (m_zoom == 100 && dpr == 1.0) {
        painter.drawImage(event->rect(), m_surface->image(), event->rect());
    } else {
        // At any other scale the surface is drawn again at the screen's own resolution, one
        // image pixel for each device pixel.
        const QImage &view =
            m_view.image(*m_surface, QSize(qRound(width() * dpr), qRound(height() * dpr)));
        const QRectF area(event->rect());
        painter.drawImage(area, view, QRectF(area.topLeft() * dpr, area.size() * dpr));
    }
    paintHandles(painter);
}

void Canvas::setHandles(const QList<QPointF> &handles)
{
    if (handles == m_handles)
        return;
    m_handles = handles;
    update();
}

int Canvas::handleSize(int percent)
{
    const int size = int(std::lround(kHandleSize * percent / 100.0)) | 1;
    return std::clamp(size, kHandleSize, kLargestHandle);
}

void Canvas::paintHandles(QPainter &painter) const
{
    // White squares outlined in black, centred on the middle of the image pixel, over
    // everything the surface shows (players and their labels too), never smaller than
    // kHandleSize screen pixels, so that they can be seen and taken on a small field. A white
    // rim around the outline keeps it apart from a label's letters underneath.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const double scale = m_zoom / 100.0;
    const int size = handleSize(m_zoom);
    const int half = size / 2;
    for (const QPointF &p : m_handles) {
        const int x = int(std::floor((p.x() + 0.5) * scale));
        const int y = int(std::floor((p.y() + 0.5) * scale));
        painter.setPen(Qt::white);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(x - half - 1, y - half - 1, size + 1, size + 1);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawRect(x - half, y - half, size - 1, size - 1);
    }
}

void Canvas::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button(), event->modifiers(), imagePosition(event->position()));
}

void Canvas::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event->buttons(), event->modifiers(), imagePosition(event->position()));
}

void Canvas::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(event->button(), event->modifiers(), imagePosition(event->position()));
}

void Canvas::dragEnterEvent(QDragEnterEvent *event)
{
    if (PaletteItem::fromMimeData(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void Canvas::dragMoveEvent(QDragMoveEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void Canvas::dropEvent(QDropEvent *event)
{
    const auto item = PaletteItem::fromMimeData(event->mimeData());
    if (!item) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit itemDropped(item->tag, item->index, imagePosition(event->position()));
}

void Canvas::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    event->accept();
    // A notched wheel turns 120 eighths of a degree a step; a smooth one adds up to that.
    m_wheelAngle += event->angleDelta().y();
    const int steps = m_wheelAngle / 120;
    m_wheelAngle -= steps * 120;
    if (steps != 0)
        emit zoomRequested(steps);
}

} // namespace kinetra
