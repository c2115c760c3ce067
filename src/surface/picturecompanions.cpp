#include "surface/picturecompanions.h"

#include <QCache>
#include <QDateTime>
#include <QFileInfo>
#include <QMutex>

#include <algorithm>
#include <mutex>

namespace kinetra {

namespace {

struct KeptPicture
{
    qint64 size = 0;
    QDateTime modified;
    QDateTime changed;
    QImage image;
};

// Up to 96 MB of decoded pictures: all four fields with their companions fit.
constexpr qsizetype kKeptKilobytes = 96 * 1024;

QMutex keptLock;
QCache<QString, KeptPicture> &keptPictures()
{
    static QCache<QString, KeptPicture> kept(kKeptKilobytes);
    return kept;
}

} // namespace

QImage readPictureFile(const QString &path)
{
    if (path.isEmpty())
        return QImage();
    const QFileInfo info(path);
    if (!info.isFile())
        return QImage();
    const QString key = info.absoluteFilePath();
    const qint64 size = info.size();
    const QDateTime modified = info.lastModified();
    const QDateTime changed = info.metadataChangeTime();
    {
        const QMutexLocker lock(&keptLock);
        if (const KeptPicture *kept = keptPictures().object(key);
            kept && kept->size == size && kept->modified == modified
            && kept->changed == changed)
            return kept->image;
    }
    QImage image;
    if (!image.load(path) || image.width() < 1 || image.height() < 1)
        return QImage();
    const QMutexLocker lock(&keptLock);
    keptPictures().insert(key, new KeptPicture{size, modified, changed, image},
                          std::max<qsizetype>(1, image.sizeInBytes() / 1024));
    return image;
}

void forgetPictureFiles()
{
    const QMutexLocker lock(&keptLock);
    keptPictures().clear();
}

QString companionFileName(const QString &pictureFile, int density)
{
    const QFileInfo info(pictureFile);
    const QString name = QString("%1@%2x.png").arg(info.completeBaseName()).arg(density);
    const QString folder = pictureFile.left(pictureFile.size() - info.fileName().size());
    return folder + name;
}

struct PictureCompanions::Beside
{
    QString file;
    QSize size;
    std::once_flag read[2];
    QImage image[2];
};

struct PictureCompanions::Changed
{
    PictureCompanions source;
    std::function<QImage(const QImage &)> change;
    std::once_flag made[2];
    QImage image[2];
};

PictureCompanions::PictureCompanions(const QImage &x2, const QImage &x4)
    : m_x2(x2)
    , m_x4(x4)
{
}

PictureCompanions PictureCompanions::besideFile(const QString &pictureFile, QSize pictureSize)
{
    PictureCompanions companions;
    if (!pictureFile.isEmpty()) {
        companions.m_beside = std::make_shared<Beside>();
        companions.m_beside->file = pictureFile;
        companions.m_beside->size = pictureSize;
    }
    return companions;
}

PictureCompanions PictureCompanions::changed(std::function<QImage(const QImage &)> change) const
{
    PictureCompanions companions;
    companions.m_changed = std::make_shared<Changed>();
    companions.m_changed->source = *this;
    companions.m_changed->change = std::move(change);
    return companions;
}

QImage PictureCompanions::atDensity(int density) const
{
    if (m_changed && (density == 2 || density == 4)) {
        Changed &changed = *m_changed;
        const int slot = density == 2 ? 0 : 1;
        std::call_once(changed.made[slot], [&] {
            const QImage image = changed.source.atDensity(density);
            if (!image.isNull())
                changed.image[slot] = changed.change(image);
        });
        return changed.image[slot];
    }
    const QImage &given = density == 2 ? m_x2 : m_x4;
    if (!given.isNull() || !m_beside || (density != 2 && density != 4))
        return given;
    Beside &beside = *m_beside;
    const int slot = density == 2 ? 0 : 1;
    std::call_once(beside.read[slot], [&] {
        const QImage image = readPictureFile(companionFileName(beside.file, density));
        if (image.size() == beside.size * density)
            beside.image[slot] = image;
    });
    return beside.image[slot];
}

QImage pictureForScale(const QImage &picture, const PictureCompanions &companions, qreal scale)
{
    if (scale <= 1.0 || picture.isNull())
        return picture;
    const int wanted = scale <= 2.0 ? 2 : 4;
    if (QImage image = companions.atDensity(wanted); !image.isNull())
        return image;
    if (QImage image = companions.atDensity(6 - wanted); !image.isNull())
        return image;
    return picture;
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
