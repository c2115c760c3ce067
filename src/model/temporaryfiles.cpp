#include "model/temporaryfiles.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace kinetra {

namespace {

struct Listed
{
    std::mutex mutex;
    std::unordered_set<std::string> paths;
};

// Never destroyed: a signal may end the process while static objects are being destroyed.
Listed &listed()
{
    static Listed *const list = new Listed;
    return *list;
}

} // namespace

int createTemporaryFile(const std::string &target, std::string &temporary)
{
    Listed &list = listed();
    for (int attempt = 0;; ++attempt) {
        const std::string name = target + ".tmp~" + std::to_string(::getpid()) + "-"
                                 + std::to_string(attempt);
        // Listed in the same step as it is made, so no signal finds it on the disk unlisted.
        const std::lock_guard<std::mutex> lock(list.mutex);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            list.paths.insert(name);
            temporary = name;
            return fd;
        }
        if (errno != EEXIST || attempt == 100)
            return -1;
    }
}

int replaceByTemporaryFiles(const std::vector<TemporaryMove> &moves)
{
    // A single rename replaces its target in one step; several are made one step by keeping
    // a second name (a hard link) of every file they replace until all have succeeded.
    const bool keepOld = moves.size() > 1;
    struct Replaced
    {
        const std::string *target;
        bool existed;
        std::string old; // the replaced file's second name, when one could be made
    };
    std::vector<Replaced> done;

    Listed &list = listed();
    const std::lock_guard<std::mutex> lock(list.mutex);
    for (const TemporaryMove &move : moves) {
        const std::string &target = move.second;
        struct stat existing;
        Replaced replaced{&target, ::lstat(target.c_str(), &existing) == 0, {}};
        if (keepOld && replaced.existed && S_ISREG(existing.st_mode)) {
            for (int attempt = 0; attempt <= 100; ++attempt) {
                std::string name = target + ".old~" + std::to_string(::getpid()) + "-"
                                   + std::to_string(attempt);
                if (::link(target.c_str(), name.c_str()) == 0) {
                    replaced.old = std::move(name);
                    break;
                }
                // A file system without hard links cannot keep the old file; the new one
                // is still put in place.
                if (errno != EEXIST)
                    break;
            }
        }
        if (::rename(move.first.c_str(), target.c_str()) != 0) {
            const int err = errno;
            if (!replaced.old.empty())
                ::unlink(replaced.old.c_str());
            for (auto r = done.rbegin(); r != done.rend(); ++r) {
                if (!r->existed)
                    ::unlink(r->target->c_str());
                else if (!r->old.empty())
                    ::rename(r->old.c_str(), r->target->c_str());
            }
            errno = err;
            return -1;
        }
        list.paths.erase(move.first);
        done.push_back(std::move(replaced));
    }
    for (const Replaced &r : done)
        if (!r.old.empty())
            ::unlink(r.old.c_str());
    return 0;
}

void removeTemporaryFile(const std::string &temporary)
{
    Listed &list = listed();
    const std::lock_guard<std::mutex> lock(list.mutex);
    if (list.paths.erase(temporary) != 0)
        ::unlink(temporary.c_str());
}

void exitRemovingTemporaryFiles(int status)
{
    Listed &list = listed();
    // Held until the end, so that no other thread makes a new temporary meanwhile.
    list.mutex.lock();
    for (const std::string &path : list.paths)
        ::unlink(path.c_str());
    ::_exit(status);
}

} // namespace kinetra
