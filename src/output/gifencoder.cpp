#include "output/gifencoder.h"

#include "model/runtimeerror.h"

#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_map>
#include <vector>

namespace kinetra {

namespace {

constexpr int kMaxColors = 256;

// A colour table and the index of each of its colours.
struct Palette
{
    std::vector<GifColorType> colors;
    std::unordered_map<QRgb, GifByteType> index;

    // The exact colours of rect, or nullopt when there are more than 256.
    static std::optional<Palette> exact(const QImage &image, const QRect &rect)
    {
        Palette palette;
        QRgb last = 0;
        bool haveLast = false;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QRgb rgb = line[x] & 0xffffff;
                if (haveLast && rgb == last)
                    continue;
                last = rgb;
                haveLast = true;
                if (palette.index.count(rgb))
                    continue;
                if (int(palette.colors.size()) == kMaxColors)
                    return std::nullopt;
                palette.index.emplace(rgb, GifByteType(palette.colors.size()));
                palette.colors.push_back(
                    {GifByteType(qRed(rgb)), GifByteType(qGreen(rgb)), GifByteType(qBlue(rgb))});
            }
        }
        return palette;
    }

    // Table indices of rect's pixels, row by row; nullopt when a colour is not in the table.
    // Neighbouring pixels mostly share a colour, so the last lookup is kept.
    std::optional<std::vector<GifByteType>> indices(const QImage &image, const QRect &rect) const
    {
        std::vector<GifByteType> out(size_t(rect.width()) * size_t(rect.height()));
        GifByteType *to = out.data();
        QRgb last = 0;
        GifByteType lastIndex = 0;
        bool haveLast = false;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QRgb rgb = line[x] & 0xffffff;
                if (!haveLast || rgb != last) {
                    const auto it = index.find(rgb);
                    if (it == index.end())
                        return std::nullopt;
                    last = rgb;
                    lastIndex = it->second;
                    haveLast = true;
                }
                *to++ = lastIndex;
            }
        }
        return out;
    }
};

// Median-cut colours for a rectangle of more than 256 colours: the table and the indices.
std::pair<std::vector<GifColorType>, std::vector<GifByteType>> quantize(const QImage &image,
                                                                         const QRect &rect)
{
    const size_t n = size_t(rect.width()) * size_t(rect.height());
    std::vector<GifByteType> red(n), green(n), blue(n), out(n);
    size_t i = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x, ++i) {
            red[i] = GifByteType(qRed(line[x]));
            green[i] = GifByteType(qGreen(line[x]));
            blue[i] = GifByteType(qBlue(line[x]));
        }
    }
    int size = kMaxColors;
    std::vector<GifColorType> colors(kMaxColors);
    if (GifQuantizeBuffer(unsigned(rect.width()), unsigned(rect.height()), &size, red.data(),
                          green.data(), blue.data(), out.data(), colors.data())
        != GIF_OK)
        throw RuntimeError(ErrorCode::OutOfMemory);
    colors.resize(size_t(std::clamp(size, 1, kMaxColors)));
    return {std::move(colors), std::move(out)};
}

// giflib wants tables of 2, 4, .. 256 entries; the padding is black and never used.
ColorMapObject *makeMap(std::vector<GifColorType> colors)
{
    int size = 2;
    while (size < int(colors.size()))
        size *= 2;
    colors.resize(size_t(size), GifColorType{0, 0, 0});
    ColorMapObject *map = GifMakeMapObject(size, colors.data());
    if (!map)
        throw RuntimeError(ErrorCode::OutOfMemory);
    return map;
}

