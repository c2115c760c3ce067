#pragma once

#include <QSize>

#include <array>

namespace kinetra {

// The arithmetic of the main window's body: the field's view at the top left, the frame
// controls under it and the palette (tab strip over four pages) beside both. Sizes are logical
// pixels; the palette's size never depends on the zoom.

/// Where the palette's parts go, relative to the right edge of the field or of the frame
/// controls, whichever reaches further.
struct PaletteLayout
{
    QSize tabs;                 ///< the tab strip, 10 twips right of that edge
    std::array<QSize, 4> pages; ///< each page, 20 twips right of it and under the strip
    int width = 0;              ///< from that edge to the palette's right
    int bottom = 0;             ///< the lowest page's bottom
};

/// The palette from the size hints of its tab strip and pages: each keeps its design size
/// unless what it shows needs more room.
PaletteLayout paletteLayout(QSize tabsHint, const std::array<QSize, 4> &pageHints);

/// The body's size with a field of `field` shown whole above `controls`, beside the palette.
QSize bodySizeFor(QSize field, QSize controls, const PaletteLayout &palette);

/// The room a body of `body` leaves the field beside the palette and above `controls`.
QSize fieldRoom(QSize body, QSize controls, const PaletteLayout &palette);

/// How the field's scrolling area shows a field of `field` within `room`: whole where it
/// fits, else with a scroll bar across (barHeight high) or down (barWidth wide) or both.
struct FieldViewPlace
{
    bool barAcross = false;
    bool barDown = false;
    QSize size; ///< what the area takes, bars included
};
FieldViewPlace fieldViewPlace(QSize field, QSize room, int barWidth, int barHeight);

} // namespace kinetra
