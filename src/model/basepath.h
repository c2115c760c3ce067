#pragma once

#include "model/playconfig.h"

#include <array>
#include <vector>

namespace kinetra {

/// Bend points that take a line drawn from `start` to `end` round the bases a runner touches on
/// the way, on a field whose bases in running order (home, first, second, third) lie at
/// `bases`; running goes on from third to home. A point is near a base when it lies less than
/// `reach` pixels from it (from the nearest one when several are that close).
///
/// The line must start near a base. When it ends near a later base in running order (home
/// again after third), the bends are the bases in between. When it ends near no base, the
/// runner has run past a base: the last one going round that the end lies past and lies nearer
/// to than to the start base and to each base in between; the bends are the bases after the
/// start up to and including that one.
/// A point lies past a base when it is beyond the line through the base square to the runner's
/// heading there; at first, second and third the heading is halfway between the path arriving
/// at the base and the path leaving it (so a point on the way from third to home is past
/// third), at home it is the path arriving from third. Any other line gets no bends: one that
/// starts near no base, ends near its start base or an earlier one, runs only to the next base,
/// or ends past no base.
std::vector<LinePoint> basePathBends(LinePoint start, LinePoint end,
                                     const std::array<LinePoint, 4> &bases, float reach);

} // namespace kinetra
