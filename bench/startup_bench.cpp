// What opening the main window costs (placement, preferences, set-up, pictures, first frame,
// shown and painted), against a bare window of the same size that only shows the field picture.
// The splash's fixed pause is not part of either.
#include "app/frmmain.h"
#include "app/qtplatform.h"
#include "prefs/inisettingsstore.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QString kProgramDir = KINETRA_PROGRAM_DIR;

void BM_OpenMainWindow(benchmark::State &state)
{
    QTemporaryDir settings;
    kinetra::IniSettingsStore store(settings.filePath("DAZI.ini"));
    kinetra::QtPlatform platform;
    for (auto _ : state) {
        kinetra::frmMain window(platform, store, kProgramDir);
        window.show();
        QApplication::processEvents();
        window.grab(); // paint every widget once, as the first expose does
        benchmark::DoNotOptimize(window.document().frames().count());
    }
}
BENCHMARK(BM_OpenMainWindow)->Unit(benchmark::kMillisecond);

void BM_OpenBareWindow(benchmark::State &state)
{
    for (auto _ : state) {
        QMainWindow window;
        for (const char *menu : {"&File", "&Edit", "&View", "&Formations", "Player &Labels",
                                 "&Properties", "&Help"})
            window.menuBar()->addMenu(menu);
        auto *field = new QLabel(&window);
        field->setPixmap(QPixmap(kProgramDir + "/Surface0.BMP"));
        window.setCentralWidget(field);
        window.resize(640, 520);
        window.show();
        QApplication::processEvents();
        window.grab();
        benchmark::DoNotOptimize(field->pixmap().width());
    }
}
BENCHMARK(BM_OpenBareWindow)->Unit(benchmark::kMillisecond);

} // namespace
