#pragma once

#include <QImage>

namespace kinetra {

/// Draws the eight symbol pictures of the palette. Pure white is the transparent colour when a
/// symbol is laid on the field, so the background is pure white and no drawn pixel ever is.
class SymbolPainter
{
public:
    static constexpr int kSize = 24;

    /// Symbol number 1..8: ball, bat, base, home plate, glove, cone, X marker, target. With a
    /// density above 1 it is drawn at that many pixels per picture pixel, still on pure white.
    static QImage paint(int number, int density = 1);
};

} // namespace kinetra
