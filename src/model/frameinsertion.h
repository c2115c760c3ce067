#pragma once

#include "model/framelist.h"

#include <cstdint>

namespace kinetra {

/// What an insertion command did.
enum class InsertOutcome {
    Inserted,
    LastFrame,     ///< the current frame is the last one: nothing to insert between
    NoCount,       ///< the count was below 1
    TooManyFrames, ///< the play would pass FrameList::kMaxFrames
};

/// Insert Progressive: inserts n frames between the current frame S and the next frame E.
/// Every symbol and player whose x is above 0 in both S and E steps from S towards E by a
/// whole-unit offset that is re-rounded (halves to even) at every frame; every other field of
/// the inserted frames is a copy of S but the caption, which they have none of. The current
/// index stays on S.
/// A refusal (LastFrame, NoCount, TooManyFrames, checked in that order) changes nothing.
InsertOutcome InsertFrames(FrameList &frames, int32_t n);

/// Moves the symbols and players of frames first + 1 .. first + n, which must hold copies of
/// frame `first`, in steps towards their places in frame first + n + 1 (see InsertFrames).
/// An offset too large for a 16-bit integer leaves that axis of the item where it was, or
/// where its last representable offset put it.
void interpolateFrames(FrameList &frames, int16_t first, int16_t n);

} // namespace kinetra
