// The View menu's zoom: the field shown larger or smaller, by hand or fitted to the window.
// Coordinates stay field pixels everywhere; only the canvas knows the zoom.

#include "app/frmmain.h"

#include "surface/canvas.h"
#include "surface/surface.h"
#include "surface/toolpalette.h"

#include <QAction>
#include <QActionGroup>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

#include <algorithm>
#include <cstdlib>

namespace kinetra {

void frmMain::buildZoomMenu(QMenu *view)
{
    view->addSeparator();
    QAction *zoomIn = addMenuItem(view, "Zoom &In", "mnuViewZoomIn");
    zoomIn->setShortcuts({QKeySequence("Ctrl+="), QKeySequence("Ctrl++")});
    addMenuItem(view, "Zoom &Out", "mnuViewZoomOut", QKeySequence("Ctrl+-"));
    addMenuItem(view, "&Actual Size", "mnuViewActualSize", QKeySequence("Ctrl+0"));
    mnuViewFit = addMenuItem(view, "&Fit Field to Window", "mnuViewFit");
    mnuViewFit->setCheckable(true);
}

void frmMain::buildExportSizeMenu(QMenu *file)
{
    // Pictures drawn larger than the field at the field's own resolution, not enlarged: a
    // picture for a handout or a slide is sharp.
    QMenu *sizes = file->addMenu("Export Si&ze");
    sizes->setObjectName("mnuFileExportSize");
    m_exportSizes = new QActionGroup(this);
    for (int scale = 1; scale <= 4; ++scale) {
        QAction *size = addMenuItem(sizes, QString("&%1x the field").arg(scale),
                                    QString("mnuFileExportSize%1").arg(scale));
        size->setCheckable(true);
        size->setChecked(scale == 2);
        size->setData(scale);
        m_exportSizes->addAction(size);
        m_builtCommands.insert(size->objectName());
    }
}

int frmMain::exportScale() const
{
    const QAction *chosen = m_exportSizes->checkedAction();
    return chosen ? chosen->data().toInt() : 1;
}

void frmMain::connectZoomCommands()
{
    onCommand("mnuViewZoomIn", [this] { mnuViewZoomIn_Click(); });
    onCommand("mnuViewZoomOut", [this] { mnuViewZoomOut_Click(); });
    onCommand("mnuViewActualSize", [this] { mnuViewActualSize_Click(); });
    onCommand("mnuViewFit", [this] { mnuViewFit_Click(); });
    connect(canvas, &Canvas::zoomRequested, this, [this](int steps) {
        int percent = canvas->zoom();
        for (int i = 0; i < std::abs(steps); ++i)
            percent = steps > 0 ? zoomIn(percent) : zoomOut(percent);
        zoomByHand(percent);
    });
    sbZoom = new QLabel(statusBar());
    sbZoom->setObjectName("sbZoom");
    sbZoom->setToolTip("Zoom");
    sbZoom->setVisible(false);
    statusBar()->addPermanentWidget(sbZoom);
}

void frmMain::mnuViewZoomIn_Click()
{
    zoomByHand(zoomIn(canvas->zoom()));
}

void frmMain::mnuViewZoomOut_Click()
{
    zoomByHand(zoomOut(canvas->zoom()));
}

void frmMain::mnuViewActualSize_Click()
{
    zoomByHand(100);
}

void frmMain::mnuViewFit_Click()
{
    m_zoom.fitToWindow = !m_zoom.fitToWindow;
    Form_Resize();
    showZoom(canvas->zoom());
}

void frmMain::zoomByHand(int percent)
{
    // The window keeps its size: a field larger than the room scrolls.
    m_zoom.fitToWindow = false;
    showZoom(percent);
}

void frmMain::showZoom(int percent)
{
    m_zoom.percent = percent;
    mnuViewFit->setChecked(m_zoom.fitToWindow);
    sbZoom->setText(QString("Zoom %1%").arg(percent));
    sbZoom->setVisible(percent != 100);
    if (percent == canvas->zoom())
        return;
    canvas->setZoom(percent);
    Form_Resize();
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Only a window that is shown has a size for the field to fit.
    Form_Resize();
}

QSize frmMain::bodySizeFor(QSize field, int paletteWidth, int paletteBottom) const
{
    return QSize(std::max(field.width(), Frame1->width()) + paletteWidth,
                 std::max(field.height() + Frame1->height(), paletteBottom));
}

QSize frmMain::fieldRoom(int paletteWidth) const
{
    if (!isVisible())
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize body = centralWidget()->size();
    return QSize(std::max(0, body.width() - paletteWidth),
                 std::max(0, body.height() - Frame1->height()));
}

void frmMain::fitFieldToWindow(int paletteWidth)
{
    if (!m_zoom.fitToWindow || !isVisible())
        return;
    showZoom(fitZoom(surface->size(), fieldRoom(paletteWidth)));
}

QSize frmMain::placeFieldView(int paletteWidth)
{
    const QSize room = fieldRoom(paletteWidth);
    const QSize field = canvas->size();
    // A scroll bar across takes height from the room, one down takes width; either may
    // bring on the other.
    const int barWidth = fieldView->verticalScrollBar()->sizeHint().width();
    const int barHeight = fieldView->horizontalScrollBar()->sizeHint().height();
    bool across = field.width() > room.width();
    bool down = field.height() > room.height() - (across ? barHeight : 0);
    across = field.width() > room.width() - (down ? barWidth : 0);
    down = field.height() > room.height() - (across ? barHeight : 0);
    fieldView->setHorizontalScrollBarPolicy(across ? Qt::ScrollBarAlwaysOn
                                                   : Qt::ScrollBarAlwaysOff);
    fieldView->setVerticalScrollBarPolicy(down ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    const QSize view(across ? room.width() : field.width() + (down ? barWidth : 0),
                     down ? room.height() : field.height() + (across ? barHeight : 0));
    fieldView->setGeometry(QRect(QPoint(0, 0), view));
    return view;
}

} // namespace kinetra
