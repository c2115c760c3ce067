#include "surface/bodylayout.h"

#include "surface/twips.h"

#include <algorithm>

namespace kinetra {

PaletteLayout paletteLayout(QSize tabsHint, const std::array<QSize, 4> &pageHints)
{
    PaletteLayout palette;
    palette.tabs = QSize(std::max(twipsToPixels(2772), tabsHint.width()),
                         std::max(twipsToPixels(360), tabsHint.height()));
    palette.width = twipsToPixels(10) + palette.tabs.width();
    palette.bottom = palette.tabs.height();
    for (size_t k = 0; k < pageHints.size(); ++k) {
        const int design = twipsToPixels(k == 0 ? 2292 : 2412);
        const QSize page(std::max({design, palette.tabs.width() - twipsToPixels(10),
                                   pageHints[k].width()}),
                         std::max(twipsToPixels(4812), pageHints[k].height()));
        palette.pages[k] = page;
        palette.width = std::max(palette.width, twipsToPixels(20) + page.width());
        palette.bottom = std::max(palette.bottom, twipsToPixels(360) + page.height());
    }
    return palette;
}

QSize bodySizeFor(QSize field, QSize controls, const PaletteLayout &palette)
{
    return QSize(std::max(field.width(), controls.width()) + palette.width,
                 std::max(field.height() + controls.height(), palette.bottom));
}

QSize fieldRoom(QSize body, QSize controls, const PaletteLayout &palette)
{
    return QSize(std::max(0, body.width() - palette.width),
                 std::max(0, body.height() - controls.height()));
}

FieldViewPlace fieldViewPlace(QSize field, QSize room, int barWidth, int barHeight)
{
    // A scroll bar across takes height from the room, one down takes width; either may
    // bring on the other.
    FieldViewPlace place;
    bool &across = place.barAcross;
    bool &down = place.barDown;
    across = field.width() > room.width();
    down = field.height() > room.height() - (across ? barHeight : 0);
    across = field.width() > room.width() - (down ? barWidth : 0);
    down = field.height() > room.height() - (across ? barHeight : 0);
    place.size = QSize(across ? room.width() : field.width() + (down ? barWidth : 0),
                       down ? room.height() : field.height() + (across ? barHeight : 0));
    return place;
}

} // namespace kinetra
