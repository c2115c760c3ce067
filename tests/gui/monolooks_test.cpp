// The black-and-white looks, piece by piece: the colours a copier keeps apart, the dashes as
// the surface draws them, and the chalk of the shipped fields found where their figures put it.
#include "surface/framelooks.h"
#include "surface/monolooks.h"
#include "surface/surface.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace kinetra {
namespace {

// ---- Colours ----

struct FieldPixelCase
{
    const char *name;
    QRgb pixel;
    bool chalkIsMark;
    int grey; // worked out with qGray = (11 r + 16 g + 5 b) / 32, then 255 - (255 - gray) / 4
};

class MonoFieldPixel : public testing::TestWithParam<FieldPixelCase>
{
};

TEST_P(MonoFieldPixel, ChalkOfAShippedFieldTurnsDarkAndEverythingElseLight)
{
    const FieldPixelCase &c = GetParam();
    EXPECT_EQ(monoFieldPixel(c.pixel, c.chalkIsMark), qRgb(c.grey, c.grey, c.grey));
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, MonoFieldPixel,
    testing::Values(FieldPixelCase{"chalk", qRgb(246, 246, 240), true, 60},
                    FieldPixelCase{"chalkOfAUsersPicture", qRgb(246, 246, 240), false, 253},
                    FieldPixelCase{"grass", qRgb(92, 160, 74), true, 222},
                    FieldPixelCase{"black", qRgb(0, 0, 0), true, 192},
                    FieldPixelCase{"white", qRgb(255, 255, 255), true, 60},
                    FieldPixelCase{"lowestChalk", qRgb(224, 230, 248), true, 60},
                    FieldPixelCase{"tooDarkForChalk", qRgb(223, 230, 230), true, 248},
                    FieldPixelCase{"tooColouredForChalk", qRgb(250, 225, 250), true, 251}),
    [](const auto &info) { return std::string(info.param.name); });

// Every grey of the looks on the side of half grey a copier puts it: the offence's marker
// white inside a black ring, the defence's dark with white labels, lines dark, whatever
// colours the user chose.
TEST(MonoLooks, SidesAndLinesFallOnEitherSideOfHalfGrey)
{
    FrameLooks looks;
    looks.PlayerFcolr = {QColor(0, 0, 90), QColor(250, 250, 0)};
    looks.PlayerBcolr = {QColor(255, 255, 255), QColor(255, 255, 255)};
    looks.PlayerTcolr = {QColor(255, 255, 255), QColor(0, 0, 0)};
    looks.ActionColor.fill(QColor(255, 255, 0));
    const FrameLooks mono = monoLooks(looks);

    struct Expect
    {
        const char *what;
        QColor got;
        int grey;
    };
    const std::vector<Expect> greys = {
        {"offence fill", mono.PlayerFcolr[0], 255}, {"offence ring", mono.PlayerBcolr[0], 0},
        {"offence label", mono.PlayerTcolr[0], 0},  {"defence fill", mono.PlayerFcolr[1], 70},
        {"defence ring", mono.PlayerBcolr[1], 255}, {"defence label", mono.PlayerTcolr[1], 255},
        {"Run", mono.ActionColor[0], 0},            {"Hit", mono.ActionColor[1], 0},
        {"Throw", mono.ActionColor[2], 0},          {"Field", mono.ActionColor[3], 70},
        {"Cover", mono.ActionColor[4], 70},         {"Back Up", mono.ActionColor[5], 70},
        {"Steal", mono.ActionColor[6], 0},          {"Shift", mono.ActionColor[7], 70},
    };
    for (const Expect &e : greys)
        EXPECT_EQ(e.got, QColor(e.grey, e.grey, e.grey)) << e.what;
}

TEST(MonoLooks, RingsAndLinesAreAtLeastTwoPixelsWide)
{
    FrameLooks looks;
    looks.ActionSize = {1, 2, 3, 6, 0, 1, 3, 2};
    looks.ActionType = {1, 2, 3, 4, 5, 2, 1, 3};
    const FrameLooks mono = monoLooks(looks);
    const std::array<int16_t, 8> widths = {2, 2, 3, 6, 2, 2, 3, 2};
    EXPECT_EQ(mono.ActionSize, widths);
    EXPECT_EQ(mono.markerOutline, 2);
    EXPECT_EQ(mono.ActionType, looks.ActionType);
    EXPECT_EQ(looks.markerOutline, 1) << "colour keeps one-pixel rings";
}

// ---- Dashes ----

// What a line of each type and width shows along its length, caps included, in pixels: each
// dash 4 widths, each dot 1.5, each gap 2.
struct DashCase
{
    const char *name;
    int16_t type;
    int width;
    std::vector<double> shown; // on, off, on, off ...
};

class MonoDashes : public testing::TestWithParam<DashCase>
{
};

// A pen's dashes gain half a width at each end from their caps, and its gaps lose as much.
TEST_P(MonoDashes, DashesAndGapsShowTheirLengthsWithTheCaps)
{
    const DashCase &c = GetParam();
    const QList<qreal> pen = monoDashes(c.type);
    std::vector<double> shown;
    for (qsizetype i = 0; i < pen.size(); ++i)
        shown.push_back(pen[i] * c.width + (i % 2 == 0 ? c.width : -c.width));
    ASSERT_EQ(shown.size(), c.shown.size());
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_DOUBLE_EQ(shown[i], c.shown[i]) << i;
}

// The same lengths on the surface, on its own aliased image and drawn three times as large
// (as print and export draw it): the dark runs along the line, each within a pixel.
TEST_P(MonoDashes, TheSurfaceDrawsThem)
{
    const DashCase &c = GetParam();
    if (c.shown.empty())
        return;
    for (const int scale : {1, 3}) {
        SCOPED_TRACE(scale);
        Surface surface;
        QImage white(240, 20, QImage::Format_RGB32);
        white.fill(Qt::white);
        surface.setPicture(white);
        surface.setLineWidth(c.width);
        surface.setLineStyle(c.type - 1);
        surface.setDashPattern(monoDashes(c.type));
        surface.line(20, 10, 220, 10, Qt::black);
        const QImage image = surface.scaledImage(scale);
        // Dark and light runs along the middle row, from the first dash on.
        const int y = 10 * scale + scale / 2;
        auto dark = [&](int x) { return qGray(image.pixel(x, y)) < 128; };
        std::vector<int> runs;
        int x = 10 * scale;
        while (x < 200 * scale && !dark(x))
            ++x;
        while (x < 200 * scale) {
            const bool d = dark(x);
            int run = 0;
            for (; x < 200 * scale && dark(x) == d; ++x)
                ++run;
            runs.push_back(run);
        }
        ASSERT_GE(runs.size(), c.shown.size());
        for (size_t i = 0; i < c.shown.size(); ++i)
            EXPECT_NEAR(runs[i], c.shown[i] * scale, 1.0 + scale / 2.0) << "run " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, MonoDashes,
    testing::Values(DashCase{"Solid", 1, 3, {}}, DashCase{"Dash3", 2, 3, {12, 6}},
                    DashCase{"Dash2", 2, 2, {8, 4}}, DashCase{"Dot3", 3, 3, {4.5, 6}},
                    DashCase{"Dot2", 3, 2, {3, 4}}, DashCase{"DashDot3", 4, 3, {12, 6, 4.5, 6}},
                    DashCase{"DashDot2", 4, 2, {8, 4, 3, 4}},
                    DashCase{"DashDotDot3", 5, 3, {12, 6, 4.5, 6, 4.5, 6}},
                    DashCase{"DashDotDot6", 5, 6, {24, 12, 9, 12, 9, 12}},
                    DashCase{"NoType", 0, 3, {}}, DashCase{"UnknownType", 6, 3, {}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- Finding the diamond ----

struct PointsCase
{
    const char *name;
    const field::Diamond *diamond;
    std::vector<field::Point> chalk;
    std::vector<field::Point> ground;
};

class DiamondPoints : public testing::TestWithParam<PointsCase>
{
};

// Worked out from the home plate's tip: a along the first-base line and b along the third's is
// (home.x + (a - b) / sqrt 2, home.y - (a + b) / sqrt 2).
TEST_P(DiamondPoints, LieWhereTheFiguresPutTheBasesAndLines)
{
    const PointsCase &c = GetParam();
    const auto chalk = diamondChalkPoints(*c.diamond);
    const auto ground = diamondGroundPoints(*c.diamond);
    ASSERT_EQ(c.chalk.size(), chalk.size());
    ASSERT_EQ(c.ground.size(), ground.size());
    for (size_t i = 0; i < chalk.size(); ++i) {
        EXPECT_NEAR(chalk[i].x, c.chalk[i].x, 1e-3) << "chalk " << i;
        EXPECT_NEAR(chalk[i].y, c.chalk[i].y, 1e-3) << "chalk " << i;
    }
    for (size_t i = 0; i < ground.size(); ++i) {
        EXPECT_NEAR(ground[i].x, c.ground[i].x, 1e-3) << "ground " << i;
        EXPECT_NEAR(ground[i].y, c.ground[i].y, 1e-3) << "ground " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Diamonds, DiamondPoints,
    testing::Values(
        PointsCase{"Full",
                   &field::kFullDiamond,
                   {{200, 339},
                    {284.1457, 253.9045},
                    {200, 164.8091},
                    {115.8543, 253.9045},
                    {244.5477, 298.4523},
                    {315.8241, 227.1759},
                    {155.4523, 298.4523},
                    {84.1759, 227.1759}},
                   {{231.1834, 285.0880}, {168.8166, 285.0880}, {257.9120, 311.8166}}},
        PointsCase{"CloseUp",
                   &field::kCloseUpDiamond,
                   {{200, 324},
                    {320.2082, 202.7208},
                    {200, 75.4416},
                    {79.7918, 202.7208},
                    {263.6396, 266.3604},
                    {365.4630, 164.5370},
                    {136.3604, 266.3604},
                    {34.5370, 164.5370}},
                   {{244.5477, 247.2685}, {155.4523, 247.2685}, {282.7315, 285.4523}}}),
    [](const auto &info) { return std::string(info.param.name); });

QImage programPicture(const QString &name)
{
    return QImage(QString(KINETRA_PROGRAM_DIR) + "/" + name);
}

// A picture with a square of colour painted over it, `size` field pixels across, centred on a
// field point.
QImage paintedOver(QImage picture, field::Point at, double size, QColor color)
{
    const double density = double(picture.width()) / field::kPictureWidth;
    QPainter painter(&picture);
    painter.scale(density, density);
    painter.fillRect(QRectF(at.x - size / 2, at.y - size / 2, size, size), color);
    painter.end();
    return picture;
}

struct DiamondCase
{
    const char *name;
    QImage picture;
    const field::Diamond *found;
};

class ShippedDiamond : public testing::TestWithParam<DiamondCase>
{
};

TEST_P(ShippedDiamond, IsFoundOnlyOnTheShippedFields)
{
    const DiamondCase &c = GetParam();
    EXPECT_EQ(shippedDiamond(c.picture), c.found);
}

std::vector<DiamondCase> diamondCases()
{
    const QImage surface0 = programPicture("Surface0.BMP");
    QImage tiny(1, 1, QImage::Format_RGB32);
    tiny.fill(QColor(92, 160, 74));
    QImage white(field::kPictureWidth, field::kPictureHeight, QImage::Format_RGB32);
    white.fill(Qt::white);
    QImage lawn(field::kPictureWidth, field::kPictureHeight, QImage::Format_RGB32);
    lawn.fill(QColor(92, 160, 74));
    const auto full = diamondChalkPoints(field::kFullDiamond);
    const auto fullGround = diamondGroundPoints(field::kFullDiamond);
    return {
        {"Surface0", surface0, &field::kFullDiamond},
        {"Surface0x2", programPicture("Surface0@2x.png"), &field::kFullDiamond},
        {"Surface0x4", programPicture("Surface0@4x.png"), &field::kFullDiamond},
        {"Surface2", programPicture("Surface2.BMP"), &field::kFullDiamond},
        {"Surface2x4", programPicture("Surface2@4x.png"), &field::kFullDiamond},
        {"Surface1", programPicture("Surface1.BMP"), &field::kCloseUpDiamond},
        {"Surface1x2", programPicture("Surface1@2x.png"), &field::kCloseUpDiamond},
        {"Surface3", programPicture("Surface3.BMP"), nullptr},
        {"FirstBaseCovered", paintedOver(surface0, full[1], 12, QColor(190, 142, 96)), nullptr},
        {"FoulLineCovered", paintedOver(surface0, full[7], 6, QColor(92, 160, 74)), nullptr},
        {"ChalkOnTheGrass", paintedOver(surface0, fullGround[0], 3, Qt::white), nullptr},
        {"Lawn", lawn, nullptr},
        {"White", white, nullptr},
        {"OtherSize", surface0.scaled(401, 373), nullptr},
        {"TooSmall", tiny, nullptr},
        {"None", QImage(), nullptr},
    };
}

INSTANTIATE_TEST_SUITE_P(Pictures, ShippedDiamond, testing::ValuesIn(diamondCases()),
                         [](const auto &info) { return std::string(info.param.name); });

// The field in black and white: the shipped pictures' bases and lines dark, at every density;
// a user's own picture only light, its white kept white.
TEST(LightGreyPicture, DarkensTheChalkOfShippedFieldsOnly)
{
    struct Case
    {
        const char *name;
        QImage picture;
        field::Point at;
        int grey;
        int within = 0; // grass has its grain
    };
    const auto full = diamondChalkPoints(field::kFullDiamond);
    const auto closeUp = diamondChalkPoints(field::kCloseUpDiamond);
    QImage own(field::kPictureWidth, field::kPictureHeight, QImage::Format_RGB32);
    own.fill(QColor(92, 160, 74));
    own = paintedOver(own, full[1], 7, QColor(246, 246, 240));
    const std::vector<Case> cases = {
        {"home plate", programPicture("Surface0.BMP"), full[0], 60},
        {"first base", programPicture("Surface0.BMP"), full[1], 60},
        {"second base at 4x", programPicture("Surface0@4x.png"), full[2], 60},
        {"third base, softball", programPicture("Surface2.BMP"), full[3], 60},
        {"foul line", programPicture("Surface2@2x.png"), {200 + 40, 343 - 40}, 60},
        {"close-up first base", programPicture("Surface1.BMP"), closeUp[1], 60},
        // Beside the foul line, 1.75 field pixels off its middle (its chalk reaches 1.41):
        // within the half pixel the printed marks grow by.
        {"beside the foul line at 4x", programPicture("Surface0@4x.png"),
         {240.125, 304.625}, 60},
        {"infield grass", programPicture("Surface0.BMP"), {200, 290}, 220, 3},
        {"user's base", own, full[1], 253},
        {"user's grass", own, {50, 50}, 222},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.picture.isNull());
        const QImage grey = lightGreyPicture(c.picture);
        const int density = c.picture.width() / field::kPictureWidth;
        const QRgb p = grey.pixel(int(c.at.x * density), int(c.at.y * density));
        EXPECT_NEAR(qGray(p), c.grey, c.within);
    }
}

// The field's own picture keeps its pixels exact: every chalk pixel, and only those, dark.
TEST(LightGreyPicture, MarksOfTheFieldsOwnPictureDoNotGrow)
{
    const QImage surface0 = programPicture("Surface0.BMP");
    const QImage grey = lightGreyPicture(surface0);
    int chalk = 0, dark = 0;
    for (int y = 0; y < surface0.height(); ++y)
        for (int x = 0; x < surface0.width(); ++x) {
            chalk += isChalk(surface0.pixel(x, y));
            dark += qGray(grey.pixel(x, y)) == 60;
        }
    EXPECT_GT(chalk, 500);
    EXPECT_EQ(dark, chalk);
}

} // namespace
} // namespace kinetra
