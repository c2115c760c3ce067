#include "prefs/playlooks.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

// The user's record carries a play's looks under its own names, line by line and label by
// label; what goes in comes back, and nothing else of the record changes.
TEST(PlayLooksOfTheUser, GoIntoTheRecordAndComeBackUnchanged)
{
    PlayLooks looks;
    looks.Picbkg = 3;
    for (size_t k = 0; k < looks.actions.size(); ++k)
        looks.actions[k] = {"Kind" + std::to_string(k), int16_t(1 + k % 5), int16_t(k % 2 ? 6 : 1),
                            int32_t(0x010203 * k), int16_t(k % 3)};
    for (size_t i = 0; i < 10; ++i) {
        looks.labels.offense[i] = "R" + std::to_string(i);
        looks.labels.defense[i] = "F" + std::to_string(i);
    }
    Preferences prefs;
    prefs.PlayerSize = {15, 17};
    prefs.FontName = "Serif";
    takePlayLooks(prefs, looks);

    EXPECT_EQ(prefs.Picbkg, 3);
    EXPECT_EQ(prefs.ActionLabel[6], "Kind6");
    EXPECT_EQ(prefs.ActionType[6], 2);
    EXPECT_EQ(prefs.ActionSize[6], 1);
    EXPECT_EQ(prefs.ActionColor[6], 0x060c12);
    EXPECT_EQ(prefs.ActionEndType[5], 2);
    EXPECT_EQ(prefs.OPLabel[9], "R9");
    EXPECT_EQ(prefs.DPLabel[0], "F0");
    EXPECT_EQ(prefs.PlayerSize[1], 17);
    EXPECT_EQ(prefs.FontName, "Serif");
    EXPECT_EQ(defaultPlayLooks(prefs), looks);
}

} // namespace
} // namespace kinetra
