// The play as a document in the main window: saving and opening play files through the File
// menu, the save prompt, failures, and the busy pointer around file work.
#include "gui/documentfixture.h"

#include "model/atomicfile.h"
#include "surface/canvas.h"
#include "surface/surface.h"
#include "windows/frmnotes.h"

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolBar>

#include <cerrno>

namespace kinetra {
namespace {

QList<QByteArray> records(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    EXPECT_TRUE(lines.last().isEmpty()) << "the file does not end with a line end";
    lines.removeLast();
    for (QByteArray &line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << line.constData();
        line.chop(1);
    }
    return lines;
}

TEST_F(DocumentTest, NewPlaySavedAsWritesTwentyLines)
{
    auto w = open();
    w->menuItem("mnuFileNew")->trigger();
    const QString file = path("first.KTR");
    saveAsThroughDialog(*w, file);

    const QList<FakePlatform::Call> dialogs = callsOf("saveFile");
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_EQ(dialogs[0].file.filter, "Play files (*.KTR)|*.KTR");
    EXPECT_EQ(dialogs[0].file.proposedName, "New.ktr"); // the new play's title
    EXPECT_TRUE(dialogs[0].file.confirmReplace);
    EXPECT_FALSE(dialogs[0].file.mustExist);
    EXPECT_EQ(dialogs[0].file.startFolder, QDir::currentPath());

    // Header, eight action lines, one frame, ten label lines; nothing after the last CR LF.
    QByteArray expected = "1,\"DAZI\",\"1.4\",\"New\",\"12-07-2026\",\"14:10:09\",\"\",0\r\n";
    for (size_t k = 0; k < 8; ++k)
        expected += QString("\"%1\",%2,%3,%4,%5\r\n")
                        .arg(QString::fromStdString(w->prefs().ActionLabel[k]))
                        .arg(w->prefs().ActionType[k])
                        .arg(w->prefs().ActionSize[k])
                        .arg(w->prefs().ActionColor[k])
                        .arg(w->prefs().ActionEndType[k])
                        .toLatin1();
    expected += records(bytes(QString(KINETRA_TEST_DATA) + "/new_play.KTR")).at(9) + "\r\n";
    for (size_t i = 0; i < 10; ++i)
        expected += QString("\"%1\",\"%2\"\r\n")
                        .arg(QString::fromStdString(w->prefs().OPLabel[i]),
                             QString::fromStdString(w->prefs().DPLabel[i]))
                        .toLatin1();
    const QByteArray written = bytes(file);
    EXPECT_EQ(records(written).size(), 20);
    EXPECT_EQ(written, expected);

    EXPECT_EQ(w->document().path(), file);
    EXPECT_EQ(w->fileChooser().lastChosenFile(), file);
    EXPECT_FALSE(w->document().isModified());
    EXPECT_EQ(panels(*w), (QStringList{"first.KTR", "New", "12-07-2026", " Frame: 1/1"}));
    EXPECT_EQ(recentFiles(*w), QStringList{file});
    EXPECT_TRUE(platform.messages().isEmpty());
}

// A play never saved is proposed under its title, by Save and Save As alike.
TEST_F(DocumentTest, SaveOfAPlayWithoutAFileProposesItsTitle)
{
    auto w = open();
    w->menuItem("mnuFileNew")->trigger();
    w->document().setTexts("Cutoff / Relay", w->document().notes());
    for (const char *command : {"mnuFileSave", "mnuFileSaveAs"}) {
        platform.queueText(std::nullopt);
        w->menuItem(command)->trigger();
        EXPECT_EQ(callsOf("saveFile").last().file.proposedName, "Cutoff _ Relay.ktr") << command;
    }
    EXPECT_TRUE(w->document().path().isEmpty());
}

TEST_F(DocumentTest, OpenTakesThePlayOverAndSetsThePanels)
{
    auto w = open();
    const QString file = copyData("two_frames.KTR");
    openThroughDialog(*w, "  " + file + " "); // blanks around the chosen name are dropped

    const QList<FakePlatform::Call> dialogs = callsOf("openFile");
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_EQ(dialogs[0].file.filter, "Play Files (*.KTR)|*.KTR");
    EXPECT_TRUE(dialogs[0].file.mustExist);
    EXPECT_FALSE(dialogs[0].file.confirmReplace);
    EXPECT_EQ(dialogs[0].file.startFolder, QDir::currentPath());

    EXPECT_TRUE(platform.messages().isEmpty());
    EXPECT_EQ(w->document().path(), file);
    EXPECT_EQ(w->fileChooser().lastChosenFile(), file);
    EXPECT_EQ(w->document().title(), "Bunt, Defense");
    EXPECT_EQ(w->document().time(), "21:30:59");
    EXPECT_EQ(w->document().notes(), "Line one,\r\nline two");
    EXPECT_EQ(panels(*w),
              (QStringList{"two_frames.KTR", "Bunt, Defense", "04-17-1998", " Frame: 1/2"}));
    EXPECT_EQ(w->document().frames().count(), 2);
    EXPECT_EQ(w->document().frames().current(), 1);
    EXPECT_EQ(w->document().frames().frame(1).OPlayerX[0], 123.25f);
    EXPECT_FALSE(w->document().isModified());
    EXPECT_TRUE(w->menuItem("mnuEDel")->isEnabled());
    EXPECT_EQ(w->SBar()->maximum(), 2);
    EXPECT_EQ(w->SBar()->value(), 1);
    EXPECT_EQ(w->prefs().Picbkg, 2);
    EXPECT_EQ(w->prefs().ActionLabel[0], "Run");
    EXPECT_EQ(w->prefs().ActionSize[0], 3);
    EXPECT_EQ(w->prefs().ActionColor[0], 255);
    EXPECT_EQ(w->prefs().OPLabel[0], "B1");
    EXPECT_EQ(w->prefs().DPLabel[9], "P10");
    EXPECT_EQ(recentFiles(*w), QStringList{file});

    // The next dialogs start in the folder of the file just chosen.
    platform.queueText(std::nullopt);
    w->menuItem("mnuFileOpen")->trigger();
    w->menuItem("mnuFileSaveAs")->trigger();
    EXPECT_EQ(callsOf("openFile").last().file.startFolder, dir.path());
    EXPECT_EQ(callsOf("openFile").last().file.proposedName, "two_frames.KTR");
    EXPECT_EQ(callsOf("saveFile").last().file.startFolder, dir.path());
    EXPECT_EQ(callsOf("saveFile").last().file.proposedName, "new.ktr");

    // A play of one frame disables Delete Frame again and shrinks the scroll bar.
    openThroughDialog(*w, copyData("new_play.KTR"));
    EXPECT_FALSE(w->menuItem("mnuEDel")->isEnabled());
    EXPECT_EQ(w->SBar()->maximum(), 1);
    EXPECT_EQ(panels(*w), (QStringList{"new_play.KTR", "New", "04-17-1998", " Frame: 1/1"}));
}

TEST_F(DocumentTest, SavedPlayReadsBackTheSame)
{
    auto w = open();
    openThroughDialog(*w, copyData("two_frames.KTR"));
    const PlayConfig frame2 = w->document().frames().frame(2);
    const QString copy = path("copy.KTR");
    saveAsThroughDialog(*w, copy);
    w->menuItem("mnuFileNew")->trigger();
    openThroughDialog(*w, copy);
    EXPECT_EQ(w->document().frames().count(), 2);
    EXPECT_EQ(w->document().frames().frame(2), frame2);
    EXPECT_EQ(w->document().title(), "Bunt, Defense");
    EXPECT_EQ(w->document().notes(), "Line one,\r\nline two");
    EXPECT_EQ(w->prefs().OPLabel[3], "B4");
}

TEST_F(DocumentTest, NewStartsAnUnsavedPlayAndKeepsTheLooks)
{
    auto w = open();
    openThroughDialog(*w, copyData("two_frames.KTR"));
    w->SelectFrame(2);
    platform.setNow(QDateTime(QDate(2027, 3, 4), QTime(5, 6, 7)));
    w->menuItem("mnuFileNew")->trigger();
    EXPECT_TRUE(platform.messages().isEmpty()); // nothing to save, nothing asked
    EXPECT_EQ(w->document().frames().count(), 1);
    EXPECT_EQ(w->document().frames().frame(1).ActivePlyr, 20);
    EXPECT_FALSE(w->document().isModified());
    EXPECT_FALSE(w->menuItem("mnuEDel")->isEnabled());
    EXPECT_EQ(w->SBar()->maximum(), 1);
    EXPECT_TRUE(w->document().path().isEmpty());
    EXPECT_EQ(w->document().title(), "New");
    EXPECT_EQ(w->document().date(), "03-04-2027");
    EXPECT_EQ(w->document().time(), "05:06:07");
    EXPECT_TRUE(w->document().notes().isEmpty());
    EXPECT_EQ(panels(*w), (QStringList{"Play Not Saved", "New", "03-04-2027", " Frame: 1/1"}));
    EXPECT_TRUE(w->notesOpen());
    // Action-line looks, surface and labels stay as they were.
    EXPECT_EQ(w->prefs().ActionLabel[0], "Run");
    EXPECT_EQ(w->prefs().Picbkg, 2);
    EXPECT_EQ(w->prefs().OPLabel[0], "B1");

    // Save after New asks for a name instead of writing over the play opened before.
    const QByteArray before = bytes(path("two_frames.KTR"));
    w->menuItem("mnuFileSave")->trigger();
    EXPECT_EQ(callsOf("saveFile").size(), 1);
    EXPECT_EQ(bytes(path("two_frames.KTR")), before);
}

TEST_F(DocumentTest, CancelledOpenDialogChangesNothing)
{
    auto w = open();
    const QStringList before = panels(*w);
    platform.queueText(std::nullopt);
    w->menuItem("mnuFileOpen")->trigger();
    EXPECT_EQ(callsOf("openFile").size(), 1);
    EXPECT_FALSE(w->document().isModified());
    EXPECT_TRUE(platform.messages().isEmpty());
    EXPECT_EQ(panels(*w), before);
    EXPECT_TRUE(w->fileChooser().lastChosenFile().isEmpty());
}

// ---- Dialog failures ----

class DialogFailure : public DocumentTest, public testing::WithParamInterface<const char *>
{};

TEST_P(DialogFailure, BeepsAndSaysSoAndChangesNothing)
{
    auto w = open();
    w->document().appendFrame();
    w->document().markSaved();
    const QStringList before = panels(*w);
    platform.failFileDialogs(1);
    w->menuItem(GetParam())->trigger();
    EXPECT_EQ(platform.beeps, 1);
    ASSERT_EQ(platform.messages().size(), 1);
    const FakePlatform::Call box = platform.messages().first();
    EXPECT_EQ(box.text, "Error selecting file.");
    EXPECT_EQ(box.title, "Kinetra");
    EXPECT_EQ(box.icon, Platform::Icon::Warning);
    EXPECT_EQ(box.buttons, Platform::Buttons::Ok);
    EXPECT_EQ(panels(*w), before);
    EXPECT_EQ(w->document().frames().count(), 2);
    EXPECT_TRUE(w->document().path().isEmpty());
    EXPECT_TRUE(w->fileChooser().lastChosenFile().isEmpty());
    EXPECT_FALSE(platform.waitCursor);
}

INSTANTIATE_TEST_SUITE_P(Commands, DialogFailure,
                         testing::Values("mnuFileOpen", "mnuFileSaveAs"));

// ---- The save prompt ----

struct PromptCase
{
    const char *name;
    bool hasFile;                       // the play was saved once before the change
    std::vector<Platform::Answer> answers;
    std::vector<const char *> dialog;   // names chosen in Save As dialogs; null cancels
    int prompts;
    int saveDialogs;
    bool goesAhead;                     // File > New went on
    bool written;                       // the play with its change reached "kept.KTR"
};

void PrintTo(const PromptCase &c, std::ostream *os)
{
    *os << c.name;
}

class SavePrompt : public DocumentTest, public testing::WithParamInterface<PromptCase>
{};

TEST_P(SavePrompt, AnswersDecideWhetherNewGoesOn)
{
    const PromptCase &c = GetParam();
    auto w = open();
    w->document().setTexts("Mine", w->document().notes());
    w->document().appendFrame();
    if (c.hasFile) {
        saveAsThroughDialog(*w, path("kept.KTR"));
        platform.calls.clear();
    }
    w->document().appendFrame();
    ASSERT_TRUE(w->document().isModified());
    for (Platform::Answer a : c.answers)
        platform.queueAnswer(a);
    for (const char *name : c.dialog)
        platform.queueText(name ? std::optional<QString>(path(name)) : std::nullopt);

    w->menuItem("mnuFileNew")->trigger();

    int prompts = 0;
    for (const FakePlatform::Call &m : platform.messages()) {
        if (m.text != kSavePrompt)
            continue;
        ++prompts;
        EXPECT_EQ(m.title, "Kinetra");
        EXPECT_EQ(m.buttons, Platform::Buttons::YesNoCancel);
        EXPECT_EQ(m.icon, Platform::Icon::None);
    }
    EXPECT_EQ(prompts, c.prompts);
    EXPECT_EQ(callsOf("saveFile").size(), c.saveDialogs);
    if (c.goesAhead) {
        EXPECT_EQ(w->document().frames().count(), 1);
        EXPECT_EQ(w->document().title(), "New");
        EXPECT_FALSE(w->document().isModified());
    } else {
        EXPECT_EQ(w->document().frames().count(), 3);
        EXPECT_EQ(w->document().title(), "Mine");
        EXPECT_TRUE(w->document().isModified());
    }
    EXPECT_EQ(bytes(path("kept.KTR")).startsWith("3,\"DAZI\",\"1.4\",\"Mine\""), c.written);
}

using A = Platform::Answer;
INSTANTIATE_TEST_SUITE_P(
    Answers, SavePrompt,
    testing::Values(PromptCase{"Cancel", false, {A::Cancel}, {}, 1, 0, false, false},
                    PromptCase{"No", false, {A::No}, {}, 1, 0, true, false},
                    PromptCase{"YesSavesAs", false, {A::Yes}, {"kept.KTR"}, 1, 1, true, true},
                    PromptCase{"YesSavesToItsFile", true, {A::Yes}, {}, 1, 0, true, true},
                    PromptCase{"YesCancelledAsksAgain", false, {A::Yes, A::Cancel}, {nullptr}, 2,
                               1, false, false},
                    PromptCase{"YesCancelledThenYes", false, {A::Yes, A::Yes},
                               {nullptr, "kept.KTR"}, 2, 2, true, true},
                    // The failed save's message takes the OK.
                    PromptCase{"YesFailedAsksAgain", false, {A::Yes, A::Ok, A::No},
                               {"gone/kept.KTR"}, 2, 1, true, false}),
    [](const testing::TestParamInfo<PromptCase> &info) { return info.param.name; });

TEST_F(DocumentTest, CancelInThePromptKeepsTheWindowOpenButStoresTheSettings)
{
    auto w = open();
    w->document().appendFrame();
    w->prefs().OPLabel[2] = "Kept";
    platform.queueAnswer(Platform::Answer::Cancel);
    w->menuItem("mnuFileExit")->trigger();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->document().isModified());
    EXPECT_EQ(w->document().frames().count(), 2);
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages().first().text, kSavePrompt);
    {
        IniSettingsStore reread(settings.iniPath());
        EXPECT_EQ(reread.read("PLAYER", "OPLabel2"), "Kept");
        EXPECT_FALSE(reread.read("Settings", "MainLeft").isEmpty());
    }

