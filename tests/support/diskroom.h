#pragma once

// A disk with little room left, for AtomicFile::setWriteCall: the write that reaches the end of
// the room is cut short, as the system cuts it, and the next fails as a full disk does.

#include <algorithm>
#include <cerrno>
#include <cstddef>

#include <sys/types.h>
#include <unistd.h>

namespace kinetra::test {

/// The bytes the disk still has room for.
inline size_t &diskRoom()
{
    static size_t room = 0;
    return room;
}

inline ssize_t writeIntoRoom(int fd, const void *data, size_t size)
{
    if (diskRoom() == 0) {
        errno = ENOSPC;
        return -1;
    }
    const ssize_t written = ::write(fd, data, std::min(size, diskRoom()));
    if (written > 0)
        diskRoom() -= size_t(written);
    return written;
}

} // namespace kinetra::test
