#include "surface/colors.h"
#include "surface/surface.h"

#include "imagecheck.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace kinetra {
namespace {

using test::differingPixels;

QImage patternedField(int width = 120, int height = 90)
{
    return test::patternedField(width, height);
}

TEST(Colors, StoredValuesHoldRedInTheLowByte)
{
    EXPECT_EQ(colorFromRgbInt(255), QColor(255, 0, 0));
    EXPECT_EQ(colorFromRgbInt(65280), QColor(0, 255, 0));
    EXPECT_EQ(colorFromRgbInt(16711680), QColor(0, 0, 255));
    EXPECT_EQ(colorFromRgbInt(16777215), QColor(255, 255, 255));
    EXPECT_EQ(colorFromRgbInt(0x123456), QColor(0x56, 0x34, 0x12));
    // A high byte (as in system colour values) does not leak into the colour.
    EXPECT_EQ(colorFromRgbInt(int32_t(0x80000000u | 0x0000FF)), QColor(255, 0, 0));

    EXPECT_EQ(rgbIntFromColor(QColor(0, 0, 255)), 16711680);
    EXPECT_EQ(rgbIntFromColor(QColor(0x56, 0x34, 0x12, 10)), 0x123456);
    for (int32_t v : {0, 1, 255, 0x00ABCDEF, 16777215})
        EXPECT_EQ(rgbIntFromColor(colorFromRgbInt(v)), v);
}

class SurfaceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        surface.setPicture(patternedField());
        surface.setForeColor(QColor(250, 250, 10));
        surface.setFillColor(QColor(10, 250, 250));
    }
    bool isFore(int x, int y) const { return surface.pixel(x, y) == qRgb(250, 250, 10); }
    bool isField(int x, int y) const
    {
        return surface.pixel(x, y) == (surface.picture().pixel(x, y) | 0xFF000000u);
    }

    Surface surface;
};

TEST_F(SurfaceTest, PictureOfAnyFormatBecomesTheBareRgb32Image)
{
    QImage indexed = patternedField(30, 20).convertToFormat(QImage::Format_Indexed8);
    QSignalSpy resized(&surface, &Surface::sizeChanged);
    surface.setPicture(indexed);
    EXPECT_EQ(surface.image().format(), QImage::Format_RGB32);
    EXPECT_EQ(surface.size(), QSize(30, 20));
    ASSERT_EQ(resized.count(), 1);
    EXPECT_EQ(differingPixels(surface.image(), indexed.convertToFormat(QImage::Format_RGB32)), 0);
}

