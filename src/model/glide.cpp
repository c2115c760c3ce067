#include "model/glide.h"

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

PlayConfig glideFrame(const PlayConfig &from, const PlayConfig &to, double t)
{
    PlayConfig frame = from;
    t = std::clamp(t, 0.0, 1.0);
    if (t == 0.0)
        return frame;
    glideFamily(frame.OPlayerX, frame.OPlayerY, to.OPlayerX, to.OPlayerY, t);
    glideFamily(frame.DPlayerX, frame.DPlayerY, to.DPlayerX, to.DPlayerY, t);
    // At t = 1 the sums are exact (float differences fit a double), so the items land on
    // their new places bit for bit.
    glideFamily(frame.SYMBOLX, frame.SYMBOLY, to.SYMBOLX, to.SYMBOLY, t);
    return frame;
}

} // namespace kinetra
