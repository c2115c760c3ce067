#include "surface/besidewindow.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kinetra {

std::optional<QPoint> besideWindow(const QRect &main, const QSize &size, const QRect &available)
{
    if (size.width() > available.width() || size.height() > available.height())
        return std::nullopt;
    const int lowestTop = available.bottom() + 1 - size.height();
    const int rightmostLeft = available.right() + 1 - size.width();
    const QPoint places[2] = {
        {main.right() + 1 + kBesideGap, std::clamp(main.top(), available.top(), lowestTop)},
        {std::clamp(main.left(), available.left(), rightmostLeft), main.bottom() + 1 + kBesideGap},
    };
    for (const QPoint &place : places)
        if (available.contains(QRect(place, size)))
            return place;
    return std::nullopt;
}

std::optional<QPoint> besideWindow(const QWidget &main, const QSize &size)
{
    const QScreen *screen = main.screen();
    if (!screen)
        return std::nullopt;
    return besideWindow(main.frameGeometry(), size, screen->availableGeometry());
}

void moveFrame(QWidget &window, QPoint outer, const QWidget *framed)
{
    if (window.isVisible() || !framed) {
        window.move(outer);
        return;
    }
    window.adjustSize();
    const QPoint inset = framed->geometry().topLeft() - framed->frameGeometry().topLeft();
    window.setGeometry(QRect(outer + inset, window.size()));
}

QSize outerSize(const QWidget &window, const QWidget &decorated)
{
    if (window.isVisible())
        return window.frameGeometry().size();
    // A window not yet shown has no frame; windows of one program get the same decorations.
    const QSize decorations = decorated.frameGeometry().size() - decorated.geometry().size();
    return window.sizeHint().expandedTo(window.minimumSize()) + decorations;
}

} // namespace kinetra
