#include "model/glide.h"

#include <cmath>

#include <gtest/gtest.h>

namespace kinetra {
namespace {

namespace kind = ActionKind;

// A symbol's box; markers reaching 15 pixels, so an item 19 from a line's end stands at it.
const ItemSizes kSizes{{32, 32}, {15, 15}};

struct GlideCase
{
    double t;
    float x, y; // where offensive player 2 and symbol 5 stand
};

class GlideTest : public testing::TestWithParam<GlideCase>
{
protected:
    static PlayConfig from()
    {
        PlayConfig f;
        f.ActivePlyr = 2;
        f.OPlayerX[2] = 100;
        f.OPlayerY[2] = 50;
        f.SYMBOLX[5] = 100;
        f.SYMBOLY[5] = 50;
        f.DPlayerX[0] = 30; // placed only here
        f.DPlayerY[0] = 40;
        f.TxtSYMBOLX[0] = 10;
        f.TxtSYMBOLY[0] = 20;
        f.TxtValue[0] = "Bunt";
        f.ActionSX[1] = 5;
        f.ActionSY[1] = 6;
        f.ActionEX[1] = 70;
        f.ActionEY[1] = 80;
        return f;
    }
    static PlayConfig to()
    {
        PlayConfig t;
        t.ActivePlyr = 7;
        t.OPlayerX[2] = 200.5f;
        t.OPlayerY[2] = 150;
        t.SYMBOLX[5] = 200.5f;
        t.SYMBOLY[5] = 150;
        t.DPlayerX[3] = 90; // placed only here
        t.DPlayerY[3] = 90;
        t.TxtSYMBOLX[0] = 300;
        t.TxtValue[0] = "Run";
        t.ActionEX[1] = 300;
        return t;
    }
};

TEST_P(GlideTest, PlayersAndSymbolsInBothFramesGlideTheRestStaysAsTheEarlierFrame)
{
    const GlideCase c = GetParam();
    const PlayConfig g = glideFrame(from(), to(), c.t, kSizes);
    EXPECT_FLOAT_EQ(g.OPlayerX[2], c.x);
    EXPECT_FLOAT_EQ(g.OPlayerY[2], c.y);
    EXPECT_FLOAT_EQ(g.SYMBOLX[5], c.x);
    EXPECT_FLOAT_EQ(g.SYMBOLY[5], c.y);

    PlayConfig expected = from();
    expected.OPlayerX[2] = expected.SYMBOLX[5] = c.x;
    expected.OPlayerY[2] = expected.SYMBOLY[5] = c.y;
    EXPECT_EQ(g, expected) << "only the items placed in both frames move";
}

INSTANTIATE_TEST_SUITE_P(StartMiddleEnd, GlideTest,
                         testing::Values(GlideCase{0.0, 100, 50}, GlideCase{0.5, 150.25f, 100},
                                         GlideCase{0.25, 125.125f, 75},
                                         GlideCase{1.0, 200.5f, 150},
                                         GlideCase{-1.0, 100, 50}, GlideCase{2.0, 200.5f, 150}));

TEST(Glide, AnItemOffTheSurfaceInEitherFrameDoesNotGlide)
{
    PlayConfig a, b;
    a.OPlayerX[0] = 0.5f; // rounds to 0: not placed
    a.OPlayerY[0] = 10;
    b.OPlayerX[0] = 100;
    b.OPlayerY[0] = 100;
    a.OPlayerX[1] = 100;
    a.OPlayerY[1] = 100;
    b.OPlayerX[1] = -3; // removed in the later frame
    const PlayConfig g = glideFrame(a, b, 0.5, kSizes);
    EXPECT_FLOAT_EQ(g.OPlayerX[0], 0.5f);
    EXPECT_FLOAT_EQ(g.OPlayerY[0], 10);
    EXPECT_FLOAT_EQ(g.OPlayerX[1], 100);
    EXPECT_TRUE(isPlaced(0.51f));
    EXPECT_FALSE(isPlaced(0.5f));
}

ActionLine line(int kind, int slot, LinePoint start, LinePoint end,
                std::vector<LinePoint> bends)
{
    return {{int16_t(kind), int16_t(slot)}, start, end, std::move(bends)};
}

// Every line here but one runs from (100, 300) to (300, 100). Bent through (300, 300) or
// (100, 100), its curve is its own mirror image across x = y, which swaps its ends: halfway
// along its length lies the bend.
const LinePoint kStart{100, 300}, kEnd{300, 100};
const std::vector<LinePoint> kRight{{300, 300}}, kLeft{{100, 100}};

struct LineGlideCase
{
    const char *what;
    std::vector<ActionLine> lines;
    bool symbol;        // the ball (symbol 0) rather than offensive player 3
    float box;          // the side of a symbol's box
    LinePoint from, to; // where the item stands in the two frames
    std::vector<std::pair<double, LinePoint>> along; // where it stands a fraction of the way
};

void PrintTo(const LineGlideCase &c, std::ostream *os)
{
    *os << c.what;
}

class LineGlideTest : public testing::TestWithParam<LineGlideCase>
{};

TEST_P(LineGlideTest, ItemsFollowTheLineTheyMoveAlongByLength)
{
    const LineGlideCase &c = GetParam();
    const ItemSizes sizes{{c.box, c.box}, kSizes.markerRadius};
    // A symbol is stored by the top-left corner of its box.
    const float corner = c.symbol ? c.box / 2 : 0;
    PlayConfig a, b;
    for (const ActionLine &l : c.lines)
        ASSERT_TRUE(a.addActionLine(l.id.kind, l.start, l.end, l.bends));
    (c.symbol ? a.SYMBOLX[0] : a.OPlayerX[3]) = c.from.x - corner;
    (c.symbol ? a.SYMBOLY[0] : a.OPlayerY[3]) = c.from.y - corner;
    (c.symbol ? b.SYMBOLX[0] : b.OPlayerX[3]) = c.to.x - corner;
    (c.symbol ? b.SYMBOLY[0] : b.OPlayerY[3]) = c.to.y - corner;
    const GlidePlan plan(a, b, sizes);
    for (const auto &[t, want] : c.along) {
        const PlayConfig g = plan.at(t);
        EXPECT_NEAR((c.symbol ? g.SYMBOLX[0] : g.OPlayerX[3]) + corner, want.x, 0.5) << t;
        EXPECT_NEAR((c.symbol ? g.SYMBOLY[0] : g.OPlayerY[3]) + corner, want.y, 0.5) << t;
        EXPECT_EQ(g, glideFrame(a, b, t, sizes)) << "a plan gives what a single step gives";
    }
    const PlayConfig end = plan.at(1);
    EXPECT_EQ(c.symbol ? end.SYMBOLX[0] : end.OPlayerX[3], c.to.x - corner);
    EXPECT_EQ(c.symbol ? end.SYMBOLY[0] : end.OPlayerY[3], c.to.y - corner);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineGlideTest,
    testing::Values(
        LineGlideCase{"a runner on a bent Run line is at the bend halfway",
                      {line(kind::Run, 0, kStart, kEnd, kRight)}, false, 32, kStart, kEnd,
                      {{0.5, {300, 300}}}},
        // Bent in line: the curve keeps to the line, 200 pixels long however it is bent.
        LineGlideCase{"at an even speed along the line's length",
                      {line(kind::Run, 0, {100, 300}, {300, 300}, {{250, 300}})}, false, 32,
                      {100, 300}, {300, 300},
                      {{0.25, {150, 300}}, {0.5, {200, 300}}, {0.8, {260, 300}}}},
        LineGlideCase{"the ball on a bent Throw line",
                      {line(kind::Throw, 0, kStart, kEnd, kRight)}, true, 32, kStart, kEnd,
                      {{0.5, {300, 300}}}},
        LineGlideCase{"a ball of 48 pixels by the middle of its box",
                      {line(kind::Throw, 0, kStart, kEnd, kRight)}, true, 48, kStart, kEnd,
                      {{0.5, {300, 300}}}},
        // Half of 10 right of the start, half of 10 below the end.
        LineGlideCase{"near both ends, the offsets blended",
                      {line(kind::Run, 0, kStart, kEnd, kRight)}, false, 32, {110, 300},
                      {300, 110}, {{0.5, {305, 305}}}},
        LineGlideCase{"two lines fit him: the first drawn",
                      {line(kind::Run, 0, kStart, kEnd, kRight),
                       line(kind::Run, 1, kStart, kEnd, kLeft)},
                      false, 32, kStart, kEnd, {{0.5, {300, 300}}}},
        LineGlideCase{"the nearer start before the first drawn",
                      {line(kind::Run, 0, {112, 300}, kEnd, kRight),
                       line(kind::Run, 1, kStart, kEnd, kLeft)},
                      false, 32, kStart, kEnd, {{0.5, {100, 100}}}},
        LineGlideCase{"a straight line", {line(kind::Run, 0, kStart, kEnd, {})}, false, 32, kStart,
                      kEnd, {{0.5, {200, 200}}}},
        LineGlideCase{"not at the line's end in the next frame",
                      {line(kind::Run, 0, kStart, kEnd, kRight)}, false, 32, kStart, {300, 140},
                      {{0.5, {200, 220}}}},
        LineGlideCase{"a Run does not move the ball", {line(kind::Run, 0, kStart, kEnd, kRight)},
                      true, 32, kStart, kEnd, {{0.5, {200, 200}}}}));

} // namespace
} // namespace kinetra
