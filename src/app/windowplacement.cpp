#include "app/windowplacement.h"

#include <algorithm>

namespace kinetra {

QRect visiblePlacement(const QRect &stored, const QList<QRect> &screens, const QRect &primary,
                       int titleHeight)
{
    const QRect titleBar(stored.left(), stored.top(), stored.width(), titleHeight);
    const int reachableWidth = std::min(stored.width(), 100);
    for (const QRect &screen : screens) {
        const QRect seen = titleBar & screen;
        if (seen.width() >= reachableWidth && seen.height() >= titleHeight / 2)
            return stored;
    }
    return keptOnScreen(stored, primary, titleHeight);
}

QRect keptOnScreen(const QRect &place, const QRect &screen, int titleHeight)
{
    if (!screen.isValid())
        return place;
    const int width = std::min(place.width(), screen.width());
    const int height = std::min(place.height(), std::max(1, screen.height() - titleHeight));
    const int left = std::clamp(place.left(), screen.left(), screen.right() + 1 - width);
    const int top = std::clamp(place.top(), screen.top(),
                               std::max(screen.top(), screen.bottom() + 1 - titleHeight - height));
    return QRect(left, top, width, height);
}

} // namespace kinetra
