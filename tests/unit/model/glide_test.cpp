#include "model/glide.h"

#include "model/linecurve.h"

#include <cmath>

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

namespace kinetra {
namespace {

// The point a fraction `t` of the way along a line's curve by length, measured finely.
LinePoint alongCurve(const ActionLine &line, double t)
{
    const std::vector<LinePoint> pts = curvePoints(line, 2000);
    std::vector<double> lengths{0};
    for (size_t i = 1; i < pts.size(); ++i)
        lengths.push_back(lengths.back() + std::hypot(pts[i].x - pts[i - 1].x,
                                                      pts[i].y - pts[i - 1].y));
    const double want = lengths.back() * t;
    size_t i = 1;
    while (i + 1 < pts.size() && lengths[i] < want)
        ++i;
    const double f = (want - lengths[i - 1]) / (lengths[i] - lengths[i - 1]);
    return {float(pts[i - 1].x + (pts[i].x - pts[i - 1].x) * f),
            float(pts[i - 1].y + (pts[i].y - pts[i - 1].y) * f)};
}

struct LineGlideCase
{
    const char *what;
    int kind;
    std::vector<LinePoint> bends;
    bool symbol;        // the ball (symbol 0) rather than offensive player 3
    LinePoint from, to; // the item's places; the line runs from (100, 300) to (300, 100)
    bool follows;       // along the curve, or straight
};

class LineGlideTest : public testing::TestWithParam<LineGlideCase>
{};

TEST_P(LineGlideTest, ItemsFollowTheLineTheyRunAlongByLength)
{
    const LineGlideCase &c = GetParam();
    PlayConfig a, b;
    ASSERT_TRUE(a.addActionLine(c.kind, {100, 300}, {300, 100}, c.bends));
    (c.symbol ? a.SYMBOLX[0] : a.OPlayerX[3]) = c.from.x;
    (c.symbol ? a.SYMBOLY[0] : a.OPlayerY[3]) = c.from.y;
    (c.symbol ? b.SYMBOLX[0] : b.OPlayerX[3]) = c.to.x;
    (c.symbol ? b.SYMBOLY[0] : b.OPlayerY[3]) = c.to.y;
    const ActionLine line = *a.actionLine({int16_t(c.kind), 0});
    const GlidePlan plan(a, b);
    for (double t : {0.25, 0.5, 0.8}) {
        LinePoint want{float(c.from.x + (c.to.x - c.from.x) * t),
                       float(c.from.y + (c.to.y - c.from.y) * t)};
        if (c.follows) {
            const LinePoint on = alongCurve(line, t);
            want = {float(on.x + (c.from.x - 100) * (1 - t) + (c.to.x - 300) * t),
                    float(on.y + (c.from.y - 300) * (1 - t) + (c.to.y - 100) * t)};
        }
        const PlayConfig g = plan.at(t);
        const float x = c.symbol ? g.SYMBOLX[0] : g.OPlayerX[3];
        const float y = c.symbol ? g.SYMBOLY[0] : g.OPlayerY[3];
        EXPECT_NEAR(x, want.x, 0.5) << c.what << " at " << t;
        EXPECT_NEAR(y, want.y, 0.5) << c.what << " at " << t;
        EXPECT_EQ(g, glideFrame(a, b, t)) << "a plan gives what a single step gives";
    }
    const PlayConfig end = plan.at(1);
    EXPECT_EQ(c.symbol ? end.SYMBOLX[0] : end.OPlayerX[3], c.to.x) << c.what;
    EXPECT_EQ(c.symbol ? end.SYMBOLY[0] : end.OPlayerY[3], c.to.y) << c.what;
}

const std::vector<LinePoint> kBend{{300, 300}};

INSTANTIATE_TEST_SUITE_P(
    Lines, LineGlideTest,
    testing::Values(
        LineGlideCase{"runner on a bent Run line", 0, kBend, false, {100, 300}, {300, 100}, true},
        LineGlideCase{"ball on a bent Throw line", 2, {{220, 330}, {330, 220}}, true, {100, 300},
                      {300, 100}, true},
        LineGlideCase{"near both ends, offset blended", 0, kBend, false, {110, 290}, {280, 110},
                      true},
        LineGlideCase{"straight line", 0, {}, false, {100, 300}, {300, 100}, false},
        LineGlideCase{"not at the end in the next frame", 0, kBend, false, {100, 300},
                      {300, 140}, false},
        LineGlideCase{"not at the start", 0, kBend, true, {131, 300}, {300, 100}, false}));

TEST(LineGlide, HalfwayAlongABentLineIsNotTheChordsMiddle)
{
    PlayConfig a, b;
    // Drawn first and starting at the runner, but ending elsewhere: not the runner's line.
    ASSERT_TRUE(a.addActionLine(0, {100, 300}, {20, 20}, {{50, 300}}));
    ASSERT_TRUE(a.addActionLine(3, {100, 300}, {300, 100}, {{300, 300}}));
    a.OPlayerX[0] = 100;
    a.OPlayerY[0] = 300;
    b.OPlayerX[0] = 300;
    b.OPlayerY[0] = 100;
    const PlayConfig g = glideFrame(a, b, 0.5);
    // The corner of the path lies at (300, 300); its halfway point by length is near it.
    EXPECT_GT(std::hypot(g.OPlayerX[0] - 200, g.OPlayerY[0] - 200), 60);
    EXPECT_LT(std::hypot(g.OPlayerX[0] - 300, g.OPlayerY[0] - 300), 40);
}

} // namespace
} // namespace kinetra
