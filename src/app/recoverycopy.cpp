#include "app/recoverycopy.h"

#include "app/programfolder.h"
#include "app/reporterror.h"
#include "document/playdocument.h"
#include "model/atomicfile.h"
#include "model/recoverywriter.h"
#include "model/runtimeerror.h"
#include "prefs/preferences.h"
#include "surface/platform.h"

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

} // namespace

RecoveryCopy::RecoveryCopy(PlayDocument &document, Platform &platform, QStatusBar *statusBar,
                           OpenCopy openCopy, const QString &folder)
    : m_document(document)
    , m_platform(platform)
    , m_statusBar(statusBar)
    , m_openCopy(std::move(openCopy))
    , m_folder(folder)
    , m_schedule(
          document, kDelayMs, [&platform] { return platform.now().toSecsSinceEpoch(); },
          [this](int milliseconds, std::function<void()> call) {
              m_platform.singleShot(milliseconds, this, std::move(call));
          })
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
    connect(&m_schedule, &RecoverySchedule::copyDue, this, &RecoveryCopy::writeCopy);
    connect(&m_schedule, &RecoverySchedule::copyObsolete, this, &RecoveryCopy::removeCopy);
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
    const PlayFileState now = PlayFileState::of(QString::fromStdString(info.playPath));
    if (now.size < 0)
        return false;
    return now.size != info.fileSize || now.modifiedAt != info.fileModifiedAt;
}

void RecoveryCopy::removeCopy()
{
    if (m_hasCopy)
        m_writer->remove(localPath(m_base));
    m_hasCopy = false;
}

void RecoveryCopy::writeCopy()
{
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
    return std::make_shared<PlaySnapshot>(m_document.snapshot());
}

RecoveryInfo RecoveryCopy::description(const PlaySnapshot &play) const
{
    RecoveryInfo info{m_document.path().toStdString(), play.title, m_document.frames().current(),
                      m_schedule.changedAt(), 0};
    const PlayFileState file = m_schedule.fileState();
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
        if (m_openCopy(m_folder + "/" + playCopyName(base), playFile, info->currentFrame,
                       fileChanged)) {
            // The recovered changes are this run's to copy now, over the old copy, still
            // made to the file as it was then.
            m_base = base;
            m_hasCopy = true;
            m_schedule.noteFile(playFile, {info->fileSize, info->fileModifiedAt});
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
    m_notice = new QLabel(why, m_statusBar);
    m_notice->setObjectName("sbRecovery");
    m_notice->setToolTip(QStringLiteral("Unsaved changes are not copied to %1")
                             .arg(QDir::toNativeSeparators(m_folder)));
    m_statusBar->addPermanentWidget(m_notice);
}

} // namespace kinetra
