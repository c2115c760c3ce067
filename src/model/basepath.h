#pragma once

#include "model/playconfig.h"

#include <array>
#include <vector>

namespace kinetra {

/// Bend points that take a line drawn from `start` to `end` round the bases a runner touches on
/// the way, as on a field whose bases in running order (home, first, second, third) lie at
/// `bases`. The line must start within `reach` pixels of a base and end within `reach` of a
/// later base in running order, home again included, or past one (beyond it, seen from the
/// base before it); the bends are then the bases in between, and the base it ran past. Any
/// other line gets no bends.
std::vector<LinePoint> basePathBends(LinePoint start, LinePoint end,
                                     const std::array<LinePoint, 4> &bases, float reach);

} // namespace kinetra
