#include "output/exportdialogs.h"

#include "output/bitmapexport.h"
#include "surface/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

#include <algorithm>
#include <iterator>

namespace kinetra {

namespace {

const char *const kExportFilter = "PNG picture of this frame (*.png)|*.png"
                                  "|PDF of the play (*.pdf)|*.pdf"
                                  "|Animated GIF of the play (*.gif)|*.gif";
// The extension of each of the filter's types, in its order.
const char *const kExportExtensions[] = {"png", "pdf", "gif"};

} // namespace

std::optional<ExportOptions> askExportOptions(Platform &platform, const QString &startFolder,
                                              const QString &name, int scale, int frameDelayMs,
                                              bool captioned)
{
    Platform::FileDialog dialog;
    dialog.title = "Export";
    dialog.filter = kExportFilter;
    dialog.startFolder = startFolder;
    dialog.proposedName = name + ".png";
    dialog.confirmReplace = true;
    dialog.defaultSuffix = "png";
    int type = 0;
    dialog.selectedFilter = &type;
    const std::optional<QString> chosen = platform.saveFileName(dialog);
    if (!chosen || chosen->trimmed().isEmpty())
        return std::nullopt;

    ExportOptions options;
    options.output = chosen->trimmed();
    // A name typed with an extension says what to write; a bare one takes the chosen type's.
    if (QFileInfo(options.output).suffix().isEmpty() && type >= 0
        && type < int(std::size(kExportExtensions))) {
        options.output += QString(".") + kExportExtensions[type];
        if (!platform.mayReplace(options.output, "Export"))
            return std::nullopt;
    }
    options.scale = scale;
    if (!exportFormatForName(options.output, options.format)) {
        platform.messageBox("Choose a name ending in .png for a picture of this frame, .pdf "
                            "for the play on paper or .gif for the play animated.",
                            "Kinetra", Platform::Buttons::Ok, Platform::Icon::Warning);
        return std::nullopt;
    }
    if (options.format == ExportFormat::Gif) {
        const Platform::Answer smooth = platform.messageBox(
            "Should the players and symbols glide from each frame to the next?\n\n"
            "Yes: smooth movement. No: each frame shown whole, as Play Video shows it.",
            "Animated GIF", Platform::Buttons::YesNoCancel, Platform::Icon::Question);
        if (smooth == Platform::Answer::Cancel)
            return std::nullopt;
        options.smooth = smooth == Platform::Answer::Yes;
        if (captioned) {
            const Platform::Answer captions = platform.messageBox(
                "Should each frame's caption show under the field?", "Animated GIF",
                Platform::Buttons::YesNoCancel, Platform::Icon::Question);
            if (captions == Platform::Answer::Cancel)
                return std::nullopt;
            options.captions = captions == Platform::Answer::Yes;
        }
        // Each frame is held the playback's pause, as Play Video shows the play.
        options.delayMs = std::clamp(frameDelayMs, 20, 655350);
    }
    return options;
}

QString askBmpFile(Platform &platform, const QString &lastFolder, const QString &documentsFolder,
                   const QString &name)
{
    Platform::FileDialog dialog;
    dialog.title = "Save to File";
    dialog.filter = "Bitmap pictures (*.bmp)|*.bmp";
    const bool last = !lastFolder.isEmpty() && QDir(lastFolder).exists();
    dialog.startFolder = last ? lastFolder : documentsFolder;
    dialog.proposedName = name + ".bmp";
    dialog.confirmReplace = true;
    dialog.defaultSuffix = "bmp";
    const std::optional<QString> answer = platform.saveFileName(dialog);
    if (!answer || answer->trimmed().isEmpty())
        return QString();
    return bmpFileName(*answer);
}

ProgressDialog::ProgressDialog(const QString &label, const QString &title, QWidget *parent)
    : m_dialog(std::make_unique<QProgressDialog>(label, "Cancel", 0, 1, parent))
{
    m_dialog->setWindowTitle(title);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(500);
}

ProgressDialog::~ProgressDialog() = default;

ExportProgress ProgressDialog::progress()
{
    return [dialog = m_dialog.get()](int done, int total) {
        dialog->setMaximum(total);
        dialog->setValue(done);
        return !dialog->wasCanceled();
    };
}

} // namespace kinetra
