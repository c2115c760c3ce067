#include "model/failurereport.h"
#include "model/playconfig.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

namespace kinetra {
namespace {

PlayConfig filledFrame()
{
    PlayConfig f;
    f.ActivePlyr = 15;
    for (int i = 0; i < 10; ++i) {
        f.OPlayerX[i] = 10.25f + i;
        f.OPlayerY[i] = 20.5f + i;
        f.DPlayerX[i] = 30.75f + i;
        f.DPlayerY[i] = 40.125f + i;
    }
    for (int i = 0; i < 8; ++i) {
        f.SYMBOLX[i] = 50 + i;
        f.SYMBOLY[i] = 60 + i;
        f.ActionSX[i] = 70 + i;
        f.ActionSY[i] = 80 + i;
        f.ActionEX[i] = 90 + i;
        f.ActionEY[i] = 100 + i;
    }
    f.TxtSYMBOLX = {0.4f, 200};
    f.TxtSYMBOLY = {5, 6};
    f.TxtValue = {"a, \"quoted\" label", ""};
    return f;
}

TEST(PlayConfig, NewRecordIsEmptyWithOffensivePlayerZeroActive)
{
    const PlayConfig f;
    EXPECT_EQ(f.ActivePlyr, 0);
    for (float v : f.OPlayerX) EXPECT_EQ(v, 0.0f);
    for (float v : f.ActionEY) EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(f.TxtValue[0], "");
    EXPECT_EQ(f.TxtValue[1], "");
}

TEST(PlayConfig, BlankFrameClearsEverythingAndSetsZeroTexts)
{
    PlayConfig f = filledFrame();
    f.Blank_Frame();
    PlayConfig expected;
    expected.ActivePlyr = kNoActivePlayer;
    expected.TxtValue = {"0", "0"};
    EXPECT_EQ(f, expected);
}

TEST(PlayConfig, CopyFrameCopiesEveryFieldBitForBit)
{
    PlayConfig source = filledFrame();
    // A negative zero and a NaN only survive a copy that does not convert.
    source.OPlayerX[9] = -0.0f;
    source.ActionEY[7] = std::numeric_limits<float>::quiet_NaN();
    PlayConfig target;
    target.CopyFrame(source);
    EXPECT_EQ(std::memcmp(target.OPlayerX.data(), source.OPlayerX.data(), sizeof source.OPlayerX), 0);
    EXPECT_EQ(std::memcmp(target.ActionEY.data(), source.ActionEY.data(), sizeof source.ActionEY), 0);
    EXPECT_EQ(target.ActivePlyr, 15);
    EXPECT_EQ(target.TxtValue[0], "a, \"quoted\" label");
    EXPECT_EQ(target.DPlayerY, source.DPlayerY);
    EXPECT_EQ(target.TxtSYMBOLX, source.TxtSYMBOLX);

    // The strings are copies: changing the source later leaves the target alone.
    source.TxtValue[0] = "changed";
    EXPECT_EQ(target.TxtValue[0], "a, \"quoted\" label");

    PlayConfig self = filledFrame();
    self.CopyFrame(self);
    EXPECT_EQ(self, filledFrame());
}

TEST(PlayConfig, PositionRoundsHalvesToEvenAndIgnoresUnknownAddresses)
{
    PlayConfig f;
    f.OPlayerX[2] = 2.5f;
    f.OPlayerY[2] = 3.5f;
    f.TxtSYMBOLX[1] = 0.4f;
    f.ActionSX[0] = 99;
    int16_t x = -1, y = -1;
    f.Position(Part::Offense, 2, x, y);
    EXPECT_EQ(x, 2);
    EXPECT_EQ(y, 4);
    f.Position(Part::TextLabel, 1, x, y);
    EXPECT_EQ(x, 0);

    for (auto [part, no] : std::vector<std::pair<int16_t, int>>{
             {Part::ActionStart, 0}, {Part::ActionEnd, 0}, {0, 0}, {7, 0},
             {Part::Offense, 10}, {Part::Symbol, 8}, {Part::TextLabel, 2}, {Part::Defense, -1}}) {
        x = 123;
        y = 456;
        f.Position(part, no, x, y);
        EXPECT_EQ(x, 123) << part << "/" << no;
        EXPECT_EQ(y, 456) << part << "/" << no;
    }
}

TEST(PlayConfig, PositionOverflowIsReportedAndLeavesTheTargets)
{
    std::vector<std::string> reports;
    auto previous = setFailureReporter([&](const std::string &a) { reports.push_back(a); });
    PlayConfig f;
    f.SYMBOLX[3] = 1e9f;
    int16_t x = 7, y = 8;
    f.Position(Part::Symbol, 3, x, y);
    setFailureReporter(previous);
    EXPECT_EQ(reports, std::vector<std::string>{"Symbol Position"});
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 8);
}

TEST(PlayConfig, MoveControlPointAddressesEveryFamily)
{
    PlayConfig f;
    f.MoveControlPoint(Part::Offense, 9, 11, 12);
    f.MoveControlPoint(Part::Defense, 0, 13, 14);
    f.MoveControlPoint(Part::Symbol, 7, 15, 16);
    f.MoveControlPoint(Part::TextLabel, 1, 17, 18);
    f.MoveControlPoint(Part::ActionStart, 3, 19, 20);
    f.MoveControlPoint(Part::ActionEnd, 3, 21, 22);
    EXPECT_EQ(f.OPlayerX[9], 11); EXPECT_EQ(f.OPlayerY[9], 12);
    EXPECT_EQ(f.DPlayerX[0], 13); EXPECT_EQ(f.DPlayerY[0], 14);
    EXPECT_EQ(f.SYMBOLX[7], 15); EXPECT_EQ(f.SYMBOLY[7], 16);
    EXPECT_EQ(f.TxtSYMBOLX[1], 17); EXPECT_EQ(f.TxtSYMBOLY[1], 18);
    EXPECT_EQ(f.ActionSX[3], 19); EXPECT_EQ(f.ActionSY[3], 20);
    EXPECT_EQ(f.ActionEX[3], 21); EXPECT_EQ(f.ActionEY[3], 22);

    const PlayConfig before = f;
    f.MoveControlPoint(0, 0, 1, 1);
    f.MoveControlPoint(7, 0, 1, 1);
    f.MoveControlPoint(Part::Offense, 10, 1, 1);
    f.MoveControlPoint(Part::ActionEnd, 8, 1, 1);
    f.MoveControlPoint(Part::TextLabel, -1, 1, 1);
    EXPECT_EQ(f, before);
}

} // namespace
} // namespace kinetra
