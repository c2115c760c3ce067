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

// ---- What meets an outline ------------------------------------------------------------------

struct MeetCase
{
    const char *name;
    MarkerOutline outline;
    std::vector<LinePoint> figure; // placed at (100, 100); none: the point itself
    bool meets;
};

void PrintTo(const MeetCase &c, std::ostream *os)
{
    *os << c.name;
}

class OutlineMeets : public testing::TestWithParam<MeetCase>
{};

TEST_P(OutlineMeets, RimAndEdgesBelongToTheOutline)
{
    const MeetCase &c = GetParam();
    EXPECT_EQ(c.outline.meets({100, 100}, c.figure), c.meets);
}

// 6 * 6 + 8 * 8 = 10 * 10: (100, 100) lies on the rim of a circle of radius 10 around
// (106, 108); 8 * 8 + 8 * 8 = 128 > 100. The figures' points are taken from (100, 100): the
// segments run along y 0 past a circle centred 10 below, and along x + y = 220 through the
// square's corner (110, 110); the arrowhead's tip is (107, 100), its middle holds (103, 100).
INSTANTIATE_TEST_SUITE_P(
    Cases, OutlineMeets,
    testing::Values(
        MeetCase{"circle_rim", circle(106, 108, 10), {}, true},
        MeetCase{"past_the_circle_rim", circle(106, 108.1f, 10), {}, false},
        MeetCase{"circle_beyond_its_square", circle(108, 108, 10), {}, false},
        MeetCase{"square_corner", square(110, 90, 10), {}, true},
        MeetCase{"past_the_square_side", square(110.5f, 100, 10), {}, false},
        MeetCase{"grown_square_corner", square(112, 88, 10).grown(2), {}, true},
        MeetCase{"segment_grazing_a_circle", circle(110, 10, 10), {{-20, -100}, {20, -100}}, true},
        MeetCase{"segment_passing_a_circle", circle(110, 10.1f, 10), {{-20, -100}, {20, -100}},
                 false},
        MeetCase{"segment_across_a_square_corner", square(120, 120, 10), {{0, 20}, {20, 0}},
                 true},
        MeetCase{"segment_beside_a_square_corner", square(120, 120, 10), {{0, 19}, {19, 0}},
                 false},
        MeetCase{"arrowhead_tip_on_a_circle", circle(117, 100, 10), {{0, -7}, {7, 0}, {0, 7}},
                 true},
        MeetCase{"arrowhead_short_of_a_circle", circle(118, 100, 10), {{0, -7}, {7, 0}, {0, 7}},
                 false},
        MeetCase{"triangle_round_a_small_circle", circle(103, 100, 1), {{0, -7}, {7, 0}, {0, 7}},
                 true}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- Where a straight line is cut ----------------------------------------------------------

struct CutCase
{
    const char *name;
    LinePoint start, end;
    std::optional<MarkerOutline> atStart, atEnd;
    std::vector<LinePoint> figure; // the end marker, from the line's end
    bool left;                     // whether any of the line is left outside
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
        curveOutside(curvePieces({{}, c.start, c.end, {}}), c.atStart, c.atEnd, c.figure);
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

const std::vector<LinePoint> kRightward{{0, -7}, {7, 0}, {0, 7}};
const std::vector<LinePoint> kSlantingBar{{-5, 5}, {5, -5}};

// The 3-4-5 cases: a line 50 long in the direction (0.6, 0.8) cut 5 from an end loses (3, 4).
// An arrowhead's tip 7 ahead of the end stops at the rim: the end 7 further back. A slanting
// bar reaches 5 ahead along x.
INSTANTIATE_TEST_SUITE_P(
    Lines, StraightCut,
    testing::Values(
        CutCase{"end_at_a_circles_centre", {0, 0}, {100, 0}, {}, circle(100, 0, 10), {}, true,
                {0, 0}, {90, 0}},
        CutCase{"end_three_four_five", {0, 0}, {30, 40}, {}, circle(30, 40, 5), {}, true, {0, 0},
                {27, 36}},
        CutCase{"end_off_the_centre", {0, 0}, {96, 0}, {}, circle(100, 0, 10), {}, true, {0, 0},
                {90, 0}},
        CutCase{"end_at_a_square_side", {0, 0}, {100, 50}, {}, square(100, 50, 10), {}, true,
                {0, 0}, {90, 45}},
        CutCase{"end_at_a_square_corner", {0, 0}, {100, 100}, {}, square(100, 100, 10), {}, true,
                {0, 0}, {90, 90}},
        CutCase{"end_outside_is_kept", {0, 0}, {120, 0}, {}, circle(100, 0, 10), {}, true,
                {0, 0}, {120, 0}},
        CutCase{"arrowhead_at_a_circle", {0, 0}, {100, 0}, {}, circle(100, 0, 10), kRightward,
                true, {0, 0}, {83, 0}},
        CutCase{"slanting_bar_at_a_square", {0, 0}, {100, 0}, {}, square(100, 0, 10),
                kSlantingBar, true, {0, 0}, {85, 0}},
        CutCase{"start_at_a_circles_centre", {0, 0}, {100, 0}, circle(0, 0, 10), {}, {}, true,
                {10, 0}, {100, 0}},
        CutCase{"start_three_four_five", {0, 0}, {60, 80}, circle(0, 0, 5), {}, {}, true, {3, 4},
                {60, 80}},
        CutCase{"start_off_the_centre", {2, 0}, {100, 0}, circle(0, 0, 10), {}, {}, true,
                {10, 0}, {100, 0}},
        CutCase{"start_at_a_square", {0, 0}, {100, 50}, square(0, 0, 10), {}, {}, true, {10, 5},
                {100, 50}},
        CutCase{"start_outside_is_kept", {20, 0}, {100, 0}, circle(0, 0, 10), {}, {}, true,
                {20, 0}, {100, 0}},
        CutCase{"both_ends", {0, 0}, {100, 0}, circle(0, 0, 10), circle(100, 0, 10), {}, true,
                {10, 0}, {90, 0}},
        CutCase{"markers_too_close", {0, 0}, {15, 0}, circle(0, 0, 10), circle(15, 0, 10), {},
                false, {}, {}},
        CutCase{"start_inside_the_end_marker", {95, 0}, {100, 0}, {}, circle(100, 0, 10), {},
                false, {}, {}}),
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
