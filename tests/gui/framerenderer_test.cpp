#include "model/failurereport.h"
#include "model/playconfig.h"
#include "surface/framelooks.h"
#include "surface/framerenderer.h"
#include "surface/surface.h"

#include "imagecheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace kinetra {
namespace {

using test::differingPixels;
using test::pixelsOf;

// Bright colours that the dull test field never contains.
const QColor kLabelColor(128, 255, 128);   // surface fore colour: the text labels
const QColor kSurfaceFill(255, 128, 255);  // surface fill colour before drawing
const QColor kLineColor(255, 128, 0);      // every action line
const QColor kBorder(200, 0, 200);
const QColor kOffenseFill(255, 255, 0);
const QColor kOffenseText(0, 0, 255);
const QColor kDefenseFill(0, 255, 255);
const QColor kDefenseText(255, 0, 0);
const QColor kSymbolColor(250, 20, 20);

QRgb rgb(const QColor &c)
{
    return c.rgb();
}

FrameLooks testLooks()
{
    FrameLooks looks;
    looks.PlayerSize = {10, 10};
    looks.PlayerShape = {1, 3};
    looks.PlayerBcolr = {kBorder, kBorder};
    looks.PlayerFcolr = {kOffenseFill, kDefenseFill};
    looks.PlayerTcolr = {kOffenseText, kDefenseText};
    for (int k = 0; k < 10; ++k) {
        looks.OPLabel[k] = QString("B%1").arg(k + 1);
        looks.DPLabel[k] = QString("D%1").arg(k);
    }
    looks.ActionType.fill(1);
    looks.ActionSize.fill(1);
    looks.ActionColor.fill(kLineColor);
    looks.ActionEndType.fill(0);
    return looks;
}

// A 20 x 20 symbol: white ground with a coloured frame and a coloured diagonal.
QImage testSymbol(int size = 20, QImage::Format format = QImage::Format_RGB32)
{
    QImage symbol(size, size, format);
    symbol.fill(Qt::white);
    for (int i = 0; i < size; ++i) {
        symbol.setPixel(i, 0, kSymbolColor.rgb());
        symbol.setPixel(0, i, kSymbolColor.rgb());
        symbol.setPixel(i, size - 1, kSymbolColor.rgb());
        symbol.setPixel(size - 1, i, kSymbolColor.rgb());
        symbol.setPixel(i, i, QColor(20, 20, 250).rgb());
    }
    return symbol;
}

class FrameRendererTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = setFailureReporter(
            [this](const std::string &activity) { reports.push_back(activity); });
        pic.setPicture(test::patternedField(400, 373));
        pic.setForeColor(kLabelColor);
        pic.setFillColor(kSurfaceFill);
        QFont font("DejaVu Sans");
        font.setPixelSize(11);
        pic.setFont(font);
        looks = testLooks();
        frame.Blank_Frame();
    }
    void TearDown() override { setFailureReporter(m_previous); }

    void draw() { FrameRenderer::Draw(frame, pic, looks); }

    // What a frame without items leaves: the field alone.
    QImage bareFrame() const { return pic.picture(); }
    bool isField(int x, int y) const
    {
        return (pic.pixel(x, y) & 0xFFFFFF) == (pic.picture().pixel(x, y) & 0xFFFFFF);
    }
    void setLine(int k, float sx, float sy, float ex, float ey)
    {
        frame.ActionSX[k] = sx;
        frame.ActionSY[k] = sy;
        frame.ActionEX[k] = ex;
        frame.ActionEY[k] = ey;
    }

    Surface pic;
    FrameLooks looks;
    PlayConfig frame;
    std::vector<std::string> reports;

private:
    FailureReporter m_previous;
};

// ---- End markers -------------------------------------------------------------------------

struct MarkerCase
{
    const char *name;
    int sx, sy, ex, ey;
    std::array<QPoint, 3> points;
};

void PrintTo(const MarkerCase &c, std::ostream *os)
{
    *os << c.name;
}

const MarkerCase kMarkerCases[] = {
    {"horizontal_rightward", 100, 100, 160, 100, {{{160, 93}, {167, 100}, {160, 107}}}},
    {"horizontal_leftward", 200, 100, 100, 120, {{{100, 113}, {93, 120}, {100, 127}}}},
    {"horizontal_just_below_half", 100, 100, 201, 150, {{{201, 143}, {208, 150}, {201, 157}}}},
    {"steep_downward", 100, 100, 100, 160, {{{93, 160}, {100, 167}, {107, 160}}}},
    {"steep_upward", 100, 200, 110, 100, {{{103, 100}, {110, 93}, {117, 100}}}},
    {"steep_just_above_two", 100, 100, 149, 200, {{{142, 200}, {149, 207}, {156, 200}}}},
    {"zero_length_points_up", 100, 100, 100, 100, {{{93, 100}, {100, 93}, {107, 100}}}},
    {"diagonal_down_right", 100, 100, 150, 150, {{{145, 155}, {155, 155}, {155, 145}}}},
    {"diagonal_down_left", 100, 100, 60, 140, {{{55, 135}, {55, 145}, {65, 145}}}},
    {"diagonal_up_right", 100, 200, 150, 150, {{{145, 145}, {155, 145}, {155, 155}}}},
    {"diagonal_up_left", 100, 200, 50, 150, {{{55, 145}, {45, 145}, {45, 155}}}},
    {"diagonal_at_half", 100, 100, 200, 150, {{{195, 155}, {205, 155}, {205, 145}}}},
    {"diagonal_at_two", 100, 100, 150, 200, {{{145, 205}, {155, 205}, {155, 195}}}},
};

class EndMarkerTest : public FrameRendererTest, public testing::WithParamInterface<MarkerCase>
{};

