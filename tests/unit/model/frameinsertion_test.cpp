#include "model/frameinsertion.h"
#include "model/rounding.h"
#include "model/runtimeerror.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace kinetra {
namespace {

std::vector<PlayConfig> framesOf(const FrameList &list)
{
    std::vector<PlayConfig> out;
    for (int i = 1; i <= list.count(); ++i)
        out.push_back(list.frame(int16_t(i)));
    return out;
}

// Two frames: S with every player and symbol at (s, s), E with them at (e, e).
FrameList startAndEnd(float s, float e)
{
    FrameList list;
    list.resize(2);
    for (int f = 1; f <= 2; ++f) {
        PlayConfig &frame = list.frame(int16_t(f));
        const float v = f == 1 ? s : e;
        frame.OPlayerX.fill(v), frame.OPlayerY.fill(v);
        frame.DPlayerX.fill(v), frame.DPlayerY.fill(v);
        frame.SYMBOLX.fill(v), frame.SYMBOLY.fill(v);
    }
    return list;
}

struct Worked
{
    float s, e;
    int n;
    std::vector<float> inserted;
};

class ProgressiveWorkedValues : public testing::TestWithParam<Worked>
{};

TEST_P(ProgressiveWorkedValues, EveryPlayerAndSymbolStepsOnBothAxes)
{
    const Worked w = GetParam();
    FrameList list = startAndEnd(w.s, w.e);
    ASSERT_EQ(InsertFrames(list, w.n), InsertOutcome::Inserted);
    ASSERT_EQ(list.count(), w.n + 2);
    EXPECT_EQ(list.current(), 1);
    for (int k = 0; k < w.n; ++k) {
        const PlayConfig &f = list.frame(int16_t(k + 2));
        for (const auto *family : {&f.OPlayerX, &f.OPlayerY, &f.DPlayerX, &f.DPlayerY})
            for (float v : *family)
                EXPECT_EQ(v, w.inserted[size_t(k)]) << "frame " << k + 2;
        for (const auto *family : {&f.SYMBOLX, &f.SYMBOLY})
            for (float v : *family)
                EXPECT_EQ(v, w.inserted[size_t(k)]) << "frame " << k + 2;
    }
    EXPECT_EQ(list.frame(1).OPlayerX[0], w.s);
    EXPECT_EQ(list.frame(int16_t(w.n + 2)).OPlayerX[0], w.e);
}

INSTANTIATE_TEST_SUITE_P(
    Insertion, ProgressiveWorkedValues,
    testing::Values(Worked{100, 110, 4, {102, 104, 106, 108}}, Worked{200, 100, 3, {175, 150, 125}},
                    Worked{100, 106, 3, {102, 104, 106}}, Worked{100, 110, 3, {102, 104, 106}},
                    Worked{100, 103, 4, {101, 102, 103, 104}}, // passes E
                    Worked{100, 102, 4, {100, 100, 100, 100}}, // increment 0.4: never moves
                    Worked{100, 101, 1, {100}},                // increment 0.5 rounds to 0
                    Worked{100.5f, 110, 1, {105.5f}}));        // a fraction from a file stays

TEST(InsertFrames, CarriesEverythingButPlacedItemsFromTheStartFrame)
{
    FrameList list;
    list.resize(3);
    PlayConfig &s = list.frame(1);
    s.ActivePlyr = 13;
    s.TxtSYMBOLX = {40, 50};
    s.TxtSYMBOLY = {41, 51};
    s.TxtValue = {"Steal", "a, \"b\""};
    for (int k = 0; k < 8; ++k)
        s.ActionSX[k] = 10.f + k, s.ActionSY[k] = 20, s.ActionEX[k] = 30, s.ActionEY[k] = 40;
    s.OPlayerX[1] = 100, s.OPlayerY[1] = 100; // placed only in S: stays at S
    s.DPlayerY[2] = 100;                      // x 0 in S, placed in E: stays off the surface
    s.SYMBOLX[3] = 100, s.SYMBOLY[3] = 0;     // y 0 in S but x placed in both: both axes move
    s.SYMBOLX[4] = 0.4f, s.SYMBOLY[4] = 7;    // x below 1 but above 0 counts as placed
    PlayConfig &e = list.frame(2);
    e.Blank_Frame();
    e.DPlayerX[2] = 300, e.DPlayerY[2] = 300;
    e.SYMBOLX[3] = 130, e.SYMBOLY[3] = 30;
    e.SYMBOLX[4] = 30.4f, e.SYMBOLY[4] = 37;
    e.TxtValue = {"other", "other"};
    list.frame(3).OPlayerX[9] = 999;
    const PlayConfig start = s;

    ASSERT_EQ(InsertFrames(list, 2), InsertOutcome::Inserted);
    ASSERT_EQ(list.count(), 5);
    EXPECT_EQ(list.frame(5).OPlayerX[9], 999);
    for (int16_t k : {int16_t(2), int16_t(3)}) {
        PlayConfig expected = start;
        const float step = float(k - 1) * 10;
        expected.SYMBOLX[3] = 100 + step, expected.SYMBOLY[3] = step;
        expected.SYMBOLX[4] = 0.4f + step, expected.SYMBOLY[4] = 7 + step;
        EXPECT_EQ(list.frame(k), expected) << "frame " << k;
    }
}

TEST(InsertFrames, RefusalsChangeNothing)
{
    struct Case
    {
        int frames;
        int16_t current;
        int32_t n;
        InsertOutcome outcome;
    };
    for (const Case c : {Case{1, 1, 1, InsertOutcome::LastFrame},
                         Case{4, 4, 3, InsertOutcome::LastFrame},
                         Case{4, 2, 0, InsertOutcome::NoCount},
                         Case{4, 2, -5, InsertOutcome::NoCount},
                         Case{FrameList::kMaxFrames - 3, 2, 4, InsertOutcome::TooManyFrames},
                         Case{4, 2, 1 << 30, InsertOutcome::TooManyFrames}}) {
        FrameList list;
        list.resize(int16_t(c.frames));
        for (int16_t i = 1; i <= c.frames; ++i)
            list.frame(i).OPlayerX[0] = 10.f * i;
        list.setCurrent(c.current);
        const std::vector<PlayConfig> before = framesOf(list);
        EXPECT_EQ(InsertFrames(list, c.n), c.outcome) << c.frames << " frames, n " << c.n;
        EXPECT_EQ(list.count(), c.frames);
        EXPECT_EQ(list.current(), c.current);
        EXPECT_TRUE(framesOf(list) == before);
    }
}

TEST(InsertCopies, EqualsRepeatedAppendAndRefusesPastTheLimit)
{
    FrameList one = startAndEnd(1, 2);
    one.resize(6);
    for (int i = 1; i <= 6; ++i)
        one.frame(int16_t(i)).OPlayerX[0] = float(i);
    one.setCurrent(3);
    FrameList many = one;
    for (int i = 0; i < 4; ++i)
        one.AppendFrame();
    many.InsertCopies(4);
    EXPECT_TRUE(framesOf(one) == framesOf(many));
    EXPECT_EQ(many.current(), 3);

    FrameList full = many;
    full.InsertCopies(0);
    EXPECT_EQ(full.count(), 10);
    const int room = full.room();
    try {
        full.InsertCopies(room + 1);
        ADD_FAILURE() << "grew past the limit";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.code(), ErrorCode::Overflow);
    }
    EXPECT_EQ(full.count(), 10);
}

