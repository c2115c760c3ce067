#include "model/markeredge.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kinetra {

namespace {

// Samples a piece is tried at when looking for where the curve crosses an outline; between
// the last sample on one side and the first on the other the crossing is found by halving.
constexpr int kSteps = 16;
constexpr int kHalvings = 24;

LinePoint plus(LinePoint a, LinePoint b) { return {a.x + b.x, a.y + b.y}; }
LinePoint minus(LinePoint a, LinePoint b) { return {a.x - b.x, a.y - b.y}; }
LinePoint times(LinePoint a, float f) { return {a.x * f, a.y * f}; }
LinePoint between(LinePoint a, LinePoint b, float t) { return plus(a, times(minus(b, a), t)); }

float cross(LinePoint a, LinePoint b) { return a.x * b.y - a.y * b.x; }

// Whether the segment from a to b meets the outline.
bool segmentMeets(const MarkerOutline &outline, LinePoint a, LinePoint b)
{
    const LinePoint d = minus(b, a);
    if (!outline.square) {
        const LinePoint ac = minus(outline.centre, a);
        const float length2 = d.x * d.x + d.y * d.y;
        const float t =
            length2 > 0 ? std::clamp((ac.x * d.x + ac.y * d.y) / length2, 0.0f, 1.0f) : 0.0f;
        return outline.contains(plus(a, times(d, t)));
    }
    // The part of the segment within each pair of the square's sides (Liang and Barsky).
    float t0 = 0;
    float t1 = 1;
    const float p[] = {-d.x, d.x, -d.y, d.y};
    const LinePoint low = minus(outline.centre, {outline.half, outline.half});
    const LinePoint high = plus(outline.centre, {outline.half, outline.half});
    const float q[] = {a.x - low.x, high.x - a.x, a.y - low.y, high.y - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const float t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

// A place along the curve: the piece's number plus the fraction through it.
LinePoint pointAt(const std::vector<CurvePiece> &pieces, float s)
{
    const size_t i = std::min(size_t(std::max(0.0f, s)), pieces.size() - 1);
    return pieces[i].at(s - float(i));
}

// Where between `out` (outside) and `in` (inside) the curve crosses into where `inside` holds;
// the answer lies on the outside, within a few millionths of a piece of the crossing.
template<typename Inside>
float crossing(const Inside &inside, float out, float in)
{
    for (int i = 0; i < kHalvings; ++i) {
        const float middle = (out + in) / 2;
        (inside(middle) ? in : out) = middle;
    }
    return out;
}

// The piece between fractions t0 and t1 of it, as a Bezier of its own (de Casteljau).
CurvePiece part(const CurvePiece &p, float t0, float t1)
{
    // The two halves of q split at fraction t.
    auto split = [](const CurvePiece &q, float t) {
        const LinePoint a = between(q.from, q.c1, t);
        const LinePoint b = between(q.c1, q.c2, t);
        const LinePoint c = between(q.c2, q.to, t);
        const LinePoint d = between(a, b, t);
        const LinePoint e = between(b, c, t);
        const LinePoint at = between(d, e, t);
        return std::pair{CurvePiece{q.from, a, d, at}, CurvePiece{at, e, c, q.to}};
    };
    auto from = [&split](const CurvePiece &q, float t) { return split(q, t).second; };
    auto upTo = [&split](const CurvePiece &q, float t) { return split(q, t).first; };
    CurvePiece result = t0 > 0 ? from(p, t0) : p;
    if (t1 < 1)
        result = upTo(result, t0 < 1 ? (t1 - t0) / (1 - t0) : 1);
    return result;
}

} // namespace

bool MarkerOutline::contains(LinePoint p) const
{
    const float dx = std::abs(p.x - centre.x);
    const float dy = std::abs(p.y - centre.y);
    return square ? std::max(dx, dy) <= half : dx * dx + dy * dy <= half * half;
}

bool MarkerOutline::meets(LinePoint at, const std::vector<LinePoint> &figure) const
{
    if (figure.size() < 2)
        return contains(figure.empty() ? at : plus(at, figure.front()));
    if (figure.size() == 2)
        return segmentMeets(*this, plus(at, figure[0]), plus(at, figure[1]));
    // A polygon meets the outline along an edge, or holds it whole (then it holds its centre).
    bool left = false;
    bool right = false;
    for (size_t i = 0; i < figure.size(); ++i) {
        const LinePoint a = plus(at, figure[i]);
        const LinePoint b = plus(at, figure[(i + 1) % figure.size()]);
        if (segmentMeets(*this, a, b))
            return true;
        const float side = cross(minus(b, a), minus(centre, a));
        (side < 0 ? left : right) = true;
    }
    return !(left && right);
}

MarkerOutline MarkerOutline::grown(float margin) const
{
    return {centre, half + margin, square};
}

float MarkerOutline::reach() const
{
    return square ? half * std::sqrt(2.0f) : half;
}

float MarkerOutline::reachToward(LinePoint unit) const
{
    return square ? half * (std::abs(unit.x) + std::abs(unit.y)) : half;
}

std::vector<CurvePiece> curveOutside(const std::vector<CurvePiece> &pieces,
                                     const std::optional<MarkerOutline> &start,
                                     const std::optional<MarkerOutline> &end,
                                     const std::vector<LinePoint> &endFigure)
{
    if (pieces.empty())
        return {};
    const int samples = int(pieces.size()) * kSteps;
    auto place = [](int k) { return float(k) / kSteps; };

    float first = 0;
    if (start && start->contains(pieces.front().from)) {
        int k = 1;
        while (k <= samples && start->contains(pointAt(pieces, place(k))))
            ++k;
        if (k > samples)
            return {};
        first = crossing([&](float s) { return start->contains(pointAt(pieces, s)); }, place(k),
                         place(k - 1));
    }
    float last = float(pieces.size());
    if (end && end->contains(pieces.back().to)) {
        const auto blocked = [&](float s) {
            const LinePoint p = pointAt(pieces, s);
            return end->contains(p) || (!endFigure.empty() && end->meets(p, endFigure));
        };
        int k = samples - 1;
        while (k >= 0 && place(k) > first && blocked(place(k)))
            --k;
        const float out = k >= 0 && place(k) > first ? place(k) : first;
        if (blocked(out))
            return {};
        last = crossing(blocked, out, place(k + 1));
    }
    if (last <= first)
        return {};

    const size_t i0 = std::min(size_t(first), pieces.size() - 1);
    const size_t i1 = std::min(size_t(std::ceil(last)) - 1, pieces.size() - 1);
    const float t0 = first - float(i0);
    const float t1 = last - float(i1);
    if (i0 == i1)
        return {part(pieces[i0], t0, t1)};
    std::vector<CurvePiece> kept;
    kept.reserve(i1 - i0 + 1);
    kept.push_back(part(pieces[i0], t0, 1));
    for (size_t i = i0 + 1; i < i1; ++i)
        kept.push_back(pieces[i]);
    kept.push_back(part(pieces[i1], 0, t1));
    return kept;
}

LinePoint endDirection(const CurvePiece &last)
{
    for (const LinePoint &p : {last.c2, last.c1, last.from}) {
        if (!(p == last.to))
            return minus(last.to, p);
    }
    return {0, 0};
}

ShortArrow shortArrow(const MarkerOutline &marker, LinePoint start, LinePoint end, float clearance,
                      float shaft, float head)
{
    const LinePoint move = minus(end, start);
    const float length = std::hypot(move.x, move.y);
    const LinePoint along = length > 0 ? times(move, 1 / length) : LinePoint{0, -1};
    const LinePoint right{-along.y, along.x};
    const LinePoint middle =
        plus(marker.centre, times(right, marker.reachToward(right) + clearance));
    const LinePoint from = minus(middle, times(along, (shaft + head) / 2));
    return {from, plus(from, times(along, shaft))};
}

} // namespace kinetra
