#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra {

// A recovery copy is two files with one base name in the recovery folder: the play as a play
// file (<base>.KTR) and a small description of it (<base>.txt). A copy the user declines moves,
// both files, into the folder's "discarded" folder, where it is kept for a week.

inline constexpr std::string_view kRecoveryPlaySuffix = ".KTR";
inline constexpr std::string_view kRecoveryInfoSuffix = ".txt";
/// How long a declined copy is kept before the program removes it.
inline constexpr int64_t kDiscardedKeepSeconds = 7 * 24 * 60 * 60;

/// What the description file says about the play its copy holds.
struct RecoveryInfo
{
    std::string playPath;     ///< the play's own file; empty for a play never saved
    std::string title;
    int16_t currentFrame = 1; ///< the frame the window showed
    int64_t changedAt = 0;    ///< the latest change, in seconds since the epoch
    int64_t discardedAt = 0;  ///< when the user declined the copy; 0 while it waits
    /// The play's file as the changes found it: its size in bytes and its last modification
    /// in milliseconds since the epoch; -1 where that cannot be told (no file, or a
    /// description written before these were kept).
    int64_t fileSize = -1;
    int64_t fileModifiedAt = -1;

    bool operator==(const RecoveryInfo &) const = default;
};

/// The description file's text: a first line naming the format, then one "key=value" line per
/// field (path, title, frame, changed, discarded once set, filesize and filetime where
/// known), ending in LF. Values are UTF-8
/// with backslash, CR and LF written as \\, \r and \n, so any title or path fits on its line.
std::string formatRecoveryInfo(const RecoveryInfo &info);

/// Reads a description written by formatRecoveryInfo. Keys it does not know are skipped and
/// missing ones keep their defaults; nullopt when the first line is not the format's, or a
/// number is malformed or out of range (a frame outside 1..32767, a negative time). A
/// malformed file size or time is taken as untold (-1).
std::optional<RecoveryInfo> parseRecoveryInfo(std::string_view text);

/// One file of a recovery folder (or of its discarded folder) as listed.
struct RecoveryFolderEntry
{
    std::string name;                 ///< file name without its folder
    int64_t modifiedAt = 0;           ///< seconds since the epoch
    std::optional<RecoveryInfo> info; ///< the parsed contents of a description file
};

/// The copies a listing holds whole (a play copy and a readable description), by base name,
/// the latest change first: what a start offers to recover.
std::vector<std::string> copiesToOffer(const std::vector<RecoveryFolderEntry> &entries);

/// Which files of a listing to remove at `now`: temporaries left by a write that was cut off
/// (in either folder), in the recovery folder a play copy without a description beside it,
/// and in the discarded folder every file of a copy declined kDiscardedKeepSeconds or longer
/// ago. A copy whose description lacks the moment it was
/// declined counts from its newest file. Nothing is removed from a listing dated in the future.
std::vector<std::string> filesToRemove(const std::vector<RecoveryFolderEntry> &entries,
                                       int64_t now, bool discardedFolder);

} // namespace kinetra
