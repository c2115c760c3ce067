// Editing at any zoom: pointer positions become field pixels before any editing rule, so the
// same gesture stores the same coordinates at every zoom.

#include "editingwindow.h"

#include <QLineEdit>

namespace kinetra {
namespace {

class ZoomEditTest : public testing::TestWithParam<int>, public test::EditingWindow
{
protected:
    void SetUp() override
    {
        open();
        window->menuItem("mnuViewActualSize")->trigger();
        const char *step = GetParam() > 100 ? "mnuViewZoomIn" : "mnuViewZoomOut";
        while (window->canvas->zoom() != GetParam())
            window->menuItem(step)->trigger();
        QApplication::processEvents();
    }
    // The canvas point that shows field pixel (x, y).
    QPoint shown(int x, int y) const
    {
        return QPoint(x * GetParam() / 100, y * GetParam() / 100);
    }
};

TEST_P(ZoomEditTest, DropsStoreFieldPixels)
{
    ASSERT_TRUE(drop(Part::Offense, 3, shown(100, 120)));
    ASSERT_TRUE(drop(Part::Symbol, 2, shown(200, 200)));
    ASSERT_TRUE(drop(Part::Defense, 4, shown(112, 120)));
    ASSERT_TRUE(drop(PaletteItem::kActiveMarker, 0, shown(108, 120)));
    EXPECT_EQ(frame().OPlayerX[3], 100);
    EXPECT_EQ(frame().OPlayerY[3], 120);
    // Centred on the drop point by half its box, in field pixels.
    EXPECT_EQ(frame().SYMBOLX[2], 200 - 13);
    EXPECT_EQ(frame().SYMBOLY[2], 200 - 13);
    EXPECT_EQ(frame().ActivePlyr, 14) << "the defensive player is 4 field pixels away";
}

TEST_P(ZoomEditTest, DragsAndLinesStoreFieldPixels)
{
    frame().OPlayerX[1] = 100;
    frame().OPlayerY[1] = 100;
    window->DrawSelected();
    const QPoint from = shown(112, 100); // 12 field pixels off: within reach at every zoom
    press(from.x(), from.y());
    moveTo(shown(180, 140).x(), shown(180, 140).y());
    release(shown(200, 160).x(), shown(200, 160).y());
    EXPECT_EQ(frame().OPlayerX[1], 200);
    EXPECT_EQ(frame().OPlayerY[1], 160);

    showPage(ToolPalette::ActionPage);
    press(shown(40, 60).x(), shown(40, 60).y());
    moveTo(shown(80, 60).x(), shown(80, 60).y());
    release(shown(120, 240).x(), shown(120, 240).y());
    EXPECT_EQ(frame().ActionSX[0], 40);
    EXPECT_EQ(frame().ActionSY[0], 60);
    EXPECT_EQ(frame().ActionEX[0], 120);
    EXPECT_EQ(frame().ActionEY[0], 240);
    EXPECT_TRUE(platform.messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Zooms, ZoomEditTest, testing::Values(100, 200, 75),
                         [](const auto &info) { return std::to_string(info.param); });

TEST(ZoomPointer, PositionsBetweenFieldPixelsRoundHalfToEven)
{
    Surface surface;
    surface.setPicture(QImage(400, 373, QImage::Format_RGB32));
    Canvas canvas;
    canvas.setSurface(&surface);
    canvas.setZoom(200);
    EXPECT_EQ(canvas.size(), QSize(800, 746));
    EXPECT_EQ(canvas.imagePosition(QPointF(201, 203)), QPointF(100, 102)); // 100.5, 101.5
    canvas.setZoom(75);
    EXPECT_EQ(canvas.imagePosition(QPointF(76, 74)), QPointF(101, 99)); // 101.33, 98.67
}

} // namespace
} // namespace kinetra
