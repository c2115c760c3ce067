#pragma once

#include <vector>

namespace kinetra {

/// One button of the main window's toolbar: its key (the button's object name), its tip, and
/// the menu item it runs; no menu item for the keys with code of their own (Delete, FBack,
/// FForward, Play).
struct ToolbarKey
{
    const char *key;
    const char *tip;
    const char *menuItem;
};

/// The toolbar's buttons in the order they stand; an empty key is a separator between groups.
const std::vector<ToolbarKey> &toolbarKeys();

} // namespace kinetra
