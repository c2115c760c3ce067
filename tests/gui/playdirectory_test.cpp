// The Play Directory: its list of plays, its selection rules and opening a play from it.

#include "documentfixture.h"
#include "windows/frmdir.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace kinetra {
namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QStringList entries(const frmdir &d)
{
    QStringList texts;
    for (int i = 0; i < d.List1->count(); ++i)
        texts << d.List1->item(i)->text();
    return texts;
}

/// A program folder of its own whose Plays holds copies of test plays.
class PlayDirectoryTest : public DocumentTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath("prog/Plays"));
        plays = dir.filePath("prog/Plays");
        ASSERT_TRUE(QFile::copy(QString(KINETRA_TEST_DATA) + "/two_frames.KTR",
                                plays + "/bunt.ktr"));
        ASSERT_TRUE(QFile::copy(QString(KINETRA_TEST_DATA) + "/new_play.KTR",
                                plays + "/Alpha.KTR"));
    }

    std::unique_ptr<frmMain> openIn()
    {
        auto window = std::make_unique<frmMain>(platform, store, dir.filePath("prog"));
        window->show();
        return window;
    }

    /// Runs File > Play Directory; `act` works the window while it is shown.
    void playDirectory(frmMain &w, const std::function<void(frmdir &)> &act)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<frmdir *>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            seen = true;
            act(*d);
            if (d->isVisible())
                d->reject();
        });
        w.menuItem("mnuFPDir")->trigger();
        EXPECT_TRUE(seen) << "the Play Directory did not show";
    }

    static void select(frmdir &d, int row)
    {
        QListWidgetItem *item = d.List1->item(row);
        ASSERT_NE(item, nullptr);
        d.List1->setCurrentItem(item);
        const QRect r = d.List1->visualItemRect(item);
        QTest::mouseClick(d.List1->viewport(), Qt::LeftButton, {}, r.center());
    }

    QString plays;
};

TEST_F(PlayDirectoryTest, ListsEveryPlayByFileNameTitleAndDateInNameOrder)
{
    writeFile(plays + "/notes.txt", "not a play");
    writeFile(plays + "/cut.Ktr", "3,\"DAZI\",\"1.4\",\"Cut Off\""); // ends inside the header
    writeFile(plays + "/empty.ktr", "");
    frmdir d(plays);
    EXPECT_EQ(d.windowTitle(), "Kinetra Play Directory");
    EXPECT_EQ(d.lblCopy->text(), "Play Files");
    EXPECT_EQ(d.CmdOpen->text(), "&Open");
    EXPECT_EQ(d.CmdCan->text(), "&Cancel");
    EXPECT_EQ(entries(d), (QStringList{"Alpha.KTR : New : 04-17-1998",
                                       "bunt.ktr : Bunt, Defense : 04-17-1998",
                                       "cut.Ktr : Cut Off : ", "empty.ktr :  : "}));
    EXPECT_EQ(d.File1, (QStringList{"Alpha.KTR", "bunt.ktr", "cut.Ktr", "empty.ktr"}));

    // Another folder rebuilds the list; a folder without plays shows none.
    d.setFolder(dir.filePath("prog"));
    EXPECT_TRUE(entries(d).isEmpty());
    d.setFolder(plays);
    EXPECT_EQ(d.List1->count(), 4);
}

TEST_F(PlayDirectoryTest, StartsInThePlaysFolderOrTheCurrentFolder)
{
    EXPECT_EQ(frmdir::startFolder(dir.filePath("prog")), plays);
    EXPECT_EQ(frmdir::startFolder(dir.filePath("nowhere")), QDir::currentPath());
}

