#pragma once

#include "prefs/preferences.h"

#include <QString>

namespace kinetra {

class SettingsStore;

/// Fills `prefs` from the store, every key with its default when absent, not a number or out of
/// its range; the built-in hardball and softball label sets are filled from the program. The
/// default of a key a first start sets (action-line types, current labels, the defence's label
/// colour, formations) is its first-start value (see FirstStartSettings).
/// `programDir` is the folder of the picture defaults. The formation table is read too (see
/// loadFormations); recent files are read by their own code.
void loadPreferences(const SettingsStore &store, Preferences &prefs, const QString &programDir);

/// Writes every preference key back, formations last; the built-in label sets are never
/// written.
void savePreferences(SettingsStore &store, const Preferences &prefs);

/// The built-in label sets 0 (hardball) and 1 (softball).
void fillBuiltInLabelSets(Preferences &prefs);

/// Text conversions of the store: decimal integers, True/False booleans.
QString storeText(int value);
QString storeText(bool value);
/// Integer from store text within [low, high], else `fallback`. Accepts any decimal number
/// text and rounds it half to even.
int storeInt(const QString &text, int low, int high, int fallback);
/// Boolean from "True"/"False" (any case) or a number (non-zero is true), else `fallback`.
bool storeBool(const QString &text, bool fallback);

} // namespace kinetra
