#pragma once

#include "surface/picturecompanions.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <array>
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
struct ResolvedPicture;

/// Editing the play on the field and from the palette: drops and mouse gestures on the canvas,
/// the player label boxes, hide boxes, the action line choice and clear buttons, and the
/// chalk. Each change goes to the document's current frame, or its labels, and ends as one
/// step of its history.
///
/// It draws nothing itself: `redraw` shows the current frame as the window shows it.
class PlayEditing : public QObject
{
    Q_OBJECT

public:
    PlayEditing(PlayDocument &document, const Preferences &prefs, ToolPalette &palette,
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
    /// What frames are drawn with: the play's looks, the user's player looks and symbol
    /// pictures, the players hidden and the drawing-suppressed flag (read when drawing, so
    /// it stays alive).
    FrameLooks looks() const;
    /// The symbol pictures frames are drawn with, which the palette shows too.
    void setSymbolPictures(const std::array<ResolvedPicture, 8> &symbols);

    /// Shows the preference record's label font and player shapes, and the play's labels and
    /// action lines, in the palette; each step stands alone.
    void setupPalette();
    /// Shows the play's player labels in the twenty label boxes and its action lines beside
    /// their choices; nothing is drawn and the play does not change.
    void showPlayLooks();
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
    const Preferences &m_prefs;
    ToolPalette &m_palette;
    Canvas &m_canvas;
    Platform &m_platform;
    std::function<void()> m_redraw;
    SurfaceEditor *m_editor = nullptr;
    int16_t m_selectedActionLine = 0;
    bool m_drawingSuppressed = false;
    bool m_fillingLabels = false;
    std::array<QImage, 8> m_symbols;
    std::array<PictureCompanions, 8> m_symbolCompanions;
    std::array<QString, 8> m_symbolNames;
    std::array<bool, 10> m_hideOffense{};
    std::array<bool, 10> m_hideDefense{};
};

} // namespace kinetra
