// The zoom steps, the fitted zoom and the stored view setting; the View menu's zoom commands
// on the main window.

#include "editingwindow.h"

#include "surface/zoom.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QWheelEvent>

namespace kinetra {
namespace {

struct StepCase
{
    int from, in, out;
};

class ZoomStepTest : public testing::TestWithParam<StepCase>
{};

TEST_P(ZoomStepTest, GoesToTheNextStepEachWay)
{
    EXPECT_EQ(zoomIn(GetParam().from), GetParam().in);
    EXPECT_EQ(zoomOut(GetParam().from), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Steps, ZoomStepTest,
                         testing::Values(StepCase{100, 125, 75}, StepCase{50, 67, 50},
                                         StepCase{67, 75, 50}, StepCase{400, 400, 300},
                                         StepCase{110, 125, 100}, StepCase{30, 50, 50},
                                         StepCase{500, 400, 400}));

struct FitCase
{
    const char *name;
    QSize room;
    int expected;
};

void PrintTo(const FitCase &c, std::ostream *os)
{
    *os << c.name;
}

class FitZoomTest : public testing::TestWithParam<FitCase>
{};

TEST_P(FitZoomTest, TakesTheLargestStepThatFits)
{
    EXPECT_EQ(fitZoom(QSize(400, 373), GetParam().room), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, FitZoomTest,
    testing::Values(FitCase{"Exactly", {400, 373}, 100}, FitCase{"OnePixelNarrow", {399, 373}, 75},
                    FitCase{"OnePixelShort", {400, 372}, 75},
                    FitCase{"FullHdScreen", {1720, 908}, 200},
                    // 373 x 2.5 = 932.5 rounds to 932
                    FitCase{"HalfPixelRoundsToEven", {1000, 932}, 250},
                    FitCase{"Huge", {5000, 5000}, 400}, FitCase{"TooSmall", {100, 100}, 50}),
    [](const auto &info) { return std::string(info.param.name); });

struct StoredCase
{
    const char *name;
    const char *zoom;       // nullptr: not in the store
    const char *fit;
    ZoomSetting expected;
};

void PrintTo(const StoredCase &c, std::ostream *os)
{
    *os << c.name;
}

class StoredZoomTest : public testing::TestWithParam<StoredCase>
{};

TEST_P(StoredZoomTest, ReadsSectionView)
{
    TempSettings settings;
    IniSettingsStore store;
    if (GetParam().zoom)
        store.write("View", "Zoom", GetParam().zoom);
    if (GetParam().fit)
        store.write("View", "FitToWindow", GetParam().fit);
    EXPECT_EQ(readZoomSetting(store), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Stores, StoredZoomTest,
    testing::Values(StoredCase{"Empty", nullptr, nullptr, {100, true}},
                    StoredCase{"ByHand", "200", "0", {200, false}},
                    StoredCase{"BetweenSteps", "180", "1", {175, true}},
                    StoredCase{"NotANumber", "big", nullptr, {100, true}},
                    StoredCase{"FitNotZeroOrOne", "300", "7", {300, true}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- The window ----------------------------------------------------------------------------

class ZoomWindowTest : public testing::Test, public test::EditingWindow
{
protected:
    QLabel *zoomPanel() const { return window->findChild<QLabel *>("sbZoom"); }
    void ctrlWheel(int angle)
    {
        const QPointF at(50, 50);
        QWheelEvent wheel(at, window->canvas->mapToGlobal(at), QPoint(), QPoint(0, angle),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window->canvas, &wheel);
    }
};

TEST_F(ZoomWindowTest, ZoomingByHandTurnsFitOffAndShowsTheZoom)
{
    open();
    window->menuItem("mnuViewZoomIn")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window->canvas->size(), QSize(500, 466));
    EXPECT_FALSE(window->mnuViewFit->isChecked());
    EXPECT_TRUE(zoomPanel()->isVisible());
    EXPECT_EQ(zoomPanel()->text(), "Zoom 125%");
    // The palette and the frame controls follow the field.
    EXPECT_GE(window->palette->tbsPicList->x(), window->canvas->x() + 500);
    EXPECT_EQ(window->Frame1->y(), window->canvas->y() + 466);
    EXPECT_GE(window->centralWidget()->width(), 500);

    ctrlWheel(-240);
    EXPECT_EQ(window->canvas->zoom(), 75);
    window->menuItem("mnuViewActualSize")->trigger();
    EXPECT_EQ(window->canvas->zoom(), 100);
    EXPECT_FALSE(zoomPanel()->isVisible());
    EXPECT_EQ(window->menuItem("mnuViewZoomOut")->shortcut(), QKeySequence("Ctrl+-"));
    EXPECT_EQ(window->menuItem("mnuViewActualSize")->shortcut(), QKeySequence("Ctrl+0"));
    EXPECT_EQ(window->menuItem("mnuViewZoomIn")->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+="), QKeySequence("Ctrl++")}));
}

TEST_F(ZoomWindowTest, WithFitTheFieldFollowsTheWindow)
{
    open();
    // A new window: Fit on, the field at 100 %.
    EXPECT_EQ(window->canvas->size(), QSize(400, 373));
    EXPECT_TRUE(window->mnuViewFit->isChecked());
    EXPECT_FALSE(zoomPanel()->isVisible());

    window->resize(1920, 1080);
    QApplication::processEvents();
    const int room = window->centralWidget()->height() - window->Frame1->height();
    const int expected = room >= 932 ? 250 : room >= 746 ? 200 : 175;
    EXPECT_EQ(window->canvas->zoom(), expected) << "room " << room;
    EXPECT_EQ(window->Frame1->y(), window->canvas->height());

    // Shrinking the window shrinks the field, down to the smallest step.
    window->resize(300, 300);
    QApplication::processEvents();
    EXPECT_EQ(window->canvas->zoom(), 50);
    EXPECT_EQ(window->canvas->size(), QSize(200, 186));
}

TEST_F(ZoomWindowTest, TheZoomIsKeptInTheStore)
{
    open();
    window->menuItem("mnuViewZoomIn")->trigger();
    window->menuItem("mnuViewZoomIn")->trigger();
    window->close();
    EXPECT_EQ(store.read("View", "Zoom"), "150");
    EXPECT_EQ(store.read("View", "FitToWindow"), "0");

    open();
    EXPECT_EQ(window->canvas->zoom(), 150);
    EXPECT_FALSE(window->mnuViewFit->isChecked());
    window->mnuViewFit->trigger();
    EXPECT_TRUE(window->mnuViewFit->isChecked());
    window->close();
    EXPECT_EQ(store.read("View", "FitToWindow"), "1");
}

} // namespace
} // namespace kinetra
