// Recovery copies of a 32767-frame play. On the window's thread: the snapshot the copy is
// written from, taken from a real main window, against a bare copy of the same frame list.
// On the writer's thread: writing the copy (play and description, each through a temporary
// file and a rename) against the plain save of the same play. The program frees a snapshot on
// the writer's thread, so freeing is left out of the window-thread timings and counted in the
// write.
#include "bigplay.h"

#include "app/frmmain.h"
#include "app/qtplatform.h"
#include "app/recoverycopy.h"
#include "model/recoverywriter.h"
#include "prefs/inisettingsstore.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace kinetra::bench {
namespace {

const BigPlay &bigPlay()
{
    static const BigPlay play;
    return play;
}

// One main window holding the big play, with its recovery copy, for the whole run.
struct Window
{
    QTemporaryDir folder;
    IniSettingsStore store{folder.filePath("DAZI.ini")};
    QtPlatform platform;
    frmMain window{platform, store, KINETRA_PROGRAM_DIR};
    RecoveryCopy recovery{window.document(), platform, window.statusBar(), {},
                          folder.filePath("recovery")};

    Window()
    {
        window.document().frames() = bigPlay().frames;
        window.document().setTexts(QString::fromStdString(bigPlay().title),
                                   QString::fromStdString(bigPlay().notes));
        window.SelectFrame(16384);
    }
};

Window &mainWindow()
{
    static Window w;
    return w;
}

void BM_BareFrameListCopy(benchmark::State &state)
{
    const FrameList &frames = mainWindow().window.document().frames();
    for (auto _ : state) {
        auto copy = std::make_unique<std::vector<PlayConfig>>(frames.frames());
        benchmark::DoNotOptimize(copy->data());
        state.PauseTiming();
        copy.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BareFrameListCopy)->Unit(benchmark::kMillisecond);

void BM_RecoverySnapshot(benchmark::State &state)
{
    const RecoveryCopy &recovery = mainWindow().recovery;
    for (auto _ : state) {
        std::shared_ptr<const PlaySnapshot> snapshot = recovery.snapshot();
        const RecoveryInfo info = recovery.description(*snapshot);
        benchmark::DoNotOptimize(snapshot->frames.frames().data());
        benchmark::DoNotOptimize(info.fileSize);
        state.PauseTiming();
        snapshot.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RecoverySnapshot)->Unit(benchmark::kMillisecond);

std::string scratch()
{
    static const std::string path = [] {
        const auto p = std::filesystem::temp_directory_path() / "kinetra_recovery_bench";
        std::filesystem::create_directories(p);
        return p.string();
    }();
    return path;
}

void BM_PlainSave(benchmark::State &state)
{
    const std::string path = scratch() + "/saved.KTR";
    for (auto _ : state)
        if (!writePlay(path, bigPlay()).ok())
            state.SkipWithError("save failed");
}
BENCHMARK(BM_PlainSave)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RecoveryWrite(benchmark::State &state)
{
    bool failed = false;
    RecoveryWriter writer(scratch() + "/recovery", [&failed](int, const std::string &) {
        failed = true;
    });
    const RecoveryCopy &recovery = mainWindow().recovery;
    const std::shared_ptr<const PlaySnapshot> original = recovery.snapshot();
    const RecoveryInfo info = recovery.description(*original);
    for (auto _ : state) {
        state.PauseTiming();
        auto snapshot = std::make_shared<const PlaySnapshot>(*original);
        state.ResumeTiming();
        writer.write("copy", std::move(snapshot), info);
        writer.waitIdle();
    }
    if (failed)
        state.SkipWithError("write failed");
}
// The write runs on the writer's thread: only the wall clock sees it.
BENCHMARK(BM_RecoveryWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace kinetra::bench
