// Save as Bmp: the save dialog, the file name, the picture written and failures.
#include "app/frmmain.h"
#include "app/programfolder.h"
#include "app/reporterror.h"
#include "model/runtimeerror.h"
#include "output/bitmapexport.h"
#include "prefs/inisettingsstore.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"
#include "support/tempsettings.h"
#include "surface/surface.h"
#include "surface/toolpalette.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kinetra {
namespace {

struct NameCase
{
    const char *answer;
    const char *file;
};

void PrintTo(const NameCase &c, std::ostream *os)
{
    *os << '"' << c.answer << '"';
}

class BmpNameTest : public testing::TestWithParam<NameCase>
{
};

TEST_P(BmpNameTest, TrimsAndAddsTheExtensionOnce)
{
    EXPECT_EQ(bmpFileName(GetParam().answer), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, BmpNameTest,
    testing::Values(NameCase{"play", "play.bmp"}, NameCase{"  play  ", "play.bmp"},
                    NameCase{"play.bmp", "play.bmp"}, NameCase{" Play.BMP ", "Play.BMP"},
                    NameCase{"   ", ".bmp"}, NameCase{"play.bmp.txt", "play.bmp.txt.bmp"},
                    NameCase{"plays/first", "plays/first.bmp"},
                    NameCase{"/tmp/a b", "/tmp/a b.bmp"}));

class BmpExportTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_previousDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        installErrorReporter(platform);
        w = std::make_unique<frmMain>(platform, store, KINETRA_PROGRAM_DIR);
        w->show();
    }

    void TearDown() override
    {
        w.reset();
        removeErrorReporter();
        QDir::setCurrent(m_previousDir);
    }

    void saveAs(std::optional<QString> answer)
    {
        platform.queueText(answer);
        w->menuItem("mnuFileSaveBMP")->trigger();
    }

    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    static QByteArray bytes(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    TempSettings settings;
    IniSettingsStore store;
    FakePlatform platform;
    std::unique_ptr<frmMain> w;
    QString m_previousDir;
};

TEST_F(BmpExportTest, CancelOrAnEmptyAnswerDoesNothing)
{
    EXPECT_TRUE(w->menuItem("mnuFileSaveBMP")->isEnabled());
    for (const std::optional<QString> &answer : {std::optional<QString>(), std::optional(QString())}) {
        saveAs(answer);
        EXPECT_TRUE(files().isEmpty());
    }
    ASSERT_EQ(platform.calls.size(), 2);
    for (const FakePlatform::Call &c : platform.calls)
        EXPECT_EQ(c.kind, "saveFile");
    EXPECT_EQ(platform.waitCursorChanges, 0);
}

// A bare name used to go into the program's folder without a word about where.
TEST_F(BmpExportTest, TheDialogStartsInTheDocumentsThenWhereTheLastPictureWent)
{
    QDir(dir.path()).mkdir("pictures");
    const QString first = dir.filePath("pictures/first");
    saveAs(first);
    saveAs(QString());
    ASSERT_EQ(platform.calls.size(), 2);
    const Platform::FileDialog &before = platform.calls[0].file;
    EXPECT_EQ(before.startFolder, documentsFolder());
    EXPECT_TRUE(before.proposedName.endsWith(".bmp"));
    EXPECT_EQ(before.defaultSuffix, "bmp");
    EXPECT_TRUE(before.confirmReplace);
    EXPECT_TRUE(QFileInfo::exists(first + ".bmp"));
    EXPECT_EQ(platform.calls[1].file.startFolder, dir.filePath("pictures"));
}

TEST_F(BmpExportTest, WritesTheSurfaceAsShownPixelForPixel)
{
    PlayConfig &frame = w->document().frames().currentFrame();
    frame.OPlayerX[0] = 100;
    frame.OPlayerY[0] = 100;
    frame.OPlayerX[1] = 200;
    frame.OPlayerY[1] = 150;
    w->toolPalette()->ChkActiveOff[1]->setChecked(true); // hidden: not drawn, not saved
    w->DrawSelected();
    w->surface()->line(10, 300, 390, 20, QColor(255, 0, 255)); // chalk
    const QImage shown = w->surface()->image();

    saveAs(" shot ");
    ASSERT_EQ(files(), QStringList{"shot.bmp"});
    const QByteArray data = bytes("shot.bmp");
    ASSERT_GT(data.size(), 54);
    EXPECT_TRUE(data.startsWith("BM"));
    EXPECT_EQ(data[30], 0); // BI_RGB: not compressed
    const QImage saved("shot.bmp", "BMP");
    ASSERT_EQ(saved.size(), shown.size());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), shown);
    EXPECT_TRUE(platform.messages().isEmpty());
    EXPECT_FALSE(platform.waitCursor);
    EXPECT_EQ(platform.waitCursorChanges, 2);
    EXPECT_FALSE(w->document().isModified());

    // The same name again replaces the file without asking, here with the name typed whole.
    w->surface()->clear();
    saveAs("shot.bmp");
    EXPECT_EQ(files(), QStringList{"shot.bmp"});
    EXPECT_EQ(QImage("shot.bmp").convertToFormat(QImage::Format_RGB32), w->surface()->image());
    EXPECT_TRUE(platform.messages().isEmpty());
}

TEST_F(BmpExportTest, AFailureIsReportedAndLeavesNoFile)
{
    saveAs("missing/shot");
    ASSERT_EQ(platform.messages().size(), 1);
    EXPECT_EQ(platform.messages()[0].title, "Saving Bmp file");
    EXPECT_TRUE(platform.messages()[0].text.startsWith(errorMessage(76, "Path not found")));
    EXPECT_FALSE(platform.waitCursor);
    EXPECT_EQ(files(), QStringList{"Ktrlog.txt"});
}

TEST_F(BmpExportTest, AFailedWriteKeepsTheOldFile)
{
    QFile old(dir.filePath("old.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the older picture");
    old.close();
    // A picture that cannot be encoded fails after the file was opened for writing.
    EXPECT_THROW(writeBmp(QImage(), dir.filePath("old.bmp")), RuntimeError);
    EXPECT_THROW(writeImageFile(w->surface()->image(), dir.filePath("old.bmp"), "NOSUCHFORMAT"),
                 RuntimeError);
    EXPECT_EQ(bytes(dir.filePath("old.bmp")), "the older picture");
    EXPECT_EQ(files(), QStringList{"old.bmp"});
}

} // namespace
} // namespace kinetra
