// Kinetra as a desktop program: a play named on the command line or handed over by a second
// start, and an installed (read-only) program folder.
#include "app/instancechannel.h"
#include "app/programfolder.h"
#include "app/reporterror.h"
#include "app/startup.h"
#include "model/runtimeerror.h"
#include "documentfixture.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <future>

namespace kinetra {
namespace {

/// Sets an environment variable for the life of the object.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QString &value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value.toUtf8());
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

// ---- The play named on the command line ----

struct ArgumentCase
{
    QStringList arguments;
    QString expected; // relative to the current folder; empty for none
};

void PrintTo(const ArgumentCase &c, std::ostream *os)
{
    *os << c.arguments.join(' ').toStdString();
}

class PlayFileArgument : public testing::TestWithParam<ArgumentCase>
{};

TEST_P(PlayFileArgument, IsTheFirstNonOptionMadeAbsolute)
{
    const ArgumentCase &c = GetParam();
    const QString expected =
        c.expected.isEmpty() ? QString() : QDir::current().absoluteFilePath(c.expected);
    EXPECT_EQ(playFileArgument(c.arguments), QDir::cleanPath(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, PlayFileArgument,
    testing::Values(ArgumentCase{{"kinetra"}, ""},
                    ArgumentCase{{"kinetra", "PLAY.KTR"}, "PLAY.KTR"},
                    ArgumentCase{{"kinetra", "plays/../Bunt.ktr"}, "Bunt.ktr"},
                    ArgumentCase{{"kinetra", "/abs/Play One.KTR"}, "/abs/Play One.KTR"},
                    ArgumentCase{{"kinetra", "-style", "A.KTR"}, "A.KTR"},
                    ArgumentCase{{"kinetra", "", "A.KTR", "B.KTR"}, "A.KTR"},
                    ArgumentCase{{"kinetra", "--", "-dash.KTR"}, "-dash.KTR"}));

// ---- Opening a play handed to the window ----

class RequestedPlay : public DocumentTest
{};

TEST_F(RequestedPlay, OpensAsFileOpenWouldWithoutTheDialog)
{
    auto w = open();
    const QString file = copyData("two_frames.KTR");
    w->openRequestedPlay(file);

    EXPECT_TRUE(callsOf("openFile").isEmpty());
    EXPECT_TRUE(platform.messages().isEmpty());
    EXPECT_EQ(w->document().path(), file);
    EXPECT_EQ(w->document().frames().count(), 2);
    EXPECT_EQ(w->statusPanels()[0]->text(), "two_frames.KTR");
    EXPECT_EQ(recentFiles(*w), QStringList{file});
    EXPECT_EQ(platform.waitCursorChanges, 2);
    EXPECT_FALSE(platform.waitCursor);

    // The next Open dialog starts beside it, as after choosing it there.
    platform.queueText(std::nullopt);
    w->menuItem("mnuFileOpen")->trigger();
    ASSERT_EQ(callsOf("openFile").size(), 1);
    EXPECT_EQ(callsOf("openFile")[0].file.startFolder, dir.path());
}

struct PromptCase
{
    const char *name;
    Platform::Answer answer;
    bool opened;
};

class RequestedPlayOverChanges : public RequestedPlay,
                                 public testing::WithParamInterface<PromptCase>
{};

TEST_P(RequestedPlayOverChanges, GoesThroughTheSavePrompt)
{
    auto w = open();
    w->document().appendFrame();
    w->document().markChanged();
    platform.queueAnswer(GetParam().answer);
    platform.queueText(std::nullopt); // Yes asks for a name; the dialog is cancelled
    w->openRequestedPlay(copyData("two_frames.KTR", "handed.KTR"));

    ASSERT_GE(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].text, kSavePrompt);
    EXPECT_EQ(w->document().path().isEmpty(), !GetParam().opened);
    EXPECT_EQ(w->document().isModified(), !GetParam().opened);
    EXPECT_EQ(recentFiles(*w).size(), GetParam().opened ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, RequestedPlayOverChanges,
                         testing::Values(PromptCase{"No", Platform::Answer::No, true},
                                         PromptCase{"Cancel", Platform::Answer::Cancel, false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(RequestedPlay, MissingFileIsReportedAndTheLoadedPlayStays)
{
    auto w = open();
    const QString first = copyData("two_frames.KTR");
    w->openRequestedPlay(first);
    const QString missing = path("gone.KTR");
    w->openRequestedPlay(missing);

    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].text, loadError(missing));
    EXPECT_EQ(w->document().path(), first);
    EXPECT_EQ(recentFiles(*w), QStringList{first});
}

TEST_F(RequestedPlay, WaitsForAnOpenDialogToClose)
{
    auto w = open();
    QDialog dialog(w.get());
    dialog.setModal(true);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    const QString file = copyData("two_frames.KTR");
    w->openRequestedPlay(file);
    QTest::qWait(300);
    EXPECT_TRUE(w->document().path().isEmpty());

    dialog.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->document().path() == file; }, 2000));
    EXPECT_EQ(recentFiles(*w), QStringList{file});
}

// ---- The channel between a second start and the running program ----

TEST(InstanceChannel, HandsAPathToTheRunningProgram)
{
    QTemporaryDir dir;
    const QString socket = dir.filePath("kinetra.socket");
    // A socket file left by a crashed run does not stop the next one from listening.
    QFile stale(socket);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();

    InstanceServer server;
    ASSERT_TRUE(server.listen(socket));
    QSignalSpy received(&server, &InstanceServer::playReceived);
    const QString play = QString::fromUtf8("/home/coach/Plays/Bunt défense, 2.KTR");
    auto handed = std::async(std::launch::async,
                             [&] { return handToRunningInstance(socket, play, 5000); });
    ASSERT_TRUE(received.wait(5000));
    EXPECT_EQ(received.at(0).at(0).toString(), play);
    // The answer goes out with the next turn of the event loop.
    while (handed.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        QCoreApplication::processEvents();
    EXPECT_TRUE(handed.get());
}

TEST(InstanceChannel, NothingListeningMeansNotHandedOver)
{
    QTemporaryDir dir;
    EXPECT_FALSE(handToRunningInstance(dir.filePath("kinetra.socket"), "/a.KTR", 1000));
    EXPECT_FALSE(handToRunningInstance(dir.filePath("kinetra.socket"), "/a\nb.KTR", 1000));
}

// ---- A read-only program folder ----

class ProgramFolderTest : public DocumentTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath("prog"));
        ASSERT_TRUE(QDir(dir.path()).mkpath("home"));
        ASSERT_TRUE(QDir(dir.path()).mkpath("cwd"));
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(path("cwd"));
        installErrorReporter(platform);
    }
    void TearDown() override
    {
        removeErrorReporter();
        QFile::setPermissions(path("prog"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setProgramFolder(path("prog")); // writable again: other tests see the old behaviour
        QDir::setCurrent(m_previousDir);
    }
    void makeReadOnly()
    {
        ASSERT_TRUE(QFile::setPermissions(path("prog"), QFile::ReadOwner | QFile::ExeOwner
                                                            | QFile::ReadOther | QFile::ExeOther));
        setProgramFolder(path("prog"));
    }
    static void report()
    {
        try {
            throw RuntimeError(53);
        } catch (...) {
            ReportError("Reading Play");
        }
    }
    QString openDialogStart(frmMain &w)
    {
        platform.queueText(std::nullopt);
        w.menuItem("mnuFileOpen")->trigger();
        const auto dialogs = callsOf("openFile");
        return dialogs.isEmpty() ? QString() : dialogs.last().file.startFolder;
    }

    ScopedEnv home{"HOME", path("home")};
    ScopedEnv state{"XDG_STATE_HOME", path("state")};
    ScopedEnv documents{"XDG_DOCUMENTS_DIR", QString()};

private:
    QString m_previousDir;
};

TEST_F(ProgramFolderTest, WritableFolderKeepsLogAndDialogsInTheCurrentFolder)
{
    setProgramFolder(path("prog"));
    EXPECT_TRUE(folderWritable(path("prog")));
    EXPECT_FALSE(programFolderReadOnly());
    report();
    EXPECT_TRUE(QFile::exists(path("cwd/Ktrlog.txt")));
    EXPECT_FALSE(QFile::exists(path("state")));
    auto w = open();
    EXPECT_EQ(openDialogStart(*w), path("cwd"));
}

TEST_F(ProgramFolderTest, ReadOnlyFolderLogsToTheStateFolder)
{
    makeReadOnly();
    EXPECT_FALSE(folderWritable(path("prog")));
    EXPECT_TRUE(programFolderReadOnly());
    report();
    QFile log(path("state/DAZI/Ktrlog.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("\"Reading Play\",\"Error :  53 File not found"));
    EXPECT_FALSE(QFile::exists(path("cwd/Ktrlog.txt")));
    EXPECT_FALSE(QFile::exists(path("prog/Ktrlog.txt")));
}

TEST_F(ProgramFolderTest, StateFolderDefaultsToLocalStateInTheHome)
{
    ScopedEnv noState("XDG_STATE_HOME", QString());
    EXPECT_EQ(stateFolder(), path("home") + "/.local/state/DAZI");
    ScopedEnv relative("XDG_STATE_HOME", "relative/state");
    EXPECT_EQ(stateFolder(), path("home") + "/.local/state/DAZI");
}

TEST_F(ProgramFolderTest, ReadOnlyFolderStartsDialogsInTheDocumentsFolder)
{
    makeReadOnly();
    auto w = open();
    EXPECT_EQ(openDialogStart(*w), path("home"));

    ScopedEnv missing("XDG_DOCUMENTS_DIR", path("home/Nowhere"));
    EXPECT_EQ(documentsFolder(), path("home"));

    ASSERT_TRUE(QDir(dir.path()).mkpath("home/Documents"));
    EXPECT_EQ(documentsFolder(), path("home/Documents"));

    ASSERT_TRUE(QDir(dir.path()).mkpath("papers"));
    ScopedEnv set("XDG_DOCUMENTS_DIR", path("papers"));
    EXPECT_EQ(openDialogStart(*w), path("papers"));
}

TEST_F(ProgramFolderTest, SaveRefusedForASampleOffersSaveAsInTheDocumentsFolder)
{
    // An installed sample: a file without write permission in the read-only program folder.
    ASSERT_TRUE(QDir(dir.path()).mkpath("prog/Plays"));
    const QString sample = path("prog/Plays/Relay.KTR");
    ASSERT_TRUE(QFile::copy(QString(KINETRA_TEST_DATA) + "/new_play.KTR", sample));
    ASSERT_TRUE(QFile::setPermissions(sample, QFile::ReadOwner | QFile::ReadOther));
    makeReadOnly();
    auto w = open();
    openThroughDialog(*w, sample);
    const QByteArray original = bytes(sample);
    w->menuItem("mnuIAfter")->trigger();

    w->menuItem("mnuFileSave")->trigger(); // the Save As it offers is cancelled
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].text,
              "Error saving file " + sample + ".\n70 : Permission denied");
    const auto offered = callsOf("saveFile");
    ASSERT_EQ(offered.size(), 1) << "Save As follows the error";
    EXPECT_EQ(offered[0].file.startFolder, path("home"));
    EXPECT_EQ(offered[0].file.proposedName, "Relay.KTR");
    EXPECT_EQ(bytes(sample), original);
    EXPECT_TRUE(w->document().isModified());
    platform.queueAnswer(Platform::Answer::No); // drop the changes if Open goes ahead
    EXPECT_EQ(openDialogStart(*w), path("home"));
}

TEST(FolderWritable, MissingFolderIsNotWritable)
{
    EXPECT_FALSE(folderWritable("/nonexistent/kinetra"));
}

} // namespace
} // namespace kinetra