TEST_F(PlayDirectoryTest, OpensOnThePlaysFolderWithItsFirstPlaySelected)
{
    // Folders beside the program folder, enough to push Plays far down a whole-disk tree.
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(QDir(dir.path()).mkdir(QString("folder%1").arg(i)));
    frmdir d(plays);
    d.show();
    const auto *chain = qobject_cast<const QAbstractProxyModel *>(d.Dir1->model());
    ASSERT_NE(chain, nullptr);
    const auto *folders = qobject_cast<const QFileSystemModel *>(chain->sourceModel());
    ASSERT_NE(folders, nullptr);
    const QModelIndex scratch = folders->index(dir.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return folders->rowCount(scratch) > 40; }));
    QApplication::processEvents();

    const QModelIndex shown = d.Dir1->currentIndex();
    EXPECT_EQ(chain->mapToSource(shown).data(QFileSystemModel::FilePathRole).toString(), plays);
    const QModelIndex root = chain->mapFromSource(folders->index("/"));
    for (const QModelIndex &row : {root, shown})
        EXPECT_TRUE(d.Dir1->viewport()->rect().contains(d.Dir1->visualRect(row)))
            << "the tree shows the way from the root down to Plays";

    ASSERT_EQ(d.List1->selectedItems().size(), 1);
    EXPECT_EQ(d.List1->selectedItems().first(), d.List1->item(0));
    QTest::keyClick(d.List1, Qt::Key_Return);
    EXPECT_EQ(d.chosenFile(), plays + "/Alpha.KTR");
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(PlayDirectoryTest, KeepsOneEntrySelectedAndOpenNamesIt)
{
    frmdir d(plays);
    select(d, 0);
    select(d, 1);
    ASSERT_EQ(d.List1->selectedItems().size(), 1);
    EXPECT_TRUE(d.List1->item(1)->isSelected());
    d.CmdOpen->click();
    EXPECT_EQ(d.chosenFile(), QDir(plays).filePath("bunt.ktr"));
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(PlayDirectoryTest, OpenWithNothingSelectedAndCancelChangeNothing)
{
    auto w = openIn();
    w->document().appendFrame();
    w->document().markChanged();
    w->document().setTexts("Mine", w->document().notes());
    const QString before = w->LastChosenFile;
    playDirectory(*w, [](frmdir &d) {
        d.List1->clearSelection();
        d.CmdOpen->click();
    });
    playDirectory(*w, [](frmdir &d) {
        select(d, 1);
        d.CmdCan->click();
    });
    EXPECT_TRUE(platform.calls.isEmpty()) << "a question or message was shown";
    EXPECT_EQ(w->document().frames().count(), 2);
    EXPECT_TRUE(w->document().isModified());
    EXPECT_EQ(w->document().title(), "Mine");
    EXPECT_EQ(w->LastChosenFile, before);
}

TEST_F(PlayDirectoryTest, CancellingTheSavePromptKeepsTheModifiedPlay)
{
    auto w = openIn();
    w->document().appendFrame();
    w->document().markChanged();
    platform.queueAnswer(Platform::Answer::Cancel);
    playDirectory(*w, [](frmdir &d) {
        select(d, 1);
        d.CmdOpen->click();
    });
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].text, kSavePrompt);
    EXPECT_EQ(w->document().frames().count(), 2);
    EXPECT_TRUE(w->document().isModified());
    EXPECT_TRUE(recentFiles(*w).isEmpty());
}

TEST_F(PlayDirectoryTest, DoubleClickOpensThePlayAndAddsItToTheRecentFilesOnce)
{
    auto w = openIn();
    w->document().markChanged();
    platform.queueAnswer(Platform::Answer::No);
    auto doubleClick = [](frmdir &d) {
        QListWidgetItem *item = d.List1->item(1);
        const QPoint at = d.List1->visualItemRect(item).center();
        QTest::mouseClick(d.List1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(d.List1->viewport(), Qt::LeftButton, {}, at);
    };
    playDirectory(*w, doubleClick);
    const QString bunt = QDir(plays).filePath("bunt.ktr");
    EXPECT_EQ(w->document().path(), bunt);
    EXPECT_EQ(w->document().title(), "Bunt, Defense");
    EXPECT_EQ(w->document().frames().count(), 2);
    EXPECT_FALSE(w->document().isModified());
    EXPECT_EQ(panels(*w).mid(0, 3), (QStringList{"bunt.ktr", "Bunt, Defense", "04-17-1998"}));
    EXPECT_EQ(recentFiles(*w), QStringList{bunt});

    playDirectory(*w, doubleClick);
    EXPECT_EQ(recentFiles(*w), QStringList{bunt}) << "a listed play is not added twice";
}

} // namespace
} // namespace kinetra
