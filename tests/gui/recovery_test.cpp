// Recovery copies in the main window: written ten seconds after a change on the fake clock,
// removed by a save, and offered again by the next start.
#include "gui/documentfixture.h"

#include "app/programfolder.h"
#include "app/recoverycopy.h"
#include "model/playfile.h"
#include "model/recoveryinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QStatusBar>

#include <functional>

namespace kinetra {
namespace {

class RecoveryTest : public DocumentTest
{
protected:
    QString folder() const { return path("recovery"); }
    QStringList files(const QString &sub = QString()) const
    {
        return QDir(folder() + sub).entryList(QDir::Files, QDir::Name);
    }
    std::optional<RecoveryInfo> info(const QString &file) const
    {
        return parseRecoveryInfo(bytes(file).toStdString());
    }

    /// The recovery copy of w's play, as the program makes it.
    std::unique_ptr<RecoveryCopy> recoveryOf(frmMain &w)
    {
        return std::make_unique<RecoveryCopy>(w.document(), platform, w.statusBar(),
                                              std::bind_front(&frmMain::openRecoveredPlay, &w),
                                              folder());
    }

    QString copyBase() const { return QFileInfo(files().value(0)).completeBaseName(); }
    /// Inserts a frame and lets the ten seconds run out, so that a copy is written (or fails).
    void editAndWait(frmMain &w, RecoveryCopy &recovery)
    {
        w.mnuIAfter_Click();
        platform.advance(RecoveryCopy::kDelayMs);
        recovery.waitForWriter();
        QCoreApplication::processEvents(); // the writer's failures arrive as queued calls
    }

