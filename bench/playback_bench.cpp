// Pacing of a playback: a 100-frame play at a 100 ms pause, on the real clock, drawn on the
// main window's surface and shown on its canvas. The timer-driven loop of the Video Control
// window is compared with a loop that draws, sleeps the thread for the pause and then lets
// pending events run once, in the same run.
//
// Counters per benchmark: mean, min and max period between two frames shown (ms), and how
// late an event posted 30 ms into a pause (a click on Stop, say) is handled (mean and max, ms).
#include "app/frmmain.h"
#include "app/qtplatform.h"
#include "playback/frmvideo.h"
#include "playback/playbackstate.h"
#include "prefs/inisettingsstore.h"
#include "surface/framerenderer.h"
#include "surface/surface.h"

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <numeric>
#include <vector>

namespace {

using namespace kinetra;
using Clock = std::chrono::steady_clock;

constexpr int kFrames = 100;
constexpr int kPauseMs = 100;
constexpr int kEventAfterMs = 30;

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The main window with a play of 100 frames whose players all move a little every frame.
struct Stage
{
    Stage()
        : store(settings.filePath("DAZI.ini"))
        , window(platform, store, KINETRA_PROGRAM_DIR)
    {
        window.show();
        for (int k = 1; k < kFrames; ++k)
            window.document().appendFrame();
        for (int16_t k = 1; k <= kFrames; ++k) {
            PlayConfig &frame = window.document().frames().frame(k);
            for (size_t p = 0; p < 10; ++p) {
                frame.OPlayerX[p] = float(30 + 35 * p + k);
                frame.OPlayerY[p] = float(300 - 2 * k);
                frame.DPlayerX[p] = float(30 + 35 * p);
                frame.DPlayerY[p] = float(80 + k);
            }
        }
        window.SelectFrame(1);
        QApplication::processEvents();
    }

    QTemporaryDir settings;
    IniSettingsStore store;
    QtPlatform platform;
    frmMain window;
};

struct Figures
{
    std::vector<Clock::time_point> shown;
    std::vector<double> eventLateness;

    void postEventIntoThePause()
    {
        const Clock::time_point due = Clock::now() + std::chrono::milliseconds(kEventAfterMs);
        QTimer::singleShot(kEventAfterMs, Qt::PreciseTimer, [this, due] {
            eventLateness.push_back(ms(Clock::now() - due));
        });
    }

    void report(benchmark::State &state) const
    {
        std::vector<double> periods;
        for (size_t k = 1; k < shown.size(); ++k)
            periods.push_back(ms(shown[k] - shown[k - 1]));
        const auto [minP, maxP] = std::minmax_element(periods.begin(), periods.end());
        state.counters["frames"] = double(shown.size());
        state.counters["period_mean_ms"] =
            std::accumulate(periods.begin(), periods.end(), 0.0) / double(periods.size());
        state.counters["period_min_ms"] = *minP;
        state.counters["period_max_ms"] = *maxP;
        state.counters["event_late_mean_ms"] =
            std::accumulate(eventLateness.begin(), eventLateness.end(), 0.0)
            / double(std::max<size_t>(eventLateness.size(), 1));
        state.counters["event_late_max_ms"] =
            eventLateness.empty() ? 0.0
                                  : *std::max_element(eventLateness.begin(), eventLateness.end());
    }
};

// The window's field, noting when each frame is shown.
class TimedView : public PlaybackView
{
public:
    TimedView(std::unique_ptr<PlaybackView> field, Figures &figures)
        : m_field(std::move(field))
        , m_figures(figures)
    {}

    void drawFrame(int16_t index) override
    {
        m_figures.shown.push_back(Clock::now());
        m_field->drawFrame(index);
        m_figures.postEventIntoThePause();
    }
    void drawGlide(int16_t from, int16_t to, double t) override { m_field->drawGlide(from, to, t); }
    void drawSelected() override { m_field->drawSelected(); }

private:
    std::unique_ptr<PlaybackView> m_field;
    Figures &m_figures;
};

// The Video Control window playing Once at its fastest speed (pause 100 ms).
void BM_TimerPlayback(benchmark::State &state)
{
    Stage stage;
    for (auto _ : state) {
        Figures figures;
        TimedView view(stage.window.playbackView(), figures);
        frmvideo video(stage.platform, stage.window.document(), view);
        video.Form_Load(QPoint(40, 40));
        video.show();
        video.PlayOption[0]->click();
        video.Sldrspeed->setValue(30);
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!video.looping())
                loop.quit();
        });
        poll.start(5);
        video.CmdPlay->click();
        loop.exec();
        QApplication::processEvents();
        figures.report(state);
    }
}
BENCHMARK(BM_TimerPlayback)->Unit(benchmark::kMillisecond)->Iterations(1);

// Baseline: draw, sleep for the pause, then let pending events run once.
void BM_SleepingPlayback(benchmark::State &state)
{
    Stage stage;
    for (auto _ : state) {
        Figures figures;
        VideoPlaying = true;
        FrameDelay = kPauseMs;
        for (int k = 1; k <= stage.window.document().frames().count() && VideoPlaying; ++k) {
            figures.shown.push_back(Clock::now());
            stage.window.surface()->clear();
            FrameRenderer::Draw(stage.window.document().frames().frame(int16_t(k)),
                                *stage.window.surface(), stage.window.looks());
            figures.postEventIntoThePause();
            stage.platform.sleep(FrameDelay);
            stage.platform.processEvents();
        }
        VideoPlaying = false;
        QApplication::processEvents();
        figures.report(state);
    }
}
BENCHMARK(BM_SleepingPlayback)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
