#pragma once

#include "app/frmmain.h"
#include "app/playfilechooser.h"
#include "app/recentfiles.h"
#include "prefs/inisettingsstore.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"
#include "support/tempsettings.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace kinetra {

/// A main window on the scripted platform, with a scratch folder for play files.
class DocumentTest : public testing::Test
{
protected:
    std::unique_ptr<frmMain> open()
    {
        auto window = std::make_unique<frmMain>(platform, store, KINETRA_PROGRAM_DIR);
        window->show();
        return window;
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    /// Copies a sample play from tests/data into the scratch folder; returns its path there.
    QString copyData(const QString &file, const QString &as = QString()) const
    {
        const QString target = path(as.isEmpty() ? file : as);
        QFile::remove(target);
        EXPECT_TRUE(QFile::copy(QString(KINETRA_TEST_DATA) + "/" + file, target))
            << file.toStdString();
        return target;
    }

    static QByteArray bytes(const QString &file)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray();
        return f.readAll();
    }

    /// File > Open, choosing `file` in the dialog.
    void openThroughDialog(frmMain &w, const QString &file)
    {
        platform.queueText(file);
        w.menuItem("mnuFileOpen")->trigger();
    }

    /// File > Save As, choosing `file` in the dialog.
    void saveAsThroughDialog(frmMain &w, const QString &file)
    {
        platform.queueText(file);
        w.menuItem("mnuFileSaveAs")->trigger();
    }

    QList<FakePlatform::Call> callsOf(const QString &kind) const
    {
        QList<FakePlatform::Call> out;
        for (const FakePlatform::Call &c : platform.calls)
            if (c.kind == kind)
                out.append(c);
        return out;
    }

    /// The paths the visible recent-file items show, in menu order.
    static QStringList recentFiles(const frmMain &w) { return w.recentFiles().shown(); }

    static QStringList panels(const frmMain &w)
    {
        QStringList texts;
        for (QLabel *panel : w.statusPanels())
            texts << panel->text();
        return texts;
    }

    TempSettings settings;
    IniSettingsStore store;
    FakePlatform platform;
    QTemporaryDir dir;
};

inline const QString kSavePrompt =
    "The data has been modified. Do you want to save the changes?";

inline QString loadError(const QString &file)
{
    return "Error loading file " + file + ".\n"
           + "Play may cause unpredictable errors - close and open another play.";
}

} // namespace kinetra
