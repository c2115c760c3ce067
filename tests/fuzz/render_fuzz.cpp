// Feeds arbitrary bytes through the whole path from a play file to pixels and frame commands.
// The input is a play followed by kCommandBytes bytes that give the frame commands' arguments.
// When the play opens, its first frames are drawn by the real renderer with the default looks,
// as the window draws them after opening (further lines and bends of the block after the
// labels included); then Insert Progressive runs between frames 1 and 2 and MoveFrame on
// frame 1, and the changed frames are drawn again.
// Whatever the bytes: no pixel is written outside the surface image, the frame list holds what
// the commands promise, and every failure reaches the error reporter as a run-time error.

#include "model/failurereport.h"
#include "model/frameinsertion.h"
#include "model/playfile.h"
#include "model/playfilereader.h"
#include "model/runtimeerror.h"
#include "prefs/playlooks.h"
#include "prefs/preferences.h"
#include "prefs/preferencestore.h"
#include "prefs/settingsstore.h"
#include "surface/colors.h"
#include "surface/framelooks.h"
#include "surface/framerenderer.h"
#include "surface/picturefiles.h"
#include "surface/surface.h"

#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

using namespace kinetra;

namespace {

// Frames drawn after opening, and frames drawn again after the commands.
constexpr int kFramesDrawn = 64;
constexpr int kFramesRedrawn = 16;
// Largest count Insert Progressive is asked for; the refusals below 1 are reached too.
constexpr int kMaxInsert = 100;

[[noreturn]] void fault(const char *what)
{
    std::fprintf(stderr, "render_fuzz: %s\n", what);
    std::abort();
}

// The first-run preference record: every key absent.
class EmptyStore : public SettingsStore
{
public:
    QString read(const QString &, const QString &, const QString &def) const override
    {
        return def;
    }
    void write(const QString &, const QString &, const QString &) override {}
    QStringList keys(const QString &) const override { return {}; }
    void sync() override {}
};

// Arguments of the frame commands, from the last bytes of the input.
struct Commands
{
    int count = 0;
    int16_t Xinc = 0, Yinc = 0, xWIDTH = 0, yHEIGHT = 0;
    std::array<int16_t, 4> groups{}; // IPly, ISym, IAct, ITxt
};
constexpr size_t kCommandBytes = 10;

Commands commandsFrom(const uint8_t *tail)
{
    auto int16At = [tail](int i) { return int16_t(uint16_t(tail[i] | tail[i + 1] << 8)); };
    Commands c;
    // -10 .. kMaxInsert: mostly real counts, a few refusals.
    c.count = int(tail[0] % (kMaxInsert + 11)) - 10;
    c.Xinc = int16At(1);
    c.Yinc = int16At(3);
    c.xWIDTH = int16At(5);
    c.yHEIGHT = int16At(7);
    // Each group flag is 1 (ticked), 0, or a value that is neither.
    static constexpr int16_t kFlags[4] = {1, 0, 2, -1};
    for (int g = 0; g < 4; ++g)
        c.groups[size_t(g)] = kFlags[(tail[9] >> (2 * g)) & 3];
    return c;
}

// The surface draws into an image laid over a larger buffer: rows wider than the image and
// extra rows above and below, all holding a value no drawing produces (drawn RGB32 pixels
// are opaque). After drawing, every guard pixel must still hold it.
class GuardedImage
{
public:
    static constexpr uint32_t kCanary = 0x00C0FFEEu;
    static constexpr int kPadPixels = 8;
    static constexpr int kGuardRows = 32;

    explicit GuardedImage(const QImage &field)
        : m_field(field.convertToFormat(QImage::Format_RGB32))
        , m_width(m_field.width())
        , m_height(m_field.height())
        , m_stride(m_width + kPadPixels)
        , m_buffer(size_t(m_stride) * size_t(m_height + 2 * kGuardRows), kCanary)
    {
    }

