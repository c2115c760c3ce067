#pragma once

#include "gui/documentfixture.h"
#include "windows/frmdir.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace kinetra {

/// A program folder of its own whose Plays holds copies of test plays.
class PlayDirectoryTest : public DocumentTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath("prog/Plays"));
        plays = dir.filePath("prog/Plays");
        ASSERT_TRUE(QFile::copy(QString(KINETRA_TEST_DATA) + "/two_frames.KTR",
                                plays + "/bunt.ktr"));
        ASSERT_TRUE(QFile::copy(QString(KINETRA_TEST_DATA) + "/new_play.KTR",
                                plays + "/Alpha.KTR"));
    }

    std::unique_ptr<frmMain> openIn()
    {
        auto window = std::make_unique<frmMain>(platform, store, dir.filePath("prog"));
        window->show();
        return window;
    }

    /// Runs File > Play Directory; `act` works the window while it is shown.
    void playDirectory(frmMain &w, const std::function<void(frmdir &)> &act)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<frmdir *>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            seen = true;
            act(*d);
            if (d->isVisible())
                d->reject();
        });
        w.menuItem("mnuFPDir")->trigger();
        EXPECT_TRUE(seen) << "the Play Directory did not show";
    }

    static void select(frmdir &d, int row)
    {
        QListWidgetItem *item = d.List1->item(row);
        ASSERT_NE(item, nullptr);
        d.List1->setCurrentItem(item);
        const QRect r = d.List1->visualItemRect(item);
        QTest::mouseClick(d.List1->viewport(), Qt::LeftButton, {}, r.center());
    }

    QString plays;
};

} // namespace kinetra
