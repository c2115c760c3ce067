#include "model/failurereport.h"
#include "model/playfile.h"
#include "model/playfilereader.h"
#include "model/playfilewriter.h"
#include "model/runtimeerror.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kinetra {
namespace {

namespace fs = std::filesystem;

std::string dataFile(const std::string &name)
{
    return std::string(KINETRA_TEST_DATA) + "/" + name;
}

std::string fileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A folder of this test process's own under the temp folder.
fs::path scratchFolder(const std::string &name)
{
    return fs::temp_directory_path()
           / ("kinetra_playfile_" + name + "_" + std::to_string(::getpid()));
}

ActionLooks defaultLooks()
{
    ActionLooks looks;
    for (int k = 0; k < kActionCount; ++k)
        looks[k] = {"Act" + std::to_string(k), 1, 1, 0, 0};
    return looks;
}

PlayerLabels defaultLabels()
{
    PlayerLabels labels;
    for (int i = 0; i < kLabelLines; ++i)
        labels.offense[i] = labels.defense[i] = " " + std::to_string(i + 1);
    return labels;
}

// A new play as the window saves it.
struct Play : PlaySnapshot
{
    Play()
    {
        title = "New";
        date = "04-17-1998";
        time = "09:05:03";
        looks.actions = defaultLooks();
        looks.labels = defaultLabels();
    }
};

// Records the failures handed to the error reporter.
class PlayFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = setFailureReporter([this](const std::string &activity) {
            reports.push_back(activity + " " + std::to_string(currentFailure().code()));
        });
    }
    void TearDown() override { setFailureReporter(m_previous); }

    std::vector<std::string> reports;

private:
    FailureReporter m_previous;
};

TEST_F(PlayFileTest, NewPlayIsTwentyLinesExactly)
{
    const Play play;
    const std::string bytes = formatPlay(play);
    EXPECT_EQ(bytes, fileBytes(dataFile("new_play.KTR")));
    size_t lines = 0;
    for (size_t pos = 0; (pos = bytes.find("\r\n", pos)) != std::string::npos; pos += 2)
        ++lines;
    EXPECT_EQ(lines, 20u);
}

TEST_F(PlayFileTest, ReadsEveryItemOfAPlay)
{
    const PlayReadResult r = readPlayFile(dataFile("two_frames.KTR"));
    ASSERT_EQ(r.status, PlayReadStatus::Opened);
    EXPECT_EQ(r.failureCode, 0);
    EXPECT_TRUE(reports.empty());
    const PlaySnapshot &c = r.play;
    EXPECT_EQ(r.frameCount, 2);
    EXPECT_EQ(r.version, "1.4");
    EXPECT_EQ(c.title, "Bunt, Defense");
    EXPECT_EQ(c.date, "04-17-1998");
    EXPECT_EQ(c.time, "21:30:59");
    EXPECT_EQ(c.notes, "Line one,\r\nline two");
    EXPECT_EQ(c.looks.Picbkg, 2);
    EXPECT_EQ(c.looks.actions[0], (ActionLook{"Run", 2, 3, 255, 1}));
    EXPECT_EQ(c.looks.actions[7], (ActionLook{"Act7", 1, 1, 0, 0}));
    ASSERT_EQ(c.frames.count(), 2);

    const PlayConfig &f1 = c.frames.frame(1);
    EXPECT_EQ(f1.OPlayerX[9], 123.25f);
    EXPECT_EQ(f1.OPlayerY[9], 250.0f);
    EXPECT_EQ(f1.DPlayerX[0], 0.1f);
    EXPECT_EQ(f1.DPlayerY[4], -3.5f);
    EXPECT_EQ(f1.ActivePlyr, 5);
    EXPECT_EQ(f1.SYMBOLX[7], 1234568.0f);
    EXPECT_EQ(f1.TxtSYMBOLX[0], 40.5f);
    EXPECT_EQ(f1.TxtValue[0], "Cut, then go");
    EXPECT_EQ(f1.TxtValue[1], "");
    EXPECT_EQ(f1.ActionSX[0], 100.0f);
    EXPECT_EQ(f1.ActionEY[7], 210.0f);

    const PlayConfig &f2 = c.frames.frame(2);
    EXPECT_EQ(f2.ActivePlyr, kNoActivePlayer);
    EXPECT_EQ(f2.TxtValue[0], "Caf\u00e9 \u20ac 5\r\nline two");
    EXPECT_EQ(f2.TxtValue[1], "0");
    EXPECT_EQ(f2.TxtSYMBOLY[1], 15.0f);

    EXPECT_EQ(c.looks.labels.offense[0], "B1");
    EXPECT_EQ(c.looks.labels.defense[9], "P10");
    EXPECT_EQ(r.actionLinesTaken, 8);
    EXPECT_EQ(r.framesRead, 2);
    EXPECT_EQ(r.labelLinesTaken, 10);
}

