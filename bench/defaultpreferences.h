#pragma once

// The preferences a first start gives, with the pictures found in the program folder, shared
// by the export and playbook benchmarks.

#include "prefs/preferences.h"
#include "prefs/preferencestore.h"
#include "prefs/settingsstore.h"

namespace kinetra::bench {

inline Preferences defaultPreferences()
{
    // A store with nothing in it: every preference takes its default.
    class EmptyStore : public SettingsStore
    {
    public:
        QString read(const QString &, const QString &, const QString &defaultValue) const override
        {
            return defaultValue;
        }
        void write(const QString &, const QString &, const QString &) override {}
        QStringList keys(const QString &) const override { return {}; }
        void sync() override {}
    };
    EmptyStore store;
    Preferences prefs;
    loadPreferences(store, prefs, KINETRA_PROGRAM_DIR);
    return prefs;
}

} // namespace kinetra::bench
