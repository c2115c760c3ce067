#pragma once

#include "document/playdocument.h"
#include "playback/frmvideo.h"
#include "prefs/preferences.h"
#include "surface/framelooks.h"
#include "surface/platform.h"

#include <QImage>
#include <QMainWindow>

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
class CaptionBox;
class frmCaption;
class FieldZoom;
class FormationMenus;
class OutputCommands;
class HelpCommands;
class frmMove;
class frmNotes;
class frmPlaybook;
class Platform;
class PlayFileChooser;
class Prntfrm;
class RecentFiles;
class SettingsStore;
struct ExportOptions;
class Surface;
class PlayEditing;
class ToolPalette;

/// What differs between the ways a play is opened (see frmMain::openPlay).
struct OpenPlayOptions
{
    /// Ask about unsaved changes first (Yes saves them); off where the caller already asked.
    bool askToSave = true;
    /// An opened play joins the recent files and the next Open dialog starts beside it.
    bool remember = true;
};

/// The main window: the play surface, the palette beside it, the frame controls under it,
/// menus, toolbar and status bar. It shows the play document it holds and owns the preference
/// record, into which it copies the play's looks as they change (a new play starts from them).
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
    Preferences &prefs() { return m_prefs; }
    const Preferences &prefs() const { return m_prefs; }

    /// Makes `index` (1..frame count) the current frame and shows it.
    void SelectFrame(int16_t index);
    /// Wipes the surface back to the field picture and draws the current frame.
    void DrawSelected();
    /// What frames are drawn with: the play's looks, the user's player looks and symbol
    /// pictures, the players hidden and the drawing-suppressed flag.
    FrameLooks looks() const;
    /// Shows the preference record and the play's looks in the window's controls.
    void SetupForm();

    // Pictures
    /// (Re)loads the play's field picture and the eight symbol pictures from the files the
    /// preference record names, falling back for each file that cannot be read (see
    /// resolvePicture), and shows the current frame on the field. The record keeps the paths
    /// it names. Call it after the record's pictures change; SetupForm calls it.
    void LoadPictures();
    /// The picture of symbol box k (0..7): what the palette shows and every drawing of
    /// symbol k uses.
    QImage symbolPicture(int k) const;
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
    /// The Open and Save As dialogs and where they start.
    const PlayFileChooser &fileChooser() const { return *m_chooser; }
    /// Asks whether unsaved changes may be dropped (Yes saves first); true when the caller
    /// may go on.
    bool DataSafe();
    /// Writes the play to sFile, stamped with the moment of saving; on success it becomes the
    /// play's file and the play is no longer modified. A failure is shown and leaves the
    /// previous file, the path, the header date and time and the modified mark; returns false.
    bool SaveScript(const QString &sFile);
    /// Opens the play in `file`; every way in (File > Open, the recent files, the Play
    /// Directory, a play handed over, a recovery copy) comes here. Failures are reported. A
    /// play read only in part is taken without its file, so Save asks for a name; a refused or
    /// unreadable file leaves the play as it was. Returns how the file was read; nullopt when
    /// the save prompt was cancelled.
    std::optional<PlayReadStatus> openPlay(const QString &file, OpenPlayOptions options = {});
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuViewNotes_Click();
    /// The File menu's recent-file items.
    RecentFiles &recentFiles() { return *m_recentFiles; }
    const RecentFiles &recentFiles() const { return *m_recentFiles; }
    /// The notes window, or null before View > Notes or File > New first showed it.
    frmNotes *notesWindow() const { return m_notes; }
    /// Whether the notes window is open.
    bool notesOpen() const;

    // Preferences: Properties dialog, formations, player label sets (frmmain_prefs.cpp)
    /// Opens the Properties dialog; when it has closed the window and the current frame show
    /// the new looks, and what changed of the play's looks is one undoable step.
    void mnuOPreferences_Click();
    /// The Formations and Player Labels menus.
    FormationMenus &formationMenus() { return *m_formations; }
    // Frame commands: insertion, progressive frames, move (handlers in frmmain_frames.cpp)
    void mnuIBefore_Click();
    void mnuIAfter_Click();
    void mnuIBlank_Click();
    /// Inserts the next moment of the current frame after it (items at a line's start stand
    /// at its end, no lines) and shows it, as one step.
    void mnuINextMoment_Click();
    /// Draws lines of the Action page's kind in the current frame from every item that moves
    /// to the next frame without a line, as one step.
    void mnuEMovementLines_Click();
    /// How large players and symbols are drawn, as the next-moment commands measure them.
    ItemSizes itemSizes() const;
    /// Edit > Frame Caption... (F2): opens the caption dialog modally on the current frame.
    void mnuECaption_Click();
    /// The caption dialog on the play's current frame.
    std::unique_ptr<frmCaption> captionDialog();
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
    // Playback (handlers in frmmain_playback.cpp)
    /// "Play Video" and the toolbar's Play key: shows the Video Control window modally.
    void CmdPlay_Click();
    /// Where the Video Control window of outer size videoSize puts its outer top-left corner:
    /// beside this window where the screen has room (besideWindow); else as far from this
    /// window's top as the palette's tab strip, as far from its left as the frame controls.
    QPoint videoWindowPlace(const QSize &videoSize) const;
    /// The field, as a playback draws the play's frames on it.
    std::unique_ptr<PlaybackView> playbackView();
    /// The File menu's printing and export commands.
    OutputCommands &output() { return *m_output; }
    // Plays handed to the program: named on its command line or by a second start
    /// Brings the window to the front and opens sFile (see openPlay). A request that comes
    /// while a dialog is open or a long operation runs waits until they are over.
    void openRequestedPlay(const QString &sFile);
    // Play directory, tips, help and About (handlers in frmmain_windows.cpp)
    /// File > Play Directory: pick a play by its title and open it.
    void MnuFPDir_Click();
    /// The folder the Play Directory starts in.
    QString playDirectoryFolder() const;
    /// Help > Tips: shows the one Tip of the Day window, or brings it forward.
    void mnuHelpTips_Click();
    /// The Help menu's commands: help viewer, tips and About.
    HelpCommands &helpCommands() { return *m_help; }
    // Undo and redo (frmmain_history.cpp)
    void mnuEUndo_Click();
    void mnuERedo_Click();
    const EditHistory &history() const { return m_document.history(); }
    // Zoom
    /// File > Export Size: how many times the field's size File > Export... draws a picture
    /// (1 to 4; 2 at start).
    int exportScale() const;
    // Recovery copies (frmmain_recovery.cpp)
    /// Takes the play over from the recovery copy at `copy` as if the changes it holds had
    /// just been made: bound to playFile (empty for a play never saved), marked modified, at
    /// frame `frame` (the last frame when the copy holds fewer). A copy that cannot be read
    /// whole is reported and left as openPlay leaves it. Returns whether the copy was read
    /// whole. With playFileChanged (the file was changed after the copy was made) the first
    /// save to that file asks before replacing it.
    bool openRecoveredPlay(const QString &copy, const QString &playFile, int16_t frame,
                           bool playFileChanged = false);
    /// Whether Save may write over the play's file: asks first when it is a recovered play's
    /// file that was changed after the copy was made. False when the user keeps that file.
    bool mayReplacePlayFile();

    // Controls other parts of the program and the tests reach by name.
    QToolBar *tbToolBar() const { return m_tbToolBar; }
    Canvas *canvas() const { return m_canvas; }
    Surface *surface() const { return m_surface; }
    ToolPalette *toolPalette() const { return m_palette; }
    QGroupBox *Frame1() const { return m_frame1; }
    QLabel *Label1() const { return m_label1; }
    QScrollBar *SBar() const { return m_sbar; }
    QPushButton *CmdPlay() const { return m_cmdPlay; }
    /// The box under the field with the current frame's caption.
    QLabel *captionBox() const;
    const std::array<QLabel *, 4> &statusPanels() const { return m_statusPanels; }
    QLabel *sbZoom() const { return m_sbZoom; } ///< the zoom, shown when it is not 100 %

    /// The toolbar button with `key`, or null.
    QAction *toolbarButton(const QString &key) const;
    /// The menu item with the given object name, or null.
    QAction *menuItem(const QString &name) const;

    /// Window placement in twips, as stored in the settings.
    QRect placementTwips() const;

