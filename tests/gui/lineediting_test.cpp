// Action lines on the surface: several of a kind, selecting one with a click, moving and
// bending it by dragging, deleting a bend point or a line, clearing a kind, base paths, how
// near the pointer must come at each zoom, what drops the selection, refusals that say why,
// and undo of each step. Positions are field pixels, shown at the zoom under test.

#include "editingwindow.h"

#include "model/basepath.h"
#include "prefs/defaultfield.h"
#include "surface/playediting.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include <functional>

namespace kinetra {
namespace {

class LineEditTest : public test::EditingWindow, public testing::Test
{
public:
    void SetUp() override
    {
        open();
        zoomTo(m_zoom);
        window->prefs().ActionFollowsBases.fill(false);
        showPage(ToolPalette::ActionPage);
    }
    // The mouse at field pixel (x, y); a drag passes half way on its way.
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers keys = {})
    {
        const QPoint shown = at * m_zoom / 100;
        if (type == QEvent::MouseButtonPress)
            QTest::mousePress(window->canvas(), button, keys, shown);
        else if (type == QEvent::MouseMove)
            QTest::mouseMove(window->canvas(), shown);
        else
            QTest::mouseRelease(window->canvas(), button, keys, shown);
    }
    void clickAt(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonPress, at, button);
        mouse(QEvent::MouseButtonRelease, at, button);
    }
    void dragAt(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {})
    {
        mouse(QEvent::MouseButtonPress, from);
        mouse(QEvent::MouseMove, (from + to) / 2);
        mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, keys);
    }
    void key(Qt::Key code) { QTest::keyClick(window->canvas(), code); }
    std::optional<LineId> selected() { return window->editing().editor().selectedLine(); }

protected:
    int m_zoom = 100;
};

ActionLine line(int16_t kind, int16_t slot, LinePoint start, LinePoint end,
                std::vector<LinePoint> bends = {})
{
    return {{kind, slot}, start, end, std::move(bends)};
}

class LineEditZoomTest : public LineEditTest, public testing::WithParamInterface<int>
{
    void SetUp() override
    {
        m_zoom = GetParam();
        LineEditTest::SetUp();
    }
};

