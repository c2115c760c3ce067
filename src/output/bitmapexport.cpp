#include "output/bitmapexport.h"

#include "model/atomicfile.h"
#include "model/runtimeerror.h"

#include <QBuffer>
#include <QFile>

namespace kinetra {

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
    // The same writer as every other output: a read-only file is refused (root included)
    // and a symbolic link keeps pointing at the picture.
    AtomicFile file(QFile::encodeName(path).toStdString());
    file.open();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        throw RuntimeError(ErrorCode::InvalidPicture);
    file.write(std::string_view(bytes.constData(), size_t(bytes.size())));
    file.commit();
}

void writeBmp(const QImage &image, const QString &path)
{
    writeImageFile(image, path, "BMP");
}

} // namespace kinetra
