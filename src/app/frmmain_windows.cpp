// The Play Directory, and the Help menu wired to the class that runs it.
#include "app/frmmain.h"

#include "app/helpkey.h"
#include "app/startup.h"
#include "surface/platform.h"
#include "windows/frmdir.h"
#include "windows/helpcommands.h"

#include <QApplication>

namespace kinetra {

void frmMain::connectWindowCommands()
{
    m_help = new HelpCommands(m_platform, m_store, m_programDir, windowIcon(), this);
    m_help->setHelpFile(helpFilePath());
    onCommand("mnuFPDir", [this] { MnuFPDir_Click(); });
    onCommand("mnuHelpContents", [this] { m_help->showHelp(Platform::HelpCommand::Contents); });
    onCommand("mnuHelpSearch", [this] { m_help->showHelp(Platform::HelpCommand::PartialKey); });
    onCommand("mnuHelpTips", [this] { mnuHelpTips_Click(); });
    onCommand("mnuHelpAbout", [this] { m_help->showAbout(); });
    // F1 opens the contents from every window. Over a modal dialog the help window belongs to
    // the dialog: one that belonged to the main window would be blocked behind it.
    new HelpKey(this, [this] {
        QWidget *owner = m_platform.dialogParent();
        if (QWidget *front = QApplication::activeModalWidget())
            m_platform.setDialogParent(front);
        m_help->showHelp(Platform::HelpCommand::Contents);
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

// ---- Help ----

void frmMain::mnuHelpTips_Click()
{
    m_help->showTips();
}

} // namespace kinetra
