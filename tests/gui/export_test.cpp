// The command-line export: its arguments, and the pictures, PDFs and animations it writes.
#include "app/commandline.h"
#include "app/frmmain.h"
#include "app/reporterror.h"
#include "exportsample.h"
#include "model/atomicfile.h"
#include "model/glide.h"
#include "output/gifencoder.h"
#include "output/playexport.h"
#include "output/playimager.h"
#include "prefs/inisettingsstore.h"
#include "prefs/preferencestore.h"
#include "support/diskroom.h"
#include "support/fakeplatform.h"
#include "support/tempsettings.h"
#include "surface/surface.h"
#include "surface/toolpalette.h"
#include "playback/playbackstate.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <gif_lib.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <memory>
#include <unordered_map>
#include <sys/stat.h>

namespace kinetra {
namespace {

using Action = CommandLine::Action;

// ---- Arguments ------------------------------------------------------------------------------

struct ArgsCase
{
    QStringList args;
    Action action;
    const char *error; // part of the message, for Error
};

void PrintTo(const ArgsCase &c, std::ostream *os)
{
    *os << "kinetra " << c.args.join(' ').toStdString();
}

class CommandLineArgs : public testing::TestWithParam<ArgsCase>
{
};

TEST_P(CommandLineArgs, GiveTheActionOrSayWhatIsWrong)
{
    const ArgsCase c = GetParam();
    const CommandLine cl = parseCommandLine(c.args);
    EXPECT_EQ(cl.action, c.action) << c.args.join(' ').toStdString();
    if (c.action == Action::Error)
        EXPECT_TRUE(cl.error.contains(c.error)) << cl.error.toStdString();
    else
        EXPECT_TRUE(cl.error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineArgs,
    testing::Values(
        ArgsCase{{}, Action::Window, ""},
        ArgsCase{{"--help"}, Action::Help, ""},
        ArgsCase{{"--export", "x.png", "--help"}, Action::Help, ""},
        ArgsCase{{"--version"}, Action::Version, ""},
        ArgsCase{{"--export", "a.png", "p.KTR"}, Action::Export, ""},
        ArgsCase{{"--export", "a.PNG", "--frame", "3", "p.KTR"}, Action::Export, ""},
        ArgsCase{{"--export", "a.Bmp", "--all", "p.KTR"}, Action::Export, ""},
        ArgsCase{{"p.KTR", "--export", "a.pdf", "--small", "--no-legend", "--no-notes"},
                 Action::Export, ""},
        ArgsCase{{"--export", "a.gif", "--delay", "250", "--smooth", "p.KTR"}, Action::Export, ""},
        ArgsCase{{"--export"}, Action::Error, "needs the name"},
        ArgsCase{{"--export", "a.png"}, Action::Error, "Name the play"},
        ArgsCase{{"p.KTR"}, Action::Error, "with --export OUT"},
        ArgsCase{{"--export", "a.png", "p.KTR", "q.KTR"}, Action::Error, "one play at a time"},
        ArgsCase{{"--export", "a.png", "--export", "b.png", "p.KTR"}, Action::Error, "twice"},
        ArgsCase{{"--export", "a.jpg", "p.KTR"}, Action::Error, ".png, .bmp, .pdf or .gif"},
        ArgsCase{{"--export", "noextension", "p.KTR"}, Action::Error, ".png, .bmp"},
        ArgsCase{{"--export", "a.png", "--frame", "0", "p.KTR"}, Action::Error, "--frame needs"},
        ArgsCase{{"--export", "a.png", "--frame", "two", "p.KTR"}, Action::Error, "--frame needs"},
        ArgsCase{{"--export", "a.png", "p.KTR", "--frame"}, Action::Error, "--frame needs"},
        ArgsCase{{"--export", "a.png", "--frame", "2", "--all", "p.KTR"}, Action::Error,
                 "not both"},
        ArgsCase{{"--export", "a.gif", "--all", "p.KTR"}, Action::Error, "for .png and .bmp"},
        ArgsCase{{"--export", "a.pdf", "--frame", "2", "p.KTR"}, Action::Error,
                 "for .png and .bmp"},
        ArgsCase{{"--export", "a.png", "--small", "p.KTR"}, Action::Error, "for .pdf"},
        ArgsCase{{"--export", "a.gif", "--no-notes", "p.KTR"}, Action::Error, "for .pdf"},
        ArgsCase{{"--export", "a.png", "--smooth", "p.KTR"}, Action::Error, "for .gif"},
        ArgsCase{{"--export", "a.gif", "--captions", "p.KTR"}, Action::Export, ""},
        ArgsCase{{"--export", "a.pdf", "--captions", "p.KTR"}, Action::Error, "for .gif"},
        ArgsCase{{"--export", "a.pdf", "--delay", "100", "p.KTR"}, Action::Error, "for .gif"},
        ArgsCase{{"--export", "a.gif", "--delay", "10", "p.KTR"}, Action::Error, "--delay needs"},
        ArgsCase{{"--export", "a.gif", "--delay", "-5", "p.KTR"}, Action::Error, "--delay needs"},
        ArgsCase{{"--export", "a.png", "--colour", "p.KTR"}, Action::Error, "Unknown option"},
        ArgsCase{{"--export", "a.bmp", "--scale", "8", "p.KTR"}, Action::Export, ""},
        ArgsCase{{"--export", "a.png", "--scale", "9", "p.KTR"}, Action::Error, "--scale needs"},
        ArgsCase{{"--export", "a.png", "--scale", "0", "p.KTR"}, Action::Error, "--scale needs"},
        ArgsCase{{"--export", "a.pdf", "--scale", "2", "p.KTR"}, Action::Error,
                 "for .png, .bmp and .gif"},
        ArgsCase{{"--export", "a.pdf", "--sheet", "--sheet", "--mono", "p.KTR"}, Action::Export,
                 ""},
        ArgsCase{{"--export", "a.pdf", "--small", "--sheet", "p.KTR"}, Action::Error,
                 "only one of --small, --large and --sheet"},
        ArgsCase{{"--export", "a.pdf", "p.KTR", "--position"}, Action::Error,
                 "--position needs the label"},
        ArgsCase{{"--export", "a.pdf", "--position", " ", "p.KTR"}, Action::Error,
                 "--position needs the label"},
        ArgsCase{{"--export", "a.png", "--mono", "p.KTR"}, Action::Export, ""},
        ArgsCase{{"--export", "a.gif", "--mono", "--smooth", "p.KTR"}, Action::Export, ""},
        ArgsCase{{"--export", "a.bmp", "--mono", "--sheet", "p.KTR"}, Action::Error, "for .pdf"},
        ArgsCase{{"--export", "a.bmp", "--position", "SS", "p.KTR"}, Action::Error,
                 "for .pdf"}));

// The size options, and what makes a playbook, as the export receives them.
TEST(CommandLine, APlaybookIsPrintedAsSheetsUnlessASizeIsGiven)
{
    struct Case
    {
        QStringList args;
        bool small, sheet;
        QStringList plays, positions;
    };
    const QStringList two{"p.KTR", "q.KTR"};
    const Case cases[] = {
        {{"p.KTR"}, false, false, {}, {}},
        {{"--sheet", "p.KTR"}, false, true, {}, {}},
        {{"--small", "p.KTR"}, true, false, {}, {}},
        {two, false, true, two, {}},
        {QStringList{"--large"} + two, false, false, two, {}},
        {QStringList{"--small"} + two, true, false, two, {}},
        {{"--title", "Book", "p.KTR"}, false, true, {"p.KTR"}, {}},
        {{"--position", "SS", "p.KTR", "--position", "cf"}, false, true, {"p.KTR"}, {"SS", "cf"}},
        {{"--large", "--position", "R1", "p.KTR"}, false, false, {"p.KTR"}, {"R1"}},
    };
    for (const Case &c : cases) {
        const CommandLine cl = parseCommandLine(QStringList{"--export", "out/book.pdf"} + c.args);
        const std::string what = c.args.join(' ').toStdString();
        ASSERT_EQ(cl.action, Action::Export) << what << ": " << cl.error.toStdString();
        EXPECT_EQ(cl.options.print.small, c.small) << what;
        EXPECT_EQ(cl.options.print.sheet, c.sheet) << what;
        EXPECT_EQ(cl.options.plays, c.plays) << what;
        EXPECT_EQ(cl.options.print.positions, c.positions) << what;
        EXPECT_EQ(cl.options.title.isEmpty(), c.plays.isEmpty()) << what;
    }
}

TEST(CommandLine, APositionIsOneOfTheUsersLabelsInTheirSpelling)
{
    Preferences prefs;
    fillBuiltInLabelSets(prefs);
    prefs.DPLabel = prefs.DPDef[0];
    prefs.OPLabel = {"B", "R1", "R2", "R3", "ss", "", "", "", "", ""};
    struct Case
    {
        QStringList asked, matched;
        const char *error; // part of the message, empty when all are positions
    };
    const Case cases[] = {
        {{}, {}, ""},
        {{"ss", "Cf", "r1"}, {"SS", "CF", "R1"}, ""},
        {{"SS", "ss", "B"}, {"SS", "B"}, ""},
        {{"SS", "XX", "QQ"}, {"SS", "XX", "QQ"}, "--position XX: no player"},
        {{"B5"}, {"B5"}, "P, C, 1B, 2B, 3B, SS, RF, CF, LF, Sp, B, R1, R2, R3."},
    };
    for (const Case &c : cases) {
        QStringList labels = c.asked;
        const QString error = matchPositions(labels, prefs);
        const std::string what = c.asked.join(' ').toStdString();
        EXPECT_EQ(labels, c.matched) << what;
        if (*c.error)
            EXPECT_TRUE(error.contains(c.error)) << what << ": " << error.toStdString();
        else
            EXPECT_TRUE(error.isEmpty()) << what << ": " << error.toStdString();
    }
}

TEST(CommandLine, OnlyTheExportHelpAndVersionOptionsLeaveTheWindowOut)
{
    EXPECT_FALSE(isCommandLineRun({}));
    EXPECT_FALSE(isCommandLineRun({"Bunt.KTR"}));
    EXPECT_FALSE(isCommandLineRun({"-style", "fusion", "Bunt.KTR"}));
    EXPECT_FALSE(isCommandLineRun({"--", "--export"}));
    EXPECT_TRUE(isCommandLineRun({"--export", "a.png", "Bunt.KTR"}));
    EXPECT_TRUE(isCommandLineRun({"Bunt.KTR", "--help"}));
    EXPECT_TRUE(isCommandLineRun({"--version"}));
}

TEST(CommandLine, OptionsCarryTheirValues)
{
    CommandLine cl = parseCommandLine({"--export", "out/a.GIF", "--delay", "250", "--smooth",
                                       "plays/p.KTR"});
    EXPECT_EQ(cl.options.output, "out/a.GIF");
    EXPECT_EQ(cl.options.play, "plays/p.KTR");
    EXPECT_EQ(cl.options.format, ExportFormat::Gif);
    EXPECT_EQ(cl.options.delayMs, 250);
    EXPECT_TRUE(cl.options.smooth);

    cl = parseCommandLine({"--export", "a.pdf", "--small", "--no-notes", "p.KTR"});
    EXPECT_EQ(cl.options.format, ExportFormat::Pdf);
    EXPECT_TRUE(cl.options.print.small);
    EXPECT_TRUE(cl.options.print.legend);
    EXPECT_FALSE(cl.options.print.notes);

    cl = parseCommandLine({"--export", "a.png", "p.KTR"});
    EXPECT_EQ(cl.options.frame, 1);
    EXPECT_FALSE(cl.options.allFrames);
    EXPECT_EQ(cl.options.delayMs, 1000);
    EXPECT_EQ(versionLine(), "Kinetra 1.4.0");
}

TEST(CommandLine, AllNumbersTheFramesIntoTheName)
{
    EXPECT_EQ(numberedNames("pics/bunt.png", 3),
              QStringList({"pics/bunt-001.png", "pics/bunt-002.png", "pics/bunt-003.png"}));
    EXPECT_EQ(numberedNames("a.b/x.BMP", 1000).last(), "a.b/x-1000.BMP");
    EXPECT_EQ(numberedNames("a.b/x.BMP", 1000).first(), "a.b/x-0001.BMP");
}

// ---- Exports -------------------------------------------------------------------------------

class ExportTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // Looks that differ from the defaults, so the export must really read them.
        IniSettingsStore store;
        store.write("Player", "OffSize", "10");
        store.write("Player", "OffShape", "1");
        store.write("Player", "DefFcolr", "65280");
        store.write("Settings", "FontSize", "11");
        store.write("Settings", "FontBold", "True");
        store.write("Settings", "Fontcolor", "255");
        store.sync();
        ASSERT_TRUE(writeSamplePlay(play(), 4));
    }

