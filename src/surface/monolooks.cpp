#include "surface/monolooks.h"

#include <QCache>

#include <algorithm>

namespace kinetra {

namespace {

constexpr int kDarkGrey = 70;

// The same field and symbol pictures are changed for every play of a playbook (they share
// their decoded files): each is changed once and kept, up to 64 MB.
QImage kept(const QImage &picture, char kind, QImage (*change)(const QImage &))
{
    static QCache<QString, QImage> made(64 * 1024);
    if (picture.isNull())
        return picture;
    const QString key = QString("%1%2").arg(kind).arg(picture.cacheKey());
    if (const QImage *known = made.object(key))
        return *known;
    const QImage out = change(picture);
    made.insert(key, new QImage(out), std::max<qsizetype>(1, out.sizeInBytes() / 1024));
    return out;
}

QImage toGrey(const QImage &picture)
{
    QImage out = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                   : QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            const bool white = (p & 0x00FFFFFFu) == 0x00FFFFFFu;
            const int g = white ? 255 : std::min(254, qGray(p));
            line[x] = qRgba(g, g, g, qAlpha(p));
        }
    }
    return out;
}

QImage toLightGrey(const QImage &picture)
{
    QImage out = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int g = 255 - (255 - qGray(line[x])) / 4;
            line[x] = qRgb(g, g, g);
        }
    }
    return out;
}

} // namespace

QColor monoActionColor(int kind)
{
    const bool offenceOrBall = kind == 0 || kind == 1 || kind == 2 || kind == 6;
    return offenceOrBall ? QColor(Qt::black) : QColor(kDarkGrey, kDarkGrey, kDarkGrey);
}

FrameLooks monoLooks(const FrameLooks &looks)
{
    FrameLooks mono = looks;
    for (size_t s = 0; s < 2; ++s) {
        mono.PlayerBcolr[s] = Qt::black;
        mono.PlayerFcolr[s] = Qt::white;
        mono.PlayerTcolr[s] = Qt::black;
    }
    for (size_t k = 0; k < mono.ActionColor.size(); ++k)
        mono.ActionColor[k] = monoActionColor(int(k));
    for (size_t k = 0; k < mono.symbols.size(); ++k) {
        mono.symbols[k] = greyPicture(looks.symbols[k]);
        mono.symbolCompanions[k] = looks.symbolCompanions[k].changed(greyPicture);
    }
    return mono;
}

QImage greyPicture(const QImage &picture)
{
    return kept(picture, 'g', toGrey);
}

QImage lightGreyPicture(const QImage &picture)
{
    return kept(picture, 'l', toLightGrey);
}

PictureCompanions lightGreyCompanions(const PictureCompanions &companions)
{
    return companions.changed(lightGreyPicture);
}

} // namespace kinetra
