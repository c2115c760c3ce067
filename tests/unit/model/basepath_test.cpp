#include "model/basepath.h"

#include "prefs/defaultfield.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kinetra {
namespace {

enum Base { H, F, S, T }; // home, first, second, third
using Weights = std::array<float, 4>; // a spot as weights of the bases, adding up to 1

struct Diamond
{
    const char *name;
    std::array<LinePoint, 4> bases;

    LinePoint at(Weights w) const
    {
        LinePoint p;
        for (size_t b = 0; b < 4; ++b)
            p = {p.x + w[b] * bases[b].x, p.y + w[b] * bases[b].y};
        return p;
    }

    // The bases rounded on a line between two spots, with reach a quarter of the way from home
    // to first (about the editor's hit distance on the shipped field), and the bases expected.
    void expect(Weights start, Weights end, const std::vector<int> &rounded) const
    {
        const float reach = std::hypot(bases[F].x - bases[H].x, bases[F].y - bases[H].y) / 4;
        EXPECT_EQ(roundedBases(at(start), at(end), bases, reach), rounded) << name;
    }
};

// The shipped full field, and a smaller one elsewhere with first base on the left.
const Diamond kDiamonds[] = {
    {"shipped",
     {{{float(field::kPlate.x), float(field::kPlate.y)},
       {float(field::kFirst.x), float(field::kFirst.y)},
       {float(field::kSecond.x), float(field::kSecond.y)},
       {float(field::kThird.x), float(field::kThird.y)}}}},
    {"mirrored", {{{300, 40}, {240, 100}, {300, 160}, {360, 100}}}},
};

Weights near(int base, float across)
{
    Weights w{};
    w[size_t(base)] = 1 - across;
    w[size_t(base + 2) % 4] = across;
    return w;
}

TEST(BasePathTest, FromEachBaseToEachOtherRoundsTheBasesBetween)
{
    // [from][to]: home after third is home; the start base or an earlier one gets none.
    const std::vector<int> expected[4][4] = {
        {{}, {}, {F}, {F, S}},
        {{S, T}, {}, {}, {S}},
        {{T}, {}, {}, {}},
        {{}, {}, {}, {}},
    };
    for (const Diamond &d : kDiamonds)
        for (int from = 0; from < 4; ++from)
            for (int to = 0; to < 4; ++to)
                // At the bases, and near them: a tenth of the way across the diamond.
                for (float across : {0.0f, 0.1f}) {
                    SCOPED_TRACE(testing::Message() << from << " to " << to << " " << across);
                    d.expect(near(from, across), near(to, across), expected[from][to]);
                }
}

struct PastCase
{
    const char *name;
    Weights start, end;
    std::vector<int> bends;
};

void PrintTo(const PastCase &c, std::ostream *os)
{
    *os << c.name;
}

class BasePathPast : public testing::TestWithParam<PastCase>
{};

TEST_P(BasePathPast, RoundsTheBasesPassed)
{
    for (const Diamond &d : kDiamonds)
        d.expect(GetParam().start, GetParam().end, GetParam().bends);
}

const Weights kFirst{0, 1, 0, 0}, kSecond{0, 0, 1, 0}, kThird{0, 0, 0, 1}, kHome{1, 0, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Lines, BasePathPast,
    testing::Values(
        PastCase{"FirstPastThirdTowardHome", kFirst, {0.5f, 0, 0, 0.5f}, {S, T}},
        PastCase{"FirstPastThirdInsideTheLine", kFirst, {0.45f, 0, 0.1f, 0.45f}, {S, T}},
        PastCase{"FirstShortOfThird", kFirst, {0, 0, 0.3f, 0.7f}, {S}},
        PastCase{"FirstPastHome", kFirst, {1.3f, 0, 0, -0.3f}, {S, T, H}},
        PastCase{"SecondPastHome", kSecond, {1.3f, 0, 0, -0.3f}, {T, H}},
        PastCase{"HomePastFirst", kHome, {0, 0.65f, 0.35f, 0}, {F}},
        PastCase{"HomeDownTheLinePastFirst", kHome, {-0.6f, 1.6f, 0, 0}, {F}},
        PastCase{"HomePastSecondTowardThird", kHome, {0, 0, 0.6f, 0.4f}, {F, S}},
        PastCase{"SecondBehindThePlateOnTheThirdBaseSide", kSecond, {1.2f, -0.1f, -0.2f, 0.1f},
                 {T, H}},
        // Ends within reach of a base: rounded when a sixth of the way on to the next (more
        // than half the reach), not when a tenth, nor when run through down the line.
        PastCase{"SecondAFewStepsPastThird", kSecond, {1 / 6.0f, 0, 0, 5 / 6.0f}, {T}},
        PastCase{"HomeAFewStepsPastFirst", kHome, {0, 5 / 6.0f, 1 / 6.0f, 0}, {F}},
        PastCase{"FirstAFewStepsPastSecond", kFirst, {0, 0, 5 / 6.0f, 1 / 6.0f}, {S}},
        PastCase{"ThirdAFewStepsPastHome", kThird, {7 / 6.0f, 0, 0, -1 / 6.0f}, {H}},
        PastCase{"SecondToThirdAStepOn", kSecond, {0.1f, 0, 0, 0.9f}, {}},
        PastCase{"HomeThroughFirstDownTheLine", kHome, {-1 / 6.0f, 7 / 6.0f, 0, 0}, {}},
        PastCase{"StartNearButNotAtFirst", {0.2f, 0.8f, 0, 0}, {0, 0, 0.15f, 0.85f}, {S}},
        PastCase{"StartJustOutOfReach", {0.3f, 0.7f, 0, 0}, kThird, {}},
        PastCase{"StartAwayFromTheBases", {0.5f, 0, 0.5f, 0}, kThird, {}},
        PastCase{"FirstToTheMound", kFirst, {0.45f, 0.1f, 0.45f, 0}, {}},
        PastCase{"FirstBackTowardHome", kFirst, {0.3f, 0.7f, 0, 0}, {}},
        PastCase{"FirstBackTowardHomeInFoulGround", kFirst, {0.3f, 0.8f, 0, -0.1f}, {}},
        PastCase{"SecondBackPastFirst", kSecond, {-0.3f, 1.3f, 0, 0}, {}}),
    [](const testing::TestParamInfo<PastCase> &info) { return std::string(info.param.name); });

// A square diamond with its sides along the axes, a base path of 180 pixels: a sixth is 30, a
// third 60. Its
// middle is (190, 210); a bag 12 pixels wide has its inside corner 6, 6 from its middle. Its
// mirror image across x = 190 has first base on the left.
const std::array<LinePoint, 4> kSquare{{{100, 300}, {280, 300}, {280, 120}, {100, 120}}};
LinePoint mirrored(LinePoint p)
{
    return {380 - p.x, p.y};
}
constexpr float kSquareReach = 45;
constexpr float kSquareBag = 12;

struct BendCase
{
    const char *name;
    LinePoint start, end;
    std::vector<LinePoint> bends;
};

void PrintTo(const BendCase &c, std::ostream *os)
{
    *os << c.name;
}

class BananaTurn : public testing::TestWithParam<BendCase>
{};

TEST_P(BananaTurn, SwingsOutBeforeEachBaseRoundedAndTouchesItsInsideCorner)
{
    const BendCase &c = GetParam();
    const std::array<LinePoint, 4> mirror{mirrored(kSquare[0]), mirrored(kSquare[1]),
                                          mirrored(kSquare[2]), mirrored(kSquare[3])};
    for (bool flip : {false, true}) {
        auto place = [flip](LinePoint p) { return flip ? mirrored(p) : p; };
        const std::vector<LinePoint> bends = basePathBends(
            place(c.start), place(c.end), flip ? mirror : kSquare, kSquareReach, kSquareBag);
        ASSERT_EQ(bends.size(), c.bends.size()) << "mirrored " << flip;
        for (size_t i = 0; i < bends.size(); ++i) {
            EXPECT_NEAR(bends[i].x, place(c.bends[i]).x, 1e-3) << i << " mirrored " << flip;
            EXPECT_NEAR(bends[i].y, place(c.bends[i]).y, 1e-3) << i << " mirrored " << flip;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BananaTurn,
    testing::Values(
        // 30 into foul ground (below the line from home) 60 short of first, then its corner.
        BendCase{"HomePastFirst", {100, 300}, {280, 270}, {{220, 330}, {274, 294}}},
        // Toward the outfield (right of the line from first) before second, above before third.
        BendCase{"FirstToHome", {280, 300}, {100, 300}, {{310, 180}, {274, 126}, {160, 90},
                                                        {106, 126}}},
        BendCase{"SecondPastThird", {280, 120}, {100, 150}, {{160, 90}, {106, 126}}},
        // Into foul ground on the third-base side before home.
        BendCase{"ThirdPastHome", {100, 120}, {150, 330}, {{70, 240}, {106, 294}}},
        BendCase{"HomeToFirst", {100, 300}, {280, 300}, {}}),
    [](const testing::TestParamInfo<BendCase> &info) { return std::string(info.param.name); });

} // namespace
} // namespace kinetra
