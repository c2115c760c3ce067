// Cost and size of the smooth animated GIF export: a 30-frame play exported as a GIF with the
// in-between images of a one-second glide, against drawing the same images alone. The GIF's
// size is set against the same images each stored whole.
#include "defaultpreferences.h"
#include "gui/exportsample.h"
#include "model/glide.h"
#include "output/gifencoder.h"
#include "output/playexport.h"
#include "output/playimager.h"
#include "prefs/playlooks.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kinetra;

constexpr int kFrames = 30;
constexpr int kDelayMs = 1000;

// The sample play with the user's looks, and the user's preferences.
struct BenchPlay
{
    PlaySnapshot play;
    Preferences prefs;
};

BenchPlay benchPlay()
{
    BenchPlay read;
    read.prefs = bench::defaultPreferences();
    read.play.frames = sampleFrames(kFrames);
    read.play.looks = defaultPlayLooks(read.prefs);
    return read;
}

// Every image of the smooth animation, in order, handed to use(image).
template <typename Use>
void eachImage(const PlaySnapshot &play, PlayImager &imager, Use use)
{
    const int steps = kDelayMs / kGlideStepMs;
    for (int i = 1; i <= kFrames; ++i) {
        const PlayConfig &frame = play.frames.frame(int16_t(i));
        use(imager.draw(frame));
        if (i == kFrames)
            break;
        const GlidePlan glide(frame, play.frames.frame(int16_t(i + 1)), imager.itemSizes());
        for (int k = 1; k < steps; ++k)
            use(imager.draw(glide.at(double(k) / steps)));
    }
}

// A smooth animated GIF into `dir`, one image per glide step.
ExportOptions smoothGif(const QTemporaryDir &dir)
{
    ExportOptions options;
    options.output = dir.filePath("play.gif");
    options.format = ExportFormat::Gif;
    options.delayMs = kDelayMs;
    options.smooth = true;
    return options;
}

void BM_SmoothGifExport(benchmark::State &state)
{
    const BenchPlay read = benchPlay();
    const PlaySnapshot &play = read.play;
    PlayImager imager = PlayImager::forPlay(read.play.looks, read.prefs, KINETRA_PROGRAM_DIR);
    QTemporaryDir dir;
    const ExportOptions options = smoothGif(dir);
    for (auto _ : state)
        benchmark::DoNotOptimize(exportPlay(options, play, imager));
    state.counters["images"] = animationImageCount(kFrames, kDelayMs, true);
    state.counters["gif_bytes"] = double(QFileInfo(options.output).size());
}
BENCHMARK(BM_SmoothGifExport)->Unit(benchmark::kMillisecond);

// The sample play with the offensive players and the ball running 120 pixels to and fro, each
// on a line to its place in the next frame, bent on a point 40 pixels beside the way (range 1)
// or straight (range 0, the baseline): the smooth GIF with the items gliding along the bent
// lines, against straight glides over the same distance.
void BM_SmoothGifAlongLines(benchmark::State &state)
{
    BenchPlay read = benchPlay();
    const bool bent = state.range(0) != 0;
    FrameList &frames = read.play.frames;
    for (int i = 1; i <= kFrames; ++i) {
        PlayConfig &f = frames.frame(int16_t(i));
        for (size_t p = 0; p < kPlayersPerSide; ++p)
            f.OPlayerY[p] = float(60 + 20 * (p % 4) + (i % 2) * 120);
        f.SYMBOLY[0] = float(180 + (i % 2) * 120);
    }
    for (int i = 1; i < kFrames; ++i) {
        PlayConfig &f = frames.frame(int16_t(i));
        const PlayConfig &next = frames.frame(int16_t(i + 1));
        auto line = [&](int kind, float x, float y, float toX, float toY) {
            std::vector<LinePoint> bends;
            if (bent)
                bends.push_back({(x + toX) / 2 + 40, (y + toY) / 2});
            f.addActionLine(kind, {x, y}, {toX, toY}, bends);
        };
        for (size_t p = 0; p < kPlayersPerSide; ++p)
            line(0, f.OPlayerX[p], f.OPlayerY[p], next.OPlayerX[p], next.OPlayerY[p]);
        line(2, f.SYMBOLX[0], f.SYMBOLY[0], next.SYMBOLX[0], next.SYMBOLY[0]);
    }
    PlayImager imager = PlayImager::forPlay(read.play.looks, read.prefs, KINETRA_PROGRAM_DIR);
    QTemporaryDir dir;
    const ExportOptions options = smoothGif(dir);
    for (auto _ : state)
        benchmark::DoNotOptimize(exportPlay(options, read.play, imager));
}
BENCHMARK(BM_SmoothGifAlongLines)->ArgName("bent")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Baseline: the same images drawn, nothing encoded or written.
void BM_DrawTheSameImages(benchmark::State &state)
{
    const BenchPlay read = benchPlay();
    const PlaySnapshot &play = read.play;
    PlayImager imager = PlayImager::forPlay(read.play.looks, read.prefs, KINETRA_PROGRAM_DIR);
    for (auto _ : state) {
        int drawn = 0;
        eachImage(play, imager, [&](const QImage &image) {
            benchmark::DoNotOptimize(image.constBits());
            ++drawn;
        });
        benchmark::DoNotOptimize(drawn);
    }
}
BENCHMARK(BM_DrawTheSameImages)->Unit(benchmark::kMillisecond);

// The size the same images take stored whole: each one a GIF of its own, with its full
// picture and its exact colours (measured once, reported as a counter).
void BM_ImagesStoredWhole(benchmark::State &state)
{
    const BenchPlay read = benchPlay();
    const PlaySnapshot &play = read.play;
    PlayImager imager = PlayImager::forPlay(read.play.looks, read.prefs, KINETRA_PROGRAM_DIR);
    double bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        eachImage(play, imager, [&](const QImage &image) {
            GifEncoder single;
            single.addImage(image, kGlideStepMs);
            bytes += double(single.finish().size());
        });
    }
    state.counters["whole_bytes"] = bytes;
}
BENCHMARK(BM_ImagesStoredWhole)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
