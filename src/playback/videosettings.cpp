#include "playback/videosettings.h"

#include "prefs/preferencestore.h"
#include "prefs/settingsstore.h"

namespace kinetra {

namespace {

const char *const kSection = "Video";
const char *const kSmooth = "Smooth";

} // namespace

bool readSmoothPlayback(const SettingsStore &store)
{
    return storeInt(store.read(kSection, kSmooth, "0"), 0, 1, 0) == 1;
}

void writeSmoothPlayback(SettingsStore &store, bool smooth)
{
    store.write(kSection, kSmooth, smooth ? "1" : "0");
}

} // namespace kinetra