    QString play() const { return dir.filePath("squeeze.KTR"); }
    QString out(const QString &name) const { return dir.filePath(name); }

    int run(const QStringList &args)
    {
        const CommandLine cl = parseCommandLine(args);
        EXPECT_EQ(cl.action, Action::Export) << cl.error.toStdString();
        errors.clear();
        QTextStream err(&errors);
        return runExport(cl.options, KINETRA_PROGRAM_DIR, err);
    }

    // What the window shows of frame `index` of the play, opened with the same settings.
    QImage windowPicture(int index)
    {
        IniSettingsStore store;
        FakePlatform platform;
        frmMain window(platform, store, KINETRA_PROGRAM_DIR);
        window.show();
        EXPECT_EQ(window.openPlay(play()), PlayReadStatus::Opened);
        window.SelectFrame(int16_t(index));
        return window.surface()->image().convertToFormat(QImage::Format_RGB32);
    }

    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    TempSettings settings;
    QTemporaryDir dir;
    QString errors;
};

TEST_F(ExportTest, PngAndBmpEqualTheWindowsSurfacePixelForPixel)
{
    ASSERT_EQ(run({"--export", out("f3.png"), "--frame", "3", play()}), kExitOk)
        << errors.toStdString();
    ASSERT_EQ(run({"--export", out("f1.BMP"), play()}), kExitOk) << errors.toStdString();
    const QImage png(out("f3.png"));
    const QImage bmp(out("f1.BMP"), "BMP");
    ASSERT_FALSE(png.isNull());
    ASSERT_FALSE(bmp.isNull());
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), windowPicture(3));
    EXPECT_EQ(bmp.convertToFormat(QImage::Format_RGB32), windowPicture(1));
    EXPECT_NE(windowPicture(1), windowPicture(3));
}

