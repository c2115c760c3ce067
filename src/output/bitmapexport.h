#pragma once

#include <QImage>
#include <QString>

namespace kinetra {

/// The file name a typed answer stands for: the answer without leading and trailing blanks,
/// with ".bmp" added unless it already ends in ".bmp" (in any case). A blank answer gives
/// ".bmp".
QString bmpFileName(const QString &answer);

/// Writes image to path as an uncompressed BMP. The picture goes to a temporary file in the
/// same folder that replaces path only once it is complete, so a failure leaves no partial
/// file and an existing file as it was (see AtomicFile: a file without write permission is
/// refused, a symbolic link is written through). An existing file is replaced without asking;
/// a relative path is relative to the current folder. Throws RuntimeError (76 path not found,
/// 70 permission denied, 61 disk full, 481 invalid picture, 75 otherwise).
void writeBmp(const QImage &image, const QString &path);

/// Writes any image format Qt knows (by its name, as QImage::save takes it) the same way.
void writeImageFile(const QImage &image, const QString &path, const char *format);

} // namespace kinetra
