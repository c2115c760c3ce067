#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace kinetra {

class SettingsStore;

/// The main window's place in twips (outer top-left, inner size) as section "Settings" keeps
/// it: "MainLeft", "MainTop", "MainWidth", "MainHeight". A missing or unreadable value is
/// 10, 10, 7344 or 7452 in turn.
QRect readMainPlacement(const SettingsStore &store);
void writeMainPlacement(SettingsStore &store, const QRect &twips);

/// Where the main window opens, in pixels: the stored place (twips) brought onto the desktop's
/// screens (see visiblePlacement), no smaller than `least` nor larger than its screen.
QRect openingPlacement(const QRect &storedTwips, QSize least);

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
