#pragma once

namespace kinetra {

class SettingsStore;

/// Whether the Video Control window opens with "Smooth" ticked: key "Smooth" of section
/// "Video", "1" or "0". A store without the key, or with anything else in it, gives off.
bool readSmoothPlayback(const SettingsStore &store);
/// Keeps the user's "Smooth" for the next opening, in this run and the next.
void writeSmoothPlayback(SettingsStore &store, bool smooth);

} // namespace kinetra
