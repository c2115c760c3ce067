#include "surface/picturefiles.h"

#include "prefs/preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace kinetra {

namespace {

// The last component of a stored path, also of one written with backslashes.
QString storedFileName(const QString &stored)
{
    const qsizetype cut = std::max(stored.lastIndexOf('/'), stored.lastIndexOf('\\'));
    return stored.mid(cut + 1);
}

// The file called `name` in `folder`, matched exactly or else without regard to case.
QString fileInFolder(const QString &folder, const QString &name)
{
    if (name.isEmpty() || folder.isEmpty())
        return QString();
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(name)).isFile())
        return dir.filePath(name);
    for (const QString &entry : dir.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return QString();
}

} // namespace

ResolvedPicture resolvePicture(const QString &stored, const QString &programDir,
                               const QString &defaultName, const std::function<QImage()> &drawn)
{
    auto read = [](const QImage &image, PictureOrigin origin, const QString &file) {
        return ResolvedPicture{image, origin, file,
                               PictureCompanions::besideFile(file, image.size())};
    };
    if (QImage image = readPictureFile(stored); !image.isNull())
        return read(image, PictureOrigin::Stored, stored);
    const QString sameName = fileInFolder(programDir, storedFileName(stored));
    if (QImage image = readPictureFile(sameName); !image.isNull())
        return read(image, PictureOrigin::ProgramFolder, sameName);
    const QString fallback = fileInFolder(programDir, defaultName);
    if (QImage image = readPictureFile(fallback); !image.isNull())
        return read(image, PictureOrigin::ProgramDefault, fallback);
    QImage image = drawn ? drawn() : QImage();
    if (image.isNull()) {
        image = QImage(1, 1, QImage::Format_RGB32);
        image.fill(Qt::white);
    }
    return {image, PictureOrigin::Drawn, QString(), {}};
}

QString fieldPictureName(int index)
{
    return QString("Surface%1.BMP").arg(index);
}

QString symbolPictureName(int index)
{
    return QString("Sym%1.bmp").arg(index + 1);
}

QString symbolPictureTitle(int index, const QString &file)
{
    static const char *const kShipped[8] = {"Ball",  "Bat",  "Base",  "Home Plate",
                                            "Glove", "Cone", "Cross", "Target"};
    if (file.isEmpty())
        return QString("Symbol %1").arg(index + 1);
    const QString name = QFileInfo(file).fileName();
    for (int k = 0; k < 8; ++k)
        if (name.compare(symbolPictureName(k), Qt::CaseInsensitive) == 0)
            return kShipped[k];
    return QFileInfo(file).completeBaseName();
}

ResolvedPicture resolveFieldPicture(const Preferences &prefs, int index,
                                    const QString &programDir)
{
    index = std::clamp(index, 0, int(prefs.PicFile.size()) - 1);
    return resolvePicture(QString::fromStdString(prefs.PicFile[size_t(index)]), programDir,
                          fieldPictureName(index), drawnFieldPicture);
}

ResolvedPicture resolveSymbolPicture(const Preferences &prefs, int index,
                                     const QString &programDir)
{
    index = std::clamp(index, 0, int(prefs.SymbolFile.size()) - 1);
    return resolvePicture(QString::fromStdString(prefs.SymbolFile[size_t(index)]), programDir,
                          symbolPictureName(index), [index] { return drawnSymbolPicture(index); });
}

QImage drawnFieldPicture()
{
    QImage image(kDrawnFieldSize, QImage::Format_RGB32);
    image.fill(QColor(60, 140, 60));
    QPainter p(&image);
    // Base paths in clay and the four bases, so a coach still sees which way the field faces.
    const QPoint home(200, 330), first(290, 240), second(200, 150), third(110, 240);
    p.setPen(QPen(QColor(190, 150, 100), 6));
    p.drawPolygon(QPolygon({home, first, second, third}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 245));
    for (const QPoint &base : {home, first, second, third})
        p.drawRect(base.x() - 4, base.y() - 4, 8, 8);
    return image;
}

QImage drawnSymbolPicture(int index)
{
    QImage image(24, 24, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(150, 30, 30));
    p.drawEllipse(2, 2, 19, 19);
    QFont font("Sans Serif");
    font.setPixelSize(13);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    p.setPen(QColor(255, 230, 120));
    p.drawText(QRect(2, 2, 20, 20), Qt::AlignCenter, QString::number(index + 1));
    return image;
}

} // namespace kinetra
