#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace kinetra {

class PlayDocument;

/// The size and time of a play file; -1 where there is no file to tell them.
struct PlayFileState
{
    qint64 size = -1;
    qint64 modifiedAt = -1; ///< milliseconds since the epoch

    /// The file at path as it is now.
    static PlayFileState of(const QString &path);
};

/// Decides when the recovery copy of a document's play is taken and when it goes.
///
/// A change arms one timer; when it runs out (delayMs after the first change it saw) a copy is
/// due, unless the play was undone back to its file. Once the play is no longer modified
/// (saved, New, Open) or it is closed, the copy is obsolete. The first change after a save or
/// an open notes the play's file as the changes found it, so that recovering them over a file
/// changed since can be told.
class RecoverySchedule : public QObject
{
    Q_OBJECT

public:
    /// Seconds since the epoch.
    using Clock = std::function<qint64()>;
    /// Calls `call` once, `milliseconds` from now.
    using Timer = std::function<void(int milliseconds, std::function<void()> call)>;

    RecoverySchedule(PlayDocument &document, int delayMs, Clock now, Timer singleShot,
                     QObject *parent = nullptr);

    /// When the latest change was made, seconds since the epoch.
    qint64 changedAt() const { return m_changedAt; }
    /// The play's file as the changes since the last save or open found it; as it is now when
    /// nothing was changed since, or the play's file is another one.
    PlayFileState fileState() const;
    /// The changes from here on are made to playFile as `state` tells it was (for recovered
    /// changes: as the earlier run found it).
    void noteFile(const QString &playFile, PlayFileState state);

signals:
    /// The play holds changes no file holds: a copy is to be written now.
    void copyDue();
    /// No change is held only in memory any more: the copy is to go.
    void copyObsolete();

private:
    void edited();
    void settled();
    void timerRunOut();

    PlayDocument &m_document;
    int m_delayMs;
    Clock m_now;
    Timer m_singleShot;
    bool m_timerArmed = false;
    bool m_changed = false;    ///< a change since the last copy was due
    qint64 m_changedAt = 0;
    QString m_filePath;        ///< the play's file as the changes found it
    PlayFileState m_fileState;
    bool m_fileStateTaken = false;
};

} // namespace kinetra
