#pragma once

#include "model/framelist.h"
#include "model/playfile.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kinetra {

/// A play's looks before and after a step that changed them.
struct LooksChange
{
    PlayLooks before;
    PlayLooks after;
};

/// One undoable change of a play's frames, stored as a splice: the frames that followed the
/// first `pos` frames, `before`, were replaced by `after`. Editing one frame, inserting n
/// frames and deleting a frame are all splices, so a step holds only the frames it touched.
/// A step may change the play's looks too (or only them).
struct FrameSplice
{
    int pos = 0;
    std::vector<PlayConfig> before;
    std::vector<PlayConfig> after;
    int16_t selectedBefore = 1; ///< the current frame before the change
    int16_t selectedAfter = 1;  ///< and after it
    std::string caption;        ///< what the change was, as the Edit menu names it
    std::shared_ptr<const LooksChange> looks; ///< null when the looks stayed as they were

    /// Memory the step holds, its own size included.
    size_t bytes() const;
};

/// Whether two frames hold the same values, floats compared bit for bit (so a NaN read from a
/// file equals itself and 0.0 differs from -0.0, as the play file would tell them apart).
bool sameFrame(const PlayConfig &a, const PlayConfig &b);

/// The undo history of a play's frames and looks.
///
/// It keeps a copy of the frame list as last recorded. After a command has changed the list,
/// record() compares the two (common leading frames, then common trailing frames), pushes the
/// differing middle as one step and brings its copy up to date; commands therefore need no
/// undo code of their own, only one record() call. undo() and redo() apply a step's splice
/// backwards or forwards to the list and to the copy, and select the frame that was current.
///
/// Like QUndoStack it has a clean state: the step count at which the play was last saved or
/// opened. Pushing after undoing below the clean state, or dropping the oldest steps past it,
/// makes the clean state unreachable until the next save. At most `maxSteps` steps are kept,
/// holding at most `maxBytes` between them (the newest step is always kept); the oldest go
/// first. The byte bound matters for commands that change every frame of a long play, where
/// one step holds the play twice.
class EditHistory
{
public:
    static constexpr size_t kMaxSteps = 1000;
    static constexpr size_t kMaxBytes = size_t(256) << 20;

    explicit EditHistory(size_t maxSteps = kMaxSteps, size_t maxBytes = kMaxBytes);

    /// Forgets every step and takes `frames` and `looks` as recorded and as the clean state.
    void reset(const FrameList &frames, const PlayLooks &looks = {});

    /// Records how `frames` and `looks` differ from those last recorded as one step named
    /// `caption`; the steps that could be redone are dropped. Returns false, recording
    /// nothing, when neither changed. Without `looks` they are taken as last recorded.
    bool record(const FrameList &frames, std::string caption);
    bool record(const FrameList &frames, const PlayLooks &looks, std::string caption);

    /// Takes back (applies again) the latest undone (done) step on `frames`, which must be as
    /// last recorded, and on `looks` when given, and makes the frame that was current then
    /// current. Returns false when there is no such step.
    bool undo(FrameList &frames, PlayLooks *looks = nullptr);
    bool redo(FrameList &frames, PlayLooks *looks = nullptr);

    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index < m_steps.size(); }
    /// Caption of the step undo() (redo()) would apply; empty when there is none.
    std::string undoCaption() const;
    std::string redoCaption() const;

    /// The current frame that the next recorded step starts from. Selecting a frame while the
    /// list is as recorded calls this; record(), undo() and redo() set it themselves.
    void setSelected(int16_t index) { m_selected = index; }
    int16_t selected() const { return m_selected; }

    /// Marks the present state as the saved one.
    void setClean() { m_clean = long(m_index); }
    /// Whether the frames are back in the state last marked clean.
    bool isClean() const { return m_clean == long(m_index); }

    /// Applies change to every frame the history holds: the list as last recorded and both
    /// sides of every step. For a change that belongs to every state of the play rather than
    /// being a step of its own, such as the texts a save turns into what the file can hold.
    /// The caller changes the frame list alike; no step is made.
    void restate(const std::function<void(PlayConfig &)> &change);
    /// The same for the looks: the looks as last recorded and both sides of every step that
    /// changed them.
    void restateLooks(const std::function<void(PlayLooks &)> &change);

    /// A cheap guess whether `frames` were changed since the last record: the frame count or
    /// the current frame differs from the recorded list. Changes to other frames alone are
    /// not seen.
    bool framesMayDiffer(const FrameList &frames) const;

    /// The frame list as last recorded.
    const FrameList &recorded() const { return m_recorded; }
    /// The looks as last recorded.
    const PlayLooks &recordedLooks() const { return m_recordedLooks; }

    size_t count() const { return m_steps.size(); }
    /// Number of steps done (the rest can be redone).
    size_t index() const { return m_index; }
    const FrameSplice &step(size_t i) const { return m_steps.at(i); }
    /// Memory the steps hold (not the recorded copy of the list).
    size_t bytes() const { return m_bytes; }

private:
    void apply(FrameList &frames, PlayLooks *looks, const FrameSplice &step, bool forward);

    size_t m_maxSteps;
    size_t m_maxBytes;
    size_t m_bytes = 0;
    FrameList m_recorded;
    PlayLooks m_recordedLooks;
    int16_t m_selected = 1;
    std::deque<FrameSplice> m_steps;
    size_t m_index = 0; // steps [0, m_index) are done
    long m_clean = 0;   // -1: the saved state cannot be reached
};

} // namespace kinetra
