#include "app/commandline.h"
#include "app/qtplatform.h"
#include "app/startup.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

namespace {

int runCommandLine(int argc, char **argv, const kinetra::CommandLine &cl)
{
    using Action = kinetra::CommandLine::Action;
    // The command line never needs a display, nor waits for one that does not answer: Qt
    // draws offscreen whatever DISPLAY says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (cl.action) {
    case Action::Help:
        out << kinetra::usageText();
        return kinetra::kExitOk;
    case Action::Version:
        out << kinetra::versionLine() << '\n';
        return kinetra::kExitOk;
    case Action::Error:
        err << "kinetra: " << cl.error << "\n\n" << kinetra::usageText();
        return kinetra::kExitUsage;
    case Action::Export:
    case Action::Window:
        break;
    }
    // Before the application object starts any thread, so that they all leave the signals
    // to the one thread that removes the export's temporary files.
    kinetra::removeTemporaryFilesOnSignals();
    // Fonts and pictures need a GUI application; no window, splash or lock is made.
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kinetra");
    return kinetra::runExport(cl.options, QCoreApplication::applicationDirPath(), err);
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (kinetra::isCommandLineRun(arguments))
        return runCommandLine(argc, argv, kinetra::parseCommandLine(arguments));

    QApplication app(argc, argv);
    QApplication::setApplicationName("Kinetra");
    QApplication::setQuitOnLastWindowClosed(true);
    kinetra::QtPlatform platform;
    return kinetra::Main(platform, kinetra::playFileArgument(QApplication::arguments()));
}
