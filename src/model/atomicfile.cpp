#include "model/atomicfile.h"

#include "model/runtimeerror.h"

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

AtomicFile::AtomicFile(std::string target)
    : m_target(std::move(target))
{
    char resolved[PATH_MAX];
    struct stat info;
    if (::lstat(m_target.c_str(), &info) == 0 && S_ISLNK(info.st_mode)
        && ::realpath(m_target.c_str(), resolved))
        m_target = resolved;
}

AtomicFile::~AtomicFile()
{
    discard();
}

AtomicFile::WriteCall AtomicFile::setWriteCall(WriteCall call)
{
    return g_writeCall.exchange(call ? call : &::write);
}

void AtomicFile::open()
{
    discard();
    // A name of our own next to the target, created exclusively so two saves never share it;
    // mode 0666 lets the umask decide the permissions, as for any new file.
    for (int attempt = 0;; ++attempt) {
        m_temporary = m_target + ".tmp~" + std::to_string(::getpid()) + "-"
                      + std::to_string(attempt);
        m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0)
            break;
        const int err = errno;
        if (err != EEXIST || attempt == 100) {
            m_temporary.clear();
            throwErrno(err);
        }
    }
    // Replacing a file keeps its permissions.
    struct stat info;
    if (::stat(m_target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        ::fchmod(m_fd, info.st_mode & 07777);
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
            throwErrno(errno);
        }
        if (written == 0)
            throwErrno(ENOSPC);
        bytes.remove_prefix(size_t(written));
    }
}

void AtomicFile::commit()
{
    if (m_fd < 0)
        throw RuntimeError(ErrorCode::BadFileNameOrNumber);
    if (::fsync(m_fd) != 0)
        throwErrno(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        throwErrno(errno);
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        throwErrno(errno);
    m_temporary.clear();
    // Make the rename itself durable; a folder that cannot be synced is no failure of the save.
    const int folder = ::open(folderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void AtomicFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

} // namespace kinetra
