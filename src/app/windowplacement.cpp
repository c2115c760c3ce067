#include "app/windowplacement.h"

#include "prefs/preferencestore.h"
#include "prefs/settingsstore.h"
#include "surface/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace kinetra {

namespace {

const char *const kPlacementKeys[4] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

} // namespace

QRect readMainPlacement(const SettingsStore &store)
{
    const int fallbacks[4] = {10, 10, 7344, 7452};
    int values[4];
    for (int i = 0; i < 4; ++i) {
        const QString text =
            store.read("Settings", kPlacementKeys[i], QString::number(fallbacks[i]));
        values[i] = storeInt(text, -10000000, 10000000, fallbacks[i]);
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

void writeMainPlacement(SettingsStore &store, const QRect &twips)
{
    const int values[4] = {twips.x(), twips.y(), twips.width(), twips.height()};
    for (int i = 0; i < 4; ++i)
        store.write("Settings", kPlacementKeys[i], QString::number(values[i]));
}

QRect openingPlacement(const QRect &storedTwips, QSize least)
{
    // A stored place off every screen (a monitor since removed) comes back onto the primary
    // one.
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QScreen *primary = QGuiApplication::primaryScreen();
    const QRect place = visiblePlacement(
        QRect(twipsToPixels(storedTwips.x()), twipsToPixels(storedTwips.y()),
              twipsToPixels(storedTwips.width()), twipsToPixels(storedTwips.height())),
        screens, primary ? primary->availableGeometry() : QRect());
    const QScreen *onScreen = QGuiApplication::screenAt(place.center());
    if (!onScreen)
        onScreen = primary;
    // At a fractional screen scale the window system may give the window a pixel less than
    // asked for; a pixel more keeps the field whole.
    const qreal ratio = onScreen ? onScreen->devicePixelRatio() : 1.0;
    const int slack = ratio == std::floor(ratio) ? 0 : 1;
    const QSize wanted = place.size().expandedTo(least + QSize(slack, slack));
    return onScreen ? keptOnScreen(QRect(place.topLeft(), wanted), onScreen->availableGeometry())
                    : QRect(place.topLeft(), wanted);
}

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
