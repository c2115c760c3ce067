// The notes window: title and notes edited beside the play and handed back to it.
#include "gui/documentfixture.h"

#include "windows/frmnotes.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace kinetra {
namespace {

class Notes : public DocumentTest
{
protected:
    void SetUp() override
    {
        w = open();
        file = copyData("two_frames.KTR");
        openThroughDialog(*w, file);
        ASSERT_FALSE(w->document().isModified());
    }

    frmNotes *showNotes()
    {
        w->menuItem("mnuViewNotes")->trigger();
        frmNotes *notes = w->notesWindow();
        EXPECT_TRUE(notes && notes->isVisible());
        return notes;
    }

    std::unique_ptr<frmMain> w;
    QString file;
};

TEST_F(Notes, ShowsThePlayAndClosingUntouchedChangesNothing)
{
    frmNotes *notes = showNotes();
    EXPECT_EQ(notes->windowTitle(), "Play Notes");
    EXPECT_EQ(notes->TxtTitle->text(), "Bunt, Defense");
    EXPECT_EQ(notes->TxtNotes->toPlainText(), "Line one,\nline two");
    EXPECT_EQ(notes->TxtNotes->document()->blockCount(), 2);
    EXPECT_FALSE(w->document().isModified());
    notes->close();
    EXPECT_FALSE(w->notesOpen());
    EXPECT_FALSE(w->document().isModified());
    EXPECT_EQ(w->document().notes(), "Line one,\r\nline two");
    EXPECT_EQ(w->statusPanels()[1]->text(), "Bunt, Defense");
}

TEST_F(Notes, TypedTitleMarksTheChangeAndSavingWritesIt)
{
    frmNotes *notes = showNotes();
    notes->TxtTitle->setFocus();
    notes->TxtTitle->end(false);
    QTest::keyClicks(notes->TxtTitle, " now");
    EXPECT_TRUE(w->document().isModified());
    EXPECT_EQ(w->document().title(), "Bunt, Defense now"); // the play takes it as it is typed
    EXPECT_EQ(w->statusPanels()[1]->text(), "Bunt, Defense now");

    w->menuItem("mnuFileSave")->trigger();
    EXPECT_FALSE(w->notesOpen()); // the save closed it
    EXPECT_FALSE(w->document().isModified());
    EXPECT_EQ(w->statusPanels()[1]->text(), "Bunt, Defense now");
    EXPECT_TRUE(bytes(file).startsWith("2,\"DAZI\",\"1.4\",\"Bunt, Defense now\","));
}

TEST_F(Notes, TypedLinesComeBackWithTheirBreaks)
{
    frmNotes *notes = showNotes();
    notes->TxtNotes->setFocus();
    notes->TxtNotes->moveCursor(QTextCursor::End);
    QTest::keyClick(notes->TxtNotes, Qt::Key_Return);
    QTest::keyClicks(notes->TxtNotes, "third, last");
    EXPECT_TRUE(w->document().isModified());
    w->menuItem("mnuFileSave")->trigger();
    // The file carries CR LF between the lines of the notes.
    EXPECT_TRUE(bytes(file).contains("\"Line one,\r\nline two\r\nthird, last\",2\r\n"));

    w->menuItem("mnuFileNew")->trigger();
    EXPECT_EQ(notes->TxtNotes->toPlainText(), "");
    openThroughDialog(*w, file);
    EXPECT_EQ(w->document().notes(), "Line one,\r\nline two\r\nthird, last");
    EXPECT_EQ(notes->TxtNotes->toPlainText(), "Line one,\nline two\nthird, last");
    EXPECT_FALSE(w->document().isModified());
}

TEST_F(Notes, OpeningAPlayRefillsAnOpenWindowWithoutMarkingIt)
{
    frmNotes *notes = showNotes();
    openThroughDialog(*w, copyData("bad_action_size.KTR"));
    EXPECT_EQ(notes->TxtTitle->text(), "Bad size");
    EXPECT_EQ(notes->TxtNotes->toPlainText(), "");
    EXPECT_FALSE(w->document().isModified());
    EXPECT_TRUE(w->notesOpen());
}

// Typing after File > New used to give "CutoffNew", or, with the notes window open and the
// cursor in the notes, put the title into the notes.
TEST_F(Notes, NewShowsTheWindowForNamingThePlay)
{
    const auto typeWhereTheFocusIs = [](frmNotes *notes, const QString &text) {
        QWidget *focus = notes->focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClicks(focus, text);
    };
    w->menuItem("mnuFileNew")->trigger();
    ASSERT_TRUE(w->notesOpen());
    frmNotes *notes = w->notesWindow();
    EXPECT_EQ(notes->TxtTitle->text(), "New");
    EXPECT_EQ(notes->TxtNotes->toPlainText(), "");
    EXPECT_FALSE(w->document().isModified());
    typeWhereTheFocusIs(notes, "Cutoff");
    EXPECT_EQ(notes->TxtTitle->text(), "Cutoff");

    // Already open: New refills it, and the title box takes the typing again.
    notes->TxtNotes->setFocus();
    platform.queueAnswer(Platform::Answer::No);
    w->menuItem("mnuFileNew")->trigger();
    EXPECT_EQ(notes->TxtTitle->text(), "New");
    EXPECT_FALSE(w->document().isModified());
    typeWhereTheFocusIs(notes, "Relay");
    EXPECT_EQ(notes->TxtTitle->text(), "Relay");
    EXPECT_EQ(notes->TxtNotes->toPlainText(), "");
}

TEST_F(Notes, ShowingAgainKeepsWhatAnOpenWindowHolds)
{
    frmNotes *notes = showNotes();
    QTest::keyClicks(notes->TxtTitle, "Typed");
    w->tbToolBar_ButtonClick("Notes");
    EXPECT_EQ(notes->TxtTitle->text(), "TypedBunt, Defense");
    notes->close();
    EXPECT_EQ(w->document().title(), "TypedBunt, Defense");
    // Shown after closing: filled from the play again.
    w->document().setTexts("From the play", w->document().notes());
    w->tbToolBar_ButtonClick("Notes");
    EXPECT_EQ(notes->TxtTitle->text(), "From the play");
}

TEST_F(Notes, ClosingTheMainWindowHandsTheTextsBack)
{
    frmNotes *notes = showNotes();
    QTest::keyClicks(notes->TxtTitle, "!");
    platform.queueAnswer(Platform::Answer::No);
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(notes->isVisible());
}

TEST_F(Notes, NotesBoxFollowsTheWindowSize)
{
    frmNotes *notes = showNotes();
    notes->resize(500, 400);
    QApplication::processEvents();
    const QRect box = notes->TxtNotes->geometry();
    EXPECT_EQ(box.right() + 1, notes->width());
    EXPECT_EQ(box.bottom() + 1, notes->height());
    const int titleWidth = notes->TxtTitle->width();
    notes->resize(300, 250);
    QApplication::processEvents();
    EXPECT_EQ(notes->TxtNotes->width(), 300 - notes->TxtNotes->x());
    EXPECT_EQ(notes->TxtNotes->height(), 250 - notes->TxtNotes->y());
    EXPECT_EQ(notes->TxtTitle->width(), titleWidth);
}

struct BreakCase
{
    const char *play;  // as the play (file) holds the notes
    const char *shown; // as the window shows them
    const char *back;  // as the window hands them back
};

void PrintTo(const BreakCase &c, std::ostream *os)
{
    *os << QByteArray(c.play).toPercentEncoding().constData();
}

class LineBreaks : public testing::TestWithParam<BreakCase>
{};

TEST_P(LineBreaks, ShownAsLinesAndHandedBackWithCrLf)
{
    frmNotes notes;
    notes.Form_Load("T", GetParam().play);
    EXPECT_EQ(notes.TxtNotes->toPlainText(), GetParam().shown);
    EXPECT_EQ(notes.notes(), GetParam().back);
}

INSTANTIATE_TEST_SUITE_P(
    Notes, LineBreaks,
    testing::Values(BreakCase{"a\r\nb", "a\nb", "a\r\nb"}, BreakCase{"a\nb", "a\nb", "a\r\nb"},
                    BreakCase{"a\rb", "a\nb", "a\r\nb"},
                    BreakCase{"a\r\n\r\nb\r\n", "a\n\nb\n", "a\r\n\r\nb\r\n"},
                    BreakCase{"", "", ""}));

} // namespace
} // namespace kinetra
