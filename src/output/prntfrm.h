#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace kinetra {

class FrameList;
class Platform;
class PrintTarget;
class Surface;
struct PrintJob;
struct PrintOptions;

/// What the print dialog prints from, and the services of the window that shows the play.
struct PrintSource
{
    /// The play's frames; their count is read when printing starts.
    const FrameList &frames;
    /// The surface the frames are shown on: a page shows its picture.
    Surface &surface;
    /// The font printing uses, kept for the session; the dialog writes the choice back.
    QFont &printerFont;
    /// The session's printer, which Printer Setup changes.
    QPrinter &printer;
    /// The play's header, notes, labels and looks (the dialog sets the options).
    std::function<PrintJob()> job;
    /// Whether printing makes a PDF file rather than a printed page.
    std::function<bool()> printsToPdf;
    /// The folder the PDF file dialog starts in.
    std::function<QString()> pdfFolder;
    /// Told of every PDF file written, so that the next dialog can start beside it.
    std::function<void(const QString &pdfFile)> pdfWritten;
    /// The target pages go to: the printer, or the PDF file when one is given.
    std::function<std::unique_ptr<PrintTarget>(const QString &pdfFile)> makeTarget;
    /// Makes frame index (1..count) current and shows it on the surface.
    std::function<void(int16_t index)> selectFrame;
    /// Busy pointer on and off.
    std::function<void()> waitStart;
    std::function<void()> waitEnd;
};

/// The "Print Play" dialog: legend and notes, printer font, picture size and which frames.
/// Every opening starts with the default choices; the printer font is the session's.
/// A failed print is reported through the model's reportFailure(), which the program routes
/// to its error report.
class Prntfrm : public QDialog
{
    Q_OBJECT

public:
    Prntfrm(PrintSource source, Platform &platform, QWidget *parent = nullptr);

    QGroupBox *Frame1 = nullptr; // "Properties"
    QCheckBox *ChkLegend = nullptr;
    QCheckBox *chkNotes = nullptr;
    QLineEdit *Txtfont = nullptr;
    QLineEdit *Txtfontsize = nullptr;
    QPushButton *Cmdchgfont = nullptr;
    QGroupBox *Frame2 = nullptr; // "Play Size"
    std::array<QRadioButton *, 2> OptSize{};
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

private:
    /// Shows font in the two font boxes.
    void showFont(const QFont &font);
    /// The PDF file to print to: the one given in Printer Setup, else asked with the save
    /// dialog, where a name without an extension gets ".pdf". Empty when cancelled.
    QString choosePdfFile();

    PrintSource m_source;
    Platform &m_platform;
    bool m_printing = false;
};

} // namespace kinetra
