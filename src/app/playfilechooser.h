#pragma once

#include <QString>

#include <optional>

namespace kinetra {

class Platform;

/// The name Save As proposes for a play that has no file yet: its title made a file name
/// (a '/' or a control character becomes '_', blanks and dots at either end go, the name is
/// kept within 255 bytes) with ".ktr"; "new.ktr" when nothing of the title is left.
QString proposedPlayFileName(const QString &title);

/// The Open and Save As dialogs for play files, and what they keep from one to the next: the
/// file last chosen (the next dialog starts beside it), the name the next Open proposes, and
/// the folder where a save was last refused for permission (no place to start or to save).
class PlayFileChooser
{
public:
    explicit PlayFileChooser(Platform &platform);

    /// Runs the Open (or Save As) dialog for the play whose file is `playFile` (empty for
    /// none) and whose title is `title`; Save As proposes the title as the name of a play
    /// without a file. Nullopt when it was cancelled or failed (a failure is reported).
    std::optional<QString> choose(bool saving, const QString &playFile,
                                  const QString &title = QString());
    /// Gives a Save As name without an extension the play extension; asks before replacing a
    /// file of that name. False when the user keeps that file.
    bool addPlayExtension(QString &path);
    /// Where the file dialogs start: beside the last chosen file, else the documents folder.
    QString startFolder() const;

    /// A play opened some other way (recent files, Play Directory, a second start) counts as
    /// chosen in the Open dialog.
    void noteChosen(const QString &file);
    const QString &lastChosenFile() const { return m_lastChosen; }
    /// A save of `file` was refused for permission: its folder is avoided from now on.
    void noteRefused(const QString &file);
    /// Whether `file` lies in the folder where a save was last refused.
    bool inRefusedFolder(const QString &file) const;

private:
    Platform &m_platform;
    QString m_lastChosen;
    QString m_proposedName; ///< the name the next Open dialog proposes
    QString m_refusedFolder;
};

} // namespace kinetra
