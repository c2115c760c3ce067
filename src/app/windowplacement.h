#pragma once

#include <QList>
#include <QRect>

namespace kinetra {

/// Where a window stored at `stored` (outer top-left, inner size, in pixels) opens, given the
/// desktop's screens (their available areas, without panels) and the primary one's: where
/// stored, while its title bar can be reached on some screen (at least 100 pixels of it, or
/// all of a narrower window, and half its height); otherwise on the primary screen, as near
/// the stored place as fits there and shrunk to fit it (leaving `titleHeight` for the title
/// bar the window manager adds).
QRect visiblePlacement(const QRect &stored, const QList<QRect> &screens, const QRect &primary,
                       int titleHeight = 30);

/// `place` (outer top-left, inner size) shrunk to fit `screen` (its available area, leaving
/// `titleHeight` for the title bar) and moved as little as it takes to lie inside it.
QRect keptOnScreen(const QRect &place, const QRect &screen, int titleHeight = 30);

} // namespace kinetra
