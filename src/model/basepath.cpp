#include "model/basepath.h"

#include <cmath>

namespace kinetra {

namespace {

float distance(LinePoint a, LinePoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

LinePoint direction(LinePoint from, LinePoint to)
{
    const float length = distance(from, to);
    if (!(length > 0))
        return {};
    return {(to.x - from.x) / length, (to.y - from.y) / length};
}

// The base nearest to `p` and closer than `reach`, or -1.
int nearBase(LinePoint p, const std::array<LinePoint, 4> &bases, float reach)
{
    int nearest = -1;
    float shortest = reach;
    for (int b = 0; b < 4; ++b) {
        const float d = distance(p, bases[size_t(b)]);
        if (d < shortest) {
            shortest = d;
            nearest = b;
        }
    }
    return nearest;
}

// Whether `p` lies past base `b` of the running order 1 (first) .. 4 (home after third).
bool isPast(LinePoint p, const std::array<LinePoint, 4> &bases, int b)
{
    const LinePoint at = bases[size_t(b % 4)];
    LinePoint heading = direction(bases[size_t(b - 1)], at);
    if (b < 4) {
        // A runner rounding the base turns toward the next one, so the line that separates
        // "not yet" from "past" runs along the middle of the turn.
        const LinePoint leaving = direction(at, bases[size_t(b + 1) % 4]);
        heading = {heading.x + leaving.x, heading.y + leaving.y};
    }
    return (p.x - at.x) * heading.x + (p.y - at.y) * heading.y > 0;
}

} // namespace

std::vector<LinePoint> basePathBends(LinePoint start, LinePoint end,
                                     const std::array<LinePoint, 4> &bases, float reach)
{
    const int from = nearBase(start, bases, reach);
    if (from < 0)
        return {};
    // `to` is the base the runner stops at or runs past, counted in running order from home
    // (4 is home after third); the bases before it are rounded.
    int to = nearBase(end, bases, reach);
    if (to == 0 && from > 0)
        to = 4;
    if (to < 0) {
        // The end may lie past a later base and still nearer to an earlier one (a short line
        // back from first toward home lies beyond home, seen from third); a runner has run
        // past a base only once he is nearer to it than to every base he rounded before.
        for (to = 4; to > from; --to) {
            const float d = distance(end, bases[size_t(to % 4)]);
            bool nearest = isPast(end, bases, to);
            for (int b = from; nearest && b < to; ++b)
                nearest = d < distance(end, bases[size_t(b)]);
            if (nearest)
                break;
        }
        if (to == from)
            return {};
        ++to;
    } else if (to <= from) {
        return {};
    }
    std::vector<LinePoint> bends;
    for (int b = from + 1; b < to; ++b)
        bends.push_back(bases[size_t(b % 4)]);
    return bends;
}

} // namespace kinetra
