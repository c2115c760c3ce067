#include "support/tempsettings.h"

#include <QtGlobal>

namespace kinetra {

TempSettings::TempSettings()
    : m_previous(qgetenv("XDG_CONFIG_HOME"))
    , m_hadPrevious(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
}

TempSettings::~TempSettings()
{
    if (m_hadPrevious)
        qputenv("XDG_CONFIG_HOME", m_previous);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QString TempSettings::iniPath() const
{
    return m_dir.path() + "/DAZI/DAZI.ini";
}

} // namespace kinetra
