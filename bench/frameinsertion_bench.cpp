// Insert Progressive of n = 1000 frames after frame 1 of a 30000-frame play, in the same run as
// its baselines: the literal algorithm (n shifts of every later frame by one place, then the
// interpolation) and a bare copy of the 29999 records that have to move.
//
// The insertion is timed twice: on a list whose storage is exactly full, as after opening a
// play, so the insertion also moves the list into new storage ("Fresh", against a bare copy
// into new storage), and on a list with room to grow, as after earlier insertions ("Spare",
// against a bare copy in place).
//
// Insert Next Moment at the middle of the same play is timed against Insert After (a copy of
// the current frame after it) at the same place, both on a list with room to grow.

#include "model/frameinsertion.h"
#include "model/nextmoment.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace kinetra::bench {
namespace {

constexpr int kFrames = 30000;
constexpr int kInserted = 1000;

// Every player and symbol on the field and walking a little from frame to frame, both label
// texts and all action lines in use.
const FrameList &basePlay()
{
    static const FrameList play = [] {
        FrameList list;
        list.resize(kFrames);
        for (int f = 1; f <= kFrames; ++f) {
            PlayConfig &frame = list.frame(int16_t(f));
            frame.ActivePlyr = int16_t(f % 21);
            for (int i = 0; i < kPlayersPerSide; ++i) {
                frame.OPlayerX[i] = float(20 + 30 * i + f % 50);
                frame.OPlayerY[i] = float(40 + 25 * i + f % 30);
                frame.DPlayerX[i] = float(30 + 30 * i + f % 40);
                frame.DPlayerY[i] = float(60 + 20 * i + f % 20);
            }
            for (int i = 0; i < kSymbolCount; ++i) {
                frame.SYMBOLX[i] = float(10 + 40 * i + f % 10);
                frame.SYMBOLY[i] = float(300 - 30 * i);
                frame.ActionSX[i] = float(15 + 35 * i), frame.ActionSY[i] = float(20 + 10 * i);
                frame.ActionEX[i] = float(55 + 35 * i), frame.ActionEY[i] = float(80 + 10 * i);
            }
            frame.TxtSYMBOLX = {120, 220};
            frame.TxtSYMBOLY = {30, 330};
            frame.TxtValue = {"Steal " + std::to_string(f % 100), "Bunt"};
        }
        list.setCurrent(1);
        return list;
    }();
    return play;
}

void BM_InsertProgressiveFresh(benchmark::State &state)
{
    std::optional<FrameList> play;
    for (auto _ : state) {
        state.PauseTiming();
        play.reset();
        play.emplace(basePlay());
        state.ResumeTiming();
        if (InsertFrames(*play, kInserted) != InsertOutcome::Inserted)
            state.SkipWithError("not inserted");
        benchmark::DoNotOptimize(play->frame(kFrames + kInserted));
    }
}

void BM_InsertProgressiveSpare(benchmark::State &state)
{
    FrameList play = basePlay();
    play.InsertCopies(kInserted); // leaves the storage room for the next insertions
    for (auto _ : state) {
        state.PauseTiming();
        play = basePlay(); // keeps the storage
        state.ResumeTiming();
        if (InsertFrames(play, kInserted) != InsertOutcome::Inserted)
            state.SkipWithError("not inserted");
        benchmark::DoNotOptimize(play.frame(kFrames + kInserted));
    }
}

void BM_InsertProgressiveLiteral(benchmark::State &state)
{
    FrameList play = basePlay();
    play.InsertCopies(kInserted);
    for (auto _ : state) {
        state.PauseTiming();
        play = basePlay();
        state.ResumeTiming();
        for (int i = 0; i < kInserted; ++i)
            play.AppendFrame(); // one place up for every frame after the current one
        interpolateFrames(play, play.current(), kInserted);
        benchmark::DoNotOptimize(play.frame(kFrames + kInserted));
    }
}

std::vector<PlayConfig> baseRecords()
{
    std::vector<PlayConfig> records;
    records.reserve(size_t(kFrames + kInserted));
    for (int f = 1; f <= kFrames; ++f)
        records.push_back(basePlay().frame(int16_t(f)));
    return records;
}

// The least any insertion must do: copy the records after frame 1 n places up, in storage
// that already has room (the baseline of "Spare"). Reset as the insertions are, so every run
// starts from the same memory.
void BM_BareCopyInPlace(benchmark::State &state)
{
    const std::vector<PlayConfig> original = baseRecords();
    std::vector<PlayConfig> records;
    records.reserve(size_t(kFrames + kInserted));
    for (auto _ : state) {
        state.PauseTiming();
        records.assign(original.begin(), original.end());
        records.resize(size_t(kFrames + kInserted));
        state.ResumeTiming();
        std::copy_backward(records.begin() + 1, records.begin() + kFrames, records.end());
        benchmark::DoNotOptimize(records.back());
        benchmark::ClobberMemory();
    }
}

// The same records copied into newly allocated storage (the baseline of "Fresh", which must
// move the list into larger storage first).
void BM_BareCopyIntoNewStorage(benchmark::State &state)
{
    const std::vector<PlayConfig> original = baseRecords();
    std::optional<std::vector<PlayConfig>> records;
    for (auto _ : state) {
        state.PauseTiming();
        records.reset();
        state.ResumeTiming();
        records.emplace();
        records->reserve(size_t(kFrames + kInserted));
        records->insert(records->end(), original.begin() + 1, original.end());
        benchmark::DoNotOptimize(records->back());
        benchmark::ClobberMemory();
    }
}

// The middle frame of the play with a line from every player and symbol, as a coach draws them.
FrameList middleOfPlay()
{
    FrameList play = basePlay();
    play.setCurrent(kFrames / 2);
    PlayConfig &frame = play.currentFrame();
    for (int i = 0; i < kPlayersPerSide; ++i) {
        frame.addActionLine(i % kActionCount, {frame.OPlayerX[i], frame.OPlayerY[i]},
                            {frame.OPlayerX[i] + 90, frame.OPlayerY[i] + 40}, {{300, 300}});
        frame.addActionLine(i % kActionCount, {frame.DPlayerX[i], frame.DPlayerY[i]},
                            {frame.DPlayerX[i] + 60, frame.DPlayerY[i] - 30});
    }
    return play;
}

template <typename Insert>
void insertAtMiddle(benchmark::State &state, Insert insert)
{
    const FrameList original = middleOfPlay();
    FrameList play = original;
    play.InsertCopies(1); // leaves the storage room for the next insertions
    for (auto _ : state) {
        state.PauseTiming();
        play = original; // keeps the storage
        state.ResumeTiming();
        insert(play);
        benchmark::DoNotOptimize(play.frame(kFrames / 2 + 1));
    }
}

void BM_InsertAfterAtMiddle(benchmark::State &state)
{
    insertAtMiddle(state, [](FrameList &play) { play.AppendFrame(); });
}

void BM_InsertNextMomentAtMiddle(benchmark::State &state)
{
    insertAtMiddle(state, [&state](FrameList &play) {
        if (InsertNextMoment(play, ItemSizes{{32, 32}, {15, 15}}) != InsertOutcome::Inserted)
            state.SkipWithError("not inserted");
    });
}

BENCHMARK(BM_InsertProgressiveFresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareCopyIntoNewStorage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertProgressiveSpare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareCopyInPlace)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertProgressiveLiteral)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_InsertAfterAtMiddle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertNextMomentAtMiddle)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kinetra::bench

BENCHMARK_MAIN();
