#pragma once

#include "surface/paletteitem.h"

#include <QImage>
#include <QLabel>

#include <functional>

class QDrag;

namespace kinetra {

/// A palette picture that is a drag source: pressing the left button on it starts dragging
/// its item at once (the symbol pictures, the text-label pictures and the active-player
/// marker). The box is exactly as large as its picture plus a thin frame.
class DragPicture : public QLabel
{
    Q_OBJECT

public:
    DragPicture(PaletteItem item, QWidget *parent = nullptr);

    PaletteItem item() const { return m_item; }

    /// Shows picture and sizes the box to it.
    void setPicture(const QImage &picture);
    QImage picture() const { return m_picture; }

    /// Where the drag icon comes from; without one the picture itself is shown.
    void setDragIconSource(std::function<QPixmap()> source) { m_iconSource = std::move(source); }
    QPixmap dragIcon() const;

    /// The drag a left-button press starts, ready to run. Owned by this box.
    QDrag *createDrag();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    PaletteItem m_item;
    QImage m_picture;
    std::function<QPixmap()> m_iconSource;
};

} // namespace kinetra
