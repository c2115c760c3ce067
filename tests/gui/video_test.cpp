// The Video Control window and its playback loop, on the scripted platform's fake clock: every
// frame drawn and every pause are checked without waiting for real time.
#include "playbackviewfake.h"

#include "app/reporterror.h"
#include "model/runtimeerror.h"
#include "model/failurereport.h"
#include "playback/frmvideo.h"
#include "playback/playbackrate.h"
#include "playback/playbackstate.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace kinetra {
namespace {

using Mode = FrameStepper::Mode;

// A play of `count` frames that records what the window draws, with the fake clock's time.
class VideoTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path()); // error reports write their log here
        installErrorReporter(platform);
        VideoPlaying = false;
        FrameDelay = kDefaultFrameDelay;
    }
    void TearDown() override
    {
        video.reset();
        removeErrorReporter();
        VideoPlaying = false;
        FrameDelay = kDefaultFrameDelay;
        QDir::setCurrent(m_previousDir);
    }

    void open(int16_t frames)
    {
        addFrames(document, frames);
        view.frame = [this](int16_t index) {
            drawn << index;
            shownAt << platform.steadyMs();
            if (onDraw)
                onDraw(index);
        };
        view.selected = [this] {
            ++currentShown;
            framesBeforeCurrentShown = int(drawn.size());
        };
        video = std::make_unique<frmvideo>(platform, document, view);
        video->Form_Load(QPoint(40, 60));
        video->show();
    }

    /// Starts a playback in `mode` at slider position `speed`, as the user does.
    void play(Mode mode, int speed = 30)
    {
        video->PlayOption[size_t(mode)]->click();
        video->Sldrspeed->setValue(speed);
        video->CmdPlay->click();
    }

    /// Lets the fake clock run until `frames` frames have been drawn or nothing is pending.
    void runUntilDrawn(int frames)
    {
        while (drawn.size() < frames && platform.fireNextTimer()) {
        }
    }

    /// The time between every two frames shown in a row.
    QList<qint64> periods() const
    {
        QList<qint64> out;
        for (qsizetype k = 1; k < shownAt.size(); ++k)
            out << shownAt[k] - shownAt[k - 1];
        return out;
    }

    QStringList reports() const
    {
        QStringList titles;
        for (const auto &m : platform.messages())
            titles << m.title;
        return titles;
    }

    void expectIdle()
    {
        EXPECT_FALSE(VideoPlaying);
        EXPECT_FALSE(video->looping());
        EXPECT_EQ(video->CmdPlay->text(), "&Play");
        EXPECT_TRUE(video->CmdPlay->isEnabled());
    }

    /// Nothing more is drawn however long the clock runs.
    void expectNoMoreFrames()
    {
        const qsizetype before = drawn.size();
        platform.advance(60000);
        EXPECT_EQ(drawn.size(), before);
    }

    FakePlatform platform;
    std::unique_ptr<frmvideo> video;
    PlayDocument document;
    PlaybackViewFake view;
    QList<int> drawn;
    QList<qint64> shownAt;
    int currentShown = 0;
    int framesBeforeCurrentShown = -1;
    std::function<void(int16_t)> onDraw;

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
};

TEST_F(VideoTest, OpensWithItsControlsAtTheGivenPlaceWithoutChangingThePause)
{
    FrameDelay = 428;
    open(3);
    EXPECT_EQ(video->windowTitle(), "Video Control");
    EXPECT_EQ(video->CmdPlay->text(), "&Play");
    EXPECT_EQ(video->Cmddone->text(), "&Done");
    EXPECT_EQ(video->Frame1->title(), "Options");
    EXPECT_EQ(video->PlayOption[0]->text(), "Once");
    EXPECT_EQ(video->PlayOption[1]->text(), "Looping");
    EXPECT_EQ(video->PlayOption[2]->text(), "Reversing");
    EXPECT_TRUE(video->PlayOption[0]->isChecked());
    EXPECT_EQ(video->lblSlow->text(), "Slow");
    EXPECT_EQ(video->lblFast->text(), "Fast");
    EXPECT_EQ(video->lblfsec->text(), "Frames/Sec");
    EXPECT_EQ(video->Sldrspeed->minimum(), 1);
    EXPECT_EQ(video->Sldrspeed->maximum(), 30);
    // The slider shows the speed the pause stands at, and the rate that pause really gives.
    EXPECT_EQ(video->Sldrspeed->value(), 7);
    EXPECT_EQ(video->LblFsecv->text(), "2.34");
    EXPECT_EQ(FrameDelay, 428);
    EXPECT_EQ(video->frameGeometry().topLeft(), QPoint(40, 60));
    // Every control is reached with the keyboard.
    for (QWidget *w : std::initializer_list<QWidget *>{video->CmdPlay, video->Cmddone,
                                                       video->PlayOption[0], video->Sldrspeed})
        EXPECT_TRUE(w->focusPolicy() & Qt::TabFocus) << w->objectName().toStdString();
}

