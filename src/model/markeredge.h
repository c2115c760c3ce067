#pragma once

#include "model/linecurve.h"

#include <optional>
#include <vector>

namespace kinetra {

/// A player's marker as the field shows it, for ending lines at its edge: a circle of radius
/// `half` around `centre`, or a square reaching `half` from it along both axes.
struct MarkerOutline
{
    LinePoint centre;
    float half = 0;
    bool square = false;

    /// Whether p lies on or within the outline.
    bool contains(LinePoint p) const;
    /// The same outline `margin` larger all round (a square stays a square).
    MarkerOutline grown(float margin) const;
    /// How far it reaches from its centre: a circle's radius, a square's corner.
    float reach() const;
    /// How far it reaches from its centre toward `unit` (a direction of length 1).
    float reachToward(LinePoint unit) const;
    /// Whether `figure`, its points taken from `at`, meets the outline (its rim or inside): a
    /// point, a segment (two points) or a convex polygon (more). An empty figure is the point
    /// `at` itself.
    bool meets(LinePoint at, const std::vector<LinePoint> &figure) const;
};

/// The part of the curve (consecutive pieces, the first starting where the line starts) outside
/// both outlines: from where it leaves `start` (walking from its start) to where it enters
/// `end` (walking back from its end), or where `endFigure` placed at the curve meets `end`,
/// whichever comes first. An outline that does not hold its end of the curve cuts nothing
/// there. Empty when nothing is left outside. A straight line is a single piece.
std::vector<CurvePiece> curveOutside(const std::vector<CurvePiece> &pieces,
                                     const std::optional<MarkerOutline> &start,
                                     const std::optional<MarkerOutline> &end,
                                     const std::vector<LinePoint> &endFigure = {});

/// The direction the curve heads in at its end: from the last control point that differs from
/// the end; (0, 0) for a curve without length.
LinePoint endDirection(const CurvePiece &last);

/// A move from `start` to `end` too short to show between the markers, drawn as a short arrow
/// beside `marker`: its shaft from `from` to `to` (the end marker stands at `to`, reaching
/// `head` further), parallel to the move and on the move's right-hand side (x to the right,
/// y downward), `clearance` clear of the outline and centred on the marker along the move. A
/// move without length points up.
struct ShortArrow
{
    LinePoint from;
    LinePoint to;
};
ShortArrow shortArrow(const MarkerOutline &marker, LinePoint start, LinePoint end, float clearance,
                      float shaft, float head);

} // namespace kinetra
