// After a save the window, the play and the file agree; Save As gives a bare name the play
// extension.
#include "gui/documentfixture.h"

#include "app/playfilechooser.h"
#include "model/playfile.h"
#include "surface/labelbox.h"
#include "surface/toolpalette.h"

#include <QDir>
#include <QLineEdit>

namespace kinetra {
namespace {

// Texts the file cannot hold as typed: double quotes, and a character outside Windows-1252.
TEST_F(DocumentTest, SavedPlayHoldsItsTextsAsTheFileDoes)
{
    auto w = open();
    w->document().appendFrame();
    w->document().setTexts("The \"wheel\" play", w->document().notes());
    w->document().setTexts(w->document().title(), "Go \u2192 \"now\"\r\nthen");
    w->toolPalette()->TxtOplyr[0]->setText("\"B1\"");
    PlayLooks looks = w->document().looks();
    looks.actions[2].label = "\"Cut\"";
    w->document().setLooks(looks);
    w->document().frames().frame(2).TxtValue[0] = "say \"go\"";
    w->document().frames().frame(1).TxtValue[1] = "plain";
    const QString file = path("quotes.KTR");
    saveAsThroughDialog(*w, file);
    ASSERT_EQ(w->document().path(), file);

    EXPECT_EQ(w->document().title(), "The 'wheel' play");
    EXPECT_EQ(w->statusPanels()[1]->text(), "The 'wheel' play");
    EXPECT_EQ(w->document().notes(), "Go ? 'now'\r\nthen");
    EXPECT_EQ(w->toolPalette()->TxtOplyr[0]->text(), "'B1'");
    EXPECT_EQ(w->prefs().OPLabel[0], "'B1'");
    EXPECT_EQ(w->toolPalette()->Tracerlbl[2]->text(), "'Cut'");
    EXPECT_EQ(w->document().frames().frame(2).TxtValue[0], "say 'go'");
    EXPECT_EQ(w->document().frames().frame(1).TxtValue[1], "plain");
    EXPECT_FALSE(w->document().isModified()) << "matching the file is no edit";

    // Opening the file gives exactly what the window holds.
    const PlayReadResult read = readPlayFile(file.toStdString());
    ASSERT_EQ(read.status, PlayReadStatus::Opened);
    EXPECT_EQ(read.play.title, w->document().title().toStdString());
    EXPECT_EQ(read.play.notes, w->document().notes().toStdString());
    EXPECT_EQ(read.play.looks, w->document().looks());
    EXPECT_EQ(read.play.frames.frame(2).TxtValue, w->document().frames().frame(2).TxtValue);
}

struct ExtensionCase
{
    const char *name;
    const char *typed;
    const char *written;
};

void PrintTo(const ExtensionCase &c, std::ostream *os)
{
    *os << c.name;
}

class SaveAsName : public DocumentTest, public testing::WithParamInterface<ExtensionCase>
{};

TEST_P(SaveAsName, BareNameGetsThePlayExtension)
{
    auto w = open();
    saveAsThroughDialog(*w, path(GetParam().typed));
    EXPECT_EQ(callsOf("saveFile").at(0).file.defaultSuffix, "KTR");
    const QString written = path(GetParam().written);
    EXPECT_TRUE(QFile::exists(written));
    EXPECT_EQ(w->document().path(), written);
    EXPECT_EQ(w->fileChooser().lastChosenFile(), written);
    EXPECT_EQ(w->statusPanels()[0]->text(), GetParam().written);
    EXPECT_EQ(recentFiles(*w), QStringList{written});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{GetParam().written});
}

INSTANTIATE_TEST_SUITE_P(Names, SaveAsName,
                         testing::Values(ExtensionCase{"Bare", "game", "game.KTR"},
                                         ExtensionCase{"LowerCase", "game.ktr", "game.ktr"},
                                         ExtensionCase{"OtherExtension", "game.txt", "game.txt"}));

// The name Save As proposes for a play never saved: its title as a file name.
struct TitleCase
{
    const char *name;
    QString title;
    QString proposed;
};

void PrintTo(const TitleCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProposedName : public testing::TestWithParam<TitleCase>
{};

TEST_P(ProposedName, IsTheTitleAsAFileName)
{
    EXPECT_EQ(proposedPlayFileName(GetParam().title), GetParam().proposed);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, ProposedName,
    testing::Values(
        TitleCase{"Plain", "Squeeze", "Squeeze.ktr"},
        TitleCase{"Empty", "", "new.ktr"},
        TitleCase{"Blanks", "   ", "new.ktr"},
        TitleCase{"BlanksAround", "  Cutoff Man  ", "Cutoff Man.ktr"},
        TitleCase{"Slash", "Bunt / Run", "Bunt _ Run.ktr"},
        TitleCase{"Controls", "Line\r\nbreak\tand\x7f", "Line__break_and_.ktr"},
        TitleCase{"LeadingDot", ".hidden", "hidden.ktr"},
        TitleCase{"OnlyDots", "...", "new.ktr"},
        TitleCase{"TrailingDot", "First and third.", "First and third.ktr"},
        TitleCase{"Punctuation", "1st & 3rd: \"double\" steal?",
                  "1st & 3rd: \"double\" steal?.ktr"},
        TitleCase{"Accents", QString::fromUtf8("Défense à l'arrêt"),
                  QString::fromUtf8("Défense à l'arrêt.ktr")},
        // 255 bytes at most: 251 of 300 letters, 125 two-byte letters (250 bytes), 62 four-byte
        // letters (248 bytes), each with the four of ".ktr".
        TitleCase{"Long", QString(300, 'a'), QString(251, 'a') + ".ktr"},
        TitleCase{"LongTwoByte", QString(200, QChar(0xE9)), QString(125, QChar(0xE9)) + ".ktr"},
        TitleCase{"LongFourByte", QString::fromUtf8("\xF0\x9D\x94\xB8").repeated(70),
                  QString::fromUtf8("\xF0\x9D\x94\xB8").repeated(62) + ".ktr"}));

// The dialog asked about "game"; the file written is "game.KTR", so that one is asked about.
TEST_F(DocumentTest, BareNameOfAnExistingPlayAsksBeforeReplacingIt)
{
    auto w = open();
    const QString existing = copyData("two_frames.KTR", "game.KTR");
    const QByteArray before = bytes(existing);
    w->document().appendFrame();

    platform.queueAnswer(Platform::Answer::No);
    saveAsThroughDialog(*w, path("game"));
    ASSERT_EQ(platform.messages().size(), 1);
    const FakePlatform::Call question = platform.messages().first();
    EXPECT_EQ(question.text,
              QDir::toNativeSeparators(existing) + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(question.buttons, Platform::Buttons::YesNo);
    EXPECT_EQ(bytes(existing), before);
    EXPECT_TRUE(w->document().isModified());
    EXPECT_TRUE(w->document().path().isEmpty());

    platform.queueAnswer(Platform::Answer::Yes);
    saveAsThroughDialog(*w, path("game"));
    EXPECT_EQ(w->document().path(), existing);
    EXPECT_NE(bytes(existing), before);
    EXPECT_FALSE(w->document().isModified());
}

} // namespace
} // namespace kinetra
