#pragma once

#include "prefs/preferences.h"

#include <array>
#include <string>

namespace kinetra {

// The player label sets of the preference record: 0 hardball, 1 softball, 2..5 the user's own.

/// Keeps `offence` and `defence` as the user's label set `index` (2..5); any other index
/// changes nothing. Returns whether the set was kept.
bool saveLabelSet(Preferences &prefs, int index, const std::array<std::string, 10> &offence,
                  const std::array<std::string, 10> &defence);

/// Makes label set `index` (0..5) the players' labels; any other index changes nothing.
/// Returns whether the labels were set.
bool selectLabelSet(Preferences &prefs, int index);

} // namespace kinetra
