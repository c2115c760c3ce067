#pragma once

#include <QObject>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>

namespace kinetra {

class Canvas;
class Platform;
class PlayDocument;
class Surface;
class SurfaceEditor;
class ToolPalette;
struct FrameLooks;
struct Preferences;

/// Editing the play on the field and from the palette: drops and mouse gestures on the canvas,
/// the player label boxes, hide boxes, the action line choice and clear buttons, and the
/// chalk. Each change goes to the document's current frame and ends as one step of its
/// history; player labels go to the preference record and mark the play changed.
///
/// It draws nothing itself: `redraw` shows the current frame as the window shows it.
class PlayEditing : public QObject
{
    Q_OBJECT

public:
    PlayEditing(PlayDocument &document, Preferences &prefs, ToolPalette &palette,
                Canvas &canvas, Surface &surface, Platform &platform,
                std::function<void()> redraw, QObject *parent = nullptr);

    /// Mouse and drop editing of the surface.
    SurfaceEditor &editor() { return *m_editor; }
    /// Which of the eight action lines the palette draws with.
    int16_t selectedActionLine() const { return m_selectedActionLine; }
    /// The box a symbol covers on the surface, at its own size.
    QSize symbolBoxSize() const;
    /// While set, drawing a frame does nothing and the label boxes change no label (the
    /// window's load sets it).
    bool drawingSuppressed() const { return m_drawingSuppressed; }
    void setDrawingSuppressed(bool suppressed) { m_drawingSuppressed = suppressed; }
    /// What frames are drawn with: the preference looks plus the palette's symbol pictures,
    /// hide boxes and the drawing-suppressed flag (read when drawing, so it stays alive).
    FrameLooks looks() const;

    /// Shows the preference record's label font, player shapes, player labels and action
    /// lines in the palette; each step stands alone.
    void setupPalette();
    /// Fills the twenty label boxes from the preference record's player labels; the labels
    /// and the surface follow, the play's modified mark does not change.
    void showPlayerLabels();
    /// The mouse pointer of the palette page's mode, on the surface.
    void applyModeCursor();

    /// A palette item dropped on the surface at (X, Y), in surface pixels.
    void Canvas_DragDrop(int16_t part, int16_t index, float X, float Y);
    /// A mouse button let go on the surface: a finished lift or line edit is one step.
    void Canvas_MouseUp(Qt::MouseButton Button, float X, float Y,
                        Qt::KeyboardModifiers Shift = {});
    /// Removes the action line selected on the surface, as one step; false when none is.
    bool deleteSelectedLine();
    /// Puts the handles of the selected action line on the canvas (or takes them off); the
    /// window calls it after each drawing of the frame.
    void showSelection();
    /// The palette page changed: the mouse mode, pointer and surface hint follow it.
    void tbsPicList_Click();
    void TxtOplyr_Change(int16_t Index);
    void TxtDPlyr_Change(int16_t Index);
    void ChkActiveOff_Click(int16_t Index);
    void ChkActiveDef_Click(int16_t Index);
    void CmdClrActive_Click();
    void CmdChalkClr_Click();
    void OptActionSel_Click(int16_t Index);
    void CmdActionClr_Click(int16_t Index);
    void CboChalksize_Click();
    void CboChalktype_Click();
    void CmdChalkcolr_Click();

signals:
    /// A short message for the status bar: why an edit was refused.
    void statusMessage(const QString &message);

private:
    class EditorHost;

    void connectPalette();
    void playerLabelChanged(int side, int16_t index);
    /// What the surface's last finished gesture or drop did, as a step's caption: `verb`
    /// ("Place", "Move", "Delete") and the item, or the action line or active player set.
    QString surfaceEditCaption(const QString &verb) const;
    /// The step's caption for what the last action draw gesture did to a line.
    QString lineEditCaption() const;

    PlayDocument &m_document;
    Preferences &m_prefs;
    ToolPalette &m_palette;
    Canvas &m_canvas;
    Platform &m_platform;
    std::function<void()> m_redraw;
    SurfaceEditor *m_editor = nullptr;
    int16_t m_selectedActionLine = 0;
    bool m_drawingSuppressed = false;
    bool m_fillingLabels = false;
};

} // namespace kinetra
