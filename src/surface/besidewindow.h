#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

namespace kinetra {

/// Pixels between the main window and a window beside it, so that the two frames do not
/// touch even where the window manager borders a dialog a little unlike the main window.
constexpr int kBesideGap = 4;

/// Where a window of outer size `size` (title bar and borders included) opens so that it
/// covers nothing of a main window whose outer frame is `main`: kBesideGap right of it, tops
/// aligned, or else kBesideGap below it, left edges aligned; in either place it slides along
/// the main window's edge as far as it must to lie wholly inside `available` (the usable area
/// of the main window's screen). nullopt when it fits in neither place.
std::optional<QPoint> besideWindow(const QRect &main, const QSize &size, const QRect &available);

/// besideWindow for the top-level window `main` as it stands, on its screen's usable area.
std::optional<QPoint> besideWindow(const QWidget &main, const QSize &size);

/// Puts the outer top-left corner of `window` at `outer`. Before a window is first shown the
/// program does not know its frame, and a window manager may then take a frame position for
/// that of the window's inside; so the inside is placed instead, as far in from `outer` as
/// the inside of `framed` (a shown window; none: no frame) lies in its own frame.
void moveFrame(QWidget &window, QPoint outer, const QWidget *framed);

/// The outer size `window` has on the screen: its frame once shown; before that its size
/// hint with the title bar and borders the window manager gave `decorated`.
QSize outerSize(const QWidget &window, const QWidget &decorated);

} // namespace kinetra
