#pragma once

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace kinetra {

class Platform;
class PrintTarget;
struct Preferences;
struct PrintOptions;

/// What the playbook dialog reads plays with and prints through.
struct PlaybookServices
{
    /// The looks plays are drawn with where their files do not give their own.
    const Preferences &prefs;
    /// The program folder, where the field and symbol pictures are found.
    QString programDir;
    /// The folder listed first: the Play Directory's.
    QString startFolder;
    /// The session's printer font and printer (Printer Setup changes it).
    QFont &printerFont;
    QPrinter &printer;
    /// The icon at the top of every page.
    QImage icon;
    std::function<bool()> printsToPdf;
    std::function<std::unique_ptr<PrintTarget>(const QString &pdfFile)> makeTarget;
    std::function<QString()> pdfFolder;
    std::function<void(const QString &pdfFile)> pdfWritten;
    std::function<void()> waitStart;
    std::function<void()> waitEnd;
};

/// The "Print Playbook" dialog: the plays of a folder, each with a check box, put in order
/// with Up and Down, printed as one document with a contents page under the name the user
/// types, with the print dialog's choices. A play that cannot be read is named and nothing
/// is printed; a failed print is reported through reportFailure() as "Printing Playbook".
class frmPlaybook : public QDialog
{
    Q_OBJECT

public:
    frmPlaybook(PlaybookServices services, Platform &platform, QWidget *parent = nullptr);

    QLabel *LblFolder = nullptr;
    QPushButton *CmdFolder = nullptr;
    QListWidget *LstPlays = nullptr;
    QPushButton *CmdUp = nullptr;
    QPushButton *CmdDown = nullptr;
    QLineEdit *TxtName = nullptr;
    QGroupBox *Frame1 = nullptr; // "Properties"
    QCheckBox *ChkLegend = nullptr;
    QCheckBox *chkNotes = nullptr;
    QGroupBox *Frame2 = nullptr; // "Play Size"
    std::array<QRadioButton *, 2> OptSize{};
    QCheckBox *ChkAllFrames = nullptr;
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

    void CmdFolder_Click();
    void CmdUp_Click();
    void CmdDown_Click();
    void CmdPsetup_Click();
    void CmdPrint_Click();
    void CmdCan_Click();

private:
    void moveCurrent(int by);
    void updateButtons();
    /// The PDF file to print to: the one given in Printer Setup, else asked; empty when
    /// cancelled.
    QString choosePdfFile(const QString &name);

    PlaybookServices m_services;
    Platform &m_platform;
    QString m_folder;
    bool m_printing = false;
};

} // namespace kinetra
