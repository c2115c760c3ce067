// The black-and-white looks, piece by piece: the greys a copier keeps apart, the dashes as the
// surface draws them, and the chalk of the shipped fields found where their figures put it.
#include "surface/framelooks.h"
#include "surface/monolooks.h"
#include "surface/surface.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace kinetra {
namespace {

// Worked out with qGray = (11 r + 16 g + 5 b) / 32, then 255 - (255 - qGray) / 4.
TEST(MonoFieldPixel, ChalkOfAShippedFieldTurnsDarkAndEverythingElseLight)
{
    const std::vector<std::tuple<const char *, QRgb, bool, int>> cases = {
        {"chalk", qRgb(246, 246, 240), true, 60},
        {"chalk of a user's picture", qRgb(246, 246, 240), false, 253},
        {"grass", qRgb(92, 160, 74), true, 222},
        {"black", qRgb(0, 0, 0), true, 192},
        {"lowest chalk", qRgb(224, 230, 248), true, 60},
        {"too dark for chalk", qRgb(223, 230, 230), true, 248},
        {"too coloured for chalk", qRgb(250, 225, 250), true, 251}};
    for (const auto &[name, pixel, chalkIsMark, grey] : cases)
        EXPECT_EQ(monoFieldPixel(pixel, chalkIsMark), qRgb(grey, grey, grey)) << name;
}

// Whatever colours the user chose: the offence's marker white in a black ring, the
// defence's dark with a white ring and labels, lines black or dark grey and at least two
// pixels wide, as are the rings.
TEST(MonoLooks, SidesAndLinesFallOnEitherSideOfHalfGrey)
{
    FrameLooks looks;
    looks.PlayerFcolr = {QColor(0, 0, 90), QColor(250, 250, 0)};
    looks.PlayerBcolr = looks.PlayerTcolr = {QColor(255, 255, 255), QColor(0, 0, 0)};
    looks.ActionColor.fill(QColor(255, 255, 0));
    looks.ActionSize = {1, 2, 3, 6, 0, 1, 3, 2};
    const FrameLooks mono = monoLooks(looks);
    const std::vector<std::pair<QColor, int>> greys = {
        {mono.PlayerFcolr[0], 255}, {mono.PlayerBcolr[0], 0},   {mono.PlayerTcolr[0], 0},
        {mono.PlayerFcolr[1], 70},  {mono.PlayerBcolr[1], 255}, {mono.PlayerTcolr[1], 255},
        {mono.ActionColor[0], 0},   {mono.ActionColor[1], 0},   {mono.ActionColor[2], 0},
        {mono.ActionColor[3], 70},  {mono.ActionColor[4], 70},  {mono.ActionColor[5], 70},
        {mono.ActionColor[6], 0},   {mono.ActionColor[7], 70}};
    for (size_t i = 0; i < greys.size(); ++i)
        EXPECT_EQ(greys[i].first, QColor(greys[i].second, greys[i].second, greys[i].second)) << i;
    EXPECT_EQ(mono.ActionSize, (std::array<int16_t, 8>{2, 2, 3, 6, 2, 2, 3, 2}));
    EXPECT_EQ(mono.markerOutline, 2);
    EXPECT_EQ(looks.markerOutline, 1) << "colour keeps one-pixel rings";
}

// On the surface's own aliased image and drawn three times as large (as print and export
// draw it), the dark and light runs along the line's middle, each within a pixel or two: a
// dash shows 4 widths long, a dot 1.5 and a gap 2 (on, off, on, off ...).
TEST(MonoDashes, TheSurfaceDrawsDashesDotsAndGapsTheirLengths)
{
    const std::vector<std::tuple<int16_t, int, std::vector<double>>> cases = {
        {1, 3, {}},           {2, 3, {12, 6}},       {2, 2, {8, 4}},
        {3, 3, {4.5, 6}},     {3, 2, {3, 4}},        {4, 3, {12, 6, 4.5, 6}},
        {4, 2, {8, 4, 3, 4}}, {5, 3, {12, 6, 4.5, 6, 4.5, 6}},
        {5, 6, {24, 12, 9, 12, 9, 12}}};
    for (const auto &[type, width, shown] : cases)
        for (const int scale : {1, 3}) {
            SCOPED_TRACE(testing::Message() << "type " << type << " width " << width << " at "
                                            << scale);
            Surface surface;
            QImage white(240, 20, QImage::Format_RGB32);
            white.fill(Qt::white);
            surface.setPicture(white);
            surface.setLineWidth(width);
            surface.setLineStyle(type - 1);
            surface.setDashPattern(monoDashes(type));
            surface.line(20, 10, 220, 10, Qt::black);
            const QImage image = surface.scaledImage(scale);
            auto dark = [&](int x) { return qGray(image.pixel(x, 10 * scale + scale / 2)) < 128; };
            std::vector<int> runs;
            int x = 10 * scale;
            while (!dark(x))
                ++x;
            while (x < 200 * scale) {
                const bool d = dark(x);
                int run = 0;
                for (; x < 200 * scale && dark(x) == d; ++x)
                    ++run;
                runs.push_back(run);
            }
            EXPECT_EQ(runs.size() == 1, shown.empty());
            for (size_t i = 0; i < shown.size() && i < runs.size(); ++i)
                EXPECT_NEAR(runs[i], shown[i] * scale, 1.0 + scale / 2.0) << "run " << i;
        }
}

TEST(SurfaceDashPattern, APatternThatWouldNotMoveAlongTheLineIsNotTaken)
{
    const std::vector<std::pair<QList<qreal>, bool>> patterns = {
        {{3, 3}, true},  {{0.5, 0.5}, true}, {{0, 0}, false},   {{0.2, 0.2}, false},
        {{1, 2, 3}, false}, {{-1, 3}, false}, {{qQNaN(), 3}, false}, {{}, false}};
    for (const auto &[pattern, taken] : patterns) {
        Surface surface;
        surface.setDashPattern(pattern);
        EXPECT_EQ(surface.dashPattern(), taken ? pattern : QList<qreal>()) << pattern.size();
    }
}

// Worked out from the tip of home plate (200, 343): a pixels along the first-base line and b
// along the third's lie at (200 + (a - b) / sqrt 2, 343 - (a + b) / sqrt 2); bases 126 apart.
TEST(DiamondPoints, LieWhereTheFiguresPutTheBasesAndLines)
{
    // Home plate, first, second, third; both foul lines at half and 1.3 base paths; then the
    // ground points.
    const std::vector<field::Point> expected = {
        {200, 339},           {284.1457, 253.9045}, {200, 164.8091},      {115.8543, 253.9045},
        {244.5477, 298.4523}, {315.8241, 227.1759}, {155.4523, 298.4523}, {84.1759, 227.1759},
        {231.1834, 285.0880}, {168.8166, 285.0880}, {257.9120, 311.8166}};
    std::vector<field::Point> got;
    for (const field::Point p : diamondChalkPoints(field::kFullDiamond))
        got.push_back(p);
    for (const field::Point p : diamondGroundPoints(field::kFullDiamond))
        got.push_back(p);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].x, expected[i].x, 1e-3) << i;
        EXPECT_NEAR(got[i].y, expected[i].y, 1e-3) << i;
    }
}

