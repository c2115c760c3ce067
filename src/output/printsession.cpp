#include "output/printsession.h"

#include "output/printtarget.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>

namespace kinetra {

PrintSession::PrintSession(QString documentsFolder, std::function<QImage()> icon)
    : m_makeIcon(std::move(icon))
    , m_documentsFolder(std::move(documentsFolder))
{
    playbookChoices.size = PrintChoices::Size::Sheet;
    makeTarget = [this](const QString &pdfFile) -> std::unique_ptr<PrintTarget> {
        if (pdfFile.isEmpty())
            return std::make_unique<PrinterPrintTarget>(printer());
        m_pdfPrinter = pdfPrinterLike(printer());
        return std::make_unique<PrinterPrintTarget>(*m_pdfPrinter, pdfFile);
    };
}

PrintSession::~PrintSession() = default;

QPrinter &PrintSession::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool PrintSession::printsToPdf()
{
    // With no printer installed Qt's printer falls back to PDF by itself.
    return printer().outputFormat() == QPrinter::PdfFormat
           || QPrinterInfo::availablePrinters().isEmpty();
}

const QImage &PrintSession::icon()
{
    if (m_makeIcon) {
        m_icon = m_makeIcon();
        m_makeIcon = nullptr;
    }
    return m_icon;
}

QString PrintSession::pdfFolder() const
{
    if (!m_lastPdfFolder.isEmpty() && QDir(m_lastPdfFolder).exists())
        return m_lastPdfFolder;
    return m_documentsFolder;
}

void PrintSession::pdfWritten(const QString &pdfFile)
{
    m_lastPdfFolder = QFileInfo(pdfFile).absolutePath();
}

Platform::FileDialog PrintSession::pdfDialog(const QString &name) const
{
    Platform::FileDialog dialog;
    dialog.title = "Print to File";
    dialog.filter = "PDF files (*.pdf)|*.pdf";
    dialog.startFolder = pdfFolder();
    QString proposed = name;
    proposed.replace('/', '_').replace(QChar(0), '_');
    dialog.proposedName = proposed + ".pdf";
    dialog.confirmReplace = true;
    return dialog;
}

PrintBusy::PrintBusy(Platform &platform)
    : m_platform(platform)
{
    m_platform.setWaitCursor(true);
    m_platform.processEvents();
}

PrintBusy::~PrintBusy()
{
    m_platform.setWaitCursor(false);
}

void showSharedChoices(const PrintChoices &choices, QCheckBox *legend, QCheckBox *notes,
                       QCheckBox *mono, const std::array<QRadioButton *, 3> &size)
{
    legend->setChecked(choices.legend);
    notes->setChecked(choices.notes);
    mono->setChecked(choices.mono);
    size[size_t(choices.size)]->setChecked(true);
}

PrintChoices sharedChoices(const QCheckBox *legend, const QCheckBox *notes, const QCheckBox *mono,
                           const std::array<QRadioButton *, 3> &size)
{
    PrintChoices c;
    c.legend = legend->isChecked();
    c.notes = notes->isChecked();
    c.mono = mono->isChecked();
    c.size = size[2]->isChecked()   ? PrintChoices::Size::Sheet
             : size[1]->isChecked() ? PrintChoices::Size::Small
                                    : PrintChoices::Size::Large;
    return c;
}

} // namespace kinetra
