// File > Export...: the play as a picture, a PDF or an animated GIF, drawn as the window draws.
#include "app/frmmain.h"

#include "app/playfilechooser.h"
#include "app/reporterror.h"
#include "output/bitmapexport.h"
#include "output/exportdialogs.h"
#include "output/playexport.h"
#include "output/playimager.h"
#include "playback/playbackstate.h"
#include "surface/colors.h"
#include "surface/surface.h"

#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>

namespace kinetra {

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
                const QSize pixels = m_surface->size() * scale;
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

void frmMain::mnuFileExport_Click()
{
    if (const std::optional<ExportOptions> options = askExportOptions(
            m_platform, m_chooser->startFolder(), m_document.pictureName(), exportScale(),
            int(FrameDelay)))
        exportPlayTo(*options);
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
            writeImageFile(m_surface->scaledImage(options.scale), options.output,
                           options.format == ExportFormat::Png ? "PNG" : "BMP");
            written = true;
        } else {
            const PlaySnapshot play = m_document.snapshot();
            options.print.font = m_printSession.font();
            options.print.icon = m_printSession.icon();
            PlayImager imager(m_surface->picture(), m_surface->font(),
                              colorFromRgbInt(m_prefs.Fontcolor), looks(), m_surface->companions());

            ProgressDialog progress("Exporting " + QFileInfo(options.output).fileName() + "...",
                                    "Export", this);
            written = exportPlay(options, play, imager, progress.progress());
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
