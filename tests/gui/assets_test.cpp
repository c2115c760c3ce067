// The program folder's pictures, the toolbar icons and the surface's mouse pointers.

#include "app/toolbaricons.h"
#include "surface/pointers.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

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
    // A field is largely grass: green leads in more pixels than red (the dirt) or blue (the
    // grey stands) does, and in at least two of five (a swapped channel would not).
    int green = 0, red = 0, blue = 0;
    for (int y = 0; y < img.height(); y += 3) {
        for (int x = 0; x < img.width(); x += 3) {
            const QColor c = img.pixelColor(x, y);
            green += c.green() > c.red() && c.green() > c.blue();
            red += c.red() > c.green() && c.red() > c.blue();
            blue += c.blue() > c.red() && c.blue() > c.green();
        }
    }
    EXPECT_GT(green, red);
    EXPECT_GT(green, blue);
    EXPECT_GT(green, (img.width() / 3) * (img.height() / 3) * 2 / 5);
}

INSTANTIATE_TEST_SUITE_P(Assets, SurfacePicture, testing::Range(0, 4));

// Pixel classes of the field pictures, strict enough to tell mown grass from the darker trees
// and wall, the infield dirt from the duller warning track, and chalk from the grey stands.
bool isGrass(QColor c)
{
    return c.green() > c.red() && c.green() > c.blue() && c.green() >= 130;
}

bool isChalk(QColor c)
{
    return std::min({c.red(), c.green(), c.blue()}) >= 225;
}

bool isPlayingGround(QColor c)
{
    const bool dirt = c.red() >= 170 && c.red() > c.green() && c.green() > c.blue();
    const bool neutral = std::max({c.red(), c.green(), c.blue()})
                             - std::min({c.red(), c.green(), c.blue()}) <= 12;
    return isGrass(c) || dirt || (neutral && c.red() >= 140);
}

// A coach's standard defence on the full baseball and softball fields, in picture pixels, as
// player circles of the default size. Both fields share one diamond size on the picture.
struct Defender
{
    const char* label;
    QPoint centre;
    bool outfield;
};

const Defender kDefence[] = {{"P", {200, 258}, false},  {"C", {200, 357}, false},
                             {"1B", {300, 228}, false}, {"2B", {250, 190}, false},
                             {"SS", {150, 190}, false}, {"3B", {100, 228}, false},
                             {"LF", {100, 118}, true},  {"CF", {200, 78}, true},
                             {"RF", {300, 118}, true}};
constexpr int kPlayerRadius = 15;

// Centres of first, second and third base, and of home plate.
const QPoint kBases[] = {{284, 254}, {200, 165}, {116, 254}};
const QPoint kHomePlate(200, 339);

