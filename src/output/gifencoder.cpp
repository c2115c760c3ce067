#include "output/gifencoder.h"

#include "model/runtimeerror.h"

#include <gif_lib.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kinetra {

namespace {

constexpr int kMaxColors = 256;
// A first image with more colours than a table holds gives this many by median cut; the rest
// of the table is an even spread (5 x 5 x 5) for colours that come later.
constexpr int kMedianCutColors = 131;

// The colour table every image of one animation is shown in (see GifEncoder).
std::vector<QRgb> colourTable(const QImage &image, bool &exact)
{
    std::unordered_set<QRgb> own;
    QRgb last = 0;
    for (int y = 0; y < image.height() && own.size() <= size_t(kMaxColors); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = line[x] & 0xffffff;
            if ((x > 0 || y > 0) && rgb == last)
                continue;
            last = rgb;
            own.insert(rgb);
        }
    }
    std::vector<QRgb> table;
    exact = own.size() <= size_t(kMaxColors);
    if (!exact) {
        // Median cut over a sample of the pixels, which at a large scale is plenty: the
        // whole picture would need four times its size again in memory.
        const qint64 pixels = qint64(image.width()) * image.height();
        const int step = std::max<int>(1, int(std::sqrt(double(pixels) / 250000.0)));
        std::vector<GifByteType> red, green, blue;
        for (int y = 0; y < image.height(); y += step) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); x += step) {
                red.push_back(GifByteType(qRed(line[x])));
                green.push_back(GifByteType(qGreen(line[x])));
                blue.push_back(GifByteType(qBlue(line[x])));
            }
        }
        std::vector<GifByteType> out(red.size());
        std::vector<GifColorType> colors(kMaxColors);
        int size = kMedianCutColors;
        if (GifQuantizeBuffer(unsigned(red.size()), 1, &size, red.data(), green.data(),
                              blue.data(), out.data(), colors.data())
            != GIF_OK)
            throw RuntimeError(ErrorCode::OutOfMemory);
        for (int i = 0; i < std::clamp(size, 1, kMedianCutColors); ++i)
            table.push_back(qRgb(colors[size_t(i)].Red, colors[size_t(i)].Green,
                                 colors[size_t(i)].Blue)
                            & 0xffffff);
    } else {
        table.assign(own.begin(), own.end());
        std::sort(table.begin(), table.end());
    }
    // Colours that come later and are not in the first image round to the nearest of these.
    int levels = 1;
    while ((levels + 1) * (levels + 1) * (levels + 1) <= kMaxColors - int(table.size()))
        ++levels;
    if (levels >= 2) {
        for (int r = 0; r < levels; ++r)
            for (int g = 0; g < levels; ++g)
                for (int b = 0; b < levels; ++b)
                    table.push_back(qRgb(255 * r / (levels - 1), 255 * g / (levels - 1),
                                         255 * b / (levels - 1))
                                    & 0xffffff);
    }
    return table;
}

// The colours of rect with their indices in a table of their own, when there are at most 256
// and some are not in `table`; else nullopt.
struct OwnColours
{
    std::vector<QRgb> colours;
    std::unordered_map<QRgb, GifByteType> index;
};
std::optional<OwnColours> ownColours(const QImage &image, const QRect &rect,
                                     const std::unordered_map<QRgb, GifByteType> &table)
{
    OwnColours own;
    bool outside = false;
    QRgb last = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb rgb = line[x] & 0xffffff;
            if ((x > rect.left() || y > rect.top()) && rgb == last)
                continue;
            last = rgb;
            if (own.index.count(rgb))
                continue;
            if (own.colours.size() == size_t(kMaxColors))
                return std::nullopt;
            outside |= !table.count(rgb);
            own.index.emplace(rgb, GifByteType(own.colours.size()));
            own.colours.push_back(rgb);
        }
    }
    if (!outside)
        return std::nullopt;
    return own;
}

int nearestIndex(const std::vector<QRgb> &table, QRgb rgb)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < int(table.size()); ++i) {
        const int dr = qRed(table[size_t(i)]) - qRed(rgb);
        const int dg = qGreen(table[size_t(i)]) - qGreen(rgb);
        const int db = qBlue(table[size_t(i)]) - qBlue(rgb);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// giflib wants tables of 2, 4, .. 256 entries; the padding is black and never used.
ColorMapObject *makeMap(const std::vector<QRgb> &table)
{
    int size = 2;
    while (size < int(table.size()))
        size *= 2;
    std::vector<GifColorType> colors(size_t(size), GifColorType{0, 0, 0});
    for (size_t i = 0; i < table.size(); ++i)
        colors[i] = {GifByteType(qRed(table[i])), GifByteType(qGreen(table[i])),
                     GifByteType(qBlue(table[i]))};
    ColorMapObject *map = GifMakeMapObject(size, colors.data());
    if (!map)
        throw RuntimeError(ErrorCode::OutOfMemory);
    return map;
}

int appendBytes(GifFileType *gif, const GifByteType *data, int length)
{
    // giflib is C: nothing may be thrown through it. A short write makes it report an error.
    try {
        static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data),
                                                         length);
        return length;
    } catch (...) {
        return 0;
    }
}

