#pragma once

#include "model/nextmoment.h"
#include "model/playfile.h"
#include "surface/picturecompanions.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>

namespace kinetra {

struct Preferences;

/// Everything a frame is drawn with besides the frame itself: the play's action-line looks and
/// player labels, the user's player looks (under the preference record's own names) and
/// symbol pictures, and what the window shows or hides (hide boxes, the drawing-suppressed
/// flag). The renderer reads nothing else.
struct FrameLooks
{
    // Index 0 offence, 1 defence.
    std::array<int16_t, 2> PlayerSize{};  ///< half-width of the figure in pixels
    std::array<int16_t, 2> PlayerShape{}; ///< 1 square, 3 circle, anything else not drawn
    std::array<QColor, 2> PlayerBcolr;    ///< border
    std::array<QColor, 2> PlayerFcolr;    ///< fill
    std::array<QColor, 2> PlayerTcolr;    ///< label text
    std::array<QString, 10> OPLabel;
    std::array<QString, 10> DPLabel;

    std::array<int16_t, 8> ActionType{};    ///< 1 solid .. 5 dash-dot-dot
    std::array<int16_t, 8> ActionSize{};    ///< line width in pixels
    std::array<QColor, 8> ActionColor;
    std::array<int16_t, 8> ActionEndType{}; ///< 0 arrowhead, 1 cross bar, other none
    /// A dashed line's own dash pattern in line widths, as a pen takes it (see
    /// Surface::setDashPattern); empty for its type's usual dashes.
    std::array<QList<qreal>, 8> actionDashes;
    /// The width of the players' rings and active marks, in pixels.
    int16_t markerOutline = 1;

    /// The pictures of the palette's eight symbol boxes; every symbol is read at the size of
    /// box 4's picture. Pure white pixels, and pixels more than half transparent, are
    /// see-through.
    std::array<QImage, 8> symbols;
    /// Their denser versions, drawn when a frame is shown larger than the field's own size.
    std::array<PictureCompanions, 8> symbolCompanions;
    /// What the palette calls them (see symbolPictureTitle), for a printed legend.
    std::array<QString, 8> symbolNames;
    /// The palette's "Hide Player" boxes: a ticked player is not drawn.
    std::array<bool, 10> hideOffense{};
    std::array<bool, 10> hideDefense{};
    /// While the pointed-to flag is true, drawing does nothing (the main window's load).
    const bool *drawingSuppressed = nullptr;
    /// The player a position's sheet is about, numbered as a frame's ActivePlyr (0..9
    /// offence, 10..19 defence); -1 for none. He is drawn with a bold ring, the lines that
    /// start at him at full strength, every other player and line faded toward the paper.
    int focusPlayer = -1;

    /// How large players and symbols are drawn, for telling which item a line moves: a
    /// symbol's box is box 0's picture, a marker reaches to a circle's rim or a square's corner.
    ItemSizes itemSizes() const;

    /// The play's action-line looks and labels with the user's player looks; symbols, hide
    /// boxes and the suppressed flag are left to be filled in.
    static FrameLooks forPlay(const PlayLooks &play, const Preferences &prefs);
};

/// The player whose label is `position`, compared trimmed and without regard to case, defence
/// labels first: 10 + i for defensive label i, i for offensive label i; -1 when no label
/// matches (and for a blank position).
int playerLabelled(const PlayerLabels &labels, const QString &position);

/// How far a player's marker of `shape` (1 square, else circle) and `size` reaches from its
/// centre: a square's corners lie beyond its half-width.
double markerReach(int16_t shape, int size);

/// The label font of the preference record (face, size in points, bold, italic, underline,
/// strikethrough), for the surface's text labels and the palette's label boxes. Without a
/// face name it is the desktop's sans-serif face (DejaVu Sans on a plain Debian desktop).
QFont labelFontFromPreferences(const Preferences &prefs);

} // namespace kinetra
