#include "prefs/playlooks.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

TEST(SavedLabels, BecomeWhatTheFileHoldsAndSayWhichKindChanged)
{
    struct Case
    {
        const char *offense;
        const char *defense;
        const char *action;
        bool players;
        bool actions;
    };
    for (const Case c : {Case{"SS", "2B", "Run", false, false},
                         Case{"say \"hi\"", "2B", "Run", true, false},
                         Case{"SS", "\xE2\x86\x92", "Run", true, false},
                         Case{"SS", "2B", "\"Hit\"", false, true}}) {
        Preferences prefs;
        prefs.OPLabel[3] = c.offense;
        prefs.DPLabel[9] = c.defense;
        prefs.ActionLabel[7] = c.action;
        const SavedLabelChanges changes = matchSavedLabels(prefs);
        EXPECT_EQ(changes.players, c.players) << c.offense << " / " << c.defense;
        EXPECT_EQ(changes.actions, c.actions) << c.action;
        EXPECT_EQ(prefs.OPLabel[3], textAsSaved(c.offense));
        EXPECT_EQ(prefs.DPLabel[9], textAsSaved(c.defense));
        EXPECT_EQ(prefs.ActionLabel[7], textAsSaved(c.action));
    }
}

} // namespace
} // namespace kinetra
