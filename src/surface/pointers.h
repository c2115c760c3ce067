#pragma once

#include <QCursor>

namespace kinetra {

/// Mouse pointer over the surface while action lines are drawn: a crosshair, hot at its
/// centre, with a small arrow beside it. Needs a running QGuiApplication.
QCursor actionCursor();

/// Mouse pointer over the surface while drawing chalk: a stick of chalk, hot at its tip.
QCursor chalkCursor();

} // namespace kinetra
