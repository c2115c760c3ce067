#pragma once

#include <QString>

namespace kinetra {

// Where the program writes. A program folder the user can write (the build folder, a copy in
// the home folder) keeps everything beside the program; an installed one is read-only, so
// the log goes to the user's state folder and documents start in the user's own folders.

/// Whether the program may write into folder: the folder's mode grants writing and the
/// system lets this user write there. A folder marked read-only counts as read-only even
/// for root, who could write it anyway.
bool folderWritable(const QString &folder);

/// Notes the program folder at start-up and whether it is read-only.
void setProgramFolder(const QString &programDir);

/// Whether the program folder noted at start-up is read-only (false before start-up).
bool programFolderReadOnly();

/// The per-user folder for the log: $XDG_STATE_HOME/DAZI, by default ~/.local/state/DAZI.
QString stateFolder();

/// The user's documents folder: $XDG_DOCUMENTS_DIR (or the one xdg-user-dirs names) when it
/// exists, else the home folder.
QString documentsFolder();

/// Where the error log is written: "Ktrlog.txt" in the current folder, or in the state folder
/// (created when missing) when the program folder is read-only.
QString errorLogPath();

/// The folder the file dialogs start in before a file was chosen, and the current folder
/// after start-up: the current folder, or the documents folder when the program folder is
/// read-only.
QString documentStartFolder();

} // namespace kinetra
