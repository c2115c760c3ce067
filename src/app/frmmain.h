#pragma once

#include "document/playdocument.h"
#include "output/printsession.h"
#include "playback/frmvideo.h"
#include "prefs/preferences.h"
#include "surface/framelooks.h"
#include "surface/platform.h"
#include "surface/zoom.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>

#include <QSet>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QToolBar;

namespace kinetra {

class Canvas;
class frmMove;
class frmNotes;
class frmPlaybook;
class frmTip;
class Platform;
class Prntfrm;
class SettingsStore;
struct ExportOptions;
class Surface;
class PlayEditing;
class ToolPalette;

/// The main window: the play surface, the palette beside it, the frame controls under it,
/// menus, toolbar and status bar. It shows the play document it holds and owns the preference
/// record.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    /// Builds the window and runs its load: placement, preferences, set-up and a new play.
    frmMain(Platform &platform, SettingsStore &store, const QString &programDir,
            QWidget *parent = nullptr);
    ~frmMain() override;

    /// The play: frames, texts, file, history and the modified mark.
    PlayDocument &document() { return m_document; }
    const PlayDocument &document() const { return m_document; }
    /// The preference record.
    Preferences Prefs;

    /// Makes `index` (1..frame count) the current frame and shows it.
    void SelectFrame(int16_t index);
    /// Wipes the surface back to the field picture and draws the current frame.
    void DrawSelected();
    /// What frames are drawn with: the preference looks plus the window's symbol pictures,
    /// hide boxes and drawing-suppressed flag.
    FrameLooks looks() const;
    /// Applies the preference record to the window's controls.
    void SetupForm();

    // Pictures
    /// (Re)loads the field picture and the eight symbol pictures named by the preference
    /// record, falling back for each file that cannot be read (see resolvePicture), and shows
    /// the current frame on the field. The record keeps the paths it names. Call it after the
    /// record's pictures change; SetupForm calls it.
    void LoadPictures();
    /// The picture of symbol box k (0..7): what the palette shows and every drawing of
    /// symbol k uses.
    QImage symbolPicture(int k) const;
    // End of pictures block
    void LoadPreferences();
    void SavePreferences();
    /// Busy pointer on (processes pending events once) and off; they do not nest.
    void WaitStart();
    void WaitEnd();

