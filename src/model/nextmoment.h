#pragma once

#include "model/frameinsertion.h"
#include "model/playconfig.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace kinetra {

/// The action-line kinds by what they show, whatever the user calls them: runners run and
/// steal, the ball is hit and thrown, fielders field, cover, back up and shift.
namespace ActionKind {
constexpr int Run = 0;
constexpr int Hit = 1;
constexpr int Throw = 2;
constexpr int Field = 3;
constexpr int Cover = 4;
constexpr int BackUp = 5;
constexpr int Steal = 6;
constexpr int Shift = 7;
} // namespace ActionKind

/// A symbol stands at a point when the middle of its box lies closer than this many pixels to
/// it: the reach of a pointer on the surface.
constexpr float kItemReach = 31;
/// A player stands at a point when it lies closer than this many pixels beyond his marker.
constexpr float kMarkerSlack = 4;
/// An item counts as moved between two frames when its place differs by more than this many
/// pixels.
constexpr float kMovedDistance = 3;

/// How large the items are drawn: a symbol stands at the middle of its box (its stored point is
/// the box's top-left corner), a player at his point, his marker reaching this far around it.
struct ItemSizes
{
    LinePoint symbolBox;
    std::array<float, 2> markerRadius{}; ///< offence, defence
};

/// A player or a symbol of a frame: its family (Part::Offense, Part::Defense or Part::Symbol)
/// and its number in the family.
struct ItemId
{
    int16_t part = 0;
    int index = 0;
    bool operator==(const ItemId &) const = default;
};

/// The stored x and y of `item` in `frame`.
std::pair<float *, float *> itemCoordinates(PlayConfig &frame, ItemId item);
std::pair<const float *, const float *> itemCoordinates(const PlayConfig &frame, ItemId item);

/// Where `item` stands in `frame`, or nullopt when it is not on the surface (x rounds to 0 or
/// less).
std::optional<LinePoint> itemPlace(const PlayConfig &frame, ItemId item, const ItemSizes &sizes);

/// Whether `item` stands at `at`: closer than kItemReach to a symbol's middle, than his marker
/// radius plus kMarkerSlack to a player's point.
bool standsAt(const PlayConfig &frame, ItemId item, LinePoint at, const ItemSizes &sizes);

/// An action line and the item it moves.
struct LineMove
{
    ActionLine line;
    ItemId item;
};

/// Which item each action line of `frame` was drawn from: a Hit or a Throw moves the symbol,
/// every other kind the player, that stands at its start (see standsAt) nearest to it (of
/// equals, offence before defence, then by number). An item several lines start at follows
/// the one whose start lies nearest to it, of equals the first in actionLines() order; the
/// other lines move nothing. In actionLines() order.
std::vector<LineMove> lineMoves(const PlayConfig &frame, const ItemSizes &sizes);

/// The next moment of `frame`: every item a line moves (see lineMoves) stands at that line's
/// end (even off the field), and no lines are left and no caption. Everything else is kept.
PlayConfig nextMoment(const PlayConfig &frame, const ItemSizes &sizes);

/// Insert Next Moment: the next moment of the current frame is inserted after it; the current
/// index stays, as with AppendFrame (the command then shows the new frame). Refuses
/// (TooManyFrames) at FrameList::kMaxFrames, changing nothing.
InsertOutcome InsertNextMoment(FrameList &frames, const ItemSizes &sizes);

/// Draw Movement Lines: for every player and symbol on the surface in both `frame` and `next`
/// that moved between them and that no line of `frame` moves (see lineMoves), a line from
/// where it stands in `frame` to where it stands in `next`: a Run for a runner, a Throw for a
/// symbol, and for a fielder `fielderKind` when it is a fielder's kind (Field, Cover, Back Up,
/// Shift), else a Field. Players first (offence, defence), then symbols; at kMaxLinesInFrame
/// lines the rest are left. Returns how many lines were drawn.
int drawMovementLines(PlayConfig &frame, const PlayConfig &next, int fielderKind,
                      const ItemSizes &sizes);

} // namespace kinetra
