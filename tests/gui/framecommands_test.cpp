// The Edit menu's frame commands in the main window: the insert commands and their
// shortcuts, Insert Progressive's questions and refusals, the frame limit, and the Move dialog.
#include "gui/documentfixture.h"

#include "app/reporterror.h"
#include "model/nextmoment.h"
#include "surface/canvas.h"
#include "surface/playediting.h"
#include "surface/labelbox.h"
#include "surface/surface.h"
#include "surface/toolpalette.h"
#include "windows/frmmove.h"
#include "windows/frmnotes.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace kinetra {
namespace {

class FrameCommandsTest : public DocumentTest
{
protected:
    // A play of `n` frames, frame i with offensive player 0 at (10 i, 20), frame `current`
    // selected, not modified.
    std::unique_ptr<frmMain> play(int n, int16_t current)
    {
        auto w = open();
        if (n > 1) {
            w->document().frames().resize(int16_t(n - 1));
            w->document().appendFrame(); // keeps the scroll bar and Delete Frame in step
        }
        for (int i = 1; i <= n; ++i) {
            PlayConfig &f = w->document().frames().frame(int16_t(i));
            f.Blank_Frame();
            f.OPlayerX[0] = float(10 * i), f.OPlayerY[0] = 20;
        }
        w->SelectFrame(current);
        w->document().markSaved();
        return w;
    }

    static std::vector<PlayConfig> frames(const frmMain &w)
    {
        std::vector<PlayConfig> out;
        for (int i = 1; i <= w.document().frames().count(); ++i)
            out.push_back(w.document().frames().frame(int16_t(i)));
        return out;
    }

    static void expectShown(const frmMain &w, int16_t current)
    {
        EXPECT_EQ(w.document().frames().current(), current);
        EXPECT_EQ(w.SBar()->value(), current);
        EXPECT_EQ(w.SBar()->maximum(), w.document().frames().count());
        EXPECT_EQ(w.statusPanels()[3]->text(),
                  QString(" Frame: %1/%2").arg(current).arg(w.document().frames().count()));
        EXPECT_EQ(w.menuItem("mnuEDel")->isEnabled(), w.document().frames().count() > 1);
    }
};

const QString kLastFrameRefusal = "\rWarning - Can only insert between 2 existing frames!"
                                  "Ignoring Frame Insert command.";

struct InsertCommand
{
    const char *item, *key;
    int selected; // the frame selected afterwards, relative to the current one
    bool blank;
};

class InsertCommands : public FrameCommandsTest, public testing::WithParamInterface<InsertCommand>
{};

TEST_P(InsertCommands, InsertNextToTheCurrentFrameAndSelect)
{
    const InsertCommand c = GetParam();
    for (bool fromToolbar : {false, true}) {
        auto w = play(3, 2);
        const std::vector<PlayConfig> before = frames(*w);
        if (fromToolbar)
            w->toolbarButton(c.key)->trigger();
        else
            w->menuItem(c.item)->trigger();
        ASSERT_EQ(w->document().frames().count(), 4) << c.item;
        PlayConfig inserted = before[1];
        if (c.blank)
            inserted.Blank_Frame();
        EXPECT_EQ(frames(*w), (std::vector<PlayConfig>{before[0], before[1], inserted, before[2]}));
        expectShown(*w, int16_t(2 + c.selected));
        EXPECT_TRUE(w->document().isModified());
    }
    // On a play of one frame they work too and enable Delete Frame.
    auto w = play(1, 1);
    EXPECT_FALSE(w->menuItem("mnuEDel")->isEnabled());
    w->menuItem(c.item)->trigger();
    expectShown(*w, int16_t(1 + c.selected));
    EXPECT_TRUE(w->menuItem("mnuEDel")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Edit, InsertCommands,
    testing::Values(InsertCommand{"mnuIBefore", "InsertB", 0, false},
                    InsertCommand{"mnuIAfter", "InsertA", 1, false},
                    InsertCommand{"mnuIBlank", "InsertC", 1, true}),
    [](const auto &info) { return std::string(info.param.key); });

TEST_F(FrameCommandsTest, InsertProgressiveAsksAndInsertsThatManyFrames)
{
    struct Answer
    {
        std::optional<QString> text;
        int inserted;
        float first, last; // player 0's x in the first and last inserted frame
    };
    // Player 0 steps from x 20 in frame 2 towards 30 in frame 3.
    for (const Answer &a :
         {Answer{"2.5", 2, 23, 26}, Answer{"3.5", 4, 22, 28}, Answer{"1e3", 1000, 20, 20},
          Answer{" 3 frames", 3, 22, 26}, Answer{"abc", 0, 0, 0}, Answer{"", 0, 0, 0},
          Answer{"0", 0, 0, 0}, Answer{"-4", 0, 0, 0}, Answer{std::nullopt, 0, 0, 0}}) {
        auto w = play(3, 2);
        w->move(40, 50);
        platform.calls.clear();
        platform.queueText(a.text);
        w->menuItem("mnuIProgressive")->trigger();

        const QList<FakePlatform::Call> boxes = callsOf("inputBox");
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].text, "Number of Frames To Insert:");
        EXPECT_EQ(boxes[0].title, "Kinetra");
        EXPECT_EQ(boxes[0].defaultText, "1");
        EXPECT_EQ(boxes[0].position, std::optional<QPoint>(w->pos()));
        EXPECT_TRUE(platform.messages().isEmpty());

        const QString typed = a.text.value_or("(cancel)");
        EXPECT_EQ(w->document().frames().count(), 3 + a.inserted) << typed.toStdString();
        EXPECT_EQ(w->document().isModified(), a.inserted > 0) << typed.toStdString();
        expectShown(*w, 2);
        EXPECT_EQ(w->document().frames().frame(int16_t(a.inserted + 3)).OPlayerX[0], 30);
        if (a.inserted > 0) {
            EXPECT_EQ(w->document().frames().frame(3).OPlayerX[0], a.first);
            EXPECT_EQ(w->document().frames().frame(int16_t(a.inserted + 2)).OPlayerX[0], a.last);
        }
    }
    auto w = play(3, 1);
    platform.calls.clear();
    w->toolbarButton("InsertProg")->trigger();
    EXPECT_EQ(callsOf("inputBox").size(), 1);
}

