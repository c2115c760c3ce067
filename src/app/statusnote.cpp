#include "app/statusnote.h"

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace kinetra {

void showStatusNote(QStatusBar *bar, const QString &name, const QString &tip,
                    const QString &text, int milliseconds)
{
    auto *panel = bar->findChild<QLabel *>(name);
    if (!panel) {
        panel = new QLabel(bar);
        panel->setObjectName(name);
        panel->setToolTip(tip);
        panel->setContentsMargins(0, 0, 12, 0); // apart from the panel beside it
        bar->insertPermanentWidget(0, panel);
        auto *timer = new QTimer(panel);
        timer->setObjectName(name + "Timer");
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, panel, &QLabel::hide);
    }
    panel->setText(text);
    panel->show();
    panel->findChild<QTimer *>(name + "Timer")->start(milliseconds);
}

} // namespace kinetra