    platform.queueAnswer(Platform::Answer::No);
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(w->isVisible());
}

TEST_F(DocumentTest, ClosingAnUnchangedPlayAsksNothing)
{
    auto w = open();
    openThroughDialog(*w, copyData("two_frames.KTR"));
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(platform.messages().isEmpty());
}

TEST_F(DocumentTest, CancelInThePromptBeforeOpenKeepsThePlay)
{
    auto w = open();
    w->document().appendFrame();
    platform.queueAnswer(Platform::Answer::Cancel);
    w->tbToolBar_ButtonClick("Open");
    EXPECT_TRUE(callsOf("openFile").isEmpty());
    EXPECT_EQ(w->document().frames().count(), 2);
    EXPECT_TRUE(w->document().isModified());
}

// ---- Files that are not taken ----

struct RefusedCase
{
    const char *file;
    const char *message;
};

void PrintTo(const RefusedCase &c, std::ostream *os)
{
    *os << c.file;
}

/// A play opened from a file, then changed, whose state a failed open must leave alone.
class UntouchedPlay : public DocumentTest
{
protected:
    void SetUp() override
    {
        w = open();
        openThroughDialog(*w, copyData("two_frames.KTR"));
        w->document().appendFrame();
        ASSERT_TRUE(w->document().isModified());
        before = panels(*w);
        recent = recentFiles(*w);
        platform.calls.clear();
    }

