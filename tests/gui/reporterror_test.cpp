#include "app/reporterror.h"
#include "model/failurereport.h"
#include "model/runtimeerror.h"
#include "playback/playbackstate.h"
#include "support/fakeplatform.h"

#include "support/qtprint.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kinetra {
namespace {

const QString kMemory = " Try closing other apps and freeing up memory.";
const QString kDisk = " Check available free disk space and try again.";
const QString kPrinter = " Check that printer is online and connected.";
const QString kFileType = " Kinetra can only read files with KTR extensions. Try reading another "
                          "play file or exiting and run program again.";
const QString kData = " Data error - make sure you access Kinetra files. Try exiting and "
                      "restarting program.";
const QString kRestart = " Exit and try restarting program. If problem persists contact support.";

struct AdviceCase
{
    int code;
    const QString *advice;
};

void PrintTo(const AdviceCase &c, std::ostream *os)
{
    *os << c.code;
}

class AdviceTest : public testing::TestWithParam<AdviceCase>
{};

TEST_P(AdviceTest, FirstMatchingRangeWins)
{
    EXPECT_EQ(errorAdvice(GetParam().code), *GetParam().advice);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, AdviceTest,
    testing::Values(AdviceCase{7, &kMemory}, AdviceCase{14, &kMemory}, AdviceCase{28, &kMemory},
                    AdviceCase{342, &kMemory}, AdviceCase{8, &kRestart},
                    AdviceCase{61, &kDisk}, AdviceCase{716, &kDisk}, AdviceCase{482, &kPrinter},
                    AdviceCase{481, &kRestart}, AdviceCase{483, &kRestart},
                    AdviceCase{50, &kRestart}, AdviceCase{51, &kFileType},
                    AdviceCase{53, &kFileType}, AdviceCase{60, &kFileType},
                    AdviceCase{62, &kFileType}, AdviceCase{64, &kFileType},
                    AdviceCase{65, &kRestart}, AdviceCase{707, &kData},
                    AdviceCase{708, &kFileType}, AdviceCase{715, &kFileType},
                    AdviceCase{717, &kFileType}, AdviceCase{719, &kFileType},
                    AdviceCase{720, &kData}, AdviceCase{599, &kRestart},
                    AdviceCase{600, &kData}, AdviceCase{4000, &kData},
                    AdviceCase{4001, &kRestart}, AdviceCase{0, &kRestart},
                    AdviceCase{-7, &kRestart}, AdviceCase{6, &kRestart}),
    [](const auto &info) {
        const int code = info.param.code;
        return code < 0 ? "minus" + std::to_string(-code) : std::to_string(code);
    });

TEST(ErrorMessage, CodeStandsAfterOneBlankUnlessNegative)
{
    EXPECT_EQ(errorMessage(70, "Permission denied"),
              "Error :  70 Permission denied  Exit and try restarting program. If problem "
              "persists contact support.");
    EXPECT_EQ(errorMessage(0, "Zero"), "Error :  0 Zero " + kRestart);
    EXPECT_EQ(errorMessage(-5, "Negative"), "Error : -5 Negative " + kRestart);
    EXPECT_EQ(errorMessage(61, "Disk full"), "Error :  61 Disk full " + kDisk);
}

// Each test runs in its own temporary current directory, where the log is written.
class ReportErrorTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previousDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
        installErrorReporter(platform);
        VideoPlaying = false;
        restorePlayButton = [this] { ++restoredButtons; };
    }
    void TearDown() override
    {
        removeErrorReporter();
        restorePlayButton = nullptr;
        VideoPlaying = false;
        QDir::setCurrent(m_previousDir);
    }

    void reportInCatch(int code, const QString &activity)
    {
        try {
            throw RuntimeError(code);
        } catch (...) {
            ReportError(activity);
        }
    }
    QByteArray log() const
    {
        QFile file(m_dir.filePath("Ktrlog.txt"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    FakePlatform platform;
    int restoredButtons = 0;

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
};

TEST_F(ReportErrorTest, ShowsOneCriticalMessageTitledWithTheActivity)
{
    reportInCatch(53, "Reading Play");
    const auto messages = platform.messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, "Error :  53 File not found  Kinetra can only read files with "
                                "KTR extensions. Try reading another play file or exiting and "
                                "run program again.");
    EXPECT_EQ(messages[0].title, "Reading Play");
    EXPECT_EQ(messages[0].icon, Platform::Icon::Critical);
    EXPECT_EQ(messages[0].buttons, Platform::Buttons::Ok);
}

TEST_F(ReportErrorTest, CarriesTheDescriptionOfTheFailureInFlight)
{
    try {
        throw RuntimeError(482, "Printer out of paper");
    } catch (const RuntimeError &) {
        ReportError("Printing Play");
    }
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].text, "Error :  482 Printer out of paper " + kPrinter);
}