TEST_P(EndMarkerTest, DrawActionGivesTheBasePointsAndTheTip)
{
    const MarkerCase &c = GetParam();
    int16_t sx = c.sx, sy = c.sy, ex = c.ex, ey = c.ey;
    FrameRenderer::EndMarkerPoints = {QPoint(-1, -1), QPoint(-1, -1), QPoint(-1, -1)};
    FrameRenderer::DrawAction(sx, sy, ex, ey);
    EXPECT_EQ(FrameRenderer::EndMarkerPoints, c.points);
    EXPECT_EQ(sx, c.sx); // the points are read, not changed
    EXPECT_EQ(ex, c.ex);
    EXPECT_TRUE(reports.empty());
}

TEST_P(EndMarkerTest, ArrowheadCoversAllThreePointsOnTheSurface)
{
    const MarkerCase &c = GetParam();
    setLine(0, c.sx, c.sy, c.ex, c.ey);
    draw();
    ASSERT_TRUE(reports.empty());
    EXPECT_EQ(FrameRenderer::EndMarkerPoints, c.points);
    for (const QPoint &p : c.points)
        EXPECT_EQ(pic.pixel(p.x(), p.y()), rgb(kLineColor)) << p.x() << "," << p.y();
    // Nothing lies one pixel beyond the tip, away from the end point.
    const QPoint tip = c.points[1];
    const QPoint beyond = tip + QPoint((tip.x() > c.ex) - (tip.x() < c.ex),
                                       (tip.y() > c.ey) - (tip.y() < c.ey));
    EXPECT_TRUE(isField(beyond.x(), beyond.y())) << beyond.x() << "," << beyond.y();
}

