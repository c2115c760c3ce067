// Lines that start or end on a player's marker: drawn from and to the marker's edge so that the
// end marker shows, at every zoom; lines in open field as they were; short moves beside the
// marker.

#include "model/playconfig.h"
#include "surface/framelooks.h"
#include "surface/framerenderer.h"
#include "surface/scaledview.h"
#include "surface/surface.h"
#include "surface/zoom.h"

#include "imagecheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <ostream>
#include <string>

namespace kinetra {
namespace {

const QColor kLineColor(255, 128, 0);
const QColor kBorder(200, 0, 200);
const QColor kSeeThrough(0, 0, 0, 0);

// The player stands here; his marker has a half-width of 10 and an outline reaching 10.5.
constexpr int kX = 200;
constexpr int kY = 180;
constexpr int kSize = 10;

enum Shape : int16_t { Square = 1, Circle = 3 };
enum EndType : int16_t { Arrowhead = 0, CrossBar = 1, NoMarker = 2 };

class LineEndsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        pic.setPicture(test::patternedField(400, 373));
        looks.PlayerSize = {kSize, kSize};
        looks.PlayerShape = {Square, Circle};
        // See-through markers without labels: a line under a marker still shows.
        looks.PlayerBcolr = {kBorder, kBorder};
        looks.PlayerFcolr = {kSeeThrough, kSeeThrough};
        looks.PlayerTcolr = {kBorder, kBorder};
        looks.ActionType.fill(1);
        looks.ActionSize.fill(1);
        looks.ActionColor.fill(kLineColor);
        looks.ActionEndType.fill(Arrowhead);
        frame.Blank_Frame();
    }

    void placeDefender(int i, int x, int y)
    {
        frame.DPlayerX[size_t(i)] = float(x);
        frame.DPlayerY[size_t(i)] = float(y);
    }

    // The surface at a zoom: 100 % the image itself, else the view the canvas shows.
    QImage shown(int zoom)
    {
        if (zoom == 100)
            return pic.image();
        return view.image(pic, zoomedSize(pic.size(), zoom));
    }

    // Pixels of the line's colour whose middles lie where `where` holds, given as surface
    // coordinates measured from the player's centre (pixel (x, y) spans x - 0.5 .. x + 0.5).
    static int linePixels(const QImage &image, int zoom,
                          const std::function<bool(double, double)> &where)
    {
        const double scale = zoom / 100.0;
        int count = 0;
        for (int py = 0; py < image.height(); ++py) {
            for (int px = 0; px < image.width(); ++px) {
                const double dx = (px + 0.5) / scale - 0.5 - kX;
                const double dy = (py + 0.5) / scale - 0.5 - kY;
                if (std::abs(dx) < 40 && std::abs(dy) < 40 && where(dx, dy)
                    && (image.pixel(px, py) & 0xFFFFFF) == (kLineColor.rgb() & 0xFFFFFF))
                    ++count;
            }
        }
        return count;
    }

    Surface pic;
    ScaledView view;
    FrameLooks looks;
    PlayConfig frame;
};

// Distance from the centre as the marker's shape measures it.
double shapeDistance(Shape shape, double dx, double dy)
{
    return shape == Square ? std::max(std::abs(dx), std::abs(dy)) : std::hypot(dx, dy);
}

// ---- A line ending at a marker's centre ----------------------------------------------------

struct Approach
{
    const char *name;
    LinePoint start;
    std::vector<LinePoint> bends;
    int16_t width = 1;
};

const Approach kApproaches[] = {
    {"level_from_the_left", {60, kY}, {}},
    {"upright_from_below", {kX, 340}, {}},
    {"diagonal_from_above_right", {kX + 120, kY - 120}, {}},
    {"three_four_five_from_above_left", {kX - 90, kY - 120}, {}},
    {"bent_from_the_left", {40, 300}, {{120, 120}}},
    {"wide_from_above", {kX, 30}, {}, 6},
};

using EndCase = std::tuple<Shape, EndType, int, Approach>;

