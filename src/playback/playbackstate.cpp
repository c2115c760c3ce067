#include "playback/playbackstate.h"

namespace kinetra {

bool VideoPlaying = false;
int32_t FrameDelay = kDefaultFrameDelay;
std::function<void()> restorePlayButton;

} // namespace kinetra
