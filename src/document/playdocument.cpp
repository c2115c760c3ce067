// The play as a document. The modified mark is worked out here only: the history knows whether
// the frames are back at the saved state, the document whether anything the history does not
// cover was changed since the last save.
#include "document/playdocument.h"

#include "model/frameinsertion.h"
#include "model/nextmoment.h"
#include "model/temporaryfiles.h"

#include <QFile>
#include <QFileInfo>

#include <map>

namespace kinetra {

namespace {

std::string localPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

PlayDocument::PlayDocument(QObject *parent)
    : QObject(parent)
{
    m_history.reset(m_frames, m_looks);
}

void PlayDocument::selectFrame(int16_t index)
{
    const bool changed = index != m_frames.current();
    m_frames.setCurrent(index);
    // Looking at another frame between edits: the next step starts from it. Inside a command
    // that inserted or deleted frames the step starts from where that command began.
    if (m_frames.count() == m_history.recorded().count())
        m_history.setSelected(index);
    if (changed)
        emit currentFrameChanged(index);
}

void PlayDocument::appendFrame()
{
    m_frames.AppendFrame();
    framesEdited();
}

void PlayDocument::insertBlankFrame()
{
    m_frames.InsertBlankFrame();
    framesEdited();
}

bool PlayDocument::insertNextMoment(const ItemSizes &sizes)
{
    if (InsertNextMoment(m_frames, sizes) != InsertOutcome::Inserted)
        return false;
    framesEdited();
    return true;
}

int PlayDocument::drawMovementLines(int fielderKind, const ItemSizes &sizes)
{
    const int16_t current = m_frames.current();
    if (current >= m_frames.count())
        return 0;
    const int drawn = kinetra::drawMovementLines(m_frames.frame(current),
                                                 m_frames.frame(int16_t(current + 1)),
                                                 fielderKind, sizes);
    if (drawn > 0)
        framesEdited();
    return drawn;
}

bool PlayDocument::insertProgressiveFrames(int n)
{
    if (InsertFrames(m_frames, n) != InsertOutcome::Inserted)
        return false;
    framesEdited();
    return true;
}

bool PlayDocument::deleteCurrentFrame()
{
    const int16_t current = m_frames.current();
    if (!m_frames.DeleteCurrentFrame())
        return false;
    framesEdited();
    if (m_frames.current() != current)
        emit currentFrameChanged(m_frames.current());
    return true;
}

QString PlayDocument::caption() const
{
    return QString::fromStdString(m_frames.currentFrame().Caption);
}

bool PlayDocument::setCaption(const QString &caption)
{
    std::string line = oneLineCaption(caption.toStdString());
    std::string &held = m_frames.frame(m_frames.current()).Caption;
    if (line == held)
        return false;
    held = std::move(line);
    return recordEdit("Frame Caption");
}

void PlayDocument::framesEdited()
{
    markChanged();
    emit framesChanged();
}

void PlayDocument::setPath(const QString &path)
{
    if (path == m_path)
        return;
    m_path = path;
    emit pathChanged(m_path);
}

QString PlayDocument::pictureName() const
{
    QString name = m_path.isEmpty() ? m_title.trimmed() : QFileInfo(m_path).completeBaseName();
    // A title may hold characters a file name cannot.
    name.replace('/', '_').replace(QChar(0), '_');
    return name.isEmpty() ? QString("Play") : name;
}

void PlayDocument::setTexts(const QString &title, const QString &notes)
{
    setHeader(title, notes, m_date, m_time);
}

void PlayDocument::setHeader(const QString &title, const QString &notes, const QString &date,
                             const QString &time)
{
    if (title == m_title && notes == m_notes && date == m_date && time == m_time)
        return;
    m_title = title;
    m_notes = notes;
    m_date = date;
    m_time = time;
    emit textsChanged();
}

QString PlayDocument::noRoomFor(int n) const
{
    const int room = m_frames.room();
    if (n <= room)
        return QString();
    const int most = FrameList::kMaxFrames;
    if (room == 0)
        return QString("This play already has %1 frames, the most a play can hold.").arg(most);
    return QString("This play has %1 frames and a play can hold at most %2, so no more than %3 "
                   "can be inserted.")
        .arg(m_frames.count())
        .arg(most)
        .arg(room);
}

namespace {

// The header's date and time of a play stamped at `now`.
std::pair<QString, QString> stamp(const QDateTime &now)
{
    const QDate d = now.date();
    const QTime t = now.time();
    return {QString::fromStdString(formatPlayDate(d.year(), d.month(), d.day())),
            QString::fromStdString(formatPlayTime(t.hour(), t.minute(), t.second()))};
}

} // namespace

void PlayDocument::newPlay(const QDateTime &now, const PlayLooks &defaults)
{
    const auto [date, time] = stamp(now);
    m_frames.reset();
    m_trailingText.clear();
    takeLooks(defaults);
    clearHistory();
    emit framesChanged();
    emit currentFrameChanged(m_frames.current());
    markSaved();
    setPath(QString());
    setHeader("New", QString(), date, time);
}

PlayReadResult PlayDocument::open(const QString &file, const PlayLooks &defaults)
{
    PlayReadResult read = readPlayFile(localPath(file));
    if (read.status != PlayReadStatus::Opened && read.status != PlayReadStatus::OpenedWithFailure)
        return read;
    // A save of a play there that was cut off may have left its temporary file behind.
    removeStaleTemporaryFiles(localPath(QFileInfo(file).absolutePath()));
    PlaySnapshot &play = read.play;
    m_frames = std::move(play.frames);
    m_trailingText = std::move(play.trailingText);
    m_frames.setCurrent(1);
    takeLooks(openedLooks(read, defaults));
    clearHistory();
    emit framesChanged();
    emit currentFrameChanged(1);
    markSaved();
    setHeader(QString::fromStdString(play.title), QString::fromStdString(play.notes),
              QString::fromStdString(play.date), QString::fromStdString(play.time));
    setPath(read.status == PlayReadStatus::OpenedWithFailure ? QString() : file);
    return read;
}

PlaySaveResult PlayDocument::save(const QString &file, const QDateTime &now)
{
    const auto [date, time] = stamp(now);
    PlaySnapshot play = snapshot();
    play.date = date.toStdString();
    play.time = time.toStdString();
    const PlaySaveResult result = writePlay(localPath(file), play);
    if (!result.ok())
        return result;
    // The header date and time are those of the last save that succeeded.
    setHeader(m_title, m_notes, date, time);
    setPath(file);
    if (matchSavedTexts())
        emit framesChanged();
    markSaved();
    return result;
}

PlaySnapshot PlayDocument::snapshot() const
{
    return {m_title.toStdString(), m_date.toStdString(), m_time.toStdString(),
            m_notes.toStdString(), m_looks, m_frames, m_trailingText};
}

void PlayDocument::setLooks(const PlayLooks &looks)
{
    if (looks == m_looks)
        return;
    takeLooks(looks);
    // Looks set back to those recorded are no change.
    setModifiedMark(differsFromRecorded());
    emit edited();
}

void PlayDocument::takeLooks(const PlayLooks &looks)
{
    if (looks == m_looks)
        return;
    m_looks = looks;
    emit looksChanged();
}

bool PlayDocument::matchSavedTexts()
{
    // The file cannot hold some characters (a double quote, anything outside Windows-1252);
    // the play takes the texts as the file holds them, so it is what opening the file gives.
    const auto asSaved = [](const QString &text) {
        return QString::fromStdString(textAsSaved(text.toStdString()));
    };
    setTexts(asSaved(m_title), asSaved(m_notes));

    // Every state the history holds takes the texts as saved as well: the replacement is part
    // of the saved state, not a step that undo would take back. Texts repeat from frame to
    // frame and step to step, so each is converted once.
    std::map<std::string, std::string> converted;
    const auto saveTexts = [&](PlayConfig &frame) {
        bool changed = false;
        for (std::string *text : {&frame.TxtValue[0], &frame.TxtValue[1], &frame.Caption}) {
            auto it = converted.find(*text);
            if (it == converted.end())
                it = converted.emplace(*text, textAsSaved(*text)).first;
            if (it->second != *text) {
                *text = it->second;
                changed = true;
            }
        }
        return changed;
    };
    m_history.restate([&](PlayConfig &frame) { saveTexts(frame); });

    // The labels alike: they are saved with the play.
    const auto saveLabels = [](PlayLooks &looks) {
        for (ActionLook &action : looks.actions)
            action.label = textAsSaved(action.label);
        for (auto *side : {&looks.labels.offense, &looks.labels.defense})
            for (std::string &label : *side)
                label = textAsSaved(label);
    };
    m_history.restateLooks(saveLabels);
    PlayLooks looks = m_looks;
    saveLabels(looks);
    takeLooks(looks);

    bool changed = false;
    for (int i = 1; i <= m_frames.count(); ++i)
        changed |= saveTexts(m_frames.frame(int16_t(i)));
    return changed;
}

bool PlayDocument::recordEdit(const QString &caption)
{
    const bool wasModified = m_modified;
    const bool recorded = m_history.record(m_frames, m_looks, caption.toStdString());
    historyMoved(wasModified);
    if (recorded)
        emit framesChanged();
    return recorded;
}

bool PlayDocument::undo()
{
    return step(&EditHistory::undo);
}

bool PlayDocument::redo()
{
    return step(&EditHistory::redo);
}

bool PlayDocument::step(bool (EditHistory::*move)(FrameList &, PlayLooks *))
{
    const int16_t current = m_frames.current();
    const bool wasModified = m_modified;
    m_history.record(m_frames, m_looks, "Edit");
    PlayLooks looks = m_looks;
    const bool moved = (m_history.*move)(m_frames, &looks);
    takeLooks(looks);
    historyMoved(wasModified);
    if (moved) {
        emit framesChanged();
        if (m_frames.current() != current)
            emit currentFrameChanged(m_frames.current());
    }
    return moved;
}

void PlayDocument::clearHistory()
{
    const bool wasModified = m_modified;
    m_history.reset(m_frames, m_looks);
    m_unrecordedEdit = false;
    historyMoved(wasModified);
}

void PlayDocument::markChanged()
{
    // Frame commands mark the play before they record their step, which then decides the
    // mark; anything else that marks it stays marked until the next save.
    if (!m_history.framesMayDiffer(m_frames))
        m_unrecordedEdit = true;
    setModifiedMark(true);
    emit edited();
}

void PlayDocument::markSaved()
{
    const bool wasModified = m_modified;
    m_history.record(m_frames, m_looks, "Edit");
    m_history.setClean();
    m_unrecordedEdit = false;
    m_fileChangedSinceEdits = false;
    historyMoved(wasModified);
}

void PlayDocument::close()
{
    emit closed();
}

void PlayDocument::historyMoved(bool wasModified)
{
    setModifiedMark(differsFromRecorded());
    emit historyChanged();
    // Going back to the saved play is a change too: a copy kept of the changes is not needed.
    if (wasModified || m_modified)
        emit edited();
}

bool PlayDocument::differsFromRecorded() const
{
    return !m_history.isClean() || m_unrecordedEdit || m_looks != m_history.recordedLooks();
}

void PlayDocument::setModifiedMark(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

} // namespace kinetra