    // The bare field over the guarded buffer, for the surface to draw on.
    QImage fresh()
    {
        for (int y = 0; y < m_height; ++y)
            std::memcpy(row(y), m_field.constScanLine(y), size_t(m_width) * 4);
        return QImage(reinterpret_cast<uchar *>(row(0)), m_width, m_height, m_stride * 4,
                      QImage::Format_RGB32);
    }

    const uchar *bits() { return reinterpret_cast<const uchar *>(row(0)); }

    bool guardsIntact() const
    {
        for (int y = -kGuardRows; y < m_height + kGuardRows; ++y) {
            const uint32_t *line = row(y);
            const bool inside = y >= 0 && y < m_height;
            for (int x = inside ? m_width : 0; x < m_stride; ++x)
                if (line[x] != kCanary)
                    return false;
        }
        return true;
    }

private:
    uint32_t *row(int y) { return &m_buffer[size_t(y + kGuardRows) * size_t(m_stride)]; }
    const uint32_t *row(int y) const
    {
        return &m_buffer[size_t(y + kGuardRows) * size_t(m_stride)];
    }

    QImage m_field;
    int m_width, m_height, m_stride;
    std::vector<uint32_t> m_buffer;
};

struct Harness
{
    Preferences defaults;
    std::array<QImage, 8> symbols;
    std::optional<GuardedImage> image;
    QFont font;
    QColor labelColor;
    std::vector<std::string> reports;
};

Harness *harness = nullptr;

bool knownActivity(const std::string &activity)
{
    return activity == "Drawing Play" || activity == "Draw Action"
           || activity == "Reading Play" || activity == "Copying Frame";
}

// Draws one frame on the guarded image, as DrawSelected does after wiping the surface.
void drawGuarded(Surface &pic, const PlayConfig &frame, const FrameLooks &looks)
{
    pic.pixels() = harness->image->fresh();
    const QColor fore = pic.foreColor();
    const QColor fill = pic.fillColor();
    FrameRenderer::Draw(frame, pic, looks);
    // The image must still be the guarded one, or the guards would prove nothing.
    if (pic.image().constBits() != harness->image->bits())
        fault("the surface drew into a copy of its image");
    if (!harness->image->guardsIntact())
        fault("drawing wrote outside the surface image");
    // Also after a failure: the next frame's labels and the rubber band draw with these.
    if (pic.foreColor() != fore || pic.fillColor() != fill)
        fault("drawing left the surface with other colours");
    if (pic.lineWidth() != 1 || pic.lineStyle() != 0)
        fault("drawing left the surface without line width 1, solid");
}

bool sameCarriedFields(const PlayConfig &a, const PlayConfig &b)
{
    return a.ActivePlyr == b.ActivePlyr && a.TxtValue == b.TxtValue
           && a.TxtSYMBOLX == b.TxtSYMBOLX && a.TxtSYMBOLY == b.TxtSYMBOLY
           && a.ActionSX == b.ActionSX && a.ActionSY == b.ActionSY && a.ActionEX == b.ActionEX
           && a.ActionEY == b.ActionEY && a.ActionPaths == b.ActionPaths;
}

// Items that are not placed in both S and E keep S's place in every inserted frame.
template <size_t N>
bool keepsUnpairedItems(const std::array<float, N> PlayConfig::*xs,
                        const std::array<float, N> PlayConfig::*ys, const PlayConfig &inserted,
                        const PlayConfig &s, const PlayConfig &e)
{
    for (size_t i = 0; i < N; ++i) {
        if ((s.*xs)[i] > 0 && (e.*xs)[i] > 0)
            continue;
        if ((inserted.*xs)[i] != (s.*xs)[i] || (inserted.*ys)[i] != (s.*ys)[i])
            return false;
    }
    return true;
}

void insertProgressive(FrameList &frames, int n)
{
    const int16_t countBefore = frames.count();
    frames.setCurrent(1);
    // The frames the command must keep: S, E and a bounded run of the later ones.
    std::vector<PlayConfig> before;
    for (int k = 1; k <= std::min<int>(countBefore, kFramesRedrawn + 2); ++k)
        before.push_back(frames.frame(int16_t(k)));

    const InsertOutcome outcome = InsertFrames(frames, n);

    InsertOutcome expected = InsertOutcome::Inserted;
    if (countBefore == 1)
        expected = InsertOutcome::LastFrame;
    else if (n < 1)
        expected = InsertOutcome::NoCount;
    else if (n > FrameList::kMaxFrames - countBefore)
        expected = InsertOutcome::TooManyFrames;
    if (outcome != expected)
        fault("Insert Progressive gave another outcome than its refusal rules");
    if (frames.current() != 1)
        fault("Insert Progressive moved the current frame");
    if (outcome != InsertOutcome::Inserted) {
        if (frames.count() != countBefore)
            fault("a refused Insert Progressive changed the play");
        return;
    }
    if (frames.count() != countBefore + n)
        fault("Insert Progressive left a frame count that does not match its frames");
    const PlayConfig &s = before[0];
    const PlayConfig &e = before[1];
    if (!(frames.frame(1) == s) || !(frames.frame(int16_t(n + 2)) == e))
        fault("Insert Progressive changed its start or end frame");
    for (size_t j = 2; j < before.size(); ++j)
        if (!(frames.frame(int16_t(j + 1 + size_t(n))) == before[j]))
            fault("Insert Progressive did not shift the later frames by the count");
    for (int k = 2; k <= std::min(n + 1, kFramesRedrawn); ++k) {
        const PlayConfig &f = frames.frame(int16_t(k));
        if (!sameCarriedFields(f, s)
            || !keepsUnpairedItems(&PlayConfig::OPlayerX, &PlayConfig::OPlayerY, f, s, e)
            || !keepsUnpairedItems(&PlayConfig::DPlayerX, &PlayConfig::DPlayerY, f, s, e)
            || !keepsUnpairedItems(&PlayConfig::SYMBOLX, &PlayConfig::SYMBOLY, f, s, e))
            fault("an inserted frame is not the start frame where it must be");
    }
}

// Every coordinate that was a number stays one, and items MoveFrame must leave alone stay.
template <size_t N>
bool movedSensibly(const std::array<float, N> &xs, const std::array<float, N> &ys,
                   const std::array<float, N> &oldXs, const std::array<float, N> &oldYs,
                   bool selected)
{
    for (size_t i = 0; i < N; ++i) {
        const bool empty = !(oldXs[i] > 0 || oldYs[i] > 0);
        if ((!selected || empty) && (xs[i] != oldXs[i] || ys[i] != oldYs[i]))
            return false;
        if ((std::isfinite(oldXs[i]) && !std::isfinite(xs[i]))
            || (std::isfinite(oldYs[i]) && !std::isfinite(ys[i])))
            return false;
    }
    return true;
}

void moveFrame(PlayConfig &frame, const Commands &c)
{
    const PlayConfig old = frame;
    frame.MoveFrame(c.Xinc, c.Yinc, c.xWIDTH, c.yHEIGHT, c.groups[0], c.groups[1], c.groups[2],
                    c.groups[3]);
    const bool players = c.groups[0] == 1, symbols = c.groups[1] == 1;
    const bool actions = c.groups[2] == 1, texts = c.groups[3] == 1;
    if (frame.ActivePlyr != old.ActivePlyr || frame.TxtValue != old.TxtValue)
        fault("MoveFrame changed the active player or a label text");
    if (!movedSensibly(frame.OPlayerX, frame.OPlayerY, old.OPlayerX, old.OPlayerY, players)
        || !movedSensibly(frame.DPlayerX, frame.DPlayerY, old.DPlayerX, old.DPlayerY, players)
        || !movedSensibly(frame.SYMBOLX, frame.SYMBOLY, old.SYMBOLX, old.SYMBOLY, symbols)
        || !movedSensibly(frame.TxtSYMBOLX, frame.TxtSYMBOLY, old.TxtSYMBOLX, old.TxtSYMBOLY,
                          texts)
        || !movedSensibly(frame.ActionSX, frame.ActionSY, old.ActionSX, old.ActionSY, actions))
        fault("MoveFrame moved what it must leave, or made a coordinate not a number");
    if (!actions && frame.ActionPaths != old.ActionPaths)
        fault("MoveFrame moved bend points or further lines with the action lines unticked");
    if (frame.ActionPaths.size() != old.ActionPaths.size())
        fault("MoveFrame added or dropped action lines");
    for (size_t i = 0; i < frame.ActionPaths.size(); ++i) {
        const ActionPath &path = frame.ActionPaths[i];
        if (path.id != old.ActionPaths[i].id)
            fault("MoveFrame renamed an action line");
        for (LinePoint p : path.bends)
            if (!std::isfinite(p.x) || !std::isfinite(p.y))
                fault("MoveFrame made a bend point not a number");
    }
    for (int k = 0; k < kActionCount; ++k) {
        const bool moved = actions && (old.ActionSX[k] > 0 || old.ActionSY[k] > 0);
        if (!moved && (frame.ActionEX[k] != old.ActionEX[k] || frame.ActionEY[k] != old.ActionEY[k]))
            fault("MoveFrame moved the end of an action line whose start it left");
    }
}

} // namespace

