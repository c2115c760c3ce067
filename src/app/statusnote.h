#pragma once

class QStatusBar;
class QString;

namespace kinetra {

/// Shows `text` in the status bar's panel `name` at its left for `milliseconds`, then hides
/// it; the panel (tipped `tip`) is made the first time. The bar's own message would hide
/// under the window's panels, which take all its width.
void showStatusNote(QStatusBar *bar, const QString &name, const QString &tip,
                    const QString &text, int milliseconds);

} // namespace kinetra
