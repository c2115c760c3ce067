#include "model/edithistory.h"

#include <algorithm>
#include <cstring>

namespace kinetra {

namespace {

template<size_t N>
bool sameBits(const std::array<float, N> &a, const std::array<float, N> &b)
{
    return std::memcmp(a.data(), b.data(), sizeof(float) * N) == 0;
}

bool sameBits(LinePoint a, LinePoint b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool samePaths(const std::vector<ActionPath> &a, const std::vector<ActionPath> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const ActionPath &p, const ActionPath &q) {
                          return p.id == q.id && sameBits(p.start, q.start)
                                 && sameBits(p.end, q.end)
                                 && std::equal(p.bends.begin(), p.bends.end(), q.bends.begin(),
                                               q.bends.end(),
                                               [](LinePoint u, LinePoint v) {
                                                   return sameBits(u, v);
                                               });
                      });
}

size_t heapBytes(const std::string &text)
{
    // Short texts live inside the string itself.
    static const size_t inPlace = std::string().capacity();
    return text.capacity() > inPlace ? text.capacity() + 1 : 0;
}

size_t framesBytes(const std::vector<PlayConfig> &frames)
{
    size_t bytes = frames.capacity() * sizeof(PlayConfig);
    for (const PlayConfig &f : frames) {
        for (const std::string &text : f.TxtValue)
            bytes += heapBytes(text);
        bytes += heapBytes(f.Caption);
        bytes += f.ActionPaths.capacity() * sizeof(ActionPath);
        for (const ActionPath &path : f.ActionPaths)
            bytes += path.bends.capacity() * sizeof(LinePoint);
    }
    return bytes;
}

size_t looksBytes(const PlayLooks &looks)
{
    size_t bytes = sizeof(PlayLooks);
    for (const ActionLook &action : looks.actions)
        bytes += heapBytes(action.label);
    for (const auto *side : {&looks.labels.offense, &looks.labels.defense})
        for (const std::string &label : *side)
            bytes += heapBytes(label);
    return bytes;
}

} // namespace

bool sameFrame(const PlayConfig &a, const PlayConfig &b)
{
    return a.ActivePlyr == b.ActivePlyr && sameBits(a.OPlayerX, b.OPlayerX)
           && sameBits(a.OPlayerY, b.OPlayerY) && sameBits(a.DPlayerX, b.DPlayerX)
           && sameBits(a.DPlayerY, b.DPlayerY) && sameBits(a.SYMBOLX, b.SYMBOLX)
           && sameBits(a.SYMBOLY, b.SYMBOLY) && sameBits(a.TxtSYMBOLX, b.TxtSYMBOLX)
           && sameBits(a.TxtSYMBOLY, b.TxtSYMBOLY) && sameBits(a.ActionSX, b.ActionSX)
           && sameBits(a.ActionSY, b.ActionSY) && sameBits(a.ActionEX, b.ActionEX)
           && sameBits(a.ActionEY, b.ActionEY) && a.TxtValue == b.TxtValue
           && samePaths(a.ActionPaths, b.ActionPaths) && a.Caption == b.Caption;
}

size_t FrameSplice::bytes() const
{
    size_t size =
        sizeof(FrameSplice) + framesBytes(before) + framesBytes(after) + heapBytes(caption);
    if (looks)
        size += looksBytes(looks->before) + looksBytes(looks->after);
    return size;
}

EditHistory::EditHistory(size_t maxSteps, size_t maxBytes)
    : m_maxSteps(std::max<size_t>(maxSteps, 1))
    , m_maxBytes(maxBytes)
{
    reset(FrameList());
}

void EditHistory::reset(const FrameList &frames, const PlayLooks &looks)
{
    m_recorded = frames;
    m_recordedLooks = looks;
    m_selected = frames.current();
    m_steps.clear();
    m_bytes = 0;
    m_index = 0;
    m_clean = 0;
}

bool EditHistory::record(const FrameList &frames, std::string caption)
{
    return record(frames, m_recordedLooks, std::move(caption));
}

