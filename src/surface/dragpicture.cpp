#include "surface/dragpicture.h"

#include <QDrag>
#include <QMouseEvent>
#include <QPixmap>

namespace kinetra {

DragPicture::DragPicture(PaletteItem item, QWidget *parent)
    : QLabel(parent)
    , m_item(item)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::OpenHandCursor);
}

void DragPicture::setPicture(const QImage &picture, QSize largest)
{
    m_picture = picture;
    QImage shown = picture;
    if (largest.isValid() && !picture.isNull()
        && (picture.width() > largest.width() || picture.height() > largest.height()))
        shown = picture.scaled(largest, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    setPixmap(QPixmap::fromImage(shown));
    const int frame = 2 * frameWidth();
    setFixedSize(shown.width() + frame, shown.height() + frame);
}

QSize DragPicture::fullSize() const
{
    const int frame = 2 * frameWidth();
    return m_picture.size() + QSize(frame, frame);
}

QPixmap DragPicture::dragIcon() const
{
    if (m_iconSource)
        return m_iconSource();
    return QPixmap::fromImage(m_picture);
}

QDrag *DragPicture::createDrag()
{
    return m_item.createDrag(this, dragIcon());
}

void DragPicture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
    createDrag()->exec(Qt::CopyAction);
}

} // namespace kinetra
