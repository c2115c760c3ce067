// Undo and redo of every change to the play's frames.
//
// The history lives in the document (an EditHistory): a list of steps, each the frames one
// command replaced and what it replaced them with. The window keeps no undo code per command:
// each command that changes frames ends with the document's recordEdit("Caption"), which
// compares the frames with the history's copy of them and pushes the difference as one step.
// Undo and redo apply a step to the frame list and show the frame that was current. The Edit
// menu and the toolbar follow the history through the document's signals.
//
// The document works out the modified mark: the history away from the state last saved or
// opened, or something it does not cover (title, notes, player labels, or an edit that changed
// nothing, such as dropping a player where it stood) changed since the last save. Chalk lives
// only on the surface and is not undone.

#include "app/frmmain.h"

#include "app/reporterror.h"
#include "surface/canvas.h"
#include "surface/playediting.h"
#include "surface/surface.h"
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

} // namespace

void frmMain::connectHistoryCommands()
{
    onCommand("mnuEUndo", [this] { mnuEUndo_Click(); });
    onCommand("mnuERedo", [this] { mnuERedo_Click(); });
    // Text boxes keep Ctrl+Z for their own typing while they have the focus, so working on
    // the field takes the focus from them.
    m_canvas->setFocusPolicy(Qt::ClickFocus);
    connect(&m_document, &PlayDocument::historyChanged, this, &frmMain::showUndoActions);
    connect(&m_document, &PlayDocument::framesChanged, this, &frmMain::showFrameCount);
}

void frmMain::mnuEUndo_Click()
{
    try {
        // A gesture still running ends first (a lifted item goes back), and a change no step
        // holds yet becomes one, so that undo takes back exactly the latest change.
        m_editing->editor().abort();
        if (m_document.undo())
            SelectFrame(m_document.currentFrame());
    } catch (...) {
        ReportError("Undoing Edit");
    }
}

void frmMain::mnuERedo_Click()
{
    try {
        m_editing->editor().abort();
        if (m_document.redo())
            SelectFrame(m_document.currentFrame());
    } catch (...) {
        ReportError("Redoing Edit");
    }
}

void frmMain::showFrameCount()
{
    const int16_t count = m_document.frames().count();
    // A frame the scroll bar loses is shown by whoever selects the frame that stays.
    m_selecting = true;
    m_sbar->setMaximum(count);
    m_selecting = false;
    m_mnuEDel->setEnabled(count > 1);
}

void frmMain::showUndoActions()
{
    const EditHistory &history = m_document.history();
    const std::string undo = history.undoCaption();
    const std::string redo = history.redoCaption();
    m_mnuEUndo->setText(menuText("&Undo", undo));
    m_mnuEUndo->setEnabled(history.canUndo());
    m_mnuERedo->setText(menuText("&Redo", redo));
    m_mnuERedo->setEnabled(history.canRedo());
    if (QAction *button = toolbarButton("Undo")) {
        button->setEnabled(history.canUndo());
        button->setToolTip(QString("Undo " + QString::fromStdString(undo)).trimmed());
    }
    if (QAction *button = toolbarButton("Redo")) {
        button->setEnabled(history.canRedo());
        button->setToolTip(QString("Redo " + QString::fromStdString(redo)).trimmed());
    }
}

} // namespace kinetra
