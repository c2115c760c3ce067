#pragma once

#include "playback/frmvideo.h"

#include <functional>

namespace kinetra {

class PlayDocument;
class PlayConfig;
class Surface;
struct FrameLooks;

/// A playback on the field's surface: each frame (or a glide between two) wiped and drawn with
/// the looks the field is drawn with at that moment.
class SurfacePlayback : public PlaybackView
{
public:
    /// `showSelected` shows the play's current frame again, as the window shows it.
    SurfacePlayback(const PlayDocument &document, Surface &surface,
                    std::function<FrameLooks()> looks, std::function<void()> showSelected);

    void drawFrame(int16_t index) override;
    void drawGlide(int16_t from, int16_t to, double t) override;
    void drawSelected() override { m_showSelected(); }

private:
    void draw(const PlayConfig &frame);

    const PlayDocument &m_document;
    Surface &m_surface;
    std::function<FrameLooks()> m_looks;
    std::function<void()> m_showSelected;
};

} // namespace kinetra
