// The Formations and Player Labels menus, and the Properties command of the main window.

#include "editingwindow.h"
#include "imagecheck.h"

#include "surface/colors.h"
#include "surface/labelbox.h"
#include "surface/linesample.h"
#include "windows/frmoptions.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace kinetra {
namespace {

using test::EditingWindow;

const QString kFull = "ERR : Maximum of 10 Formations allowed.\r\nYou must delete one to make room.";
const QString kDeleteQuestion = "Are you sure you want to delete this formation?";

class MenuTest : public testing::Test, public EditingWindow
{
protected:
    void SetUp() override
    {
        // The store of a user who kept no formations, not a first start that brings some.
        store.write("Formations", "Count", "0");
        open();
    }

    QAction *item(const QString &name) { return window->menuItem(name); }
    QMenu *submenu(const char *name) { return window->menuBar()->findChild<QMenu *>(name); }

    /// Formation > Save Formation, answering the input box with name.
    void saveFormation(const QString &name)
    {
        platform.queueText(name);
        item("mnuFormSave")->trigger();
    }
    void deleteFormation(int f, Platform::Answer answer = Platform::Answer::Yes)
    {
        platform.queueAnswer(answer);
        item(QString("MnuFormDel%1").arg(f))->trigger();
    }

    /// Captions of the visible items of a formation submenu; a checked one is marked "*".
    QStringList shown(const char *family)
    {
        QStringList captions;
        for (int f = 1; f <= 10; ++f) {
            QAction *a = item(QString(family).arg(f));
            if (a->isVisible())
                captions << a->text() + (a->isChecked() ? "*" : "");
        }
        return captions;
    }
    bool anyChecked()
    {
        for (int f = 1; f <= 10; ++f)
            if (item(QString("MnuFormValue%1").arg(f))->isChecked())
                return true;
        return false;
    }

    /// Closes the window as the user does (answering No to saving) and opens it again.
    void restart()
    {
        platform.queueAnswer(Platform::Answer::No);
        window->close();
        window.reset();
        open();
    }

    void placeAll(float x)
    {
        for (size_t k = 0; k < 10; ++k) {
            frame().OPlayerX[k] = x + float(k);
            frame().OPlayerY[k] = 50;
            frame().DPlayerX[k] = x;
            frame().DPlayerY[k] = 100 + float(k);
        }
    }