    void expectUntouched()
    {
        EXPECT_EQ(w->document().title(), "Bunt, Defense");
        EXPECT_EQ(w->document().frames().count(), 3);
        EXPECT_EQ(w->document().path(), path("two_frames.KTR"));
        EXPECT_EQ(w->document().notes(), "Line one,\r\nline two");
        EXPECT_EQ(panels(*w), before);
        EXPECT_EQ(recentFiles(*w), recent);
        EXPECT_TRUE(w->document().isModified());
        EXPECT_EQ(w->prefs().ActionLabel[0], "Run");
        EXPECT_EQ(w->prefs().Picbkg, 2);
        EXPECT_EQ(w->prefs().OPLabel[0], "B1");
        EXPECT_TRUE(w->menuItem("mnuEDel")->isEnabled());
        EXPECT_FALSE(platform.waitCursor);
    }

    /// File > Open of `file`, dropping the change when asked.
    void openDroppingChanges(const QString &file)
    {
        platform.queueAnswer(Platform::Answer::No);
        openThroughDialog(*w, file);
    }

    std::unique_ptr<frmMain> w;
    QStringList before;
    QStringList recent;
};

class Refused : public UntouchedPlay, public testing::WithParamInterface<RefusedCase>
{};

TEST_P(Refused, ShowsWhyAndLeavesThePlay)
{
    openDroppingChanges(copyData(GetParam().file));
    const QList<FakePlatform::Call> boxes = platform.messages();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[0].text, kSavePrompt);
    EXPECT_EQ(boxes[1].text, GetParam().message);
    EXPECT_EQ(boxes[1].title, "Kinetra");
    EXPECT_EQ(boxes[1].icon, Platform::Icon::None);
    EXPECT_EQ(boxes[1].buttons, Platform::Buttons::Ok);
    EXPECT_EQ(platform.beeps, 0);
    expectUntouched();
}

