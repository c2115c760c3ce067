#pragma once

#include <QImage>

namespace kinetra {

/// The palette's active-player marker: a player's circle crossed like the surface's
/// active mark, 24 x 24.
QImage activeMarkerPicture();

/// The picture of text label `index` (0 or 1) on the palette: a capital T with the label's
/// number, 24 x 24.
QImage textLabelPicture(int index);

} // namespace kinetra
