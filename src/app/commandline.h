#pragma once

#include "output/playexport.h"

#include <QString>
#include <QStringList>

class QTextStream;

namespace kinetra {

/// What the program was asked to do by its arguments.
struct CommandLine
{
    enum class Action {
        Window,  ///< no arguments: the desktop program
        Help,    ///< --help: print the usage, exit 0
        Version, ///< --version: print the version, exit 0
        Export,  ///< --export: write the file and exit
        Error,   ///< bad arguments: print error and the usage on standard error, exit 2
    };
    Action action = Action::Window;
    ExportOptions options;
    QString error; ///< what was wrong, for Error
};

/// Exit codes of the command line.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

/// Reads the arguments after the program name.
CommandLine parseCommandLine(const QStringList &arguments);

/// Checks the labels of --position against the positions of `prefs` (see positionLabels),
/// compared without regard to case, and spells each as the preferences do, each once. Returns
/// the message naming the first label that is no position, else an empty text.
QString matchPositions(QStringList &labels, const Preferences &prefs);

/// The usage text --help prints.
QString usageText();

/// "Kinetra 1.4.0".
QString versionLine();

/// Whether the arguments ask for the command line (--export, --help or --version) rather than
/// the window, which may be given a play to open; no display is needed then.
bool isCommandLineRun(const QStringList &arguments);

/// Makes SIGHUP, SIGINT, SIGQUIT and SIGTERM (unless ignored) remove the temporary files of
/// the writes in progress and end the program with 128 + the signal's number (129, 130, 131,
/// 143). Call before the program starts any other thread.
void removeTemporaryFilesOnSignals();

/// Runs an export with the user's preferences read from the settings store, never writing it.
/// Prints the reason of a failure to `err` and returns the exit code: kExitUsage for a
/// --position that names no position of the user's labels.
int runExport(const ExportOptions &options, const QString &programDir, QTextStream &err);

} // namespace kinetra
