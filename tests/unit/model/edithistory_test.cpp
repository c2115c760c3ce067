#include "model/edithistory.h"
#include "model/runtimeerror.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace kinetra {
namespace {

// A frame with something everywhere, now and then an odd value a play file can carry.
PlayConfig randomFrame(std::mt19937 &rng)
{
    std::uniform_int_distribution<int> coord(0, 400);
    std::uniform_int_distribution<int> odd(0, 30);
    auto value = [&]() -> float {
        switch (odd(rng)) {
        case 0: return std::numeric_limits<float>::quiet_NaN();
        case 1: return -0.0f;
        case 2: return 417.375f;
        default: return float(coord(rng));
        }
    };
    PlayConfig f;
    f.ActivePlyr = int16_t(std::uniform_int_distribution<int>(0, 20)(rng));
    for (auto *family : {&f.OPlayerX, &f.OPlayerY, &f.DPlayerX, &f.DPlayerY})
        for (float &v : *family)
            v = value();
    for (auto *family : {&f.SYMBOLX, &f.SYMBOLY, &f.ActionSX, &f.ActionSY, &f.ActionEX,
                         &f.ActionEY})
        for (float &v : *family)
            v = value();
    for (size_t k = 0; k < 2; ++k) {
        f.TxtSYMBOLX[k] = value();
        f.TxtSYMBOLY[k] = value();
        f.TxtValue[k] = odd(rng) < 3 ? std::string(40, char('a' + k)) : "0";
    }
    return f;
}

FrameList randomPlay(std::mt19937 &rng, int frames)
{
    FrameList list;
    list.resize(int16_t(frames));
    for (int i = 1; i <= frames; ++i)
        list.frame(int16_t(i)) = randomFrame(rng);
    list.setCurrent(int16_t(std::uniform_int_distribution<int>(1, frames)(rng)));
    return list;
}

void expectSameFrames(const FrameList &got, const FrameList &want, const char *what)
{
    ASSERT_EQ(got.count(), want.count()) << what;
    for (int i = 1; i <= got.count(); ++i)
        ASSERT_TRUE(sameFrame(got.frame(int16_t(i)), want.frame(int16_t(i))))
            << what << ": frame " << i;
}

void expectSamePlay(const FrameList &got, const FrameList &want, const char *what)
{
    expectSameFrames(got, want, what);
    EXPECT_EQ(got.current(), want.current()) << what;
}

// One of the edits the window makes, chosen at random; returns its caption.
std::string randomEdit(std::mt19937 &rng, FrameList &list)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    PlayConfig &f = list.currentFrame();
    switch (pick(0, 8)) {
    case 0:
        f.MoveControlPoint(int16_t(pick(1, 6)), pick(0, 9), int16_t(pick(0, 400)),
                           int16_t(pick(0, 400)));
        return "Move Player";
    case 1:
        f.ActivePlyr = int16_t(pick(0, 20));
        return "Set Active Player";
    case 2:
        f.TxtValue[size_t(pick(0, 1))] = std::string(size_t(pick(0, 60)), 'x');
        f.TxtSYMBOLX[0] = float(pick(1, 300));
        return "Place Text";
    case 3:
        if (list.count() < FrameList::kMaxFrames)
            list.AppendFrame();
        return "Insert After";
    case 4:
        if (list.count() < FrameList::kMaxFrames)
            list.InsertBlankFrame();
        return "Insert Blank";
    case 5: {
        // A run of new frames after the current one, the current moving to the first of them.
        std::vector<PlayConfig> run(size_t(pick(1, 6)));
        for (PlayConfig &frame : run)
            frame = randomFrame(rng);
        if (list.count() + int(run.size()) <= FrameList::kMaxFrames) {
            list.replaceFrames(list.current(), 0, run);
            list.setCurrent(int16_t(list.current() + 1));
        }
        return "Insert Progressive";
    }
    case 6:
        list.DeleteCurrentFrame();
        return "Delete Frame";
    case 7: {
        // Shifting a range of frames, as the Move dialog does.
        const int from = pick(1, list.count());
        const int to = pick(from, list.count());
        for (int i = from; i <= to; ++i)
            list.frame(int16_t(i)).OPlayerX[size_t(pick(0, 9))] += 5;
        return "Move";
    }
    default:
        // Nothing changes: no step.
        return "Clear Action Line";
    }
}

class RandomEdits : public testing::TestWithParam<int>
{};