TEST_F(ExportTest, ScaleDrawsLargerPicturesAtTheirOwnResolution)
{
    ASSERT_EQ(run({"--export", out("big.png"), "--scale", "3", "--frame", "2", play()}),
              kExitOk)
        << errors.toStdString();
    const QImage big(out("big.png"));
    EXPECT_EQ(big.size(), QSize(1200, 1119));
    // Drawn at that size, not the 1x picture enlarged.
    const QImage small = windowPicture(2);
    EXPECT_NE(big.convertToFormat(QImage::Format_RGB32),
              small.scaled(big.size()).convertToFormat(QImage::Format_RGB32));
    ASSERT_EQ(run({"--export", out("big.gif"), "--scale", "2", play()}), kExitOk);
    EXPECT_EQ(QImage(out("big.gif")).size(), QSize(800, 746));
}

TEST_F(ExportTest, AllWritesEveryFrameUnderANumberedName)
{
    ASSERT_EQ(run({"--export", out("bunt.png"), "--all", play()}), kExitOk);
    EXPECT_EQ(files(), QStringList({"bunt-001.png", "bunt-002.png", "bunt-003.png",
                                    "bunt-004.png", "squeeze.KTR"}));
    EXPECT_EQ(QImage(out("bunt-004.png")).convertToFormat(QImage::Format_RGB32),
              windowPicture(4));
}

TEST_F(ExportTest, FailuresExitWithOneGiveTheReasonAndLeaveNoFile)
{
    // A folder that is not there: the error the window's report would show.
    EXPECT_EQ(run({"--export", out("no/such/a.gif"), play()}), kExitFailed);
    EXPECT_TRUE(errors.contains("76 Path not found")) << errors.toStdString();

    // A frame the play does not have.
    EXPECT_EQ(run({"--export", out("a.png"), "--frame", "9", play()}), kExitFailed);
    EXPECT_TRUE(errors.contains("no frame 9")) << errors.toStdString();

    // A position none of the user's players has is a bad argument, refused before any play.
    EXPECT_EQ(run({"--export", out("a.pdf"), "--position", "SS", "--position", "QB", play()}),
              kExitUsage);
    EXPECT_TRUE(errors.contains("--position QB")) << errors.toStdString();

    // The disk fills up while the third of four pictures is written: none stays.
    static int writes = 0;
    writes = 0;
    const auto previous = AtomicFile::setWriteCall([](int fd, const void *data, size_t size) {
        if (++writes == 3) {
            errno = ENOSPC;
            return ssize_t(-1);
        }
        return ::write(fd, data, size);
    });
    EXPECT_EQ(run({"--export", out("bunt.png"), "--all", play()}), kExitFailed);
    AtomicFile::setWriteCall(previous);
    EXPECT_TRUE(errors.contains("61 Disk full")) << errors.toStdString();
    EXPECT_EQ(files(), QStringList({"squeeze.KTR"}));
}

TEST_F(ExportTest, AllReplacesNoPictureUnlessEveryFrameTakesItsPlace)
{
    // bunt-001.png is there from an earlier export; a folder stands where frame 3 goes.
    QFile old(out("bunt-001.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old picture");
    old.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir("bunt-003.png"));

    EXPECT_EQ(run({"--export", out("bunt.png"), "--all", play()}), kExitFailed);
    EXPECT_TRUE(errors.contains("75 Path/File access error")) << errors.toStdString();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old picture");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                         QDir::Name),
              QStringList({"bunt-001.png", "bunt-003.png", "squeeze.KTR"}));
}

TEST_F(ExportTest, AFrameTheWindowCannotDrawWholeIsExportedAsTheWindowShowsItWithAWarning)
{
    // Frame 1 of this play has a symbol far beyond the 16-bit range.
    QFile::remove(play());
    ASSERT_TRUE(QFile::copy(QString(KINETRA_TEST_DATA) + "/two_frames.KTR", play()));
    ASSERT_EQ(run({"--export", out("f1.png"), play()}), kExitOk);
    EXPECT_TRUE(errors.contains("frame 1 could not be drawn whole")) << errors.toStdString();
    EXPECT_TRUE(errors.contains("6 Overflow")) << errors.toStdString();
    EXPECT_EQ(QImage(out("f1.png")).convertToFormat(QImage::Format_RGB32), windowPicture(1));
}