// Up to this size the last image is kept, so that the rows it shares with the next are not
// looked up again; a larger one would cost more memory than the time it saves is worth.
constexpr qsizetype kKeptImageBytes = 16 << 20;

void check(int result)
{
    if (result != GIF_OK)
        throw RuntimeError(ErrorCode::OutOfMemory, "Out of memory");
}

} // namespace

struct GifEncoder::GifState
{
    GifFileType *file = nullptr;
    QSize size;
    std::vector<QRgb> table;
    /// The table index each colour met so far is shown as.
    std::unordered_map<QRgb, GifByteType> choice;
    /// Recent choices by a hash of the colour: a textured field changes colour at nearly every
    /// pixel, and this spares most of those lookups. An entry's colour has bit 24 set once used.
    struct Recent
    {
        QRgb rgb = 0;
        GifByteType index = 0;
    };
    static constexpr size_t kRecentSize = 4096;
    std::vector<Recent> recent = std::vector<Recent>(kRecentSize);
    /// What the screen shows after the last image, as table indices; one row of the image
    /// being added.
    std::vector<unsigned char> shown, row;
    /// The last image stored, when it is small enough to keep (see kKeptImageBytes).
    QImage last;
    /// Whether the table holds the first image's own colours.
    bool exact = false;
    std::unordered_map<QRgb, GifByteType> tableIndex;
    QByteArray chunk;   ///< giflib's output not yet handed on
    QByteArray pending; ///< the last image's codes, waiting for its delay
    int pendingDelayMs = 0;

    ~GifState()
    {
        if (file)
            EGifCloseFile(file, nullptr);
    }
};

GifEncoder::GifEncoder() = default;

GifEncoder::GifEncoder(Output output)
    : m_output(std::move(output))
{
}

GifEncoder::~GifEncoder() = default;

int GifEncoder::imageCount() const
{
    return m_count;
}

void GifEncoder::send(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    if (m_output)
        m_output(bytes.constData(), bytes.size());
    else
        m_bytes.append(bytes);
}

void GifEncoder::start(const QImage &first)
{
    m_gif = std::make_unique<GifState>();
    GifState &gif = *m_gif;
    gif.size = first.size();
    gif.table = colourTable(first, gif.exact);
    for (int i = int(gif.table.size()) - 1; i >= 0; --i)
        gif.tableIndex[gif.table[size_t(i)]] = GifByteType(i);
    gif.choice = gif.tableIndex;
    const size_t pixels = size_t(first.width()) * size_t(first.height());
    gif.shown.resize(pixels);
    gif.row.resize(size_t(first.width()));

    int error = 0;
    gif.file = EGifOpen(&gif.chunk, appendBytes, &error);
    if (!gif.file)
        throw RuntimeError(ErrorCode::OutOfMemory);
    EGifSetGifVersion(gif.file, true);
    ColorMapObject *map = makeMap(gif.table);
    const int result = EGifPutScreenDesc(gif.file, first.width(), first.height(), 8, 0, map);
    GifFreeMapObject(map);
    check(result);
    // Loop forever: the application extension browsers and viewers read.
    static const GifByteType netscape[] = "NETSCAPE2.0";
    static const GifByteType loop[] = {1, 0, 0};
    check(EGifPutExtensionLeader(gif.file, APPLICATION_EXT_FUNC_CODE));
    check(EGifPutExtensionBlock(gif.file, 11, netscape));
    check(EGifPutExtensionBlock(gif.file, 3, loop));
    check(EGifPutExtensionTrailer(gif.file));
    send(std::exchange(gif.chunk, QByteArray()));
}

bool GifEncoder::mapRow(const QImage &image, int y, unsigned char *indices)
{
    bool exact = true;
    GifState &gif = *m_gif;
    const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    // Neighbouring pixels mostly share a colour, so the last lookup is kept.
    QRgb last = 0;
    unsigned char lastIndex = 0;
    const int width = image.width();
    for (int x = 0; x < width; ++x) {
        const QRgb rgb = line[x] & 0xffffff;
        if (x == 0 || rgb != last) {
            GifState::Recent &r =
                gif.recent[((rgb * 2654435761u) >> 20) & (GifState::kRecentSize - 1)];
            if (r.rgb != (rgb | 0x1000000)) {
                auto it = gif.choice.find(rgb);
                if (it == gif.choice.end())
                    it = gif.choice.emplace(rgb, GifByteType(nearestIndex(gif.table, rgb))).first;
                r = {rgb | 0x1000000, it->second};
            }
            last = rgb;
            lastIndex = r.index;
            exact = exact && gif.table[lastIndex] == rgb;
        }
        indices[x] = lastIndex;
    }
    return exact;
}

