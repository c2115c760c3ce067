#include "model/glide.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

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
    const PlayConfig g = glideFrame(from(), to(), c.t);
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
    const PlayConfig g = glideFrame(a, b, 0.5);
    EXPECT_FLOAT_EQ(g.OPlayerX[0], 0.5f);
    EXPECT_FLOAT_EQ(g.OPlayerY[0], 10);
    EXPECT_FLOAT_EQ(g.OPlayerX[1], 100);
    EXPECT_TRUE(isPlaced(0.51f));
    EXPECT_FALSE(isPlaced(0.5f));
}

} // namespace
} // namespace kinetra