TEST_F(ExportTest, AnExistingFileIsReplacedOnlyByACompleteExport)
{
    QFile old(out("keep.gif"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    const auto previous = AtomicFile::setWriteCall([](int, const void *, size_t) {
        errno = EIO;
        return ssize_t(-1);
    });
    EXPECT_EQ(run({"--export", out("keep.gif"), play()}), kExitFailed);
    AtomicFile::setWriteCall(previous);
    QFile again(out("keep.gif"));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), "old contents");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

unsigned modeBits(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// ---- Input and output files of the command line ----------------------------------------

// A PDF the disk has no room for: error 61 and exit 1, and the older file of that name stays
// as it was, whether the disk fills up at the first byte or deep in the document.
struct PdfRoomCase
{
    const char *name;
    size_t room;
    QStringList options;
};

void PrintTo(const PdfRoomCase &c, std::ostream *os)
{
    *os << c.name;
}

class PdfDiskFull : public ExportTest, public testing::WithParamInterface<PdfRoomCase>
{
};

TEST_P(PdfDiskFull, FailsWithDiskFullAndKeepsTheOlderFile)
{
    const PdfRoomCase &c = GetParam();
    writeFile(out("play.pdf"), "older document");
    test::diskRoom() = c.room;
    const auto previous = AtomicFile::setWriteCall(test::writeIntoRoom);
    const QStringList args = QStringList{"--export", out("play.pdf")} + c.options << play();
    const int exit = run(args);
    AtomicFile::setWriteCall(previous);
    EXPECT_EQ(exit, kExitFailed);
    EXPECT_EQ(errors, "kinetra: 61 Disk full: " + out("play.pdf") + "\n");
    EXPECT_EQ(fileBytes(out("play.pdf")), "older document");
    EXPECT_EQ(files(), QStringList({"play.pdf", "squeeze.KTR"}));

    // With room on the disk the same export replaces it.
    ASSERT_EQ(run(args), kExitOk) << errors.toStdString();
    EXPECT_TRUE(fileBytes(out("play.pdf")).startsWith("%PDF-"));
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, PdfDiskFull,
    testing::Values(PdfRoomCase{"NoRoomAtAll", 0, {}},
                    PdfRoomCase{"RoomForTheFirstPages", 70000, {}},
                    PdfRoomCase{"SheetCutShort", 5000, {"--sheet"}},
                    PdfRoomCase{"PlaybookCutShort", 70000, {"--title", "Book"}}),
    [](const auto &info) { return std::string(info.param.name); });

// How the command line answers a file it cannot use: exit 1 and one line naming the file and
// what is wrong with it (%1 the play given, %2 the output given, %d their folder).
struct MessageCase
{
    const char *name;
    const char *play;     // a file of tests/data, or a kind made by the test
    const char *output;
    const char *message;
};

void PrintTo(const MessageCase &c, std::ostream *os)
{
    *os << c.name;
}

class CommandLineMessage : public ExportTest, public testing::WithParamInterface<MessageCase>
{
};

TEST_P(CommandLineMessage, NamesTheFileAndTheCause)
{
    const MessageCase &c = GetParam();
    const QString kind = c.play;
    QString input = out("input.KTR");
    if (kind == "missing") {
    } else if (kind == "folder") {
        ASSERT_TRUE(QDir(dir.path()).mkdir("input.KTR"));
    } else if (kind == "unreadable") {
        writeFile(input, fileBytes(play()));
        ASSERT_TRUE(QFile::setPermissions(input, QFileDevice::Permissions()));
        if (QFile(input).open(QIODevice::ReadOnly))
            GTEST_SKIP() << "this user reads files without read permission";
    } else if (kind == "empty") {
        writeFile(input, "");
    } else if (kind == "zero frames") {
        QByteArray bytes = fileBytes(play());
        writeFile(input, "0" + bytes.mid(bytes.indexOf(',')));
    } else if (kind == "sample") {
        input = play();
    } else {
        ASSERT_TRUE(QFile::copy(QString(KINETRA_TEST_DATA) + "/" + kind, input));
    }
    if (QByteArray(c.name) == "AllNamesTheNumberedFileThatFailed") {
        ASSERT_TRUE(QDir(dir.path()).mkdir("bunt-003.png"));
    }
    QStringList args{"--export", out(c.output), input};
    if (QString(c.output) == "bunt.png")
        args.insert(2, "--all");
    EXPECT_EQ(run(args), kExitFailed);
    const QString message = QString(c.message)
                                .replace("%1", input)
                                .replace("%2", out(c.output))
                                .replace("%d", dir.path());
    EXPECT_EQ(errors, "kinetra: " + message + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineMessage,
    testing::Values(
        MessageCase{"Missing", "missing", "a.png", "%1: no such file"},
        MessageCase{"Folder", "folder", "a.png", "%1: is a folder"},
        MessageCase{"Unreadable", "unreadable", "a.pdf", "%1: permission denied"},
        MessageCase{"Empty", "empty", "a.gif", "%1: the file is empty"},
        MessageCase{"ZeroFrames", "zero frames", "a.png",
                    "%1: the play has no frames (its header gives 0)"},
        MessageCase{"NegativeFrames", "frames_minus5.KTR", "a.png",
                    "%1: the play has no frames (its header gives -5)"},
        // A damaged play: the window's message for it.
        MessageCase{"Damaged", "header_short_of_frames.KTR", "a.png",
                    "Error loading file %1.\nPlay may cause unpredictable errors - close and "
                    "open another play."},
        MessageCase{"MissingFolder", "sample", "no/such/a.png", "76 Path not found: %2"},
        MessageCase{"AllNamesTheNumberedFileThatFailed", "sample", "bunt.png",
                    "75 Path/File access error: %d/bunt-003.png"}),
    [](const auto &info) { return std::string(info.param.name); });

// Every kind of output meets a read-only file, a symbolic link and a second name of the play
// alike.
struct TargetCase
{
    const char *name;
    const char *output;  // given to --export
    const char *written; // the file written first (the first numbered one for --all)
    QStringList options;
};

void PrintTo(const TargetCase &c, std::ostream *os)
{
    *os << c.name;
}

class ExportTarget : public ExportTest, public testing::WithParamInterface<TargetCase>
{
protected:
    int exportTo()
    {
        const TargetCase &c = GetParam();
        return run(QStringList{"--export", out(c.output)} + c.options + QStringList{play()});
    }
    QString written() const { return out(GetParam().written); }
};

TEST_P(ExportTarget, AFileWithoutWritePermissionIsRefusedForEveryUser)
{
    writeFile(written(), "old");
    ASSERT_TRUE(QFile::setPermissions(written(), QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                                     | QFileDevice::ReadOther));
    if (modeBits(written()) != 0444)
        GTEST_SKIP() << "this file system ignores permission bits";
    EXPECT_EQ(exportTo(), kExitFailed);
    EXPECT_EQ(errors, "kinetra: 70 Permission denied: " + written() + "\n");
    EXPECT_EQ(fileBytes(written()), "old");
    EXPECT_EQ(modeBits(written()), 0444u);
    EXPECT_EQ(files(), QStringList({GetParam().written, "squeeze.KTR"}));
}

TEST_P(ExportTarget, ASymbolicLinkIsWrittenThroughAndStays)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("real"));
    const QString real = out(QString("real/") + GetParam().written);
    writeFile(real, "old");
    ASSERT_TRUE(QFile::link(real, written()));
    ASSERT_EQ(exportTo(), kExitOk) << errors.toStdString();
    EXPECT_TRUE(QFileInfo(written()).isSymLink());
    EXPECT_EQ(QFileInfo(written()).symLinkTarget(), real);
    EXPECT_GT(fileBytes(real).size(), 100);
}

TEST_P(ExportTarget, AnOutputThatIsThePlayIsRefusedBeforeAnythingIsWritten)
{
    const QByteArray before = fileBytes(play());
    ASSERT_TRUE(QFile::link(play(), written()));
    EXPECT_EQ(exportTo(), kExitFailed);
    EXPECT_TRUE(errors.contains("is the same file as the play")) << errors.toStdString();
    EXPECT_EQ(fileBytes(play()), before);
    EXPECT_EQ(files(), QStringList({GetParam().written, "squeeze.KTR"}));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ExportTarget,
    testing::Values(TargetCase{"Png", "shot.png", "shot.png", {}},
                    TargetCase{"BmpAll", "shot.bmp", "shot-002.bmp", {"--all"}},
                    TargetCase{"Gif", "anim.gif", "anim.gif", {}},
                    TargetCase{"Pdf", "play.pdf", "play.pdf", {}},
                    TargetCase{"Playbook", "book.pdf", "book.pdf", {"--title", "Book"}}),
    [](const auto &info) { return std::string(info.param.name); });

int pdfPages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(file.readAll())
                   .count(QRegularExpression("/Type\\s*/Page(?![s\\w])")));
}

