#include "surface/canvas.h"

#include "surface/paletteitem.h"
#include "surface/surface.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>

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
    setFixedSize(m_surface ? m_surface->size() : QSize(0, 0));
}

void Canvas::refresh()
{
    update();
}

void Canvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (m_surface && !m_surface->image().isNull())
        painter.drawImage(event->rect(), m_surface->image(), event->rect());
    else
        painter.fillRect(event->rect(), palette().window());
}

void Canvas::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button(), event->modifiers(), event->position());
}

void Canvas::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event->buttons(), event->modifiers(), event->position());
}

void Canvas::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(event->button(), event->modifiers(), event->position());
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
    emit itemDropped(item->tag, item->index, event->position());
}

} // namespace kinetra