    /// Opens `play`, inserts a frame after its first and lets the copy be written; then the
    /// window and its copy end as a killed program's would, without closing.
    void leaveCopy(const QString &play)
    {
        auto w = open();
        openThroughDialog(*w, play);
        auto recovery = recoveryOf(*w);
        w->mnuIAfter_Click();
        platform.advance(RecoveryCopy::kDelayMs);
        recovery->waitForWriter();
        ASSERT_EQ(files().size(), 2);
    }
};

TEST_F(RecoveryTest, AChangeIsCopiedTenSecondsLaterIntoOneCopyThatSavingRemoves)
{
    auto w = open();
    const QString play = copyData("two_frames.KTR");
    openThroughDialog(*w, play);
    auto recovery = recoveryOf(*w);

    w->mnuIAfter_Click();
    platform.advance(RecoveryCopy::kDelayMs - 1);
    recovery->waitForWriter();
    EXPECT_TRUE(files().isEmpty()) << "copied before ten seconds had passed";
    w->mnuIAfter_Click(); // the same ten seconds: one copy holds both changes
    platform.advance(1);
    recovery->waitForWriter();
    const QStringList written = files();
    ASSERT_EQ(written.size(), 2);
    const QString base = QFileInfo(written[0]).completeBaseName();
    EXPECT_EQ(written, (QStringList{base + ".KTR", base + ".txt"}));
    EXPECT_EQ(readPlayFile((folder() + "/" + base + ".KTR").toStdString()).play.frames.count(),
              4);
    EXPECT_EQ(info(folder() + "/" + base + ".txt"),
              (RecoveryInfo{play.toStdString(), "Bunt, Defense", 3,
                            platform.now().addMSecs(-1).toSecsSinceEpoch(), 0,
                            QFileInfo(play).size(),
                            QFileInfo(play).lastModified().toMSecsSinceEpoch()}));

    // A later change rewrites the same copy; nothing is written while nothing changes.
    w->mnuEDel_Click();
    platform.advance(RecoveryCopy::kDelayMs);
    recovery->waitForWriter();
    EXPECT_EQ(files(), written);
    EXPECT_EQ(readPlayFile((folder() + "/" + base + ".KTR").toStdString()).play.frames.count(),
              3);
    EXPECT_EQ(platform.pendingTimers(), 0);

    w->menuItem("mnuFileSave")->trigger();
    recovery->waitForWriter();
    EXPECT_TRUE(files().isEmpty());

    // Undoing back to the saved play leaves nothing to recover either.
    w->mnuIAfter_Click();
    platform.advance(RecoveryCopy::kDelayMs);
    recovery->waitForWriter();
    EXPECT_EQ(files().size(), 2);
    w->mnuEUndo_Click();
    platform.advance(RecoveryCopy::kDelayMs);
    recovery->waitForWriter();
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(platform.messages().isEmpty());
}

TEST_F(RecoveryTest, YesTakesTheChangesBackIntoThePlaysOwnFileAtTheirFrame)
{
    const QString play = copyData("two_frames.KTR");
    leaveCopy(play);
    const QDateTime changed = platform.now().addMSecs(-RecoveryCopy::kDelayMs);

    auto w = open();
    auto recovery = recoveryOf(*w);
    platform.queueAnswer(Platform::Answer::Yes);
    recovery->offerRecovery();

    ASSERT_EQ(platform.messages().size(), 1);
    const FakePlatform::Call box = platform.messages()[0];
    EXPECT_EQ(box.text, "Kinetra was closed before changes to 'Bunt, Defense' in " + play
                            + " were saved (last change "
                            + changed.toString("MM-dd-yyyy HH:mm:ss") + "). Recover them?");
    EXPECT_EQ(box.title, "Kinetra");
    EXPECT_EQ(box.buttons, Platform::Buttons::YesNo);
    EXPECT_EQ(box.icon, Platform::Icon::Question);
    EXPECT_EQ(w->document().path(), play);
    EXPECT_TRUE(w->document().isModified());
    EXPECT_EQ(w->document().frames().count(), 3);
    EXPECT_EQ(w->document().frames().current(), 2);
    EXPECT_EQ(panels(*w), (QStringList{"two_frames.KTR", "Bunt, Defense", "04-17-1998",
                                       " Frame: 2/3"}));

    // The recovered copy is this run's: kept until the save, then gone.
    EXPECT_EQ(files().size(), 2);
    w->menuItem("mnuFileSave")->trigger();
    recovery->waitForWriter();
    EXPECT_TRUE(files().isEmpty());
    EXPECT_EQ(readPlayFile(play.toStdString()).play.frames.count(), 3);
}

TEST_F(RecoveryTest, AnUnreadableCopyIsReportedAndKeptUntilTheUserDeclinesIt)
{
    leaveCopy(copyData("two_frames.KTR"));
    const QString base = QFileInfo(files()[0]).completeBaseName();
    const QString copy = folder() + "/" + base + ".KTR";
    QFile::remove(copy);
    ASSERT_TRUE(QFile::copy(QString(KINETRA_TEST_DATA) + "/garbage.KTR", copy));

    {
        auto w = open();
        auto recovery = recoveryOf(*w);
        platform.calls.clear();
        platform.queueAnswer(Platform::Answer::Yes);
        recovery->offerRecovery();
        ASSERT_EQ(platform.messages().size(), 2);
        EXPECT_EQ(platform.messages()[1].text, loadError(copy));
        EXPECT_FALSE(w->document().isModified());
        EXPECT_EQ(files().size(), 2);
    }

    auto w = open();
    auto recovery = recoveryOf(*w);
    platform.queueAnswer(Platform::Answer::No);
    recovery->offerRecovery();
    EXPECT_TRUE(files().isEmpty());
    EXPECT_EQ(files("/discarded"), (QStringList{base + ".KTR", base + ".txt"}));
    EXPECT_EQ(info(folder() + "/discarded/" + base + ".txt")->discardedAt,
              platform.now().toSecsSinceEpoch());
    EXPECT_FALSE(w->document().isModified());
}

TEST_F(RecoveryTest, APlayCopyLeftWithoutItsDescriptionIsSweptAtTheNextStart)
{
    leaveCopy(copyData("two_frames.KTR"));
    ASSERT_TRUE(QFile::remove(folder() + "/" + copyBase() + ".txt"));

    auto w = open();
    auto recovery = recoveryOf(*w);
    recovery->offerRecovery();
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(platform.messages().isEmpty());
}

TEST_F(RecoveryTest, CopiesThatCannotBeWrittenAreSaidToBeOffOncePerRun)
{
    {
        QFile plain(folder()); // a file where the folder should be: refused even to root
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    }
    auto w = open();
    openThroughDialog(*w, copyData("two_frames.KTR"));
    auto recovery = recoveryOf(*w);
    QFile::remove(errorLogPath());

    editAndWait(*w, *recovery);
    ASSERT_TRUE(recovery->notice());
    EXPECT_EQ(recovery->notice()->text(), "Recovery copies are off: Path not found");
    EXPECT_TRUE(recovery->notice()->isVisible());
    EXPECT_TRUE(QString::fromUtf8(bytes(errorLogPath()))
                    .contains("Recovery copies are off: Path not found (" + folder() + ")"));

    // Every later copy fails alike and is not announced again.
    QFile::remove(errorLogPath());
    editAndWait(*w, *recovery);
    EXPECT_FALSE(QFile::exists(errorLogPath()));
    EXPECT_EQ(w->statusBar()->findChildren<QLabel *>("sbRecovery").size(), 1);
    EXPECT_TRUE(platform.messages().isEmpty());
}

// The play's file changed after the copy was made (edited by hand while Kinetra was down).
struct ChangedOutside
{
    const char *name;
    bool describedBefore;          ///< the copy's description was written by an older Kinetra
    Platform::Answer replace;      ///< the answer to the question at the first save
};

class RecoveryChangedOutsideTest : public RecoveryTest,
                                   public testing::WithParamInterface<ChangedOutside>
{
};

TEST_P(RecoveryChangedOutsideTest, TheQuestionSaysSoAndTheFirstSaveAsksBeforeReplacing)
{
    const ChangedOutside &c = GetParam();
    const QString play = copyData("two_frames.KTR");
    leaveCopy(play);
    const QString description = folder() + "/" + copyBase() + ".txt";
    const QDateTime changed = platform.now().addMSecs(-RecoveryCopy::kDelayMs);
    if (c.describedBefore) {
        QString old = QString::fromUtf8(bytes(description));
        old.remove(QRegularExpression("file(size|time)=[0-9]*\n"));
        ASSERT_FALSE(old.contains("file"));
        QFile file(description);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(old.toUtf8());
    }
    const QString outside = copyData("new_play.KTR", "two_frames.KTR"); // one frame, not two
    const QByteArray outsideBytes = bytes(outside);

    auto w = open();
    auto recovery = recoveryOf(*w);
    platform.queueAnswer(Platform::Answer::Yes);
    recovery->offerRecovery();
    ASSERT_EQ(platform.messages().size(), 1);
    const QString warning = c.describedBefore
                                ? QString()
                                : " The file has been changed since then; if you recover the "
                                  "changes, saving them will ask before replacing it.";
    EXPECT_EQ(platform.messages()[0].text,
              "Kinetra was closed before changes to 'Bunt, Defense' in " + play
                  + " were saved (last change " + changed.toString("MM-dd-yyyy HH:mm:ss") + ")."
                  + warning + " Recover them?");
    ASSERT_EQ(w->document().frames().count(), 3);

    platform.calls.clear();
    const QString elsewhere = path("elsewhere.KTR");
    if (!c.describedBefore)
        platform.queueAnswer(c.replace);
    if (c.replace == Platform::Answer::No)
        platform.queueText(elsewhere); // in the Save As dialog
    w->menuItem("mnuFileSave")->trigger();
    if (c.describedBefore) {
        // Nothing tells of the change: the save goes ahead as any save does.
        EXPECT_TRUE(platform.messages().isEmpty());
        EXPECT_EQ(readPlayFile(play.toStdString()).play.frames.count(), 3);
        return;
    }
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].text,
              play + " has been changed since the recovered changes were made.\nDo you want to "
                     "replace it? Choose No to save the play under another name.");
    EXPECT_EQ(platform.messages()[0].buttons, Platform::Buttons::YesNo);
    if (c.replace == Platform::Answer::Yes) {
        EXPECT_EQ(readPlayFile(play.toStdString()).play.frames.count(), 3);
        EXPECT_TRUE(callsOf("saveFileName").isEmpty());
    } else {
        EXPECT_EQ(bytes(play), outsideBytes) << "No replaced the file all the same";
        EXPECT_EQ(readPlayFile(elsewhere.toStdString()).play.frames.count(), 3);
        EXPECT_EQ(w->document().path(), elsewhere);
    }
    EXPECT_FALSE(w->document().isModified());

