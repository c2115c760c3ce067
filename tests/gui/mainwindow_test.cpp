#include "app/frmmain.h"
#include "app/startup.h"
#include "prefs/inisettingsstore.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"
#include "support/tempsettings.h"
#include "surface/canvas.h"
#include "surface/playediting.h"
#include "surface/surface.h"
#include "surface/toolpalette.h"
#include "surface/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLockFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace kinetra {
namespace {

class MainWindowTest : public testing::Test
{
protected:
    std::unique_ptr<frmMain> open()
    {
        auto window = std::make_unique<frmMain>(platform, store, KINETRA_PROGRAM_DIR);
        window->show();
        return window;
    }

    // Gives the play `n` frames and selects `current`.
    void makeFrames(frmMain &w, int n, int16_t current)
    {
        while (w.document().frames().count() < n)
            w.document().appendFrame();
        w.SelectFrame(current);
    }

    TempSettings settings;
    IniSettingsStore store;
    FakePlatform platform;
};

QPoint inWindow(QWidget *w)
{
    return w->mapTo(w->window(), QPoint(0, 0));
}

TEST_F(MainWindowTest, FirstStartState)
{
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Kinetra V1.4.0");
    EXPECT_EQ(w->pos(), QPoint(twipsToPixels(10), twipsToPixels(10)));
    // 7344 x 7452 twips unless the surface and palette need more room.
    EXPECT_GE(w->width(), twipsToPixels(7344));
    EXPECT_GE(w->height(), twipsToPixels(7452));
    EXPECT_EQ(w->statusPanels()[0]->text(), "Untitled");
    EXPECT_EQ(w->statusPanels()[1]->text(), "");
    EXPECT_EQ(w->statusPanels()[2]->text(), "");
    EXPECT_EQ(w->statusPanels()[3]->text(), " Frame: 1/1");
    EXPECT_EQ(w->statusPanels()[0]->toolTip(), "Play file name");
    EXPECT_EQ(w->statusPanels()[3]->toolTip(), "Current Frame / Total Frames");
    EXPECT_FALSE(w->menuItem("mnuEDel")->isEnabled());
    EXPECT_TRUE(w->menuItem("mnuViewToolbar")->isChecked());
    EXPECT_TRUE(w->menuItem("mnuViewStatusBar")->isChecked());
    EXPECT_EQ(w->document().frames().count(), 1);
    EXPECT_EQ(w->document().frames().frame(1).ActivePlyr, 20);
    EXPECT_FALSE(w->document().isModified());
    EXPECT_FALSE(w->editing().drawingSuppressed());
    EXPECT_EQ(w->editing().selectedActionLine(), 0);
    EXPECT_EQ(w->SBar()->minimum(), 1);
    EXPECT_EQ(w->SBar()->maximum(), 1);
    EXPECT_EQ(w->Frame1()->title(), "Frame Control");
    EXPECT_EQ(w->canvas()->size(), QSize(400, 373));
    EXPECT_EQ(w->canvas()->toolTip(),
              "Use Left mouse button to select / drag and right button to delete object.");
    // The palette stands to the right of the surface.
    EXPECT_GE(inWindow(w->toolPalette()->tbsPicList).x(), inWindow(w->canvas()).x() + 400);
    EXPECT_EQ(w->toolPalette()->tbsPicList->count(), 4);
    EXPECT_EQ(w->toolPalette()->tbsPicList->tabText(3), "Chalk");
}

TEST_F(MainWindowTest, MenusAndToolbarCarryTheirCaptionsKeysAndShortcuts)
{
    auto w = open();
    struct Item
    {
        const char *name, *caption, *shortcut;
    };
    for (const Item &i :
         {Item{"mnuFileOpen", "&Open", "Ctrl+O"}, Item{"mnuFileSave", "&Save", "Ctrl+S"},
          Item{"mnuFilePrint", "&Print...", "Ctrl+P"},
          Item{"mnuIBefore", "Insert &Before", "Ctrl+B"},
          Item{"mnuIAfter", "Insert &After", "Ctrl+A"},
          Item{"mnuIBlank", "&Insert Blank", "Ctrl+C"},
          Item{"mnuEDel", "&Delete Frame", "Ctrl+D"}, Item{"mnuViewNotes", "&Notes", "Ctrl+N"},
          Item{"mnuHelpAbout", "&About Kinetra...", ""}}) {
        QAction *a = w->menuItem(i.name);
        ASSERT_NE(a, nullptr) << i.name;
        EXPECT_EQ(a->text(), i.caption);
        EXPECT_EQ(a->shortcut(), QKeySequence(i.shortcut)) << i.name;
    }
    QStringList keys;
    for (QAction *a : w->tbToolBar()->actions())
        if (!a->isSeparator())
            keys << a->objectName();
    EXPECT_EQ(keys, (QStringList{"New", "Open", "Save", "Print", "Undo", "Redo", "InsertB",
                                 "InsertA", "InsertC", "InsertProg", "InsertNext", "FMove",
                                 "Delete", "Notes", "FBack", "FForward", "Play", "Properties",
                                 "Help", "About"}));
    EXPECT_EQ(w->toolbarButton("FMove")->toolTip(), "Move Objects around field surface.");
    EXPECT_EQ(w->toolbarButton("About")->toolTip(), "About Kinetra");
    EXPECT_FALSE(w->toolbarButton("FBack")->icon().isNull());
    // A toolbar button works when the command it runs does.
    EXPECT_TRUE(w->menuItem("mnuFilePrint")->isEnabled());
    EXPECT_TRUE(w->toolbarButton("Print")->isEnabled());
}

TEST_F(MainWindowTest, HidingTheToolbarMovesTheBodyUpAndShrinksTheWindow)
{
    auto w = open();
    QApplication::processEvents();
    const int toolbarHeight = w->tbToolBar()->height();
    ASSERT_GT(toolbarHeight, 0);
    const QPoint canvas = inWindow(w->canvas());
    const QPoint tabs = inWindow(w->toolPalette()->tbsPicList);
    const QPoint page = inWindow(w->toolPalette()->PicList[2]);
    const int height = w->height();

    w->menuItem("mnuViewToolbar")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(w->tbToolBar()->isVisible());
    EXPECT_FALSE(w->menuItem("mnuViewToolbar")->isChecked());
    EXPECT_EQ(inWindow(w->canvas()), canvas - QPoint(0, toolbarHeight));
    EXPECT_EQ(inWindow(w->toolPalette()->tbsPicList), tabs - QPoint(0, toolbarHeight));
    EXPECT_EQ(inWindow(w->toolPalette()->PicList[2]), page - QPoint(0, toolbarHeight));
    EXPECT_EQ(w->height(), height - toolbarHeight);

    w->menuItem("mnuViewToolbar")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(w->menuItem("mnuViewToolbar")->isChecked());
    EXPECT_EQ(inWindow(w->canvas()), canvas);
    EXPECT_EQ(w->height(), height);

    const int statusHeight = w->statusBar()->height();
    w->menuItem("mnuViewStatusBar")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(w->statusBar()->isVisible());
    EXPECT_FALSE(w->menuItem("mnuViewStatusBar")->isChecked());
    EXPECT_EQ(w->height(), height - statusHeight);
}

TEST_F(MainWindowTest, ScrollBarSelectsOnceAndFollowsSelection)
{
    auto w = open();
    makeFrames(*w, 9, 1);
    QSignalSpy selected(w.get(), &frmMain::frameSelected);
    w->SBar()->setValue(7); // the thumb moved by the user
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(w->document().frames().current(), 7);
    EXPECT_EQ(w->statusPanels()[3]->text(), " Frame: 7/9");

    selected.clear();
    w->SelectFrame(3); // by code: the scroll bar follows without selecting again
    EXPECT_EQ(selected.size(), 1);
    EXPECT_EQ(w->SBar()->value(), 3);
    EXPECT_EQ(w->SBar()->maximum(), 9);
}

TEST_F(MainWindowTest, ToolbarStepsFramesButNotPastTheEnds)
{
    auto w = open();
    makeFrames(*w, 3, 1);
    QSignalSpy selected(w.get(), &frmMain::frameSelected);
    w->tbToolBar_ButtonClick("FBack");
    EXPECT_EQ(selected.size(), 0);
    EXPECT_EQ(w->document().frames().current(), 1);
    w->tbToolBar_ButtonClick("FForward");
    w->tbToolBar_ButtonClick("FForward");
    EXPECT_EQ(w->document().frames().current(), 3);
    selected.clear();
    w->tbToolBar_ButtonClick("FForward");
    EXPECT_EQ(selected.size(), 0);
    EXPECT_EQ(w->document().frames().current(), 3);
    w->tbToolBar_ButtonClick("FBack");
    EXPECT_EQ(w->document().frames().current(), 2);
    EXPECT_EQ(w->statusPanels()[3]->text(), " Frame: 2/3");
    w->tbToolBar_ButtonClick("NoSuchKey");
    EXPECT_EQ(w->document().frames().current(), 2);
}

struct FieldKeyCase
{
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int16_t from, to;
};
class FieldKeyTest : public MainWindowTest, public testing::WithParamInterface<FieldKeyCase>
{};

TEST_P(FieldKeyTest, KeysOnTheFieldStepThroughTheFrames)
{
    const FieldKeyCase &c = GetParam();
    auto w = open();
    makeFrames(*w, 5, c.from);
    w->canvas()->setFocus();
    QSignalSpy selected(w.get(), &frmMain::frameSelected);
    QTest::keyClick(w->canvas(), c.key, c.modifiers);
    EXPECT_EQ(w->statusPanels()[3]->text(), QString(" Frame: %1/5").arg(c.to));
    EXPECT_EQ(selected.size(), c.to == c.from ? 0 : 1) << "selected once, through the scroll bar";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, FieldKeyTest,
    testing::Values(FieldKeyCase{"Left", Qt::Key_Left, {}, 3, 2},
                    FieldKeyCase{"Right", Qt::Key_Right, {}, 3, 4},
                    FieldKeyCase{"PageUp", Qt::Key_PageUp, {}, 3, 2},
                    FieldKeyCase{"PageDown", Qt::Key_PageDown, {}, 3, 4},
                    FieldKeyCase{"Home", Qt::Key_Home, {}, 3, 1},
                    FieldKeyCase{"End", Qt::Key_End, {}, 3, 5},
                    FieldKeyCase{"LeftOnTheFirst", Qt::Key_Left, {}, 1, 1},
                    FieldKeyCase{"KeypadEnd", Qt::Key_End, Qt::KeypadModifier, 2, 5},
                    FieldKeyCase{"CtrlRightIsNotAStep", Qt::Key_Right, Qt::ControlModifier, 3, 3}),
    [](const testing::TestParamInfo<FieldKeyCase> &info) { return info.param.name; });

TEST_F(MainWindowTest, DeletingFramesFollowsTheList)
{
    auto w = open();
    makeFrames(*w, 5, 5);
    EXPECT_TRUE(w->menuItem("mnuEDel")->isEnabled());
    w->document().markSaved();
    w->menuItem("mnuEDel")->trigger();
    EXPECT_EQ(w->document().frames().count(), 4);
    EXPECT_EQ(w->document().frames().current(), 4);
    EXPECT_EQ(w->statusPanels()[3]->text(), " Frame: 4/4");
    EXPECT_EQ(w->SBar()->maximum(), 4);
    EXPECT_EQ(w->SBar()->value(), 4);
    EXPECT_TRUE(w->document().isModified());

    w->SelectFrame(2);
    w->document().frames().frame(3).OPlayerX[0] = 33;
    w->tbToolBar_ButtonClick("Delete");
    EXPECT_EQ(w->document().frames().current(), 2);
    EXPECT_EQ(w->document().frames().frame(2).OPlayerX[0], 33);

    w->tbToolBar_ButtonClick("Delete");
    w->tbToolBar_ButtonClick("Delete");
    EXPECT_EQ(w->document().frames().count(), 1);
    EXPECT_FALSE(w->menuItem("mnuEDel")->isEnabled());
    w->tbToolBar_ButtonClick("Delete"); // does nothing with one frame
    EXPECT_EQ(w->document().frames().count(), 1);

    w->document().appendFrame();
    EXPECT_TRUE(w->menuItem("mnuEDel")->isEnabled());
    EXPECT_EQ(w->SBar()->maximum(), 2);
}

TEST_F(MainWindowTest, ClosingStoresPreferencesAndPlacement)
{
    {
        auto w = open();
        w->move(twipsToPixels(1200), twipsToPixels(900));
        w->prefs().Picbkg = 2;
        w->prefs().OPLabel[0] = "Lead";
        EXPECT_TRUE(w->close());
    }
    IniSettingsStore reread(settings.iniPath());
    EXPECT_EQ(reread.read("Settings", "Picbkg"), "2");
    EXPECT_EQ(reread.read("PLAYER", "OPLabel0"), "Lead");
    EXPECT_EQ(reread.read("Settings", "MainLeft"), "1200");
    EXPECT_EQ(reread.read("Settings", "MainTop"), "900");
    EXPECT_FALSE(reread.read("Settings", "MainWidth").isEmpty());

    // The next start comes back where the last one ended.
    auto again = open();
    EXPECT_EQ(again->pos(), QPoint(twipsToPixels(1200), twipsToPixels(900)));
    EXPECT_EQ(again->prefs().Picbkg, 2);
}

TEST_F(MainWindowTest, PlacementValuesThatAreNotNumbersUseTheDefaults)
{
    store.write("Settings", "MainLeft", "left");
    store.write("Settings", "MainTop", "");
    store.write("Settings", "Picbkg", "7");
    auto w = open();
    EXPECT_EQ(w->pos(), QPoint(twipsToPixels(10), twipsToPixels(10)));
    EXPECT_EQ(w->prefs().Picbkg, 0);
}

TEST(Startup, SecondInstanceIsRefused)
{
    TempSettings settings;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", settings.folder().toLocal8Bit());
    QFile::setPermissions(settings.folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                 | QFileDevice::ExeOwner);
    {
        QLockFile running(instanceLockPath());
        ASSERT_TRUE(running.tryLock(0));
        FakePlatform platform;
        EXPECT_EQ(Main(platform), 0);
        ASSERT_EQ(platform.messages().size(), 1);
        const auto box = platform.messages().first();
        EXPECT_EQ(box.text, "Kinetra IS ALREADY RUNNING");
        EXPECT_EQ(box.title, "Kinetra");
        EXPECT_EQ(box.icon, Platform::Icon::Critical);
        EXPECT_EQ(box.buttons, Platform::Buttons::Ok);
        EXPECT_EQ(platform.sleptMs, 0);
        EXPECT_FALSE(QFile::exists(settings.iniPath()));
    }
    qputenv("XDG_RUNTIME_DIR", runtime);
}

} // namespace
} // namespace kinetra

namespace kinetra {
namespace {

TEST_F(MainWindowTest, ClosingWhileMinimisedStoresPreferencesButNotPlacement)
{
    {
        auto w = open();
        w->prefs().OPLabel[1] = "Min";
        w->showMinimized();
        QApplication::processEvents();
        if (!w->isMinimized())
            GTEST_SKIP() << "this platform cannot minimise windows";
        EXPECT_TRUE(w->close());
    }
    IniSettingsStore reread(settings.iniPath());
    EXPECT_EQ(reread.read("PLAYER", "OPLabel1"), "Min");
    EXPECT_EQ(reread.read("Settings", "MainLeft", "absent"), "absent");
}

} // namespace
} // namespace kinetra