TEST_F(FrameCommandsTest, InsertProgressiveRefusesOnTheLastFrame)
{
    for (int n : {1, 4}) {
        auto w = play(n, int16_t(n));
        platform.calls.clear();
        const std::vector<PlayConfig> before = frames(*w);
        w->tbToolBar_ButtonClick("InsertProg");
        const QList<FakePlatform::Call> shown = platform.messages();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0].text, kLastFrameRefusal);
        EXPECT_EQ(shown[0].title, "Kinetra");
        EXPECT_EQ(shown[0].icon, Platform::Icon::Critical);
        EXPECT_EQ(shown[0].buttons, Platform::Buttons::Ok);
        EXPECT_TRUE(callsOf("inputBox").isEmpty());
        EXPECT_EQ(frames(*w), before);
        EXPECT_FALSE(w->document().isModified());
    }
}

TEST_F(FrameCommandsTest, NoInsertionTakesThePlayPastItsMostFrames)
{
    struct Case
    {
        int frames;
        const char *item;
        QString typed, message;
    };
    const QString full = "This play already has 32767 frames, the most a play can hold. "
                         "Ignoring Frame Insert command.";
    for (const Case &c :
         {Case{32767, "mnuIBefore", {}, full}, Case{32767, "mnuIAfter", {}, full},
          Case{32767, "mnuIBlank", {}, full}, Case{32767, "mnuINextMoment", {}, full},
          Case{32760, "mnuIProgressive", "8",
               "This play has 32760 frames and a play can hold at most 32767, so no more than 7 "
               "can be inserted. Ignoring Frame Insert command."},
          Case{3, "mnuIProgressive", "1e9",
               "This play has 3 frames and a play can hold at most 32767, so no more than "
               "32764 can be inserted. Ignoring Frame Insert command."}}) {
        auto w = play(c.frames, 2);
        platform.calls.clear();
        if (!c.typed.isEmpty())
            platform.queueText(c.typed);
        const PlayConfig second = w->document().frames().frame(2),
                         third = w->document().frames().frame(3);
        w->menuItem(c.item)->trigger();
        const QList<FakePlatform::Call> shown = platform.messages();
        ASSERT_EQ(shown.size(), 1) << c.item;
        EXPECT_EQ(shown[0].text, c.message);
        EXPECT_EQ(shown[0].title, "Kinetra");
        EXPECT_EQ(shown[0].icon, Platform::Icon::Critical);
        EXPECT_EQ(w->document().frames().count(), c.frames);
        EXPECT_EQ(w->document().frames().frame(2), second);
        EXPECT_EQ(w->document().frames().frame(3), third);
        EXPECT_FALSE(w->document().isModified());
        expectShown(*w, 2);
    }
    // Exactly the room left is inserted.
    auto w = play(32760, 2);
    platform.calls.clear();
    platform.queueText("7");
    w->menuItem("mnuIProgressive")->trigger();
    EXPECT_EQ(w->document().frames().count(), 32767);
    EXPECT_TRUE(platform.messages().isEmpty());
}

