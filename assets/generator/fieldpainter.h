#pragma once

#include "prefs/defaultfield.h"

#include <QImage>

namespace kinetra {

/// Draws the four field pictures the program offers as play surfaces.
class FieldPainter
{
public:
    static constexpr int kWidth = field::kPictureWidth;
    static constexpr int kHeight = field::kPictureHeight;

    /// Field picture number 0..3: full baseball field, infield close-up, softball field,
    /// plain practice field. Home plate lies toward the bottom centre. With a density above
    /// 1 the same field is drawn at that many pixels per picture pixel, for sharp zoomed and
    /// printed pictures: the same places, finer detail.
    static QImage paint(int number, int density = 1);
};

} // namespace kinetra
