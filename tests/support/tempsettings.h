#pragma once

#include <QByteArray>
#include <QTemporaryDir>

namespace kinetra {

/// Points XDG_CONFIG_HOME at a fresh temporary folder for the life of the object, so a test's
/// settings never touch the user's real file.
class TempSettings
{
public:
    TempSettings();
    ~TempSettings();
    TempSettings(const TempSettings &) = delete;
    TempSettings &operator=(const TempSettings &) = delete;

    QString folder() const { return m_dir.path(); }
    /// Path of the settings file the program writes: <folder>/DAZI/DAZI.ini.
    QString iniPath() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious;
};

} // namespace kinetra
