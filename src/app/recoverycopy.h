#pragma once

#include "document/recoveryschedule.h"

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QStatusBar;

namespace kinetra {

class Platform;
class PlayDocument;
class RecoveryWriter;
struct RecoveryInfo;
struct PlaySnapshot;

/// Keeps a recovery copy of the play document while it has unsaved changes, and offers the
/// copies a run that ended without cleaning up left behind.
///
/// When a copy is due (see RecoverySchedule: kDelayMs after the first change of a run) the
/// play is copied in memory on the document's thread and written on a thread of its own, so a
/// change is on the disk within kDelayMs and copies are written no more often than that. Once
/// the play is no longer modified (saved, New, Open) or it is closed, the copy is removed. The
/// copy belongs to the running instance: make one only after the single-instance lock is
/// held. A folder that cannot be written is noted once, in the error log and the status bar;
/// the program goes on, and tries again at the next change.
///
/// Each copy also notes the size and time of the play's file as the changes found it, so that
/// recovering them over a file changed since (by hand, or by another program) never replaces
/// that file unasked.
class RecoveryCopy : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDelayMs = 10000;

    /// Takes the play over from the copy `copy` of the changes to playFile (empty for a play
    /// never saved), at frame `frame`; playFileChanged: the file was changed since the copy was
    /// made. Returns whether the copy was read whole.
    using OpenCopy = std::function<bool(const QString &copy, const QString &playFile,
                                        int16_t frame, bool playFileChanged)>;

    /// Copies `document`'s play into `folder`, timed
    /// by `platform`'s clock; a recovered copy is opened through `openCopy`, and a folder that
    /// cannot be written is noted in `statusBar`.
    RecoveryCopy(PlayDocument &document, Platform &platform, QStatusBar *statusBar, OpenCopy openCopy, const QString &folder = defaultFolder());
    /// Finishes the writing in hand.
    ~RecoveryCopy() override;

    /// The per-user folder: $XDG_STATE_HOME/DAZI/recovery (~/.local/state/DAZI/recovery).
    static QString defaultFolder();

    /// Clears out declined copies older than a week and what cut-off writes left, then asks
    /// about each copy left behind, latest first, until one is recovered. Yes opens it through
    /// openCopy and it becomes this run's copy; No moves it into the "discarded" folder. A copy
    /// that cannot be read stays where it is.
    void offerRecovery();

    /// Waits until the copies asked for so far are written or removed.
    void waitForWriter();

    /// The question asked about a copy of the play titled `title` last changed at `changedAt`
    /// (seconds since the epoch), naming the play's file `playFile` (empty for a play never
    /// saved) and saying whether that file has changed since.
    static QString question(const QString &title, qint64 changedAt,
                            const QString &playFile = QString(), bool fileChanged = false);

    /// Whether the play's file differs from what the copy described by `info` noted about it.
    /// False where that cannot be told: no file was noted, or it is gone.
    static bool fileChangedSince(const RecoveryInfo &info);

    /// The status bar's notice that copies cannot be written, or null while they can.
    QLabel *notice() const { return m_notice.data(); }

    /// The play as it stands, copied: what the next copy writes. Cheap enough for the
    /// document's thread: the frames are copied once, and nothing is formatted or written.
    std::shared_ptr<const PlaySnapshot> snapshot() const;
    /// What the copy of `play` notes beside it: the play's file, title, current frame, the
    /// latest change and the file's state.
    RecoveryInfo description(const PlaySnapshot &play) const;

private:
    void removeCopy();
    void writeCopy();
    /// Moves the copy `base` into the discarded folder, noting when.
    void discard(const QString &base);
    void noteFailure(int code, const QString &description);

    PlayDocument &m_document;
    Platform &m_platform;
    QStatusBar *m_statusBar;
    OpenCopy m_openCopy;
    QString m_folder;
    RecoverySchedule m_schedule;
    QString m_base;            ///< this run's copy, named at its first write
    bool m_hasCopy = false;    ///< a copy may be on the disk
    bool m_failureNoted = false;
    QPointer<QLabel> m_notice; ///< owned by the status bar
    std::unique_ptr<RecoveryWriter> m_writer;
};

} // namespace kinetra
