// Editing the current frame with the mouse on the surface: lifting and putting down items,
// deleting with the right button, drawing action lines with a rubber band, and chalk.

#include "editingwindow.h"
#include "imagecheck.h"

#include "surface/playediting.h"
#include "surface/pointers.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace kinetra {
namespace {

using test::EditingWindow;

class MouseEditTest : public testing::Test, public EditingWindow
{
protected:
    void SetUp() override
    {
        open();
        window->document().markSaved();
    }

    void place(int16_t part, int16_t index, int x, int y)
    {
        frame().MoveControlPoint(part, index, int16_t(x), int16_t(y));
        window->DrawSelected();
    }
};

// ---- Select mode -------------------------------------------------------------------------

TEST_F(MouseEditTest, PressLiftsThePlayerAndReleasePutsItDown)
{
    place(Part::Offense, 2, 100, 100);
    press(120, 100); // 20 pixels from the centre
    EXPECT_EQ(frame().OPlayerX[2], 0);
    EXPECT_EQ(frame().OPlayerY[2], 0);
    EXPECT_TRUE(window->document().isModified());
    EXPECT_EQ(test::pixelsOf(image().copy(85, 85, 31, 31), qRgb(255, 255, 255)), 0)
        << "the lifted player is no longer shown";

    moveTo(160, 130);
    release(200, 150);
    EXPECT_EQ(frame().OPlayerX[2], 200);
    EXPECT_EQ(frame().OPlayerY[2], 150);
    EXPECT_EQ(image().pixel(200, 150 - 11) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(platform.beeps, 0);
}

TEST_F(MouseEditTest, ClickNearAPlayerCentresItOnTheClick)
{
    place(Part::Defense, 7, 100, 100);
    click(100, 120);
    EXPECT_EQ(frame().DPlayerX[7], 100);
    EXPECT_EQ(frame().DPlayerY[7], 120);
}

TEST_F(MouseEditTest, RightButtonDeletesAndAClickOnEmptyGroundOnlyBeeps)
{
    place(Part::Offense, 4, 200, 200);
    press(205, 195, Qt::RightButton);
    release(300, 300, Qt::RightButton); // released elsewhere: still deleted, not moved
    EXPECT_EQ(frame().OPlayerX[4], 0);
    EXPECT_EQ(frame().OPlayerY[4], 0);
    EXPECT_TRUE(window->document().isModified());

    window->document().markSaved();
    const PlayConfig before = frame();
    const QImage shown = image();
    click(250, 250);
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(frame(), before) << "the deleted player does not come back";
    EXPECT_FALSE(window->document().isModified());
    EXPECT_EQ(image(), shown);
}

TEST_F(MouseEditTest, UnplacedItemsLieInTheCorner)
{
    place(Part::Offense, 0, 300, 300);
    // Offensive player 0 is placed far away; player 1 is the first item lying at (0, 0).
    press(10, 10);
    release(150, 160);
    EXPECT_EQ(frame().OPlayerX[1], 150);
    EXPECT_EQ(frame().OPlayerY[1], 160);
    EXPECT_EQ(frame().OPlayerX[0], 300);

    // A placed item nearer than the corner wins.
    place(Part::Symbol, 6, 12, 12);
    press(10, 10);
    release(100, 200);
    EXPECT_EQ(frame().SYMBOLX[6], 100 - 13);
    EXPECT_EQ(frame().SYMBOLY[6], 200 - 13);
    EXPECT_EQ(frame().OPlayerX[2], 0);
}

struct HitCase
{
    const char *name;
    std::vector<SurfaceEditor::Item> items; // placed at (100, 100) and (140, 100) in turn
    SurfaceEditor::Item expected;
};

void PrintTo(const HitCase &c, std::ostream *os)
{
    *os << c.name;
}

class HitOrderTest : public MouseEditTest, public testing::WithParamInterface<HitCase>
{};

// The press lies on neither item as drawn, 21 pixels (rounded) from the point of each.
TEST_P(HitOrderTest, ItemsAtTheSameDistanceGoInTheOrderOfTheFrame)
{
    int x = 100;
    for (const auto &item : GetParam().items) {
        place(item.part, item.index, x, 100);
        x += 40;
    }
    press(120, 95);
    int16_t px = -1, py = -1;
    frame().Position(GetParam().expected.part, GetParam().expected.index, px, py);
    EXPECT_EQ(px, 0) << "the expected item was lifted";
    EXPECT_EQ(window->editing().editor().state().part, GetParam().expected.part);
    EXPECT_EQ(window->editing().editor().state().index, GetParam().expected.index);
    release(120, 95);
}

INSTANTIATE_TEST_SUITE_P(
    Ties, HitOrderTest,
    testing::Values(HitCase{"OffenceBeforeDefence", {{2, 0}, {1, 9}}, {1, 9}},
                    HitCase{"DefenceBeforeSymbol", {{3, 0}, {2, 5}}, {2, 5}},
                    HitCase{"SymbolBeforeLabel", {{4, 0}, {3, 7}}, {3, 7}},
                    HitCase{"LowerSymbolIndex", {{3, 4}, {3, 1}}, {3, 1}},
                    HitCase{"LowerLabelIndex", {{4, 1}, {4, 0}}, {4, 0}}),
    [](const auto &info) { return std::string(info.param.name); });

// Items drawn over one another: the press is on both as drawn, and nearer the point of the
// one underneath; the one on top is taken.
struct StackCase
{
    const char *name;
    SurfaceEditor::Item under, over;
    QPoint underAt, overAt, press;
};

void PrintTo(const StackCase &c, std::ostream *os)
{
    *os << c.name;
}

class StackedItemsTest : public MouseEditTest, public testing::WithParamInterface<StackCase>
{};

TEST_P(StackedItemsTest, ThePressTakesTheOneOnTop)
{
    const StackCase &c = GetParam();
    place(c.under.part, c.under.index, c.underAt.x(), c.underAt.y());
    place(c.over.part, c.over.index, c.overAt.x(), c.overAt.y());
    press(c.press.x(), c.press.y());
    release(300, 300);
    int16_t x = -1, y = -1;
    frame().Position(c.over.part, c.over.index, x, y);
    EXPECT_EQ(x, c.over.part == Part::Symbol ? 300 - 13 : 300) << "the one on top moved";
    frame().Position(c.under.part, c.under.index, x, y);
    EXPECT_EQ(QPoint(x, y), c.underAt) << "the one underneath stayed";
}

INSTANTIATE_TEST_SUITE_P(
    Stacks, StackedItemsTest,
    testing::Values(
        // The catcher stands over the batter at the plate.
        StackCase{"CatcherOverBatter", {Part::Offense, 0}, {Part::Defense, 1}, {200, 340},
                  {200, 350}, {200, 344}},
        StackCase{"SameSpot", {Part::Offense, 3}, {Part::Defense, 3}, {150, 150}, {150, 150},
                  {152, 150}},
        // Players are drawn after symbols: a player standing on the ball.
        StackCase{"PlayerOverSymbol", {Part::Symbol, 0}, {Part::Offense, 2}, {100, 100},
                  {112, 100}, {105, 100}},
        StackCase{"LaterSymbol", {Part::Symbol, 1}, {Part::Symbol, 5}, {110, 110}, {100, 100},
                  {112, 112}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MouseEditTest, TheActiveMarkerGoesToThePlayerOnTop)
{
    place(Part::Offense, 0, 200, 340);
    place(Part::Defense, 1, 200, 350);
    ASSERT_TRUE(drop(PaletteItem::kActiveMarker, 0, QPointF(200, 344)));
    EXPECT_EQ(frame().ActivePlyr, 11);
}

TEST_F(MouseEditTest, SymbolIsCentredOnTheRelease)
{
    place(Part::Symbol, 2, 100, 100);
    click(102, 103); // near its top-left corner, which is the point tested
    EXPECT_EQ(frame().SYMBOLX[2], 89);
    EXPECT_EQ(frame().SYMBOLY[2], 90);
}

TEST_F(MouseEditTest, TextLabelMovesWithItsText)
{
    frame().TxtValue[0] = "Go";
    place(Part::TextLabel, 0, 50, 200);
    press(55, 205);
    release(80, 220);
    EXPECT_EQ(frame().TxtSYMBOLX[0], 80);
    EXPECT_EQ(frame().TxtSYMBOLY[0], 220);
    EXPECT_EQ(frame().TxtValue[0], "Go");
}

TEST_F(MouseEditTest, OtherButtonsDuringALiftAreIgnored)
{
    place(Part::Offense, 5, 100, 100);
    press(100, 100);
    press(300, 300, Qt::RightButton);
    release(300, 300, Qt::RightButton);
    release(150, 150);
    EXPECT_EQ(frame().OPlayerX[5], 150);
    EXPECT_EQ(frame().OPlayerY[5], 150);
}

// ---- Action draw mode ----------------------------------------------------------------------

class ActionDrawTest : public MouseEditTest
{
protected:
    void SetUp() override
    {
        MouseEditTest::SetUp();
        PlayLooks red = window->document().looks();
        red.actions[2].color = 255;
        window->document().setLooks(red);
        window->document().clearHistory();
        window->prefs().ActionFollowsBases.fill(false);
        showPage(ToolPalette::ActionPage);
        window->toolPalette()->OptActionSel[2]->click();
    }
};

TEST_F(ActionDrawTest, ANewLineIsStoredAtTheReleaseAndKeepsTheLinesThereWere)
{
    ASSERT_EQ(window->editing().selectedActionLine(), 2);
    const PlayConfig before = frame();
    press(60, 60);
    moveTo(100, 80);
    EXPECT_EQ(frame(), before) << "nothing is stored before the release";
    release(160, 100);

    const ActionLine first{{2, 0}, {60, 60}, {160, 100}, {}};
    EXPECT_EQ(frame().actionLines(), std::vector{first});
    EXPECT_TRUE(window->document().isModified());
    EXPECT_EQ(window->surface()->drawMode(), Surface::DrawMode::Copy);
    // Drawn in its colour along the way (slope 0.4: x 110 lies at y 80).
    EXPECT_EQ(image().pixel(110, 80) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image().pixel(85, 70) & 0xFFFFFF, 0xFF0000u);

    press(10, 300);
    moveTo(100, 300);
    release(300, 300);
    const ActionLine second{{2, 1}, {10, 300}, {300, 300}, {}};
    EXPECT_EQ(frame().actionLines(), (std::vector{first, second}));
}

TEST_F(ActionDrawTest, RubberBandLeavesNoTrace)
{
    const QImage before = image();
    press(50, 50);
    for (const QPoint p : {QPoint(100, 80), QPoint(150, 120), QPoint(60, 200), QPoint(200, 60)})
        moveTo(p.x(), p.y());

    // Only the band to the last point shows: every earlier band was erased exactly.
    Surface expected;
    expected.setPicture(before);
    expected.setDrawMode(Surface::DrawMode::Invert);
    expected.line(50, 50, 200, 60);
    EXPECT_EQ(test::differingPixels(image(), expected.image()), 0);

    // Back at the press point the band is a single pixel, and a click draws no line.
    moveTo(50, 50);
    EXPECT_EQ(test::differingPixels(image(), before), 1);
    release(50, 50);
    EXPECT_EQ(frame().actionLineCount(), 0);
    EXPECT_EQ(image(), before);
}

// ---- Chalk ---------------------------------------------------------------------------------

TEST_F(MouseEditTest, ChalkIsDrawnButNeverStoredAndGoesWithTheNextFrame)
{
    window->document().appendFrame();
    window->document().markSaved();
    showPage(ToolPalette::ChalkPage);
    platform.queueColor(QColor(255, 0, 255));
    window->toolPalette()->CmdChalkcolr->click();
    window->toolPalette()->CboChalksize->setCurrentIndex(2); // "3"
    const PlayConfig before = frame();
    const QRgb magenta = qRgb(255, 0, 255);

    press(50, 300);
    moveTo(150, 300);
    moveTo(150, 200);
    release(150, 200);

    EXPECT_GT(test::pixelsOf(image(), magenta), 3 * 150);
    EXPECT_EQ(image().pixel(100, 301) & 0xFFFFFF, magenta & 0xFFFFFF) << "three pixels wide";
    EXPECT_EQ(frame(), before);
    EXPECT_FALSE(window->document().isModified());
    EXPECT_EQ(window->surface()->lineWidth(), 1) << "the surface's own width comes back";
    EXPECT_EQ(window->surface()->lineStyle(), 0);

    window->tbToolBar_ButtonClick("FForward");
    EXPECT_EQ(test::pixelsOf(image(), magenta), 0);
}

TEST_F(MouseEditTest, EraseChalkWipesTheChalkAndTheActiveMark)
{
    place(Part::Offense, 1, 100, 100);
    frame().ActivePlyr = kNoActivePlayer;
    window->DrawSelected();
    const QImage withoutMark = image();
    frame().ActivePlyr = 1;
    window->DrawSelected();
    ASSERT_NE(image(), withoutMark);
    showPage(ToolPalette::ChalkPage);
    press(20, 20);
    moveTo(300, 300);
    release(300, 300);
    ASSERT_NE(image(), withoutMark);

    window->toolPalette()->CmdChalkClr->click();
    EXPECT_EQ(image(), withoutMark);
    EXPECT_EQ(frame().ActivePlyr, kNoActivePlayer);
    EXPECT_TRUE(window->document().isModified())
        << "clearing the active player is an undoable edit";
}

TEST_F(MouseEditTest, ActionPageMarksTheTypesThatHaveALineOnTheFrame)
{
    const auto marked = [this] {
        QList<int> types;
        for (int k = 0; k < kActionCount; ++k)
            if (window->toolPalette()->Tracerlbl[size_t(k)]->font().bold())
                types << k;
        return types;
    };
    window->menuItem("mnuIBlank")->trigger(); // two frames without lines
    window->SBar()->setValue(1);
    showPage(ToolPalette::ActionPage);
    window->toolPalette()->OptActionSel[2]->click();
    ASSERT_TRUE(marked().isEmpty());

    press(60, 60);
    moveTo(100, 80);
    release(160, 100);
    EXPECT_EQ(marked(), QList<int>{2});
    for (int k = 0; k < kActionCount; ++k)
        EXPECT_EQ(window->toolPalette()->CmdActionClr[size_t(k)]->isEnabled(), k == 2)
            << "only a kind with a line can be cleared";
    window->tbToolBar_ButtonClick("FForward");
    EXPECT_TRUE(marked().isEmpty()) << "frame 2 has no line";
    window->tbToolBar_ButtonClick("FBack");
    EXPECT_EQ(marked(), QList<int>{2});
    window->menuItem("mnuEUndo")->trigger();
    EXPECT_TRUE(marked().isEmpty()) << "undo took the line away";
}

// ---- The mode follows the palette page ---------------------------------------------------------

struct PageCase
{
    int page;
    SurfaceEditor::Mode mode;
    const char *hint;
    std::function<QCursor()> pointer; // empty: the default arrow
};

void PrintTo(const PageCase &c, std::ostream *os)
{
    *os << "page " << c.page;
}

class PageModeTest : public MouseEditTest, public testing::WithParamInterface<PageCase>
{};

bool samePointer(const QCursor &a, const QCursor &b)
{
    return a.shape() == b.shape() && a.hotSpot() == b.hotSpot()
           && a.pixmap().toImage() == b.pixmap().toImage();
}

TEST_P(PageModeTest, PageSetsModePointerAndHint)
{
    // Start from another page so that the switch happens.
    showPage(GetParam().page == ToolPalette::ChalkPage ? ToolPalette::ActionPage
                                                        : ToolPalette::ChalkPage);
    showPage(GetParam().page);
    EXPECT_EQ(window->editing().editor().mode(), GetParam().mode);
    EXPECT_EQ(window->canvas()->toolTip(), GetParam().hint);
    if (GetParam().pointer)
        EXPECT_TRUE(samePointer(window->canvas()->cursor(), GetParam().pointer()));
    else
        EXPECT_EQ(window->canvas()->cursor().shape(), Qt::ArrowCursor);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window->toolPalette()->PicList[i]->isVisible(), i == GetParam().page);

    // The busy pointer gives way to the mode's pointer again.
    window->WaitStart();
    window->WaitEnd();
    if (GetParam().pointer)
        EXPECT_TRUE(samePointer(window->canvas()->cursor(), GetParam().pointer()));
    else
        EXPECT_EQ(window->canvas()->cursor().shape(), Qt::ArrowCursor);
}

const char *const kSelectHint =
    "Use Left mouse button to select / drag and right button to delete object.";

INSTANTIATE_TEST_SUITE_P(
    Pages, PageModeTest,
    testing::Values(
        PageCase{0, SurfaceEditor::Mode::Select, kSelectHint, {}},
        PageCase{1, SurfaceEditor::Mode::Select, kSelectHint, {}},
        PageCase{2, SurfaceEditor::Mode::ActionDraw,
                 "In Action Draw mode. Drag mouse while pressing mouse button key. Click a line "
                 "to select it, then drag its middle to bend it; the right button deletes.",
                 actionCursor},
        PageCase{3, SurfaceEditor::Mode::Chalk,
                 "Temporary Chalk ... Hold mouse left button down to draw.", chalkCursor}),
    [](const auto &info) { return std::to_string(info.param.page); });

TEST_F(MouseEditTest, ActionPageSelectsTheLineChosenBefore)
{
    showPage(ToolPalette::ActionPage);
    EXPECT_TRUE(window->toolPalette()->OptActionSel[0]->isChecked()) << "the first visit selects 0";
    window->toolPalette()->OptActionSel[5]->click();
    EXPECT_EQ(window->editing().selectedActionLine(), 5);
    showPage(ToolPalette::PlayerPage);
    window->toolPalette()->OptActionSel[1]->setChecked(true); // not through the page: line 1 now
    window->editing().OptActionSel_Click(5);            // but the window still draws line 5
    showPage(ToolPalette::ActionPage);
    EXPECT_TRUE(window->toolPalette()->OptActionSel[5]->isChecked());
    EXPECT_EQ(window->editing().selectedActionLine(), 5);
}

TEST_F(MouseEditTest, ChangingPageDuringAnActionLineEndsItCleanly)
{
    showPage(ToolPalette::ActionPage);
    press(40, 40);
    moveTo(200, 100);
    showPage(ToolPalette::PlayerPage);
    EXPECT_EQ(window->surface()->drawMode(), Surface::DrawMode::Copy);
    EXPECT_FALSE(window->editing().editor().busy());
    release(200, 100); // ends nothing, lifts nothing
    EXPECT_EQ(frame().actionLineCount(), 0);
}

} // namespace
} // namespace kinetra
