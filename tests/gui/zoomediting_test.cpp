// Editing at any zoom: pointer positions become field pixels before any editing rule, so the
// same gesture stores the same coordinates at every zoom.

#include "editingwindow.h"

#include <QLineEdit>

#include <cmath>

namespace kinetra {
namespace {

class ZoomEditTest : public testing::TestWithParam<int>, public test::EditingWindow
{
protected:
    void SetUp() override
    {
        open();
        zoomTo(GetParam());
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

TEST_P(ZoomEditTest, ItemsAreReachedWithinThirtyScreenPixels)
{
    frame().OPlayerX[1] = 100;
    frame().OPlayerY[1] = 100;
    window->DrawSelected();
    // Off his marker, 20 field pixels from his centre: 20, 40 or 15 screen pixels.
    const QPoint at = shown(120, 100);
    press(at.x(), at.y());
    const bool lifted = frame().OPlayerX[1] == 0;
    release(at.x(), at.y());
    EXPECT_EQ(lifted, GetParam() != 200);
    EXPECT_EQ(platform.beeps, lifted ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Zooms, ZoomEditTest, testing::Values(100, 200, 75),
                         [](const auto &info) { return std::to_string(info.param); });

struct HandleCase
{
    int zoom;
    int width; // on the screen
};

void PrintTo(const HandleCase &c, std::ostream *os)
{
    *os << c.zoom << " %";
}

class HandleLookTest : public testing::TestWithParam<HandleCase>, public test::EditingWindow
{};

// The handles of a selected line are at least 7 screen pixels wide, white inside a black
// outline, over everything the field shows: here the label of the player the line starts at.
TEST_P(HandleLookTest, AtLeastSevenScreenPixelsOverThePlayersLabel)
{
    const int zoom = GetParam().zoom;
    open();
    zoomTo(zoom);
    frame().OPlayerX[0] = 100;
    frame().OPlayerY[0] = 100;
    ASSERT_TRUE(frame().addActionLine(0, {100, 100}, {300, 100}));
    showPage(ToolPalette::ActionPage);
    window->DrawSelected();
    click(200 * zoom / 100, 100 * zoom / 100);
    ASSERT_EQ(window->canvas()->handles().size(), 2);

    const QImage shot = window->canvas()->grab().toImage();
    const QPoint centre(int(std::floor(100.5 * zoom / 100)), int(std::floor(100.5 * zoom / 100)));
    const int half = GetParam().width / 2;
    for (int d = -half; d <= half; ++d) {
        for (const QPoint edge : {QPoint(d, -half), QPoint(d, half), QPoint(-half, d),
                                  QPoint(half, d)})
            EXPECT_EQ(shot.pixel(centre + edge), qRgb(0, 0, 0)) << edge.x() << "," << edge.y();
    }
    for (int dy = 1 - half; dy < half; ++dy)
        for (int dx = 1 - half; dx < half; ++dx)
            EXPECT_EQ(shot.pixel(centre + QPoint(dx, dy)), qRgb(255, 255, 255)) << dx << "," << dy;
}

INSTANTIATE_TEST_SUITE_P(Zooms, HandleLookTest,
                         testing::Values(HandleCase{50, 7}, HandleCase{100, 7},
                                         HandleCase{125, 9}, HandleCase{200, 11},
                                         HandleCase{400, 11}),
                         [](const auto &info) { return std::to_string(info.param.zoom); });

struct PointerCase
{
    const char *name;
    int zoom;
    double dpr;
    QPointF at; // in the canvas's units; screen pixel d lies at d / dpr
    QPointF field;
};

void PrintTo(const PointerCase &c, std::ostream *os)
{
    *os << c.name;
}

class FieldPixelTest : public testing::TestWithParam<PointerCase>
{};

// Positions used to be divided by the zoom and rounded, so the right half of a 400 % block
// stored the next pixel, and so did screen pixels that straddle two blocks at 150 %.
TEST_P(FieldPixelTest, IsThePixelUnderThePointer)
{
    const PointerCase c = GetParam();
    EXPECT_EQ(Canvas::fieldPixel(c.at, c.zoom, c.dpr), c.field);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, FieldPixelTest,
    testing::Values(PointerCase{"Actual", 100, 1, {101, 203}, {101, 203}},
                    PointerCase{"Zoom400BlockStart", 400, 1, {40, 48}, {10, 12}},
                    PointerCase{"Zoom400RightHalf", 400, 1, {42, 43}, {10, 10}},
                    PointerCase{"Zoom400NextBlock", 400, 1, {44, 47}, {11, 11}},
                    PointerCase{"Zoom200RightHalf", 200, 1, {201, 203}, {100, 101}},
                    PointerCase{"Zoom75", 75, 1, {75, 74}, {100, 99}},
                    PointerCase{"Scale150Actual", 100, 1.5, {152 / 1.5, 150 / 1.5}, {101, 100}},
                    PointerCase{"Scale150Zoom200", 200, 1.5, {302 / 1.5, 298 / 1.5}, {100, 99}},
                    PointerCase{"Scale150Zoom400", 400, 1.5, {65 / 1.5, 66 / 1.5}, {10, 11}},
                    PointerCase{"Scale200", 100, 2, {203 / 2.0, 200 / 2.0}, {101, 100}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace kinetra
