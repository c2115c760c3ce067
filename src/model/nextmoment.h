#pragma once

#include "model/frameinsertion.h"
#include "model/playconfig.h"

namespace kinetra {

/// An item stands at a point when its place lies closer than this many pixels to it: the
/// reach of a pointer on the surface.
constexpr float kItemReach = 31;
/// An item counts as moved between two frames when its place differs by more than this many
/// pixels.
constexpr float kMovedDistance = 3;

/// Where items stand, as the next-moment commands measure it: a player at its point, a symbol
/// at the middle of its box (its stored point is the box's top-left corner), so that a line
/// drawn from the middle of a picture starts at the symbol. Only items on the surface (x above
/// 0) count.
///
/// The next moment of `frame`: every player and symbol that stands at the start of one of its
/// action lines stands at that line's end (even off the field), and no lines are left. When
/// several lines start at one item the first of them in actionLines() order (kind, then slot)
/// takes it. Everything else is kept.
PlayConfig nextMoment(const PlayConfig &frame, LinePoint symbolBox);

/// Insert Next Moment: the next moment of the current frame is inserted after it; the current
/// index stays, as with AppendFrame (the command then shows the new frame). Refuses
/// (TooManyFrames) at FrameList::kMaxFrames, changing nothing.
InsertOutcome InsertNextMoment(FrameList &frames, LinePoint symbolBox);

/// Draw Movement Lines: for every player and symbol on the surface in both `frame` and `next`
/// that moved between them and stands at no line's start in `frame`, a line of `kind` from
/// its place in `frame` to its place in `next`. Players first (offence, defence), then
/// symbols; at kMaxLinesInFrame lines the rest are left. Returns how many lines were drawn.
int drawMovementLines(PlayConfig &frame, const PlayConfig &next, int kind, LinePoint symbolBox);

} // namespace kinetra
