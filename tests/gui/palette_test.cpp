// The palette: its controls and texts, how the preferences fill it, and what its buttons,
// boxes and lists do to the play, the surface and the modified mark.

#include "editingwindow.h"
#include "imagecheck.h"

#include "surface/dragpicture.h"
#include "surface/labelbox.h"
#include "surface/linesample.h"
#include "surface/playediting.h"
#include "surface/shapesample.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kinetra {
namespace {

using test::EditingWindow;

class PaletteTest : public testing::Test, public EditingWindow
{
protected:
    ToolPalette &palette() { return *window->toolPalette(); }
};

class OpenPaletteTest : public PaletteTest
{
protected:
    void SetUp() override
    {
        open();
        window->document().markSaved();
    }
};

TEST_F(OpenPaletteTest, ControlsCarryTheirTexts)
{
    const std::vector<std::pair<QString, QString>> texts = {
        {"LblOffense", "Offense"},          {"LblDefense", "Defense"},
        {"LblActive", "Active Player"},     {"Lblhide", "Hide Player"},
        {"CmdClrActive", "Clear"},          {"CmdActionClr4", "Clear"},
        {"LblChalk", "Chalk Parameters"},   {"LblChalkSize", "Chalk Line Size"},
        {"LblChalkType", "Chalk Line Type"}, {"CmdChalkcolr", "&Chalk Color "},
        {"CmdChalkClr", "&Erase Chalk"}};
    for (const auto &[name, text] : texts) {
        QWidget *w = window->findChild<QWidget *>(name);
        ASSERT_NE(w, nullptr) << name.toStdString();
        const QString shown = qobject_cast<QLabel *>(w) ? qobject_cast<QLabel *>(w)->text()
                                                        : qobject_cast<QPushButton *>(w)->text();
        EXPECT_EQ(shown, text) << name.toStdString();
    }
    EXPECT_EQ(palette().ImgActive->toolTip(), "Drag and drop onto active player.");
    QStringList sizes, types;
    for (int i = 0; i < palette().CboChalksize->count(); ++i)
        sizes << palette().CboChalksize->itemText(i);
    for (int i = 0; i < palette().CboChalktype->count(); ++i)
        types << palette().CboChalktype->itemText(i);
    EXPECT_EQ(sizes, (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(types, (QStringList{"Solid", "Dash", "Dot", "Dash-dot"}));
    EXPECT_EQ(palette().PicList[1]->toolTip(), "Drag and drop symbols and text onto field");
}

TEST_F(OpenPaletteTest, ControlsStayInsideTheirPageAndClearOfEachOther)
{
    for (QWidget *page : palette().PicList) {
        std::vector<QWidget *> controls;
        for (QObject *child : page->children())
            if (auto *w = qobject_cast<QWidget *>(child))
                controls.push_back(w);
        ASSERT_GT(controls.size(), 5u) << page->objectName().toStdString();
        for (size_t i = 0; i < controls.size(); ++i) {
            const QRect r = controls[i]->geometry();
            EXPECT_TRUE(page->rect().contains(r))
                << controls[i]->objectName().toStdString() << " leaves "
                << page->objectName().toStdString();
            for (size_t j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(r.intersects(controls[j]->geometry()))
                    << controls[i]->objectName().toStdString() << " covers "
                    << controls[j]->objectName().toStdString();
        }
    }
}

TEST_F(PaletteTest, SetUpFillsThePaletteFromThePreferences)
{
    store.write("PLAYER", "OPShape", "1");
    store.write("PLAYER", "OPBcolr", "255");     // red border
    store.write("PLAYER", "OPFcolr", "65280");   // green fill
    store.write("PLAYER", "DPFcolr", "16711680"); // blue fill
    store.write("PLAYER", "OPLabel3", "SS");
    store.write("PLAYER", "DPLabel9", "LF");
    store.write("Action", "Label6", "Bunt");
    store.write("Action", "Type6", "3");          // dot
    store.write("Action", "Size6", "6");
    store.write("Action", "Color6", "16776960");  // cyan
    store.write("Settings", "FontSize", "14");
    store.write("Settings", "FontBold", "True");
    store.write("Settings", "Fontcolor", "32768");
    open();

    EXPECT_EQ(palette().shaOPlayer->shape(), 1);
    EXPECT_EQ(palette().shaOPlayer->borderColor(), QColor(255, 0, 0));
    EXPECT_EQ(palette().shaOPlayer->fillColor(), QColor(0, 255, 0));
    EXPECT_EQ(palette().shaDPlayer->shape(), 3);
    EXPECT_EQ(palette().shaDPlayer->fillColor(), QColor(0, 0, 255));
    EXPECT_EQ(palette().TxtOplyr[3]->text(), "SS");
    EXPECT_EQ(palette().TxtDplyr[9]->text(), "LF");
    EXPECT_EQ(palette().Tracerlbl[6]->text(), "Bunt");
    EXPECT_EQ(palette().TRACERLine[6]->lineStyle(), 2); // the surface's dot
    EXPECT_EQ(palette().TRACERLine[6]->lineWidth(), 6);
    EXPECT_EQ(palette().TRACERLine[6]->color(), QColor(0, 255, 255));
    for (QLineEdit *box : palette().TxtSymbol) {
        EXPECT_EQ(box->font().pointSize(), 14);
        EXPECT_TRUE(box->font().bold());
        EXPECT_EQ(box->palette().color(QPalette::Text), QColor(0, 128, 0));
        EXPECT_GE(box->height(), box->fontMetrics().height());
    }
    for (int k = 0; k < 8; ++k) {
        ASSERT_FALSE(window->symbolPicture(k).isNull());
        EXPECT_EQ(window->looks().symbols[size_t(k)], window->symbolPicture(k)) << k;
        // The box's tip and the printed legend call the symbol alike.
        EXPECT_FALSE(palette().ImgSymbols[size_t(k)]->toolTip().isEmpty()) << k;
        EXPECT_EQ(window->looks().symbolNames[size_t(k)], palette().ImgSymbols[size_t(k)]->toolTip());
    }
    EXPECT_EQ(palette().ImgSymbols[0]->toolTip(), "Ball");
    EXPECT_FALSE(window->document().isModified()) << "filling the palette is no edit";
    // Chalk starts solid and one pixel wide.
    EXPECT_EQ(palette().CboChalksize->currentIndex(), 0);
    EXPECT_EQ(palette().CboChalktype->currentIndex(), 0);
    EXPECT_EQ(palette().ChalkLine->lineWidth(), 1);
    EXPECT_EQ(palette().ChalkLine->lineStyle(), 0);
}

TEST_F(OpenPaletteTest, ThePlaysLabelsShowInThePaletteAndOnTheField)
{
    frame().OPlayerX[2] = 100;
    frame().OPlayerY[2] = 100;
    window->DrawSelected();
    const QImage before = image();
    PlayLooks looks = window->document().looks();
    looks.labels.offense[2] = "CF";
    window->document().setLooks(looks);
    EXPECT_EQ(palette().TxtOplyr[2]->text(), "CF");
    EXPECT_EQ(window->prefs().OPLabel[2], "CF") << "a new play starts with them";
    EXPECT_NE(image(), before) << "the surface shows the new label";
    EXPECT_TRUE(window->document().isModified());
}

TEST_F(OpenPaletteTest, EditingALabelRedrawsAndMarksThePlay)
{
    frame().DPlayerX[5] = 100;
    frame().DPlayerY[5] = 100;
    window->DrawSelected();
    const QImage before = image();
    palette().TxtDplyr[5]->setFocus();
    QTest::keyClicks(palette().TxtDplyr[5], "X");
    EXPECT_EQ(window->prefs().DPLabel[5], "SSX");
    EXPECT_NE(image(), before);
    EXPECT_TRUE(window->document().isModified());
}

TEST_F(OpenPaletteTest, LabelChangesWhileDrawingIsSuppressedDoNothing)
{
    const QImage before = image();
    window->editing().setDrawingSuppressed(true);
    palette().TxtOplyr[0]->setText("P1");
    window->editing().setDrawingSuppressed(false);
    EXPECT_EQ(window->prefs().OPLabel[0], "B1");
    EXPECT_FALSE(window->document().isModified());
    EXPECT_EQ(image(), before);
}

TEST_F(OpenPaletteTest, HideBoxHidesTheActivePlayerAndItsMarkButChangesNoFrame)
{
    frame().OPlayerX[3] = 100;
    frame().OPlayerY[3] = 100;
    frame().ActivePlyr = 3;
    window->DrawSelected();
    const PlayConfig before = frame();
    palette().ChkActiveOff[3]->click();
    const QImage hidden = image();
    EXPECT_EQ(frame(), before);
    EXPECT_FALSE(window->document().isModified());

    palette().ChkActiveOff[3]->click();
    frame().OPlayerX[3] = 0;
    window->DrawSelected();
    EXPECT_EQ(image(), hidden) << "hidden looks exactly like absent";
}

struct CommandCase
{
    const char *name;
    std::function<void(frmMain &, FakePlatform &)> run;
    bool marks;
};

void PrintTo(const CommandCase &c, std::ostream *os)
{
    *os << c.name;
}

class ModifiedMarkTest : public OpenPaletteTest, public testing::WithParamInterface<CommandCase>
{};

TEST_P(ModifiedMarkTest, OnlyEditsOfThePlayMarkIt)
{
    GetParam().run(*window, platform);
    EXPECT_EQ(window->document().isModified(), GetParam().marks);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ModifiedMarkTest,
    testing::Values(
        CommandCase{"OffenceLabel", [](frmMain &w, FakePlatform &) {
            w.toolPalette()->TxtOplyr[1]->setText("LF"); }, true},
        CommandCase{"DefenceLabel", [](frmMain &w, FakePlatform &) {
            w.toolPalette()->TxtDplyr[8]->setText("C"); }, true},
        CommandCase{"ClearActionLinesNotOnTheSurface", [](frmMain &w, FakePlatform &) {
            w.DrawSelected();
            w.toolPalette()->CmdActionClr[7]->click(); }, false},
        CommandCase{"HideBox", [](frmMain &w, FakePlatform &) {
            w.toolPalette()->ChkActiveDef[0]->click(); }, false},
        CommandCase{"ClearActivePlayer", [](frmMain &w, FakePlatform &) {
            w.document().frames().currentFrame().ActivePlyr = 4;
            w.document().markSaved();
            w.toolPalette()->CmdClrActive->click(); }, true},
        CommandCase{"ClearActivePlayerWhenThereIsNone", [](frmMain &w, FakePlatform &) {
            w.toolPalette()->CmdClrActive->click(); }, false},
        CommandCase{"EraseChalk", [](frmMain &w, FakePlatform &) {
            w.toolPalette()->CmdChalkClr->click(); }, false},
        CommandCase{"SelectActionLine", [](frmMain &w, FakePlatform &) {
            w.toolPalette()->OptActionSel[3]->click(); }, false},
        CommandCase{"ChalkSize", [](frmMain &w, FakePlatform &) {
            w.toolPalette()->CboChalksize->setCurrentIndex(4); }, false},
        CommandCase{"ChalkType", [](frmMain &w, FakePlatform &) {
            w.toolPalette()->CboChalktype->setCurrentIndex(2); }, false},
        CommandCase{"ChalkColour", [](frmMain &w, FakePlatform &p) {
            p.queueColor(QColor(Qt::yellow));
            w.toolPalette()->CmdChalkcolr->click(); }, false},
        CommandCase{"ChangePage", [](frmMain &w, FakePlatform &) {
            w.toolPalette()->tbsPicList->setCurrentIndex(2); }, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(OpenPaletteTest, ClearActivePlayerRemovesTheMark)
{
    frame().OPlayerX[6] = 100;
    frame().OPlayerY[6] = 100;
    window->DrawSelected();
    const QImage unmarked = image();
    frame().ActivePlyr = 6;
    window->DrawSelected();
    ASSERT_NE(image(), unmarked);
    palette().CmdClrActive->click();
    EXPECT_EQ(frame().ActivePlyr, 20);
    EXPECT_EQ(image(), unmarked);
}

TEST_F(OpenPaletteTest, ClearingAnActionKindTakesEveryLineOfItOffTheSurface)
{
    window->DrawSelected();
    const QImage bare = image();
    frame().ActionSX[4] = 50;
    frame().ActionSY[4] = 60;
    frame().ActionEX[4] = 250;
    frame().ActionEY[4] = 160;
    ASSERT_TRUE(frame().addActionLine(4, {60, 300}, {200, 300}, {{130, 250}}));
    window->DrawSelected();
    ASSERT_NE(image(), bare);
    palette().CmdActionClr[4]->click();
    EXPECT_EQ(frame().actionLineCount(4), 0);
    EXPECT_TRUE(frame().ActionPaths.empty());
    EXPECT_EQ(frame().ActionSX[4], 0);
    EXPECT_EQ(frame().ActionSY[4], 0);
    EXPECT_EQ(frame().ActionEX[4], 0);
    EXPECT_EQ(frame().ActionEY[4], 0);
    EXPECT_EQ(image(), bare);
    EXPECT_TRUE(platform.messages().isEmpty());
}

struct ChalkCase
{
    const char *name;
    int sizeBefore, typeBefore; // list positions set first
    bool chooseType;            // then the user picks in the type list (else the size list)
    int chosen;
    int sizeAfter, typeAfter;
};

void PrintTo(const ChalkCase &c, std::ostream *os)
{
    *os << c.name;
}

class ChalkListsTest : public OpenPaletteTest, public testing::WithParamInterface<ChalkCase>
{};

TEST_P(ChalkListsTest, ABrokenChalkIsThinAndAWideOneSolid)
{
    const ChalkCase &c = GetParam();
    palette().CboChalksize->setCurrentIndex(c.sizeBefore);
    palette().CboChalktype->setCurrentIndex(c.typeBefore);
    (c.chooseType ? palette().CboChalktype : palette().CboChalksize)->setCurrentIndex(c.chosen);
    EXPECT_EQ(palette().CboChalksize->currentIndex(), c.sizeAfter);
    EXPECT_EQ(palette().CboChalktype->currentIndex(), c.typeAfter);
    EXPECT_EQ(palette().ChalkLine->lineWidth(), c.sizeAfter + 1);
    EXPECT_EQ(palette().ChalkLine->lineStyle(), c.typeAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Coupling, ChalkListsTest,
    testing::Values(ChalkCase{"DashResetsSize4To1", 3, 0, true, 1, 0, 1},
                    ChalkCase{"Size3ResetsDotToSolid", 0, 2, false, 2, 2, 0},
                    ChalkCase{"Size1KeepsDot", 0, 2, false, 0, 0, 2},
                    ChalkCase{"SolidKeepsSize5", 4, 0, true, 0, 4, 0},
                    ChalkCase{"DashDotWhileThin", 0, 0, true, 3, 0, 3},
                    ChalkCase{"Size6WhileSolid", 0, 0, false, 5, 5, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(OpenPaletteTest, ChalkColourIsTakenOnlyWhenConfirmed)
{
    const QColor start = palette().ChalkLine->color();
    EXPECT_EQ(start, palette().ChalkLine->palette().color(QPalette::WindowText));
    palette().CmdChalkcolr->click(); // the user cancels
    EXPECT_EQ(palette().ChalkLine->color(), start);
    platform.queueColor(QColor(10, 200, 30));
    palette().CmdChalkcolr->click();
    EXPECT_EQ(palette().ChalkLine->color(), QColor(10, 200, 30));
    EXPECT_TRUE(platform.messages().isEmpty());
}

} // namespace
} // namespace kinetra
