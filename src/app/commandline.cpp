#include "app/commandline.h"

#include "app/reporterror.h"
#include "app/toolbaricons.h"
#include "model/runtimeerror.h"
#include "model/temporaryfiles.h"
#include "output/frmplaybook.h"
#include "output/playbook.h"
#include "output/playimager.h"
#include "output/programversion.h"
#include "prefs/inisettingsstore.h"
#include "prefs/preferencestore.h"
#include "prefs/readonlysettingsstore.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <csignal>
#include <pthread.h>
#include <thread>

namespace kinetra {

namespace {

bool readNumber(const QString &text, int low, int high, int &value)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high)
        return false;
    value = n;
    return true;
}

} // namespace

QString versionLine()
{
    return "Kinetra " + programVersion();
}

QString usageText()
{
    return QStringLiteral(
        "Usage: kinetra                            start the playbook window\n"
        "       kinetra --export OUT [options] PLAY.KTR\n"
        "       kinetra --export BOOK.pdf [options] [--title TEXT] PLAY.KTR PLAY.KTR ...\n"
        "       kinetra --help | --version\n"
        "\n"
        "Writes the play PLAY.KTR to OUT and exits, without a window. OUT's extension\n"
        "chooses the format:\n"
        "  .png, .bmp  one frame as the play surface shows it\n"
        "                --frame N    the frame to export (default 1)\n"
        "                --all        every frame, numbered: OUT-001.png, OUT-002.png ...\n"
        "  .pdf        the play printed with all frames, one to a page\n"
        "                --small      several frames to a page\n"
        "                --sheet      the play on one sheet: its frames in a grid, the\n"
        "                             legend and the notes below them\n"
        "                --large      one frame to a page (a playbook's pages too)\n"
        "                --no-legend  without the action-line legend\n"
        "                --no-notes   without the notes page\n"
        "              several plays (or --title or --position) make one playbook: a\n"
        "              contents page, then each play with all its frames as a sheet (unless\n"
        "              --small or --large), the pages numbered \"Page n of m\"\n"
        "                --title TEXT the playbook's name (default: BOOK)\n"
        "                --position LABEL  then every play again as LABEL's sheet, that\n"
        "                             player highlighted (repeatable; a label of your\n"
        "                             defence or offence, such as SS or B1)\n"
        "  .gif        the play animated, looping forever\n"
        "                --delay MS   how long each frame is held (default 1000)\n"
        "                --smooth     players and symbols glide to their next places,\n"
        "                             taking MS milliseconds, at 25 images a second\n"
        "                --captions   each frame's caption on a band under the field\n"
        "  --scale N   .png, .bmp and .gif: pictures N times the field's size (1 to 8,\n"
        "              default 1), drawn at that resolution\n"
        "  --mono      any format: black and white, for copiers\n"
        "\n"
        "The looks come from your preferences; they are read, never changed.\n"
        "Exit status: 0 done, 1 a play could not be read or OUT not written,\n"
        "2 bad arguments, 128 + the signal's number when stopped by one (129 SIGHUP,\n"
        "130 Ctrl+C, 131 SIGQUIT, 143 SIGTERM).\n");
}

