#include "model/nextmoment.h"

#include "model/framelist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kinetra {
namespace {

const LinePoint kBox{60, 40}; // a symbol's box: its middle is 30, 20 from its stored point

struct Line
{
    int kind;
    LinePoint start, end;
    std::vector<LinePoint> bends = {};
};

PlayConfig frameWith(const std::vector<Line> &lines)
{
    PlayConfig f;
    f.Blank_Frame();
    f.ActivePlyr = 3;
    f.OPlayerX[0] = 100, f.OPlayerY[0] = 100;
    f.OPlayerX[1] = 300, f.OPlayerY[1] = 300;
    f.DPlayerX[2] = 200, f.DPlayerY[2] = 50;
    f.SYMBOLX[4] = 370, f.SYMBOLY[4] = 380; // stands at (400, 400)
    f.TxtSYMBOLX[0] = 100, f.TxtSYMBOLY[0] = 100;
    f.TxtValue[0] = "Cutoff";
    for (const Line &l : lines)
        EXPECT_TRUE(f.addActionLine(l.kind, l.start, l.end, l.bends));
    return f;
}

TEST(NextMoment, ItemsAtALineStartMoveToItsEndAndNoLinesAreLeft)
{
    struct Case
    {
        const char *name;
        std::vector<Line> lines;
        LinePoint offense0, offense1, defense2, symbol4; // stored points in the next moment
    };
    const LinePoint o0{100, 100}, o1{300, 300}, d2{200, 50}, s4{370, 380};
    const Case cases[] = {
        {"no lines", {}, o0, o1, d2, s4},
        {"a line near a player", {{2, {120, 110}, {500, 10}}}, {500, 10}, o1, d2, s4},
        {"just out of reach", {{2, {131, 100}, {500, 10}}}, o0, o1, d2, s4},
        {"a bent line goes to its end",
         {{0, {300, 300}, {10, 500}, {{50, 50}, {60, 60}}}}, o0, {10, 500}, d2, s4},
        {"off the field", {{1, {200, 50}, {3000, 900}}}, o0, o1, {3000, 900}, s4},
        {"a symbol from its middle", {{5, {400, 400}, {130, 130}}}, o0, o1, d2, {100, 110}},
        {"a symbol's corner is not its middle", {{5, {360, 370}, {30, 30}}}, o0, o1, d2, s4},
        {"the first kind wins", {{4, {100, 100}, {1, 1}}, {3, {100, 100}, {2, 2}}},
         {2, 2}, o1, d2, s4},
        {"the first slot wins", {{3, {100, 100}, {7, 7}}, {3, {100, 100}, {8, 8}}},
         {7, 7}, o1, d2, s4},
        {"an empty slot at a line start stays empty", {{6, {5, 5}, {250, 250}}}, o0, o1, d2, s4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const PlayConfig frame = frameWith(c.lines);
        const PlayConfig next = nextMoment(frame, kBox);
        EXPECT_EQ(next.actionLineCount(), 0);
        EXPECT_TRUE(next.ActionPaths.empty());
        EXPECT_EQ((LinePoint{next.OPlayerX[0], next.OPlayerY[0]}), c.offense0);
        EXPECT_EQ((LinePoint{next.OPlayerX[1], next.OPlayerY[1]}), c.offense1);
        EXPECT_EQ((LinePoint{next.DPlayerX[2], next.DPlayerY[2]}), c.defense2);
        EXPECT_EQ((LinePoint{next.SYMBOLX[4], next.SYMBOLY[4]}), c.symbol4);
        EXPECT_EQ(next.OPlayerX[5], 0); // empty slots stay empty
        // Labels and the active player are kept as they were.
        EXPECT_EQ(next.TxtSYMBOLX, frame.TxtSYMBOLX);
        EXPECT_EQ(next.TxtValue, frame.TxtValue);
        EXPECT_EQ(next.ActivePlyr, frame.ActivePlyr);
    }
}

TEST(NextMoment, InsertsAfterTheCurrentFrameUpToTheFrameLimit)
{
    FrameList list;
    list.resize(3);
    list.frame(2).CopyFrame(frameWith({{0, {100, 100}, {150, 160}}}));
    list.frame(3).OPlayerX[0] = 77;
    list.setCurrent(2);
    ASSERT_EQ(InsertNextMoment(list, kBox), InsertOutcome::Inserted);
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(list.current(), 2);
    EXPECT_EQ(list.frame(2).actionLineCount(), 1);
    EXPECT_EQ(list.frame(3), nextMoment(list.frame(2), kBox));
    EXPECT_EQ(list.frame(3).OPlayerX[0], 150);
    EXPECT_EQ(list.frame(4).OPlayerX[0], 77);

    list.resize(FrameList::kMaxFrames);
    list.setCurrent(100);
    const std::vector<PlayConfig> before = list.frames();
    EXPECT_EQ(InsertNextMoment(list, kBox), InsertOutcome::TooManyFrames);
    EXPECT_EQ(list.frames(), before);
    EXPECT_EQ(list.current(), 100);
}

TEST(MovementLines, ItemsThatMovedGetALineOfTheKind)
{
    struct Case
    {
        const char *name;
        std::vector<Line> lines; // already in the frame
        float dx;                // how far every placed item moves right in the next frame
        int drawn;
    };
    const Case cases[] = {
        {"three pixels is no move", {}, 3, 0},
        {"more than three is", {}, 3.5f, 4},
        {"a line at an item keeps it", {{1, {300, 310}, {10, 10}}}, 40, 3},
        {"the line limit", std::vector<Line>(kMaxLinesInFrame - 2, {7, {5, 600}, {9, 600}}), 40,
         2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PlayConfig frame = frameWith(c.lines);
        const std::vector<ActionLine> kept = frame.actionLines();
        PlayConfig next = frameWith({});
        for (float *x : {&next.OPlayerX[0], &next.OPlayerX[1], &next.DPlayerX[2], &next.SYMBOLX[4]})
            *x += c.dx;
        next.OPlayerX[7] = 50; // not on the surface here: no line
        frame.DPlayerX[9] = 50; // not on the surface there: no line

        EXPECT_EQ(drawMovementLines(frame, next, 6, kBox), c.drawn);
        EXPECT_EQ(frame.actionLineCount(), int(kept.size()) + c.drawn);
        const std::vector<ActionLine> after = frame.actionLines();
        for (const ActionLine &line : kept)
            EXPECT_NE(std::find(after.begin(), after.end(), line), after.end());
        EXPECT_EQ(frame.actionLineCount(6), c.drawn);
        // Each drawn line goes from an item's place here to its place in the next frame, so
        // the next moment of the frame puts the items where the next frame has them.
        if (c.lines.empty() && c.drawn > 0) {
            const PlayConfig moved = nextMoment(frame, kBox);
            for (size_t i : {0, 1})
                EXPECT_EQ(moved.OPlayerX[i], next.OPlayerX[i]);
            EXPECT_EQ(moved.DPlayerX[2], next.DPlayerX[2]);
            EXPECT_EQ(moved.SYMBOLX[4], next.SYMBOLX[4]);
        }
    }
}

} // namespace
} // namespace kinetra
