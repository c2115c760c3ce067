#pragma once

#include "model/playconfig.h"

#include <vector>

namespace kinetra {

/// One piece of an action line's curve: a cubic Bezier from `from` to `to`.
struct CurvePiece
{
    LinePoint from;
    LinePoint c1;
    LinePoint c2;
    LinePoint to;

    LinePoint at(float t) const;
};

/// The pieces of the smooth curve through a line's start, bend points and end (a Catmull-Rom
/// spline): one piece per stretch between two of these points. A line without bends is one
/// straight piece. The curve leaves the last bend point heading straight for the end, so the
/// end marker points from the last bend (or the start) to the end.
std::vector<CurvePiece> curvePieces(const ActionLine &line);

/// Points along the curve, `steps` per piece, the start and the end included.
std::vector<LinePoint> curvePoints(const ActionLine &line, int steps = 16);

/// Where the curve passes nearest to `p`: the piece (0 from the start to the first bend,
/// 1 from there to the next ..) and the distance in pixels.
struct CurveHit
{
    int piece = 0;
    float distance = 0;
};
CurveHit nearestOnCurve(const ActionLine &line, LinePoint p);

} // namespace kinetra