bool isCommandLineRun(const QStringList &arguments)
{
    // Anything else (a play to open, Qt's own options) is for the window; after "--" only
    // file names follow.
    for (const QString &argument : arguments) {
        if (argument == "--")
            return false;
        if (argument == "--export" || argument == "--help" || argument == "-h"
            || argument == "--version")
            return true;
    }
    return false;
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine cl;
    if (arguments.isEmpty())
        return cl;
    auto fail = [&cl](const QString &error) {
        cl.action = CommandLine::Action::Error;
        cl.error = error;
        return cl;
    };

    ExportOptions &o = cl.options;
    bool exporting = false, frameGiven = false, delayGiven = false, scaleGiven = false;
    bool pdfOption = false, titleGiven = false;
    QString size; // the one of --small, --large and --sheet given
    QStringList plays;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        auto value = [&](QString &out) {
            if (i + 1 >= arguments.size())
                return false;
            out = arguments[++i];
            return true;
        };
        QString text;
        if (arg == "--help" || arg == "-h") {
            cl.action = CommandLine::Action::Help;
            return cl;
        } else if (arg == "--version") {
            cl.action = CommandLine::Action::Version;
            return cl;
        } else if (arg == "--export") {
            if (exporting)
                return fail("--export is given twice.");
            if (!value(o.output) || o.output.isEmpty())
                return fail("--export needs the name of the file to write.");
            exporting = true;
        } else if (arg == "--frame") {
            if (!value(text) || !readNumber(text, 1, 32767, o.frame))
                return fail("--frame needs a frame number from 1 to 32767.");
            frameGiven = true;
        } else if (arg == "--all") {
            o.allFrames = true;
        } else if (arg == "--small" || arg == "--large" || arg == "--sheet") {
            if (!size.isEmpty() && size != arg)
                return fail("Give only one of --small, --large and --sheet.");
            size = arg;
            pdfOption = true;
        } else if (arg == "--mono") {
            o.print.mono = true;
        } else if (arg == "--position") {
            if (!value(text) || text.trimmed().isEmpty())
                return fail("--position needs the label of a position, such as SS.");
            o.print.positions << text.trimmed();
            pdfOption = true;
        } else if (arg == "--no-legend") {
            o.print.legend = false;
            pdfOption = true;
        } else if (arg == "--no-notes") {
            o.print.notes = false;
            pdfOption = true;
        } else if (arg == "--title") {
            if (!value(o.title))
                return fail("--title needs the playbook's name.");
            titleGiven = pdfOption = true;
        } else if (arg == "--delay") {
            if (!value(text) || !readNumber(text, 20, 655350, o.delayMs))
                return fail("--delay needs milliseconds from 20 to 655350.");
            delayGiven = true;
        } else if (arg == "--smooth") {
            o.smooth = true;
        } else if (arg == "--captions") {
            o.captions = true;
        } else if (arg == "--scale") {
            if (!value(text) || !readNumber(text, 1, 8, o.scale))
                return fail("--scale needs a size from 1 to 8.");
            scaleGiven = true;
        } else if (arg.startsWith('-') && arg != "-") {
            return fail(QString("Unknown option %1.").arg(arg));
        } else {
            plays << arg;
        }
    }

    if (!exporting)
        return fail(plays.isEmpty() ? "Nothing to do: give --export OUT and a play."
                                    : "A play is exported with --export OUT.");
    if (plays.isEmpty())
        return fail("Name the play file to export.");
    o.play = plays.front();
    if (!exportFormatForName(o.output, o.format))
        return fail(QString("%1: the file name must end in .png, .bmp, .pdf or .gif.")
                        .arg(o.output));
    if (plays.size() > 1 && o.format != ExportFormat::Pdf)
        return fail("Export one play at a time, or several as one .pdf playbook.");
    // A playbook is printed as sheets unless a size is given; one play's PDF as large pages.
    const bool playbook = plays.size() > 1 || titleGiven || !o.print.positions.isEmpty();
    if (playbook) {
        o.plays = plays;
        if (!titleGiven)
            o.title = QFileInfo(o.output).completeBaseName();
    }
    o.print.small = size == "--small";
    o.print.sheet = size == "--sheet" || (playbook && size.isEmpty());

    const bool picture = o.format == ExportFormat::Png || o.format == ExportFormat::Bmp;
    if ((frameGiven || o.allFrames) && !picture)
        return fail("--frame and --all are for .png and .bmp pictures.");
    if (frameGiven && o.allFrames)
        return fail("Give either --frame or --all, not both.");
    if (pdfOption && o.format != ExportFormat::Pdf)
        return fail("--small, --large, --sheet, --position, --no-legend, --no-notes and --title "
                    "are for .pdf files.");
    if ((delayGiven || o.smooth) && o.format != ExportFormat::Gif)
        return fail("--delay and --smooth are for .gif files.");
    if (o.captions && o.format != ExportFormat::Gif)
        return fail("--captions is for .gif files.");
    if (scaleGiven && o.format == ExportFormat::Pdf)
        return fail("--scale is for .png, .bmp and .gif pictures; a PDF is drawn at the "
                    "printer's resolution.");
    cl.action = CommandLine::Action::Export;
    return cl;
}

