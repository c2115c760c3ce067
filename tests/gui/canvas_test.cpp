#include "surface/canvas.h"
#include "surface/surface.h"

#include "imagecheck.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace kinetra {
namespace {

class CanvasTest : public testing::Test
{
protected:
    void SetUp() override
    {
        surface.setPicture(test::patternedField(200, 150));
        canvas.setSurface(&surface);
    }

    Surface surface;
    Canvas canvas;
};

TEST_F(CanvasTest, TakesTheSizeOfTheSurfaceImage)
{
    EXPECT_EQ(canvas.size(), QSize(200, 150));
    EXPECT_EQ(canvas.minimumSize(), QSize(200, 150));
    EXPECT_EQ(canvas.maximumSize(), QSize(200, 150));
    surface.setPicture(test::patternedField(400, 373));
    EXPECT_EQ(canvas.size(), QSize(400, 373));
}

TEST_F(CanvasTest, TellsTheUserWhatTheMouseButtonsDo)
{
    EXPECT_EQ(canvas.toolTip(),
              "Use Left mouse button to select / drag and right button to delete object.");
}

TEST_F(CanvasTest, ShowsTheImageOneToOneIncludingLaterDrawing)
{
    surface.setForeColor(QColor(255, 0, 0));
    surface.setLineWidth(3);
    surface.line(10, 10, 190, 140);
    const QImage shown = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), surface.size());
    EXPECT_EQ(test::differingPixels(shown, surface.image()), 0);
    EXPECT_GT(test::differingPixels(shown, surface.picture()), 100);
}

TEST_F(CanvasTest, ReportsButtonsAndPositionsInImagePixels)
{
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    QSignalSpy down(&canvas, &Canvas::mouseDown);
    QSignalSpy move(&canvas, &Canvas::mouseMove);
    QSignalSpy up(&canvas, &Canvas::mouseUp);

    QTest::mousePress(&canvas, Qt::RightButton, Qt::ShiftModifier, QPoint(12, 34));
    QTest::mouseMove(&canvas, QPoint(50, 60));
    QTest::mouseRelease(&canvas, Qt::RightButton, Qt::NoModifier, QPoint(56, 78));

    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(down[0][1].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(down[0][2].toPointF(), QPointF(12, 34));
    ASSERT_GE(move.count(), 1);
    EXPECT_EQ(move.last()[2].toPointF(), QPointF(50, 60));
    ASSERT_EQ(up.count(), 1);
    EXPECT_EQ(up[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(up[0][2].toPointF(), QPointF(56, 78));
}

TEST_F(CanvasTest, MovesAreReportedWithoutButtonsToo)
{
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    QSignalSpy move(&canvas, &Canvas::mouseMove);
    QTest::mouseMove(&canvas, QPoint(20, 30));
    QTest::mouseMove(&canvas, QPoint(21, 31));
    ASSERT_GE(move.count(), 1);
    EXPECT_EQ(move.last()[0].value<Qt::MouseButtons>(), Qt::NoButton);
    EXPECT_EQ(move.last()[2].toPointF(), QPointF(21, 31));
}

TEST(CanvasAlone, SurvivesItsSurfaceGoingAway)
{
    Canvas canvas;
    {
        Surface surface;
        surface.setPicture(test::patternedField(50, 40));
        canvas.setSurface(&surface);
        EXPECT_EQ(canvas.size(), QSize(50, 40));
    }
    EXPECT_EQ(canvas.surface(), nullptr);
    const QImage shown = canvas.grab().toImage();
    EXPECT_FALSE(shown.isNull());
}

} // namespace
} // namespace kinetra