INSTANTIATE_TEST_SUITE_P(Directions, EndMarkerTest, testing::ValuesIn(kMarkerCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(FrameRendererTest, NearlyUprightLineIsDrawnExactlyUpright)
{
    setLine(0, 100, 100, 103, 160);
    draw();
    const std::array<QPoint, 3> expected{QPoint(93, 160), QPoint(100, 167), QPoint(107, 160)};
    EXPECT_EQ(FrameRenderer::EndMarkerPoints, expected);
    for (int y = 100; y <= 167; ++y)
        EXPECT_EQ(pic.pixel(100, y), rgb(kLineColor)) << y;
    for (int y = 100; y < 150; ++y) {
        EXPECT_TRUE(isField(101, y)) << y;
        EXPECT_TRUE(isField(103, y)) << y;
    }
    EXPECT_EQ(frame.ActionEX[0], 103.0f);
}

TEST_F(FrameRendererTest, NearlyLevelLineIsDrawnExactlyLevel)
{
    setLine(0, 100, 100, 160, 103);
    draw();
    const std::array<QPoint, 3> expected{QPoint(160, 93), QPoint(167, 100), QPoint(160, 107)};
    EXPECT_EQ(FrameRenderer::EndMarkerPoints, expected);
    for (int x = 100; x <= 167; ++x)
        EXPECT_EQ(pic.pixel(x, 100), rgb(kLineColor)) << x;
    for (int x = 100; x < 150; ++x)
        EXPECT_TRUE(isField(x, 102)) << x;
}

// Snapping works on the drawn copy only: an end less than 5 pixels off the start's x (or y)
// is drawn at the start's x (or y); the marker follows the drawn end.
struct SnapCase
{
    int sx, sy, ex, ey;
    QPoint drawnEnd;
};

void PrintTo(const SnapCase &c, std::ostream *os)
{
    *os << "(" << c.sx << "," << c.sy << ")-(" << c.ex << "," << c.ey << ")";
}

class SnapTest : public FrameRendererTest, public testing::WithParamInterface<SnapCase>
{};

TEST_P(SnapTest, MarkerStandsAtTheSnappedEnd)
{
    const SnapCase &c = GetParam();
    setLine(0, c.sx, c.sy, c.ex, c.ey);
    draw();
    int16_t sx = c.sx, sy = c.sy, ex = c.drawnEnd.x(), ey = c.drawnEnd.y();
    FrameRenderer::DrawAction(sx, sy, ex, ey);
    const auto expected = FrameRenderer::EndMarkerPoints;
    draw();
    EXPECT_EQ(FrameRenderer::EndMarkerPoints, expected);
    EXPECT_EQ(pic.pixel(c.drawnEnd.x(), c.drawnEnd.y()), rgb(kLineColor));
    EXPECT_EQ(frame.ActionEX[0], float(c.ex));
    EXPECT_EQ(frame.ActionEY[0], float(c.ey));
}

INSTANTIATE_TEST_SUITE_P(Ends, SnapTest,
                         testing::Values(SnapCase{100, 100, 104, 160, {100, 160}},
                                         SnapCase{100, 100, 96, 160, {100, 160}},
                                         SnapCase{100, 100, 105, 160, {105, 160}},
                                         SnapCase{100, 100, 95, 160, {95, 160}},
                                         SnapCase{100, 100, 160, 104, {160, 100}},
                                         SnapCase{100, 100, 160, 96, {160, 100}},
                                         SnapCase{100, 100, 160, 105, {160, 105}},
                                         SnapCase{100, 100, 103, 97, {100, 100}}));

TEST_F(FrameRendererTest, CrossBarRunsFromFirstToThirdPointWithoutTip)
{
    looks.ActionEndType[0] = 1;
    setLine(0, 100, 100, 160, 100);
    draw();
    for (int y = 93; y <= 107; ++y)
        EXPECT_EQ(pic.pixel(160, y), rgb(kLineColor)) << y;
    EXPECT_TRUE(isField(167, 100));
    EXPECT_TRUE(isField(163, 100));
    EXPECT_TRUE(isField(161, 93));
}

TEST_F(FrameRendererTest, OtherEndTypesDrawNoMarker)
{
    for (int16_t endType : {2, 3, -1}) {
        pic.clear();
        looks.ActionEndType[0] = endType;
        setLine(0, 100, 100, 160, 100);
        draw();
        EXPECT_TRUE(isField(160, 93)) << endType;
        EXPECT_TRUE(isField(160, 107)) << endType;
        EXPECT_TRUE(isField(167, 100)) << endType;
        EXPECT_EQ(pic.pixel(160, 100), rgb(kLineColor)) << endType;
    }
}

// ---- Action lines --------------------------------------------------------------------------

TEST_F(FrameRendererTest, LineIsDrawnOnlyWhenBothEndsAreOnTheSurface)
{
    setLine(0, 100, 100, 0, 200);    // end x 0
    setLine(1, 0, 100, 200, 200);    // start x 0
    setLine(2, 0.4f, 50, 200, 50);   // start x rounds to 0
    setLine(3, 100, 80, 0.5f, 80);   // end x rounds (half to even) to 0
    draw();
    EXPECT_EQ(differingPixels(pic.image(), bareFrame()), 0);
    EXPECT_TRUE(reports.empty());
}

TEST_F(FrameRendererTest, LineWidthAndDashesFollowTheLineType)
{
    looks.ActionSize[0] = 6;
    looks.ActionEndType[0] = 2;
    setLine(0, 50, 100, 350, 100);
    looks.ActionType[1] = 2; // dash
    looks.ActionEndType[1] = 2;
    setLine(1, 50, 200, 350, 200);
    draw();
    for (int dy = -2; dy <= 2; ++dy)
        EXPECT_EQ(pic.pixel(200, 100 + dy), rgb(kLineColor)) << dy;
    int covered = 0;
    for (int x = 50; x <= 350; ++x)
        covered += pic.pixel(x, 200) == rgb(kLineColor);
    EXPECT_GT(covered, 100);
    EXPECT_LT(covered, 290);
    EXPECT_TRUE(isField(200, 199));
}

TEST_F(FrameRendererTest, LeavesOnePixelSolidLinesAndItsOwnColours)
{
    pic.setLineWidth(4);
    pic.setLineStyle(2);
    looks.ActionSize.fill(6);
    looks.ActionType.fill(3);
    setLine(0, 50, 100, 350, 100);
    frame.OPlayerX[0] = 200;
    frame.OPlayerY[0] = 200;
    draw();
    EXPECT_EQ(pic.lineWidth(), 1);
    EXPECT_EQ(pic.lineStyle(), 0);
    EXPECT_EQ(pic.foreColor(), kLabelColor);
    EXPECT_EQ(pic.fillColor(), kSurfaceFill);
}

// ---- Lines that bend, and many lines ------------------------------------------------------

struct BentCase
{
    const char *name;
    ActionLine line;
    int16_t type;   // the kind's line type: 1 solid, 2 dashed
    int16_t width;
    QPoint chordMiddle;             // far from the curve
    std::array<QPoint, 3> marker;   // as the curve arrives from its last bend point
};

const BentCase kBentCases[] = {
    {"arch", {{0, 0}, {80, 250}, {320, 250}, {{200, 80}}}, 1, 1, {200, 250},
     {{{315, 255}, {325, 255}, {325, 245}}}},
    {"hook_upward", {{0, 0}, {80, 100}, {300, 150}, {{200, 300}, {300, 300}}}, 1, 3,
     {190, 125}, {{{293, 150}, {300, 143}, {307, 150}}}},
    {"dashed_loop", {{0, 0}, {300, 60}, {300, 320}, {{80, 120}, {80, 250}}}, 2, 3, {300, 190},
     {{{300, 313}, {307, 320}, {300, 327}}}},
};

void PrintTo(const BentCase &c, std::ostream *os)
{
    *os << c.name;
}

class BentLineTest : public FrameRendererTest,
                     public testing::WithParamInterface<std::tuple<BentCase, int>>
{};

// Points along the Catmull-Rom spline through the line's start, bend points and end, `steps`
// to each stretch, worked out in the spline's polynomial form with the start and the end
// standing in for the missing neighbours at either end: a second way to the curve, apart from
// the Bezier pieces the renderer draws.
std::vector<QPointF> splinePoints(const ActionLine &line, int steps)
{
    std::vector<QPointF> p{{line.start.x, line.start.y}};
    for (const LinePoint &b : line.bends)
        p.emplace_back(b.x, b.y);
    p.emplace_back(line.end.x, line.end.y);
    const size_t last = p.size() - 1;
    std::vector<QPointF> points;
    for (size_t i = 0; i < last; ++i) {
        const QPointF p0 = p[i == 0 ? 0 : i - 1];
        const QPointF p1 = p[i];
        const QPointF p2 = p[i + 1];
        const QPointF p3 = p[std::min(i + 2, last)];
        for (int s = 0; s < steps; ++s) {
            const double t = double(s) / steps;
            points.push_back(0.5
                             * (2 * p1 + (p2 - p0) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t * t
                                + (3 * p1 - p0 - 3 * p2 + p3) * t * t * t));
        }
    }
    points.push_back(p[last]);
    return points;
}

TEST(CurvePathTest, ArchLeavesEachPointASixthOfItsNeighboursDifferenceAhead)
{
    // Through (80, 250), (200, 80), (320, 250); the start and the end stand in for their own
    // missing neighbours. First control: (80, 250) + ((200, 80) - (80, 250)) / 6; second:
    // (200, 80) - ((320, 250) - (80, 250)) / 6; and so on, mirrored, on the way down.
    const QPainterPath path =
        FrameRenderer::curvePath({{0, 0}, {80, 250}, {320, 250}, {{200, 80}}});
    const double third = 250 - 170 / 6.0; // 221.67
    const std::vector<QPointF> expected{{80, 250},  {100, third}, {160, 80}, {200, 80},
                                        {240, 80}, {300, third}, {320, 250}};
    ASSERT_EQ(path.elementCount(), int(expected.size()));
    for (int i = 0; i < path.elementCount(); ++i) {
        EXPECT_NEAR(path.elementAt(i).x, expected[size_t(i)].x(), 1e-3) << i;
        EXPECT_NEAR(path.elementAt(i).y, expected[size_t(i)].y(), 1e-3) << i;
    }
}

// The line's colour, or at scales above 1 mostly the line's where it is smoothed into the
// field (no field channel is above 0x7F).
bool lineColoured(QRgb c)
{
    return qRed(c) > 0xA0 && qBlue(c) < 0x60;
}

TEST_P(BentLineTest, IsDrawnAlongTheCurveWithItsMarkerFollowingTheCurvesEnd)
{
    // Named one by one: clang 14 cannot capture structured bindings in the lambdas below.
    const BentCase &c = std::get<0>(GetParam());
    const int scale = std::get<1>(GetParam());
    looks.ActionType[0] = c.type;
    looks.ActionSize[0] = c.width;
    ASSERT_TRUE(frame.addActionLine(0, c.line.start, c.line.end, c.line.bends));
    draw();
    ASSERT_TRUE(reports.empty());
    EXPECT_EQ(FrameRenderer::EndMarkerPoints, c.marker);
    const QImage image = pic.scaledImage(scale);
    // Where the surface shows image pixel (x, y), and whether the line shows near there.
    auto shown = [&](float x, float y) { return QPointF((x + 0.5) * scale, (y + 0.5) * scale); };
    auto lineNear = [&](QPointF at) {
        for (int dy = -scale; dy <= scale; ++dy)
            for (int dx = -scale; dx <= scale; ++dx)
                if (image.valid(int(at.x()) + dx, int(at.y()) + dy)
                    && lineColoured(image.pixel(int(at.x()) + dx, int(at.y()) + dy)))
                    return true;
        return false;
    };
    auto nearEnd = [&](QPointF p) {
        return std::hypot(p.x() - c.line.end.x, p.y() - c.line.end.y) < 10;
    };
    // Solid lines show all along the curve; dashes leave gaps, and a sample there finds the
    // field right under it.
    int near = 0, under = 0, samples = 0;
    for (const QPointF &p : splinePoints(c.line, 32)) {
        if (nearEnd(p))
            continue;
        ++samples;
        near += lineNear(shown(p.x(), p.y()));
        under += lineColoured(image.pixel(shown(p.x(), p.y()).toPoint()));
    }
    if (c.type == 1) {
        EXPECT_EQ(near, samples);
    } else {
        EXPECT_GT(under, samples / 2);
        EXPECT_LT(under, samples * 19 / 20);
    }
    // Nothing is drawn along the straight chord, where the curve does not pass.
    EXPECT_FALSE(lineNear(shown(c.chordMiddle.x(), c.chordMiddle.y())));
    for (const QPoint &p : c.marker)
        EXPECT_TRUE(lineNear(shown(p.x(), p.y()))) << p.x() << "," << p.y();
}

INSTANTIATE_TEST_SUITE_P(Curves, BentLineTest,
                         testing::Combine(testing::ValuesIn(kBentCases), testing::Values(1, 2)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).name) + "_x"
                                    + std::to_string(std::get<1>(info.param));
                         });

