// Printing and picture export: the File menu's Print, Print Setup and Save as Bmp.
#include "app/frmmain.h"

#include "app/programfolder.h"
#include "app/reporterror.h"
#include "app/toolbaricons.h"
#include "output/bitmapexport.h"
#include "output/frmplaybook.h"
#include "output/playexport.h"
#include "output/playprinter.h"
#include "output/printtarget.h"
#include "output/prntfrm.h"
#include "surface/platform.h"
#include "surface/surface.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

namespace kinetra {

void frmMain::connectOutputCommands()
{
    PrinterFont = QFont("DejaVu Sans", 10);
    makePrintTarget = [this](const QString &pdfFile) -> std::unique_ptr<PrintTarget> {
        if (pdfFile.isEmpty())
            return std::make_unique<PrinterPrintTarget>(printer());
        m_pdfPrinter = pdfPrinterLike(printer());
        return std::make_unique<PrinterPrintTarget>(*m_pdfPrinter, pdfFile);
    };
    onCommand("mnuFilePrint", [this] { mnuFilePrint_Click(); });
    onCommand("mnuFilePageSetup", [this] { mnuFilePageSetup_Click(); });
    onCommand("mnuFilePlaybook", [this] { mnuFilePlaybook_Click(); });
    onCommand("mnuFileSaveBMP", [this] { mnuFileSaveBMP_Click(); });
}

QPrinter &frmMain::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool frmMain::printsToPdf()
{
    // With no printer installed Qt's printer falls back to PDF by itself.
    return printer().outputFormat() == QPrinter::PdfFormat
           || QPrinterInfo::availablePrinters().isEmpty();
}

QString frmMain::pdfFolder() const
{
    if (!LastPdfFolder.isEmpty() && QDir(LastPdfFolder).exists())
        return LastPdfFolder;
    return documentsFolder();
}

PrintJob frmMain::printJob() const
{
    PrintJob job;
    job.title = m_document.title();
    job.date = m_document.date();
    job.time = m_document.time();
    job.notes = m_document.notes();
    for (size_t k = 0; k < job.actionLabels.size(); ++k)
        job.actionLabels[k] = QString::fromStdString(Prefs.ActionLabel[k]);
    job.looks = looks();
    job.icon = appIcon().pixmap(256, 256).toImage();
    return job;
}

std::unique_ptr<Prntfrm> frmMain::printDialog()
{
    // The hooks reach makePrintTarget when printing starts, so a target set later counts.
    PrintSource source{
        .frames = m_document.frames(),
        .surface = *surface,
        .printerFont = PrinterFont,
        .printer = printer(),
        .job = [this] { return printJob(); },
        .printsToPdf = [this] { return printsToPdf(); },
        .pdfFolder = [this] { return pdfFolder(); },
        .pdfWritten = [this](const QString &pdfFile) {
            LastPdfFolder = QFileInfo(pdfFile).absolutePath();
        },
        .makeTarget = [this](const QString &pdfFile) { return makePrintTarget(pdfFile); },
        .selectFrame = [this](int16_t index) { SelectFrame(index); },
        .waitStart = [this] { WaitStart(); },
        .waitEnd = [this] { WaitEnd(); },
    };
    return std::make_unique<Prntfrm>(std::move(source), m_platform, this);
}

std::unique_ptr<frmPlaybook> frmMain::playbookDialog()
{
    PlaybookServices services{
        .prefs = Prefs,
        .programDir = m_programDir,
        .startFolder = playbookFolder(),
        .printerFont = PrinterFont,
        .printer = printer(),
        .icon = appIcon().pixmap(256, 256).toImage(),
        .printsToPdf = [this] { return printsToPdf(); },
        .makeTarget = [this](const QString &pdfFile) { return makePrintTarget(pdfFile); },
        .pdfFolder = [this] { return pdfFolder(); },
        .pdfWritten = [this](const QString &pdfFile) {
            LastPdfFolder = QFileInfo(pdfFile).absolutePath();
        },
        .waitStart = [this] { WaitStart(); },
        .waitEnd = [this] { WaitEnd(); },
    };
    return std::make_unique<frmPlaybook>(std::move(services), m_platform, this);
}

QString frmMain::playbookFolder() const
{
    // The play open is most likely one of the plays wanted.
    for (const QString &folder :
         {m_document.path().isEmpty() ? QString() : QFileInfo(m_document.path()).absolutePath(),
          LastPlaybookFolder})
        if (!folder.isEmpty() && QDir(folder).exists())
            return folder;
    return playDirectoryFolder();
}

void frmMain::mnuFilePlaybook_Click()
{
    const std::unique_ptr<frmPlaybook> dialog = playbookDialog();
    dialog->exec();
    LastPlaybookFolder = dialog->folder();
}

void frmMain::mnuFilePrint_Click()
{
    printDialog()->exec();
}

void frmMain::mnuFilePageSetup_Click()
{
    try {
        m_platform.printerSetup(printer());
    } catch (...) {
        m_platform.beep();
        m_platform.messageBox("Error In Printer Setup.", "Kinetra", Platform::Buttons::Ok,
                              Platform::Icon::Warning);
    }
}

void frmMain::mnuFileSaveBMP_Click()
{
    Platform::FileDialog dialog;
    dialog.title = "Save to File";
    dialog.filter = "Bitmap pictures (*.bmp)|*.bmp";
    // A bare name went to the program's folder, where nobody looks for a picture.
    const bool lastFolder = !LastBmpFolder.isEmpty() && QDir(LastBmpFolder).exists();
    dialog.startFolder = lastFolder ? LastBmpFolder : documentsFolder();
    dialog.proposedName = pictureName() + ".bmp";
    dialog.confirmReplace = true;
    dialog.defaultSuffix = "bmp";
    const std::optional<QString> answer = m_platform.saveFileName(dialog);
    if (!answer || answer->trimmed().isEmpty())
        return;
    const QString file = bmpFileName(*answer);
    // WaitStart lets pending events run, so the surface is fully painted first.
    WaitStart();
    try {
        checkOutputs({file}, {m_document.path()});
        writeBmp(surface->image(), file);
        LastBmpFolder = QFileInfo(file).absolutePath();
        WaitEnd();
    } catch (const ExportError &refused) {
        WaitEnd();
        m_platform.messageBox(QString::fromStdString(refused.what()), "Save to File",
                              Platform::Buttons::Ok, Platform::Icon::Warning);
    } catch (...) {
        WaitEnd();
        ReportError("Saving Bmp file");
    }
}

} // namespace kinetra