    QStringList labels(int side)
    {
        QStringList texts;
        for (auto *box : side == 0 ? window->toolPalette()->TxtOplyr : window->toolPalette()->TxtDplyr)
            texts << box->text();
        return texts;
    }
};

TEST_F(MenuTest, SavingAFormationAsksForItsNameAndListsItInBothSubmenus)
{
    EXPECT_FALSE(submenu("mnuFormDelete")->isEnabled());
    EXPECT_FALSE(submenu("mnuFormSelect")->isEnabled());
    window->document().markSaved();
    placeAll(100.5f);
    saveFormation("Shift");
    const FakePlatform::Call ask = platform.calls.last();
    EXPECT_EQ(ask.kind, "inputBox");
    EXPECT_EQ(ask.text, "Formation Name:");
    EXPECT_EQ(ask.title, "New Formation");
    EXPECT_EQ(ask.defaultText, "New");
    EXPECT_EQ(shown("MnuFormValue%1"), QStringList{"Shift"});
    EXPECT_EQ(shown("MnuFormDel%1"), QStringList{"Shift"});
    EXPECT_TRUE(submenu("mnuFormDelete")->isEnabled());
    EXPECT_TRUE(submenu("mnuFormSelect")->isEnabled());
    EXPECT_FALSE(window->document().isModified());
    EXPECT_EQ(window->prefs().FormationX[0][0], 100);
    EXPECT_EQ(window->prefs().FormationX[0][1], 102);

    // An empty name or Cancel saves nothing.
    saveFormation("");
    item("mnuFormSave")->trigger();
    EXPECT_EQ(window->prefs().FormationCount, 1);
}

TEST_F(MenuTest, TheEleventhFormationIsRefused)
{
    for (int f = 1; f <= 10; ++f)
        saveFormation(QString("F%1").arg(f));
    ASSERT_EQ(shown("MnuFormValue%1").size(), 10);
    const qsizetype calls = platform.calls.size();
    saveFormation("F11");
    EXPECT_EQ(platform.beeps, 1);
    ASSERT_EQ(platform.calls.size(), calls + 1); // the message, no input box
    const FakePlatform::Call refusal = platform.calls.last();
    EXPECT_EQ(refusal.text, kFull);
    EXPECT_EQ(refusal.title, "Kinetra");
    EXPECT_EQ(refusal.icon, Platform::Icon::None);
    EXPECT_EQ(refusal.buttons, Platform::Buttons::Ok);
    EXPECT_EQ(window->prefs().FormationCount, 10);

    // Deleting one makes room again.
    deleteFormation(4);
    saveFormation("F11");
    EXPECT_EQ(shown("MnuFormDel%1"),
              (QStringList{"F1", "F2", "F3", "F5", "F6", "F7", "F8", "F9", "F10", "F11"}));
}

TEST_F(MenuTest, ApplyingAFormationChecksItAndMarksThePlay)
{
    placeAll(30);
    saveFormation("Left");
    window->document().frames().currentFrame() = PlayConfig();
    frame().OPlayerX[0] = 5;
    saveFormation("Alone");
    placeAll(200);
    window->document().markSaved();

    item("MnuFormValue2")->trigger();
    EXPECT_EQ(frame().OPlayerX[0], 5.f);
    EXPECT_EQ(frame().OPlayerX[1], 0.f); // not placed by the formation: off the surface
    EXPECT_TRUE(window->document().isModified());
    EXPECT_EQ(shown("MnuFormValue%1"), (QStringList{"Left", "Alone*"}));

    item("MnuFormValue1")->trigger();
    EXPECT_EQ(shown("MnuFormValue%1"), (QStringList{"Left*", "Alone"}));
    EXPECT_EQ(window->prefs().SelectedFormation, 1);
}

TEST_F(MenuTest, DeletingRenumbersAndClearsTheCheckMark)
{
    for (const char *name : {"A", "B", "C", "D"})
        saveFormation(name);
    item("MnuFormValue3")->trigger();

    deleteFormation(1, Platform::Answer::No);
    EXPECT_EQ(shown("MnuFormDel%1"), (QStringList{"A", "B", "C", "D"}));
    const FakePlatform::Call ask = platform.messages().last();
    EXPECT_EQ(ask.text, kDeleteQuestion);
    EXPECT_EQ(ask.buttons, Platform::Buttons::YesNo);
    EXPECT_EQ(ask.icon, Platform::Icon::Question);

    deleteFormation(1); // before the applied one: the selection follows "C" down
    EXPECT_EQ(shown("MnuFormValue%1"), (QStringList{"B", "C", "D"}));
    EXPECT_EQ(shown("MnuFormDel%1"), (QStringList{"B", "C", "D"}));
    EXPECT_FALSE(item("MnuFormValue4")->isVisible());
    EXPECT_EQ(item("MnuFormValue4")->text(), "");
    EXPECT_EQ(window->prefs().SelectedFormation, 2);
    EXPECT_FALSE(anyChecked());

    deleteFormation(3); // the last one
    EXPECT_EQ(shown("MnuFormValue%1"), (QStringList{"B", "C"}));
    deleteFormation(2); // the applied one
    EXPECT_EQ(window->prefs().SelectedFormation, 0);
    deleteFormation(1);
    EXPECT_TRUE(shown("MnuFormValue%1").isEmpty());
    EXPECT_FALSE(submenu("mnuFormDelete")->isEnabled());
    EXPECT_FALSE(submenu("mnuFormSelect")->isEnabled());
}

TEST_F(MenuTest, FormationsReachTheStoreAtOnceAndSurviveARestart)
{
    placeAll(60);
    saveFormation("Bunt D");
    saveFormation("Bunt D"); // duplicate names are allowed
    // Written when saved, not only at close: a crash now loses nothing.
    IniSettingsStore reader;
    EXPECT_EQ(reader.read("Formations", "Count"), "2");
    EXPECT_EQ(reader.read("Formations", "Name2"), "Bunt D");
    EXPECT_EQ(reader.read("Formations", "PlyX11"), "60");
    EXPECT_EQ(reader.read("Formations", "PlyY120"), "109");
    deleteFormation(1);
    EXPECT_EQ(IniSettingsStore().read("Formations", "Count"), "1");

    restart();
    EXPECT_EQ(shown("MnuFormValue%1"), QStringList{"Bunt D"});
    EXPECT_EQ(shown("MnuFormDel%1"), QStringList{"Bunt D"});
    EXPECT_TRUE(submenu("mnuFormSelect")->isEnabled());
    item("MnuFormValue1")->trigger();
    EXPECT_EQ(frame().OPlayerX[3], 63.f);
    EXPECT_EQ(frame().DPlayerY[9], 109.f);
}

TEST_F(MenuTest, AStoredCountAboveTenShowsTenItems)
{
    for (int f = 1; f <= 10; ++f)
        saveFormation(QString("F%1").arg(f));
    store.write("Formations", "Count", "11");
    store.write("Formations", "Name11", "Eleven");
    store.sync();
    window.reset();
    open();
    EXPECT_EQ(shown("MnuFormValue%1").size(), 10);
    EXPECT_EQ(shown("MnuFormValue%1").last(), "F10");
    saveFormation("F11");
    EXPECT_EQ(platform.messages().last().text, kFull);
}

TEST_F(MenuTest, SoftballAndNeverSavedUserSets)
{
    window->document().markSaved();
    item("mnuLabSelect1")->trigger();
    EXPECT_EQ(labels(1), (QStringList{"P", "C", "1B", "2B", "3B", "SS", "RF", "RCF", "LCF", "LF"}));
    EXPECT_EQ(labels(0), (QStringList{"B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8", "B9", "B10"}));
    EXPECT_EQ(window->prefs().DPLabel[7], "RCF");
    EXPECT_TRUE(window->document().isModified());

    item("mnuLabSelect0")->trigger();
    EXPECT_EQ(window->prefs().DPLabel[9], "Sp");

    item("mnuLabSelect4")->trigger(); // "User Set3"
    const QStringList numbers = {" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", " 10"};
    EXPECT_EQ(labels(0), numbers);
    EXPECT_EQ(labels(1), numbers);
    EXPECT_EQ(window->prefs().OPLabel[9], " 10");
}

TEST_F(MenuTest, ASavedLabelSetComesBackAfterARestart)
{
    window->toolPalette()->TxtOplyr[0]->setText("Ace");
    window->toolPalette()->TxtDplyr[9]->setText("Rover");
    window->document().markSaved();
    item("mnuLabSave2")->trigger(); // "User Set2" is set 3
    EXPECT_TRUE(window->document().isModified());
    EXPECT_EQ(window->prefs().OPDef[3][0], "Ace");
    item("mnuLabSelect1")->trigger();
    restart();
    EXPECT_EQ(store.read("PLAYER", "OPDef3Lab0"), "Ace");
    EXPECT_EQ(store.read("PLAYER", "DPDef3Lab9"), "Rover");
    EXPECT_EQ(labels(1)[9], "LF");
    item("mnuLabSelect3")->trigger();
    EXPECT_EQ(labels(0)[0], "Ace");
    EXPECT_EQ(labels(1)[9], "Rover");
    EXPECT_EQ(labels(1)[0], "P"); // as the palette showed it when saved
}

// The Properties command, run with the user's actions inside the modal dialog.
class PropertiesTest : public MenuTest
{
protected:
    void withDialog(std::function<void(frmOptions &)> act)
    {
        QTimer::singleShot(0, [act] {
            auto *dialog = qobject_cast<frmOptions *>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "the Properties dialog is not open";
                if (QWidget *modal = QApplication::activeModalWidget())
                    modal->close();
                return;
            }
            act(*dialog);
        });
        window->menuItem("mnuOPreferences")->trigger();
    }
};

