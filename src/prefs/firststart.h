#pragma once

#include "prefs/readonlysettingsstore.h"
#include "prefs/settingsstore.h"

#include <map>

namespace kinetra {

/// The preferences a first start brings, held as the settings store holds them (section, key,
/// text): eight action-line types named and drawn for baseball (a runner's rounding the
/// bases), the hardball labels, white labels on the defence's blue markers and five standard
/// formations placed on the default field. A key the user's store lacks takes its value from
/// here; a key the store has keeps the store's value, so an existing store is never changed by
/// this. Read-only: writes are dropped.
class FirstStartSettings : public SettingsStore
{
public:
    FirstStartSettings();

    QString read(const QString &section, const QString &key,
                 const QString &defaultValue = QString()) const override;
    void write(const QString &, const QString &, const QString &) override {}
    /// The section's keys in the order they were set.
    QStringList keys(const QString &section) const override;
    void sync() override {}

private:
    void put(const QString &section, const QString &key, const QString &value);

    std::map<QString, QString> m_values; // by lower-case "section/key"
    std::map<QString, QStringList> m_keys; // by lower-case section
};

/// A read-only view of the user's store through the first start: a key the store lacks reads
/// as its first-start value, or else as the caller's default.
class WithFirstStart : public ReadOnlySettingsStore
{
public:
    explicit WithFirstStart(const SettingsStore &store)
        : ReadOnlySettingsStore(store)
    {
    }

    QString read(const QString &section, const QString &key,
                 const QString &defaultValue = QString()) const override
    {
        return ReadOnlySettingsStore::read(section, key, fallback(section, key, defaultValue));
    }

    /// The value a key takes when the store lacks it or holds one that cannot be used.
    QString fallback(const QString &section, const QString &key, const QString &defaultValue) const
    {
        return m_firstStart.read(section, key, defaultValue);
    }

private:
    FirstStartSettings m_firstStart;
};

} // namespace kinetra