void GifEncoder::addImage(const QImage &image, int delayMs)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull())
        throw RuntimeError(ErrorCode::OutOfMemory);
    const bool first = !m_gif;
    if (first)
        start(rgb);
    else if (rgb.size() != m_gif->size)
        throw RuntimeError(ErrorCode::InvalidPropertyValue);
    GifState &gif = *m_gif;
    const int width = rgb.width();
    auto shownRow = [&](int y) { return gif.shown.data() + size_t(y) * size_t(width); };

    // What differs from the screen, a row at a time: a second index image would cost as much
    // memory again as the first.
    QRect rect = rgb.rect();
    if (!first) {
        int left = width, right = -1, top = -1, bottom = -1;
        // Where the colours changed, when the last image was kept; else where the indices did.
        auto differs = [&](const auto *was, const auto *now, size_t bytes) {
            if (std::memcmp(was, now, bytes) == 0)
                return false;
            int x = 0;
            while (was[x] == now[x])
                ++x;
            left = std::min(left, x);
            int r = width - 1;
            while (r > right && was[r] == now[r])
                --r;
            right = std::max(right, r);
            return true;
        };
        for (int y = 0; y < rgb.height(); ++y) {
            bool changed = false;
            if (!gif.last.isNull()) {
                changed = differs(reinterpret_cast<const QRgb *>(gif.last.constScanLine(y)),
                                  reinterpret_cast<const QRgb *>(rgb.constScanLine(y)),
                                  size_t(width) * sizeof(QRgb));
            } else {
                mapRow(rgb, y, gif.row.data());
                changed = differs(shownRow(y), gif.row.data(), size_t(width));
            }
            if (changed) {
                if (top < 0)
                    top = y;
                bottom = y;
            }
        }
        rect = top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
    }
    if (rect.isEmpty()) {
        gif.pendingDelayMs += std::max(0, delayMs);
        return;
    }
    writePending();

    // While the table holds the first image's own colours, a colour it lacked is shown as it
    // is, through a table of the rectangle's own where that fits: every colour then shows as
    // itself in every image. This needs the last image kept, as the indices of the screen are
    // not kept up to date then.
    bool inTable = true;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        inTable = mapRow(rgb, y, shownRow(y)) && inTable;
    std::optional<OwnColours> own;
    if (!inTable && gif.exact && rgb.sizeInBytes() <= kKeptImageBytes)
        own = ownColours(rgb, rect, gif.tableIndex);
    ColorMapObject *map = own ? makeMap(own->colours) : nullptr;
    const int result = EGifPutImageDesc(gif.file, rect.x(), rect.y(), rect.width(),
                                        rect.height(), false, map);
    if (map)
        GifFreeMapObject(map);
    check(result);
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        if (own) {
            const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            for (int x = rect.left(); x <= rect.right(); ++x)
                gif.row[size_t(x - rect.left())] = own->index.at(line[x] & 0xffffff);
            check(EGifPutLine(gif.file, gif.row.data(), rect.width()));
        } else {
            check(EGifPutLine(gif.file, shownRow(y) + rect.x(), rect.width()));
        }
    }
    gif.pending = std::exchange(gif.chunk, QByteArray());
    gif.pendingDelayMs = std::max(0, delayMs);
    ++m_count;
    if (rgb.sizeInBytes() <= kKeptImageBytes)
        gif.last = rgb;
}

void GifEncoder::writePending()
{
    GifState &gif = *m_gif;
    if (gif.pending.isEmpty())
        return;
    // The delay comes first, in the control block before the image, so the image waits for
    // the one after it to know how long it stays.
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_DO_NOT;
    gcb.UserInputFlag = false;
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    gcb.DelayTime = std::clamp(int(std::lround(gif.pendingDelayMs / 10.0)), 1, 65535);
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&gcb, extension);
    QByteArray block;
    block.append('!'); // an extension
    block.append(char(GRAPHICS_EXT_FUNC_CODE));
    block.append(char(length));
    block.append(reinterpret_cast<const char *>(extension), qsizetype(length));
    block.append(char(0));
    send(block);
    send(std::exchange(gif.pending, QByteArray()));
}

QByteArray GifEncoder::finish()
{
    if (!m_gif)
        throw RuntimeError(ErrorCode::InvalidPropertyValue);
    writePending();
    int error = 0;
    const int result = EGifCloseFile(m_gif->file, &error);
    m_gif->file = nullptr;
    if (result != GIF_OK)
        throw RuntimeError(ErrorCode::OutOfMemory);
    send(std::exchange(m_gif->chunk, QByteArray()));
    m_gif.reset();
    m_count = 0;
    return std::exchange(m_bytes, QByteArray());
}

} // namespace kinetra
