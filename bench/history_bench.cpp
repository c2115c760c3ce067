// Undo history on a 32767-frame play. Recording a step compares the whole frame list with the
// history's copy of it, so its cost grows with the play; the baseline, in the same run, is
// inserting a frame in the middle of the same play and deleting it again (what every insert
// and delete already costs: each later frame is copied once). Counters give the memory a
// step holds.

#include "bigplay.h"

#include "model/edithistory.h"

#include <benchmark/benchmark.h>

namespace kinetra::bench {
namespace {

constexpr int16_t kMiddle = FrameList::kMaxFrames / 2;

FrameList middleOfBigPlay()
{
    FrameList frames = BigPlay().frames;
    frames.setCurrent(kMiddle);
    return frames;
}

// One player moved in the middle frame, then recorded: compare, store two frames.
void BM_RecordOneFrameEdit(benchmark::State &state)
{
    FrameList frames = middleOfBigPlay();
    EditHistory history;
    history.reset(frames);
    float x = 1;
    for (auto _ : state) {
        frames.currentFrame().OPlayerX[3] = x;
        x = x == 1 ? 2 : 1;
        benchmark::DoNotOptimize(history.record(frames, "Move Player"));
    }
    state.counters["bytes_per_step"] = double(history.step(history.count() - 1).bytes());
    state.counters["steps_kept"] = double(history.count());
}
BENCHMARK(BM_RecordOneFrameEdit)->Unit(benchmark::kMicrosecond);

// Insert After in the middle and recorded, then undone: two list shifts and one compare.
void BM_RecordInsertThenUndo(benchmark::State &state)
{
    FrameList frames = middleOfBigPlay();
    frames.DeleteCurrentFrame(); // room for the insert
    EditHistory history;
    history.reset(frames);
    size_t bytes = 0;
    for (auto _ : state) {
        frames.AppendFrame();
        history.record(frames, "Insert After");
        bytes = history.step(history.count() - 1).bytes();
        history.undo(frames);
    }
    state.counters["bytes_per_step"] = double(bytes);
}
BENCHMARK(BM_RecordInsertThenUndo)->Unit(benchmark::kMicrosecond);

// Undo and redo of a one-frame step: no compare, two frames copied each way.
void BM_UndoRedoOneFrameEdit(benchmark::State &state)
{
    FrameList frames = middleOfBigPlay();
    EditHistory history;
    history.reset(frames);
    frames.currentFrame().OPlayerX[3] = 7;
    history.record(frames, "Move Player");
    for (auto _ : state) {
        history.undo(frames);
        history.redo(frames);
    }
}
BENCHMARK(BM_UndoRedoOneFrameEdit)->Unit(benchmark::kMicrosecond);

// Baseline: a frame inserted in the middle and deleted again, without any history.
void BM_InsertDeleteBaseline(benchmark::State &state)
{
    FrameList frames = middleOfBigPlay();
    frames.DeleteCurrentFrame(); // room for the insert
    for (auto _ : state) {
        frames.AppendFrame();
        frames.DeleteCurrentFrame();
    }
}
BENCHMARK(BM_InsertDeleteBaseline)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kinetra::bench

BENCHMARK_MAIN();
