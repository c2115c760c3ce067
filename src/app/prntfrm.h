#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kinetra {

class Platform;
class frmMain;
struct PrintOptions;

/// The "Print Play" dialog: legend and notes, printer font, picture size and which frames.
/// Every opening starts with the default choices; the printer font is the session's.
class Prntfrm : public QDialog
{
    Q_OBJECT

public:
    Prntfrm(frmMain &main, Platform &platform, QWidget *parent = nullptr);

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
    /// The PDF file to print to, asked with the save dialog; empty when cancelled.
    QString askPdfFile();

    frmMain &m_main;
    Platform &m_platform;
    bool m_printing = false;
};

} // namespace kinetra