// The insertion as first described: n shifts of every later frame by one place, then each
// item stepped with its offset re-rounded every frame, an offset that does not fit 16 bits
// keeping its last value (0 before the first).
void literalInsertFrames(FrameList &list, int16_t n)
{
    const int16_t cur = list.current();
    for (int i = 0; i < n; ++i)
        list.AppendFrame(); // grows by one and copies j to j + 1 for j = count - 1 down to cur
    const PlayConfig s = list.frame(cur);
    const PlayConfig e = list.frame(int16_t(cur + n + 1));
    auto round = [](float v, int16_t keep) {
        try {
            return toInt16(v);
        } catch (const RuntimeError &) {
            return keep;
        }
    };
    auto item = [&](auto xs, auto ys, int i) {
        if (!((s.*xs)[i] > 0 && (e.*xs)[i] > 0))
            return;
        const float incX = ((e.*xs)[i] - (s.*xs)[i]) / float(n + 1);
        const float incY = ((e.*ys)[i] - (s.*ys)[i]) / float(n + 1);
        int16_t offX = round(incX, 0), offY = round(incY, 0);
        for (int k = cur + 1; k <= cur + n; ++k) {
            PlayConfig &f = list.frame(int16_t(k));
            (f.*xs)[i] = (f.*xs)[i] + float(offX);
            (f.*ys)[i] = (f.*ys)[i] + float(offY);
            offX = round(float(offX) + incX, offX);
            offY = round(float(offY) + incY, offY);
        }
    };
    for (int i = 0; i < kSymbolCount; ++i)
        item(&PlayConfig::SYMBOLX, &PlayConfig::SYMBOLY, i);
    for (int i = 0; i < kPlayersPerSide; ++i)
        item(&PlayConfig::DPlayerX, &PlayConfig::DPlayerY, i);
    for (int i = 0; i < kPlayersPerSide; ++i)
        item(&PlayConfig::OPlayerX, &PlayConfig::OPlayerY, i);
}

