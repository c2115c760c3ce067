#include "playback/surfaceplayback.h"

#include "document/playdocument.h"
#include "model/glide.h"
#include "surface/framelooks.h"
#include "surface/framerenderer.h"
#include "surface/surface.h"

namespace kinetra {

SurfacePlayback::SurfacePlayback(const PlayDocument &document, Surface &surface,
                                 std::function<FrameLooks()> looks,
                                 std::function<void()> showSelected)
    : m_document(document)
    , m_surface(surface)
    , m_looks(std::move(looks))
    , m_showSelected(std::move(showSelected))
{}

void SurfacePlayback::drawFrame(int16_t index)
{
    draw(m_document.frames().frame(index));
}

void SurfacePlayback::drawGlide(int16_t from, int16_t to, double t)
{
    const FrameList &frames = m_document.frames();
    draw(glideFrame(frames.frame(from), frames.frame(to), t, m_looks().itemSizes()));
}

void SurfacePlayback::draw(const PlayConfig &frame)
{
    m_surface.clear();
    FrameRenderer::Draw(frame, m_surface, m_looks());
}

} // namespace kinetra