TEST_P(LineEditZoomTest, DrawTwoBendOneDeleteTheOtherAndUndoEachStep)
{
    std::vector<PlayConfig> states{frame()};
    dragAt({60, 300}, {160, 300});
    states.push_back(frame());
    dragAt({60, 100}, {300, 100});
    states.push_back(frame());
    ASSERT_EQ(frame().actionLines(),
              (std::vector{line(0, 0, {60, 300}, {160, 300}), line(0, 1, {60, 100}, {300, 100})}));

    clickAt({180, 103});
    ASSERT_EQ(selected(), (LineId{0, 1}));
    EXPECT_EQ(window->canvas()->handles(), (QList<QPointF>{{60, 100}, {300, 100}}));
    dragAt({180, 102}, {180, 50}); // from its middle: a bend point where the drag ends
    states.push_back(frame());
    EXPECT_EQ(frame().actionLine({0, 1}), line(0, 1, {60, 100}, {300, 100}, {{180, 50}}));

    clickAt({110, 302}, Qt::RightButton); // the other line goes; the bent one is now the first
    EXPECT_EQ(frame().actionLines(), std::vector{line(0, 0, {60, 100}, {300, 100}, {{180, 50}})});
    EXPECT_EQ(selected(), (LineId{0, 0}));

    for (auto state = states.rbegin(); state != states.rend(); ++state) {
        window->menuItem("mnuEUndo")->trigger();
        EXPECT_EQ(frame(), *state) << "undo " << (state - states.rbegin()) + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Zooms, LineEditZoomTest, testing::Values(100, 200));

// ---- One gesture on a frame with three lines, the first of them selected ----------------------

struct GestureCase
{
    const char *name;
    std::function<void(LineEditTest &)> act;
    std::vector<ActionLine> lines; // the frame's lines afterwards
    bool selectedAfter;
};

void PrintTo(const GestureCase &c, std::ostream *os)
{
    *os << c.name;
}

class LineGestureTest : public LineEditTest, public testing::WithParamInterface<GestureCase>
{};

const ActionLine kBent = line(0, 0, {50, 200}, {250, 200}, {{150, 150}});
const ActionLine kLower = line(0, 1, {50, 320}, {250, 320});
const ActionLine kOther = line(3, 0, {330, 50}, {330, 300});
const QPoint kHome(200, 339), kSecond(200, 165); // field::kPlate and kSecond, rounded

// Run follows the base path on field picture `field` named `name`; a line from home to second.
void homeToSecond(LineEditTest &t, int16_t field, const char *name, Qt::KeyboardModifiers keys)
{
    t.window->prefs().ActionFollowsBases[0] = true;
    t.window->prefs().Picbkg = field;
    t.window->prefs().PicFile[size_t(field)] = QDir::current().filePath(name).toStdString();
    t.dragAt(kHome, kSecond, keys);
}

std::vector<LinePoint> roundingTheBases()
{
    std::array<LinePoint, 4> bases;
    for (size_t i = 0; i < bases.size(); ++i)
        bases[i] = {float(field::kBases[i].x), float(field::kBases[i].y)};
    return basePathBends({200, 339}, {200, 165}, bases, SurfaceEditor::kHitRadius,
                         float(field::kBag));
}

TEST_P(LineGestureTest, ChangesTheFrameInOneStep)
{
    for (const ActionLine &l : {kBent, kLower, kOther})
        ASSERT_TRUE(frame().addActionLine(l.id.kind, l.start, l.end, l.bends));
    window->document().recordEdit("Lines");
    window->DrawSelected();
    const PlayConfig before = frame();
    clickAt({150, 150});
    ASSERT_EQ(selected(), (LineId{0, 0}));

    GetParam().act(*this);
    EXPECT_EQ(frame().actionLines(), GetParam().lines);
    EXPECT_EQ(selected().has_value(), GetParam().selectedAfter);
    EXPECT_EQ(window->canvas()->handles().isEmpty(), !GetParam().selectedAfter);
    EXPECT_FALSE(window->editing().editor().busy());
    EXPECT_EQ(window->surface()->drawMode(), Surface::DrawMode::Copy);
    if (frame() != before) {
        window->menuItem("mnuEUndo")->trigger();
        EXPECT_EQ(frame(), before) << "one undo takes it back";
    }
}

const auto kRelay = line(0, 2, {250, 320}, {330, 360});
const auto kStraightRun = line(0, 2, {200, 339}, {200, 165});

INSTANTIATE_TEST_SUITE_P(
    Gestures, LineGestureTest,
    testing::Values(
        GestureCase{"DeleteKey", [](LineEditTest &t) { t.key(Qt::Key_Delete); },
                    {line(0, 0, kLower.start, kLower.end), kOther}, false},
        GestureCase{"RightButtonOnABendPoint",
                    [](auto &t) { t.clickAt({152, 151}, Qt::RightButton); },
                    {line(0, 0, kBent.start, kBent.end), kLower, kOther}, true},
        GestureCase{"RightButtonOnAnotherLine",
                    [](auto &t) { t.clickAt({326, 180}, Qt::RightButton); }, {kBent, kLower}, true},
        GestureCase{"DragTheEnd", [](auto &t) { t.dragAt({253, 203}, {270, 240}); },
                    {line(0, 0, kBent.start, {270, 240}, kBent.bends), kLower, kOther}, true},
        GestureCase{"DragTheMiddle", [](auto &t) { t.dragAt({220, 182}, {220, 120}); },
                    {line(0, 0, kBent.start, kBent.end, {{150, 150}, {220, 120}}), kLower, kOther},
                    true},
        GestureCase{"RelayFromAnEnd", [](auto &t) { t.dragAt({250, 320}, {330, 360}); },
                    {kBent, kLower, kRelay, kOther}, false},
        GestureCase{"ClickAway", [](auto &t) { t.clickAt({380, 360}); }, {kBent, kLower, kOther},
                    false},
        GestureCase{"EscapeDuringABend",
                    [](auto &t) {
                        t.mouse(QEvent::MouseButtonPress, {220, 182});
                        t.mouse(QEvent::MouseMove, {220, 120});
                        t.key(Qt::Key_Escape);
                        t.mouse(QEvent::MouseButtonRelease, {220, 120});
                    },
                    {kBent, kLower, kOther}, true},
        GestureCase{"OtherButtonDuringANewLine",
                    [](auto &t) {
                        t.mouse(QEvent::MouseButtonPress, {20, 20});
                        t.mouse(QEvent::MouseButtonPress, {100, 60}, Qt::RightButton);
                        t.mouse(QEvent::MouseButtonRelease, {120, 60});
                    },
                    {kBent, kLower, kOther}, true},
        GestureCase{"Clear", [](auto &t) { t.window->toolPalette()->CmdActionClr[0]->click(); },
                    {kOther}, false},
        GestureCase{"BaseballRoundsTheBases",
                    [](auto &t) { homeToSecond(t, 0, "Surface0.BMP", {}); },
                    {kBent, kLower, line(0, 2, {200, 339}, {200, 165}, roundingTheBases()), kOther},
                    false},
        GestureCase{"ShiftDrawsStraight",
                    [](auto &t) { homeToSecond(t, 2, "SURFACE2.bmp", Qt::ShiftModifier); },
                    {kBent, kLower, kStraightRun, kOther}, false},
        GestureCase{"UsersOwnFieldStraight",
                    [](auto &t) { homeToSecond(t, 0, "MyField.png", {}); },
                    {kBent, kLower, kStraightRun, kOther}, false}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- How near the pointer must come, in screen pixels ----------------------------------------

// A drag from `from` (field pixels) to 60 pixels above it, with the line from (60, 200) to
// (300, 200) selected: it bends that line, moves its end, or draws a new line.
enum class Outcome { Bends, MovesEnd, DrawsNew };

struct ReachCase
{
    const char *name;
    int zoom;
    QPoint from;
    Outcome outcome;
};

void PrintTo(const ReachCase &c, std::ostream *os)
{
    *os << c.name;
}

class LineReachTest : public LineEditTest, public testing::WithParamInterface<ReachCase>
{
    void SetUp() override
    {
        m_zoom = GetParam().zoom;
        LineEditTest::SetUp();
    }
};

TEST_P(LineReachTest, IsMeasuredOnTheScreen)
{
    const ActionLine selectedLine = line(0, 0, {60, 200}, {300, 200});
    ASSERT_TRUE(frame().addActionLine(0, selectedLine.start, selectedLine.end));
    window->DrawSelected();
    clickAt({180, 200});
    ASSERT_EQ(selected(), (LineId{0, 0}));

    const QPoint from = GetParam().from;
    const QPoint to = from - QPoint(0, 60);
    dragAt(from, to);
    const LinePoint end{float(to.x()), float(to.y())};
    std::vector<ActionLine> expected;
    switch (GetParam().outcome) {
    case Outcome::Bends: expected = {line(0, 0, {60, 200}, {300, 200}, {end})}; break;
    case Outcome::MovesEnd: expected = {line(0, 0, {60, 200}, end)}; break;
    case Outcome::DrawsNew:
        expected = {selectedLine, line(0, 1, {float(from.x()), float(from.y())}, end)};
        break;
    }
    EXPECT_EQ(frame().actionLines(), expected);
}

// Lines are taken within 6 screen pixels, handles closer than 8.
INSTANTIATE_TEST_SUITE_P(
    Zooms, LineReachTest,
    testing::Values(ReachCase{"Near100", 100, {180, 205}, Outcome::Bends},
                    ReachCase{"Beside100", 100, {180, 208}, Outcome::DrawsNew},
                    ReachCase{"Near200", 200, {180, 203}, Outcome::Bends},
                    ReachCase{"Beside200", 200, {180, 204}, Outcome::DrawsNew},
                    ReachCase{"FarAt200", 200, {180, 230}, Outcome::DrawsNew},
                    ReachCase{"Handle100", 100, {307, 200}, Outcome::MovesEnd},
                    ReachCase{"Handle200", 200, {303, 200}, Outcome::MovesEnd},
                    ReachCase{"PastTheHandle200", 200, {305, 200}, Outcome::DrawsNew}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- What drops the selection --------------------------------------------------------------

struct DropCase
{
    const char *name;
    std::function<void(LineEditTest &)> act;
};

void PrintTo(const DropCase &c, std::ostream *os)
{
    *os << c.name;
}

class SelectionDropTest : public LineEditTest, public testing::WithParamInterface<DropCase>
{};

TEST_P(SelectionDropTest, LeavesNoLineSelected)
{
    ASSERT_TRUE(frame().addActionLine(0, {60, 200}, {300, 200}));
    window->document().appendFrame(); // the same line on frame 2
    window->document().recordEdit("Frame");
    window->SelectFrame(1);
    clickAt({180, 200});
    ASSERT_EQ(selected(), (LineId{0, 0}));

    GetParam().act(*this);
    EXPECT_FALSE(selected().has_value());
    EXPECT_TRUE(window->canvas()->handles().isEmpty());
    // A drag from the line now draws a new one.
    const int lines = frame().actionLineCount();
    dragAt({180, 200}, {180, 100});
    EXPECT_EQ(frame().actionLineCount(), lines + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, SelectionDropTest,
    testing::Values(DropCase{"AnotherKind",
                             [](auto &t) { t.window->toolPalette()->OptActionSel[3]->click(); }},
                    DropCase{"AnotherPage",
                             [](auto &t) {
                                 t.showPage(ToolPalette::PlayerPage);
                                 t.showPage(ToolPalette::ActionPage);
                             }},
                    DropCase{"AnotherFrame",
                             [](auto &t) { t.window->tbToolBar_ButtonClick("FForward"); }}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- Refusals say why ------------------------------------------------------------------------

// What the status bar shows whole, once laid out: the texts of its panels that are shown wide
// enough.
QString statusShown(QStatusBar *bar)
{
    QApplication::processEvents();
    QStringList texts;
    for (const QLabel *panel : bar->findChildren<QLabel *>()) {
        if (panel->isVisible()
            && panel->width() >= panel->fontMetrics().horizontalAdvance(panel->text()))
            texts << panel->text();
    }
    return texts.join('|');
}

// Fills the frame with short upright lines along its top.
void fill(PlayConfig &frame)
{
    for (int i = 0; i < kMaxLinesInFrame; ++i) {
        const float x = 10.0f + 5 * i;
        ASSERT_TRUE(frame.addActionLine(i % kActionCount, {x, 20}, {x, 40}));
    }
}

TEST_F(LineEditTest, AFullFrameRefusesAnotherLineWithABeepAndAMessage)
{
    fill(frame());
    const PlayConfig full = frame();
    const int beeps = platform.beeps;
    dragAt({50, 200}, {250, 250});
    EXPECT_EQ(frame(), full);
    EXPECT_EQ(platform.beeps, beeps + 1);
    EXPECT_TRUE(statusShown(window->statusBar()).contains("64"));
}

TEST_F(LineEditTest, ASeventeenthBendIsRefusedWithABeepAndAMessage)
{
    std::vector<LinePoint> bends;
    for (int i = 0; i < kMaxBends; ++i)
        bends.push_back({60.0f + 20 * i, 300});
    ASSERT_TRUE(frame().addActionLine(0, {40, 300}, {380, 300}, bends));
    window->DrawSelected();
    clickAt({60, 300});
    ASSERT_EQ(selected(), (LineId{0, 0}));
    const PlayConfig before = frame();
    const int beeps = platform.beeps;
    dragAt({70, 300}, {70, 250}); // between two bend points
    EXPECT_EQ(frame(), before);
    EXPECT_EQ(platform.beeps, beeps + 1);
    EXPECT_TRUE(statusShown(window->statusBar()).contains("16"));
}

TEST_F(LineEditTest, MovementLinesOnAFullFrameSayWhyNoneWasDrawn)
{
    fill(frame());
    frame().OPlayerX[0] = 100;
    frame().OPlayerY[0] = 300;
    window->document().appendFrame();
    window->document().frames().frame(2).OPlayerX[0] = 200;
    window->document().recordEdit("Frame");
    window->SelectFrame(1);
    const PlayConfig full = frame();
    window->menuItem("mnuEMovementLines")->trigger();
    EXPECT_EQ(frame(), full);
    EXPECT_TRUE(statusShown(window->statusBar()).contains("64"));
}

} // namespace
} // namespace kinetra
