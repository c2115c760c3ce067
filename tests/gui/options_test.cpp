// The Properties dialog on its own: how it fills its controls from the preference record, what
// each control writes back, its keys and its choosers.

#include "prefs/inisettingsstore.h"
#include "prefs/preferencestore.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"
#include "support/tempsettings.h"
#include "surface/colors.h"
#include "surface/linesample.h"
#include "surface/shapesample.h"
#include "surface/twips.h"
#include "windows/frmoptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace kinetra {
namespace {

const QString kProgramDir = KINETRA_PROGRAM_DIR;

class OptionsTest : public testing::Test
{
protected:
    OptionsTest()
    {
        TempSettings settings;
        loadPreferences(IniSettingsStore(), prefs, kProgramDir);
        // Plain black arrows, so a case sees exactly the one look it changes.
        prefs.ActionColor.fill(0);
        prefs.ActionEndType.fill(0);
    }

    std::unique_ptr<frmOptions> open()
    {
        auto dialog = std::make_unique<frmOptions>(prefs, platform, kProgramDir);
        dialog->show();
        QApplication::processEvents();
        return dialog;
    }

    int messageCount() const { return int(platform.messages().size()); }

    Preferences prefs;
    FakePlatform platform;
};

TEST_F(OptionsTest, FormLoadFillsEveryControlFromTheRecord)
{
    prefs.PlayerSize = {10, 17};
    prefs.PlayerShape = {1, 3};
    prefs.PlayerFcolr = {0x0000FF, 0x00FF00};
    prefs.PlayerBcolr = {0xFF0000, 0x808080};
    prefs.PlayerTcolr = {0x123456, 0x654321};
    prefs.Picbkg = 2;
    prefs.SymbolFile[3] = (kProgramDir + "/Sym7.bmp").toStdString();
    prefs.FontName = "DejaVu Serif";
    prefs.FontSize = 14;
    prefs.FontItalic = true;
    prefs.Fontcolor = 0x0000FF;
    for (size_t n = 0; n < 8; ++n) {
        prefs.ActionLabel[n] = "Run " + std::to_string(n);
        prefs.ActionColor[n] = int32_t(n * 1000);
        prefs.ActionEndType[n] = int16_t(n % 3);
        prefs.ActionFollowsBases[n] = n % 3 == 1;
    }
    // Styles as stored: the last three are none of the list's own and are shown as an extra
    // entry each, named for what they are; the record keeps all of them as they were.
    prefs.ActionType = {1, 2, 3, 4, 5, 2, 4, 3};
    prefs.ActionSize = {1, 1, 1, 1, 1, 3, 2, 6};
    const std::array<int, 8> entry = {0, 1, 2, 3, 4, 7, 7, 7};
    const std::array<const char *, 8> caption = {"Thin", "Dash", "Dot", "Dash-dot", "Dash-dot-dot",
                                                 "Dash, width 3", "Dash-dot, width 2",
                                                 "Dot, width 6"};
    const std::array<int16_t, 8> type = prefs.ActionType;
    const std::array<int16_t, 8> size = prefs.ActionSize;

    auto d = open();
    EXPECT_EQ(d->windowTitle(), "Options");
    EXPECT_TRUE(d->OptOSize[0]->isChecked());
    EXPECT_TRUE(d->OptDSize[2]->isChecked());
    EXPECT_TRUE(d->OptOshape[1]->isChecked());
    EXPECT_TRUE(d->OptDshape[3]->isChecked());
    EXPECT_EQ(d->OptOshape[1]->text(), "Square");
    EXPECT_EQ(d->OptDshape[3]->text(), "Circle");
    EXPECT_LT(d->ShaPopt[0]->width(), d->ShaPopt[1]->width());
    EXPECT_EQ(d->ShaPopt[0]->shape(), 1);
    EXPECT_EQ(d->ShaPopt[0]->fillColor(), colorFromRgbInt(0x0000FF));
    EXPECT_EQ(d->ShaPopt[1]->borderColor(), colorFromRgbInt(0x808080));
    const std::array<int32_t, 6> swatch = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0x123456, 0x654321};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(d->LblPcolr[i]->color(), colorFromRgbInt(swatch[i])) << i;
    EXPECT_TRUE(d->OptPicBkg[2]->isChecked());
    EXPECT_EQ(d->ImgSymbols[3]->picture(), QImage(kProgramDir + "/Sym7.bmp"));
    EXPECT_EQ(d->ImgSymbols[0]->picture(), QImage(kProgramDir + "/Sym1.bmp"));
    EXPECT_EQ(d->TxtFont->text(), "DejaVu Serif");
    EXPECT_EQ(d->TxtFont->font().family(), "DejaVu Serif");
    EXPECT_EQ(d->TxtFont->font().pointSize(), 14);
    EXPECT_TRUE(d->TxtFont->font().italic());
    EXPECT_EQ(d->TxtFont->palette().color(QPalette::Text), QColor(255, 0, 0));
    for (size_t n = 0; n < 8; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(d->Label3[n]->text(), QString::number(n + 1));
        EXPECT_EQ(d->TxtAction[n]->text(), QString("Run %1").arg(n));
        EXPECT_EQ(d->CboLinetype[n]->currentIndex(), entry[n]);
        EXPECT_EQ(d->CboLinetype[n]->currentText(), caption[n]);
        EXPECT_EQ(prefs.ActionType[n], type[n]);
        EXPECT_EQ(prefs.ActionSize[n], size[n]);
        EXPECT_EQ(d->LnAction[n]->lineStyle(), type[n] - 1);
        EXPECT_EQ(d->LnAction[n]->lineWidth(), size[n]);
        EXPECT_EQ(d->LnAction[n]->color(), colorFromRgbInt(int32_t(n * 1000)));
        EXPECT_EQ(d->LblActcolr[n]->color(), colorFromRgbInt(int32_t(n * 1000)));
        EXPECT_TRUE(d->OptEnd[n][n % 3]->isChecked());
        EXPECT_EQ(d->ChkFollowsBases[n]->isChecked(), n % 3 == 1);
        EXPECT_EQ(prefs.ActionFollowsBases[n], n % 3 == 1);
    }
    QStringList entries;
    for (int i = 0; i < d->CboLinetype[0]->count(); ++i)
        entries << d->CboLinetype[0]->itemText(i);
    EXPECT_EQ(entries, (QStringList{"Thin", "Dash", "Dot", "Dash-dot", "Dash-dot-dot", "Thick",
                                    "Very Thick"}));
    EXPECT_EQ(d->tbsOptions->currentIndex(), 0);
    EXPECT_TRUE(d->picOptions[0]->isVisible());
    EXPECT_FALSE(d->picOptions[1]->isVisible());
}

