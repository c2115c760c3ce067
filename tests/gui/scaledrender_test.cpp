// Drawing at other scales: the surface drawn again at a device's resolution, its denser
// pictures chosen by density, and the zoomed canvas showing it.

#include "model/playconfig.h"
#include "surface/canvas.h"
#include "surface/framelooks.h"
#include "surface/framerenderer.h"
#include "surface/picturecompanions.h"
#include "surface/surface.h"

#include "imagecheck.h"

#include <QDateTime>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kinetra {
namespace {

const QColor kFill(255, 255, 0);
const QColor kBorder(200, 0, 200);
const QColor kMark(250, 20, 20);

// ---- Which picture is drawn at which density ------------------------------------------------

QImage filled(int side, QRgb color)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

struct DensityCase
{
    const char *name;
    qreal scale;
    bool x2, x4; // which companions exist
    int chosen;  // 1, 2 or 4: the picture chosen
};

void PrintTo(const DensityCase &c, std::ostream *os)
{
    *os << c.name;
}

class CompanionChoiceTest : public testing::TestWithParam<DensityCase>
{};

TEST_P(CompanionChoiceTest, TakesTheLeastDenseThatIsDenseEnough)
{
    const QImage base = filled(10, qRgb(1, 1, 1));
    const PictureCompanions companions(GetParam().x2 ? filled(20, qRgb(2, 2, 2)) : QImage(),
                                       GetParam().x4 ? filled(40, qRgb(4, 4, 4)) : QImage());
    const QImage chosen = pictureForScale(base, companions, GetParam().scale);
    EXPECT_EQ(chosen.width(), 10 * GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Densities, CompanionChoiceTest,
    testing::Values(DensityCase{"ActualSize", 1.0, true, true, 1},
                    DensityCase{"Smaller", 0.5, true, true, 1},
                    DensityCase{"JustAbove", 1.25, true, true, 2},
                    DensityCase{"Double", 2.0, true, true, 2},
                    DensityCase{"Triple", 3.0, true, true, 4},
                    DensityCase{"BeyondTheDensest", 6.0, true, true, 4},
                    DensityCase{"NoDoubleTakesQuadruple", 1.5, false, true, 4},
                    DensityCase{"NoQuadrupleTakesDouble", 3.0, true, false, 2},
                    DensityCase{"NoneTakesThePicture", 3.0, false, false, 1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Companions, AreReadFromBesideThePictureAtTheirOwnDensityOnly)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("Sym3.bmp");
    ASSERT_TRUE(filled(24, qRgb(9, 9, 9)).save(picture, "BMP"));
    const PictureCompanions companions = PictureCompanions::besideFile(picture, QSize(24, 24));
    // Read when first drawn, not when the picture is.
    ASSERT_TRUE(filled(48, qRgb(10, 10, 10)).save(dir.filePath("Sym3@2x.png")));
    ASSERT_TRUE(filled(90, qRgb(11, 11, 11)).save(dir.filePath("Sym3@4x.png"))); // not 96
    EXPECT_EQ(companions.atDensity(2).size(), QSize(48, 48));
    EXPECT_TRUE(companions.atDensity(4).isNull()) << "a companion of the wrong size is left out";
    EXPECT_EQ(companionFileName("/a/b.c/Surface0.BMP", 4), "/a/b.c/Surface0@4x.png");
}

TEST(PictureFiles, AreDecodedOnceAndReadAgainWhenTheFileChanges)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Surface0@4x.png");
    ASSERT_TRUE(filled(40, qRgb(1, 2, 3)).save(path));
    const QImage first = readPictureFile(path);
    EXPECT_EQ(readPictureFile(path).cacheKey(), first.cacheKey())
        << "a second read shares the decoded picture";

    ASSERT_TRUE(filled(40, qRgb(7, 8, 9)).save(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                 QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(readPictureFile(path).pixel(0, 0), qRgb(7, 8, 9)) << "the replaced file is read";

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_TRUE(readPictureFile(path).isNull());
}

// ---- The surface at other scales ------------------------------------------------------------

// A dull field, circles for both sides, a blank frame.
class ScaledFrame
{
public:
    ScaledFrame()
    {
        pic.setPicture(test::patternedField(200, 150));
        QFont font("DejaVu Sans");
        font.setPixelSize(11);
        pic.setFont(font);
        looks.PlayerSize = {10, 10};
        looks.PlayerShape = {3, 3};
        looks.PlayerBcolr = {kBorder, kBorder};
        looks.PlayerFcolr = {kFill, kFill};
        looks.PlayerTcolr = {kMark, kMark};
        frame.Blank_Frame();
    }

    Surface pic;
    FrameLooks looks;
    PlayConfig frame;
};

class ScaledSurfaceTest : public testing::TestWithParam<int>, public ScaledFrame
{
protected:
    int scale() const { return GetParam(); }
};

TEST_P(ScaledSurfaceTest, ACircleLandsAtTheScaledPlaceWithAFineEdge)
{
    frame.OPlayerX[0] = 60;
    frame.OPlayerY[0] = 70;
    FrameRenderer::Draw(frame, pic, looks);
    const QImage big = pic.scaledImage(scale());
    ASSERT_EQ(big.size(), pic.size() * scale());

    // The filled disc's extent: centred on the middle of the block pixel (60, 70) became.
    QRect disc;
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            if ((big.pixel(x, y) & 0xFFFFFF) == (kFill.rgb() & 0xFFFFFF))
                disc |= QRect(x, y, 1, 1);
    ASSERT_FALSE(disc.isEmpty());
    const QPointF middle((60 + 0.5) * scale(), (70 + 0.5) * scale());
    EXPECT_NEAR(disc.center().x() + 0.5, middle.x(), 1.0);
    EXPECT_NEAR(disc.center().y() + 0.5, middle.y(), 1.0);
    // The radius keeps its proportion to the field.
    EXPECT_NEAR(disc.width(), 20.0 * scale(), 2.0 * scale());

    // An enlarged picture would be made of scale x scale blocks of one colour; the edge drawn
    // at this resolution crosses blocks.
    int mixedBlocks = 0;
    for (int by = 55; by < 86; ++by) {
        for (int bx = 45; bx < 76; ++bx) {
            const QRgb first = big.pixel(bx * scale(), by * scale());
            bool mixed = false;
            for (int dy = 0; dy < scale(); ++dy)
                for (int dx = 0; dx < scale(); ++dx)
                    mixed |= big.pixel(bx * scale() + dx, by * scale() + dy) != first;
            mixedBlocks += mixed;
        }
    }
    EXPECT_GT(mixedBlocks, 20);
}

class ScaledSymbolTest : public testing::Test, public ScaledFrame
{};

TEST_F(ScaledSymbolTest, ComesFromTheDenserCompanionWithWhiteSeeThrough)
{
    QImage symbol(10, 10, QImage::Format_RGB32);
    symbol.fill(Qt::white);
    symbol.setPixel(0, 0, kMark.rgb());
    // A companion the 1x picture cannot show: a chequer at its own resolution, half white.
    QImage dense(40, 40, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            dense.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 200));
    looks.symbols.fill(symbol);
    looks.symbolCompanions.fill(PictureCompanions(QImage(), dense));
    frame.SYMBOLX[1] = 30;
    frame.SYMBOLY[1] = 40;
    FrameRenderer::Draw(frame, pic, looks);
    EXPECT_EQ(pic.pixel(30, 40), kMark.rgb()) << "the image keeps the 1x picture";

    // At the companion's own density it is copied pixel for pixel.
    const QImage big = pic.scaledImage(4);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const QRgb shown = big.pixel(30 * 4 + x, 40 * 4 + y) & 0xFFFFFF;
            if ((x + y) % 2)
                EXPECT_NE(shown, 0xFFFFFFu) << "white is see-through at " << x << "," << y;
            else
                EXPECT_EQ(shown, 0x0000C8u) << x << "," << y;
        }
    }
}

TEST_P(ScaledSurfaceTest, TheZoomedCanvasShowsTheSurfaceDrawnAtItsResolution)
{
    Canvas canvas;
    canvas.setSurface(&pic);
    canvas.setZoom(scale() * 100);
    frame.OPlayerX[3] = 50;
    frame.OPlayerY[3] = 50;
    FrameRenderer::Draw(frame, pic, looks);
    auto shown = [&] { return canvas.grab().toImage().convertToFormat(QImage::Format_RGB32); };
    EXPECT_EQ(test::differingPixels(shown(), pic.scaledImage(scale())), 0);

    // Drawn on top later (chalk): the canvas adds it to what it showed.
    pic.setLineWidth(3);
    pic.line(10, 10, 150, 120, kMark);
    EXPECT_EQ(test::differingPixels(shown(), pic.scaledImage(scale())), 0);

    // A rubber band drawn twice inverted leaves no trace at this scale either.
    const QImage before = shown();
    pic.setLineWidth(1);
    pic.setDrawMode(Surface::DrawMode::Invert);
    pic.line(20, 100, 180, 30, kMark);
    EXPECT_GT(test::differingPixels(shown(), before), 100 * scale());
    pic.line(20, 100, 180, 30, kMark);
    EXPECT_EQ(test::differingPixels(shown(), before), 0);

    // The next frame: whatever the last one drew is gone, to the last smooth pixel.
    pic.setDrawMode(Surface::DrawMode::Copy);
    pic.setTextPosition(QPointF(120, 20));
    pic.setForeColor(kBorder);
    pic.print("Wg|");
    pic.setLineWidth(7);
    pic.line(190, 5, 195, 145, kBorder);
    static_cast<void>(shown());
    frame.OPlayerX[3] = 120;
    frame.OPlayerY[3] = 90;
    pic.clear();
    FrameRenderer::Draw(frame, pic, looks);
    EXPECT_EQ(test::differingPixels(shown(), pic.scaledImage(scale())), 0);
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledSurfaceTest, testing::Values(2, 3, 4),
                         [](const auto &info) { return std::to_string(info.param) + "x"; });

} // namespace
} // namespace kinetra
