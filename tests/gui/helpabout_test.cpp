// The help window, the Help menu's commands and the About box.

#include "app/qtplatform.h"
#include "documentfixture.h"
#include "model/runtimeerror.h"
#include "windows/frmabout.h"
#include "windows/frmhelp.h"
#include "windows/frmnotes.h"
#include "windows/helpcommands.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTest>
#include <QTimer>

namespace kinetra {
namespace {

const QString kNoHelp =
    "Unable to display Help Contents. There is no Help associated with this project.";

QString helpFile()
{
    return QDir(KINETRA_PROGRAM_DIR).filePath("KTR.hlp");
}

class HelpTest : public DocumentTest
{
protected:
    /// The platform shows help in the program's own help window, as the real one does.
    void useRealHelpWindow(QWidget *owner)
    {
        platform.helpViewer = [owner](const QString &file, Platform::HelpCommand command,
                                      const QString &key) {
            showHelpWindow(owner, file, command, key);
        };
    }
};

TEST_F(HelpTest, ContentsOpensTheHelpFileAtItsContentsPage)
{
    auto w = open();
    w->helpCommands().setHelpFile(helpFile());
    useRealHelpWindow(w.get());
    w->menuItem("mnuHelpContents")->trigger();
    EXPECT_EQ(platform.helpRequests, QStringList{"contents " + helpFile()});
    auto *help = w->findChild<frmHelp *>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->currentPage(), "contents");
    EXPECT_TRUE(help->txtPage->toPlainText().contains("Getting Started"));
    EXPECT_TRUE(platform.messages().isEmpty());

    // The toolbar's Help button does the same, in the same window.
    w->tbToolBar_ButtonClick("Help");
    EXPECT_EQ(platform.helpRequests.size(), 2);
    EXPECT_EQ(w->findChildren<frmHelp *>().size(), 1);
}

TEST_F(HelpTest, SearchOpensTheKeywordIndexWhichNarrowsAsTheUserTypes)
{
    auto w = open();
    w->helpCommands().setHelpFile(helpFile());
    useRealHelpWindow(w.get());
    w->menuItem("mnuHelpSearch")->trigger();
    EXPECT_EQ(platform.helpRequests, QStringList{"search " + helpFile() + " "});
    auto *help = w->findChild<frmHelp *>();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->currentPage(), "index");
    EXPECT_TRUE(help->TxtSearch->text().isEmpty());
    const QStringList all = help->shownKeywords();
    ASSERT_GT(all.size(), 50);

    QTest::keyClicks(help->TxtSearch, "Sa");
    const QStringList sa = help->shownKeywords();
    EXPECT_LT(sa.size(), all.size());
    EXPECT_TRUE(sa.contains("Save As..."));
    for (const QString &k : sa)
        EXPECT_TRUE(k.startsWith("sa", Qt::CaseInsensitive) || k.contains(" sa", Qt::CaseInsensitive))
            << k.toStdString();
    QTest::keyClicks(help->TxtSearch, "ve as.");
    EXPECT_EQ(help->shownKeywords(), (QStringList{"File > Save As...", "Save As..."}));
    // Enter shows the page of the first keyword left.
    QTest::keyClick(help->TxtSearch, Qt::Key_Return);
    EXPECT_EQ(help->currentPage(), "filesaveas");
    help->TxtSearch->setFocus();
    QTest::keyClicks(help->TxtSearch, "zzz");
    EXPECT_TRUE(help->shownKeywords().isEmpty());
    help->TxtSearch->clear();
    EXPECT_EQ(help->shownKeywords(), all);
}

