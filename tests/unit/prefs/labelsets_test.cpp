#include "prefs/labelsets.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

std::array<std::string, 10> labelled(const std::string &prefix)
{
    std::array<std::string, 10> labels;
    for (size_t k = 0; k < labels.size(); ++k)
        labels[k] = prefix + std::to_string(k);
    return labels;
}

TEST(LabelSets, OnlyTheUsersOwnSetsAreSavedAndAnySetCanBeSelected)
{
    Preferences prefs;
    prefs.OPDef[1] = labelled("soft");
    for (int index : {-1, 0, 1, kLabelSets}) {
        EXPECT_FALSE(saveLabelSet(prefs, index, labelled("O"), labelled("D"))) << index;
        EXPECT_EQ(prefs.OPDef[1], labelled("soft"));
    }
    for (int index = 2; index < kLabelSets; ++index) {
        EXPECT_TRUE(saveLabelSet(prefs, index, labelled("O"), labelled("D")));
        EXPECT_EQ(prefs.OPDef[size_t(index)], labelled("O"));
        EXPECT_EQ(prefs.DPDef[size_t(index)], labelled("D"));
    }

    EXPECT_TRUE(selectLabelSet(prefs, 3));
    EXPECT_EQ(prefs.OPLabel, labelled("O"));
    EXPECT_EQ(prefs.DPLabel, labelled("D"));
    EXPECT_FALSE(selectLabelSet(prefs, kLabelSets));
    EXPECT_FALSE(selectLabelSet(prefs, -1));
    EXPECT_EQ(prefs.OPLabel, labelled("O")) << "a set that does not exist changes nothing";
    EXPECT_TRUE(selectLabelSet(prefs, 1));
    EXPECT_EQ(prefs.OPLabel, labelled("soft"));
}

} // namespace
} // namespace kinetra
