#include "playback/frmvideo.h"

#include "document/playdocument.h"
#include "model/failurereport.h"
#include "playback/playbackrate.h"
#include "playback/playbackstate.h"
#include "surface/besidewindow.h"
#include "surface/playbackclock.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QScreen>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace kinetra {

namespace {

// A timer that fires this much late still keeps the schedule, so the periods between frames
// average the pause exactly. Later than that (the machine stalled, a message box was up), the
// schedule starts afresh from the moment the frame is shown rather than rushing frames out to
// catch up.
constexpr qint64 kLateSlackMs = 25;

} // namespace

frmvideo::frmvideo(PlaybackClock &clock, const PlayDocument &document, PlaybackView &view,
                   QWidget *parent)
    : QDialog(parent)
    , m_clock(clock)
    , m_document(document)
    , m_view(view)
{
    setObjectName("frmvideo");
    setWindowTitle("Video Control");
    // A small panel of fixed size: a close box, nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);

    CmdPlay = new QPushButton("&Play", this);
    CmdPlay->setObjectName("CmdPlay");
    CmdPlay->setDefault(true);
    Cmddone = new QPushButton("&Done", this);
    Cmddone->setObjectName("Cmddone");
    Cmddone->setAutoDefault(false);

    Frame1 = new QGroupBox("Options", this);
    Frame1->setObjectName("Frame1");
    auto *options = new QVBoxLayout(Frame1);
    auto *group = new QButtonGroup(this);
    const char *captions[3] = {"Once", "Looping", "Reversing"};
    for (int k = 0; k < 3; ++k) {
        auto *option = new QRadioButton(captions[k], Frame1);
        option->setObjectName(QString("PlayOption%1").arg(k));
        group->addButton(option, k);
        options->addWidget(option);
        PlayOption[size_t(k)] = option;
    }
    PlayOption[0]->setChecked(true);
    ChkSmooth = new QCheckBox("S&mooth", Frame1);
    ChkSmooth->setObjectName("ChkSmooth");
    ChkSmooth->setToolTip("Players and symbols glide from each frame to the next.");
    options->addWidget(ChkSmooth);

    Sldrspeed = new QSlider(Qt::Horizontal, this);
    Sldrspeed->setObjectName("Sldrspeed");
    Sldrspeed->setRange(kSlowestSpeed, kFastestSpeed);
    Sldrspeed->setSingleStep(1);
    Sldrspeed->setPageStep(5);
    Sldrspeed->setTickPosition(QSlider::TicksBelow);
    Sldrspeed->setTickInterval(5);
    Sldrspeed->setMinimumWidth(180);
    Sldrspeed->setAccessibleName("Speed");
    lblSlow = new QLabel("Slow", this);
    lblSlow->setObjectName("lblSlow");
    lblFast = new QLabel("Fast", this);
    lblFast->setObjectName("lblFast");
    lblfsec = new QLabel("Frames/Sec", this);
    lblfsec->setObjectName("lblfsec");
    LblFsecv = new QLabel(this);
    LblFsecv->setObjectName("LblFsecv");
    LblFsecv->setMinimumWidth(LblFsecv->fontMetrics().horizontalAdvance("00.00") + 4);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(CmdPlay);
    buttons->addWidget(Cmddone);
    buttons->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(Frame1, 1);
    top->addLayout(buttons);

    auto *speed = new QGridLayout;
    speed->addWidget(lblSlow, 0, 0);
    speed->addWidget(Sldrspeed, 0, 1);
    speed->addWidget(lblFast, 0, 2);
    auto *rate = new QHBoxLayout;
    rate->addStretch();
    rate->addWidget(lblfsec);
    rate->addWidget(LblFsecv);
    rate->addStretch();
    speed->addLayout(rate, 1, 0, 1, 3);

    LblCaption = new QLabel(this);
    LblCaption->setObjectName("LblCaption");
    LblCaption->setTextFormat(Qt::PlainText);
    LblCaption->setWordWrap(true);
    LblCaption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LblCaption->setFrameShape(QFrame::StyledPanel);
    // As wide as the controls above it and always three lines high, so the window keeps its
    // size whatever the caption.
    LblCaption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    LblCaption->setFixedHeight(3 * LblCaption->fontMetrics().lineSpacing()
                               + 2 * LblCaption->frameWidth() + 2);
    LblCaption->setAccessibleName("Caption");

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(speed);
    layout->addWidget(LblCaption);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(CmdPlay, PlayOption[0]);
    setTabOrder(PlayOption[0], PlayOption[1]);
    setTabOrder(PlayOption[1], PlayOption[2]);
    setTabOrder(PlayOption[2], ChkSmooth);
    setTabOrder(ChkSmooth, Sldrspeed);
    setTabOrder(Sldrspeed, Cmddone);

    connect(CmdPlay, &QPushButton::clicked, this, [this] { CmdPlay_Click(); });
    connect(Cmddone, &QPushButton::clicked, this, [this] { Cmddone_Click(); });
    connect(Sldrspeed, &QSlider::valueChanged, this, [this] { Sldrspeed_Click(); });

    // The error reporter puts the play button back when a failure stops the playback.
    restorePlayButton = [this] {
        CmdPlay->setText("&Play");
        CmdPlay->setEnabled(true);
    };

    showSpeedOfFrameDelay();
    showCaption(m_document.currentFrame());
}

frmvideo::~frmvideo()
{
    // Nothing may draw once the window is gone; the main window shows its own frame again.
    if (m_running)
        VideoPlaying = false;
    m_running = false;
    restorePlayButton = nullptr;
}

