#include "model/frameinsertion.h"

#include "model/rounding.h"

#include <array>

namespace kinetra {

namespace {

// An offset that cannot be rounded into 16 bits keeps its last good value; with no good value
// yet the item does not move on that axis.
int16_t roundedOffset(float value, int16_t fallback)
{
    try {
        return toInt16(value);
    } catch (...) {
        return fallback;
    }
}

// Steps one coordinate of one item through the inserted frames: frame k gets S + offset, and
// the offset is re-rounded to a whole number after every frame.
template <typename Field>
void stepAxis(FrameList &frames, int16_t first, int16_t n, Field field, float start, float end)
{
    const float increment = (end - start) / float(n + 1);
    int16_t offset = roundedOffset(increment, 0);
    for (int k = first + 1; k <= first + n; ++k) {
        float &value = field(frames.frame(int16_t(k)));
        value = value + float(offset);
        offset = roundedOffset(float(offset) + increment, offset);
    }
}

template <size_t N>
using Family = std::array<float, N> PlayConfig::*;

template <size_t N>
void interpolateFamily(FrameList &frames, int16_t first, int16_t n, Family<N> xs, Family<N> ys)
{
    const PlayConfig &s = frames.frame(first);
    const PlayConfig &e = frames.frame(int16_t(first + n + 1));
    for (size_t i = 0; i < N; ++i) {
        if (!((s.*xs)[i] > 0 && (e.*xs)[i] > 0))
            continue;
        const float sx = (s.*xs)[i], ex = (e.*xs)[i];
        const float sy = (s.*ys)[i], ey = (e.*ys)[i];
        stepAxis(frames, first, n, [&](PlayConfig &f) -> float & { return (f.*xs)[i]; }, sx, ex);
        stepAxis(frames, first, n, [&](PlayConfig &f) -> float & { return (f.*ys)[i]; }, sy, ey);
    }
}

} // namespace

void interpolateFrames(FrameList &frames, int16_t first, int16_t n)
{
    interpolateFamily(frames, first, n, &PlayConfig::SYMBOLX, &PlayConfig::SYMBOLY);
    interpolateFamily(frames, first, n, &PlayConfig::DPlayerX, &PlayConfig::DPlayerY);
    interpolateFamily(frames, first, n, &PlayConfig::OPlayerX, &PlayConfig::OPlayerY);
}

InsertOutcome InsertFrames(FrameList &frames, int32_t n)
{
    if (frames.current() >= frames.count())
        return InsertOutcome::LastFrame;
    if (n < 1)
        return InsertOutcome::NoCount;
    if (n > frames.room())
        return InsertOutcome::TooManyFrames;
    frames.InsertCopies(int(n));
    interpolateFrames(frames, frames.current(), int16_t(n));
    frames.setModified(true);
    return InsertOutcome::Inserted;
}

} // namespace kinetra