TEST_F(PropertiesTest, OkMarksThePlayAndTheWindowTakesTheNewLooks)
{
    EXPECT_TRUE(window->menuItem("mnuOPreferences")->isEnabled());
    EXPECT_TRUE(window->toolbarButton("Properties")->isEnabled());
    window->document().markSaved();
    platform.queueColor(QColor(0, 0, 255));
    withDialog([](frmOptions &d) {
        d.CboLinetype[0]->setCurrentIndex(6);
        d.LblActcolr[0]->click();
        d.TxtAction[0]->setText("Sweep");
        d.cmdOK->click();
    });
    EXPECT_TRUE(window->document().isModified());
    EXPECT_EQ(window->toolPalette()->Tracerlbl[0]->text(), "Sweep");
    EXPECT_EQ(window->toolPalette()->TRACERLine[0]->lineWidth(), 6);
    EXPECT_EQ(window->toolPalette()->TRACERLine[0]->color(), QColor(0, 0, 255));

    // The current frame is drawn with the new looks: a very thick blue action line.
    frame().ActionSX[0] = 50, frame().ActionSY[0] = 200;
    frame().ActionEX[0] = 300, frame().ActionEY[0] = 200;
    window->DrawSelected();
    const QImage image = window->surface()->image();
    int blue = 0;
    for (int y = 190; y <= 210; ++y)
        blue += image.pixelColor(150, y) == QColor(0, 0, 255);
    EXPECT_EQ(blue, 6);
}

TEST_F(PropertiesTest, CancelKeepsTheChangesWithoutMarkingThePlay)
{
    window->document().markSaved();
    withDialog([](frmOptions &d) {
        d.OptDSize[0]->click();
        d.cmdCancel->click();
    });
    EXPECT_FALSE(window->document().isModified());
    EXPECT_EQ(window->prefs().PlayerSize[1], 10);
}

TEST_F(PropertiesTest, ANewPictureForTheShownSurfaceIsShownAfterTheDialog)
{
    const QString other = QString(KINETRA_PROGRAM_DIR) + "/Surface2.BMP";
    platform.queueText(other);
    withDialog([](frmOptions &d) {
        d.CmdPicChg[0]->click();
        d.cmdOK->click();
    });
    EXPECT_EQ(window->prefs().PicFile[0], other.toStdString());
    window->document().frames().currentFrame() = PlayConfig();
    window->DrawSelected();
    const QImage shown = window->surface()->image();
    const QImage picture(other);
    ASSERT_EQ(shown.size(), picture.size());
    // A blank frame leaves the field picture as it is, but for a stray pixel or two.
    EXPECT_LT(test::differingPixels(shown, picture), 10);
    EXPECT_GT(test::differingPixels(shown, QImage(QString(KINETRA_PROGRAM_DIR) + "/Surface0.BMP")),
              1000);
}

} // namespace
} // namespace kinetra
