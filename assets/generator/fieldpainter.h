#pragma once

#include <QImage>

namespace kinetra {

/// Draws the four field pictures the program offers as play surfaces.
class FieldPainter
{
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 373;

    /// Field picture number 0..3: full baseball field, infield close-up, softball field,
    /// plain practice field. Home plate lies toward the bottom centre.
    static QImage paint(int number);
};

} // namespace kinetra
