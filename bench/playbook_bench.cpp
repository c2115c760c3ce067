// Cost of a playbook: the sample plays printed as one PDF (contents page, every frame of
// every play with legends and notes, large, small or one sheet a play) as the command line
// writes it, against drawing all their frames alone with the same imagers, at the field's size
// and at four times it.
#include "defaultpreferences.h"
#include "output/playbook.h"
#include "output/playimager.h"
#include "surface/picturecompanions.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using namespace kinetra;

PlaybookSource samplePlays()
{
    const Preferences prefs = bench::defaultPreferences();
    const QDir plays(QString(KINETRA_PROGRAM_DIR) + "/Plays");
    QStringList files;
    for (const QString &name : plays.entryList({"*.ktr"}, QDir::Files, QDir::Name))
        files << plays.filePath(name);
    return readPlaybookPlays(files, prefs);
}

// 0 large, 1 small, 2 one sheet a play.
PrintOptions options(int64_t layout)
{
    PrintOptions o;
    o.small = layout == 1;
    o.sheet = layout == 2;
    o.font = QFont("DejaVu Sans", 10);
    return o;
}

// The playbook as `kinetra --export BOOK.pdf A.KTR B.KTR ...` writes it (range(0): the
// layout).
void BM_PlaybookOfTheSamplePlays(benchmark::State &state)
{
    const PlaybookSource source = samplePlays();
    QTemporaryDir dir;
    int frames = 0;
    for (const PlaySnapshot &read : source.plays)
        frames += read.frames.count();
    for (auto _ : state) {
        // As a fresh `kinetra --export` run: every picture file is read again.
        forgetPictureFiles();
        benchmark::DoNotOptimize(exportPlaybook(dir.filePath("book.pdf"), "Sample Plays", source,
                                                options(state.range(0)),
                                                KINETRA_PROGRAM_DIR));
    }
    state.counters["plays"] = double(source.plays.size());
    state.counters["frames"] = frames;
}
BENCHMARK(BM_PlaybookOfTheSamplePlays)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Baseline: every frame of the sample plays drawn by its play's imager, nothing else.
void BM_DrawAllFramesOfTheSamplePlays(benchmark::State &state)
{
    const PlaybookSource source = samplePlays();
    std::vector<std::unique_ptr<PlayImager>> imagers;
    for (const PlaySnapshot &read : source.plays)
        imagers.emplace_back(
            new PlayImager(PlayImager::forPlay(read.looks, source.prefs, KINETRA_PROGRAM_DIR)));
    for (auto _ : state) {
        for (size_t p = 0; p < imagers.size(); ++p) {
            const FrameList &frames = source.plays[int(p)].frames;
            for (int i = 1; i <= frames.count(); ++i)
                benchmark::DoNotOptimize(imagers[p]->draw(frames.frame(int16_t(i))).constBits());
        }
    }
}
BENCHMARK(BM_DrawAllFramesOfTheSamplePlays)->Unit(benchmark::kMillisecond);

// Second baseline: the same frames drawn at four times the field's size, the resolution of the
// densest field picture, with the pictures read afresh as a print reads them.
void BM_DrawAllFramesAtFourTimesTheField(benchmark::State &state)
{
    const PlaybookSource source = samplePlays();
    for (auto _ : state) {
        forgetPictureFiles();
        for (const PlaySnapshot &read : source.plays) {
            PlayImager imager = PlayImager::forPlay(read.looks, source.prefs, KINETRA_PROGRAM_DIR);
            imager.setScale(4);
            const FrameList &frames = read.frames;
            for (int i = 1; i <= frames.count(); ++i)
                benchmark::DoNotOptimize(imager.draw(frames.frame(int16_t(i))).constBits());
        }
    }
}
BENCHMARK(BM_DrawAllFramesAtFourTimesTheField)->Unit(benchmark::kMillisecond);

} // namespace
