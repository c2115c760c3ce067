#pragma once

#include <QPointF>
#include <QPointer>
#include <QWidget>

namespace kinetra {

class Surface;

/// Shows a surface's image 1:1 at its own size and reports the mouse in image pixels.
/// While a button is held the canvas keeps the mouse, so positions may lie outside the image.
/// It takes drops of palette items (and nothing else), without feedback while they hover.
class Canvas : public QWidget
{
    Q_OBJECT

public:
    explicit Canvas(QWidget *parent = nullptr);

    /// Shows surface (not owned); the canvas follows its size and repaints when it changes.
    void setSurface(Surface *surface);
    Surface *surface() const { return m_surface; }
    /// Repaints the whole canvas from the surface's image.
    void refresh();

signals:
    /// A button was pressed or released; position in image pixels.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);
    /// The pointer moved, with or without buttons held (buttons is the set held).
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF position);
    /// A palette item (tag and index as PaletteItem carries them) was dropped at position,
    /// in image pixels.
    void itemDropped(int tag, int index, QPointF position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void followSize();

    QPointer<Surface> m_surface;
};

} // namespace kinetra