int appendBytes(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

// The smallest rectangle holding every pixel in which a and b differ; empty when equal.
QRect changedRect(const QImage &a, const QImage &b)
{
    const int width = a.width(), height = a.height();
    int left = width, right = -1, top = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const auto *la = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *lb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        int x = 0;
        while (x < width && ((la[x] ^ lb[x]) & 0xffffff) == 0)
            ++x;
        if (x == width)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        left = std::min(left, x);
        int r = width - 1;
        while (r > right && ((la[r] ^ lb[r]) & 0xffffff) == 0)
            --r;
        right = std::max(right, r);
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

struct GifEncoder::Pending
{
    QImage image;
    int delayMs = 0;
    QRect changed; ///< what differs from the image before it; the whole image for the first
};

struct GifEncoder::GifState
{
    GifFileType *file = nullptr;
    std::optional<Palette> global;

    ~GifState()
    {
        if (file)
            EGifCloseFile(file, nullptr);
    }
    void check(int result) const
    {
        if (result != GIF_OK)
            throw RuntimeError(ErrorCode::OutOfMemory, "Out of memory");
    }
};

GifEncoder::GifEncoder() = default;
GifEncoder::~GifEncoder() = default;

int GifEncoder::imageCount() const
{
    return m_count + (m_pending ? 1 : 0);
}

void GifEncoder::addImage(const QImage &image, int delayMs)
{
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull())
        throw RuntimeError(ErrorCode::OutOfMemory);
    QRect changed = rgb.rect();
    if (m_pending) {
        if (rgb.size() != m_pending->image.size())
            throw RuntimeError(ErrorCode::InvalidPropertyValue);
        changed = changedRect(rgb, m_pending->image);
        if (changed.isEmpty()) {
            m_pending->delayMs += std::max(0, delayMs);
            return;
        }
        flushPending();
    }
    m_pending = std::make_unique<Pending>(Pending{std::move(rgb), std::max(0, delayMs), changed});
}

void GifEncoder::flushPending()
{
    const QImage &image = m_pending->image;
    if (!m_gif) {
        m_gif = std::make_unique<GifState>();
        int error = 0;
        m_gif->file = EGifOpen(&m_bytes, appendBytes, &error);
        if (!m_gif->file)
            throw RuntimeError(ErrorCode::OutOfMemory);
        EGifSetGifVersion(m_gif->file, true);
        const QRect all = image.rect();
        // Without a table of the first image's exact colours every image brings its own.
        m_gif->global = Palette::exact(image, all);
        ColorMapObject *map = m_gif->global ? makeMap(m_gif->global->colors) : nullptr;
        const int result = EGifPutScreenDesc(m_gif->file, image.width(), image.height(), 8, 0,
                                             map);
        if (map)
            GifFreeMapObject(map);
        m_gif->check(result);
        // Loop forever: the application extension browsers and viewers read.
        static const GifByteType netscape[] = "NETSCAPE2.0";
        static const GifByteType loop[] = {1, 0, 0};
        m_gif->check(EGifPutExtensionLeader(m_gif->file, APPLICATION_EXT_FUNC_CODE));
        m_gif->check(EGifPutExtensionBlock(m_gif->file, 11, netscape));
        m_gif->check(EGifPutExtensionBlock(m_gif->file, 3, loop));
        m_gif->check(EGifPutExtensionTrailer(m_gif->file));
    }

    // The image before this one is what the screen shows now.
    const QRect rect = m_pending->changed;

    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_DO_NOT;
    gcb.UserInputFlag = false;
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    gcb.DelayTime = std::clamp(int(std::lround(m_pending->delayMs / 10.0)), 1, 65535);
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&gcb, extension);
    m_gif->check(EGifPutExtension(m_gif->file, GRAPHICS_EXT_FUNC_CODE, int(length), extension));

    std::vector<GifByteType> pixels;
    ColorMapObject *local = nullptr;
    std::optional<std::vector<GifByteType>> global;
    if (m_gif->global)
        global = m_gif->global->indices(image, rect);
    if (global) {
        pixels = std::move(*global);
    } else if (std::optional<Palette> exact = Palette::exact(image, rect)) {
        pixels = std::move(*exact->indices(image, rect));
        local = makeMap(exact->colors);
    } else {
        auto [colors, indices] = quantize(image, rect);
        pixels = std::move(indices);
        local = makeMap(std::move(colors));
    }
    const int result = EGifPutImageDesc(m_gif->file, rect.x(), rect.y(), rect.width(),
                                        rect.height(), false, local);
    if (local)
        GifFreeMapObject(local);
    m_gif->check(result);
    for (int y = 0; y < rect.height(); ++y)
        m_gif->check(EGifPutLine(m_gif->file, pixels.data() + size_t(y) * size_t(rect.width()),
                                 rect.width()));
    ++m_count;
}

QByteArray GifEncoder::finish()
{
    if (!m_pending && !m_gif)
        throw RuntimeError(ErrorCode::InvalidPropertyValue);
    if (m_pending) {
        flushPending();
        m_pending.reset();
    }
    int error = 0;
    const int result = EGifCloseFile(m_gif->file, &error);
    m_gif->file = nullptr;
    m_gif.reset();
    if (result != GIF_OK)
        throw RuntimeError(ErrorCode::OutOfMemory);
    m_count = 0;
    return std::exchange(m_bytes, QByteArray());
}

} // namespace kinetra
