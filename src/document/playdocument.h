#pragma once

#include "model/edithistory.h"
#include "model/framelist.h"
#include "model/playfile.h"

#include <QDateTime>
#include <QObject>
#include <QString>

namespace kinetra {

struct ItemSizes;

/// The play being edited: its frames and current frame, the header texts (title, notes, date,
/// time), its looks (field picture, action-line looks, player labels), the file it belongs
/// to, the undo history and the one modified mark. Windows show it
/// and change it through its operations; the signals say what changed.
///
/// Commands change frames in place through frames(), or the looks through setLooks(), and then
/// call recordEdit(), which makes the change one undoable step and settles the modified mark.
class PlayDocument : public QObject
{
    Q_OBJECT

public:
    explicit PlayDocument(QObject *parent = nullptr);

    /// The frames, for reading and for commands that change them (each ends with recordEdit).
    FrameList &frames() { return m_frames; }
    const FrameList &frames() const { return m_frames; }
    int16_t currentFrame() const { return m_frames.current(); }
    /// Makes index (1..frame count) the current frame.
    void selectFrame(int16_t index);
    /// Inserts a copy of (a blank frame after) the current frame; the current frame stays and
    /// the play is marked changed until the command records its step. Throws Overflow (6) at
    /// the most frames a play holds, changing nothing.
    void appendFrame();
    void insertBlankFrame();
    /// Inserts the next moment of the current frame after it (see nextMoment, with items as
    /// large as `sizes`); otherwise as appendFrame(). Returns false, changing nothing, at the
    /// most frames a play holds.
    bool insertNextMoment(const ItemSizes &sizes);
    /// Draws a line in the current frame for every item that moves from it to the next frame
    /// without one, a fielder's of `fielderKind` (see drawMovementLines); returns how many.
    /// Drawn lines mark the play changed.
    int drawMovementLines(int fielderKind, const ItemSizes &sizes);
    /// Inserts n progressive frames after the current one (see InsertFrames); returns whether
    /// they were inserted, which marks the play changed.
    bool insertProgressiveFrames(int n);
    /// Why `n` more frames do not fit in the play, as the message that refuses them; empty when
    /// they fit.
    QString noRoomFor(int n) const;
    /// Deletes the current frame unless it is the only one; the play is marked changed.
    bool deleteCurrentFrame();
    /// The current frame's caption, empty when it has none.
    QString caption() const;
    /// Gives the current frame `caption`, made one line of at most kMaxCaptionLength
    /// characters (see oneLineCaption), as one step named "Frame Caption". Returns false,
    /// recording nothing, when the frame's caption stays as it was.
    bool setCaption(const QString &caption);

    const QString &path() const { return m_path; }
    const QString &title() const { return m_title; }
    const QString &notes() const { return m_notes; }
    const QString &date() const { return m_date; }
    const QString &time() const { return m_time; }
    /// The file the play belongs to; empty for a play never saved or opened.
    void setPath(const QString &path);
    /// The name a picture or a PDF of the play is offered under: the play file's without its
    /// extension, else the title; "Play" when both are empty.
    QString pictureName() const;
    /// The title and notes, as the notes window hands them back; the mark does not change.
    void setTexts(const QString &title, const QString &notes);
    /// All four header texts at once, as a save or an open sets them.
    void setHeader(const QString &title, const QString &notes, const QString &date,
                   const QString &time);

    /// What the play looks like, as its file carries it.
    const PlayLooks &looks() const { return m_looks; }
    /// Changes the play's looks; like a change of the frames it is marked until recordEdit()
    /// makes it a step (undo or a save first makes it one).
    void setLooks(const PlayLooks &looks);

    /// Whether the play differs from its file: the history is away from the saved state, the
    /// looks or frames were changed and not recorded yet, or something the history does not
    /// cover (title, notes) changed since the last save.
    bool isModified() const { return m_modified; }
    const EditHistory &history() const { return m_history; }

    /// Starts a new play: one frame, no file, title "New", stamped date and time, no notes,
    /// the looks `defaults` (the user's), an empty history and no changes.
    void newPlay(const QDateTime &now, const PlayLooks &defaults);

