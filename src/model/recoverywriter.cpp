#include "model/recoverywriter.h"

#include "model/atomicfile.h"
#include "model/runtimeerror.h"

#include <cerrno>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace kinetra {

namespace {

// Creates the folder and its parents as mkdir -p does; throws the run-time error that fits.
void makeFolder(const std::string &folder)
{
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            throw RuntimeError(errorCodeForErrno(errno));
        if (slash == std::string::npos)
            break;
    }
    struct stat info;
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw RuntimeError(errorCodeForErrno(ENOTDIR));
}

void removeFile(const std::string &path)
{
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw RuntimeError(errorCodeForErrno(errno));
}

} // namespace

RecoveryWriter::RecoveryWriter(std::string folder, FailureHandler onFailure)
    : m_folder(std::move(folder))
    , m_onFailure(std::move(onFailure))
    , m_thread([this] { run(); })
{
}

RecoveryWriter::~RecoveryWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void RecoveryWriter::write(std::string base, std::shared_ptr<const PlaySnapshot> play,
                           RecoveryInfo info)
{
    post({std::move(base), std::move(play), std::move(info)});
}

void RecoveryWriter::remove(std::string base)
{
    post({std::move(base), nullptr, {}});
}

void RecoveryWriter::post(Job job)
{
    std::deque<Job> replaced;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_waiting.begin(); it != m_waiting.end();) {
            if (it->base == job.base) {
                replaced.push_back(std::move(*it));
                it = m_waiting.erase(it);
            } else {
                ++it;
            }
        }
        m_waiting.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void RecoveryWriter::waitIdle()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_waiting.empty() && !m_busy; });
}

void RecoveryWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return !m_waiting.empty() || m_stopping; });
        if (m_waiting.empty())
            return; // stopping with nothing left to do
        Job job = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_busy = true;
        lock.unlock();
        perform(job);
        job.play.reset(); // freed here, unless the caller still holds it
        lock.lock();
        m_busy = false;
        if (m_waiting.empty())
            m_idle.notify_all();
    }
}

void RecoveryWriter::perform(const Job &job)
{
    const std::string base = m_folder + "/" + job.base;
    const std::string playPath = base + std::string(kRecoveryPlaySuffix);
    const std::string infoPath = base + std::string(kRecoveryInfoSuffix);
    try {
        if (!job.play) {
            // Without its description a play copy is never offered, so that goes first.
            removeFile(infoPath);
            removeFile(playPath);
            return;
        }
        makeFolder(m_folder);
        const PlaySaveResult saved = writePlay(playPath, *job.play);
        if (!saved.ok())
            throw RuntimeError(saved.errorCode, saved.description);
        AtomicFile info(infoPath);
        info.open();
        info.write(formatRecoveryInfo(job.info));
        info.commit();
    } catch (...) {
        const RuntimeError failure = currentFailure();
        if (m_onFailure)
            m_onFailure(failure.code(), failure.description());
    }
}

} // namespace kinetra
