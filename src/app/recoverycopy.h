#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace kinetra {

class frmMain;
class Platform;
class RecoveryWriter;
struct RecoverySnapshot;

/// Keeps a recovery copy of the window's play while it has unsaved changes, and offers the
/// copies a run that ended without cleaning up left behind.
///
/// A change arms one timer; when it runs out (kDelayMs after the first change it saw) the play
/// is copied in memory on the window's thread and written on a thread of its own, so a change
/// is on the disk within kDelayMs and copies are written no more often than that. Saving,
/// New, Open and a normal close remove the copy. The copy belongs to the running instance:
/// make one only after the single-instance lock is held. A folder that cannot be written is
/// noted once in the error log; the program goes on without copies.
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
    /// (seconds since the epoch).
    static QString question(const QString &title, qint64 changedAt);

    /// The window's play as it stands, copied: what the next copy writes. Cheap enough for the
    /// window's thread: the frames are copied once, and nothing is formatted or written.
    std::unique_ptr<RecoverySnapshot> snapshot() const;

private:
    void playEdited();
    void playSettled();
    void timerRunOut();
    /// Moves the copy `base` into the discarded folder, noting when.
    void discard(const QString &base);
    void noteFailure(int code, const QString &description);

    frmMain &m_window;
    Platform &m_platform;
    QString m_folder;
    QString m_base;            ///< this run's copy, named at its first write
    bool m_timerArmed = false;
    bool m_changed = false;    ///< a change since the last copy was taken
    bool m_hasCopy = false;    ///< a copy may be on the disk
    bool m_failureNoted = false;
    qint64 m_changedAt = 0;    ///< the latest change, seconds since the epoch
    std::unique_ptr<RecoveryWriter> m_writer;
};

} // namespace kinetra