    /// Reads the play file at `file`. When the result is Opened or OpenedWithFailure the
    /// document takes the frames (frame 1 current), the header texts, the looks (what the
    /// file holds of them over `defaults`, see openedLooks) and what the file holds that is
    /// not ours, and starts with an empty history and no changes; a damaged file is not the
    /// play's file, so the play has none and Save asks for a name instead of writing the
    /// partial play over what is left. Otherwise the document is left as it was. The result's
    /// frames and trailing text have been taken; what failed is for the caller. Temporary
    /// files that saves cut off (by a crash or a kill) left in the file's folder are removed,
    /// those of running processes kept.
    PlayReadResult open(const QString &file, const PlayLooks &defaults);

    /// Writes the play to `file` stamped with the date and time of `now`; the old file is
    /// replaced only by a complete new one. On success the file is the play's, the header
    /// date and time are the stamp, the title, notes, labels and frame texts become what the
    /// file holds, and the play is not modified. A failure changes nothing.
    PlaySaveResult save(const QString &file, const QDateTime &now);

    /// The play as it stands, as a value that later changes leave alone: the frames, header
    /// texts, looks and what its file held that is not ours. It is what a save would write
    /// now, without the save's new date and time.
    PlaySnapshot snapshot() const;

    /// Remembers that the play's file was changed by someone else since the changes the
    /// play holds (recovered from a copy) were made to it; any save forgets it.
    void setFileChangedSinceEdits(bool changed) { m_fileChangedSinceEdits = changed; }
    /// Whether Save, writing to the play's file, would replace a file changed since the play's
    /// changes were made (so the user should be asked first).
    bool saveReplacesChangedFile() const { return m_fileChangedSinceEdits && !m_path.isEmpty(); }

    /// Makes what commands did to the frames since the last record one undoable step named
    /// `caption`; the mark follows. Returns false when the frames did not change.
    bool recordEdit(const QString &caption);
    /// Takes back (does again) the latest step; a change not yet recorded becomes a step
    /// first. Returns whether the frames changed.
    bool undo();
    bool redo();
    /// Forgets every step; the play as it stands counts as saved.
    void clearHistory();

    /// A change was made. A change of the frames or looks is settled by the recordEdit() that
    /// follows; any other (title, notes) keeps the play modified until it is saved.
    void markChanged();
    /// The play as it stands is the saved one (changed frames not recorded yet become a step
    /// first, so undo still reaches them).
    void markSaved();
    /// The play is put away as the program closes: what it holds was saved or dropped.
    void close();

signals:
    void framesChanged();
    void currentFrameChanged(int16_t index);
    void modifiedChanged(bool modified);
    void pathChanged(const QString &path);
    void textsChanged();
    /// The play's looks changed (set, undone, redone, opened, or turned into what a save
    /// wrote).
    void looksChanged();
    /// The steps undo and redo would take, or the saved state among them, may have changed.
    void historyChanged();
    /// The play or its modified mark changed: what no file holds may differ from before. Sent
    /// for every change marked, and for every step recorded, undone or redone, or save, while
    /// the play was or becomes modified.
    void edited();
    /// close() was called.
    void closed();

private:
    void setModifiedMark(bool modified);
    /// Whether the play differs from its saved state, as the modified mark shows.
    bool differsFromRecorded() const;
    /// Works the mark out after the history changed; wasModified is the mark before.
    void historyMoved(bool wasModified);
    /// Undo or redo: a change not yet recorded becomes a step first.
    bool step(bool (EditHistory::*move)(FrameList &, PlayLooks *));
    /// Turns every text of the play into what the file holds; returns whether a frame changed.
    bool matchSavedTexts();
    /// Takes `looks` as the play's, telling whoever shows them when they differ.
    void takeLooks(const PlayLooks &looks);
    /// After a command changed the frame list.
    void framesEdited();

    FrameList m_frames;
    EditHistory m_history;
    QString m_path;
    QString m_title;
    QString m_notes;
    QString m_date;
    QString m_time;
    PlayLooks m_looks;
    std::string m_trailingText; ///< what the play's file held after our blocks, kept for saves
    bool m_modified = false;
    bool m_fileChangedSinceEdits = false;
    bool m_unrecordedEdit = false; ///< a change the history does not cover, since the last save
};

} // namespace kinetra
