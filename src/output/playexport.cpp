#include "output/playexport.h"

#include "model/atomicfile.h"
#include "model/failurereport.h"
#include "model/glide.h"
#include "model/playfile.h"
#include "model/runtimeerror.h"
#include "output/captionband.h"
#include "output/gifencoder.h"
#include "output/playimager.h"
#include "output/playprinter.h"
#include "output/printtarget.h"
#include "prefs/playlooks.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QScopeGuard>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace kinetra {

namespace {

std::string localPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// Catches the failures the renderer reports while it lives, instead of a message box, and
// hands the first of each frame to the export's caller.
class DrawingFailures
{
public:
    explicit DrawingFailures(const DrawingFailed &handler)
        : m_handler(handler)
        , m_previous(setFailureReporter([this](const std::string &) {
            if (!m_failure)
                m_failure = currentFailure();
        }))
    {
    }
    ~DrawingFailures() { setFailureReporter(std::move(m_previous)); }
    void check(int frame)
    {
        if (!m_failure)
            return;
        if (m_handler && !m_reported.contains(frame))
            m_handler(frame, *m_failure);
        m_reported.insert(frame);
        m_failure.reset();
    }

private:
    const DrawingFailed &m_handler;
    std::optional<RuntimeError> m_failure;
    QSet<int> m_reported;
    FailureReporter m_previous;
};

QByteArray encodePicture(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        throw RuntimeError(ErrorCode::OutOfMemory);
    return bytes;
}

// Files written whole, each to a temporary file beside it, that replace their targets only
// once all are written, and then as one step: a failed or cancelled export changes no file.
class OutputFiles
{
public:
    void write(const QString &path, const QByteArray &bytes)
    {
        AtomicFile &file = open(path);
        file.write(std::string_view(bytes.constData(), size_t(bytes.size())));
        file.finish();
    }
    /// A file to write in pieces, then finish().
    AtomicFile &open(const QString &path)
    {
        auto file = std::make_unique<AtomicFile>(localPath(path));
        file->open();
        m_files.push_back(std::move(file));
        return *m_files.back();
    }
    void commit()
    {
        std::vector<AtomicFile *> files;
        for (const std::unique_ptr<AtomicFile> &file : m_files)
            files.push_back(file.get());
        AtomicFile::commitAll(files);
    }

private:
    std::vector<std::unique_ptr<AtomicFile>> m_files;
};

int glideSteps(int delayMs)
{
    return std::max(1, int(std::lround(double(delayMs) / kGlideStepMs)));
}

} // namespace

bool exportFormatForName(const QString &name, ExportFormat &format)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == "png")
        format = ExportFormat::Png;
    else if (suffix == "bmp")
        format = ExportFormat::Bmp;
    else if (suffix == "pdf")
        format = ExportFormat::Pdf;
    else if (suffix == "gif")
        format = ExportFormat::Gif;
    else
        return false;
    return true;
}

namespace {

// Why a play file could not be read at all, naming it; empty when its contents are at fault,
// which the window's loading message says.
QString unreadableReason(const QString &path, const PlayReadResult &read)
{
    const QFileInfo info(path);
    QString why;
    if (read.failureCode == ErrorCode::FileNotFound || read.failureCode == ErrorCode::PathNotFound)
        why = "no such file";
    else if (info.isDir())
        why = "is a folder";
    else if (read.failureCode == ErrorCode::PermissionDenied)
        why = "permission denied";
    else if (info.exists() && info.size() == 0)
        why = "the file is empty";
    else if (read.noFrames)
        why = QString("the play has no frames (its header gives %1)")
                  .arg(read.frameCount);
    else if (read.failureCode == ErrorCode::DeviceIOError)
        why = QString::fromStdString(errorDescription(read.failureCode)).toLower();
    return why.isEmpty() ? why : path + ": " + why;
}

} // namespace

PlaySnapshot readPlayForExport(const QString &path, const Preferences &prefs)
{
    PlayReadResult read = readPlayFile(localPath(path));
    if (read.status == PlayReadStatus::Refused)
        throw ExportError(read.refusalMessage);
    if (read.status == PlayReadStatus::NotOpened) {
        const QString reason = unreadableReason(path, read);
        if (!reason.isEmpty())
            throw ExportError(reason.toStdString());
    }
    // A play read only in part would export a different play than the file holds.
    if (read.status != PlayReadStatus::Opened)
        throw ExportError(loadErrorMessage(path.toStdString()));

    // The same looks the window takes when it opens the play.
    const PlayLooks looks = openedLooks(read, defaultPlayLooks(prefs));
    PlaySnapshot play = std::move(read.play);
    play.looks = looks;
    return play;
}

void checkOutputs(const QStringList &outputs, const QStringList &inputs)
{
    for (const QString &output : outputs) {
        if (output.isEmpty())
            continue;
        for (const QString &input : inputs) {
            // Compared as files, so a link or a second name of a play counts as the play.
            struct stat a, b;
            if (!input.isEmpty() && ::stat(localPath(output).c_str(), &a) == 0
                && ::stat(localPath(input).c_str(), &b) == 0 && a.st_dev == b.st_dev
                && a.st_ino == b.st_ino)
                throw ExportError(QString("%1 is the same file as the play %2; choose another "
                                          "name for the output.")
                                      .arg(output, input)
                                      .toStdString());
        }
        AtomicFile::checkTarget(localPath(output));
    }
}

