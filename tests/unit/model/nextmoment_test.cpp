#include "model/nextmoment.h"

#include "model/framelist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kinetra {
namespace {

const LinePoint kBox{60, 40}; // a symbol's box: it stands 30, 20 from its stored point

// Offensive players 0 at (100, 100) and 1 at (300, 300), defensive player 2 at (200, 50),
// symbol 4 standing at (400, 400), a text label on player 0, and the given lines.
PlayConfig frameWith(const std::vector<ActionLine> &lines)
{
    PlayConfig f;
    f.Blank_Frame();
    f.ActivePlyr = 3;
    f.OPlayerX[0] = f.OPlayerY[0] = 100;
    f.OPlayerX[1] = f.OPlayerY[1] = 300;
    f.DPlayerX[2] = 200, f.DPlayerY[2] = 50;
    f.SYMBOLX[4] = 370, f.SYMBOLY[4] = 380;
    f.TxtSYMBOLX[0] = f.TxtSYMBOLY[0] = 100;
    f.TxtValue[0] = "Cutoff";
    for (const ActionLine &l : lines)
        EXPECT_TRUE(f.addActionLine(l.id.kind, l.start, l.end, l.bends));
    return f;
}

ActionLine line(int16_t kind, LinePoint start, LinePoint end, std::vector<LinePoint> bends = {})
{
    return {{kind, 0}, start, end, std::move(bends)};
}

TEST(NextMoment, ItemsAtALineStartMoveToItsEndAndNoLinesAreLeft)
{
    struct Case
    {
        const char *name;
        std::vector<ActionLine> lines;
        LinePoint o0, o1, d2, s4; // stored points in the next moment
    };
    const LinePoint o0{100, 100}, o1{300, 300}, d2{200, 50}, s4{370, 380};
    const Case cases[] = {
        {"no lines", {}, o0, o1, d2, s4},
        {"in reach", {line(2, {120, 110}, {500, 10})}, {500, 10}, o1, d2, s4},
        {"out of reach", {line(2, {131, 100}, {500, 10})}, o0, o1, d2, s4},
        {"bent", {line(0, {300, 300}, {10, 500}, {{50, 50}})}, o0, {10, 500}, d2, s4},
        {"off the field", {line(1, {200, 50}, {3000, 900})}, o0, o1, {3000, 900}, s4},
        {"symbol middle", {line(5, {400, 400}, {130, 130})}, o0, o1, d2, {100, 110}},
        {"symbol corner", {line(5, {360, 370}, {30, 30})}, o0, o1, d2, s4},
        {"first kind", {line(4, {100, 100}, {1, 1}), line(3, {100, 100}, {2, 2})}, {2, 2}, o1,
         d2, s4},
        {"first slot", {line(3, {100, 100}, {7, 7}), line(3, {100, 100}, {8, 8})}, {7, 7}, o1,
         d2, s4},
        {"empty slots stay", {line(6, {5, 5}, {250, 250})}, o0, o1, d2, s4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PlayConfig expected = frameWith({});
        expected.OPlayerX[0] = c.o0.x, expected.OPlayerY[0] = c.o0.y;
        expected.OPlayerX[1] = c.o1.x, expected.OPlayerY[1] = c.o1.y;
        expected.DPlayerX[2] = c.d2.x, expected.DPlayerY[2] = c.d2.y;
        expected.SYMBOLX[4] = c.s4.x, expected.SYMBOLY[4] = c.s4.y;
        // Everything else, labels and the active player among it, as it was; no lines.
        EXPECT_EQ(nextMoment(frameWith(c.lines), kBox), expected);
    }
}

TEST(NextMoment, InsertsAfterTheCurrentFrameUpToTheFrameLimit)
{
    FrameList list;
    list.resize(3);
    list.frame(2).CopyFrame(frameWith({line(0, {100, 100}, {150, 160})}));
    list.setCurrent(2);
    const std::vector<PlayConfig> before = list.frames();
    ASSERT_EQ(InsertNextMoment(list, kBox), InsertOutcome::Inserted);
    EXPECT_EQ(list.frames(), (std::vector<PlayConfig>{before[0], before[1],
                                                      nextMoment(before[1], kBox), before[2]}));
    EXPECT_EQ(list.frame(3).OPlayerX[0], 150);

    list.resize(FrameList::kMaxFrames);
    list.setCurrent(100);
    EXPECT_EQ(InsertNextMoment(list, kBox), InsertOutcome::TooManyFrames);
    EXPECT_EQ(list.count(), FrameList::kMaxFrames);
}

TEST(MovementLines, ItemsThatMovedWithoutALineGetOneOfTheKind)
{
    struct Case
    {
        const char *name;
        std::vector<ActionLine> lines; // already in the frame
        float dx;                      // how far the four placed items move right
        int drawn;
    };
    const Case cases[] = {
        {"three pixels is no move", {}, 3, 0},
        {"more than three is", {}, 3.5f, 4},
        {"a line at an item keeps it", {line(1, {300, 310}, {10, 10})}, 40, 3},
        {"the line limit", std::vector(kMaxLinesInFrame - 2, line(7, {5, 600}, {9, 600})), 40, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PlayConfig frame = frameWith(c.lines);
        const std::vector<ActionLine> kept = frame.actionLines();
        PlayConfig next = frameWith({});
        for (float *x : {&next.OPlayerX[0], &next.OPlayerX[1], &next.DPlayerX[2], &next.SYMBOLX[4]})
            *x += c.dx;
        next.OPlayerX[7] = 50;  // not on the field in this frame
        frame.DPlayerX[9] = 50; // not on the field in the next

        EXPECT_EQ(drawMovementLines(frame, next, 6, kBox), c.drawn);
        EXPECT_EQ(frame.actionLineCount(6), c.drawn);
        std::vector<ActionLine> after = frame.actionLines();
        std::erase_if(after, [](const ActionLine &l) { return l.id.kind == 6; });
        EXPECT_EQ(after, kept);
        // The lines lead each item to where the next frame has it.
        if (c.lines.empty()) {
            next.OPlayerX[7] = 0, next.DPlayerX[9] = 50;
            EXPECT_EQ(nextMoment(frame, kBox), c.drawn ? next : frame);
        }
    }
}

} // namespace
} // namespace kinetra
