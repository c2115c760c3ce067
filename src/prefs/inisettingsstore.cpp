#include "prefs/inisettingsstore.h"

#include <QDir>

namespace kinetra {

namespace {

QString findIgnoringCase(const QStringList &names, const QString &wanted)
{
    for (const QString &name : names)
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
    return QString();
}

} // namespace

IniSettingsStore::IniSettingsStore()
    : IniSettingsStore(defaultPath())
{
}

IniSettingsStore::IniSettingsStore(const QString &iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

IniSettingsStore::~IniSettingsStore()
{
    m_settings->sync();
}

QString IniSettingsStore::defaultPath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + "/.config";
    return base + "/DAZI/DAZI.ini";
}

QString IniSettingsStore::path() const
{
    return m_settings->fileName();
}

QString IniSettingsStore::storedSection(const QString &section) const
{
    const QString found = findIgnoringCase(m_settings->childGroups(), section);
    return found.isEmpty() ? section : found;
}

QString IniSettingsStore::storedKey(const QString &section, const QString &key) const
{
    m_settings->beginGroup(section);
    const QString found = findIgnoringCase(m_settings->childKeys(), key);
    m_settings->endGroup();
    return found.isEmpty() ? key : found;
}

QString IniSettingsStore::read(const QString &section, const QString &key,
                               const QString &defaultValue) const
{
    const QString s = storedSection(section);
    const QString k = storedKey(s, key);
    const QVariant value = m_settings->value(s + '/' + k);
    if (!value.isValid())
        return defaultValue;
    // A hand-edited value with commas reads back as a list; the store holds plain text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(',');
    return value.toString();
}

void IniSettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    const QString s = storedSection(section);
    m_settings->setValue(s + '/' + storedKey(s, key), value);
}

QStringList IniSettingsStore::keys(const QString &section) const
{
    m_settings->beginGroup(storedSection(section));
    const QStringList keys = m_settings->childKeys();
    m_settings->endGroup();
    return keys;
}

void IniSettingsStore::sync()
{
    m_settings->sync();
}

} // namespace kinetra
