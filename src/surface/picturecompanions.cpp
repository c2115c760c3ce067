#include "surface/picturecompanions.h"

#include <QCache>
#include <QFileInfo>

namespace kinetra {

QString companionFileName(const QString &pictureFile, int density)
{
    const QFileInfo info(pictureFile);
    const QString name = QString("%1@%2x.png").arg(info.completeBaseName()).arg(density);
    const QString folder = pictureFile.left(pictureFile.size() - info.fileName().size());
    return folder + name;
}

PictureCompanions loadCompanions(const QString &pictureFile, QSize pictureSize)
{
    auto load = [&](int density) {
        QImage image;
        if (pictureFile.isEmpty() || !image.load(companionFileName(pictureFile, density))
            || image.size() != pictureSize * density)
            return QImage();
        return image;
    };
    return PictureCompanions{load(2), load(4)};
}

const QImage &pictureForScale(const QImage &picture, const PictureCompanions &companions,
                              qreal scale)
{
    if (scale <= 1.0 || picture.isNull())
        return picture;
    if (scale <= 2.0 && !companions.x2.isNull())
        return companions.x2;
    if (!companions.x4.isNull())
        return companions.x4;
    return companions.x2.isNull() ? picture : companions.x2;
}

QImage withWhiteTransparent(const QImage &picture)
{
    // The same few symbol pictures are asked for again with every frame drawn (drawing runs
    // on the user-interface thread only).
    static QCache<qint64, QImage> made(64);
    if (const QImage *known = made.object(picture.cacheKey()))
        return *known;
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            line[x] = seeThrough(line[x]) ? 0u : (line[x] | 0xFF000000u);
        }
    }
    made.insert(picture.cacheKey(), new QImage(out));
    return out;
}

} // namespace kinetra
