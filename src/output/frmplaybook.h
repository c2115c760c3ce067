#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kinetra {

class Platform;
class PrintSession;
struct Preferences;
struct PrintChoices;
struct PrintOptions;

/// The positions of the labels in use: the defence's labels, then the offence's, each once
/// (compared without regard to case), blank ones left out.
QStringList positionLabels(const Preferences &prefs);

/// The "Print Playbook" dialog: the plays of a folder, each with a check box, put in order
/// with Up and Down, printed as one document with a contents page under the name the user
/// types, with the print dialog's choices, and after the plays a section of position sheets for
/// each position ticked. It opens with the choices it last closed or printed with in this run
/// (the session's), as sheets at first. A play that cannot be read is named and nothing
/// is printed; a failed print is reported through reportFailure() as "Printing Playbook".
/// Plays are drawn with the looks of `prefs` where their files do not give their own, with
/// the pictures of the program folder `programDir`; the folder listed first is `startFolder`.
class frmPlaybook : public QDialog
{
    Q_OBJECT

public:
    frmPlaybook(PrintSession &session, const Preferences &prefs, const QString &programDir,
                const QString &startFolder, Platform &platform, QWidget *parent = nullptr);

    QLabel *LblFolder = nullptr;
    QPushButton *CmdFolder = nullptr;
    QListWidget *LstPlays = nullptr;
    QPushButton *CmdUp = nullptr;
    QPushButton *CmdDown = nullptr;
    QLineEdit *TxtName = nullptr;
    QGroupBox *Frame1 = nullptr; // "Properties"
    QCheckBox *ChkLegend = nullptr;
    QCheckBox *chkNotes = nullptr;
    QCheckBox *ChkMono = nullptr; // "Black and white"
    QGroupBox *Frame2 = nullptr; // "Play Size"
    std::array<QRadioButton *, 3> OptSize{}; // Large, Small, Sheet
    QCheckBox *ChkAllFrames = nullptr;
    QGroupBox *FramePositions = nullptr; // "Position sheets"
    /// A box for each position: the defensive labels of the preferences, then the offensive.
    std::vector<QCheckBox *> ChkPositions;
    QPushButton *CmdPsetup = nullptr;
    QPushButton *CmdCan = nullptr;
    QPushButton *CmdPrint = nullptr;

    /// The folder whose plays are listed; setting it lists them afresh, none ticked.
    QString folder() const { return m_folder; }
    void setFolder(const QString &folder);
    /// The ticked plays (full paths), in the list's order.
    QStringList chosenPlays() const;
    /// The choices shown, with the session's printer font; always all frames.
    PrintOptions options() const;
    /// The choices shown, as the session keeps them; positions in the order of their boxes.
    PrintChoices choices() const;

    /// Closes the dialog, keeping its choices for the next opening.
    void done(int result) override;

    void CmdFolder_Click();
    void CmdUp_Click();
    void CmdDown_Click();
    void CmdPsetup_Click();
    void CmdPrint_Click();
    void CmdCan_Click();

private:
    void moveCurrent(int by);
    void updateButtons();
    void showChoices(const PrintChoices &choices);
    /// The PDF file to print to: the one given in Printer Setup, else asked; empty when
    /// cancelled.
    QString choosePdfFile(const QString &name);

    PrintSession &m_session;
    const Preferences &m_prefs;
    const QString m_programDir;
    Platform &m_platform;
    QString m_folder;
    QStringList m_positionLabels; ///< the label of each box of ChkPositions
    bool m_printing = false;
};

} // namespace kinetra