void frmvideo::Form_Load(QPoint topLeft, const QWidget *framed)
{
    moveFrame(*this, topLeft, framed);
    showSpeedOfFrameDelay();
}

void frmvideo::showSpeedOfFrameDelay()
{
    // Filling the slider is no speed change: FrameDelay stays as it is.
    const QSignalBlocker quiet(Sldrspeed);
    Sldrspeed->setValue(speedForFrameDelay(FrameDelay));
    LblFsecv->setText(frameRateText(frameDelayForSpeed(Sldrspeed->value())));
}

void frmvideo::showCaption(int16_t index)
{
    LblCaption->setText(QString::fromStdString(m_document.frames().frame(index).Caption));
}

void frmvideo::Sldrspeed_Click()
{
    FrameDelay = frameDelayForSpeed(Sldrspeed->value());
    LblFsecv->setText(frameRateText(FrameDelay));
}

void frmvideo::CmdPlay_Click()
{
    try {
        if (VideoPlaying) {
            VideoPlaying = false;
            CmdPlay->setText("Stopped");
            CmdPlay->setEnabled(false);
            // Between two frames nothing of the loop runs, so it ends now, before its next frame.
            if (m_running)
                playbackOver();
            return;
        }
        FrameDelay = frameDelayForSpeed(Sldrspeed->value());
        VideoPlaying = true;
        CmdPlay->setText("&Stop");
        PlayData();
    } catch (...) {
        reportFailure("Play video");
    }
}

void frmvideo::Cmddone_Click()
{
    if (VideoPlaying)
        CmdPlay_Click();
    accept();
}

void frmvideo::done(int result)
{
    Form_QueryUnload();
    QDialog::done(result);
}

void frmvideo::Form_QueryUnload()
{
    if (VideoPlaying)
        CmdPlay_Click();
    // A loop that a failure report has stopped but that has not reached its next frame yet.
    if (m_running)
        playbackOver();
}

FrameStepper::Mode frmvideo::playMode() const
{
    for (int k = 0; k < 3; ++k)
        if (PlayOption[size_t(k)]->isChecked())
            return FrameStepper::Mode(k);
    return FrameStepper::Mode::Once;
}

void frmvideo::PlayData()
{
    m_stepper = FrameStepper(playMode());
    m_glideTo.reset();
    m_running = true;
    const quint64 run = ++m_run;
    m_due = m_clock.steadyMs();
    showNextFrame(run);
}

void frmvideo::showNextFrame(quint64 run)
{
    if (run != m_run || !m_running)
        return;
    if (!VideoPlaying) {
        playbackOver();
        return;
    }
    try {
        const qint64 now = m_clock.steadyMs();
        const qint64 shownAt = now - m_due > kLateSlackMs ? now : m_due;
        // A glide has already taken the frame it was heading for from the stepper.
        const int16_t count = m_document.frames().count();
        const std::optional<int16_t> frame = m_glideTo ? std::exchange(m_glideTo, std::nullopt)
                                                       : m_stepper.next(count);
        if (!frame) {
            playbackOver();
            return;
        }
        m_view.drawFrame(*frame);
        showCaption(*frame);
        // A failure reported while drawing has cleared the flag: stop now, not a pause later.
        if (!VideoPlaying) {
            playbackOver();
            return;
        }
        // The pause runs from the moment the frame was shown, so drawing does not lengthen it.
        m_due = shownAt + FrameDelay;
        if (ChkSmooth->isChecked()) {
            m_glideFrom = *frame;
            m_glideStart = shownAt;
            m_glideTo = m_stepper.next(m_document.frames().count());
            // Looping goes from the last frame back to the first with a cut: a glide would run
            // the play backwards.
            if (m_glideTo && !m_stepper.startedOver()) {
                m_clock.singleShot(glideIntervalMs(), this, [this, run] { glideStep(run); });
                return;
            }
            // The last frame of Once or of a loop's pass: held for the pause like any other,
            // then the end or the first frame.
        }
        m_clock.singleShot(int(m_due - m_clock.steadyMs()), this,
                           [this, run] { showNextFrame(run); });
    } catch (...) {
        reportFailure("Playing Video");
        playbackOver();
    }
}

int frmvideo::glideIntervalMs() const
{
    const QScreen *display = screen();
    const double rate = display ? display->refreshRate() : 60.0;
    return std::clamp(int(1000.0 / (rate > 1 ? rate : 60.0)), 4, 100);
}

void frmvideo::glideStep(quint64 run)
{
    if (run != m_run || !m_running)
        return;
    if (!VideoPlaying) {
        playbackOver();
        return;
    }
    try {
        const qint64 now = m_clock.steadyMs();
        const qint64 length = m_due - m_glideStart;
        if (now >= m_due || length <= 0) {
            showNextFrame(run);
            return;
        }
        m_view.drawGlide(m_glideFrom, *m_glideTo, double(now - m_glideStart) / double(length));
        if (!VideoPlaying) {
            playbackOver();
            return;
        }
        const int wait = int(std::min<qint64>(glideIntervalMs(), m_due - m_clock.steadyMs()));
        m_clock.singleShot(wait, this, [this, run] { glideStep(run); });
    } catch (...) {
        reportFailure("Playing Video");
        playbackOver();
    }
}

void frmvideo::playbackOver()
{
    m_glideTo.reset();
    m_running = false;
    ++m_run;
    CmdPlay->setText("&Play");
    VideoPlaying = false;
    CmdPlay->setEnabled(true);
    try {
        showCaption(m_document.currentFrame());
        m_view.drawSelected();
    } catch (...) {
        reportFailure("Play video");
    }
}

} // namespace kinetra
