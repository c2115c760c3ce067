// Recovery copies: the description file, which copies a start offers and which files it clears
// out, and the writer thread.
#include "model/recoveryinfo.h"
#include "model/recoverywriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace kinetra {
namespace {

namespace fs = std::filesystem;

constexpr int64_t kDay = 24 * 60 * 60;
constexpr int64_t kT = 1796652609; // 12-07-2026 14:10:09 UTC

class RecoveryInfoRoundTrip : public testing::TestWithParam<RecoveryInfo>
{
};

TEST_P(RecoveryInfoRoundTrip, ReadsBackWhatItWroteOneLineAField)
{
    const RecoveryInfo &info = GetParam();
    const std::string text = formatRecoveryInfo(info);
    EXPECT_EQ(parseRecoveryInfo(text), info) << text;
    const size_t lines = size_t(std::count(text.begin(), text.end(), '\n'));
    const size_t optional = size_t(info.discardedAt != 0) + size_t(info.fileSize >= 0)
                            + size_t(info.fileModifiedAt >= 0);
    EXPECT_EQ(lines, 5u + optional) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Infos, RecoveryInfoRoundTrip,
    testing::Values(RecoveryInfo{},
                    RecoveryInfo{"/home/coach/Plays/Bunt defence.KTR", "Bunt defence", 3, kT, 0},
                    RecoveryInfo{"/tmp/a\\b\nc.KTR", "x=y\r\nz \\n literal", 32767, kT, kT + 5},
                    RecoveryInfo{"", "Doppelspiel – 6-4-3 ⚾", 1, 0, 1},
                    RecoveryInfo{"/p/a.KTR", "Steal", 2, kT, 0, 0, kT * 1000 + 999},
                    RecoveryInfo{"/p/a.KTR", "Steal", 2, kT, kT, 9800000, -1}));

TEST(RecoveryInfoFormat, IsKeyValueLinesAfterTheFormatLine)
{
    const RecoveryInfo info{"/p/a.KTR", "Steal", 2, kT, 0};
    EXPECT_EQ(formatRecoveryInfo(info), "Kinetra recovery copy 1\npath=/p/a.KTR\ntitle=Steal\n"
                                        "frame=2\nchanged=1796652609\n");
    // Other line ends and keys a later version may add are read past.
    const auto read = parseRecoveryInfo(
        "Kinetra recovery copy 1\r\nzoom=2\r\ntitle=Steal\r\nframe=2\r\nno equals sign\r\n");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->title, "Steal");
    EXPECT_EQ(read->currentFrame, 2);
    EXPECT_EQ(read->playPath, "");
    // Written before the play file's state was kept, or with it garbled: untold, still read.
    EXPECT_EQ(read->fileSize, -1);
    EXPECT_EQ(read->fileModifiedAt, -1);
    const auto garbled = parseRecoveryInfo(
        "Kinetra recovery copy 1\ntitle=Steal\nfilesize=-3\nfiletime=soon\n");
    ASSERT_TRUE(garbled);
    EXPECT_EQ(garbled->fileSize, -1);
    EXPECT_EQ(garbled->fileModifiedAt, -1);
}

class RecoveryInfoRefused : public testing::TestWithParam<const char *>
{
};

TEST_P(RecoveryInfoRefused, GivesNothing)
{
    EXPECT_FALSE(parseRecoveryInfo(GetParam())) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Texts, RecoveryInfoRefused,
                         testing::Values("", "title=Steal\n", "Kinetra recovery copy 2\n",
                                         "Kinetra recovery copy 1\nframe=0\n",
                                         "Kinetra recovery copy 1\nframe=32768\n",
                                         "Kinetra recovery copy 1\nframe=2x\n",
                                         "Kinetra recovery copy 1\nchanged=-5\n",
                                         "Kinetra recovery copy 1\ndiscarded=soon\n"));

RecoveryFolderEntry file(std::string name, int64_t modifiedAt)
{
    return {std::move(name), modifiedAt, std::nullopt};
}

RecoveryFolderEntry description(std::string name, int64_t modifiedAt, int64_t changedAt,
                                int64_t discardedAt = 0)
{
    return {std::move(name), modifiedAt, RecoveryInfo{"", "", 1, changedAt, discardedAt}};
}

struct Cleanup
{
    const char *name;
    std::vector<RecoveryFolderEntry> entries;
    int64_t now;
    bool discardedFolder;
    std::vector<std::string> removed;
};

class RecoveryCleanup : public testing::TestWithParam<Cleanup>
{
};