INSTANTIATE_TEST_SUITE_P(
    Tags, Refused,
    testing::Values(RefusedCase{"hockey.KTR", "Error : File is Kinetra Hockey Play file.V1.4.\n"
                                              "Program Version maybe incompatible."},
                    RefusedCase{"unknown_tag.KTR", "Error : File is not a Kinetra Play file."}));

class NotOpened : public UntouchedPlay, public testing::WithParamInterface<const char *>
{};

TEST_P(NotOpened, BeepsAndLeavesThePlay)
{
    const QString name = GetParam();
    const QString file = name == "missing.KTR" ? path(name) : copyData(name);
    openDroppingChanges(file);
    EXPECT_EQ(platform.beeps, 1);
    const QList<FakePlatform::Call> boxes = platform.messages();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1].text, loadError(file));
    EXPECT_EQ(boxes[1].title, "Kinetra");
    EXPECT_EQ(boxes[1].icon, Platform::Icon::None);
    EXPECT_EQ(boxes[1].buttons, Platform::Buttons::Ok);
    expectUntouched();
}

INSTANTIATE_TEST_SUITE_P(Files, NotOpened,
                         testing::Values("missing.KTR", "garbage.KTR", "frames_minus5.KTR",
                                         "frames_40000.KTR"));

// ---- Files read in part ----

