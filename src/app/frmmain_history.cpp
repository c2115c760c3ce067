// Undo and redo of every change to the play's frames.
//
// The history lives in the document (an EditHistory): a list of steps, each the frames one
// command replaced and what it replaced them with. The window keeps no undo code per command: each
// command that changes frames ends with recordEdit("Caption"), which compares the frames with
// the history's copy of them and pushes the difference as one step. Undo and redo apply a
// step to the frame list and show the frame that was current.
//
// The document works out the modified mark: the history away from the state last saved or
// opened, or something it does not cover (title, notes, player labels, or an edit that changed
// nothing, such as dropping a player where it stood) changed since the last save. Chalk lives
// only on the surface and is not undone.

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
    m_document.recordEdit(caption);
    updateUndoActions();
}

void frmMain::clearHistory()
{
    m_document.clearHistory();
    updateUndoActions();
}

void frmMain::mnuEUndo_Click()
{
    try {
        // A gesture still running ends first (a lifted item goes back), and a change no step
        // holds yet becomes one, so that undo takes back exactly the latest change.
        editor->abort();
        if (m_document.undo())
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
        if (m_document.redo())
            showRestoredFrames();
        updateUndoActions();
    } catch (...) {
        ReportError("Redoing Edit");
    }
}

void frmMain::showRestoredFrames()
{
    m_selecting = true;
    SBar->setMaximum(m_document.frames().count());
    m_selecting = false;
    SelectFrame(m_document.frames().current());
    updateDeleteFrame();
}

void frmMain::updateUndoActions()
{
    const EditHistory &history = m_document.history();
    const std::string undo = history.undoCaption();
    const std::string redo = history.redoCaption();
    mnuEUndo->setText(menuText("&Undo", undo));
    mnuEUndo->setEnabled(history.canUndo());
    mnuERedo->setText(menuText("&Redo", redo));
    mnuERedo->setEnabled(history.canRedo());
    if (QAction *button = toolbarButton("Undo")) {
        button->setEnabled(history.canUndo());
        button->setToolTip(QString("Undo " + QString::fromStdString(undo)).trimmed());
    }
    if (QAction *button = toolbarButton("Redo")) {
        button->setEnabled(history.canRedo());
        button->setToolTip(QString("Redo " + QString::fromStdString(redo)).trimmed());
    }
}

void frmMain::setModified(bool modified)
{
    if (!modified) {
        m_document.markSaved();
        updateUndoActions();
        return;
    }
    m_document.markChanged();
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
