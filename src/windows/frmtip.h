#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace kinetra {

class SettingsStore;

/// The "Tip of the Day" window: a random line of the program folder's TIPOFDAY.TXT, the next
/// tip on request, and the "Show Tips at Startup" option, stored the moment it changes.
/// Not modal; the main window keeps one and brings it forward when it is asked for again.
class frmTip : public QDialog
{
    Q_OBJECT

public:
    /// A number in [0, 1), uniform; every tip is chosen through it.
    using Random = std::function<double()>;

    /// Loads the tips from `tipFile` (usually the program folder's TIPOFDAY.TXT).
    frmTip(SettingsStore &store, const QString &tipFile, Random random,
           QWidget *parent = nullptr);

    static constexpr const char *kSection = "Options";
    static constexpr const char *kKey = "Show Tips at Startup";

    /// Whether start-up shows the window: only a stored value of exactly 1 (the default)
    /// does; a value that is not a number counts as missing.
    static bool ShowAtStartup(const SettingsStore &store);

    /// Reads one tip per line (empty lines too); false when the name is empty or no such
    /// file exists. A file that was read shows a random tip at once.
    bool LoadTips(const QString &file);
    /// Shows tip TipIndex, if there is any tip.
    void DisplayCurrentTip();
    /// Chooses a random tip (every one equally likely) and shows it.
    void PickNextTip();

    QStringList TipList;
    int TipIndex = 0; ///< 1-based; 0 while nothing was picked

    QLabel *Label1 = nullptr;
    QLabel *lblTipText = nullptr;
    QCheckBox *chkLoadTipsAtStartup = nullptr;
    QPushButton *cmdNextTip = nullptr;
    QPushButton *cmdOK = nullptr;

    /// The text shown when the tip file is missing.
    static QString notFoundText();

private:
    void Form_Load(const QString &tipFile);
    void chkLoadTipsAtStartup_Click();

    SettingsStore &m_store;
    Random m_random;
};

} // namespace kinetra
