// The recent-file items at the end of the File menu and the store behind them.
#include "gui/documentfixture.h"

#include <QDir>

namespace kinetra {
namespace {

class RecentFilesTest : public DocumentTest
{
protected:
    /// Copies of the one-frame sample as play1.KTR .. playN.KTR.
    QStringList makePlays(int n)
    {
        QStringList plays;
        for (int i = 1; i <= n; ++i)
            plays << copyData("new_play.KTR", QString("play%1.KTR").arg(i));
        return plays;
    }

    QStringList stored() const
    {
        IniSettingsStore reread(settings.iniPath());
        QStringList values;
        for (const QString &key : reread.keys("Files"))
            values << key + "=" + reread.read("Files", key);
        return values;
    }
};

TEST_F(RecentFilesTest, FirstRunShowsNone)
{
    auto w = open();
    EXPECT_TRUE(recentFiles(*w).isEmpty());
    for (int i = 0; i < RecentFiles::kItems; ++i)
        EXPECT_FALSE(w->recentFiles().item(i)->isVisible());
}

struct OrderCase
{
    const char *name;
    std::vector<int> opened; // plays opened, in order (1-based)
    std::vector<int> shown;  // plays the items show, top first
};

void PrintTo(const OrderCase &c, std::ostream *os)
{
    *os << c.name;
}

class RecentOrder : public RecentFilesTest, public testing::WithParamInterface<OrderCase>
{};

TEST_P(RecentOrder, NewestFirstAtMostFourAndNoMoving)
{
    const QStringList plays = makePlays(5);
    auto w = open();
    for (int p : GetParam().opened)
        openThroughDialog(*w, plays[p - 1]);
    QStringList expected, expectedStore;
    for (int p : GetParam().shown) {
        expected << plays[p - 1];
        expectedStore << QString("RecentFile%1=%2").arg(expectedStore.size() + 1).arg(plays[p - 1]);
    }
    EXPECT_EQ(recentFiles(*w), expected);
    EXPECT_FALSE(w->recentFiles().item(4)->isVisible());
    // Written at once, not when the program ends.
    EXPECT_EQ(stored(), expectedStore);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, RecentOrder,
    testing::Values(OrderCase{"ThreePlays", {1, 2, 3}, {3, 2, 1}},
                    OrderCase{"FivePlaysDropTheOldest", {1, 2, 3, 4, 5}, {5, 4, 3, 2}},
                    OrderCase{"ListedPlayKeepsItsPlace", {1, 2, 3, 2}, {3, 2, 1}},
                    OrderCase{"DroppedPlayComesBackOnTop", {1, 2, 3, 4, 5, 1}, {1, 5, 4, 3}}),
    [](const testing::TestParamInfo<OrderCase> &info) { return info.param.name; });

TEST_F(RecentFilesTest, PathsThatDifferInLetterCaseAreListedTwice)
{
    const QString lower = copyData("new_play.KTR", "play.KTR");
    const QString upper = copyData("new_play.KTR", "PLAY.KTR");
    auto w = open();
    openThroughDialog(*w, lower);
    openThroughDialog(*w, upper);
    openThroughDialog(*w, lower);
    EXPECT_EQ(recentFiles(*w), (QStringList{upper, lower}));
    EXPECT_TRUE(w->recentFiles().contains(lower));
    EXPECT_FALSE(w->recentFiles().contains(path("Play.KTR")));
}

TEST_F(RecentFilesTest, SaveAsAddsTheNewName)
{
    auto w = open();
    const QString file = path("saved.KTR");
    saveAsThroughDialog(*w, file);
    w->menuItem("mnuFileSave")->trigger(); // a save under the same name adds nothing
    EXPECT_EQ(recentFiles(*w), QStringList{file});
    EXPECT_EQ(stored(), QStringList{"RecentFile1=" + file});
}

TEST_F(RecentFilesTest, NextStartShowsTheStoredList)
{
    const QStringList plays = makePlays(2);
    {
        auto w = open();
        openThroughDialog(*w, plays[0]);
        openThroughDialog(*w, plays[1]);
    }
    auto again = open();
    EXPECT_EQ(recentFiles(*again), (QStringList{plays[1], plays[0]}));
}

TEST_F(RecentFilesTest, ChoosingAnItemOpensItsPlay)
{
    const QString first = copyData("two_frames.KTR");
    const QString second = copyData("new_play.KTR");
    auto w = open();
    openThroughDialog(*w, first);
    openThroughDialog(*w, second);
    ASSERT_EQ(w->recentFiles().item(1)->text(), first);

    w->recentFiles().item(1)->trigger();
    EXPECT_EQ(w->document().path(), first);
    EXPECT_EQ(w->fileChooser().lastChosenFile(), first);
    EXPECT_EQ(w->document().frames().count(), 2);
    EXPECT_EQ(panels(*w),
              (QStringList{"two_frames.KTR", "Bunt, Defense", "04-17-1998", " Frame: 1/2"}));
    EXPECT_EQ(recentFiles(*w), (QStringList{second, first})); // no moving
    EXPECT_EQ(callsOf("openFile").size(), 2);                 // no dialog for the item
    EXPECT_FALSE(platform.waitCursor);

    // The next Open dialog proposes the play chosen from the list, in its folder.
    platform.queueText(std::nullopt);
    w->menuItem("mnuFileOpen")->trigger();
    EXPECT_EQ(callsOf("openFile").last().file.proposedName, "two_frames.KTR");
    EXPECT_EQ(callsOf("openFile").last().file.startFolder, dir.path());
}

TEST_F(RecentFilesTest, CancelInThePromptKeepsTheChangedPlay)
{
    const QString file = copyData("two_frames.KTR");
    auto w = open();
    openThroughDialog(*w, copyData("new_play.KTR"));
    openThroughDialog(*w, file);
    w->document().appendFrame();
    platform.queueAnswer(Platform::Answer::Cancel);
    w->recentFiles().item(1)->trigger(); // new_play.KTR
    EXPECT_EQ(w->document().path(), file);
    EXPECT_EQ(w->document().frames().count(), 3);
    EXPECT_TRUE(w->document().isModified());
    EXPECT_EQ(w->statusPanels()[0]->text(), "two_frames.KTR");
}

TEST_F(RecentFilesTest, ListedPlayThatIsGoneIsReportedAndStaysListed)
{
    const QString gone = copyData("new_play.KTR", "gone.KTR");
    const QString kept = copyData("two_frames.KTR");
    auto w = open();
    openThroughDialog(*w, gone);
    openThroughDialog(*w, kept);
    ASSERT_TRUE(QFile::remove(gone));

    w->recentFiles().item(1)->trigger();
    EXPECT_EQ(platform.beeps, 1);
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages().first().text, loadError(gone));
    EXPECT_EQ(w->document().path(), kept);
    EXPECT_EQ(w->statusPanels()[0]->text(), "two_frames.KTR");
    EXPECT_EQ(recentFiles(*w), (QStringList{kept, gone}));
}

TEST_F(RecentFilesTest, AmpersandInAPathIsShownAsItIs)
{
    const QString file = copyData("new_play.KTR", "Bunt & Run.KTR");
    auto w = open();
    openThroughDialog(*w, file);
    EXPECT_EQ(recentFiles(*w), QStringList{file});
    EXPECT_EQ(w->recentFiles().item(0)->text(), QString(file).replace("&", "&&"));
    EXPECT_TRUE(w->recentFiles().contains(file));
    w->recentFiles().item(0)->trigger();
    EXPECT_EQ(w->document().path(), file);
}

TEST_F(RecentFilesTest, MoreStoredKeysThanItemsFillOnlyTheItems)
{
    for (int i = 1; i <= 7; ++i)
        store.write("Files", QString("RecentFile%1").arg(i), path(QString("p%1.KTR").arg(i)));
    store.sync();
    auto w = open();
    EXPECT_EQ(recentFiles(*w).size(), 5);
    EXPECT_EQ(w->recentFiles().path(4), path("p5.KTR"));
}

} // namespace
} // namespace kinetra
