// The main window's Properties command, the Formations menu and the Player Labels menu.

#include "app/frmmain.h"

#include "app/reporterror.h"
#include "prefs/formations.h"
#include "prefs/settingsstore.h"
#include "surface/labelbox.h"
#include "surface/platform.h"
#include "surface/toolpalette.h"
#include "windows/frmoptions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

namespace kinetra {

namespace {
const QString kTitle = "Kinetra";
} // namespace

void frmMain::connectPreferenceCommands()
{
    onCommand("mnuOPreferences", [this] { mnuOPreferences_Click(); });
    onCommand("mnuFormSave", [this] { MnuFormSave_Click(); });
    for (int16_t f = 1; f <= kMaxFormations; ++f) {
        onCommand(QString("MnuFormValue%1").arg(f), [this, f] { MnuFormValue_Click(f); });
        onCommand(QString("MnuFormDel%1").arg(f), [this, f] { MnuFormDel_Click(f); });
        menuItem(QString("MnuFormValue%1").arg(f))->setCheckable(true);
    }
    // The menu's "User Set1" .. "User Set4" are label sets 2..5.
    for (int16_t s = 2; s < kLabelSets; ++s)
        onCommand(QString("mnuLabSave%1").arg(s - 1), [this, s] { MnuPlabSaveSet_Click(s); });
    for (int16_t s = 0; s < kLabelSets; ++s)
        onCommand(QString("mnuLabSelect%1").arg(s), [this, s] { MnuPlabSel_Click(s); });
}

void frmMain::mnuOPreferences_Click()
{
    int result = QDialog::Rejected;
    {
        frmOptions dialog(Prefs, m_platform, m_programDir, this);
        result = dialog.exec();
    }
    if (result == QDialog::Accepted)
        m_document.markChanged();
    SetupForm();
    SelectFrame(int16_t(SBar->value()));
}

void frmMain::showFormationMenus()
{
    const int count = std::clamp<int>(Prefs.FormationCount, 0, kMaxFormations);
    for (int f = 1; f <= kMaxFormations; ++f) {
        const QString caption = f <= count ? QString::fromStdString(Prefs.FormationName[size_t(f - 1)])
                                           : QString();
        for (const char *family : {"MnuFormValue%1", "MnuFormDel%1"}) {
            QAction *item = menuItem(QString(family).arg(f));
            // An "&" in a name is shown as typed, not taken as the item's access key.
            item->setText(QString(caption).replace("&", "&&"));
            item->setVisible(f <= count);
        }
    }
    for (const char *submenu : {"mnuFormDelete", "mnuFormSelect"})
        if (auto *menu = menuBar()->findChild<QMenu *>(submenu))
            menu->setEnabled(count > 0);
}

void frmMain::storeFormations()
{
    saveFormations(m_store, Prefs);
    m_store.sync();
}

void frmMain::MnuFormSave_Click()
{
    if (!formationRoomLeft(Prefs)) {
        m_platform.beep();
        m_platform.messageBox("ERR : Maximum of 10 Formations allowed.\r\n"
                              "You must delete one to make room.",
                              kTitle, Platform::Buttons::Ok, Platform::Icon::None);
        return;
    }
    const std::optional<QString> name = m_platform.inputBox("Formation Name:", "New Formation", "New");
    if (!name || name->isEmpty())
        return;
    try {
        saveFormation(Prefs, name->toStdString(), m_document.frames().currentFrame());
    } catch (...) {
        ReportError("Saving Formation");
        return;
    }
    showFormationMenus();
    storeFormations();
}

void frmMain::MnuFormValue_Click(int16_t Index)
{
    try {
        applyFormation(Prefs, Index, m_document.frames().currentFrame());
    } catch (...) {
        ReportError("Selecting Formation");
        return;
    }
    for (int f = 1; f <= kMaxFormations; ++f)
        menuItem(QString("MnuFormValue%1").arg(f))->setChecked(f == Index);
    // The frame's players moved: the play has changed and must not be dropped unasked.
    m_document.markChanged();
    DrawSelected();
    m_document.recordEdit("Apply Formation");
}

void frmMain::MnuFormDel_Click(int16_t Index)
{
    const Platform::Answer answer =
        m_platform.messageBox("Are you sure you want to delete this formation?", kTitle,
                              Platform::Buttons::YesNo, Platform::Icon::Question);
    if (answer != Platform::Answer::Yes)
        return;
    try {
        deleteFormation(Prefs, Index);
    } catch (...) {
        ReportError("Deleting Formation");
        return;
    }
    showFormationMenus();
    // After a deletion no item shows the check mark, though the applied one is remembered.
    for (int f = 1; f <= kMaxFormations; ++f)
        menuItem(QString("MnuFormValue%1").arg(f))->setChecked(false);
    storeFormations();
}

void frmMain::MnuPlabSaveSet_Click(int16_t Index)
{
    if (Index < 2 || Index >= kLabelSets)
        return;
    for (size_t k = 0; k < 10; ++k) {
        Prefs.OPDef[size_t(Index)][k] = palette->TxtOplyr[k]->text().toStdString();
        Prefs.DPDef[size_t(Index)][k] = palette->TxtDplyr[k]->text().toStdString();
    }
    m_document.markChanged();
    m_platform.processEvents();
}

void frmMain::MnuPlabSel_Click(int16_t Index)
{
    if (Index < 0 || Index >= kLabelSets)
        return;
    const auto &offence = Prefs.OPDef[size_t(Index)];
    const auto &defence = Prefs.DPDef[size_t(Index)];
    for (size_t k = 0; k < 10; ++k) {
        // A box whose text changes stores the label and redraws through its own handler.
        palette->TxtOplyr[k]->setText(QString::fromStdString(offence[k]));
        palette->TxtDplyr[k]->setText(QString::fromStdString(defence[k]));
        Prefs.OPLabel[k] = offence[k];
        Prefs.DPLabel[k] = defence[k];
    }
    m_document.markChanged();
    m_platform.processEvents();
}

} // namespace kinetra
