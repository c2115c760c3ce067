// Video Control and the Move dialog open beside the main window, so the field stays in sight,
// where the screen has room for them there; elsewhere they open where they always did.
#include "gui/editingwindow.h"
#include "surface/besidewindow.h"

#include <QAction>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <functional>
#include <optional>

namespace kinetra {
namespace {

struct BesideCase
{
    const char *name;
    QRect main;
    QSize size;
    std::optional<QPoint> expected;
};

void PrintTo(const BesideCase &c, std::ostream *os)
{
    *os << c.name;
}

class Beside : public testing::TestWithParam<BesideCase>
{};

// A screen of 1920 x 1040 usable pixels, a panel along its bottom.
const QRect kScreen(0, 0, 1920, 1040);

TEST_P(Beside, RightElseBelowElseNowhere)
{
    const BesideCase &c = GetParam();
    EXPECT_EQ(besideWindow(c.main, c.size, kScreen), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, Beside,
    testing::Values(
        BesideCase{"LargeScreenRight", {10, 10, 500, 560}, {300, 200}, QPoint(514, 10)},
        BesideCase{"JustFitsRight", {10, 10, 1606, 560}, {300, 200}, QPoint(1620, 10)},
        BesideCase{"OnePixelShortRight", {10, 10, 1607, 560}, {300, 200}, QPoint(10, 574)},
        BesideCase{"RightSlidesUpToFit", {10, 900, 500, 100}, {300, 200}, QPoint(514, 840)},
        BesideCase{"NoRoomRightButBelow", {1400, 10, 500, 560}, {300, 200}, QPoint(1400, 574)},
        BesideCase{"BelowSlidesLeftToFit", {1700, 10, 220, 500}, {300, 200}, QPoint(1620, 514)},
        BesideCase{"SmallScreen", {0, 0, 1800, 900}, {300, 200}, std::nullopt},
        BesideCase{"WiderThanTheScreen", {0, 0, 100, 100}, {2000, 200}, std::nullopt}));

// Where the main window stands on its screen, and so where the window opens.
enum class Room { Right, Below, None };

struct OpenCase
{
    const char *name;
    Room room;
    /// Opens the window from the main window and gives its outer frame while it is open.
    std::function<QRect(frmMain &)> open;
};

// Runs `command`, which shows a modal window, and gives that window's outer frame.
QRect modalFrame(const std::function<void()> &command)
{
    QRect frame;
    QTimer::singleShot(0, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            frame = modal->frameGeometry();
            modal->close();
        }
    });
    command();
    return frame;
}

class OpenBeside : public testing::TestWithParam<OpenCase>
{
protected:
    void SetUp() override { e.open(); }
    test::EditingWindow e;
};

TEST_P(OpenBeside, OpensBesideTheMainWindowWhereThereIsRoom)
{
    frmMain &w = *e.window;
    const QRect screen = w.screen()->availableGeometry();
    const QSize main = w.frameGeometry().size();
    // Room to the right: the main window's right edge 100 pixels into the screen. Room only
    // below: its bottom edge 100 pixels into the screen, its right edge at the screen's.
    // No room: it fills the screen.
    switch (GetParam().room) {
    case Room::Right:
        w.move(screen.left() + 100 - main.width(), screen.top());
        break;
    case Room::Below:
        w.move(screen.right() + 1 - main.width(), screen.top() + 100 - main.height());
        break;
    case Room::None:
        w.setGeometry(screen);
        break;
    }
    QApplication::processEvents();
    const QRect outer = w.frameGeometry();
    const QRect opened = GetParam().open(w);
    ASSERT_TRUE(opened.isValid()) << "no modal window";
    switch (GetParam().room) {
    case Room::Right:
        EXPECT_EQ(opened.topLeft(), QPoint(outer.right() + 1 + kBesideGap, outer.top()));
        break;
    case Room::Below:
        EXPECT_EQ(opened.topLeft(),
                  QPoint(std::min(outer.left(), screen.right() + 1 - opened.width()),
                         outer.bottom() + 1 + kBesideGap));
        break;
    case Room::None:
        EXPECT_TRUE(opened.intersects(outer));
        break;
    }
    EXPECT_EQ(GetParam().room != Room::None, !opened.intersects(outer));
    EXPECT_TRUE(screen.contains(opened) || GetParam().room == Room::None);
}

QRect openVideo(frmMain &w)
{
    const QRect frame = modalFrame([&] { w.CmdPlay()->click(); });
    // Without room the window opens where the palette and the frame controls put it.
    if (!besideWindow(w, frame.size())) {
        const QPoint offset(w.Frame1()->mapTo(&w, QPoint()).x(),
                            w.toolPalette()->tbsPicList->mapTo(&w, QPoint()).y());
        EXPECT_EQ(frame.topLeft(), w.frameGeometry().topLeft() + offset);
    }
    return frame;
}

QRect openMove(frmMain &w)
{
    const QRect frame = modalFrame([&] { w.menuItem("mnuEMove")->trigger(); });
    // Without room the dialog opens over the middle of the main window, as dialogs do.
    if (!besideWindow(w, frame.size())) {
        EXPECT_LE((frame.center() - w.frameGeometry().center()).manhattanLength(), 2);
    }
    return frame;
}

INSTANTIATE_TEST_SUITE_P(Windows, OpenBeside,
                         testing::Values(OpenCase{"VideoRight", Room::Right, openVideo},
                                         OpenCase{"VideoBelow", Room::Below, openVideo},
                                         OpenCase{"VideoNoRoom", Room::None, openVideo},
                                         OpenCase{"MoveRight", Room::Right, openMove},
                                         OpenCase{"MoveBelow", Room::Below, openMove},
                                         OpenCase{"MoveNoRoom", Room::None, openMove}),
                         [](const testing::TestParamInfo<OpenCase> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace kinetra
