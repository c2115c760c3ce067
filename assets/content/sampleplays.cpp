// The sample plays that ship in the program folder's Plays, written for coaches to open, play
// back and learn from. Positions are pixels of the field pictures: on both full fields the
// diamond has home plate at (200, 339), first base at (284, 254), second at (200, 165) and
// third at (116, 254) (see prefs/defaultfield.h); captions stand on the stands in the lower
// left corner. Runners run the base paths and touch every base in order, a fielder who covers
// a base stands at the bag, every throw ends in a fielder's glove and a backup stands in line
// behind the fielder he backs up. A runner who rounds a base within a frame runs an arrow bent
// through the bag.

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

// Where people stand before the pitch.
constexpr Pt kBatter{178, 333};       // right-handed batter's box
const Pt kLeadOffFirst = onPath(1, 24);
const Pt kLeadOffSecond = onPath(2, 20);
constexpr Pt kLeadOffThird{124, 272}; // a step off the line, in foul ground
constexpr Pt kPitcherBall{214, 246};  // ball in the pitcher's glove
constexpr Pt kPitchAtCatcher{200, 345}; // the pitch ends in the catcher's mitt
constexpr Pt kContact{196, 326};        // where the bat meets the ball

// A standard baseball defence.
void baseballDefence(PlayBuilder &p)
{
    p.defense(D::P, {200, 258});
    p.defense(D::C, {200, 357});
    p.defense(D::First, {300, 228});
    p.defense(D::Second, {250, 190});
    p.defense(D::SS, {150, 190});
    p.defense(D::Third, {100, 228});
    p.defense(D::LF, {100, 118});
    p.defense(D::CF, {200, 78});
    p.defense(D::RF, {300, 118});
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

PlayBuilder buntDefence()
{
    PlayBuilder p("BuntDefense.ktr", "Bunt Defense - Runner on First", kBaseballField,
                  LabelSet::Hardball);
    p.notes({"Sacrifice bunt expected with a runner on first (B2); B1 is the batter.",
             "On the pitch the first and third basemen charge, the second baseman covers first "
             "and the shortstop covers second. The pitcher breaks toward the plate.",
             "The catcher calls the play. Take the sure out at first unless the fielder is "
             "charging hard and the catcher calls \"Two!\".",
             "Coaching points: corners charge on the pitch, not before; the fielder who covers "
             "first gives a target on the inside of the bag."});
    baseballDefence(p);
    p.defense(D::First, {298, 244}); // holding the runner
    p.defense(D::Third, {108, 236});
    p.offense(O::Batter, kBatter);
    p.offense(O::R1, kLeadOffFirst);
    p.ball(kPitcherBall);

    p.caption("1. Pitch: corners charge");
    p.moveBall(kPitchAtCatcher, Line::Throw);
    p.runDefense(D::First, {250, 292});
    p.runDefense(D::Third, {150, 292});
    p.runDefense(D::P, {200, 274}); // off the mound as the pitch reaches the plate
    p.runDefense(D::Second, {286, 242}, Line::Cover); // at the bag
    p.runDefense(D::SS, {188, 170}, Line::Cover);
    p.snap();

    p.caption("2. Bunt toward first");
    p.moveBall({224, 298}, Line::Batted);
    p.runDefense(D::First, {232, 286});
    p.runDefense(D::P, {200, 290});
    p.runOffense(O::Batter, onPath(0, 45));
    p.runOffense(O::R1, onPath(1, 75));
    p.snap();

    p.caption("3. Throw to 2B covering 1st");
    p.moveBall({286, 247}, Line::Throw);
    p.runOffense(O::Batter, onPath(0, 103));
    p.runOffense(O::R1, onPath(1, 110));
    p.snap();

    p.caption("Out at first, runner on 2nd");
    p.snap();
    return p;
}

PlayBuilder firstAndThird()
{
    PlayBuilder p("FirstThird.ktr", "First and Third Defense - Second Baseman Cuts",
                  kBaseballField, LabelSet::Hardball);
    p.notes({"Runners on first (B2) and third (B4). B2 steals on the pitch.",
             "The catcher throws through toward second. The second baseman breaks to a spot in "
             "front of the bag on the line of the throw; the shortstop covers second.",
             "If B4 breaks for home, the second baseman cuts the throw and fires home. If B4 "
             "holds, he lets it go through to the shortstop for the tag on B2.",
             "The pitcher ducks out of the line of the throw. Everyone yells \"Four!\" when the "
             "runner on third breaks."});
    baseballDefence(p);
    p.defense(D::First, {298, 244});
    p.offense(O::Batter, kBatter);
    p.offense(O::R1, kLeadOffFirst);
    p.offense(O::R3, kLeadOffThird);
    p.ball(kPitcherBall);

    p.caption("1. B2 steals on the pitch");
    p.moveBall(kPitchAtCatcher, Line::Throw);
    p.runOffense(O::R1, onPath(1, 55));
    p.runDefense(D::Second, {206, 206}); // in front of the bag, on the line of the throw
    p.runDefense(D::SS, {188, 168}, Line::Cover);
    p.snap();

    p.caption("2. Catcher throws through");
    p.moveBall({206, 214}, Line::Throw);
    p.runDefense(D::P, {230, 272});
    p.runOffense(O::R3, onPath(3, 60));
    p.runOffense(O::R1, onPath(1, 95));
    p.snap();

    p.caption("3. 2B cuts, throws home");
    p.moveBall({191, 333}, Line::Throw);
    p.runOffense(O::R3, onPath(3, 88));
    p.runOffense(O::Batter, {164, 352}); // the batter clears out of the runner's way
    p.runDefense(D::C, {190, 337});
    p.snap();

    p.caption("B4 tagged out at home");
    p.active(10 + D::C);
    p.snap();
    return p;
}

PlayBuilder relayGap()
{
    PlayBuilder p("RelayGap.ktr", "Relay - Ball in the Left-Center Gap", kBaseballField,
                  LabelSet::Hardball);
    p.notes({"Nobody on. B1 drives the ball into the left-center gap and tries for third.",
             "The center fielder and left fielder both go; the one with the better angle "
             "fields it, the other backs up. The shortstop goes out as the relay man and lines "
             "up between the ball and third base, arms up.",
             "The second baseman covers second, the third baseman takes the bag and the "
             "pitcher backs up third in foul ground.",
             "One strong throw to the relay, one to the base: two good throws beat one long "
             "throw."});
    baseballDefence(p);
    p.offense(O::Batter, kBatter);
    p.ball(kContact);

    // The batter rounds first as the ball reaches the gap, second as it reaches the relay man,
    // and slides into third as the relay arrives.
    p.caption("1. Ball hit to the gap");
    p.moveBall({150, 82}, Line::Batted);
    p.runOffense(O::Batter, onPath(1, kRounded), Line::Runner, rounding(1));
    p.runDefense(D::LF, {132, 100});
    p.runDefense(D::CF, {166, 72});
    p.runDefense(D::SS, {140, 135}, Line::Cover); // on the line from the ball to third
    p.runDefense(D::Third, {109, 249}, Line::Cover);
    p.snap();

    p.caption("2. Throw to the relay man");
    p.moveBall({141, 130}, Line::Throw);
    p.runOffense(O::Batter, onPath(2, kRounded), Line::Runner, rounding(2));
    p.runDefense(D::Second, {224, 158}, Line::Cover); // behind the bag, clear of the runner
    p.runDefense(D::P, {108, 286}, Line::Cover);      // behind third, in line with the relay
    p.snap();

    p.caption("3. Relay to third");
    p.moveBall({111, 245}, Line::Throw);
    p.runOffense(O::Batter, onPath(2, 100));
    p.snap();

    p.caption("Tag at third");
    p.active(10 + D::Third);
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
             "threw to. The shortstop backs up third, the catcher comes up the line.",
             "Aim for no more than two throws. Never fake a throw: it fools your own fielder."});
    baseballDefence(p);
    p.defense(D::Third, {110, 240});
    p.defense(D::C, {196, 352});
    p.offense(O::R3, onPath(3, 50));
    p.ball(kPitcherBall);

    p.caption("1. Run him back to third");
    p.runDefense(D::P, {178, 278});
    p.carryBall({186, 272});
    p.runOffense(O::R3, onPath(3, 30));
    p.runDefense(D::SS, {86, 241}, Line::Cover); // behind third, in line with the throw
    p.snap();

    // The third baseman comes off the bag to meet the throw, so the runner turns for home.
    p.caption("2. Throw to third, 3B charges");
    p.moveBall({123, 252}, Line::Throw);
    p.runDefense(D::Third, {122, 256});
    p.runOffense(O::R3, onPath(3, 62));
    p.runDefense(D::P, {214, 318}, Line::Cover);
    p.runDefense(D::C, {184, 332}, Line::Fielder);
    p.snap();

    p.caption("3. Throw home, tag");
    p.moveBall({175, 326}, Line::Throw);
    p.runDefense(D::C, {174, 322});
    p.snap();

    p.caption("Out with two throws");
    p.active(10 + D::C);
    p.snap();
    return p;
}

