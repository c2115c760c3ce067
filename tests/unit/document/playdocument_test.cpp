// The play document without a window: what opening, saving, editing, undo and redo do to the
// frames, the texts, the file and the modified mark.
#include "document/playdocument.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kinetra {
namespace {

const QString kData = QStringLiteral(KINETRA_TEST_DATA);

QString dataFile(const QString &name)
{
    return QDir(kData).filePath(name);
}

enum class Step {
    New,
    Open,          // two_frames.KTR
    Edit,          // a recorded change of the current frame
    Append,        // a frame inserted, its step not recorded yet
    Record,        // the step of what was changed since the last record
    MarkChanged,   // a change the history does not cover (title, notes)
    Properties,    // the field picture and a line's colour changed, as one step
    Label,         // a player label typed, its step not recorded yet
    Unlabel,       // that label typed back as it was
    Save,
    Undo,
    Redo,
};

/// A document with a folder to save into, counting the signals it sends.
class DocumentFixture
{
public:
    DocumentFixture()
    {
        QObject::connect(&doc, &PlayDocument::modifiedChanged, [this](bool) { ++markChanges; });
        QObject::connect(&doc, &PlayDocument::pathChanged, [this](const QString &) { ++paths; });
        QObject::connect(&doc, &PlayDocument::textsChanged, [this] { ++texts; });
        QObject::connect(&doc, &PlayDocument::framesChanged, [this] { ++frames; });
        QObject::connect(&doc, &PlayDocument::historyChanged, [this] { ++histories; });
        QObject::connect(&doc, &PlayDocument::edited, [this] { ++edits; });
    }

    void apply(Step step)
    {
        switch (step) {
        case Step::New: doc.newPlay(QDateTime(QDate(2026, 1, 2), QTime(10, 0)), {}); break;
        case Step::Open:
            ASSERT_EQ(doc.open(dataFile("two_frames.KTR"), {}).status, PlayReadStatus::Opened);
            break;
        case Step::Edit: editCurrentFrame(); break;
        case Step::Append: doc.appendFrame(); break;
        case Step::Record: doc.recordEdit("Insert Frame"); break;
        case Step::MarkChanged: doc.markChanged(); break;
        case Step::Properties: {
            PlayLooks looks = doc.looks();
            looks.Picbkg = int16_t((looks.Picbkg + 1) % 4);
            looks.actions[2].color += 1;
            doc.setLooks(looks);
            doc.recordEdit("Properties");
            break;
        }
        case Step::Label:
        case Step::Unlabel: {
            PlayLooks looks = doc.looks();
            std::string &label = looks.labels.defense[5];
            if (step == Step::Label) {
                typedOver = label;
                label = "Typed";
            } else {
                label = typedOver;
            }
            doc.setLooks(looks);
            break;
        }
        case Step::Save: ASSERT_TRUE(save().ok()); break;
        case Step::Undo: doc.undo(); break;
        case Step::Redo: doc.redo(); break;
        }
    }

    QString savePath() const { return dir.filePath("saved.KTR"); }
    PlaySaveResult save() { return doc.save(savePath(), QDateTime(QDate(2026, 12, 7), QTime(14, 10, 9))); }

    /// Moves offensive player 0 of the current frame: an edit the history records.
    void editCurrentFrame()
    {
        doc.frames().currentFrame().OPlayerX[0] += 10;
        doc.recordEdit("Move Player");
    }

