#include "model/glide.h"

#include "model/linecurve.h"

#include <algorithm>
#include <cmath>

namespace kinetra {

bool isPlaced(float x)
{
    // Rounding halves to even takes 0.5 to 0, so only values above one half are placed; a
    // value too large for the drawing's 16-bit conversion counts as placed here, and the
    // drawing reports it as it would for the frame itself.
    return std::isfinite(x) ? x > 0.5f : x > 0;
}

namespace {

// Points along each piece of a curve, enough for an even speed on the longest line a field
// holds.
constexpr int kCurveSteps = 32;

template <size_t N>
void glideFamily(std::array<float, N> &x, std::array<float, N> &y, const std::array<float, N> &toX,
                 const std::array<float, N> &toY, double t)
{
    for (size_t i = 0; i < N; ++i) {
        if (!isPlaced(x[i]) || !isPlaced(toX[i]))
            continue;
        x[i] = float(x[i] + (double(toX[i]) - x[i]) * t);
        y[i] = float(y[i] + (double(toY[i]) - y[i]) * t);
    }
}

} // namespace

GlidePlan::GlidePlan(const PlayConfig &from, const PlayConfig &to, const ItemSizes &sizes)
    : m_from(from)
    , m_to(to)
{
    for (const LineMove &move : lineMoves(from, sizes)) {
        // A line without bends is the straight glide already.
        if (!move.line.bends.empty() && standsAt(to, move.item, move.line.end, sizes))
            follow(move.item, move.line);
    }
}

void GlidePlan::follow(ItemId item, const ActionLine &line)
{
    const auto [fromX, fromY] = itemCoordinates(m_from, item);
    const auto [toX, toY] = itemCoordinates(m_to, item);
    Path path{item, {*fromX, *fromY}, {*toX, *toY}, line.start, line.end, {}, {}};
    path.points = curvePoints(line, kCurveSteps);
    path.lengths.reserve(path.points.size());
    double length = 0;
    for (size_t i = 0; i < path.points.size(); ++i) {
        if (i > 0) {
            length += std::hypot(double(path.points[i].x) - path.points[i - 1].x,
                                 double(path.points[i].y) - path.points[i - 1].y);
        }
        path.lengths.push_back(length);
    }
    if (!std::isfinite(length) || length <= 0)
        return; // nothing to follow: the item glides straight
    m_paths.push_back(std::move(path));
}

PlayConfig GlidePlan::at(double t) const
{
    PlayConfig frame = m_from;
    t = std::clamp(t, 0.0, 1.0);
    if (t == 0.0)
        return frame;
    glideFamily(frame.OPlayerX, frame.OPlayerY, m_to.OPlayerX, m_to.OPlayerY, t);
    glideFamily(frame.DPlayerX, frame.DPlayerY, m_to.DPlayerX, m_to.DPlayerY, t);
    // At t = 1 the sums are exact (float differences fit a double), so the items land on
    // their new places bit for bit.
    glideFamily(frame.SYMBOLX, frame.SYMBOLY, m_to.SYMBOLX, m_to.SYMBOLY, t);
    if (t == 1.0)
        return frame;
    for (const Path &path : m_paths) {
        // The point that far along the curve's length, between the two points around it.
        const double along = path.lengths.back() * t;
        const size_t i = size_t(
            std::upper_bound(path.lengths.begin(), path.lengths.end(), along) -
            path.lengths.begin());
        const size_t b = std::clamp<size_t>(i, 1, path.points.size() - 1);
        const double span = path.lengths[b] - path.lengths[b - 1];
        const double f = span > 0 ? std::clamp((along - path.lengths[b - 1]) / span, 0.0, 1.0)
                                  : 0.0;
        const LinePoint p = path.points[b - 1];
        const LinePoint q = path.points[b];
        const double x = p.x + (double(q.x) - p.x) * f +
                         (double(path.itemFrom.x) - path.start.x) * (1 - t) +
                         (double(path.itemTo.x) - path.end.x) * t;
        const double y = p.y + (double(q.y) - p.y) * f +
                         (double(path.itemFrom.y) - path.start.y) * (1 - t) +
                         (double(path.itemTo.y) - path.end.y) * t;
        const auto [xs, ys] = itemCoordinates(frame, path.item);
        *xs = float(x);
        *ys = float(y);
    }
    return frame;
}

PlayConfig glideFrame(const PlayConfig &from, const PlayConfig &to, double t,
                      const ItemSizes &sizes)
{
    return GlidePlan(from, to, sizes).at(t);
}

} // namespace kinetra
