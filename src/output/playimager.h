#pragma once

#include "surface/framelooks.h"
#include "surface/surface.h"

#include <QImage>

#include <optional>

namespace kinetra {

class PlayConfig;
struct Preferences;

/// Draws frames of a play into pictures exactly as the main window's surface shows them after
/// DrawSelected: the field picture wiped clean, then the frame drawn with the window's looks,
/// label font and label colour. Export and the window share it, so their pictures match
/// pixel for pixel.
class PlayImager
{
public:
    /// An imager on the given field picture (with its denser companions), label font and
    /// colour, and looks.
    PlayImager(const QImage &field, const QFont &font, const QColor &fontColor, FrameLooks looks,
               const PictureCompanions &fieldCompanions = {});

    /// The imager the window would be showing a play of these looks with these preferences:
    /// the play's field picture and the symbol pictures resolved from the files the record
    /// names (falling back as the window does), its label font and colour, no player hidden.
    static PlayImager forPlay(const PlayLooks &play, const Preferences &prefs,
                              const QString &programDir);

    /// Wipes the surface back to the field and draws frame on it; returns the picture, at
    /// the imager's scale.
    const QImage &draw(const PlayConfig &frame);
    /// Pictures `scale` times the field's size, drawn at that resolution (1: the surface's own
    /// image, pixel for pixel).
    void setScale(int scale) { m_scale = scale; }
    /// Draws in black and white from the next frame on, for printing and export (see
    /// monoLooks and lightGreyPicture): the field light grey with a shipped field's chalk
    /// dark, lines black or dark grey, offence markers white and defence markers dark, text
    /// labels black. False goes back to the colours the imager was made with.
    void setMono(bool mono);
    /// The player the next pictures focus (see FrameLooks::focusPlayer); -1 for none.
    void setFocus(int player);

    /// The looks the imager draws with, in colour.
    const FrameLooks &looks() const { return m_looks; }
    /// How large the imager draws players and symbols (see FrameLooks::itemSizes).
    ItemSizes itemSizes() const { return m_looks.itemSizes(); }

    const Surface &surface() const { return m_surface; }
    QSize size() const { return m_surface.size(); }

private:
    Surface m_surface;
    int m_scale = 1;
    QImage m_scaled;
    QColor m_fontColor;
    FrameLooks m_looks;
    QImage m_field;
    PictureCompanions m_fieldCompanions;
    /// The black-and-white looks while drawing in black and white.
    std::optional<FrameLooks> m_mono;
};

} // namespace kinetra