QImage programPicture(const QString &name)
{
    return QImage(QString(KINETRA_PROGRAM_DIR) + "/" + name);
}

// The picture with a square `size` field pixels across painted over a field point.
QImage paintedOver(QImage picture, field::Point at, double size, QColor color)
{
    QPainter painter(&picture);
    painter.scale(picture.width() / 400.0, picture.width() / 400.0);
    painter.fillRect(QRectF(at.x - size / 2, at.y - size / 2, size, size), color);
    painter.end();
    return picture;
}

TEST(ShippedDiamond, IsFoundOnTheShippedFieldsAtEveryDensityAndNowhereElse)
{
    const QImage surface0 = programPicture("Surface0.BMP");
    const auto chalk = diamondChalkPoints(field::kFullDiamond);
    QImage white(400, 373, QImage::Format_RGB32);
    white.fill(Qt::white);
    const std::vector<std::tuple<const char *, QImage, const field::Diamond *>> cases = {
        {"Surface0", surface0, &field::kFullDiamond},
        {"Surface0 at 4x", programPicture("Surface0@4x.png"), &field::kFullDiamond},
        {"Surface2 at 2x", programPicture("Surface2@2x.png"), &field::kFullDiamond},
        {"Surface1", programPicture("Surface1.BMP"), &field::kCloseUpDiamond},
        {"Surface3", programPicture("Surface3.BMP"), nullptr},
        {"first base covered", paintedOver(surface0, chalk[1], 12, QColor(190, 142, 96)), nullptr},
        {"foul line covered", paintedOver(surface0, chalk[7], 6, QColor(92, 160, 74)), nullptr},
        {"chalk on the grass",
         paintedOver(surface0, diamondGroundPoints(field::kFullDiamond)[0], 3, Qt::white),
         nullptr},
        {"white", white, nullptr},
        {"another size", surface0.scaled(401, 373), nullptr},
        {"none", QImage(), nullptr}};
    for (const auto &[name, picture, found] : cases)
        EXPECT_EQ(shippedDiamond(picture), found) << name;
}

// The bases and lines of the shipped pictures dark at every density, and on the denser ones
// half a field pixel wider; a user's own picture only light.
TEST(LightGreyPicture, DarkensTheChalkOfShippedFieldsOnly)
{
    const auto chalk = diamondChalkPoints(field::kFullDiamond);
    QImage own(400, 373, QImage::Format_RGB32);
    own.fill(QColor(92, 160, 74));
    own = paintedOver(own, chalk[1], 7, QColor(246, 246, 240));
    const std::vector<std::tuple<const char *, QImage, field::Point, int>> cases = {
        {"home plate", programPicture("Surface0.BMP"), chalk[0], 60},
        {"second base at 4x", programPicture("Surface0@4x.png"), chalk[2], 60},
        {"third base, softball", programPicture("Surface2.BMP"), chalk[3], 60},
        {"close-up first base", programPicture("Surface1.BMP"),
         diamondChalkPoints(field::kCloseUpDiamond)[1], 60},
        // 1.75 field pixels off the foul line's middle; its chalk reaches 1.41.
        {"beside the foul line at 4x", programPicture("Surface0@4x.png"), {240.125, 304.625}, 60},
        {"user's base", own, chalk[1], 253}};
    for (const auto &[name, picture, at, grey] : cases) {
        const int density = picture.width() / 400;
        EXPECT_EQ(qGray(lightGreyPicture(picture).pixel(int(at.x * density), int(at.y * density))),
                  grey)
            << name;
    }
    // The field's own picture keeps its pixels exact: its chalk, and only that, dark.
    const QImage surface0 = programPicture("Surface0.BMP");
    const QImage grey = lightGreyPicture(surface0);
    int chalkPixels = 0, dark = 0;
    for (int y = 0; y < surface0.height(); ++y)
        for (int x = 0; x < surface0.width(); ++x) {
            chalkPixels += isChalk(surface0.pixel(x, y));
            dark += qGray(grey.pixel(x, y)) == 60;
        }
    EXPECT_GT(chalkPixels, 500);
    EXPECT_EQ(dark, chalkPixels);
}

} // namespace
} // namespace kinetra
