#include "windows/helpcommands.h"

#include "model/runtimeerror.h"
#include "output/programversion.h"
#include "windows/frmabout.h"
#include "windows/frmtip.h"

#include <QDir>

namespace kinetra {

HelpCommands::HelpCommands(Platform &platform, SettingsStore &store, const QString &programDir,
                           const QIcon &icon, QWidget *owner)
    : QObject(owner)
    , m_platform(platform)
    , m_store(store)
    , m_programDir(programDir)
    , m_icon(icon)
    , m_owner(owner)
{
}

void HelpCommands::showHelp(Platform::HelpCommand command)
{
    if (m_helpFile.isEmpty()) {
        m_platform.messageBox("Unable to display Help Contents. There is no Help associated "
                              "with this project.",
                              m_owner->windowTitle(), Platform::Buttons::Ok,
                              Platform::Icon::Information);
        return;
    }
    QString failure;
    try {
        m_platform.showHelp(m_helpFile, command, QString());
    } catch (...) {
        failure = QString::fromStdString(currentFailure().description());
    }
    if (!failure.isEmpty())
        m_platform.messageBox(failure, "Kinetra", Platform::Buttons::Ok, Platform::Icon::None);
}

void HelpCommands::showTips()
{
    if (!m_tip) {
        m_tip = new frmTip(m_store, QDir(m_programDir).filePath("TIPOFDAY.TXT"),
                           [this] { return m_platform.random(); }, m_owner);
        m_tip->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_tip->show();
    m_tip->raise();
    m_tip->activateWindow();
}

frmTip *HelpCommands::tipWindow() const
{
    return m_tip;
}

void HelpCommands::showAbout()
{
    frmAbout about(m_icon, programVersion(), m_owner);
    about.exec();
}

} // namespace kinetra