TEST_P(RandomEdits, UndoingAllGivesTheOriginalAndRedoingAllTheFinalPlay)
{
    std::mt19937 rng{unsigned(GetParam())};
    FrameList list = randomPlay(rng, std::uniform_int_distribution<int>(1, 12)(rng));
    EditHistory history;
    history.reset(list);
    const FrameList original = list;

    std::vector<FrameList> states{list}; // the play after each recorded step
    std::vector<std::string> captions;
    std::vector<int16_t> startedOn; // the current frame when each step began
    int16_t endedOn = list.current(); // and after the last one
    const int edits = std::uniform_int_distribution<int>(1, 80)(rng);
    for (int e = 0; e < edits; ++e) {
        // The user looks at another frame first now and then.
        if (std::uniform_int_distribution<int>(0, 3)(rng) == 0) {
            list.setCurrent(int16_t(std::uniform_int_distribution<int>(1, list.count())(rng)));
            history.setSelected(list.current());
        }
        const int16_t current = list.current();
        const std::string caption = randomEdit(rng, list);
        if (history.record(list, caption)) {
            states.push_back(list);
            captions.push_back(caption);
            startedOn.push_back(current);
            endedOn = list.current();
        } else {
            expectSameFrames(list, states.back(), "a change was not recorded");
            states.back().setCurrent(list.current());
        }
        expectSameFrames(history.recorded(), list, "recorded copy");
    }
    FrameList final = list;
    final.setCurrent(endedOn);
    ASSERT_EQ(history.count(), captions.size());

    // Step by step back, each state with the frame that was current in it.
    for (size_t i = captions.size(); i > 0; --i) {
        EXPECT_EQ(history.undoCaption(), captions[i - 1]);
        ASSERT_TRUE(history.undo(list));
        FrameList want = states[i - 1];
        want.setCurrent(startedOn[i - 1]);
        expectSamePlay(list, want, "after undo");
    }
    EXPECT_FALSE(history.undo(list));
    expectSameFrames(list, original, "after undoing all");
    EXPECT_TRUE(history.isClean());

    while (history.redo(list))
        ;
    expectSamePlay(list, final, "after redoing all");
    EXPECT_EQ(history.isClean(), captions.empty());
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEdits, testing::Range(0, 200));

TEST(EditHistory, UndoSelectsTheFrameThatWasCurrentAndRedoTheOneAfter)
{
    FrameList list;
    list.resize(5);
    for (int16_t i = 1; i <= 5; ++i)
        list.frame(i).OPlayerX[0] = i;
    list.setCurrent(5);
    EditHistory history;
    history.reset(list);

    list.DeleteCurrentFrame(); // the last frame: frame 4 becomes current
    ASSERT_TRUE(history.record(list, "Delete Frame"));
    EXPECT_EQ(list.current(), 4);
    const FrameSplice &step = history.step(0);
    EXPECT_EQ(step.pos, 4);
    EXPECT_EQ(step.before.size(), 1u);
    EXPECT_TRUE(step.after.empty());

    list.setCurrent(2);
    history.setSelected(2);
    ASSERT_TRUE(history.undo(list));
    EXPECT_EQ(list.count(), 5);
    EXPECT_EQ(list.current(), 5);
    EXPECT_EQ(list.frame(5).OPlayerX[0], 5);
    ASSERT_TRUE(history.redo(list));
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(list.current(), 4);
}

TEST(EditHistory, UnchangedFramesRecordNothingAndCaptionsNameTheNextStep)
{
    FrameList list;
    EditHistory history;
    history.reset(list);
    EXPECT_FALSE(history.record(list, "Clear Active Player"));
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undoCaption(), "");

    list.currentFrame().OPlayerX[3] = 100;
    history.record(list, "Place Player");
    list.currentFrame().OPlayerX[3] = 120;
    history.record(list, "Move Player");
    EXPECT_EQ(history.undoCaption(), "Move Player");
    history.undo(list);
    EXPECT_EQ(history.undoCaption(), "Place Player");
    EXPECT_EQ(history.redoCaption(), "Move Player");
    EXPECT_EQ(list.currentFrame().OPlayerX[3], 100);

    // A new edit ends the redo.
    list.currentFrame().SYMBOLX[0] = 5;
    history.record(list, "Place Symbol");
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.count(), 2u);
}

TEST(EditHistory, FloatsAreComparedBitForBit)
{
    FrameList list;
    list.currentFrame().OPlayerX[0] = std::numeric_limits<float>::quiet_NaN();
    EditHistory history;
    history.reset(list);
    EXPECT_FALSE(history.record(list, "Nothing")) << "a NaN equals itself";
    list.currentFrame().DPlayerY[1] = -0.0f;
    EXPECT_TRUE(history.record(list, "Sign")) << "-0 is written differently from 0";
    history.undo(list);
    EXPECT_FALSE(std::signbit(list.currentFrame().DPlayerY[1]));
}

