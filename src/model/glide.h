#pragma once

#include "model/nextmoment.h"
#include "model/playconfig.h"

#include <vector>

namespace kinetra {

/// How the players and symbols move from one frame to the next, worked out once for every
/// step of the glide between them.
///
/// An item that a line of `from` drawn with bend points moves (see lineMoves), and that stands
/// at that line's end in `to` (see standsAt), follows the line's curve at an even speed along
/// its length. The curve is shifted so that it starts at the item's place and ends at its new
/// place: at a fraction t of the way along, the item stands at the curve's point plus (1 - t)
/// times its offset from the start plus t times its offset from the end. Every other player and
/// symbol placed in both frames moves straight between its two places; everything else (items
/// placed in only one frame, text labels, action lines, the active player) is as `from`
/// shows it.
class GlidePlan
{
public:
    GlidePlan(const PlayConfig &from, const PlayConfig &to, const ItemSizes &sizes);

    /// The frame shown a fraction `t` (0..1) of the way: t = 0 gives `from` itself; t = 1 puts
    /// the gliding items where `to` has them, bit for bit. t outside 0..1 is taken as the
    /// nearer end.
    PlayConfig at(double t) const;

private:
    /// The path an item follows along a line: points with the length up to each.
    struct Path
    {
        ItemId item;
        LinePoint itemFrom, itemTo, start, end; // the item's stored points, the line's ends
        std::vector<LinePoint> points;
        std::vector<double> lengths;
    };

    void follow(ItemId item, const ActionLine &line);

    PlayConfig m_from;
    PlayConfig m_to;
    std::vector<Path> m_paths;
};

/// GlidePlan(from, to, sizes).at(t), for a single step.
PlayConfig glideFrame(const PlayConfig &from, const PlayConfig &to, double t,
                      const ItemSizes &sizes);

/// Whether a stored x puts its item on the surface (x rounded to the nearest integer, halves
/// to even, is above 0).
bool isPlaced(float x);

} // namespace kinetra
