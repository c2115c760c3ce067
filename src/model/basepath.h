#pragma once

#include "model/playconfig.h"

#include <array>
#include <vector>

namespace kinetra {

/// The bases a runner rounds on a line drawn from `start` to `end`, as indices into `bases`
/// (home, first, second, third: the bases in running order) in the order he rounds them;
/// running goes on from third to home. A point is near a base when it lies less than `reach`
/// pixels from it (from the nearest one when several are that close).
///
/// The line must start near a base. When it ends near a later base in running order (home
/// again after third), he rounds the bases in between, and that base too when the end lies past
/// it by more than half the reach: at first, second and third along the path to the next base,
/// at home along the path arriving from third. When it ends near no base, he has run past a
/// base: the last one going round that the end lies past and lies nearer to than to the start
/// base and to each base in between; he rounds the bases after the start up to and including
/// that one. A point away from the bases lies past a base when it is beyond the line through
/// the base square to the runner's heading there; at first, second and third the heading is
/// halfway between the path arriving at the base and the path leaving it (so a point on the way
/// from third to home is past third), at home it is the path arriving from third. He rounds no
/// base on any other line: one that starts near no base, ends near its start base or an earlier
/// one, runs only to the next base, or ends past no base.
std::vector<int> roundedBases(LinePoint start, LinePoint end, const std::array<LinePoint, 4> &bases,
                              float reach);

/// Bend points that take a line drawn from `start` to `end` round the bases a runner rounds on
/// the way (see roundedBases) as a runner is taught to: for each base, a point a third of the
/// base path (30 feet of 90) short of it and a sixth (15 feet) out from the path toward it, on
/// the side away from the middle of the diamond (into foul ground before first and home, toward
/// the outfield before second and third), then the inside corner of its bag, `bag` pixels wide
/// with its sides along the base paths: the corner facing the middle of the diamond. The curve
/// drawn through these points passes every one of them, so the line swings out before each base
/// and touches its inside corner.
std::vector<LinePoint> basePathBends(LinePoint start, LinePoint end,
                                     const std::array<LinePoint, 4> &bases, float reach,
                                     float bag);

} // namespace kinetra