bool EditHistory::record(const FrameList &frames, const PlayLooks &looks, std::string caption)
{
    const std::vector<PlayConfig> &now = frames.frames();
    const std::vector<PlayConfig> &was = m_recorded.frames();
    const size_t shorter = std::min(now.size(), was.size());
    size_t head = 0;
    while (head < shorter && sameFrame(now[head], was[head]))
        ++head;
    const int16_t selectedBefore = m_selected;
    m_selected = frames.current();
    const bool looksChanged = looks != m_recordedLooks;
    if (head == shorter && now.size() == was.size() && !looksChanged)
        return false;
    size_t tail = 0;
    while (tail < shorter - head
           && sameFrame(now[now.size() - 1 - tail], was[was.size() - 1 - tail]))
        ++tail;

    FrameSplice step;
    step.pos = int(head);
    step.before.assign(was.begin() + std::ptrdiff_t(head), was.end() - std::ptrdiff_t(tail));
    step.after.assign(now.begin() + std::ptrdiff_t(head), now.end() - std::ptrdiff_t(tail));
    step.selectedBefore = selectedBefore;
    step.selectedAfter = frames.current();
    step.caption = std::move(caption);
    m_recorded.replaceFrames(step.pos, int(step.before.size()), step.after);
    if (looksChanged) {
        step.looks = std::make_shared<const LooksChange>(LooksChange{m_recordedLooks, looks});
        m_recordedLooks = looks;
    }

    // A new step ends every redo; a saved state among them can no longer be reached.
    if (m_clean > long(m_index))
        m_clean = -1;
    while (m_steps.size() > m_index) {
        m_bytes -= m_steps.back().bytes();
        m_steps.pop_back();
    }
    m_bytes += step.bytes();
    m_steps.push_back(std::move(step));
    ++m_index;
    while (m_steps.size() > m_maxSteps || (m_bytes > m_maxBytes && m_steps.size() > 1)) {
        m_bytes -= m_steps.front().bytes();
        m_steps.pop_front();
        --m_index;
        if (m_clean >= 0)
            --m_clean;
    }
    return true;
}

void EditHistory::apply(FrameList &frames, PlayLooks *looks, const FrameSplice &step,
                        bool forward)
{
    if (step.looks) {
        m_recordedLooks = forward ? step.looks->after : step.looks->before;
        if (looks)
            *looks = m_recordedLooks;
    }
    const std::vector<PlayConfig> &from = forward ? step.before : step.after;
    const std::vector<PlayConfig> &to = forward ? step.after : step.before;
    frames.replaceFrames(step.pos, int(from.size()), to);
    m_recorded.replaceFrames(step.pos, int(from.size()), to);
    const int16_t selected = forward ? step.selectedAfter : step.selectedBefore;
    frames.setCurrent(std::clamp<int16_t>(selected, 1, frames.count()));
    m_selected = frames.current();
}

bool EditHistory::undo(FrameList &frames, PlayLooks *looks)
{
    if (!canUndo() || frames.count() != m_recorded.count())
        return false;
    apply(frames, looks, m_steps[m_index - 1], false);
    --m_index;
    return true;
}

bool EditHistory::redo(FrameList &frames, PlayLooks *looks)
{
    if (!canRedo() || frames.count() != m_recorded.count())
        return false;
    apply(frames, looks, m_steps[m_index], true);
    ++m_index;
    return true;
}

std::string EditHistory::undoCaption() const
{
    return canUndo() ? m_steps[m_index - 1].caption : std::string();
}

std::string EditHistory::redoCaption() const
{
    return canRedo() ? m_steps[m_index].caption : std::string();
}

void EditHistory::restate(const std::function<void(PlayConfig &)> &change)
{
    for (int i = 1; i <= m_recorded.count(); ++i)
        change(m_recorded.frame(int16_t(i)));
    m_bytes = 0;
    for (FrameSplice &step : m_steps) {
        for (std::vector<PlayConfig> *frames : {&step.before, &step.after})
            for (PlayConfig &frame : *frames)
                change(frame);
        m_bytes += step.bytes();
    }
}

void EditHistory::restateLooks(const std::function<void(PlayLooks &)> &change)
{
    change(m_recordedLooks);
    m_bytes = 0;
    for (FrameSplice &step : m_steps) {
        if (step.looks) {
            LooksChange restated = *step.looks;
            change(restated.before);
            change(restated.after);
            step.looks = std::make_shared<const LooksChange>(std::move(restated));
        }
        m_bytes += step.bytes();
    }
}

bool EditHistory::framesMayDiffer(const FrameList &frames) const
{
    if (frames.count() != m_recorded.count())
        return true;
    const int16_t current = frames.current();
    return current >= 1 && current <= frames.count()
           && !sameFrame(frames.frame(current), m_recorded.frame(current));
}

} // namespace kinetra
