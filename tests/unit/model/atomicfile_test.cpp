#include "model/atomicfile.h"
#include "model/inputfile.h"
#include "model/playfile.h"
#include "model/runtimeerror.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kinetra {
namespace {

namespace fs = std::filesystem;

std::string fileBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeBytes(const fs::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

int g_failWith = 0;
ssize_t failingWrite(int, const void *, size_t)
{
    errno = g_failWith;
    return -1;
}

// Writes half of what it is given, then fails: a disk that fills up part-way.
ssize_t fillingWrite(int fd, const void *data, size_t size)
{
    static bool written = false;
    if (!written) {
        written = true;
        return ::write(fd, data, size / 2);
    }
    errno = ENOSPC;
    return -1;
}

class AtomicSave : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Parameterised tests are named "Name/0": keep the folder flat.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        m_folder = fs::temp_directory_path()
                   / ("kinetra_atomic_" + name + "_" + std::to_string(::getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        target = m_folder / "play.KTR";
    }
    void TearDown() override
    {
        AtomicFile::setWriteCall(nullptr);
        AtomicFile::setSyncCall(nullptr);
        fs::remove_all(m_folder);
    }

    PlaySaveResult save(const fs::path &path)
    {
        return writePlay(path.string(),
                         {m_title, m_date, m_time, m_notes, {0, m_looks, m_labels}, m_frames, {}});
    }

    size_t filesInFolder() const
    {
        return size_t(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()));
    }

    fs::path target;

private:
    fs::path m_folder;
    std::string m_title = "T", m_date = "01-02-2003", m_time = "04:05:06", m_notes;
    ActionLooks m_looks;
    FrameList m_frames;
    PlayerLabels m_labels;
};

struct FailureCase
{
    int err;
    int code;
};

class AtomicSaveFailure : public AtomicSave, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(AtomicSaveFailure, KeepsThePreviousFileAndReportsTheCode)
{
    writeBytes(target, "previous play");
    g_failWith = GetParam().err;
    AtomicFile::setWriteCall(&failingWrite);
    const PlaySaveResult r = save(target);
    EXPECT_EQ(r.errorCode, GetParam().code);
    EXPECT_EQ(r.description, errorDescription(GetParam().code));
    EXPECT_EQ(fileBytes(target), "previous play");
    EXPECT_EQ(filesInFolder(), 1u); // no temporary left behind
}

INSTANTIATE_TEST_SUITE_P(Errors, AtomicSaveFailure,
                         ::testing::Values(FailureCase{ENOSPC, ErrorCode::DiskFull},
                                           FailureCase{EDQUOT, ErrorCode::DiskFull},
                                           FailureCase{EIO, ErrorCode::DeviceIOError},
                                           FailureCase{EACCES, ErrorCode::PermissionDenied},
                                           FailureCase{EPERM, ErrorCode::PermissionDenied},
                                           FailureCase{EBADF, ErrorCode::PathFileAccessError}));

TEST_F(AtomicSave, DiskFillingUpPartWayKeepsThePreviousFile)
{
    writeBytes(target, "previous play");
    AtomicFile::setWriteCall(&fillingWrite);
    EXPECT_EQ(save(target).errorCode, ErrorCode::DiskFull);
    EXPECT_EQ(fileBytes(target), "previous play");
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(AtomicSave, MissingFolderIsPathNotFound)
{
    const fs::path path = target.parent_path() / "missing" / "play.KTR";
    const PlaySaveResult r = save(path);
    EXPECT_EQ(r.errorCode, ErrorCode::PathNotFound);
    EXPECT_EQ(saveErrorMessage(path.string(), r),
              "Error saving file " + path.string() + ".\n76 : Path not found");
    EXPECT_FALSE(fs::exists(path.parent_path()));
}

TEST_F(AtomicSave, TargetThatIsAFolderFailsWithoutHarm)
{
    fs::create_directories(target / "inside");
    EXPECT_EQ(save(target).errorCode, ErrorCode::PathFileAccessError);
    EXPECT_TRUE(fs::exists(target / "inside"));
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(AtomicSave, ReplacesTheFileAndKeepsItsPermissions)
{
    writeBytes(target, "previous play");
    ::chmod(target.c_str(), 0640);
    ASSERT_TRUE(save(target).ok());
    EXPECT_EQ(fileBytes(target).substr(0, 8), "1,\"DAZI\"");
    struct stat info;
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(filesInFolder(), 1u);
}

// What each sync was given and what the target held at that moment.
struct Sync
{
    std::string path;
    std::string targetHeld;
};
std::vector<Sync> g_syncs;
fs::path g_syncTarget;

int recordingSync(int fd)
{
    std::error_code error;
    const fs::path synced = fs::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
    g_syncs.push_back({synced.string(), fileBytes(g_syncTarget).substr(0, 8)});
    return ::fsync(fd);
}

TEST_F(AtomicSave, SyncsTheNewFileBeforeTheRenameAndTheFolderAfterIt)
{
    writeBytes(target, "previous play");
    g_syncs.clear();
    g_syncTarget = target;
    const AtomicFile::SyncCall previous = AtomicFile::setSyncCall(&recordingSync);
    const bool saved = save(target).ok();
    AtomicFile::setSyncCall(previous);
    ASSERT_TRUE(saved);
    ASSERT_EQ(g_syncs.size(), 2u);
    // The new file is on the disk before its name can point at it...
    const fs::path folder = fs::canonical(target.parent_path());
    EXPECT_EQ(g_syncs[0].path.rfind((folder / "play.KTR.tmp~").string(), 0), 0u)
        << g_syncs[0].path;
    EXPECT_EQ(g_syncs[0].targetHeld, "previous");
    // ... and the rename is on the disk before the save counts as done.
    EXPECT_EQ(fs::path(g_syncs[1].path), folder);
    EXPECT_EQ(g_syncs[1].targetHeld, "1,\"DAZI\"");
}

TEST_F(AtomicSave, AFileThatCannotBeSyncedIsNotPutInPlace)
{
    writeBytes(target, "previous play");
    const AtomicFile::SyncCall previous = AtomicFile::setSyncCall([](int) {
        errno = EIO;
        return -1;
    });
    const PlaySaveResult result = save(target);
    AtomicFile::setSyncCall(previous);
    EXPECT_EQ(result.errorCode, ErrorCode::DeviceIOError);
    EXPECT_EQ(fileBytes(target), "previous play");
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(AtomicSave, TemporariesOfEndedProcessesGoThoseOfRunningOnesStay)
{
    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ASSERT_GT(ended, 0);
    ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
    const fs::path folder = target.parent_path();
    const fs::path stale = folder / ("shot.png.tmp~" + std::to_string(ended) + "-0");
    const fs::path running = folder / ("shot.png.tmp~" + std::to_string(::getppid()) + "-1");
    const fs::path unlike = folder / ("notes.tmp~" + std::to_string(ended));
    for (const fs::path &file : {stale, running, unlike})
        writeBytes(file, "left");
    ASSERT_TRUE(save(target).ok());
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(running));
    EXPECT_TRUE(fs::exists(unlike));
}

struct LinkCase
{
    const char *name;
    bool relative;     // the link names its file relative to the link's folder
    bool dangling;     // the linked file does not exist yet
    bool chain;        // a link to a link to the file
};

class AtomicSaveLink : public AtomicSave, public ::testing::WithParamInterface<LinkCase>
{
};

TEST_P(AtomicSaveLink, WritesTheLinkedFileAndKeepsTheLink)
{
    const LinkCase &c = GetParam();
    fs::create_directories(target.parent_path() / "real");
    const fs::path real = target.parent_path() / "real" / "play.KTR";
    if (!c.dangling) {
        writeBytes(real, "previous play");
        ::chmod(real.c_str(), 0604);
    }
    const fs::path linked = c.relative ? fs::path("real/play.KTR") : real;
    if (c.chain) {
        fs::create_symlink(linked, target.parent_path() / "middle.KTR");
        fs::create_symlink("middle.KTR", target);
    } else {
        fs::create_symlink(linked, target);
    }
    ASSERT_TRUE(save(target).ok());
    EXPECT_TRUE(fs::is_symlink(target));
    EXPECT_EQ(fileBytes(real).substr(0, 8), "1,\"DAZI\"");
    if (!c.dangling) {
        struct stat info;
        ASSERT_EQ(::stat(real.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0604u);
    }
}

INSTANTIATE_TEST_SUITE_P(Links, AtomicSaveLink,
                         ::testing::Values(LinkCase{"Absolute", false, false, false},
                                           LinkCase{"Relative", true, false, false},
                                           LinkCase{"Dangling", true, true, false},
                                           LinkCase{"Chain", true, false, true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(AtomicSave, LinkLoopFailsWithoutReplacingTheLink)
{
    fs::create_symlink("play.KTR", target);
    EXPECT_EQ(save(target).errorCode, ErrorCode::PathFileAccessError);
    EXPECT_TRUE(fs::is_symlink(target));
}

// Refused for every user, root included, whose access check would let it through.
TEST_F(AtomicSave, ReadOnlyTargetIsRefusedAndLeftAsItWas)
{
    writeBytes(target, "previous play");
    ::chmod(target.c_str(), 0444);
    struct stat before;
    ASSERT_EQ(::stat(target.c_str(), &before), 0);
    if (before.st_mode & 0222)
        GTEST_SKIP() << "this file system ignores permission bits";
    const PlaySaveResult r = save(target);
    EXPECT_EQ(r.errorCode, ErrorCode::PermissionDenied);
    EXPECT_EQ(r.description, "Permission denied");
    EXPECT_EQ(fileBytes(target), "previous play");
    struct stat info;
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST(ReadFileBytes, MapsMissingFilesAndFolders)
{
    auto code = [](const std::string &path) {
        try {
            readFileBytes(path);
        } catch (const RuntimeError &e) {
            return e.code();
        }
        return 0;
    };
    EXPECT_EQ(code("/nonexistent-kinetra/play.KTR"), ErrorCode::FileNotFound);
    EXPECT_EQ(code(fs::temp_directory_path().string()), ErrorCode::PathFileAccessError);
}

} // namespace
} // namespace kinetra
