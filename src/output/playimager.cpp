#include "output/playimager.h"

#include "model/playconfig.h"
#include "prefs/preferences.h"
#include "surface/colors.h"
#include "surface/framerenderer.h"
#include "surface/picturefiles.h"

#include <algorithm>

namespace kinetra {

PlayImager::PlayImager(const QImage &field, const QFont &font, const QColor &fontColor,
                       FrameLooks looks)
    : m_fontColor(fontColor)
    , m_looks(std::move(looks))
{
    m_surface.setPicture(field);
    m_surface.setFont(font);
    m_surface.setForeColor(fontColor);
    // The window's suppressed flag is only ever set while it loads; an imager always draws.
    m_looks.drawingSuppressed = nullptr;
}

PlayImager PlayImager::fromPreferences(const Preferences &prefs, const QString &programDir)
{
    FrameLooks looks = FrameLooks::fromPreferences(prefs);
    for (int k = 0; k < int(looks.symbols.size()); ++k)
        looks.symbols[size_t(k)] = resolveSymbolPicture(prefs, k, programDir).image;
    const int field = std::clamp<int>(prefs.Picbkg, 0, 3);
    return PlayImager(resolveFieldPicture(prefs, field, programDir).image,
                      labelFontFromPreferences(prefs), colorFromRgbInt(prefs.Fontcolor),
                      std::move(looks));
}

const QImage &PlayImager::draw(const PlayConfig &frame)
{
    m_surface.clear();
    m_surface.setForeColor(m_fontColor);
    FrameRenderer::Draw(frame, m_surface, m_looks);
    return m_surface.image();
}

} // namespace kinetra
