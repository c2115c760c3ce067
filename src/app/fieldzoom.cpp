#include "app/fieldzoom.h"

#include "surface/bodylayout.h"
#include "surface/canvas.h"
#include "surface/surface.h"
#include "surface/toolpalette.h"
#include "surface/twips.h"

#include <QAction>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace kinetra {

FieldZoom::FieldZoom(const Parts &parts, QObject *parent)
    : QObject(parent)
    , m_parts(parts)
{
    connect(m_parts.canvas, &Canvas::zoomRequested, this, [this](int steps) {
        int percent = m_parts.canvas->zoom();
        for (int i = 0; i < std::abs(steps); ++i)
            percent = steps > 0 ? kinetra::zoomIn(percent) : kinetra::zoomOut(percent);
        zoomByHand(percent);
    });
}

void FieldZoom::zoomIn()
{
    zoomByHand(kinetra::zoomIn(m_parts.canvas->zoom()));
}

void FieldZoom::zoomOut()
{
    zoomByHand(kinetra::zoomOut(m_parts.canvas->zoom()));
}

void FieldZoom::actualSize()
{
    zoomByHand(100);
}

void FieldZoom::toggleFit()
{
    m_setting.fitToWindow = !m_setting.fitToWindow;
    layOut();
    show(m_parts.canvas->zoom());
}

void FieldZoom::restore(const ZoomSetting &setting)
{
    m_setting = setting;
    show(setting.percent);
}

void FieldZoom::zoomByHand(int percent)
{
    m_setting.fitToWindow = false;
    show(percent);
}

void FieldZoom::show(int percent)
{
    m_setting.percent = percent;
    m_parts.fit->setChecked(m_setting.fitToWindow);
    m_parts.label->setText(QString("Zoom %1%").arg(percent));
    m_parts.label->setVisible(percent != 100);
    if (percent == m_parts.canvas->zoom())
        return;
    m_parts.canvas->setZoom(percent);
    layOut();
}

void FieldZoom::layOut()
{
    const QWidget *window = m_parts.body->window();
    if (window->isMinimized())
        return;
    ToolPalette &palette = *m_parts.palette;
    palette.tbsPicList->ensurePolished(); // the captions' widths need the style's fonts
    std::array<QSize, 4> pageHints;
    for (size_t k = 0; k < pageHints.size(); ++k)
        pageHints[k] = palette.PicList[k]->sizeHint();
    const PaletteLayout paletteParts = paletteLayout(palette.tbsPicList->sizeHint(), pageHints);
    // The caption box and the frame controls under it take the room under the field as one.
    const int captionHeight = m_parts.caption->sizeHint().height();
    const QSize controls = m_parts.frameControls->size() + QSize(0, captionHeight);
    m_parts.body->setMinimumSize(bodySizeFor(
        zoomedSize(m_parts.surface->size(), kZoomSteps.front()), controls, paletteParts));
    m_wholeFieldBody = bodySizeFor(m_parts.canvas->size(), controls, paletteParts);

    // Only a window that is shown has a size for the field to fit; until then the room is
    // unbounded.
    QSize room(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (window->isVisible()) {
        room = fieldRoom(m_parts.body->size(), controls, paletteParts);
        if (m_setting.fitToWindow) {
            show(fitZoom(m_parts.surface->size(), room));
            room = fieldRoom(m_parts.body->size(), controls, paletteParts);
        }
    }

    QScrollArea &view = *m_parts.view;
    const FieldViewPlace place =
        fieldViewPlace(m_parts.canvas->size(), room, view.verticalScrollBar()->sizeHint().width(),
                       view.horizontalScrollBar()->sizeHint().height());
    view.setHorizontalScrollBarPolicy(place.barAcross ? Qt::ScrollBarAlwaysOn
                                                      : Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(place.barDown ? Qt::ScrollBarAlwaysOn
                                                  : Qt::ScrollBarAlwaysOff);
    view.setGeometry(QRect(QPoint(0, 0), place.size));

    // The palette stands right of the field or of the frame controls under it, whichever
    // reaches further, so nothing lies on top of it at a small zoom.
    const int fieldRight = std::max(place.size.width(), controls.width());
    palette.tbsPicList->setGeometry(QRect(QPoint(fieldRight + twipsToPixels(10), 0),
                                          paletteParts.tabs));
    for (size_t k = 0; k < pageHints.size(); ++k)
        palette.PicList[k]->setGeometry(
            QRect(QPoint(fieldRight + twipsToPixels(20), twipsToPixels(360)),
                  paletteParts.pages[k]));
    m_parts.caption->setGeometry(0, view.y() + place.size.height(), fieldRight, captionHeight);
    m_parts.frameControls->move(0, view.y() + place.size.height() + captionHeight);
}

} // namespace kinetra
