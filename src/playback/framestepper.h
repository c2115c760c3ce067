#pragma once

#include <cstdint>
#include <optional>

namespace kinetra {

/// The order in which a playback shows the frames of a play, one step at a time.
///
/// Once shows 1..N and ends. Looping repeats 1..N. Reversing goes 1..N and back down to 2,
/// then up again, so no frame is shown twice in a row: 1, 2, ..., N, N-1, ..., 2, 1, 2, ...
/// The frame count is read at the start of every pass, as a play may change between passes.
/// Anything that shows frames in this order (plain stepping, or a glide between two frames)
/// asks next() for the frame to show after the one on screen.
class FrameStepper
{
public:
    enum class Mode { Once = 0, Looping = 1, Reversing = 2 };

    explicit FrameStepper(Mode mode = Mode::Once) : m_mode(mode) {}

    Mode mode() const { return m_mode; }
    /// The frame to show next (1-based), or nullopt when the playback is over: after the pass
    /// of Once, or at once for a play without frames.
    std::optional<int16_t> next(int16_t frameCount);
    /// The frame last returned by next(); 0 before the first.
    int16_t current() const { return m_index; }
    /// Whether next() has ended the playback.
    bool finished() const { return m_pass == Pass::Finished; }
    /// Whether the frame last returned by next() starts Looping's pass over again: a jump
    /// from the last frame back to the first rather than a step on from the frame before.
    bool startedOver() const { return m_startedOver; }

private:
    enum class Pass { Forward, Backward, Finished };

    Mode m_mode;
    Pass m_pass = Pass::Forward;
    bool m_passStarted = false;
    int16_t m_passEnd = 0; ///< last frame of the forward pass under way
    int16_t m_index = 0;
    bool m_startedOver = false;
};

} // namespace kinetra
