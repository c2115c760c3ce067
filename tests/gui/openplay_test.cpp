// Every way a play comes in (File > Open, a recent file, the Play Directory, a play handed over,
// a recovery copy) ends alike for a good file, a damaged one, one of another edition and one
// that cannot be read: the file panel names a file only when Save writes to it.
#include "gui/playdirectoryfixture.h"

#include <QFileInfo>
#include <QPushButton>

#include <tuple>

namespace kinetra {
namespace {

enum class Way { OpenDialog, RecentFile, PlayDirectory, HandedOver, Recovery };

struct FileCase
{
    const char *name;
    const char *file;
    bool taken; ///< the play is read, whole or in part
    bool whole; ///< read whole: the file becomes the play's
};

const FileCase kGood{"Good", "two_frames.KTR", true, true};
const FileCase kDamaged{"Damaged", "truncated.KTR", true, false};
const FileCase kRefused{"Refused", "hockey.KTR", false, false};
const FileCase kUnreadable{"Unreadable", "garbage.KTR", false, false};

class OpeningEveryWay : public PlayDirectoryTest,
                        public testing::WithParamInterface<std::tuple<Way, FileCase>>
{
};

TEST_P(OpeningEveryWay, ThePanelNamesOnlyTheFileSaveWritesTo)
{
    // Named one by one: clang 14 cannot capture structured bindings in a lambda.
    const Way way = std::get<0>(GetParam());
    const FileCase c = std::get<1>(GetParam());
    auto w = openIn();
    const QString before = copyData("three_frames.KTR");
    ASSERT_EQ(w->openPlay(before, {.remember = false}), PlayReadStatus::Opened);
    // In the Play Directory's folder, so that every way reaches it.
    const QString file = QDir(plays).filePath(c.file);
    ASSERT_TRUE(QFile::copy(QString(KINETRA_TEST_DATA) + "/" + c.file, file));
    const QString own = path("own.KTR"); // the play file a recovered copy was made from

    switch (way) {
    case Way::OpenDialog: openThroughDialog(*w, file); break;
    case Way::RecentFile:
        store.write("Files", "RecentFile1", file);
        w->recentFiles().load();
        w->recentFiles().item(0)->trigger();
        break;
    case Way::PlayDirectory:
        playDirectory(*w, [&](frmdir &d) {
            const QList<QListWidgetItem *> found = d.List1->findItems(c.file, Qt::MatchStartsWith);
            ASSERT_EQ(found.size(), 1);
            select(d, d.List1->row(found[0]));
            d.CmdOpen->click();
        });
        break;
    case Way::HandedOver: w->openRequestedPlay(file); break;
    case Way::Recovery: w->openRecoveredPlay(file, own, 1); break;
    }

    const QString bound = !c.taken ? before
                          : !c.whole ? QString()
                          : way == Way::Recovery ? own
                                                 : file;
    EXPECT_EQ(w->document().path(), bound);
    EXPECT_EQ(w->statusPanels()[0]->text(),
              bound.isEmpty() ? QString("Play Not Saved") : QFileInfo(bound).fileName());
    EXPECT_EQ(w->document().frames().count(), c.taken ? 2 : 3);
    EXPECT_EQ(w->document().isModified(), way == Way::Recovery && c.whole);
    EXPECT_EQ(platform.messages().size(), c.whole ? 0 : 1);
    // A play that was opened joins the recent files, one that could not be read does not; a
    // recovery copy never does.
    const bool listed = way == Way::RecentFile || (c.taken && way != Way::Recovery);
    EXPECT_EQ(recentFiles(*w), listed ? QStringList{file} : QStringList());

    // Save writes to the bound file, or asks for a name.
    platform.queueText(std::nullopt);
    w->menuItem("mnuFileSave")->trigger();
    EXPECT_EQ(callsOf("saveFile").size(), bound.isEmpty() ? 1 : 0);
    if (!bound.isEmpty()) {
        EXPECT_EQ(readPlayFile(bound.toStdString()).play.frames.count(), c.taken ? 2 : 3);
    }
}

std::string caseName(const testing::TestParamInfo<std::tuple<Way, FileCase>> &info)
{
    static const char *const ways[] = {"OpenDialog", "RecentFile", "PlayDirectory", "HandedOver",
                                       "Recovery"};
    return std::string(ways[int(std::get<0>(info.param))]) + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Ways, OpeningEveryWay,
                         testing::Combine(testing::Values(Way::OpenDialog, Way::RecentFile,
                                                          Way::PlayDirectory, Way::HandedOver,
                                                          Way::Recovery),
                                          testing::Values(kGood, kDamaged, kRefused, kUnreadable)),
                         caseName);

} // namespace
} // namespace kinetra
