// File > Export...: the play as a picture, a PDF or an animated GIF, drawn as the window draws.
#include "app/frmmain.h"

#include "app/reporterror.h"
#include "output/bitmapexport.h"
#include "output/playexport.h"
#include "output/playimager.h"
#include "playback/playbackstate.h"
#include "surface/colors.h"
#include "surface/surface.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTimer>

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

void frmMain::connectExportCommands()
{
    onCommand("mnuFileExport", [this] { mnuFileExport_Click(); });
    // Each size says how many pixels a picture will have, for the field shown now.
    if (auto *sizes = findChild<QMenu *>("mnuFileExportSize")) {
        connect(sizes, &QMenu::aboutToShow, this, [this, sizes] {
            for (QAction *size : sizes->actions()) {
                const int scale = size->data().toInt();
                if (scale < 1)
                    continue;
                const QSize pixels = surface->size() * scale;
                size->setText(QString("&%1x the field (%2 x %3)")
                                  .arg(scale)
                                  .arg(pixels.width())
                                  .arg(pixels.height()));
            }
        });
    }
}

void frmMain::showExported(const QString &file)
{
    // The status bar's panels take all its width, so the word about the file gets a panel of
    // its own at the left, for a while.
    auto *panel = statusBar()->findChild<QLabel *>("sbExported");
    if (!panel) {
        panel = new QLabel(statusBar());
        panel->setObjectName("sbExported");
        panel->setToolTip("The file last exported");
        panel->setContentsMargins(0, 0, 12, 0); // apart from the play's name beside it
        statusBar()->insertPermanentWidget(0, panel);
        auto *timer = new QTimer(panel);
        timer->setObjectName("sbExportedTimer");
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, panel, &QLabel::hide);
    }
    const QFileInfo info(file);
    panel->setText(QString("Exported %1: %2")
                       .arg(info.fileName(),
                            QLocale().formattedDataSize(info.size(), 1,
                                                        QLocale::DataSizeSIFormat)));
    panel->show();
    panel->findChild<QTimer *>("sbExportedTimer")->start(30000);
}

QString frmMain::pictureName() const
{
    QString name = m_document.path().isEmpty() ? m_document.title().trimmed()
                                               : QFileInfo(m_document.path()).completeBaseName();
    name.replace('/', '_').replace(QChar(0), '_');
    return name.isEmpty() ? QString("Play") : name;
}

void frmMain::mnuFileExport_Click()
{
    Platform::FileDialog dialog;
    dialog.title = "Export";
    dialog.filter = kExportFilter;
    dialog.startFolder = dialogStartFolder();
    dialog.proposedName = pictureName() + ".png";
    dialog.confirmReplace = true;
    dialog.defaultSuffix = "png";
    int type = 0;
    dialog.selectedFilter = &type;
    const std::optional<QString> chosen = m_platform.saveFileName(dialog);
    if (!chosen || chosen->trimmed().isEmpty())
        return;

    ExportOptions options;
    options.output = chosen->trimmed();
    // A name typed with an extension says what to write; a bare one takes the chosen type's.
    if (QFileInfo(options.output).suffix().isEmpty() && type >= 0
        && type < int(std::size(kExportExtensions))) {
        options.output += QString(".") + kExportExtensions[type];
        // The dialog asked about the name as typed, not about this one.
        if (QFileInfo::exists(options.output)
            && m_platform.messageBox(QString("%1 already exists.\nDo you want to replace it?")
                                         .arg(QDir::toNativeSeparators(options.output)),
                                     "Export", Platform::Buttons::YesNo, Platform::Icon::Warning)
                   != Platform::Answer::Yes)
            return;
    }
    options.scale = exportScale();
    if (!exportFormatForName(options.output, options.format)) {
        m_platform.messageBox("Choose a name ending in .png for a picture of this frame, .pdf "
                              "for the play on paper or .gif for the play animated.",
                              "Kinetra", Platform::Buttons::Ok, Platform::Icon::Warning);
        return;
    }
    if (options.format == ExportFormat::Gif) {
        const Platform::Answer smooth = m_platform.messageBox(
            "Should the players and symbols glide from each frame to the next?\n\n"
            "Yes: smooth movement. No: each frame shown whole, as Play Video shows it.",
            "Animated GIF", Platform::Buttons::YesNoCancel, Platform::Icon::Question);
        if (smooth == Platform::Answer::Cancel)
            return;
        options.smooth = smooth == Platform::Answer::Yes;
        // Each frame is held the playback's pause, as Play Video shows the play.
        options.delayMs = std::clamp(int(FrameDelay), 20, 655350);
    }
    exportPlayTo(options);
}

bool frmMain::exportPlayTo(const ExportOptions &chosen)
{
    ExportOptions options = chosen;
    WaitStart();
    bool written = false;
    try {
        checkOutputs({options.output}, {m_document.path()});
        if (options.format == ExportFormat::Png || options.format == ExportFormat::Bmp) {
            // This frame as the surface shows it, chalk and hidden players included.
            writeImageFile(surface->scaledImage(options.scale), options.output,
                           options.format == ExportFormat::Png ? "PNG" : "BMP");
            written = true;
        } else {
            const PlaySnapshot play = m_document.snapshot(Prefs);
            options.printerFont = m_printSession.font();
            options.printIcon = m_printSession.icon();
            PlayImager imager(surface->picture(), surface->font(),
                              colorFromRgbInt(Prefs.Fontcolor), looks(), surface->companions());

            QProgressDialog progress("Exporting " + QFileInfo(options.output).fileName() + "...",
                                     "Cancel", 0, 1, this);
            progress.setWindowTitle("Export");
            progress.setWindowModality(Qt::WindowModal);
            progress.setMinimumDuration(500);
            written = exportPlay(options, play, imager, [&progress](int done, int total) {
                progress.setMaximum(total);
                progress.setValue(done);
                return !progress.wasCanceled();
            });
        }
        WaitEnd();
    } catch (const ExportError &refused) {
        WaitEnd();
        m_platform.messageBox(QString::fromStdString(refused.what()), "Export",
                              Platform::Buttons::Ok, Platform::Icon::Warning);
        return false;
    } catch (...) {
        WaitEnd();
        ReportError("Exporting Play");
        return false;
    }
    if (written)
        showExported(options.output);
    return written;
}

} // namespace kinetra
