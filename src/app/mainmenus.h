#pragma once

class QMenuBar;

namespace kinetra {

/// Fills the menu bar with the main window's menus and items, named as the window wires them
/// (File "mnuFileNew" .., Edit, View, Formations, Player Labels, Properties, Help); the
/// Toolbar and Status Bar items start ticked, Export Size at 2x.
void buildMainMenus(QMenuBar *bar);

} // namespace kinetra
