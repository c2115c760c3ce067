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

bool near(LinePoint a, LinePoint b)
{
    const double d = std::hypot(double(a.x) - b.x, double(a.y) - b.y);
    return std::isfinite(d) && d < kItemReach;
}

} // namespace

GlidePlan::GlidePlan(const PlayConfig &from, const PlayConfig &to)
    : m_from(from)
    , m_to(to)
{
    std::vector<ActionLine> lines = from.actionLines();
    // A line without bends is the straight glide already.
    std::erase_if(lines, [](const ActionLine &line) {
        return line.bends.empty() || !isPlaced(line.start.x) || !isPlaced(line.end.x);
    });
    if (lines.empty())
        return;
    auto family = [&](int16_t part, const auto &x, const auto &y, const auto &toX,
                      const auto &toY) {
        for (size_t i = 0; i < x.size(); ++i) {
            if (isPlaced(x[i]) && isPlaced(toX[i]))
                follow(part, int(i), {x[i], y[i]}, {toX[i], toY[i]}, lines);
        }
    };
    family(1, from.OPlayerX, from.OPlayerY, to.OPlayerX, to.OPlayerY);
    family(2, from.DPlayerX, from.DPlayerY, to.DPlayerX, to.DPlayerY);
    family(3, from.SYMBOLX, from.SYMBOLY, to.SYMBOLX, to.SYMBOLY);
}

void GlidePlan::follow(int16_t part, int index, LinePoint itemFrom, LinePoint itemTo,
                       const std::vector<ActionLine> &lines)
{
    for (const ActionLine &line : lines) {
        if (!near(itemFrom, line.start) || !near(itemTo, line.end))
            continue;
        Path path{part, index, itemFrom, itemTo, line.start, line.end, {}, {}};
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
        return;
    }
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
        float *xs = path.part == 1   ? frame.OPlayerX.data()
                    : path.part == 2 ? frame.DPlayerX.data()
                                     : frame.SYMBOLX.data();
        float *ys = path.part == 1   ? frame.OPlayerY.data()
                    : path.part == 2 ? frame.DPlayerY.data()
                                     : frame.SYMBOLY.data();
        xs[size_t(path.index)] = float(x);
        ys[size_t(path.index)] = float(y);
    }
    return frame;
}

PlayConfig glideFrame(const PlayConfig &from, const PlayConfig &to, double t)
{
    return GlidePlan(from, to).at(t);
}

} // namespace kinetra