TEST_F(PlayFileTest, WritesBackTheBytesItRead)
{
    const std::string original = fileBytes(dataFile("two_frames.KTR"));
    const PlayReadResult r = readPlay(original);
    ASSERT_EQ(r.status, PlayReadStatus::Opened);
    EXPECT_EQ(formatPlay(r.play), original);
}

TEST_F(PlayFileTest, SavedPlayReadsBackUnchanged)
{
    const fs::path folder = scratchFolder("roundtrip");
    fs::create_directories(folder);
    const std::string path = (folder / "round.KTR").string();

    Play play;
    play.title = "Hit, run\r\nand steal";
    play.notes = "";
    play.looks.Picbkg = 3;
    play.looks.actions[4] = {"Lead, off", 5, 6, 16711680, 2};
    play.looks.labels.defense[3] = "2B, \u00e9";
    play.frames.resize(3);
    PlayConfig &f = play.frames.frame(2);
    f.OPlayerX[0] = 123.25f;
    f.OPlayerY[0] = 250;
    f.DPlayerX[9] = 0.1f;
    f.SYMBOLY[3] = -3.5f;
    f.TxtValue = {"", "a,b\r\nc"};
    f.ActionEY[7] = 17;
    f.ActivePlyr = 19;
    play.frames.frame(3).Blank_Frame();

    ASSERT_TRUE(writePlay(path, play).ok());
    const PlayReadResult r = readPlayFile(path);
    ASSERT_EQ(r.status, PlayReadStatus::Opened);
    EXPECT_EQ(r.play.title, play.title);
    EXPECT_EQ(r.play.notes, "");
    EXPECT_EQ(r.play.looks.Picbkg, 3);
    EXPECT_EQ(r.play.looks.actions, play.looks.actions);
    EXPECT_EQ(r.play.looks.labels, play.looks.labels);
    ASSERT_EQ(r.play.frames.count(), 3);
    for (int16_t i = 1; i <= 3; ++i)
        EXPECT_EQ(r.play.frames.frame(i), play.frames.frame(i)) << "frame " << i;
    fs::remove_all(folder);
}

// Regression: a 16-bit frame counter wrapped after frame 32767 instead of ending the loop.
TEST_F(PlayFileTest, LargestPlayRoundTrips)
{
    Play play;
    play.frames.resize(FrameList::kMaxFrames);
    play.frames.frame(1).OPlayerX[0] = 1.5f;
    play.frames.frame(FrameList::kMaxFrames).ActionEY[7] = 32767.25f;
    const PlayReadResult r = readPlay(formatPlay(play));
    ASSERT_EQ(r.status, PlayReadStatus::Opened);
    ASSERT_EQ(r.play.frames.count(), FrameList::kMaxFrames);
    EXPECT_EQ(r.framesRead, FrameList::kMaxFrames);
    EXPECT_EQ(r.play.frames.frame(1).OPlayerX[0], 1.5f);
    EXPECT_EQ(r.play.frames.frame(FrameList::kMaxFrames).ActionEY[7], 32767.25f);
    EXPECT_TRUE(reports.empty());
}

