#pragma once

#include <QDialog>
#include <QSize>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kinetra {

class PlayDocument;
class Platform;

/// The Move dialog: shifts, flips or mirrors the ticked kinds of items of the play's current
/// frame. Every click applies at once, redraws the frame and is one step of the play's undo
/// history; that step marks the play modified, so closing the dialog with its close box
/// never leaves a moved frame unsaved without the save prompt, and undoing it clears the mark.
/// A move that would carry an item outside -32768..32767 is refused and changes nothing; the
/// refusal names the steps that arrow can take on this frame.
///
/// It works on the play document and redraws the field through `redraw`. A failure is
/// reported through the model's reportFailure(), which the program routes to its error
/// report, so the dialog needs nothing else of the main window.
class frmMove : public QDialog
{
    Q_OBJECT

public:
    /// field: the surface size in pixels, which flip and mirror reflect about; redraw shows
    /// the current frame again after a change.
    frmMove(PlayDocument &document, QSize field, Platform &platform,
            std::function<void()> redraw, QWidget *parent = nullptr);

    /// The arrows: 0 left, 1 up, 2 right, 3 down, each by the step in TxtInc.
    void Image1_Click(int16_t Index);
    /// Turns the frame upside down.
    void Cmdflip_Click();
    /// Turns the frame left to right.
    void Cmdmirror_Click();
    /// Closes; the moves made are marked by their own steps.
    void CmdOk_Click();

    QGroupBox *Frame1 = nullptr;
    /// Players, Symbols, Actions, Text.
    std::array<QCheckBox *, 4> Check1{};
    QLineEdit *TxtInc = nullptr;
    /// Arrow buttons: 0 left, 1 up, 2 right, 3 down.
    std::array<QToolButton *, 4> Image1{};
    QPushButton *Cmdflip = nullptr;
    QPushButton *Cmdmirror = nullptr;
    QPushButton *CmdOk = nullptr;

private:
    /// Runs MoveFrame on the current frame with the ticked groups and redraws it; the surface
    /// size arrives as plain pixels. The change is one step of the history named caption.
    /// False, with nothing changed, when an item would leave the range drawing takes.
    bool moveCurrentFrame(int Xinc, int Yinc, int width, int height, const QString &caption);
    /// Says that the step in TxtInc cannot be taken by arrow Index, names the steps it can
    /// take, and selects the step for a new one.
    void refuseStep(int16_t Index);
    /// Whether arrow Index can move the current frame's ticked items by step s.
    bool arrowTakes(int16_t Index, int s);
    int16_t ticked(int index) const;

    PlayDocument &m_document;
    QSize m_field;
    Platform &m_platform;
    std::function<void()> m_redraw;
};

} // namespace kinetra
