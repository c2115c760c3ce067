// Printing and picture export: the File menu's Print, Print Setup, Print Playbook, Save as Bmp
// and Export, each drawn as the window draws.
#include "app/outputcommands.h"

#include "app/programfolder.h"
#include "app/reporterror.h"
#include "app/statusnote.h"
#include "app/toolbaricons.h"
#include "document/playdocument.h"
#include "output/bitmapexport.h"
#include "output/exportdialogs.h"
#include "output/frmplaybook.h"
#include "output/playexport.h"
#include "output/playimager.h"
#include "output/prntfrm.h"
#include "playback/playbackstate.h"
#include "prefs/preferences.h"
#include "prefs/settingsstore.h"
#include "surface/colors.h"
#include "surface/platform.h"
#include "surface/surface.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

#include <algorithm>

namespace kinetra {

namespace {

// The last playbook's name and the folder its plays were listed from, kept between runs.
const QString kPlaybookSection = QStringLiteral("Playbook");
const QString kPlaybookTitle = QStringLiteral("Title");
const QString kPlaybookFolder = QStringLiteral("Folder");

} // namespace

OutputCommands::OutputCommands(PlayDocument &document, const Preferences &prefs,
                               SettingsStore &store, Surface &surface, Platform &platform,
                               const QString &programDir, Window window, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_prefs(prefs)
    , m_store(store)
    , m_surface(surface)
    , m_platform(platform)
    , m_programDir(programDir)
    , m_window(std::move(window))
    , m_printSession(documentsFolder(), [] { return appIcon().pixmap(256, 256).toImage(); })
{
}

std::unique_ptr<Prntfrm> OutputCommands::printDialog()
{
    return std::make_unique<Prntfrm>(m_printSession, m_document, m_surface, m_window.looks(),
                                     m_platform, m_window.widget);
}

void OutputCommands::print()
{
    printDialog()->exec();
}

void OutputCommands::pageSetup()
{
    try {
        m_platform.printerSetup(m_printSession.printer());
    } catch (...) {
        m_platform.beep();
        m_platform.messageBox("Error In Printer Setup.", "Kinetra", Platform::Buttons::Ok,
                              Platform::Icon::Warning);
    }
}

std::unique_ptr<frmPlaybook> OutputCommands::playbookDialog()
{
    auto dialog = std::make_unique<frmPlaybook>(m_printSession, m_prefs, m_programDir,
                                                playbookFolder(), m_platform, m_window.widget);
    const QString title = m_store.read(kPlaybookSection, kPlaybookTitle).trimmed();
    if (!title.isEmpty())
        dialog->TxtName->setText(title);
    return dialog;
}

QString OutputCommands::playbookFolder() const
{
    // The play open is most likely one of the plays wanted.
    for (const QString &folder :
         {m_document.path().isEmpty() ? QString() : QFileInfo(m_document.path()).absolutePath(),
          m_store.read(kPlaybookSection, kPlaybookFolder)})
        if (!folder.isEmpty() && QDir(folder).exists())
            return folder;
    return m_window.playDirectoryFolder();
}

void OutputCommands::printPlaybook()
{
    const std::unique_ptr<frmPlaybook> dialog = playbookDialog();
    dialog->exec();
    m_store.write(kPlaybookSection, kPlaybookTitle, dialog->TxtName->text().trimmed());
    m_store.write(kPlaybookSection, kPlaybookFolder, dialog->folder());
    m_store.sync();
}

void OutputCommands::saveBmp()
{
    const QString file =
        askBmpFile(m_platform, m_lastBmpFolder, documentsFolder(), m_document.pictureName());
    if (file.isEmpty())
        return;
    // The busy pointer lets pending events run, so the surface is fully painted first.
    m_window.busy(true);
    try {
        checkOutputs({file}, {m_document.path()});
        writeBmp(m_surface.image(), file);
        m_lastBmpFolder = QFileInfo(file).absolutePath();
        m_window.busy(false);
    } catch (const ExportError &refused) {
        m_window.busy(false);
        m_platform.messageBox(QString::fromStdString(refused.what()), "Save to File",
                              Platform::Buttons::Ok, Platform::Icon::Warning);
    } catch (...) {
        m_window.busy(false);
        ReportError("Saving Bmp file");
    }
}

void OutputCommands::nameExportSizes(QMenu *sizes) const
{
    for (QAction *size : sizes->actions()) {
        const int scale = size->data().toInt();
        if (scale < 1)
            continue;
        const QSize pixels = m_surface.size() * scale;
        size->setText(
            QString("&%1x the field (%2 x %3)").arg(scale).arg(pixels.width()).arg(pixels.height()));
    }
}

void OutputCommands::exportPlay()
{
    const std::vector<PlayConfig> &frames = m_document.frames().frames();
    const bool captioned = std::any_of(frames.begin(), frames.end(), [](const PlayConfig &f) {
        return !f.Caption.empty();
    });
    if (const std::optional<ExportOptions> options =
            askExportOptions(m_platform, m_window.startFolder(), m_document.pictureName(),
                             m_window.exportScale(), int(FrameDelay), captioned))
        exportPlayTo(*options);
}

bool OutputCommands::exportPlayTo(const ExportOptions &chosen)
{
    ExportOptions options = chosen;
    m_window.busy(true);
    bool written = false;
    try {
        checkOutputs({options.output}, {m_document.path()});
        if (options.format == ExportFormat::Png || options.format == ExportFormat::Bmp) {
            // This frame as the surface shows it, chalk and hidden players included.
            writeImageFile(m_surface.scaledImage(options.scale), options.output,
                           options.format == ExportFormat::Png ? "PNG" : "BMP");
            written = true;
        } else {
            const PlaySnapshot play = m_document.snapshot();
            options.print.font = m_printSession.font();
            options.print.icon = m_printSession.icon();
            PlayImager imager(m_surface.picture(), m_surface.font(),
                              colorFromRgbInt(m_prefs.Fontcolor), m_window.looks(),
                              m_surface.companions());
            ProgressDialog progress("Exporting " + QFileInfo(options.output).fileName() + "...",
                                    "Export", m_window.widget);
            written = kinetra::exportPlay(options, play, imager, progress.progress());
        }
        m_window.busy(false);
    } catch (const ExportError &refused) {
        m_window.busy(false);
        m_platform.messageBox(QString::fromStdString(refused.what()), "Export",
                              Platform::Buttons::Ok, Platform::Icon::Warning);
        return false;
    } catch (...) {
        m_window.busy(false);
        ReportError("Exporting Play");
        return false;
    }
    if (written) {
        const QFileInfo info(options.output);
        const QString size =
            QLocale().formattedDataSize(info.size(), 1, QLocale::DataSizeSIFormat);
        showStatusNote(m_window.widget->statusBar(), "sbExported", "The file last exported",
                       QString("Exported %1: %2").arg(info.fileName(), size), 30000);
    }
    return written;
}

} // namespace kinetra