// The clean state follows saves through undo and redo, as in QUndoStack.
TEST(EditHistory, CleanStateFollowsSavesUndoAndRedo)
{
    FrameList list;
    EditHistory history;
    history.reset(list);
    EXPECT_TRUE(history.isClean()) << "an opened play is clean";
    auto edit = [&](float x) {
        list.currentFrame().OPlayerX[0] = x;
        history.record(list, "Move Player");
    };

    edit(1);
    EXPECT_FALSE(history.isClean());
    history.undo(list);
    EXPECT_TRUE(history.isClean()) << "every change undone";
    history.redo(list);
    history.setClean(); // saved here
    EXPECT_TRUE(history.isClean());
    edit(2);
    EXPECT_FALSE(history.isClean());
    history.undo(list);
    EXPECT_TRUE(history.isClean());
    history.undo(list);
    EXPECT_FALSE(history.isClean()) << "before the saved state";
    history.redo(list);
    EXPECT_TRUE(history.isClean());

    // Undoing below the saved state and editing: the saved state is gone for good.
    history.undo(list);
    edit(3);
    EXPECT_FALSE(history.isClean());
    history.undo(list);
    EXPECT_FALSE(history.isClean());
    while (history.canUndo())
        history.undo(list);
    EXPECT_FALSE(history.isClean());
    history.setClean();
    EXPECT_TRUE(history.isClean());

    history.reset(list);
    EXPECT_TRUE(history.isClean());
    EXPECT_EQ(history.count(), 0u);
}

TEST(EditHistory, KeepsTheNewestStepsUpToItsLimit)
{
    FrameList list;
    EditHistory history;
    history.reset(list);
    for (int i = 1; i <= int(EditHistory::kMaxSteps) + 5; ++i) {
        list.currentFrame().OPlayerX[0] = float(i);
        history.record(list, "Move " + std::to_string(i));
    }
    EXPECT_EQ(history.count(), EditHistory::kMaxSteps);
    EXPECT_FALSE(history.isClean());
    int undone = 0;
    while (history.undo(list))
        ++undone;
    EXPECT_EQ(undone, int(EditHistory::kMaxSteps));
    EXPECT_EQ(list.currentFrame().OPlayerX[0], 5) << "the five oldest steps were dropped";
    EXPECT_FALSE(history.isClean()) << "the saved state was dropped with them";
}

TEST(EditHistory, DropsTheOldestStepsBeyondItsMemoryBound)
{
    FrameList list;
    list.resize(100);
    const size_t step = FrameSplice{0, std::vector<PlayConfig>(100), std::vector<PlayConfig>(100),
                                    1, 1, "Move"}
                            .bytes();
    EditHistory history(EditHistory::kMaxSteps, 3 * step);
    history.reset(list);
    for (int i = 1; i <= 5; ++i) {
        // Every frame changes, as when a move is applied to the whole play.
        for (int16_t f = 1; f <= list.count(); ++f)
            list.frame(f).OPlayerX[0] = float(i);
        ASSERT_TRUE(history.record(list, "Move"));
    }
    EXPECT_EQ(history.count(), 3u);
    EXPECT_EQ(history.bytes(), 3 * step);
    while (history.undo(list))
        ;
    EXPECT_EQ(list.frame(50).OPlayerX[0], 2);

    // A single step larger than the bound is still kept: the latest change can be undone.
    EditHistory tight(EditHistory::kMaxSteps, 1);
    tight.reset(list);
    list.frame(1).OPlayerX[0] = 9;
    ASSERT_TRUE(tight.record(list, "Move"));
    EXPECT_TRUE(tight.canUndo());
}