struct PartialCase
{
    const char *file;
    const char *title;
    int frames;
    int actionLines; // action lines taken from the file
    bool labels;     // label lines taken
};

void PrintTo(const PartialCase &c, std::ostream *os)
{
    *os << c.file;
}

class PartialRead : public DocumentTest, public testing::WithParamInterface<PartialCase>
{};

TEST_P(PartialRead, TakesWhatWasReadButNotTheFile)
{
    const PartialCase &c = GetParam();
    auto w = open();
    const Preferences looks = w->prefs();
    const QString file = copyData(c.file);
    const QByteArray original = bytes(file);
    openThroughDialog(*w, file);

    EXPECT_EQ(platform.beeps, 1);
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages().first().text, loadError(file));
    EXPECT_EQ(w->document().title(), c.title);
    EXPECT_EQ(w->document().frames().count(), c.frames);
    EXPECT_EQ(w->menuItem("mnuEDel")->isEnabled(), c.frames > 1);
    EXPECT_FALSE(w->document().isModified());
    EXPECT_TRUE(w->document().path().isEmpty());
    EXPECT_EQ(w->statusPanels()[0]->text(), "Play Not Saved") << "a play read in part has no file";
    EXPECT_EQ(w->statusPanels()[1]->text(), QString(c.title));
    EXPECT_EQ(recentFiles(*w), QStringList{file});
    for (size_t k = 0; k < 8; ++k) {
        if (int(k) >= c.actionLines) {
            EXPECT_EQ(w->prefs().ActionLabel[k], looks.ActionLabel[k]) << k;
        }
    }
    EXPECT_EQ(w->prefs().OPLabel[0] == looks.OPLabel[0], !c.labels);

    // Save asks for a name rather than writing the partial play over the damaged file.
    platform.queueText(std::nullopt);
    w->menuItem("mnuFileSave")->trigger();
    EXPECT_EQ(callsOf("saveFile").size(), 1);
    EXPECT_EQ(bytes(file), original);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PartialRead,
    testing::Values(PartialCase{"truncated.KTR", "Bunt, Defense", 2, 8, false},
                    PartialCase{"bad_action_size.KTR", "Bad size", 1, 3, false},
                    PartialCase{"header_short_of_frames.KTR", "Short count", 2, 8, false}));

