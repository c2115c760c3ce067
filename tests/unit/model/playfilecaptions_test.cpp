// Frame captions: the block after the labels that carries them, and the frame commands that
// carry them along.
#include "model/edithistory.h"
#include "model/failurereport.h"
#include "model/frameinsertion.h"
#include "model/nextmoment.h"
#include "model/playfile.h"
#include "model/runtimeerror.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace kinetra {
namespace {

constexpr std::string_view kTagLine = "\"KINETRA-CAPTIONS\",1,";

std::string dataBytes(const std::string &name)
{
    std::ifstream in(std::string(KINETRA_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> captionsOf(const FrameList &frames)
{
    std::vector<std::string> captions;
    for (const PlayConfig &frame : frames.frames())
        captions.push_back(frame.Caption);
    return captions;
}

// Records the failures handed to the error reporter.
class PlayFileCaptionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = setFailureReporter([this](const std::string &activity) {
            reports.push_back(activity);
        });
    }
    void TearDown() override { setFailureReporter(m_previous); }

    std::vector<std::string> reports;

private:
    FailureReporter m_previous;
};

struct CaptionCase
{
    std::string typed;
    std::string held;
};

TEST(OneLineCaption, MakesOneLineOfAtMostTheLongestCaption)
{
    const std::string x119(119, 'x');
    const std::vector<CaptionCase> cases = {
        {"", ""},
        {"Bunt toward third", "Bunt toward third"},
        {"Line one\r\nline two", "Line one line two"},
        {"a\nb\rc\td", "a b c d"},
        {"  padded \t", "padded"},
        {"\r\n\r\n", ""},
        {std::string(121, 'x'), std::string(120, 'x')},
        {std::string(120, 'x') + "\n", std::string(120, 'x')},
        // 120 characters end after the two bytes of the e with an accent.
        {x119 + "\xc3\xa9y", x119 + "\xc3\xa9"},
        {x119 + "\xe2\x86\x92\xe2\x86\x92", x119 + "\xe2\x86\x92"},
        // A blank where the cut falls goes too.
        {x119 + " y", x119},
    };
    for (const CaptionCase &c : cases)
        EXPECT_EQ(oneLineCaption(c.typed), c.held) << c.typed;
}

TEST_F(PlayFileCaptionsTest, HandWrittenBlockAfterTheLinesReadsAndWritesBackByteForByte)
{
    const std::string bytes = dataBytes("two_frames_captions.KTR");
    const PlayReadResult r = readPlay(bytes);
    ASSERT_EQ(r.status, PlayReadStatus::Opened);
    EXPECT_EQ(captionsOf(r.play.frames),
              (std::vector<std::string>{"Bunt, then run to first",
                                        "Caf\xc3\xa9 \xe2\x80\x93 \xe2\x80\x9cgo\xe2\x80\x9d"}));
    EXPECT_EQ(r.play.frames.frame(1).ActionPaths.size(), 3u);
    EXPECT_EQ(r.play.trailingText, "");
    EXPECT_EQ(formatPlay(r.play), bytes);
}

TEST_F(PlayFileCaptionsTest, CaptionsReadBackAsTheFileHoldsThem)
{
    PlaySnapshot play = readPlay(dataBytes("two_frames.KTR")).play;
    play.frames.resize(4);
    play.frames.frame(1).Caption = "He said \"go\", then ran";
    play.frames.frame(3).Caption = "Caf\xc3\xa9 \xe2\x86\x92 home";
    for (bool lines : {false, true}) {
        SCOPED_TRACE(lines ? "with lines" : "without lines");
        if (lines)
            play.frames.frame(4).addActionLine(2, {10, 20}, {30, 40}, {{15, 25}});
        const std::string bytes = formatPlay(play);
        const std::string block = std::string(kTagLine)
                                  + "2\r\n1,\"He said 'go', then ran\"\r\n3,\"Caf\xe9 ? home\"\r\n";
        ASSERT_GE(bytes.size(), block.size());
        EXPECT_EQ(bytes.substr(bytes.size() - block.size()), block);
        const PlayReadResult r = readPlay(bytes);
        ASSERT_EQ(r.status, PlayReadStatus::Opened);
        EXPECT_EQ(captionsOf(r.play.frames),
                  (std::vector<std::string>{"He said 'go', then ran", "", "Caf\xc3\xa9 ? home",
                                            ""}));
        EXPECT_EQ(r.play.frames.frame(4).ActionPaths, play.frames.frame(4).ActionPaths);
        EXPECT_EQ(formatPlay(r.play), bytes);
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(PlayFileCaptionsTest, PlaysWithoutCaptionsAreWrittenAsBefore)
{
    for (const char *name : {"new_play.KTR", "two_frames.KTR", "three_frames.KTR",
                             "two_frames_lines.KTR"}) {
        const std::string bytes = dataBytes(name);
        const PlayReadResult r = readPlay(bytes);
        ASSERT_EQ(r.status, PlayReadStatus::Opened) << name;
        EXPECT_EQ(formatPlay(r.play), bytes) << name;
        EXPECT_EQ(formatPlay(r.play).find("KINETRA-CAPTIONS"), std::string::npos) << name;
    }
}

// A reader of the plain layout stops after the labels (and the line block): what it reads is
// the same with or without the captions after them.
TEST_F(PlayFileCaptionsTest, TheBlockFollowsEverythingAPlainReaderReads)
{
    const std::string withCaptions = dataBytes("two_frames_captions.KTR");
    const std::string plainBytes = dataBytes("two_frames_lines.KTR");
    ASSERT_EQ(withCaptions.substr(0, plainBytes.size()), plainBytes);
    EXPECT_EQ(withCaptions.substr(plainBytes.size(), kTagLine.size()), kTagLine);

    const PlayReadResult all = readPlay(withCaptions);
    const PlayReadResult plain = readPlay(plainBytes);
    ASSERT_EQ(plain.status, PlayReadStatus::Opened);
    EXPECT_EQ(plain.play.looks, all.play.looks);
    EXPECT_EQ(plain.play.notes, all.play.notes);
    ASSERT_EQ(plain.play.frames.count(), all.play.frames.count());
    for (int16_t n = 1; n <= plain.play.frames.count(); ++n) {
        PlayConfig frame = all.play.frames.frame(n);
        EXPECT_FALSE(frame.Caption.empty());
        frame.Caption.clear();
        EXPECT_EQ(frame, plain.play.frames.frame(n));
    }

    // Taking the captions away gives the plain bytes again.
    PlaySnapshot play = all.play;
    for (int16_t n = 1; n <= play.frames.count(); ++n)
        play.frames.frame(n).Caption.clear();
    EXPECT_EQ(formatPlay(play), plainBytes);
}

TEST_F(PlayFileCaptionsTest, TextAfterTheBlockIsNotOursAndFollowsItBack)
{
    const std::string plain = dataBytes("two_frames.KTR");
    const std::string block = std::string(kTagLine) + "1\r\n2,\"Steal\"\r\n";
    for (const std::string tail : {"more\r\n", "\"KINETRA-NOTES\",1,0\r\n"}) {
        const PlayReadResult r = readPlay(plain + block + tail);
        ASSERT_EQ(r.status, PlayReadStatus::Opened) << tail;
        EXPECT_EQ(r.play.frames.frame(2).Caption, "Steal");
        EXPECT_EQ(r.play.trailingText, tail);
        EXPECT_EQ(formatPlay(r.play), plain + block + tail);
    }
    // A caption written with line breaks by another program is taken as one line.
    const PlayReadResult r = readPlay(plain + std::string(kTagLine) + "1\r\n1,\"Go\r\nnow\"\r\n");
    ASSERT_EQ(r.status, PlayReadStatus::Opened);
    EXPECT_EQ(r.play.frames.frame(1).Caption, "Go now");
}

struct DamageCase
{
    const char *name;
    std::string block;
    int failureCode;
    std::vector<std::string> captionsKept;
};

TEST_F(PlayFileCaptionsTest, DamagedBlockIsAFailureThatKeepsWhatWasRead)
{
    const std::string tag(kTagLine);
    const std::string lines = "\"KINETRA-LINES\",1,1\r\n1,0,1,0,1,2,3,4\r\n";
    const std::vector<DamageCase> cases = {
        {"frame 0", tag + "1\r\n0,\"a\"\r\n", ErrorCode::SubscriptOutOfRange, {"", ""}},
        {"frame past the count", tag + "1\r\n3,\"a\"\r\n", ErrorCode::SubscriptOutOfRange,
         {"", ""}},
        {"frames out of order", tag + "2\r\n2,\"a\"\r\n1,\"b\"\r\n",
         ErrorCode::SubscriptOutOfRange, {"", "a"}},
        {"one frame twice", tag + "2\r\n1,\"a\"\r\n1,\"b\"\r\n", ErrorCode::SubscriptOutOfRange,
         {"a", ""}},
        {"more records than frames", tag + "3\r\n", ErrorCode::SubscriptOutOfRange, {"", ""}},
        {"negative records", tag + "-1\r\n", ErrorCode::SubscriptOutOfRange, {"", ""}},
        {"version 2", "\"KINETRA-CAPTIONS\",2,0\r\n", ErrorCode::SubscriptOutOfRange, {"", ""}},
        {"tag alone", "\"KINETRA-CAPTIONS\"\r\n", ErrorCode::InputPastEndOfFile, {"", ""}},
        {"fewer records than counted", tag + "2\r\n1,\"a\"\r\n", ErrorCode::InputPastEndOfFile,
         {"a", ""}},
        {"cut after the frame number", tag + "1\r\n1,", ErrorCode::InputPastEndOfFile, {"", ""}},
        {"caption never closed", tag + "2\r\n1,\"a\"\r\n2,\"b", ErrorCode::InputPastEndOfFile,
         {"a", ""}},
        {"frame number alone on its line", tag + "2\r\n1\r\n2,\"b\"\r\n", ErrorCode::TypeMismatch,
         {"", ""}},
        {"number for the caption", tag + "1\r\n1,5\r\n", ErrorCode::TypeMismatch, {"", ""}},
        {"text for the frame number", tag + "1\r\n\"1\",\"a\"\r\n", ErrorCode::TypeMismatch,
         {"", ""}},
        {"an item too many", tag + "2\r\n1,\"a\"\r\n2,\"b\",\"c\"\r\n", ErrorCode::TypeMismatch,
         {"a", ""}},
        {"text stuck to the caption", tag + "1\r\n1,\"a\"b\r\n", ErrorCode::TypeMismatch,
         {"", ""}},
        {"after the line block", lines + tag + "2\r\n1,\"a\"\r\n9,\"b\"\r\n",
         ErrorCode::SubscriptOutOfRange, {"a", ""}},
    };
    const std::string plain = dataBytes("two_frames.KTR");
    const PlayReadResult clean = readPlay(plain);
    for (const DamageCase &c : cases) {
        SCOPED_TRACE(c.name);
        const PlayReadResult r = readPlay(plain + c.block);
        EXPECT_EQ(r.status, PlayReadStatus::OpenedWithFailure);
        EXPECT_EQ(r.failureCode, c.failureCode);
        EXPECT_EQ(r.labelLinesTaken, kLabelLines);
        EXPECT_EQ(r.play.looks, clean.play.looks);
        EXPECT_EQ(captionsOf(r.play.frames), c.captionsKept);
        for (int16_t n = 1; n <= 2; ++n) {
            PlayConfig frame = r.play.frames.frame(n);
            frame.Caption.clear();
            frame.ActionPaths.clear();
            EXPECT_EQ(frame, clean.play.frames.frame(n));
        }
    }
    EXPECT_TRUE(reports.empty());
}

// ---- Frame commands ----

// Three frames captioned "one", "two", "three", frame 2 current; every item placed, so Insert
// Progressive and Next Moment have something to move.
FrameList captionedFrames()
{
    FrameList frames;
    frames.resize(3);
    const char *captions[] = {"one", "two", "three"};
    for (int16_t n = 1; n <= 3; ++n) {
        PlayConfig &frame = frames.frame(n);
        frame.OPlayerX[0] = frame.OPlayerY[0] = 100.0f * float(n);
        frame.Caption = captions[n - 1];
    }
    frames.frame(2).addActionLine(0, {200, 200}, {260, 200});
    frames.setCurrent(2);
    return frames;
}

struct CommandCase
{
    const char *name;
    std::function<void(FrameList &)> command;
    std::vector<std::string> after;
};

TEST(FrameCommandCaptions, CopiesTakeTheCaptionNewFramesStartWithoutAndUndoKeepsThem)
{
    const std::vector<CommandCase> cases = {
        {"Insert After or Before", [](FrameList &f) { f.AppendFrame(); },
         {"one", "two", "two", "three"}},
        {"Insert Blank", [](FrameList &f) { f.InsertBlankFrame(); },
         {"one", "two", "", "three"}},
        {"Insert Next Moment",
         [](FrameList &f) {
             ASSERT_EQ(InsertNextMoment(f, ItemSizes{{32, 32}, {15, 12}}),
                       InsertOutcome::Inserted);
         },
         {"one", "two", "", "three"}},
        {"Insert Progressive",
         [](FrameList &f) { ASSERT_EQ(InsertFrames(f, 2), InsertOutcome::Inserted); },
         {"one", "two", "", "", "three"}},
        {"Delete Frame", [](FrameList &f) { ASSERT_TRUE(f.DeleteCurrentFrame()); },
         {"one", "three"}},
    };
    const std::vector<std::string> before{"one", "two", "three"};
    for (const CommandCase &c : cases) {
        SCOPED_TRACE(c.name);
        FrameList frames = captionedFrames();
        EditHistory history;
        history.reset(frames);
        c.command(frames);
        EXPECT_EQ(captionsOf(frames), c.after);
        ASSERT_TRUE(history.record(frames, c.name));
        ASSERT_TRUE(history.undo(frames));
        EXPECT_EQ(captionsOf(frames), before);
        ASSERT_TRUE(history.redo(frames));
        EXPECT_EQ(captionsOf(frames), c.after);
    }
}

TEST(FrameCommandCaptions, AChangedCaptionAloneIsAStep)
{
    FrameList frames = captionedFrames();
    EditHistory history;
    history.reset(frames);
    frames.frame(3).Caption = "three, then home";
    ASSERT_TRUE(history.record(frames, "Frame Caption"));
    EXPECT_FALSE(history.record(frames, "Frame Caption"));
    ASSERT_TRUE(history.undo(frames));
    EXPECT_EQ(frames.frame(3).Caption, "three");
}

} // namespace
} // namespace kinetra
