#pragma once

#include "surface/platform.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QPrinter;
class QRadioButton;

namespace kinetra {

class PrintTarget;

/// The choices a print dialog shows, kept for the run so that it opens with them again.
struct PrintChoices
{
    enum class Size { Large, Small, Sheet };
    Size size = Size::Large;
    bool allFrames = false; ///< the Print Play dialog's All Frames; a playbook prints them all
    bool legend = true;
    bool notes = true;
    bool mono = false;      ///< black and white
    QStringList positions;  ///< the playbook's position sheets, labels in the dialog's order
};

/// The choices both print dialogs show alike: legend, notes, black and white and the size
/// (the radio buttons Large, Small, Sheet).
void showSharedChoices(const PrintChoices &choices, QCheckBox *legend, QCheckBox *notes,
                       QCheckBox *mono, const std::array<QRadioButton *, 3> &size);
PrintChoices sharedChoices(const QCheckBox *legend, const QCheckBox *notes, const QCheckBox *mono,
                           const std::array<QRadioButton *, 3> &size);

/// What the printing of one run keeps: the printer with the paper and orientation chosen in
/// its set-up, the printer font, the icon at the top of every page, the folder the last PDF
/// went to and the choices of each print dialog. The Print Play and Print Playbook dialogs print
/// through it.
class PrintSession
{
public:
    using TargetFactory = std::function<std::unique_ptr<PrintTarget>(const QString &pdfFile)>;

    /// PDF file dialogs start in `documentsFolder` until a PDF has been written; `icon` makes the
    /// icon of the page headers when a print first needs it.
    PrintSession(QString documentsFolder, std::function<QImage()> icon);
    ~PrintSession();
    PrintSession(const PrintSession &) = delete;
    PrintSession &operator=(const PrintSession &) = delete;

    /// The session's printer, made when first asked for.
    QPrinter &printer();
    /// Whether printing makes a PDF file: no printer is installed, or the set-up chose one.
    bool printsToPdf();

    /// The font printing uses, kept for the session; the print dialog changes it.
    const QFont &font() const { return m_font; }
    void setFont(const QFont &font) { m_font = font; }
    const QImage &icon();

    /// Where the PDF file dialogs start: the folder of the last PDF written while it exists,
    /// else the documents folder.
    QString pdfFolder() const;
    /// Notes a PDF file written, so that the next dialog starts beside it.
    void pdfWritten(const QString &pdfFile);
    /// The save dialog asking for a PDF file, proposing `name` (characters a file name cannot
    /// hold replaced) with ".pdf", titled "Print to File".
    Platform::FileDialog pdfDialog(const QString &name) const;

    /// The target a print goes to: the session's printer, or a PDF file laid out like it when
    /// pdfFile is given. Tests replace it to record the pages.
    TargetFactory makeTarget;

    /// The Print Play dialog's choices, the defaults until it first closes or prints.
    PrintChoices playChoices;
    /// The Print Playbook dialog's choices; a playbook starts as sheets.
    PrintChoices playbookChoices;

private:
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPrinter> m_pdfPrinter;
    QFont m_font{QStringLiteral("DejaVu Sans"), 10};
    std::function<QImage()> m_makeIcon;
    QImage m_icon;
    QString m_documentsFolder;
    QString m_lastPdfFolder;
};

/// Busy pointer for the length of a print: on (letting pending events run once, so that what is
/// shown is painted first) when made, off when gone.
class PrintBusy
{
public:
    explicit PrintBusy(Platform &platform);
    ~PrintBusy();
    PrintBusy(const PrintBusy &) = delete;
    PrintBusy &operator=(const PrintBusy &) = delete;

private:
    Platform &m_platform;
};

} // namespace kinetra
