#pragma once

#include <QObject>

class QMenuBar;

namespace kinetra {

/// Makes an Alt+letter that two menu titles share ("&File" and "&Formations") open the first
/// of them every time, as on the desktop the menus come from. Qt's own handling takes turns
/// between the titles on every press, so a second Alt+F would open Formations.
class MenuMnemonics : public QObject
{
    Q_OBJECT

public:
    /// Watches `menuBar`'s shortcuts; owned by the menu bar.
    explicit MenuMnemonics(QMenuBar *menuBar);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMenuBar *m_menuBar;
};

} // namespace kinetra
