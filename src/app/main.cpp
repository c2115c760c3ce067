#include "app/qtplatform.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kinetra");
    QApplication::setQuitOnLastWindowClosed(true);
    kinetra::QtPlatform platform;
    return kinetra::Main(platform, kinetra::playFileArgument(QApplication::arguments()));
}
