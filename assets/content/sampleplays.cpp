// The sample plays that ship in the program folder's Plays, written for coaches to open, play
// back and learn from. Positions are pixels of the field pictures: on both full fields the
// diamond has home plate at (200, 339), first base at (284, 254), second at (200, 165) and
// third at (116, 254) (see prefs/defaultfield.h); captions stand on the stands in the lower
// left corner. Runners run the base paths and touch every base in order, a fielder who covers
// a base stands at the bag, every throw ends in a fielder's glove and a backup stands in line
// behind the fielder he backs up. A runner who rounds a base within a frame runs an arrow bent
// through the bag. The active-player mark is kept for the runner a frame's caption calls out.

#include "playbuilder.h"

#include "prefs/defaultfield.h"

#include <cmath>

namespace kinetra::content {

namespace {

constexpr int16_t kBaseballField = 0;
constexpr int16_t kSoftballField = 2;

// `pixels` along the base path from base `from` (0 home, 1 first, 2 second, 3 third) toward
// the next one.
Pt onPath(int from, float pixels)
{
    const field::Point a = field::kBases[from];
    const field::Point b = field::kBases[(from + 1) % 4];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    return {float(a.x + (b.x - a.x) / length * pixels),
            float(a.y + (b.y - a.y) / length * pixels)};
}

// How a runner who rounds base `b` (1 first .. 3 third) within a frame runs: his arrow bends a
// step before the bag and on the bag, so the curve keeps to the line and turns on the base, and
// it ends a short way past it. Short, so that the straight line from start to end, which a
// reader of the plain file layout draws instead of the curve, still keeps to the base path.
constexpr float kStepBeforeBag = 12;
constexpr float kRounded = 10;

Bends rounding(int b)
{
    const field::Point from = field::kBases[b - 1], bag = field::kBases[b];
    const float length = float(std::hypot(bag.x - from.x, bag.y - from.y));
    return {onPath(b - 1, length - kStepBeforeBag), {float(bag.x), float(bag.y)}};
}

// A point `pixels` past `to` on the line from `from` through `to`: where a backup stands.
Pt behind(Pt from, Pt to, float pixels)
{
    const float length = std::hypot(to.x - from.x, to.y - from.y);
    return {to.x + (to.x - from.x) / length * pixels, to.y + (to.y - from.y) / length * pixels};
}

// The point `t` of the way from `a` to `b`: where a cutoff man lines up.
Pt between(Pt a, Pt b, float t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

Pt base(int b)
{
    return {float(field::kBases[b].x), float(field::kBases[b].y)};
}

// Where people stand before the pitch.
constexpr Pt kBatter{178, 333};       // right-handed batter's box
// A runner on first leads off a long step further than the first baseman holding him reaches.
const Pt kLeadOffFirst = onPath(1, 35);
const Pt kLeadOffSecond = onPath(2, 20);
constexpr Pt kLeadOffThird{124, 272}; // a step off the line, in foul ground
constexpr Pt kPitcherBall{214, 246};  // ball in the pitcher's glove
constexpr Pt kPitchAtCatcher{200, 345}; // the pitch ends in the catcher's mitt
constexpr Pt kContact{196, 326};        // where the bat meets the ball
// The first baseman holding a runner: right foot on the inside corner of the bag.
constexpr Pt kHoldingFirst{282, 252};
// The third baseman near the bag with runners on, even with it and a step off the line.
constexpr Pt kThirdNearBag{112, 238};

// A baseball defence at the depth of 10- to 14-year-olds: corners a few steps behind their
// bags, middle infielders about 24 feet behind the base paths (the Standard Depth formation).
void baseballDefence(PlayBuilder &p)
{
    p.defense(D::P, {200, 258});
    p.defense(D::C, {200, 357});
    p.defense(D::First, {288, 226});
    p.defense(D::Second, {260, 179});
    p.defense(D::SS, {140, 179});
    p.defense(D::Third, {112, 226});
    p.defense(D::LF, {100, 118});
    p.defense(D::CF, {200, 78});
    p.defense(D::RF, {300, 118});
}

// A runner on first with the first baseman holding him.
void runnerOnFirst(PlayBuilder &p)
{
    p.defense(D::First, kHoldingFirst);
    p.offense(O::R1, kLeadOffFirst);
}

// Ten fielders of slow-pitch softball.
void softballDefence(PlayBuilder &p)
{
    p.defense(D::P, {200, 256});
    p.defense(D::C, {200, 357});
    p.defense(D::First, {296, 234});
    p.defense(D::Second, {248, 196});
    p.defense(D::SS, {152, 196});
    p.defense(D::Third, {104, 234});
    p.defense(D::SLF, {92, 132});
    p.defense(D::LCF, {158, 90});
    p.defense(D::RCF, {242, 90});
    p.defense(D::SRF, {308, 132});
}

// Where leading off is not allowed, plays that start with a lead wait for the pitch.
constexpr const char *kLeadingOff =
    "This play needs leading off. In many leagues for 12 and under a runner may not leave his "
    "base before the pitch reaches the batter; there, skip it or start the runners on the bag.";

PlayBuilder buntDefence()
{
    PlayBuilder p("BuntDefense.ktr", "Bunt Defense - Runner on First", kBaseballField,
                  LabelSet::Hardball);
    p.notes({"Sacrifice bunt expected with a runner on first (B2); B1 is the batter.",
             "Before the pitch the third baseman plays in on the grass and the second baseman "
             "cheats toward first. The first baseman holds the runner.",
             "On the pitch the first and third basemen charge, the second baseman covers first "
             "and the shortstop covers second. The pitcher breaks toward the plate.",
             "The catcher calls the play. Take the sure out at first unless the fielder is "
             "charging hard and the catcher calls \"Two!\".",
             "When the ball goes to the first-base side the third baseman hurries back to "
             "third; when he fields it himself the catcher covers third. The right fielder backs "
             "up first and the center fielder backs up second.",
             "Coaching points: corners charge on the pitch, not before; the fielder who covers "
             "first gives a target on the inside of the bag."});
    baseballDefence(p);
    runnerOnFirst(p);
    p.defense(D::Third, {144, 271}); // in on the grass
    p.defense(D::Second, {274, 184}); // cheating toward first
    p.defense(D::SS, {169, 167});     // a step toward second
    p.offense(O::Batter, kBatter);
    p.ball(kPitcherBall);

    const Pt fielded{232, 280}; // where the first baseman picks up the bunt
    const Pt atFirst{287, 249}; // the second baseman covering first
    p.caption("1. Pitch: corners charge");
    p.moveBall(kPitchAtCatcher, Line::Throw);
    p.runDefense(D::First, {250, 290});
    p.runDefense(D::Third, {160, 296});
    p.runDefense(D::P, {200, 276}); // off the mound as the pitch reaches the plate
    p.runDefense(D::Second, atFirst, Line::Cover);
    p.runDefense(D::SS, {186, 160}, Line::Cover);
    p.runOffense(O::R1, onPath(1, 50));
    p.snap();

    p.caption("2. Bunt toward first");
    p.ball(kContact);
    p.moveBall({fielded.x - 4, fielded.y + 4}, Line::Hit);
    p.runDefense(D::First, fielded);
    p.runDefense(D::P, {204, 296});
    p.runDefense(D::RF, behind(fielded, atFirst, 45), Line::BackUp);
    p.runDefense(D::CF, behind(fielded, base(2), 40), Line::BackUp);
    p.runOffense(O::Batter, onPath(0, 45));
    p.runOffense(O::R1, onPath(1, 78));
    p.snap();

    p.caption("3. Throw to 2B covering 1st");
    p.moveBall(atFirst, Line::Throw);
    p.runDefense(D::Third, {118, 250}, Line::Cover); // back to third behind the runner
    p.runOffense(O::Batter, onPath(0, 100));
    p.runOffense(O::R1, onPath(1, 106));
    p.snap();

    p.caption("B1 out at first, B2 on 2nd");
    p.active(O::Batter);
    p.snap();
    return p;
}

PlayBuilder firstAndThird()
{
    PlayBuilder p("FirstThird.ktr", "First and Third Defense - Second Baseman Cuts",
                  kBaseballField, LabelSet::Hardball);
    p.notes({"Runners on first (B2) and third (B4). B2 steals on the pitch.",
             "The catcher first looks the runner on third back to his base, then throws "
             "through toward second. The second baseman breaks to a spot in front of the bag on "
             "the line of the throw; the shortstop covers second.",
             "If B4 breaks for home, the second baseman cuts the throw and fires home. If B4 "
             "holds, he lets it go through to the shortstop for the tag on B2.",
             "The pitcher ducks out of the line of the throw and then backs up home; the "
             "center fielder backs up second. Everyone yells \"Four!\" when the runner on third "
             "breaks.",
             kLeadingOff});
    baseballDefence(p);
    runnerOnFirst(p);
    p.defense(D::Third, kThirdNearBag);
    p.offense(O::Batter, kBatter);
    p.offense(O::R3, kLeadOffThird);
    p.ball(kPitcherBall);

    const Pt cut{201, 212}; // in front of second, on the line of the throw
    const Pt atPlate{200, 334};
    p.caption("1. B2 steals on the pitch");
    p.moveBall(kPitchAtCatcher, Line::Throw);
    p.runOffense(O::R1, onPath(1, 58), Line::Steal);
    p.runDefense(D::Second, cut);
    p.runDefense(D::SS, {188, 160}, Line::Cover);
    p.runDefense(D::P, {232, 268}); // out of the line of the throw
    p.snap();

    p.caption("2. Catcher throws through");
    p.moveBall(cut, Line::Throw);
    p.runDefense(D::CF, behind(kPitchAtCatcher, base(2), 36), Line::BackUp);
    p.runOffense(O::R3, onPath(3, 55));
    p.runOffense(O::R1, onPath(1, 92));
    p.snap();

    p.caption("3. 2B cuts, throws home");
    p.moveBall(atPlate, Line::Throw);
    p.runDefense(D::C, atPlate, Line::Cover);
    p.runDefense(D::P, behind(cut, atPlate, 23), Line::BackUp);
    p.runOffense(O::R3, onPath(3, 95));
    p.runOffense(O::Batter, {164, 352}); // the batter clears out of the runner's way
    p.snap();

    p.caption("B4 tagged out at home");
    p.active(O::R3);
    p.snap();
    return p;
}

PlayBuilder relayGap()
{
    PlayBuilder p("RelayGap.ktr", "Relay - Ball in the Left-Center Gap", kBaseballField,
                  LabelSet::Hardball);
    p.notes({"Nobody on. B1 drives the ball into the left-center gap and tries for third.",
             "The center fielder and left fielder both go; the one with the better angle "
             "fields it, the other backs up behind him toward the wall. The shortstop goes out "
             "as the relay man and lines up between the ball and third base, arms up.",
             "The second baseman covers second, the third baseman takes the bag and the "
             "pitcher backs up third in foul ground.",
             "One strong throw to the relay, one to the base: two good throws beat one long "
             "throw."});
    baseballDefence(p);
    p.offense(O::Batter, kBatter);
    p.ball(kContact);

    const Pt ball{152, 92};
    const Pt fielder{156, 90};
    const Pt relay = between(fielder, base(3), 0.3f);
    const Pt atThird{111, 249};
    // The batter rounds first as the ball reaches the gap, second as it reaches the relay man,
    // and slides into third as the relay arrives.
    p.caption("1. Ball hit to the gap");
    p.moveBall(ball, Line::Hit);
    p.runOffense(O::Batter, onPath(1, kRounded), Line::Run, rounding(1));
    p.runDefense(D::CF, fielder);
    p.runDefense(D::LF, behind(kContact, ball, 32), Line::BackUp); // off the throwing lane
    p.runDefense(D::SS, relay); // on the line from the ball to third
    p.runDefense(D::Third, atThird, Line::Cover);
    p.snap();

    p.caption("2. Throw to the relay man");
    p.moveBall(relay, Line::Throw);
    p.runOffense(O::Batter, onPath(2, kRounded), Line::Run, rounding(2));
    p.runDefense(D::Second, {212, 157}, Line::Cover); // behind the bag, clear of the runner
    p.runDefense(D::P, behind(relay, atThird, 34), Line::BackUp); // in foul ground
    p.snap();

    p.caption("3. Relay to third");
    p.moveBall(atThird, Line::Throw);
    p.runOffense(O::Batter, onPath(2, 100));
    p.snap();

    p.caption("B1 tagged out at third");
    p.active(O::Batter);
    p.snap();
    return p;
}

PlayBuilder rundown()
{
    PlayBuilder p("Rundown.ktr", "Rundown Between Third and Home", kBaseballField,
                  LabelSet::Hardball);
    p.notes({"B4 is caught between third and home after a ball back to the pitcher.",
             "Run the runner back toward third, the base he came from, with the ball held "
             "high so the receiver sees it. Make him commit at full speed.",
             "Throw and follow: after a throw, go to the end of the line behind the base you "
             "threw to. Here the pitcher throws to third and follows his throw to the bag; the "
             "catcher stays at the plate.",
             "The fielder with the ball runs hard at the runner before he throws, so the "
             "runner cannot stop and turn. Aim for no more than two throws. Never fake a "
             "throw: it fools your own fielder."});
    baseballDefence(p);
    p.defense(D::Third, {112, 240});
    p.defense(D::C, {200, 352});
    p.offense(O::R3, onPath(3, 55));
    p.ball(kPitcherBall);

    // The third baseman meets the throw a step off the bag, inside the line, so the throw
    // does not cross the runner.
    const Pt catchAt{134, 258};
    const Pt atPlate{192, 328};
    p.caption("1. Run him back to third");
    p.runDefense(D::P, {172, 272});
    p.carryBall({178, 268});
    p.runOffense(O::R3, onPath(3, 40));
    p.runDefense(D::C, {200, 336}, Line::Cover);
    p.snap();

    // The runner turns for home as the throw reaches third, and the pitcher follows his throw
    // to the bag.
    p.caption("2. Throw to 3B, P follows it");
    p.moveBall(catchAt, Line::Throw);
    p.runDefense(D::Third, catchAt);
    p.runDefense(D::P, {110, 246}, Line::Cover);
    p.snap();

    p.caption("3. 3B runs him at full speed");
    p.runDefense(D::Third, {156, 292});
    p.carryBall({162, 292});
    p.runOffense(O::R3, onPath(3, 78));
    p.snap();

    p.caption("4. Throw home, tag");
    p.moveBall(atPlate, Line::Throw);
    p.runDefense(D::C, atPlate);
    p.snap();

    p.caption("B4 out, two throws");
    p.active(O::R3);
    p.snap();
    return p;
}

PlayBuilder pickoffFirst()
{
    PlayBuilder p("PickoffFirst.ktr", "Pickoff at First", kBaseballField, LabelSet::Hardball);
    p.notes({"Runner on first (B2) with a long lead.",
             "The first baseman holds the runner: right foot against the inside corner of the "
             "bag, glove up as a target.",
             "The pitcher steps off or throws from the set. The throw goes low, at the bag on "
             "the runner's side, where the tag comes down on the runner's hand.",
             "The right fielder moves in to back up a throw that gets away; the second "
             "baseman cheats toward first.",
             kLeadingOff});
    baseballDefence(p);
    runnerOnFirst(p);
    p.offense(O::Batter, kBatter);
    p.ball(kPitcherBall);

    p.offense(O::R1, onPath(1, 22));
    p.caption("1. Runner takes his lead");
    p.runOffense(O::R1, onPath(1, 40));
    p.snap();

    p.caption("2. Throw to first");
    p.moveBall({278, 252}, Line::Throw);
    p.runOffense(O::R1, onPath(1, 22)); // diving back
    p.runDefense(D::RF, behind(kPitcherBall, kHoldingFirst, 40), Line::BackUp);
    p.runDefense(D::Second, {268, 204}, Line::Shift);
    p.snap();

    p.caption("3. Tag low on the hand");
    p.carryBall({272, 246});
    p.snap();

    p.caption("B2 picked off: out");
    p.active(O::R1);
    p.snap();
    return p;
}

PlayBuilder doublePlay()
{
    PlayBuilder p("DoublePlay643.ktr", "6-4-3 Double Play", kBaseballField, LabelSet::Hardball);
    p.notes({"Runner on first (B2), fewer than two outs: middle infielders play at double-play "
             "depth, a few steps in and toward second.",
             "Ground ball to the shortstop. He fields it and feeds the second baseman chest "
             "high, underhand when he is close to the bag.",
             "The second baseman takes the throw on the move across the bag, clears the "
             "sliding runner and throws to first.",
             "The first baseman gets to the bag early and stretches only once he sees the "
             "throw. The catcher runs down the line in foul ground to back up first."});
    baseballDefence(p);
    runnerOnFirst(p);
    p.defense(D::Second, {237, 168});
    p.defense(D::SS, {163, 168});
    p.defense(D::Third, kThirdNearBag);
    p.offense(O::Batter, kBatter);
    p.ball(kPitcherBall);

    const Pt fielded{168, 190};
    const Pt feed{212, 158}; // the second baseman across the bag, clear of the slide
    const Pt atFirst{292, 246};
    p.caption("1. Double-play depth");
    p.moveBall(kPitchAtCatcher, Line::Throw);
    p.snap();

    p.caption("2. Ground ball to short");
    p.ball(kContact);
    p.moveBall({fielded.x + 4, fielded.y + 6}, Line::Hit);
    p.runDefense(D::SS, fielded);
    p.runDefense(D::Second, feed, Line::Cover);
    p.runDefense(D::First, atFirst, Line::Cover);
    p.runDefense(D::C, behind(feed, atFirst, 40), Line::BackUp);
    p.runOffense(O::R1, onPath(1, 72));
    p.runOffense(O::Batter, onPath(0, 50));
    p.snap();

    p.caption("3. Feed to second: one");
    p.moveBall(feed, Line::Throw);
    p.runOffense(O::R1, onPath(1, 86));
    p.runOffense(O::Batter, onPath(0, 80));
    p.snap();

    p.caption("4. Relay to first: two");
    p.moveBall(atFirst, Line::Throw);
    p.runOffense(O::R1, onPath(1, 100)); // slides into the bag under the throw
    p.runOffense(O::Batter, onPath(0, 106));
    p.snap();

    p.caption("Double play");
    p.snap();
    return p;
}

PlayBuilder hitAndRun()
{
    PlayBuilder p("HitAndRun.ktr", "Hit and Run", kBaseballField, LabelSet::Hardball);
    p.notes({"Offense: runner on first (B2), batter B1 ahead in the count.",
             "The runner goes with the pitch, not before: he looks in once after three steps "
             "to find the ball.",
             "The runner's break pulls the second baseman to cover second. The batter must "
             "swing and hit the ball on the ground, behind the runner, through the hole the "
             "second baseman left.",
             "The right fielder throws to second to keep the batter at first; the runner, "
             "already past second, goes on to third.",
             "Result when it works: runners on first and third instead of a double play.",
             kLeadingOff});
    baseballDefence(p);
    runnerOnFirst(p);
    p.defense(D::Third, kThirdNearBag);
    p.offense(O::Batter, kBatter);
    p.ball(kPitcherBall);

    const Pt atSecond{214, 166};
    p.caption("1. Runner goes on the pitch");
    p.moveBall(kPitchAtCatcher, Line::Throw);
    p.runOffense(O::R1, onPath(1, 60));
    p.runDefense(D::Second, atSecond, Line::Cover);
    p.runDefense(D::SS, behind(kPitchAtCatcher, base(2), 26), Line::BackUp);
    p.snap();

    // The runner touches second as the ball gets through, and goes on to third on the throw.
    p.caption("2. Hit behind the runner");
    p.ball(kContact);
    p.moveBall({288, 152}, Line::Hit);
    p.runOffense(O::Batter, onPath(0, 90));
    p.runOffense(O::R1, onPath(2, 14), Line::Run, rounding(2));
    p.runDefense(D::First, {270, 222}); // dives, the ball gets by
    p.runDefense(D::RF, {294, 144});
    p.snap();

    p.caption("3. Runner takes third");
    p.moveBall(atSecond, Line::Throw);
    p.runOffense(O::R1, onPath(3, 6), Line::Run, {base(3)});
    p.runOffense(O::Batter, onPath(0, 112)); // on first
    p.snap();

    p.caption("First and third, no outs");
    p.snap();
    return p;
}

PlayBuilder squeeze()
{
    PlayBuilder p("SqueezePlay.ktr", "Suicide Squeeze", kBaseballField, LabelSet::Hardball);
    p.notes({"Offense: runner on third (B4), fewer than two outs, a good bunter at the plate.",
             "B4 breaks for home as the pitcher's arm comes forward, not sooner, or the pitcher "
             "can throw a pitch-out.",
             "B1 must bunt the pitch wherever it is: on the ground, away from the pitcher, "
             "toward first base.",
             "The defence can only take the out at first: the second baseman covers first and "
             "the right fielder backs him up.",
             kLeadingOff});
    baseballDefence(p);
    p.defense(D::Third, {108, 232});
    p.offense(O::Batter, kBatter);
    p.offense(O::R3, kLeadOffThird);
    p.ball(kPitcherBall);

    const Pt fielded{246, 262};
    const Pt atFirst{287, 249};
    p.caption("1. Runner breaks on release");
    p.moveBall(kPitchAtCatcher, Line::Throw);
    p.runOffense(O::R3, onPath(3, 50));
    p.snap();

    p.caption("2. Bunt toward first");
    p.ball(kContact);
    p.moveBall({fielded.x - 4, fielded.y + 6}, Line::Hit);
    p.runOffense(O::R3, onPath(3, 95));
    p.runOffense(O::Batter, onPath(0, 45));
    p.runDefense(D::First, fielded);
    p.runDefense(D::P, {214, 282});
    p.runDefense(D::Second, atFirst, Line::Cover);
    p.runDefense(D::RF, behind(fielded, atFirst, 40), Line::BackUp);
    p.snap();

    p.caption("3. Run scores, throw to first");
    p.moveBall(atFirst, Line::Throw);
    p.runOffense(O::R3, {230, 352}, Line::Run, {base(0)}); // scores, clears the plate
    p.runOffense(O::Batter, onPath(0, 100));
    p.snap();

    p.caption("Run in, B1 out at first");
    p.active(O::Batter);
    p.snap();
    return p;
}

PlayBuilder softballCutoff()
{
    PlayBuilder p("SoftballCutoff.ktr", "Softball - Single to Right, Runner on Second",
                  kSoftballField, LabelSet::Softball);
    p.notes({"Slow-pitch softball with ten fielders. Runner on second (B3), B1 singles to right.",
             "In slow-pitch a runner may not leave his base until the pitch is hit or reaches "
             "the plate, so B3 starts on the bag.",
             "The right fielder charges and throws home through the cutoff. The first baseman "
             "is the cutoff: on the line from the ball to home, about two thirds of the way.",
             "The catcher reads the runner and calls \"Cut!\" (cutoff throws to second to stop "
             "the batter) or lets the throw come home.",
             "The shortstop covers second and the second baseman covers first. The "
             "right-center fielder backs up the right fielder; the pitcher backs up home.",
             "B3 rounds third and B1 rounds first as the ball reaches the right fielder; when "
             "the throw goes through to the plate, B1 takes second on it."});
    softballDefence(p);
    p.offense(O::Batter, kBatter);
    p.offense(O::R2, {203, 170}); // on the bag
    p.ball(kContact);

    const Pt ball{300, 178};
    const Pt fielder{300, 162};
    const Pt atPlate{206, 334};
    const Pt cutoff = between(fielder, atPlate, 0.62f);
    // The runner rounds third and the batter first as the ball reaches the right fielder; the
    // catcher comes up to the plate, and the pitcher backs him up in line with the throw.
    p.caption("1. Single to right");
    p.moveBall(ball, Line::Hit);
    p.runOffense(O::Batter, onPath(1, kRounded), Line::Run, rounding(1));
    p.runOffense(O::R2, onPath(3, kRounded), Line::Run, rounding(3));
    p.runDefense(D::SRF, fielder);
    p.runDefense(D::RCF, behind(kContact, fielder, 40), Line::BackUp);
    p.runDefense(D::First, cutoff); // the cutoff, on the line to home
    p.runDefense(D::C, atPlate, Line::Cover);
    p.runDefense(D::SS, {188, 160}, Line::Cover);
    p.runDefense(D::Second, {296, 248}, Line::Cover);
    p.runDefense(D::P, behind(fielder, atPlate, 22), Line::BackUp);
    p.snap();

    p.caption("2. Throw through the cutoff");
    p.moveBall(atPlate, Line::Throw);
    p.runOffense(O::R2, onPath(3, 96));
    p.runOffense(O::Batter, onPath(1, 60));
    p.snap();

    p.caption("3. Tag: B3 out, B1 takes 2nd");
    p.active(O::R2);
    p.runOffense(O::Batter, onPath(1, 106));
    p.snap();

    p.caption("B3 out at the plate, B1 on 2nd");
    p.active(O::R2);
    p.snap();
    return p;
}

PlayBuilder cutoffHome()
{
    PlayBuilder p("CutoffHome.ktr", "Single to Left - 3B Cuts the Throw Home", kBaseballField,
                  LabelSet::Hardball);
    p.notes({"Runner on second (B3), B1 singles to left. The left fielder charges the ball and "
             "throws home, low and on a line, through the cutoff.",
             "The third baseman is the cutoff on a hit to left: he lines up on the line from the "
             "ball to home, about 40 feet from the plate, arms up. On a hit to center or right "
             "the first baseman is the cutoff and the third baseman stays at third.",
             "The shortstop covers third, the second baseman covers second, the first baseman "
             "stays at first for the batter, the center fielder backs up the left fielder and "
             "the pitcher backs up home behind the catcher.",
             "The catcher decides: no call, let it go home; \"Cut!\", catch it and hold; "
             "\"Cut two!\", catch it and throw to second. Here the runner scores easily, so he "
             "calls \"Cut two!\" and the batter who tries for second is out."});
    baseballDefence(p);
    p.offense(O::Batter, kBatter);
    p.offense(O::R2, kLeadOffSecond);
    p.ball(kContact);

    const Pt ball{114, 152};
    const Pt fielder{110, 148};
    const Pt atPlate{194, 328};
    const Pt cutoff = between(fielder, atPlate, 0.62f);
    const Pt atSecond{204, 168};
    p.caption("1. Single to left");
    p.moveBall(ball, Line::Hit);
    p.runDefense(D::LF, fielder);
    p.runDefense(D::CF, behind(kContact, fielder, 40), Line::BackUp);
    p.runDefense(D::Third, cutoff);
    p.runDefense(D::SS, {106, 246}, Line::Cover);
    p.runDefense(D::Second, atSecond, Line::Cover);
    p.runDefense(D::First, {294, 262}, Line::Cover);
    p.runDefense(D::C, atPlate, Line::Cover);
    p.runDefense(D::P, behind(fielder, atPlate, 28), Line::BackUp);
    p.runOffense(O::Batter, onPath(1, kRounded), Line::Run, rounding(1));
    p.runOffense(O::R2, onPath(3, 16), Line::Run, rounding(3));
    p.snap();

    p.caption("2. Catcher calls \"Cut two!\"");
    p.moveBall(cutoff, Line::Throw);
    p.runOffense(O::R2, onPath(3, 80));
    p.runOffense(O::Batter, onPath(1, 45));
    p.snap();

    p.caption("3. 3B cuts, throws to second");
    p.moveBall(atSecond, Line::Throw);
    p.runOffense(O::R2, {230, 352}, Line::Run, {base(0)}); // scores, clears the plate
    p.runOffense(O::Batter, onPath(1, 95));
    p.snap();

    p.caption("Run scores, B1 out at second");
    p.active(O::Batter);
    p.snap();
    return p;
}

PlayBuilder cutoffThird()
{
    PlayBuilder p("CutoffThird.ktr", "Single to Right - SS Cuts the Throw to Third",
                  kBaseballField, LabelSet::Hardball);
    p.notes({"Runner on first (B2), B1 singles to right and B2 tries for third.",
             "The right fielder charges the ball and throws to third through the cutoff. The "
             "shortstop is the cutoff: he lines up on the line from the ball to third, arms up.",
             "The third baseman takes the bag and calls: \"Let it go!\" when the throw will beat "
             "the runner, \"Cut!\" when it will not, so the batter cannot take second on it.",
             "The second baseman covers second, the first baseman stays at first for the batter, "
             "the center fielder backs up the right fielder and the pitcher backs up third in "
             "foul ground."});
    baseballDefence(p);
    runnerOnFirst(p);
    p.offense(O::Batter, kBatter);
    p.ball(kContact);

    const Pt ball{292, 152};
    const Pt fielder{296, 146};
    const Pt atThird{108, 251};
    const Pt cutoff = between(fielder, atThird, 0.56f);
    p.caption("1. Single to right");
    p.moveBall(ball, Line::Hit);
    p.runDefense(D::RF, fielder);
    p.runDefense(D::CF, behind(kContact, fielder, 40), Line::BackUp);
    p.runDefense(D::SS, cutoff);
    p.runDefense(D::Third, atThird, Line::Cover);
    p.runDefense(D::Second, {212, 157}, Line::Cover);
    p.runDefense(D::First, {294, 262}, Line::Cover); // the bag, clear of the batter
    p.runDefense(D::P, behind(fielder, atThird, 34), Line::BackUp);
    p.runOffense(O::Batter, onPath(1, kRounded), Line::Run, rounding(1));
    p.runOffense(O::R1, onPath(2, kRounded), Line::Run, rounding(2));
    p.snap();

    p.caption("2. Throw to third, \"Let it go!\"");
    p.moveBall(atThird, Line::Throw);
    p.runOffense(O::R1, onPath(2, 102));
    p.runOffense(O::Batter, onPath(1, 20));
    p.snap();

    p.caption("B2 tagged out at third");
    p.active(O::R1);
    p.snap();
    return p;
}

PlayBuilder pitcherCoversFirst()
{
    PlayBuilder p("PitcherCoversFirst.ktr", "Pitcher Covers First - 3-1", kBaseballField,
                  LabelSet::Hardball);
    p.notes({"Nobody on. B1 hits a ground ball to the right side and the first baseman fields "
             "it away from the bag.",
             "The pitcher breaks for first on every ball hit to his left. He runs to a spot on "
             "the base line a few steps before the bag, then up the line to it, so he does not "
             "cross the runner's path.",
             "The first baseman tosses underhand, chest high, early enough that the pitcher "
             "catches it before he reaches the bag. The pitcher touches the inside of the bag "
             "with his right foot and turns toward the infield, away from the runner.",
             "The second baseman backs up the first baseman and the catcher runs down the line "
             "in foul ground to back up the toss."});
    baseballDefence(p);
    p.offense(O::Batter, kBatter);
    p.ball(kPitcherBall);

    const Pt fielded{270, 214};
    const Pt line{262, 272}; // inside the base line, a few steps before the bag
    const Pt atFirst{288, 248};
    p.caption("1. Pitch");
    p.moveBall(kPitchAtCatcher, Line::Throw);
    p.snap();

    p.caption("2. Ground ball to first");
    p.ball(kContact);
    p.moveBall({fielded.x + 4, fielded.y + 6}, Line::Hit);
    p.runDefense(D::First, fielded);
    p.runDefense(D::P, line);
    p.runDefense(D::Second, behind(kContact, fielded, 34), Line::BackUp);
    p.runDefense(D::C, behind(fielded, atFirst, 40), Line::BackUp);
    p.runOffense(O::Batter, onPath(0, 40));
    p.snap();

    p.caption("3. Toss to the pitcher");
    p.moveBall(atFirst, Line::Throw);
    p.runDefense(D::P, atFirst, Line::Cover);
    p.runOffense(O::Batter, onPath(0, 96));
    p.snap();

    p.caption("B1 out at first");
    p.active(O::Batter);
    p.snap();
    return p;
}

PlayBuilder passedBall()
{
    PlayBuilder p("PassedBall.ktr", "Passed Ball - Pitcher Covers Home", kBaseballField,
                  LabelSet::Hardball);
    p.notes({"Runner on third (B4). A pitch in the dirt gets past the catcher to the backstop.",
             "The catcher turns, runs to the ball and yells where it is. The pitcher sprints to "
             "home the moment the ball gets by and sets up in front of the plate on the "
             "third-base side, facing the runner, so the runner slides into the tag.",
             "The catcher throws to the pitcher chest high; the pitcher catches it, puts the tag "
             "down in front of the plate and gets his glove out of the way.",
             "The first and third basemen come in toward the plate in case the ball gets past "
             "the pitcher. Where runners may not lead off, B4 can still run once the pitch "
             "reaches the batter, so practise this play in every league."});
    baseballDefence(p);
    p.offense(O::Batter, kBatter);
    p.offense(O::R3, kLeadOffThird);
    p.ball(kPitcherBall);

    const Pt backstop{246, 360};
    const Pt cover{194, 327}; // in front of the plate, on the third-base side
    p.caption("1. Pitch in the dirt");
    p.moveBall(kPitchAtCatcher, Line::Throw);
    p.snap();

    p.caption("2. Past the catcher: P covers");
    p.ball(backstop);
    p.runDefense(D::C, {backstop.x + 6, backstop.y - 6});
    p.runDefense(D::P, cover, Line::Cover);
    p.runOffense(O::R3, onPath(3, 45));
    p.runOffense(O::Batter, {164, 352}); // out of the way
    p.snap();

    p.caption("3. Throw to the pitcher");
    p.moveBall(cover, Line::Throw);
    p.runOffense(O::R3, onPath(3, 84));
    p.runDefense(D::Third, {142, 280});
    p.runDefense(D::First, {258, 280});
    p.snap();

    p.caption("B4 tagged out at home");
    p.active(O::R3);
    p.snap();
    return p;
}

} // namespace

std::vector<PlayBuilder> samplePlays()
{
    return {buntDefence(), firstAndThird(), relayGap(), rundown(), pickoffFirst(),
            doublePlay(), hitAndRun(), squeeze(), softballCutoff(), cutoffHome(),
            cutoffThird(), pitcherCoversFirst(), passedBall()};
}

} // namespace kinetra::content
