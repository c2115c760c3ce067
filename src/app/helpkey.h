#pragma once

#include <QObject>

#include <functional>

namespace kinetra {

/// Runs a handler when F1 is pressed in any window of the program, the main window, its side
/// windows and modal dialogs alike (a shortcut of the main window would not reach a modal
/// dialog, which blocks the windows behind it). The key goes no further.
class HelpKey : public QObject
{
    Q_OBJECT

public:
    /// Watches the application's key presses for as long as `owner` lives.
    HelpKey(QObject *owner, std::function<void()> handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_handler;
};

} // namespace kinetra