// A bend point on the one before it or on the end gives no direction: the line is drawn, end
// marker and all, as it would be without it.
TEST_F(FrameRendererTest, RepeatedBendPointsAndOnesOnTheEndChangeNothing)
{
    looks.ActionSize[0] = 3;
    ASSERT_TRUE(frame.addActionLine(0, {80, 100}, {300, 100}, {{200, 200}}));
    draw();
    const QImage plain = pic.image();
    pic.clear();
    frame.clearActionKind(0);
    ASSERT_TRUE(frame.addActionLine(0, {80, 100}, {300, 100},
                                    {{80.4f, 100}, {200, 200}, {200, 200}, {300, 100}}));
    draw();
    EXPECT_EQ(differingPixels(pic.image(), plain), 0);
    EXPECT_GT(differingPixels(plain, bareFrame()), 0);
}

TEST_F(FrameRendererTest, AllSixtyFourLinesOfAFrameAreDrawnInTheirKindsLooks)
{
    // Eight lines of each kind in a column of its own, every other one bent.
    for (int k = 0; k < kActionCount; ++k) {
        looks.ActionColor[size_t(k)] = QColor::fromHsv(k * 45, 255, 255);
        looks.ActionEndType[size_t(k)] = 2;
        for (int slot = 0; slot < 8; ++slot) {
            const float x = 20.0f + k * 48;
            const float y = 20.0f + slot * 40;
            std::vector<LinePoint> bends;
            if (slot % 2)
                bends.push_back({x + 15, y - 10});
            ASSERT_TRUE(frame.addActionLine(k, {x, y}, {x + 30, y}, bends));
        }
    }
    ASSERT_EQ(frame.actionLineCount(), kMaxLinesInFrame);
    draw();
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(pic.drawingCount(), kMaxLinesInFrame);
    for (const ActionLine &line : frame.actionLines())
        EXPECT_EQ(pic.pixel(int(line.start.x), int(line.start.y)),
                  rgb(looks.ActionColor[size_t(line.id.kind)]))
            << line.id.kind << "/" << line.id.slot;
}

// ---- Whole frames and presence --------------------------------------------------------------

