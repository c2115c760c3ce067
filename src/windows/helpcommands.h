#pragma once

#include "surface/platform.h"

#include <QIcon>
#include <QObject>
#include <QPointer>

class QWidget;

namespace kinetra {

class SettingsStore;
class frmTip;

/// The Help menu's commands for one window: the help viewer at its contents page or its
/// keyword index, the one Tip of the Day window, and the About box.
class HelpCommands : public QObject
{
    Q_OBJECT

public:
    /// `owner` is the window the tip window and the About box belong to; the tips come from
    /// the program folder's TIPOFDAY.TXT and the About box shows `icon`.
    HelpCommands(Platform &platform, SettingsStore &store, const QString &programDir,
                 const QIcon &icon, QWidget *owner);

    /// The help file's full path; empty when the program has no help.
    QString helpFile() const { return m_helpFile; }
    void setHelpFile(const QString &file) { m_helpFile = file; }

    /// Opens the help viewer at its contents page (Contents) or its keyword index (Search).
    /// Without a help file, or when the viewer cannot show it, a message says why.
    void showHelp(Platform::HelpCommand command);
    /// Shows the one Tip of the Day window, or brings it forward. Closing it ends it; the
    /// next call reads the tip file again.
    void showTips();
    /// The Tip of the Day window, or null while none is open.
    frmTip *tipWindow() const;
    /// The modal About box.
    void showAbout();

private:
    Platform &m_platform;
    SettingsStore &m_store;
    QString m_programDir;
    QIcon m_icon;
    QWidget *m_owner;
    QString m_helpFile;
    QPointer<frmTip> m_tip;
};

} // namespace kinetra