TEST_F(DocumentTest, FaultyActionLineIsTakenWithThoseBeforeIt)
{
    auto w = open();
    const std::string fourth = w->prefs().ActionLabel[3];
    openThroughDialog(*w, copyData("bad_action_size.KTR"));
    EXPECT_EQ(w->prefs().ActionLabel[0], "One");
    EXPECT_EQ(w->prefs().ActionColor[1], 65280);
    EXPECT_EQ(w->prefs().ActionLabel[2], "Three");
    EXPECT_EQ(w->prefs().ActionSize[2], 0);
    EXPECT_EQ(w->prefs().ActionLabel[3], fourth);
    EXPECT_EQ(w->prefs().Picbkg, 1);
}

TEST_F(DocumentTest, SurfaceOutsideTheFourPicturesFallsBackToTheFirst)
{
    auto w = open();
    w->prefs().Picbkg = 3;
    openThroughDialog(*w, copyData("picbkg9.KTR"));
    EXPECT_TRUE(platform.messages().isEmpty());
    EXPECT_EQ(w->prefs().Picbkg, 0);
    w->menuItem("mnuFileSave")->trigger();
    EXPECT_TRUE(bytes(path("picbkg9.KTR")).startsWith("1,\"DAZI\",\"1.4\",\"Surface nine\","));
    EXPECT_TRUE(records(bytes(path("picbkg9.KTR"))).at(0).endsWith("\"\",0"));
}