TEST(InsertFrames, OneShiftEqualsRepeatedShiftsOnRandomPlays)
{
    std::mt19937 random(20261207);
    auto coordinate = [&random]() -> float {
        switch (std::uniform_int_distribution<int>(0, 9)(random)) {
        case 0: return 0;
        case 1: return -std::uniform_real_distribution<float>(0, 50)(random);
        case 2: return std::uniform_real_distribution<float>(0, 1)(random);
        case 3: return std::uniform_real_distribution<float>(-1e9f, 1e9f)(random); // overflows
        case 4: return float(std::uniform_int_distribution<int>(0, 40)(random)) / 2;
        default: return float(std::uniform_int_distribution<int>(0, 500)(random));
        }
    };
    for (int round = 0; round < 300; ++round) {
        const int count = std::uniform_int_distribution<int>(2, 40)(random);
        FrameList play;
        play.resize(int16_t(count));
        for (int f = 1; f <= count; ++f) {
            PlayConfig &frame = play.frame(int16_t(f));
            frame.ActivePlyr = int16_t(std::uniform_int_distribution<int>(0, 20)(random));
            for (auto *family :
                 {&frame.OPlayerX, &frame.OPlayerY, &frame.DPlayerX, &frame.DPlayerY})
                for (float &v : *family)
                    v = coordinate();
            for (auto *family : {&frame.SYMBOLX, &frame.SYMBOLY, &frame.ActionSX, &frame.ActionEY})
                for (float &v : *family)
                    v = coordinate();
            frame.TxtSYMBOLX = {coordinate(), coordinate()};
            frame.TxtValue = {"frame " + std::to_string(f), ""};
        }
        play.setCurrent(int16_t(std::uniform_int_distribution<int>(1, count - 1)(random)));
        const int16_t n = int16_t(std::uniform_int_distribution<int>(1, 30)(random));

        FrameList literal = play;
        literalInsertFrames(literal, n);
        ASSERT_EQ(InsertFrames(play, n), InsertOutcome::Inserted);
        ASSERT_EQ(play.count(), literal.count());
        EXPECT_EQ(play.current(), literal.current());
        for (int f = 1; f <= play.count(); ++f)
            ASSERT_EQ(play.frame(int16_t(f)), literal.frame(int16_t(f)))
                << "round " << round << ", frame " << f << " of " << play.count();
    }
}

TEST(InsertFrames, AnOffsetTooLargeForSixteenBitsLeavesThatAxisAlone)
{
    // Symbol 0 moves by 10; symbol 1's x offset does not fit and must not take over the
    // offset symbol 0 ended with.
    FrameList list = startAndEnd(0, 0);
    list.frame(1).SYMBOLX[0] = 1, list.frame(1).SYMBOLY[0] = 1;
    list.frame(2).SYMBOLX[0] = 21, list.frame(2).SYMBOLY[0] = 21;
    list.frame(1).SYMBOLX[1] = 1, list.frame(1).SYMBOLY[1] = 1;
    list.frame(2).SYMBOLX[1] = 1e9f, list.frame(2).SYMBOLY[1] = 11;
    ASSERT_EQ(InsertFrames(list, 1), InsertOutcome::Inserted);
    EXPECT_EQ(list.frame(2).SYMBOLX[0], 11);
    EXPECT_EQ(list.frame(2).SYMBOLX[1], 1);
    EXPECT_EQ(list.frame(2).SYMBOLY[1], 6);
}

} // namespace
} // namespace kinetra
