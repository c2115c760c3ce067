#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kinetra {

// Files are written to a temporary file beside their target and renamed over it once
// complete. The temporaries this process holds are listed, so that a process ended by a
// signal removes them instead of leaving them behind; creating one, renaming it into place
// and removing it are each one step with respect to exitRemovingTemporaryFiles().

/// Creates a new, empty file of its own beside target ("target.tmp~PID-N", opened for
/// writing, mode 0666 less the umask) and lists it. Returns its descriptor and sets
/// temporary; returns -1 with errno set when no such file can be made. Temporary files that
/// a process no longer running left in that folder are removed first (a folder is looked
/// through at most once every few seconds).
int createTemporaryFile(const std::string &target, std::string &temporary);

/// Removes the "NAME.tmp~PID-N" files in folder whose process is no longer running (a crash,
/// a power cut or a SIGKILL left them); those of running processes are kept.
void removeStaleTemporaryFiles(const std::string &folder);

/// A listed temporary file and the file it is to replace.
using TemporaryMove = std::pair<std::string, std::string>;

/// Renames every temporary over its target, all or none: when one rename fails, the targets
/// replaced so far get their previous contents back (those that were new are removed) and
/// -1 is returned with errno of the failure, and failed (when given) set to the index of the
/// move that failed; the temporaries not yet moved stay listed with their owners. Returns 0
/// once every target is replaced.
int replaceByTemporaryFiles(const std::vector<TemporaryMove> &moves, size_t *failed = nullptr);

/// Removes a listed temporary file that will not be put in place; other paths are left alone.
void removeTemporaryFile(const std::string &temporary);

/// Removes every listed temporary file and ends the process at once with status, without
/// running destructors or exit handlers. Safe to call from any thread while others write.
[[noreturn]] void exitRemovingTemporaryFiles(int status);

} // namespace kinetra
