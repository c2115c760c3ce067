#pragma once

#include "surface/scaledview.h"

#include <QList>
#include <QPointF>
#include <QPointer>
#include <QWidget>

namespace kinetra {

class Surface;

/// Shows a surface's image at a zoom (at 100 % on an ordinary screen 1:1 at its own size,
/// otherwise drawn again at the screen's resolution) and reports the mouse in image pixels:
/// the image pixel under the pointer (see fieldPixel()). While a button is held the canvas
/// keeps the mouse, so positions may lie outside the image. It takes drops of palette items (and nothing else), without feedback while they
/// hover. Ctrl with the mouse wheel asks for another zoom.
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
    /// How wide a handle is on the screen, in pixels, at 100 % and below; it grows with the
    /// zoom up to kLargestHandle, which still lies whole within reach of the pointer.
    static constexpr int kHandleSize = 7;
    static constexpr int kLargestHandle = 11;
    /// How wide a handle is on the screen at percent zoom: an odd number of pixels.
    static int handleSize(int percent);
    /// Small squares drawn over the surface at these image pixels, handleSize() wide on the
    /// screen: the handles of a selected line. They are the canvas's own, so no
    /// picture of the surface (saved, exported, printed) ever shows them.
    void setHandles(const QList<QPointF> &handles);
    const QList<QPointF> &handles() const { return m_handles; }
    /// Shows the surface at percent of its size; the canvas takes the shown size.
    void setZoom(int percent);
    int zoom() const { return m_zoom; }
    /// The image pixel a point of the canvas shows, in whole pixels.
    QPointF imagePosition(QPointF canvasPosition) const;
    /// The image pixel shown under position (in the canvas's own units) at percent zoom on a
    /// screen of pixel ratio dpr: the one the centre of the screen pixel there shows.
    static QPointF fieldPixel(QPointF position, int percent, qreal dpr);

signals:
    /// A button was pressed or released; position in image pixels.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);
    /// The pointer moved, with or without buttons held (buttons is the set held).
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF position);
    /// A palette item (tag and index as PaletteItem carries them) was dropped at position,
    /// in image pixels.
    void itemDropped(int tag, int index, QPointF position);
    /// Ctrl and the mouse wheel: steps up (positive) or down (negative) the zoom.
    void zoomRequested(int steps);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void followSize();
    void paintHandles(QPainter &painter) const;

    QPointer<Surface> m_surface;
    int m_zoom = 100;
    ScaledView m_view;
    QList<QPointF> m_handles;
    int m_wheelAngle = 0; // wheel turn not yet taken as a zoom step, in eighths of a degree
};

} // namespace kinetra
