// The Play Directory, the Tip of the Day, the help viewer and the About box.
#include "app/frmmain.h"

#include "app/helpkey.h"
#include "app/startup.h"
#include "app/toolbaricons.h"
#include "model/runtimeerror.h"
#include "surface/platform.h"
#include "windows/frmabout.h"
#include "windows/frmdir.h"
#include "windows/frmtip.h"

#include <QApplication>
#include <QDir>
#include <QLabel>

namespace kinetra {

void frmMain::connectWindowCommands()
{
    HelpFile = helpFilePath();
    onCommand("mnuFPDir", [this] { MnuFPDir_Click(); });
    onCommand("mnuHelpContents", [this] { mnuHelpContents_Click(); });
    onCommand("mnuHelpSearch", [this] { mnuHelpSearch_Click(); });
    onCommand("mnuHelpTips", [this] { mnuHelpTips_Click(); });
    onCommand("mnuHelpAbout", [this] { mnuHelpAbout_Click(); });
    // F1 opens the contents from every window. Over a modal dialog the help window belongs to
    // the dialog: one that belonged to the main window would be blocked behind it.
    new HelpKey(this, [this] {
        QWidget *owner = m_platform.dialogParent();
        if (QWidget *front = QApplication::activeModalWidget())
            m_platform.setDialogParent(front);
        mnuHelpContents_Click();
        m_platform.setDialogParent(owner);
    });
}

// ---- Play directory ----

QString frmMain::playDirectoryFolder() const
{
    return frmdir::startFolder(m_programDir);
}

void frmMain::MnuFPDir_Click()
{
    QString chosen;
    {
        frmdir dir(playDirectoryFolder(), this);
        dir.exec();
        chosen = dir.chosenFile().trimmed();
    }
    // Nothing chosen changes nothing, not even where the Open dialog starts.
    if (!chosen.isEmpty())
        openPlay(chosen);
}

// ---- Tip of the Day ----

void frmMain::mnuHelpTips_Click()
{
    if (!m_tip) {
        m_tip = new frmTip(m_store, QDir(m_programDir).filePath("TIPOFDAY.TXT"),
                           [this] { return m_platform.random(); }, this);
        // Closing ends the window; the next Help > Tips reads the tip file again.
        m_tip->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_tip->show();
    m_tip->raise();
    m_tip->activateWindow();
}

frmTip *frmMain::tipWindow() const
{
    return m_tip;
}

// ---- Help ----

void frmMain::mnuHelpContents_Click()
{
    showHelp(Platform::HelpCommand::Contents);
}

void frmMain::mnuHelpSearch_Click()
{
    showHelp(Platform::HelpCommand::PartialKey);
}

void frmMain::showHelp(Platform::HelpCommand command)
{
    if (HelpFile.isEmpty()) {
        m_platform.messageBox("Unable to display Help Contents. There is no Help associated "
                              "with this project.",
                              windowTitle(), Platform::Buttons::Ok, Platform::Icon::Information);
        return;
    }
    QString failure;
    try {
        m_platform.showHelp(HelpFile, command, QString());
    } catch (...) {
        failure = QString::fromStdString(currentFailure().description());
    }
    if (!failure.isEmpty())
        m_platform.messageBox(failure, "Kinetra", Platform::Buttons::Ok, Platform::Icon::None);
}

// ---- About ----

void frmMain::mnuHelpAbout_Click()
{
    const QString version = QString("%1.%2.%3")
                                .arg(KINETRA_VERSION_MAJOR)
                                .arg(KINETRA_VERSION_MINOR)
                                .arg(KINETRA_VERSION_PATCH);
    frmAbout about(appIcon(), version, this);
    about.exec();
}

} // namespace kinetra
