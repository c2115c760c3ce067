#include "prefs/firststart.h"

#include "model/rounding.h"
#include "prefs/defaultfield.h"
#include "prefs/preferencestore.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace kinetra {

namespace {

using field::Point;

// Colours as the store holds them: red in the low byte.
constexpr int rgb(int r, int g, int b)
{
    return r | g << 8 | b << 16;
}

struct ActionLook
{
    const char *label;
    int type; // 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot
    int size;
    int color;
    int endType; // 0 arrow head, 1 bar, 2 none
    bool followsBases;
};

// Colour says who moves (red the offence, blues the defence, black and purple the ball), and
// each kind has a stroke of its own besides: no two kinds share the same dash, width and end
// marker, and only Run is solid, so the eight dash patterns all differ and a page copied in
// grey, or printed in black and white, still tells every kind apart. The ball's paths are
// broken lines ending in an arrowhead (a dotted Hit, a dashed Throw); a fielder who goes to a
// base and holds there (Cover, Back Up, Shift) draws a thinner line ending in a bar. The names
// are short enough for the palette to show them whole, and all colours are dark or saturated
// enough to read on grass, on the infield dirt and on white paper. A runner's lines, Run and
// Steal, round the bases.
constexpr int kRed = rgb(220, 0, 0);
constexpr int kBlue = rgb(0, 0, 220);
const ActionLook kActionLooks[8] = {
    {"Run", 1, 3, kRed, 0, true},
    {"Hit", 3, 3, rgb(0, 0, 0), 0, false},
    {"Throw", 2, 3, rgb(170, 0, 190), 0, false},
    {"Field", 4, 3, kBlue, 0, false},
    {"Cover", 2, 2, rgb(0, 0, 120), 1, false},
    {"Back Up", 3, 2, kBlue, 1, false},
    {"Steal", 5, 3, kRed, 0, true},
    {"Shift", 4, 2, rgb(0, 120, 255), 1, false},
};

// Labels in the markers: the defence's blue fill takes white text.
constexpr int kDefenceText = rgb(255, 255, 255);

// ---- Placing people on the default field ----

constexpr double kPixelsPerFoot = field::kBaseballPixelsPerFoot;

// A point `feet` from the tip of home plate, `degrees` to the right of the line through
// second base (first base lies at 90 feet, 45 degrees).
Point infield(double feet, double degrees)
{
    const double r = feet * kPixelsPerFoot;
    const double a = degrees * std::numbers::pi / 180;
    return {field::kHome.x + r * std::sin(a), field::kHome.y - r * std::cos(a)};
}

// Where a ray from home at `degrees` leaves a circle of `radius` whose centre lies `centreUp`
// pixels above home on the line through second base.
double rayToCircle(double degrees, double centreUp, double radius)
{
    const double a = degrees * std::numbers::pi / 180;
    const double across = centreUp * std::sin(a);
    return centreUp * std::cos(a) + std::sqrt(radius * radius - across * across);
}

// A point on the outfield grass at `degrees` (as infield), `depth` of the way from the edge
// of the infield dirt (0) to the warning track (1). The outfield is not drawn to scale, so
// outfielders are placed by the picture's own grass.
Point outfield(double degrees, double depth)
{
    const double rubber = field::kBaseballRubberFeet * kPixelsPerFoot;
    const double skin = rayToCircle(degrees, rubber, field::kBaseballSkinFeet * kPixelsPerFoot);
    // The fence is the circle through both foul poles and the centre field fence.
    const double pole = field::kBaseballFenceLine * field::kHalfSqrt2;
    const double centre = field::kBaseballFenceCentre;
    const double fenceUp = (2 * pole * pole - centre * centre) / (2 * (pole - centre));
    const double wall = 2; // the padded wall the picture draws inside the fence
    const double track = rayToCircle(degrees, fenceUp,
                                      centre - fenceUp - wall - field::kBaseballTrack);
    const double r = skin + depth * (track - skin);
    const double a = degrees * std::numbers::pi / 180;
    return {field::kHome.x + r * std::sin(a), field::kHome.y - r * std::cos(a)};
}

Point offset(Point p, double dx, double dy)
{
    return {p.x + dx, p.y + dy};
}

// `pixels` from base `from` toward base `to`.
Point alongPath(Point from, Point to, double pixels)
{
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    return {from.x + dx / length * pixels, from.y + dy / length * pixels};
}

// Hardball defensive player numbers, as the labels above name them.
enum Fielder { P, C, First, Second, Third, SS, RF, CF, LF };
// Offensive players: the batter, and runners on first, second and third.
enum Runner { Batter, OnFirst, OnSecond, OnThird };

struct Formation
{
    const char *name;
    Point offense[10];
    Point defense[10];
};

// A formation with the players everyone agrees on: pitcher on the rubber, catcher behind the
// plate, a right-handed batter in the box; runners and the other fielders as the situation
// wants them.
Formation formation(const char *name)
{
    Formation f{name, {}, {}};
    f.defense[P] = field::kBaseballMound;
    f.defense[C] = offset(field::kPlate, 0, 18);
    f.offense[Batter] = offset(field::kPlate, -20, -5);
    return f;
}

void corners(Formation &f, Point first, Point third)
{
    f.defense[First] = first;
    f.defense[Third] = third;
}

void middle(Formation &f, Point second, Point shortstop)
{
    f.defense[Second] = second;
    f.defense[SS] = shortstop;
}

void outfielders(Formation &f, double depth)
{
    f.defense[LF] = outfield(-29, depth);
    f.defense[CF] = outfield(0, depth);
    f.defense[RF] = outfield(29, depth);
}

// Runner on first, leading off toward second, with the first baseman holding him on: right
// foot on the inside corner of the bag, the corner toward the mound.
void holdRunnerOnFirst(Formation &f)
{
    f.offense[OnFirst] = alongPath(field::kFirst, field::kSecond, 35);
    f.defense[First] = offset(field::kFirst, -2, -2);
}

// Normal depth for 10- to 14-year-olds: the middle infielders about 24 feet behind the base
// paths, the corners a few steps behind their bags.
void normalInfield(Formation &f)
{
    corners(f, infield(105, 37), infield(105, -37));
    middle(f, infield(125, 20), infield(125, -20));
}

std::vector<Formation> standardFormations()
{
    std::vector<Formation> all;

    Formation standard = formation("Standard Depth");
    normalInfield(standard);
    outfielders(standard, 0.5);
    all.push_back(standard);

    // Runner on first, fewer than two outs: the middle infielders come in and toward second,
    // so either reaches the bag in time to turn two; the third baseman plays near his bag.
    Formation doublePlay = formation("Double-Play Depth");
    holdRunnerOnFirst(doublePlay);
    doublePlay.defense[Third] = infield(98, -40);
    middle(doublePlay, infield(128, 12), infield(128, -12));
    outfielders(doublePlay, 0.5);
    all.push_back(doublePlay);

    // Runner on third, fewer than two outs: every infielder on the edge of the grass to throw
    // the runner out at home on a ground ball; the runner leads off in foul ground.
    Formation in = formation("Infield In");
    corners(in, infield(80, 35), infield(85, -33));
    middle(in, infield(95, 15), infield(95, -15));
    in.offense[OnThird] =
        offset(alongPath(field::kThird, field::kPlate, 18), -8 * field::kHalfSqrt2,
               8 * field::kHalfSqrt2);
    outfielders(in, 0.4);
    all.push_back(in);

    // Sacrifice bunt with a runner on first: the third baseman comes in on the grass, the first
    // baseman holds the runner and charges with the pitch, the second baseman cheats toward
    // first to cover it and the shortstop toward second.
    Formation bunt = formation("Bunt Defense");
    holdRunnerOnFirst(bunt);
    bunt.defense[Third] = infield(65, -38);
    middle(bunt, infield(125, 25), infield(128, -10));
    outfielders(bunt, 0.45);
    all.push_back(bunt);

    // Late in a close game: the outfield plays deep and the corners guard the lines, so
    // nothing gets behind anyone for extra bases.
    Formation noDoubles = formation("No Doubles");
    normalInfield(noDoubles);
    corners(noDoubles, infield(110, 41), infield(110, -41));
    outfielders(noDoubles, 0.85);
    all.push_back(noDoubles);

    return all;
}

QString lowerName(const QString &section, const QString &key)
{
    return (section + '/' + key).toLower();
}

} // namespace

