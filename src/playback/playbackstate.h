#pragma once

#include <cstdint>
#include <functional>

namespace kinetra {

/// True while the video control window plays the frames; the playback loop ends when it
/// finds it false, so clearing it stops a running playback.
extern bool VideoPlaying;

/// Pause between two frames of a playback, in milliseconds.
extern int32_t FrameDelay;

/// The pause a playback starts with.
constexpr int32_t kDefaultFrameDelay = 3000;

/// Set by the video control window: puts its play button back to "&Play", enabled. Called
/// when a failure stops a running playback; empty while there is no such window.
extern std::function<void()> restorePlayButton;

} // namespace kinetra
