#include "prefs/inisettingsstore.h"
#include "support/qtprint.h"
#include "support/tempsettings.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kinetra {
namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(IniSettingsStore, LivesUnderXdgConfigHome)
{
    TempSettings settings;
    {
        IniSettingsStore store;
        EXPECT_EQ(store.path(), settings.iniPath());
        store.write("Settings", "Picbkg", "2");
        store.sync();
    }
    EXPECT_TRUE(QFile::exists(settings.iniPath()));
    EXPECT_EQ(IniSettingsStore().read("Settings", "Picbkg"), "2");
}

TEST(IniSettingsStore, NamesCompareWithoutRegardToCase)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("DAZI.ini");
    // A file edited by hand, with its own spelling of sections and keys.
    writeFile(path, "[settings]\npicfile0=/fields/home.bmp\n\n[Player]\nopsize=17\n");
    IniSettingsStore store(path);
    EXPECT_EQ(store.read("Settings", "PicFile0", "x"), "/fields/home.bmp");
    EXPECT_EQ(store.read("SETTINGS", "PICFILE0", "x"), "/fields/home.bmp");
    EXPECT_EQ(store.read("PLAYER", "OPSize", "15"), "17");

    // Writing under another spelling replaces the value instead of adding a second key.
    store.write("PLAYER", "OPSIZE", "10");
    store.write("Settings", "PicFile0", "/fields/away.bmp");
    store.sync();
    IniSettingsStore reread(path);
    EXPECT_EQ(reread.keys("player"), QStringList{"opsize"});
    EXPECT_EQ(reread.read("Player", "OPSize"), "10");
    EXPECT_EQ(reread.read("settings", "picfile0"), "/fields/away.bmp");
}

TEST(IniSettingsStore, MissingValuesGiveTheDefaultAndTextStaysText)
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath("DAZI.ini"));
    EXPECT_EQ(store.read("Files", "RecentFile1", "none"), "none");
    EXPECT_EQ(store.read("Files", "RecentFile1"), "");
    store.write("Files", "RecentFile1", "/plays/a, b.KTR");
    store.write("Options", "Show Tips at Startup", "0");
    store.write("PLAYER", "OPLabel0", " 1");
    store.sync();
    IniSettingsStore reread(dir.filePath("DAZI.ini"));
    EXPECT_EQ(reread.read("Files", "RecentFile1"), "/plays/a, b.KTR");
    EXPECT_EQ(reread.read("options", "show tips at startup"), "0");
    EXPECT_EQ(reread.read("PLAYER", "OPLabel0"), " 1");
}

TEST(IniSettingsStore, ListsNumberedKeysInTheirOrder)
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath("DAZI.ini"));
    for (int i = 1; i <= 4; ++i)
        store.write("Files", QString("RecentFile%1").arg(i), QString("/p%1.KTR").arg(i));
    EXPECT_EQ(store.keys("FILES"),
              (QStringList{"RecentFile1", "RecentFile2", "RecentFile3", "RecentFile4"}));
    EXPECT_TRUE(store.keys("Nothing").isEmpty());
}

} // namespace
} // namespace kinetra
