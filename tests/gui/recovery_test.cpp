// Recovery copies in the main window: written ten seconds after a change on the fake clock,
// removed by a save, and offered again by the next start.
#include "gui/documentfixture.h"

#include "app/recoverycopy.h"
#include "model/playfile.h"
#include "model/recoveryinfo.h"

#include <QDir>

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

    /// Opens `play`, inserts a frame after its first and lets the copy be written; then the
    /// window and its copy end as a killed program's would, without closing.
    void leaveCopy(const QString &play)
    {
        auto w = open();
        openThroughDialog(*w, play);
        RecoveryCopy recovery(*w, platform, folder());
        w->mnuIAfter_Click();
        platform.advance(RecoveryCopy::kDelayMs);
        recovery.waitForWriter();
        ASSERT_EQ(files().size(), 2);
    }
};

TEST_F(RecoveryTest, AChangeIsCopiedTenSecondsLaterIntoOneCopyThatSavingRemoves)
{
    auto w = open();
    const QString play = copyData("two_frames.KTR");
    openThroughDialog(*w, play);
    RecoveryCopy recovery(*w, platform, folder());

    w->mnuIAfter_Click();
    platform.advance(RecoveryCopy::kDelayMs - 1);
    recovery.waitForWriter();
    EXPECT_TRUE(files().isEmpty()) << "copied before ten seconds had passed";
    w->mnuIAfter_Click(); // the same ten seconds: one copy holds both changes
    platform.advance(1);
    recovery.waitForWriter();
    const QStringList written = files();
    ASSERT_EQ(written.size(), 2);
    const QString base = QFileInfo(written[0]).completeBaseName();
    EXPECT_EQ(written, (QStringList{base + ".KTR", base + ".txt"}));
    EXPECT_EQ(readPlayFile((folder() + "/" + base + ".KTR").toStdString()).contents.frames.count(),
              4);
    EXPECT_EQ(info(folder() + "/" + base + ".txt"),
              (RecoveryInfo{play.toStdString(), "Bunt, Defense", 3,
                            platform.now().addMSecs(-1).toSecsSinceEpoch(), 0}));

    // A later change rewrites the same copy; nothing is written while nothing changes.
    w->mnuEDel_Click();
    platform.advance(RecoveryCopy::kDelayMs);
    recovery.waitForWriter();
    EXPECT_EQ(files(), written);
    EXPECT_EQ(readPlayFile((folder() + "/" + base + ".KTR").toStdString()).contents.frames.count(),
              3);
    EXPECT_EQ(platform.pendingTimers(), 0);

    w->menuItem("mnuFileSave")->trigger();
    recovery.waitForWriter();
    EXPECT_TRUE(files().isEmpty());

    // Undoing back to the saved play leaves nothing to recover either.
    w->mnuIAfter_Click();
    platform.advance(RecoveryCopy::kDelayMs);
    recovery.waitForWriter();
    EXPECT_EQ(files().size(), 2);
    w->mnuEUndo_Click();
    platform.advance(RecoveryCopy::kDelayMs);
    recovery.waitForWriter();
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(platform.messages().isEmpty());
}

TEST_F(RecoveryTest, YesTakesTheChangesBackIntoThePlaysOwnFileAtTheirFrame)
{
    const QString play = copyData("two_frames.KTR");
    leaveCopy(play);
    const QDateTime changed = platform.now().addMSecs(-RecoveryCopy::kDelayMs);

    auto w = open();
    RecoveryCopy recovery(*w, platform, folder());
    platform.queueAnswer(Platform::Answer::Yes);
    recovery.offerRecovery();

    ASSERT_EQ(platform.messages().size(), 1);
    const FakePlatform::Call box = platform.messages()[0];
    EXPECT_EQ(box.text, "Kinetra was closed before changes to 'Bunt, Defense' were saved (last "
                        "change " + changed.toString("MM-dd-yyyy HH:mm:ss") + "). Recover them?");
    EXPECT_EQ(box.title, "Kinetra");
    EXPECT_EQ(box.buttons, Platform::Buttons::YesNo);
    EXPECT_EQ(box.icon, Platform::Icon::Question);
    EXPECT_EQ(w->PlayFile, play);
    EXPECT_TRUE(w->Frames.modified());
    EXPECT_EQ(w->Frames.count(), 3);
    EXPECT_EQ(w->Frames.current(), 2);
    EXPECT_EQ(panels(*w), (QStringList{"two_frames.KTR", "Bunt, Defense", "04-17-1998",
                                       " Frame: 2/3"}));

    // The recovered copy is this run's: kept until the save, then gone.
    EXPECT_EQ(files().size(), 2);
    w->menuItem("mnuFileSave")->trigger();
    recovery.waitForWriter();
    EXPECT_TRUE(files().isEmpty());
    EXPECT_EQ(readPlayFile(play.toStdString()).contents.frames.count(), 3);
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
        RecoveryCopy recovery(*w, platform, folder());
        platform.calls.clear();
        platform.queueAnswer(Platform::Answer::Yes);
        recovery.offerRecovery();
        ASSERT_EQ(platform.messages().size(), 2);
        EXPECT_EQ(platform.messages()[1].text, loadError(copy));
        EXPECT_FALSE(w->Frames.modified());
        EXPECT_EQ(files().size(), 2);
    }

    auto w = open();
    RecoveryCopy recovery(*w, platform, folder());
    platform.queueAnswer(Platform::Answer::No);
    recovery.offerRecovery();
    EXPECT_TRUE(files().isEmpty());
    EXPECT_EQ(files("/discarded"), (QStringList{base + ".KTR", base + ".txt"}));
    EXPECT_EQ(info(folder() + "/discarded/" + base + ".txt")->discardedAt,
              platform.now().toSecsSinceEpoch());
    EXPECT_FALSE(w->Frames.modified());
}

} // namespace
} // namespace kinetra
