#include "app/helpkey.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace kinetra {

HelpKey::HelpKey(QObject *owner, std::function<void()> handler)
    : QObject(owner)
    , m_handler(std::move(handler))
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool HelpKey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return false;
    m_handler();
    return true;
}

} // namespace kinetra