QString matchPositions(QStringList &labels, const Preferences &prefs)
{
    const QStringList known = positionLabels(prefs);
    QStringList matched;
    for (const QString &label : std::as_const(labels)) {
        const auto at = std::find_if(known.begin(), known.end(), [&](const QString &position) {
            return position.compare(label, Qt::CaseInsensitive) == 0;
        });
        if (at == known.end())
            return QString("--position %1: no player of your defence or offence is labelled "
                           "\"%1\"; the positions are %2.")
                .arg(label, known.join(", "));
        if (!matched.contains(*at))
            matched << *at;
    }
    labels = matched;
    return QString();
}

void removeTemporaryFilesOnSignals()
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    bool any = false;
    for (const int sig : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) {
        // A signal the program was started to ignore (a background job's SIGINT) stays so.
        struct sigaction current;
        if (sigaction(sig, nullptr, &current) == 0 && current.sa_handler != SIG_IGN) {
            sigaddset(&stopSignals, sig);
            any = true;
        }
    }
    if (!any)
        return;
    // Blocked here and in every thread started later, the signals reach only the thread
    // below, which removes the files outside a signal handler, while no other thread is
    // between making a temporary file and listing it.
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::thread([stopSignals] {
        int sig = 0;
        while (sigwait(&stopSignals, &sig) != 0) {
        }
        exitRemovingTemporaryFiles(128 + sig);
    }).detach();
}

int runExport(const ExportOptions &options, const QString &programDir, QTextStream &err)
{
    try {
        // The user's looks, from a view of the store that drops every write.
        IniSettingsStore userStore;
        ReadOnlySettingsStore store(userStore);
        Preferences prefs;
        loadPreferences(store, prefs, programDir);
        ExportOptions chosen = options;
        const QString unknown = matchPositions(chosen.print.positions, prefs);
        if (!unknown.isEmpty()) {
            err << "kinetra: " << unknown << '\n';
            return kExitUsage;
        }
        chosen.print.icon = appIcon().pixmap(256, 256).toImage(); // as the window prints it
        if (!chosen.plays.isEmpty()) {
            // A playbook: every play is read before the document is begun.
            const PlaybookSource source = readPlaybookPlays(chosen.plays, prefs);
            checkOutputs({chosen.output}, chosen.plays);
            exportPlaybook(chosen.output, chosen.title, source, chosen.print, programDir);
            return kExitOk;
        }
        const PlaySnapshot play = readPlayForExport(chosen.play, prefs);
        PlayImager imager = PlayImager::forPlay(play.looks, prefs, programDir);
        exportPlay(chosen, play, imager, {}, [&err](int frame, const RuntimeError &failure) {
            err << "kinetra: frame " << frame << " could not be drawn whole (Drawing Play): "
                << errorMessage(failure.code(), QString::fromStdString(failure.description()))
                << '\n';
        });
        return kExitOk;
    } catch (const ExportError &e) {
        err << "kinetra: " << QString::fromStdString(e.what()) << '\n';
    } catch (...) {
        const RuntimeError failure = currentFailure();
        err << "kinetra: ";
        // A file that could not be written is named; the window's advice is for its dialogs.
        if (!failure.path().empty())
            err << failure.code() << ' ' << QString::fromStdString(failure.description()) << ": "
                << QFile::decodeName(QByteArray::fromStdString(failure.path()));
        else
            err << errorMessage(failure.code(), QString::fromStdString(failure.description()));
        err << '\n';
    }
    return kExitFailed;
}

} // namespace kinetra
