// kinetra-assetgen: draws the field and symbol pictures of Kinetra's program folder.
//   kinetra-assetgen <output folder>

#include "fieldpainter.h"
#include "symbolpainter.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

namespace {

bool save(const QImage& img, const QDir& dir, const QString& name, const char* format = "BMP")
{
    const QString path = dir.filePath(name);
    if (img.isNull() || !img.save(path, format)) {
        std::fprintf(stderr, "kinetra-assetgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kinetra-assetgen <output folder>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "kinetra-assetgen: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (int i = 0; i < 4; ++i)
        ok &= save(kinetra::FieldPainter::paint(i), dir, QStringLiteral("Surface%1.BMP").arg(i));
    for (int i = 1; i <= 8; ++i)
        ok &= save(kinetra::SymbolPainter::paint(i), dir, QStringLiteral("Sym%1.bmp").arg(i));
    // Denser companions beside each picture, drawn at their own resolution, for zoomed views,
    // high-density screens, printing and large exports.
    for (const int density : {2, 4}) {
        for (int i = 0; i < 4; ++i)
            ok &= save(kinetra::FieldPainter::paint(i, density), dir,
                       QStringLiteral("Surface%1@%2x.png").arg(i).arg(density), "PNG");
        for (int i = 1; i <= 8; ++i)
            ok &= save(kinetra::SymbolPainter::paint(i, density), dir,
                       QStringLiteral("Sym%1@%2x.png").arg(i).arg(density), "PNG");
    }
    return ok ? 0 : 1;
}
