// Feeds arbitrary bytes to the play-file reader. Whatever the bytes, reading must not crash,
// leak or misbehave, a play it opens must hold a frame list that agrees with its header, and
// reading the bytes piece by piece must give what reading them whole gives. The action lines
// read from the block after the labels are always well formed, also when the block is damaged,
// and every caption read is one line of at most the longest caption.

#include "model/playfile.h"
#include "model/playfilereader.h"
#include "model/rounding.h"

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string_view>

using namespace kinetra;

namespace {

bool drawable(LinePoint p)
{
    return fitsInt16(p.x) && fitsInt16(p.y);
}

// Ids strictly increase, a kind's further lines take slots 1, 2, .. without gaps, a slot 0
// entry has a bend, a kind with entries has its first line, every point can be drawn, no line
// has more than kMaxBends and the frame no more than kMaxLinesInFrame lines.
bool wellFormedLines(const PlayConfig &frame)
{
    const ActionPath *last = nullptr;
    for (const ActionPath &path : frame.ActionPaths) {
        if (path.id.kind < 0 || path.id.kind >= kActionCount || path.bends.size() > kMaxBends
            || (path.id.slot == 0 && path.bends.empty()) || (last && !(last->id < path.id))
            || !frame.hasActionLine(path.id.kind))
            return false;
        if (path.id.slot > 0 && !(drawable(path.start) && drawable(path.end)))
            return false;
        if (!std::all_of(path.bends.begin(), path.bends.end(), drawable))
            return false;
        const bool sameKind = last && last->id.kind == path.id.kind;
        if (path.id.slot > 0 && path.id.slot != (sameKind ? std::max(last->id.slot + 1, 1) : 1))
            return false;
        last = &path;
    }
    return frame.actionLineCount() <= kMaxLinesInFrame;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const PlayReadResult r = readPlay(bytes);

    const int16_t count = r.play.frames.count();
    if (count < 1 || count > FrameList::kMaxFrames)
        std::abort();
    const bool opened = r.status == PlayReadStatus::Opened
                        || r.status == PlayReadStatus::OpenedWithFailure;
    if (opened != r.headerTaken)
        std::abort();
    if (opened && count != r.frameCount)
        std::abort();
    if (!opened && count != 1)
        std::abort();
    if (r.status == PlayReadStatus::Refused && r.refusalMessage.empty())
        std::abort();
    if ((r.status == PlayReadStatus::Opened) != (r.failureCode == 0 && opened))
        std::abort();
    if (r.actionLinesTaken < 0 || r.actionLinesTaken > kActionCount || r.framesRead > count
        || r.labelLinesTaken < 0 || r.labelLinesTaken > kLabelLines
        || r.partialActionItems < 0 || r.partialActionItems > 4)
        std::abort();

    for (int i = 1; i <= count; ++i) {
        const PlayConfig &frame = r.play.frames.frame(int16_t(i));
        if (!wellFormedLines(frame) || oneLineCaption(frame.Caption) != frame.Caption)
            std::abort();
    }

    // The same bytes in small pieces, sized by the first byte so the fuzzer varies them.
    const size_t piece = size ? data[0] % 16 + 1 : 1;
    size_t offset = 0;
    PlayFileReader in(
        [&](char *out, size_t capacity) {
            const size_t n = std::min(capacity, size - offset);
            std::copy_n(bytes.data() + offset, n, out);
            offset += n;
            return n;
        },
        piece);
    const PlayReadResult p = readPlay(in);
    if (p.status != r.status || p.failureCode != r.failureCode
        || p.refusalMessage != r.refusalMessage || p.actionLinesTaken != r.actionLinesTaken
        || p.framesRead != r.framesRead || p.labelLinesTaken != r.labelLinesTaken
        || p.partialActionItems != r.partialActionItems
        || p.play.title != r.play.title
        || p.play.notes != r.play.notes
        || p.play.looks.Picbkg != r.play.looks.Picbkg
        || p.play.looks.actions != r.play.looks.actions || p.play.looks.labels != r.play.looks.labels
        || p.play.trailingText != r.play.trailingText || p.play.frames.count() != count)
        std::abort();
    for (int i = 1; i <= count; ++i) {
        if (!(p.play.frames.frame(int16_t(i)) == r.play.frames.frame(int16_t(i))))
            std::abort();
    }

    // The header reader of the play directory sees the same bytes.
    PlayFileHeader header;
    readPlayHeader(bytes, header);
    return 0;
}
