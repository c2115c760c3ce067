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
    if (!primary.isValid())
        return stored;
    const int width = std::min(stored.width(), primary.width());
    const int height = std::min(stored.height(), std::max(1, primary.height() - titleHeight));
    const int left = std::clamp(stored.left(), primary.left(), primary.right() + 1 - width);
    const int top = std::clamp(stored.top(), primary.top(),
                               std::max(primary.top(), primary.bottom() + 1 - titleHeight - height));
    return QRect(left, top, width, height);
}

} // namespace kinetra
