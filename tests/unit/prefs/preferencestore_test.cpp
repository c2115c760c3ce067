#include "prefs/inisettingsstore.h"
#include "prefs/preferencestore.h"
#include "support/qtprint.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kinetra {
namespace {

// An in-memory store that records the order of writes, for order and round-trip checks.
class MemoryStore : public SettingsStore
{
public:
    QString read(const QString &section, const QString &key, const QString &def) const override
    {
        const auto it = values.find(name(section, key));
        return it == values.end() ? def : it->second;
    }
    void write(const QString &section, const QString &key, const QString &value) override
    {
        values[name(section, key)] = value;
        writes << section + "/" + key;
    }
    QStringList keys(const QString &) const override { return {}; }
    void sync() override { ++syncs; }

    static QString name(const QString &s, const QString &k) { return (s + "/" + k).toLower(); }
    std::map<QString, QString> values;
    QStringList writes;
    int syncs = 0;
};

TEST(Preferences, FirstRunDefaults)
{
    MemoryStore store;
    Preferences p;
    loadPreferences(store, p, "/opt/kinetra");
    EXPECT_EQ(p.Picbkg, 0);
    EXPECT_EQ(p.PicFile[0], "/opt/kinetra/Surface0.BMP");
    EXPECT_EQ(p.PicFile[3], "/opt/kinetra/Surface3.BMP");
    EXPECT_EQ(p.SymbolFile[0], "/opt/kinetra/Sym1.bmp");
    EXPECT_EQ(p.SymbolFile[7], "/opt/kinetra/Sym8.bmp");
    EXPECT_EQ(p.FontName, "");
    EXPECT_EQ(p.FontSize, 8);
    EXPECT_FALSE(p.FontBold || p.FontItalic || p.FontUnderline || p.FontStrikethrough);
    EXPECT_EQ(p.Fontcolor, 0);
    // The action-line types, the current labels, the defence's label colour and the
    // formations of a first start are tested with it.
    EXPECT_EQ(p.PlayerSize, (std::array<int16_t, 2>{15, 15}));
    EXPECT_EQ(p.PlayerShape, (std::array<int16_t, 2>{3, 3}));
    EXPECT_EQ(p.PlayerFcolr, (std::array<int32_t, 2>{16777215, 16711680}));
    EXPECT_EQ(p.PlayerBcolr, (std::array<int32_t, 2>{0, 0}));
    EXPECT_EQ(p.PlayerTcolr[0], 0);
    EXPECT_EQ(p.OPDef[4][9], " 10");
    EXPECT_EQ(p.DPDef[0][9], "Sp");
    EXPECT_EQ(p.DPDef[1][7], "RCF");
    EXPECT_EQ(p.OPDef[1][9], "B10");
}

TEST(Preferences, WritesEveryKeyInOrderAndNeverTheBuiltInSets)
{
    MemoryStore store;
    store.values[MemoryStore::name("Formations", "Count")] = "0"; // its user deleted them all
    Preferences p;
    loadPreferences(store, p, "/opt/kinetra");
    savePreferences(store, p);
    // 12 settings + 8 symbols + 48 action + 10 looks + 20 labels + 80 user label sets
    // + the formation count.
    EXPECT_EQ(store.writes.size(), 179);
    EXPECT_EQ(store.writes.mid(0, 3), (QStringList{"Settings/Picbkg", "Settings/PicFile0",
                                                   "Settings/PicFile1"}));
    EXPECT_EQ(store.writes.mid(7, 5),
              (QStringList{"Settings/FontBold", "Settings/FontItalic",
                           "Settings/FontStrikethrough", "Settings/FontUnderline",
                           "Settings/Fontcolor"}));
    EXPECT_EQ(store.writes.mid(20, 7),
              (QStringList{"Action/Label0", "Action/Type0", "Action/Size0", "Action/Color0",
                           "Action/EndType0", "Action/FollowsBases0", "Action/Label1"}));
    EXPECT_EQ(store.writes.mid(68, 4), (QStringList{"PLAYER/OPSize", "PLAYER/DPSize",
                                                    "PLAYER/OPShape", "PLAYER/DPShape"}));
    EXPECT_EQ(store.writes.mid(78, 2), (QStringList{"PLAYER/OPLabel0", "PLAYER/DPLabel0"}));
    EXPECT_EQ(store.writes.mid(98, 2), (QStringList{"PLAYER/OPDef2Lab0", "PLAYER/DPDef2Lab0"}));
    EXPECT_EQ(store.writes[177], "PLAYER/DPDef5Lab9");
    EXPECT_EQ(store.writes.last(), "Formations/Count");
    for (const QString &w : store.writes) {
        EXPECT_FALSE(w.startsWith("PLAYER/OPDef0") || w.startsWith("PLAYER/OPDef1")) << w.toStdString();
        EXPECT_FALSE(w.startsWith("PLAYER/DPDef0") || w.startsWith("PLAYER/DPDef1")) << w.toStdString();
    }
    EXPECT_EQ(store.read("Settings", "FontBold", ""), "False");
    EXPECT_EQ(store.read("Action", "FollowsBases6", ""), "True");
    EXPECT_EQ(store.read("PLAYER", "DPFcolr", ""), "16711680");
    EXPECT_GE(store.syncs, 1);
}

TEST(Preferences, EveryKeyRoundTripsThroughTheIniFile)
{
    QTemporaryDir dir;
    Preferences p;
    loadPreferences(MemoryStore(), p, "/opt/kinetra");
    p.Picbkg = 2;
    p.PicFile[1] = "/home/coach/fields/my field.bmp";
    p.FontName = "DejaVu Serif";
    p.FontSize = 12;
    p.FontBold = true;
    p.FontStrikethrough = true;
    p.Fontcolor = 255;
    p.SymbolFile[5] = "/tmp/cone, big.bmp";
    for (int n = 0; n < 8; ++n) {
        p.ActionLabel[n] = "Run " + std::to_string(n);
        p.ActionType[n] = int16_t(1 + n % 5);
        p.ActionSize[n] = int16_t(n % 2 ? 6 : 3);
        p.ActionColor[n] = 1000 * n;
        p.ActionEndType[n] = int16_t(n % 3);
        p.ActionFollowsBases[n] = n % 3 == 1; // Run and Steal off, others on
    }
    p.PlayerSize = {10, 17};
    p.PlayerShape = {1, 3};
    p.PlayerBcolr = {1, 2};
    p.PlayerFcolr = {3, 4};
    p.PlayerTcolr = {5, 16711680};
    p.OPLabel[3] = "Jo";
    p.DPLabel[9] = "";
    p.OPDef[4][0] = "LF";
    p.DPDef[5][9] = "x=y";
    {
        IniSettingsStore store(dir.filePath("DAZI.ini"));
        savePreferences(store, p);
    }
    Preferences back;
    loadPreferences(IniSettingsStore(dir.filePath("DAZI.ini")), back, "/elsewhere");
    back.FormationCount = p.FormationCount;
    EXPECT_EQ(back.Picbkg, 2);
    EXPECT_EQ(back.PicFile, p.PicFile);
    EXPECT_EQ(back.FontName, p.FontName);
    EXPECT_EQ(back.FontSize, 12);
    EXPECT_TRUE(back.FontBold);
    EXPECT_FALSE(back.FontItalic);
    EXPECT_TRUE(back.FontStrikethrough);
    EXPECT_EQ(back.Fontcolor, 255);
    EXPECT_EQ(back.SymbolFile, p.SymbolFile);
    EXPECT_EQ(back.ActionLabel, p.ActionLabel);
    EXPECT_EQ(back.ActionType, p.ActionType);
    EXPECT_EQ(back.ActionSize, p.ActionSize);
    EXPECT_EQ(back.ActionColor, p.ActionColor);
    EXPECT_EQ(back.ActionEndType, p.ActionEndType);
    EXPECT_EQ(back.ActionFollowsBases, p.ActionFollowsBases);
    EXPECT_EQ(back.PlayerSize, p.PlayerSize);
    EXPECT_EQ(back.PlayerShape, p.PlayerShape);
    EXPECT_EQ(back.PlayerBcolr, p.PlayerBcolr);
    EXPECT_EQ(back.PlayerFcolr, p.PlayerFcolr);
    // Each side keeps its own text colour.
    EXPECT_EQ(back.PlayerTcolr, p.PlayerTcolr);
    EXPECT_EQ(back.OPLabel, p.OPLabel);
    EXPECT_EQ(back.DPLabel, p.DPLabel);
    EXPECT_EQ(back.OPDef, p.OPDef);
    EXPECT_EQ(back.DPDef, p.DPDef);
}

struct BadValue
{
    const char *section;
    const char *key;
    const char *text;
};

class PreferencesFallBack : public testing::TestWithParam<BadValue>
{
};

TEST_P(PreferencesFallBack, ToTheKeysDefault)
{
    MemoryStore store;
    Preferences defaults;
    loadPreferences(store, defaults, "/p");
    store.values[MemoryStore::name(GetParam().section, GetParam().key)] = GetParam().text;
    Preferences p;
    loadPreferences(store, p, "/p");
    EXPECT_EQ(p.Picbkg, defaults.Picbkg);
    EXPECT_EQ(p.FontSize, defaults.FontSize);
    EXPECT_EQ(p.FontBold, defaults.FontBold);
    EXPECT_EQ(p.ActionType, defaults.ActionType);
    EXPECT_EQ(p.ActionSize, defaults.ActionSize);
    EXPECT_EQ(p.ActionEndType, defaults.ActionEndType);
    EXPECT_EQ(p.ActionColor, defaults.ActionColor);
    EXPECT_EQ(p.ActionFollowsBases, defaults.ActionFollowsBases);
    EXPECT_EQ(p.PlayerShape, defaults.PlayerShape);
    EXPECT_EQ(p.PlayerSize, defaults.PlayerSize);
    EXPECT_EQ(p.PlayerFcolr, defaults.PlayerFcolr);
}

INSTANTIATE_TEST_SUITE_P(
    BadText, PreferencesFallBack,
    testing::Values(BadValue{"Settings", "Picbkg", "7"}, BadValue{"Settings", "Picbkg", "-1"},
                    BadValue{"Settings", "Picbkg", "two"}, BadValue{"Settings", "FontSize", ""},
                    BadValue{"Settings", "FontSize", "99999"},
                    BadValue{"Settings", "FontBold", "maybe"},
                    BadValue{"Action", "Type3", "9"}, BadValue{"Action", "Size0", "0"},
                    BadValue{"Action", "EndType7", "3"}, BadValue{"Action", "Color2", "1e40"},
                    BadValue{"Action", "Color2", "-5"}, BadValue{"Action", "FollowsBases0", "x"},
                    BadValue{"PLAYER", "OPShape", "9"},
                    BadValue{"PLAYER", "DPShape", "2"}, BadValue{"PLAYER", "OPSize", "abc"},
                    BadValue{"PLAYER", "DPFcolr", "16777216"}));

TEST(Preferences, StoreConversions)
{
    EXPECT_EQ(storeInt("2", 0, 3, 0), 2);
    EXPECT_EQ(storeInt(" 2 ", 0, 3, 0), 2);
    EXPECT_EQ(storeInt("2.5", 0, 3, 0), 2);
    EXPECT_EQ(storeInt("+3", 0, 3, 0), 3);
    EXPECT_EQ(storeInt("3x", 0, 3, 1), 1);
    EXPECT_TRUE(storeBool("true", false));
    EXPECT_TRUE(storeBool("TRUE", false));
    EXPECT_FALSE(storeBool("False", true));
    EXPECT_TRUE(storeBool("-1", false));
    EXPECT_FALSE(storeBool("0", true));
    EXPECT_TRUE(storeBool("junk", true));
    EXPECT_EQ(storeText(true), "True");
    EXPECT_EQ(storeText(-5), "-5");
}

} // namespace
} // namespace kinetra
