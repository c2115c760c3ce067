#include "app/recoverycopy.h"

#include "app/frmmain.h"
#include "app/programfolder.h"
#include "app/reporterror.h"
#include "model/atomicfile.h"
#include "model/recoverywriter.h"
#include "model/runtimeerror.h"
#include "surface/platform.h"
#include "windows/frmnotes.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

#include <cerrno>
#include <cstdio>

namespace kinetra {

namespace {

const QString kActivity = "Saving Recovery Copy";
// A description is a few short lines; a larger file is not one of ours.
constexpr qint64 kMaxInfoBytes = 64 * 1024;

std::string localPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

QString playCopyName(const QString &base)
{
    return base + QString::fromLatin1(kRecoveryPlaySuffix);
}

QString infoName(const QString &base)
{
    return base + QString::fromLatin1(kRecoveryInfoSuffix);
}

std::optional<RecoveryInfo> readInfo(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseRecoveryInfo(file.read(kMaxInfoBytes).toStdString());
}

// A folder's files as the clean-up rules take them, each description read.
std::vector<RecoveryFolderEntry> listFolder(const QString &folder)
{
    std::vector<RecoveryFolderEntry> entries;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo &file : files) {
        RecoveryFolderEntry entry;
        entry.name = localPath(file.fileName());
        entry.modifiedAt = file.lastModified().toSecsSinceEpoch();
        if (file.fileName().endsWith(QString::fromLatin1(kRecoveryInfoSuffix)))
            entry.info = readInfo(file.filePath());
        entries.push_back(std::move(entry));
    }
    return entries;
}

void removeFiles(const QString &folder, const std::vector<std::string> &names)
{
    for (const std::string &name : names)
        QFile::remove(folder + "/" + QFile::decodeName(name.c_str()));
}

struct FileState
{
    qint64 size = -1;
    qint64 modifiedAt = -1;
};

// The size and time of the file at path; untold (-1) when there is none.
FileState fileState(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo file(path);
    if (!file.isFile())
        return {};
    return {file.size(), file.lastModified().toMSecsSinceEpoch()};
}

} // namespace

RecoveryCopy::RecoveryCopy(frmMain &window, Platform &platform, const QString &folder)
    : m_window(window)
    , m_platform(platform)
    , m_folder(folder)
{
    // Failures come from the writer's thread; they are noted on this one.
    m_writer = std::make_unique<RecoveryWriter>(
        localPath(folder), [this](int code, const std::string &description) {
            QMetaObject::invokeMethod(
                this,
                [this, code, text = QString::fromStdString(description)] {
                    noteFailure(code, text);
                },
                Qt::QueuedConnection);
        });
    connect(&window, &frmMain::playEdited, this, &RecoveryCopy::playEdited);
    connect(&window, &frmMain::playSettled, this, &RecoveryCopy::playSettled);
}

RecoveryCopy::~RecoveryCopy()
{
    m_writer.reset();
}

QString RecoveryCopy::defaultFolder()
{
    return stateFolder() + "/recovery";
}

void RecoveryCopy::waitForWriter()
{
    m_writer->waitIdle();
}

QString RecoveryCopy::question(const QString &title, qint64 changedAt, const QString &playFile,
                               bool fileChanged)
{
    const QString when =
        QDateTime::fromSecsSinceEpoch(changedAt).toString(QStringLiteral("MM-dd-yyyy HH:mm:ss"));
    const QString play = QStringLiteral("'%1'").arg(title.isEmpty() ? QStringLiteral("Untitled")
                                                                     : title);
    const QString file = playFile.isEmpty()
                             ? QString()
                             : QStringLiteral(" in %1").arg(QDir::toNativeSeparators(playFile));
    const QString warning = fileChanged ? QStringLiteral(" The file has been changed since then; "
                                                         "if you recover the changes, saving "
                                                         "them will ask before replacing it.")
                                        : QString();
    return QStringLiteral("Kinetra was closed before changes to %1%2 were saved (last change "
                          "%3).%4 Recover them?")
        .arg(play, file, when, warning);
}

bool RecoveryCopy::fileChangedSince(const RecoveryInfo &info)
{
    if (info.fileSize < 0 || info.fileModifiedAt < 0)
        return false;
    // A file that is gone holds nothing a save could destroy.
    const FileState now = fileState(QString::fromStdString(info.playPath));
    if (now.size < 0)
        return false;
    return now.size != info.fileSize || now.modifiedAt != info.fileModifiedAt;
}

void RecoveryCopy::takeFileState()
{
    m_filePath = m_window.document().path();
    const FileState state = fileState(m_filePath);
    m_fileSize = state.size;
    m_fileModifiedAt = state.modifiedAt;
    m_fileStateTaken = true;
}

void RecoveryCopy::playEdited()
{
    // The first change after a save or an open finds the file as the play was read from or
    // written to it; an outside change after that is what a recovery must not hide.
    if (!m_fileStateTaken)
        takeFileState();
    m_changed = true;
    m_changedAt = m_platform.now().toSecsSinceEpoch();
    // One timer at a time: a run of changes is copied once, kDelayMs after its first change.
    if (m_timerArmed)
        return;
    m_timerArmed = true;
    m_platform.singleShot(kDelayMs, this, [this] { timerRunOut(); });
}

void RecoveryCopy::playSettled()
{
    m_fileStateTaken = false;
    removeCopy();
}

