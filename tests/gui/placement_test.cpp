// The window opens where it can be seen, and labels have a legible face by default.
#include "app/frmmain.h"
#include "app/windowplacement.h"
#include "prefs/inisettingsstore.h"
#include "prefs/preferences.h"
#include "support/fakeplatform.h"
#include "support/tempsettings.h"
#include "surface/framelooks.h"
#include "surface/surface.h"
#include "surface/toolpalette.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QScreen>

#include <gtest/gtest.h>

namespace kinetra {
namespace {

const QRect kLeft(0, 0, 1920, 1040);      // primary, a panel along the bottom
const QRect kRight(1920, 0, 1280, 1024);

struct PlacementCase
{
    const char *name;
    QRect stored;
    QList<QRect> screens;
    QRect expected;
};

void PrintTo(const PlacementCase &c, std::ostream *os)
{
    *os << c.name;
}

class Placement : public testing::TestWithParam<PlacementCase>
{};

TEST_P(Placement, TitleBarEndsUpOnAScreen)
{
    const PlacementCase &c = GetParam();
    EXPECT_EQ(visiblePlacement(c.stored, c.screens, kLeft), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, Placement,
    testing::Values(
        PlacementCase{"OnThePrimary", {10, 10, 490, 497}, {kLeft}, {10, 10, 490, 497}},
        PlacementCase{"OnTheSecond", {2000, 100, 490, 497}, {kLeft, kRight},
                      {2000, 100, 490, 497}},
        PlacementCase{"SecondScreenGone", {2000, 100, 490, 497}, {kLeft},
                      {1430, 100, 490, 497}},
        PlacementCase{"FarOff", {30000, 30000, 490, 497}, {kLeft}, {1430, 513, 490, 497}},
        PlacementCase{"AboveTheTop", {300, -400, 490, 497}, {kLeft}, {300, 0, 490, 497}},
        PlacementCase{"PartlyOffButReachable", {1800, 900, 490, 497}, {kLeft},
                      {1800, 900, 490, 497}},
        PlacementCase{"LargerThanTheScreen", {-5000, 0, 2500, 1500}, {kLeft},
                      {0, 0, 1920, 1010}}));

TEST(StoredPlacement, ReadsItsDefaultsAndWhatWasWritten)
{
    TempSettings settings;
    IniSettingsStore store;
    EXPECT_EQ(readMainPlacement(store), QRect(10, 10, 7344, 7452));
    store.write("Settings", "MainTop", "wide");
    store.write("Settings", "MainWidth", "99999999");
    EXPECT_EQ(readMainPlacement(store), QRect(10, 10, 7344, 7452)) << "unreadable or too large";
    writeMainPlacement(store, QRect(-150, 300, 9000, 6000));
    EXPECT_EQ(store.read("Settings", "MainLeft"), "-150");
    EXPECT_EQ(store.read("Settings", "MainHeight"), "6000");
    EXPECT_EQ(readMainPlacement(store), QRect(-150, 300, 9000, 6000));
}

TEST(PlacementWindow, StoredPlaceOffEveryScreenOpensOnThePrimary)
{
    TempSettings settings;
    IniSettingsStore store;
    FakePlatform platform;
    store.write("Settings", "MainLeft", "30000");
    store.write("Settings", "MainTop", "-30000");
    frmMain window(platform, store, KINETRA_PROGRAM_DIR);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window.pos())) << window.pos().x() << "," << window.pos().y();
}

// A window grown past the screen by a zoom was stored that large and opened so again, with
// its palette and status bar out of reach.
TEST(PlacementWindow, StoredSizeLargerThanTheScreenOpensWithinIt)
{
    TempSettings settings;
    IniSettingsStore store;
    FakePlatform platform;
    store.write("Settings", "MainLeft", "150");
    store.write("Settings", "MainTop", "150");
    store.write("Settings", "MainWidth", "27780"); // 1852 x 1629 pixels
    store.write("Settings", "MainHeight", "24435");
    frmMain window(platform, store, KINETRA_PROGRAM_DIR);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect placed(window.pos(), window.size());
    EXPECT_TRUE(screen.contains(placed)) << placed.x() << "," << placed.y() << " "
                                         << placed.width() << " x " << placed.height();
}

TEST(LabelFont, EmptyFaceNameGivesTheSansSerifFace)
{
    if (!QFontDatabase::families().contains("DejaVu Sans"))
        GTEST_SKIP() << "DejaVu Sans is not installed";
    Preferences prefs;
    EXPECT_EQ(QFontInfo(labelFontFromPreferences(prefs)).family(), "DejaVu Sans");
    prefs.FontName = "DejaVu Serif";
    EXPECT_EQ(QFontInfo(labelFontFromPreferences(prefs)).family(), "DejaVu Serif");

    TempSettings settings;
    IniSettingsStore store;
    FakePlatform platform;
    frmMain window(platform, store, KINETRA_PROGRAM_DIR);
    EXPECT_EQ(QFontInfo(window.surface()->font()).family(), "DejaVu Sans");
    EXPECT_EQ(QFontInfo(window.toolPalette()->TxtSymbol[0]->font()).family(), "DejaVu Sans");
}

} // namespace
} // namespace kinetra
