#pragma once

#include "prefs/defaultfield.h"
#include "surface/framelooks.h"
#include "surface/picturecompanions.h"

#include <QColor>
#include <QImage>
#include <QList>

#include <array>
#include <cstdint>

namespace kinetra {

// Black and white printing: a page that a black-and-white printer or a copier gives back as
// it was meant, even one that turns every grey lighter than half to white and every darker
// one to black. The field fades to light grey, its chalk (bases, plates, foul lines) turns
// dark; offence markers are white in a black ring, defence markers dark with white labels;
// lines are black or dark grey and are told apart by their dash, width and end marker alone,
// with gaps wide enough to survive a coarse copy.

/// The grey of the defence's markers and of the fielders' lines.
inline constexpr int kMonoDarkGrey = 70;
/// The grey the chalk of a shipped field prints in: dark enough to stay after a copier, lighter
/// than the black of the lines drawn over it.
inline constexpr int kMonoChalkGrey = 60;
/// The narrowest line, and the width of a marker's ring, in black and white (surface pixels):
/// a one-pixel line prints too thin to survive a copier.
inline constexpr int16_t kMonoMinLineWidth = 2;

/// The colour an action line of kind `kind` (0 to 7) is printed in black and white: black for
/// the kinds the offence and the ball draw (Run, Hit, Throw and Steal as a first start names
/// kinds 0, 1, 2 and 6), dark grey for the fielders' kinds (3, 4, 5 and 7).
QColor monoActionColor(int kind);

/// The dash pattern a line of `type` (1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot) is
/// printed with in black and white, in line widths, as a pen lays out its dashes before it
/// caps each end with half a width: so that, caps included, a dash shows four widths long, a
/// dot one and a half and every gap two widths. Empty for solid and any other type. Scaled by the
/// line's width, a wider line's dashes and gaps are longer.
QList<qreal> monoDashes(int16_t type);

/// The looks in black and white: offence markers white with a black ring and black labels,
/// defence markers dark grey with a white ring and white labels, rings and every line at least
/// kMonoMinLineWidth wide, every line in monoActionColor with monoDashes, the symbol pictures
/// (and their companions) in grey. Sizes, shapes, labels and hidden players stay as they are.
FrameLooks monoLooks(const FrameLooks &looks);

/// The picture in shades of grey (by luminance), its alpha kept. Pure white stays pure white
/// and nothing else becomes pure white, so a symbol's see-through pixels stay exactly those.
QImage greyPicture(const QImage &picture);

/// Whether a pixel is chalk as the shipped fields draw it: nearly white (every channel at
/// least 224) and nearly colourless (channels within 24 of each other).
bool isChalk(QRgb pixel);

/// A field pixel in black and white: chalk of a shipped field (chalkIsMark) prints
/// kMonoChalkGrey; any other pixel of luminance l (0 to 255) becomes 255 - (255 - l) / 4, so
/// black grass prints no darker than a pale grey.
QRgb monoFieldPixel(QRgb pixel, bool chalkIsMark);

/// Where a diamond's chalk lies, in field pixels: the centres of home plate and first, second
/// and third base, then points on the first-base and third-base foul lines half a base path
/// and 1.3 base paths out from home.
std::array<field::Point, 8> diamondChalkPoints(const field::Diamond &diamond);

/// Where a diamond has ground, never chalk: inside fair ground off both lines, and in foul
/// ground beside the first-base line.
std::array<field::Point, 3> diamondGroundPoints(const field::Diamond &diamond);

/// The shipped diamond `picture` shows (field::kFullDiamond or field::kCloseUpDiamond), at its
/// own density or a companion's (its width over kPictureWidth): chalk within a field pixel of
/// every chalk point and none at the ground points. Null for any other picture.
const field::Diamond *shippedDiamond(const QImage &picture);

/// The field picture in black and white (RGB32): each pixel as monoFieldPixel, its chalk a
/// mark when the picture shows a shipped diamond; on a companion (two or four times as dense)
/// the marks grow by half a field pixel on every side. A user's own picture is only made light
/// grey.
QImage lightGreyPicture(const QImage &picture);

/// Companions changed as lightGreyPicture changes their picture, each when first drawn.
PictureCompanions lightGreyCompanions(const PictureCompanions &companions);

} // namespace kinetra
