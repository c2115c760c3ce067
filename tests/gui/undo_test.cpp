// Undo and redo in the main window: every edit of the frames is one step named in the Edit
// menu, undo and redo restore the frames and the current frame, and the modified mark follows.

#include "editingwindow.h"

#include "app/formationmenus.h"
#include "model/edithistory.h"
#include "prefs/formations.h"
#include "surface/labelbox.h"
#include "surface/playediting.h"
#include "windows/frmmove.h"
#include "windows/frmnotes.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QScrollBar>

#include <functional>

namespace kinetra {
namespace {

using test::EditingWindow;

class UndoTest : public testing::Test, public EditingWindow
{
protected:
    void SetUp() override { open(); }

    QAction *undo() const { return window->menuItem("mnuEUndo"); }
    QAction *redo() const { return window->menuItem("mnuERedo"); }

    std::vector<PlayConfig> frames() const { return window->document().frames().frames(); }
    bool modified() const { return window->document().isModified(); }
    QString framePanel() const { return window->statusPanels()[3]->text(); }

    /// Both frame lists hold the same values, floats bit for bit.
    static bool same(const std::vector<PlayConfig> &a, const std::vector<PlayConfig> &b)
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameFrame);
    }

    QString savedPlay() { return QDir::current().filePath("undo.KTR"); }

