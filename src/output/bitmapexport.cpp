#include "output/bitmapexport.h"

#include "model/runtimeerror.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace kinetra {

namespace {

// The run-time error that best names why the file could not be written.
int writeFailure(const QString &path, const QSaveFile &file)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return ErrorCode::PathNotFound;
    if (info.isDir())
        return ErrorCode::PathFileAccessError;
    if (file.error() == QFileDevice::OpenError || file.error() == QFileDevice::PermissionsError)
        return ErrorCode::PermissionDenied;
    const QStorageInfo storage(info.absolutePath());
    if (storage.isValid() && storage.bytesAvailable() == 0)
        return ErrorCode::DiskFull;
    return ErrorCode::PathFileAccessError;
}

} // namespace

QString bmpFileName(const QString &answer)
{
    const QString name = answer.trimmed();
    if (name.endsWith(".bmp", Qt::CaseInsensitive))
        return name;
    return name + ".bmp";
}

void writeImageFile(const QImage &image, const QString &path, const char *format)
{
    if (image.isNull())
        throw RuntimeError(ErrorCode::InvalidPicture);
    if (path.isEmpty() || path.endsWith('/'))
        throw RuntimeError(ErrorCode::BadFileName);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw RuntimeError(writeFailure(path, file));
    if (!image.save(&file, format)) {
        file.cancelWriting();
        throw RuntimeError(writeFailure(path, file));
    }
    if (!file.commit())
        throw RuntimeError(writeFailure(path, file));
}

void writeBmp(const QImage &image, const QString &path)
{
    writeImageFile(image, path, "BMP");
}

} // namespace kinetra