TEST_F(PlayFileTest, HeaderCarriesTheDateAndTimeGivenBySaving)
{
    EXPECT_EQ(formatPlayDate(2024, 12, 31), "12-31-2024");
    EXPECT_EQ(formatPlayDate(1998, 4, 7), "04-07-1998");
    EXPECT_EQ(formatPlayTime(7, 8, 9), "07:08:09");
    EXPECT_EQ(formatPlayTime(23, 59, 58), "23:59:58");

    Play play;
    play.date = formatPlayDate(2024, 12, 31);
    play.time = formatPlayTime(23, 59, 58);
    const PlayReadResult r = readPlay(formatPlay(play));
    EXPECT_EQ(r.play.date, "12-31-2024");
    EXPECT_EQ(r.play.time, "23:59:58");
}

TEST_F(PlayFileTest, DoubleQuotesInTextsBecomeSingleQuotes)
{
    Play play;
    play.title = "The \"wheel\" play";
    play.notes = "\"";
    play.looks.actions[0].label = "\"Go\"";
    play.looks.labels.offense[0] = "\"B1\"";
    play.frames.frame(1).TxtValue = {"say \"now\"", "\"\""};
    const PlayReadResult r = readPlay(formatPlay(play));
    ASSERT_EQ(r.status, PlayReadStatus::Opened);
    EXPECT_EQ(r.play.title, "The 'wheel' play");
    EXPECT_EQ(r.play.notes, "'");
    EXPECT_EQ(r.play.looks.actions[0].label, "'Go'");
    EXPECT_EQ(r.play.looks.labels.offense[0], "'B1'");
    EXPECT_EQ(r.play.frames.frame(1).TxtValue[0], "say 'now'");
    EXPECT_EQ(r.play.frames.frame(1).TxtValue[1], "''");
}

TEST_F(PlayFileTest, TextsAreWrittenInWindows1252)
{
    Play play;
    play.title = "\u00e9 \u20ac \u2192";
    const std::string bytes = formatPlay(play);
    EXPECT_NE(bytes.find("\"\xe9 \x80 ?\""), std::string::npos);
    EXPECT_EQ(readPlay(bytes).play.title, "\u00e9 \u20ac ?");
}

struct RefusalCase
{
    const char *file;
    const char *message;
};

class PlayFileRefusal : public ::testing::TestWithParam<RefusalCase>
{
};

TEST_P(PlayFileRefusal, RefusesOtherEditionsWithTheirMessage)
{
    const PlayReadResult r = readPlayFile(dataFile(GetParam().file));
    EXPECT_EQ(r.status, PlayReadStatus::Refused);
    EXPECT_EQ(r.refusalMessage, GetParam().message);
    EXPECT_FALSE(r.headerTaken);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PlayFileRefusal,
    ::testing::Values(
        RefusalCase{"hockey.KTR", "Error : File is Kinetra Hockey Play file.V1.4.\n"
                                  "Program Version maybe incompatible."},
        RefusalCase{"unknown_tag.KTR", "Error : File is not a Kinetra Play file."}));

TEST(PlayFileMessages, NameEveryEdition)
{
    const std::vector<std::pair<std::string, std::string>> editions = {
        {"KTRH", "Hockey"},   {"KTRK", "Basketball"}, {"DAZI", "Baseball"},
        {"KTRS", "Soccer"},   {"KTRL", "Lacrosse"},   {"KTRF", "Football"},
        {"KTRV", "Volleyball"}, {"dazi", "Unknown"},  {"", "Unknown"}};
    for (const auto &[tag, name] : editions)
        EXPECT_EQ(editionName(tag), name) << tag;
    EXPECT_EQ(refusalMessage("KTRF", "2.0"),
              "Error : File is Kinetra Football Play file.V2.0.\n"
              "Program Version maybe incompatible.");
    EXPECT_EQ(refusalMessage("dazi", "1.4"), "Error : File is not a Kinetra Play file.");
}

