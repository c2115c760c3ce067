#include "prefs/preferencestore.h"

#include "model/rounding.h"
#include "prefs/firststart.h"
#include "prefs/formations.h"
#include "prefs/settingsstore.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kinetra {

namespace {

constexpr int kColorMax = 0xFFFFFF;

QString blankNumber(int k)
{
    return " " + QString::number(k + 1);
}

const char *const kSide[2] = {"OP", "DP"};

} // namespace

QString storeText(int value)
{
    return QString::number(value);
}

QString storeText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

int storeInt(const QString &text, int low, int high, int fallback)
{
    const QByteArray bytes = text.trimmed().toLatin1();
    const char *begin = bytes.constData();
    const char *end = begin + bytes.size();
    if (begin != end && *begin == '+')
        ++begin;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (bytes.isEmpty() || ec != std::errc() || ptr != end || !std::isfinite(value))
        return fallback;
    try {
        const int32_t whole = toInt32(value);
        return whole >= low && whole <= high ? whole : fallback;
    } catch (...) {
        return fallback;
    }
}

bool storeBool(const QString &text, bool fallback)
{
    const QString t = text.trimmed();
    if (t.compare("True", Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare("False", Qt::CaseInsensitive) == 0)
        return false;
    constexpr int kMax = std::numeric_limits<int>::max();
    const int sentinel = std::numeric_limits<int>::min();
    const int number = storeInt(t, sentinel + 1, kMax, sentinel);
    return number == sentinel ? fallback : number != 0;
}

void fillBuiltInLabelSets(Preferences &prefs)
{
    static const char *const hardball[10] = {"P", "C", "1B", "2B", "3B", "SS", "RF", "CF", "LF", "Sp"};
    static const char *const softball[10] = {"P", "C", "1B", "2B", "3B", "SS", "RF", "RCF", "LCF", "LF"};
    for (int k = 0; k < 10; ++k) {
        prefs.OPDef[0][k] = prefs.OPDef[1][k] = "B" + std::to_string(k + 1);
        prefs.DPDef[0][k] = hardball[k];
        prefs.DPDef[1][k] = softball[k];
    }
}

void loadPreferences(const SettingsStore &userStore, Preferences &p, const QString &programDir)
{
    // A key the user's store lacks takes its first-start value where a first start sets one;
    // so does a stored value that cannot be used.
    const WithFirstStart store(userStore);
    auto text = [&](const char *section, const QString &key, const QString &def) {
        return store.read(section, key, def).toStdString();
    };
    auto integer = [&](const char *section, const QString &key, int low, int high, int def) {
        const int fallback = storeInt(store.fallback(section, key, QString::number(def)), low,
                                      high, def);
        return storeInt(store.read(section, key, QString::number(fallback)), low, high, fallback);
    };
    auto flag = [&](const char *section, const QString &key) {
        return storeBool(store.read(section, key, "False"), false);
    };

    p.Picbkg = int16_t(integer("Settings", "Picbkg", 0, 3, 0));
    for (int i = 0; i < 4; ++i)
        p.PicFile[i] = text("Settings", QString("PicFile%1").arg(i),
                            programDir + QString("/Surface%1.BMP").arg(i));
    p.FontName = text("Settings", "FontName", "");
    p.FontSize = int16_t(integer("Settings", "FontSize", 1, 2048, 8));
    p.FontBold = flag("Settings", "FontBold");
    p.FontItalic = flag("Settings", "FontItalic");
    p.FontStrikethrough = flag("Settings", "FontStrikethrough");
    p.FontUnderline = flag("Settings", "FontUnderline");
    p.Fontcolor = integer("Settings", "Fontcolor", 0, kColorMax, 0);

    for (int i = 0; i < 8; ++i)
        p.SymbolFile[i] = text("Symbol", QString("File%1").arg(i + 1),
                               programDir + QString("/Sym%1.bmp").arg(i + 1));

    for (int n = 0; n < 8; ++n) {
        p.ActionLabel[n] = text("Action", QString("Label%1").arg(n), QString("Act%1").arg(n));
        p.ActionType[n] = int16_t(integer("Action", QString("Type%1").arg(n), 1, 5, 1));
        p.ActionSize[n] = int16_t(integer("Action", QString("Size%1").arg(n), 1, 6, 1));
        p.ActionColor[n] = integer("Action", QString("Color%1").arg(n), 0, kColorMax, 0);
        p.ActionEndType[n] = int16_t(integer("Action", QString("EndType%1").arg(n), 0, 2, 0));
        const QString follows = QString("FollowsBases%1").arg(n);
        p.ActionFollowsBases[n] = storeBool(store.read("Action", follows, "False"),
                                            storeBool(store.fallback("Action", follows, "False"),
                                                      false));
    }

    const int fillDefault[2] = {16777215, 16711680};
    for (int s = 0; s < 2; ++s) {
        const QString prefix = kSide[s];
        p.PlayerSize[s] = int16_t(integer("Player", prefix + "Size", 1, 100, 15));
        const int shape = integer("Player", prefix + "Shape", 1, 3, 3);
        p.PlayerShape[s] = int16_t(shape == 1 ? 1 : 3); // only squares (1) and circles (3)
        p.PlayerBcolr[s] = integer("Player", prefix + "Bcolr", 0, kColorMax, 0);
        p.PlayerFcolr[s] = integer("Player", prefix + "Fcolr", 0, kColorMax, fillDefault[s]);
        p.PlayerTcolr[s] = integer("Player", prefix + "Tcolr", 0, kColorMax, 0);
    }

    for (int k = 0; k < 10; ++k) {
        p.OPLabel[k] = text("PLAYER", QString("OPLabel%1").arg(k), blankNumber(k));
        p.DPLabel[k] = text("PLAYER", QString("DPLabel%1").arg(k), blankNumber(k));
    }

    fillBuiltInLabelSets(p);

    for (int s = 2; s < kLabelSets; ++s)
        for (int k = 0; k < 10; ++k) {
            p.OPDef[s][k] = text("PLAYER", QString("OPDef%1Lab%2").arg(s).arg(k), blankNumber(k));
            p.DPDef[s][k] = text("PLAYER", QString("DPDef%1Lab%2").arg(s).arg(k), blankNumber(k));
        }

    loadFormations(store, p);
}

void savePreferences(SettingsStore &store, const Preferences &p)
{
    auto put = [&](const char *section, const QString &key, const QString &value) {
        store.write(section, key, value);
    };
    auto str = [](const std::string &s) { return QString::fromStdString(s); };

    put("Settings", "Picbkg", storeText(int(p.Picbkg)));
    for (int i = 0; i < 4; ++i)
        put("Settings", QString("PicFile%1").arg(i), str(p.PicFile[i]));
    put("Settings", "FontName", str(p.FontName));
    put("Settings", "FontSize", storeText(int(p.FontSize)));
    put("Settings", "FontBold", storeText(p.FontBold));
    put("Settings", "FontItalic", storeText(p.FontItalic));
    put("Settings", "FontStrikethrough", storeText(p.FontStrikethrough));
    put("Settings", "FontUnderline", storeText(p.FontUnderline));
    put("Settings", "Fontcolor", storeText(int(p.Fontcolor)));

    for (int i = 0; i < 8; ++i)
        put("Symbol", QString("File%1").arg(i + 1), str(p.SymbolFile[i]));

    for (int n = 0; n < 8; ++n) {
        put("Action", QString("Label%1").arg(n), str(p.ActionLabel[n]));
        put("Action", QString("Type%1").arg(n), storeText(int(p.ActionType[n])));
        put("Action", QString("Size%1").arg(n), storeText(int(p.ActionSize[n])));
        put("Action", QString("Color%1").arg(n), storeText(int(p.ActionColor[n])));
        put("Action", QString("EndType%1").arg(n), storeText(int(p.ActionEndType[n])));
        put("Action", QString("FollowsBases%1").arg(n), storeText(p.ActionFollowsBases[n]));
    }

    put("PLAYER", "OPSize", storeText(int(p.PlayerSize[0])));
    put("PLAYER", "DPSize", storeText(int(p.PlayerSize[1])));
    put("PLAYER", "OPShape", storeText(int(p.PlayerShape[0])));
    put("PLAYER", "DPShape", storeText(int(p.PlayerShape[1])));
    put("PLAYER", "OPBcolr", storeText(int(p.PlayerBcolr[0])));
    put("PLAYER", "DPBcolr", storeText(int(p.PlayerBcolr[1])));
    put("PLAYER", "OPFcolr", storeText(int(p.PlayerFcolr[0])));
    put("PLAYER", "DPFcolr", storeText(int(p.PlayerFcolr[1])));
    put("PLAYER", "OPTcolr", storeText(int(p.PlayerTcolr[0])));
    put("PLAYER", "DPTcolr", storeText(int(p.PlayerTcolr[1])));

    for (int k = 0; k < 10; ++k) {
        put("PLAYER", QString("OPLabel%1").arg(k), str(p.OPLabel[k]));
        put("PLAYER", QString("DPLabel%1").arg(k), str(p.DPLabel[k]));
    }

    for (int s = 2; s < kLabelSets; ++s)
        for (int k = 0; k < 10; ++k) {
            put("PLAYER", QString("OPDef%1Lab%2").arg(s).arg(k), str(p.OPDef[s][k]));
            put("PLAYER", QString("DPDef%1Lab%2").arg(s).arg(k), str(p.DPDef[s][k]));
        }

    saveFormations(store, p);
    store.sync();
}

} // namespace kinetra
