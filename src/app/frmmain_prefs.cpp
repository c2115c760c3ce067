// The main window's Properties command, and the Formations and Player Labels menus wired to
// the class that runs them.

#include "app/frmmain.h"

#include "app/formationmenus.h"
#include "prefs/playlooks.h"
#include "prefs/preferences.h"
#include "windows/frmoptions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

namespace kinetra {

void frmMain::connectPreferenceCommands()
{
    onCommand("mnuOPreferences", [this] { mnuOPreferences_Click(); });
    m_formations = new FormationMenus(m_prefs, m_store, m_document, m_platform,
                                      menuBar()->findChild<QMenu *>("mnuFormations"), this);
    connect(m_formations, &FormationMenus::formationApplied, this, &frmMain::DrawSelected);
    FormationMenus *menus = m_formations;
    onCommand("mnuFormSave", [menus] { menus->MnuFormSave_Click(); });
    for (int16_t f = 1; f <= kMaxFormations; ++f) {
        onCommand(QString("MnuFormValue%1").arg(f), [menus, f] { menus->MnuFormValue_Click(f); });
        onCommand(QString("MnuFormDel%1").arg(f), [menus, f] { menus->MnuFormDel_Click(f); });
    }
    // The menu's "User Set1" .. "User Set4" are label sets 2..5.
    for (int16_t s = 0; s < kLabelSets; ++s) {
        if (s >= 2)
            onCommand(QString("mnuLabSave%1").arg(s - 1),
                      [menus, s] { menus->MnuPlabSaveSet_Click(s); });
        onCommand(QString("mnuLabSelect%1").arg(s), [menus, s] { menus->MnuPlabSel_Click(s); });
    }
}

void frmMain::mnuOPreferences_Click()
{
    {
        frmOptions dialog(m_prefs, m_platform, m_programDir, this);
        dialog.exec();
    }
    // The dialog wrote into the user's record, and OK and Cancel alike keep what it wrote;
    // what it changed of the play's looks is one step.
    m_document.setLooks(defaultPlayLooks(m_prefs));
    m_document.recordEdit("Properties");
    SetupForm();
    SelectFrame(int16_t(m_sbar->value()));
}

} // namespace kinetra
