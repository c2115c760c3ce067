#include "model/frameinsertion.h"

#include "model/rounding.h"

#include <array>
#include <tuple>
#include <type_traits>
#include <vector>

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

// One coordinate of one item on its way from S to E: frame k gets S + offset, and the offset
// is re-rounded to a whole number after every frame.
struct Axis
{
    float *(*field)(PlayConfig &, size_t) = nullptr;
    size_t index = 0;
    float increment = 0;
    int16_t offset = 0;
};

template <auto Family>
float *member(PlayConfig &frame, size_t index)
{
    return &(frame.*Family)[index];
}

template <auto Xs, auto Ys>
void addItems(std::vector<Axis> &axes, const PlayConfig &s, const PlayConfig &e, int16_t n)
{
    constexpr size_t count = std::tuple_size_v<std::remove_reference_t<decltype(s.*Xs)>>;
    for (size_t i = 0; i < count; ++i) {
        if (!((s.*Xs)[i] > 0 && (e.*Xs)[i] > 0))
            continue;
        for (const auto &[field, from, to] : {std::tuple{&member<Xs>, (s.*Xs)[i], (e.*Xs)[i]},
                                              std::tuple{&member<Ys>, (s.*Ys)[i], (e.*Ys)[i]}}) {
            Axis axis;
            axis.field = field;
            axis.index = i;
            axis.increment = (to - from) / float(n + 1);
            axis.offset = roundedOffset(axis.increment, 0);
            axes.push_back(axis);
        }
    }
}

} // namespace

void interpolateFrames(FrameList &frames, int16_t first, int16_t n)
{
    const PlayConfig &s = frames.frame(first);
    const PlayConfig &e = frames.frame(int16_t(first + n + 1));
    std::vector<Axis> axes;
    axes.reserve(2 * (kSymbolCount + 2 * kPlayersPerSide));
    addItems<&PlayConfig::SYMBOLX, &PlayConfig::SYMBOLY>(axes, s, e, n);
    addItems<&PlayConfig::DPlayerX, &PlayConfig::DPlayerY>(axes, s, e, n);
    addItems<&PlayConfig::OPlayerX, &PlayConfig::OPlayerY>(axes, s, e, n);
    // Frame by frame, so each inserted record is visited once.
    for (int k = first + 1; k <= first + n; ++k) {
        PlayConfig &frame = frames.frame(int16_t(k));
        // A caption belongs to the frame the coach laid out, not to the steps between.
        frame.Caption.clear();
        for (Axis &axis : axes) {
            float &value = *axis.field(frame, axis.index);
            value = value + float(axis.offset);
            axis.offset = roundedOffset(float(axis.offset) + axis.increment, axis.offset);
        }
    }
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
    return InsertOutcome::Inserted;
}

} // namespace kinetra
