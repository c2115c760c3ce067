#include "surface/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

namespace kinetra {

namespace {

double logicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

} // namespace

int twipsToPixels(int twips)
{
    return qRound(twips * logicalDpi() / 1440.0);
}

int pixelsToTwips(int pixels)
{
    return qRound(pixels * 1440.0 / logicalDpi());
}

} // namespace kinetra
