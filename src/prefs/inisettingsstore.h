#pragma once

#include "prefs/settingsstore.h"

#include <QSettings>

#include <memory>

namespace kinetra {

/// The settings store on an INI file, by default $XDG_CONFIG_HOME/DAZI/DAZI.ini
/// (~/.config/DAZI/DAZI.ini). QSettings replaces the file atomically on every sync.
///
/// QSettings itself matches names case-sensitively on Linux, so every lookup first finds the
/// spelling the file already uses ("[settings]" / "picfile0=" serve "Settings" / "PicFile0"),
/// and writes keep that spelling. Keys are listed in the file's (alphabetical) order, which for
/// the numbered keys the program enumerates (RecentFile1..4) is their creation order.
class IniSettingsStore : public SettingsStore
{
public:
    /// The user's store under the application name "DAZI".
    IniSettingsStore();
    /// A store on a given file (tests).
    explicit IniSettingsStore(const QString &iniPath);
    ~IniSettingsStore() override;

    static QString defaultPath();
    QString path() const;

    QString read(const QString &section, const QString &key,
                 const QString &defaultValue = QString()) const override;
    void write(const QString &section, const QString &key, const QString &value) override;
    QStringList keys(const QString &section) const override;
    void sync() override;

private:
    QString storedSection(const QString &section) const;
    QString storedKey(const QString &storedSection, const QString &key) const;

    std::unique_ptr<QSettings> m_settings;
};

} // namespace kinetra