TEST(PlayFileMessages, LoadAndSaveErrors)
{
    EXPECT_EQ(loadErrorMessage("/plays/a.KTR"),
              "Error loading file /plays/a.KTR.\n"
              "Play may cause unpredictable errors - close and open another play.");
    EXPECT_EQ(saveErrorMessage("/plays/a.KTR", {61, "Disk full"}),
              "Error saving file /plays/a.KTR.\n61 : Disk full");
}

TEST_F(PlayFileTest, LowerCaseTagIsRefused)
{
    std::string bytes = fileBytes(dataFile("new_play.KTR"));
    bytes.replace(bytes.find("DAZI"), 4, "dazi");
    EXPECT_EQ(readPlay(bytes).status, PlayReadStatus::Refused);
}

TEST_F(PlayFileTest, InvalidActionLineStopsAfterTakingIt)
{
    const PlayReadResult r = readPlayFile(dataFile("bad_action_size.KTR"));
    EXPECT_EQ(r.status, PlayReadStatus::OpenedWithFailure);
    EXPECT_EQ(r.failureCode, ErrorCode::InvalidPropertyValue);
    EXPECT_TRUE(r.headerTaken);
    EXPECT_EQ(r.play.title, "Bad size");
    EXPECT_EQ(r.play.looks.Picbkg, 1);
    EXPECT_EQ(r.actionLinesTaken, 3);
    EXPECT_EQ(r.play.looks.actions[1], (ActionLook{"Two", 2, 3, 65280, 1}));
    EXPECT_EQ(r.play.looks.actions[2], (ActionLook{"Three", 3, 0, 16711680, 2}));
    EXPECT_EQ(r.framesRead, 0);
    EXPECT_EQ(r.labelLinesTaken, 0);
    EXPECT_EQ(r.play.frames.count(), 1);
}

TEST_F(PlayFileTest, ActionTypeAboveFiveStopsReading)
{
    std::string bytes = fileBytes(dataFile("new_play.KTR"));
    bytes.replace(bytes.find("\"Act5\",1"), 8, "\"Act5\",6");
    const PlayReadResult r = readPlay(bytes);
    EXPECT_EQ(r.status, PlayReadStatus::OpenedWithFailure);
    EXPECT_EQ(r.actionLinesTaken, 6);
}

struct CutActionLine
{
    const char *line;   // action line 2 as the file holds it
    int itemsTaken;     // items read before the bad one
};

class PlayFileCutActionLine : public PlayFileTest,
                              public ::testing::WithParamInterface<CutActionLine>
{
};

// The items before the bad one are taken, as if each went straight into the preferences.
TEST_P(PlayFileCutActionLine, KeepsTheItemsBeforeTheBadOne)
{
    std::string bytes = fileBytes(dataFile("new_play.KTR"));
    bytes.replace(bytes.find("\"Act2\",1,1,0,0"), 14, GetParam().line);
    const PlayReadResult r = readPlay(bytes);
    EXPECT_EQ(r.status, PlayReadStatus::OpenedWithFailure);
    EXPECT_EQ(r.actionLinesTaken, 2);
    EXPECT_EQ(r.partialActionItems, GetParam().itemsTaken);

    ActionLooks looks;
    looks.fill(ActionLook{"Mine", 5, 6, 255, 2});
    takeActionLooks(r, looks);
    EXPECT_EQ(looks[1], (ActionLook{"Act1", 1, 1, 0, 0}));
    const ActionLook expected[] = {{"Mine", 5, 6, 255, 2}, {"Line2", 5, 6, 255, 2},
                                   {"Line2", 3, 6, 255, 2}, {"Line2", 3, 4, 255, 2},
                                   {"Line2", 3, 4, 65280, 2}};
    EXPECT_EQ(looks[2], expected[GetParam().itemsTaken]);
    EXPECT_EQ(looks[3], (ActionLook{"Mine", 5, 6, 255, 2}));
}

