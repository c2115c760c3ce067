#include "model/basepath.h"

#include <cmath>
#include <numbers>

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

// How far `p` lies beyond base `b` of the running order 1 (first) .. 4 (home after third): at
// first, second and third along the path leaving it, at home along the path arriving there.
float beyond(LinePoint p, const std::array<LinePoint, 4> &bases, int b)
{
    const LinePoint at = bases[size_t(b % 4)];
    const LinePoint heading = b < 4 ? direction(at, bases[size_t(b + 1) % 4])
                                    : direction(bases[3], at);
    return (p.x - at.x) * heading.x + (p.y - at.y) * heading.y;
}

} // namespace

std::vector<int> roundedBases(LinePoint start, LinePoint end, const std::array<LinePoint, 4> &bases,
                              float reach)
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
    } else if (beyond(end, bases, to) > reach / 2) {
        // Rounded and held up a few steps on: the base is rounded all the same.
        ++to;
    }
    std::vector<int> rounded;
    for (int b = from + 1; b < to; ++b)
        rounded.push_back(b % 4);
    return rounded;
}

std::vector<LinePoint> basePathBends(LinePoint start, LinePoint end,
                                     const std::array<LinePoint, 4> &bases, float reach,
                                     float bag)
{
    LinePoint middle;
    for (const LinePoint &base : bases)
        middle = {middle.x + base.x / 4, middle.y + base.y / 4};
    std::vector<LinePoint> bends;
    for (int b : roundedBases(start, end, bases, reach)) {
        const LinePoint at = bases[size_t(b)];
        const LinePoint before = bases[size_t(b + 3) % 4];
        const LinePoint along = direction(before, at);
        LinePoint out{-along.y, along.x};
        if (out.x * (at.x - middle.x) + out.y * (at.y - middle.y) < 0)
            out = {-out.x, -out.y};
        // Far enough back for the curve to bow out and come round to the bag, not hook into it.
        const float sixth = distance(before, at) / 6;
        bends.push_back({at.x + (out.x - 2 * along.x) * sixth,
                         at.y + (out.y - 2 * along.y) * sixth});
        // The bag's sides lie along the base paths, so its inside corner lies half its diagonal
        // from its middle toward the middle of the diamond.
        const LinePoint in = direction(at, middle);
        const float corner = bag * std::numbers::sqrt2_v<float> / 2;
        bends.push_back({at.x + in.x * corner, at.y + in.y * corner});
    }
    return bends;
}

} // namespace kinetra
