#pragma once

#include "prefs/preferences.h"

#include <string>

namespace kinetra {

class SettingsStore;
class PlayConfig;

// The formation table of the preference record, numbered 1..FormationCount as its menus
// are. Slots 1..10 of a formation are offensive players 0..9, slots 11..20 the defensive ones;
// a slot holding 0 is a player off the surface.

/// Reads section "Formations": "Count", then "Name"+f and "PlyX"+f+j / "PlyY"+f+j for each
/// formation f. A count above the table's size loads the first ten; a negative or unreadable
/// one loads none. Missing keys read as empty names and 0. The applied formation becomes none.
void loadFormations(const SettingsStore &store, Preferences &prefs);

/// Writes "Count" and formations 1..FormationCount under the keys loadFormations reads; keys of
/// higher numbers are left as they are.
void saveFormations(SettingsStore &store, const Preferences &prefs);

/// Whether another formation fits in the table.
bool formationRoomLeft(const Preferences &prefs);

/// Appends a formation named `name` with the 20 player positions of `frame`, each rounded half
/// to even; returns its number. Throws Overflow (6) for a position outside the 16-bit range,
/// leaving the table unchanged. The table must have room (formationRoomLeft).
int16_t saveFormation(Preferences &prefs, const std::string &name, const PlayConfig &frame);

/// Overwrites all 20 player positions of `frame` with formation `number` and makes it the
/// applied one. Throws Subscript out of range (9) for a number that names no formation.
void applyFormation(Preferences &prefs, int16_t number, PlayConfig &frame);

/// Removes formation `number`; the ones after it move down by one. The applied formation keeps
/// naming the same one (none when it is the removed one). Throws Subscript out of range (9)
/// for a number that names no formation.
void deleteFormation(Preferences &prefs, int16_t number);

} // namespace kinetra
