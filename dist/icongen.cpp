// kinetra-icongen: draws Kinetra's desktop icons into an icon-theme tree.
//   kinetra-icongen <output folder> <size>...
// writes <output folder>/hicolor/<size>x<size>/apps/kinetra.png and, for play files,
// .../mimetypes/application-x-kinetra-play.png: the window icon at every size.

#include "app/toolbaricons.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: kinetra-icongen <output folder> <size>...\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]) + "/hicolor";
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < 8 || size > 1024) {
            std::fprintf(stderr, "kinetra-icongen: bad size %s\n", argv[i]);
            return 2;
        }
        const QImage icon = kinetra::appIconImage(size);
        const QString folder = QString("%1/%2x%2").arg(root).arg(size);
        const struct
        {
            const char *context;
            const char *name;
        } targets[] = {{"apps", "kinetra"}, {"mimetypes", "application-x-kinetra-play"}};
        for (const auto &t : targets) {
            const QString dir = folder + "/" + t.context;
            const QString path = dir + "/" + t.name + ".png";
            if (!QDir().mkpath(dir) || !icon.save(path, "PNG")) {
                std::fprintf(stderr, "kinetra-icongen: cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
