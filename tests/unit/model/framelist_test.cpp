#include "model/framelist.h"
#include "model/runtimeerror.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

// Frames 1..n where frame i has offensive player 0 at x = i, so moves are easy to follow.
FrameList numberedList(int n, int16_t current)
{
    FrameList list;
    list.resize(int16_t(n));
    for (int i = 1; i <= n; ++i)
        list.frame(int16_t(i)).OPlayerX[0] = float(i);
    list.setCurrent(current);
    return list;
}

std::vector<float> markers(const FrameList &list)
{
    std::vector<float> out;
    for (int i = 1; i <= list.count(); ++i)
        out.push_back(list.frame(int16_t(i)).OPlayerX[0]);
    return out;
}

TEST(FrameList, StartsWithOneFrameWithoutActivePlayer)
{
    FrameList list;
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.current(), 1);
    EXPECT_EQ(list.frame(1).ActivePlyr, kNoActivePlayer);
    EXPECT_THROW(list.frame(2), RuntimeError);
    EXPECT_THROW(list.frame(0), RuntimeError);
}

TEST(FrameList, AppendCopiesCurrentAndShiftsTheRest)
{
    FrameList list = numberedList(5, 3);
    list.AppendFrame();
    EXPECT_EQ(markers(list), (std::vector<float>{1, 2, 3, 3, 4, 5}));
    EXPECT_EQ(list.current(), 3);

    FrameList last = numberedList(5, 5);
    last.AppendFrame();
    EXPECT_EQ(markers(last), (std::vector<float>{1, 2, 3, 4, 5, 5}));
}

TEST(FrameList, InsertBlankPutsABlankFrameAfterTheCurrent)
{
    FrameList list;
    list.frame(1).OPlayerX[4] = 50;
    list.InsertBlankFrame();
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.frame(1).OPlayerX[4], 50);
    PlayConfig blank;
    blank.Blank_Frame();
    EXPECT_EQ(list.frame(2), blank);
    EXPECT_EQ(list.frame(2).TxtValue[0], "0");
}

TEST(FrameList, DeleteSelectsFollowingOrNewLastFrame)
{
    FrameList last = numberedList(5, 5);
    EXPECT_TRUE(last.DeleteCurrentFrame());
    EXPECT_EQ(markers(last), (std::vector<float>{1, 2, 3, 4}));
    EXPECT_EQ(last.current(), 4);

    FrameList middle = numberedList(5, 2);
    EXPECT_TRUE(middle.DeleteCurrentFrame());
    EXPECT_EQ(markers(middle), (std::vector<float>{1, 3, 4, 5}));
    EXPECT_EQ(middle.current(), 2);

    FrameList single;
    EXPECT_FALSE(single.DeleteCurrentFrame());
    EXPECT_EQ(single.count(), 1);
}

TEST(FrameList, GrowingPastTheLimitIsAnOverflowThatChangesNothing)
{
    FrameList list = numberedList(FrameList::kMaxFrames, 100);
    for (auto insert : {&FrameList::AppendFrame, &FrameList::InsertBlankFrame}) {
        try {
            (list.*insert)();
            ADD_FAILURE() << "grew past the limit";
        } catch (const RuntimeError &e) {
            EXPECT_EQ(e.code(), ErrorCode::Overflow);
        }
        EXPECT_EQ(list.count(), FrameList::kMaxFrames);
        EXPECT_EQ(list.frame(101).OPlayerX[0], 101);
    }
}

} // namespace
} // namespace kinetra