    QTemporaryDir dir;
    PlayDocument doc;
    std::string typedOver; ///< the label Step::Label replaced
    int markChanges = 0;
    int paths = 0;
    int texts = 0;
    int frames = 0;
    int histories = 0;
    int edits = 0;
};

// ---- The modified mark through sequences of commands ----

struct MarkCase
{
    const char *name;
    std::vector<std::pair<Step, bool>> steps; ///< each step and the mark it leaves
};

void PrintTo(const MarkCase &c, std::ostream *os)
{
    *os << c.name;
}

class ModifiedMark : public ::testing::TestWithParam<MarkCase>
{
};

TEST_P(ModifiedMark, FollowsEveryStep)
{
    DocumentFixture f;
    ASSERT_TRUE(f.dir.isValid());
    bool shown = f.doc.isModified();
    int flips = 0;
    for (size_t i = 0; i < GetParam().steps.size(); ++i) {
        const auto [step, marked] = GetParam().steps[i];
        f.edits = f.histories = 0;
        f.apply(step);
        EXPECT_EQ(f.doc.isModified(), marked) << "after step " << i;
        // A copy of the changes is kept or dropped on `edited`: it comes whenever the play was
        // or is modified. The undo commands follow every step the history took.
        EXPECT_EQ(f.edits > 0, shown || marked) << "after step " << i;
        const bool historyStep = step != Step::Append && step != Step::MarkChanged
                                 && step != Step::Label && step != Step::Unlabel;
        EXPECT_EQ(f.histories > 0, historyStep) << "after step " << i;
        flips += shown != f.doc.isModified();
        shown = f.doc.isModified();
    }
    // Views hear of every change of the mark, once.
    EXPECT_EQ(f.markChanges, flips);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ModifiedMark,
    ::testing::Values(
        MarkCase{"UndoBackToTheOpenedPlayIsClean",
                 {{Step::Open, false}, {Step::Edit, true}, {Step::Undo, false}, {Step::Redo, true}}},
        MarkCase{"SaveMovesTheCleanState",
                 {{Step::New, false},
                  {Step::Edit, true},
                  {Step::Save, false},
                  {Step::Edit, true},
                  {Step::Undo, false}, // back at the saved state
                  {Step::Undo, true},  // before it
                  {Step::Redo, false},
                  // Undone below the saved state and edited: it is gone until the next save.
                  {Step::Undo, true},
                  {Step::Edit, true},
                  {Step::Undo, true},
                  {Step::Save, false}}},
        MarkCase{"EditAfterUndoingPastTheSaveNeverComesBackClean",
                 {{Step::Open, false},
                  {Step::Edit, true},
                  {Step::Save, false},
                  {Step::Undo, true},
                  {Step::Edit, true},
                  {Step::Undo, true}}},
        MarkCase{"AChangeTheHistoryDoesNotCoverOutlastsUndo",
                 {{Step::Open, false},
                  {Step::MarkChanged, true},
                  {Step::Edit, true},
                  {Step::Undo, true},
                  {Step::Save, false}}},
        MarkCase{"AnInsertedFrameMarksBeforeItsStepIsRecorded",
                 {{Step::Open, false},
                  {Step::Append, true},
                  {Step::Record, true},
                  {Step::Undo, false}}},
        MarkCase{"RecordingNothingLeavesThePlayClean",
                 {{Step::Open, false}, {Step::Record, false}}},
        MarkCase{"NewAndOpenDropTheChangesAndTheirHistory",
                 {{Step::Edit, true},
                  {Step::New, false},
                  {Step::Undo, false},
                  {Step::Edit, true},
                  {Step::Open, false},
                  {Step::Undo, false}}},
        MarkCase{"UndoingTheLooksBackToTheSavedOnesClearsTheMark",
                 {{Step::Open, false},
                  {Step::Properties, true},
                  {Step::Undo, false},
                  {Step::Redo, true},
                  {Step::Save, false},
                  {Step::Undo, true}}},
        MarkCase{"ALabelTypedBackIsNoChange",
                 {{Step::Open, false}, {Step::Label, true}, {Step::Unlabel, false}}},
        MarkCase{"UndoTakesBackALabelNotRecordedYet",
                 {{Step::New, false},
                  {Step::Edit, true},
                  {Step::Save, false},
                  {Step::Label, true},
                  {Step::Undo, false},
                  {Step::Redo, true}}},
        MarkCase{"UndoTakesBackAFrameNotRecordedYet",
                 {{Step::Open, false}, {Step::Append, true}, {Step::Undo, false}, {Step::Redo, true}}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- Opening ----

struct OpenCase
{
    const char *file;
    PlayReadStatus status;
    bool taken;      ///< the document holds the file's play afterwards
    bool boundToFile; ///< and the file is the play's file
};

void PrintTo(const OpenCase &c, std::ostream *os)
{
    *os << c.file;
}

class Opening : public ::testing::TestWithParam<OpenCase>
{
};

TEST_P(Opening, TakesThePlayOnlyFromAFileItCouldRead)
{
    DocumentFixture f;
    ASSERT_TRUE(f.save().ok());
    f.editCurrentFrame();
    f.doc.setTexts("Mine", "my notes");
    const std::vector<PlayConfig> before = f.doc.frames().frames();
    const QString file = dataFile(GetParam().file);

    EXPECT_EQ(f.doc.open(file, {}).status, GetParam().status);

    if (!GetParam().taken) {
        EXPECT_EQ(f.doc.path(), f.savePath());
        EXPECT_EQ(f.doc.title(), "Mine");
        EXPECT_TRUE(f.doc.isModified());
        EXPECT_TRUE(f.doc.history().canUndo());
        ASSERT_EQ(f.doc.frames().count(), int16_t(before.size()));
        EXPECT_TRUE(sameFrame(f.doc.frames().frame(1), before[0]));
        return;
    }
    // A damaged file is not the play's file: a save must not write the partial play over it.
    EXPECT_EQ(f.doc.path(), GetParam().boundToFile ? file : QString());
    EXPECT_NE(f.doc.title(), "Mine");
    EXPECT_FALSE(f.doc.isModified());
    EXPECT_FALSE(f.doc.history().canUndo());
    EXPECT_EQ(f.doc.currentFrame(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Opening,
    ::testing::Values(OpenCase{"two_frames.KTR", PlayReadStatus::Opened, true, true},
                      OpenCase{"truncated.KTR", PlayReadStatus::OpenedWithFailure, true, false},
                      OpenCase{"garbage.KTR", PlayReadStatus::NotOpened, false, false},
                      OpenCase{"missing.KTR", PlayReadStatus::NotOpened, false, false},
                      OpenCase{"hockey.KTR", PlayReadStatus::Refused, false, false}));

// ---- Saving ----

TEST(PlayDocumentSave, ThePlayAfterSavingIsWhatOpeningTheFileGives)
{
    DocumentFixture f;
    ASSERT_EQ(f.doc.open(dataFile("three_frames.KTR"), {}).status, PlayReadStatus::Opened);
    f.doc.setTexts("The \"wheel\" play", "Go \u2192 now\r\nthen");
    f.doc.frames().frame(2).TxtValue[0] = "\"quoted\"";
    f.doc.recordEdit("Edit Text Label");
    f.paths = f.texts = 0;

    ASSERT_TRUE(f.save().ok());
    EXPECT_EQ(f.paths, 1);
    EXPECT_FALSE(f.doc.isModified());
    EXPECT_EQ(f.doc.date(), "12-07-2026");
    EXPECT_EQ(f.doc.time(), "14:10:09");

    PlayDocument reopened;
    ASSERT_EQ(reopened.open(f.savePath(), {}).status, PlayReadStatus::Opened);
    EXPECT_EQ(f.doc.title(), reopened.title());
    EXPECT_EQ(f.doc.notes(), reopened.notes());
    EXPECT_EQ(f.doc.date(), reopened.date());
    EXPECT_EQ(f.doc.time(), reopened.time());
    ASSERT_EQ(f.doc.frames().count(), reopened.frames().count());
    for (int i = 1; i <= f.doc.frames().count(); ++i) {
        const int16_t n = int16_t(i);
        EXPECT_TRUE(sameFrame(f.doc.frames().frame(n), reopened.frames().frame(n))) << i;
    }

    // The texts as saved belong to every state the history holds: undo does not bring back
    // a text the file could not hold.
    ASSERT_TRUE(f.doc.undo());
    ASSERT_TRUE(f.doc.redo());
    EXPECT_EQ(f.doc.frames().frame(2).TxtValue[0], reopened.frames().frame(2).TxtValue[0]);
    EXPECT_FALSE(f.doc.isModified());
}

// The one value saving, recovery, export and printing take is what the saved file holds, and
// stays so while the play goes on changing.
TEST(PlayDocumentSave, TheSnapshotIsWhatTheSavedFileHolds)
{
    DocumentFixture f;
    ASSERT_EQ(f.doc.open(dataFile("three_frames.KTR"), {}).status, PlayReadStatus::Opened);
    PlayLooks looks = f.doc.looks();
    looks.Picbkg = 2;
    looks.actions[1].label = "Bunt";
    looks.actions[1].color = 255;
    looks.labels.defense[3] = "SS";
    f.doc.setLooks(looks);
    f.doc.setTexts("Squeeze", "Bunt\r\nRun");
    f.doc.selectFrame(2);
    ASSERT_TRUE(f.save().ok());

    const PlaySnapshot snapshot = f.doc.snapshot();
    QFile file(f.savePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string bytes = file.readAll().toStdString();
    EXPECT_EQ(formatPlay(snapshot), bytes);

    const PlayReadResult saved = readPlay(bytes);
    ASSERT_EQ(saved.status, PlayReadStatus::Opened);
    EXPECT_EQ(saved.play.title, snapshot.title);
    EXPECT_EQ(saved.play.date, "12-07-2026");
    EXPECT_EQ(saved.play.time, snapshot.time);
    EXPECT_EQ(saved.play.notes, snapshot.notes);
    EXPECT_EQ(saved.play.looks.Picbkg, 2);
    EXPECT_EQ(saved.play.looks.actions, snapshot.looks.actions);
    EXPECT_EQ(saved.play.looks.labels, snapshot.looks.labels);
    EXPECT_EQ(saved.play.frames.frames(), snapshot.frames.frames());
    EXPECT_EQ(snapshot.frames.current(), 2);

    f.editCurrentFrame();
    f.doc.setTexts("Other", QString());
    EXPECT_EQ(formatPlay(snapshot), bytes);
}

TEST(PlayDocumentSave, TextsASaveRewritesBelongToTheSavedStateNotToTheHistory)
{
    DocumentFixture f;
    // The file holds a double quote as a single one.
    PlayConfig &frame = f.doc.frames().currentFrame();
    frame.TxtValue[1] = "Say \"go\"";
    frame.TxtSYMBOLX[1] = 150, frame.TxtSYMBOLY[1] = 150;
    f.doc.recordEdit("Place Text Label");
    ASSERT_TRUE(f.save().ok());
    EXPECT_EQ(frame.TxtValue[1], "Say 'go'");
    EXPECT_FALSE(f.doc.isModified());
    EXPECT_EQ(f.doc.history().count(), 1u);
    EXPECT_EQ(f.doc.history().undoCaption(), "Place Text Label");

    ASSERT_TRUE(f.doc.undo());
    EXPECT_EQ(f.doc.frames().currentFrame().TxtSYMBOLX[1], 0);
    EXPECT_TRUE(f.doc.isModified());
    ASSERT_TRUE(f.doc.redo());
    EXPECT_EQ(f.doc.frames().currentFrame().TxtValue[1], "Say 'go'");
    EXPECT_FALSE(f.doc.isModified());
    const QString again = f.dir.filePath("again.KTR");
    ASSERT_TRUE(f.doc.save(again, QDateTime(QDate(2026, 12, 7), QTime(14, 10, 9))).ok());
    const auto bytesOf = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    EXPECT_EQ(bytesOf(again), bytesOf(f.savePath()));
}

TEST(PlayDocumentSave, AFailedSaveChangesNothing)
{
    DocumentFixture f;
    ASSERT_EQ(f.doc.open(dataFile("two_frames.KTR"), {}).status, PlayReadStatus::Opened);
    f.editCurrentFrame();
    const QString date = f.doc.date();
    f.paths = f.texts = f.markChanges = 0;

    const PlaySaveResult result =
        f.doc.save(f.dir.filePath("no/such/folder/x.KTR"), QDateTime(QDate(2026, 12, 7), QTime(14, 10, 9)));

    EXPECT_FALSE(result.ok());
    EXPECT_EQ(f.doc.path(), dataFile("two_frames.KTR"));
    EXPECT_EQ(f.doc.date(), date);
    EXPECT_TRUE(f.doc.isModified());
    EXPECT_EQ(f.paths + f.texts + f.markChanges, 0);
}

// Saving takes every text of the play as the file holds it, down to the last frame.
TEST(PlayDocumentSave, ThePlayOfTheMostFramesIsSavedWhole)
{
    DocumentFixture f;
    ASSERT_EQ(f.doc.open(dataFile("two_frames.KTR"), {}).status, PlayReadStatus::Opened);
    f.doc.frames().resize(FrameList::kMaxFrames);
    PlayConfig &last = f.doc.frames().frame(32767);
    last.TxtSYMBOLX[0] = 150, last.TxtSYMBOLY[0] = 150;
    last.TxtValue[0] = "Say \"go\"";
    f.doc.recordEdit("Place Text Label");
    ASSERT_TRUE(f.save().ok());
    EXPECT_FALSE(f.doc.isModified());
    EXPECT_EQ(f.doc.frames().frame(32767).TxtValue[0], "Say 'go'");

    PlayDocument reopened;
    ASSERT_EQ(reopened.open(f.savePath(), {}).status, PlayReadStatus::Opened);
    ASSERT_EQ(reopened.frames().count(), 32767);
    EXPECT_EQ(reopened.frames().frame(32767).TxtValue[0], "Say 'go'");
    EXPECT_EQ(reopened.frames().frame(32767).TxtSYMBOLX[0], 150);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What another program left after the labels goes from the file it was opened from to the file
// the play is saved to, after the play's own blocks.
TEST(PlayDocumentSave, TextAfterThePlayGoesFromOpenToSave)
{
    DocumentFixture f;
    const QByteArray plain = fileBytes(dataFile("two_frames.KTR"));
    const QByteArray tail = "Coach's copy, \x93" "do not print\x94\r\n";
    const QString opened = f.dir.filePath("tail.KTR");
    {
        QFile file(opened);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(plain + tail);
    }
    ASSERT_EQ(f.doc.open(opened, {}).status, PlayReadStatus::Opened);
    f.doc.frames().currentFrame().addActionLine(0, {10, 20}, {30, 40});
    f.doc.recordEdit("Draw Line");
    ASSERT_TRUE(f.save().ok());
    const QByteArray saved = fileBytes(f.savePath());
    EXPECT_TRUE(saved.endsWith("\r\n1,0,1,0,10,20,30,40\r\n" + tail));

    // A new play, or another file, has none.
    f.doc.newPlay(QDateTime(QDate(2026, 1, 2), QTime(10, 0)), {});
    EXPECT_EQ(f.doc.snapshot().trailingText, "");
    ASSERT_EQ(f.doc.open(opened, {}).status, PlayReadStatus::Opened);
    ASSERT_EQ(f.doc.open(dataFile("two_frames.KTR"), {}).status, PlayReadStatus::Opened);
    EXPECT_EQ(f.doc.snapshot().trailingText, "");
}

// ---- The play's looks ----

// Looks worked out by hand: what the user starts a play with.
PlayLooks userLooks()
{
    PlayLooks looks;
    looks.Picbkg = 3;
    for (size_t k = 0; k < looks.actions.size(); ++k)
        looks.actions[k] = {"Mine" + std::to_string(k), 1, 1, 100, 2};
    looks.labels.offense.fill("O");
    looks.labels.defense.fill("D");
    return looks;
}

TEST(PlayDocumentLooks, ANewPlayTakesTheUsersAndAnOpenedOneItsFiles)
{
    DocumentFixture f;
    int told = 0;
    QObject::connect(&f.doc, &PlayDocument::looksChanged, [&told] { ++told; });
    f.doc.newPlay(QDateTime(QDate(2026, 1, 2), QTime(10, 0)), userLooks());
    EXPECT_EQ(f.doc.looks(), userLooks());
    EXPECT_EQ(told, 1);

    // three_frames.KTR: field 0, every line a thin black solid one with an arrowhead ("Act1"
    // ..), labels B1 .. B10 and F1 .. F10.
    f.editCurrentFrame();
    ASSERT_EQ(f.doc.open(dataFile("three_frames.KTR"), userLooks()).status,
              PlayReadStatus::Opened);
    EXPECT_EQ(told, 2);
    const PlayLooks &looks = f.doc.looks();
    EXPECT_EQ(looks.Picbkg, 0);
    EXPECT_EQ(looks.actions[0], (ActionLook{"Act1", 1, 1, 0, 0}));
    EXPECT_EQ(looks.actions[7], (ActionLook{"Act8", 1, 1, 0, 0}));
    EXPECT_EQ(looks.labels.offense[0], "B1");
    EXPECT_EQ(looks.labels.defense[9], "F10");
    EXPECT_FALSE(f.doc.isModified());
    EXPECT_FALSE(f.doc.history().canUndo());
    EXPECT_EQ(f.doc.snapshot().looks, looks);
}

TEST(PlayDocumentLooks, ChangingThemIsOneStepThatUndoTakesBackExactly)
{
    DocumentFixture f;
    ASSERT_EQ(f.doc.open(dataFile("three_frames.KTR"), {}).status, PlayReadStatus::Opened);
    const PlayLooks opened = f.doc.looks();
    f.editCurrentFrame();
    const std::vector<PlayConfig> frames = f.doc.frames().frames();
    PlayLooks changed = opened;
    changed.Picbkg = 2;
    changed.actions[7] = {"Relay", 4, 6, 0x00FF00, 2};
    changed.labels.offense[4] = "R2";
    f.doc.setLooks(changed);
    ASSERT_TRUE(f.doc.recordEdit("Properties"));

    EXPECT_EQ(f.doc.history().count(), 2u);
    EXPECT_EQ(f.doc.snapshot().looks, changed);

    ASSERT_TRUE(f.doc.undo());
    EXPECT_EQ(f.doc.looks(), opened);
    EXPECT_EQ(f.doc.frames().frames(), frames) << "the frames stay as they were";
    ASSERT_TRUE(f.doc.undo());
    EXPECT_EQ(f.doc.looks(), opened);
    EXPECT_FALSE(f.doc.isModified());
    ASSERT_TRUE(f.doc.redo());
    ASSERT_TRUE(f.doc.redo());
    EXPECT_EQ(f.doc.looks(), changed);

    // The looks recorded are what the play saves and opens with.
    ASSERT_TRUE(f.save().ok());
    PlayDocument reopened;
    ASSERT_EQ(reopened.open(f.savePath(), userLooks()).status, PlayReadStatus::Opened);
    EXPECT_EQ(reopened.looks(), changed);
}

TEST(PlayDocumentLooks, SavedLabelsAreWhatTheFileHoldsInEveryState)
{
    DocumentFixture f;
    f.doc.newPlay(QDateTime(QDate(2026, 1, 2), QTime(10, 0)), userLooks());
    PlayLooks quoted = userLooks();
    quoted.labels.offense[3] = "say \"hi\"";
    quoted.labels.defense[9] = "\xE2\x86\x92"; // an arrow, not in the file's characters
    quoted.actions[7].label = "\"Hit\"";
    f.doc.setLooks(quoted);
    f.doc.recordEdit("Properties");
    ASSERT_TRUE(f.save().ok());

    PlayLooks asSaved = userLooks();
    asSaved.labels.offense[3] = "say 'hi'";
    asSaved.labels.defense[9] = "?";
    asSaved.actions[7].label = "'Hit'";
    EXPECT_EQ(f.doc.looks(), asSaved);
    EXPECT_FALSE(f.doc.isModified());
    // Undo and redo do not bring back what the file could not hold.
    ASSERT_TRUE(f.doc.undo());
    EXPECT_EQ(f.doc.looks(), userLooks());
    ASSERT_TRUE(f.doc.redo());
    EXPECT_EQ(f.doc.looks(), asSaved);
    EXPECT_FALSE(f.doc.isModified());
}

// Save asks before replacing a file someone changed after the recovered changes were made.
TEST(PlayDocumentRecovery, TheChangedFileIsAskedAboutUntilASave)
{
    struct Case
    {
        const char *what;
        bool changed;  ///< the play's file changed since the recovered changes
        QString path;  ///< the play's file
        int settle;    ///< 0 nothing, 1 saved, 2 a new play, 3 another play opened
        bool asked;
    };
    const QString file = "/plays/squeeze.KTR";
    for (const Case &c : {Case{"changed", true, file, 0, true},
                          Case{"unchanged", false, file, 0, false},
                          Case{"no file", true, QString(), 0, false},
                          Case{"saved", true, file, 1, false},
                          Case{"a new play", true, file, 2, false},
                          Case{"another play", true, file, 3, false}}) {
        DocumentFixture f;
        f.doc.setPath(c.path);
        f.doc.markChanged();
        f.doc.setFileChangedSinceEdits(c.changed);
        switch (c.settle) {
        case 1: ASSERT_TRUE(f.save().ok()); break;
        case 2: f.doc.newPlay(QDateTime(QDate(2026, 1, 2), QTime(10, 0)), {}); break;
        case 3: f.doc.open(dataFile("two_frames.KTR"), {}); break;
        }
        EXPECT_EQ(f.doc.saveReplacesChangedFile(), c.asked) << c.what;
    }
}

// Temporary files that saves cut off by a kill left beside the plays of a folder.
enum class Owner { Dead, Alive, Self, None };

struct SweepCase
{
    const char *name; ///< the file's name, "PID" standing for its owner's process id
    Owner owner;
    bool removed;
};

pid_t deadProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(PlayDocumentOpen, SweepsTheDeadTemporariesOfThePlaysFolderOnly)
{
    const std::vector<SweepCase> cases = {
        {"a.KTR.tmp~PID-0", Owner::Dead, true},
        {"other.KTR.tmp~PID-12", Owner::Dead, true},
        {"a.KTR.tmp~PID-1", Owner::Alive, false},
        {"a.KTR.tmp~PID-2", Owner::Self, false},
        {"a.KTR.tmp~12x-0", Owner::None, false},
        {"a.KTR.tmp~", Owner::None, false},
        {"a.KTR", Owner::None, false},
        {"sub/a.KTR.tmp~PID-0", Owner::Dead, false},
    };
    DocumentFixture f;
    ASSERT_TRUE(QDir(f.dir.path()).mkdir("sub"));
    const pid_t dead = deadProcess();
    QStringList names;
    for (const SweepCase &c : cases) {
        const pid_t pid = c.owner == Owner::Dead    ? dead
                          : c.owner == Owner::Alive ? ::getppid()
                                                    : ::getpid();
        names << QString(c.name).replace("PID", QString::number(pid));
    }
    for (const QString &name : names)
        ASSERT_TRUE(QFile::copy(dataFile("two_frames.KTR"), f.dir.filePath(name)));
    ASSERT_EQ(f.doc.open(f.dir.filePath("a.KTR"), {}).status, PlayReadStatus::Opened);
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(QFile::exists(f.dir.filePath(names[qsizetype(i)])), !cases[i].removed)
            << names[qsizetype(i)].toStdString();
    }
}

TEST(PlayDocumentNames, APictureIsNamedAfterTheFileElseTheTitle)
{
    struct Case
    {
        QString path, title, name;
    };
    for (const Case &c : {Case{"", "Squeeze", "Squeeze"},
                          Case{"/plays/bunt.v2.KTR", "Squeeze", "bunt.v2"},
                          Case{"", " Cut/off ", "Cut_off"}, Case{"", "  ", "Play"}}) {
        PlayDocument doc;
        doc.setPath(c.path);
        doc.setTexts(c.title, QString());
        EXPECT_EQ(doc.pictureName(), c.name) << c.title.toStdString();
    }
}

// ---- What views are told ----

TEST(PlayDocumentSignals, OnlyARealChangeIsAnnounced)
{
    DocumentFixture f;
    f.doc.newPlay(QDateTime(QDate(2026, 1, 2), QTime(10, 0)), {});
    f.paths = f.texts = f.markChanges = 0;

    f.doc.setTexts(f.doc.title(), f.doc.notes());
    f.doc.setPath(f.doc.path());
    f.doc.recordEdit("Nothing");
    EXPECT_EQ(f.paths + f.texts + f.markChanges, 0);

    f.doc.setTexts("Squeeze", f.doc.notes());
    f.doc.setPath("/plays/squeeze.KTR");
    EXPECT_EQ(f.texts, 1);
    EXPECT_EQ(f.paths, 1);
    // Texts are set from the notes window without marking: the window marks on typing.
    EXPECT_FALSE(f.doc.isModified());
}

TEST(PlayDocumentFrames, DeletingTheLastFrameSelectsTheNewLastAndMarks)
{
    DocumentFixture f;
    ASSERT_EQ(f.doc.open(dataFile("three_frames.KTR"), {}).status, PlayReadStatus::Opened);
    int16_t selected = 0;
    QObject::connect(&f.doc, &PlayDocument::currentFrameChanged,
                     [&selected](int16_t index) { selected = index; });
    f.doc.selectFrame(3);
    EXPECT_EQ(selected, 3);

    ASSERT_TRUE(f.doc.deleteCurrentFrame());
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(f.doc.frames().count(), 2);
    EXPECT_TRUE(f.doc.isModified());
    f.doc.recordEdit("Delete Frame");

    // Undo restores the frame and selects it again.
    ASSERT_TRUE(f.doc.undo());
    EXPECT_EQ(f.doc.frames().count(), 3);
    EXPECT_EQ(selected, 3);
    EXPECT_FALSE(f.doc.isModified());
}

// ---- Captions ----

TEST(PlayDocumentCaptions, SettingACaptionIsOneStepThatUndoTakesBackExactly)
{
    DocumentFixture f;
    ASSERT_EQ(f.doc.open(dataFile("three_frames.KTR"), {}).status, PlayReadStatus::Opened);
    f.doc.selectFrame(2);
    f.frames = 0;

    ASSERT_TRUE(f.doc.setCaption("Throw to second,\r\nthen cover"));
    EXPECT_EQ(f.doc.caption(), "Throw to second, then cover");
    EXPECT_EQ(f.doc.frames().frame(1).Caption, "");
    EXPECT_TRUE(f.doc.isModified());
    EXPECT_EQ(f.doc.history().count(), 1u);
    EXPECT_EQ(f.doc.history().undoCaption(), "Frame Caption");
    EXPECT_EQ(f.frames, 1);
    // The same caption again, or only blanks more, is no change.
    EXPECT_FALSE(f.doc.setCaption(" Throw to second, then cover "));
    EXPECT_EQ(f.doc.history().count(), 1u);

    f.doc.selectFrame(3);
    ASSERT_TRUE(f.doc.undo());
    EXPECT_EQ(f.doc.currentFrame(), 2);
    EXPECT_EQ(f.doc.caption(), "");
    EXPECT_FALSE(f.doc.isModified());
    ASSERT_TRUE(f.doc.redo());
    EXPECT_EQ(f.doc.caption(), "Throw to second, then cover");

    // Clearing it is a step too; a caption is cut at its most characters.
    ASSERT_TRUE(f.doc.setCaption(QString()));
    EXPECT_EQ(f.doc.history().count(), 2u);
    ASSERT_TRUE(f.doc.setCaption(QString(130, 'x')));
    EXPECT_EQ(f.doc.caption(), QString(120, 'x'));
}

TEST(PlayDocumentCaptions, SavedSnapshotAndReopenedPlayHoldTheCaptionsAsTheFileDoes)
{
    DocumentFixture f;
    ASSERT_EQ(f.doc.open(dataFile("three_frames.KTR"), {}).status, PlayReadStatus::Opened);
    ASSERT_TRUE(f.doc.setCaption("Say \"go\" \u2192 run"));
    // What recovery copies, export and printing take.
    const PlayReadResult copy = readPlay(formatPlay(f.doc.snapshot()));
    ASSERT_EQ(copy.status, PlayReadStatus::Opened);
    EXPECT_EQ(copy.play.frames.frame(1).Caption, "Say 'go' ? run");

    ASSERT_TRUE(f.save().ok());
    EXPECT_EQ(f.doc.caption(), "Say 'go' ? run");
    EXPECT_FALSE(f.doc.isModified());
    PlayDocument reopened;
    ASSERT_EQ(reopened.open(f.savePath(), {}).status, PlayReadStatus::Opened);
    EXPECT_EQ(reopened.caption(), "Say 'go' ? run");
    EXPECT_EQ(reopened.frames().frame(2).Caption, "");
}

TEST(PlayDocumentCaptions, ADamagedBlockKeepsWhatWasReadWithoutTheFile)
{
    DocumentFixture f;
    QFile plain(dataFile("two_frames.KTR"));
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    const QString damaged = f.dir.filePath("damaged.KTR");
    QFile out(damaged);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(plain.readAll() + "\"KINETRA-CAPTIONS\",1,2\r\n1,\"Lead off\"\r\n1,\"Again\"\r\n");
    out.close();

    const PlayReadResult read = f.doc.open(damaged, {});
    EXPECT_EQ(read.status, PlayReadStatus::OpenedWithFailure);
    EXPECT_EQ(read.failureCode, 9);
    EXPECT_EQ(f.doc.caption(), "Lead off");
    EXPECT_EQ(f.doc.frames().count(), 2);
    EXPECT_EQ(f.doc.path(), QString());
}

} // namespace
} // namespace kinetra