QStringList numberedNames(const QString &output, int count)
{
    const QFileInfo info(output);
    const QString suffix = info.suffix();
    QString stem = output;
    if (!suffix.isEmpty())
        stem.chop(suffix.size() + 1);
    const int digits = std::max(3, int(QString::number(count).size()));
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QString("%1-%2.%3").arg(stem).arg(i, digits, 10, QChar('0')).arg(suffix);
    return names;
}

int animationImageCount(int frameCount, int delayMs, bool smooth)
{
    if (!smooth || frameCount < 2)
        return frameCount;
    return frameCount + (frameCount - 1) * (glideSteps(delayMs) - 1);
}

bool exportPlay(const ExportOptions &options, const PlaySnapshot &play, PlayImager &imager,
                const ExportProgress &progress, const DrawingFailed &drawingFailed)
{
    const int count = play.frames.count();
    const bool pictures =
        options.format == ExportFormat::Png || options.format == ExportFormat::Bmp;
    checkOutputs(pictures && options.allFrames ? numberedNames(options.output, count)
                                               : QStringList{options.output},
                 QStringList(options.plays) << options.play);
    // A PDF is printed from the surface itself, at the printer's resolution.
    imager.setScale(options.format == ExportFormat::Pdf ? 1 : options.scale);
    imager.setMono(options.print.mono);
    const auto colour = qScopeGuard([&imager] { imager.setMono(false); });
    DrawingFailures failures(drawingFailed);
    OutputFiles files;
    // `number` is the frame the picture shows, or the one a glide starts from.
    auto image = [&](const PlayConfig &frame, int number) -> const QImage & {
        const QImage &picture = imager.draw(frame);
        failures.check(number);
        return picture;
    };
    auto report = [&](int done, int total) { return !progress || progress(done, total); };

    switch (options.format) {
    case ExportFormat::Png:
    case ExportFormat::Bmp: {
        const char *format = options.format == ExportFormat::Png ? "PNG" : "BMP";
        if (!options.allFrames) {
            if (options.frame < 1 || options.frame > count)
                throw ExportError(QString("The play has no frame %1; its frames are 1 to %2.")
                                      .arg(options.frame)
                                      .arg(count)
                                      .toStdString());
            const PlayConfig &frame = play.frames.frame(int16_t(options.frame));
            files.write(options.output, encodePicture(image(frame, options.frame), format));
            break;
        }
        const QStringList names = numberedNames(options.output, count);
        for (int i = 1; i <= count; ++i) {
            if (!report(i - 1, count))
                return false;
            const PlayConfig &frame = play.frames.frame(int16_t(i));
            files.write(names[i - 1], encodePicture(image(frame, i), format));
        }
        break;
    }
    case ExportFormat::Gif: {
        // Each image goes to the file as it is encoded, so a long play at a large scale needs
        // no more memory than a short one.
        AtomicFile &file = files.open(options.output);
        GifEncoder gif([&file](const char *data, qsizetype size) {
            file.write(std::string_view(data, size_t(size)));
        });
        const int total = animationImageCount(count, options.delayMs, options.smooth);
        const int steps = glideSteps(options.delayMs);
        std::optional<CaptionBand> band;
        if (options.captions)
            band.emplace(play.frames, imager.size().width() * options.scale, options.scale,
                         options.print.font.family());
        // The image of frame number `i`, or of a glide from it, with its caption when asked.
        auto shown = [&](const PlayConfig &frame, int i) {
            const QImage &picture = image(frame, i);
            return band ? band->under(picture, play.frames.frame(int16_t(i)).Caption) : picture;
        };
        int done = 0;
        for (int i = 1; i <= count; ++i) {
            if (!report(done++, total))
                return false;
            const PlayConfig &frame = play.frames.frame(int16_t(i));
            gif.addImage(shown(frame, i), options.delayMs);
            if (!options.smooth || i == count)
                continue;
            // The paths along the lines are worked out once for all the steps between two frames.
            const GlidePlan glide(frame, play.frames.frame(int16_t(i + 1)), imager.itemSizes());
            for (int k = 1; k < steps; ++k) {
                if (!report(done++, total))
                    return false;
                gif.addImage(shown(glide.at(double(k) / steps), i), kGlideStepMs);
            }
        }
        gif.finish();
        file.finish();
        break;
    }
    case ExportFormat::Pdf: {
        // Printed as the Print dialog prints "All Frames", into a PDF that replaces the
        // output only once it is complete.
        PrintOptions printed = options.print;
        printed.allFrames = true;
        printed.looks = imager.looks();
        QPrinter layout(QPrinter::HighResolution);
        const std::unique_ptr<QPrinter> printer = pdfPrinterLike(layout);
        PrinterPrintTarget target(*printer, options.output);
        struct Cancelled
        {
        };
        try {
            printPlay(target, play, printed, imager.size(),
                      [&](int16_t index) -> FrameShot {
                          if (!report(index - 1, count))
                              throw Cancelled();
                          image(play.frames.frame(index), index);
                          return imager.surface();
                      });
        } catch (const Cancelled &) {
            return false;
        }
        break;
    }
    }
    report(1, 1);
    files.commit();
    return true;
}

} // namespace kinetra
