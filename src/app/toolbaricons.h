#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace kinetra {

/// Icon of the main window's toolbar button with this key ("New", "Open", "Save", "Print",
/// "InsertB", "InsertA", "InsertC", "InsertProg", "FMove", "Delete", "Notes", "FBack",
/// "FForward", "Play", "Properties", "Help", "About"); a null icon for any other key.
/// Drawn at run time in 16, 24, 32 and 48 pixels; needs a running QGuiApplication.
QIcon toolbarIcon(const QString& key);

/// The program's window icon: a baseball.
QIcon appIcon();

/// The window icon drawn at size x size pixels on a transparent ground (for the desktop's
/// icon theme); needs no running application.
QImage appIconImage(int size);

} // namespace kinetra