FirstStartSettings::FirstStartSettings()
{
    for (int n = 0; n < 8; ++n) {
        const ActionLook &look = kActionLooks[n];
        put("Action", QString("Label%1").arg(n), look.label);
        put("Action", QString("Type%1").arg(n), QString::number(look.type));
        put("Action", QString("Size%1").arg(n), QString::number(look.size));
        put("Action", QString("Color%1").arg(n), QString::number(look.color));
        put("Action", QString("EndType%1").arg(n), QString::number(look.endType));
        put("Action", QString("FollowsBases%1").arg(n), storeText(look.followsBases));
    }

    put("PLAYER", "DPTcolr", QString::number(kDefenceText));
    Preferences builtIn;
    fillBuiltInLabelSets(builtIn);
    for (size_t k = 0; k < 10; ++k) {
        put("PLAYER", QString("OPLabel%1").arg(k), QString::fromStdString(builtIn.OPDef[0][k]));
        put("PLAYER", QString("DPLabel%1").arg(k), QString::fromStdString(builtIn.DPDef[0][k]));
    }

    const std::vector<Formation> formations = standardFormations();
    put("Formations", "Count", QString::number(formations.size()));
    for (size_t i = 0; i < formations.size(); ++i) {
        const Formation &f = formations[i];
        const int number = int(i + 1);
        put("Formations", QString("Name%1").arg(number), f.name);
        for (int slot = 1; slot <= 20; ++slot) {
            const Point p = slot <= 10 ? f.offense[slot - 1] : f.defense[slot - 11];
            // A player the formation does not place stays off the surface.
            put("Formations", QString("PlyX%1%2").arg(number).arg(slot),
                QString::number(toInt16(p.x)));
            put("Formations", QString("PlyY%1%2").arg(number).arg(slot),
                QString::number(toInt16(p.y)));
        }
    }
}

void FirstStartSettings::put(const QString &section, const QString &key, const QString &value)
{
    m_values[lowerName(section, key)] = value;
    m_keys[section.toLower()].append(key);
}

QString FirstStartSettings::read(const QString &section, const QString &key,
                                 const QString &defaultValue) const
{
    const auto it = m_values.find(lowerName(section, key));
    return it == m_values.end() ? defaultValue : it->second;
}

QStringList FirstStartSettings::keys(const QString &section) const
{
    const auto it = m_keys.find(section.toLower());
    return it == m_keys.end() ? QStringList() : it->second;
}

} // namespace kinetra
