#include "model/basepath.h"

#include "prefs/defaultfield.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kinetra {
namespace {

enum Base { H, F, S, T }; // home, first, second, third

// A diamond as the router sees it; reach is a quarter of the way from home to first, about the
// editor's hit distance on the shipped field.
struct Diamond
{
    const char *name;
    std::array<LinePoint, 4> bases;

    float reach() const { return std::hypot(bases[F].x - bases[H].x, bases[F].y - bases[H].y) / 4; }

    // The point weighted from the bases (weights add up to 1), so that one table describes the
    // same spot on every diamond.
    LinePoint at(std::array<float, 4> weights) const
    {
        LinePoint p;
        for (size_t b = 0; b < 4; ++b) {
            p.x += weights[b] * bases[b].x;
            p.y += weights[b] * bases[b].y;
        }
        return p;
    }

    // Which bases the bends lie on, in order; -1 for a bend on none.
    std::vector<int> basesOf(const std::vector<LinePoint> &bends) const
    {
        std::vector<int> found;
        for (const LinePoint &p : bends) {
            const auto it = std::find(bases.begin(), bases.end(), p);
            found.push_back(it == bases.end() ? -1 : int(it - bases.begin()));
        }
        return found;
    }
};

std::array<LinePoint, 4> shippedBases()
{
    std::array<LinePoint, 4> bases;
    for (size_t b = 0; b < 4; ++b)
        bases[b] = {float(field::kBases[b].x), float(field::kBases[b].y)};
    return bases;
}

// The shipped full field, and a smaller one elsewhere with first base on the left.
const Diamond kDiamonds[] = {
    {"shipped", shippedBases()},
    {"mirrored", {{{300, 40}, {240, 100}, {300, 160}, {360, 100}}}},
};

std::array<float, 4> only(Base b)
{
    std::array<float, 4> w{};
    w[b] = 1;
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
            for (int to = 0; to < 4; ++to) {
                SCOPED_TRACE(testing::Message() << d.name << " from " << from << " to " << to);
                // At the bases, and near them: a tenth of the way across the diamond.
                for (float off : {0.0f, 0.1f}) {
                    auto near = [&](int b) {
                        std::array<float, 4> w{};
                        w[size_t(b)] = 1 - off;
                        w[size_t(b + 2) % 4] = off;
                        return d.at(w);
                    };
                    EXPECT_EQ(d.basesOf(basePathBends(near(from), near(to), d.bases, d.reach())),
                              expected[from][to]);
                }
            }
}

struct PastCase
{
    const char *name;
    std::array<float, 4> start, end; // weights of home, first, second, third
    std::vector<int> bends;
};

class BasePathPast : public testing::TestWithParam<PastCase>
{};

TEST_P(BasePathPast, RoundsTheBasesPassed)
{
    const PastCase &c = GetParam();
    for (const Diamond &d : kDiamonds) {
        SCOPED_TRACE(d.name);
        EXPECT_EQ(d.basesOf(basePathBends(d.at(c.start), d.at(c.end), d.bases, d.reach())),
                  c.bends);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BasePathPast,
    testing::Values(
        PastCase{"FirstPastThirdTowardHome", only(F), {0.5f, 0, 0, 0.5f}, {S, T}},
        PastCase{"FirstPastThirdInsideTheLine", only(F), {0.45f, 0, 0.1f, 0.45f}, {S, T}},
        PastCase{"FirstShortOfThird", only(F), {0, 0, 0.3f, 0.7f}, {S}},
        PastCase{"FirstPastHome", only(F), {1.3f, 0, 0, -0.3f}, {S, T, H}},
        PastCase{"SecondPastHome", only(S), {1.3f, 0, 0, -0.3f}, {T, H}},
        PastCase{"HomePastFirst", only(H), {0, 0.65f, 0.35f, 0}, {F}},
        PastCase{"HomeDownTheLinePastFirst", only(H), {-0.6f, 1.6f, 0, 0}, {F}},
        PastCase{"HomePastSecondTowardThird", only(H), {0, 0, 0.6f, 0.4f}, {F, S}},
        PastCase{"StartNearButNotAtFirst", {0.2f, 0.8f, 0, 0}, {0, 0, 0.15f, 0.85f}, {S}},
        PastCase{"StartJustOutOfReach", {0.3f, 0.7f, 0, 0}, only(T), {}},
        PastCase{"StartAwayFromTheBases", {0.5f, 0, 0.5f, 0}, only(T), {}},
        PastCase{"FirstToTheMound", only(F), {0.45f, 0.1f, 0.45f, 0}, {}},
        PastCase{"FirstBackTowardHome", only(F), {0.3f, 0.7f, 0, 0}, {}},
        PastCase{"FirstBackTowardHomeInFoulGround", only(F), {0.3f, 0.8f, 0, -0.1f}, {}},
        PastCase{"SecondBackPastFirst", only(S), {-0.3f, 1.3f, 0, 0}, {}}),
    [](const testing::TestParamInfo<PastCase> &info) { return std::string(info.param.name); });

} // namespace
} // namespace kinetra