// Every drawing used to end with a short line in the field's top-left corner, which showed
// on the screen, on paper and in every picture handed out.
TEST_F(FrameRendererTest, BlankFrameLeavesTheBareField)
{
    pic.setLineWidth(2);
    draw();
    EXPECT_EQ(differingPixels(pic.image(), bareFrame()), 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_TRUE(isField(x, y)) << x << ", " << y;
}

TEST_F(FrameRendererTest, PlayerPresenceFollowsTheRoundedX)
{
    frame.OPlayerX[0] = 0.4f;
    frame.OPlayerY[0] = 100;
    frame.DPlayerX[0] = 0.5f; // rounds to 0: absent
    frame.DPlayerY[0] = 200;
    draw();
    EXPECT_EQ(differingPixels(pic.image(), bareFrame()), 0);

    pic.clear();
    looks.OPLabel.fill("");
    frame.OPlayerX[0] = 0.6f; // rounds to 1: a square centred on x 1
    draw();
    EXPECT_EQ(pic.pixel(1, 100), rgb(kOffenseFill));
    EXPECT_EQ(pic.pixel(11, 100), rgb(kBorder));
}

TEST_F(FrameRendererTest, HiddenPlayerLeavesNoMarkEvenWhenActive)
{
    frame.OPlayerX[3] = 150;
    frame.OPlayerY[3] = 150;
    frame.DPlayerX[4] = 250;
    frame.DPlayerY[4] = 250;
    frame.ActivePlyr = 3;
    looks.hideOffense[3] = true;
    looks.hideDefense[4] = true;
    looks.hideDefense[3] = true; // another side's box does not hide offensive player 3 ...
    looks.hideOffense[3] = true; // ... but its own does
    draw();
    EXPECT_EQ(differingPixels(pic.image(), bareFrame()), 0);

    pic.clear();
    looks.hideOffense[3] = false;
    draw();
    EXPECT_EQ(pic.pixel(150, 150), rgb(kBorder)); // the active mark crosses the centre
    EXPECT_TRUE(isField(250, 250));
}

class ShapeTest : public FrameRendererTest, public testing::WithParamInterface<int16_t>
{};

TEST_P(ShapeTest, ShapesOtherThanSquareAndCircleDrawNothing)
{
    looks.PlayerShape = {GetParam(), GetParam()};
    for (int i = 0; i < 10; ++i) {
        frame.OPlayerX[i] = 30 + 30 * i;
        frame.OPlayerY[i] = 100;
        frame.DPlayerX[i] = 30 + 30 * i;
        frame.DPlayerY[i] = 200;
    }
    frame.ActivePlyr = 12;
    draw();
    EXPECT_EQ(differingPixels(pic.image(), bareFrame()), 0);
}

INSTANTIATE_TEST_SUITE_P(Unknown, ShapeTest, testing::Values<int16_t>(0, 2, 4, -1));

TEST_F(FrameRendererTest, SuppressedDrawingChangesNoPixel)
{
    bool suppressed = true;
    looks.drawingSuppressed = &suppressed;
    frame.OPlayerX[0] = 100;
    frame.OPlayerY[0] = 100;
    frame.TxtSYMBOLX[0] = 50;
    frame.SYMBOLX[0] = 200;
    looks.symbols.fill(testSymbol());
    setLine(0, 10, 10, 300, 300);
    draw();
    EXPECT_EQ(differingPixels(pic.image(), pic.picture()), 0);

    suppressed = false;
    draw();
    EXPECT_GT(differingPixels(pic.image(), bareFrame()), 0);
}

TEST_F(FrameRendererTest, SquaresAreFilledOutlinedAndActiveOnesCrossed)
{
    frame.OPlayerX[2] = 100;
    frame.OPlayerY[2] = 100;
    frame.OPlayerX[5] = 200;
    frame.OPlayerY[5] = 100;
    frame.ActivePlyr = 5;
    looks.OPLabel.fill("");
    draw();
    // Outline corner to corner, 21 pixels a side.
    EXPECT_EQ(pic.pixel(90, 90), rgb(kBorder));
    EXPECT_EQ(pic.pixel(110, 110), rgb(kBorder));
    EXPECT_TRUE(isField(89, 100));
    EXPECT_TRUE(isField(111, 100));
    EXPECT_EQ(pic.pixel(100, 100), rgb(kOffenseFill));
    EXPECT_EQ(pic.pixel(95, 95), rgb(kOffenseFill));
    // The active one carries both diagonals.
    EXPECT_EQ(pic.pixel(195, 95), rgb(kBorder));
    EXPECT_EQ(pic.pixel(205, 95), rgb(kBorder));
    EXPECT_EQ(pic.pixel(200, 100), rgb(kBorder));
    EXPECT_EQ(pic.pixel(200, 97), rgb(kOffenseFill));
}

TEST_F(FrameRendererTest, CirclesAreFilledOutlinedAndActiveOnesCrossed)
{
    frame.DPlayerX[1] = 100;
    frame.DPlayerY[1] = 100;
    frame.DPlayerX[7] = 200;
    frame.DPlayerY[7] = 100;
    frame.ActivePlyr = 17;
    looks.DPLabel.fill("");
    draw();
    EXPECT_EQ(pic.pixel(100, 90), rgb(kBorder));
    EXPECT_EQ(pic.pixel(110, 100), rgb(kBorder));
    EXPECT_EQ(pic.pixel(100, 100), rgb(kDefenseFill));
    EXPECT_TRUE(isField(91, 91)); // outside the circle, inside its square
    EXPECT_TRUE(isField(100, 88));
    EXPECT_EQ(pic.pixel(190, 90), rgb(kBorder)); // the cross reaches the square's corners
    EXPECT_EQ(pic.pixel(210, 90), rgb(kBorder));
    EXPECT_EQ(pic.pixel(190, 110), rgb(kBorder));
}

// ---- A focused player ----------------------------------------------------------------------

// Defensive player 5 at (100, 100) is focused; defender 7 overlaps him, another defender and
// an offensive square stand apart. Lines start on his marker's rim, within its reach plus four
// pixels, just beyond that, and at the other defender. Each case is one pixel, with and without
// the focus; an invalid colour stands for the field's own pixel. The faded colours are 35 % on
// white, worked out by hand.
struct FocusCase
{
    const char *what;
    QPoint at;
    QColor focused;
    QColor plain;
};

class FocusTest : public FrameRendererTest
{
protected:
    // Draws the frame without labels with defender 5 in focus and with no focus, and checks
    // each case's pixel against its colour (an invalid colour: the field shows through).
    template <size_t N>
    void expectFocused(const FocusCase (&cases)[N])
    {
        looks.DPLabel.fill("");
        looks.OPLabel.fill("");
        for (const int focus : {15, -1}) {
            pic.clear();
            looks.focusPlayer = focus;
            draw();
            for (const FocusCase &c : cases) {
                const QColor expected = focus < 0 ? c.plain : c.focused;
                if (expected.isValid())
                    EXPECT_EQ(QColor(pic.pixel(c.at.x(), c.at.y())), expected)
                        << c.what << ", focus " << focus;
                else
                    EXPECT_TRUE(isField(c.at.x(), c.at.y())) << c.what << ", focus " << focus;
            }
        }
        EXPECT_TRUE(reports.empty());
    }
};

TEST_F(FocusTest, RingsItsPlayerKeepsHisLinesAndFadesEverythingElse)
{
    const QColor fadedLine(255, 211, 166);
    const FocusCase cases[] = {
        {"ring above", {100, 84}, Qt::black, {}},
        {"ring below", {100, 116}, Qt::black, kLineColor},
        {"white edge outside the ring", {100, 82}, Qt::white, {}},
        {"his fill", {100, 104}, kDefenseFill, kDefenseFill},
        {"his border, over a neighbour drawn after him", {110, 100}, kBorder, kDefenseFill},
        {"other defender's fill", {250, 104}, QColor(166, 255, 255), kDefenseFill},
        {"other defender's border", {260, 100}, QColor(236, 166, 236), kBorder},
        {"offensive square's fill", {200, 254}, QColor(255, 255, 166), kOffenseFill},
        {"line from his rim", {160, 100}, kLineColor, kLineColor},
        {"line from four pixels off", {100, 180}, kLineColor, kLineColor},
        {"line from five pixels off", {40, 100}, fadedLine, kLineColor},
        {"line from the other defender", {300, 130}, fadedLine, kLineColor},
        {"arrowhead of a faded line", {350, 130}, fadedLine, kLineColor},
    };
    frame.DPlayerX[5] = 100;
    frame.DPlayerY[5] = 100;
    frame.DPlayerX[2] = 250;
    frame.DPlayerY[2] = 100;
    frame.DPlayerX[7] = 114;
    frame.DPlayerY[7] = 100;
    frame.OPlayerX[0] = 200;
    frame.OPlayerY[0] = 250;
    setLine(0, 112, 100, 200, 100);
    setLine(1, 100, 114, 100, 200);
    setLine(2, 85, 100, 20, 100);
    setLine(3, 252, 130, 350, 130);
    expectFocused(cases);

    // His label keeps its colour; the other defender's is faded.
    looks = testLooks();
    looks.focusPlayer = 15;
    pic.clear();
    draw();
    const QImage shown = pic.image();
    const QRect his(90, 90, 21, 21);
    const QRect other(240, 90, 21, 21);
    EXPECT_GT(test::pixelsOf(shown.copy(his), rgb(kDefenseText)), 0);
    EXPECT_EQ(test::pixelsOf(shown.copy(other), rgb(kDefenseText)), 0);
    EXPECT_GT(test::pixelsOf(shown.copy(other), QColor(255, 166, 166).rgb()), 0);
}

// The same with square players: defender 5's square reaches from (90, 90) to (110, 110), its
// corners 14.1 pixels from his middle, so the ring lies at 15 + 5 + 1 = 21 pixels, clear of
// them. A line is his when it starts within four pixels of his square's edge: three pixels off
// the corner diagonally (18.4 from the middle, beyond a circle's reach plus four) is his, five
// pixels off a side (15 from the middle, within that reach) is not.
TEST_F(FocusTest, RingsASquarePlayerAndKeepsTheLinesFromHisEdges)
{
    const QColor fadedLine(255, 211, 166);
    const FocusCase cases[] = {
        {"ring above", {100, 79}, Qt::black, {}},
        {"ring below", {100, 121}, Qt::black, {}},
        {"white edge outside the ring", {100, 77}, Qt::white, {}},
        {"ring beyond his corner", {115, 115}, Qt::black, {}},
        {"between his corner and the ring", {112, 112}, {}, {}},
        {"his fill", {104, 104}, kDefenseFill, kDefenseFill},
        {"his fill in the corner", {108, 108}, kDefenseFill, kDefenseFill},
        {"his border", {110, 100}, kBorder, kBorder},
        {"other defender's fill", {254, 104}, QColor(166, 255, 255), kDefenseFill},
        {"other defender's border", {260, 100}, QColor(236, 166, 236), kBorder},
        {"line from three pixels off his corner", {150, 50}, kLineColor, kLineColor},
        {"line from four pixels off his side", {160, 100}, kLineColor, kLineColor},
        {"line from five pixels off his side", {40, 100}, fadedLine, kLineColor},
        {"line from the other defender", {250, 160}, fadedLine, kLineColor},
    };
    looks.PlayerShape = {1, 1};
    frame.DPlayerX[5] = 100;
    frame.DPlayerY[5] = 100;
    frame.DPlayerX[2] = 250;
    frame.DPlayerY[2] = 100;
    setLine(0, 113, 87, 180, 20);
    setLine(1, 114, 100, 200, 100);
    setLine(2, 85, 100, 20, 100);
    setLine(3, 250, 112, 250, 200);
    expectFocused(cases);
}

// ---- Labels --------------------------------------------------------------------------------

// Where a player's label is printed: compared with the same figure and an empty label, then
// the label printed by hand at the expected place.
struct LabelCase
{
    const char *name;
    int16_t shape;
    int sizeFromHalfHeight; // r = th + this
};

void PrintTo(const LabelCase &c, std::ostream *os)
{
    *os << c.name;
}

class LabelPlacementTest : public FrameRendererTest, public testing::WithParamInterface<LabelCase>
{};

TEST_P(LabelPlacementTest, LabelStandsWhereTheRuleOfElevenPutsIt)
{
    const LabelCase &c = GetParam();
    QFont font("DejaVu Sans");
    font.setPixelSize(20);
    pic.setFont(font);
    // Halves round to even, as every conversion to a whole pixel does.
    const int th = int(std::nearbyint(pic.textHeight("11") / 2.0));
    const int tw = int(std::nearbyint(pic.textWidth("11") / 2.0));
    const int r = th + c.sizeFromHalfHeight;
    ASSERT_GT(r, 2);
    looks.PlayerShape[0] = c.shape;
    looks.PlayerSize[0] = int16_t(r);
    frame.OPlayerX[0] = 150;
    frame.OPlayerY[0] = 120;

    looks.OPLabel[0] = "";
    draw();
    pic.setForeColor(kOffenseText);
    QPointF expected;
    if (c.shape == 1)
        expected = QPointF(150 - r, th > r ? 120 - r : 120 - r + r / 2.0);
    else
        expected = QPointF(150 - tw, 120 - th);
    pic.setTextPosition(expected);
    pic.print("88");
    const QImage reference = pic.image();

    pic.clear();
    pic.setForeColor(kLabelColor);
    looks.OPLabel[0] = "88";
    draw();
    EXPECT_EQ(differingPixels(pic.image(), reference), 0);
    EXPECT_GT(pixelsOf(pic.image(), rgb(kOffenseText)), 10);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, LabelPlacementTest,
    testing::Values(LabelCase{"square_label_taller_than_square_at_top", 1, -3},
                    LabelCase{"square_just_smaller_than_label_at_top", 1, -1},
                    LabelCase{"square_as_tall_as_label_half_size_down", 1, 0},
                    LabelCase{"square_taller_than_label_half_size_down", 1, 4},
                    LabelCase{"circle_label_centred", 3, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(FrameRendererTest, TextLabelsUseTheirUnroundedPositionAndTheSurfaceColour)
{
    frame.TxtSYMBOLX = {0.4f, 0};
    frame.TxtSYMBOLY = {50, 150};
    frame.TxtValue = {"Bunt", "Never"};
    draw();
    EXPECT_GT(pixelsOf(pic.image(), rgb(kLabelColor)), 10);
    int minX = 400, maxY = -1;
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x)
            if (pic.pixel(x, y) == rgb(kLabelColor)) {
                minX = std::min(minX, x);
                maxY = std::max(maxY, y);
            }
    EXPECT_LT(minX, 4);
    EXPECT_GE(maxY, 50);
    EXPECT_LT(maxY, 100); // label 1 at x 0 is not printed
}

TEST_F(FrameRendererTest, EmptyLabelsPrintNothing)
{
    looks.PlayerShape = {1, 1};
    looks.OPLabel.fill("");
    frame.OPlayerX[0] = 100;
    frame.OPlayerY[0] = 100;
    frame.TxtSYMBOLX[0] = 200;
    frame.TxtSYMBOLY[0] = 200;
    frame.TxtValue[0] = "";
    draw();
    EXPECT_EQ(pixelsOf(pic.image(), rgb(kOffenseText)), 0);
    EXPECT_EQ(pixelsOf(pic.image(), rgb(kLabelColor)), 0);
}

// ---- Symbols -------------------------------------------------------------------------------

// The symbol's coloured pixels land on the surface with its top-left at the stored point; its
// white pixels and everything off the surface are left alone.
class SymbolClipTest : public FrameRendererTest, public testing::WithParamInterface<QPoint>
{};

TEST_P(SymbolClipTest, SymbolIsCutAtTheEdgesAndWhiteIsSeeThrough)
{
    const QPoint at = GetParam();
    const QImage symbol = testSymbol();
    looks.symbols.fill(symbol);
    frame.SYMBOLX[6] = at.x();
    frame.SYMBOLY[6] = at.y();
    draw();
    ASSERT_TRUE(reports.empty());
    QImage expected = bareFrame();
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 20; ++c) {
            const int x = at.x() + c, y = at.y() + r;
            const QRgb p = symbol.pixel(c, r);
            if (expected.valid(x, y) && (p & 0xFFFFFF) != 0xFFFFFF)
                expected.setPixel(x, y, p);
        }
    EXPECT_EQ(differingPixels(pic.image(), expected), 0);
}

INSTANTIATE_TEST_SUITE_P(Edges, SymbolClipTest,
                         testing::Values(QPoint(100, 100), QPoint(390, 100), QPoint(100, 365),
                                         QPoint(395, 368), QPoint(100, -5), QPoint(1, 100),
                                         QPoint(1, -19), QPoint(399, 372), QPoint(50, -30),
                                         QPoint(100, 373)),
                         [](const auto &info) {
                             const QPoint p = info.param;
                             return "at_" + std::to_string(p.x()) + "_"
                                    + (p.y() < 0 ? "minus" + std::to_string(-p.y())
                                                 : std::to_string(p.y()));
                         });

TEST_F(FrameRendererTest, EverySymbolIsReadAtTheSizeOfSymbolBoxFour)
{
    QImage big(30, 30, QImage::Format_RGB32);
    big.fill(kSymbolColor);
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(kSymbolColor);
    looks.symbols.fill(testSymbol(20));
    looks.symbols[0] = big;
    looks.symbols[1] = small;
    frame.SYMBOLX[0] = 100;
    frame.SYMBOLY[0] = 100;
    frame.SYMBOLX[1] = 200;
    frame.SYMBOLY[1] = 200;
    draw();
    EXPECT_EQ(pixelsOf(pic.image(), rgb(kSymbolColor)), 20 * 20 + 8 * 8);
    EXPECT_EQ(pic.pixel(119, 119), rgb(kSymbolColor));
    EXPECT_TRUE(isField(120, 100));
    EXPECT_TRUE(isField(208, 200));
}

TEST_F(FrameRendererTest, SymbolsOfOtherPixelFormatsKeepWhiteAndTransparencySeeThrough)
{
    QImage indexed = testSymbol().convertToFormat(QImage::Format_Indexed8);
    QImage withAlpha = testSymbol(20, QImage::Format_ARGB32);
    withAlpha.setPixel(5, 5, qRgba(250, 20, 20, 0)); // fully transparent: not drawn
    looks.symbols.fill(testSymbol());
    looks.symbols[2] = indexed;
    looks.symbols[3] = withAlpha;
    frame.SYMBOLX[2] = 50;
    frame.SYMBOLY[2] = 50;
    frame.SYMBOLX[3] = 150;
    frame.SYMBOLY[3] = 50;
    draw();
    EXPECT_EQ(pic.pixel(50, 51), rgb(kSymbolColor));
    EXPECT_TRUE(isField(55, 60));
    EXPECT_TRUE(isField(155, 60));
    EXPECT_TRUE(isField(155, 55));
    EXPECT_EQ(pic.pixel(150, 60), rgb(kSymbolColor));
}

// ---- Order ---------------------------------------------------------------------------------

TEST_F(FrameRendererTest, LaterItemsCoverEarlierOnes)
{
    QImage solid(20, 20, QImage::Format_RGB32);
    solid.fill(kSymbolColor);
    looks.symbols.fill(solid);
    looks.ActionSize.fill(6);
    looks.ActionEndType.fill(2);
    QFont font("DejaVu Sans");
    font.setPixelSize(40);
    font.setBold(true);
    pic.setFont(font);

    frame.SYMBOLX[0] = 100; // symbol under a text label
    frame.SYMBOLY[0] = 100;
    frame.TxtSYMBOLX[0] = 95;
    frame.TxtSYMBOLY[0] = 90;
    frame.TxtValue[0] = "MMM";
    setLine(0, 50, 300, 350, 300); // action line under an offensive player
    frame.OPlayerX[0] = 200;
    frame.OPlayerY[0] = 300;
    frame.DPlayerX[0] = 205;      // defensive player over the offensive one
    frame.DPlayerY[0] = 300;
    setLine(1, 90, 110, 130, 110); // action line over the text label
    looks.OPLabel.fill("");
    looks.DPLabel.fill("");
    draw();
    EXPECT_EQ(pic.pixel(120, 110), rgb(kLineColor));
    EXPECT_GT(pixelsOf(pic.image(), rgb(kLabelColor)), 50);
    EXPECT_LT(pixelsOf(pic.image(), rgb(kSymbolColor)), 400); // partly covered by the text
    EXPECT_EQ(pic.pixel(200, 300), rgb(kDefenseFill));
    EXPECT_EQ(pic.pixel(192, 300), rgb(kOffenseFill));
}

// ---- Failures ------------------------------------------------------------------------------

TEST_F(FrameRendererTest, OverflowingCoordinateStopsTheDrawingAndIsReported)
{
    frame.TxtSYMBOLX[0] = 20;
    frame.TxtSYMBOLY[0] = 20;
    frame.TxtValue[0] = "Before";
    setLine(0, 100, 100, 200, 100);
    setLine(1, 40000, 100, 200, 200);
    frame.OPlayerX[0] = 300;
    frame.OPlayerY[0] = 300;
    draw();
    EXPECT_EQ(reports, std::vector<std::string>{"Drawing Play"});
    EXPECT_GT(pixelsOf(pic.image(), rgb(kLabelColor)), 10); // drawn before the failure stays
    EXPECT_EQ(pic.pixel(150, 100), rgb(kLineColor));
    EXPECT_TRUE(isField(300, 300));                       // nothing after it is drawn
    EXPECT_EQ(pic.pixel(0, 0) & 0xFFFFFF, pic.picture().pixel(0, 0) & 0xFFFFFF);
    // The surface's own colours are back, so the next frame's labels print correctly.
    EXPECT_EQ(pic.foreColor(), kLabelColor);
    EXPECT_EQ(pic.fillColor(), kSurfaceFill);
}

// A failure after a wide, dotted action line used to leave the surface drawing that way, so
// the rubber band of the next action line came out wide and dotted.
TEST_F(FrameRendererTest, FailureAfterAWideDottedLineLeavesOnePixelSolidLines)
{
    looks.ActionSize.fill(6);
    looks.ActionType.fill(3);
    setLine(0, 50, 100, 350, 100);
    setLine(1, 32767, 1, 1, 65534); // its end is past the 16-bit range
    draw();
    ASSERT_EQ(reports, std::vector<std::string>{"Drawing Play"});
    EXPECT_EQ(pic.lineWidth(), 1);
    EXPECT_EQ(pic.lineStyle(), 0);

    // The next frame draws whole.
    reports.clear();
    pic.clear();
    setLine(1, 0, 0, 0, 0);
    frame.OPlayerX[0] = 200;
    frame.OPlayerY[0] = 200;
    draw();
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(pic.pixel(190, 190), rgb(kBorder));
    EXPECT_EQ(pic.pixel(200, 192), rgb(kOffenseFill));
}

TEST_F(FrameRendererTest, AbsentItemsWithWildPositionsAreNotAFailure)
{
    setLine(0, 0, 1e9f, 0, -1e9f);
    frame.OPlayerY[0] = 1e9f;
    frame.SYMBOLY[0] = -1e9f;
    draw();
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(differingPixels(pic.image(), bareFrame()), 0);
}

TEST(FrameRendererNoPicture, RefusedArrowheadIsReportedAsDrawingPlay)
{
    std::vector<std::string> reports;
    const FailureReporter previous =
        setFailureReporter([&](const std::string &activity) { reports.push_back(activity); });
    Surface pic;
    PlayConfig frame;
    frame.Blank_Frame();
    frame.ActionSX[0] = 10;
    frame.ActionEX[0] = 50;
    FrameLooks looks = testLooks();
    FrameRenderer::Draw(frame, pic, looks);
    EXPECT_EQ(reports, std::vector<std::string>{"Drawing Play"});

    reports.clear();
    looks.ActionEndType[0] = 1; // a cross bar needs no polygon
    FrameRenderer::Draw(frame, pic, looks);
    EXPECT_TRUE(reports.empty());
    setFailureReporter(previous);
}

} // namespace
} // namespace kinetra