TEST_F(ReportErrorTest, LogHoldsOnlyTheLatestReport)
{
    platform.setNow(QDateTime(QDate(1998, 12, 6), QTime(14, 10, 9)));
    reportInCatch(61, "Saving Play");
    EXPECT_EQ(log(), "\"12-06-1998\",\"14:10:09\",\"Saving Play\",\"Error :  61 Disk full  Check "
                     "available free disk space and try again.\"\r\n");

    platform.setNow(QDateTime(QDate(2026, 3, 4), QTime(7, 8, 5)));
    reportInCatch(6, "Drawing Play");
    EXPECT_EQ(log(), "\"03-04-2026\",\"07:08:05\",\"Drawing Play\",\"Error :  6 Overflow  Exit "
                     "and try restarting program. If problem persists contact support.\"\r\n");
}

TEST_F(ReportErrorTest, LogFieldsAreWrittenUnescapedAsUtf8)
{
    reportInCatch(7, QString::fromUtf8("Saving \"Plé\", now"));
    EXPECT_TRUE(log().contains(QString::fromUtf8("\"Saving \"Plé\", now\",").toUtf8()));
}

TEST_F(ReportErrorTest, UnwritableLogIsDroppedAfterTheMessage)
{
    ASSERT_TRUE(QDir().mkdir("Ktrlog.txt")); // a folder where the log should go
    reportInCatch(53, "Reading Play");
    EXPECT_EQ(platform.messages().size(), 1);
}

TEST_F(ReportErrorTest, StopsARunningPlaybackAndRestoresThePlayButton)
{
    VideoPlaying = true;
    reportInCatch(9, "Playing Video");
    EXPECT_FALSE(VideoPlaying);
    EXPECT_EQ(restoredButtons, 1);
}

TEST_F(ReportErrorTest, LeavesThePlayButtonAloneWhenNothingPlays)
{
    reportInCatch(9, "Moving Symbol");
    EXPECT_FALSE(VideoPlaying);
    EXPECT_EQ(restoredButtons, 0);
}

TEST_F(ReportErrorTest, StopsPlaybackEvenWithoutAVideoWindow)
{
    restorePlayButton = nullptr;
    VideoPlaying = true;
    reportInCatch(9, "Playing Video");
    EXPECT_FALSE(VideoPlaying);
}

TEST_F(ReportErrorTest, ModelFailuresReachTheReporter)
{
    try {
        throw RuntimeError(62);
    } catch (...) {
        reportFailure("Reading Play");
    }
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].title, "Reading Play");
    EXPECT_EQ(platform.messages()[0].text, "Error :  62 Input past end of file " + kFileType);
}

TEST_F(ReportErrorTest, OtherExceptionsAreReportedWithTheirNearestCode)
{
    try {
        throw std::bad_alloc();
    } catch (...) {
        ReportError("Copying Frame");
    }
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].text, "Error :  7 Out of memory " + kMemory);
}

TEST_F(ReportErrorTest, CalledWithoutAFailureReportsAnInternalError)
{
    ReportError("Drawing Play");
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_TRUE(platform.messages()[0].text.startsWith("Error :  51 Internal error "));
}

} // namespace
} // namespace kinetra