INSTANTIATE_TEST_SUITE_P(BadItems, PlayFileCutActionLine,
                         ::testing::Values(CutActionLine{"\"Line2\",x,4,65280,0", 1},
                                           CutActionLine{"\"Line2\",3,4,red,0", 3},
                                           CutActionLine{"\"Line2\",3,4,65280,?", 4}));

// A header that promises more frames than follow: the label lines are not misread as frames,
// one failure is reported, and the labels are still taken.
TEST_F(PlayFileTest, HeaderPromisingMoreFramesGivesOneReport)
{
    std::string bytes = fileBytes(dataFile("two_frames.KTR"));
    ASSERT_EQ(bytes.substr(0, 2), "2,");
    bytes.replace(0, 1, "100");
    const PlayReadResult r = readPlay(bytes);
    EXPECT_EQ(r.status, PlayReadStatus::OpenedWithFailure);
    EXPECT_EQ(r.failureCode, ErrorCode::InputPastEndOfFile);
    EXPECT_EQ(reports, std::vector<std::string>{"Reading Play 62"});
    EXPECT_EQ(r.framesRead, 2);
    EXPECT_EQ(r.play.frames.count(), 100);
    EXPECT_EQ(r.play.frames.frame(2).TxtSYMBOLX[0], 12.0f);
    EXPECT_EQ(r.play.frames.frame(3).OPlayerX[0], 0.0f);
    EXPECT_EQ(r.labelLinesTaken, 10);
    EXPECT_EQ(r.play.looks.labels.offense[0], "B1");
}

TEST_F(PlayFileTest, TruncatedFileKeepsWhatWasRead)
{
    const PlayReadResult r = readPlayFile(dataFile("truncated.KTR"));
    EXPECT_EQ(r.status, PlayReadStatus::OpenedWithFailure);
    EXPECT_EQ(r.failureCode, ErrorCode::InputPastEndOfFile);
    EXPECT_EQ(r.play.title, "Bunt, Defense");
    ASSERT_EQ(r.play.frames.count(), 2);
    EXPECT_EQ(r.framesRead, 2);
    EXPECT_EQ(r.labelLinesTaken, 0);
    EXPECT_EQ(r.play.frames.frame(1).ActionEY[7], 210.0f);
    EXPECT_EQ(r.play.frames.frame(2).OPlayerX[0], 1.0f); // read before the cut
    // The cut frame is reported once; the missing labels end the reading.
    EXPECT_EQ(reports, std::vector<std::string>{"Reading Play 62"});
}

TEST_F(PlayFileTest, FrameLineTheHeaderDidNotCountIsAFailureNotLabels)
{
    const PlayReadResult r = readPlayFile(dataFile("header_short_of_frames.KTR"));
    EXPECT_EQ(r.status, PlayReadStatus::OpenedWithFailure);
    EXPECT_EQ(r.failureCode, ErrorCode::TypeMismatch);
    ASSERT_EQ(r.play.frames.count(), 2);
    EXPECT_EQ(r.play.frames.frame(2).OPlayerX[0], 200.0f);
    EXPECT_EQ(r.labelLinesTaken, 0);
    EXPECT_TRUE(reports.empty());
}

TEST_F(PlayFileTest, HeaderAloneGivesTheHeaderFrameCountOfEmptyFrames)
{
    const PlayReadResult r = readPlay("3,\"DAZI\",\"1.4\",\"T\",\"d\",\"t\",\"n\",0\r\n");
    EXPECT_EQ(r.status, PlayReadStatus::OpenedWithFailure);
    EXPECT_EQ(r.actionLinesTaken, 0);
    EXPECT_EQ(r.framesRead, 0);
    EXPECT_EQ(r.play.frames.count(), 3);
    EXPECT_EQ(r.frameCount, 3);
}

