#include "surface/labelbox.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>
#include <QPixmap>

namespace kinetra {

LabelBox::LabelBox(PaletteItem item, QWidget *parent)
    : QLineEdit(parent)
    , m_item(item)
{
    // A player dropped on a label box means nothing.
    setAcceptDrops(false);
}

QPixmap LabelBox::dragIcon() const
{
    return m_iconSource ? m_iconSource() : QPixmap();
}

QDrag *LabelBox::createDrag()
{
    return m_item.createDrag(this, dragIcon());
}

void LabelBox::mousePressEvent(QMouseEvent *event)
{
    m_armed = event->button() == Qt::LeftButton;
    m_pressAt = event->position().toPoint();
    QLineEdit::mousePressEvent(event);
}

void LabelBox::mouseMoveEvent(QMouseEvent *event)
{
    if (m_armed && (event->buttons() & Qt::LeftButton)
        && (event->position().toPoint() - m_pressAt).manhattanLength()
               >= QApplication::startDragDistance()) {
        m_armed = false;
        deselect();
        createDrag()->exec(Qt::CopyAction);
        return;
    }
    if (!m_armed)
        QLineEdit::mouseMoveEvent(event);
}

void LabelBox::mouseReleaseEvent(QMouseEvent *event)
{
    m_armed = false;
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace kinetra
