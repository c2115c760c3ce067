#include "model/nextmoment.h"

#include "model/framelist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kinetra {
namespace {

namespace kind = ActionKind;

// A symbol's box: it stands 16, 16 from its stored point. A runner's marker reaches 15 pixels,
// so a line starting closer than 19 to him is his; a fielder's 12, so closer than 16.
const ItemSizes kSizes{{32, 32}, {15, 12}};

const ItemId kBatter{Part::Offense, 0}, kRunner{Part::Offense, 1}, kRunner2{Part::Offense, 2};
const ItemId kCatcher{Part::Defense, 1}, kFirstBaseman{Part::Defense, 2},
    kSecondBaseman{Part::Defense, 3}, kRightFielder{Part::Defense, 6};
const ItemId kBall{Part::Symbol, 0}, kCone{Part::Symbol, 4};

// An item and where it stands: a symbol at the middle of its box.
struct Placed
{
    ItemId item;
    LinePoint at;
};

void place(PlayConfig &frame, const Placed &p)
{
    const size_t i = size_t(p.item.index);
    if (p.item.part == Part::Offense) {
        frame.OPlayerX[i] = p.at.x, frame.OPlayerY[i] = p.at.y;
    } else if (p.item.part == Part::Defense) {
        frame.DPlayerX[i] = p.at.x, frame.DPlayerY[i] = p.at.y;
    } else {
        frame.SYMBOLX[i] = p.at.x - 16, frame.SYMBOLY[i] = p.at.y - 16;
    }
}

// The items placed, a text label, an active player, and the given lines.
PlayConfig frameWith(const std::vector<Placed> &items, const std::vector<ActionLine> &lines = {})
{
    PlayConfig f;
    f.Blank_Frame();
    f.ActivePlyr = 3;
    f.TxtSYMBOLX[0] = f.TxtSYMBOLY[0] = 100;
    f.TxtValue[0] = "Cutoff";
    for (const Placed &p : items)
        place(f, p);
    for (const ActionLine &l : lines)
        EXPECT_TRUE(f.addActionLine(l.id.kind, l.start, l.end, l.bends));
    return f;
}

ActionLine line(int kind, LinePoint start, LinePoint end, std::vector<LinePoint> bends = {})
{
    return {{int16_t(kind), 0}, start, end, std::move(bends)};
}

struct MomentCase
{
    const char *name;
    std::vector<Placed> items;
    std::vector<ActionLine> lines;
    std::vector<Placed> moved; // where the items that move stand in the next moment
};

TEST(NextMoment, EachLineMovesWhatItWasDrawnFrom)
{
    const MomentCase cases[] = {
        {"the batter runs to first and the ball is hit to right field; the catcher stays",
         {{kBatter, {188, 338}}, {kCatcher, {200, 362}}, {kBall, {200, 345}}},
         {line(kind::Run, {188, 338}, {286, 254}), line(kind::Hit, {200, 343}, {300, 120})},
         {{kBatter, {286, 254}}, {kBall, {300, 120}}}},
        {"a right fielder throws to first: the ball goes, he and the first baseman stay",
         {{kRightFielder, {300, 150}}, {kFirstBaseman, {280, 250}}, {kBall, {306, 148}}},
         {line(kind::Throw, {302, 152}, {282, 252})},
         {{kBall, {282, 252}}}},
        {"the catcher throws to second: the ball goes, he and the batter stay",
         {{kCatcher, {200, 362}}, {kBatter, {188, 338}}, {kBall, {200, 358}}},
         {line(kind::Throw, {200, 360}, {200, 170})},
         {{kBall, {200, 170}}}},
        {"a fielder's line moves him, not the runner beside him",
         {{kSecondBaseman, {230, 200}}, {kRunner, {240, 205}}},
         {line(kind::Cover, {231, 201}, {200, 170})},
         {{kSecondBaseman, {200, 170}}}},
        {"a runner's marker and a few pixels", {{kRunner, {100, 100}}},
         {line(kind::Steal, {118.5f, 100}, {200, 170})}, {{kRunner, {200, 170}}}},
        {"beyond them", {{kRunner, {100, 100}}}, {line(kind::Steal, {119, 100}, {200, 170})}, {}},
        {"a fielder's smaller marker", {{kSecondBaseman, {100, 100}}},
         {line(kind::Shift, {100, 115.5f}, {10, 10})}, {{kSecondBaseman, {10, 10}}}},
        {"beyond it", {{kSecondBaseman, {100, 100}}},
         {line(kind::Shift, {100, 116}, {10, 10})}, {}},
        {"a symbol within reach of its middle", {{kCone, {400, 300}}},
         {line(kind::Throw, {370, 300}, {130, 130})}, {{kCone, {130, 130}}}},
        {"not of its stored corner", {{kCone, {400, 300}}},
         {line(kind::Throw, {364, 264}, {130, 130})}, {}},
        {"a Hit moves no player, a Run no symbol", {{kRunner, {100, 100}}, {kBall, {300, 300}}},
         {line(kind::Run, {300, 300}, {10, 10}), line(kind::Hit, {100, 100}, {20, 20})},
         {}},
        {"the nearest start takes the runner; the other line leaves his neighbour",
         {{kRunner, {100, 100}}, {kRunner2, {112, 100}}},
         {line(kind::Run, {100, 100}, {150, 50}), line(kind::Steal, {103, 100}, {160, 60})},
         {{kRunner, {150, 50}}}},
        {"nearest even when drawn later", {{kRunner, {100, 100}}},
         {line(kind::Run, {110, 100}, {150, 50}), line(kind::Steal, {104, 100}, {160, 60})},
         {{kRunner, {160, 60}}}},
        {"a tie goes to the kind drawn first", {{kRunner, {100, 100}}},
         {line(kind::Steal, {95, 100}, {160, 60}), line(kind::Run, {105, 100}, {150, 50})},
         {{kRunner, {150, 50}}}},
        {"and to the slot drawn first", {{kBall, {300, 300}}},
         {line(kind::Throw, {300, 310}, {7, 7}), line(kind::Throw, {300, 290}, {8, 8})},
         {{kBall, {7, 7}}}},
        {"even off the field", {{kRunner, {100, 100}}}, {line(kind::Run, {100, 100}, {3000, 900})},
         {{kRunner, {3000, 900}}}},
        {"a bent line ends where it ends", {{kRunner, {100, 100}}},
         {line(kind::Run, {100, 100}, {10, 300}, {{50, 50}})}, {{kRunner, {10, 300}}}},
        {"an item off the surface stays", {}, {line(kind::Run, {5, 5}, {250, 250})}, {}},
    };
    for (const MomentCase &c : cases) {
        SCOPED_TRACE(c.name);
        PlayConfig expected = frameWith(c.items);
        for (const Placed &p : c.moved)
            place(expected, p);
        // Everything else, labels and the active player among it, as it was; no lines.
        EXPECT_EQ(nextMoment(frameWith(c.items, c.lines), kSizes), expected);
    }
}

TEST(NextMoment, InsertsAfterTheCurrentFrameUpToTheFrameLimit)
{
    FrameList list;
    list.resize(3);
    list.frame(2).CopyFrame(frameWith({{kRunner, {100, 100}}}, {line(0, {100, 100}, {150, 160})}));
    list.setCurrent(2);
    const std::vector<PlayConfig> before = list.frames();
    ASSERT_EQ(InsertNextMoment(list, kSizes), InsertOutcome::Inserted);
    EXPECT_EQ(list.frames(), (std::vector<PlayConfig>{before[0], before[1],
                                                      nextMoment(before[1], kSizes), before[2]}));
    EXPECT_EQ(list.frame(3).OPlayerX[1], 150);

    list.resize(FrameList::kMaxFrames);
    list.setCurrent(100);
    EXPECT_EQ(InsertNextMoment(list, kSizes), InsertOutcome::TooManyFrames);
    EXPECT_EQ(list.count(), FrameList::kMaxFrames);
}

// A runner, a fielder and the ball, each moved 40 pixels right in the next frame.
const std::vector<Placed> kMovers{
    {kRunner, {100, 100}}, {kSecondBaseman, {200, 50}}, {kBall, {400, 300}}};

PlayConfig movedOn(float dx)
{
    std::vector<Placed> later = kMovers;
    for (Placed &p : later)
        p.at.x += dx;
    return frameWith(later);
}

std::vector<ActionLine> byKind(std::vector<ActionLine> lines)
{
    std::ranges::stable_sort(lines, {}, [](const ActionLine &l) { return l.id.kind; });
    return lines;
}

TEST(MovementLines, ARunnerRunsTheBallIsThrownAFielderTakesAFieldersKind)
{
    // The kind chosen, and the kind of the fielder's line.
    const std::pair<int, int> kinds[] = {
        {kind::Run, kind::Field},     {kind::Hit, kind::Field},   {kind::Throw, kind::Field},
        {kind::Field, kind::Field},   {kind::Cover, kind::Cover}, {kind::BackUp, kind::BackUp},
        {kind::Steal, kind::Field},   {kind::Shift, kind::Shift}};
    for (const auto &[chosen, fielders] : kinds) {
        SCOPED_TRACE(chosen);
        PlayConfig frame = frameWith(kMovers);
        EXPECT_EQ(drawMovementLines(frame, movedOn(40), chosen, kSizes), 3);
        EXPECT_EQ(frame.actionLines(), byKind({line(kind::Run, {100, 100}, {140, 100}),
                                               line(kind::Throw, {400, 300}, {440, 300}),
                                               line(fielders, {200, 50}, {240, 50})}));
    }
}

TEST(MovementLines, OnlyItemsThatMovedWithoutALineOfTheirOwnGetOne)
{
    struct Case
    {
        const char *name;
        std::vector<ActionLine> lines; // already in the frame
        float dx;                      // how far the three items move right
        std::vector<ActionLine> drawn;
    };
    const ActionLine run = line(kind::Run, {100, 100}, {140, 100});
    const ActionLine field = line(kind::Field, {200, 50}, {240, 50});
    const ActionLine ballThrown = line(kind::Throw, {400, 300}, {440, 300});
    const Case cases[] = {
        {"three pixels is no move", {}, 3, {}},
        {"more than three is", {}, 3.5f,
         {line(kind::Run, {100, 100}, {103.5f, 100}), line(kind::Field, {200, 50}, {203.5f, 50}),
          line(kind::Throw, {400, 300}, {403.5f, 300})}},
        {"the runner's line keeps him", {line(kind::Steal, {105, 100}, {150, 10})}, 40,
         {field, ballThrown}},
        {"a Hit from him does not", {line(kind::Hit, {100, 100}, {10, 10})}, 40,
         {run, field, ballThrown}},
        {"a throw from the fielder leaves him his own",
         {line(kind::Throw, {205, 50}, {10, 10})}, 40, {run, field, ballThrown}},
        {"the ball's throw keeps it", {line(kind::Throw, {390, 300}, {10, 10})}, 40, {run, field}},
        {"a line the runner takes from another", {line(kind::Run, {110, 100}, {10, 10}),
                                                   line(kind::Steal, {100, 100}, {20, 20})},
         40, {field, ballThrown}},
        {"the line limit",
         std::vector(kMaxLinesInFrame - 2, line(kind::Shift, {5, 600}, {9, 600})), 40,
         {run, field}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PlayConfig frame = frameWith(kMovers, c.lines);
        PlayConfig next = movedOn(c.dx);
        next.OPlayerX[7] = 50;  // not on the field in this frame
        frame.DPlayerX[9] = 50; // not on the field in the next
        const std::vector<ActionLine> kept = frame.actionLines();

        EXPECT_EQ(drawMovementLines(frame, next, kind::Field, kSizes), int(c.drawn.size()));
        std::vector<ActionLine> expected = kept;
        expected.insert(expected.end(), c.drawn.begin(), c.drawn.end());
        std::vector<ActionLine> after = frame.actionLines();
        for (ActionLine &l : after)
            l.id.slot = 0;
        for (ActionLine &l : expected)
            l.id.slot = 0;
        EXPECT_EQ(after, byKind(expected));
        // The drawn lines lead each item to where the next frame has it.
        if (c.lines.empty()) {
            next.OPlayerX[7] = 0, next.DPlayerX[9] = 50;
            EXPECT_EQ(nextMoment(frame, kSizes), c.drawn.empty() ? frame : next);
        }
    }
}

} // namespace
} // namespace kinetra
