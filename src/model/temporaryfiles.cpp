#include "model/temporaryfiles.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <map>
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
    // When each folder was last cleared of stale temporaries: a run of writes into one
    // folder (every frame of a play) looks through it once, not once a file.
    std::map<std::string, std::chrono::steady_clock::time_point> cleared;
};

// Never destroyed: a signal may end the process while static objects are being destroyed.
Listed &listed()
{
    static Listed *const list = new Listed;
    return *list;
}

std::string folderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The process id of a name "NAME.tmp~PID-N", or 0 when the name is not one of ours.
pid_t temporaryOwner(const std::string &name)
{
    const size_t mark = name.rfind(".tmp~");
    if (mark == std::string::npos || mark == 0)
        return 0;
    long long pid = 0;
    size_t i = mark + 5;
    const size_t pidStart = i;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && pid < (1LL << 31); ++i)
        pid = pid * 10 + (name[i] - '0');
    if (i == pidStart || i >= name.size() || name[i] != '-' || ++i >= name.size())
        return 0;
    for (; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9')
            return 0;
    return pid > 0 && pid < (1LL << 31) ? pid_t(pid) : 0;
}

bool isRunning(pid_t pid)
{
    // A process of another user answers EPERM: it runs.
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

} // namespace

void removeStaleTemporaryFiles(const std::string &folder)
{
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const pid_t self = ::getpid();
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        const pid_t owner = temporaryOwner(name);
        if (owner == 0 || owner == self || isRunning(owner))
            continue;
        const std::string path = folder + "/" + name;
        struct stat info;
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

int createTemporaryFile(const std::string &target, std::string &temporary)
{
    Listed &list = listed();
    {
        const std::string folder = folderOf(target);
        const auto now = std::chrono::steady_clock::now();
        bool due = false;
        {
            const std::lock_guard<std::mutex> lock(list.mutex);
            auto it = list.cleared.find(folder);
            due = it == list.cleared.end() || now - it->second > std::chrono::seconds(10);
            if (due)
                list.cleared[folder] = now;
        }
        if (due)
            removeStaleTemporaryFiles(folder);
    }
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

int replaceByTemporaryFiles(const std::vector<TemporaryMove> &moves, size_t *failed)
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
            if (failed)
                *failed = done.size();
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
