#pragma once

#include "document/playdocument.h"
#include "playback/frmvideo.h"

#include <functional>

namespace kinetra {

/// A playback view that hands each drawing to the test instead of a field.
struct PlaybackViewFake : PlaybackView
{
    std::function<void(int16_t index)> frame;
    std::function<void(int16_t from, int16_t to, double t)> glide;
    std::function<void()> selected;

    void drawFrame(int16_t index) override { frame(index); }
    void drawGlide(int16_t from, int16_t to, double t) override
    {
        if (glide)
            glide(from, to, t);
    }
    void drawSelected() override { selected(); }
};

/// Gives a new play `count` frames in all.
inline void addFrames(PlayDocument &document, int16_t count)
{
    while (document.frames().count() < count)
        document.appendFrame();
}

} // namespace kinetra
