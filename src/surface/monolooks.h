#pragma once

#include "surface/framelooks.h"
#include "surface/picturecompanions.h"

#include <QColor>
#include <QImage>

namespace kinetra {

// Black and white printing: a page that a black-and-white printer or a copier gives back as
// it was meant. The field fades to light grey so that lines and players stand out on it;
// lines are black or dark grey and are told apart by their dash, width and end marker alone.

/// The colour an action line of kind `kind` (0 to 7) is printed in black and white: black for
/// the kinds the offence and the ball draw (Run, Hit, Throw and Steal as a first start names
/// kinds 0, 1, 2 and 6), dark grey for the fielders' kinds (3, 4, 5 and 7).
QColor monoActionColor(int kind);

/// The looks in black and white: players filled white with a black border and black labels,
/// every action line in monoActionColor, the symbol pictures (and their companions) in grey.
/// Sizes, shapes, strokes, labels and hidden players stay as they are.
FrameLooks monoLooks(const FrameLooks &looks);

/// The picture in shades of grey (by luminance), its alpha kept. Pure white stays pure white
/// and nothing else becomes pure white, so a symbol's see-through pixels stay exactly those.
QImage greyPicture(const QImage &picture);

/// The field picture as light grey: a pixel of luminance l (0 to 255) becomes
/// 255 - (255 - l) / 4, so black grass prints no darker than a pale grey (RGB32).
QImage lightGreyPicture(const QImage &picture);

/// Companions changed as lightGreyPicture changes their picture, each when first drawn.
PictureCompanions lightGreyCompanions(const PictureCompanions &companions);

} // namespace kinetra
