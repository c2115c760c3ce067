// The Tip of the Day window and whether start-up shows it.

#include "documentfixture.h"
#include "windows/frmtip.h"
#include "windows/helpcommands.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace kinetra {
namespace {

class TipTest : public DocumentTest
{
protected:
    QString tipFile(const QByteArray &bytes)
    {
        const QString file = path("TIPOFDAY.TXT");
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return file;
    }

    std::unique_ptr<frmTip> tipWindow(const QString &file)
    {
        return std::make_unique<frmTip>(store, file, [this] { return platform.random(); });
    }
};

TEST_F(TipTest, ShowsTheTipTheRandomNumberPicksEveryOneEquallyLikely)
{
    const QString file = tipFile("First tip\r\nSecond tip\r\nThird tip\r\nFourth tip");
    for (const auto &[r, tip] : std::vector<std::pair<double, QString>>{
             {0.0, "First tip"}, {0.2499, "First tip"}, {0.25, "Second tip"},
             {0.5, "Third tip"}, {0.9999, "Fourth tip"}}) {
        platform.queueRandom(r);
        auto w = tipWindow(file);
        EXPECT_EQ(w->lblTipText->text(), tip) << r;
    }
    auto w = tipWindow(file); // random 0: the first
    EXPECT_EQ(w->TipList.size(), 4);
    platform.queueRandom(0.8);
    w->cmdNextTip->click();
    EXPECT_EQ(w->lblTipText->text(), "Fourth tip");
    EXPECT_EQ(w->windowTitle(), "Tip of the Day");
    EXPECT_EQ(w->Label1->text(), "Did you know...");
    EXPECT_EQ(w->cmdNextTip->text(), "&Next Tip");
    EXPECT_EQ(w->cmdOK->text(), "OK");
    EXPECT_EQ(w->chkLoadTipsAtStartup->text(), "&Show Tips at Startup");
}

TEST_F(TipTest, AOneLineFileAlwaysShowsItsLine)
{
    auto w = tipWindow(tipFile("Only tip\n"));
    EXPECT_EQ(w->TipList, QStringList{"Only tip"});
    for (double r : {0.0, 0.5, 0.999}) {
        platform.queueRandom(r);
        w->cmdNextTip->click();
        EXPECT_EQ(w->lblTipText->text(), "Only tip");
    }
}

TEST_F(TipTest, ReadsUtf8AndWindows1252TipFiles)
{
    auto w = tipWindow(tipFile("Caf\xc3\xa9 con leche\nNi\xc3\xb1o"));
    EXPECT_EQ(w->TipList, (QStringList{QString::fromUtf8("Caf\xc3\xa9 con leche"),
                                       QString::fromUtf8("Ni\xc3\xb1o")}))
        << "UTF-8 tips";
    w = tipWindow(tipFile("Ni\xf1o \x93quoted\x94"));
    EXPECT_EQ(w->TipList, QStringList{QString::fromUtf8("Ni\xc3\xb1o \xe2\x80\x9cquoted\xe2\x80\x9d")})
        << "Windows-1252 tips";
}

TEST_F(TipTest, AnEmptyFileLoadsAndShowsNothing)
{
    auto w = tipWindow(tipFile(""));
    EXPECT_TRUE(w->TipList.isEmpty());
    EXPECT_TRUE(w->lblTipText->text().isEmpty());
    w->cmdNextTip->click();
    EXPECT_TRUE(w->lblTipText->text().isEmpty());
    EXPECT_TRUE(w->LoadTips(path("TIPOFDAY.TXT")));
}

TEST_F(TipTest, AMissingFileSaysHowToMakeOne)
{
    auto w = tipWindow(path("missing.txt"));
    const QString expected =
        "That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named "
        "TIPOFDAY.TXT using NotePad with 1 tip per line. Then place it in the same directory "
        "as the application. ";
    EXPECT_EQ(w->lblTipText->text(), expected);
    w->cmdNextTip->click();
    EXPECT_EQ(w->lblTipText->text(), expected);
    EXPECT_FALSE(w->LoadTips(QString()));
}

TEST_F(TipTest, TheCheckBoxShowsAndWritesTheStoredOptionAtOnce)
{
    const QString file = tipFile("A tip");
    {
        auto w = tipWindow(file);
        EXPECT_TRUE(w->chkLoadTipsAtStartup->isChecked()); // nothing stored: on
        EXPECT_EQ(store.read("Options", "Show Tips at Startup", "unset"), "unset")
            << "filling the box wrote the store";
        w->chkLoadTipsAtStartup->click();
        EXPECT_EQ(store.read("Options", "Show Tips at Startup"), "0");
        IniSettingsStore reread;
        EXPECT_EQ(reread.read("Options", "Show Tips at Startup"), "0") << "not on disk at once";
    }
    auto w = tipWindow(file);
    EXPECT_FALSE(w->chkLoadTipsAtStartup->isChecked());
    w->chkLoadTipsAtStartup->click();
    EXPECT_EQ(store.read("Options", "Show Tips at Startup"), "1");
}

TEST_F(TipTest, StartUpShowsTheWindowOnlyForOne)
{
    EXPECT_TRUE(frmTip::ShowAtStartup(store)) << "nothing stored";
    for (const auto &[stored, shows] : std::vector<std::pair<QString, bool>>{
             {"1", true}, {"0", false}, {"2", false}, {"-1", false}, {"yes", true}, {"", true}}) {
        store.write("Options", "Show Tips at Startup", stored);
        EXPECT_EQ(frmTip::ShowAtStartup(store), shows) << stored.toStdString();
    }
}

TEST_F(TipTest, HelpTipsShowsOneWindowAndBringsItForward)
{
    auto w = open();
    w->menuItem("mnuHelpTips")->trigger();
    frmTip *tip = w->helpCommands().tipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_FALSE(tip->isModal());
    w->menuItem("mnuHelpTips")->trigger();
    EXPECT_EQ(w->helpCommands().tipWindow(), tip);
    EXPECT_EQ(w->findChildren<frmTip *>().size(), 1);
    // The program folder's tip file is read.
    EXPECT_GE(tip->TipList.size(), 30);

    // OK ends the window; the next Help > Tips makes a new one.
    tip->cmdOK->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w->helpCommands().tipWindow(), nullptr);
    w->menuItem("mnuHelpTips")->trigger();
    ASSERT_NE(w->helpCommands().tipWindow(), nullptr);
    EXPECT_TRUE(w->helpCommands().tipWindow()->isVisible());
}

} // namespace
} // namespace kinetra
