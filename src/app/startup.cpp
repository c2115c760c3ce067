#include "app/startup.h"

#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/platform.h"
#include "app/reporterror.h"
#include "playback/playbackstate.h"
#include "prefs/inisettingsstore.h"
#include "windows/frmtip.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace kinetra {

namespace {
QString g_helpFile;
}

QString helpFilePath()
{
    return g_helpFile;
}

QString instanceLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + "/kinetra.lock";
}

int Main(Platform &platform)
{
    // A lock left by a run that crashed names a process that no longer exists; QLockFile
    // takes such a lock over.
    QLockFile instanceLock(instanceLockPath());
    if (!instanceLock.tryLock(0)) {
        platform.messageBox("Kinetra IS ALREADY RUNNING", "Kinetra", Platform::Buttons::Ok,
                            Platform::Icon::Critical);
        return 0;
    }

    installErrorReporter(platform);

    const QString version = QString("%1.%2.%3")
                                .arg(KINETRA_VERSION_MAJOR)
                                .arg(KINETRA_VERSION_MINOR)
                                .arg(KINETRA_VERSION_PATCH);
    auto splash = std::make_unique<frmSplash>(version);
    splash->show();
    splash->repaint();
    platform.processEvents();

    const QString programDir = QCoreApplication::applicationDirPath();
    QDir::setCurrent(programDir);
    g_helpFile = QDir::toNativeSeparators(programDir + "/KTR.hlp");
    FrameDelay = 3000;

    platform.sleep(3000);
    splash.reset();

    IniSettingsStore store;
    frmMain window(platform, store, programDir);
    window.show();
    if (frmTip::ShowAtStartup(store))
        window.mnuHelpTips_Click();

    return QApplication::exec();
}

} // namespace kinetra
