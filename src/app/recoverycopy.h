#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

namespace kinetra {

class frmMain;
class Platform;
class RecoveryWriter;
struct RecoveryInfo;
struct PlaySnapshot;

/// Keeps a recovery copy of the window's play while it has unsaved changes, and offers the
/// copies a run that ended without cleaning up left behind.
///
/// A change arms one timer; when it runs out (kDelayMs after the first change it saw) the play
/// is copied in memory on the window's thread and written on a thread of its own, so a change
/// is on the disk within kDelayMs and copies are written no more often than that. Saving,
/// New, Open and a normal close remove the copy. The copy belongs to the running instance:
/// make one only after the single-instance lock is held. A folder that cannot be written is
/// noted once, in the error log and the window's status bar; the program goes on, and tries
/// again at the next change.
///
/// Each copy also notes the size and time of the play's file as the changes found it, so that
/// recovering them over a file changed since (by hand, or by another program) never replaces
/// that file unasked.
class RecoveryCopy : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDelayMs = 10000;

    /// Copies `window`'s play into `folder`, timed by `platform`'s clock.
    RecoveryCopy(frmMain &window, Platform &platform, const QString &folder = defaultFolder());
    /// Finishes the writing in hand.
    ~RecoveryCopy() override;

    /// The per-user folder: $XDG_STATE_HOME/DAZI/recovery (~/.local/state/DAZI/recovery).
    static QString defaultFolder();

    /// Clears out declined copies older than a week and what cut-off writes left, then asks
    /// about each copy left behind, latest first, until one is recovered. Yes opens it in the
    /// window (see frmMain::openRecoveredPlay) and it becomes this run's copy; No moves it
    /// into the "discarded" folder. A copy that cannot be read stays where it is.
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

    /// The window's play as it stands, copied: what the next copy writes. Cheap enough for the
    /// window's thread: the frames are copied once, and nothing is formatted or written.
    std::shared_ptr<const PlaySnapshot> snapshot() const;
    /// What the copy of `play` notes beside it: the play's file, title, current frame, the
    /// latest change and the file's state.
    RecoveryInfo description(const PlaySnapshot &play) const;

private:
    void playEdited();
    void playSettled();
    void removeCopy();
    void timerRunOut();
    /// Moves the copy `base` into the discarded folder, noting when.
    void discard(const QString &base);
    void noteFailure(int code, const QString &description);
    /// Notes the play's file as it stands, for the copies of the changes from here on.
    void takeFileState();

    frmMain &m_window;
    Platform &m_platform;
    QString m_folder;
    QString m_base;            ///< this run's copy, named at its first write
    bool m_timerArmed = false;
    bool m_changed = false;    ///< a change since the last copy was taken
    bool m_hasCopy = false;    ///< a copy may be on the disk
    bool m_failureNoted = false;
    qint64 m_changedAt = 0;    ///< the latest change, seconds since the epoch
    /// The play's file as the changes since the last save or open found it.
    QString m_filePath;
    qint64 m_fileSize = -1;
    qint64 m_fileModifiedAt = -1;
    bool m_fileStateTaken = false;
    QPointer<QLabel> m_notice; ///< owned by the status bar
    std::unique_ptr<RecoveryWriter> m_writer;
};

} // namespace kinetra
