// Smooth playback in the Video Control window: frames come in the same order, and the change
// from one to the next is drawn as a glide over the pause.
#include "playbackviewfake.h"

#include "playback/frmvideo.h"
#include "playback/playbackstate.h"
#include "support/fakeplatform.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

namespace kinetra {
namespace {

struct Glide
{
    int16_t from, to;
    double t;
    qint64 at;
};

class SmoothPlayback : public testing::Test
{
protected:
    void SetUp() override
    {
        VideoPlaying = false;
        addFrames(document, 3);
        view.frame = [this](int16_t index) {
            drawn << index;
            shownAt << platform.steadyMs();
        };
        view.selected = [this] { ++currentShown; };
        view.glide = [this](int16_t from, int16_t to, double t) {
            glides.push_back({from, to, t, platform.steadyMs()});
        };
        video = std::make_unique<frmvideo>(platform, document, view);
        video->Form_Load(QPoint(40, 60));
        video->show();
    }
    void TearDown() override
    {
        video.reset();
        VideoPlaying = false;
        FrameDelay = 3000;
    }
    void runToEnd()
    {
        for (int guard = 0; guard < 10000 && video->looping(); ++guard)
            if (!platform.fireNextTimer())
                break;
    }

    FakePlatform platform;
    PlayDocument document;
    PlaybackViewFake view;
    std::unique_ptr<frmvideo> video;
    QList<int16_t> drawn;
    QList<qint64> shownAt;
    std::vector<Glide> glides;
    int currentShown = 0;
};

TEST_F(SmoothPlayback, IsOffAtOpeningAndPlaysWholeFramesThen)
{
    EXPECT_FALSE(video->ChkSmooth->isChecked());
    EXPECT_EQ(video->ChkSmooth->text(), "S&mooth");
    video->CmdPlay->click();
    runToEnd();
    EXPECT_EQ(drawn, QList<int16_t>({1, 2, 3}));
    EXPECT_TRUE(glides.empty());
}

TEST_F(SmoothPlayback, GlidesOverThePauseAndShowsEachFrameWhenItIsDue)
{
    video->ChkSmooth->setChecked(true);
    video->PlayOption[2]->click(); // Reversing: 1, 2, 3, 2, 1 ...
    video->Sldrspeed->setValue(3); // 1000 ms
    ASSERT_EQ(FrameDelay, 1000);
    video->CmdPlay->click();
    while (drawn.size() < 5 && platform.fireNextTimer()) {
    }
    EXPECT_EQ(drawn, QList<int16_t>({1, 2, 3, 2, 1}));
    for (int i = 1; i < shownAt.size(); ++i)
        EXPECT_EQ(shownAt[i] - shownAt[i - 1], 1000) << "the change takes the whole pause";

    // Between frames 1 and 2: many images, t rising from 0 towards 1 with the clock.
    std::vector<Glide> first;
    for (const Glide &g : glides)
        if (g.at < shownAt[1])
            first.push_back(g);
    ASSERT_GE(first.size(), 20u) << "drawn at the display's rate";
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].from, 1);
        EXPECT_EQ(first[i].to, 2);
        EXPECT_NEAR(first[i].t, double(first[i].at - shownAt[0]) / 1000.0, 1e-9);
        EXPECT_GT(first[i].t, 0.0);
        EXPECT_LT(first[i].t, 1.0);
        if (i > 0) {
            EXPECT_GT(first[i].t, first[i - 1].t);
        }
    }
    // After frame 3 the glide heads back to 2.
    bool backwards = false;
    for (const Glide &g : glides)
        backwards |= g.from == 3 && g.to == 2;
    EXPECT_TRUE(backwards);

    // Stop in the middle of a glide: it ends at once and the current frame is shown again.
    platform.advance(300);
    const size_t before = glides.size();
    video->CmdPlay->click();
    EXPECT_FALSE(video->looping());
    EXPECT_EQ(video->CmdPlay->text(), "&Play");
    EXPECT_EQ(currentShown, 1);
    platform.advance(2000);
    EXPECT_EQ(glides.size(), before) << "nothing is drawn after the stop";
}

TEST_F(SmoothPlayback, OnceHoldsTheLastFrameThenEnds)
{
    video->ChkSmooth->setChecked(true);
    video->Sldrspeed->setValue(30); // 100 ms
    video->CmdPlay->click();
    runToEnd();
    EXPECT_EQ(drawn, QList<int16_t>({1, 2, 3}));
    EXPECT_FALSE(glides.empty());
    for (const Glide &g : glides)
        EXPECT_NE(g.from, 3) << "no glide after the last frame of Once";
    EXPECT_EQ(currentShown, 1);
    EXPECT_EQ(video->CmdPlay->text(), "&Play");
}

TEST_F(SmoothPlayback, LoopingStartsAgainWithACutNotAGlideBackwards)
{
    video->ChkSmooth->setChecked(true);
    video->PlayOption[1]->click();
    video->Sldrspeed->setValue(3); // 1000 ms
    video->CmdPlay->click();
    while (drawn.size() < 6 && platform.fireNextTimer()) {
    }
    ASSERT_EQ(drawn, QList<int16_t>({1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(shownAt[3] - shownAt[2], 1000) << "the last frame is held the whole pause";
    std::set<std::pair<int16_t, int16_t>> steps;
    for (const Glide &g : glides) {
        steps.insert({g.from, g.to});
        if (g.from == 3) {
            ADD_FAILURE() << "glide from 3 to " << g.to << " at t " << g.t;
            break;
        }
    }
    EXPECT_EQ(steps, (std::set<std::pair<int16_t, int16_t>>{{1, 2}, {2, 3}}));
    video->CmdPlay->click();
}

} // namespace
} // namespace kinetra