TEST_P(RecoveryCleanup, RemovesExactlyTheseFiles)
{
    const Cleanup &c = GetParam();
    std::vector<std::string> removed = filesToRemove(c.entries, c.now, c.discardedFolder);
    std::sort(removed.begin(), removed.end());
    EXPECT_EQ(removed, c.removed);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RecoveryCleanup,
    testing::Values(
        Cleanup{"DeclinedOneSecondShortOfAWeekStays",
                {file("a.KTR", kT - 30), description("a.txt", kT, kT - 30, kT)},
                kT + 7 * kDay - 1,
                true,
                {}},
        Cleanup{"DeclinedAWeekAgoGoesWhole",
                {file("a.KTR", kT - 30), description("a.txt", kT, kT - 30, kT)},
                kT + 7 * kDay,
                true,
                {"a.KTR", "a.txt"}},
        // A move keeps the play's old time: the moment in the description counts.
        Cleanup{"OldPlayDeclinedYesterdayStays",
                {file("a.KTR", kT - 30 * kDay), description("a.txt", kT, kT - 30 * kDay, kT)},
                kT + kDay,
                true,
                {}},
        Cleanup{"WithoutTheMomentTheNewestFileCounts",
                {file("b.KTR", kT - 8 * kDay), description("b.txt", kT - 2 * kDay, kT)},
                kT + 5 * kDay - 1,
                true,
                {}},
        Cleanup{"APlayWithoutDescriptionCountsFromItsTime",
                {file("c.KTR", kT - 7 * kDay), file("notes.doc", kT - 99 * kDay)},
                kT,
                true,
                {"c.KTR"}},
        Cleanup{"AClockSetBackRemovesNothing",
                {file("a.KTR", kT), description("a.txt", kT, kT, kT)},
                kT - 30 * kDay,
                true,
                {}},
        // Cut off between the play and its description: never offered, so never cleaned
        // unless the start does it. A description that cannot be read keeps its play.
        Cleanup{"APlayCopyWithoutDescriptionGoesFromTheRecoveryFolder",
                {file("cut.KTR", kT), file("whole.KTR", kT), description("whole.txt", kT, kT),
                 file("broken.KTR", kT), file("broken.txt", kT), file("notes.doc", kT)},
                kT,
                false,
                {"cut.KTR"}},
        Cleanup{"OnlyCutOffWritesGoFromTheRecoveryFolder",
                {file("a.KTR.tmp~4711-0", kT), file("a.KTR", kT - 90 * kDay),
                 description("a.txt", kT - 90 * kDay, kT - 90 * kDay)},
                kT,
                false,
                {"a.KTR.tmp~4711-0"}}),
    [](const testing::TestParamInfo<Cleanup> &info) { return std::string(info.param.name); });

TEST(RecoveryOffer, OffersWholeCopiesLatestChangeFirst)
{
    std::vector<RecoveryFolderEntry> entries{
        file("old.KTR", kT),        description("old.txt", kT, kT - 100),
        file("new.KTR", kT),        description("new.txt", kT, kT),
        file("same.KTR", kT),       description("same.txt", kT, kT),
        file("playonly.KTR", kT),   description("infoonly.txt", kT, kT + 9),
        file("broken.KTR", kT),     file("broken.txt", kT), // description not readable
        file("x.KTR.tmp~1-0", kT),  description("x.txt.tmp~1-0", kT, kT + 9),
    };
    EXPECT_EQ(copiesToOffer(entries), (std::vector<std::string>{"new", "same", "old"}));
}

// ---- The writer ----

class RecoveryWriterTest : public testing::Test
{
protected:
    void SetUp() override { fs::remove_all(m_root); }
    void TearDown() override { fs::remove_all(m_root); }

    static std::shared_ptr<const PlaySnapshot> snapshot(int frames)
    {
        auto s = std::make_shared<PlaySnapshot>();
        s->title = "Relay";
        s->notes = "line 1\r\nline 2";
        s->looks.Picbkg = 2;
        s->frames.resize(int16_t(frames));
        s->frames.frame(int16_t(frames)).OPlayerX[3] = 123.25f;
        s->looks.actions.fill({"Run", 1, 3, 255, 0});
        s->looks.labels.offense[0] = "P";
        return s;
    }

    const fs::path m_root =
        fs::temp_directory_path() / ("kinetra_recovery_" + std::to_string(::getpid()));
    std::vector<std::pair<int, std::string>> m_failures;
};

std::string fileBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(RecoveryWriterTest, WritesThePlayAndItsDescriptionThenRemovesBoth)
{
    const fs::path folder = m_root / "state" / "recovery";
    RecoveryWriter writer(folder.string(), [this](int code, const std::string &text) {
        m_failures.emplace_back(code, text);
    });
    writer.write("copy", snapshot(2), {"/plays/relay.KTR", "Relay", 1, kT, 0});
    // the latest counts; the other may be written first
    writer.write("copy", snapshot(3), {"/plays/relay.KTR", "Relay", 2, kT, 0});
    writer.waitIdle();

    const PlayReadResult read = readPlayFile((folder / "copy.KTR").string());
    ASSERT_EQ(read.status, PlayReadStatus::Opened);
    EXPECT_EQ(read.play.frames.count(), 3);
    EXPECT_EQ(read.play.frames.frame(3).OPlayerX[3], 123.25f);
    EXPECT_EQ(read.play.title, "Relay");
    EXPECT_EQ(read.play.notes, "line 1\r\nline 2");
    EXPECT_EQ(read.play.looks.labels.offense[0], "P");
    EXPECT_EQ(parseRecoveryInfo(fileBytes(folder / "copy.txt")),
              (RecoveryInfo{"/plays/relay.KTR", "Relay", 2, kT, 0}));

    writer.remove("copy");
    writer.remove("never-written");
    writer.waitIdle();
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_TRUE(m_failures.empty());
}

TEST_F(RecoveryWriterTest, ReportsAFolderItCannotMakeAndGoesOn)
{
    fs::create_directories(m_root);
    std::ofstream(m_root / "plain") << "a file, not a folder";
    {
        RecoveryWriter writer((m_root / "plain" / "recovery").string(),
                              [this](int code, const std::string &text) {
                                  m_failures.emplace_back(code, text);
                              });
        writer.write("copy", snapshot(1), {});
        writer.waitIdle();
        writer.write("copy", snapshot(1), {});
    } // the destructor finishes the waiting write
    ASSERT_EQ(m_failures.size(), 2u);
    EXPECT_EQ(m_failures[0].first, 76);
    EXPECT_EQ(m_failures[0].second, "Path not found");
}

} // namespace
} // namespace kinetra
