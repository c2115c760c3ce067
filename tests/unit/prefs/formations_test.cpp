#include "model/playconfig.h"
#include "model/runtimeerror.h"
#include "prefs/formations.h"
#include "prefs/inisettingsstore.h"
#include "prefs/preferencestore.h"
#include "support/qtprint.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kinetra {
namespace {

// A table of `count` formations named "F1".., formation f placing every player at x = f.
Preferences tableOf(int count)
{
    Preferences p;
    PlayConfig frame;
    for (int f = 1; f <= count; ++f) {
        frame.OPlayerX.fill(float(f));
        frame.DPlayerX.fill(float(f));
        saveFormation(p, "F" + std::to_string(f), frame);
    }
    return p;
}

std::vector<std::string> names(const Preferences &p)
{
    return {p.FormationName.begin(), p.FormationName.begin() + p.FormationCount};
}

TEST(Formations, SavingTakesEveryPlayerRoundedHalfToEven)
{
    PlayConfig frame;
    for (size_t k = 0; k < 10; ++k) {
        frame.OPlayerX[k] = 100.5f + float(k);  // 100.5 -> 100, 101.5 -> 102, ...
        frame.OPlayerY[k] = float(k);
        frame.DPlayerX[k] = 200.25f;
        frame.DPlayerY[k] = 300.75f + float(k);
    }
    frame.SYMBOLX[0] = 55; // symbols, labels and action lines are not part of a formation
    Preferences p;
    EXPECT_EQ(saveFormation(p, " Shift ", frame), 1);
    EXPECT_EQ(p.FormationCount, 1);
    EXPECT_EQ(p.FormationName[0], " Shift "); // as typed
    EXPECT_EQ(p.FormationX[0][0], 100);
    EXPECT_EQ(p.FormationX[0][1], 102);
    EXPECT_EQ(p.FormationX[0][2], 102);
    EXPECT_EQ(p.FormationY[0][9], 9);
    EXPECT_EQ(p.FormationX[0][10], 200);
    EXPECT_EQ(p.FormationY[0][19], 310);
    EXPECT_EQ(p.SelectedFormation, 0);
}

TEST(Formations, AnOverflowingPositionSavesNothing)
{
    PlayConfig frame;
    frame.DPlayerY[9] = 40000.f;
    Preferences p = tableOf(2);
    EXPECT_THROW(saveFormation(p, "Far", frame), RuntimeError);
    EXPECT_EQ(names(p), (std::vector<std::string>{"F1", "F2"}));
}

TEST(Formations, ApplyingReplacesAllTwentyPlayers)
{
    PlayConfig saved;
    saved.OPlayerX[0] = 10, saved.OPlayerY[0] = 20;
    saved.DPlayerX[9] = 30, saved.DPlayerY[9] = 40;
    Preferences p = tableOf(1);
    saveFormation(p, "Bunt", saved);

    PlayConfig frame;
    frame.OPlayerX.fill(77), frame.OPlayerY.fill(77);
    frame.DPlayerX.fill(88), frame.DPlayerY.fill(88);
    frame.SYMBOLX[3] = 5;
    applyFormation(p, 2, frame);
    EXPECT_EQ(frame.OPlayerX[0], 10.f);
    EXPECT_EQ(frame.OPlayerY[0], 20.f);
    EXPECT_EQ(frame.DPlayerX[9], 30.f);
    EXPECT_EQ(frame.DPlayerY[9], 40.f);
    EXPECT_EQ(frame.OPlayerX[5], 0.f); // players the formation leaves out leave the surface
    EXPECT_EQ(frame.DPlayerY[0], 0.f);
    EXPECT_EQ(frame.SYMBOLX[3], 5.f);
    EXPECT_EQ(p.SelectedFormation, 2);
    EXPECT_THROW(applyFormation(p, 3, frame), RuntimeError);
    EXPECT_THROW(applyFormation(p, 0, frame), RuntimeError);
}

struct DeleteCase
{
    int count, selected, deleted;
    std::vector<std::string> left;
    int selectedAfter;
};

class FormationDelete : public testing::TestWithParam<DeleteCase>
{};

TEST_P(FormationDelete, RenumbersAndKeepsNamingTheAppliedOne)
{
    const DeleteCase &c = GetParam();
    Preferences p = tableOf(c.count);
    p.SelectedFormation = int16_t(c.selected);
    deleteFormation(p, int16_t(c.deleted));
    EXPECT_EQ(names(p), c.left);
    EXPECT_EQ(p.SelectedFormation, c.selectedAfter);
    // Positions moved with their names.
    for (int f = 1; f <= p.FormationCount; ++f)
        EXPECT_EQ("F" + std::to_string(p.FormationX[size_t(f - 1)][19]), p.FormationName[size_t(f - 1)]);
    EXPECT_EQ(p.FormationName[size_t(c.count - 1)], "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormationDelete,
    testing::Values(
        DeleteCase{1, 0, 1, {}, 0},
        DeleteCase{1, 1, 1, {}, 0},
        DeleteCase{3, 3, 1, {"F2", "F3"}, 2},           // before the applied one: it moves down
        DeleteCase{3, 2, 2, {"F1", "F3"}, 0},           // the applied one itself
        DeleteCase{3, 1, 3, {"F1", "F2"}, 1},           // the last one: nothing moves
        DeleteCase{10, 0, 4, {"F1", "F2", "F3", "F5", "F6", "F7", "F8", "F9", "F10"}, 0}));

TEST(Formations, DeletingANumberOutsideTheTableThrows)
{
    Preferences p = tableOf(2);
    EXPECT_THROW(deleteFormation(p, 3), RuntimeError);
    EXPECT_THROW(deleteFormation(p, 0), RuntimeError);
    EXPECT_EQ(p.FormationCount, 2);
}

TEST(Formations, RoundTripThroughTheStoreWithItsKeyNames)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("DAZI.ini");
    Preferences p = tableOf(10);
    p.FormationX[0][0] = -3;
    p.FormationY[9][19] = 1234;
    p.FormationName[4] = "Wheel, left = deep";
    {
        IniSettingsStore store(ini);
        saveFormations(store, p);
        EXPECT_EQ(store.read("Formations", "Count"), "10");
        EXPECT_EQ(store.read("Formations", "PlyX11"), "-3");
        EXPECT_EQ(store.read("Formations", "PlyX120"), "1");
        EXPECT_EQ(store.read("Formations", "PlyY1020"), "1234");
        EXPECT_EQ(store.read("Formations", "Name10"), "F10");
    }
    // A restart: a new store on the same file, through the whole preference load.
    Preferences back;
    back.SelectedFormation = 4;
    loadPreferences(IniSettingsStore(ini), back, "/opt/kinetra");
    EXPECT_EQ(back.FormationCount, 10);
    EXPECT_EQ(back.FormationName, p.FormationName);
    EXPECT_EQ(back.FormationX, p.FormationX);
    EXPECT_EQ(back.FormationY, p.FormationY);
    EXPECT_EQ(back.SelectedFormation, 0);
}

TEST(Formations, SavingFewerLeavesTheHigherKeysAlone)
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath("DAZI.ini"));
    saveFormations(store, tableOf(3));
    Preferences p = tableOf(3);
    deleteFormation(p, 1);
    saveFormations(store, p);
    EXPECT_EQ(store.read("Formations", "Count"), "2");
    EXPECT_EQ(store.read("Formations", "Name1"), "F2");
    EXPECT_EQ(store.read("Formations", "Name3"), "F3");
    EXPECT_EQ(store.read("Formations", "PlyX320"), "3");
}

struct CountCase
{
    const char *stored;
    int loaded;
};

class FormationCount : public testing::TestWithParam<CountCase>
{};

TEST_P(FormationCount, NeverLoadsMoreThanTheTableHolds)
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath("DAZI.ini"));
    saveFormations(store, tableOf(10));
    store.write("Formations", "Name11", "Eleven");
    store.write("Formations", "Count", GetParam().stored);
    Preferences p;
    loadFormations(store, p);
    EXPECT_EQ(p.FormationCount, GetParam().loaded);
    if (p.FormationCount > 0) {
        EXPECT_EQ(p.FormationName[size_t(p.FormationCount - 1)], "F" + std::to_string(p.FormationCount));
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, FormationCount,
                         testing::Values(CountCase{"11", 10}, CountCase{"32767", 10},
                                         CountCase{"-1", 0}, CountCase{"three", 0},
                                         CountCase{"4", 4}));

} // namespace
} // namespace kinetra