TEST_F(VideoTest, ShowsTheCaptionOfTheFrameShown)
{
    addFrames(document, 3);
    document.frames().frame(1).Caption = "Pitch";
    document.frames().frame(3).Caption = "Throw home";
    document.selectFrame(3);
    open(3);
    const QSize size = video->size();
    EXPECT_EQ(video->LblCaption->text(), "Throw home");

    QStringList shown;
    onDraw = [this, &shown](int16_t) { shown << video->LblCaption->text(); };
    play(Mode::Once);
    runUntilDrawn(3);
    // Each frame's caption shows from the next frame's drawing on, none for frame 2.
    shown << video->LblCaption->text();
    EXPECT_EQ(drawn, (QList<int>{1, 2, 3}));
    EXPECT_EQ(shown, (QStringList{"Throw home", "Pitch", "", "Throw home"}));
    platform.advance(60000);
    expectIdle();
    EXPECT_EQ(video->LblCaption->text(), "Throw home");
    EXPECT_EQ(video->size(), size) << "the window keeps its size";
}

struct SpeedCase
{
    int speed;
    int32_t delay;
    const char *rate;
};

class SliderTest : public VideoTest, public testing::WithParamInterface<SpeedCase>
{};

TEST_P(SliderTest, SetsThePauseAndShowsTheTrueRate)
{
    open(3);
    video->Sldrspeed->setValue(GetParam().speed == 1 ? 2 : 1); // so the next value is a change
    video->Sldrspeed->setValue(GetParam().speed);
    EXPECT_EQ(FrameDelay, GetParam().delay);
    EXPECT_EQ(video->LblFsecv->text(), GetParam().rate);
    EXPECT_EQ(speedForFrameDelay(GetParam().delay), GetParam().speed);
}

INSTANTIATE_TEST_SUITE_P(Speeds, SliderTest,
                         testing::Values(SpeedCase{1, 3000, "0.33"}, SpeedCase{2, 1500, "0.67"},
                                         SpeedCase{4, 750, "1.33"}, SpeedCase{7, 428, "2.34"},
                                         SpeedCase{30, 100, "10.00"}),
                         [](const auto &info) { return std::to_string(info.param.speed); });

TEST(PlaybackRate, FollowsTheUsersLocaleAndEverySpeedMapsBackToItself)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(frameRateText(3000), "0,33");
    EXPECT_EQ(frameRateText(100), "10,00");
    QLocale::setDefault(before);
    for (int speed = kSlowestSpeed; speed <= kFastestSpeed; ++speed)
        EXPECT_EQ(speedForFrameDelay(frameDelayForSpeed(speed)), speed);
    EXPECT_EQ(frameDelayForSpeed(0), 3000);
    EXPECT_EQ(frameDelayForSpeed(31), 100);
}

struct OrderCase
{
    Mode mode;
    int16_t frames;
    QList<int> shown; // Once: everything shown; the others: the first frames shown
};

class FrameOrder : public VideoTest, public testing::WithParamInterface<OrderCase>
{};

