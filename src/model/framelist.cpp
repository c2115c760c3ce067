#include "model/framelist.h"

#include "model/runtimeerror.h"

#include <algorithm>

namespace kinetra {

FrameList::FrameList()
{
    reset();
}

PlayConfig &FrameList::frame(int16_t index)
{
    if (index < 1 || index > count())
        throw RuntimeError(ErrorCode::SubscriptOutOfRange);
    return m_frames[size_t(index - 1)];
}

const PlayConfig &FrameList::frame(int16_t index) const
{
    return const_cast<FrameList *>(this)->frame(index);
}

void FrameList::reset()
{
    m_frames.assign(1, PlayConfig{});
    m_frames.front().ActivePlyr = kNoActivePlayer;
    m_current = 1;
}

void FrameList::resize(int16_t newCount)
{
    if (newCount < 1)
        throw RuntimeError(ErrorCode::Overflow);
    m_frames.assign(size_t(newCount), PlayConfig{});
    m_current = 1;
}

void FrameList::AppendFrame()
{
    if (count() == kMaxFrames)
        throw RuntimeError(ErrorCode::Overflow);
    m_frames.emplace_back();
    for (int16_t i = int16_t(count() - 1); i >= m_current; --i)
        frame(int16_t(i + 1)).CopyFrame(frame(i));
}

void FrameList::InsertBlankFrame()
{
    AppendFrame();
    frame(int16_t(m_current + 1)).Blank_Frame();
}

void FrameList::InsertCopies(int n)
{
    if (n < 1)
        return;
    if (n > room())
        throw RuntimeError(ErrorCode::Overflow);
    // One insert: the later records move up by n places once and n copies fill the gap.
    const auto at = m_frames.begin() + m_current;
    const PlayConfig start = m_frames[size_t(m_current - 1)];
    m_frames.insert(at, size_t(n), start);
}

bool FrameList::DeleteCurrentFrame()
{
    if (count() <= 1)
        return false;
    for (int16_t i = m_current; i <= count() - 1; ++i)
        frame(i).CopyFrame(frame(int16_t(i + 1)));
    m_frames.pop_back();
    if (m_current > count())
        m_current = count();
    return true;
}

void FrameList::replaceFrames(int pos, int oldCount, const std::vector<PlayConfig> &with)
{
    const int size = count();
    if (pos < 0 || oldCount < 0 || pos > size || oldCount > size - pos)
        throw RuntimeError(ErrorCode::SubscriptOutOfRange);
    const long long newSize = (long long)size - oldCount + (long long)with.size();
    if (newSize < 1 || newSize > kMaxFrames)
        throw RuntimeError(ErrorCode::Overflow);
    const auto first = m_frames.begin() + pos;
    const size_t common = std::min(size_t(oldCount), with.size());
    std::copy(with.begin(), with.begin() + std::ptrdiff_t(common), first);
    if (size_t(oldCount) > common)
        m_frames.erase(first + std::ptrdiff_t(common), first + oldCount);
    else
        m_frames.insert(first + std::ptrdiff_t(common), with.begin() + std::ptrdiff_t(common),
                        with.end());
    if (m_current > count())
        m_current = count();
}

} // namespace kinetra
