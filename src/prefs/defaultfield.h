#pragma once

// Where things lie on the full-field pictures the program ships: Surface0, the baseball field
// every first start shows, and Surface2, the softball field. Both draw the diamond at the same
// place and size, so a play or a formation fits either. Everything is in pixels of the
// 400 x 373 surface, origin top left, y downwards. The picture generator draws from these
// figures, the formations of a first start and the sample plays are placed by them, and black
// and white finds the bases and lines of the pictures by them.

namespace kinetra::field {

/// The shipped pictures' size at their own density; their companions are two and four times
/// as large.
constexpr int kPictureWidth = 400;
constexpr int kPictureHeight = 373;

struct Point
{
    double x;
    double y;
};

constexpr double kHalfSqrt2 = 0.70710678118654752440;

/// The tip of home plate, where the foul lines meet.
constexpr Point kHome{200, 343};
/// Home to first base (and every other side of the diamond), pixels.
constexpr double kBasePath = 126;
/// The drawn edge of a base and the width of home plate, larger than life so they read.
constexpr double kBag = 7;
constexpr double kPlateWidth = 8;

/// The point `a` pixels along the first-base line and `b` along the third-base line from the
/// tip of home plate (so first base is near (kBasePath, 0) and second at (kBasePath, kBasePath)).
constexpr Point fromLines(double a, double b)
{
    return {kHome.x + (a - b) * kHalfSqrt2, kHome.y - (a + b) * kHalfSqrt2};
}

/// The centres of the bags: first and third lie in fair ground touching the lines, second on
/// its corner, home plate's centre half a plate in front of its tip.
constexpr Point kPlate{kHome.x, kHome.y - kPlateWidth / 2};
constexpr Point kFirst = fromLines(kBasePath - kBag / 2, kBag / 2);
constexpr Point kSecond = fromLines(kBasePath, kBasePath);
constexpr Point kThird = fromLines(kBag / 2, kBasePath - kBag / 2);

/// Bases in running order: home, first, second, third.
constexpr Point kBases[4] = {kPlate, kFirst, kSecond, kThird};

/// A diamond as a shipped picture draws it: the tip of home plate, home to first base, the
/// drawn edge of a base and the width of home plate, all in pixels. The foul lines run from
/// the tip through first and third base; first and third lie in fair ground touching them,
/// second is centred on its corner, and home plate's centre lies half a plate above its tip.
struct Diamond
{
    Point home;
    double basePath;
    double bag;
    double plateWidth;
};

/// The diamond of both full fields (Surface0 and Surface2).
inline constexpr Diamond kFullDiamond{kHome, kBasePath, kBag, kPlateWidth};
/// The baseball infield close-up (Surface1): 90 feet at two pixels a foot, home plate higher.
inline constexpr Diamond kCloseUpDiamond{{200, 330}, 180, 10, 12};

// The baseball field (Surface0). The infield is to scale: 90 feet from base to base.
constexpr double kBaseballPixelsPerFoot = kBasePath / 90;
/// Home to the front of the pitcher's plate, and the radius of the infield dirt measured
/// from there, in feet.
constexpr double kBaseballRubberFeet = 60.5;
constexpr double kBaseballSkinFeet = 95;
/// The pitcher's plate, straight up from home toward second base.
constexpr Point kBaseballMound{kHome.x, kHome.y - kBaseballRubberFeet * kBaseballPixelsPerFoot};
/// The outfield is drawn shallower than life so the fence fits: home to the centre field
/// fence and to the foul poles, pixels; the warning track runs inside the fence.
constexpr double kBaseballFenceCentre = 320;
constexpr double kBaseballFenceLine = 256;
constexpr double kBaseballTrack = 10;

} // namespace kinetra::field