TEST_P(FrameOrder, ShowsTheFramesInTheModesOrderWithOnePauseAfterEach)
{
    const OrderCase &c = GetParam();
    open(c.frames);
    play(c.mode, 7);
    runUntilDrawn(int(c.shown.size()));
    EXPECT_EQ(drawn, c.shown);
    for (qint64 period : periods())
        EXPECT_EQ(period, 428);
    if (c.mode == Mode::Once) {
        // The last frame is held for one pause too; then the current frame is shown again.
        EXPECT_TRUE(video->looping());
        EXPECT_EQ(currentShown, 0);
        platform.fireNextTimer();
        EXPECT_EQ(platform.steadyMs() - shownAt.last(), 428);
        expectIdle();
        EXPECT_EQ(currentShown, 1);
        expectNoMoreFrames();
    } else {
        EXPECT_TRUE(VideoPlaying);
        EXPECT_EQ(video->CmdPlay->text(), "&Stop");
        EXPECT_EQ(currentShown, 0);
    }
    for (int delay : platform.timerDelays)
        EXPECT_EQ(delay, 428);
}

const QList<int> kOnes(12, 1);

std::string orderCaseName(const testing::TestParamInfo<OrderCase> &info)
{
    static const char *const modes[] = {"Once", "Looping", "Reversing"};
    return modes[int(info.param.mode)] + std::to_string(info.param.frames);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FrameOrder,
    testing::Values(
        OrderCase{Mode::Once, 1, {1}}, OrderCase{Mode::Once, 2, {1, 2}},
        OrderCase{Mode::Once, 3, {1, 2, 3}}, OrderCase{Mode::Once, 5, {1, 2, 3, 4, 5}},
        OrderCase{Mode::Looping, 1, kOnes},
        OrderCase{Mode::Looping, 2, {1, 2, 1, 2, 1, 2, 1, 2}},
        OrderCase{Mode::Looping, 3, {1, 2, 3, 1, 2, 3, 1, 2, 3, 1}},
        OrderCase{Mode::Looping, 5, {1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 1, 2}},
        OrderCase{Mode::Reversing, 1, kOnes},
        OrderCase{Mode::Reversing, 2, {1, 2, 1, 2, 1, 2, 1, 2}},
        OrderCase{Mode::Reversing, 3, {1, 2, 3, 2, 1, 2, 3, 2, 1, 2}},
        OrderCase{Mode::Reversing, 5, {1, 2, 3, 4, 5, 4, 3, 2, 1, 2, 3, 4, 5, 4}}),
    orderCaseName);

TEST_F(VideoTest, ChangedPauseTakesEffectAtTheNextPause)
{
    open(3);
    play(Mode::Looping, 1);
    ASSERT_EQ(drawn, QList<int>{1});
    platform.advance(1000);
    // Faster during the first pause: the label follows at once, the pause under way keeps its
    // length, the next one is the new pause.
    video->Sldrspeed->setValue(30);
    EXPECT_EQ(video->LblFsecv->text(), "10.00");
    EXPECT_EQ(FrameDelay, 100);
    runUntilDrawn(4);
    EXPECT_EQ(drawn, (QList<int>{1, 2, 3, 1}));
    EXPECT_EQ(periods(), (QList<qint64>{3000, 100, 100}));
    // A change made in code, as another part of the program may do, counts the same way.
    FrameDelay = 250;
    runUntilDrawn(6);
    EXPECT_EQ(periods(), (QList<qint64>{3000, 100, 100, 100, 250}));
}

TEST_F(VideoTest, PauseRunsFromTheMomentTheFrameWasShown)
{
    open(3);
    // Drawing takes 40 ms of the clock; the frames still come every 100 ms.
    onDraw = [this](int16_t) { platform.sleep(40); };
    play(Mode::Looping, 30);
    runUntilDrawn(5);
    EXPECT_EQ(periods(), (QList<qint64>{100, 100, 100, 100}));
    EXPECT_EQ(platform.timerDelays.first(), 60);
}

class StopTest : public VideoTest, public testing::WithParamInterface<int>
{};

TEST_P(StopTest, StopEndsAtOnceAndShowsTheCurrentFrameAgain)
{
    open(5);
    play(Mode::Reversing, 30);
    runUntilDrawn(GetParam());
    ASSERT_EQ(video->CmdPlay->text(), "&Stop");
    platform.advance(40); // in the middle of a pause
    video->CmdPlay->click();
    expectIdle();
    EXPECT_EQ(currentShown, 1);
    EXPECT_EQ(framesBeforeCurrentShown, GetParam());
    expectNoMoreFrames();
    EXPECT_EQ(currentShown, 1);
    EXPECT_TRUE(reports().isEmpty());
    // The window plays again from the first frame.
    video->CmdPlay->click();
    EXPECT_EQ(drawn.last(), 1);
    EXPECT_TRUE(VideoPlaying);
}