TEST_F(ExportTest, PdfPrintsEveryFrameThenTheNotesAsTheWindowPrintsAllFrames)
{
    ASSERT_EQ(run({"--export", out("large.pdf"), play()}), kExitOk) << errors.toStdString();
    EXPECT_EQ(pdfPages(out("large.pdf")), 5) << "four frame pages and the notes";
    ASSERT_EQ(run({"--export", out("bare.PDF"), "--no-notes", "--no-legend", play()}), kExitOk);
    EXPECT_EQ(pdfPages(out("bare.PDF")), 4);
    ASSERT_EQ(run({"--export", out("small.pdf"), "--small", play()}), kExitOk);
    const int small = pdfPages(out("small.pdf"));
    EXPECT_GE(small, 2);
    EXPECT_LT(small, 5) << "small pictures share pages";

    EXPECT_EQ(run({"--export", out("none/x.pdf"), play()}), kExitFailed);
    EXPECT_FALSE(QFileInfo::exists(out("none")));
    EXPECT_EQ(files(), QStringList({"bare.PDF", "large.pdf", "small.pdf", "squeeze.KTR"}));
}

// The frames are printed through the renderer at the printer's resolution: the labels on
// the field are text in the PDF, as the header and the legend are.
TEST_F(ExportTest, PdfHoldsTheLabelsAsText)
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_EQ(run({"--export", out("text.pdf"), "--no-notes", play()}), kExitOk);
    QProcess pdftotext;
    pdftotext.start("pdftotext", {out("text.pdf"), "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const char *expected : {"Squeeze 1", "Squeeze 4", "O3", "D7", "Line3", "Squeeze play"})
        EXPECT_TRUE(text.contains(expected)) << expected << " not found in:\n"
                                             << text.toStdString();
}

// A GIF read back with giflib: each image composited as a viewer shows it, with its delay.
struct ReadGif
{
    int loopCount = -1; // -1: no loop extension
    std::vector<int> delays;
    std::vector<QImage> shown;
    std::vector<QRect> rects;
    std::vector<QRgb> table; // the global colour table
    bool localTables = false;
};

ReadGif readGif(const QString &path)
{
    ReadGif result;
    int error = 0;
    GifFileType *gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) {
        ADD_FAILURE() << "giflib cannot read " << path.toStdString();
        if (gif)
            DGifCloseFile(gif, &error);
        return result;
    }
    QImage screen(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
    screen.fill(Qt::black);
    if (gif->SColorMap)
        for (int c = 0; c < gif->SColorMap->ColorCount; ++c) {
            const GifColorType &e = gif->SColorMap->Colors[c];
            result.table.push_back(qRgb(e.Red, e.Green, e.Blue));
        }
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage &image = gif->SavedImages[i];
        for (int e = 0; e + 1 < image.ExtensionBlockCount; ++e) {
            const ExtensionBlock &block = image.ExtensionBlocks[e];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11
                && memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
                const ExtensionBlock &data = image.ExtensionBlocks[e + 1];
                result.loopCount = data.Bytes[1] | (data.Bytes[2] << 8);
            }
        }
        GraphicsControlBlock gcb{};
        DGifSavedExtensionToGCB(gif, i, &gcb);
        result.delays.push_back(gcb.DelayTime);
        const GifImageDesc &d = image.ImageDesc;
        const ColorMapObject *map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        result.localTables |= d.ColorMap != nullptr;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const GifColorType c = map->Colors[image.RasterBits[y * d.Width + x]];
                screen.setPixel(d.Left + x, d.Top + y, qRgb(c.Red, c.Green, c.Blue));
            }
        result.shown.push_back(screen.copy());
        result.rects.push_back(QRect(d.Left, d.Top, d.Width, d.Height));
    }
    DGifCloseFile(gif, &error);
    return result;
}

