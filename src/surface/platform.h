#pragma once

#include "surface/playbackclock.h"

#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;
class QWidget;

namespace kinetra {

/// Every service the program needs from the desktop. Windows receive the Platform they use,
/// so tests can script a user's answers and read every message shown. Time for playback (a
/// steady clock and timers on the event loop) comes from the PlaybackClock it extends.
/// The interface sits with the surface, the lowest layer with widgets, so that the dialogs of
/// every layer above can take it; the program's QtPlatform implements it.
class Platform : public PlaybackClock
{
public:
    enum class Icon { None, Critical, Warning, Question, Information };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    /// What the font chooser returns: the font with its styles, and the text colour.
    struct FontChoice
    {
        QFont font;
        QColor color;
    };

    struct FileDialog
    {
        QString title;
        QString filter;        // "Plays (*.KTR)|*.KTR" style pairs, as the program writes them
        QString startFolder;
        QString proposedName;
        bool mustExist = false;      // open: the chosen file must exist
        bool folder = false;         // open: an existing folder is chosen, not a file
        bool confirmReplace = false; // save: ask before replacing an existing file
        // save: added to a typed name that has no extension; where the chosen filter names
        // one extension ("*.gif"), that one is added instead
        QString defaultSuffix;
        int *selectedFilter = nullptr; // save: set to the index of the chosen filter pair
    };

    virtual ~Platform() = default;

    /// Modal message box; returns the button the user chose.
    virtual Answer messageBox(const QString &text, const QString &title, Buttons buttons,
                              Icon icon) = 0;
    /// Modal input box; nullopt when cancelled.
    virtual std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                            const QString &defaultText,
                                            std::optional<QPoint> position = std::nullopt) = 0;
    /// File dialogs; nullopt when cancelled.
    virtual std::optional<QString> openFileName(const FileDialog &dialog) = 0;
    virtual std::optional<QString> saveFileName(const FileDialog &dialog) = 0;
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
    /// Font chooser with underline, strikethrough and a text colour; nullopt when cancelled.
    virtual std::optional<FontChoice> chooseFont(const QFont &initial,
                                                 const QColor &initialColor) = 0;
    /// Printer set-up dialog (printer, paper, orientation) for printer, which it changes only
    /// when the user accepts; false when cancelled. Throws when the dialog cannot be shown.
    virtual bool printerSetup(QPrinter &printer) = 0;

    virtual void beep() = 0;
    virtual void sleep(int milliseconds) = 0;
    /// Lets pending window events run once.
    virtual void processEvents() = 0;
    virtual void setWaitCursor(bool busy) = 0;
    virtual QDateTime now() = 0;
    /// A random number in [0, 1).
    virtual double random() = 0;
    enum class HelpCommand { Contents, PartialKey };
    /// Opens the help viewer, owned by the dialog parent, at the help file's contents or at
    /// its keyword index searched for `partialKey`. Throws a failure (its description says
    /// what went wrong) when the help file cannot be shown.
    virtual void showHelp(const QString &helpFile, HelpCommand command,
                          const QString &partialKey = QString()) = 0;

    /// Whether `file`, a name a file dialog was given and then extended, may be written: true
    /// when no such file exists, else the user's answer to "... already exists. Do you want to
    /// replace it?" under `title` (the dialog asked about the name as typed, not this one).
    bool mayReplace(const QString &file, const QString &title)
    {
        return !QFileInfo::exists(file)
               || messageBox(QString("%1 already exists.\nDo you want to replace it?")
                                 .arg(QDir::toNativeSeparators(file)),
                             title, Buttons::YesNo, Icon::Warning)
                      == Answer::Yes;
    }

    /// Parent for dialogs (the main window once it exists).
    void setDialogParent(QWidget *parent) { m_parent = parent; }
    QWidget *dialogParent() const { return m_parent; }

private:
    QWidget *m_parent = nullptr;
};

} // namespace kinetra
