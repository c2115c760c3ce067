// Feeds arbitrary bytes to the play-file reader. Whatever the bytes, reading must not crash,
// leak or misbehave, and a play it opens must hold a frame list that agrees with its header.

#include "model/playfile.h"
#include "model/playfilereader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace kinetra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const PlayReadResult r = readPlay(bytes);

    const int16_t count = r.contents.frames.count();
    if (count < 1 || count > FrameList::kMaxFrames)
        std::abort();
    const bool opened = r.status == PlayReadStatus::Opened
                        || r.status == PlayReadStatus::OpenedWithFailure;
    if (opened != r.headerTaken)
        std::abort();
    if (opened && count != r.contents.header.frameCount)
        std::abort();
    if (!opened && count != 1)
        std::abort();
    if (r.status == PlayReadStatus::Refused && r.refusalMessage.empty())
        std::abort();
    if ((r.status == PlayReadStatus::Opened) != (r.failureCode == 0 && opened))
        std::abort();
    if (r.actionLinesTaken < 0 || r.actionLinesTaken > kActionCount || r.framesRead > count
        || r.labelLinesTaken < 0 || r.labelLinesTaken > kLabelLines)
        std::abort();

    // The header reader of the play directory sees the same bytes.
    PlayFileHeader header;
    readPlayHeader(bytes, header);
    return 0;
}
