#include "app/startup.h"

#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/instancechannel.h"
#include "app/programfolder.h"
#include "app/recoverycopy.h"
#include "app/reporterror.h"
#include "output/programversion.h"
#include "playback/playbackstate.h"
#include "prefs/inisettingsstore.h"
#include "surface/platform.h"
#include "windows/frmtip.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <functional>

namespace kinetra {

namespace {
QString g_helpFile;
}

QString helpFilePath()
{
    return g_helpFile;
}

namespace {

// Longer than the splash's pause: a program still showing its splash answers after it.
constexpr int kHandOverTimeoutMs = 10000;

QString runtimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

} // namespace

QString instanceLockPath()
{
    return runtimeFolder() + "/kinetra.lock";
}

QString instanceSocketPath()
{
    return runtimeFolder() + "/kinetra.socket";
}

QString playFileArgument(const QStringList &arguments)
{
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument.isEmpty() || (!optionsEnded && argument.startsWith('-')))
            continue;
        return QFileInfo(argument).absoluteFilePath();
    }
    return QString();
}

int Main(Platform &platform, const QString &playFile)
{
    // A lock left by a run that crashed names a process that no longer exists; QLockFile
    // takes such a lock over.
    QLockFile instanceLock(instanceLockPath());
    if (!instanceLock.tryLock(0)) {
        // A play for the running program goes to it, which opens it; this start ends quietly.
        if (!playFile.isEmpty()
            && handToRunningInstance(instanceSocketPath(), playFile, kHandOverTimeoutMs))
            return 0;
        platform.messageBox("Kinetra IS ALREADY RUNNING", "Kinetra", Platform::Buttons::Ok,
                            Platform::Icon::Critical);
        return 0;
    }

    // Plays handed over while the splash shows wait for the main window.
    QStringList requestedPlays;
    if (!playFile.isEmpty())
        requestedPlays << playFile;
    InstanceServer instanceServer;
    instanceServer.listen(instanceSocketPath());
    const QMetaObject::Connection queueing =
        QObject::connect(&instanceServer, &InstanceServer::playReceived,
                         [&requestedPlays](const QString &path) { requestedPlays << path; });

    installErrorReporter(platform);

    auto splash = std::make_unique<frmSplash>(programVersion());
    splash->show();
    splash->repaint();
    platform.processEvents();

    const QString programDir = QCoreApplication::applicationDirPath();
    QDir::setCurrent(programDir);
    // An installed program folder is read-only: the user's plays and pictures go elsewhere.
    setProgramFolder(programDir);
    if (programFolderReadOnly())
        QDir::setCurrent(documentsFolder());
    g_helpFile = QDir::toNativeSeparators(programDir + "/KTR.hlp");
    FrameDelay = 3000;

    platform.sleep(3000);
    splash.reset();

    IniSettingsStore store;
    frmMain window(platform, store, programDir);
    window.show();
    if (frmTip::ShowAtStartup(store))
        window.mnuHelpTips_Click();

    // Recovery copies belong to the instance that holds the lock: this one, from here on.
    RecoveryCopy recovery(window.document(), platform, window.statusBar(),
                          std::bind_front(&frmMain::openRecoveredPlay, &window));
    QMetaObject::invokeMethod(&recovery, &RecoveryCopy::offerRecovery, Qt::QueuedConnection);

    QObject::disconnect(queueing);
    QObject::connect(&instanceServer, &InstanceServer::playReceived, &window,
                     &frmMain::openRequestedPlay);
    // The window has loaded and shows; the plays open once the event loop runs, after the
    // question about a recovery copy.
    for (const QString &path : std::as_const(requestedPlays))
        QMetaObject::invokeMethod(&window, [&window, path] { window.openRequestedPlay(path); },
                                  Qt::QueuedConnection);

    return QApplication::exec();
}

} // namespace kinetra