    static QByteArray bytesOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(UndoTest, NothingToUndoOrRedoAtFirst)
{
    for (QAction *a : {undo(), redo()})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_EQ(undo()->text(), "&Undo");
    EXPECT_EQ(redo()->text(), "&Redo");
    EXPECT_EQ(undo()->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(redo()->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    EXPECT_FALSE(window->toolbarButton("Undo")->isEnabled());
    EXPECT_FALSE(window->toolbarButton("Redo")->isEnabled());
    EXPECT_EQ(window->toolbarButton("Undo")->toolTip(), "Undo");

    // The two items head the Edit menu; the other captions keep their mnemonics.
    const QList<QAction *> items = window->menuBar()->findChild<QMenu *>("mnuEdit")->actions();
    ASSERT_GE(items.size(), 4);
    EXPECT_EQ(items[0], undo());
    EXPECT_EQ(items[1], redo());
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->text(), "Insert &Before");
}

struct EditCase
{
    const char *name;
    /// Puts the play in the state before the edit (through recorded edits).
    std::function<void(EditingWindow &)> prepare;
    /// The edit, as the user makes it.
    std::function<void(EditingWindow &)> edit;
    const char *caption;
};

void PrintTo(const EditCase &c, std::ostream *os)
{
    *os << c.name;
}

class EveryEdit : public UndoTest, public testing::WithParamInterface<EditCase>
{};

TEST_P(EveryEdit, IsOneStepThatUndoAndRedoTakeBackAndBringAgain)
{
    GetParam().prepare(*this);
    ASSERT_TRUE(window->SaveScript(savedPlay()));
    const std::vector<PlayConfig> before = frames();
    const int16_t currentBefore = window->document().frames().current();

    GetParam().edit(*this);
    const std::vector<PlayConfig> after = frames();
    const int16_t currentAfter = window->document().frames().current();
    ASSERT_FALSE(same(before, after)) << "the edit changed nothing";
    EXPECT_TRUE(modified());
    EXPECT_EQ(undo()->text(), QString("&Undo ") + GetParam().caption);
    EXPECT_TRUE(undo()->isEnabled());
    EXPECT_EQ(window->toolbarButton("Undo")->toolTip(), QString("Undo ") + GetParam().caption);
    EXPECT_FALSE(redo()->isEnabled());

    const QImage edited = image();
    undo()->trigger();
    EXPECT_TRUE(same(frames(), before));
    EXPECT_EQ(window->document().frames().current(), currentBefore);
    EXPECT_EQ(window->SBar()->maximum(), window->document().frames().count());
    EXPECT_EQ(window->SBar()->value(), currentBefore);
    EXPECT_EQ(window->menuItem("mnuEDel")->isEnabled(), window->document().frames().count() > 1);
    EXPECT_FALSE(modified()) << "back at the saved state";
    EXPECT_EQ(redo()->text(), QString("&Redo ") + GetParam().caption);
    EXPECT_TRUE(window->toolbarButton("Redo")->isEnabled());

    window->toolbarButton("Redo")->trigger();
    EXPECT_TRUE(same(frames(), after));
    EXPECT_EQ(window->document().frames().current(), currentAfter);
    EXPECT_EQ(framePanel(),
              QString(" Frame: %1/%2").arg(currentAfter).arg(window->document().frames().count()));
    EXPECT_EQ(image(), edited) << "the surface shows the frame again";
    EXPECT_TRUE(modified());
    EXPECT_FALSE(redo()->isEnabled());

    // Saved after undoing, the play is the file it was before the edit, byte for byte.
    undo()->trigger();
    const QString undone = QDir::current().filePath("undone.KTR");
    ASSERT_TRUE(window->SaveScript(undone));
    EXPECT_EQ(bytesOf(undone), bytesOf(savedPlay()));
}

void dropPlayer(EditingWindow &w)
{
    w.drop(Part::Offense, 3, QPointF(100, 100));
}

void threeFrames(EditingWindow &w)
{
    dropPlayer(w);
    w.window->document().appendFrame();
    w.window->document().appendFrame();
    w.window->document().frames().frame(3).OPlayerX[3] = 300;
    w.window->document().recordEdit("Insert After");
}

void twoFrames(EditingWindow &w)
{
    threeFrames(w);
    w.window->SelectFrame(1);
}

// Two lines of kind 0 on the Action page, (50, 50) to (150, 50) and (50, 200) to (150, 200).
void drawTwoLines(EditingWindow &w)
{
    w.window->prefs().ActionFollowsBases.fill(false);
    w.showPage(ToolPalette::ActionPage);
    for (int y : {50, 200}) {
        w.press(50, y);
        w.moveTo(100, y);
        w.release(150, y);
    }
}

void clickInMoveDialog(EditingWindow &w, const std::function<QAbstractButton *(frmMove &)> &button)
{
    const std::unique_ptr<frmMove> dialog = w.window->moveDialog();
    button(*dialog)->click();
}

INSTANTIATE_TEST_SUITE_P(
    FrameCommands, EveryEdit,
    testing::Values(
        EditCase{"InsertBefore", dropPlayer,
                 [](EditingWindow &w) { w.window->menuItem("mnuIBefore")->trigger(); },
                 "Insert Before"},
        EditCase{"InsertAfter", dropPlayer,
                 [](EditingWindow &w) { w.window->menuItem("mnuIAfter")->trigger(); },
                 "Insert After"},
        EditCase{"InsertBlank", dropPlayer,
                 [](EditingWindow &w) { w.window->menuItem("mnuIBlank")->trigger(); },
                 "Insert Blank"},
        EditCase{"InsertProgressive", twoFrames,
                 [](EditingWindow &w) {
                     w.platform.queueText("4");
                     w.window->menuItem("mnuIProgressive")->trigger();
                 },
                 "Insert Progressive"},
        EditCase{"MoveRight", dropPlayer,
                 [](EditingWindow &w) {
                     clickInMoveDialog(w, [](frmMove &d) { return d.Image1[2]; });
                 },
                 "Move Right"},
        EditCase{"MoveRightThenOk", dropPlayer,
                 [](EditingWindow &w) {
                     clickInMoveDialog(w, [](frmMove &d) {
                         d.Image1[2]->click();
                         return d.CmdOk;
                     });
                 },
                 "Move Right"},
        EditCase{"Mirror", dropPlayer,
                 [](EditingWindow &w) {
                     clickInMoveDialog(w, [](frmMove &d) { return d.Cmdmirror; });
                 },
                 "Mirror"},
        EditCase{"ApplyFormation",
                 [](EditingWindow &w) {
                     dropPlayer(w);
                     PlayConfig elsewhere = w.window->document().frames().currentFrame();
                     elsewhere.OPlayerX[3] = 250;
                     saveFormation(w.window->prefs(), "Shift", elsewhere);
                     w.window->formationMenus().showFormationMenus();
                 },
                 [](EditingWindow &w) { w.window->menuItem("MnuFormValue1")->trigger(); },
                 "Apply Formation"}),
    [](const testing::TestParamInfo<EditCase> &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Edits, EveryEdit,
    testing::Values(
        EditCase{"DropPlayer", [](EditingWindow &) {}, dropPlayer, "Place Player"},
        EditCase{"DropSymbol", [](EditingWindow &) {},
                 [](EditingWindow &w) { w.drop(Part::Symbol, 2, QPointF(150, 150)); },
                 "Place Symbol"},
        EditCase{"DropText", [](EditingWindow &) {},
                 [](EditingWindow &w) {
                     w.window->toolPalette()->TxtSymbol[1]->setText("Bunt!");
                     w.drop(Part::TextLabel, 1, QPointF(150, 150));
                 },
                 "Place Text Label"},
        EditCase{"DropActiveMarker", dropPlayer,
                 [](EditingWindow &w) { w.drop(9, 0, QPointF(105, 100)); }, "Set Active Player"},
        EditCase{"LiftAndMove", dropPlayer,
                 [](EditingWindow &w) {
                     w.press(110, 100);
                     w.moveTo(150, 150);
                     w.release(200, 200);
                 },
                 "Move Player"},
        EditCase{"RightButtonDelete", dropPlayer,
                 [](EditingWindow &w) { w.click(100, 100, Qt::RightButton); }, "Delete Player"},
        EditCase{"DrawActionLine", [](EditingWindow &) {},
                 [](EditingWindow &w) {
                     w.showPage(ToolPalette::ActionPage);
                     w.press(50, 50);
                     w.moveTo(80, 80);
                     w.release(120, 90);
                 },
                 "Draw Action Line"},
        EditCase{"ClearActionLines", drawTwoLines,
                 [](EditingWindow &w) { w.window->toolPalette()->CmdActionClr[0]->click(); },
                 "Clear Action Lines"},
        EditCase{"ClearActivePlayer",
                 [](EditingWindow &w) {
                     dropPlayer(w);
                     w.drop(9, 0, QPointF(100, 100));
                 },
                 [](EditingWindow &w) { w.window->toolPalette()->CmdClrActive->click(); },
                 "Clear Active Player"},
        EditCase{"EraseChalkClearsTheActivePlayer",
                 [](EditingWindow &w) {
                     dropPlayer(w);
                     w.drop(9, 0, QPointF(100, 100));
                 },
                 [](EditingWindow &w) { w.window->toolPalette()->CmdChalkClr->click(); },
                 "Clear Active Player"},
        EditCase{"DeleteMiddleFrame",
                 [](EditingWindow &w) {
                     threeFrames(w);
                     w.window->SelectFrame(2);
                 },
                 [](EditingWindow &w) { w.window->menuItem("mnuEDel")->trigger(); },
                 "Delete Frame"},
        EditCase{"DeleteLastFrame",
                 [](EditingWindow &w) {
                     threeFrames(w);
                     w.window->SBar()->setValue(3);
                 },
                 [](EditingWindow &w) { w.window->tbToolBar_ButtonClick("Delete"); },
                 "Delete Frame"},
        EditCase{"ManyFramesInOneCommand",
                 [](EditingWindow &w) { w.window->SelectFrame(1); },
                 [](EditingWindow &w) {
                     for (int i = 0; i < 5; ++i)
                         w.window->document().insertBlankFrame();
                     w.window->SelectFrame(2);
                     w.window->document().recordEdit("Insert Progressive");
                 },
                 "Insert Progressive"}),
    [](const testing::TestParamInfo<EditCase> &info) { return std::string(info.param.name); });

TEST_F(UndoTest, ChalkAndLookingAtOtherFramesAreNoSteps)
{
    showPage(ToolPalette::ChalkPage);
    press(20, 20);
    moveTo(200, 200);
    release(200, 200);
    window->document().appendFrame();
    window->document().recordEdit("Insert After");
    window->tbToolBar_ButtonClick("FForward");
    window->tbToolBar_ButtonClick("FBack");
    window->toolPalette()->ChkActiveOff[2]->click();
    EXPECT_EQ(window->history().count(), 1u);
    EXPECT_EQ(undo()->text(), "&Undo Insert After");
}

TEST_F(UndoTest, UndoShowsTheFrameThatWasEditedWhenTheUserHasMovedOn)
{
    window->document().appendFrame();
    window->document().appendFrame();
    window->document().recordEdit("Insert After");
    window->SBar()->setValue(2);
    drop(Part::Defense, 4, QPointF(120, 130));
    window->SBar()->setValue(3);
    undo()->trigger();
    EXPECT_EQ(window->document().frames().current(), 2);
    EXPECT_EQ(window->SBar()->value(), 2);
    EXPECT_EQ(framePanel(), " Frame: 2/3");
    EXPECT_EQ(frame().DPlayerX[4], 0);
}

TEST_F(UndoTest, EveryChangeUndoneClosingAsksNothing)
{
    drop(Part::Offense, 1, QPointF(50, 50));
    ASSERT_TRUE(window->SaveScript(savedPlay()));
    drop(Part::Offense, 2, QPointF(90, 90));
    undo()->trigger();
    EXPECT_TRUE(window->DataSafe());
    EXPECT_TRUE(platform.messages().isEmpty());
}

TEST_F(UndoTest, ChangesUndoDoesNotCoverKeepThePlayModifiedUntilSaved)
{
    drop(Part::Offense, 1, QPointF(50, 50));
    window->document().markSaved();

    drop(Part::Offense, 1, QPointF(60, 60));
    window->toolPalette()->TxtOplyr[1]->setText("SS");
    undo()->trigger();
    EXPECT_TRUE(modified()) << "the label is still changed";

    window->document().markSaved();
    window->mnuViewNotes_Click();
    QTest::keyClicks(window->notesWindow()->TxtTitle, "Squeeze play");
    redo()->trigger();
    undo()->trigger();
    EXPECT_TRUE(modified()) << "the title is still changed";

    // Dropping a player where it stands changes no frame but still counts as an edit.
    window->document().markSaved();
    const size_t steps = window->history().count();
    drop(Part::Offense, 1, QPointF(50, 50));
    EXPECT_EQ(window->history().count(), steps);
    EXPECT_TRUE(modified());
}

TEST_F(UndoTest, NewAndOpenStartWithoutHistory)
{
    drop(Part::Offense, 1, QPointF(50, 50));
    ASSERT_TRUE(window->SaveScript(savedPlay()));
    drop(Part::Offense, 2, QPointF(70, 50));
    platform.queueAnswer(Platform::Answer::No);
    window->mnuFileNew_Click();
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_FALSE(modified());
    drop(Part::Offense, 2, QPointF(70, 50));
    undo()->trigger();
    EXPECT_FALSE(modified());

    drop(Part::Offense, 2, QPointF(70, 50));
    platform.queueAnswer(Platform::Answer::No);
    ASSERT_EQ(window->openPlay(savedPlay()), PlayReadStatus::Opened);
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_FALSE(redo()->isEnabled());
    EXPECT_EQ(window->history().count(), 0u);
    EXPECT_EQ(frame().OPlayerX[1], 50);
    EXPECT_FALSE(modified());
}

TEST_F(UndoTest, UndoWhileDraggingPutsTheLiftedItemBackAndUndoesTheLastStep)
{
    drop(Part::Offense, 1, QPointF(50, 50));
    drop(Part::Defense, 1, QPointF(150, 150));
    press(150, 150);
    ASSERT_EQ(frame().DPlayerX[1], 0);
    undo()->trigger();
    EXPECT_FALSE(window->editing().editor().busy());
    EXPECT_EQ(frame().DPlayerX[1], 0) << "the defensive player's drop is undone";
    EXPECT_EQ(frame().OPlayerX[1], 50);
    release(200, 200);
    EXPECT_EQ(frame().DPlayerX[1], 0) << "the release after the undo puts nothing down";
    EXPECT_EQ(redo()->text(), "&Redo Place Player");
}

TEST_F(UndoTest, KeysUndoAndRedoTheFramesButTextBoxesKeepTheirOwnUndo)
{
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    drop(Part::Offense, 1, QPointF(50, 50));
    window->canvas()->setFocus();
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(frame().OPlayerX[1], 0);
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(frame().OPlayerX[1], 50);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(frame().OPlayerX[1], 50);

    LabelBox *label = window->toolPalette()->TxtOplyr[1];
    const QString was = label->text();
    label->setFocus();
    QTest::keyClicks(label, "X");
    QTest::keyClick(label, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(label->text(), was) << "the box took back its typing";
    EXPECT_EQ(frame().OPlayerX[1], 50) << "the play kept its frames";
    EXPECT_TRUE(undo()->isEnabled());
}

TEST_F(UndoTest, AfterDraggingAPlayerFromItsLabelBoxCtrlZUndoesTheDrop)
{
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    // The drag starts with a press in the label box, which takes the focus.
    window->toolPalette()->TxtOplyr[1]->setFocus();
    drop(Part::Offense, 1, QPointF(50, 50));
    EXPECT_EQ(QApplication::focusWidget(), window->canvas());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(frame().OPlayerX[1], 0);

    // A click on the field takes the focus from a text box too.
    window->toolPalette()->TxtSymbol[0]->setFocus();
    click(300, 300);
    EXPECT_EQ(QApplication::focusWidget(), window->canvas());
}

} // namespace
} // namespace kinetra