TEST_F(PlayFileTest, BadFrameIsReportedAndReadingGoesOnWithTheNextLine)
{
    std::string bytes = fileBytes(dataFile("two_frames.KTR"));
    // Frame 1's fifth item becomes garbage, and frame 2's last item overflows a single.
    bytes.replace(bytes.find("123.25,250,123.25,250,123.25"), 28, "123.25,250,123.25,250,oops!");
    const size_t frame2End = bytes.find("\r\n\"B1\"");
    bytes.replace(bytes.rfind(",0", frame2End), 2, ",1e99");
    const PlayReadResult r = readPlay(bytes);
    EXPECT_EQ(r.status, PlayReadStatus::Opened);
    EXPECT_EQ(reports, (std::vector<std::string>{"Reading Play 13", "Reading Play 6"}));
    const PlayConfig &f1 = r.play.frames.frame(1);
    EXPECT_EQ(f1.OPlayerY[1], 250.0f); // read before the bad item
    EXPECT_EQ(f1.OPlayerX[2], 0.0f);   // not reached
    EXPECT_EQ(r.play.frames.frame(2).TxtSYMBOLX[0], 12.0f);
    EXPECT_EQ(r.play.looks.labels.offense[0], "B1");
    EXPECT_EQ(r.labelLinesTaken, 10);
}

struct NotOpenedCase
{
    const char *file;
    int code;
};

class PlayFileNotOpened : public PlayFileTest, public ::testing::WithParamInterface<NotOpenedCase>
{
};

