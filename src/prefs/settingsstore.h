#pragma once

#include <QString>
#include <QStringList>

namespace kinetra {

/// The per-user settings store: text values addressed by section and key, names compared
/// without regard to case.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    /// The stored text, or `defaultValue` when the section or key does not exist.
    virtual QString read(const QString &section, const QString &key,
                         const QString &defaultValue = QString()) const = 0;
    /// Creates the section and key as needed and replaces the old text.
    virtual void write(const QString &section, const QString &key, const QString &value) = 0;
    /// The section's keys in the order the store keeps them.
    virtual QStringList keys(const QString &section) const = 0;
    /// Makes every write so far durable.
    virtual void sync() = 0;
};

} // namespace kinetra