TEST_F(HelpTest, F1OpensTheContentsFromEveryWindowAndOverADialogTheHelpBelongsToIt)
{
    auto w = open();
    w->helpCommands().setHelpFile(helpFile());
    QStringList owners;
    platform.helpViewer = [&](const QString &, Platform::HelpCommand command, const QString &) {
        EXPECT_EQ(command, Platform::HelpCommand::Contents);
        owners << platform.dialogParent()->objectName();
    };
    QTest::keyClick(w->SBar(), Qt::Key_F1);
    w->menuItem("mnuViewNotes")->trigger();
    ASSERT_NE(w->notesWindow(), nullptr);
    QTest::keyClick(w->notesWindow()->TxtTitle, Qt::Key_F1);
    QTimer::singleShot(0, [] {
        QWidget *about = QApplication::activeModalWidget();
        ASSERT_NE(about, nullptr);
        QTest::keyClick(about->focusWidget() ? about->focusWidget() : about, Qt::Key_F1);
        // Shift+F1 is not help.
        QTest::keyClick(about, Qt::Key_F1, Qt::ShiftModifier);
        about->close();
    });
    w->tbToolBar_ButtonClick("About");
    EXPECT_EQ(owners, (QStringList{"frmMain", "frmMain", "frmAbout"}));
    EXPECT_EQ(platform.dialogParent(), w.get());
    EXPECT_TRUE(platform.messages().isEmpty());
}

TEST_F(HelpTest, NoHelpFileNameSaysThereIsNoHelp)
{
    auto w = open();
    w->helpCommands().setHelpFile(QString());
    for (const char *item : {"mnuHelpContents", "mnuHelpSearch"}) {
        platform.calls.clear();
        w->menuItem(item)->trigger();
        ASSERT_EQ(platform.messages().size(), 1) << item;
        const FakePlatform::Call box = platform.messages()[0];
        EXPECT_EQ(box.text, kNoHelp);
        EXPECT_EQ(box.title, "Kinetra V1.4.0");
        EXPECT_EQ(box.icon, Platform::Icon::Information);
        EXPECT_EQ(box.buttons, Platform::Buttons::Ok);
    }
    EXPECT_TRUE(platform.helpRequests.isEmpty());
}

TEST_F(HelpTest, AMissingOrUnreadableHelpFileIsDescribedInAMessage)
{
    auto w = open();
    useRealHelpWindow(w.get());
    for (const QString &file : {path("KTR.hlp"), dir.path()}) {
        platform.calls.clear();
        w->helpCommands().setHelpFile(file);
        w->menuItem("mnuHelpContents")->trigger();
        ASSERT_EQ(platform.messages().size(), 1);
        const FakePlatform::Call box = platform.messages()[0];
        EXPECT_TRUE(box.text.contains(file)) << box.text.toStdString();
        EXPECT_EQ(box.icon, Platform::Icon::None);
        EXPECT_EQ(box.title, "Kinetra");
    }
    frmHelp help;
    try {
        help.showContents(path("KTR.hlp"));
        ADD_FAILURE() << "a missing help file was shown";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.code(), ErrorCode::FileNotFound);
    }
    EXPECT_FALSE(help.isVisible());
}

TEST_F(HelpTest, KeywordsAreReadFromTheIndexOnly)
{
    const QString html = "<a href=\"#a\">Not a keyword</a><!-- keywords -->"
                         "<li><a href=\"#open\">Open &amp; Save</a></li>\n"
                         "<li><a href=\"#new\">New</a></li><!-- /keywords -->";
    const auto keywords = frmHelp::parseKeywords(html);
    ASSERT_EQ(keywords.size(), 2u);
    EXPECT_EQ(keywords[0].text, "Open & Save");
    EXPECT_EQ(keywords[0].anchor, "open");
    EXPECT_EQ(keywords[1].anchor, "new");
    EXPECT_TRUE(frmHelp::parseKeywords("<a href=\"#x\">x</a>").empty());
}

TEST_F(HelpTest, AboutShowsTheIconVersionAndDescription)
{
    auto w = open();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        seen = true;
        EXPECT_EQ(about->windowTitle(), "About Kinetra");
        EXPECT_EQ(about->lblVersion->text(), "Version 1.4.0");
        const QString text = about->lblDescription->text();
        EXPECT_GT(text.size(), 20);
        EXPECT_EQ(text.count('.'), 1) << "one sentence";
        EXPECT_TRUE(text.endsWith('.'));
        EXPECT_FALSE(about->picIcon->pixmap().isNull());
        EXPECT_EQ(about->cmdOK->text(), "&OK");
        EXPECT_EQ(about->parentWidget(), w.get());
        about->cmdOK->click();
    });
    w->tbToolBar_ButtonClick("About");
    EXPECT_TRUE(seen);
}

} // namespace
} // namespace kinetra