// Font and desktop-bus libraries keep caches for the life of the process.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libdbus\nleak:libQt6DBus\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Fonts need a GUI application; the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    harness = new Harness;
    EmptyStore store;
    loadPreferences(store, harness->defaults, QString());
    for (int k = 0; k < 8; ++k)
        harness->symbols[size_t(k)] = drawnSymbolPicture(k);
    harness->image.emplace(drawnFieldPicture());
    harness->font = labelFontFromPreferences(harness->defaults);
    harness->labelColor = colorFromRgbInt(harness->defaults.Fontcolor);
    setFailureReporter([](const std::string &activity) {
        if (!knownActivity(activity))
            fault("a failure was reported under an unknown activity");
        try {
            throw;
        } catch (const RuntimeError &e) {
            if (e.code() <= 0 || e.description().empty())
                fault("a failure without a run-time error code or description");
        } catch (...) {
            fault("a failure that is not one of the program's run-time errors");
        }
        harness->reports.push_back(activity);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < kCommandBytes)
        return 0;
    const std::string_view play(reinterpret_cast<const char *>(data), size - kCommandBytes);
    const Commands commands = commandsFrom(data + size - kCommandBytes);
    harness->reports.clear();

    PlayReadResult read = readPlay(play);
    if (read.status != PlayReadStatus::Opened && read.status != PlayReadStatus::OpenedWithFailure)
        return 0;

    // The looks the window opens the play with, over the first-run preferences.
    const Preferences &prefs = harness->defaults;
    FrameLooks looks = FrameLooks::forPlay(openedLooks(read, defaultPlayLooks(prefs)), prefs);
    looks.symbols = harness->symbols;

    Surface pic;
    pic.setPicture(harness->image->fresh().copy());
    pic.setFont(harness->font);
    pic.setForeColor(harness->labelColor);

    FrameList &frames = read.play.frames;
    if (frames.count() != read.frameCount)
        fault("the opened play holds another number of frames than its header");
    frames.setCurrent(1);
    for (int k = 1; k <= std::min<int>(frames.count(), kFramesDrawn); ++k)
        drawGuarded(pic, frames.frame(int16_t(k)), looks);

    insertProgressive(frames, commands.count);
    moveFrame(frames.frame(1), commands);

    // The play stays usable: its first frames, the inserted ones among them, draw again.
    for (int k = 1; k <= std::min<int>(frames.count(), kFramesRedrawn); ++k)
        drawGuarded(pic, frames.frame(int16_t(k)), looks);
    try {
        frames.frame(frames.count());
    } catch (...) {
        fault("the last frame of the list cannot be reached");
    }
    try {
        frames.frame(int16_t(frames.count() + 1));
        fault("the list holds a frame past its count");
    } catch (const RuntimeError &e) {
        if (e.code() != ErrorCode::SubscriptOutOfRange)
            fault("a frame past the count gives another error than Subscript out of range");
    }
    return 0;
}
