#pragma once

#include <QImage>
#include <QString>

namespace kinetra {

/// Denser versions of a picture file NAME.EXT: NAME@2x.png and NAME@4x.png beside it, two and
/// four times its width and height, drawn when the picture is shown larger than its own size.
/// Either may be missing (a null image).
struct PictureCompanions
{
    QImage x2;
    QImage x4;
};

/// The companion file names of a picture file: "fields/Surface0.BMP" gives
/// "fields/Surface0@2x.png" (density 2) and "fields/Surface0@4x.png" (density 4).
QString companionFileName(const QString &pictureFile, int density);

/// The companions beside pictureFile. A companion that cannot be read, or whose size is not
/// its density times pictureSize, is left out.
PictureCompanions loadCompanions(const QString &pictureFile, QSize pictureSize);

/// Of a picture and its companions, the one to draw at `scale` device pixels per picture
/// pixel: the least dense one that is at least as dense as scale; without such a one, the
/// densest there is (which the painter then enlarges smoothly).
const QImage &pictureForScale(const QImage &picture, const PictureCompanions &companions,
                              qreal scale);

/// Whether a symbol pixel is see-through: pure white, or more than half transparent.
inline bool seeThrough(QRgb pixel)
{
    return qAlpha(pixel) < 128 || (pixel & 0x00FFFFFFu) == 0x00FFFFFFu;
}

/// The picture as a symbol is composited: pure white pixels and pixels more than half
/// transparent become fully transparent, every other pixel fully opaque.
QImage withWhiteTransparent(const QImage &picture);

} // namespace kinetra
