#include "model/playconfig.h"

#include <gtest/gtest.h>

#include <functional>

namespace kinetra {
namespace {

constexpr int16_t W = 600, H = 500;

// Every kind of item placed, inside the surface, with slot 9 / 7 / 1 left empty.
PlayConfig placedFrame()
{
    PlayConfig f;
    f.Blank_Frame();
    f.ActivePlyr = 4;
    for (int i = 0; i < 9; ++i) {
        f.OPlayerX[i] = 4.f + 37 * i, f.OPlayerY[i] = 10.f + 41 * i;
        f.DPlayerX[i] = 590.f - 50 * i, f.DPlayerY[i] = 3.f + 53 * i;
    }
    for (int i = 0; i < 7; ++i) {
        f.SYMBOLX[i] = 100.f + 60 * i, f.SYMBOLY[i] = 400.f - 50 * i;
        f.ActionSX[i] = 20.f + 70 * i, f.ActionSY[i] = 30.f + 60 * i;
        f.ActionEX[i] = 60.f + 70 * i, f.ActionEY[i] = 90.f + 50 * i;
    }
    f.TxtSYMBOLX[0] = 250, f.TxtSYMBOLY[0] = 125;
    f.TxtValue = {"Bunt", "0"};
    // A bent first line, and a further line with a bend.
    f.setActionLine({{0, 0}, {20, 30}, {60, 90}, {{35, 70}, {50, 40}}});
    f.addActionLine(1, {300, 200}, {420, 260}, {{380, 180}});
    return f;
}

using Move = std::function<void(PlayConfig &)>;

struct RoundTrip
{
    const char *name;
    Move there, back;
};

class MoveRoundTrip : public testing::TestWithParam<RoundTrip>
{};

TEST_P(MoveRoundTrip, ReturnsEveryPointAndChangesThemOnTheWay)
{
    const PlayConfig start = placedFrame();
    PlayConfig f = start;
    GetParam().there(f);
    EXPECT_NE(f, start);
    EXPECT_EQ(f.ActivePlyr, start.ActivePlyr);
    EXPECT_EQ(f.TxtValue, start.TxtValue);
    GetParam().back(f);
    EXPECT_EQ(f, start);
}

// One click of the dialog with every group ticked.
Move click(int16_t xInc, int16_t yInc, int16_t width, int16_t height)
{
    return [=](PlayConfig &f) { f.MoveFrame(xInc, yInc, width, height, 1, 1, 1, 1); };
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveRoundTrip,
    testing::Values(RoundTrip{"RightThenLeft", click(-10, 0, 0, 0), click(10, 0, 0, 0)},
                    RoundTrip{"DownThenUp", click(0, -10, 0, 0), click(0, 10, 0, 0)},
                    RoundTrip{"MirrorTwice", click(0, 0, W, 0), click(0, 0, W, 0)},
                    RoundTrip{"FlipTwice", click(0, 0, 0, H), click(0, 0, 0, H)}),
    [](const auto &info) { return std::string(info.param.name); });

struct RangeCase
{
    const char *name;
    std::function<void(PlayConfig &)> place;
    std::array<int16_t, 4> move; // Xinc, Yinc, xWIDTH, yHEIGHT
    std::array<int16_t, 4> groups;
    bool moves;
};

class MoveRange : public testing::TestWithParam<RangeCase>
{};

TEST_P(MoveRange, RefusesAResultOutsideSixteenBitsAndThenChangesNothing)
{
    PlayConfig f;
    f.Blank_Frame();
    GetParam().place(f);
    const PlayConfig start = f;
    const auto &[xInc, yInc, width, height] = GetParam().move;
    const auto &[ply, sym, act, txt] = GetParam().groups;
    EXPECT_EQ(f.MoveFrame(xInc, yInc, width, height, ply, sym, act, txt), GetParam().moves);
    EXPECT_EQ(f == start, !GetParam().moves);
}

constexpr std::array<int16_t, 4> kAll{1, 1, 1, 1};

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveRange,
    testing::Values(
        RangeCase{"PlayerToTheLimit", [](PlayConfig &f) { f.OPlayerX[0] = 10, f.OPlayerY[0] = 20; },
                  {-32757, 0, 0, 0}, kAll, true},
        RangeCase{"PlayerPastTheRight", [](PlayConfig &f) { f.OPlayerX[0] = 10, f.OPlayerY[0] = 20; },
                  {-32767, 0, 0, 0}, kAll, false},
        RangeCase{"ActionEndPastTheBottom",
                  [](PlayConfig &f) {
                      f.OPlayerX[0] = 10, f.OPlayerY[0] = 20;
                      f.ActionSX[3] = 50, f.ActionSY[3] = 50;
                      f.ActionEX[3] = 80, f.ActionEY[3] = 30000;
                  },
                  {0, -3000, 0, 0}, kAll, false},
        RangeCase{"MirroredFarLeftText",
                  [](PlayConfig &f) { f.TxtSYMBOLX[0] = -32500, f.TxtSYMBOLY[0] = 10; },
                  {0, 0, W, 0}, kAll, false},
        RangeCase{"FarItemOfAnUntickedGroup",
                  [](PlayConfig &f) {
                      f.SYMBOLX[0] = 32760, f.SYMBOLY[0] = 10;
                      f.DPlayerX[0] = 100, f.DPlayerY[0] = 10;
                  },
                  {-100, 0, 0, 0}, {1, 0, 1, 1}, true},
        RangeCase{"BendPastTheRight",
                  [](PlayConfig &f) { f.addActionLine(2, {10, 10}, {20, 20}, {{300, 10}}); },
                  {-32500, 0, 0, 0}, kAll, false},
        RangeCase{"FurtherLineEndPastTheRight",
                  [](PlayConfig &f) {
                      f.addActionLine(2, {10, 10}, {20, 20});
                      f.addActionLine(2, {10, 10}, {300, 20});
                  },
                  {-32500, 0, 0, 0}, kAll, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MoveFrame, LeftBouncesOffTheLeftEdge)
{
    PlayConfig f = placedFrame();
    f.OPlayerX[0] = 4, f.OPlayerY[0] = 30;
    f.OPlayerX[1] = 10, f.OPlayerY[1] = 30;
    f.OPlayerX[2] = 10, f.OPlayerY[2] = 0;
    f.MoveFrame(10, 0, 0, 0, 1, 0, 0, 0);
    EXPECT_EQ(f.OPlayerX[0], 6);
    EXPECT_EQ(f.OPlayerY[0], 30);
    EXPECT_EQ(f.OPlayerX[1], 0);
    EXPECT_EQ(f.OPlayerX[2], 0);
    // x 0 but y above 0: still on the surface; both 0: an empty slot from now on.
    f.MoveFrame(-10, 0, 0, 0, 1, 0, 0, 0);
    EXPECT_EQ(f.OPlayerX[1], 10);
    EXPECT_EQ(f.OPlayerX[2], 0);
}

TEST(MoveFrame, MirrorAndFlipReflectAboutTheMiddle)
{
    PlayConfig f = placedFrame();
    f.SYMBOLX[0] = 100, f.SYMBOLY[0] = 50;
    f.SYMBOLX[1] = 650, f.SYMBOLY[1] = 520; // beyond the surface lands at x - W
    f.MoveFrame(0, 0, W, 0, 0, 1, 0, 0);
    EXPECT_EQ(f.SYMBOLX[0], 500);
    EXPECT_EQ(f.SYMBOLY[0], 50);
    EXPECT_EQ(f.SYMBOLX[1], 50);
    f.MoveFrame(0, 0, 0, H, 0, 1, 0, 0);
    EXPECT_EQ(f.SYMBOLX[0], 500);
    EXPECT_EQ(f.SYMBOLY[0], 450);
    EXPECT_EQ(f.SYMBOLY[1], 20);
}

TEST(MoveFrame, OnlyTheGroupsFlaggedOneMove)
{
    const PlayConfig start = placedFrame();
    PlayConfig f = start;
    f.MoveFrame(0, 0, 0, H, 0, 0, 1, 0); // Actions only
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(f.ActionSX[k], start.ActionSX[k]);
        EXPECT_EQ(f.ActionSY[k], H - start.ActionSY[k]);
        EXPECT_EQ(f.ActionEY[k], H - start.ActionEY[k]);
    }
    PlayConfig others = f;
    others.ActionSY = start.ActionSY, others.ActionEY = start.ActionEY;
    others.ActionPaths = start.ActionPaths;
    EXPECT_EQ(others, start);

    // A group flag must be exactly 1: -1 (true as a number) leaves the group alone.
    PlayConfig g = start;
    g.MoveFrame(-10, -10, 0, 0, -1, 2, 0, -1);
    EXPECT_EQ(g, start);
}

TEST(MoveFrame, BendsAndFurtherLinesMoveWithTheirLine)
{
    PlayConfig f = placedFrame();
    f.MoveFrame(0, 0, W, 0, 0, 0, 1, 0);
    EXPECT_EQ(f.actionLine({0, 0}),
              (ActionLine{{0, 0}, {580, 30}, {540, 90}, {{565, 70}, {550, 40}}}));
    EXPECT_EQ(f.actionLine({1, 1}), (ActionLine{{1, 1}, {300, 200}, {180, 260}, {{220, 180}}}));
    // Lines of another group's move stay.
    const PlayConfig moved = f;
    f.MoveFrame(-10, 0, 0, 0, 1, 1, 0, 1);
    EXPECT_EQ(f.ActionPaths, moved.ActionPaths);
}

TEST(MoveFrame, AFirstLineMovedOffTheSurfaceGivesWayToTheNextLine)
{
    PlayConfig f;
    f.Blank_Frame();
    f.addActionLine(6, {10, 50}, {100, 50}, {{50, 80}});
    f.addActionLine(6, {20, 60}, {120, 60}, {{60, 90}});
    f.addActionLine(6, {30, 70}, {130, 70});
    // Left by 10: every x becomes |10 - x|, so the first line starts at x 0.
    ASSERT_TRUE(f.MoveFrame(10, 0, 0, 0, 0, 0, 1, 0));
    EXPECT_EQ(f.actionLines(), (std::vector<ActionLine>{{{6, 0}, {10, 60}, {110, 60}, {{50, 90}}},
                                                        {{6, 1}, {20, 70}, {120, 70}, {}}}));
    EXPECT_EQ(f.ActionPaths, (std::vector<ActionPath>{{{6, 0}, {}, {}, {{50, 90}}},
                                                      {{6, 1}, {20, 70}, {120, 70}, {}}}));
}

TEST(MoveFrame, EmptySlotsAndUnstartedActionLinesStay)
{
    PlayConfig f = placedFrame();
    f.ActionSX[2] = 0, f.ActionSY[2] = 0; // starts at (0, 0): unused although its end is set
    f.SYMBOLX[3] = -5, f.SYMBOLY[3] = 0;  // negative x and zero y: an empty slot
    const PlayConfig start = f;
    for (const auto &[xInc, yInc, w, h] : {std::array<int16_t, 4>{-10, 0, 0, 0}, {10, 0, 0, 0},
                                          {0, -10, 0, 0}, {0, 10, 0, 0}, {0, 0, W, 0},
                                          {0, 0, 0, H}}) {
        f.MoveFrame(xInc, yInc, w, h, 1, 1, 1, 1);
        EXPECT_EQ(f.OPlayerX[9], 0);
        EXPECT_EQ(f.OPlayerY[9], 0);
        EXPECT_EQ(f.DPlayerX[9], 0);
        EXPECT_EQ(f.SYMBOLX[7], 0);
        EXPECT_EQ(f.SYMBOLX[3], -5);
        EXPECT_EQ(f.TxtSYMBOLX[1], 0);
        EXPECT_EQ(f.ActionSX[2], 0);
        EXPECT_EQ(f.ActionEX[2], start.ActionEX[2]);
        EXPECT_EQ(f.ActionEY[2], start.ActionEY[2]);
        EXPECT_EQ(f.ActionSX[7], 0);
    }
}

TEST(MoveFrame, AnActionLineMovesAtBothEndsEvenWhenItsEndIsUnset)
{
    PlayConfig f = placedFrame();
    f.ActionEX[0] = 0, f.ActionEY[0] = 0;
    f.MoveFrame(-15, -5, 0, 0, 0, 0, 1, 0);
    EXPECT_EQ(f.ActionSX[0], 35);
    EXPECT_EQ(f.ActionSY[0], 35);
    EXPECT_EQ(f.ActionEX[0], 15);
    EXPECT_EQ(f.ActionEY[0], 5);
}

} // namespace
} // namespace kinetra