// Insert Next Moment shows a new frame with the runner at his line's end; Draw Movement Lines
// draws the line of a player moved by hand; each is one step of the history.
TEST_F(FrameCommandsTest, NextMomentAndMovementLinesAreOneStepEach)
{
    auto w = play(2, 1); // player 0 at (10, 20), then at (20, 20)
    PlayConfig &first = w->document().frames().frame(1);
    first.OPlayerX[1] = 100, first.OPlayerY[1] = 100;
    ASSERT_TRUE(first.addActionLine(0, {100, 100}, {300, 200}, {{200, 100}}));
    w->document().markSaved();
    const std::vector<PlayConfig> before = frames(*w);

    w->toolbarButton("InsertNext")->trigger();
    ASSERT_EQ(w->document().frames().count(), 3);
    expectShown(*w, 2);
    const PlayConfig moved = nextMoment(before[0], w->itemSizes());
    EXPECT_EQ(frames(*w), (std::vector<PlayConfig>{before[0], moved, before[1]}));
    EXPECT_EQ(moved.OPlayerX[1], 300);
    EXPECT_TRUE(w->document().isModified());
    EXPECT_EQ(w->menuItem("mnuEUndo")->text(), "&Undo Next Moment");

    // Player 0 moves 10 pixels to the next frame; player 1 leaves the field there. A runner
    // runs, whatever kind is chosen.
    w->editing().OptActionSel_Click(5);
    ASSERT_TRUE(w->menuItem("mnuEMovementLines")->isEnabled());
    w->menuItem("mnuEMovementLines")->trigger();
    EXPECT_EQ(w->document().frames().frame(2).actionLines(),
              (std::vector<ActionLine>{{{0, 0}, {10, 20}, {20, 20}, {}}}));
    EXPECT_EQ(w->menuItem("mnuEUndo")->text(), "&Undo Movement Lines");

    w->menuItem("mnuEUndo")->trigger();
    EXPECT_EQ(frames(*w), (std::vector<PlayConfig>{before[0], moved, before[1]}));
    w->menuItem("mnuEUndo")->trigger();
    EXPECT_EQ(frames(*w), before);
    expectShown(*w, 1);
    EXPECT_FALSE(w->document().isModified());

    // The last frame leads nowhere.
    w->SelectFrame(2);
    EXPECT_FALSE(w->menuItem("mnuEMovementLines")->isEnabled());
    w->SelectFrame(1);
    EXPECT_TRUE(w->menuItem("mnuEMovementLines")->isEnabled());
}

