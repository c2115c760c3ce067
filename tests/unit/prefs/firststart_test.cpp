// A first start: baseball action types, the hardball labels, legible defence labels and
// standard formations on the default field; and an existing store that keeps its own values.

#include "prefs/defaultfield.h"
#include "prefs/formations.h"
#include "prefs/inisettingsstore.h"
#include "prefs/preferencestore.h"
#include "support/qtprint.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

namespace kinetra {
namespace {

using field::Point;

// Relative luminance of a store colour (red in the low byte), as contrast ratios use it.
double luminance(int32_t color)
{
    auto channel = [](int v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color & 255) + 0.7152 * channel(color >> 8 & 255)
           + 0.0722 * channel(color >> 16 & 255);
}

double contrast(int32_t a, int32_t b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double rgbDistance(int32_t a, int32_t b)
{
    const int dr = (a & 255) - (b & 255), dg = (a >> 8 & 255) - (b >> 8 & 255),
              db = (a >> 16 & 255) - (b >> 16 & 255);
    return std::sqrt(double(dr * dr + dg * dg + db * db));
}

class FirstStart : public testing::Test
{
protected:
    QString ini() const { return m_dir.filePath("DAZI.ini"); }

    Preferences load() const
    {
        Preferences p;
        loadPreferences(IniSettingsStore(ini()), p, "/opt/kinetra");
        return p;
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(FirstStart, BringsBaseballActionTypesThatReadOnTheFieldAndOnPaper)
{
    const Preferences p = load();
    EXPECT_EQ(p.ActionLabel, (std::array<std::string, 8>{"Run", "Hit", "Throw", "Field", "Cover",
                                                         "Back Up", "Steal", "Shift"}));
    std::set<std::tuple<int, int, int>> strokes;
    std::set<int32_t> colors;
    const int32_t grass = 92 | 160 << 8 | 74 << 16, dirt = 190 | 142 << 8 | 96 << 16;
    for (size_t n = 0; n < 8; ++n) {
        strokes.insert({p.ActionType[n], p.ActionSize[n], p.ActionEndType[n]});
        colors.insert(p.ActionColor[n]);
        EXPECT_GE(p.ActionSize[n], 2) << p.ActionLabel[n] << ": a hairline is lost on grass";
        EXPECT_GE(contrast(p.ActionColor[n], 0xFFFFFF), 4) << p.ActionLabel[n] << " on paper";
        // On the field a line stands out by its hue as much as by its lightness.
        const int32_t c = p.ActionColor[n];
        EXPECT_GE(std::min(rgbDistance(c, grass), rgbDistance(c, dirt)), 150)
            << p.ActionLabel[n];
    }
    EXPECT_EQ(strokes.size(), 8u) << "every kind differs in line, width or end, not only colour";
    EXPECT_EQ(std::count(p.ActionType.begin(), p.ActionType.end(), 1), 1)
        << "one solid kind at most, so every printed dash pattern differs";
    EXPECT_GE(colors.size(), 5u);
    // The ball's paths are broken lines; a runner's is solid.
    EXPECT_NE(p.ActionType[1], 1);
    EXPECT_NE(p.ActionType[2], 1);
    EXPECT_EQ(p.ActionType[0], 1);
}

TEST_F(FirstStart, ShowsTheHardballLabelsWithLegibleDefenceLabels)
{
    const Preferences p = load();
    EXPECT_EQ(p.OPLabel, p.OPDef[0]);
    EXPECT_EQ(p.DPLabel, p.DPDef[0]);
    EXPECT_EQ(p.DPLabel[0], "P");
    EXPECT_EQ(p.OPLabel[9], "B10");
    EXPECT_GE(contrast(p.PlayerTcolr[1], p.PlayerFcolr[1]), 7);
    EXPECT_GE(contrast(p.PlayerTcolr[0], p.PlayerFcolr[0]), 7);
    // What a first start does not set keeps its usual default.
    EXPECT_EQ(p.PlayerFcolr[1], 16711680);
    EXPECT_EQ(p.OPDef[2][0], " 1");
    EXPECT_EQ(p.FontSize, 8);
}

TEST_F(FirstStart, FormationsReachTheStoreUnderTheirKeysAndReadBackTheSame)
{
    const Preferences first = load();
    ASSERT_EQ(first.FormationCount, 5);
    EXPECT_EQ(first.FormationName[0], "Standard Depth");
    {
        IniSettingsStore store(ini());
        savePreferences(store, first);
        EXPECT_EQ(store.read("Formations", "Count"), "5");
        EXPECT_EQ(store.read("Formations", "Name3"), "Infield In");
        EXPECT_EQ(store.read("Formations", "PlyX511"),
                  QString::number(first.FormationX[4][10]));
        EXPECT_EQ(store.read("Formations", "PlyY120"), "0") << "the spare stays off the field";
    }
    const Preferences again = load();
    EXPECT_EQ(again.FormationName, first.FormationName);
    EXPECT_EQ(again.FormationX, first.FormationX);
    EXPECT_EQ(again.FormationY, first.FormationY);
}

TEST_F(FirstStart, AnExistingStoreKeepsEveryValueItHas)
{
    const Preferences fresh = load();
    Preferences mine = fresh;
    for (size_t n = 0; n < 8; ++n) {
        mine.ActionLabel[n] = "Act" + std::to_string(n);
        mine.ActionType[n] = mine.ActionSize[n] = 1;
        mine.ActionColor[n] = mine.ActionEndType[n] = 0;
        mine.ActionFollowsBases[n] = !fresh.ActionFollowsBases[n];
    }
    mine.OPLabel[0] = " 1";
    mine.DPLabel[0] = "Ace";
    mine.PlayerTcolr = {0, 0};
    while (mine.FormationCount > 0)
        deleteFormation(mine, mine.FormationCount);
    {
        IniSettingsStore store(ini());
        savePreferences(store, mine);
    }
    const Preferences back = load();
    EXPECT_EQ(back.ActionLabel, mine.ActionLabel);
    EXPECT_EQ(back.ActionType, mine.ActionType);
    EXPECT_EQ(back.ActionColor, mine.ActionColor);
    EXPECT_EQ(back.ActionEndType, mine.ActionEndType);
    EXPECT_EQ(back.ActionFollowsBases, mine.ActionFollowsBases);
    EXPECT_EQ(back.OPLabel, mine.OPLabel);
    EXPECT_EQ(back.DPLabel, mine.DPLabel);
    EXPECT_EQ(back.PlayerTcolr, mine.PlayerTcolr);
    EXPECT_EQ(back.FormationCount, 0) << "deleted formations do not come back";
}

TEST_F(FirstStart, AStoreLackingSomeKeysTakesOnlyThoseFromAFirstStart)
{
    const Preferences fresh = load();
    {
        IniSettingsStore store(ini());
        store.write("Action", "Label3", "Charge");
        store.write("Action", "Color3", "junk");
        store.write("Formations", "Count", "0");
    }
    const Preferences mixed = load();
    EXPECT_EQ(mixed.ActionLabel[3], "Charge");
    EXPECT_EQ(mixed.ActionColor[3], fresh.ActionColor[3]) << "an unusable value";
    EXPECT_EQ(mixed.ActionLabel[0], "Run");
    // A store from before lines could follow the base path: the runner's lines do.
    EXPECT_EQ(mixed.ActionFollowsBases,
              (std::array<bool, 8>{true, false, false, false, false, false, true, false}));
    EXPECT_EQ(mixed.FormationCount, 0);
}

// ---- Where the formations put people ----

double distance(Point a, Point b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Distance from p to the segment from a to b.
double toSegment(Point p, Point a, Point b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double t =
        std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return distance(p, {a.x + t * dx, a.y + t * dy});
}

// Distance from p to the line through a and b.
double toLine(Point p, Point a, Point b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    return std::abs((p.x - a.x) * dy - (p.y - a.y) * dx) / std::hypot(dx, dy);
}

struct Placed
{
    std::array<Point, 10> offense{}, defense{};
    bool on(Point p) const { return p.x > 0; }
};

enum { P, C, B1, B2, B3, SS, RF, CF, LF, Spare };

std::vector<Placed> formationsOf(const Preferences &prefs)
{
    std::vector<Placed> all;
    for (size_t f = 0; f < size_t(prefs.FormationCount); ++f) {
        Placed placed;
        for (size_t k = 0; k < 10; ++k) {
            placed.offense[k] = {double(prefs.FormationX[f][k]), double(prefs.FormationY[f][k])};
            placed.defense[k] = {double(prefs.FormationX[f][k + 10]),
                                 double(prefs.FormationY[f][k + 10])};
        }
        all.push_back(placed);
    }
    return all;
}

TEST_F(FirstStart, FormationsPlaceEveryFielderWhereHePlaysOnTheDefaultField)
{
    const Preferences prefs = load();
    const std::vector<Placed> all = formationsOf(prefs);
    ASSERT_EQ(all.size(), 5u);
    const double ppf = field::kBaseballPixelsPerFoot;
    const double skin = field::kBaseballSkinFeet * ppf;
    const Point mound = field::kBaseballMound;
    for (size_t f = 0; f < all.size(); ++f) {
        const Placed &x = all[f];
        SCOPED_TRACE(prefs.FormationName[f]);
        std::vector<Point> everyone;
        for (size_t k = 0; k < 10; ++k) {
            if (x.on(x.offense[k]))
                everyone.push_back(x.offense[k]);
            if (x.on(x.defense[k]))
                everyone.push_back(x.defense[k]);
        }
        EXPECT_FALSE(x.on(x.defense[Spare]));
        ASSERT_GE(everyone.size(), 10u);
        for (size_t a = 0; a < everyone.size(); ++a) {
            // Wholly on the 400 x 373 picture, and no marker (15 pixels across) on another.
            EXPECT_TRUE(everyone[a].x >= 15 && everyone[a].x <= 385 && everyone[a].y >= 15
                        && everyone[a].y <= 358);
            for (size_t b = 0; b < a; ++b)
                EXPECT_GE(distance(everyone[a], everyone[b]), 28);
        }
        EXPECT_LE(distance(x.defense[P], mound), 1);
        EXPECT_LE(std::abs(x.defense[C].x - field::kPlate.x), 2);
        EXPECT_GT(x.defense[C].y, field::kPlate.y + 10) << "catcher behind the plate";
        // Corners by their bags, middle infielders either side of second base, all inside the
        // infield dirt; outfielders on the outfield grass.
        EXPECT_LE(distance(x.defense[B1], field::kFirst), 45);
        EXPECT_LE(distance(x.defense[B3], field::kThird), 45);
        EXPECT_GT(x.defense[B2].x, field::kSecond.x + 20);
        EXPECT_LT(x.defense[SS].x, field::kSecond.x - 20);
        for (int i : {B1, B2, B3, SS})
            EXPECT_LT(distance(x.defense[i], mound), skin) << i;
        for (int i : {LF, CF, RF})
            EXPECT_GT(distance(x.defense[i], mound), skin + 10) << i;
        EXPECT_LT(x.defense[LF].x, x.defense[CF].x - 60);
        EXPECT_GT(x.defense[RF].x, x.defense[CF].x + 60);
        // A right-handed batter in the box; runners lead off on their base paths.
        EXPECT_LE(distance(x.offense[0], field::kPlate), 25);
        for (int base = 1; base <= 3; ++base)
            if (x.on(x.offense[size_t(base)])) {
                EXPECT_LE(toSegment(x.offense[size_t(base)], field::kBases[base],
                                    field::kBases[(base + 1) % 4]),
                          8)
                    << "runner on base " << base;
            }
    }

    // A first baseman holding a runner stands on the corner of the bag toward the mound, and
    // the middle infielders play as deep in every formation that does not move them.
    const Point insideCorner{field::kFirst.x - field::kBag * field::kHalfSqrt2, field::kFirst.y};
    for (size_t f = 0; f < all.size(); ++f) {
        if (all[f].on(all[f].offense[1])) {
            EXPECT_LE(distance(all[f].defense[B1], insideCorner), 5) << prefs.FormationName[f];
        }
    }
    for (const Placed *x : {&all[0], &all[4]}) {
        const double depth2B = toLine(x->defense[B2], field::kFirst, field::kSecond) / ppf;
        const double depthSS = toLine(x->defense[SS], field::kSecond, field::kThird) / ppf;
        EXPECT_NEAR(depth2B, 24, 3);
        EXPECT_NEAR(depthSS, 24, 3);
    }

    // Each situation moves the fielders its name says.
    const Placed &standard = all[0], &doublePlay = all[1], &in = all[2], &bunt = all[3],
                 &noDoubles = all[4];
    const Point home = field::kPlate;
    for (int i : {B2, SS})
        EXPECT_LT(distance(doublePlay.defense[i], field::kSecond),
                  distance(standard.defense[i], field::kSecond) - 15);
    EXPECT_TRUE(doublePlay.on(doublePlay.offense[1]) && bunt.on(bunt.offense[1]));
    for (int i : {B1, B2, B3, SS})
        EXPECT_LT(distance(in.defense[i], home), distance(standard.defense[i], home) - 15 * ppf);
    EXPECT_TRUE(in.on(in.offense[3]));
    EXPECT_LT(distance(bunt.defense[B3], home), distance(standard.defense[B3], home) - 30 * ppf);
    EXPECT_GT(bunt.defense[B2].x, standard.defense[B2].x) << "cheating toward first";
    for (int i : {LF, CF, RF})
        EXPECT_GT(distance(noDoubles.defense[i], home), distance(standard.defense[i], home) + 20);
    // The corners guard the foul lines.
    const Point rightLine = field::fromLines(field::kBasePath, 0);
    const Point leftLine = field::fromLines(0, field::kBasePath);
    EXPECT_LT(toLine(noDoubles.defense[B1], field::kHome, rightLine),
              toLine(standard.defense[B1], field::kHome, rightLine) - 5);
    EXPECT_LT(toLine(noDoubles.defense[B3], field::kHome, leftLine),
              toLine(standard.defense[B3], field::kHome, leftLine) - 5);
}

} // namespace
} // namespace kinetra
