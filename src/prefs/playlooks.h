#pragma once

#include "model/playfile.h"
#include "prefs/preferences.h"

namespace kinetra {

/// Takes over what an opened play carries into the preference record: its field picture choice
/// (anything outside 0..3 becomes 0, as the window has four field pictures), the action-line
/// looks read whole or in part, and the player labels of the label lines read.
void applyPlayLooks(Preferences &prefs, const PlayReadResult &read);

/// The action-line looks of the preference record, as a play file carries them.
ActionLooks actionLooks(const Preferences &prefs);

/// The player labels of the preference record, as a play file carries them.
PlayerLabels playerLabels(const Preferences &prefs);

/// Which labels a save changed: see matchSavedLabels.
struct SavedLabelChanges
{
    bool players = false;
    bool actions = false;
};

/// Turns the player and action-line labels into what a saved play file holds of them (see
/// textAsSaved), so that opening the file gives the same; says which of them changed.
SavedLabelChanges matchSavedLabels(Preferences &prefs);

} // namespace kinetra
