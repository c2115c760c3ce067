#pragma once

#include "surface/paletteitem.h"

#include <QLineEdit>
#include <QPoint>

#include <functional>

class QDrag;

namespace kinetra {

/// A player's label box on the palette: it edits the label and is the drag source of its
/// player. A click places the text cursor as in any text box; pressing the left button and
/// moving the pointer past the drag distance drags the player instead of selecting text.
class LabelBox : public QLineEdit
{
    Q_OBJECT

public:
    LabelBox(PaletteItem item, QWidget *parent = nullptr);

    PaletteItem item() const { return m_item; }

    /// Where the drag icon comes from (the player's figure with its label).
    void setDragIconSource(std::function<QPixmap()> source) { m_iconSource = std::move(source); }
    QPixmap dragIcon() const;

    /// The drag a left-button press-and-move starts, ready to run. Owned by this box.
    QDrag *createDrag();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    PaletteItem m_item;
    std::function<QPixmap()> m_iconSource;
    bool m_armed = false; // the left button went down in the box and no drag ran yet
    QPoint m_pressAt;
};

} // namespace kinetra
