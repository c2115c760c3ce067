#pragma once

#include <QImage>

namespace kinetra::test {

/// A field with a different dull colour in nearly every pixel (no channel above 0x7F), so any
/// stray write in a bright colour shows.
inline QImage patternedField(int width, int height)
{
    QImage field(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            field.setPixel(x, y, qRgb((x * 7) & 0x7F, (y * 5) & 0x7F, ((x + y) * 3) & 0x7F));
    return field;
}

/// Number of pixels whose colours differ (alpha ignored).
inline int differingPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
    return count;
}

/// Number of pixels of the given colour.
inline int pixelsOf(const QImage &image, QRgb color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
    return count;
}

} // namespace kinetra::test