TEST_F(OptionsTest, ASizeOutsideTheOptionsSelectsNoneAndIsKept)
{
    prefs.PlayerSize = {12, 15};
    auto d = open();
    for (QRadioButton *option : d->OptOSize)
        EXPECT_FALSE(option->isChecked());
    EXPECT_TRUE(d->OptDSize[1]->isChecked());
    d->cmdCancel->click();
    EXPECT_EQ(prefs.PlayerSize[0], 12);
}

TEST_F(OptionsTest, OkAndCancelBothKeepTheChanges)
{
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        platform.queueColor(QColor(0, 0, 255));
        auto d = open();
        d->LblPcolr[0]->click();
        d->CboLinetype[2]->setCurrentIndex(6);
        d->ChkFollowsBases[5]->click();
        (ok ? d->cmdOK : d->cmdCancel)->click();
        EXPECT_EQ(d->result(), ok ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(prefs.PlayerFcolr[0], 16711680);
        EXPECT_EQ(prefs.ActionSize[2], 6);
        EXPECT_TRUE(prefs.ActionFollowsBases[5]);
        prefs.PlayerFcolr[0] = 0;
        prefs.ActionFollowsBases[5] = false;
    }
}

// One change handler: what the user does to the open dialog, and what the record then holds.
struct HandlerCase
{
    const char *name;
    std::function<void(frmOptions &, FakePlatform &)> act;
    std::function<void(const Preferences &, frmOptions &)> check;
};

class OptionsHandler : public OptionsTest, public testing::WithParamInterface<HandlerCase>
{};

TEST_P(OptionsHandler, WritesTheRecordAtOnce)
{
    auto d = open();
    GetParam().act(*d, platform);
    GetParam().check(prefs, *d);
}

