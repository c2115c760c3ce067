// The main window's "Play Video" button and toolbar key: the Video Control window plays the
// play on the main window's surface and leaves it showing the current frame.
#include "gui/editingwindow.h"
#include "playback/frmvideo.h"
#include "playback/playbackstate.h"
#include "playback/videosettings.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

#include <optional>
#include <QToolBar>

namespace kinetra {
namespace {

class PlayVideo : public testing::TestWithParam<const char *>
{
protected:
    void SetUp() override
    {
        VideoPlaying = false;
        FrameDelay = kDefaultFrameDelay;
        e.open();
        // Three frames told apart by where offensive player 0 stands; frame 2 is current.
        e.window->document().appendFrame();
        e.window->document().appendFrame();
        for (int16_t k = 1; k <= 3; ++k) {
            e.window->document().frames().frame(k).OPlayerX[0] = float(100 * k);
            e.window->document().frames().frame(k).OPlayerY[0] = 150;
        }
        e.window->SelectFrame(2);
    }
    void TearDown() override { FrameDelay = kDefaultFrameDelay; }

    test::EditingWindow e;
};

TEST_P(PlayVideo, OpensTheWindowThatPlaysOnTheSurfaceAndEndsOnTheCurrentFrame)
{
    frmMain &w = *e.window;
    const QImage current = e.image();
    EXPECT_TRUE(w.CmdPlay()->isEnabled());
    EXPECT_TRUE(w.toolbarButton("Play")->isEnabled());

    bool opened = false;
    QPoint place;
    QSize size;
    QList<QImage> shown;
    QImage afterwards;
    QTimer::singleShot(0, [&] {
        auto *video = qobject_cast<frmvideo *>(QApplication::activeModalWidget());
        if (!video)
            return;
        opened = true;
        place = video->frameGeometry().topLeft();
        size = video->frameGeometry().size();
        video->PlayOption[0]->click();
        video->Sldrspeed->setValue(30);
        video->CmdPlay->click();
        do
            shown << e.image();
        while (e.platform.fireNextTimer() && video->looping());
        afterwards = e.image();
        video->Cmddone->click();
    });
    if (std::string(GetParam()) == "Button")
        w.CmdPlay()->click();
    else
        w.toolbarButton("Play")->trigger();

    ASSERT_TRUE(opened) << "no modal Video Control window";
    EXPECT_EQ(place, w.videoWindowPlace(size));
    ASSERT_EQ(shown.size(), 3);
    // Frames 1, 2 and 3 in turn: player 0 stands at x 100, 200, 300 (its fill is white around
    // its label).
    for (int k = 0; k < 3; ++k)
        for (int x : {100, 200, 300})
            EXPECT_EQ(shown[k].pixel(x, 139) == qRgb(255, 255, 255), x == 100 * (k + 1))
                << "frame " << k + 1 << " at x " << x;
    EXPECT_EQ(afterwards, current);
    EXPECT_EQ(w.document().frames().current(), 2);
    EXPECT_FALSE(VideoPlaying);
    EXPECT_EQ(FrameDelay, 100);
}

INSTANTIATE_TEST_SUITE_P(Ways, PlayVideo, testing::Values("Button", "ToolbarKey"));

// "Smooth" as the store keeps it; a store without it opens as before, unticked.
struct SmoothCase
{
    const char *name;
    const char *stored; // nullptr: no key
    bool smooth;
};

void PrintTo(const SmoothCase &c, std::ostream *os)
{
    *os << c.name;
}

class StoredSmooth : public testing::TestWithParam<SmoothCase>
{};

TEST_P(StoredSmooth, ReadsSectionVideo)
{
    TempSettings settings;
    IniSettingsStore store;
    if (GetParam().stored)
        store.write("Video", "Smooth", GetParam().stored);
    EXPECT_EQ(readSmoothPlayback(store), GetParam().smooth);
}

INSTANTIATE_TEST_SUITE_P(
    Stores, StoredSmooth,
    testing::Values(SmoothCase{"Absent", nullptr, false}, SmoothCase{"On", "1", true},
                    SmoothCase{"Off", "0", false}, SmoothCase{"Blanks", " 1 ", true},
                    SmoothCase{"OutOfRange", "2", false}, SmoothCase{"Word", "yes", false},
                    SmoothCase{"Empty", "", false}),
    [](const auto &info) { return std::string(info.param.name); });

// The user's "Smooth" holds from one opening of the Video Control window to the next, and
// into the next run.
TEST(SmoothKept, ForTheSessionAndInTheSettings)
{
    test::EditingWindow e;
    e.open();
    // Opens Video Control, reads "Smooth", sets it to `tick` and closes with Done.
    auto openVideo = [&e](bool tick) {
        std::optional<bool> shown;
        QTimer::singleShot(0, [&] {
            auto *video = qobject_cast<frmvideo *>(QApplication::activeModalWidget());
            if (!video)
                return;
            shown = video->ChkSmooth->isChecked();
            video->ChkSmooth->setChecked(tick);
            video->Cmddone->click();
        });
        e.window->CmdPlay()->click();
        return shown;
    };
    EXPECT_EQ(openVideo(true), false);
    EXPECT_EQ(openVideo(true), true);
    e.store.sync();
    EXPECT_EQ(IniSettingsStore().read("Video", "Smooth"), "1") << "the next run's store";

    e.window.reset();
    e.open();
    EXPECT_EQ(openVideo(false), true);
    EXPECT_EQ(openVideo(false), false);
    EXPECT_EQ(e.store.read("Video", "Smooth"), "0");
}

} // namespace
} // namespace kinetra
