#include "surface/monolooks.h"

#include <QCache>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kinetra {

namespace {

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

// Which pixels are chalk, each chalk pixel grown by `reach` pixels across and down.
std::vector<bool> grownChalk(const QImage &picture, int reach)
{
    const int w = picture.width();
    const int h = picture.height();
    std::vector<bool> chalk(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < w; ++x)
            chalk[size_t(y) * size_t(w) + size_t(x)] = isChalk(line[x]);
    }
    if (reach < 1)
        return chalk;
    std::vector<bool> across(chalk.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int d = std::max(0, x - reach); d <= std::min(w - 1, x + reach); ++d)
                if (chalk[size_t(y) * size_t(w) + size_t(d)]) {
                    across[size_t(y) * size_t(w) + size_t(x)] = true;
                    break;
                }
    std::vector<bool> grown(chalk.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int d = std::max(0, y - reach); d <= std::min(h - 1, y + reach); ++d)
                if (across[size_t(d) * size_t(w) + size_t(x)]) {
                    grown[size_t(y) * size_t(w) + size_t(x)] = true;
                    break;
                }
    return grown;
}

QImage toLightGrey(const QImage &picture)
{
    QImage out = picture.convertToFormat(QImage::Format_RGB32);
    if (!shippedDiamond(out)) {
        for (int y = 0; y < out.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
            for (int x = 0; x < out.width(); ++x)
                line[x] = monoFieldPixel(line[x], false);
        }
        return out;
    }
    // The denser pictures are printed: their marks grow by half a field pixel on each side,
    // so that a two-pixel foul line scaled down to a sheet still fills whole dots of a coarse
    // copy. The field's own picture keeps its pixels exact.
    const int density = out.width() / field::kPictureWidth;
    const std::vector<bool> marks = grownChalk(out, density / 2);
    const QRgb mark = monoFieldPixel(qRgb(255, 255, 255), true);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = marks[size_t(y) * size_t(out.width()) + size_t(x)]
                          ? mark
                          : monoFieldPixel(line[x], false);
    }
    return out;
}

// The point a pixels along the first-base line and b along the third-base line from the tip
// of the diamond's home plate.
field::Point onDiamond(const field::Diamond &d, double a, double b)
{
    return {d.home.x + (a - b) * field::kHalfSqrt2, d.home.y - (a + b) * field::kHalfSqrt2};
}

// Whether the picture has chalk within `reach` of its pixels of field point p, `density`
// pixels to a field pixel.
bool chalkNear(const QImage &picture, field::Point p, int density, int reach)
{
    const int cx = int(std::floor(p.x * density));
    const int cy = int(std::floor(p.y * density));
    for (int y = cy - reach; y <= cy + reach; ++y)
        for (int x = cx - reach; x <= cx + reach; ++x)
            if (picture.valid(x, y) && isChalk(picture.pixel(x, y)))
                return true;
    return false;
}

} // namespace

QColor monoActionColor(int kind)
{
    const bool offenceOrBall = kind == 0 || kind == 1 || kind == 2 || kind == 6;
    return offenceOrBall ? QColor(Qt::black) : QColor(kMonoDarkGrey, kMonoDarkGrey, kMonoDarkGrey);
}

QList<qreal> monoDashes(int16_t type)
{
    // Each dash loses a width to its caps and each gap gains it. A dot keeps half a width of
    // its own: a dash of no length draws nothing on an aliased picture.
    switch (type) {
    case 2: return {3, 3};
    case 3: return {0.5, 3};
    case 4: return {3, 3, 0.5, 3};
    case 5: return {3, 3, 0.5, 3, 0.5, 3};
    default: return {};
    }
}

FrameLooks monoLooks(const FrameLooks &looks)
{
    FrameLooks mono = looks;
    mono.PlayerBcolr = {QColor(Qt::black), QColor(Qt::white)};
    mono.PlayerFcolr = {QColor(Qt::white), QColor(kMonoDarkGrey, kMonoDarkGrey, kMonoDarkGrey)};
    mono.PlayerTcolr = {QColor(Qt::black), QColor(Qt::white)};
    mono.markerOutline = std::max(looks.markerOutline, kMonoMinLineWidth);
    for (size_t k = 0; k < mono.ActionColor.size(); ++k) {
        mono.ActionColor[k] = monoActionColor(int(k));
        mono.ActionSize[k] = std::max(looks.ActionSize[k], kMonoMinLineWidth);
        mono.actionDashes[k] = monoDashes(looks.ActionType[k]);
    }
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

bool isChalk(QRgb pixel)
{
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    const int low = std::min({r, g, b});
    return low >= 224 && std::max({r, g, b}) - low <= 24;
}

QRgb monoFieldPixel(QRgb pixel, bool chalkIsMark)
{
    if (chalkIsMark && isChalk(pixel))
        return qRgb(kMonoChalkGrey, kMonoChalkGrey, kMonoChalkGrey);
    const int g = 255 - (255 - qGray(pixel)) / 4;
    return qRgb(g, g, g);
}

std::array<field::Point, 8> diamondChalkPoints(const field::Diamond &d)
{
    const double path = d.basePath;
    const double bag = d.bag;
    return {field::Point{d.home.x, d.home.y - d.plateWidth / 2},
            onDiamond(d, path - bag / 2, bag / 2),
            onDiamond(d, path, path),
            onDiamond(d, bag / 2, path - bag / 2),
            onDiamond(d, 0.5 * path, 0),
            onDiamond(d, 1.3 * path, 0),
            onDiamond(d, 0, 0.5 * path),
            onDiamond(d, 0, 1.3 * path)};
}

std::array<field::Point, 3> diamondGroundPoints(const field::Diamond &d)
{
    const double path = d.basePath;
    return {onDiamond(d, 0.5 * path, 0.15 * path), onDiamond(d, 0.15 * path, 0.5 * path),
            onDiamond(d, 0.5 * path, -0.15 * path)};
}

const field::Diamond *shippedDiamond(const QImage &picture)
{
    const int density = picture.width() / field::kPictureWidth;
    if (density < 1 || picture.width() != density * field::kPictureWidth
        || picture.height() != density * field::kPictureHeight)
        return nullptr;
    for (const field::Diamond *diamond : {&field::kFullDiamond, &field::kCloseUpDiamond}) {
        const auto chalk = diamondChalkPoints(*diamond);
        const auto ground = diamondGroundPoints(*diamond);
        const bool marked = std::all_of(chalk.begin(), chalk.end(), [&](field::Point p) {
            return chalkNear(picture, p, density, density);
        });
        const bool bare = std::none_of(ground.begin(), ground.end(), [&](field::Point p) {
            return chalkNear(picture, p, density, 0);
        });
        if (marked && bare)
            return diamond;
    }
    return nullptr;
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