signals:
    /// A frame was selected and shown (by code, the scroll bar or the toolbar).
    void frameSelected(int16_t index);

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
    /// Hides or shows the toolbar or the status bar; the field keeps its height.
    void toggleBar(QWidget *bar, QAction *item);
    /// Runs handler when the menu item `name` is chosen; the item counts as built.
    void onCommand(const QString &name, std::function<void()> handler);
    /// Disables every menu item no command was connected to, and the toolbar buttons that
    /// would run one: a command that is not built yet never silently does nothing.
    void disableUnbuiltCommands();

    // Play document: files, recent files, notes
    void connectDocumentCommands();
    /// Status panels 1 to 3 from the document: the file Save writes to, title and date.
    void showDocumentPanels();
    /// Shows the play's looks (and makes them the user's current ones) after they changed.
    void showPlayLooks();
    /// Reads the play from sFile into the document and the window; reports failures.
    PlayReadStatus readPlay(const QString &sFile);
    void showNotesWindow();
    /// Closes the notes window if it is open, which hands its texts back to the play.
    void closeNotesWindow();
    frmNotes *m_notes = nullptr;
    std::unique_ptr<RecentFiles> m_recentFiles;
    std::unique_ptr<PlayFileChooser> m_chooser;

    // Preferences: Properties dialog, formations, player label sets
    void connectPreferenceCommands();
    FormationMenus *m_formations = nullptr;
    // Frame commands
    void connectFrameCommands();
    // Playback
    void connectPlaybackCommands();
    // Printing and picture export
    void connectOutputCommands();
    OutputCommands *m_output = nullptr;
    // Plays handed to the program
    void openRequestedPlays();
    QStringList m_requestedPlays;
    bool m_openingRequests = false;
    // Play directory, tips, help and About
    void connectWindowCommands();
    HelpCommands *m_help = nullptr;
    // Undo and redo
    void connectHistoryCommands();
    /// The frame count may have changed: the scroll bar and Delete Frame follow.
    void showFrameCount();
    /// Captions, enabled states and tips of the undo and redo commands.
    void showUndoActions();
    // Zoom
    void connectZoomCommands();
    /// The field's scrolling area; it shows the canvas whole unless the zoom needs more room.
    QScrollArea *fieldView = nullptr;
    /// The window's size for a body of that size, with the menu, toolbar and status bar.
    QSize windowSizeForBody(QSize body);
    FieldZoom *m_fieldZoom = nullptr;

    // Palette, drag and drop, mouse editing.
    void buildEditing();
    /// Says in the status bar, for a while, why an edit was refused.
    void showRefusal(const QString &message);
    PlayEditing *m_editing = nullptr;

    PlayDocument m_document;
    Preferences m_prefs;
    QToolBar *m_tbToolBar = nullptr;
    Canvas *m_canvas = nullptr;
    Surface *m_surface = nullptr;
    ToolPalette *m_palette = nullptr;
    QGroupBox *m_frame1 = nullptr;
    QLabel *m_label1 = nullptr;
    QScrollBar *m_sbar = nullptr;
    QPushButton *m_cmdPlay = nullptr;
    CaptionBox *m_captionBox = nullptr;
    std::array<QLabel *, 4> m_statusPanels{};
    QLabel *m_sbZoom = nullptr;
    QAction *m_mnuEUndo = nullptr;
    QAction *m_mnuERedo = nullptr;
    QAction *m_mnuEDel = nullptr;
    QAction *m_mnuViewToolbar = nullptr;
    QAction *m_mnuViewStatusBar = nullptr;
    QAction *m_mnuViewFit = nullptr;
    Platform &m_platform;
    SettingsStore &m_store;
    QString m_programDir;
    bool m_selecting = false;
    std::map<QString, QAction *> m_toolbarButtons;
    QSet<QString> m_builtCommands;
};

} // namespace kinetra