PlayBuilder pickoffFirst()
{
    PlayBuilder p("PickoffFirst.ktr", "Pickoff at First", kBaseballField, LabelSet::Hardball);
    p.notes({"Runner on first (B2) with a long lead.",
             "The first baseman holds the runner: right foot against the inside corner of the "
             "bag, glove up as a target.",
             "The pitcher steps off or throws from the set. The throw goes low to the first "
             "baseman's glove side, where the tag comes down on the runner's hand.",
             "The right fielder moves in to back up a throw that gets away; the second "
             "baseman cheats toward first."});
    baseballDefence(p);
    p.defense(D::First, {298, 248});
    p.offense(O::Batter, kBatter);
    p.offense(O::R1, onPath(1, 32));
    p.ball(kPitcherBall);

    p.caption("1. Runner takes his lead");
    p.arrow(Line::Runner, onPath(1, 0), onPath(1, 32));
    p.active(O::R1);
    p.snap();

    p.caption("2. Throw to first");
    p.active(kNoActivePlayer);
    p.moveBall({292, 244}, Line::Throw);
    p.runOffense(O::R1, onPath(1, 12)); // diving back
    p.runDefense(D::RF, {326, 240}, Line::Cover); // behind first, in line with the throw
    p.runDefense(D::Second, {268, 204}, Line::Cover);
    p.snap();

    p.caption("3. Tag on the hand");
    p.runDefense(D::First, {292, 256});
    p.carryBall({284, 262});
    p.snap();

    p.caption("Runner picked off");
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
             "throw."});
    baseballDefence(p);
    p.defense(D::First, {298, 244});
    p.defense(D::Second, {238, 198});
    p.defense(D::SS, {162, 198});
    p.offense(O::Batter, kBatter);
    p.offense(O::R1, kLeadOffFirst);
    p.ball(kPitcherBall);

    p.caption("1. Double-play depth");
    p.moveBall(kPitchAtCatcher, Line::Throw);
    p.snap();

    p.caption("2. Ground ball to short");
    p.moveBall({176, 212}, Line::Batted);
    p.runOffense(O::R1, onPath(1, 70));
    p.runOffense(O::Batter, onPath(0, 50));
    p.runDefense(D::Second, {206, 172}, Line::Cover);
    p.runDefense(D::First, {296, 250}, Line::Cover);
    p.snap();

    p.caption("3. Feed to second: one");
    p.moveBall({203, 177}, Line::Throw);
    p.runOffense(O::R1, onPath(1, 88));
    p.runOffense(O::Batter, onPath(0, 83));
    p.snap();

    p.caption("4. Relay to first: two");
    p.moveBall({291, 246}, Line::Throw);
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
             "Result when it works: runners on first and third instead of a double play."});
    baseballDefence(p);
    p.defense(D::First, {298, 244});
    p.offense(O::Batter, kBatter);
    p.offense(O::R1, kLeadOffFirst);
    p.ball(kPitcherBall);

    p.caption("1. Runner goes on the pitch");
    p.moveBall(kPitchAtCatcher, Line::Throw);
    p.runOffense(O::R1, onPath(1, 45));
    p.runDefense(D::Second, {218, 176}, Line::Cover);
    p.runDefense(D::SS, {178, 146}, Line::Cover);
    p.active(O::R1);
    p.snap();

    // The runner touches second as the ball gets through, and goes on to third on the throw.
    p.caption("2. Hit behind the runner");
    p.active(O::Batter);
    p.moveBall({288, 152}, Line::Batted);
    p.runOffense(O::Batter, onPath(0, 90));
    p.runOffense(O::R1, onPath(2, kRounded), Line::Runner, rounding(2));
    p.runDefense(D::RF, {296, 140});
    p.snap();

    p.caption("3. Runner takes third");
    p.active(kNoActivePlayer);
    p.moveBall({183, 151}, Line::Throw);
    p.runOffense(O::R1, onPath(2, 116));
    p.runOffense(O::Batter, onPath(0, 112)); // on first, clear of the first baseman
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
             "The defence can only take the out at first: the second baseman covers first."});
    baseballDefence(p);
    p.defense(D::Third, {108, 236});
    p.offense(O::Batter, kBatter);
    p.offense(O::R3, kLeadOffThird);
    p.ball(kPitcherBall);

    p.caption("1. Runner breaks on release");
    p.moveBall(kPitchAtCatcher, Line::Throw);
    p.runOffense(O::R3, onPath(3, 50));
    p.active(O::R3);
    p.snap();

    p.caption("2. Bunt toward first");
    p.active(O::Batter);
    p.moveBall({236, 292}, Line::Batted);
    p.runOffense(O::R3, onPath(3, 95));
    p.runOffense(O::Batter, onPath(0, 45));
    p.runDefense(D::First, {254, 276});
    p.runDefense(D::P, {214, 282});
    p.runDefense(D::Second, {286, 242}, Line::Cover); // at the bag
    p.snap();

    p.caption("3. Run scores, out at first");
    p.active(kNoActivePlayer);
    p.moveBall({286, 247}, Line::Throw);
    p.runOffense(O::R3, {188, 343});
    p.runOffense(O::Batter, onPath(0, 103));
    p.snap();

    p.caption("Run in, one out");
    p.snap();
    return p;
}

