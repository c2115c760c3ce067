#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>
#include <sys/types.h>

namespace kinetra {

/// Writes a file by way of a temporary file in the same folder that replaces the target
/// only on commit(), after everything has been written and flushed to the disk. Until then
/// (and after any failure) the previous file stays as it was; the temporary is removed when
/// the object is destroyed without a successful commit. The new file keeps the permission
/// bits (and, where the user may give them, owner and group) of the file it replaces, and an
/// existing file this user may not write, or that has no write permission bit for anyone, is
/// refused, not replaced. Failures throw
/// RuntimeError with the code that fits the system error (61 disk full, 70 permission denied,
/// 76 path not found, 57 device I/O error, 75 otherwise) and the target's name as given.
class AtomicFile
{
public:
    /// Prepares to replace `target`; a target that is a symbolic link keeps the link and
    /// replaces (or creates) the file it points to.
    explicit AtomicFile(std::string target);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    /// Creates the temporary file; refuses a target this user may not write (70).
    void open();

    /// The temporary file open() created, for a writer that opens it by name; empty before.
    const std::string &temporaryPath() const { return m_temporary; }

    /// Throws what open() would throw for `target` when it is a file this user may not
    /// replace or its folder is missing; creates nothing. Lets a long export be refused
    /// before it starts.
    static void checkTarget(const std::string &target);

    /// Appends bytes to the temporary file.
    void write(std::string_view bytes);

    /// Flushes the temporary file to the disk and closes it; the target is not yet touched.
    void finish();

    /// Flushes the temporary file to the disk and renames it over the target.
    void commit();

    /// Commits every file as one step: each target is replaced only once all are written,
    /// and when one cannot be replaced, those replaced before it get their old contents back
    /// (where the file system keeps hard links) and new ones are removed.
    static void commitAll(const std::vector<AtomicFile *> &files);

    /// The system call that write() uses; tests swap it to simulate a full disk or an I/O
    /// error. Returns the previous one.
    using WriteCall = ssize_t (*)(int fd, const void *data, size_t size);
    static WriteCall setWriteCall(WriteCall call);

    /// The system call that makes a file, or a folder's entries, durable on the disk (the
    /// temporary file before it is renamed, the folder after); tests swap it to see what is
    /// synced and when. Returns the previous one.
    using SyncCall = int (*)(int fd);
    static SyncCall setSyncCall(SyncCall call);

private:
    void discard();
    [[noreturn]] void fail(int err) const;

    std::string m_name; // as given, for messages
    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
};

/// The run-time error for a failed system call's errno.
int errorCodeForErrno(int err);

} // namespace kinetra
