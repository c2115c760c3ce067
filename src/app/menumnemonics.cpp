#include "app/menumnemonics.h"

#include <QAction>
#include <QMenuBar>
#include <QShortcutEvent>

namespace kinetra {

MenuMnemonics::MenuMnemonics(QMenuBar *menuBar)
    : QObject(menuBar)
    , m_menuBar(menuBar)
{
    menuBar->installEventFilter(this);
}

bool MenuMnemonics::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_menuBar || event->type() != QEvent::Shortcut)
        return false;
    const auto *shortcut = static_cast<QShortcutEvent *>(event);
    if (!shortcut->isAmbiguous())
        return false;
    for (QAction *title : m_menuBar->actions()) {
        if (title->isVisible() && title->isEnabled() && title->menu()
            && QKeySequence::mnemonic(title->text()) == shortcut->key()) {
            m_menuBar->setActiveAction(title);
            return true;
        }
    }
    return false;
}

} // namespace kinetra
