#include "prefs/formations.h"

#include "model/playconfig.h"
#include "model/rounding.h"
#include "model/runtimeerror.h"
#include "prefs/preferencestore.h"
#include "prefs/settingsstore.h"

#include <QString>

#include <algorithm>

namespace kinetra {

namespace {

constexpr int kSlots = 20;
constexpr const char *kSection = "Formations";

// Table row of formation `number`, after checking that the formation exists.
size_t row(const Preferences &prefs, int16_t number)
{
    if (number < 1 || number > prefs.FormationCount)
        throw RuntimeError(ErrorCode::SubscriptOutOfRange);
    return size_t(number - 1);
}

QString slotKey(const char *axis, int formation, int slot)
{
    return QString("Ply%1%2%3").arg(axis).arg(formation).arg(slot);
}

} // namespace

void loadFormations(const SettingsStore &store, Preferences &prefs)
{
    // The table holds ten: a larger stored count must not reach past it.
    const int count = storeInt(store.read(kSection, "Count", "0"), -32768, 32767, 0);
    prefs.FormationCount = int16_t(std::clamp(count, 0, kMaxFormations));
    for (int f = 1; f <= prefs.FormationCount; ++f) {
        const size_t r = size_t(f - 1);
        prefs.FormationName[r] = store.read(kSection, QString("Name%1").arg(f), "").toStdString();
        for (int j = 1; j <= kSlots; ++j) {
            prefs.FormationX[r][size_t(j - 1)] =
                int16_t(storeInt(store.read(kSection, slotKey("X", f, j), "0"), -32768, 32767, 0));
            prefs.FormationY[r][size_t(j - 1)] =
                int16_t(storeInt(store.read(kSection, slotKey("Y", f, j), "0"), -32768, 32767, 0));
        }
    }
    prefs.SelectedFormation = 0;
}

void saveFormations(SettingsStore &store, const Preferences &prefs)
{
    const int count = std::clamp<int>(prefs.FormationCount, 0, kMaxFormations);
    store.write(kSection, "Count", storeText(count));
    for (int f = 1; f <= count; ++f) {
        const size_t r = size_t(f - 1);
        store.write(kSection, QString("Name%1").arg(f),
                    QString::fromStdString(prefs.FormationName[r]));
        for (int j = 1; j <= kSlots; ++j) {
            store.write(kSection, slotKey("X", f, j), storeText(int(prefs.FormationX[r][size_t(j - 1)])));
            store.write(kSection, slotKey("Y", f, j), storeText(int(prefs.FormationY[r][size_t(j - 1)])));
        }
    }
}

bool formationRoomLeft(const Preferences &prefs)
{
    return prefs.FormationCount < kMaxFormations;
}

int16_t saveFormation(Preferences &prefs, const std::string &name, const PlayConfig &frame)
{
    if (!formationRoomLeft(prefs))
        throw RuntimeError(ErrorCode::SubscriptOutOfRange);
    // Round every position first, so an overflow leaves the table as it was.
    std::array<int16_t, kSlots> x{}, y{};
    for (size_t p = 0; p < kPlayersPerSide; ++p) {
        x[p] = toInt16(frame.OPlayerX[p]);
        y[p] = toInt16(frame.OPlayerY[p]);
        x[p + 10] = toInt16(frame.DPlayerX[p]);
        y[p + 10] = toInt16(frame.DPlayerY[p]);
    }
    const int16_t number = int16_t(prefs.FormationCount + 1);
    const size_t r = size_t(number - 1);
    prefs.FormationName[r] = name;
    prefs.FormationX[r] = x;
    prefs.FormationY[r] = y;
    prefs.FormationCount = number;
    return number;
}

void applyFormation(Preferences &prefs, int16_t number, PlayConfig &frame)
{
    const size_t r = row(prefs, number);
    for (size_t p = 0; p < kPlayersPerSide; ++p) {
        frame.OPlayerX[p] = prefs.FormationX[r][p];
        frame.OPlayerY[p] = prefs.FormationY[r][p];
        frame.DPlayerX[p] = prefs.FormationX[r][p + 10];
        frame.DPlayerY[p] = prefs.FormationY[r][p + 10];
    }
    prefs.SelectedFormation = number;
}

void deleteFormation(Preferences &prefs, int16_t number)
{
    for (size_t r = row(prefs, number); r + 1 < size_t(prefs.FormationCount); ++r) {
        prefs.FormationName[r] = prefs.FormationName[r + 1];
        prefs.FormationX[r] = prefs.FormationX[r + 1];
        prefs.FormationY[r] = prefs.FormationY[r + 1];
    }
    const size_t last = size_t(prefs.FormationCount - 1);
    prefs.FormationName[last].clear();
    prefs.FormationX[last] = {};
    prefs.FormationY[last] = {};
    if (prefs.SelectedFormation == number)
        prefs.SelectedFormation = 0;
    else if (number < prefs.SelectedFormation)
        --prefs.SelectedFormation;
    --prefs.FormationCount;
}

} // namespace kinetra