void RecoveryCopy::removeCopy()
{
    // A timer still running finds nothing to copy.
    m_changed = false;
    if (m_hasCopy)
        m_writer->remove(localPath(m_base));
    m_hasCopy = false;
}

void RecoveryCopy::timerRunOut()
{
    m_timerArmed = false;
    if (!m_changed)
        return;
    m_changed = false;
    // Undone back to the play as saved: the file holds it all.
    if (!m_window.document().isModified()) {
        removeCopy();
        return;
    }
    if (m_base.isEmpty())
        m_base = QString("%1-%2")
                     .arg(m_platform.now().toString(QStringLiteral("yyyyMMdd-HHmmss")))
                     .arg(QCoreApplication::applicationPid());
    std::shared_ptr<const PlaySnapshot> play = snapshot();
    RecoveryInfo info = description(*play);
    m_writer->write(localPath(m_base), std::move(play), std::move(info));
    m_hasCopy = true;
}

std::shared_ptr<const PlaySnapshot> RecoveryCopy::snapshot() const
{
    const frmMain &w = m_window;
    auto play = std::make_shared<PlaySnapshot>(w.document().snapshot(w.Prefs));
    // An open notes window holds the latest title and notes; the play gets them when it closes.
    if (w.notesOpen()) {
        play->title = w.notesWindow()->title().toStdString();
        play->notes = w.notesWindow()->notes().toStdString();
    }
    return play;
}

RecoveryInfo RecoveryCopy::description(const PlaySnapshot &play) const
{
    const PlayDocument &document = m_window.document();
    RecoveryInfo info{document.path().toStdString(), play.title, document.frames().current(),
                      m_changedAt, 0};
    const FileState file = m_fileStateTaken && m_filePath == document.path()
                               ? FileState{m_fileSize, m_fileModifiedAt}
                               : fileState(document.path());
    info.fileSize = file.size;
    info.fileModifiedAt = file.modifiedAt;
    return info;
}

void RecoveryCopy::offerRecovery()
{
    const qint64 now = m_platform.now().toSecsSinceEpoch();
    const QString discarded = m_folder + "/discarded";
    removeFiles(discarded, filesToRemove(listFolder(discarded), now, true));
    const std::vector<RecoveryFolderEntry> entries = listFolder(m_folder);
    removeFiles(m_folder, filesToRemove(entries, now, false));

    for (const std::string &name : copiesToOffer(entries)) {
        const QString base = QFile::decodeName(name.c_str());
        const std::optional<RecoveryInfo> info = readInfo(m_folder + "/" + infoName(base));
        if (!info)
            continue;
        const QString playFile = QString::fromStdString(info->playPath);
        const bool fileChanged = fileChangedSince(*info);
        const Platform::Answer answer = m_platform.messageBox(
            question(QString::fromStdString(info->title), info->changedAt, playFile, fileChanged),
            "Kinetra", Platform::Buttons::YesNo, Platform::Icon::Question);
        if (answer == Platform::Answer::No) {
            discard(base);
            continue;
        }
        // Closing the box without an answer leaves the copies for the next start.
        if (answer != Platform::Answer::Yes)
            return;
        if (m_window.openRecoveredPlay(m_folder + "/" + playCopyName(base), playFile,
                                       info->currentFrame, fileChanged)) {
            // The recovered changes are this run's to copy now, over the old copy, still
            // made to the file as it was then.
            m_base = base;
            m_hasCopy = true;
            m_filePath = playFile;
            m_fileSize = info->fileSize;
            m_fileModifiedAt = info->fileModifiedAt;
            m_fileStateTaken = true;
        }
        return;
    }
}

void RecoveryCopy::discard(const QString &base)
{
    const QString discarded = m_folder + "/discarded";
    std::optional<RecoveryInfo> info = readInfo(m_folder + "/" + infoName(base));
    if (!info)
        return;
    info->discardedAt = m_platform.now().toSecsSinceEpoch();
    try {
        // The description goes first: until the old one is gone the copy is still offered.
        if (!QDir().mkpath(discarded))
            throw RuntimeError(ErrorCode::PathNotFound);
        AtomicFile description(localPath(discarded + "/" + infoName(base)));
        description.open();
        description.write(formatRecoveryInfo(*info));
        description.commit();
        const std::string play = localPath(m_folder + "/" + playCopyName(base));
        if (std::rename(play.c_str(), localPath(discarded + "/" + playCopyName(base)).c_str()))
            throw RuntimeError(errorCodeForErrno(errno));
        QFile::remove(m_folder + "/" + infoName(base));
    } catch (...) {
        const RuntimeError failure = currentFailure();
        noteFailure(failure.code(), QString::fromStdString(failure.description()));
    }
}

void RecoveryCopy::noteFailure(int code, const QString &description)
{
    // A folder that cannot be written fails every copy alike: the user is told once.
    if (m_failureNoted)
        return;
    m_failureNoted = true;
    const QString why = QStringLiteral("Recovery copies are off: %1").arg(description);
    LogFailure(kActivity, code,
               QStringLiteral("%1 (%2)").arg(why, QDir::toNativeSeparators(m_folder)));
    m_notice = new QLabel(why, m_window.statusBar());
    m_notice->setObjectName("sbRecovery");
    m_notice->setToolTip(QStringLiteral("Unsaved changes are not copied to %1")
                             .arg(QDir::toNativeSeparators(m_folder)));
    m_window.statusBar()->addPermanentWidget(m_notice);
}

} // namespace kinetra
