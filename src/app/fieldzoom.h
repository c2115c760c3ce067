#pragma once

#include "surface/zoom.h"

#include <QObject>
#include <QSize>

class QAction;
class QLabel;
class QScrollArea;
class QWidget;

namespace kinetra {

class Canvas;
class Surface;
class ToolPalette;

/// The field's zoom in the main window's body and the body's layout around it: the View menu's
/// zoom commands and Ctrl with the mouse wheel, Fit Field to Window following the window's
/// size, the status bar's zoom, and the field's view, the palette and the frame controls placed
/// so that nothing overlaps at any zoom. Coordinates stay field pixels everywhere; only the
/// canvas knows the zoom.
class FieldZoom : public QObject
{
    Q_OBJECT

public:
    /// The widgets it drives, all built by the window: `body` is the window's central widget,
    /// `view` the scrolling area holding `canvas`, `fit` the checkable Fit Field to Window item
    /// and `label` the status bar's zoom.
    struct Parts
    {
        QWidget *body = nullptr;
        QScrollArea *view = nullptr;
        Canvas *canvas = nullptr;
        const Surface *surface = nullptr;
        ToolPalette *palette = nullptr;
        QWidget *frameControls = nullptr;
        QWidget *caption = nullptr; ///< between the field and the frame controls
        QAction *fit = nullptr;
        QLabel *label = nullptr;
    };
    FieldZoom(const Parts &parts, QObject *parent);

    /// View > Zoom In, Zoom Out, Actual Size: a zoom chosen by hand, which turns Fit off. The
    /// window keeps its size: a field larger than the room scrolls.
    void zoomIn();
    void zoomOut();
    void actualSize();
    /// View > Fit Field to Window: the field takes the largest zoom step the window leaves
    /// room for, now and whenever the window changes size; or, unticked, keeps its zoom.
    void toggleFit();

    /// The setting to keep, and the stored one taken back at start.
    ZoomSetting setting() const { return m_setting; }
    void restore(const ZoomSetting &setting);

    /// Places the field's view, the caption box under it, the frame controls under that and the
    /// palette beside them; with Fit on and the window
    /// shown, the field first takes the largest step that fits. Nothing happens while the
    /// window is minimised. The body's least size is the field at the smallest step, whatever
    /// the zoom, so zooming never makes the window grow.
    void layOut();
    /// The body that shows the field whole at the present zoom, as the last layout found it.
    QSize wholeFieldBody() const { return m_wholeFieldBody; }

private:
    void zoomByHand(int percent);
    /// Shows the field at percent: the canvas, the status bar and the layout follow.
    void show(int percent);

    Parts m_parts;
    ZoomSetting m_setting;
    QSize m_wholeFieldBody;
};

} // namespace kinetra
