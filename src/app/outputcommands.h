#pragma once

#include "output/printsession.h"
#include "surface/framelooks.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QMainWindow;
class QMenu;

namespace kinetra {

class PlayDocument;
class Platform;
class Prntfrm;
class SettingsStore;
class Surface;
class frmPlaybook;
struct ExportOptions;
struct Preferences;

/// The File menu's ways out of the program: Print, Print Setup, Print Playbook, Save as Bmp
/// and Export, for the play of `document` as `surface` shows it.
class OutputCommands : public QObject
{
    Q_OBJECT

public:
    /// What the commands need of the main window besides the play.
    struct Window
    {
        QMainWindow *widget = nullptr;        ///< dialogs' parent, its status bar notes exports
        std::function<FrameLooks()> looks;    ///< what frames are drawn with
        std::function<void(bool)> busy;       ///< the busy pointer on and off
        std::function<QString()> startFolder; ///< where a file dialog for the play starts
        std::function<QString()> playDirectoryFolder;
        std::function<int()> exportScale;     ///< File > Export Size
    };

    OutputCommands(PlayDocument &document, const Preferences &prefs, SettingsStore &store,
                   Surface &surface, Platform &platform, const QString &programDir, Window window,
                   QObject *parent = nullptr);

    /// The session's printer, printer font and PDF folder, which printing goes through.
    PrintSession &printSession() { return m_printSession; }

    void print();
    /// The "Print Play" dialog for the play.
    std::unique_ptr<Prntfrm> printDialog();
    void pageSetup();
    /// File > Print Playbook: several plays of a folder printed as one document; the name and
    /// folder it closed with are kept in the settings.
    void printPlaybook();
    /// The "Print Playbook" dialog, listing the folder playbookFolder() gives and named as the
    /// last playbook was.
    std::unique_ptr<frmPlaybook> playbookDialog();
    /// Where Print Playbook starts: the open play's folder, else the last folder listed while
    /// it exists, else the Play Directory's.
    QString playbookFolder() const;
    /// File > Save as Bmp: the field as shown, to a file chosen in a save dialog.
    void saveBmp();
    /// File > Export...: asks for a file; a PNG (or BMP) of the surface as shown, a PDF of all
    /// frames as Print lays them out, or a GIF of the play.
    void exportPlay();
    /// Writes the export options ask for from the play as it stands, with the window's looks,
    /// a busy pointer and a progress dialog with Cancel. Failures are reported as "Exporting
    /// Play". Returns whether the file was written.
    bool exportPlayTo(const ExportOptions &options);
    /// Each item of the Export Size menu says how many pixels a picture will have, for the
    /// field shown now.
    void nameExportSizes(QMenu *sizes) const;

private:
    PlayDocument &m_document;
    const Preferences &m_prefs;
    SettingsStore &m_store;
    Surface &m_surface;
    Platform &m_platform;
    QString m_programDir;
    Window m_window;
    PrintSession m_printSession;
    QString m_lastBmpFolder; ///< where the last bitmap went in this session
};

} // namespace kinetra
