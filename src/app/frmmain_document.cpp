// The File menu's New, Open, Save and Save As around the play document (which reads and writes
// the files): the save prompt, the one way every play is opened, the messages, the panels, the
// recent-file items and the notes window.
#include "app/frmmain.h"

#include "app/playfilechooser.h"
#include "app/recentfiles.h"
#include "model/playfile.h"
#include "model/runtimeerror.h"
#include "prefs/playlooks.h"
#include "surface/platform.h"
#include "surface/playediting.h"
#include "surface/twips.h"
#include "surface/toolpalette.h"
#include "windows/frmnotes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScrollBar>

#include <map>

namespace kinetra {

namespace {

const QString kProgramTitle = "Kinetra";

} // namespace

void frmMain::connectDocumentCommands()
{
    onCommand("mnuFileNew", [this] { mnuFileNew_Click(); });
    onCommand("mnuFileOpen", [this] { mnuFileOpen_Click(); });
    onCommand("mnuFileSave", [this] { mnuFileSave_Click(); });
    onCommand("mnuFileSaveAs", [this] { mnuFileSaveAs_Click(); });
    onCommand("mnuViewNotes", [this] { mnuViewNotes_Click(); });
    for (int i = 0; i < RecentFiles::kItems; ++i)
        onCommand(QString("mnurecentFile%1").arg(i), [this, i] {
            if (const QString path = m_recentFiles->path(i); !path.isEmpty())
                openPlay(path);
        });
    // The panels show the document: the file only when Save writes to it, title and date.
    connect(&m_document, &PlayDocument::pathChanged, this, &frmMain::showDocumentPanels);
    connect(&m_document, &PlayDocument::textsChanged, this, &frmMain::showDocumentPanels);
    connect(&m_document, &PlayDocument::looksChanged, this, &frmMain::showPlayLooks);
}

void frmMain::showPlayLooks()
{
    // The play's looks become the user's current ones, which a new play starts from.
    const int16_t field = m_prefs.Picbkg;
    takePlayLooks(m_prefs, m_document.looks());
    m_editing->showPlayLooks();
    if (m_prefs.Picbkg != field)
        LoadPictures();
    else
        DrawSelected();
}

// ---- Save prompt and File menu ----

bool frmMain::DataSafe()
{
    // A save that is cancelled or fails leaves the play modified, so the question comes again.
    while (m_document.isModified()) {
        const Platform::Answer answer = m_platform.messageBox(
            QString("The data has been modified.") + " Do you want to save the changes?",
            kProgramTitle, Platform::Buttons::YesNoCancel, Platform::Icon::None);
        if (answer == Platform::Answer::No)
            return true;
        if (answer != Platform::Answer::Yes)
            return false;
        if (m_document.path().isEmpty())
            mnuFileSaveAs_Click();
        else
            mnuFileSave_Click();
    }
    return true;
}

void frmMain::mnuFileNew_Click()
{
    if (!DataSafe())
        return;
    m_document.newPlay(m_platform.now(), defaultPlayLooks(m_prefs));
    SelectFrame(1);
    // The notes window comes up so the user can name the play; an open one is refilled.
    if (notesOpen())
        m_notes->Form_Load(m_document.title(), m_document.notes());
    showNotesWindow();
    m_notes->selectTitle();
}

void frmMain::mnuFileOpen_Click()
{
    if (!DataSafe())
        return;
    if (const std::optional<QString> path = m_chooser->choose(false, m_document.path()))
        openPlay(*path, {.askToSave = false});
}

void frmMain::mnuFileSave_Click()
{
    if (m_document.path().isEmpty()) {
        mnuFileSaveAs_Click();
        return;
    }
    if (!mayReplacePlayFile()) {
        mnuFileSaveAs_Click();
        return;
    }
    WaitStart();
    const bool saved = SaveScript(m_document.path());
    WaitEnd();
    // A play from a folder the user may not write (the installed samples) goes elsewhere:
    // after the error, Save As offers the documents folder.
    if (!saved && m_chooser->inRefusedFolder(m_document.path()))
        mnuFileSaveAs_Click();
}

void frmMain::mnuFileSaveAs_Click()
{
    std::optional<QString> path = m_chooser->choose(true, m_document.path(), m_document.title());
    if (!path || !m_chooser->addPlayExtension(*path))
        return;
    WaitStart();
    // A failed save names no file: the recent files do not list a play that was never written.
    const bool saved = SaveScript(*path);
    WaitEnd();
    if (saved)
        m_recentFiles->add(*path);
}

void frmMain::showDocumentPanels()
{
    // The file panel names a file only when Save writes to it. It takes the room the whole
    // name needs; only a name too long for a window of the first size is shortened, in the
    // middle. The tip names the full path.
    const QString &path = m_document.path();
    const QString text = path.isEmpty() ? QString("Play Not Saved") : QFileInfo(path).fileName();
    QLabel *panel = m_statusPanels[0];
    const QFontMetrics metrics(panel->font());
    const int most = twipsToPixels(4800);
    panel->setText(metrics.elidedText(text, Qt::ElideMiddle, most));
    panel->setMinimumWidth(std::max(60, metrics.horizontalAdvance(panel->text()) + 6));
    panel->setToolTip(path.isEmpty() ? QString("Play file name") : QDir::toNativeSeparators(path));
    m_statusPanels[1]->setText(m_document.title());
    m_statusPanels[2]->setText(m_document.date());
}

// ---- Play files ----

bool frmMain::SaveScript(const QString &sFile)
{
    // Saving closes the notes window: what it shows is what was saved.
    closeNotesWindow();

    bool framesRestated = false;
    const auto restated = connect(&m_document, &PlayDocument::framesChanged, this,
                                  [&framesRestated] { framesRestated = true; });
    const PlaySaveResult result = m_document.save(sFile, m_platform.now());
    disconnect(restated);
    if (!result.ok()) {
        if (result.errorCode == ErrorCode::PermissionDenied)
            m_chooser->noteRefused(sFile);
        m_platform.beep();
        m_platform.messageBox(QString::fromStdString(saveErrorMessage(sFile.toStdString(), result)),
                              kProgramTitle, Platform::Buttons::Ok, Platform::Icon::None);
        return false;
    }
    // A frame text the file cannot hold was replaced; the field shows it as saved (labels
    // so replaced show through the play's looks).
    if (framesRestated)
        DrawSelected();
    return true;
}

std::optional<PlayReadStatus> frmMain::openPlay(const QString &file, OpenPlayOptions options)
{
    if (options.askToSave && !DataSafe())
        return std::nullopt;
    // As if the file had been chosen in the Open dialog: the next dialog starts beside it.
    if (options.remember)
        m_chooser->noteChosen(file);
    WaitStart();
    const PlayReadStatus status = readPlay(file);
    // A play that was opened, even in part, is listed; one that could not be read is not.
    const bool opened =
        status == PlayReadStatus::Opened || status == PlayReadStatus::OpenedWithFailure;
    if (opened && options.remember)
        m_recentFiles->add(file);
    WaitEnd();
    return status;
}

PlayReadStatus frmMain::readPlay(const QString &sFile)
{
    // The play is drawn once, when its first frame is selected.
    m_editing->setDrawingSuppressed(true);
    auto drawing = qScopeGuard([this] { m_editing->setDrawingSuppressed(false); });
    PlayReadResult read = m_document.open(sFile, defaultPlayLooks(m_prefs));
    const QString loadError = QString::fromStdString(loadErrorMessage(sFile.toStdString()));
    switch (read.status) {
    case PlayReadStatus::Refused:
        m_platform.messageBox(QString::fromStdString(read.refusalMessage), kProgramTitle,
                              Platform::Buttons::Ok, Platform::Icon::None);
        return read.status;
    case PlayReadStatus::NotOpened:
        // Nothing was taken: the play, its file and the panels stay as they were.
        m_platform.beep();
        m_platform.messageBox(loadError, kProgramTitle, Platform::Buttons::Ok,
                              Platform::Icon::None);
        return read.status;
    case PlayReadStatus::Opened:
    case PlayReadStatus::OpenedWithFailure:
        break;
    }

    // The document holds the header, looks and frames (the list always holds the header's
    // frame count); a damaged file left it without a file, so Save asks for a name.
    const bool damaged = read.status == PlayReadStatus::OpenedWithFailure;
    if (damaged) {
        m_platform.beep();
        m_platform.messageBox(loadError, kProgramTitle, Platform::Buttons::Ok,
                              Platform::Icon::None);
    }

    if (notesOpen())
        m_notes->Form_Load(m_document.title(), m_document.notes());
    SetupForm();
    drawing.dismiss();
    m_editing->setDrawingSuppressed(false);
    SelectFrame(1);
    return read.status;
}

// ---- Notes window ----

bool frmMain::notesOpen() const
{
    return m_notes && m_notes->isVisible();
}

void frmMain::mnuViewNotes_Click()
{
    showNotesWindow();
}

void frmMain::showNotesWindow()
{
    if (!m_notes) {
        m_notes = new frmNotes(this);
        // The play takes the texts as they are typed, so it never differs from what shows.
        connect(m_notes, &frmNotes::edited, this, [this] {
            m_document.setTexts(m_notes->title(), m_notes->notes());
            m_document.markChanged();
        });
        connect(m_notes, &frmNotes::handBack, &m_document, &PlayDocument::setTexts);
    }
    // An open window keeps what it shows; a closed one is filled from the play.
    if (!notesOpen())
        m_notes->Form_Load(m_document.title(), m_document.notes());
    m_notes->show();
    m_notes->raise();
    m_notes->activateWindow();
}

void frmMain::closeNotesWindow()
{
    if (notesOpen())
        m_notes->close();
}

} // namespace kinetra
