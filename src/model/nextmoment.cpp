#include "model/nextmoment.h"

#include "model/framelist.h"

#include <algorithm>
#include <cmath>

namespace kinetra {

namespace {

// Calls visit(item) for every player (offence, then defence) and every symbol.
template <typename Visit>
void forEachItem(Visit visit)
{
    for (int16_t part : {Part::Offense, Part::Defense}) {
        for (int i = 0; i < kPlayersPerSide; ++i)
            visit(ItemId{part, i});
    }
    for (int i = 0; i < kSymbolCount; ++i)
        visit(ItemId{Part::Symbol, i});
}

template <typename Frame>
auto coordinatesOf(Frame &frame, ItemId item)
{
    auto *xs = item.part == Part::Offense   ? frame.OPlayerX.data()
               : item.part == Part::Defense ? frame.DPlayerX.data()
                                            : frame.SYMBOLX.data();
    auto *ys = item.part == Part::Offense   ? frame.OPlayerY.data()
               : item.part == Part::Defense ? frame.DPlayerY.data()
                                            : frame.SYMBOLY.data();
    return std::pair{xs + item.index, ys + item.index};
}

// From an item's stored point to where it stands.
LinePoint standingOffset(ItemId item, const ItemSizes &sizes)
{
    if (item.part != Part::Symbol)
        return {};
    return {sizes.symbolBox.x / 2, sizes.symbolBox.y / 2};
}

float reach(ItemId item, const ItemSizes &sizes)
{
    if (item.part == Part::Symbol)
        return kItemReach;
    return sizes.markerRadius[item.part == Part::Offense ? 0 : 1] + kMarkerSlack;
}

float distance(LinePoint a, LinePoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

bool movesTheBall(int kind)
{
    return kind == ActionKind::Hit || kind == ActionKind::Throw;
}

struct Start
{
    ItemId item;
    float distance;
};

// The item the line was drawn from, and how far its start lies from it.
std::optional<Start> startItem(const PlayConfig &frame, const ActionLine &line,
                               const ItemSizes &sizes)
{
    std::optional<Start> nearest;
    forEachItem([&](ItemId item) {
        if ((item.part == Part::Symbol) != movesTheBall(line.id.kind))
            return;
        const std::optional<LinePoint> at = itemPlace(frame, item, sizes);
        if (!at)
            return;
        const float d = distance(*at, line.start);
        if (d < reach(item, sizes) && (!nearest || d < nearest->distance))
            nearest = Start{item, d};
    });
    return nearest;
}

} // namespace

std::pair<float *, float *> itemCoordinates(PlayConfig &frame, ItemId item)
{
    return coordinatesOf(frame, item);
}

std::pair<const float *, const float *> itemCoordinates(const PlayConfig &frame, ItemId item)
{
    return coordinatesOf(frame, item);
}

std::optional<LinePoint> itemPlace(const PlayConfig &frame, ItemId item, const ItemSizes &sizes)
{
    const auto [x, y] = itemCoordinates(frame, item);
    if (!(std::nearbyint(*x) > 0))
        return std::nullopt;
    const LinePoint offset = standingOffset(item, sizes);
    return LinePoint{*x + offset.x, *y + offset.y};
}

bool standsAt(const PlayConfig &frame, ItemId item, LinePoint at, const ItemSizes &sizes)
{
    const std::optional<LinePoint> place = itemPlace(frame, item, sizes);
    return place && distance(*place, at) < reach(item, sizes);
}

std::vector<LineMove> lineMoves(const PlayConfig &frame, const ItemSizes &sizes)
{
    const std::vector<ActionLine> lines = frame.actionLines();
    std::vector<std::optional<Start>> starts;
    for (const ActionLine &line : lines)
        starts.push_back(startItem(frame, line, sizes));
    std::vector<LineMove> moves;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!starts[i])
            continue;
        // A nearer start, or an equally near one drawn before, takes the item.
        bool taken = false;
        for (size_t j = 0; j < lines.size() && !taken; ++j) {
            taken = j != i && starts[j] && starts[j]->item == starts[i]->item
                    && (starts[j]->distance < starts[i]->distance
                        || (starts[j]->distance == starts[i]->distance && j < i));
        }
        if (!taken)
            moves.push_back({lines[i], starts[i]->item});
    }
    return moves;
}

PlayConfig nextMoment(const PlayConfig &frame, const ItemSizes &sizes)
{
    PlayConfig next;
    next.CopyFrame(frame);
    for (const LineMove &move : lineMoves(frame, sizes)) {
        const auto [x, y] = itemCoordinates(next, move.item);
        const LinePoint offset = standingOffset(move.item, sizes);
        *x = move.line.end.x - offset.x;
        *y = move.line.end.y - offset.y;
    }
    for (int kind = 0; kind < kActionCount; ++kind)
        next.clearActionKind(kind);
    // What the caption said was about the moment before.
    next.Caption.clear();
    return next;
}

InsertOutcome InsertNextMoment(FrameList &frames, const ItemSizes &sizes)
{
    if (frames.room() < 1)
        return InsertOutcome::TooManyFrames;
    PlayConfig next = nextMoment(frames.currentFrame(), sizes);
    frames.InsertCopies(1);
    frames.frame(int16_t(frames.current() + 1)).CopyFrame(next);
    return InsertOutcome::Inserted;
}

int drawMovementLines(PlayConfig &frame, const PlayConfig &next, int fielderKind,
                      const ItemSizes &sizes)
{
    const std::vector<LineMove> moves = lineMoves(frame, sizes);
    const bool fieldersKind = fielderKind == ActionKind::Field || fielderKind == ActionKind::Cover
                              || fielderKind == ActionKind::BackUp
                              || fielderKind == ActionKind::Shift;
    int drawn = 0;
    forEachItem([&](ItemId item) {
        const std::optional<LinePoint> from = itemPlace(frame, item, sizes);
        const std::optional<LinePoint> to = itemPlace(next, item, sizes);
        if (!from || !to || distance(*from, *to) <= kMovedDistance
            || std::ranges::any_of(moves, [&](const LineMove &m) { return m.item == item; }))
            return;
        const int kind = item.part == Part::Offense  ? ActionKind::Run
                         : item.part == Part::Symbol ? ActionKind::Throw
                         : fieldersKind              ? fielderKind
                                                     : ActionKind::Field;
        if (frame.addActionLine(kind, *from, *to))
            ++drawn;
    });
    return drawn;
}

} // namespace kinetra