std::string endCaseName(const testing::TestParamInfo<EndCase> &info)
{
    const auto &[shape, endType, zoom, approach] = info.param;
    const char *ends[] = {"arrowhead", "crossbar", "nomarker"};
    return std::string(shape == Square ? "square_" : "circle_") + ends[endType] + "_"
           + std::to_string(zoom) + "_" + approach.name;
}

class MarkerEndTest : public LineEndsTest, public testing::WithParamInterface<EndCase>
{};

TEST_P(MarkerEndTest, EndMarkerStandsOutsideTheMarkerAndNothingOfItUnder)
{
    const auto [shape, endType, zoom, approach] = GetParam();
    looks.PlayerShape[1] = shape;
    looks.ActionEndType.fill(endType);
    looks.ActionSize.fill(approach.width);
    placeDefender(4, kX, kY);
    frame.addActionLine(2, approach.start, {float(kX), float(kY)}, approach.bends);
    FrameRenderer::Draw(frame, pic, looks);
    const QImage image = shown(zoom);

    // Well inside the outline (10 +- 0.5) nothing of the line; just outside it, the end (a
    // wide line's round cap and outlined arrowhead stop half its width further out).
    EXPECT_EQ(linePixels(image, zoom,
                         [&](double dx, double dy) { return shapeDistance(shape, dx, dy) < 9.5; }),
              0);
    EXPECT_GT(linePixels(image, zoom,
                         [&](double dx, double dy) {
                             const double d = shapeDistance(shape, dx, dy);
                             return d > 11 && d <= 16;
                         }),
              0);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, MarkerEndTest,
    testing::Combine(testing::Values(Square, Circle),
                     testing::Values(Arrowhead, CrossBar, NoMarker), testing::Values(100, 250, 400),
                     testing::ValuesIn(kApproaches)),
    endCaseName);

// ---- Which ends count as on a marker ---------------------------------------------------------

struct OnMarkerCase
{
    const char *name;
    int16_t shape;
    bool hidden;
    int ex, ey; // the line's end, from the player's centre
    bool cut;
};

void PrintTo(const OnMarkerCase &c, std::ostream *os)
{
    *os << c.name;
}

class OnMarkerTest : public LineEndsTest, public testing::WithParamInterface<OnMarkerCase>
{};

// Compared with the same line and no player at all, outside the marker's box.
TEST_P(OnMarkerTest, OnlyAnEndWithinTheDrawnShapeMovesTheLine)
{
    const OnMarkerCase &c = GetParam();
    looks.PlayerShape[1] = c.shape;
    looks.hideDefense[3] = c.hidden;
    frame.addActionLine(0, {60, 60}, {float(kX + c.ex), float(kY + c.ey)}, {});
    FrameRenderer::Draw(frame, pic, looks);
    const QImage alone = pic.image();
    pic.clear();
    placeDefender(3, kX, kY);
    FrameRenderer::Draw(frame, pic, looks);
    int differing = 0;
    for (int y = 0; y < pic.height(); ++y) {
        for (int x = 0; x < pic.width(); ++x) {
            if (std::max(std::abs(x - kX), std::abs(y - kY)) > kSize + 1)
                differing += (pic.pixel(x, y) & 0xFFFFFF) != (alone.pixel(x, y) & 0xFFFFFF);
        }
    }
    if (c.cut)
        EXPECT_GT(differing, 0);
    else
        EXPECT_EQ(differing, 0);
}

// 8 * 8 + 8 * 8 = 128 > 10.5 * 10.5: (8, 8) lies beyond the circle but within the square.
INSTANTIATE_TEST_SUITE_P(
    Ends, OnMarkerTest,
    testing::Values(OnMarkerCase{"circle_rim", Circle, false, 10, 0, true},
                    OnMarkerCase{"past_the_circle", Circle, false, 11, 0, false},
                    OnMarkerCase{"circle_square_corner", Circle, false, 8, 8, false},
                    OnMarkerCase{"square_corner", Square, false, 10, 10, true},
                    OnMarkerCase{"past_the_square_corner", Square, false, 11, 11, false},
                    OnMarkerCase{"hidden_player", Circle, true, 0, 0, false},
                    OnMarkerCase{"shape_not_drawn", 2, false, 0, 0, false}),
    [](const auto &info) { return std::string(info.param.name); });

