#pragma once

#include <QObject>

#include <cstdint>

class QAction;
class QMenu;

namespace kinetra {

class Platform;
class PlayDocument;
class SettingsStore;
struct Preferences;

/// The Formations menu and the Player Labels menu: formations saved from, applied to and
/// deleted for the play's current frame, and label sets saved from and shown in the palette's
/// label boxes. The formation table lives in the preference record and reaches the store as
/// soon as it changes.
class FormationMenus : public QObject
{
    Q_OBJECT

public:
    /// `formations` is the Formations menu holding the items "MnuFormValue1".."10" and
    /// "MnuFormDel1".."10" in its submenus "mnuFormSelect" and "mnuFormDelete".
    FormationMenus(Preferences &prefs, SettingsStore &store, PlayDocument &document,
                   Platform &platform, QMenu *formations,
                   QObject *parent = nullptr);

    /// Saves the current frame's players as a new formation named through an input box.
    void MnuFormSave_Click();
    /// Applies formation Index (1..10) to the current frame, one undoable step.
    void MnuFormValue_Click(int16_t Index);
    /// Deletes formation Index (1..10) after asking.
    void MnuFormDel_Click(int16_t Index);
    /// Saves the play's player labels as label set Index (2..5).
    void MnuPlabSaveSet_Click(int16_t Index);
    /// Makes label set Index (0..5) the play's player labels, one undoable step.
    void MnuPlabSel_Click(int16_t Index);
    /// Shows the formation table in the Formations menu: one item per formation in both
    /// submenus, the submenus enabled while a formation exists. Check marks stay as they are.
    void showFormationMenus();

signals:
    /// A formation moved the current frame's players and the step is recorded: the frame
    /// wants drawing again.
    void formationApplied();

private:
    QAction *item(const char *family, int f) const;

    Preferences &m_prefs;
    SettingsStore &m_store;
    PlayDocument &m_document;
    Platform &m_platform;
    QMenu *m_menu;
};

} // namespace kinetra
