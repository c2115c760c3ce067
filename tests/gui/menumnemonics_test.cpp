#include "gui/documentfixture.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace kinetra {
namespace {

// "&File" and "&Formations" share Alt+F: every press opens File, not the two in turn.
TEST_F(DocumentTest, SharedMenuLetterAlwaysOpensTheFirstMenu)
{
    auto w = open();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get()))
        GTEST_SKIP() << "this platform cannot activate windows";
    QMenu *file = w->menuBar()->findChild<QMenu *>("mnuFile");
    ASSERT_NE(file, nullptr);
    for (int press = 0; press < 3; ++press) {
        QTest::keyClick(w.get(), Qt::Key_F, Qt::AltModifier);
        QApplication::processEvents();
        EXPECT_EQ(w->menuBar()->activeAction(), file->menuAction()) << "press " << press;
        EXPECT_TRUE(file->isVisible()) << "press " << press;
        file->close();
        w->menuBar()->setActiveAction(nullptr);
        QApplication::processEvents();
    }
    // A letter that only one title carries is left to Qt.
    QTest::keyClick(w.get(), Qt::Key_V, Qt::AltModifier);
    QApplication::processEvents();
    EXPECT_EQ(w->menuBar()->activeAction()->text(), "&View");
}

} // namespace
} // namespace kinetra