// Where markers overlap, the end is cut at the one drawn on top: a defender over a runner.
TEST_F(LineEndsTest, OverlappingMarkersCutAtTheOneOnTop)
{
    frame.OPlayerX[0] = kX;
    frame.OPlayerY[0] = kY;
    placeDefender(0, kX + 12, kY);
    frame.addActionLine(0, {60, kY}, {kX + 5, kY}, {});
    FrameRenderer::Draw(frame, pic, looks);
    // The defender's outline reaches to x 201.5: the arrowhead's base stands at 212 - 10.5 -
    // 9.07 = 192.43, rounded 192, its tip at 199, inside the runner's square. Cut at the
    // runner's square, the tip would stand at 187.
    EXPECT_EQ(pic.pixel(194, kY), kLineColor.rgb());
    EXPECT_NE(pic.pixel(201, kY), kLineColor.rgb());
}

// ---- Short moves --------------------------------------------------------------------------

// Worked out for a line one pixel wide with an arrowhead: the arrow stands 10.5 + 7.07 + 0.5
// + 1.5 = 19.57 from the centre across the move, on its right-hand side; its shaft is 14 long,
// the arrowhead 7 beyond, the whole centred along the move: the shaft from 10.5 behind the
// centre to 3.5 ahead. Ends are rounded to whole pixels, halves away from zero.
struct ShortCase
{
    const char *name;
    Shape shape;
    int dx, dy;         // the move
    QPoint shaft, head; // a pixel of the shaft, one inside the arrowhead
};

void PrintTo(const ShortCase &c, std::ostream *os)
{
    *os << c.name;
}

class ShortMoveTest : public LineEndsTest, public testing::WithParamInterface<ShortCase>
{};

TEST_P(ShortMoveTest, IsAnArrowBesideTheMarker)
{
    const ShortCase &c = GetParam();
    looks.PlayerShape[1] = c.shape;
    placeDefender(6, kX, kY);
    frame.addActionLine(1, {kX, kY}, {float(kX + c.dx), float(kY + c.dy)}, {});
    FrameRenderer::Draw(frame, pic, looks);
    EXPECT_EQ(pic.pixel(c.shaft.x(), c.shaft.y()), kLineColor.rgb());
    EXPECT_EQ(pic.pixel(c.head.x(), c.head.y()), kLineColor.rgb());
    EXPECT_EQ(linePixels(pic.image(), 100,
                         [&](double dx, double dy) {
                             return shapeDistance(c.shape, dx, dy) <= 10.5;
                         }),
              0);
}

// Rightward: the shaft on y 180 + 19.57, from x 189.5 to 203.5, rounded 190 to 204, the head's
// tip at 211. Up: on x 219.57, from y 190.5 to 176.5 (191 to 177), the tip at 170. Leftward
// from a square: above, on y 160.43, from x 210.5 to 196.5 (211 to 197), the tip at 190.
// Along (3, 4): across is (-0.8, 0.6), so the middle is (184.34, 191.74), the shaft from
// (178.04, 183.34) to (186.44, 194.54), rounded (178, 183) to (186, 195); a slanting head
// there has the corners (181, 200), (191, 200) and (191, 190). A move without length points
// up.
INSTANTIATE_TEST_SUITE_P(
    Moves, ShortMoveTest,
    testing::Values(ShortCase{"rightward_circle", Circle, 3, 0, {196, 200}, {207, 200}},
                    ShortCase{"upward_circle", Circle, 0, -4, {220, 185}, {220, 173}},
                    ShortCase{"leftward_square", Square, -3, 0, {203, 160}, {193, 160}},
                    ShortCase{"slanting_circle", Circle, 3, 4, {182, 189}, {189, 198}},
                    ShortCase{"no_length_square", Square, 0, 0, {220, 185}, {220, 173}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace kinetra
