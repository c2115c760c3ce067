#pragma once

#include "surface/picturecompanions.h"

#include <QImage>
#include <QString>

#include <functional>

namespace kinetra {

struct Preferences;

/// Size of the field picture drawn when no field picture file can be read.
inline constexpr QSize kDrawnFieldSize{400, 373};

/// Where a picture the window shows came from.
enum class PictureOrigin {
    Stored,          ///< the file the preference names
    ProgramFolder,   ///< a file of the same name in the program folder
    ProgramDefault,  ///< the program folder's own picture for that slot
    Drawn,           ///< no file could be read: a picture drawn by the program
};

struct ResolvedPicture
{
    QImage image;
    PictureOrigin origin = PictureOrigin::Drawn;
    QString file; ///< the file read, empty for a drawn picture
    PictureCompanions companions; ///< the denser versions beside the file read
};

/// The picture to show for a stored picture path, trying in turn: the stored path; a file of
/// the same name in the program folder (the program folder may have moved since the path was
/// stored); the program folder's default picture `defaultName`; `drawn()`. File names in the
/// program folder are matched without regard to case. Never returns a null image; the stored
/// path itself is left for the caller to keep. The companions come from beside the file read.
ResolvedPicture resolvePicture(const QString &stored, const QString &programDir,
                               const QString &defaultName, const std::function<QImage()> &drawn);

/// "Surface0.BMP" .. "Surface3.BMP": the program folder's field picture `index`.
QString fieldPictureName(int index);
/// "Sym1.bmp" .. "Sym8.bmp": the program folder's picture of symbol `index` (0..7).
QString symbolPictureName(int index);

/// The name of symbol `index` (0..7) shown from `file` (empty for a drawn picture): the
/// program folder's own pictures by what they show ("Ball", "Bat", "Base", "Home Plate",
/// "Glove", "Cone", "Cross", "Target"), another file by its name without the extension, a
/// drawn one as "Symbol <index + 1>".
QString symbolPictureTitle(int index, const QString &file);

/// Field picture `index` (0..3; `PicFile`[index]) of the preference record, resolved.
ResolvedPicture resolveFieldPicture(const Preferences &prefs, int index,
                                    const QString &programDir);
/// Symbol picture `index` (0..7; `SymbolFile`[index]) of the preference record, resolved.
ResolvedPicture resolveSymbolPicture(const Preferences &prefs, int index,
                                     const QString &programDir);

/// A plain grass field of kDrawnFieldSize with an infield outline, for when no field picture
/// file can be read.
QImage drawnFieldPicture();
/// A 24 x 24 symbol for when no symbol picture file can be read: a dark disc with the
/// symbol's number (1..8) on a white, so see-through, ground.
QImage drawnSymbolPicture(int index);

} // namespace kinetra
