#include "output/playimager.h"

#include "model/playconfig.h"
#include "prefs/preferences.h"
#include "surface/colors.h"
#include "surface/framerenderer.h"
#include "surface/monolooks.h"
#include "surface/picturefiles.h"

#include <algorithm>

namespace kinetra {

PlayImager::PlayImager(const QImage &field, const QFont &font, const QColor &fontColor,
                       FrameLooks looks, const PictureCompanions &fieldCompanions)
    : m_fontColor(fontColor)
    , m_looks(std::move(looks))
    , m_field(field)
    , m_fieldCompanions(fieldCompanions)
{
    m_surface.setPicture(field, fieldCompanions);
    m_surface.setFont(font);
    m_surface.setForeColor(fontColor);
    // The window's suppressed flag is only ever set while it loads; an imager always draws.
    m_looks.drawingSuppressed = nullptr;
}

PlayImager PlayImager::forPlay(const PlayLooks &play, const Preferences &prefs,
                               const QString &programDir)
{
    FrameLooks looks = FrameLooks::forPlay(play, prefs);
    for (int k = 0; k < int(looks.symbols.size()); ++k) {
        ResolvedPicture symbol = resolveSymbolPicture(prefs, k, programDir);
        looks.symbols[size_t(k)] = symbol.image;
        looks.symbolCompanions[size_t(k)] = symbol.companions;
        looks.symbolNames[size_t(k)] = symbolPictureTitle(k, symbol.file);
    }
    const int index = std::clamp<int>(play.Picbkg, 0, 3);
    const ResolvedPicture field = resolveFieldPicture(prefs, index, programDir);
    return PlayImager(field.image, labelFontFromPreferences(prefs),
                      colorFromRgbInt(prefs.Fontcolor), std::move(looks), field.companions);
}

void PlayImager::setMono(bool mono)
{
    if (mono == m_mono.has_value())
        return;
    if (mono) {
        m_mono = monoLooks(m_looks);
        m_surface.setPicture(lightGreyPicture(m_field), lightGreyCompanions(m_fieldCompanions));
    } else {
        m_mono.reset();
        m_surface.setPicture(m_field, m_fieldCompanions);
    }
}

void PlayImager::setFocus(int player)
{
    m_looks.focusPlayer = player;
    if (m_mono)
        m_mono->focusPlayer = player;
}

const QImage &PlayImager::draw(const PlayConfig &frame)
{
    m_surface.clear();
    m_surface.setForeColor(m_mono ? QColor(Qt::black) : m_fontColor);
    FrameRenderer::Draw(frame, m_surface, m_mono ? *m_mono : m_looks);
    if (m_scale == 1)
        return m_surface.image();
    // The last picture goes before the next is drawn: at a large scale each is tens of MB.
    m_scaled = QImage();
    m_scaled = m_surface.scaledImage(m_scale);
    return m_scaled;
}

} // namespace kinetra