    // Asked once: the next save writes without a word.
    platform.calls.clear();
    w->mnuIAfter_Click();
    w->menuItem("mnuFileSave")->trigger();
    EXPECT_TRUE(platform.messages().isEmpty());
    EXPECT_FALSE(w->document().isModified());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RecoveryChangedOutsideTest,
    testing::Values(ChangedOutside{"YesReplacesTheFile", false, Platform::Answer::Yes},
                    ChangedOutside{"NoSavesUnderAnotherName", false, Platform::Answer::No},
                    ChangedOutside{"AnOlderDescriptionCannotTell", true, Platform::Answer::Yes}),
    [](const testing::TestParamInfo<ChangedOutside> &info) {
        return std::string(info.param.name);
    });

// Whether the play's file changed after the copy noted it, worked out from its size and time.
struct FileNoted
{
    const char *name;
    qint64 sizeNoted;     ///< -1: the copy noted nothing
    qint64 secondsLater;  ///< how much later than noted the file was last modified now
    bool removed;
    bool changed;
};

TEST(RecoveryFileChanged, ComparesTheSizeAndTheTimeTheCopyNoted)
{
    const FileNoted cases[] = {
        {"as noted", 4, 0, false, false},
        {"same size, later", 4, 60, false, true},
        {"same size, earlier", 4, -60, false, true},
        {"other size, same time", 5, 0, false, true},
        {"nothing noted", -1, 60, false, false},
        {"gone", 4, 0, true, false},
    };
    QTemporaryDir dir;
    const QDateTime noted = QDateTime::fromSecsSinceEpoch(1'765'000'000);
    for (const FileNoted &c : cases) {
        SCOPED_TRACE(c.name);
        const QString play = dir.filePath("play.KTR");
        QFile file(play);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("abcd");
        ASSERT_TRUE(file.flush());
        ASSERT_TRUE(file.setFileTime(noted.addSecs(c.secondsLater),
                                     QFileDevice::FileModificationTime));
        file.close();
        if (c.removed) {
            ASSERT_TRUE(QFile::remove(play));
        }
        RecoveryInfo info;
        info.playPath = play.toStdString();
        info.fileSize = c.sizeNoted;
        info.fileModifiedAt = c.sizeNoted < 0 ? -1 : noted.toMSecsSinceEpoch();
        EXPECT_EQ(RecoveryCopy::fileChangedSince(info), c.changed);
    }
}

// Every way the changes stop being only in memory removes the copy.
enum class Settle { Save, SaveAs, New, OpenAnother, Close };

class RecoveryCleanupPathTest : public RecoveryTest, public testing::WithParamInterface<Settle>
{
};

TEST_P(RecoveryCleanupPathTest, RemovesTheCopy)
{
    auto w = open();
    openThroughDialog(*w, copyData("two_frames.KTR"));
    auto recovery = recoveryOf(*w);
    editAndWait(*w, *recovery);
    ASSERT_EQ(files().size(), 2);

    switch (GetParam()) {
    case Settle::Save:
        w->menuItem("mnuFileSave")->trigger();
        break;
    case Settle::SaveAs:
        saveAsThroughDialog(*w, path("saved as.KTR"));
        break;
    case Settle::New:
        platform.queueAnswer(Platform::Answer::No);
        w->menuItem("mnuFileNew")->trigger();
        break;
    case Settle::OpenAnother:
        platform.queueAnswer(Platform::Answer::No);
        openThroughDialog(*w, copyData("three_frames.KTR"));
        break;
    case Settle::Close:
        platform.queueAnswer(Platform::Answer::No);
        ASSERT_TRUE(w->close());
        break;
    }
    recovery->waitForWriter();
    EXPECT_TRUE(files().isEmpty());
    platform.advance(RecoveryCopy::kDelayMs);
    recovery->waitForWriter();
    EXPECT_TRUE(files().isEmpty()) << "a copy came back";
}

std::string settleName(const testing::TestParamInfo<Settle> &info)
{
    static const char *const names[] = {"Save", "SaveAs", "New", "OpenAnother", "Close"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Paths, RecoveryCleanupPathTest,
                         testing::Values(Settle::Save, Settle::SaveAs, Settle::New,
                                         Settle::OpenAnother, Settle::Close),
                         settleName);

} // namespace
} // namespace kinetra
