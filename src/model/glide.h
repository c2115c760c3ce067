#pragma once

#include "model/playconfig.h"

namespace kinetra {

/// The frame shown a fraction `t` (0..1) of the way through the change from `from` to `to`:
/// every player and symbol placed in both frames stands on the straight line between its two
/// places; everything else (items placed in only one frame, text labels, action lines, the
/// active player) is as `from` shows it. t = 0 gives `from` itself; t = 1 puts the gliding
/// items where `to` has them. t outside 0..1 is taken as the nearer end.
PlayConfig glideFrame(const PlayConfig &from, const PlayConfig &to, double t);

/// Whether a stored x puts its item on the surface (x rounded to the nearest integer, halves
/// to even, is above 0).
bool isPlaced(float x);

} // namespace kinetra
