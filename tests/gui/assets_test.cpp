// The program folder's pictures, the toolbar icons and the surface's mouse pointers.

#include "app/toolbaricons.h"
#include "surface/pointers.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

using namespace kinetra;

QString programFile(const QString& name)
{
    return QDir(QStringLiteral(KINETRA_PROGRAM_DIR)).filePath(name);
}

// Bits per pixel from the BMP header; 0 when the file is missing or too short.
int bmpBitCount(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray head = f.read(30);
    if (head.size() < 30 || !head.startsWith("BM"))
        return 0;
    return static_cast<unsigned char>(head[28]) | static_cast<unsigned char>(head[29]) << 8;
}

// Pure white is see-through; so is everything beyond the picture's edge.
bool isWhite(const QImage& img, int x, int y)
{
    return !img.valid(x, y) || img.pixel(x, y) == qRgb(255, 255, 255);
}

class SurfacePicture : public testing::TestWithParam<int>
{};

TEST_P(SurfacePicture, IsA24BitFieldPictureOfTheCanvasSize)
{
    const QString path = programFile(QStringLiteral("Surface%1.BMP").arg(GetParam()));
    ASSERT_EQ(bmpBitCount(path), 24) << path.toStdString();
    const QImage img(path);
    ASSERT_EQ(img.size(), QSize(400, 373));
    // A field is mostly grass: green must lead in most pixels (a swapped channel would not).
    int green = 0;
    for (int y = 0; y < img.height(); y += 3) {
        for (int x = 0; x < img.width(); x += 3) {
            const QColor c = img.pixelColor(x, y);
            green += c.green() > c.red() && c.green() > c.blue();
        }
    }
    EXPECT_GT(green, (img.width() / 3) * (img.height() / 3) / 2);
}

INSTANTIATE_TEST_SUITE_P(Assets, SurfacePicture, testing::Range(0, 4));

class SymbolPicture : public testing::TestWithParam<int>
{};

TEST_P(SymbolPicture, DrawsOnAWhiteSeeThroughBackgroundWithoutAPaleFringe)
{
    const QString path = programFile(QStringLiteral("Sym%1.bmp").arg(GetParam()));
    ASSERT_EQ(bmpBitCount(path), 24) << path.toStdString();
    const QImage img(path);
    ASSERT_EQ(img.size(), QSize(24, 24));
    int drawn = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            if (x == 0 || y == 0 || x == 23 || y == 23) {
                EXPECT_TRUE(isWhite(img, x, y)) << "border pixel " << x << "," << y;
            }
            if (isWhite(img, x, y))
                continue;
            ++drawn;
            // Where the drawing meets the see-through white, it must not be nearly white,
            // or the symbol would wear a pale halo on the field.
            const bool edge = isWhite(img, x - 1, y) || isWhite(img, x + 1, y)
                              || isWhite(img, x, y - 1) || isWhite(img, x, y + 1);
            if (edge) {
                EXPECT_LT(qGray(img.pixel(x, y)), 235) << "pale edge pixel " << x << "," << y;
            }
        }
    }
    EXPECT_GT(drawn, 24 * 24 / 8);
}

INSTANTIATE_TEST_SUITE_P(Assets, SymbolPicture, testing::Range(1, 9));

TEST(ProgramFolder, HasThePlaysFolder)
{
    EXPECT_TRUE(QDir(programFile(QStringLiteral("Plays"))).exists());
}

const char* const kToolbarKeys[] = {"New",    "Open",  "Save",       "Print",  "InsertB",
                                    "InsertA", "InsertC", "InsertProg", "FMove", "Delete",
                                    "Notes",  "FBack", "FForward",   "Play",   "Properties",
                                    "Help",   "About"};

TEST(ToolbarIcons, EveryKeyHasItsOwnVisibleIcon)
{
    QList<QImage> seen;
    for (const char* key : kToolbarKeys) {
        const QIcon icon = toolbarIcon(QLatin1String(key));
        ASSERT_FALSE(icon.isNull()) << key;
        EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16))) << key;
        const QImage img = icon.pixmap(24, 24).toImage();
        ASSERT_EQ(img.size(), QSize(24, 24)) << key;
        int opaque = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                opaque += qAlpha(img.pixel(x, y)) > 128;
        EXPECT_GT(opaque, 40) << key;
        for (const QImage& other : seen)
            EXPECT_NE(img, other) << key << " looks like another button's icon";
        seen.append(img);
    }
}

TEST(ToolbarIcons, UnknownKeyGivesNoIcon)
{
    EXPECT_TRUE(toolbarIcon(QString()).isNull());
    EXPECT_TRUE(toolbarIcon(QStringLiteral("Rewind")).isNull());
    EXPECT_FALSE(appIcon().isNull());
}

bool opaqueNear(const QImage& img, QPoint p, int radius)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint q = p + QPoint(dx, dy);
            if (img.rect().contains(q) && qAlpha(img.pixel(q)) > 128)
                return true;
        }
    return false;
}

TEST(SurfacePointers, HotSpotsSitWhereTheyDraw)
{
    const QCursor action = actionCursor();
    const QImage cross = action.pixmap().toImage();
    ASSERT_EQ(cross.size(), QSize(32, 32));
    const QPoint hot = action.hotSpot();
    // The crosshair's four arms line up with the hot spot.
    for (const QPoint arm : {QPoint(0, -6), QPoint(0, 6), QPoint(-6, 0), QPoint(6, 0)})
        EXPECT_GT(qAlpha(cross.pixel(hot + arm)), 128) << arm.x() << "," << arm.y();

    const QCursor chalk = chalkCursor();
    const QImage stick = chalk.pixmap().toImage();
    ASSERT_EQ(stick.size(), QSize(32, 32));
    EXPECT_TRUE(opaqueNear(stick, chalk.hotSpot(), 1));
    // The tip is the end of the stick: nothing is drawn beyond it, below and to the left.
    EXPECT_FALSE(opaqueNear(stick, chalk.hotSpot() + QPoint(-3, 3), 1));
}

} // namespace