TEST_F(DocumentTest, FilePanelShowsTheWholeNameAndTipsTheFullPath)
{
    const QString file = copyData("two_frames.KTR", "Cutoff and relay from deep right field.KTR");
    auto w = open();
    QLabel *panel = w->statusPanels()[0];
    openThroughDialog(*w, file);
    QApplication::processEvents();
    EXPECT_EQ(panel->text(), "Cutoff and relay from deep right field.KTR");
    EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(panel->text()));
    EXPECT_EQ(panel->toolTip(), file);
}

// ---- Saving ----

TEST_F(DocumentTest, FailedSaveIntoAMissingFolderKeepsThePlayUnsaved)
{
    auto w = open();
    w->document().appendFrame();
    const QStringList before = panels(*w);
    const QString file = path("gone/play.KTR");
    saveAsThroughDialog(*w, file);

    EXPECT_EQ(platform.beeps, 1);
    ASSERT_EQ(platform.messages().size(), 1);
    const FakePlatform::Call box = platform.messages().first();
    EXPECT_EQ(box.text, "Error saving file " + file + ".\n76 : Path not found");
    EXPECT_EQ(box.title, "Kinetra");
    EXPECT_EQ(box.icon, Platform::Icon::None);
    EXPECT_EQ(box.buttons, Platform::Buttons::Ok);
    EXPECT_TRUE(w->document().isModified());
    EXPECT_TRUE(w->document().path().isEmpty());
    EXPECT_EQ(w->fileChooser().lastChosenFile(), file);
    // A play that was never written names no file and joins no list.
    EXPECT_EQ(panels(*w), before);
    EXPECT_TRUE(recentFiles(*w).isEmpty());
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(platform.waitCursor);
}

int g_writeError = 0;
ssize_t failingWrite(int, const void *, size_t)
{
    errno = g_writeError;
    return -1;
}

TEST_F(DocumentTest, FailedSaveKeepsThePreviousFilePathAndMark)
{
    auto w = open();
    const QString file = path("kept.KTR");
    saveAsThroughDialog(*w, file);
    const QByteArray saved = bytes(file);
    const QString date = w->document().date();
    w->document().appendFrame();
    platform.setNow(QDateTime(QDate(2030, 1, 1), QTime(0, 0, 1)));

    g_writeError = ENOSPC;
    const AtomicFile::WriteCall previous = AtomicFile::setWriteCall(failingWrite);
    w->menuItem("mnuFileSave")->trigger();
    AtomicFile::setWriteCall(previous);

    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages().first().text, "Error saving file " + file + ".\n61 : Disk full");
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(bytes(file), saved);
    EXPECT_EQ(w->document().path(), file);
    EXPECT_TRUE(w->document().isModified());
    EXPECT_EQ(w->document().date(), date);
    EXPECT_EQ(w->statusPanels()[2]->text(), date);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.KTR"});

    // With the disk back, the same command saves.
    w->menuItem("mnuFileSave")->trigger();
    EXPECT_FALSE(w->document().isModified());
    EXPECT_TRUE(bytes(file).startsWith("2,\"DAZI\",\"1.4\",\"\",\"01-01-2030\",\"00:00:01\""));
}

TEST_F(DocumentTest, EverySaveStampsTheHeaderWithTheMomentOfSaving)
{
    auto w = open();
    const QString file = path("stamped.KTR");
    platform.setNow(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 58)));
    saveAsThroughDialog(*w, file);
    EXPECT_TRUE(bytes(file).startsWith("1,\"DAZI\",\"1.4\",\"\",\"12-07-2026\",\"23:59:58\","));
    const QStringList shown = panels(*w);

    // Nothing changed, saved again a little later: only the stamp differs.
    platform.setNow(QDateTime(QDate(2027, 1, 1), QTime(0, 0, 3)));
    w->tbToolBar_ButtonClick("Save");
    EXPECT_TRUE(callsOf("saveFile").size() == 1);
    EXPECT_TRUE(bytes(file).startsWith("1,\"DAZI\",\"1.4\",\"\",\"01-01-2027\",\"00:00:03\","));
    EXPECT_EQ(w->document().date(), "01-01-2027");
    EXPECT_EQ(w->document().time(), "00:00:03");
    // The date panel shows the date the file now holds (it used to keep the opening date).
    QStringList expected = shown;
    expected[2] = "01-01-2027";
    EXPECT_EQ(panels(*w), expected);
}

