// The File menu's New, Open, Save and Save As around the play document (which reads and writes
// the files): the save prompt, the messages, the panels, the recent-file items and the notes
// window.
#include "app/frmmain.h"

#include "app/programfolder.h"
#include "model/playfile.h"
#include "model/runtimeerror.h"
#include "prefs/playlooks.h"
#include "prefs/settingsstore.h"
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
#include <QScrollBar>

#include <map>

namespace kinetra {

namespace {

const QString kProgramTitle = "Kinetra";
const QString kFilesSection = "Files";

QString recentKey(int i)
{
    return QString("RecentFile%1").arg(i);
}

} // namespace

void frmMain::connectDocumentCommands()
{
    onCommand("mnuFileNew", [this] { mnuFileNew_Click(); });
    onCommand("mnuFileOpen", [this] { mnuFileOpen_Click(); });
    onCommand("mnuFileSave", [this] { mnuFileSave_Click(); });
    onCommand("mnuFileSaveAs", [this] { mnuFileSaveAs_Click(); });
    onCommand("mnuViewNotes", [this] { mnuViewNotes_Click(); });
    for (int i = 0; i < int(mnurecentFile.size()); ++i)
        onCommand(QString("mnurecentFile%1").arg(i), [this, i] { mnurecentFile_Click(i); });
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
    QString date, time;
    stampDateAndTime(date, time);
    m_document.newPlay(date, time);
    SelectFrame(1);
    emit playSettled();
    showFilePanel("Play Not Saved", QString());
    statusPanels[1]->setText(m_document.title());
    statusPanels[2]->setText(m_document.date());
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
    const std::optional<QString> path = chooseFile(false);
    if (!path)
        return;
    WaitStart();
    if (LoadScript(*path)) {
        // A play read only in part has no file: the panel names none.
        showDocumentPanels(m_document.path().isEmpty() ? QString() : *path);
        AddRecentFile(*path);
    }
    WaitEnd();
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
    if (!saved && QFileInfo(m_document.path()).absolutePath() == m_refusedFolder)
        mnuFileSaveAs_Click();
}

void frmMain::mnuFileSaveAs_Click()
{
    std::optional<QString> path = chooseFile(true);
    if (!path || !addPlayExtension(*path))
        return;
    WaitStart();
    // A failed save names no file: the panel keeps the play's file and the recent files do
    // not list a play that was never written.
    const bool saved = SaveScript(*path);
    if (saved)
        showFilePanel(QFileInfo(*path).fileName(), *path);
    WaitEnd();
    if (saved)
        AddRecentFile(*path);
}

std::optional<QString> frmMain::chooseFile(bool saving)
{
    Platform::FileDialog dialog;
    dialog.title = saving ? "Save As" : "Open";
    dialog.filter = saving ? "Play files (*.KTR)|*.KTR" : "Play Files (*.KTR)|*.KTR";
    dialog.startFolder = dialogStartFolder();
    // Saving a play its own folder refused proposes the play's name for the new place.
    const bool refused = !m_document.path().isEmpty()
                         && QFileInfo(m_document.path()).absolutePath() == m_refusedFolder;
    const QString saveName = refused ? QFileInfo(m_document.path()).fileName() : QString("new.ktr");
    dialog.proposedName = saving ? saveName : QFileInfo(m_dialogFileName).fileName();
    dialog.mustExist = !saving;
    dialog.confirmReplace = saving;
    if (saving)
        dialog.defaultSuffix = "KTR";
    std::optional<QString> chosen;
    bool failed = false;
    try {
        chosen = saving ? m_platform.saveFileName(dialog) : m_platform.openFileName(dialog);
        failed = chosen && chosen->trimmed().isEmpty();
    } catch (...) {
        failed = true;
    }
    if (failed) {
        m_platform.beep();
        m_platform.messageBox("Error selecting file.", kProgramTitle, Platform::Buttons::Ok,
                              Platform::Icon::Warning);
        return std::nullopt;
    }
    if (!chosen)
        return std::nullopt;
    LastChosenFile = chosen->trimmed();
    m_dialogFileName = LastChosenFile;
    return LastChosenFile;
}

bool frmMain::addPlayExtension(QString &path)
{
    // Without the extension the Open dialog's filter would hide the play. A name that has one
    // is kept as typed.
    if (!QFileInfo(path).suffix().isEmpty())
        return true;
    path += ".KTR";
    LastChosenFile = path;
    m_dialogFileName = path;
    // The dialog asked about the name as typed, not about this one.
    if (QFileInfo::exists(path)
        && m_platform.messageBox(QString("%1 already exists.\nDo you want to replace it?")
                                     .arg(QDir::toNativeSeparators(path)),
                                 "Save As", Platform::Buttons::YesNo, Platform::Icon::Warning)
               != Platform::Answer::Yes)
        return false;
    return true;
}

QString frmMain::dialogStartFolder() const
{
    // The dialogs start where the last chosen file lies; at first in the current folder,
    // which start-up made the program's folder (the user's documents folder when that one is
    // read-only).
    if (LastChosenFile.isEmpty())
        return documentStartFolder();
    // A folder that refused a save is no place to start: the user's documents are.
    const QString folder = QFileInfo(LastChosenFile).absolutePath();
    return folder == m_refusedFolder ? documentsFolder() : folder;
}

void frmMain::showDocumentPanels(const QString &file)
{
    showFilePanel(QFileInfo(file).fileName(), file);
    statusPanels[1]->setText(m_document.title());
    statusPanels[2]->setText(m_document.date());
}

void frmMain::showFilePanel(const QString &text, const QString &path)
{
    // The panel takes the room the whole name needs; only a name too long for a window of the
    // first size is shortened, in the middle. The tip names the full path.
    QLabel *panel = statusPanels[0];
    const QFontMetrics metrics(panel->font());
    const int most = twipsToPixels(4800);
    panel->setText(metrics.elidedText(text, Qt::ElideMiddle, most));
    panel->setMinimumWidth(std::max(60, metrics.horizontalAdvance(panel->text()) + 6));
    panel->setToolTip(path.isEmpty() ? QString("Play file name") : QDir::toNativeSeparators(path));
}

void frmMain::stampDateAndTime(QString &date, QString &time)
{
    const QDateTime now = m_platform.now();
    date = QString::fromStdString(
        formatPlayDate(now.date().year(), now.date().month(), now.date().day()));
    time = QString::fromStdString(
        formatPlayTime(now.time().hour(), now.time().minute(), now.time().second()));
}

// ---- Play files ----

bool frmMain::SaveScript(const QString &sFile)
{
    // The header gets the latest title and notes from an open notes window.
    closeNotesWindow();

    QString date, time;
    stampDateAndTime(date, time);
    bool framesRestated = false;
    const auto restated = connect(&m_document, &PlayDocument::framesChanged, this,
                                  [&framesRestated] { framesRestated = true; });
    const PlaySaveResult result = m_document.save(sFile, Prefs, date, time);
    disconnect(restated);
    if (!result.ok()) {
        if (result.errorCode == ErrorCode::PermissionDenied)
            m_refusedFolder = QFileInfo(sFile).absolutePath();
        m_platform.beep();
        m_platform.messageBox(QString::fromStdString(saveErrorMessage(sFile.toStdString(), result)),
                              kProgramTitle, Platform::Buttons::Ok, Platform::Icon::None);
        return false;
    }
    statusPanels[2]->setText(m_document.date());
    statusPanels[1]->setText(m_document.title());
    matchSavedLabels();
    // A frame text the file cannot hold was replaced; the field shows it as saved.
    if (framesRestated)
        DrawSelected();
    emit playSettled();
    return true;
}

void frmMain::matchSavedLabels()
{
    // The labels are saved with the play but belong to the preference record; like the play's
    // own texts they become what the file holds, so opening the file gives the same.
    const auto asSaved = [](const std::string &text) { return textAsSaved(text); };
    bool labelsChanged = false;
    for (auto *labels : {&Prefs.OPLabel, &Prefs.DPLabel})
        for (std::string &label : *labels)
            if (std::string saved = asSaved(label); saved != label) {
                label = std::move(saved);
                labelsChanged = true;
            }
    if (labelsChanged)
        m_editing->showPlayerLabels();
    bool actionsChanged = false;
    for (std::string &label : Prefs.ActionLabel)
        if (std::string saved = asSaved(label); saved != label) {
            label = std::move(saved);
            actionsChanged = true;
        }
    if (actionsChanged)
        for (size_t k = 0; k < Prefs.ActionLabel.size(); ++k)
            palette->Tracerlbl[k]->setText(QString::fromStdString(Prefs.ActionLabel[k]));
}

bool frmMain::LoadScript(const QString &sFile)
{
    PlayReadResult read = m_document.open(sFile);
    const QString loadError = QString::fromStdString(loadErrorMessage(sFile.toStdString()));
    switch (read.status) {
    case PlayReadStatus::Refused:
        m_platform.messageBox(QString::fromStdString(read.refusalMessage), kProgramTitle,
                              Platform::Buttons::Ok, Platform::Icon::None);
        return false;
    case PlayReadStatus::NotOpened:
        // Nothing was taken: the play, its file and the panels stay as they were.
        m_platform.beep();
        m_platform.messageBox(loadError, kProgramTitle, Platform::Buttons::Ok,
                              Platform::Icon::None);
        return false;
    case PlayReadStatus::Opened:
    case PlayReadStatus::OpenedWithFailure:
        break;
    }

    // The document holds the header and the frames (the list always holds the header's frame
    // count); a damaged file left it without a file, so Save asks for a name.
    emit playSettled();

    applyPlayLooks(Prefs, read);

    const bool damaged = read.status == PlayReadStatus::OpenedWithFailure;
    if (damaged) {
        m_platform.beep();
        m_platform.messageBox(loadError, kProgramTitle, Platform::Buttons::Ok,
                              Platform::Icon::None);
    }

    if (notesOpen())
        m_notes->Form_Load(m_document.title(), m_document.notes());
    SetupForm();
    SelectFrame(1);
    return true;
}

// ---- Recent files ----

void frmMain::LoadRecentFiles()
{
    if (m_store.read(kFilesSection, recentKey(1)).isEmpty())
        return;
    // Items beyond the stored paths keep their state: the list never shrinks.
    const QStringList keys = m_store.keys(kFilesSection);
    for (int i = 0; i < keys.size() && i < int(mnurecentFile.size()); ++i) {
        const QString path = m_store.read(kFilesSection, keys[i]);
        QAction *item = mnurecentFile[size_t(i)];
        // The caption shows the path as it is; '&' would otherwise mark a shortcut letter.
        item->setText(QString(path).replace('&', "&&"));
        item->setData(path);
        item->setVisible(true);
    }
}

void frmMain::StoreRecentFile(const QString &path)
{
    for (int i = 3; i >= 0; --i) {
        const QString older = m_store.read(kFilesSection, recentKey(i));
        if (!older.isEmpty())
            m_store.write(kFilesSection, recentKey(i + 1), older);
    }
    m_store.write(kFilesSection, recentKey(1), path);
    m_store.sync();
}

QString frmMain::recentFileCaption(int index) const
{
    if (index < 0 || index >= int(mnurecentFile.size()))
        return QString();
    return mnurecentFile[size_t(index)]->data().toString();
}

bool frmMain::IsRecentFile(const QString &path) const
{
    for (int i = 0; i < int(mnurecentFile.size()); ++i)
        if (mnurecentFile[size_t(i)]->isVisible() && recentFileCaption(i) == path)
            return true;
    return false;
}

void frmMain::AddRecentFile(const QString &path)
{
    // A path already listed keeps its place.
    if (!IsRecentFile(path))
        StoreRecentFile(path);
    LoadRecentFiles();
}

void frmMain::mnurecentFile_Click(int index)
{
    if (!DataSafe())
        return;
    const QString path = recentFileCaption(index);
    if (path.isEmpty())
        return;
    LastChosenFile = path;
    m_dialogFileName = path;
    WaitStart();
    if (LoadScript(path)) {
        showDocumentPanels(m_document.path().isEmpty() ? QString() : path);
        AddRecentFile(path);
    }
    WaitEnd();
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
        connect(m_notes, &frmNotes::edited, this, [this] { m_document.markChanged(); });
        connect(m_notes, &frmNotes::handBack, this, &frmMain::notes_handBack);
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

void frmMain::notes_handBack(const QString &title, const QString &notes)
{
    m_document.setTexts(title, notes);
    statusPanels[1]->setText(m_document.title());
}

} // namespace kinetra
