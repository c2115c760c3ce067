#pragma once

#include "model/playfile.h"
#include "prefs/preferences.h"

namespace kinetra {

/// The looks a new play starts with, and an opened play starts from before its file's own:
/// the user's field picture, action-line looks and player labels.
PlayLooks defaultPlayLooks(const Preferences &prefs);

/// Makes a play's looks the user's current ones, as opening or changing a play does.
void takePlayLooks(Preferences &prefs, const PlayLooks &looks);

} // namespace kinetra