// Ctrl+A and Ctrl+C insert frames, except in a text box that has the focus, where they keep
// their meaning of select all and copy.
TEST_F(FrameCommandsTest, TextBoxesKeepSelectAllAndCopy)
{
    auto w = play(2, 1);
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get()))
        GTEST_SKIP() << "this platform cannot activate windows";

    LabelBox *label = w->toolPalette()->TxtOplyr[0];
    label->setFocus();
    label->setText("Pitcher");
    label->deselect();
    QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(label->selectedText(), "Pitcher");
    QApplication::clipboard()->clear();
    QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Pitcher");
    EXPECT_EQ(w->document().frames().count(), 2);

    w->canvas()->setFocus();
    QTest::keyClick(w->canvas(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(w->document().frames().count(), 3);
    EXPECT_EQ(w->document().frames().current(), 2);
    QTest::keyClick(w->canvas(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(w->document().frames().count(), 4);
    EXPECT_EQ(w->document().frames().current(), 3);
    QTest::keyClick(w->canvas(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(w->document().frames().count(), 5);

    w->menuItem("mnuViewNotes")->trigger();
    frmNotes *notes = w->notesWindow();
    ASSERT_NE(notes, nullptr);
    notes->activateWindow();
    if (!QTest::qWaitForWindowActive(notes))
        GTEST_SKIP() << "the notes window did not become active";
    notes->TxtNotes->setFocus();
    notes->TxtNotes->setPlainText("Runner goes");
    QTest::keyClick(notes->TxtNotes, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(notes->TxtNotes->textCursor().selectedText(), "Runner goes");
    QTest::keyClick(notes->TxtNotes, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Runner goes");
    EXPECT_EQ(w->document().frames().count(), 5);
}

// ---- The Move dialog ----

TEST_F(FrameCommandsTest, MoveDialogOpensModallyFromMenuAndToolbar)
{
    auto w = play(2, 1);
    for (const bool fromToolbar : {false, true}) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<frmMove *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            EXPECT_EQ(dialog->windowTitle(), "Move ");
            EXPECT_EQ(dialog->Frame1->title(), "Select Items");
            QStringList kinds;
            for (QCheckBox *c : dialog->Check1) {
                kinds << c->text();
                EXPECT_TRUE(c->isChecked());
            }
            EXPECT_EQ(kinds, (QStringList{"Players", "Symbols", "Actions", "Text"}));
            EXPECT_EQ(dialog->TxtInc->text(), "10");
            for (QToolButton *arrow : dialog->Image1)
                EXPECT_FALSE(arrow->icon().isNull());
            EXPECT_EQ(dialog->Cmdflip->text(), "&Flip");
            EXPECT_EQ(dialog->Cmdmirror->text(), "&Mirror");
            EXPECT_EQ(dialog->CmdOk->text(), "&OK");
            dialog->close();
        });
        if (fromToolbar)
            w->toolbarButton("FMove")->trigger();
        else
            w->menuItem("mnuEMove")->trigger();
        EXPECT_TRUE(seen);
    }
    EXPECT_TRUE(w->menuItem("mnuEMove")->isEnabled());
    EXPECT_TRUE(w->toolbarButton("FMove")->isEnabled());
}

TEST_F(FrameCommandsTest, MoveDialogClicksMoveTheCurrentFrameAtOnce)
{
    auto w = play(2, 2);
    PlayConfig &f = w->document().frames().frame(2);
    f.OPlayerX[0] = 100, f.OPlayerY[0] = 80;
    f.SYMBOLX[0] = 50, f.SYMBOLY[0] = 60;
    w->DrawSelected();
    const PlayConfig start = f;
    const QImage shownBefore = w->surface()->image();
    const int W = w->surface()->width(), H = w->surface()->height();

    struct Click
    {
        QString step;
        std::function<void(frmMove &)> click;
        float playerX, playerY, symbolX, symbolY;
    };
    const auto arrow = [](int i) { return [i](frmMove &d) { d.Image1[size_t(i)]->click(); }; };
    for (const Click &c :
         {Click{"10", arrow(1), 100, 70, 50, 50}, Click{"10", arrow(3), 100, 90, 50, 70},
          Click{"2.5", arrow(2), 102, 80, 52, 60}, Click{"3.5", arrow(2), 104, 80, 54, 60},
          Click{"60", arrow(0), 40, 80, 10, 60}, // the symbol bounces off the left edge
          Click{"abc", arrow(2), 100, 80, 50, 60},
          Click{"10", [](frmMove &d) { QTest::mouseClick(d.Cmdflip, Qt::LeftButton); }, 100,
                float(H - 80), 50, float(H - 60)},
          Click{"10", [](frmMove &d) { QTest::mouseClick(d.Cmdmirror, Qt::LeftButton); },
                float(W - 100), 80, float(W - 50), 60}}) {
        f = start;
        w->document().markSaved();
        const std::unique_ptr<frmMove> opened = w->moveDialog();
        frmMove &dialog = *opened;
        dialog.TxtInc->setText(c.step);
        c.click(dialog);
        const std::string what = c.step.toStdString();
        EXPECT_EQ(f.OPlayerX[0], c.playerX) << what;
        EXPECT_EQ(f.OPlayerY[0], c.playerY) << what;
        EXPECT_EQ(f.SYMBOLX[0], c.symbolX) << what;
        EXPECT_EQ(f.SYMBOLY[0], c.symbolY) << what;
        // The first click that changes the frame marks the play modified.
        EXPECT_EQ(w->document().isModified(), !(f == start)) << what;
    }
    EXPECT_NE(w->surface()->image(), shownBefore); // redrawn at the click
    EXPECT_EQ(w->document().frames().frame(1).OPlayerX[0], 10);
    EXPECT_TRUE(platform.messages().isEmpty());

    // Only the ticked kinds move; OK with nothing moved leaves the play unmarked.
    f = start;
    w->document().markSaved();
    const std::unique_ptr<frmMove> opened = w->moveDialog();
    frmMove &dialog = *opened;
    dialog.Check1[0]->setChecked(false);
    dialog.Image1[2]->click();
    EXPECT_EQ(f.OPlayerX[0], 100);
    EXPECT_EQ(f.SYMBOLX[0], 60);
    dialog.Check1[1]->setChecked(false);
    w->document().markSaved();
    dialog.Image1[2]->click();
    EXPECT_FALSE(w->document().isModified());
    dialog.CmdOk->click();
    EXPECT_FALSE(w->document().isModified());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(FrameCommandsTest, MoveDialogRefusesAStepOutOfRange)
{
    auto w = play(1, 1);
    const PlayConfig start = w->document().frames().frame(1);
    // The player stands at (10, 20): the range named is the one this frame allows that way
    // (it used to name -32767 to 32767 while refusing 32767).
    struct Refusal
    {
        const char *step;
        int index;
        const char *range;
    };
    for (const Refusal &r : {Refusal{"40000", 0, "-32757 to 32767"},
                             Refusal{"-1e6", 2, "-32767 to 32757"},
                             Refusal{"-32768", 3, "-32767 to 32747"},
                             Refusal{"32767", 2, "-32767 to 32757"},
                             Refusal{"32767", 3, "-32767 to 32747"},
                             Refusal{"-32767", 0, "-32757 to 32767"}}) {
        platform.calls.clear();
        const std::unique_ptr<frmMove> opened = w->moveDialog();
        frmMove &dialog = *opened;
        dialog.TxtInc->setText(r.step);
        dialog.Image1_Click(int16_t(r.index));
        const QList<FakePlatform::Call> shown = platform.messages();
        ASSERT_EQ(shown.size(), 1) << r.step;
        EXPECT_EQ(shown[0].text, QString("The step %1 is too large. Enter a step from %2.")
                                     .arg(QString(r.step), QString(r.range)));
        EXPECT_EQ(shown[0].icon, Platform::Icon::Warning);
        EXPECT_EQ(w->document().frames().frame(1), start);
        EXPECT_FALSE(w->document().isModified());
    }
    // The largest step that keeps the player in range still moves.
    const std::unique_ptr<frmMove> opened = w->moveDialog();
    frmMove &dialog = *opened;
    dialog.TxtInc->setText("32757");
    dialog.Image1_Click(2);
    EXPECT_EQ(w->document().frames().frame(1).OPlayerX[0], 32767);

    // No step makes a mirror smaller: the overflow is reported and nothing changes.
    installErrorReporter(platform);
    const auto restore = qScopeGuard([] { removeErrorReporter(); });
    PlayConfig &f = w->document().frames().frame(1);
    f.OPlayerX[0] = 10, f.TxtSYMBOLX[0] = -32500, f.TxtSYMBOLY[0] = 10;
    const PlayConfig far = f;
    platform.calls.clear();
    dialog.Cmdmirror->click();
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].title, "Move Frame");
    EXPECT_EQ(f, far);
}

} // namespace
} // namespace kinetra
