// The main window's side of editing on the field: it creates the editing of the play and
// steps through the frames with the keys.

#include "app/frmmain.h"

#include "app/statusnote.h"
#include "surface/canvas.h"
#include "surface/playediting.h"
#include "surface/surface.h"
#include "surface/surfaceeditor.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QStatusBar>

namespace kinetra {

namespace {

// Hands the surface's key presses to the main window before the surface (or a scrolling
// view around it) takes them.
class CanvasKeys : public QObject
{
public:
    explicit CanvasKeys(frmMain &window)
        : QObject(&window)
        , m_window(window)
    {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        return m_window.Canvas_KeyDown(key->key(), key->modifiers());
    }

private:
    frmMain &m_window;
};

} // namespace

void frmMain::buildEditing()
{
    m_editing = new PlayEditing(m_document, m_prefs, *m_palette, *m_canvas, *m_surface, m_platform,
                                [this] { DrawSelected(); }, this);
    m_canvas->installEventFilter(new CanvasKeys(*this));
    connect(m_editing, &PlayEditing::statusMessage, this, &frmMain::showRefusal);
    // A line selected on one frame is not selected on the next one shown.
    connect(this, &frmMain::frameSelected, m_editing, [this] {
        m_editing->editor().clearSelection();
        m_editing->showSelection();
    });
}

void frmMain::showRefusal(const QString &message)
{
    showStatusNote(statusBar(), "sbRefused", "Why the last edit was not made", message, 10000);
}

bool frmMain::Canvas_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift)
{
    SurfaceEditor &editor = m_editing->editor();
    // Esc calls off a gesture under way (a line being drawn or bent, a lifted item).
    if (KeyCode == Qt::Key_Escape && editor.busy()) {
        editor.abort();
        return true;
    }
    // With Ctrl, Alt or Shift held a key means something else.
    if ((Shift & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    int target = 0;
    switch (KeyCode) {
    case Qt::Key_Left:
    case Qt::Key_PageUp: target = m_sbar->value() - 1; break;
    case Qt::Key_Right:
    case Qt::Key_PageDown: target = m_sbar->value() + 1; break;
    case Qt::Key_Home: target = m_sbar->minimum(); break;
    case Qt::Key_End: target = m_sbar->maximum(); break;
    case Qt::Key_Delete: return m_editing->deleteSelectedLine();
    default: return false;
    }
    // A gesture under way (a lifted player, a line being drawn) belongs to its frame.
    if (!editor.busy() && target >= m_sbar->minimum() && target <= m_sbar->maximum())
        m_sbar->setValue(target);
    return true;
}

} // namespace kinetra
