#pragma once

#include "model/playconfig.h"

#include <cstdint>
#include <vector>

namespace kinetra {

/// The play's frames, 1-based, with the current frame.
/// Never empty; at most 32767 frames. Frames move by copying their values (CopyFrame),
/// so a record keeps its slot and only its contents change.
class FrameList
{
public:
    static constexpr int16_t kMaxFrames = 32767;

    FrameList();

    int16_t count() const { return int16_t(m_frames.size()); }
    int16_t current() const { return m_current; }
    /// Sets the current index; callers pass 1..count().
    void setCurrent(int16_t index) { m_current = index; }

    /// Frame `index` (1..count()); throws Subscript out of range (9) outside.
    PlayConfig &frame(int16_t index);
    const PlayConfig &frame(int16_t index) const;
    PlayConfig &currentFrame() { return frame(m_current); }
    const PlayConfig &currentFrame() const { return frame(m_current); }

    /// Starts over with one empty frame (no active player) as frame 1, current.
    void reset();

    /// Replaces the list with `count` new records (ActivePlyr 0, nothing placed), current 1;
    /// throws Overflow (6) unless 1 <= count <= 32767. Used by the play-file reader.
    void resize(int16_t count);

    /// Inserts a copy of the current frame after it; the current index stays.
    /// Throws Overflow (6) at 32767 frames before changing anything.
    void AppendFrame();

    /// Inserts a blank frame after the current one; otherwise as AppendFrame().
    void InsertBlankFrame();

    /// How many more frames the play can take before it holds kMaxFrames.
    int16_t room() const { return int16_t(kMaxFrames - count()); }

    /// Inserts n copies of the current frame after it in one move of the later frames, so the
    /// cost grows with n plus the frames after the current one, not with their product. The
    /// result equals n AppendFrame() calls; the current index stays. n < 1 changes nothing;
    /// more than room() throws Overflow (6) before changing anything.
    void InsertCopies(int n);

    /// Deletes the current frame (only when there are at least two); the frame that followed
    /// takes its index, or the new last frame becomes current.
    /// Returns false and changes nothing when only one frame is left.
    bool DeleteCurrentFrame();

    /// All frames in play order (frame 1 first).
    const std::vector<PlayConfig> &frames() const { return m_frames; }

    /// Replaces the `oldCount` frames that follow the first `pos` frames with `with` (copies).
    /// Throws Subscript out of range (9) when the range lies outside the list and Overflow (6)
    /// when the list would end up empty or longer than 32767 frames, changing nothing either
    /// way. The current index is kept, or moved to the last frame if the list got shorter.
    void replaceFrames(int pos, int oldCount, const std::vector<PlayConfig> &with);

private:
    std::vector<PlayConfig> m_frames; // m_frames[0] is frame 1
    int16_t m_current = 1;
};

} // namespace kinetra