const QColor kPicked(10, 20, 30); // stored as 30 * 65536 + 20 * 256 + 10
const int32_t kPickedValue = 1971210;

INSTANTIATE_TEST_SUITE_P(
    Controls, OptionsHandler,
    testing::Values(
        HandlerCase{"OffenceSmall", [](frmOptions &d, FakePlatform &) { d.OptOSize[0]->click(); },
                    [](const Preferences &p, frmOptions &d) {
                        EXPECT_EQ(p.PlayerSize[0], 10);
                        EXPECT_EQ(d.ShaPopt[0]->width(), twipsToPixels(200));
                    }},
        HandlerCase{"DefenceLarge", [](frmOptions &d, FakePlatform &) { d.OptDSize[2]->click(); },
                    [](const Preferences &p, frmOptions &) {
                        EXPECT_EQ(p.PlayerSize, (std::array<int16_t, 2>{15, 17}));
                    }},
        HandlerCase{"OffenceSquare", [](frmOptions &d, FakePlatform &) { d.OptOshape[1]->click(); },
                    [](const Preferences &p, frmOptions &d) {
                        EXPECT_EQ(p.PlayerShape, (std::array<int16_t, 2>{1, 3}));
                        EXPECT_EQ(d.ShaPopt[0]->shape(), 1);
                    }},
        HandlerCase{"DefenceFill",
                    [](frmOptions &d, FakePlatform &f) { f.queueColor(kPicked), d.LblPcolr[1]->click(); },
                    [](const Preferences &p, frmOptions &d) {
                        EXPECT_EQ(p.PlayerFcolr, (std::array<int32_t, 2>{16777215, kPickedValue}));
                        EXPECT_EQ(d.ShaPopt[1]->fillColor(), kPicked);
                        EXPECT_EQ(d.LblPcolr[1]->color(), kPicked);
                    }},
        HandlerCase{"OffenceBorder",
                    [](frmOptions &d, FakePlatform &f) { f.queueColor(kPicked), d.LblPcolr[2]->click(); },
                    [](const Preferences &p, frmOptions &d) {
                        EXPECT_EQ(p.PlayerBcolr, (std::array<int32_t, 2>{kPickedValue, 0}));
                        EXPECT_EQ(d.ShaPopt[0]->borderColor(), kPicked);
                    }},
        HandlerCase{"DefenceText",
                    [](frmOptions &d, FakePlatform &f) { f.queueColor(kPicked), d.LblPcolr[5]->click(); },
                    [](const Preferences &p, frmOptions &) {
                        EXPECT_EQ(p.PlayerTcolr, (std::array<int32_t, 2>{0, kPickedValue}));
                    }},
        HandlerCase{"Surface3", [](frmOptions &d, FakePlatform &) { d.OptPicBkg[3]->click(); },
                    [](const Preferences &p, frmOptions &) { EXPECT_EQ(p.Picbkg, 3); }},
        HandlerCase{"Surface2Picture",
                    [](frmOptions &d, FakePlatform &f) {
                        f.queueText("  " + kProgramDir + "/Surface3.BMP ");
                        d.CmdPicChg[2]->click();
                    },
                    [](const Preferences &p, frmOptions &) {
                        EXPECT_EQ(p.PicFile[2], (kProgramDir + "/Surface3.BMP").toStdString());
                        EXPECT_EQ(p.Picbkg, 0); // the field shown stays
                    }},
        HandlerCase{"Symbol5Picture",
                    [](frmOptions &d, FakePlatform &f) {
                        f.queueText(kProgramDir + "/Sym2.bmp");
                        d.ImgSymbols[5]->click();
                    },
                    [](const Preferences &p, frmOptions &d) {
                        EXPECT_EQ(p.SymbolFile[5], (kProgramDir + "/Sym2.bmp").toStdString());
                        EXPECT_EQ(d.ImgSymbols[5]->picture(), QImage(kProgramDir + "/Sym2.bmp"));
                    }},
        HandlerCase{"Font",
                    [](frmOptions &d, FakePlatform &f) {
                        QFont font("DejaVu Sans Mono");
                        font.setPointSizeF(10.5);
                        font.setBold(true);
                        font.setUnderline(true);
                        font.setStrikeOut(true);
                        f.queueFont(font, kPicked);
                        d.CmdChgfont->click();
                    },
                    [](const Preferences &p, frmOptions &d) {
                        EXPECT_EQ(p.FontName, "DejaVu Sans Mono");
                        EXPECT_EQ(p.FontSize, 10); // 10.5 rounds half to even
                        EXPECT_TRUE(p.FontBold && p.FontUnderline && p.FontStrikethrough);
                        EXPECT_FALSE(p.FontItalic);
                        EXPECT_EQ(p.Fontcolor, kPickedValue);
                        EXPECT_EQ(d.TxtFont->text(), "DejaVu Sans Mono");
                        EXPECT_TRUE(d.TxtFont->font().strikeOut());
                        EXPECT_EQ(d.TxtFont->palette().color(QPalette::Text), kPicked);
                    }},
        HandlerCase{"ActionName",
                    [](frmOptions &d, FakePlatform &) {
                        d.TxtAction[6]->setFocus();
                        d.TxtAction[6]->selectAll();
                        QTest::keyClicks(d.TxtAction[6], "Steal");
                    },
                    [](const Preferences &p, frmOptions &) { EXPECT_EQ(p.ActionLabel[6], "Steal"); }},
        HandlerCase{"ThickDash",
                    [](frmOptions &d, FakePlatform &) {
                        d.CboLinetype[1]->setCurrentIndex(1);
                        d.CboLinetype[1]->setCurrentIndex(5);
                    },
                    [](const Preferences &p, frmOptions &d) {
                        EXPECT_EQ(p.ActionType[1], 1);
                        EXPECT_EQ(p.ActionSize[1], 3);
                        EXPECT_EQ(d.LnAction[1]->lineStyle(), 0);
                        EXPECT_EQ(d.LnAction[1]->lineWidth(), 3);
                    }},
        HandlerCase{"DashDotDot",
                    [](frmOptions &d, FakePlatform &) { d.CboLinetype[7]->setCurrentIndex(4); },
                    [](const Preferences &p, frmOptions &d) {
                        EXPECT_EQ(p.ActionType[7], 5);
                        EXPECT_EQ(p.ActionSize[7], 1);
                        EXPECT_EQ(d.LnAction[7]->lineStyle(), 4);
                    }},
        HandlerCase{"ActionColour",
                    [](frmOptions &d, FakePlatform &f) { f.queueColor(kPicked), d.LblActcolr[3]->click(); },
                    [](const Preferences &p, frmOptions &d) {
                        EXPECT_EQ(p.ActionColor[3], kPickedValue);
                        EXPECT_EQ(p.ActionColor[2], 0);
                        EXPECT_EQ(d.LnAction[3]->color(), kPicked);
                    }},
        HandlerCase{"EndBar", [](frmOptions &d, FakePlatform &) { d.OptEnd[4][1]->click(); },
                    [](const Preferences &p, frmOptions &) {
                        EXPECT_EQ(p.ActionEndType, (std::array<int16_t, 8>{0, 0, 0, 0, 1, 0, 0, 0}));
                    }},
        HandlerCase{"FollowBasePath",
                    [](frmOptions &d, FakePlatform &) {
                        d.ChkFollowsBases[0]->click(); // Run, on at first start
                        d.ChkFollowsBases[3]->click();
                    },
                    [](const Preferences &p, frmOptions &) {
                        EXPECT_EQ(p.ActionFollowsBases,
                                  (std::array<bool, 8>{false, false, false, true, false, false,
                                                       true, false}));
                    }}),
    [](const testing::TestParamInfo<HandlerCase> &info) { return std::string(info.param.name); });

