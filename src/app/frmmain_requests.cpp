// Plays handed to the running program from outside: the play named on the command line, and
// the plays a second start passes on (a double click in the file manager while Kinetra runs).
#include "app/frmmain.h"

#include <QApplication>
#include <QTimer>

namespace kinetra {

namespace {

constexpr int kRetryMs = 200;

} // namespace

void frmMain::openRequestedPlay(const QString &sFile)
{
    m_requestedPlays << sFile;
    openRequestedPlays();
}

void frmMain::openRequestedPlays()
{
    // Opening in the middle of a modal dialog, a playback or a save would pull the play from
    // under them; the request waits for them to end.
    if (m_openingRequests || QApplication::activeModalWidget() || QApplication::overrideCursor()) {
        QTimer::singleShot(kRetryMs, this, &frmMain::openRequestedPlays);
        return;
    }
    m_openingRequests = true;
    while (!m_requestedPlays.isEmpty()) {
        const QString path = m_requestedPlays.takeFirst();
        if (isMinimized())
            showNormal();
        raise();
        activateWindow();
        openPlay(path);
    }
    m_openingRequests = false;
}

} // namespace kinetra