    /// Editing on the field and from the palette (created with the window).
    PlayEditing &editing() { return *m_editing; }
    /// A key on the focused surface: Left / Right and Page Up / Page Down step one frame, Home
    /// and End go to the first and the last, all through the scroll bar as the toolbar's
    /// arrows do. Returns whether the key was one of these.
    bool Canvas_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift);

    /// Dispatches a toolbar button by its key, as a click on it does.
    void tbToolBar_ButtonClick(const QString &key);
    void mnuEDel_Click();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();

    // Play document: files, recent files, notes
    /// The path last chosen in the Open or Save As dialog.
    QString LastChosenFile;
    /// Asks whether unsaved changes may be dropped (Yes saves first); true when the caller
    /// may go on.
    bool DataSafe();
    /// Writes the play to sFile, stamped with the moment of saving; on success it becomes the
    /// play's file and the play is no longer modified. A failure is shown and leaves the
    /// previous file, the path, the header date and time and the modified mark; returns false.
    bool SaveScript(const QString &sFile);
    /// Reads the play from sFile; returns true when the play was taken over (also after a
    /// reported reading failure, which leaves the play without a file path).
    bool LoadScript(const QString &sFile);
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuViewNotes_Click();
    /// Rebuilds the recent-file items from the store.
    void LoadRecentFiles();
    /// Adds path to the recent files unless an item already shows it; rebuilds the items.
    void AddRecentFile(const QString &path);
    /// Pushes path onto the stored list as RecentFile1 (at most four are kept).
    void StoreRecentFile(const QString &path);
    /// Whether one of the recent-file items shows exactly path.
    bool IsRecentFile(const QString &path) const;
    /// The path shown by recent-file item index, empty when the item is not filled.
    QString recentFileCaption(int index) const;
    void mnurecentFile_Click(int index);
    /// The notes window, or null before View > Notes or File > New first showed it.
    frmNotes *notesWindow() const { return m_notes; }
    /// Whether the notes window is open.
    bool notesOpen() const;
    // End of play document block

    // Preferences: Properties dialog, formations, player label sets (frmmain_prefs.cpp)
    /// Opens the Properties dialog; when it has closed the window and the current frame show
    /// the new looks.
    void mnuOPreferences_Click();
    /// Saves the current frame's players as a new formation named through an input box.
    void MnuFormSave_Click();
    /// Applies formation Index (1..10) to the current frame.
    void MnuFormValue_Click(int16_t Index);
    /// Deletes formation Index (1..10) after asking.
    void MnuFormDel_Click(int16_t Index);
    /// Saves the palette's labels as label set Index (2..5).
    void MnuPlabSaveSet_Click(int16_t Index);
    /// Makes label set Index (0..5) the players' labels.
    void MnuPlabSel_Click(int16_t Index);
    /// Shows the formation table in the Formations menu: one item per formation in both
    /// submenus, the submenus enabled while a formation exists. Check marks stay as they are.
    void showFormationMenus();
    // End of preferences block
    // Frame commands: insertion, progressive frames, move (handlers in frmmain_frames.cpp)
    void mnuIBefore_Click();
    void mnuIAfter_Click();
    void mnuIBlank_Click();
    void mnuIProgressive_Click();
    /// Opens the Move dialog modally on the current frame.
    void mnuEMove_Click();
    /// The Move dialog on the play's current frame; it opens beside this window where the
    /// screen has room, else over it.
    std::unique_ptr<frmMove> moveDialog();
    /// Asks for a number of frames and inserts that many progressive frames after the
    /// current frame; refuses on the last frame and past the most frames a play can hold.
    void InsertFrames();
    /// Whether n more frames fit in the play; when they do not, says so and returns false.
    bool roomForFrames(int32_t n);
    // End of frame commands block
    // Playback (handlers in frmmain_playback.cpp)
    /// "Play Video" and the toolbar's Play key: shows the Video Control window modally.
    void CmdPlay_Click();
    /// Where the Video Control window of outer size videoSize puts its outer top-left corner:
    /// beside this window where the screen has room (besideWindow); else as far from this
    /// window's top as the palette's tab strip, as far from its left as the frame controls.
    QPoint videoWindowPlace(const QSize &videoSize) const;
    /// The field, as a playback draws the play's frames on it.
    std::unique_ptr<PlaybackView> playbackView();
    // End of playback block
    // Printing and picture export (handlers in frmmain_output.cpp)
    void mnuFilePrint_Click();
    /// The "Print Play" dialog for the play, printing through this window.
    std::unique_ptr<Prntfrm> printDialog();
    void mnuFilePageSetup_Click();
    /// File > Print Playbook: several plays of a folder printed as one document.
    void mnuFilePlaybook_Click();
    /// The "Print Playbook" dialog, listing the Play Directory's folder, printing through
    /// this window's printer.
    std::unique_ptr<frmPlaybook> playbookDialog();
    /// File > Save as Bmp: the field as shown, to a file chosen in a save dialog.
    void mnuFileSaveBMP_Click();
    /// The folder the last bitmap went to in this session; empty before the first.
    QString LastBmpFolder;
    /// The folder the last playbook was listed from in this session; empty before the first.
    QString LastPlaybookFolder;
    /// Where Print Playbook starts: the open play's folder, else LastPlaybookFolder, else the
    /// Play Directory's.
    QString playbookFolder() const;
    /// The session's printer, printer font and PDF folder, which printing goes through.
    PrintSession &printSession() { return m_printSession; }
    // End of printing block
    // Plays handed to the program: named on its command line or by a second start
    /// Brings the window to the front and opens sFile as File > Open does once its dialog has
    /// answered: save prompt, panels, recent files, messages on failure. A request that comes
    /// while a dialog is open or a long operation runs waits until they are over.
    void openRequestedPlay(const QString &sFile);
    // End of requested plays block
    // Play directory, tips, help and About (handlers in frmmain_windows.cpp)
    /// The help file's full path (set at start-up); empty when the program has no help.
    QString HelpFile;
    /// File > Play Directory: pick a play by its title and open it.
    void MnuFPDir_Click();
    /// The folder the Play Directory starts in.
    QString playDirectoryFolder() const;
    /// Help > Tips: shows the one Tip of the Day window, or brings it forward.
    void mnuHelpTips_Click();
    void mnuHelpContents_Click();
    void mnuHelpSearch_Click();
    void mnuHelpAbout_Click();
    /// The Tip of the Day window, or null before it was first shown.
    frmTip *tipWindow() const;
    // End of play directory, tips, help and About block
    // Undo and redo (frmmain_history.cpp)
    void mnuEUndo_Click();
    void mnuERedo_Click();
    const EditHistory &history() const { return m_document.history(); }
    QAction *mnuEUndo = nullptr;
    QAction *mnuERedo = nullptr;
    // End of undo and redo block
    // Export: pictures, PDF and animated GIF of the play (handlers in frmmain_export.cpp)
    /// File > Export...: asks for a file; a PNG (or BMP) of the surface as shown, a PDF of all
    /// frames as Print lays them out, or a GIF of the play, each frame held the playback's
    /// pause, asking whether the players should glide between frames.
    void mnuFileExport_Click();
    /// Writes the export options ask for from the play as the window holds it, with the
    /// window's looks, a busy pointer and a progress dialog with Cancel. Failures are reported
    /// as "Exporting Play". Returns whether the file was written.
    bool exportPlayTo(const ExportOptions &options);
    // End of export block
    // Zoom: the View menu's zoom commands and the field following the window (frmmain_zoom.cpp)
    /// View > Zoom In, Zoom Out, Actual Size: a zoom chosen by hand, which turns Fit off.
    void mnuViewZoomIn_Click();
    void mnuViewZoomOut_Click();
    void mnuViewActualSize_Click();
    /// View > Fit Field to Window: the field takes the largest zoom step the window leaves
    /// room for, now and whenever the window changes size; or, unticked, keeps its zoom.
    void mnuViewFit_Click();
    QAction *mnuViewFit = nullptr;
    QLabel *sbZoom = nullptr; ///< the status bar's zoom, shown when it is not 100 %
    /// File > Export Size: how many times the field's size File > Export... draws a picture
    /// (1 to 4; 2 at start).
    int exportScale() const;
    // End of zoom block
    // Recovery copies (frmmain_recovery.cpp)
    /// Takes the play over from the recovery copy at `copy` as if the changes it holds had
    /// just been made: bound to playFile (empty for a play never saved), marked modified, at
    /// frame `frame` (the last frame when the copy holds fewer). A copy that cannot be read
    /// whole is reported as opening any play is and leaves the window as Open would. Returns
    /// whether the copy was read whole. With playFileChanged (the file was changed after the
    /// copy was made) the first save to that file asks before replacing it.
    bool openRecoveredPlay(const QString &copy, const QString &playFile, int16_t frame,
                           bool playFileChanged = false);
    /// Whether Save may write over the play's file: asks first when it is a recovered play's
    /// file that was changed after the copy was made. False when the user keeps that file.
    bool mayReplacePlayFile();
    // End of recovery copies block

    // Controls other parts of the program and the tests reach by name.
    QToolBar *tbToolBar = nullptr;
    Canvas *canvas = nullptr;
    Surface *surface = nullptr;
    ToolPalette *palette = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QScrollBar *SBar = nullptr;
    QPushButton *CmdPlay = nullptr;
    std::array<QLabel *, 4> statusPanels{};
    QAction *mnuEDel = nullptr;
    QAction *mnuViewToolbar = nullptr;
    QAction *mnuViewStatusBar = nullptr;
    std::array<QAction *, 5> mnurecentFile{};

    /// The toolbar button with `key`, or null.
    QAction *toolbarButton(const QString &key) const;
    /// The menu item with the given object name, or null.
    QAction *menuItem(const QString &name) const;

    /// Window placement in twips, as stored in the settings.
    QRect placementTwips() const;

