#include "model/nextmoment.h"

#include "model/framelist.h"

#include <cmath>
#include <optional>
#include <vector>

namespace kinetra {

namespace {

// Calls visit(x, y, offset) for every player (offence, then defence) and symbol of the frame
// with its stored coordinates and where it stands from them (half a box for a symbol).
template <typename Frame, typename Visit>
void forEachItem(Frame &frame, LinePoint symbolBox, Visit visit)
{
    const LinePoint none{0, 0};
    const LinePoint half{symbolBox.x / 2, symbolBox.y / 2};
    for (size_t i = 0; i < frame.OPlayerX.size(); ++i)
        visit(frame.OPlayerX[i], frame.OPlayerY[i], none);
    for (size_t i = 0; i < frame.DPlayerX.size(); ++i)
        visit(frame.DPlayerX[i], frame.DPlayerY[i], none);
    for (size_t i = 0; i < frame.SYMBOLX.size(); ++i)
        visit(frame.SYMBOLX[i], frame.SYMBOLY[i], half);
}

bool onSurface(float x)
{
    return std::nearbyint(x) > 0;
}

float distance(LinePoint a, LinePoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The first line (in `lines` order) starting at `at`.
const ActionLine *lineFrom(const std::vector<ActionLine> &lines, LinePoint at)
{
    for (const ActionLine &line : lines) {
        if (distance(line.start, at) < kItemReach)
            return &line;
    }
    return nullptr;
}

} // namespace

PlayConfig nextMoment(const PlayConfig &frame, LinePoint symbolBox)
{
    PlayConfig next;
    next.CopyFrame(frame);
    const std::vector<ActionLine> lines = frame.actionLines();
    forEachItem(next, symbolBox, [&](float &x, float &y, LinePoint offset) {
        if (!onSurface(x))
            return;
        if (const ActionLine *line = lineFrom(lines, {x + offset.x, y + offset.y})) {
            x = line->end.x - offset.x;
            y = line->end.y - offset.y;
        }
    });
    for (int kind = 0; kind < kActionCount; ++kind)
        next.clearActionKind(kind);
    return next;
}

InsertOutcome InsertNextMoment(FrameList &frames, LinePoint symbolBox)
{
    if (frames.room() < 1)
        return InsertOutcome::TooManyFrames;
    PlayConfig next = nextMoment(frames.currentFrame(), symbolBox);
    frames.InsertCopies(1);
    frames.frame(int16_t(frames.current() + 1)).CopyFrame(next);
    return InsertOutcome::Inserted;
}

int drawMovementLines(PlayConfig &frame, const PlayConfig &next, int kind, LinePoint symbolBox)
{
    std::vector<std::optional<LinePoint>> later;
    forEachItem(next, symbolBox, [&](const float &x, const float &y, LinePoint offset) {
        later.push_back(onSurface(x) ? std::optional(LinePoint{x + offset.x, y + offset.y})
                                     : std::nullopt);
    });
    const std::vector<ActionLine> lines = frame.actionLines();
    int drawn = 0;
    size_t item = 0;
    forEachItem(frame, symbolBox, [&](const float &x, const float &y, LinePoint offset) {
        const std::optional<LinePoint> to = later[item++];
        const LinePoint from{x + offset.x, y + offset.y};
        if (!onSurface(x) || !to || distance(from, *to) <= kMovedDistance
            || lineFrom(lines, from))
            return;
        if (frame.addActionLine(kind, from, *to))
            ++drawn;
    });
    return drawn;
}

} // namespace kinetra