TEST_F(OptionsTest, CtrlTabCyclesThePagesBothWays)
{
    auto d = open();
    d->activateWindow();
    d->TxtFont->setFocus();
    QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : d.get();
    std::vector<int> forward, backward;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(focus, Qt::Key_Tab, Qt::ControlModifier);
        forward.push_back(d->tbsOptions->currentIndex());
    }
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(focus, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        backward.push_back(d->tbsOptions->currentIndex());
    }
    EXPECT_EQ(forward, (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(backward, (std::vector<int>{3, 2, 1, 0}));
    // The page follows its tab.
    d->tbsOptions->setCurrentIndex(3);
    EXPECT_TRUE(d->picOptions[3]->isVisible());
    EXPECT_FALSE(d->picOptions[0]->isVisible());
    // Plain Tab moves the focus, not the page.
    QTest::keyClick(d->CboLinetype[4], Qt::Key_Tab);
    EXPECT_EQ(d->tbsOptions->currentIndex(), 3);
}

// Every row of an Actions page carries the same letter: each Alt+B takes the focus to the next
// row's box without ticking it, so the letter clashes with nothing else on the page.
TEST_F(OptionsTest, AltBStepsThroughTheFollowBasePathBoxes)
{
    auto d = open();
    d->activateWindow();
    if (!QTest::qWaitForWindowActive(d.get()))
        GTEST_SKIP() << "this platform cannot activate windows";
    d->tbsOptions->setCurrentIndex(3);
    const std::array<bool, 8> before = prefs.ActionFollowsBases;
    std::vector<QWidget *> focused;
    for (int press = 0; press < 5; ++press) {
        QTest::keyClick(d.get(), Qt::Key_B, Qt::AltModifier);
        focused.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(focused, (std::vector<QWidget *>{d->ChkFollowsBases[4], d->ChkFollowsBases[5],
                                               d->ChkFollowsBases[6], d->ChkFollowsBases[7],
                                               d->ChkFollowsBases[4]}));
    EXPECT_EQ(prefs.ActionFollowsBases, before);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_NE(prefs.ActionFollowsBases[4], before[4]);
}

TEST_F(OptionsTest, ACancelledChooserChangesNothing)
{
    const Preferences before = prefs;
    auto d = open();
    const QImage symbol = d->ImgSymbols[0]->picture();
    d->LblPcolr[0]->click();
    d->LblActcolr[0]->click();
    d->CmdChgfont->click();
    d->CmdPicChg[0]->click();
    d->ImgSymbols[0]->click();
    EXPECT_EQ(prefs.PlayerFcolr, before.PlayerFcolr);
    EXPECT_EQ(prefs.ActionColor, before.ActionColor);
    EXPECT_EQ(prefs.FontName, before.FontName);
    EXPECT_EQ(prefs.FontSize, before.FontSize);
    EXPECT_EQ(prefs.PicFile, before.PicFile);
    EXPECT_EQ(prefs.SymbolFile, before.SymbolFile);
    EXPECT_EQ(d->ImgSymbols[0]->picture(), symbol);
    EXPECT_EQ(d->LblPcolr[0]->color(), colorFromRgbInt(before.PlayerFcolr[0]));
    EXPECT_EQ(messageCount(), 0);
    EXPECT_EQ(platform.beeps, 0);
}

TEST_F(OptionsTest, AFailedChooserOrAnUnreadablePictureBeepsAndKeepsTheOldOne)
{
    QTemporaryDir dir;
    const QString notAPicture = dir.filePath("notes.bmp");
    QFile file(notAPicture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();

    const Preferences before = prefs;
    auto d = open();
    const QImage symbol = d->ImgSymbols[2]->picture();
    platform.failFileDialogs(2);
    d->CmdPicChg[1]->click();
    d->ImgSymbols[2]->click();
    platform.queueText(notAPicture);
    d->CmdPicChg[1]->click();
    platform.queueText(notAPicture);
    d->ImgSymbols[2]->click();

    EXPECT_EQ(platform.beeps, 4);
    ASSERT_EQ(messageCount(), 4);
    for (const FakePlatform::Call &m : platform.messages()) {
        EXPECT_EQ(m.text, "Error selecting file.");
        EXPECT_EQ(m.title, "Kinetra");
        EXPECT_EQ(m.icon, Platform::Icon::Warning);
        EXPECT_EQ(m.buttons, Platform::Buttons::Ok);
    }
    EXPECT_EQ(prefs.PicFile, before.PicFile);
    EXPECT_EQ(prefs.SymbolFile, before.SymbolFile);
    EXPECT_EQ(d->ImgSymbols[2]->picture(), symbol);
}

} // namespace
} // namespace kinetra
