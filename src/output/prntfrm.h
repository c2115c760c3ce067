#pragma once

#include "surface/framelooks.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kinetra {

class Platform;
class PlayImager;
class PlayDocument;
class PrintSession;
class Surface;
struct PrintChoices;
struct Preferences;
struct FrameShot;
struct PrintOptions;

/// The "Print Play" dialog: legend, notes, black and white, printer font, play size (Large,
/// Small or Sheet) and which frames. It opens with the choices it last closed or printed with
/// in this run (the session's), the defaults at first; the printer font is the session's.
/// A sheet always prints all frames: while Sheet is chosen "Current Frame Only" is disabled.
/// The play is printed as the document holds it when Print is clicked, its pictures copied from
/// the surface: as shown for the current frame, or each frame selected and drawn on it with
/// the looks given, after which the document is back on the frame it was on.
/// A failed print is reported through the model's reportFailure(), which the program routes
/// to its error report.
class Prntfrm : public QDialog
{
    Q_OBJECT

public:
    Prntfrm(PrintSession &session, PlayDocument &document, Surface &surface,
            const FrameLooks &looks, Platform &platform, QWidget *parent = nullptr);
    ~Prntfrm() override;

    QGroupBox *Frame1 = nullptr; // "Properties"
    QCheckBox *ChkLegend = nullptr;
    QCheckBox *chkNotes = nullptr;
    QCheckBox *ChkMono = nullptr; // "Black and white"
    QLineEdit *Txtfont = nullptr;
    QLineEdit *Txtfontsize = nullptr;
    QPushButton *Cmdchgfont = nullptr;
    QGroupBox *Frame2 = nullptr; // "Play Size"
    std::array<QRadioButton *, 3> OptSize{}; // Large, Small, Sheet
    QGroupBox *Frame3 = nullptr; // "Select Frames"
    std::array<QRadioButton *, 2> OptPFrames{};
    QPushButton *CmdPsetup = nullptr;
    QPushButton *CmdCan = nullptr;
    QPushButton *CmdPrint = nullptr;

    void Form_Load();
    void Cmdchgfont_Click();
    void CmdPsetup_Click();
    void CmdPrint_Click();
    void CmdCan_Click();

    /// The choices the dialog shows, with the font in Txtfont and Txtfontsize.
    PrintOptions options() const;
    /// The choices shown, as the session keeps them.
    PrintChoices choices() const;

    /// Closes the dialog, keeping its choices for the next opening.
    void done(int result) override;

private:
    /// Shows font in the two font boxes.
    void showFont(const QFont &font);
    void showChoices(const PrintChoices &choices);
    /// Sheet prints every frame: "Current Frame Only" is off and disabled while it is chosen.
    void showSheetFrames(bool sheet);
    /// The PDF file to print to: the one given in Printer Setup, else asked with the save
    /// dialog, where a name without an extension gets ".pdf". Empty when cancelled.
    QString choosePdfFile();

    /// Draws frame `index` on the surface as the window shows it.
    void drawFrame(int16_t index);
    /// What is printed of frame `index` (1-based): the surface as shown, or with "All Frames"
    /// the frame drawn on it. In black and white the frame (the current one unless "All
    /// Frames") is drawn on a black-and-white imager instead, and the window is left alone.
    FrameShot framePicture(int16_t index, const PrintOptions &chosen);

    PrintSession &m_session;
    PlayDocument &m_document;
    Surface &m_surface;
    const FrameLooks m_looks;
    Platform &m_platform;
    bool m_printing = false;
    bool m_currentOnlyBeforeSheet = false; ///< the frames choice Sheet set aside
    std::unique_ptr<PlayImager> m_mono; ///< made at the first black-and-white print
};

} // namespace kinetra
