// A maximised window's resize: the window laid out again and painted, with the field fitted to
// the window (200 % on a 1920 x 1080 screen), against the same resize with the field kept at
// 100 % in the same run.
#include "app/frmmain.h"
#include "app/qtplatform.h"
#include "prefs/inisettingsstore.h"
#include "surface/canvas.h"
#include "surface/surface.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QString kProgramDir = KINETRA_PROGRAM_DIR;

void resizeAndPaint(benchmark::State &state, bool fit)
{
    QTemporaryDir settings;
    kinetra::IniSettingsStore store(settings.filePath("DAZI.ini"));
    store.write("View", "FitToWindow", fit ? "1" : "0");
    kinetra::QtPlatform platform;
    kinetra::frmMain window(platform, store, kProgramDir);
    window.show();
    QApplication::processEvents();
    const QSize small = window.size();
    int maximisedZoom = 0;
    for (auto _ : state) {
        window.resize(1920, 1040);
        QApplication::processEvents();
        window.repaint();
        maximisedZoom = window.canvas()->zoom();
        state.PauseTiming();
        window.resize(small);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["zoom"] = maximisedZoom;
}

void BM_MaximiseFittingTheField(benchmark::State &state)
{
    resizeAndPaint(state, true);
}
BENCHMARK(BM_MaximiseFittingTheField)->Unit(benchmark::kMillisecond);

void BM_MaximiseAtActualSize(benchmark::State &state)
{
    resizeAndPaint(state, false);
}
BENCHMARK(BM_MaximiseAtActualSize)->Unit(benchmark::kMillisecond);

} // namespace
