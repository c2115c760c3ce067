#pragma once

#include "playback/framestepper.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace kinetra {

class PlaybackClock;
class PlayDocument;

/// Where a playback shows the play: the field of the window that shows it.
class PlaybackView
{
public:
    virtual ~PlaybackView() = default;
    /// Wipes the field and draws frame `index` (1-based) of the play on it.
    virtual void drawFrame(int16_t index) = 0;
    /// Wipes the field and draws the change from frame `from` to frame `to` a fraction t
    /// (0..1) of the way (the smooth playback's glide).
    virtual void drawGlide(int16_t from, int16_t to, double t) = 0;
    /// Shows the play's current frame again, as the window shows it.
    virtual void drawSelected() = 0;
};

/// The "Video Control" window: plays the frames of the play on the main window's surface once,
/// in a loop or back and forth, at the speed of its slider.
///
/// The playback runs on the event loop: each frame is drawn from a timer of the clock, and the
/// next one is due a pause (FrameDelay, read afresh at every pause) after it was shown. The
/// window therefore answers at once during a pause: Stop, Done, the close box and the slider
/// act immediately, and the window moves and repaints.
///
/// With "Smooth" ticked, the change from each frame to the next takes the pause and is drawn
/// as a glide at the display's rate; the frames come in the same order, and Stop, Done and
/// the slider act as without it. Looping goes from the last frame back to the first with a
/// cut, as the play starts again.
///
/// Under the speed, the caption of the frame shown: while playing the frame drawn last (the
/// frame a glide leaves), else the play's current frame.
///
/// States: Idle (VideoPlaying false, "&Play"), Playing (VideoPlaying true, "&Stop") and
/// Stopping (VideoPlaying false, "Stopped", disabled) until the loop has ended, which it does
/// at once, before any further frame. A failure reported while playing clears VideoPlaying;
/// the loop then ends before its next frame.
class frmvideo : public QDialog
{
    Q_OBJECT

public:
    /// Plays the frames of `document` on `view`. A window of its own (no owner); the caller
    /// shows it modally.
    frmvideo(PlaybackClock &clock, const PlayDocument &document, PlaybackView &view,
             QWidget *parent = nullptr);
    ~frmvideo() override;

    /// Places the window's outer top-left corner at topLeft (with title bar and borders like
    /// those of `framed`, see moveFrame) and shows the slider at the speed of the current
    /// FrameDelay, with its rate. FrameDelay does not change.
    void Form_Load(QPoint topLeft, const QWidget *framed = nullptr);
    /// "&Play" starts a playback; "&Stop" ends the running one.
    void CmdPlay_Click();
    /// Stops a running playback and closes the window.
    void Cmddone_Click();
    /// The slider moved: new FrameDelay and rate; a running playback takes the new pause from
    /// its next pause on.
    void Sldrspeed_Click();
    /// Starts the playback loop in the mode of the option buttons: the first frame is shown at
    /// once, the rest follow from the event loop. Ends when VideoPlaying is found false, after
    /// the pass of Once, or on a failure ("Playing Video"); the current frame is then shown
    /// again and the play button restored.
    void PlayData();
    /// Whether the playback loop runs (it may still run for a moment after VideoPlaying was
    /// cleared by a failure report).
    bool looping() const { return m_running; }

    /// Closing by any means (Done, close box, Escape) stops a running playback first.
    void done(int result) override;

    QPushButton *CmdPlay = nullptr;
    QPushButton *Cmddone = nullptr;
    QGroupBox *Frame1 = nullptr;
    std::array<QRadioButton *, 3> PlayOption{};
    QSlider *Sldrspeed = nullptr;
    QLabel *lblSlow = nullptr;
    QLabel *lblFast = nullptr;
    QLabel *lblfsec = nullptr;
    QLabel *LblFsecv = nullptr;
    /// "Smooth": glide from frame to frame instead of showing each whole. Off when made; the
    /// main window ticks it as the user last left it (see readSmoothPlayback).
    QCheckBox *ChkSmooth = nullptr;
    /// The caption of the frame shown; empty for a frame without one.
    QLabel *LblCaption = nullptr;

private:
    void Form_QueryUnload();
    /// Puts the slider at the speed of the current FrameDelay and shows its rate.
    void showSpeedOfFrameDelay();
    /// Shows the caption of frame `index` (1-based).
    void showCaption(int16_t index);
    /// The mode of the first option button that is selected; Once when none is.
    FrameStepper::Mode playMode() const;
    /// One step of the loop run `run`: show the next frame and set the timer for the one after.
    void showNextFrame(quint64 run);
    /// The loop has ended: back to Idle and the current frame shown again.
    void playbackOver();
    /// One image of the glide of run `run` towards m_glideTo; at the end of the pause the
    /// next frame itself is shown.
    void glideStep(quint64 run);
    /// Milliseconds between two images of a glide: one refresh of the window's screen.
    int glideIntervalMs() const;

    PlaybackClock &m_clock;
    const PlayDocument &m_document;
    PlaybackView &m_view;
    FrameStepper m_stepper;
    bool m_running = false;
    /// Counts loop runs, so the timer of a run that has ended does nothing.
    quint64 m_run = 0;
    /// When the frame on screen was due, on the clock's milliseconds.
    qint64 m_due = 0;
    // Smooth playback: the frame on screen, the next one (already taken from the stepper)
    // and when the frame on screen was shown.
    int16_t m_glideFrom = 0;
    std::optional<int16_t> m_glideTo;
    qint64 m_glideStart = 0;
};

} // namespace kinetra
