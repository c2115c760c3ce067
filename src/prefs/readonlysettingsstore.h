#pragma once

#include "prefs/settingsstore.h"

namespace kinetra {

/// A view of another store that reads through and drops every write, for runs that must
/// leave the user's settings as they are (the command-line export).
class ReadOnlySettingsStore : public SettingsStore
{
public:
    explicit ReadOnlySettingsStore(const SettingsStore &source)
        : m_source(source)
    {
    }

    QString read(const QString &section, const QString &key,
                 const QString &defaultValue = QString()) const override
    {
        return m_source.read(section, key, defaultValue);
    }
    void write(const QString &, const QString &, const QString &) override {}
    QStringList keys(const QString &section) const override { return m_source.keys(section); }
    void sync() override {}

private:
    const SettingsStore &m_source;
};

} // namespace kinetra
