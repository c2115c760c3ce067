#pragma once

#include <QString>

#include <cstdint>

namespace kinetra {

/// The slowest and fastest positions of the speed slider.
constexpr int kSlowestSpeed = 1;
constexpr int kFastestSpeed = 30;

/// The pause between frames for a speed slider position: 3000 ms divided by the position,
/// truncated (1 gives 3000, 7 gives 428, 30 gives 100). Positions outside the slider's range
/// count as its nearest end.
int32_t frameDelayForSpeed(int speed);

/// The slider position whose pause is `delay` (the inverse of frameDelayForSpeed for every
/// pause it gives), so the slider can show the speed a playback currently runs at.
int speedForFrameDelay(int32_t delay);

/// The rate a pause of `delay` ms really gives, in frames per second, with two decimals in
/// the user's locale (3000 gives 0.33, 100 gives 10.00).
QString frameRateText(int32_t delay);

} // namespace kinetra
