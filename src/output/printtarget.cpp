#include "output/printtarget.h"

#include "model/atomicfile.h"
#include "model/runtimeerror.h"
#include "output/programversion.h"
#include "surface/surface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPrinter>

namespace kinetra {

void PainterPrintTarget::setFont(const QFont &font)
{
    m_font = font;
    if (m_painter.isActive())
        m_painter.setFont(font);
}

int PainterPrintTarget::textWidth(const QString &text) const
{
    return QFontMetrics(m_font, device()).horizontalAdvance(text);
}

int PainterPrintTarget::textHeight(const QString &) const
{
    return QFontMetrics(m_font, device()).height();
}

void PainterPrintTarget::drawText(const QPoint &topLeft, const QString &text)
{
    m_painter.setFont(m_font);
    m_painter.setPen(QPen(Qt::black));
    m_painter.drawText(topLeft + QPoint(0, QFontMetrics(m_font, device()).ascent()), text);
}

void PainterPrintTarget::drawLine(const QPoint &from, const QPoint &to, const QPen &pen)
{
    m_painter.setPen(pen);
    m_painter.drawLine(from, to);
}

void PainterPrintTarget::drawBox(const QPoint &corner1, const QPoint &corner2, const QPen &pen)
{
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(QRect(corner1, corner2).normalized());
}

void PainterPrintTarget::drawImage(const QRect &target, const QImage &image)
{
    m_painter.drawImage(target, image);
}

void PrintTarget::drawSurface(const QRect &target, const Surface &surface)
{
    drawImage(target, surface.image());
}

void PainterPrintTarget::drawSurface(const QRect &target, const Surface &surface)
{
    // Every frame of a document on the same densest field picture: it is stored once.
    surface.render(m_painter, QRectF(target), Surface::PictureChoice::Densest);
}

void PainterPrintTarget::drawShape(const QPainterPath &shape, const QPen &outline,
                                   const QBrush &fill)
{
    m_painter.setPen(outline);
    m_painter.setBrush(fill);
    m_painter.drawPath(shape);
    m_painter.setBrush(Qt::NoBrush);
}

int PainterPrintTarget::dotsPerInch() const
{
    return device()->logicalDpiX();
}

PrinterPrintTarget::PrinterPrintTarget(QPrinter &printer, const QString &outputFile)
    : m_printer(printer)
    , m_outputFile(outputFile)
{
}

PrinterPrintTarget::~PrinterPrintTarget()
{
    abandon();
}

QPaintDevice *PrinterPrintTarget::device() const
{
    return &m_printer;
}

void PrinterPrintTarget::fail(int code)
{
    RuntimeError failure(code);
    if (!m_outputFile.isEmpty())
        failure.setPath(QFile::encodeName(m_outputFile).toStdString());
    abandon();
    throw failure;
}

void PrinterPrintTarget::begin()
{
    if (!m_outputFile.isEmpty()) {
        // Reserve a name in the target's folder, so that the final rename stays on one disk.
        const bool existed = QFileInfo::exists(m_outputFile);
        m_file = std::make_unique<AtomicFile>(QFile::encodeName(m_outputFile).toStdString());
        m_file->open();
        const QString temporary =
            QFile::decodeName(QByteArray::fromStdString(m_file->temporaryPath()));
        // A new file is readable as any other document; one that replaces a file keeps its
        // permissions.
        if (!existed)
            QFile::setPermissions(temporary, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                 | QFileDevice::ReadGroup
                                                 | QFileDevice::ReadOther);
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(temporary);
    }
    if (!m_painter.begin(&m_printer))
        fail(ErrorCode::PrinterError);
    m_open = true;
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.setFont(m_font);
}

void PrinterPrintTarget::setDocumentTitle(const QString &title)
{
    m_printer.setDocName(title);
}

QSize PrinterPrintTarget::pageSize() const
{
    return QSize(m_printer.width(), m_printer.height());
}

void PrinterPrintTarget::newPage()
{
    if (!m_printer.newPage())
        fail(ErrorCode::PrinterError);
}

void PrinterPrintTarget::finish()
{
    m_open = false;
    if (!m_painter.end() || m_printer.printerState() == QPrinter::Error)
        fail(ErrorCode::PrinterError);
    if (m_file) {
        // Synced to the disk and renamed over the output; the temporary goes on failure.
        try {
            m_file->commit();
        } catch (...) {
            m_file.reset();
            throw;
        }
        m_file.reset();
    }
}

void PrinterPrintTarget::abandon()
{
    if (m_open) {
        m_open = false;
        m_printer.abort();
        if (m_painter.isActive())
            m_painter.end();
    }
    m_file.reset();
}

std::unique_ptr<QPrinter> pdfPrinterLike(const QPrinter &printer)
{
    auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setResolution(300);
    pdf->setPageLayout(printer.pageLayout());
    pdf->setCreator("Kinetra " + programVersion());
    return pdf;
}

} // namespace kinetra
