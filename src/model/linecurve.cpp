#include "model/linecurve.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kinetra {

namespace {

LinePoint plus(LinePoint a, LinePoint b) { return {a.x + b.x, a.y + b.y}; }
LinePoint minus(LinePoint a, LinePoint b) { return {a.x - b.x, a.y - b.y}; }
LinePoint times(LinePoint a, float f) { return {a.x * f, a.y * f}; }

float distanceToSegment(LinePoint p, LinePoint a, LinePoint b)
{
    const LinePoint ab = minus(b, a);
    const LinePoint ap = minus(p, a);
    const float length2 = ab.x * ab.x + ab.y * ab.y;
    const float t = length2 > 0 ? std::clamp((ap.x * ab.x + ap.y * ab.y) / length2, 0.0f, 1.0f)
                                : 0.0f;
    const LinePoint d = minus(ap, times(ab, t));
    return std::hypot(d.x, d.y);
}

} // namespace

LinePoint CurvePiece::at(float t) const
{
    const float u = 1 - t;
    return plus(plus(times(from, u * u * u), times(c1, 3 * u * u * t)),
                plus(times(c2, 3 * u * t * t), times(to, t * t * t)));
}

std::vector<CurvePiece> curvePieces(const ActionLine &line)
{
    std::vector<LinePoint> p;
    p.reserve(line.bends.size() + 2);
    p.push_back(line.start);
    p.insert(p.end(), line.bends.begin(), line.bends.end());
    p.push_back(line.end);
    if (p.size() == 2)
        return {{line.start, line.start, line.end, line.end}};
    std::vector<CurvePiece> pieces;
    pieces.reserve(p.size() - 1);
    const size_t last = p.size() - 1;
    for (size_t i = 0; i < last; ++i) {
        const LinePoint before = p[i == 0 ? 0 : i - 1];
        const LinePoint after = p[i + 1 == last ? last : i + 2];
        pieces.push_back({p[i], plus(p[i], times(minus(p[i + 1], before), 1.0f / 6)),
                          minus(p[i + 1], times(minus(after, p[i]), 1.0f / 6)), p[i + 1]});
    }
    return pieces;
}

std::vector<LinePoint> curvePoints(const ActionLine &line, int steps)
{
    steps = std::max(steps, 1);
    const std::vector<CurvePiece> pieces = curvePieces(line);
    std::vector<LinePoint> points;
    points.reserve(pieces.size() * size_t(steps) + 1);
    points.push_back(line.start);
    for (const CurvePiece &piece : pieces)
        for (int s = 1; s <= steps; ++s)
            points.push_back(s == steps ? piece.to : piece.at(float(s) / float(steps)));
    return points;
}

CurveHit nearestOnCurve(const ActionLine &line, LinePoint p)
{
    constexpr int kSteps = 16;
    CurveHit best{0, std::numeric_limits<float>::infinity()};
    const std::vector<CurvePiece> pieces = curvePieces(line);
    for (size_t i = 0; i < pieces.size(); ++i) {
        LinePoint previous = pieces[i].from;
        for (int s = 1; s <= kSteps; ++s) {
            const LinePoint next = pieces[i].at(float(s) / kSteps);
            const float d = distanceToSegment(p, previous, next);
            if (d < best.distance)
                best = {int(i), d};
            previous = next;
        }
    }
    return best;
}

} // namespace kinetra
