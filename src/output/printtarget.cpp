#include "output/printtarget.h"

#include "model/atomicfile.h"
#include "model/runtimeerror.h"
#include "output/programversion.h"
#include "surface/surface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QIODevice>
#include <QPdfWriter>
#include <QPrinter>

#include <exception>
#include <string_view>

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

// Qt's PDF writer takes no notice of a write that fails and would leave a cut-off document
// looking complete. This device hands the writer's bytes to the file in large pieces and keeps
// the first failure (a full disk, an I/O error) for the print to throw; nothing is written
// after it.
class PrinterPrintTarget::FileDevice : public QIODevice
{
public:
    explicit FileDevice(AtomicFile &file)
        : m_file(file)
    {
        m_pending.reserve(kPiece);
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }

    /// Throws the first failure of a write so far.
    void check() const
    {
        if (m_failure)
            std::rethrow_exception(m_failure);
    }
    /// Writes what is still held back, then throws the first failure of any write.
    void flushAll()
    {
        send();
        check();
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (m_failure)
            return -1;
        m_pending.append(data, size);
        if (m_pending.size() >= kPiece)
            send();
        return m_failure ? -1 : size;
    }

private:
    void send()
    {
        if (m_failure || m_pending.isEmpty())
            return;
        try {
            m_file.write(std::string_view(m_pending.constData(), size_t(m_pending.size())));
        } catch (...) {
            m_failure = std::current_exception();
        }
        m_pending.truncate(0);
    }

    static constexpr qsizetype kPiece = 1 << 16;
    AtomicFile &m_file;
    QByteArray m_pending;
    std::exception_ptr m_failure;
};

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
    if (m_writer)
        return m_writer.get();
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
        // The document goes through the file rather than to a name Qt opens itself, so that
        // every failed write is seen.
        m_device = std::make_unique<FileDevice>(*m_file);
        m_writer = std::make_unique<QPdfWriter>(m_device.get());
        m_writer->setResolution(m_printer.resolution());
        m_writer->setPageLayout(m_printer.pageLayout());
        m_writer->setCreator(m_printer.creator());
        m_writer->setTitle(m_printer.docName());
    }
    if (!m_painter.begin(device()))
        fail(ErrorCode::PrinterError);
    m_open = true;
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.setFont(m_font);
}

void PrinterPrintTarget::setDocumentTitle(const QString &title)
{
    m_printer.setDocName(title);
    if (m_writer)
        m_writer->setTitle(title);
}

QSize PrinterPrintTarget::pageSize() const
{
    const QPaintDevice *shown = device();
    return QSize(shown->width(), shown->height());
}

void PrinterPrintTarget::checkWritten()
{
    if (!m_device)
        return;
    try {
        m_device->check();
    } catch (...) {
        abandon();
        throw;
    }
}

void PrinterPrintTarget::newPage()
{
    // A disk that is full stops the print at the next page rather than at the end.
    checkWritten();
    if (m_writer ? !m_writer->newPage() : !m_printer.newPage())
        fail(ErrorCode::PrinterError);
}

void PrinterPrintTarget::finish()
{
    m_open = false;
    if (!m_painter.end())
        fail(ErrorCode::PrinterError);
    if (m_device) {
        try {
            m_device->flushAll();
        } catch (...) {
            abandon();
            throw;
        }
    } else if (m_printer.printerState() == QPrinter::Error) {
        fail(ErrorCode::PrinterError);
    }
    if (m_file) {
        m_writer.reset();
        m_device.reset();
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
        if (!m_writer)
            m_printer.abort();
        if (m_painter.isActive())
            m_painter.end();
    }
    // The writer first: it may still hand its device the end of the document.
    m_writer.reset();
    m_device.reset();
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
