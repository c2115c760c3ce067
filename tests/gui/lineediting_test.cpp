// Action lines on the surface: several of a kind, selecting one with a click, moving its points
// and bending it by dragging, removing a bend point or a line, clearing a kind, base paths, and
// undo of each step. Positions are field pixels, shown at the zoom under test.

#include "editingwindow.h"

#include "model/basepath.h"
#include "model/rounding.h"
#include "prefs/defaultfield.h"
#include "surface/playediting.h"

#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include <functional>

namespace kinetra {
namespace {

class LineEditTest : public testing::Test, public test::EditingWindow
{
protected:
    void SetUp() override
    {
        open();
        zoomTo(zoom());
        window->prefs().ActionFollowsBases.fill(false);
        showPage(ToolPalette::ActionPage);
        window->toolPalette()->OptActionSel[0]->click();
    }
    virtual int zoom() const { return 100; }

    // The canvas point that shows field pixel (x, y).
    QPoint shown(int x, int y) const { return QPoint(x * zoom() / 100, y * zoom() / 100); }
    void pressAt(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(window->canvas(), button, Qt::NoModifier, shown(x, y));
    }
    void moveAt(int x, int y) { QTest::mouseMove(window->canvas(), shown(x, y)); }
    void releaseAt(int x, int y, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseRelease(window->canvas(), button, modifiers, shown(x, y));
    }
    void clickAt(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        pressAt(x, y, button);
        releaseAt(x, y, button);
    }
    void dragAt(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        pressAt(from.x(), from.y());
        moveAt((from.x() + to.x()) / 2, (from.y() + to.y()) / 2);
        releaseAt(to.x(), to.y(), Qt::LeftButton, modifiers);
    }
    void undo() { window->menuItem("mnuEUndo")->trigger(); }
    std::optional<LineId> selected() { return window->editing().editor().selectedLine(); }
};

ActionLine line(int16_t kind, int16_t slot, LinePoint start, LinePoint end,
                std::vector<LinePoint> bends = {})
{
    return {{kind, slot}, start, end, std::move(bends)};
}

// ---- The whole sequence at two zooms: every step one undo -------------------------------------

class LineEditZoomTest : public LineEditTest, public testing::WithParamInterface<int>
{
protected:
    int zoom() const override { return GetParam(); }
};

TEST_P(LineEditZoomTest, DrawTwoBendOneDeleteTheOtherAndUndoEachStep)
{
    std::vector<PlayConfig> states{frame()};
    dragAt({60, 300}, {160, 300});
    states.push_back(frame());
    dragAt({60, 100}, {300, 100});
    states.push_back(frame());
    ASSERT_EQ(frame().actionLines(),
              (std::vector{line(0, 0, {60, 300}, {160, 300}), line(0, 1, {60, 100}, {300, 100})}))
        << "the second line of the kind keeps the first";

    clickAt(180, 103);
    ASSERT_EQ(selected(), (LineId{0, 1}));
    EXPECT_EQ(window->canvas()->handles(), (QList<QPointF>{{60, 100}, {300, 100}}));
    EXPECT_EQ(frame(), states.back()) << "selecting changes nothing";

    // From the middle of the selected line: a bend point where the drag ends.
    pressAt(180, 102);
    moveAt(180, 70);
    releaseAt(180, 50);
    states.push_back(frame());
    EXPECT_EQ(frame().actionLine({0, 1}), line(0, 1, {60, 100}, {300, 100}, {{180, 50}}));
    EXPECT_EQ(window->canvas()->handles().size(), 3);

    // The right button on the other line deletes it; the bent one becomes the kind's first.
    clickAt(110, 302, Qt::RightButton);
    EXPECT_EQ(frame().actionLines(),
              std::vector{line(0, 0, {60, 100}, {300, 100}, {{180, 50}})});
    EXPECT_EQ(selected(), (LineId{0, 0})) << "the selection moved up with its line";

    for (auto state = states.rbegin(); state != states.rend(); ++state) {
        undo();
        EXPECT_EQ(frame(), *state) << "undo " << (state - states.rbegin()) + 1;
    }
    EXPECT_TRUE(platform.messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Zooms, LineEditZoomTest, testing::Values(100, 200),
                         [](const auto &info) { return std::to_string(info.param); });

// ---- One gesture on a frame with three lines, the first of them selected ----------------------

class LineGestureTest;

struct GestureCase
{
    const char *name;
    std::function<void(LineGestureTest &)> act;
    std::vector<ActionLine> lines; // the frame's lines afterwards
    bool selectedAfter;            // whether a line is still selected
};

void PrintTo(const GestureCase &c, std::ostream *os)
{
    *os << c.name;
}

class LineGestureTest : public LineEditTest, public testing::WithParamInterface<GestureCase>
{
public:
    // Public for the table's gestures.
    using LineEditTest::clickAt;
    using LineEditTest::dragAt;
    using LineEditTest::moveAt;
    using LineEditTest::pressAt;
    using LineEditTest::releaseAt;
    void key(int code) { QTest::keyClick(window->canvas(), Qt::Key(code)); }
};

const ActionLine kBent = line(0, 0, {50, 200}, {250, 200}, {{150, 150}});
const ActionLine kLower = line(0, 1, {50, 320}, {250, 320});
const ActionLine kOther = line(3, 0, {330, 50}, {330, 300});

TEST_P(LineGestureTest, ChangesTheFrameInOneStep)
{
    for (const ActionLine &l : {kBent, kLower, kOther})
        ASSERT_TRUE(frame().addActionLine(l.id.kind, l.start, l.end, l.bends));
    window->document().recordEdit("Prepare");
    window->DrawSelected();
    const PlayConfig before = frame();
    clickAt(150, 150);
    ASSERT_EQ(selected(), (LineId{0, 0}));

    GetParam().act(*this);
    EXPECT_EQ(frame().actionLines(), GetParam().lines);
    EXPECT_EQ(selected().has_value(), GetParam().selectedAfter);
    EXPECT_EQ(window->canvas()->handles().isEmpty(), !GetParam().selectedAfter);
    EXPECT_FALSE(window->editing().editor().busy());
    EXPECT_EQ(window->surface()->drawMode(), Surface::DrawMode::Copy);
    if (frame() != before) {
        undo();
        EXPECT_EQ(frame(), before) << "one undo takes the whole gesture back";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, LineGestureTest,
    testing::Values(
        GestureCase{"DeleteKeyRemovesTheSelectedLine",
                    [](LineGestureTest &t) { t.key(Qt::Key_Delete); },
                    {line(0, 0, kLower.start, kLower.end), kOther}, false},
        GestureCase{"RightButtonOnABendPointRemovesIt",
                    [](LineGestureTest &t) { t.clickAt(152, 151, Qt::RightButton); },
                    {line(0, 0, kBent.start, kBent.end), kLower, kOther}, true},
        GestureCase{"RightButtonOnAnotherLineRemovesIt",
                    [](LineGestureTest &t) { t.clickAt(320, 180, Qt::RightButton); },
                    {kBent, kLower}, true},
        GestureCase{"DraggingTheEndMovesIt",
                    [](LineGestureTest &t) { t.dragAt({253, 203}, {270, 240}); },
                    {line(0, 0, kBent.start, {270, 240}, kBent.bends), kLower, kOther}, true},
        GestureCase{"DraggingTheMiddleAddsABendPointInOrder",
                    [](LineGestureTest &t) { t.dragAt({220, 182}, {220, 120}); },
                    {line(0, 0, kBent.start, kBent.end, {{150, 150}, {220, 120}}), kLower,
                     kOther},
                    true},
        GestureCase{"ALineStartsWhereAnotherEnds",
                    [](LineGestureTest &t) { t.dragAt({250, 320}, {330, 360}); },
                    {kBent, kLower, line(0, 2, {250, 320}, {330, 360}), kOther}, false},
        GestureCase{"ClickAwayFromEveryLineDeselects",
                    [](LineGestureTest &t) { t.clickAt(380, 360); }, {kBent, kLower, kOther},
                    false},
        GestureCase{"ClickOnAnotherLineSelectsIt",
                    [](LineGestureTest &t) { t.clickAt(150, 322); }, {kBent, kLower, kOther},
                    true},
        GestureCase{"EscapeCallsOffABend",
                    [](LineGestureTest &t) {
                        t.pressAt(220, 182);
                        t.moveAt(220, 120);
                        t.key(Qt::Key_Escape);
                        t.releaseAt(220, 120);
                    },
                    {kBent, kLower, kOther}, true},
        GestureCase{"AnotherButtonCallsOffANewLine",
                    [](LineGestureTest &t) {
                        t.pressAt(20, 20);
                        t.moveAt(100, 60);
                        t.pressAt(100, 60, Qt::RightButton);
                        t.releaseAt(120, 60);
                        t.releaseAt(120, 60, Qt::RightButton);
                    },
                    {kBent, kLower, kOther}, true},
        GestureCase{"ClearRemovesEveryLineOfTheKind",
                    [](LineGestureTest &t) {
                        t.window->toolPalette()->CmdActionClr[0]->click();
                    },
                    {kOther}, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LineEditTest, AFullFrameRefusesAnotherLineWithABeepAndAMessage)
{
    for (int i = 0; i < kMaxLinesInFrame; ++i)
        ASSERT_TRUE(frame().addActionLine(i % kActionCount, {10.0f + 5 * i, 20}, {10.0f + 5 * i, 40}));
    window->DrawSelected();
    const PlayConfig full = frame();
    const int beeps = platform.beeps;
    dragAt({50, 200}, {250, 250});
    EXPECT_EQ(frame(), full);
    EXPECT_EQ(platform.beeps, beeps + 1);
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(QString::number(kMaxLinesInFrame)));
    EXPECT_FALSE(window->menuItem("mnuEUndo")->isEnabled()) << "no step for a refused line";
}

// ---- Base paths while drawing ----------------------------------------------------------------

struct BaseCase
{
    const char *name;
    bool follows;
    int16_t field;       // Picbkg
    const char *picture; // its file name, empty: as stored at first start
    Qt::KeyboardModifiers modifiers;
    bool rounds; // the line gets the router's bends (otherwise none)
};

void PrintTo(const BaseCase &c, std::ostream *os)
{
    *os << c.name;
}

class BasePathDrawTest : public LineEditTest, public testing::WithParamInterface<BaseCase>
{};

TEST_P(BasePathDrawTest, RoundsTheBasesOnlyOnTheShippedFields)
{
    const BaseCase c = GetParam();
    Preferences &prefs = window->prefs();
    prefs.ActionFollowsBases[0] = c.follows;
    prefs.Picbkg = c.field;
    if (*c.picture)
        prefs.PicFile[size_t(c.field)] = QDir::current().filePath(c.picture).toStdString();
    // From home plate to second base.
    const QPoint home(toInt32(field::kPlate.x), toInt32(field::kPlate.y));
    const QPoint second(toInt32(field::kSecond.x), toInt32(field::kSecond.y));
    dragAt(home, second, c.modifiers);

    std::array<LinePoint, 4> bases;
    for (size_t i = 0; i < bases.size(); ++i)
        bases[i] = {float(field::kBases[i].x), float(field::kBases[i].y)};
    const LinePoint start{float(home.x()), float(home.y())};
    const LinePoint end{float(second.x()), float(second.y())};
    const auto drawn = frame().actionLine({0, 0});
    ASSERT_TRUE(drawn);
    EXPECT_EQ(drawn->start, start);
    EXPECT_EQ(drawn->end, end);
    EXPECT_EQ(drawn->bends, c.rounds ? basePathBends(start, end, bases, SurfaceEditor::kHitRadius)
                                     : std::vector<LinePoint>{});
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BasePathDrawTest,
    testing::Values(BaseCase{"Baseball", true, 0, "", Qt::NoModifier, true},
                    BaseCase{"SoftballNamedInAnotherCase", true, 2, "SURFACE2.bmp",
                             Qt::NoModifier, true},
                    BaseCase{"ShiftDrawsStraight", true, 0, "", Qt::ShiftModifier, false},
                    BaseCase{"KindDoesNotFollow", false, 0, "", Qt::NoModifier, false},
                    BaseCase{"OtherShippedPicture", true, 1, "", Qt::NoModifier, false},
                    BaseCase{"UsersOwnPicture", true, 0, "MyField.png", Qt::NoModifier, false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace kinetra