// A step on the largest play stores the frames it touched, not the play.
TEST(EditHistory, AStepOnTheLargestPlayCostsOnlyTheFramesItTouched)
{
    FrameList list;
    list.resize(FrameList::kMaxFrames - 3);
    for (int i = 1; i <= list.count(); ++i)
        list.frame(int16_t(i)).OPlayerX[0] = float(i);
    list.setCurrent(16000);
    EditHistory history;
    history.reset(list);

    list.currentFrame().DPlayerX[4] = 123;
    ASSERT_TRUE(history.record(list, "Move Player"));
    const size_t edit = history.step(0).bytes();
    EXPECT_LE(edit, 2 * sizeof(PlayConfig) + sizeof(FrameSplice) + 64);

    list.replaceFrames(list.current(), 0, std::vector<PlayConfig>(3, list.currentFrame()));
    ASSERT_TRUE(history.record(list, "Insert Progressive"));
    EXPECT_EQ(list.count(), FrameList::kMaxFrames);
    EXPECT_LE(history.step(1).bytes(), 3 * sizeof(PlayConfig) + sizeof(FrameSplice) + 64);

    list.setCurrent(1);
    history.setSelected(1);
    list.DeleteCurrentFrame();
    ASSERT_TRUE(history.record(list, "Delete Frame"));
    EXPECT_LE(history.step(2).bytes(), sizeof(PlayConfig) + sizeof(FrameSplice) + 64);
    EXPECT_EQ(history.bytes(), edit + history.step(1).bytes() + history.step(2).bytes());
    std::printf("[ figures  ] one-frame edit on a %d-frame play: %zu bytes per step\n",
                int(FrameList::kMaxFrames - 3), edit);
}

// Saving turns the texts of every state the history holds into what the file holds.
TEST(EditHistory, RestatingThePlayOfTheMostFramesReachesEveryFrameOnce)
{
    FrameList list;
    list.resize(FrameList::kMaxFrames);
    EditHistory history;
    history.reset(list);
    list.frame(FrameList::kMaxFrames).OPlayerX[0] = 7;
    ASSERT_TRUE(history.record(list, "Move Player"));
    int calls = 0;
    history.restate([&calls](PlayConfig &frame) {
        ++calls;
        frame.TxtValue[0] = "seen";
    });
    // Every recorded frame, and the one frame the step holds before and after.
    EXPECT_EQ(calls, 32767 + 2);
    EXPECT_EQ(history.recorded().frame(32767).TxtValue[0], "seen");
    EXPECT_EQ(history.step(0).after[0].TxtValue[0], "seen");
}

// A play's looks change in steps of their own, or with the frames, and undo brings back the
// looks of before, not the ones a caller happens to hold.
TEST(EditHistory, LooksChangeInStepsLikeTheFrames)
{
    FrameList frames;
    PlayLooks plain;
    plain.labels.offense[0] = "B1";
    PlayLooks red = plain;
    red.actions[0].color = 255;
    EditHistory history;
    history.reset(frames, plain);

    EXPECT_FALSE(history.record(frames, plain, "Nothing"));
    ASSERT_TRUE(history.record(frames, red, "Properties"));
    EXPECT_FALSE(history.record(frames, red, "Nothing again"));
    frames.currentFrame().OPlayerX[0] = 50;
    ASSERT_TRUE(history.record(frames, "Move Player")); // the looks stay red
    EXPECT_EQ(history.count(), 2u);
    EXPECT_EQ(history.recordedLooks(), red);

    PlayLooks looks = red;
    ASSERT_TRUE(history.undo(frames, &looks));
    EXPECT_EQ(looks, red);
    EXPECT_EQ(frames.currentFrame().OPlayerX[0], 0);
    ASSERT_TRUE(history.undo(frames, &looks));
    EXPECT_EQ(looks, plain);
    EXPECT_FALSE(history.canUndo());

    // A change that belongs to every state, as a save's, reaches both sides of the step.
    history.restateLooks([](PlayLooks &l) { l.labels.offense[0] = "R1"; });
    PlayLooks restatedRed = red;
    restatedRed.labels.offense[0] = "R1";
    EXPECT_EQ(history.recordedLooks().labels.offense[0], "R1");
    ASSERT_TRUE(history.redo(frames, &looks));
    EXPECT_EQ(looks, restatedRed);
    ASSERT_TRUE(history.undo(frames, &looks));
    EXPECT_EQ(looks.labels.offense[0], "R1");
    EXPECT_EQ(looks.actions[0].color, 0);
}

TEST(FrameList, ReplacingFramesKeepsTheListWithinItsBounds)
{
    FrameList list;
    list.resize(3);
    EXPECT_THROW(list.replaceFrames(0, 3, {}), RuntimeError) << "never empty";
    EXPECT_THROW(list.replaceFrames(2, 2, {}), RuntimeError) << "outside the list";
    EXPECT_THROW(list.replaceFrames(4, 0, {PlayConfig{}}), RuntimeError);
    list.setCurrent(3);
    list.replaceFrames(1, 2, {});
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.current(), 1);
    FrameList full;
    full.resize(FrameList::kMaxFrames);
    EXPECT_THROW(full.replaceFrames(0, 0, {PlayConfig{}}), RuntimeError);
    EXPECT_EQ(full.count(), FrameList::kMaxFrames);
}

} // namespace
} // namespace kinetra
