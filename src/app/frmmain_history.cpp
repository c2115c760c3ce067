// Undo and redo of every change to the play's frames.
//
// The history lives in the model (EditHistory): a list of steps, each the frames one command
// replaced and what it replaced them with. The window keeps no undo code per command: each
// command that changes frames ends with recordEdit("Caption"), which compares the frames with
// the history's copy of them and pushes the difference as one step. Undo and redo apply a
// step to the frame list and show the frame that was current.
//
// The modified mark follows the history: the play is modified when the history is not at the
// state last saved or opened, or when something the history does not cover (title, notes,
// player labels, or an edit that changed nothing, such as dropping a player where it stood)
// was changed since the last save. Chalk lives only on the surface and is not undone.

#include "app/frmmain.h"

#include "app/reporterror.h"
#include "surface/canvas.h"
#include "surface/surface.h"
#include "surface/paletteitem.h"
#include "surface/surfaceeditor.h"

#include <QAction>
#include <QScrollBar>

namespace kinetra {

namespace {

// A step's caption in a menu item's text, where '&' would mark a shortcut letter.
QString menuText(const QString &command, const std::string &caption)
{
    if (caption.empty())
        return command;
    return command + ' ' + QString::fromStdString(caption).replace('&', "&&");
}

QString itemName(int16_t part)
{
    switch (part) {
    case Part::Offense:
    case Part::Defense: return "Player";
    case Part::Symbol: return "Symbol";
    case Part::TextLabel: return "Text Label";
    default: return "Item";
    }
}

} // namespace

void frmMain::connectHistoryCommands()
{
    onCommand("mnuEUndo", [this] { mnuEUndo_Click(); });
    onCommand("mnuERedo", [this] { mnuERedo_Click(); });
    // Text boxes keep Ctrl+Z for their own typing while they have the focus, so working on
    // the field takes the focus from them.
    canvas->setFocusPolicy(Qt::ClickFocus);
}

void frmMain::recordEdit(const QString &caption)
{
    m_history.record(Frames, caption.toStdString());
    updateUndoActions();
}

void frmMain::clearHistory()
{
    m_history.reset(Frames);
    m_unrecordedEdit = false;
    updateUndoActions();
}

void frmMain::mnuEUndo_Click()
{
    try {
        // A gesture still running ends first (a lifted item goes back), and a change no step
        // holds yet becomes one, so that undo takes back exactly the latest change.
        editor->abort();
        m_history.record(Frames, "Edit");
        if (m_history.undo(Frames))
            showRestoredFrames();
        updateUndoActions();
    } catch (...) {
        ReportError("Undoing Edit");
    }
}

void frmMain::mnuERedo_Click()
{
    try {
        editor->abort();
        m_history.record(Frames, "Edit");
        if (m_history.redo(Frames))
            showRestoredFrames();
        updateUndoActions();
    } catch (...) {
        ReportError("Redoing Edit");
    }
}

void frmMain::showRestoredFrames()
{
    m_selecting = true;
    SBar->setMaximum(Frames.count());
    m_selecting = false;
    SelectFrame(Frames.current());
    updateDeleteFrame();
}

void frmMain::updateUndoActions()
{
    const std::string undo = m_history.undoCaption();
    const std::string redo = m_history.redoCaption();
    mnuEUndo->setText(menuText("&Undo", undo));
    mnuEUndo->setEnabled(m_history.canUndo());
    mnuERedo->setText(menuText("&Redo", redo));
    mnuERedo->setEnabled(m_history.canRedo());
    if (QAction *button = toolbarButton("Undo")) {
        button->setEnabled(m_history.canUndo());
        button->setToolTip(QString("Undo " + QString::fromStdString(undo)).trimmed());
    }
    if (QAction *button = toolbarButton("Redo")) {
        button->setEnabled(m_history.canRedo());
        button->setToolTip(QString("Redo " + QString::fromStdString(redo)).trimmed());
    }
    // Undoing back to the saved play is a change too: the recovery copy is no longer needed.
    const bool wasModified = Frames.modified();
    Frames.setModified(!m_history.isClean() || m_unrecordedEdit);
    if (wasModified || Frames.modified())
        emit playEdited();
}

void frmMain::setModified(bool modified)
{
    if (!modified) {
        // Saved (or opened): the history's present state is the file's. Frames changed by a
        // command that recorded no step yet are taken in first, so undo still reaches them.
        m_history.record(Frames, "Edit");
        m_history.setClean();
        m_unrecordedEdit = false;
        updateUndoActions();
        return;
    }
    // Frame commands mark the play before they record their step, which then decides the
    // mark; anything else that marks it stays marked until the next save.
    if (!m_history.looksChanged(Frames))
        m_unrecordedEdit = true;
    Frames.setModified(true);
    emit playEdited();
}

QString frmMain::surfaceEditCaption(const QString &verb) const
{
    const int16_t part = editor->state().part;
    if (part == Part::ActionStart || part == Part::ActionEnd)
        return "Draw Action Line";
    if (part == PaletteItem::kActiveMarker)
        return "Set Active Player";
    return verb + ' ' + itemName(part);
}

} // namespace kinetra