TEST_F(DocumentTest, SaveAsOverAnExistingFileIsConfirmedByTheDialog)
{
    auto w = open();
    const QString file = copyData("two_frames.KTR", "other.KTR");
    saveAsThroughDialog(*w, file);
    EXPECT_TRUE(callsOf("saveFile").first().file.confirmReplace);
    EXPECT_TRUE(bytes(file).startsWith("1,\"DAZI\""));
}

// ---- Busy pointer ----

TEST_F(DocumentTest, BusyPointerShowsWhileOpeningAndSaving)
{
    auto w = open();
    const QString file = copyData("two_frames.KTR");
    std::vector<bool> busyWhileSelecting;
    QObject::connect(w.get(), &frmMain::frameSelected, [&] {
        busyWhileSelecting.push_back(platform.waitCursor
                                     && w->cursor().shape() == Qt::WaitCursor
                                     && w->canvas()->cursor().shape() == Qt::WaitCursor);
    });
    const int pumped = platform.processEventsCalls;
    openThroughDialog(*w, file);
    EXPECT_EQ(busyWhileSelecting, std::vector<bool>{true});
    EXPECT_GT(platform.processEventsCalls, pumped);
    EXPECT_FALSE(platform.waitCursor);
    EXPECT_NE(w->cursor().shape(), Qt::WaitCursor);
    EXPECT_NE(w->canvas()->cursor().shape(), Qt::WaitCursor);

    // Saving: the failure message comes while the pointer is still busy.
    bool busyAtMessage = false;
    platform.onCall = [&](const FakePlatform::Call &c) {
        if (c.kind == "messageBox")
            busyAtMessage = platform.waitCursor && w->cursor().shape() == Qt::WaitCursor;
    };
    saveAsThroughDialog(*w, path("gone/x.KTR"));
    EXPECT_TRUE(busyAtMessage);
    EXPECT_FALSE(platform.waitCursor);
    const int changes = platform.waitCursorChanges;
    w->menuItem("mnuFileSave")->trigger();
    EXPECT_EQ(platform.waitCursorChanges, changes + 2);
    EXPECT_FALSE(platform.waitCursor);
    EXPECT_NE(w->cursor().shape(), Qt::WaitCursor);
    platform.onCall = nullptr;
}

// ---- Commands on the menu and toolbar ----

TEST_F(DocumentTest, DocumentCommandsAreEnabledAndTheToolbarRunsThem)
{
    auto w = open();
    for (const char *name : {"mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs",
                             "mnuFileExit", "mnuViewNotes"})
        EXPECT_TRUE(w->menuItem(name)->isEnabled()) << name;
    for (const char *key : {"New", "Open", "Save", "Notes"})
        EXPECT_TRUE(w->toolbarButton(key)->isEnabled()) << key;
    EXPECT_EQ(w->menuItem("mnuFileSaveAs")->text(), "Save &As...");
    EXPECT_EQ(w->menuItem("mnuFileNew")->text(), "&New");
    EXPECT_EQ(w->menuItem("mnuFileExit")->text(), "E&xit");

    w->tbToolBar_ButtonClick("New");
    EXPECT_EQ(w->statusPanels()[0]->text(), "Play Not Saved");
    EXPECT_TRUE(w->notesOpen());
    w->notesWindow()->close();
    w->tbToolBar_ButtonClick("Notes");
    EXPECT_TRUE(w->notesOpen());
    w->tbToolBar_ButtonClick("Save"); // no file yet: Save As
    EXPECT_EQ(callsOf("saveFile").size(), 1);
    w->tbToolBar_ButtonClick("Open");
    EXPECT_EQ(callsOf("openFile").size(), 1);
}

} // namespace
} // namespace kinetra
