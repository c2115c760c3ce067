#include "model/linecurve.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

// The points below are worked out by hand. Between two points of the line the curve is a cubic
// Bezier whose inner control points lie a sixth of the way along the neighbours' chord (the
// Catmull-Rom tangent over three): c1 = p[i] + (p[i+1] - p[i-1]) / 6, c2 = p[i+1] - (p[i+2] -
// p[i]) / 6, the start and the end standing in for their missing neighbours. A Bezier's middle
// is (from + 3 c1 + 3 c2 + to) / 8.

void expectPoints(const std::vector<LinePoint> &got, const std::vector<LinePoint> &want)
{
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_FLOAT_EQ(got[i].x, want[i].x) << i;
        EXPECT_FLOAT_EQ(got[i].y, want[i].y) << i;
    }
}

// One arch: (0, 0) up through (60, 60) and down to (120, 0).
const ActionLine kArch{{0, 0}, {0, 0}, {120, 0}, {{60, 60}}};

TEST(LineCurve, AnArchBendsThroughItsPointWithTangentsASixthOfTheChord)
{
    // Up: c1 = (0, 0) + ((60, 60) - (0, 0)) / 6, c2 = (60, 60) - ((120, 0) - (0, 0)) / 6.
    // Down: c1 = (60, 60) + ((120, 0) - (0, 0)) / 6, c2 = (120, 0) - ((120, 0) - (60, 60)) / 6.
    const std::vector<CurvePiece> pieces = curvePieces(kArch);
    ASSERT_EQ(pieces.size(), 2u);
    expectPoints({pieces[0].from, pieces[0].c1, pieces[0].c2, pieces[0].to},
                 {{0, 0}, {10, 10}, {40, 60}, {60, 60}});
    expectPoints({pieces[1].from, pieces[1].c1, pieces[1].c2, pieces[1].to},
                 {{60, 60}, {80, 60}, {110, 10}, {120, 0}});
    // A quarter of the way up: (27 (0, 0) + 27 (10, 10) + 9 (40, 60) + (60, 60)) / 64.
    expectPoints(curvePoints(kArch, 4),
                 {{0, 0},
                  {10.78125f, 13.59375f},
                  {26.25f, 33.75f},
                  {43.59375f, 52.03125f},
                  {60, 60},
                  {76.40625f, 52.03125f},
                  {93.75f, 33.75f},
                  {109.21875f, 13.59375f},
                  {120, 0}});
}

TEST(LineCurve, BetweenTwoBendsTheTangentsComeFromTheirNeighbours)
{
    // The middle piece: c1 = (30, 60) + ((90, 60) - (0, 0)) / 6 = (45, 70),
    // c2 = (90, 60) - ((120, 0) - (30, 60)) / 6 = (75, 70); its middle (60, 67.5).
    const ActionLine hill{{0, 0}, {0, 0}, {120, 0}, {{30, 60}, {90, 60}}};
    const std::vector<CurvePiece> pieces = curvePieces(hill);
    ASSERT_EQ(pieces.size(), 3u);
    expectPoints({pieces[1].c1, pieces[1].c2, pieces[1].at(0.5f)},
                 {{45, 70}, {75, 70}, {60, 67.5f}});
    // Straight above the top of the hill, 12.5 pixels off.
    const CurveHit hit = nearestOnCurve(hill, {60, 80});
    EXPECT_EQ(hit.piece, 1);
    EXPECT_FLOAT_EQ(hit.distance, 12.5f);
}

TEST(LineCurve, ALineWithoutBendsIsOneStraightPiece)
{
    // Both control points at the ends: the weight of the end is 3 t^2 - 2 t^3, a quarter of the
    // way 10 / 64.
    const ActionLine straight{{0, 0}, {10, 20}, {50, 100}, {}};
    expectPoints(curvePoints(straight, 4),
                 {{10, 20}, {16.25f, 32.5f}, {30, 60}, {43.75f, 87.5f}, {50, 100}});
}

} // namespace
} // namespace kinetra
