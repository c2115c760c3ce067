#include "model/playconfig.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kinetra {
namespace {

constexpr LinePoint A{10, 20}, B{30, 40}, C{50, 60}, D{70, 80}, E{90, 100}, F{110, 120};

// Edits applied to a blank frame, and the frame they must leave: its lines and how they are
// kept (the standard items of each kind and ActionPaths).
struct EditCase
{
    const char *name;
    std::function<void(PlayConfig &)> edit;
    std::vector<ActionLine> lines;
    std::vector<ActionPath> paths;
};

class ActionLineEdits : public testing::TestWithParam<EditCase>
{};

TEST_P(ActionLineEdits, LeaveTheLinesWhereEveryReaderFindsThem)
{
    PlayConfig f;
    f.Blank_Frame();
    GetParam().edit(f);
    EXPECT_EQ(f.actionLines(), GetParam().lines);
    EXPECT_EQ(f.ActionPaths, GetParam().paths);
    EXPECT_EQ(f.actionLineCount(), int(GetParam().lines.size()));
    // A slot 0 entry is there for bends only; a kind with entries has its first line, so a
    // reader of the plain layout sees it.
    for (const ActionPath &path : f.ActionPaths) {
        EXPECT_TRUE(path.id.slot > 0 || !path.bends.empty()) << path.id.kind;
        EXPECT_TRUE(f.hasActionLine(path.id.kind)) << path.id.kind;
    }
    // The first line of each kind is the one in the standard items.
    for (int16_t k = 0; k < kActionCount; ++k) {
        const auto first = f.actionLine({k, 0});
        ASSERT_EQ(first.has_value(), f.hasActionLine(k));
        if (first) {
            EXPECT_EQ(first->start, (LinePoint{f.ActionSX[size_t(k)], f.ActionSY[size_t(k)]}));
            EXPECT_EQ(first->end, (LinePoint{f.ActionEX[size_t(k)], f.ActionEY[size_t(k)]}));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edits, ActionLineEdits,
    testing::Values(
        EditCase{"FirstGoesToTheStandardItems",
                 [](PlayConfig &f) { EXPECT_EQ(f.addActionLine(3, A, B), (LineId{3, 0})); },
                 {{{3, 0}, A, B, {}}},
                 {}},
        EditCase{"BendsOfTheFirstInSlotZero",
                 [](PlayConfig &f) { f.addActionLine(3, A, B, {C}); },
                 {{{3, 0}, A, B, {C}}},
                 {{{3, 0}, {}, {}, {C}}}},
        EditCase{"SecondGoesToSlotOne",
                 [](PlayConfig &f) {
                     f.addActionLine(0, A, B);
                     f.addActionLine(0, C, D, {E});
                     EXPECT_EQ(f.addActionLine(0, E, F), (LineId{0, 2}));
                     f.addActionLine(1, A, F);
                 },
                 {{{0, 0}, A, B, {}}, {{0, 1}, C, D, {E}}, {{0, 2}, E, F, {}}, {{1, 0}, A, F, {}}},
                 {{{0, 1}, C, D, {E}}, {{0, 2}, E, F, {}}}},
        EditCase{"RemovingTheFirstPromotesTheSecondWithItsBends",
                 [](PlayConfig &f) {
                     f.addActionLine(2, A, B, {F});
                     f.addActionLine(2, C, D, {E});
                     f.addActionLine(2, E, F);
                     EXPECT_TRUE(f.removeActionLine({2, 0}));
                 },
                 {{{2, 0}, C, D, {E}}, {{2, 1}, E, F, {}}},
                 {{{2, 0}, {}, {}, {E}}, {{2, 1}, E, F, {}}}},
        EditCase{"RemovingTheFirstPromotesASecondWithoutBends",
                 [](PlayConfig &f) {
                     f.addActionLine(2, A, B, {F});
                     f.addActionLine(2, C, D);
                     EXPECT_TRUE(f.removeActionLine({2, 0}));
                 },
                 {{{2, 0}, C, D, {}}},
                 {}},
        // A line drawn from the surface's left edge (x 0) is not on the surface.
        EditCase{"RemovingTheFirstPromotesTheNextLineOnTheSurface",
                 [](PlayConfig &f) {
                     f.addActionLine(2, A, B);
                     f.addActionLine(2, {0, 5}, D, {E});
                     f.addActionLine(2, E, F, {C});
                     f.addActionLine(2, C, D);
                     EXPECT_TRUE(f.removeActionLine({2, 0}));
                 },
                 {{{2, 0}, E, F, {C}}, {{2, 1}, C, D, {}}},
                 {{{2, 0}, {}, {}, {C}}, {{2, 1}, C, D, {}}}},
        EditCase{"RemovingTheFirstWithOnlyLinesOffTheSurfaceLeft",
                 [](PlayConfig &f) {
                     f.addActionLine(2, A, B, {C});
                     f.addActionLine(2, {0, 5}, D, {E});
                     EXPECT_TRUE(f.removeActionLine({2, 0}));
                 },
                 {},
                 {}},
        EditCase{"SettingALineOffTheSurfaceIsRefused",
                 [](PlayConfig &f) {
                     f.addActionLine(4, A, B, {C});
                     f.addActionLine(4, C, D);
                     EXPECT_FALSE(f.setActionLine({{4, 0}, {0.5f, 20}, B, {}}));
                     EXPECT_FALSE(f.setActionLine({{4, 0}, A, {-3, 40}, {}}));
                     EXPECT_FALSE(f.setActionLine({{4, 1}, {0, 60}, D, {E}}));
                 },
                 {{{4, 0}, A, B, {C}}, {{4, 1}, C, D, {}}},
                 {{{4, 0}, {}, {}, {C}}, {{4, 1}, C, D, {}}}},
        EditCase{"AddingBendsThenTakingThemAwayLeavesNoEntry",
                 [](PlayConfig &f) {
                     f.addActionLine(3, A, B);
                     EXPECT_TRUE(f.setActionLine({{3, 0}, A, B, {C}}));
                     EXPECT_TRUE(f.setActionLine({{3, 0}, A, B, {}}));
                     f.addActionLine(5, A, B, {});
                 },
                 {{{3, 0}, A, B, {}}, {{5, 0}, A, B, {}}},
                 {}},
        EditCase{"RemovingAFurtherLineRenumbersTheLater",
                 [](PlayConfig &f) {
                     f.addActionLine(2, A, B);
                     f.addActionLine(2, C, D);
                     f.addActionLine(2, E, F, {A});
                     f.addActionLine(4, A, B);
                     f.addActionLine(4, C, D);
                     EXPECT_TRUE(f.removeActionLine({2, 1}));
                     EXPECT_FALSE(f.removeActionLine({2, 2}));
                 },
                 {{{2, 0}, A, B, {}}, {{2, 1}, E, F, {A}}, {{4, 0}, A, B, {}}, {{4, 1}, C, D, {}}},
                 {{{2, 1}, E, F, {A}}, {{4, 1}, C, D, {}}}},
        EditCase{"RemovingTheOnlyLineEmptiesTheKind",
                 [](PlayConfig &f) {
                     f.addActionLine(5, A, B, {C});
                     EXPECT_TRUE(f.removeActionLine({5, 0}));
                 },
                 {},
                 {}},
        EditCase{"SettingBendsAndTakingThemAway",
                 [](PlayConfig &f) {
                     f.addActionLine(6, A, B);
                     f.addActionLine(6, C, D);
                     EXPECT_TRUE(f.setActionLine({{6, 0}, E, F, {A, B}}));
                     EXPECT_TRUE(f.setActionLine({{6, 0}, E, F, {}}));
                     EXPECT_TRUE(f.setActionLine({{6, 1}, C, D, {F}}));
                     EXPECT_FALSE(f.setActionLine({{6, 2}, C, D, {}}));
                 },
                 {{{6, 0}, E, F, {}}, {{6, 1}, C, D, {F}}},
                 {{{6, 1}, C, D, {F}}}},
        EditCase{"ClearingAKindRemovesEveryLineOfItOnly",
                 [](PlayConfig &f) {
                     f.addActionLine(1, A, B, {C});
                     f.addActionLine(1, C, D);
                     f.addActionLine(7, E, F);
                     f.clearActionKind(1);
                 },
                 {{{7, 0}, E, F, {}}},
                 {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ActionLines, AFrameTakesSixtyFourLinesOfSixteenBendsAtMost)
{
    PlayConfig f;
    f.Blank_Frame();
    const std::vector<LinePoint> most(kMaxBends, C), tooMany(kMaxBends + 1, C);
    EXPECT_FALSE(f.addActionLine(0, A, B, tooMany));
    EXPECT_FALSE(f.addActionLine(kActionCount, A, B));
    for (int i = 0; i < kMaxLinesInFrame; ++i)
        ASSERT_TRUE(f.addActionLine(i % kActionCount, A, B, most)) << i;
    const PlayConfig full = f;
    EXPECT_FALSE(f.addActionLine(3, A, B));
    EXPECT_FALSE(f.setActionLine({{3, 2}, A, B, tooMany}));
    EXPECT_EQ(f, full);
    EXPECT_EQ(f.actionLineCount(), kMaxLinesInFrame);
    EXPECT_EQ(f.actionLineCount(3), kMaxLinesInFrame / kActionCount);
    // Removing one makes room for another.
    EXPECT_TRUE(f.removeActionLine({3, 0}));
    EXPECT_EQ(f.addActionLine(3, C, D), (LineId{3, 7}));
}

} // namespace
} // namespace kinetra
