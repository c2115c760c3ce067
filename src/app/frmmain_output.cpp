// Printing and picture export: the File menu's Print, Print Setup and Save as Bmp.
#include "app/frmmain.h"

#include "app/programfolder.h"
#include "app/reporterror.h"
#include "output/bitmapexport.h"
#include "output/exportdialogs.h"
#include "output/frmplaybook.h"
#include "output/playexport.h"
#include "output/prntfrm.h"
#include "prefs/settingsstore.h"
#include "surface/platform.h"
#include "surface/surface.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace kinetra {

namespace {

// The last playbook's name and the folder its plays were listed from, kept between runs.
const QString kPlaybookSection = QStringLiteral("Playbook");
const QString kPlaybookTitle = QStringLiteral("Title");
const QString kPlaybookFolder = QStringLiteral("Folder");

} // namespace

void frmMain::connectOutputCommands()
{
    onCommand("mnuFilePrint", [this] { mnuFilePrint_Click(); });
    onCommand("mnuFilePageSetup", [this] { mnuFilePageSetup_Click(); });
    onCommand("mnuFilePlaybook", [this] { mnuFilePlaybook_Click(); });
    onCommand("mnuFileSaveBMP", [this] { mnuFileSaveBMP_Click(); });
}

std::unique_ptr<Prntfrm> frmMain::printDialog()
{
    return std::make_unique<Prntfrm>(m_printSession, m_document, *m_surface, looks(),
                                     m_platform, this);
}

std::unique_ptr<frmPlaybook> frmMain::playbookDialog()
{
    auto dialog = std::make_unique<frmPlaybook>(m_printSession, m_prefs, m_programDir,
                                                playbookFolder(), m_platform, this);
    const QString title = m_store.read(kPlaybookSection, kPlaybookTitle).trimmed();
    if (!title.isEmpty())
        dialog->TxtName->setText(title);
    return dialog;
}

QString frmMain::playbookFolder() const
{
    // The play open is most likely one of the plays wanted.
    for (const QString &folder :
         {m_document.path().isEmpty() ? QString() : QFileInfo(m_document.path()).absolutePath(),
          m_store.read(kPlaybookSection, kPlaybookFolder)})
        if (!folder.isEmpty() && QDir(folder).exists())
            return folder;
    return playDirectoryFolder();
}

void frmMain::mnuFilePlaybook_Click()
{
    const std::unique_ptr<frmPlaybook> dialog = playbookDialog();
    dialog->exec();
    m_store.write(kPlaybookSection, kPlaybookTitle, dialog->TxtName->text().trimmed());
    m_store.write(kPlaybookSection, kPlaybookFolder, dialog->folder());
    m_store.sync();
}

void frmMain::mnuFilePrint_Click()
{
    printDialog()->exec();
}

void frmMain::mnuFilePageSetup_Click()
{
    try {
        m_platform.printerSetup(m_printSession.printer());
    } catch (...) {
        m_platform.beep();
        m_platform.messageBox("Error In Printer Setup.", "Kinetra", Platform::Buttons::Ok,
                              Platform::Icon::Warning);
    }
}

void frmMain::mnuFileSaveBMP_Click()
{
    const QString file =
        askBmpFile(m_platform, m_lastBmpFolder, documentsFolder(), m_document.pictureName());
    if (file.isEmpty())
        return;
    // WaitStart lets pending events run, so the surface is fully painted first.
    WaitStart();
    try {
        checkOutputs({file}, {m_document.path()});
        writeBmp(m_surface->image(), file);
        m_lastBmpFolder = QFileInfo(file).absolutePath();
        WaitEnd();
    } catch (const ExportError &refused) {
        WaitEnd();
        m_platform.messageBox(QString::fromStdString(refused.what()), "Save to File",
                              Platform::Buttons::Ok, Platform::Icon::Warning);
    } catch (...) {
        WaitEnd();
        ReportError("Saving Bmp file");
    }
}

} // namespace kinetra