signals:
    /// A frame was selected and shown (by code, the scroll bar or the toolbar).
    void frameSelected(int16_t index);
    /// The play or its modified mark changed: what no file holds may differ from before.
    void playEdited();
    /// No change to the play is held only in memory any more: it was saved, New or Open
    /// replaced it, or the window closed.
    void playSettled();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void Form_Resize();
    /// Returns whether the window may close.
    bool Form_QueryUnload();
    void SBar_Change();
    void buildMenus();
    void buildToolbar();
    void buildBody();
    void buildStatusBar();
    /// Runs handler when the menu item `name` is chosen; the item counts as built.
    void onCommand(const QString &name, std::function<void()> handler);
    /// Disables every menu item no command was connected to, and the toolbar buttons that
    /// would run one: a command that is not built yet never silently does nothing.
    void disableUnbuiltCommands();
    /// The menu item a toolbar key runs, empty for the keys with code of their own.
    static QString toolbarMenuItem(const QString &key);
    QAction *addMenuItem(QMenu *menu, const QString &caption, const QString &name,
                         const QKeySequence &shortcut = QKeySequence());

    // Play document: files, recent files, notes
    void connectDocumentCommands();
    /// Runs the file dialog; nullopt when cancelled or failed (a failure is reported).
    std::optional<QString> chooseFile(bool saving);
    QString dialogStartFolder() const;
    /// Status panels 1 to 3: the name of `file` (a path, or empty for none), title and date.
    void showDocumentPanels(const QString &file);
    /// Status panel 1 shows `text` whole, its tip the full path (or what the panel holds).
    void showFilePanel(const QString &text, const QString &path);
    void stampDateAndTime(QString &date, QString &time);
    void showNotesWindow();
    /// Closes the notes window if it is open, which hands its texts back to the play.
    void closeNotesWindow();
    void notes_handBack(const QString &title, const QString &notes);
    frmNotes *m_notes = nullptr;
    QString m_dialogFileName; ///< the name the next Open dialog proposes
    QString m_refusedFolder;  ///< the last folder where a save was refused for permission
    // End of play document block

    // Save As names, saved texts
    /// Gives a Save As name without an extension the play extension; asks before replacing
    /// a file of that name. False when the user keeps that file.
    bool addPlayExtension(QString &path);
    /// After a save: the player and action-line labels become what the file holds (see
    /// textAsSaved); the document does the same to its own texts.
    void matchSavedLabels();
    // End of Save As names, saved texts block
    // Preferences: Properties dialog, formations, player label sets
    void connectPreferenceCommands();
    /// Writes the formation table to the store at once, so a crash loses no saved formation.
    void storeFormations();
    // End of preferences block
    // Frame commands
    void connectFrameCommands();
    // End of frame commands block
    // Playback
    void connectPlaybackCommands();
    // End of playback block
    // Printing and picture export
    void connectOutputCommands();
    // End of printing block
    // Plays handed to the program
    void openRequestedPlays();
    QStringList m_requestedPlays;
    bool m_openingRequests = false;
    // End of requested plays block
    // Recovery copies
    QString m_changedPlayFile; ///< a recovered play's file changed since; cleared by any save
    // End of recovery copies block
    // Play directory, tips, help and About
    void connectWindowCommands();
    /// Opens the help viewer; the two Help commands differ only in where it opens.
    void showHelp(Platform::HelpCommand command);
    QPointer<frmTip> m_tip; ///< closing the window deletes it
    // End of play directory, tips, help and About block
    // Undo and redo
    void connectHistoryCommands();
    /// The frame count may have changed: the scroll bar and Delete Frame follow.
    void showFrameCount();
    /// Captions, enabled states and tips of the undo and redo commands.
    void showUndoActions();
    // End of undo and redo block
    // Export
    void connectExportCommands();
    /// Names a file just exported and its size in the status bar.
    void showExported(const QString &file);
    // End of export block
    // Zoom
    void buildZoomMenu(QMenu *view);
    void buildExportSizeMenu(QMenu *file);
    QActionGroup *m_exportSizes = nullptr;
    void connectZoomCommands();
    /// Shows the field at percent: the canvas, the status bar and the layout follow.
    void showZoom(int percent);
    void zoomByHand(int percent);
    /// The body's size with the field shown whole at `field` beside a palette paletteWidth
    /// wide and paletteBottom high; the least body is this at the smallest step, whatever
    /// the zoom, so zooming never makes the window grow.
    QSize bodySizeFor(QSize field, int paletteWidth, int paletteBottom) const;
    /// The room the body leaves the field beside the palette and above the frame controls;
    /// unbounded while the window is not shown.
    QSize fieldRoom(int paletteWidth) const;
    /// With Fit on and the window shown: the largest step whose field fits fieldRoom().
    void fitFieldToWindow(int paletteWidth);
    /// Shows the field whole where it fits the room, else scrolled within the room; returns
    /// the size it takes.
    QSize placeFieldView(int paletteWidth);
    /// The field's scrolling area; it shows the canvas whole unless the zoom needs more room.
    QScrollArea *fieldView = nullptr;
    /// The body that shows the field whole at the present zoom, as the last layout found it.
    QSize m_wholeFieldBody;
    /// The window's size for a body of that size, with the menu, toolbar and status bar.
    QSize windowSizeForBody(QSize body);
    ZoomSetting m_zoom;
    /// The denser versions of the symbol pictures the palette shows.
    std::array<PictureCompanions, 8> m_symbolCompanions;
    // End of zoom block

    // Palette, drag and drop, mouse editing.
    void buildEditing();
    PlayEditing *m_editing = nullptr;

    PlayDocument m_document;
    Platform &m_platform;
    SettingsStore &m_store;
    QString m_programDir;
    PrintSession m_printSession;
    bool m_selecting = false;
    std::map<QString, QAction *> m_toolbarButtons;
    QSet<QString> m_builtCommands;
};

} // namespace kinetra
