#include "model/atomicfile.h"

#include "model/runtimeerror.h"
#include "model/temporaryfiles.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kinetra {

namespace {

std::atomic<AtomicFile::WriteCall> g_writeCall{&::write};
std::atomic<AtomicFile::SyncCall> g_syncCall{&::fsync};

[[noreturn]] void throwErrno(int err)
{
    throw RuntimeError(errorCodeForErrno(err));
}

std::string folderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

int errorCodeForErrno(int err)
{
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return ErrorCode::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrorCode::PermissionDenied;
    case ENOENT:
    case ENOTDIR:
        return ErrorCode::PathNotFound;
    case EIO:
        return ErrorCode::DeviceIOError;
    case ENOMEM:
        return ErrorCode::OutOfMemory;
    default:
        return ErrorCode::PathFileAccessError;
    }
}

namespace {

// The file a path names once its symbolic links are followed, also when the last link points
// to a file that does not exist yet (saving through it creates that file, not a plain file in
// place of the link). A relative link counts from the folder of the link.
std::string followLinks(std::string path)
{
    constexpr int kMaxLinks = 40; // as the system's own limit for one path
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length < 0 || size_t(length) >= link.size())
            return path;
        link.resize(size_t(length));
        path = link.front() == '/' ? link : folderOf(path) + "/" + link;
    }
    throwErrno(ELOOP);
}

// Refuses to replace an existing file this user may not write (a read-only play, or one of
// another user's), as writing into it would be refused. A file with no write bit at all was
// made read-only on purpose, which holds also for a user whose access check passes anyway
// (root). Fills `existing` and returns true when there is a file to replace.
bool checkReplaceable(const std::string &target, struct stat &existing)
{
    if (::stat(target.c_str(), &existing) != 0 || !S_ISREG(existing.st_mode))
        return false;
    if ((existing.st_mode & 0222) == 0)
        throwErrno(EACCES);
    if (::access(target.c_str(), W_OK) != 0)
        throwErrno(errno);
    return true;
}

} // namespace

AtomicFile::AtomicFile(std::string target)
    : m_name(target)
    , m_target(followLinks(std::move(target)))
{
}

void AtomicFile::fail(int err) const
{
    throw RuntimeError(errorCodeForErrno(err)).setPath(m_name);
}

void AtomicFile::checkTarget(const std::string &target)
{
    try {
        const std::string file = followLinks(target);
        struct stat existing;
        if (checkReplaceable(file, existing))
            return;
        // The rename would fail on a folder only once everything is written.
        if (::stat(file.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))
            throwErrno(EISDIR);
        struct stat folder;
        if (::stat(folderOf(file).c_str(), &folder) != 0)
            throwErrno(errno);
        if (!S_ISDIR(folder.st_mode))
            throwErrno(ENOTDIR);
    } catch (RuntimeError &failure) {
        failure.setPath(target);
        throw;
    }
}

AtomicFile::~AtomicFile()
{
    discard();
}

AtomicFile::WriteCall AtomicFile::setWriteCall(WriteCall call)
{
    return g_writeCall.exchange(call ? call : &::write);
}

AtomicFile::SyncCall AtomicFile::setSyncCall(SyncCall call)
{
    return g_syncCall.exchange(call ? call : &::fsync);
}

void AtomicFile::open()
{
    discard();
    struct stat existing;
    bool replacing = false;
    try {
        replacing = checkReplaceable(m_target, existing);
    } catch (RuntimeError &failure) {
        failure.setPath(m_name);
        throw;
    }
    // A name of our own next to the target, created exclusively so two saves never share it;
    // mode 0666 lets the umask decide the permissions, as for any new file.
    m_fd = createTemporaryFile(m_target, m_temporary);
    if (m_fd < 0)
        fail(errno);
    // Replacing a file keeps its owner and group where this user may give them, and its
    // permissions (set last: a change of owner clears the set-id bits).
    if (replacing) {
        if (::fchown(m_fd, existing.st_uid, existing.st_gid) != 0)
            (void)::fchown(m_fd, uid_t(-1), existing.st_gid);
        ::fchmod(m_fd, existing.st_mode & 07777);
    }
}

void AtomicFile::write(std::string_view bytes)
{
    if (m_fd < 0)
        throw RuntimeError(ErrorCode::BadFileNameOrNumber);
    while (!bytes.empty()) {
        const ssize_t written = g_writeCall.load()(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        if (written == 0)
            fail(ENOSPC);
        bytes.remove_prefix(size_t(written));
    }
}

void AtomicFile::finish()
{
    if (m_fd < 0) {
        if (m_temporary.empty())
            throw RuntimeError(ErrorCode::BadFileNameOrNumber);
        return;
    }
    if (g_syncCall.load()(m_fd) != 0)
        fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        fail(errno);
}

void AtomicFile::commit()
{
    commitAll({this});
}

void AtomicFile::commitAll(const std::vector<AtomicFile *> &files)
{
    std::vector<TemporaryMove> moves;
    for (AtomicFile *file : files) {
        file->finish();
        moves.emplace_back(file->m_temporary, file->m_target);
    }
    size_t failed = 0;
    if (replaceByTemporaryFiles(moves, &failed) != 0)
        files[std::min(failed, files.size() - 1)]->fail(errno);
    std::string synced;
    for (AtomicFile *file : files) {
        file->m_temporary.clear();
        // Make the rename itself durable; a folder that cannot be synced is no failure of
        // the save.
        const std::string folder = folderOf(file->m_target);
        if (folder == synced)
            continue;
        synced = folder;
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            g_syncCall.load()(fd);
            ::close(fd);
        }
    }
}

void AtomicFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        removeTemporaryFile(m_temporary);
        m_temporary.clear();
    }
}

} // namespace kinetra
