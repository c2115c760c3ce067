#include "app/recentfiles.h"

#include "prefs/settingsstore.h"

#include <QAction>
#include <QStringList>

namespace kinetra {

namespace {

const QString kFilesSection = "Files";

QString recentKey(int i)
{
    return QString("RecentFile%1").arg(i);
}

} // namespace

RecentFiles::RecentFiles(SettingsStore &store, const std::array<QAction *, kItems> &items)
    : m_store(store)
    , m_items(items)
{
    for (QAction *item : m_items)
        item->setVisible(false);
}

void RecentFiles::load()
{
    if (m_store.read(kFilesSection, recentKey(1)).isEmpty())
        return;
    // Items beyond the stored paths keep their state: the list never shrinks.
    const QStringList keys = m_store.keys(kFilesSection);
    for (int i = 0; i < keys.size() && i < kItems; ++i) {
        const QString path = m_store.read(kFilesSection, keys[i]);
        QAction *item = m_items[size_t(i)];
        // The caption shows the path as it is; '&' would otherwise mark a shortcut letter.
        item->setText(QString(path).replace('&', "&&"));
        item->setData(path);
        item->setVisible(true);
    }
}

void RecentFiles::store(const QString &path)
{
    for (int i = 3; i >= 0; --i) {
        const QString older = m_store.read(kFilesSection, recentKey(i));
        if (!older.isEmpty())
            m_store.write(kFilesSection, recentKey(i + 1), older);
    }
    m_store.write(kFilesSection, recentKey(1), path);
    m_store.sync();
}

QString RecentFiles::path(int index) const
{
    if (index < 0 || index >= kItems)
        return QString();
    return m_items[size_t(index)]->data().toString();
}

QStringList RecentFiles::shown() const
{
    QStringList paths;
    for (int i = 0; i < kItems; ++i)
        if (m_items[size_t(i)]->isVisible())
            paths << path(i);
    return paths;
}

bool RecentFiles::contains(const QString &path) const
{
    return shown().contains(path);
}

void RecentFiles::add(const QString &path)
{
    // A path already listed keeps its place.
    if (!contains(path))
        store(path);
    load();
}

} // namespace kinetra
