#pragma once

#include <QString>

namespace kinetra {

class Platform;

/// The program's entry routine: refuses a second running instance, shows the splash, makes the
/// program folder current, then shows the main window. Returns the program's exit code.
int Main(Platform &platform);

/// Full path of the help file, set at start-up.
QString helpFilePath();

/// Path of the lock file that marks a running instance (in the user's runtime folder).
QString instanceLockPath();

} // namespace kinetra
