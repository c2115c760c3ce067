#include "document/recoveryschedule.h"

#include "document/playdocument.h"

#include <QDateTime>
#include <QFileInfo>

namespace kinetra {

PlayFileState PlayFileState::of(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo file(path);
    if (!file.isFile())
        return {};
    return {file.size(), file.lastModified().toMSecsSinceEpoch()};
}

RecoverySchedule::RecoverySchedule(PlayDocument &document, int delayMs, Clock now,
                                   Timer singleShot, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_delayMs(delayMs)
    , m_now(std::move(now))
    , m_singleShot(std::move(singleShot))
{
    connect(&document, &PlayDocument::edited, this, &RecoverySchedule::edited);
    connect(&document, &PlayDocument::modifiedChanged, this, [this](bool modified) {
        if (!modified)
            settled();
    });
    connect(&document, &PlayDocument::closed, this, &RecoverySchedule::settled);
}

PlayFileState RecoverySchedule::fileState() const
{
    if (m_fileStateTaken && m_filePath == m_document.path())
        return m_fileState;
    return PlayFileState::of(m_document.path());
}

void RecoverySchedule::noteFile(const QString &playFile, PlayFileState state)
{
    m_filePath = playFile;
    m_fileState = state;
    m_fileStateTaken = true;
}

void RecoverySchedule::edited()
{
    // Back at the play as its file holds it (saved, opened, undone): settled() took care.
    if (!m_document.isModified())
        return;
    // The first change after a save or an open finds the file as the play was read from or
    // written to it; an outside change after that is what a recovery must not hide.
    if (!m_fileStateTaken)
        noteFile(m_document.path(), PlayFileState::of(m_document.path()));
    m_changed = true;
    m_changedAt = m_now();
    // One timer at a time: a run of changes is copied once, m_delayMs after its first change.
    if (m_timerArmed)
        return;
    m_timerArmed = true;
    m_singleShot(m_delayMs, [this] { timerRunOut(); });
}

void RecoverySchedule::settled()
{
    // A timer still running finds nothing to copy.
    m_fileStateTaken = false;
    m_changed = false;
    emit copyObsolete();
}

void RecoverySchedule::timerRunOut()
{
    m_timerArmed = false;
    if (!m_changed)
        return;
    m_changed = false;
    // Undone back to the play as saved: the file holds it all.
    if (m_document.isModified())
        emit copyDue();
    else
        emit copyObsolete();
}

} // namespace kinetra