PlayBuilder softballCutoff()
{
    PlayBuilder p("SoftballCutoff.ktr", "Softball - Single to Right, Runner on Second",
                  kSoftballField, LabelSet::Softball);
    p.notes({"Slow-pitch softball with ten fielders. Runner on second (B3), B1 singles to right.",
             "The right fielder charges and throws home through the cutoff. The first baseman "
             "is the cutoff: on the line from the ball to home, about two thirds of the way.",
             "The catcher reads the runner and calls \"Cut!\" (cutoff throws to second to stop "
             "the batter) or lets the throw come home.",
             "The right-center fielder backs up the right fielder; the pitcher backs up home.",
             "B3 rounds third and B1 rounds first as the ball reaches the right fielder; when "
             "the throw goes through to the plate, B1 takes second on it."});
    softballDefence(p);
    p.offense(O::Batter, kBatter);
    p.offense(O::R2, kLeadOffSecond);
    p.ball(kContact);

    // The runner rounds third and the batter first as the ball reaches the right fielder; the
    // catcher comes up to the plate, and the pitcher backs him up in line with the throw.
    p.caption("1. Single to right");
    p.moveBall({300, 178}, Line::Batted);
    p.runOffense(O::Batter, onPath(1, kRounded), Line::Runner, rounding(1));
    p.runOffense(O::R2, onPath(3, kRounded), Line::Runner, rounding(3));
    p.runDefense(D::SRF, {300, 160});
    p.runDefense(D::RCF, {316, 138});
    p.runDefense(D::First, {236, 282}, Line::Cover); // the cutoff, on the line to home
    p.runDefense(D::C, {210, 332}, Line::Cover);
    p.snap();

    p.caption("2. Throw through the cutoff");
    p.moveBall({238, 278}, Line::Throw);
    p.runDefense(D::P, {197, 357}, Line::Cover);
    p.runOffense(O::R2, onPath(3, 55));
    p.runOffense(O::Batter, onPath(1, 50));
    p.snap();

    p.caption("3. Let it go home");
    p.moveBall({209, 335}, Line::Throw);
    p.runOffense(O::R2, onPath(3, 100));
    p.runOffense(O::Batter, onPath(1, 118)); // into second on the throw home
    p.snap();

    p.caption("Tag at the plate");
    p.active(10 + D::C);
    p.snap();
    return p;
}

} // namespace

std::vector<PlayBuilder> samplePlays()
{
    return {buntDefence(), firstAndThird(), relayGap(), rundown(), pickoffFirst(),
            doublePlay(), hitAndRun(), squeeze(), softballCutoff()};
}

} // namespace kinetra::content
