#pragma once

#include <QString>
#include <QStringList>

namespace kinetra {

class Platform;

/// The program's entry routine: refuses a second running instance (or hands it playFile), shows
/// the splash, makes the program folder current, then shows the main window and opens
/// playFile (an absolute path; empty for none). Returns the program's exit code.
int Main(Platform &platform, const QString &playFile = QString());

/// The play named on the command line (arguments as QCoreApplication::arguments() gives
/// them), made absolute against the folder the program was started in; empty for none.
QString playFileArgument(const QStringList &arguments);

/// Full path of the help file, set at start-up.
QString helpFilePath();

/// Path of the lock file that marks a running instance (in the user's runtime folder).
QString instanceLockPath();

/// Path of the local socket through which a second start hands its play to the running one.
QString instanceSocketPath();

} // namespace kinetra