// 3 stops in the forward pass (1, 2, 3), 7 in the backward one (1, 2, 3, 4, 5, 4, 3).
INSTANTIATE_TEST_SUITE_P(Passes, StopTest, testing::Values(3, 7),
                         [](const auto &info) {
                             return info.param == 3 ? "Forward" : "Backward";
                         });

struct CloseCase
{
    const char *name;
    std::function<void(frmvideo &)> close;
};

class CloseWhilePlaying : public VideoTest, public testing::WithParamInterface<CloseCase>
{};

TEST_P(CloseWhilePlaying, StopsThePlaybackAndClosesTheWindow)
{
    open(3);
    play(Mode::Looping, 30);
    runUntilDrawn(4);
    GetParam().close(*video);
    EXPECT_FALSE(video->isVisible());
    expectIdle();
    EXPECT_EQ(currentShown, 1);
    expectNoMoreFrames();
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CloseWhilePlaying,
    testing::Values(CloseCase{"Done", [](frmvideo &v) { v.Cmddone->click(); }},
                    CloseCase{"DoneKey",
                              [](frmvideo &v) {
                                  v.activateWindow();
                                  ASSERT_TRUE(QTest::qWaitForWindowActive(&v));
                                  QTest::keyClick(&v, Qt::Key_D, Qt::AltModifier);
                                  // A mnemonic presses the button visibly before it clicks.
                                  EXPECT_TRUE(
                                      QTest::qWaitFor([&v] { return !v.isVisible(); }, 2000));
                              }},
                    CloseCase{"CloseBox", [](frmvideo &v) { v.close(); }},
                    CloseCase{"Escape", [](frmvideo &v) { QTest::keyClick(&v, Qt::Key_Escape); }}),
    [](const auto &info) { return info.param.name; });

struct FailureCase
{
    const char *name;
    std::function<void()> failDrawing;
    const char *report;
};

class FailureWhilePlaying : public VideoTest, public testing::WithParamInterface<FailureCase>
{};

TEST_P(FailureWhilePlaying, StopsThePlaybackWithOneReport)
{
    open(3);
    onDraw = [](int16_t index) {
        if (index == 2)
            GetParam().failDrawing();
    };
    play(Mode::Looping, 30);
    runUntilDrawn(6);
    EXPECT_EQ(drawn, (QList<int>{1, 2}));
    EXPECT_EQ(reports(), QStringList{GetParam().report});
    expectIdle();
    EXPECT_EQ(currentShown, 1);
    expectNoMoreFrames();
    EXPECT_EQ(reports().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailureWhilePlaying,
    testing::Values(
        // A failure the loop catches itself.
        FailureCase{"Thrown", [] { throw RuntimeError(ErrorCode::Overflow); }, "Playing Video"},
        // A failure the drawing reports on its own, which clears VideoPlaying.
        FailureCase{"ReportedByDrawing",
                    [] {
                        try {
                            throw RuntimeError(ErrorCode::InvalidPicture);
                        } catch (...) {
                            reportFailure("Drawing Play");
                        }
                    },
                    "Drawing Play"}),
    [](const auto &info) { return info.param.name; });

TEST_F(VideoTest, FailureReportedDuringAPauseEndsThePlaybackBeforeItsNextFrame)
{
    open(3);
    play(Mode::Looping, 30);
    runUntilDrawn(2);
    try {
        throw RuntimeError(ErrorCode::DiskFull);
    } catch (...) {
        ReportError("Saving Play");
    }
    // The report puts the button back at once; the loop ends at its next frame.
    EXPECT_EQ(video->CmdPlay->text(), "&Play");
    EXPECT_TRUE(video->CmdPlay->isEnabled());
    EXPECT_FALSE(VideoPlaying);
    EXPECT_EQ(currentShown, 0);
    platform.fireNextTimer();
    expectIdle();
    EXPECT_EQ(drawn.size(), 2);
    EXPECT_EQ(currentShown, 1);
}

} // namespace
} // namespace kinetra
