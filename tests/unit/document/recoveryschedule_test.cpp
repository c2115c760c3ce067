// When the recovery copy of a play is due and when it goes, on a hand-run clock and timer.
#include "document/recoveryschedule.h"

#include "document/playdocument.h"
#include "prefs/preferences.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace kinetra {
namespace {

constexpr int kDelayMs = 10000;

/// A document opened from a scratch copy of two_frames.KTR, its schedule, and what was due.
class ScheduleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(KINETRA_TEST_DATA) + "/two_frames.KTR", play));
        ASSERT_EQ(doc.open(play, {}).status, PlayReadStatus::Opened);
        QObject::connect(&schedule, &RecoverySchedule::copyDue, [this] { ++copies; });
        QObject::connect(&schedule, &RecoverySchedule::copyObsolete, [this] { ++removals; });
    }

    void edit()
    {
        doc.frames().currentFrame().OPlayerX[0] += 10;
        doc.recordEdit("Move Player");
    }

    /// Lets every timer set so far run out.
    void runTimers()
    {
        std::vector<std::function<void()>> due;
        due.swap(timers);
        for (const auto &call : due)
            call();
    }

    QTemporaryDir dir;
    const QString play = dir.filePath("play.KTR");
    PlayDocument doc;
    qint64 now = 1000;
    std::vector<std::function<void()>> timers;
    RecoverySchedule schedule{doc, kDelayMs, [this] { return now; },
                              [this](int milliseconds, std::function<void()> call) {
                                  EXPECT_EQ(milliseconds, kDelayMs);
                                  timers.push_back(std::move(call));
                              }};
    int copies = 0;
    int removals = 0;
};

TEST_F(ScheduleTest, ARunOfChangesIsCopiedOnceAndUndoingToTheFileMakesTheCopyGo)
{
    edit();
    now = 1005;
    edit(); // within the same delay: one timer
    ASSERT_EQ(timers.size(), 1u);
    runTimers();
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(schedule.changedAt(), 1005);
    runTimers();
    EXPECT_EQ(copies, 1) << "copied again without a change";

    doc.undo();
    doc.undo();
    EXPECT_EQ(removals, 1);
    runTimers();
    EXPECT_EQ(copies, 1);
}

TEST_F(ScheduleTest, TheFileIsNotedAsTheFirstChangeFoundIt)
{
    const PlayFileState opened = PlayFileState::of(play);
    ASSERT_GT(opened.size, 0);
    edit();
    {
        QFile file(play); // changed by another program
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("\r\n");
    }
    edit();
    EXPECT_EQ(schedule.fileState().size, opened.size);
    EXPECT_EQ(schedule.fileState().modifiedAt, opened.modifiedAt);
    EXPECT_EQ(PlayFileState::of(dir.filePath("none.KTR")).size, -1);
}

// Every way the changes stop being only in memory makes the copy go, and none comes back.
enum class Settle { Save, SaveAs, New, OpenAnother, Close };

class ScheduleSettleTest : public ScheduleTest, public ::testing::WithParamInterface<Settle>
{
};

TEST_P(ScheduleSettleTest, TheCopyGoes)
{
    edit();
    runTimers();
    ASSERT_EQ(copies, 1);
    edit();
    const Preferences prefs;
    switch (GetParam()) {
    case Settle::Save: ASSERT_TRUE(doc.save(play, QDateTime(QDate(2026, 12, 7), QTime(14, 10, 9))).ok()); break;
    case Settle::SaveAs:
        ASSERT_TRUE(doc.save(dir.filePath("as.KTR"), QDateTime(QDate(2026, 12, 7), QTime(14, 10, 9))).ok());
        break;
    case Settle::New: doc.newPlay(QDateTime(QDate(2026, 12, 7), QTime(14, 10, 9)), {}); break;
    case Settle::OpenAnother:
        ASSERT_EQ(doc.open(QStringLiteral(KINETRA_TEST_DATA) + "/three_frames.KTR", {}).status,
                  PlayReadStatus::Opened);
        break;
    case Settle::Close: doc.close(); break;
    }
    EXPECT_EQ(removals, 1);
    runTimers();
    EXPECT_EQ(copies, 1) << "a copy came back";
}

std::string settleName(const ::testing::TestParamInfo<Settle> &info)
{
    static const char *const names[] = {"Save", "SaveAs", "New", "OpenAnother", "Close"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Ways, ScheduleSettleTest,
                         ::testing::Values(Settle::Save, Settle::SaveAs, Settle::New,
                                           Settle::OpenAnother, Settle::Close),
                         settleName);

} // namespace
} // namespace kinetra
