#include "playback/framestepper.h"

namespace kinetra {

std::optional<int16_t> FrameStepper::next(int16_t frameCount)
{
    if (frameCount < 1)
        m_pass = Pass::Finished;
    m_startedOver = false;
    // Each round either returns a frame or moves on to another pass; a pass change never
    // repeats without a frame in between, since a forward pass has at least one frame.
    for (;;) {
        switch (m_pass) {
        case Pass::Finished:
            return std::nullopt;
        case Pass::Forward:
            if (!m_passStarted) {
                m_passStarted = true;
                m_passEnd = frameCount;
                m_index = 0;
            }
            if (m_index < m_passEnd)
                return ++m_index;
            m_passStarted = false;
            if (m_mode == Mode::Looping) {
                m_startedOver = true;
                continue;
            } else if (m_mode == Mode::Reversing) {
                m_pass = Pass::Backward;
                m_index = frameCount; // the backward pass runs from frameCount - 1 down to 2
                continue;
            }
            m_pass = Pass::Finished;
            return std::nullopt;
        case Pass::Backward:
            if (m_index - 1 >= 2)
                return --m_index;
            m_pass = Pass::Forward;
            continue;
        }
    }
}

} // namespace kinetra
