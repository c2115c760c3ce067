// The frame's caption in the main window: Edit > Frame Caption... (F2) and its dialog, and the
// caption box under the field that follows the frame shown.
#include "gui/documentfixture.h"

#include "app/captionbox.h"
#include "windows/frmcaption.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

namespace kinetra {
namespace {

class FrameCaptionTest : public DocumentTest
{
protected:
    /// Edit > Frame Caption..., typing `keys` over the caption shown and ending with `end`
    /// (Enter or Escape).
    void editCaption(frmMain &w, const QString &keys, Qt::Key end)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<frmCaption *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            EXPECT_EQ(dialog->TxtCaption->maxLength(), 120);
            // The caption is selected: typing replaces it.
            QTest::keyClicks(dialog->TxtCaption, keys);
            QTest::keyClick(dialog->TxtCaption, end);
        });
        w.menuItem("mnuECaption")->trigger();
        EXPECT_TRUE(seen);
    }
};

TEST_F(FrameCaptionTest, TheDialogSetsTheCaptionTheBoxShowsAndUndoTakesItBack)
{
    auto w = open();
    QAction *item = w->menuItem("mnuECaption");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Frame Caption...");
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::Key_F2));
    w->document().appendFrame();
    w->document().recordEdit("Insert After");
    QLabel *box = w->captionBox();
    EXPECT_EQ(box->text(), CaptionBox::hint());
    // Under the field, above the frame controls.
    EXPECT_EQ(box->y(), w->findChild<QScrollArea *>("fieldView")->geometry().bottom() + 1);
    EXPECT_EQ(w->Frame1()->y(), box->geometry().bottom() + 1);

    editCaption(*w, "Lead off, <b>then</b> go", Qt::Key_Return);
    EXPECT_EQ(w->document().caption(), "Lead off, <b>then</b> go");
    EXPECT_EQ(box->text(), "Lead off, <b>then</b> go");
    EXPECT_EQ(w->document().history().undoCaption(), "Frame Caption");
    EXPECT_TRUE(w->document().isModified());

    editCaption(*w, "Not this", Qt::Key_Escape);
    EXPECT_EQ(box->text(), "Lead off, <b>then</b> go");

    w->SelectFrame(2);
    EXPECT_EQ(box->text(), CaptionBox::hint());
    w->menuItem("mnuEUndo")->trigger();
    EXPECT_EQ(w->document().currentFrame(), 1);
    EXPECT_EQ(box->text(), CaptionBox::hint());
    w->menuItem("mnuERedo")->trigger();
    EXPECT_EQ(box->text(), "Lead off, <b>then</b> go");
    platform.queueAnswer(Platform::Answer::No); // the changes are not saved
    w->menuItem("mnuFileNew")->trigger();
    EXPECT_EQ(box->text(), CaptionBox::hint());
}

} // namespace
} // namespace kinetra