TEST_P(PlayFileNotOpened, LeavesTheCurrentPlay)
{
    const PlayReadResult r = readPlayFile(dataFile(GetParam().file));
    EXPECT_EQ(r.status, PlayReadStatus::NotOpened);
    EXPECT_EQ(r.failureCode, GetParam().code);
    EXPECT_FALSE(r.headerTaken);
    EXPECT_EQ(r.play.frames.count(), 1);
    EXPECT_TRUE(reports.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, PlayFileNotOpened,
    ::testing::Values(NotOpenedCase{"frames_40000.KTR", ErrorCode::Overflow},
                      NotOpenedCase{"frames_minus5.KTR", ErrorCode::Overflow},
                      NotOpenedCase{"garbage.KTR", ErrorCode::TypeMismatch},
                      NotOpenedCase{"no_such_file.KTR", ErrorCode::FileNotFound}));

TEST_F(PlayFileTest, ZeroFramesOrEmptyFileIsNotOpened)
{
    EXPECT_EQ(readPlay("0,\"DAZI\",\"1.4\",\"\",\"\",\"\",\"\",0\r\n").status,
              PlayReadStatus::NotOpened);
    const PlayReadResult empty = readPlay("");
    EXPECT_EQ(empty.status, PlayReadStatus::NotOpened);
    EXPECT_EQ(empty.failureCode, ErrorCode::InputPastEndOfFile);
}

// Picbkg indexes four pictures; the reader passes on what the file holds and leaves the
// fallback to whoever applies it.
TEST_F(PlayFileTest, SurfaceOutOfRangeIsPassedOn)
{
    const PlayReadResult r = readPlayFile(dataFile("picbkg9.KTR"));
    EXPECT_EQ(r.status, PlayReadStatus::Opened);
    EXPECT_EQ(r.play.looks.Picbkg, 9);
}

TEST_F(PlayFileTest, HeaderAloneIsReadForThePlayDirectory)
{
    PlayFileHeader h;
    ASSERT_TRUE(readPlayHeaderFile(dataFile("two_frames.KTR"), h));
    EXPECT_EQ(h.title, "Bunt, Defense");
    EXPECT_EQ(h.date, "04-17-1998");
    EXPECT_EQ(h.Picbkg, 2);

    PlayFileHeader cut;
    EXPECT_FALSE(readPlayHeader("1,\"DAZI\",\"1.4\",\"Half", cut));
    EXPECT_EQ(cut.frameCount, 1);
    EXPECT_EQ(cut.tag, "DAZI");
    EXPECT_EQ(cut.title, "");
    EXPECT_FALSE(readPlayHeaderFile(dataFile("no_such_file.KTR"), cut));
}

TEST_F(PlayFileTest, HeaderWithLongNotesIsReadWhole)
{
    const fs::path folder = scratchFolder("header");
    fs::create_directories(folder);
    const std::string path = (folder / "long.KTR").string();
    Play play;
    play.looks.Picbkg = 23;
    play.notes = std::string(100000, 'n');
    ASSERT_TRUE(writePlay(path, play).ok());
    PlayFileHeader h;
    ASSERT_TRUE(readPlayHeaderFile(path, h));
    EXPECT_EQ(h.notes, play.notes);
    EXPECT_EQ(h.Picbkg, 23);
    fs::remove_all(folder);
}

// Reading a file piece by piece must give what reading it whole gives, wherever the pieces
// end: inside a number, a quoted text, a CR LF or the blanks after a quote.
struct PieceCase
{
    const char *file;
    size_t pieceSize;
};

class PlayFilePieces : public PlayFileTest, public ::testing::WithParamInterface<PieceCase>
{
};

TEST_P(PlayFilePieces, ReadLikeTheWholeFile)
{
    std::string bytes = fileBytes(dataFile(GetParam().file));
    bytes.insert(bytes.find("\r\n") + 2, " \r\n  "); // a blank line
    const PlayReadResult whole = readPlay(bytes);
    const std::vector<std::string> wholeReports = std::exchange(reports, {});

    size_t offset = 0;
    PlayFileReader in(
        [&](char *data, size_t capacity) {
            const size_t n = std::min(capacity, bytes.size() - offset);
            std::copy_n(bytes.data() + offset, n, data);
            offset += n;
            return n;
        },
        GetParam().pieceSize);
    const PlayReadResult pieces = readPlay(in);

    EXPECT_EQ(pieces.status, whole.status);
    EXPECT_EQ(pieces.failureCode, whole.failureCode);
    EXPECT_EQ(pieces.refusalMessage, whole.refusalMessage);
    EXPECT_EQ(pieces.actionLinesTaken, whole.actionLinesTaken);
    EXPECT_EQ(pieces.framesRead, whole.framesRead);
    EXPECT_EQ(pieces.labelLinesTaken, whole.labelLinesTaken);
    EXPECT_EQ(pieces.play.title, whole.play.title);
    EXPECT_EQ(pieces.play.notes, whole.play.notes);
    EXPECT_EQ(pieces.play.looks.actions, whole.play.looks.actions);
    EXPECT_EQ(pieces.play.looks.labels, whole.play.looks.labels);
    ASSERT_EQ(pieces.play.frames.count(), whole.play.frames.count());
    for (int16_t i = 1; i <= whole.play.frames.count(); ++i)
        EXPECT_EQ(pieces.play.frames.frame(i), whole.play.frames.frame(i));
    EXPECT_EQ(reports, wholeReports);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PlayFilePieces,
    ::testing::Values(PieceCase{"two_frames.KTR", 1}, PieceCase{"two_frames.KTR", 2},
                      PieceCase{"two_frames.KTR", 7}, PieceCase{"new_play.KTR", 1},
                      PieceCase{"truncated.KTR", 1}, PieceCase{"truncated.KTR", 5},
                      PieceCase{"bad_action_size.KTR", 3}, PieceCase{"hockey.KTR", 1},
                      PieceCase{"garbage.KTR", 1}, PieceCase{"two_frames_lines.KTR", 1},
                      PieceCase{"two_frames_lines.KTR", 3}, PieceCase{"two_frames_lines.KTR", 64}));

TEST_F(PlayFileTest, BadFrameReadInPiecesResumesAtTheNextLine)
{
    std::string bytes = fileBytes(dataFile("two_frames.KTR"));
    bytes.replace(bytes.find("123.25,250,123.25,250,123.25"), 28, "123.25,250,123.25,250,\"x\"y");
    size_t offset = 0;
    PlayFileReader in(
        [&](char *data, size_t) {
            if (offset == bytes.size())
                return size_t(0);
            *data = bytes[offset++];
            return size_t(1);
        },
        1);
    const PlayReadResult r = readPlay(in);
    EXPECT_EQ(r.status, PlayReadStatus::Opened);
    EXPECT_EQ(reports, std::vector<std::string>{"Reading Play 13"});
    EXPECT_EQ(r.play.frames.frame(2).TxtSYMBOLX[0], 12.0f);
}

// What an opened play looks like: the file's looks as far as they were read, the user's for
// the rest, and one of the four field pictures.
TEST(OpenedLooks, TakeWhatTheFileGaveOverTheUsers)
{
    struct Case
    {
        int16_t storedField;
        int actionLines, partialItems, labelLines;
        int16_t field;           ///< the field the play opens on
        ActionLook line0, line1; ///< the first two action lines it opens with
        std::string offense2, offense3, defense9;
    };
    const ActionLook mine{"Mine", 5, 6, 255, 2};
    const ActionLook file0{"Run", 2, 3, 65280, 1};
    const ActionLook file1{"Hit", 4, 1, 16711680, 0};
    for (const Case &c : {
             Case{2, 8, 0, 10, 2, file0, file1, "B3", "B4", "F10"},
             Case{3, 8, 0, 10, 3, file0, file1, "B3", "B4", "F10"},
             Case{0, 8, 0, 10, 0, file0, file1, "B3", "B4", "F10"},
             Case{-1, 8, 0, 10, 0, file0, file1, "B3", "B4", "F10"},
             Case{4, 8, 0, 10, 0, file0, file1, "B3", "B4", "F10"},
             Case{9, 1, 0, 0, 0, file0, mine, "O", "O", "D"},
             // The second line cut after its label and type: width, colour and end are mine.
             Case{1, 1, 2, 0, 1, file0, {"Hit", 4, 6, 255, 2}, "O", "O", "D"},
             Case{1, 8, 0, 3, 1, file0, file1, "B3", "O", "D"},
             Case{1, 0, 0, 0, 1, mine, mine, "O", "O", "D"},
         }) {
        PlayReadResult read;
        read.play.looks.Picbkg = c.storedField;
        read.play.looks.actions.fill(ActionLook{"Other", 1, 1, 0, 0});
        read.play.looks.actions[0] = file0;
        read.play.looks.actions[1] = file1;
        for (size_t i = 0; i < 10; ++i) {
            read.play.looks.labels.offense[i] = "B" + std::to_string(i + 1);
            read.play.looks.labels.defense[i] = "F" + std::to_string(i + 1);
        }
        read.actionLinesTaken = c.actionLines;
        read.partialActionItems = c.partialItems;
        read.labelLinesTaken = c.labelLines;
        PlayLooks defaults;
        defaults.Picbkg = 1;
        defaults.actions.fill(mine);
        defaults.labels.offense.fill("O");
        defaults.labels.defense.fill("D");

        const PlayLooks looks = openedLooks(read, defaults);
        const std::string what = "field " + std::to_string(c.storedField) + ", "
                                 + std::to_string(c.actionLines) + " lines, "
                                 + std::to_string(c.labelLines) + " labels";
        EXPECT_EQ(looks.Picbkg, c.field) << what;
        EXPECT_EQ(looks.actions[0], c.line0) << what;
        EXPECT_EQ(looks.actions[1], c.line1) << what;
        const ActionLook other{"Other", 1, 1, 0, 0};
        EXPECT_EQ(looks.actions[7], c.actionLines == 8 ? other : mine) << what;
        EXPECT_EQ(looks.labels.offense[2], c.offense2) << what;
        EXPECT_EQ(looks.labels.offense[3], c.offense3) << what;
        EXPECT_EQ(looks.labels.defense[9], c.defense9) << what;
    }
}

} // namespace
} // namespace kinetra
