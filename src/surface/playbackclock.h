#pragma once

#include <QtGlobal>

#include <functional>

class QObject;

namespace kinetra {

/// Time as a playback needs it: a clock that only runs forward and one-shot timers that fire
/// from the event loop, so a playback never sleeps the user-interface thread. The program's
/// platform provides it; tests give it a fake clock that they advance by hand.
class PlaybackClock
{
public:
    virtual ~PlaybackClock() = default;

    /// Milliseconds on a clock that never goes back (unrelated to the time of day).
    virtual qint64 steadyMs() = 0;
    /// Runs fn once from the event loop when `milliseconds` have passed on steadyMs() (as soon
    /// as possible for 0 or less), unless context has been destroyed by then.
    virtual void singleShot(int milliseconds, QObject *context, std::function<void()> fn) = 0;
};

} // namespace kinetra
