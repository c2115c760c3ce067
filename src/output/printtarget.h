#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>

class QPdfWriter;
class QPrinter;

namespace kinetra {

class AtomicFile;
class Surface;

/// Where printed pages go: a printer, a PDF file, or a recorder in the tests. Coordinates are
/// device dots with the origin at the top-left of the printable area. The first page is open
/// once begin() returned; drawing before begin() is not allowed.
class PrintTarget
{
public:
    virtual ~PrintTarget() = default;

    /// Starts the document on its first page; throws Printer error (482) when refused.
    virtual void begin() = 0;
    /// Printable width and height in dots.
    virtual QSize pageSize() const = 0;
    /// How many dots make an inch, for distances the page keeps in millimetres.
    virtual int dotsPerInch() const = 0;
    /// The document's title (a PDF's Title, a print job's name); call it before begin().
    /// Targets without one ignore it.
    virtual void setDocumentTitle(const QString &) {}
    /// The font text is printed and measured in.
    virtual void setFont(const QFont &font) = 0;
    /// Width and height of text printed in the current font, in dots.
    virtual int textWidth(const QString &text) const = 0;
    virtual int textHeight(const QString &text) const = 0;
    /// Prints one line of text in black with its top-left corner at topLeft.
    virtual void drawText(const QPoint &topLeft, const QString &text) = 0;
    virtual void drawLine(const QPoint &from, const QPoint &to, const QPen &pen) = 0;
    /// Outline of the box with the two corners.
    virtual void drawBox(const QPoint &corner1, const QPoint &corner2, const QPen &pen) = 0;
    /// The picture scaled into target.
    virtual void drawImage(const QRect &target, const QImage &image) = 0;
    /// What surface shows, scaled into target; by default its image as a picture.
    virtual void drawSurface(const QRect &target, const Surface &surface);
    /// The shape filled with fill and outlined with outline (Qt::NoPen for none).
    virtual void drawShape(const QPainterPath &shape, const QPen &outline, const QBrush &fill) = 0;
    /// Ends the current page and starts the next; throws Printer error (482) when refused.
    virtual void newPage() = 0;
    /// Ends the document, which sends it to the printer or completes the file; throws when
    /// that fails.
    virtual void finish() = 0;
};

/// Prints on a QPainter over a paint device; subclasses open and close the device.
class PainterPrintTarget : public PrintTarget
{
public:
    void setFont(const QFont &font) override;
    int textWidth(const QString &text) const override;
    int textHeight(const QString &text) const override;
    void drawText(const QPoint &topLeft, const QString &text) override;
    void drawLine(const QPoint &from, const QPoint &to, const QPen &pen) override;
    void drawBox(const QPoint &corner1, const QPoint &corner2, const QPen &pen) override;
    void drawImage(const QRect &target, const QImage &image) override;
    /// Draws the surface again at the device's resolution: sharp figures and letters, the
    /// labels as text, and the densest field and symbol pictures there are.
    void drawSurface(const QRect &target, const Surface &surface) override;
    void drawShape(const QPainterPath &shape, const QPen &outline, const QBrush &fill) override;
    int dotsPerInch() const override;

protected:
    /// The device text is measured for (the printer, before and while printing).
    virtual QPaintDevice *device() const = 0;
    QPainter m_painter;
    QFont m_font;
};

/// Prints on a QPrinter. When outputFile is given the document is a PDF file laid out like the
/// printer (paper, margins, resolution, creator): it is written to a temporary file beside
/// outputFile that replaces outputFile only once every byte of the complete document is on
/// the disk, so a failed print leaves neither a partial file nor a damaged old one, and a disk
/// that fills up fails the print (61) as it fails any other output. The file is written as
/// every other output is (see AtomicFile): through a symbolic link, and never over a file
/// without write permission.
class PrinterPrintTarget : public PainterPrintTarget
{
public:
    explicit PrinterPrintTarget(QPrinter &printer, const QString &outputFile = QString());
    ~PrinterPrintTarget() override;

    void begin() override;
    QSize pageSize() const override;
    void setDocumentTitle(const QString &title) override;
    void newPage() override;
    void finish() override;

protected:
    QPaintDevice *device() const override;

private:
    class FileDevice;

    void abandon();
    /// Throws what stopped the PDF file being written, if anything did.
    void checkWritten();

    [[noreturn]] void fail(int code);

    QPrinter &m_printer;
    QString m_outputFile;
    std::unique_ptr<AtomicFile> m_file;
    std::unique_ptr<FileDevice> m_device;
    std::unique_ptr<QPdfWriter> m_writer;
    bool m_open = false;
};

/// A printer for PDF files laid out like `printer` (paper, orientation, margins), at 300 dots
/// an inch so that widths given in dots look as they do on an office printer. The PDF names
/// the program and its version as its creator.
std::unique_ptr<QPrinter> pdfPrinterLike(const QPrinter &printer);

} // namespace kinetra