double distance(QPoint a, QPoint b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

// Pixels inside a player's circle that fail the given test.
template<typename Test>
int pixelsFailing(const QImage& img, QPoint centre, Test test)
{
    int failing = 0;
    const int r = kPlayerRadius;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (dx * dx + dy * dy <= r * r)
                failing += !img.valid(centre + QPoint(dx, dy))
                           || !test(img.pixelColor(centre + QPoint(dx, dy)));
    return failing;
}

class FullField : public testing::TestWithParam<int>
{
protected:
    QImage picture() const
    {
        return QImage(programFile(QStringLiteral("Surface%1.BMP").arg(GetParam())));
    }
};

TEST_P(FullField, BasesLieOnADiamondLargeEnoughForNinePlayers)
{
    const QImage img = picture();
    ASSERT_EQ(img.size(), QSize(400, 373));
    for (const QPoint base : kBases)
        EXPECT_TRUE(isChalk(img.pixelColor(base))) << "no base at " << base.x() << "," << base.y();
    EXPECT_TRUE(isChalk(img.pixelColor(kHomePlate))) << "no home plate";
    // Between the bases lies ground, not a line or another base.
    EXPECT_FALSE(isChalk(img.pixelColor(200, 225)));
    EXPECT_FALSE(isChalk(img.pixelColor(242, 210)));

    for (const Defender& d : kDefence) {
        for (const Defender& other : kDefence) {
            if (&other < &d) {
                EXPECT_GE(distance(d.centre, other.centre), 2 * kPlayerRadius)
                    << d.label << " overlaps " << other.label;
            }
        }
        for (const QPoint base : kBases)
            EXPECT_GT(distance(d.centre, base), kPlayerRadius + 4) << d.label << " hides a base";
        // The catcher crouches right behind the plate but leaves it in sight.
        EXPECT_GT(distance(d.centre, kHomePlate), kPlayerRadius) << d.label << " hides the plate";
    }
}

TEST_P(FullField, OutfieldersStandOnGrassInsideTheFenceAndInfieldersOnTheField)
{
    const QImage img = picture();
    for (const Defender& d : kDefence) {
        if (d.outfield) {
            EXPECT_EQ(pixelsFailing(img, d.centre, isGrass), 0) << d.label << " is off the grass";
        } else {
            EXPECT_EQ(pixelsFailing(img, d.centre, isPlayingGround), 0)
                << d.label << " is off the playing field";
        }
    }
}

TEST_P(FullField, ShowsTheOutfieldFenceNearTheTop)
{
    const QImage img = picture();
    // Straight up from the middle of the outfield grass: the warning track, the wall, trees.
    int y = 110;
    while (y > 0 && isGrass(img.pixelColor(200, y)))
        --y;
    EXPECT_GT(y, 10) << "the fence is cut off at the top";
    EXPECT_LT(y, 60) << "the outfield is too shallow";
    const QColor track = img.pixelColor(200, y);
    EXPECT_TRUE(track.red() > track.green() && track.red() < 170) << "no warning track";
    EXPECT_FALSE(isGrass(img.pixelColor(200, 2)));
}

INSTANTIATE_TEST_SUITE_P(Assets, FullField, testing::Values(0, 2));

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

// The denser companions: drawn at their own resolution, they show the same picture as the
// 1x file (close once scaled down), with the symbols' white ground and hard edges.
struct CompanionCase
{
    QString name;
    int density;
};

void PrintTo(const CompanionCase& c, std::ostream* os)
{
    *os << c.name.toStdString() << "@" << c.density << "x";
}

class CompanionPicture : public testing::TestWithParam<CompanionCase>
{};

TEST_P(CompanionPicture, ShowsThePictureAtItsDensity)
{
    const CompanionCase& c = GetParam();
    const QImage base(programFile(c.name + (c.name.startsWith("Sym") ? ".bmp" : ".BMP")));
    const QImage dense(programFile(QString("%1@%2x.png").arg(c.name).arg(c.density)));
    ASSERT_FALSE(base.isNull());
    ASSERT_EQ(dense.size(), base.size() * c.density);
    if (!c.name.startsWith("Sym")) {
        const QImage shrunk = dense.scaled(base.size(), Qt::IgnoreAspectRatio,
                                           Qt::SmoothTransformation)
                                  .convertToFormat(base.format());
        double difference = 0;
        for (int y = 0; y < base.height(); ++y)
            for (int x = 0; x < base.width(); ++x)
                difference += std::abs(qGray(base.pixel(x, y)) - qGray(shrunk.pixel(x, y)));
        EXPECT_LT(difference / (base.width() * base.height()), 12.0) << "not the same field";
        return;
    }
    // A symbol covers the same pixels: those drawn in the 1x picture are mostly drawn in the
    // dense one (at least half of their block), and the other way round.
    int both = 0, either = 0;
    for (int y = 0; y < base.height(); ++y) {
        for (int x = 0; x < base.width(); ++x) {
            int drawn = 0;
            for (int dy = 0; dy < c.density; ++dy)
                for (int dx = 0; dx < c.density; ++dx)
                    drawn += !isWhite(dense, x * c.density + dx, y * c.density + dy);
            const bool inDense = 2 * drawn >= c.density * c.density;
            both += inDense && !isWhite(base, x, y);
            either += inDense || !isWhite(base, x, y);
        }
    }
    EXPECT_GT(double(both) / either, 0.8) << "not the same symbol";

    const int side = dense.width();
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (x < c.density || y < c.density || x >= side - c.density || y >= side - c.density) {
                EXPECT_TRUE(isWhite(dense, x, y)) << "border pixel " << x << "," << y;
            }
            const bool edge = isWhite(dense, x - 1, y) || isWhite(dense, x + 1, y)
                              || isWhite(dense, x, y - 1) || isWhite(dense, x, y + 1);
            if (!isWhite(dense, x, y) && edge) {
                EXPECT_LT(qGray(dense.pixel(x, y)), 235) << "pale edge pixel " << x << "," << y;
            }
        }
    }
}

std::vector<CompanionCase> companionCases()
{
    std::vector<CompanionCase> cases;
    for (int density : {2, 4}) {
        for (int i = 0; i < 4; ++i)
            cases.push_back({QString("Surface%1").arg(i), density});
        for (int i = 1; i <= 8; ++i)
            cases.push_back({QString("Sym%1").arg(i), density});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Assets, CompanionPicture, testing::ValuesIn(companionCases()),
                         [](const auto& info) {
                             return QString("%1_%2x").arg(info.param.name).arg(info.param.density)
                                 .toStdString();
                         });

TEST(ProgramFolder, HasThePlaysFolder)
{
    EXPECT_TRUE(QDir(programFile(QStringLiteral("Plays"))).exists());
}

const char* const kToolbarKeys[] = {"New",      "Open",       "Save",   "Print",    "Undo",
                                    "Redo",     "InsertB",    "InsertA", "InsertC", "InsertProg",
                                    "InsertNext", "FMove",    "Delete", "Notes",    "FBack",
                                    "FForward", "Play",       "Properties", "Help", "About"};

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
