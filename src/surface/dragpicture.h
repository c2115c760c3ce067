#pragma once

#include "surface/paletteitem.h"

#include <QImage>
#include <QLabel>

#include <functional>

class QDrag;

namespace kinetra {

/// A palette picture that is a drag source: pressing the left button on it starts dragging
/// its item at once (the symbol pictures, the text-label pictures and the active-player
/// marker). The box is as large as its picture plus a thin frame, unless it is given a largest
/// size: a larger picture is then shown scaled down to fit, while the picture itself (what a
/// drop places) keeps its size.
class DragPicture : public QLabel
{
    Q_OBJECT

public:
    DragPicture(PaletteItem item, QWidget *parent = nullptr);

    PaletteItem item() const { return m_item; }

    /// Shows picture and sizes the box to it, showing it scaled down to fit `largest` (picture
    /// pixels, frame not counted) when it is larger; an invalid `largest` never scales.
    void setPicture(const QImage &picture, QSize largest = QSize());
    QImage picture() const { return m_picture; }
    /// The box's outer size were it to show the picture at its own size.
    QSize fullSize() const;

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
