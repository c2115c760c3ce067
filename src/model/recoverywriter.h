#pragma once

#include "model/playfile.h"
#include "model/recoveryinfo.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace kinetra {

/// Writes recovery copies on a thread of its own, so the caller never waits for the disk.
/// Jobs run one at a time in the order given, and for each copy only the latest waiting job
/// counts: a play given while another is being written replaces any play of that copy still
/// waiting, and a removal replaces a waiting write. A copy is written as
/// <folder>/<base>.KTR with the play writer (temporary file, then rename) and then its
/// description <base>.txt the same way, so a description always stands beside a complete play.
class RecoveryWriter
{
public:
    /// Called on the writer's thread after each job that failed, with the run-time error.
    using FailureHandler = std::function<void(int code, const std::string &description)>;

    /// Starts the thread; copies go into `folder`, which is created (with its parents) when
    /// a copy is first written.
    RecoveryWriter(std::string folder, FailureHandler onFailure);
    /// Finishes the job in hand and those waiting, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter &) = delete;
    RecoveryWriter &operator=(const RecoveryWriter &) = delete;

    /// Writes `play` as the copy named `base`, described by `info`. The play is shared, not
    /// copied: the caller may go on using it, but must not change it.
    void write(std::string base, std::shared_ptr<const PlaySnapshot> play, RecoveryInfo info);
    /// Removes the copy named `base` (description first); a copy that is not there is no
    /// failure.
    void remove(std::string base);
    /// Waits until every job given so far is done.
    void waitIdle();

    const std::string &folder() const { return m_folder; }

private:
    struct Job
    {
        std::string base;
        std::shared_ptr<const PlaySnapshot> play; ///< null: remove the copy
        RecoveryInfo info;
    };
    void post(Job job);
    void run();
    void perform(const Job &job);

    const std::string m_folder;
    const FailureHandler m_onFailure;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Job> m_waiting;
    bool m_busy = false;
    bool m_stopping = false;
    std::thread m_thread; // last: starts once everything it uses exists
};

} // namespace kinetra
