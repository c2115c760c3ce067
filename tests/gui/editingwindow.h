#pragma once

// A main window for editing tests: the real program folder's pictures, a scripted platform,
// its own settings and current folder (where error reports log), and helpers that act on the
// surface the way a user's mouse and drops do.

#include "app/frmmain.h"
#include "app/reporterror.h"
#include "prefs/inisettingsstore.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"
#include "support/tempsettings.h"
#include "surface/canvas.h"
#include "surface/paletteitem.h"
#include "surface/surface.h"
#include "surface/surfaceeditor.h"
#include "surface/toolpalette.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace kinetra::test {

class EditingWindow
{
public:
    EditingWindow()
    {
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        installErrorReporter(platform);
    }
    ~EditingWindow()
    {
        window.reset();
        removeErrorReporter();
        QDir::setCurrent(m_previousDir);
    }

    /// Opens the main window with the settings stored so far.
    void open()
    {
        window = std::make_unique<frmMain>(platform, store, KINETRA_PROGRAM_DIR);
        window->show();
        QApplication::processEvents();
    }

    /// Zooms from 100 % to `percent` one step at a time, as the View menu does.
    void zoomTo(int percent)
    {
        window->menuItem("mnuViewActualSize")->trigger();
        const char *step = percent > 100 ? "mnuViewZoomIn" : "mnuViewZoomOut";
        while (window->canvas()->zoom() != percent)
            window->menuItem(step)->trigger();
        QApplication::processEvents();
    }

    PlayConfig &frame() { return window->document().frames().currentFrame(); }
    QImage image() const { return window->surface()->image(); }

    /// Shows palette page `page` as a click on its tab does.
    void showPage(int page) { window->toolPalette()->tbsPicList->setCurrentIndex(page); }

    // The mouse on the surface, in surface pixels.
    void press(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(window->canvas(), button, Qt::NoModifier, QPoint(x, y));
    }
    void moveTo(int x, int y) { QTest::mouseMove(window->canvas(), QPoint(x, y)); }
    void release(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(window->canvas(), button, Qt::NoModifier, QPoint(x, y));
    }
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        press(x, y, button);
        release(x, y, button);
    }

    /// Drops palette item (tag, index) on the surface at (x, y): the canvas gets the drag's
    /// enter and drop events as from a drag that ends there. Returns whether it took the drop.
    bool drop(int16_t tag, int16_t index, QPointF at)
    {
        std::unique_ptr<QMimeData> data(PaletteItem{tag, index}.toMimeData());
        return dropData(*data, at);
    }
    bool dropData(const QMimeData &data, QPointF at)
    {
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window->canvas(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window->canvas(), &dropped);
        return dropped.isAccepted();
    }

    /// Titles of the error reports shown so far.
    QStringList reports() const
    {
        QStringList titles;
        for (const auto &m : platform.messages())
            titles << m.title;
        return titles;
    }

    TempSettings settings;
    IniSettingsStore store;
    FakePlatform platform;
    std::unique_ptr<frmMain> window;

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
};

} // namespace kinetra::test