TEST_F(SurfaceTest, ClearWipesEverythingDrawnBackToTheField)
{
    surface.setLineWidth(6);
    surface.line(5, 5, 100, 80);
    surface.fillBox(10, 10, 40, 40, Qt::red);
    surface.print("chalk");
    ASSERT_GT(differingPixels(surface.image(), surface.picture()), 0);
    QSignalSpy changed(&surface, &Surface::changed);
    surface.clear();
    EXPECT_EQ(differingPixels(surface.image(), surface.picture()), 0);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(SurfaceTest, OnePixelLinesCoverBothEndPointsAndNothingElse)
{
    surface.line(10, 20, 30, 20);
    for (int x = 10; x <= 30; ++x)
        EXPECT_TRUE(isFore(x, 20)) << x;
    EXPECT_TRUE(isField(9, 20));
    EXPECT_TRUE(isField(31, 20));
    EXPECT_TRUE(isField(20, 19));
    EXPECT_TRUE(isField(20, 21));

    surface.line(0, 0, 1, 1, QColor(1, 2, 3));
    EXPECT_EQ(surface.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(surface.pixel(1, 1), qRgb(1, 2, 3));
    EXPECT_TRUE(isField(1, 0));
    EXPECT_TRUE(isField(0, 1));
    EXPECT_EQ(differingPixels(surface.image(), surface.picture()), 21 + 2);
}

TEST_F(SurfaceTest, ZeroLengthLineMarksItsPoint)
{
    surface.line(50, 50, 50, 50);
    EXPECT_TRUE(isFore(50, 50));
    EXPECT_EQ(differingPixels(surface.image(), surface.picture()), 1);
}

TEST_F(SurfaceTest, WideLinesCoverTheirWidth)
{
    surface.setLineWidth(6);
    surface.line(20, 40, 90, 40);
    for (int dy = -2; dy <= 2; ++dy)
        EXPECT_TRUE(isFore(50, 40 + dy)) << dy;
    EXPECT_TRUE(isField(50, 36));
    EXPECT_TRUE(isField(50, 44));
}

TEST_F(SurfaceTest, BoxesIncludeBothCorners)
{
    surface.fillBox(30, 20, 10, 40, Qt::red); // corners in any order
    EXPECT_EQ(differingPixels(surface.image(), surface.picture()), 21 * 21);
    EXPECT_EQ(surface.pixel(10, 20), qRgb(255, 0, 0));
    EXPECT_EQ(surface.pixel(30, 40), qRgb(255, 0, 0));

    surface.clear();
    surface.box(10, 20, 30, 40);
    EXPECT_TRUE(isFore(10, 20));
    EXPECT_TRUE(isFore(30, 40));
    EXPECT_TRUE(isFore(30, 20));
    EXPECT_TRUE(isField(20, 30));
    EXPECT_EQ(differingPixels(surface.image(), surface.picture()), 4 * 20);
}

TEST_F(SurfaceTest, CircleIsFilledWithTheFillColourInsideItsOutline)
{
    surface.circle(60, 45, 10, Qt::black);
    EXPECT_EQ(surface.pixel(60, 45), qRgb(10, 250, 250));
    EXPECT_EQ(surface.pixel(60, 35), qRgb(0, 0, 0));
    EXPECT_EQ(surface.pixel(50, 45), qRgb(0, 0, 0));
    EXPECT_EQ(surface.pixel(70, 45), qRgb(0, 0, 0));
    EXPECT_TRUE(isField(60, 33));
    EXPECT_TRUE(isField(51, 36)); // outside, near the bounding box corner
}

TEST_F(SurfaceTest, PolygonIsFilledAndOutlined)
{
    const std::array<QPoint, 3> triangle{QPoint(40, 40), QPoint(60, 60), QPoint(80, 40)};
    ASSERT_TRUE(surface.polygon(triangle));
    EXPECT_TRUE(isFore(40, 40));
    EXPECT_TRUE(isFore(60, 60));
    EXPECT_TRUE(isFore(80, 40));
    EXPECT_EQ(surface.pixel(60, 45), qRgb(10, 250, 250));
    EXPECT_TRUE(isField(60, 62));
    EXPECT_FALSE(surface.polygon(std::span(triangle).first(2)));
}

TEST(SurfaceWithoutPicture, RefusesPolygonsAndIgnoresOtherDrawing)
{
    Surface surface;
    const std::array<QPoint, 3> triangle{QPoint(1, 1), QPoint(5, 5), QPoint(9, 1)};
    EXPECT_FALSE(surface.polygon(triangle));
    surface.line(0, 0, 5, 5);
    surface.print("x");
    EXPECT_TRUE(surface.image().isNull());
    EXPECT_GT(surface.textHeight("x"), 0);
}

// Line styles 1..4 leave gaps along a one-pixel line; style 0 and unknown styles do not.
class LineStyleTest : public SurfaceTest, public testing::WithParamInterface<std::pair<int, bool>>
{};

TEST_P(LineStyleTest, GapsFollowTheStyle)
{
    const auto [style, dashed] = GetParam();
    surface.setLineStyle(style);
    surface.line(5, 50, 104, 50);
    int covered = 0;
    for (int x = 5; x <= 104; ++x)
        covered += isFore(x, 50);
    if (dashed) {
        EXPECT_GT(covered, 10);
        EXPECT_LT(covered, 100);
    } else {
        EXPECT_EQ(covered, 100);
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, LineStyleTest,
                         testing::Values(std::pair(0, false), std::pair(1, true),
                                         std::pair(2, true), std::pair(3, true),
                                         std::pair(4, true), std::pair(-1, false),
                                         std::pair(9, false)));

TEST_F(SurfaceTest, TransparentStyleDrawsNothing)
{
    surface.setLineStyle(5);
    surface.line(5, 50, 104, 50);
    EXPECT_EQ(differingPixels(surface.image(), surface.picture()), 0);
}

// Whatever is drawn in invert mode, drawing it again restores every pixel exactly.
class InvertTest : public SurfaceTest, public testing::WithParamInterface<int>
{
protected:
    void drawShape(int which)
    {
        const std::array<QPoint, 3> triangle{QPoint(40, 40), QPoint(60, 70), QPoint(80, 40)};
        switch (which) {
        case 0: surface.line(3, 4, 110, 77); break;
        case 1: surface.setLineWidth(6); surface.line(3, 80, 110, 7); break;
        case 2: surface.setLineStyle(3); surface.line(0, 45, 119, 45); break;
        case 3: surface.box(10, 10, 70, 60); break;
        case 4: surface.fillBox(10, 10, 70, 60, Qt::red); break;
        case 5: surface.circle(60, 45, 30); break;
        case 6: surface.polygon(triangle); break;
        case 7: surface.setTextPosition({5, 5}); surface.print("Wg 11"); break;
        }
    }
};

TEST_P(InvertTest, DrawingTwiceRestoresEveryPixel)
{
    surface.setFont(QFont("DejaVu Sans", 14));
    surface.setDrawMode(Surface::DrawMode::Invert);
    drawShape(GetParam());
    const QImage once = surface.image();
    EXPECT_GT(differingPixels(once, surface.picture()), 0);
    // Inverting means the complement of the field, not the pen colour.
    for (int y = 0; y < once.height(); ++y) {
        for (int x = 0; x < once.width(); ++x) {
            const QRgb field = surface.picture().pixel(x, y) & 0xFFFFFF;
            if ((once.pixel(x, y) & 0xFFFFFF) != field) {
                ASSERT_EQ(once.pixel(x, y) & 0xFFFFFF, ~field & 0xFFFFFF);
            }
        }
    }
    drawShape(GetParam());
    EXPECT_EQ(differingPixels(surface.image(), surface.picture()), 0);
    EXPECT_EQ(surface.image().pixel(0, 0) >> 24, 0xFFu);
}

INSTANTIATE_TEST_SUITE_P(Shapes, InvertTest, testing::Range(0, 8));

TEST_F(SurfaceTest, PrintStartsAtTheTextPositionAndMovesToTheNextLine)
{
    surface.setFont(QFont("DejaVu Sans", 12));
    surface.setTextPosition({30.5, 20});
    const int lineHeight = surface.textHeight("Ag");
    surface.print("Ag");
    EXPECT_EQ(surface.textPosition(), QPointF(0, 20 + lineHeight));

    int minX = 1000, minY = 1000, maxY = -1;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (isFore(x, y)) {
                minX = std::min(minX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxY, 0) << "nothing printed";
    EXPECT_GE(minX, 30);
    EXPECT_LE(minX, 33);
    EXPECT_GE(minY, 20);
    EXPECT_LT(maxY, 20 + lineHeight);

    // Text is drawn without smoothing: only the fore colour is added to the field.
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            ASSERT_TRUE(isField(x, y) || isFore(x, y)) << x << "," << y;
}

TEST_F(SurfaceTest, TextMeasuresFollowTheFont)
{
    QFont small("DejaVu Sans");
    small.setPixelSize(10);
    QFont large = small;
    large.setPixelSize(30);
    surface.setFont(small);
    const int smallWidth = surface.textWidth("11");
    const int smallHeight = surface.textHeight("11");
    surface.setFont(large);
    EXPECT_GT(surface.textWidth("11"), 2 * smallWidth);
    EXPECT_GT(surface.textHeight("11"), 2 * smallHeight);
    EXPECT_EQ(surface.textWidth("1111"), 2 * surface.textWidth("11"));
}

} // namespace
} // namespace kinetra
