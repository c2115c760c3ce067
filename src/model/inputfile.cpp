#include "model/inputfile.h"

#include "model/atomicfile.h"
#include "model/runtimeerror.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kinetra {

InputFile::InputFile(const std::string &path)
    : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
{
    if (m_fd < 0) {
        const int err = errno;
        throw RuntimeError(err == ENOENT ? ErrorCode::FileNotFound : errorCodeForErrno(err));
    }
}

InputFile::~InputFile()
{
    ::close(m_fd);
}

size_t InputFile::read(char *data, size_t capacity)
{
    for (;;) {
        const ssize_t got = ::read(m_fd, data, capacity);
        if (got >= 0)
            return size_t(got);
        if (errno != EINTR)
            throw RuntimeError(errorCodeForErrno(errno));
    }
}

std::string readFileBytes(const std::string &path, size_t limit)
{
    InputFile file(path);
    std::string bytes;
    constexpr size_t kPiece = 1 << 20;
    while (bytes.size() < limit) {
        const size_t kept = bytes.size();
        const size_t wanted = std::min(kPiece, limit - kept);
        bytes.resize(kept + wanted);
        const size_t got = file.read(bytes.data() + kept, wanted);
        bytes.resize(kept + got);
        if (got == 0)
            break;
    }
    return bytes;
}

} // namespace kinetra
