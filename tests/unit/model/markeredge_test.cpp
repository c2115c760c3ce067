#include "model/markeredge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>

namespace kinetra {
namespace {

constexpr float kNear = 0.01f;

MarkerOutline circle(float x, float y, float r)
{
    return {{x, y}, r, false};
}

MarkerOutline square(float x, float y, float half)
{
    return {{x, y}, half, true};
}

// ---- Which points an outline holds ---------------------------------------------------------

struct HoldCase
{
    const char *name;
    MarkerOutline outline;
    LinePoint p;
    bool held;
};

void PrintTo(const HoldCase &c, std::ostream *os)
{
    *os << c.name;
}

class OutlineHolds : public testing::TestWithParam<HoldCase>
{};

TEST_P(OutlineHolds, RimAndEdgesBelongToTheOutline)
{
    const HoldCase &c = GetParam();
    EXPECT_EQ(c.outline.contains(c.p), c.held);
}

// 6 * 6 + 8 * 8 = 10 * 10: (106, 108) lies on the rim of a circle of radius 10 around (100, 100).
INSTANTIATE_TEST_SUITE_P(
    Cases, OutlineHolds,
    testing::Values(HoldCase{"circle_centre", circle(100, 100, 10), {100, 100}, true},
                    HoldCase{"circle_rim_on_an_axis", circle(100, 100, 10), {110, 100}, true},
                    HoldCase{"circle_rim_slanting", circle(100, 100, 10), {106, 108}, true},
                    HoldCase{"circle_just_outside", circle(100, 100, 10), {106, 108.1f}, false},
                    HoldCase{"circle_square_corner", circle(100, 100, 10), {108, 108}, false},
                    HoldCase{"square_corner", square(100, 100, 10), {110, 90}, true},
                    HoldCase{"square_past_its_side", square(100, 100, 10), {110.5f, 100}, false},
                    HoldCase{"grown_square", square(100, 100, 10).grown(2), {112, 88}, true},
                    HoldCase{"grown_circle", circle(100, 100, 10).grown(5), {109, 112}, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(OutlineReach, ACircleReachesItsRadiusASquareItsCorner)
{
    EXPECT_FLOAT_EQ(circle(0, 0, 10).reach(), 10);
    EXPECT_NEAR(square(0, 0, 10).reach(), 14.1421f, 1e-4f);
    EXPECT_FLOAT_EQ(circle(0, 0, 10).reachToward({0.6f, 0.8f}), 10);
    EXPECT_FLOAT_EQ(square(0, 0, 10).reachToward({0, -1}), 10);
    EXPECT_FLOAT_EQ(square(0, 0, 10).reachToward({-0.8f, 0.6f}), 14);
}

// ---- Where a straight line is cut ----------------------------------------------------------

struct CutCase
{
    const char *name;
    LinePoint start, end;
    std::optional<MarkerOutline> atStart, atEnd;
    bool left; // whether any of the line is left outside
    LinePoint first, last;
};

void PrintTo(const CutCase &c, std::ostream *os)
{
    *os << c.name;
}

class StraightCut : public testing::TestWithParam<CutCase>
{};

TEST_P(StraightCut, LineRunsFromTheStartsEdgeToTheEndsEdge)
{
    const CutCase &c = GetParam();
    const std::vector<CurvePiece> kept =
        curveOutside(curvePieces({{}, c.start, c.end, {}}), c.atStart, c.atEnd);
    if (!c.left) {
        EXPECT_TRUE(kept.empty());
        return;
    }
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NEAR(kept.front().from.x, c.first.x, kNear);
    EXPECT_NEAR(kept.front().from.y, c.first.y, kNear);
    EXPECT_NEAR(kept.back().to.x, c.last.x, kNear);
    EXPECT_NEAR(kept.back().to.y, c.last.y, kNear);
}

// The 3-4-5 cases: a line 50 long in the direction (0.6, 0.8) cut 5 from an end loses (3, 4).
INSTANTIATE_TEST_SUITE_P(
    Lines, StraightCut,
    testing::Values(
        CutCase{"end_at_a_circles_centre", {0, 0}, {100, 0}, {}, circle(100, 0, 10), true,
                {0, 0}, {90, 0}},
        CutCase{"end_slanting_three_four_five", {0, 0}, {30, 40}, {}, circle(30, 40, 5), true,
                {0, 0}, {27, 36}},
        CutCase{"end_off_the_centre", {0, 0}, {96, 0}, {}, circle(100, 0, 10), true, {0, 0},
                {90, 0}},
        CutCase{"end_leftward", {200, 10}, {100, 10}, {}, circle(100, 10, 10), true, {200, 10},
                {110, 10}},
        CutCase{"end_at_a_square_through_its_side", {0, 0}, {100, 50}, {}, square(100, 50, 10),
                true, {0, 0}, {90, 45}},
        CutCase{"end_at_a_square_from_above", {50, 0}, {50, 80}, {}, square(50, 80, 20), true,
                {50, 0}, {50, 60}},
        CutCase{"end_at_a_square_through_its_corner", {0, 0}, {100, 100}, {},
                square(100, 100, 10), true, {0, 0}, {90, 90}},
        CutCase{"end_outside_the_outline_is_kept", {0, 0}, {120, 0}, {}, circle(100, 0, 10),
                true, {0, 0}, {120, 0}},
        CutCase{"start_at_a_circles_centre", {0, 0}, {100, 0}, circle(0, 0, 10), {}, true,
                {10, 0}, {100, 0}},
        CutCase{"start_slanting_three_four_five", {0, 0}, {60, 80}, circle(0, 0, 5), {}, true,
                {3, 4}, {60, 80}},
        CutCase{"start_inside_off_the_centre", {2, 0}, {100, 0}, circle(0, 0, 10), {}, true,
                {10, 0}, {100, 0}},
        CutCase{"start_at_a_square", {0, 0}, {100, 50}, square(0, 0, 10), {}, true, {10, 5},
                {100, 50}},
        CutCase{"start_outside_the_outline_is_kept", {20, 0}, {100, 0}, circle(0, 0, 10), {},
                true, {20, 0}, {100, 0}},
        CutCase{"both_ends", {0, 0}, {100, 0}, circle(0, 0, 10), circle(100, 0, 10), true,
                {10, 0}, {90, 0}},
        CutCase{"between_markers_too_close", {0, 0}, {15, 0}, circle(0, 0, 10),
                circle(15, 0, 10), false, {}, {}},
        CutCase{"within_one_marker", {0, 0}, {5, 0}, circle(0, 0, 10), circle(0, 0, 10), false,
                {}, {}},
        CutCase{"start_inside_the_end_marker", {95, 0}, {100, 0}, {}, circle(100, 0, 10), false,
                {}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- Where a bent line is cut --------------------------------------------------------------

float distance(LinePoint a, LinePoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Bend points in line with both ends make every piece straight: the answers are a straight
// line's, found in the piece the edge lies in.
struct BentCutCase
{
    const char *name;
    float radius; // of the circle around the end (100, 0)
    size_t pieces;
    LinePoint last;
};

void PrintTo(const BentCutCase &c, std::ostream *os)
{
    *os << c.name;
}

class BentCut : public testing::TestWithParam<BentCutCase>
{};

TEST_P(BentCut, CurveStopsWhereItEntersTheMarker)
{
    const BentCutCase &c = GetParam();
    const ActionLine line{{}, {0, 0}, {100, 0}, {{50, 0}}};
    const std::vector<CurvePiece> kept =
        curveOutside(curvePieces(line), {}, circle(100, 0, c.radius));
    ASSERT_EQ(kept.size(), c.pieces);
    EXPECT_NEAR(kept.back().to.x, c.last.x, kNear);
    EXPECT_NEAR(kept.back().to.y, c.last.y, kNear);
    EXPECT_FLOAT_EQ(kept.front().from.x, 0);
    const LinePoint heading = endDirection(kept.back());
    EXPECT_GT(heading.x, 0);
    EXPECT_NEAR(heading.y, 0, kNear);
}

INSTANTIATE_TEST_SUITE_P(Curves, BentCut,
                         testing::Values(BentCutCase{"in_the_last_piece", 10, 2, {90, 0}},
                                         BentCutCase{"in_the_first_piece", 60, 1, {40, 0}},
                                         BentCutCase{"at_the_bend", 50, 1, {50, 0}}),
                         [](const auto &info) { return std::string(info.param.name); });

// An arch mirrored about x = 60, cut by equal circles at both ends: the cuts mirror each other,
// lie on the circles and on the curve.
TEST(BentCutArch, CutsOnBothEndsMirrorEachOtherAndLieOnTheCurveAndTheCircles)
{
    const ActionLine arch{{}, {0, 0}, {120, 0}, {{60, 60}}};
    const std::vector<CurvePiece> kept =
        curveOutside(curvePieces(arch), circle(0, 0, 20), circle(120, 0, 20));
    ASSERT_EQ(kept.size(), 2u);
    const LinePoint first = kept.front().from;
    const LinePoint last = kept.back().to;
    EXPECT_NEAR(distance(first, {0, 0}), 20, kNear);
    EXPECT_NEAR(distance(last, {120, 0}), 20, kNear);
    EXPECT_NEAR(first.x, 120 - last.x, kNear);
    EXPECT_NEAR(first.y, last.y, kNear);
    EXPECT_LT(nearestOnCurve(arch, first).distance, kNear);
    EXPECT_LT(nearestOnCurve(arch, last).distance, kNear);
    // The middle stays where it was; the end heads down and to the right.
    EXPECT_FLOAT_EQ(kept.front().to.x, 60);
    EXPECT_FLOAT_EQ(kept.front().to.y, 60);
    const LinePoint heading = endDirection(kept.back());
    EXPECT_GT(heading.x, 0);
    EXPECT_LT(heading.y, 0);
}

TEST(BentCutLoop, ALineLeavingItsMarkerAndComingBackKeepsTheLoopOutside)
{
    // Out from (0, 0) around (40, 0) and back: only the part beyond the circle is kept.
    const ActionLine loop{{}, {0, 0}, {0, 0}, {{40, -20}, {40, 20}}};
    const std::vector<CurvePiece> kept =
        curveOutside(curvePieces(loop), circle(0, 0, 10), circle(0, 0, 10));
    ASSERT_FALSE(kept.empty());
    EXPECT_NEAR(distance(kept.front().from, {0, 0}), 10, kNear);
    EXPECT_NEAR(distance(kept.back().to, {0, 0}), 10, kNear);
    EXPECT_LT(kept.front().from.y, 0);
    EXPECT_GT(kept.back().to.y, 0);
}

// ---- The heading at a curve's end ----------------------------------------------------------

struct HeadingCase
{
    const char *name;
    CurvePiece piece;
    LinePoint heading;
};

void PrintTo(const HeadingCase &c, std::ostream *os)
{
    *os << c.name;
}

class EndHeading : public testing::TestWithParam<HeadingCase>
{};

TEST_P(EndHeading, ComesFromTheLastControlPointBesidesTheEnd)
{
    const HeadingCase &c = GetParam();
    const LinePoint heading = endDirection(c.piece);
    EXPECT_FLOAT_EQ(heading.x, c.heading.x);
    EXPECT_FLOAT_EQ(heading.y, c.heading.y);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, EndHeading,
    testing::Values(
        HeadingCase{"from_the_second_control", {{0, 0}, {10, 10}, {40, 60}, {60, 60}}, {20, 0}},
        HeadingCase{"second_control_on_the_end", {{0, 0}, {10, 0}, {60, 60}, {60, 60}}, {50, 60}},
        HeadingCase{"straight", {{0, 0}, {0, 0}, {30, 40}, {30, 40}}, {30, 40}},
        HeadingCase{"no_length", {{5, 5}, {5, 5}, {5, 5}, {5, 5}}, {0, 0}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- A short move's arrow ------------------------------------------------------------------

struct ArrowCase
{
    const char *name;
    MarkerOutline marker;
    LinePoint start, end;
    LinePoint from, to;
};

void PrintTo(const ArrowCase &c, std::ostream *os)
{
    *os << c.name;
}

class ShortMoveArrow : public testing::TestWithParam<ArrowCase>
{};

TEST_P(ShortMoveArrow, StandsBesideTheMarkerOnTheMovesRight)
{
    const ArrowCase &c = GetParam();
    // Clearance 9, shaft 10, head 7: the arrow's middle 8.5 from both ends of the whole arrow.
    const ShortArrow arrow = shortArrow(c.marker, c.start, c.end, 9, 10, 7);
    EXPECT_NEAR(arrow.from.x, c.from.x, kNear);
    EXPECT_NEAR(arrow.from.y, c.from.y, kNear);
    EXPECT_NEAR(arrow.to.x, c.to.x, kNear);
    EXPECT_NEAR(arrow.to.y, c.to.y, kNear);
}

// Rightward: the right-hand side is below, 10 + 9 from the centre. Up a square: to the right,
// 10 + 9. Along (0.6, 0.8) from a square: across is (-0.8, 0.6), where the square reaches
// 10 * (0.8 + 0.6) = 14, so the middle is (100, 100) + 23 (-0.8, 0.6) = (81.6, 113.8), the
// shaft from there back 8.5 (5.1, 6.8) to (76.5, 107) and on 10 (6, 8) to (82.5, 115).
INSTANTIATE_TEST_SUITE_P(
    Moves, ShortMoveArrow,
    testing::Values(
        ArrowCase{"rightward_from_a_circle", circle(100, 100, 10), {100, 100}, {103, 100},
                  {91.5f, 119}, {101.5f, 119}},
        ArrowCase{"leftward_from_a_circle", circle(100, 100, 10), {100, 100}, {95, 100},
                  {108.5f, 81}, {98.5f, 81}},
        ArrowCase{"up_from_a_square", square(100, 100, 10), {100, 100}, {100, 96},
                  {119, 108.5f}, {119, 98.5f}},
        ArrowCase{"slanting_from_a_square", square(100, 100, 10), {100, 100}, {103, 104},
                  {76.5f, 107}, {82.5f, 115}},
        ArrowCase{"off_the_centre", circle(100, 100, 10), {104, 100}, {107, 100},
                  {91.5f, 119}, {101.5f, 119}},
        ArrowCase{"no_length_points_up", circle(100, 100, 10), {100, 100}, {100, 100},
                  {119, 108.5f}, {119, 98.5f}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace kinetra
