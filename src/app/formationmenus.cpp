#include "app/formationmenus.h"

#include "app/reporterror.h"
#include "document/playdocument.h"
#include "prefs/formations.h"
#include "prefs/labelsets.h"
#include "prefs/settingsstore.h"
#include "surface/platform.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace kinetra {

namespace {
const QString kTitle = "Kinetra";
} // namespace

FormationMenus::FormationMenus(Preferences &prefs, SettingsStore &store, PlayDocument &document,
                               Platform &platform, QMenu *formations,
                               QObject *parent)
    : QObject(parent)
    , m_prefs(prefs)
    , m_store(store)
    , m_document(document)
    , m_platform(platform)
    , m_menu(formations)
{
    for (int f = 1; f <= kMaxFormations; ++f)
        item("MnuFormValue%1", f)->setCheckable(true);
}

QAction *FormationMenus::item(const char *family, int f) const
{
    return m_menu->findChild<QAction *>(QString(family).arg(f));
}

void FormationMenus::showFormationMenus()
{
    const int count = std::clamp<int>(m_prefs.FormationCount, 0, kMaxFormations);
    for (int f = 1; f <= kMaxFormations; ++f) {
        const QString caption =
            f <= count ? QString::fromStdString(m_prefs.FormationName[size_t(f - 1)]) : QString();
        for (const char *family : {"MnuFormValue%1", "MnuFormDel%1"}) {
            QAction *action = item(family, f);
            // An "&" in a name is shown as typed, not taken as the item's access key.
            action->setText(QString(caption).replace("&", "&&"));
            action->setVisible(f <= count);
        }
    }
    for (const char *submenu : {"mnuFormDelete", "mnuFormSelect"})
        if (auto *menu = m_menu->findChild<QMenu *>(submenu))
            menu->setEnabled(count > 0);
}

void FormationMenus::MnuFormSave_Click()
{
    if (!formationRoomLeft(m_prefs)) {
        m_platform.beep();
        m_platform.messageBox("ERR : Maximum of 10 Formations allowed.\r\n"
                              "You must delete one to make room.",
                              kTitle, Platform::Buttons::Ok, Platform::Icon::None);
        return;
    }
    const std::optional<QString> name =
        m_platform.inputBox("Formation Name:", "New Formation", "New");
    if (!name || name->isEmpty())
        return;
    try {
        saveFormation(m_prefs, name->toStdString(), m_document.frames().currentFrame());
    } catch (...) {
        ReportError("Saving Formation");
        return;
    }
    showFormationMenus();
    // At once, so a crash loses no saved formation.
    saveFormations(m_store, m_prefs);
    m_store.sync();
}

void FormationMenus::MnuFormValue_Click(int16_t Index)
{
    try {
        applyFormation(m_prefs, Index, m_document.frames().currentFrame());
    } catch (...) {
        ReportError("Selecting Formation");
        return;
    }
    for (int f = 1; f <= kMaxFormations; ++f)
        item("MnuFormValue%1", f)->setChecked(f == Index);
    // The frame's players moved: the play has changed and must not be dropped unasked.
    m_document.markChanged();
    m_document.recordEdit("Apply Formation");
    emit formationApplied();
}

void FormationMenus::MnuFormDel_Click(int16_t Index)
{
    const Platform::Answer answer =
        m_platform.messageBox("Are you sure you want to delete this formation?", kTitle,
                              Platform::Buttons::YesNo, Platform::Icon::Question);
    if (answer != Platform::Answer::Yes)
        return;
    try {
        deleteFormation(m_prefs, Index);
    } catch (...) {
        ReportError("Deleting Formation");
        return;
    }
    showFormationMenus();
    // After a deletion no item shows the check mark, though the applied one is remembered.
    for (int f = 1; f <= kMaxFormations; ++f)
        item("MnuFormValue%1", f)->setChecked(false);
    saveFormations(m_store, m_prefs);
    m_store.sync();
}

void FormationMenus::MnuPlabSaveSet_Click(int16_t Index)
{
    const PlayerLabels &labels = m_document.looks().labels;
    if (!saveLabelSet(m_prefs, Index, labels.offense, labels.defense))
        return;
    m_document.markChanged();
    m_platform.processEvents();
}

void FormationMenus::MnuPlabSel_Click(int16_t Index)
{
    if (Index < 0 || Index >= kLabelSets)
        return;
    // The play takes the set as one step; the window shows it.
    PlayLooks looks = m_document.looks();
    looks.labels = {m_prefs.OPDef[size_t(Index)], m_prefs.DPDef[size_t(Index)]};
    m_document.setLooks(looks);
    m_document.recordEdit("Properties");
    m_platform.processEvents();
}

} // namespace kinetra
