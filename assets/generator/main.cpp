// kinetra-assetgen: draws the field and symbol pictures of Kinetra's program folder.
//   kinetra-assetgen <output folder>

#include "fieldpainter.h"
#include "symbolpainter.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

namespace {

bool save(const QImage& img, const QDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    if (img.isNull() || !img.save(path, "BMP")) {
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
    return ok ? 0 : 1;
}
