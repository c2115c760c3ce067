#pragma once

#include <QImage>

namespace kinetra {

/// Draws the eight symbol pictures of the palette. Pure white is the transparent colour when a
/// symbol is laid on the field, so the background is pure white and no drawn pixel ever is.
class SymbolPainter
{
public:
    static constexpr int kSize = 24;

    /// Symbol number 1..8: ball, bat, base, home plate, glove, cone, X marker, target.
    static QImage paint(int number);
};

} // namespace kinetra
