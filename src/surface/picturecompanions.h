#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <memory>

namespace kinetra {

/// Denser versions of a picture file NAME.EXT: NAME@2x.png and NAME@4x.png beside it, two and
/// four times its width and height, drawn when the picture is shown larger than its own size.
/// Either may be missing (a null image). Companions beside a file are read when first drawn,
/// so a window at 100 % never reads them and a print reads only the density it needs; copies
/// share what was read.
class PictureCompanions
{
public:
    PictureCompanions() = default;
    /// Companions already in memory.
    PictureCompanions(const QImage &x2, const QImage &x4);
    /// The companions beside pictureFile, read on first need. One that cannot be read, or
    /// whose size is not its density times pictureSize, is left out.
    static PictureCompanions besideFile(const QString &pictureFile, QSize pictureSize);

    /// The companion of density 2 or 4, a null image when there is none.
    QImage atDensity(int density) const;

    /// These companions changed by `change` (a grey version, say): each is changed when first
    /// asked for, so a density never drawn is never read nor changed.
    PictureCompanions changed(std::function<QImage(const QImage &)> change) const;

private:
    struct Beside;
    struct Changed;
    QImage m_x2;
    QImage m_x4;
    std::shared_ptr<Beside> m_beside;
    std::shared_ptr<Changed> m_changed;
};

/// The picture in a file, or a null image when it cannot be read. A file is decoded once and
/// kept while its size and time stamps stay the same, so the plays of a playbook, a reopened
/// play and the window share their field pictures and the denser companions are read once.
QImage readPictureFile(const QString &path);

/// Drops every picture kept by readPictureFile, so that the next read decodes the file again.
void forgetPictureFiles();

/// The companion file names of a picture file: "fields/Surface0.BMP" gives
/// "fields/Surface0@2x.png" (density 2) and "fields/Surface0@4x.png" (density 4).
QString companionFileName(const QString &pictureFile, int density);

/// Of a picture and its companions, the one to draw at `scale` device pixels per picture
/// pixel: the least dense one that is at least as dense as scale; without such a one, the
/// densest there is (which the painter then enlarges smoothly).
QImage pictureForScale(const QImage &picture, const PictureCompanions &companions, qreal scale);

/// Whether a symbol pixel is see-through: pure white, or more than half transparent.
inline bool seeThrough(QRgb pixel)
{
    return qAlpha(pixel) < 128 || (pixel & 0x00FFFFFFu) == 0x00FFFFFFu;
}

/// The picture as a symbol is composited: pure white pixels and pixels more than half
/// transparent become fully transparent, every other pixel fully opaque.
QImage withWhiteTransparent(const QImage &picture);

} // namespace kinetra