TEST_F(ExportTest, GifLoopsForeverHoldsEachFrameAndShowsItExactly)
{
    ASSERT_EQ(run({"--export", out("play.gif"), "--delay", "1500", play()}), kExitOk);
    const ReadGif gif = readGif(out("play.gif"));
    EXPECT_EQ(gif.loopCount, 0) << "0 loops forever";
    EXPECT_EQ(gif.delays, std::vector<int>({150, 150, 150, 150}));
    ASSERT_EQ(gif.shown.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(gif.shown[size_t(i)], windowPicture(i + 1)) << "frame " << i + 1;
    // After the first, images hold only what changed.
    EXPECT_EQ(gif.rects[0], windowPicture(1).rect());
    for (size_t i = 1; i < gif.rects.size(); ++i)
        EXPECT_LT(gif.rects[i].width() * gif.rects[i].height(),
                  gif.rects[0].width() * gif.rects[0].height());
}

TEST_F(ExportTest, GifShowsCaptionsOnABandUnderTheFieldOnlyWhenAsked)
{
    Preferences prefs;
    {
        IniSettingsStore store;
        loadPreferences(store, prefs, KINETRA_PROGRAM_DIR);
    }
    PlaySnapshot p = readPlayForExport(play(), prefs);
    PlayImager imager = PlayImager::forPlay(p.looks, prefs, KINETRA_PROGRAM_DIR);
    ExportOptions options;
    options.play = play();
    options.format = ExportFormat::Gif;
    auto gifOf = [&](const QString &name, bool captions) {
        options.output = out(name);
        options.captions = captions;
        EXPECT_TRUE(exportPlay(options, p, imager));
        QFile file(out(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray plain = gifOf("plain.gif", false);
    p.frames.frame(1).Caption = "Squeeze: the runner breaks on the pitch";
    p.frames.frame(3).Caption = "Bunt toward first";
    // Without asking, a play with captions gives the same file as without.
    EXPECT_EQ(gifOf("uncaptioned.gif", false), plain);

    gifOf("captioned.gif", true);
    const ReadGif gif = readGif(out("captioned.gif"));
    ASSERT_EQ(gif.shown.size(), 4u);
    const int field = 373;
    const int band = gif.shown[0].height() - field;
    // At least one line of 14-pixel type, at most three.
    EXPECT_GE(band, 14);
    EXPECT_LE(band, 3 * 24);
    EXPECT_EQ(gif.shown[0].width(), 400);
    // White type on the dark band: its rows from the first white pixel to the last.
    auto typeRows = [&](const QImage &shown) {
        int first = -1, last = -1;
        for (int y = field; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb c = shown.pixel(x, y);
                if (c == qRgb(255, 255, 255)) {
                    first = first < 0 ? y : first;
                    last = y;
                } else {
                    EXPECT_EQ(c, qRgb(24, 24, 24)) << x << "," << y;
                    if (c != qRgb(24, 24, 24))
                        return std::pair(-2, -2);
                }
            }
        return std::pair(first, last);
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i + 1);
        const QImage &shown = gif.shown[size_t(i)];
        EXPECT_EQ(shown.copy(0, 0, 400, field), imager.draw(p.frames.frame(int16_t(i + 1))));
        const auto [first, last] = typeRows(shown);
        if (i == 0 || i == 2) {
            EXPECT_GE(last - first + 1, 10) << "letters of a readable height";
        } else {
            EXPECT_EQ(first, -1) << "no caption, an empty band";
        }
    }
}

TEST_F(ExportTest, SmoothGifGlidesBetweenTheFramesAt25ImagesASecond)
{
    ASSERT_EQ(run({"--export", out("smooth.gif"), "--delay", "200", "--smooth", play()}),
              kExitOk);
    const ReadGif gif = readGif(out("smooth.gif"));
    // 200 ms is five steps of 40 ms: each change has four images between the frames.
    const std::vector<int> transition{20, 4, 4, 4, 4};
    std::vector<int> expected;
    for (int i = 0; i < 3; ++i)
        expected.insert(expected.end(), transition.begin(), transition.end());
    expected.push_back(20);
    EXPECT_EQ(gif.delays, expected);
    EXPECT_EQ(int(gif.shown.size()), animationImageCount(4, 200, true));
    EXPECT_EQ(gif.loopCount, 0);

    Preferences prefs;
    {
        IniSettingsStore store;
        loadPreferences(store, prefs, KINETRA_PROGRAM_DIR);
    }
    const PlaySnapshot p = readPlayForExport(play(), prefs);
    PlayImager imager = PlayImager::forPlay(p.looks, prefs, KINETRA_PROGRAM_DIR);
    const PlayConfig &f2 = p.frames.frame(2), &f3 = p.frames.frame(3);
    EXPECT_EQ(gif.shown[5], imager.draw(f2));
    EXPECT_EQ(gif.shown[7], imager.draw(glideFrame(f2, f3, 0.4, imager.itemSizes())));
    EXPECT_EQ(gif.shown[10], imager.draw(f3));
}

int squaredDistance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

// A GIF at four times the field's size has thousands of colours (smooth edges and text) in a
// table of 256. Every image must show each colour as the same table colour, one nearest to
// it: otherwise the changed rectangles show as patches of another shade.
TEST_F(ExportTest, ALargeGifShowsEveryColourAsTheSameNearestTableColourInEveryImage)
{
    ASSERT_EQ(run({"--export", out("big.gif"), "--scale", "4", "--delay", "120", "--smooth",
                   play()}),
              kExitOk);
    const ReadGif gif = readGif(out("big.gif"));
    EXPECT_FALSE(gif.table.empty());
    EXPECT_FALSE(gif.localTables);

    // What was drawn: each frame, then the glide to the next; after the last frame the
    // animation starts again with the first, with no glide back.
    Preferences prefs;
    {
        IniSettingsStore store;
        loadPreferences(store, prefs, KINETRA_PROGRAM_DIR);
    }
    const PlaySnapshot p = readPlayForExport(play(), prefs);
    PlayImager imager = PlayImager::forPlay(p.looks, prefs, KINETRA_PROGRAM_DIR);
    imager.setScale(4);
    std::vector<QImage> drawn;
    for (int16_t i = 1; i <= 4; ++i) {
        drawn.push_back(imager.draw(p.frames.frame(i)).copy());
        for (int k = 1; k < 3 && i < 4; ++k)
            drawn.push_back(
                imager
                    .draw(glideFrame(p.frames.frame(i), p.frames.frame(int16_t(i + 1)),
                                     k / 3.0, imager.itemSizes()))
                    .copy());
    }
    ASSERT_EQ(gif.shown.size(), drawn.size());
    EXPECT_EQ(gif.delays.back(), 12) << "the last frame is held, then the first comes back";

    std::unordered_map<QRgb, int> rounding; // the least distance to a table colour
    std::unordered_map<QRgb, QRgb> shownAs;
    int colours = 0, wrong = 0, patches = 0;
    for (size_t n = 0; n < drawn.size(); ++n) {
        const QImage &want = drawn[n];
        const QImage &have = gif.shown[n];
        ASSERT_EQ(have.size(), want.size());
        for (int y = 0; y < want.height(); ++y) {
            const auto *w = reinterpret_cast<const QRgb *>(want.constScanLine(y));
            const auto *h = reinterpret_cast<const QRgb *>(have.constScanLine(y));
            for (int x = 0; x < want.width(); ++x) {
                const QRgb c = w[x] & 0xffffff, s = h[x] & 0xffffff;
                auto r = rounding.find(c);
                if (r == rounding.end()) {
                    int least = INT_MAX;
                    for (const QRgb t : gif.table)
                        least = std::min(least, squaredDistance(c, t & 0xffffff));
                    r = rounding.emplace(c, least).first;
                    ++colours;
                }
                wrong += squaredDistance(c, s) != r->second;
                const auto [as, first] = shownAs.emplace(c, s);
                patches += !first && as->second != s;
            }
        }
    }
    EXPECT_GT(colours, 256) << "the test needs more colours than a table holds";
    EXPECT_EQ(wrong, 0) << "pixels shown further from their colour than the table's nearest";
    EXPECT_EQ(patches, 0) << "pixels whose colour another image shows otherwise";
}

// The peak resident memory in KiB of the program itself run with args, or -1 when it did
// not run to a good end.
long programPeakKiB(const QStringList &args)
{
    const QByteArray program = QFile::encodeName(QString(KINETRA_PROGRAM_DIR) + "/kinetra");
    std::vector<QByteArray> texts{program};
    for (const QString &arg : args)
        texts.push_back(QFile::encodeName(arg));
    std::vector<char *> argv;
    for (QByteArray &text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    QByteArray platform("QT_QPA_PLATFORM=offscreen");
    std::vector<char *> env{platform.data()};
    for (char **e = environ; *e; ++e)
        if (strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
            env.push_back(*e);
    env.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.constData(), nullptr, nullptr, argv.data(), env.data()) != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

TEST_F(ExportTest, ALongGifTakesNoMoreMemoryThanAShortOne)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer keeps freed memory in quarantine";
#endif
    // Every frame moves the players, so every image adds to the file: a file kept in memory
    // until the end would show as growth.
    ASSERT_TRUE(writeSamplePlay(out("short.KTR"), 10));
    ASSERT_TRUE(writeSamplePlay(out("long.KTR"), 60));
    const long shortPeak =
        programPeakKiB({"--export", out("short.gif"), "--scale", "4", out("short.KTR")});
    const long longPeak =
        programPeakKiB({"--export", out("long.gif"), "--scale", "4", out("long.KTR")});
    ASSERT_GT(shortPeak, 0);
    ASSERT_GT(longPeak, 0);
    EXPECT_GT(QFileInfo(out("long.gif")).size(), 4 * QFileInfo(out("short.gif")).size());
    EXPECT_LT(longPeak - shortPeak, 12 * 1024)
        << "10 frames: " << shortPeak << " KiB, 60 frames: " << longPeak << " KiB, file "
        << QFileInfo(out("long.gif")).size() << " bytes";
}

TEST(GifEncoder, ManyColoursAreQuantisedEqualImagesMergeAndSizesMustMatch)
{
    QImage rainbow(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            rainbow.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) * 2));
    GifEncoder encoder;
    encoder.addImage(rainbow, 100);
    encoder.addImage(rainbow, 100); // equal: the first is held longer
    QImage changed = rainbow;
    changed.setPixel(10, 20, qRgb(1, 2, 3));
    encoder.addImage(changed, 50);
    EXPECT_EQ(encoder.imageCount(), 2);
    EXPECT_THROW(encoder.addImage(QImage(10, 10, QImage::Format_RGB32), 10), std::exception);

    QTemporaryDir dir;
    QFile file(dir.filePath("r.gif"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(encoder.finish());
    file.close();
    const ReadGif gif = readGif(file.fileName());
    EXPECT_EQ(gif.delays, std::vector<int>({20, 5}));
    ASSERT_EQ(gif.shown.size(), 2u);
    EXPECT_EQ(gif.rects[1], QRect(10, 20, 1, 1));
    // 4096 colours in at most 256: every pixel shown as a table colour nearest to its own,
    // which the table's even spread keeps within half a step of 64 in each primary: no
    // further than a colour 32 off in each.
    auto nearest = [&](QRgb c) {
        int least = INT_MAX;
        for (const QRgb t : gif.table)
            least = std::min(least, squaredDistance(c, t));
        return least;
    };
    EXPECT_EQ(squaredDistance(gif.shown[1].pixel(10, 20), qRgb(1, 2, 3)), nearest(qRgb(1, 2, 3)));
    int worst = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb a = rainbow.pixel(x, y), b = gif.shown[0].pixel(x, y);
            worst = std::max(worst, squaredDistance(a, b));
            EXPECT_EQ(squaredDistance(a, b), nearest(a)) << x << ", " << y;
        }
    EXPECT_LE(worst, 3 * 32 * 32);
}

TEST(GifEncoder, AColourTheFirstImageLacksShowsAsItselfInEveryImage)
{
    QImage first(32, 32, QImage::Format_RGB32);
    first.fill(qRgb(10, 10, 10));
    const QRgb added = qRgb(123, 45, 67); // neither in the first image nor in the even spread
    QImage second = first;
    second.setPixel(5, 5, added);
    QImage third = first;
    third.setPixel(20, 20, added);
    GifEncoder encoder;
    for (const QImage &image : {first, second, third})
        encoder.addImage(image, 100);
    QTemporaryDir dir;
    QFile file(dir.filePath("added.gif"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(encoder.finish());
    file.close();
    const ReadGif gif = readGif(file.fileName());
    ASSERT_EQ(gif.shown.size(), 3u);
    EXPECT_EQ(gif.shown[1], second);
    EXPECT_EQ(gif.shown[2], third);
}

// ---- File > Export... ----------------------------------------------------------------------

class WindowExport : public ExportTest
{
protected:
    void SetUp() override
    {
        ExportTest::SetUp();
        previousDir = QDir::currentPath();
        QDir::setCurrent(logDir.path()); // the error log is written here
        installErrorReporter(platform);
        window = std::make_unique<frmMain>(platform, store, KINETRA_PROGRAM_DIR);
        window->show();
        ASSERT_EQ(window->openPlay(play()), PlayReadStatus::Opened);
        window->SelectFrame(2);
        platform.calls.clear();
    }
    void TearDown() override
    {
        window.reset();
        removeErrorReporter();
        QDir::setCurrent(previousDir);
        FrameDelay = 3000;
    }
    void choose(const std::optional<QString> &file)
    {
        platform.queueText(file);
        window->menuItem("mnuFileExport")->trigger();
    }
    QList<FakePlatform::Call> messages() const
    {
        QList<FakePlatform::Call> out;
        for (const FakePlatform::Call &c : platform.calls)
            if (c.kind == "messageBox")
                out << c;
        return out;
    }

    QTemporaryDir logDir;
    QString previousDir;
    IniSettingsStore store;
    FakePlatform platform;
    std::unique_ptr<frmMain> window;
};

TEST_F(WindowExport, TheItemStandsBelowSaveAsBmpAndOffersTheThreeKinds)
{
    QAction *item = window->menuItem("mnuFileExport");
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->isEnabled());
    EXPECT_EQ(item->text(), "Expor&t...");
    const auto *menu = qobject_cast<QMenu *>(item->parent());
    ASSERT_TRUE(menu);
    const QList<QAction *> file = menu->actions();
    const qsizetype bmp = file.indexOf(window->menuItem("mnuFileSaveBMP"));
    ASSERT_GE(bmp, 0);
    EXPECT_EQ(file.value(bmp + 1), item);

    choose(std::nullopt); // cancelled: nothing written, nothing said
    ASSERT_EQ(platform.calls.size(), 1);
    const FakePlatform::Call &dialog = platform.calls.first();
    EXPECT_EQ(dialog.kind, "saveFile");
    EXPECT_EQ(dialog.file.filter, "PNG picture of this frame (*.png)|*.png"
                                  "|PDF of the play (*.pdf)|*.pdf"
                                  "|Animated GIF of the play (*.gif)|*.gif");
    EXPECT_EQ(dialog.file.proposedName, "squeeze.png");
    EXPECT_TRUE(dialog.file.confirmReplace);
    EXPECT_EQ(files(), QStringList({"squeeze.KTR"}));
}

TEST_F(WindowExport, PngIsTheSurfaceAsShownPdfAndGifThePlay)
{
    window->toolPalette()->ChkActiveOff[4]->click(); // a hidden player stays hidden in the export
    choose(out("frame.png"));
    // Twice the field's size unless File > Export Size says otherwise.
    EXPECT_EQ(QImage(out("frame.png")).convertToFormat(QImage::Format_RGB32),
              window->surface()->scaledImage(2).convertToFormat(QImage::Format_RGB32));
    window->menuItem("mnuFileExportSize1")->trigger();
    choose(out("frame1.png"));
    EXPECT_EQ(QImage(out("frame1.png")).convertToFormat(QImage::Format_RGB32),
              window->surface()->image().convertToFormat(QImage::Format_RGB32));

    choose(out("play.pdf"));
    EXPECT_EQ(pdfPages(out("play.pdf")), 5);

    FrameDelay = 200;
    platform.queueAnswer(Platform::Answer::Yes); // glide
    choose(out("play.gif"));
    const ReadGif gif = readGif(out("play.gif"));
    EXPECT_EQ(int(gif.shown.size()), animationImageCount(4, 200, true));
    ASSERT_FALSE(gif.shown.empty());
    window->SelectFrame(1);
    EXPECT_EQ(gif.shown.front(), window->surface()->image().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(window->document().frames().current(), 1);
    EXPECT_FALSE(window->document().isModified());
}

TEST_F(WindowExport, AWrittenGifIsNamedWithItsSizeAndTheSizeChoiceGivesThePixels)
{
    auto *sizes = window->findChild<QMenu *>("mnuFileExportSize");
    ASSERT_TRUE(sizes);
    emit sizes->aboutToShow();
    const QSize field = window->surface()->size();
    EXPECT_TRUE(window->menuItem("mnuFileExportSize4")
                    ->text()
                    .contains(QString("%1 x %2").arg(field.width() * 4).arg(field.height() * 4)))
        << window->menuItem("mnuFileExportSize4")->text().toStdString();

    FrameDelay = 200;
    platform.queueAnswer(Platform::Answer::No);
    choose(out("play.gif"));
    auto *panel = window->statusBar()->findChild<QLabel *>("sbExported");
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->isVisible());
    const QRegularExpressionMatch said =
        QRegularExpression("play\\.gif\\D*([0-9.]+) (kB|MB)").match(panel->text());
    ASSERT_TRUE(said.hasMatch()) << panel->text().toStdString();
    const double bytes = said.captured(1).toDouble() * (said.captured(2) == "MB" ? 1e6 : 1e3);
    EXPECT_NEAR(bytes, double(QFileInfo(out("play.gif")).size()), 0.1 * bytes);
}

TEST_F(WindowExport, AFailureIsReportedAsExportingPlayAndABadNameIsExplained)
{
    platform.queueAnswer(Platform::Answer::No); // no glide
    choose(out("missing/play.gif"));
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[0].title, "Animated GIF");
    EXPECT_EQ(messages()[1].title, "Exporting Play");
    EXPECT_TRUE(messages()[1].text.contains("76")) << messages()[1].text.toStdString();

    platform.calls.clear();
    choose(out("play.jpg"));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].text.contains(".png")) << messages()[0].text.toStdString();
    EXPECT_EQ(files(), QStringList({"squeeze.KTR"}));
}

// The type chosen in the dialog decides what a bare name becomes; a typed extension wins.
struct ChosenType
{
    const char *name;
    int filter;          // index in the dialog's filter
    const char *typed;
    const char *written;
    const char *magic;   // how the written file begins
};

class WindowExportType : public WindowExport, public testing::WithParamInterface<ChosenType>
{
};

TEST_P(WindowExportType, ABareNameTakesTheChosenTypesExtension)
{
    const ChosenType &c = GetParam();
    FrameDelay = 200;
    platform.queueAnswer(Platform::Answer::No); // no glide, when asked
    platform.queueFilter(c.filter);
    choose(out(c.typed));
    EXPECT_EQ(files(), QStringList({c.written, "squeeze.KTR"}));
    QFile written(out(c.written));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith(c.magic));
    const bool gif = QByteArray(c.magic) == "GIF8";
    ASSERT_EQ(messages().size(), gif ? 1 : 0);
    if (gif) {
        EXPECT_EQ(messages()[0].title, "Animated GIF");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, WindowExportType,
    testing::Values(ChosenType{"Png", 0, "NAME", "NAME.png", "\x89PNG"},
                    ChosenType{"Pdf", 1, "NAME", "NAME.pdf", "%PDF"},
                    ChosenType{"Gif", 2, "NAME", "NAME.gif", "GIF8"},
                    ChosenType{"TypedPngWithGifChosen", 2, "NAME.png", "NAME.png", "\x89PNG"},
                    ChosenType{"TypedGifWithPngChosen", 0, "NAME.GIF", "NAME.GIF", "GIF8"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(WindowExport, AnExistingFileNamedByTheAddedExtensionIsReplacedOnlyWhenTheUserSaysSo)
{
    QFile old(out("NAME.pdf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    platform.queueFilter(1);
    platform.queueAnswer(Platform::Answer::No);
    choose(out("NAME"));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].title, "Export");
    EXPECT_EQ(messages()[0].text,
              QDir::toNativeSeparators(out("NAME.pdf")) + " already exists.\nDo you want to "
                                                          "replace it?");
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
}

// The window's outputs meet read-only files and the play's own file as the command line's
// do; each failure is reported by the command that failed.
struct WindowTargetCase
{
    const char *name;
    const char *file;     // the file written
    const char *activity; // the report's title
};

class WindowTarget : public WindowExport, public testing::WithParamInterface<WindowTargetCase>
{
protected:
    void exportTo()
    {
        const QString file = out(GetParam().file);
        if (file.endsWith(".bmp")) {
            platform.queueText(file.chopped(4));
            window->menuItem("mnuFileSaveBMP")->trigger();
            return;
        }
        if (file.endsWith(".gif"))
            platform.queueAnswer(Platform::Answer::No); // no glide
        choose(file);
    }
    QString written() const { return out(GetParam().file); }
};

TEST_P(WindowTarget, AFileWithoutWritePermissionIsRefusedForEveryUser)
{
    writeFile(written(), "old");
    ASSERT_TRUE(QFile::setPermissions(written(), QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                                     | QFileDevice::ReadOther));
    if (modeBits(written()) != 0444)
        GTEST_SKIP() << "this file system ignores permission bits";
    exportTo();
    ASSERT_FALSE(messages().isEmpty());
    EXPECT_EQ(messages().last().title, GetParam().activity);
    EXPECT_TRUE(messages().last().text.startsWith(errorMessage(70, "Permission denied")))
        << messages().last().text.toStdString();
    EXPECT_EQ(fileBytes(written()), "old");
    EXPECT_EQ(modeBits(written()), 0444u);
    EXPECT_EQ(files(), QStringList({GetParam().file, "squeeze.KTR"}));
}

TEST_P(WindowTarget, TheOpenPlayIsNeverReplaced)
{
    const QByteArray before = fileBytes(play());
    ASSERT_TRUE(QFile::link(play(), written()));
    exportTo();
    ASSERT_FALSE(messages().isEmpty());
    EXPECT_TRUE(messages().last().text.contains("is the same file as the play"))
        << messages().last().text.toStdString();
    EXPECT_EQ(fileBytes(play()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, WindowTarget,
    testing::Values(WindowTargetCase{"Png", "shot.png", "Exporting Play"},
                    WindowTargetCase{"Pdf", "play.pdf", "Exporting Play"},
                    WindowTargetCase{"Gif", "anim.gif", "Exporting Play"},
                    WindowTargetCase{"SaveAsBmp", "shot.bmp", "Saving Bmp file"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace kinetra
