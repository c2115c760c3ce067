// The block after the labels that carries further action lines and bend points.
#include "model/failurereport.h"
#include "model/playfile.h"
#include "model/playfilereader.h"
#include "model/runtimeerror.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace kinetra {
namespace {

constexpr std::string_view kTagLine = "\"KINETRA-LINES\",1,";

std::string dataBytes(const std::string &name)
{
    std::ifstream in(std::string(KINETRA_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A play whose frames hold lines of every kind, straight and bent, drawn at random.
PlaySnapshot randomPlay(unsigned seed, int frames)
{
    std::mt19937 rng(seed);
    auto coordinate = [&rng] { return float(rng() % 64000 + 100) / 100.0f; };
    auto point = [&] { return LinePoint{coordinate(), coordinate()}; };
    PlaySnapshot play;
    play.title = "Random";
    for (ActionLook &look : play.looks.actions)
        look = {"Run", 1, 2, 255, 1};
    for (int i = 0; i < kLabelLines; ++i)
        play.looks.labels.offense[i] = play.looks.labels.defense[i] = std::to_string(i);
    play.frames.resize(int16_t(frames));
    for (int16_t n = 1; n <= frames; ++n) {
        PlayConfig &f = play.frames.frame(n);
        f.OPlayerX[0] = coordinate();
        const int lines = int(rng() % 20);
        for (int i = 0; i < lines; ++i) {
            std::vector<LinePoint> bends(rng() % 5);
            std::generate(bends.begin(), bends.end(), point);
            f.addActionLine(int(rng() % kActionCount), point(), point(), bends);
        }
        // Some first lines lose their bends, some further lines go again.
        for (ActionLine line : f.actionLines()) {
            if (rng() % 4 == 0) {
                line.bends.clear();
                f.setActionLine(line);
            } else if (rng() % 6 == 0) {
                f.removeActionLine(line.id);
            }
        }
    }
    return play;
}

// Records the failures handed to the error reporter.
class PlayFileLinesTest : public ::testing::Test
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

TEST_F(PlayFileLinesTest, RandomFramesWithFurtherLinesAndBendsReadBackEqual)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const PlaySnapshot play = randomPlay(seed, int(seed % 7) + 1);
        const std::string bytes = formatPlay(play);
        const PlayReadResult r = readPlay(bytes);
        ASSERT_EQ(r.status, PlayReadStatus::Opened) << "seed " << seed;
        for (int16_t n = 1; n <= play.frames.count(); ++n) {
            EXPECT_EQ(r.play.frames.frame(n), play.frames.frame(n)) << "seed " << seed;
            EXPECT_EQ(r.play.frames.frame(n).actionLines(), play.frames.frame(n).actionLines());
        }
        EXPECT_EQ(formatPlay(r.play), bytes);
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(PlayFileLinesTest, SavedFileHoldsTheBlockAndReadsBackInPieces)
{
    // Large enough for saving to hand the bytes on in several pieces.
    const PlaySnapshot play = randomPlay(3, 6000);
    const std::string path = (std::filesystem::temp_directory_path()
                              / ("kinetra_lines_" + std::to_string(::getpid()) + ".KTR"))
                                 .string();
    ASSERT_TRUE(writePlay(path, play).ok());
    const std::string bytes = formatPlay(play);
    ASSERT_GT(bytes.size() - bytes.find(kTagLine), size_t(1) << 20);
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        EXPECT_EQ(s.str(), bytes);
    }
    const PlayReadResult r = readPlayFile(path);
    std::filesystem::remove(path);
    ASSERT_EQ(r.status, PlayReadStatus::Opened);
    for (int16_t n = 1; n <= play.frames.count(); ++n)
        ASSERT_EQ(r.play.frames.frame(n), play.frames.frame(n)) << n;
}

TEST_F(PlayFileLinesTest, BlockFollowsThePlainBytesAndOnlyWhenNeeded)
{
    const PlaySnapshot play = randomPlay(7, 5);
    PlaySnapshot plain = play;
    for (int16_t n = 1; n <= plain.frames.count(); ++n)
        plain.frames.frame(n).ActionPaths.clear();
    const std::string plainBytes = formatPlay(plain);
    const std::string bytes = formatPlay(play);
    // Without further lines or bends, nothing is added to what the plain layout holds.
    EXPECT_EQ(plainBytes.find("KINETRA"), std::string::npos);
    ASSERT_GT(bytes.size(), plainBytes.size());
    EXPECT_EQ(bytes.substr(0, plainBytes.size()), plainBytes);
    EXPECT_EQ(bytes.substr(plainBytes.size(), kTagLine.size()), kTagLine);

    // Records come in frame order, then kind, then slot.
    const PlayReadResult r = readPlay(dataBytes("two_frames_lines.KTR"));
    ASSERT_EQ(r.status, PlayReadStatus::Opened);
    EXPECT_EQ(formatPlay(r.play), dataBytes("two_frames_lines.KTR"));
    const PlayConfig &f1 = r.play.frames.frame(1);
    const std::vector<LinePoint> firstBends{{120, 130}, {150.5f, 160}};
    EXPECT_EQ(f1.actionLine({0, 0}), (ActionLine{{0, 0}, {100, 110}, {200, 210}, firstBends}));
    EXPECT_EQ(f1.actionLine({0, 1}), (ActionLine{{0, 1}, {10, 20}, {30, 40}, {{15, 25}}}));
    EXPECT_EQ(f1.actionLine({0, 2}), (ActionLine{{0, 2}, {11, 21}, {31, 41}, {}}));
    EXPECT_EQ(f1.actionLineCount(), 10);
    EXPECT_EQ(r.play.frames.frame(2).actionLines(),
              (std::vector<ActionLine>{{{3, 0}, {1, 2}, {3, 4}, {}},
                                       {{3, 1}, {5, 6}, {7, 8}, {}}}));
}

// Splits the plain layout as a reader that knows nothing of the block does: header, eight
// look lines, the frame lines, ten label lines, and nothing after them. Texts hold no line
// breaks in the plays this is used on.
std::vector<std::vector<std::string>> plainLines(const std::string &bytes, int frames)
{
    std::vector<std::vector<std::string>> lines;
    size_t pos = 0;
    for (int i = 0; i < 1 + kActionCount + frames + kLabelLines; ++i) {
        const size_t end = bytes.find("\r\n", pos);
        std::vector<std::string> items;
        std::stringstream line(bytes.substr(pos, end - pos));
        for (std::string item; std::getline(line, item, ',');)
            items.push_back(item);
        lines.push_back(items);
        pos = end + 2;
    }
    return lines;
}

TEST_F(PlayFileLinesTest, PlainLayoutReaderSeesTheFirstLineOfEachKind)
{
    const PlaySnapshot play = randomPlay(11, 6);
    const auto lines = plainLines(formatPlay(play), play.frames.count());
    constexpr size_t kFirstActionItem = 63;
    for (int16_t n = 1; n <= play.frames.count(); ++n) {
        const std::vector<std::string> &items = lines[size_t(kActionCount + n)];
        ASSERT_EQ(items.size(), 95u);
        const PlayConfig &f = play.frames.frame(n);
        for (int16_t k = 0; k < kActionCount; ++k) {
            const size_t at = kFirstActionItem + 4 * size_t(k);
            const std::optional<ActionLine> first = f.actionLine({k, 0});
            const LinePoint start{std::stof(items[at]), std::stof(items[at + 1])};
            const LinePoint end{std::stof(items[at + 2]), std::stof(items[at + 3])};
            EXPECT_EQ(first.has_value(), start.x > 0.5f && end.x > 0.5f);
            if (first) {
                EXPECT_EQ(start, first->start);
                EXPECT_EQ(end, first->end);
            }
        }
    }
    for (int i = 0; i < kLabelLines; ++i)
        EXPECT_EQ(lines[size_t(1 + kActionCount + play.frames.count() + i)],
                  (std::vector<std::string>{'"' + play.looks.labels.offense[size_t(i)] + '"',
                                            '"' + play.looks.labels.defense[size_t(i)] + '"'}));
}

// Whatever damages the block, the plain part and the records before the damage are kept.
struct DamageCase
{
    const char *name;
    std::string block;
    int failureCode;
    size_t pathsKept;
};

std::string manyLinesInFrameOne(int further)
{
    std::string block = std::string(kTagLine) + std::to_string(further) + "\r\n";
    for (int s = 1; s <= further; ++s)
        block += "1,1," + std::to_string(s) + ",0,1,2,3,4\r\n";
    return block;
}

// two_frames.KTR with a first Run line in frame 2 too; frame 2 has no line of any other kind.
std::string plainTwoFrames()
{
    PlaySnapshot play = readPlay(dataBytes("two_frames.KTR")).play;
    PlayConfig &second = play.frames.frame(2);
    second.ActionSX[0] = 100, second.ActionSY[0] = 110;
    second.ActionEX[0] = 200, second.ActionEY[0] = 210;
    return formatPlay(play);
}

TEST_F(PlayFileLinesTest, DamagedBlockIsAFailureThatKeepsWhatWasRead)
{
    const std::string tag(kTagLine);
    const std::vector<DamageCase> cases = {
        {"frame 0", tag + "1\r\n0,0,1,0,1,2,3,4\r\n", ErrorCode::SubscriptOutOfRange, 0},
        {"frame past the count", tag + "1\r\n3,0,1,0,1,2,3,4\r\n", ErrorCode::SubscriptOutOfRange,
         0},
        {"frames out of order", tag + "2\r\n2,0,1,0,1,2,3,4\r\n1,0,1,0,1,2,3,4\r\n",
         ErrorCode::SubscriptOutOfRange, 1},
        {"kind 8", tag + "1\r\n1,8,1,0,1,2,3,4\r\n", ErrorCode::SubscriptOutOfRange, 0},
        {"kind -1", tag + "1\r\n1,-1,1,0,1,2,3,4\r\n", ErrorCode::SubscriptOutOfRange, 0},
        {"slot 64", tag + "1\r\n1,0,64,0,1,2,3,4\r\n", ErrorCode::SubscriptOutOfRange, 0},
        {"slot gap", tag + "2\r\n1,0,1,0,1,2,3,4\r\n1,0,3,0,1,2,3,4\r\n",
         ErrorCode::SubscriptOutOfRange, 1},
        {"same id twice", tag + "2\r\n1,0,1,0,1,2,3,4\r\n1,0,1,0,1,2,3,4\r\n",
         ErrorCode::SubscriptOutOfRange, 1},
        {"kinds out of order", tag + "2\r\n1,2,1,0,1,2,3,4\r\n1,1,1,0,1,2,3,4\r\n",
         ErrorCode::SubscriptOutOfRange, 1},
        {"slot 0 without bends", tag + "1\r\n1,0,0,0\r\n", ErrorCode::SubscriptOutOfRange, 0},
        {"17 bends", tag + "1\r\n1,0,0,17,1,2\r\n", ErrorCode::SubscriptOutOfRange, 0},
        {"65 lines in a frame", manyLinesInFrameOne(57), ErrorCode::SubscriptOutOfRange, 56},
        {"records past the limit", tag + "129\r\n", ErrorCode::SubscriptOutOfRange, 0},
        {"negative records", tag + "-1\r\n", ErrorCode::SubscriptOutOfRange, 0},
        {"version 2", "\"KINETRA-LINES\",2,0\r\n", ErrorCode::SubscriptOutOfRange, 0},
        {"tag alone", "\"KINETRA-LINES\"\r\n", ErrorCode::InputPastEndOfFile, 0},
        {"fewer records than counted", tag + "2\r\n1,0,1,0,1,2,3,4\r\n",
         ErrorCode::InputPastEndOfFile, 1},
        {"cut inside a record", tag + "1\r\n1,0,1,1,1,2,3,4,5", ErrorCode::InputPastEndOfFile, 0},
        {"record short of its items", tag + "2\r\n1,0,1,1,1,2,3,4\r\n1,0,2,0,1,2,3,4\r\n",
         ErrorCode::TypeMismatch, 0},
        {"record with an item too many", tag + "1\r\n1,0,1,0,1,2,3,4,5\r\n",
         ErrorCode::TypeMismatch, 0},
        {"text for a number", tag + "1\r\n1,0,1,0,1,\"2\",3,4\r\n", ErrorCode::TypeMismatch, 0},
        {"record split between x and y", tag + "1\r\n1,0,1,0,10,20,30\r\n40\r\n",
         ErrorCode::TypeMismatch, 0},
        {"bend split between x and y", tag + "2\r\n1,0,1,0,1,2,3,4\r\n1,0,2,1,1,2,3,4,5\r\n6\r\n",
         ErrorCode::TypeMismatch, 1},
        // A kind whose first line is not in the frame line has no further line or bend.
        {"further line without a first", tag + "1\r\n2,1,1,0,1,2,3,4\r\n",
         ErrorCode::SubscriptOutOfRange, 0},
        {"bends without a first line", tag + "2\r\n1,0,1,0,1,2,3,4\r\n2,5,0,1,5,6\r\n",
         ErrorCode::SubscriptOutOfRange, 1},
        // Points drawing cannot take: outside -32768.5 <= v < 32767.5.
        {"bend x 3e38", tag + "1\r\n1,0,0,1,3e38,5\r\n", ErrorCode::SubscriptOutOfRange, 0},
        {"bend x -3e38", tag + "1\r\n1,0,0,1,-3e38,5\r\n", ErrorCode::SubscriptOutOfRange, 0},
        {"bend y 1e30", tag + "1\r\n1,0,0,1,5,1e30\r\n", ErrorCode::SubscriptOutOfRange, 0},
        {"bend x 32767.5", tag + "1\r\n1,0,0,1,32767.5,5\r\n", ErrorCode::SubscriptOutOfRange,
         0},
        {"bend y -32769", tag + "1\r\n1,0,0,1,5,-32769\r\n", ErrorCode::SubscriptOutOfRange, 0},
        {"start x 40000", tag + "1\r\n1,0,1,0,40000,2,3,4\r\n", ErrorCode::SubscriptOutOfRange,
         0},
        {"end y -1e30", tag + "2\r\n1,0,1,0,1,2,3,4\r\n2,0,1,0,1,2,3,-1e30\r\n",
         ErrorCode::SubscriptOutOfRange, 1},
    };
    const std::string plain = plainTwoFrames();
    const PlayReadResult clean = readPlay(plain);
    for (const DamageCase &c : cases) {
        SCOPED_TRACE(c.name);
        const PlayReadResult r = readPlay(plain + c.block);
        EXPECT_EQ(r.status, PlayReadStatus::OpenedWithFailure);
        EXPECT_EQ(r.failureCode, c.failureCode);
        EXPECT_EQ(r.labelLinesTaken, kLabelLines);
        EXPECT_EQ(r.play.looks.labels, clean.play.looks.labels);
        size_t paths = 0;
        for (int16_t n = 1; n <= 2; ++n) {
            PlayConfig frame = r.play.frames.frame(n);
            paths += frame.ActionPaths.size();
            frame.ActionPaths.clear();
            EXPECT_EQ(frame, clean.play.frames.frame(n));
        }
        EXPECT_EQ(paths, c.pathsKept);
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(PlayFileLinesTest, PointsAtTheEdgesOfWhatDrawingTakesAreRead)
{
    const std::string block =
        std::string(kTagLine) + "1\r\n1,2,0,2,-32768.5,32767.49,1e-30,-0.00001\r\n";
    const PlayReadResult r = readPlay(plainTwoFrames() + block);
    ASSERT_EQ(r.status, PlayReadStatus::Opened);
    EXPECT_EQ(r.play.frames.frame(1).ActionPaths,
              (std::vector<ActionPath>{
                  {{2, 0}, {}, {}, {{-32768.5f, 32767.49f}, {1e-30f, -0.00001f}}}}));
    // Written back without an exponent.
    const std::string saved = formatPlay(r.play);
    EXPECT_EQ(saved.substr(saved.find(kTagLine)),
              std::string(kTagLine)
                  + "1\r\n1,2,0,2,-32768.5,32767.49,0.000000000000000000000000000001,-0.00001\r\n");
}

// What follows the labels, or the block's last record, that is not ours.
struct TrailingCase
{
    const char *name;
    std::string block; ///< the line block before it, if any
    std::string tail;
    std::string kept;  ///< what the play keeps and writes back
    size_t paths;
};

TEST_F(PlayFileLinesTest, TextThatIsNotOursIsKeptAndWrittenBackUnchanged)
{
    const std::string tag(kTagLine);
    const std::string record = tag + "1\r\n1,0,1,0,1,2,3,4\r\n";
    const std::vector<TrailingCase> cases = {
        {"nothing", "", "", "", 0},
        {"blank lines only", "", "\r\n \r\n\t", "", 0},
        {"text", "", "garbage,1,2\r\n", "garbage,1,2\r\n", 0},
        {"numbers without a line end", "", "12,13", "12,13", 0},
        {"blank line first", "", "\r\nnotes\r\n", "\r\nnotes\r\n", 0},
        {"another block", "", "\"OTHER-LINES\",1,1\r\n1,0,1,0,1,2,3,4\r\n",
         "\"OTHER-LINES\",1,1\r\n1,0,1,0,1,2,3,4\r\n", 0},
        {"our tag never closed", "", "\"KINETRA-LINES", "\"KINETRA-LINES", 0},
        {"our tag with more stuck to it", "", "\"KINETRA-LINES\"x,1,0\r\n",
         "\"KINETRA-LINES\"x,1,0\r\n", 0},
        {"bytes outside ASCII", "", "caf\xe9 \x93quoted\x94\n", "caf\xe9 \x93quoted\x94\n", 0},
        {"empty block", tag + "0\r\n", "", "", 0},
        {"after the block", record, "more\r\n", "more\r\n", 1},
        {"a later block after ours", record, "\"KINETRA-NOTES\",1,0\r\n",
         "\"KINETRA-NOTES\",1,0\r\n", 1},
    };
    const std::string plain = plainTwoFrames();
    for (const TrailingCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string bytes = plain + c.block + c.tail;
        // Whole, and in pieces that split the text anywhere.
        for (size_t piece : {size_t(1), size_t(3), size_t(1) << 16}) {
            size_t at = 0;
            PlayFileReader in(
                [&](char *data, size_t capacity) {
                    const size_t n = std::min(capacity, bytes.size() - at);
                    std::copy_n(bytes.data() + at, n, data);
                    at += n;
                    return n;
                },
                piece);
            const PlayReadResult r = readPlay(in);
            ASSERT_EQ(r.status, PlayReadStatus::Opened) << piece;
            EXPECT_EQ(r.play.trailingText, c.kept) << piece;
            EXPECT_EQ(r.play.frames.frame(1).ActionPaths.size(), c.paths) << piece;
        }
        const PlayReadResult r = readPlay(bytes);
        // Written after our blocks; a play with nothing after them is written as before.
        EXPECT_EQ(formatPlay(r.play), plain + (c.paths > 0 ? c.block : "") + c.kept);
    }
    // The play gains a line block: the text follows it.
    PlaySnapshot play = readPlay(plain + "garbage\r\n").play;
    play.frames.frame(2).addActionLine(0, {1, 2}, {3, 4});
    EXPECT_EQ(formatPlay(play), plain + tag + "1\r\n2,0,1,0,1,2,3,4\r\ngarbage\r\n");
    EXPECT_TRUE(reports.empty());
}

} // namespace
} // namespace kinetra
