#include "playback/playbackrate.h"

#include <QLocale>

#include <algorithm>

namespace kinetra {

int32_t frameDelayForSpeed(int speed)
{
    return 3000 / std::clamp(speed, kSlowestSpeed, kFastestSpeed);
}

int speedForFrameDelay(int32_t delay)
{
    if (delay <= 0)
        return kFastestSpeed;
    return std::clamp(int(3000 / delay), kSlowestSpeed, kFastestSpeed);
}

QString frameRateText(int32_t delay)
{
    // A pause below 1 ms counts as 1 ms rather than dividing by zero.
    const double rate = 1000.0 / double(std::max<int32_t>(delay, 1));
    return QLocale().toString(rate, 'f', 2);
}

} // namespace kinetra
