#include "app/toolbarkeys.h"

namespace kinetra {

const std::vector<ToolbarKey> &toolbarKeys()
{
    static const std::vector<ToolbarKey> keys = {
        {"New", "New play", "mnuFileNew"},
        {"Open", "Open play", "mnuFileOpen"},
        {"Save", "Save play", "mnuFileSave"},
        {"Print", "Print", "mnuFilePrint"},
        {"", "", ""},
        {"Undo", "Undo", "mnuEUndo"},
        {"Redo", "Redo", "mnuERedo"},
        {"", "", ""},
        {"InsertB", "Insert Frame Before", "mnuIBefore"},
        {"InsertA", "Insert Frame After", "mnuIAfter"},
        {"InsertC", "Insert Blank Frame", "mnuIBlank"},
        {"InsertProg", "Insert Progressive Frames", "mnuIProgressive"},
        {"InsertNext", "Insert Next Moment", "mnuINextMoment"},
        {"FMove", "Move Objects around field surface.", "mnuEMove"},
        {"Delete", "Delete Frame", ""},
        {"", "", ""},
        {"Notes", "Notes", "mnuViewNotes"},
        {"", "", ""},
        {"FBack", "Back one Frame", ""},
        {"FForward", "Forward one Frame", ""},
        {"Play", "Review Play", ""},
        {"", "", ""},
        {"Properties", "Properties", "mnuOPreferences"},
        {"Help", "Help", "mnuHelpContents"},
        {"About", "About Kinetra", "mnuHelpAbout"},
    };
    return keys;
}

} // namespace kinetra
